// surf: one surface in axes prepared for a new plot; fresh axes turn to the
// 3-D view with their grids on, held axes keep theirs.
#include "figutil/surf.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

class SurfTest : public FigutilTest {
protected:
    static std::size_t surfaces_in(const Value& ax) { return rt::findall(ax, V({S("Type"), S("surface")})).numel(); }
    static std::string grids(const Value& ax) {
        return rt::get(ax, S("XGrid")).text() + rt::get(ax, S("YGrid")).text() + rt::get(ax, S("ZGrid")).text();
    }
};

TEST_F(SurfTest, AMatrixOnFreshAxesTurnsThemTo3DWithGridsAndHeldAxesKeepTheirs) {
    const Value z = Value::from_rows(3, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    const Value h = sys::surf(1, {z});
    const Value ax = rt::gca();
    EXPECT_EQ(rt::get(h, S("Parent"))[0], ax[0]);
    EXPECT_EQ(nums(rt::get(h, S("ZData"))), nums(z));
    EXPECT_EQ(nums(rt::get(ax, S("View"))), (std::vector<double>{-37.5, 30}));
    EXPECT_EQ(grids(ax), "ononon");
    // Nothing requested, nothing given back, and no warning about it; a new
    // plot replaces the old one.
    EXPECT_TRUE(sys::surf(0, {z}).is_unassigned());
    EXPECT_EQ(warnings_.str(), "");
    EXPECT_EQ(surfaces_in(ax), 1u);

    rt::set(ax, V({S("View"), Value::row({0, 90}), S("XGrid"), S("off"), S("YGrid"), S("off"), S("ZGrid"), S("off")}));
    rt::hold(S("on"));
    sys::surf(0, {rt::ones(2, 2)});
    EXPECT_EQ(surfaces_in(ax), 2u);
    EXPECT_EQ(nums(rt::get(ax, S("View"))), (std::vector<double>{0, 90}));
    EXPECT_EQ(grids(ax), "offoffoff");
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

}  // namespace
