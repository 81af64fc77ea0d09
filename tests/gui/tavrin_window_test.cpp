#include <gtest/gtest.h>

#include <sstream>

#include "gui/tavrin.hpp"
#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/graphics.hpp"
#include "tests/app/running_program.hpp"

namespace {

class TavrinWindowTest : public sys_test::RunningProgram {
protected:
    void SetUp() override {
        RunningProgram::SetUp();
        previous_console = rt::set_console(&console);
    }
    void TearDown() override {
        rt::set_console(previous_console);
        RunningProgram::TearDown();
    }
    std::ostringstream console;
    std::ostream* previous_console = nullptr;
};

TEST_F(TavrinWindowTest, LaunchGivesTheWindowOnlyWhenAskedAndReusesIt) {
    EXPECT_EQ(sys::tavrin(0, {}).numel(), 0u);
    const rt::Value out = sys::tavrin(1, {});
    ASSERT_TRUE(out.is_cell());
    ASSERT_EQ(out.numel(), 1u);
    const rt::Value& fig = out.cell_at(0);
    EXPECT_EQ(rt::get(fig[0], "Tag").text(), "figure1");
    EXPECT_EQ(rt::open_figures().size(), 1u);
    // Coloured like the controls.
    EXPECT_TRUE(rt::isequal(rt::get(fig[0], "Color"), rt::get(0.0, "defaultUicontrolBackgroundColor")));

    // Every control the callbacks and the run read, in the stored handles.
    const rt::Value handles = rt::feval("guidata", 1, {&fig, 1})[0];
    for (const char* tag : {"figure1", "alpha_sl", "alpha", "beta_sl", "beta", "gamma_sl", "gamma", "reinf_sl",
                            "reinf", "radiobutton1", "pushbutton1", "pushbutton2"})
        EXPECT_TRUE(handles.has_field(tag)) << tag;
    // The text fields start as num2str of their sliders.
    for (const char* tag : {"alpha", "beta", "gamma", "reinf"}) {
        const std::string slider = std::string(tag) + "_sl";
        EXPECT_EQ(rt::get(handles.field(tag)[0], "String").text(),
                  rt::num2str(rt::get(handles.field(slider)[0], "Value")).text())
            << tag;
    }
    EXPECT_EQ(rt::get(handles.field("radiobutton1")[0], "Value").scalar(), 1);
}

TEST_F(TavrinWindowTest, CallbacksAreReachableByNameOnlyThroughTavrin) {
    const rt::Value name = rt::Value::string("figure1_ResizeFcn");
    EXPECT_THROW(rt::feval("figure1_ResizeFcn", 0, {}), rt::Error);
    const rt::Value args[] = {name, 0.0, rt::Value::empty(), rt::Value::empty(), 1.0, 2.0};
    sys::tavrin(0, args);
    sys::tavrin(0, {args, 1});
    EXPECT_EQ(console.str(), "figure1 ResizeFcn not implemented yet.\nfigure1 ResizeFcn not implemented yet.\n");
}

TEST_F(TavrinWindowTest, ACallbackThatFailsLeavesNoOutputs) {
    sys::tavrin(0, {});
    // handles empty, then missing: the slider callback cannot read it.
    const rt::Value args[] = {rt::Value::string("alpha_sl_Callback"), 0.0, rt::Value::empty(), rt::Value::empty()};
    EXPECT_EQ(sys::tavrin(1, args).numel(), 0u);
    const rt::Value too_few[] = {rt::Value::string("alpha_sl_Callback")};
    sys::tavrin(0, too_few);
    EXPECT_EQ(console.str(),
              "Reference to non-existent field 'alpha_sl'.\n"
              "Input argument \"handles\" is undefined.\n");
}

}  // namespace
