// openfig: windows from layout files, and the registry of each file's
// windows in the root's application data.
#include "figutil/openfig.hpp"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "figutil_fixture.hpp"

using rt::Value;
namespace fs = std::filesystem;

namespace {

// A window on screen at [100 100 400 300] (inner), tagged figure1.
const char* kOnScreen = R"({"type": "figure", "Tag": "figure1", "Units": "pixels",
  "Position": [100, 100, 400, 300],
  "children": [{"type": "uicontrol", "Style": "pushbutton", "Tag": "pushbutton1"}]})";

class OpenfigTest : public FigutilTest {
protected:
    void SetUp() override {
        FigutilTest::SetUp();
        dir_ = fs::temp_directory_path() / ("figutil_openfig_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::remove_all(dir_);
        FigutilTest::TearDown();
    }
    // Writes a layout file and gives its full name, as openfig is to be given it.
    Value write(const std::string& file, const std::string& text) {
        std::ofstream(dir_ / file) << text;
        return name(file);
    }
    Value name(const std::string& file) const { return Value::string((dir_ / file).string()); }
    static std::vector<double> registry(const char* token) { return nums(rt::getappdata(Value(0.0), S(token))); }
    static std::size_t window_count() { return rt::open_figures().size(); }

    fs::path dir_;
};

TEST_F(OpenfigTest, ReuseHandsBackTheOpenWindowPlacedOnScreenAndInFront) {
    write("tavrin.fig", kOnScreen);
    const Value f = sys::openfig(name("tavrin"), S("reuse"));
    EXPECT_EQ(rt::get(f, S("Tag")).text(), "figure1");
    EXPECT_EQ(registry("tavrin_SINGLETON_handle"), (std::vector<double>{f[0]}));
    EXPECT_EQ(rt::gcf()[0], f[0]);

    // Moved off screen and behind another window: the same window comes back,
    // on screen and current, and nothing is loaded.
    const Value other = window();
    rt::set(f[0], "Position", Value::row({-500, 100, 400, 300}));
    const Value again = sys::openfig(name("tavrin.fig"), S("reuse"));
    EXPECT_EQ(again[0], f[0]);
    EXPECT_EQ(window_count(), 2u);
    EXPECT_EQ(rt::get(f, S("OuterPosition"))[0], 0);
    EXPECT_EQ(rt::gcf()[0], f[0]);
    EXPECT_NE(other[0], f[0]);

    // Once it is closed, reuse loads a new one and the registry forgets the old.
    rt::delete_(f);
    const Value fresh = sys::openfig(name("tavrin"), S("reuse"));
    EXPECT_TRUE(rt::ishandle(fresh[0]));
    EXPECT_EQ(registry("tavrin_SINGLETON_handle"), (std::vector<double>{fresh[0]}));
}

TEST_F(OpenfigTest, NewLoadsEveryTimeAndTheRegistryKeepsThemOldestFirst) {
    write("tavrin.fig", kOnScreen);
    const Value a = sys::openfig(name("tavrin"));
    const Value b = by_name("openfig", 1, {name("tavrin.fig"), S("new")})[0];
    EXPECT_NE(a[0], b[0]);
    const Value row = rt::getappdata(Value(0.0), S("tavrin_SINGLETON_handle"));
    EXPECT_EQ(row.rows(), 1u);
    EXPECT_EQ(nums(row), (std::vector<double>{a[0], b[0]}));
    EXPECT_EQ(sys::openfig(name("tavrin"), S("reuse"))[0], b[0]);

    rt::delete_(a);
    const Value c = sys::openfig(name("tavrin"), S("new"));
    EXPECT_EQ(registry("tavrin_SINGLETON_handle"), (std::vector<double>{b[0], c[0]}));
}

TEST_F(OpenfigTest, TheTokenIsCutAt31Characters) {
    // 20 characters of name and the first 11 of "_SINGLETON_handle".
    write("abcdefghijklmnopqrst.fig", kOnScreen);
    const Value f = sys::openfig(name("abcdefghijklmnopqrst"), S("reuse"));
    EXPECT_EQ(registry("abcdefghijklmnopqrst_SINGLETON_"), (std::vector<double>{f[0]}));

    // Names that agree in their first 31 characters share one entry, so reuse
    // hands back the other file's window.
    const std::string common(31, 'n');
    write(common + "_one.fig", kOnScreen);
    write(common + "_two.fig", kOnScreen);
    const Value one = sys::openfig(name(common + "_one"), S("reuse"));
    EXPECT_EQ(sys::openfig(name(common + "_two"), S("reuse"))[0], one[0]);
    EXPECT_EQ(registry(common.c_str()), (std::vector<double>{one[0]}));
}

TEST_F(OpenfigTest, BadNamesAndPoliciesLoadNothing) {
    write("tavrin.fig", kOnScreen);
    write("tavrin.FIG", kOnScreen);
    const std::string not_fig = "Argument must be a .fig file";
    const std::string bad_policy = "Second input argument must be 'new' or 'reuse'.";
    EXPECT_EQ(error_of([&] { sys::openfig(name("tavrin.FIG"), S("reuse")); }), not_fig);
    EXPECT_EQ(error_of([&] { sys::openfig(name("tavrin.txt"), S("Reuse")); }), not_fig);
    EXPECT_EQ(error_of([&] { sys::openfig(name("tavrin"), S("Reuse")); }), bad_policy);
    EXPECT_EQ(error_of([&] { sys::openfig(name("tavrin"), Value(1.0)); }), bad_policy);
    EXPECT_EQ(window_count(), 0u);
    EXPECT_TRUE(registry("tavrin_SINGLETON_handle").empty());

    EXPECT_EQ(by_name_error("openfig", 1, {}), "Not enough input arguments.");
}

TEST_F(OpenfigTest, ALoadFailurePassesThroughAndLeavesTheRegistry) {
    write("tavrin.fig", kOnScreen);
    const Value f = sys::openfig(name("tavrin"));
    write("tavrin.fig", "{\"type\": \"figure\", ");
    const std::string message = error_of([&] { sys::openfig(name("tavrin"), S("new")); });
    EXPECT_NE(message.find("tavrin.fig"), std::string::npos) << message;
    EXPECT_EQ(registry("tavrin_SINGLETON_handle"), (std::vector<double>{f[0]}));
    EXPECT_EQ(window_count(), 1u);
}

TEST_F(OpenfigTest, AnInvisibleWindowIsPlacedButNotShownNorMadeCurrent) {
    write("hidden.fig", R"({"type": "figure", "Visible": "off", "Units": "pixels",
      "Position": [5000, 5000, 400, 300]})");
    const Value current = window();
    const Value f = sys::openfig(name("hidden"), S("reuse"));
    EXPECT_EQ(rt::get(f, S("Visible")).text(), "off");
    EXPECT_EQ(rt::gcf()[0], current[0]);
    // The default headless screen is 1280 by 1024; the outer rectangle is 406
    // by 324, pushed back to the top-right corner.
    EXPECT_EQ(nums(rt::get(f, S("OuterPosition"))), (std::vector<double>{874, 700, 406, 324}));
}

}  // namespace
