// guidata: one value per window, reached from the window or anything in it.
#include "figutil/guidata.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

using GuidataTest = FigutilTest;

TEST_F(GuidataTest, OneValuePerWindowReachedFromAnyObjectInIt) {
    const Value w = window();
    const Value c = control_in(w, "alpha_sl");
    const Value ax = rt::axes(V({S("Parent"), w}));
    const Value other = window();

    EXPECT_TRUE(sys::guidata(1, w).is_empty());  // nothing stored yet
    sys::guidata(0, w, S("first"));
    EXPECT_EQ(sys::guidata(1, ax).text(), "first");

    // A store through a control replaces the window's value and is kept on the
    // window itself, not on the control.
    by_name("guidata", 0, {c, Value::row({1, 2, 3})});
    EXPECT_EQ(nums(by_name("guidata", 1, {w})[0]), (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(rt::getappdata(c, S("UsedByGUIData_m")).is_empty());
    EXPECT_EQ(nums(rt::getappdata(w, S("UsedByGUIData_m"))), (std::vector<double>{1, 2, 3}));
    EXPECT_TRUE(sys::guidata(1, other).is_empty());

    // Two inputs store, whatever the second is.
    sys::guidata(0, w, Value::empty());
    const Value stored = sys::guidata(1, w);
    EXPECT_TRUE(stored.is_double() && stored.is_empty());
}

TEST_F(GuidataTest, RefusesAnythingButOneHandleInsideAWindowAndAnOutputOfAStore) {
    const Value w = window();
    sys::guidata(0, w, S("kept"));
    const std::string refused = "H must be the handle to a figure or figure descendent.";
    EXPECT_EQ(error_of([] { sys::guidata(1, Value(0.0)); }), refused);
    EXPECT_EQ(error_of([] { sys::guidata(1, Value::empty()); }), refused);
    EXPECT_EQ(error_of([&] { sys::guidata(1, Value::row({w[0], w[0]})); }), refused);
    EXPECT_EQ(error_of([] { sys::guidata(1, Value(42.0)); }), refused);
    EXPECT_EQ(error_of([] { sys::guidata(1, S("figure1")); }), refused);
    EXPECT_EQ(error_of([] { sys::guidata(0, Value(0.0), S("lost")); }), refused);
    EXPECT_EQ(by_name_error("guidata", 1, {}), "Not enough input arguments.");
    // A store refuses to give anything, before it stores.
    EXPECT_EQ(by_name_error("guidata", 1, {w, S("refused")}), "Too many output arguments.");
    EXPECT_EQ(sys::guidata(1, w).text(), "kept");
}

}  // namespace
