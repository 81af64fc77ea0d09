// The object tree: handles, properties, deletion, finding, units and
// application data; the graphics functions called by name; layout files;
// numbers in any locale.
#include <clocale>
#include <limits>

#include "graphics_fixture.hpp"
#include "runtime/array/display.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/expression/expression.hpp"
#include "runtime/graphics/layout_loader.hpp"

// The object tree: handles, properties, deletion, finding, units and
// application data.
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

// Numbers next to a handle's k + 0.5 form, some of which pass for it once
// truncated or rounded, find nothing.
TEST_F(GraphicsTest, NumbersNearTheHandleFormAreNoHandles) {
    const double line = num(rt::line(Value(1.0), Value(2.0)));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    for (double h : {0.5, -0.5, -line, line + 1, line - 0.25, nan, inf, -inf, 4503599627370496.0, 9007199254740992.0,
                     9223372036854775808.0, 1e300}) {
        EXPECT_FALSE(rt::ishandle(h)) << h;
        EXPECT_THROW(rt::delete_(Value(h)), rt::Error) << h;
    }
    EXPECT_TRUE(rt::ishandle(line));
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

TEST_F(GraphicsTest, SettingAnAxesPlaceOrALimitAlsoSetsTheWordThatGoesWithIt) {
    const Value ax = rt::gca();
    const struct {
        const char* name;
        Value value;
        const char* follower;
        const char* word;
    } cases[] = {
        {"Position", Value::row({0.1, 0.1, 0.5, 0.5}), "ActivePositionProperty", "position"},
        {"OuterPosition", Value::row({0, 0, 1, 1}), "ActivePositionProperty", "outerposition"},
        {"CLim", Value::row({0, 2}), "CLimMode", "manual"},
        {"ZLim", Value::row({-1, 1}), "ZLimMode", "manual"},
        {"PlotBoxAspectRatio", Value::row({1, 2, 1}), "PlotBoxAspectRatioMode", "manual"},
    };
    for (const auto& c : cases) {
        rt::set(ax, V({S(c.name), c.value}));
        EXPECT_EQ(gets(ax, c.follower), c.word) << c.name;
    }
}

TEST_F(GraphicsTest, OneNameAndValueGivenToObjectsOfDifferentTypesFollowEachTypesRule) {
    // The same name and value blocks each time, as a run's constants are.
    const Value face = S("FaceColor"), flat = S("flat"), place = S("Position");
    const Value ax = rt::gca(), surf = rt::surface(V({Value::zeros(2, 2)}));
    const Value rect = rt::rectangle({});
    const Value row = Value::row({0.1, 0.1, 0.5, 0.5});
    rt::set(ax, V({S("OuterPosition"), Value::row({0, 0, 1, 1})}));
    const struct {
        Value target, name, value;
        bool accepted;
    } cases[] = {{surf, face, flat, true},
                 {rect, face, flat, false},
                 {surf, face, flat, true},
                 {rect, place, row, true},
                 {ax, place, row, true}};
    for (const auto& c : cases) {
        const std::string failure = error_of([&] { rt::set(c.target, V({c.name, c.value})); });
        EXPECT_EQ(failure.empty(), c.accepted) << failure;
    }
    EXPECT_EQ(gets(surf, "FaceColor"), "flat");
    EXPECT_EQ(gets(ax, "ActivePositionProperty"), "position");  // the axes' rule, not the rectangle's
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
    // UserData empty: nothing of it among the numbers.
    EXPECT_EQ(getn(rect, {"UserData", "LineWidth", "Position"}), (D{0.5, 1, 2, 3, 4}));
    EXPECT_EQ(getn(line, {"Color", "LineWidth"}), (D{0, 0, 0, 0.5}));
    EXPECT_EQ(gets(rect, "Tag") + gets(line, "Tag"), "");
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

TEST_F(GraphicsTest, PairsWithNamesSeenBeforeAreCheckedAsTheFirstTime) {
    // The same name and colour values every time, as a learning step gives them.
    const Value position = S("Position"), face = S("FaceColor"), blue = S("b"), width = S("LineWidth");
    rt::figure();
    const Value ax = rt::gca();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        Value place, name, value;
        D want;  // Position, then the named property; empty: the call fails and leaves nothing
    };
    const Case cases[] = {
        {Value::row({1, 2, 3, 4}), face, blue, {1, 2, 3, 4, 0, 0, 1}},
        {Value::row({5, 6, 7, 8}), face, blue, {5, 6, 7, 8, 0, 0, 1}},
        {Value::row({0, 0, -1, 1}), face, blue, {}},
        {Value::row({0, 0, 1, inf}), face, blue, {}},
        {Value::row({1, 1, 1, 1}), face, S("r"), {1, 1, 1, 1, 1, 0, 0}},
        {Value::row({1, 1, 1, 1}), face, S("bogus"), {}},
        {Value::row({1, 1, 1, 1}), width, Value(2.0), {1, 1, 1, 1, 2}},
        {Value::row({1, 1, 1}), face, blue, {}},
        {Value::row({1, 1, 1, 1}), position, Value::row({2, 2, 2, 2}), {2, 2, 2, 2, 2, 2, 2, 2}},
        {Value::row({5, 6, 7, 8}), face, blue, {5, 6, 7, 8, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        const std::size_t before = rt::get(ax, S("Children")).numel();
        Value rect;
        const std::string error = error_of([&] { rect = rt::rectangle(V({position, c.place, c.name, c.value})); });
        if (c.want.empty()) {
            EXPECT_NE(error, "");
            EXPECT_EQ(rt::get(ax, S("Children")).numel(), before);
        } else {
            EXPECT_EQ(getn(rect, {"Position", c.name.text().c_str()}), c.want) << error;
        }
    }
}

TEST_F(GraphicsTest, APropertyNamedTwiceTakesTheLastValueEveryTime) {
    // Given again, the same pairs are recognised as kept, and must not fill
    // one slot twice.
    const Value position = S("Position"), first = Value::row({1, 2, 3, 4}), last = Value::row({5, 6, 7, 8});
    rt::figure();
    for (int round = 0; round < 3; ++round) {
        const Value rect = rt::rectangle(V({position, first, position, last}));
        EXPECT_EQ(getn(rect, "Position"), (D{5, 6, 7, 8})) << round;
        rt::delete_(rect);
    }
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

// The graphics functions called by name: their count and class checks, and
// the runtime switches.
namespace {

std::vector<Value> call(const char* name, int nargout, std::vector<Value> args) {
    return rt::feval(name, nargout, args);
}

}  // namespace

TEST_F(GraphicsTest, CountsAreCheckedWithTheRuntimesMessages) {
    EXPECT_EQ(error_of([] { call("get", 1, {}); }), "Not enough input arguments.");
    EXPECT_EQ(error_of([] { call("get", 1, {Value(0.0), S("Units"), S("x")}); }), "Too many input arguments.");
    EXPECT_EQ(error_of([] { call("get", 2, {Value(0.0), S("Units")}); }), "Too many output arguments.");
    EXPECT_EQ(error_of([] { call("set", 1, {Value(0.0), S("Units"), S("pixels")}); }), "Too many output arguments.");
    EXPECT_EQ(error_of([] { call("gcf", 1, {Value(1.0)}); }), "Too many input arguments.");
    EXPECT_EQ(error_of([] { call("meshgrid", 3, {Value(1.0)}); }), "Too many output arguments.");
    EXPECT_EQ(rt::figure()[0], 1);  // nothing was created by a refused call
}

TEST_F(GraphicsTest, GetAndSetByNameRefuseBadArgumentsClearly) {
    Value f = call("figure", 1, {})[0];
    EXPECT_EQ(call("get", 1, {f, S("type")})[0].text(), "figure");
    call("set", 0, {f, S("Name"), S("cart"), S("Visible"), S("off")});
    EXPECT_EQ(rt::get(f[0], "Name").text(), "cart");
    EXPECT_TRUE(call("get", 1, {f})[0].is_struct());

    EXPECT_EQ(error_of([&] { call("get", 1, {f, Value(5.0)}); }), "get: expected a property name (text), not 5.");
    EXPECT_EQ(error_of([&] { call("get", 1, {S("f"), S("Name")}); }), "get: expected graphics handles, not 'f'.");
    EXPECT_EQ(error_of([&] { call("get", 1, {Value(7.5), S("Name")}); }), "get: 7.5 is not a valid handle.");
    EXPECT_EQ(error_of([&] { call("set", 0, {f, S("Name")}); }), "set: the property 'Name' has no value.");
    EXPECT_EQ(error_of([&] {
                  call("set", 0, {f, Value(1.0), Value(2.0)});
              }),
              "set: expected a property name (text), not 1.");
    EXPECT_EQ(error_of([&] {
                  call("set", 0, {f, S("Nmae"), S("x")});
              }),
              "There is no 'Nmae' property on the figure object.");
    // A bad pair stops the set there: the pairs before it took effect.
    EXPECT_NE(error_of([&] { call("set", 0, {f, S("Name"), S("b"), S("Visible"), Value(3.0)}); }), "");
    EXPECT_EQ(rt::get(f[0], "Name").text(), "b");

    // Several handles read as a column cell.
    Value g = call("figure", 1, {})[0];
    Value names = call("get", 1, {Value::row({f[0], g[0]}), S("Type")})[0];
    EXPECT_TRUE(names.is_cell() && names.rows() == 2);
    EXPECT_EQ(error_of([] { call("delete", 0, {S("all")}); }), "delete: expected graphics handles, not 'all'.");
    EXPECT_EQ(error_of([] { call("view", 0, {S("top")}); }),
              "view: expected view(az, el), view([az el]), view(2) or view(3); not 'top'.");
    EXPECT_EQ(error_of([] { call("pause", 0, {S("x")}); }),
              "pause: the duration must be a number of seconds, 0 or more.");
}

TEST_F(GraphicsTest, FeatureSwitchesReadSetAndDescribeTheRenderer) {
    EXPECT_EQ(rt::feature(1, S("openglmode")).scalar(), 2);
    EXPECT_TRUE(rt::feature(0, S("OpenGLMode"), Value(7.0)).is_unassigned());
    EXPECT_EQ(call("feature", 1, {S("openglmode")})[0].scalar(), 7);

    Value info = rt::feature(1, S("getopenglinfo"));
    for (const char* field : {"Version", "Vendor", "Renderer", "Software"})
        EXPECT_TRUE(info.has_field(field) && info.field(field).is_char()) << field;
    EXPECT_NE(info.field("Renderer").text().find("QPainter"), std::string::npos);
    EXPECT_TRUE(rt::feature(0, S("getopenglinfo")).is_unassigned());
    EXPECT_NE(console_.str().find("Renderer = "), std::string::npos);

    EXPECT_EQ(error_of([] { rt::feature(1, S("warp")); }), "feature: unknown feature 'warp'.");
    EXPECT_EQ(error_of([] { rt::feature(0, S("openglmode"), S("auto")); }), "feature: 'openglmode' takes a number.");
    rt::graphics_library_terminate();
    rt::graphics_library_initialize();
    EXPECT_EQ(rt::feature(1, S("openglmode")).scalar(), 2);
}

// Layout files: a good one loads whole; each kind of bad one fails with one
// message naming the file and the place, and leaves nothing behind.
namespace {

class LayoutTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        dir_ = sys_test::make_temp_folder();
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

// Number text under a comma-decimal C locale, as a toolkit sets it when it
// starts. The locale is built with localedef into a folder of the test's own
// (LOCPATH); the test is skipped only when even that cannot be had.
namespace {

const fs::path dir = fs::temp_directory_path() / ("tavrin-locale-" + std::to_string(::getpid()));

bool use_comma_locale() {
    const std::string made = (dir / "de_DE.UTF-8").string();
    if (std::system(("localedef -i de_DE -f UTF-8 '" + made + "' >/dev/null 2>&1").c_str()) != 0 && !fs::exists(made))
        return false;
    ::setenv("LOCPATH", dir.c_str(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && *std::localeconv()->decimal_point == ',';
}

TEST_F(GraphicsTest, NumbersAreWrittenAndReadWithADecimalPointInAnyLocale) {
    fs::create_directories(dir);
    if (!use_comma_locale()) {
        fs::remove_all(dir);
        GTEST_SKIP() << "no comma-decimal locale could be made (localedef, de_DE sources)";
    }
    EXPECT_EQ(rt::num2str(0.25) + " " + rt::num2str(-3.14159265) + " " + rt::num2str(1.5e-7), "0.25 -3.1416 1.5e-07");
    EXPECT_EQ(rt::display_line("ALPHA", rt::Value(0.3)), "ALPHA = 0.3");
    EXPECT_EQ(rt::num2str(rt::Value::row({0.5, 2.25})).text(), "0.5  2.25");
    EXPECT_EQ(rt::parse_number("+0.25"), 0.25);
    EXPECT_FALSE(rt::parse_number("0,25"));

    rt::EvalContext ctx;
    rt::evaluate("x = 0.25", ctx, false);
    EXPECT_EQ(ctx.find("x")->scalar(), 0.25);
    std::ofstream(dir / "comma.fig") << R"({"type": "figure", "Tag": "f", "UserData": 0.25})";
    EXPECT_EQ(rt::get(rt::load_layout((dir / "comma.fig").string()), "UserData").scalar(), 0.25);

    std::setlocale(LC_NUMERIC, "C");
    fs::remove_all(dir);
}

}  // namespace
