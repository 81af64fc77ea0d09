// guihandles: the structure of a window's tagged objects.
#include "figutil/guihandles.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

using GuihandlesTest = FigutilTest;

TEST_F(GuihandlesTest, FieldsFollowTheObjectListAndShareDuplicatedTags) {
    const Value w = rt::figure(V({S("Tag"), S("figure1")}));
    const Value first = control_in(w, "alpha");
    const Value upper = control_in(w, "Alpha");
    const Value second = control_in(w, "alpha");
    const Value hidden = rt::uicontrol(V({w, S("Tag"), S("radiobutton1"), S("HandleVisibility"), S("off")}));
    const Value ax = rt::axes(V({S("Parent"), w, S("Tag"), S("axes1")}));

    const Value handles = sys::guihandles(w);
    ASSERT_TRUE(handles.is_struct());
    EXPECT_EQ(handles.field_names(), (std::vector<std::string>{"figure1", "alpha", "Alpha", "radiobutton1", "axes1"}));
    EXPECT_EQ(nums(handles.field("figure1")), (std::vector<double>{w[0]}));
    const Value& alpha = handles.field("alpha");
    EXPECT_EQ(alpha.rows(), 1u);
    EXPECT_EQ(nums(alpha), (std::vector<double>{first[0], second[0]}));
    EXPECT_EQ(nums(handles.field("Alpha")), (std::vector<double>{upper[0]}));
    EXPECT_EQ(nums(handles.field("radiobutton1")), (std::vector<double>{hidden[0]}));
    EXPECT_EQ(nums(handles.field("axes1")), (std::vector<double>{ax[0]}));

    // The same structure from any object of the window, or from the current
    // window when no input is given.
    EXPECT_TRUE(rt::isequal(sys::guihandles(ax), handles));
    rt::figure(V({w}));
    EXPECT_TRUE(rt::isequal(sys::guihandles(), handles));
    EXPECT_TRUE(rt::isequal(by_name("guihandles", 1, {first})[0], handles));
}

TEST_F(GuihandlesTest, TagsThatCannotBeFieldNamesAreSkipped) {
    const Value w = window();
    for (const char* tag : {"", "a b", "1st", "_x", "end", "x-y", "abcdefghijklmnopqrstuvwxyz123456"})
        control_in(w, tag);
    EXPECT_TRUE(rt::isequal(sys::guihandles(w), Value::empty()));
    EXPECT_TRUE(sys::guihandles(w).is_double());

    control_in(w, "End");  // reserved words compare with letter case
    const Value handles = sys::guihandles(w);
    ASSERT_TRUE(handles.is_struct());
    EXPECT_EQ(handles.field_names(), (std::vector<std::string>{"End"}));

    // A snapshot: a later control is not in the structure built before it.
    control_in(w, "later");
    EXPECT_FALSE(handles.has_field("later"));
}

TEST_F(GuihandlesTest, RefusesHandlesOutsideAWindowButNeverWithoutInput) {
    const Value w = window();
    const std::string refused = "H must be the handle to a figure or figure descendent.";
    EXPECT_EQ(error_of([] { sys::guihandles(Value(0.0)); }), refused);
    EXPECT_EQ(error_of([] { sys::guihandles(Value::empty()); }), refused);
    EXPECT_EQ(error_of([&] { sys::guihandles(Value::row({w[0], w[0]})); }), refused);

    rt::delete_(w);
    EXPECT_EQ(error_of([] { sys::guihandles(); }), "");  // makes a window of its own
    EXPECT_EQ(rt::findall(Value(0.0)).numel(), 2u);
}

}  // namespace
