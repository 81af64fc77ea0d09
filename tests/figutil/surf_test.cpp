// surf: one surface in axes prepared for a new plot; fresh axes turn to the
// 3-D view with their grids on.
#include "figutil/surf.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

class SurfTest : public FigutilTest {
protected:
    static std::size_t surfaces_in(const Value& ax) {
        const Value found = rt::findall(ax, V({S("Type"), S("surface")}));
        return found.numel();
    }
    static void expect_grids(const Value& ax, const char* state) {
        for (const char* grid : {"XGrid", "YGrid", "ZGrid"}) EXPECT_EQ(rt::get(ax, S(grid)).text(), state) << grid;
    }
};

TEST_F(SurfTest, AMatrixOnFreshAxesTurnsThemTo3DWithGrids) {
    const Value z = Value::from_rows(3, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const Value h = sys::surf(1, {z});
    const Value ax = rt::gca();
    EXPECT_EQ(rt::get(h, S("Type")).text(), "surface");
    EXPECT_EQ(rt::get(h, S("Parent"))[0], ax[0]);
    EXPECT_EQ(nums(rt::get(h, S("ZData"))), nums(z));
    EXPECT_EQ(nums(rt::get(ax, S("View"))), (std::vector<double>{-37.5, 30}));
    expect_grids(ax, "on");

    // Nothing requested, nothing given back, and no warning about it.
    EXPECT_TRUE(sys::surf(0, {z}).is_unassigned());
    EXPECT_EQ(warnings_.str(), "");
    // A new plot replaces the old one.
    EXPECT_EQ(surfaces_in(ax), 1u);
}

TEST_F(SurfTest, SeveralInputsGoToTheSurfaceUnexamined) {
    const Value x = Value::row({1, 2, 3, 4});
    const Value y = Value::row({10, 20, 30});
    const Value z = Value::zeros(3, 4);
    const Value h = by_name("surf", 1, {x, y, z, S("EdgeColor"), S("none")})[0];
    EXPECT_EQ(rt::get(h, S("EdgeColor")).text(), "none");
    EXPECT_EQ(rt::get(h, S("XData")).rows(), 3u);

    // The surface's own check, not surf's, meets a bad shape here.
    const std::string message = by_name_error("surf", 0, {x, x, z});
    EXPECT_NE(message, "");
    EXPECT_NE(message, "Input argument must be a matrix not a vector or a scalar");
}

TEST_F(SurfTest, ASingleVectorOrScalarIsRefusedAfterThePlotIsPrepared) {
    const std::string refused = "Input argument must be a matrix not a vector or a scalar";
    EXPECT_EQ(error_of([] { sys::surf(0, {Value::row({1, 2, 3, 4, 5})}); }), refused);
    EXPECT_EQ(error_of([] { sys::surf(0, {Value::column({1, 2, 3, 4, 5})}); }), refused);
    EXPECT_EQ(error_of([] { sys::surf(0, {Value(7.0)}); }), refused);
    // The axes were made before the check, and hold no surface.
    ASSERT_EQ(rt::open_figures().size(), 1u);
    EXPECT_EQ(surfaces_in(rt::gca()), 0u);
    // An empty matrix passes the check and reaches the surface creation.
    EXPECT_NE(error_of([] { sys::surf(0, {Value::empty()}); }), refused);

    rt::delete_(rt::gcf());
    EXPECT_EQ(by_name_error("surf", 0, {}), "Not enough input arguments.");
    EXPECT_EQ(rt::open_figures().size(), 1u);
}

TEST_F(SurfTest, HeldAxesKeepTheirViewAndGrids) {
    const Value ax = rt::gca();
    const Value first = sys::surf(1, {Value::zeros(2, 2)});
    rt::set(ax[0], "View", Value::row({0, 90}));
    rt::set(ax[0], "XGrid", S("off"));
    rt::set(ax[0], "YGrid", S("off"));
    rt::set(ax[0], "ZGrid", S("off"));
    rt::hold(S("on"));

    sys::surf(0, {rt::ones(2, 2)});
    EXPECT_EQ(surfaces_in(ax), 2u);
    EXPECT_TRUE(rt::ishandle(first[0]));
    EXPECT_EQ(nums(rt::get(ax, S("View"))), (std::vector<double>{0, 90}));
    expect_grids(ax, "off");
}

}  // namespace
