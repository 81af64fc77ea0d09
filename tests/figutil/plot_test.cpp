// The plotting utilities, and the names they and the window utilities check.
#include "figutil/grid.hpp"
#include "figutil/iskeyword.hpp"
#include "figutil/isvarname.hpp"
#include "figutil/opengl.hpp"
#include "figutil/surf.hpp"
#include "figutil/title.hpp"

#include "figutil_fixture.hpp"

namespace {

// The XGrid, YGrid and ZGrid of axes.
using Grids = std::vector<std::string>;

Grids grids(const Value& ax) {
    return {rt::get(ax[0], "XGrid").text(), rt::get(ax[0], "YGrid").text(), rt::get(ax[0], "ZGrid").text()};
}

// surf: one surface in axes prepared for a new plot; fresh axes turn to the
// 3-D view with their grids on, held axes keep theirs.
class SurfTest : public FigutilTest {
protected:
    static std::size_t surfaces_in(const Value& ax) { return rt::findall(ax, V({S("Type"), S("surface")})).numel(); }
};

TEST_F(SurfTest, AMatrixOnFreshAxesTurnsThemTo3DWithGridsAndHeldAxesKeepTheirs) {
    const Value z = Value::from_rows(3, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const Value h = sys::surf(1, {z});
    const Value ax = rt::gca();
    EXPECT_EQ(rt::get(h, S("Parent"))[0], ax[0]);
    EXPECT_EQ(nums(rt::get(h, S("ZData"))), nums(z));
    EXPECT_EQ(nums(rt::get(ax, S("View"))), (std::vector<double>{-37.5, 30}));
    EXPECT_EQ(grids(ax), (Grids{"on", "on", "on"}));
    // Nothing requested, nothing given back, and no warning about it; a new
    // plot replaces the old one.
    EXPECT_TRUE(sys::surf(0, {z}).is_unassigned());
    EXPECT_EQ(warnings.str(), "");
    EXPECT_EQ(surfaces_in(ax), 1u);

    rt::set(ax, V({S("View"), Value::row({0, 90}), S("XGrid"), S("off"), S("YGrid"), S("off"), S("ZGrid"), S("off")}));
    rt::hold(S("on"));
    sys::surf(0, {rt::ones(2, 2)});
    EXPECT_EQ(surfaces_in(ax), 2u);
    EXPECT_EQ(nums(rt::get(ax, S("View"))), (std::vector<double>{0, 90}));
    EXPECT_EQ(grids(ax), (Grids{"off", "off", "off"}));
}

TEST_F(SurfTest, ASingleVectorOrScalarIsRefusedAfterThePlotIsPrepared) {
    const std::string refused = "Input argument must be a matrix not a vector or a scalar";
    for (const Value& z : {Value::row({1, 2, 3, 4, 5}), Value::column({1, 2, 3, 4, 5}), Value(7.0)})
        EXPECT_EQ(error_of([&] { sys::surf(0, {z}); }), refused);
    // The axes were made before the check, and hold no surface.
    ASSERT_EQ(rt::open_figures().size(), 1u);
    EXPECT_EQ(surfaces_in(rt::gca()), 0u);
    // An empty matrix passes the check and reaches the surface creation.
    EXPECT_NE(error_of([] { sys::surf(0, {Value::empty()}); }), refused);

    rt::delete_(rt::gcf());
    EXPECT_EQ(by_name_error("surf", 0, {}), "Not enough input arguments.");
    EXPECT_EQ(rt::open_figures().size(), 1u);
}

// title: the text of the current axes' title object, in the axes' font.
using TitleTest = FigutilTest;

TEST_F(TitleTest, TakesTheAxesFontAndStandsUpright) {
    sys::title(0, S("Trials: 3"));
    ASSERT_EQ(rt::open_figures().size(), 1u);  // made a window and axes

    const Value ax = rt::gca();
    rt::set(ax, V({S("FontSize"), Value(14.0), S("FontWeight"), S("bold"), S("FontAngle"), S("italic"), S("FontName"),
                   S("Courier")}));
    rt::set(rt::get(ax, S("Title"))[0], "Rotation", Value(45.0));
    const Value h = sys::title(1, S("Best: 120"));
    EXPECT_EQ(h[0], rt::get(ax, S("Title"))[0]);
    EXPECT_EQ(rt::get(h, S("String")).text(), "Best: 120");
    EXPECT_EQ(rt::get(h, S("Rotation"))[0], 0);
    for (const char* font : {"FontAngle", "FontName", "FontSize", "FontWeight"})
        EXPECT_TRUE(rt::isequal(rt::get(h, S(font)), rt::get(ax, S(font)))) << font;

    EXPECT_TRUE(sys::title(0, S("again")).is_unassigned());
    EXPECT_EQ(warnings.str(), "");
}

TEST_F(TitleTest, PairsComeAfterTheDefaultsAndMustBeWhole) {
    const Value h = sys::title(1, S("turned"), {S("Rotation"), Value(90.0)});
    EXPECT_EQ(rt::get(h, S("Rotation"))[0], 90);

    const std::string refused = "Incorrect number of input arguments";
    EXPECT_EQ(error_of([] { sys::title(0, S("odd"), {S("Rotation")}); }), refused);
    EXPECT_EQ(by_name_error("title", 0, {S("odd"), S("Rotation"), Value(0.0), S("FontSize")}), refused);
    EXPECT_EQ(by_name_error("title", 0, {}), "Input argument \"string\" is undefined.");
    EXPECT_EQ(rt::get(h, S("String")).text(), "turned");
}

// grid: the three grid switches of one axes, set or each toggled.
using GridTest = FigutilTest;

TEST_F(GridTest, TogglesEachDirectionOrSetsAllInAnyLetterCaseOnTheCurrentOrGivenAxes) {
    sys::grid();  // no axes yet: made, and their grids (off) toggled on
    const Value current = rt::gca();
    EXPECT_EQ(grids(current), (Grids{"on", "on", "on"}));
    rt::set(current, V({S("YGrid"), S("off"), S("ZGrid"), S("off")}));
    sys::grid(current);
    EXPECT_EQ(grids(current), (Grids{"off", "on", "on"}));
    by_name("grid", 0, {});
    EXPECT_EQ(grids(current), (Grids{"on", "off", "off"}));
    sys::grid(S("Off"));
    EXPECT_EQ(grids(current), (Grids{"off", "off", "off"}));

    const Value other = rt::axes(V({}));
    rt::axes(V({current}));
    sys::grid(other, S("oN"));
    EXPECT_EQ(grids(other), (Grids{"on", "on", "on"}));
    EXPECT_EQ(grids(current), (Grids{"off", "off", "off"}));
    by_name("grid", 0, {other, S("off")});
    EXPECT_EQ(grids(other), (Grids{"off", "off", "off"}));
}

TEST_F(GridTest, BadInputsChangeNothing) {
    const Value ax = rt::gca();
    rt::set(ax[0], "XGrid", S("on"));
    const std::string not_axes = "First argument must be an axes handle.";
    const std::string unknown = "Unknown command option.";
    for (const char* option : {"onn", ""}) EXPECT_EQ(error_of([&] { sys::grid(S(option)); }), unknown);
    EXPECT_EQ(error_of([&] { sys::grid(ax, S("toggle")); }), unknown);
    EXPECT_EQ(error_of([&] { sys::grid(S("on"), ax); }), not_axes);
    EXPECT_EQ(error_of([&] { sys::grid(Value::row({ax[0], ax[0]})); }), "Axes handle must be a scalar");
    for (const Value& h : {rt::gcf(), Value(123.25)}) EXPECT_EQ(error_of([&] { sys::grid(h); }), not_axes);
    EXPECT_EQ(grids(ax), (Grids{"on", "off", "off"}));
}

// opengl: mode words to and from the runtime's "openglmode" switch.
class OpenglTest : public FigutilTest {
protected:
    static double mode() { return rt::feature(1, S("openglmode"))[0]; }
};

TEST_F(OpenglTest, ModesAreSetInAnyLetterCaseAndReportedByTheirWords) {
    sys::opengl(0, S("neverselect"));
    EXPECT_EQ(mode(), 0);
    EXPECT_EQ(sys::opengl(1).text(), "NeverSelect");
    by_name("opengl", 0, {S("ADVISE")});
    EXPECT_EQ(mode(), 1);
    EXPECT_EQ(by_name("opengl", 1, {})[0].text(), "Advise");
    sys::opengl(0, S("AutoSelect"));  // the reported words are accepted back
    EXPECT_EQ(mode(), 2);
    EXPECT_EQ(warnings.str(), "");

    // info and data describe the renderer; with nothing requested the
    // runtime shows it.
    EXPECT_TRUE(sys::opengl(1, S("info")).is_struct());
    EXPECT_TRUE(sys::opengl(1, S("DATA")).is_struct());
    EXPECT_EQ(console.str(), "");
    sys::opengl(0, S("info"));
    EXPECT_NE(console.str(), "");
}

TEST_F(OpenglTest, WhatGivesNoWord) {
    const std::string refused = "OpenGL auto mode settings are info, autoselect, advise, and neverselect";
    EXPECT_EQ(error_of([] { sys::opengl(0, S("always")); }), refused);
    EXPECT_EQ(error_of([] { sys::opengl(0, Value(2.0)); }), refused);
    EXPECT_EQ(mode(), 2);
}

// isvarname and iskeyword: names by their characters, and every other shape
// or class refused without an error.
using NamesTest = FigutilTest;

bool truth(const Value& t) {
    EXPECT_EQ(t.numel(), 1u);
    return t[0] != 0;
}

TEST_F(NamesTest, VariableNamesByTheirCharactersShapeAndClass) {
    for (const std::string& name : std::vector<std::string>{"alpha_sl", "a", "A_1", "End", std::string(31, 'x')}) {
        EXPECT_TRUE(sys::isvarname(S(name.c_str())).is_logical());
        EXPECT_TRUE(truth(sys::isvarname(S(name.c_str())))) << name;
    }
    // ':' follows '9' in ASCII and '/' precedes '0'.
    for (const std::string& name :
         std::vector<std::string>{"1abc", "_a", "a b", "a-b", "a9:", "a/", "end", "otherwise", std::string(32, 'x')})
        EXPECT_FALSE(truth(sys::isvarname(S(name.c_str())))) << name;
    for (const Value& v : {S(""), Value::char_matrix(1, 0), Value::char_matrix(2, 3), Value(5.0), Value::row({97, 98}),
                           Value::cell_row({S("a")}), Value::structure()})
        EXPECT_FALSE(truth(sys::isvarname(v)));
}

TEST_F(NamesTest, KeywordsMatchExactly) {
    for (const char* word : {"end", "otherwise", "persistent"}) EXPECT_TRUE(truth(sys::iskeyword(S(word)))) << word;
    for (const char* word : {"End", "ends", "en", ""}) EXPECT_FALSE(truth(sys::iskeyword(S(word)))) << word;
    EXPECT_FALSE(truth(sys::iskeyword(Value(3.0))));

    const Value list = by_name("iskeyword", 1, {})[0];
    ASSERT_TRUE(list.is_cell());
    EXPECT_EQ(list.rows(), 17u);
    EXPECT_EQ(list.cols(), 1u);
    EXPECT_EQ(list.cell_at(0).text(), "break");
    EXPECT_EQ(list.cell_at(16).text(), "while");
}

}  // namespace
