// Layout files: a good one loads whole; each kind of bad one fails with one
// message naming the file and the place, and leaves nothing behind.

#include "graphics_fixture.hpp"

using rt::Value;
namespace fs = std::filesystem;

namespace {

class LayoutTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        dir_ = fs::temp_directory_path() / ("graphics_layout_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        old_cwd_ = fs::current_path();
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(old_cwd_);
        fs::remove_all(dir_);
        GraphicsTest::TearDown();
    }
    void write(const std::string& name, const std::string& text) {
        fs::create_directories((dir_ / name).parent_path());
        std::ofstream(dir_ / name) << text;
    }
    // The error of loading `text` as "x.fig"; no window may be left.
    std::string load_error(const std::string& text) {
        write("x.fig", text);
        std::string message = error_of([] { rt::load_layout("x.fig"); });
        EXPECT_TRUE(rt::findall(Value(0.0)).numel() == 1 + windows_before_) << "a failed load left objects";
        return message;
    }

    fs::path dir_, old_cwd_;
    std::size_t windows_before_ = 0;
};

const char* kGood = R"json({
  "type": "figure", "Tag": "figure1", "Name": "cart-pole", "Units": "pixels",
  "Position": [100, 100, 400, 300], "Visible": "off",
  "ResizeFcn": "tavrin('figure1_ResizeFcn',gcbo,[],guidata(gcbo))",
  "children": [
    {"type": "uicontrol", "Style": "slider", "Tag": "alpha_sl", "Min": 0, "Max": 1, "Value": 0.5,
     "Units": "normalized", "Position": [0.1, 0.8, 0.5, 0.05],
     "Callback": "tavrin('alpha_sl_Callback',gcbo,[],guidata(gcbo))"},
    {"type": "uicontrol", "Style": "popupmenu", "String": ["one", "two"], "Enable": true},
    {"type": "axes", "Tag": "axes1", "children": [
      {"type": "line", "XData": [1, 2], "YData": [3, 4], "Color": "r"}]},
    {"type": "uicontrol", "Style": "text", "Tag": "alpha", "String": "0.5", "UserData": [[1, 2], [3, 4]]}
  ]
})json";

}  // namespace

TEST_F(LayoutTest, AGoodFileLoadsTheWholeTreeInItsOrder) {
    Value current = rt::figure();
    write("tavrin.fig", kGood);
    double f = rt::load_layout("tavrin.fig");
    EXPECT_EQ(f, 2);
    EXPECT_EQ(num(rt::gcf()), num(current));  // not made current
    EXPECT_EQ(text_of(rt::get(f, "Visible")), "off");
    ASSERT_EQ(rt::findall(Value(f)).numel(), 7u);  // figure, 3 controls, axes, title, line
    const auto find = [&](const char* name, const char* value) {
        return rt::findall(Value(f), V({S(name), S(value)}));
    };
    Value slider = find("Tag", "alpha_sl");
    ASSERT_EQ(slider.numel(), 1u);
    // Units came before Position in the file, so the position is normalized.
    EXPECT_EQ(getn(slider, {"Value", "Position"}), (D{0.5, 0.1, 0.8, 0.5, 0.05}));
    EXPECT_EQ(gets(slider, "Callback"), "tavrin('alpha_sl_Callback',gcbo,[],guidata(gcbo))");
    EXPECT_TRUE(rt::get(find("Style", "popupmenu"), S("String")).is_cell());
    EXPECT_EQ(rt::get(find("Tag", "alpha"), S("UserData")).rows(), 2u);
    EXPECT_EQ(getn(find("Type", "line"), "Color"), (D{1, 0, 0}));
    EXPECT_NE(text_of(rt::get(f, "FileName")).find("tavrin.fig"), std::string::npos);
}

TEST_F(LayoutTest, EachFailureNamesTheFileAndThePlace) {
    rt::figure();
    windows_before_ = 1;
    std::string syntax = load_error("{\n  \"type\": \"figure\",\n  \"Tag\" \"x\"\n}");
    EXPECT_EQ(syntax.rfind("x.fig: line 3, column 11: syntax error", 0), 0u) << syntax;

    EXPECT_EQ(load_error(R"({"type": "figure", "children": [{"type": "uicontrol"},
                              {"type": "axes", "children": [{"type": "line"}, {"type": "knob"}]}]})"),
              "x.fig: /children/1/children/1: unknown type 'knob'");
    EXPECT_EQ(load_error(R"({"type": "figure", "children": [{"type": "axes"}, {"type": "uicontrol", "Style": 3}]})"),
              "x.fig: /children/1: Bad value for the uicontrol property 'Style': expected 'pushbutton', "
              "'togglebutton', 'radiobutton', 'checkbox', 'edit', 'text', 'slider', 'frame', 'listbox', or "
              "'popupmenu'.");
    EXPECT_EQ(load_error(R"({"type": "figure", "Position": {"left": 1}})"),
              "x.fig: /Position: expected a number, a text, true/false, null, or an array of numbers, of texts or "
              "of rows of numbers");
    EXPECT_EQ(num(rt::figure()), 2);  // no window number was kept by a failed load
}
