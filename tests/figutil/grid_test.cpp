// grid: the three grid switches of one axes, set or each toggled.
#include "figutil/grid.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

using GridTest = FigutilTest;
using Grids = std::vector<std::string>;

Grids grids(const Value& ax) {
    return {rt::get(ax, rt::Value::string("XGrid")).text(), rt::get(ax, rt::Value::string("YGrid")).text(),
            rt::get(ax, rt::Value::string("ZGrid")).text()};
}

TEST_F(GridTest, TogglesEachDirectionOrSetsAllInAnyLetterCaseOnTheCurrentOrGivenAxes) {
    sys::grid();  // no axes yet: made, and their grids (off) toggled on
    const Value current = rt::gca();
    EXPECT_EQ(grids(current), (Grids{"on", "on", "on"}));
    rt::set(current[0], "YGrid", S("off"));
    rt::set(current[0], "ZGrid", S("off"));
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
    EXPECT_EQ(error_of([] { sys::grid(S("onn")); }), unknown);
    EXPECT_EQ(error_of([] { sys::grid(S("")); }), unknown);
    EXPECT_EQ(error_of([&] { sys::grid(ax, S("toggle")); }), unknown);
    EXPECT_EQ(error_of([&] { sys::grid(S("on"), ax); }), not_axes);
    EXPECT_EQ(error_of([&] { sys::grid(Value::row({ax[0], ax[0]})); }), "Axes handle must be a scalar");
    EXPECT_EQ(error_of([] { sys::grid(rt::gcf()); }), not_axes);
    EXPECT_EQ(error_of([] { sys::grid(Value(123.25)); }), not_axes);
    EXPECT_EQ(grids(ax), (Grids{"on", "off", "off"}));
}

}  // namespace
