#include "gui/tavrin.hpp"
#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/graphics.hpp"
#include "tests/app/running_program.hpp"

namespace {

// The control window: its launch, its stored handles and its callbacks.
using TavrinWindowTest = sys_test::ControlWindowOpen;

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
    for (const char* tag : {"figure1", "alpha_sl", "alpha", "beta_sl", "beta", "gamma_sl", "gamma", "reinf_sl", "reinf",
                            "radiobutton1", "pushbutton1", "pushbutton2"})
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

TEST_F(TavrinWindowTest, CallbacksAreReachedOnlyThroughTavrinAndAFailedOneGivesNoOutputs) {
    EXPECT_THROW(rt::feval("figure1_ResizeFcn", 0, {}), rt::Error);
    // handles empty, then missing: the slider callback cannot read it.
    const rt::Value args[] = {rt::Value::string("alpha_sl_Callback"), 0.0, rt::Value::empty(), rt::Value::empty()};
    EXPECT_EQ(sys::tavrin(1, args).numel(), 0u);
    sys::tavrin(0, {args, 1});
    EXPECT_EQ(console.str(),
              "Reference to non-existent field 'alpha_sl'.\n"
              "Input argument \"handles\" is undefined.\n");
}

// The learning run as the windows show it.

// Watches the objects of a run: the titles written, and the cart, pole and
// marker of the first step.
class RunWatcher : public rt::WindowBackend {
public:
    void object_created(const rt::GraphicsObject& obj) override {
        if (obj.type() == rt::ObjectType::Rectangle && carts++ == 0) first_cart = obj.value(rt::PropertyId::Position);
        if (obj.type() == rt::ObjectType::Line && !obj.is(rt::PropertyId::Marker, "none") && first_marker.empty()) {
            first_marker = obj.value(rt::PropertyId::Marker).text();
            first_marker_x = obj.value(rt::PropertyId::XData).scalar();
        }
    }
    void property_changed(const rt::GraphicsObject& obj, rt::PropertyId id) override {
        if (obj.type() == rt::ObjectType::Text && id == rt::PropertyId::String) titles.push_back(obj.value(id).text());
    }

    std::vector<std::string> titles;
    rt::Value first_cart;
    std::string first_marker;
    double first_marker_x = 0;
    long carts = 0;
};

class LearningRunTest : public sys_test::ControlWindowOpen {
protected:
    void SetUp() override {
        ControlWindowOpen::SetUp();
        rt::set_window_backend(&watcher);
    }
    void TearDown() override {
        rt::set_window_backend(nullptr);
        ControlWindowOpen::TearDown();
    }
    RunWatcher watcher;
};

TEST_F(LearningRunTest, TheDeterministicRunDrawsEveryStepAndEndsWithItsStatistics) {
    choose_deterministic_run();
    ASSERT_TRUE(press_start_within()) << "the run outlived its time limit";

    // A title of counts and one of the mesh at every failure, then the success.
    std::vector<std::string> counts;
    long mesh_titles = 0;
    for (const std::string& t : watcher.titles) {
        if (t.rfind("Trials  ", 0) == 0) counts.push_back(t);
        if (t == "Q-value mesh : up is push right, bottom is push left") ++mesh_titles;
    }
    ASSERT_EQ(counts.size(), 322u);
    EXPECT_EQ(mesh_titles, 322);
    EXPECT_EQ(counts.front().rfind("Trials  1, Best success : ", 0), 0u) << counts.front();
    EXPECT_EQ(counts.back(), "Trials  322, Best success : 3196");
    EXPECT_EQ(watcher.titles.back(), "Success at 322 trials");

    // From rest with a zero table the first push is to the right: the cart
    // centred on the x of the step, the marker at its left edge.
    const double a_theta = -10.0 / ((1.3333333333333333 * 1.1) * 0.5 - 0.1 * 0.5);
    const double a_x = (10.0 + (0.1 * 0.5) * -a_theta) / 1.1;
    const double x = (a_x * 0.02) * 0.02;
    EXPECT_TRUE(rt::isequal(watcher.first_cart, rt::Value::row({x - 0.4, 0.1, 0.8, 0.1})));
    EXPECT_EQ(watcher.first_marker, ">");
    EXPECT_EQ(watcher.first_marker_x, x - 0.4);

    // Nothing of the steps is left over: the cart window holds only its axes
    // and their title; the mesh window keeps both surfaces of every failure.
    const double cart_window = 2, mesh_window = 3;
    EXPECT_EQ(rt::findall(rt::Value(cart_window)).numel(), 3u);
    const rt::Value surfaces[] = {rt::Value::string("Type"), rt::Value::string("surface")};
    EXPECT_EQ(rt::findall(rt::Value(mesh_window), surfaces).numel(), 2u * 322);
    EXPECT_GT(watcher.carts, 245000);
}

}  // namespace
