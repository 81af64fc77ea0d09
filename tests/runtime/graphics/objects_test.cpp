// The object tree: handles, properties, deletion, finding, units and
// application data.
#include <algorithm>
#include <cmath>
#include <string>

#include "graphics_fixture.hpp"
#include "runtime/array/text.hpp"

using rt::Value;

TEST_F(GraphicsTest, WindowsTakeTheLowestFreeNumberAndOtherHandlesAreNeverReused) {
    for (double n : {1, 2, 3}) EXPECT_EQ(num(rt::figure()), n);
    rt::delete_(Value(2.0));
    EXPECT_EQ(num(rt::figure()), 2);

    double first = num(rt::line(Value(1.0), Value(2.0)));
    EXPECT_NE(first, std::floor(first));
    rt::delete_(Value(first));
    double second = num(rt::line(Value(1.0), Value(2.0)));
    EXPECT_NE(second, first);
    // ishandle answers element by element in the shape of its input.
    Value r = rt::ishandle(Value::column({1, first, second, 0, 7}));
    EXPECT_TRUE(r.is_logical() && r.rows() == 5);
    EXPECT_EQ(nums(r), (D{1, 0, 1, 1, 0}));
    EXPECT_EQ(nums(rt::ishandle(S("abc"))), (D{0, 0, 0}));
    EXPECT_TRUE(rt::ishandle(Value::empty()).is_empty());
}

TEST_F(GraphicsTest, PropertyNamesIgnoreCaseAndReadBackInTheirStoredCase) {
    Value f = rt::figure();
    rt::set(f[0], "position", Value::row({10, 20, 300, 200}));
    EXPECT_EQ(getn(f, "POSITION"), (D{10, 20, 300, 200}));
    rt::set(f[0], "renderer", S("opengl"));
    EXPECT_EQ(gets(f, {"Renderer", "RendererMode"}), "OpenGL manual");

    Value all = rt::get(f);
    ASSERT_TRUE(all.is_struct());
    EXPECT_TRUE(all.has_field("CloseRequestFcn") && !all.has_field("position"));
    EXPECT_EQ(text_of(all.field("Type")), "figure");
    EXPECT_EQ(num(rt::get(rt::uicontrol(V({S("Style"), S("slider")})), S("parent"))), num(f));
}

TEST_F(GraphicsTest, NameAndTextValuesUsedAgainAreReadAgainForEachObjectPropertyAndChange) {
    Value f = rt::figure();
    Value l = rt::line(Value(0.0), Value(1.0));
    // The same name value on a line, then on a window (which has a "Color"
    // too), then a copy of it changed in place to another name.
    const Value color = S("Color");
    rt::set(l, V({color, S("r")}));
    rt::set(f, V({color, Value::row({0.5, 0.5, 0.5})}));
    EXPECT_EQ(nums(rt::get(l[0], "Color")), (D{1, 0, 0}));
    EXPECT_EQ(nums(rt::get(f[0], "Color")), (D{0.5, 0.5, 0.5}));
    Value name = S("Color");
    rt::set(l, V({name, S("g")}));
    const std::string xdata = "XData";
    std::copy(xdata.begin(), xdata.end(), name.mutable_data());
    rt::set(l, V({name, Value(5.0)}));
    EXPECT_EQ(num(rt::get(l[0], "XData")), 5);
    // Known to a line, unknown to a window: the window still refuses it by
    // the caller's spelling.
    const Value marker = S("mArker");
    rt::set(l, V({marker, S("o")}));
    EXPECT_NE(error_of([&] { rt::set(f, V({marker, S("o")})); }).find("mArker"), std::string::npos);
    // Many names in turn, more than are kept, then the first again.
    for (const char* n : {"LineWidth", "MarkerSize", "Visible", "Tag", "UserData", "LineStyle", "Marker", "YData"})
        EXPECT_NO_THROW(rt::get(l[0], n));
    rt::set(l, V({color, S("b")}));
    EXPECT_EQ(nums(rt::get(l[0], "Color")), (D{0, 0, 1}));

    // One text value, accepted by one property, then given to others that
    // read it differently or refuse it.
    const Value none = S("none");
    rt::set(l, V({S("Marker"), none}));
    rt::set(l, V({S("LineStyle"), none}));
    EXPECT_EQ(text_of(rt::get(l[0], "LineStyle")), "none");
    EXPECT_NE(error_of([&] { rt::set(l, V({S("Visible"), none})); }), "");
    // One letter: a colour on a line, a marker's refusal, and a copy changed
    // in place to another letter is read as that letter.
    Value letter = S("r");
    rt::set(l, V({S("Color"), letter}));
    EXPECT_NE(error_of([&] { rt::set(l, V({S("Marker"), letter})); }), "");
    letter.mutable_data()[0] = 'g';
    rt::set(l, V({S("Color"), letter}));
    EXPECT_EQ(nums(rt::get(l[0], "Color")), (D{0, 1, 0}));
}

TEST_F(GraphicsTest, UnknownPropertiesAndBadValuesNameTheTypeAndTheProperty) {
    Value f = rt::figure();
    Value c = rt::uicontrol(V({S("Style"), S("slider")}));
    const std::string no_valu = "There is no 'Valu' property on the uicontrol object.";
    EXPECT_EQ(error_of([&] { rt::set(c[0], "Valu", Value(1.0)); }), no_valu);
    EXPECT_EQ(error_of([&] { rt::get(c, S("Valu")); }), no_valu);
    EXPECT_EQ(error_of([&] { rt::set(f[0], "Visible", S("maybe")); }),
              "Bad value for the figure property 'Visible': expected 'on' or 'off'.");
    EXPECT_EQ(error_of([&] { rt::set(f[0], "type", S("axes")); }), "The figure property 'Type' is read-only.");
    EXPECT_EQ(error_of([&] {
                  rt::set(f[0], "Position", Value::row({0, 0, -5, 10}));
              }),
              "Bad value for the figure property 'Position': expected [left bottom width height] with width and "
              "height not negative.");
    EXPECT_EQ(error_of([&] { rt::set(c[0], "Style", S("knob")); }),
              "Bad value for the uicontrol property 'Style': expected 'pushbutton', 'togglebutton', "
              "'radiobutton', 'checkbox', 'edit', 'text', 'slider', 'frame', 'listbox', or 'popupmenu'.");
    EXPECT_NE(error_of([&] {
                  rt::set(f[0], "Color", Value::row({0, 2, 0}));
              }).find("expected [r g b]"),
              std::string::npos);
    EXPECT_EQ(gets(f, "Visible"), "on");  // a failed set changes nothing
}

// Subtrees going with their parent are checked where objects move between
// windows and where deletion callbacks run.
TEST_F(GraphicsTest, DeletingAWindowHandsOnCurrencyAndABadHandleDeletesNothing) {
    Value f1 = rt::figure();
    Value f2 = rt::figure();
    Value f3 = rt::figure();
    rt::figure(V({f2}));  // f2 current, then f3 was before it
    rt::delete_(f2);
    EXPECT_EQ(num(rt::gcf()), num(f3));
    rt::delete_(f3);
    EXPECT_EQ(num(rt::gcf()), num(f1));
    EXPECT_EQ(num(rt::get(0.0, "CurrentFigure")), num(f1));

    EXPECT_EQ(error_of([] { rt::delete_(Value(0.0)); }), "delete: the root (0) cannot be deleted.");
    EXPECT_EQ(error_of([] { rt::delete_(Value::row({1, 99})); }), "delete: 99 is not a valid handle.");
    EXPECT_TRUE(rt::ishandle(f1[0]));  // nothing deleted when one handle is bad
}

TEST_F(GraphicsTest, HandlesStayFoundWhateverOrderObjectsAreDeletedIn) {
    // Enough objects for the handle table to grow several times and shrink
    // again as they go, deleted in a scattered order.
    std::vector<double> lines;
    for (int i = 0; i < 3000; ++i) lines.push_back(rt::line(Value(0.0), Value(1.0))[0]);
    std::vector<bool> alive(lines.size(), true);
    for (std::size_t round = 0; round < 4; ++round) {
        for (std::size_t i = round; i < lines.size(); i += 4) {
            const std::size_t d = (i * 7919) % lines.size();
            if (!alive[d]) continue;
            rt::delete_(Value(lines[d]));
            alive[d] = false;
        }
        for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(rt::ishandle(lines[i]), alive[i]) << round << " " << i;
        EXPECT_FALSE(rt::ishandle(lines.back() + 1) || rt::ishandle(lines[5] + 0.25));
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (alive[i]) rt::delete_(Value(lines[i]));
    }
    EXPECT_NE(error_of([&] { rt::delete_(Value(lines[6])); }), "");
    EXPECT_EQ(rt::get(rt::gca(), S("Children")).numel(), 0u);
}

TEST_F(GraphicsTest, AnObjectMadeAfterADeletionReadsOnlyItsOwnValues) {
    // Deleted objects are reused for new ones, of any type.
    Value old_line = rt::line(Value(0.0), Value(1.0));
    rt::set(old_line,
            V({S("Color"), S("r"), S("Tag"), S("old"), S("UserData"), Value(7.0), S("LineWidth"), Value(3.0)}));
    Value old_text = rt::text(V({Value(0.0), Value(0.0), S("words")}));
    rt::delete_(old_line);
    rt::delete_(old_text);
    Value rect = rt::rectangle(V({S("Position"), Value::row({1, 2, 3, 4})}));
    Value line = rt::line(Value(0.0), Value(1.0));
    EXPECT_EQ(text_of(rt::get(rect, S("Tag"))), "");
    EXPECT_TRUE(rt::get(rect, S("UserData")).is_empty());
    EXPECT_EQ(num(rt::get(rect, S("LineWidth"))), 0.5);
    EXPECT_EQ(nums(rt::get(rect, S("Position"))), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(nums(rt::get(line, S("Color"))), (std::vector<double>{0, 0, 0}));
    EXPECT_EQ(text_of(rt::get(line, S("Tag"))), "");
    EXPECT_EQ(num(rt::get(line, S("LineWidth"))), 0.5);
}

TEST_F(GraphicsTest, FindallListsTheWindowThenEverythingInCreationOrder) {
    Value f = rt::figure(V({S("Tag"), S("figure1")}));
    Value c1 = rt::uicontrol(V({S("Tag"), S("alpha")}));
    Value ax = rt::axes({});
    Value title = rt::get(ax, S("title"));
    Value c2 = rt::uicontrol(V({S("Tag"), S("alpha")}));
    Value l = rt::line(Value(1.0), Value(1.0));
    rt::figure();  // another window's objects stay out

    Value all = rt::findall(f);
    EXPECT_EQ(all.cols(), 1u);
    EXPECT_EQ(nums(all), (D{num(f), num(c1), num(ax), num(title), num(c2), num(l)}));
    EXPECT_EQ(nums(rt::findall(f, V({S("Tag"), S("alpha")}))), (D{num(c1), num(c2)}));
    EXPECT_EQ(rt::findobj(V({f})).numel(), 5u);  // the hidden title left out
    EXPECT_EQ(rt::findall(f, V({S("Tag"), S("none")})).numel(), 0u);
}

TEST_F(GraphicsTest, PositionsConvertBetweenUnitsAndOuterPositionAddsTheFrame) {
    Value root(0.0);
    EXPECT_EQ(getn(root, {"ScreenSize", "ScreenPixelsPerInch"}), (D{1, 1, 1280, 1024, 96}));
    rt::set_screen_size(1024, 768);
    EXPECT_EQ(getn(root, "screensize"), (D{1, 1, 1024, 768}));
    rt::set(0.0, "Units", S("normalized"));
    EXPECT_EQ(getn(root, "ScreenSize"), (D{0, 0, 1, 1}));
    rt::set(0.0, "Units", S("pixels"));

    Value f = rt::figure(V({S("Position"), Value::row({100, 50, 400, 300})}));
    EXPECT_EQ(getn(f, "OuterPosition"), (D{97, 47, 406, 324}));
    rt::set(f[0], "OuterPosition", Value::row({10, 20, 400, 300}));
    EXPECT_EQ(getn(f, "Position"), (D{13, 23, 394, 276}));
    rt::set(f[0], "Units", S("normalized"));
    EXPECT_EQ(getn(f, "Position"), (D{13.0 / 1024, 23.0 / 768, 394.0 / 1024, 276.0 / 768}));
    // Controls measure from their window.
    Value c = rt::uicontrol(V({S("Units"), S("normalized"), S("Position"), Value::row({0.5, 0.5, 0.25, 0.5})}));
    rt::set(c[0], "Units", S("pixels"));
    EXPECT_EQ(getn(c, "Position"), (D{197, 138, 98.5, 138}));

    // Inches and points go through pixels at 96 to the inch.
    rt::set(f[0], "Units", S("pixels"));
    rt::set(f[0], "Position", Value::row({96, 192, 288, 96}));
    for (auto [units, want] : {std::pair{"inches", D{1, 2, 3, 1}}, {"points", D{72, 144, 216, 72}}}) {
        rt::set(f[0], "Units", S(units));
        EXPECT_EQ(getn(f, "Position"), want) << units;
    }
    rt::set(f[0], "Position", Value::row({0, 0, 72, 72}));
    rt::set(f[0], "Units", S("pixels"));
    EXPECT_EQ(getn(f, "Position"), (D{0, 0, 96, 96}));
}

TEST_F(GraphicsTest, ApplicationDataReadsEmptyUntilSetAndCanBeRemoved) {
    Value f = rt::figure();
    EXPECT_TRUE(rt::getappdata(f, S("x")).is_empty() && !rt::isappdata(f, S("x")));
    rt::setappdata(f, S("x"), Value(5.0));
    EXPECT_TRUE(rt::isappdata(f, S("x")));
    EXPECT_EQ(D({num(rt::getappdata(f, S("x"))), num(rt::getappdata(f).field("x"))}), D({5, 5}));
    rt::rmappdata(f, S("x"));
    EXPECT_FALSE(rt::isappdata(f, S("x")));
    EXPECT_EQ(error_of([&] { rt::rmappdata(f, S("x")); }), "rmappdata: there is no application data named 'x'.");
    EXPECT_EQ(error_of([] { rt::getappdata(Value(42.5), S("x")); }), "getappdata: 42.5 is not a valid handle.");
    EXPECT_EQ(error_of([&] { rt::setappdata(f, Value(3.0), Value(1.0)); }),
              "setappdata: the name must be text, not 3.");
}

TEST_F(GraphicsTest, AFailedCreationLeavesNoObjectBehind) {
    Value f = rt::figure();
    rt::gca();
    const std::size_t before = rt::findall(f).numel();
    EXPECT_NE(error_of([] { rt::rectangle(V({S("Position"), Value::row({0, 0, -1, 1})})); }), "");
    EXPECT_NE(error_of([] { rt::uicontrol(V({S("Style"), S("knob")})); }), "");
    EXPECT_NE(error_of([] { rt::line(V({Value(1.0), Value(1.0), S("Marker")})); }), "");
    EXPECT_NE(error_of([] { rt::figure(V({S("Colour"), S("r")})); }), "");
    EXPECT_EQ(rt::findall(f).numel(), before);
    EXPECT_EQ(num(rt::figure()), 2);  // the failed window's number is free again
}

TEST_F(GraphicsTest, ObjectsAreMadeInAndMovedBetweenWindowsWithinTheTypeRules) {
    Value f1 = rt::figure();
    Value a1 = rt::axes({});
    Value f2 = rt::figure();
    Value a2 = rt::axes(V({S("Parent"), f1}));  // made in the current window, then moved
    EXPECT_EQ(num(rt::get(f1, S("CurrentAxes"))), num(a2));
    Value l = rt::line(Value(1.0), Value(1.0));
    const Value from = rt::get(l, S("Parent"));
    rt::set(l[0], "Parent", a1);
    EXPECT_EQ(rt::findall(a1).numel(), 3u);  // axes, title, line
    EXPECT_EQ(rt::findall(from).numel(), 2u);
    EXPECT_EQ(error_of([&] { rt::set(l[0], "Parent", f1); }),
              "Bad value for the line property 'Parent': expected the handle of axes.");
    rt::axes(V({a1}));
    EXPECT_EQ(D({num(rt::gca()), num(rt::gcf())}), D({num(a1), num(f1)}));
    rt::delete_(a1);
    EXPECT_FALSE(rt::ishandle(l[0]));
    EXPECT_EQ(num(rt::gca()), num(a2));  // another axes of the window takes over

    Value c = rt::uicontrol(V({f2, S("Style"), S("edit")}));
    EXPECT_EQ(num(rt::get(c, S("Parent"))), num(f2));
    EXPECT_EQ(error_of([&] {
                  rt::uicontrol(V({a2, S("Style"), S("edit")}));
              }),
              "uicontrol: " + rt::num2str(num(a2)) + " is not a window handle.");
    rt::figure(V({f2, S("Name"), S("renamed")}));
    EXPECT_EQ(gets(f2, "Name"), "renamed");
    EXPECT_EQ(num(rt::gcf()), num(f2));
}

TEST_F(GraphicsTest, AChangeMarksTheWindowItIsInNowForRepainting) {
    // Moved objects (an axes to another window, a line to axes there) count
    // their changes to the window they were moved to.
    for (const bool move_axes : {true, false}) {
        Value f1 = rt::figure();
        Value a1 = rt::axes({});
        Value l = rt::line(Value(1.0), Value(1.0));
        Value f2 = rt::figure();
        Value a2 = rt::axes({});
        if (move_axes) rt::set(a1[0], "Parent", f2);
        else rt::set(l[0], "Parent", a2);
        const rt::GraphicsObject* w1 = rt::find_object(num(f1));
        const rt::GraphicsObject* w2 = rt::find_object(num(f2));
        const auto before1 = w1->content_version(), before2 = w2->content_version();
        rt::set(l[0], "Color", Value::row({1, 0, 0}));
        EXPECT_EQ(w1->content_version(), before1) << move_axes;
        EXPECT_GT(w2->content_version(), before2) << move_axes;
        rt::close(V({S("all")}));
    }
}

TEST_F(GraphicsTest, TextObjectsTakeAPositionAndAString) {
    Value t = rt::text(V({Value(1.0), Value(2.0), S("label"), S("FontWeight"), S("bold")}));
    EXPECT_EQ(getn(t, "Position"), (D{1, 2, 0}));
    EXPECT_EQ(gets(t, {"FontWeight", "String"}), "bold label");
    rt::set(t[0], "String", Value(0.25));
    EXPECT_EQ(gets(t, "String"), "0.25");
    rt::set(t[0], "Position", Value::row({3, 4}));
    EXPECT_EQ(getn(t, "Position"), (D{3, 4, 0}));
    EXPECT_NE(error_of([] { rt::text(V({Value(1.0), S("label")})); }), "");
    EXPECT_EQ(error_of([] {
                  rt::text(V({Value::row({1, 2}), Value(2.0), S("label")}));
              }),
              "text: the coordinates must be single numbers.");
    EXPECT_EQ(error_of([&] { rt::set(t[0], "FontSize", Value(0.0)); }),
              "Bad value for the text property 'FontSize': expected a finite number greater than 0.");
}
