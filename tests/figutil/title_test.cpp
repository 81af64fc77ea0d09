// title: the text of the current axes' title object, in the axes' font.
#include "figutil/title.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

using TitleTest = FigutilTest;

TEST_F(TitleTest, TakesTheAxesFontAndStandsUpright) {
    sys::title(0, S("Trials: 3"));
    ASSERT_EQ(rt::open_figures().size(), 1u);  // made a window and axes

    const Value ax = rt::gca();
    rt::set(ax, V({S("FontSize"), Value(14.0), S("FontWeight"), S("bold"), S("FontAngle"), S("italic"),
                   S("FontName"), S("Courier")}));
    rt::set(rt::get(ax, S("Title"))[0], "Rotation", Value(45.0));
    const Value h = sys::title(1, S("Best: 120"));
    EXPECT_EQ(h[0], rt::get(ax, S("Title"))[0]);
    EXPECT_EQ(rt::get(h, S("String")).text(), "Best: 120");
    EXPECT_EQ(rt::get(h, S("Rotation"))[0], 0);
    for (const char* font : {"FontAngle", "FontName", "FontSize", "FontWeight"})
        EXPECT_TRUE(rt::isequal(rt::get(h, S(font)), rt::get(ax, S(font)))) << font;

    EXPECT_TRUE(sys::title(0, S("again")).is_unassigned());
    EXPECT_EQ(warnings_.str(), "");
}

TEST_F(TitleTest, PairsComeAfterTheDefaultsAndMustBeWhole) {
    const Value h = sys::title(1, S("turned"), {S("Rotation"), Value(90.0)});
    EXPECT_EQ(rt::get(h, S("Rotation"))[0], 90);

    const std::string refused = "Incorrect number of input arguments";
    EXPECT_EQ(error_of([] { sys::title(0, S("odd"), {S("Rotation")}); }), refused);
    EXPECT_EQ(by_name_error("title", 0, {S("odd"), S("Rotation"), Value(0.0), S("FontSize")}), refused);
    EXPECT_EQ(by_name_error("title", 0, {}), "Input argument \"string\" is undefined.");
    EXPECT_EQ(rt::get(h, S("String")).text(), "turned");
    // A property the title object does not have: the runtime's error.
    EXPECT_EQ(error_of([] { sys::title(0, S("bad"), {S("Valu"), Value(1.0)}); }),
              "There is no 'Valu' property on the text object.");

    by_name("title", 0, {S("by name"), S("FontSize"), Value(20.0)});
    EXPECT_EQ(rt::get(h, S("String")).text(), "by name");
    EXPECT_EQ(rt::get(h, S("FontSize"))[0], 20);
}

}  // namespace
