// The utilities of a window (its data, its tagged objects, its layout file
// and its place on the screen), the plotting utilities, and the names they
// check.
#include "figutil/grid.hpp"
#include "figutil/guidata.hpp"
#include "figutil/guihandles.hpp"
#include "figutil/iskeyword.hpp"
#include "figutil/isvarname.hpp"
#include "figutil/movegui.hpp"
#include "figutil/openfig.hpp"
#include "figutil/opengl.hpp"
#include "figutil/surf.hpp"
#include "figutil/title.hpp"
#include "figutil_fixture.hpp"

// The utilities of a window: its data, its tagged objects, its layout file
// and its place on the screen.
namespace {

// guidata: one value per window, reached from the window or anything in it.
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
    EXPECT_EQ(std::tuple(rt::getappdata(c, S("UsedByGUIData_m")).is_empty(),
                         nums(rt::getappdata(w, S("UsedByGUIData_m"))), sys::guidata(1, other).is_empty()),
              std::tuple(true, std::vector<double>{1, 2, 3}, true));

    // Two inputs store, whatever the second is.
    sys::guidata(0, w, Value::empty());
    const Value stored = sys::guidata(1, w);
    EXPECT_TRUE(stored.is_double() && stored.is_empty());
}

TEST_F(GuidataTest, RefusesAnythingButOneHandleInsideAWindowAndAnOutputOfAStore) {
    const Value w = window();
    sys::guidata(0, w, S("kept"));
    const std::string refused = "H must be the handle to a figure or figure descendent.";
    for (const Value& h : {Value(0.0), Value::empty(), Value::row({w[0], w[0]}), Value(42.0), S("figure1")})
        EXPECT_EQ(error_of([&] { sys::guidata(1, h); }), refused);
    EXPECT_EQ(error_of([] { sys::guidata(0, Value(0.0), S("lost")); }), refused);
    EXPECT_EQ(by_name_error("guidata", 1, {}), "Not enough input arguments.");
    // A store refuses to give anything, before it stores.
    EXPECT_EQ(by_name_error("guidata", 1, {w, S("refused")}), "Too many output arguments.");
    EXPECT_EQ(sys::guidata(1, w).text(), "kept");
}

// guihandles: the structure of a window's tagged objects.
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
    std::vector<std::vector<double>> fields;
    for (const std::string& name : handles.field_names()) fields.push_back(nums(handles.field(name)));
    EXPECT_EQ(fields,
              (std::vector<std::vector<double>>{{w[0]}, {first[0], second[0]}, {upper[0]}, {hidden[0]}, {ax[0]}}));
    EXPECT_EQ(handles.field("alpha").rows(), 1u);

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

// openfig: windows from layout files, and the registry of each file's
// windows in the root's application data.

// A window on screen at [100 100 400 300] (inner), tagged figure1.
const char* kOnScreen = R"({"type": "figure", "Tag": "figure1", "Units": "pixels",
  "Position": [100, 100, 400, 300],
  "children": [{"type": "uicontrol", "Style": "pushbutton", "Tag": "pushbutton1"}]})";

class OpenfigTest : public FigutilTest {
protected:
    void SetUp() override {
        FigutilTest::SetUp();
        dir_ = sys_test::make_temp_folder();
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
    EXPECT_EQ(std::tuple(rt::get(f, S("Tag")).text(), registry("tavrin_SINGLETON_handle"), rt::gcf()[0]),
              std::tuple("figure1", std::vector<double>{f[0]}, f[0]));

    // Moved off screen and behind another window: the same window comes back,
    // on screen and current, and nothing is loaded.
    window();
    rt::set(f[0], "Position", Value::row({-500, 100, 400, 300}));
    const Value again = sys::openfig(name("tavrin.fig"), S("reuse"));
    EXPECT_EQ(std::tuple(again[0], window_count(), rt::get(f, S("OuterPosition"))[0], rt::gcf()[0]),
              std::tuple(f[0], 2u, 0.0, f[0]));

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
    EXPECT_TRUE(rt::isequal(rt::getappdata(Value(0.0), S("tavrin_SINGLETON_handle")), Value::row({a[0], b[0]})));
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

// movegui on a headless 1024-by-768 screen. Headless windows have a frame 6
// pixels wider and 24 higher than their inner area.
using Rect = std::vector<double>;

class MoveguiTest : public FigutilTest {
protected:
    void SetUp() override {
        FigutilTest::SetUp();
        rt::set_screen_size(1024, 768);
    }
    static Value window_at(const Rect& outer) {
        const Value w = window();
        place(w, outer);
        return w;
    }
    static void place(const Value& w, const Rect& outer) { rt::set(w[0], "OuterPosition", Value::row(outer)); }
    static Rect outer(const Value& h) { return nums(rt::get(h, S("OuterPosition"))); }
};

TEST_F(MoveguiTest, NamedAndNumericPlacesOnTheScreen) {
    const Value w = window();
    // Negative numbers count back from the right and top edges.
    const std::vector<std::pair<Value, Rect>> places = {
        {S("onscreen"), {10, 20, 400, 300}},
        {S("north"), {312, 468, 400, 300}},
        {S("center"), {312, 234, 400, 300}},
        {S("southeast"), {624, 0, 400, 300}},
        {S("south"), {312, 0, 400, 300}},
        {S("east"), {624, 234, 400, 300}},
        {S("west"), {0, 234, 400, 300}},
        {S("northeast"), {624, 468, 400, 300}},
        {S("northwest"), {0, 468, 400, 300}},
        {S("southwest"), {0, 0, 400, 300}},
        {Value::row({-10, -10}), {614, 458, 400, 300}},
        {Value::column({5, 7}), {5, 7, 400, 300}},
    };
    for (std::size_t i = 0; i < places.size(); ++i) {
        const auto& [where, expected] = places[i];
        place(w, {10, 20, 400, 300});
        sys::movegui(i % 2 ? V({where, w}) : V({w, where}));  // either order
        EXPECT_EQ(outer(w), expected) << i;
    }
    EXPECT_EQ(console.str(), "newpos = [312 468]\n");  // only north shows its place

    // With no place given, the window is kept on screen.
    place(w, {900, -50, 400, 300});
    sys::movegui({w});
    EXPECT_EQ(outer(w), (Rect{624, 0, 400, 300}));
}

TEST_F(MoveguiTest, SizesBeyondTheScreenAndAMissingFrame) {
    const Value tall = window_at({10, 20, 400, 1000});
    sys::movegui({tall, S("north")});
    EXPECT_EQ(outer(tall), (Rect{312, 0, 400, 768}));

    // A window system that reports the outer rectangle smaller than the inner
    // one: the place comes from the reported size, the written size has the
    // frame added back.
    struct InsideOutFrame : rt::WindowBackend {
        rt::FrameMargins frame_margins(const rt::GraphicsObject&) const override { return {-1, -1, -1, -1}; }
    } backend;
    rt::WindowBackend* previous = rt::set_window_backend(&backend);
    const Value w = window();
    rt::set(w[0], "Position", Value::row({100, 100, 400, 300}));
    ASSERT_EQ(outer(w), (Rect{101, 101, 398, 298}));
    sys::movegui({w, S("north")});
    EXPECT_EQ(outer(w), (Rect{313, 470, 404, 322}));
    rt::set_window_backend(previous);
}

TEST_F(MoveguiTest, UnitsAndPositionModeEndAsTheyWere) {
    const Value w = window_at({10, 20, 400, 300});
    rt::set(w[0], "Units", S("normalized"));
    rt::set(w[0], "ActivePositionProperty", S("position"));
    rt::set(0.0, "Units", S("inches"));
    sys::movegui({w, S("southwest")});
    EXPECT_EQ(rt::get(w, S("Units")).text() + rt::get(w, S("ActivePositionProperty")).text() +
                  rt::get(Value(0.0), S("Units")).text(),
              "normalizedpositioninches");
    rt::set(w[0], "Units", S("pixels"));
    EXPECT_EQ(outer(w), (Rect{0, 0, 400, 300}));
}

TEST_F(MoveguiTest, AsACallbackItMovesTheCallersWindowAndIgnoresTheEventData) {
    const Value w = window_at({2000, 2000, 400, 300});
    window();  // current, but not the caller's window
    const Value button = rt::uicontrol(V({w, S("Callback"), S("movegui(gcbo, [])")}));
    rt::deliver_callback(button[0], "Callback");
    EXPECT_EQ(outer(w), (Rect{624, 468, 400, 300}));

    place(w, {-50, 10, 400, 300});
    rt::set(button[0], "Callback", S("movegui"));
    rt::deliver_callback(button[0], "Callback");
    EXPECT_EQ(outer(w), (Rect{0, 10, 400, 300}));

    // Outside a callback the same second input is refused.
    EXPECT_EQ(error_of([&] { sys::movegui({button, Value::empty()}); }), "unrecognized input argument");
}

TEST_F(MoveguiTest, BadInputsMoveNothing) {
    const Value w = window_at({10, 20, 400, 300});

    for (const Value& where : {S("North"), S(""), rt::ctranspose(S("north"))})
        EXPECT_EQ(error_of([&] { sys::movegui({w, where}); }), "unrecognized position");
    for (const Value& what : {Value(5.0), Value::row({1, 2, 3}), Value::cell_row({S("north")})})
        EXPECT_EQ(error_of([&] { sys::movegui({w, what}); }), "unrecognized input argument");
    EXPECT_EQ(error_of([] { sys::movegui({Value(0.0)}); }), "handle of figure or descendant required");
    EXPECT_EQ(error_of([&] { sys::movegui({w, S("north"), w, S("south")}); }), "Too many input arguments.");
    EXPECT_EQ(outer(w), (Rect{10, 20, 400, 300}));
}

// The plotting utilities, and the names they and the window utilities check.

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
    EXPECT_EQ(std::tuple(h[0], rt::get(h, S("String")).text(), rt::get(h, S("Rotation"))[0]),
              std::tuple(rt::get(ax, S("Title"))[0], "Best: 120", 0.0));
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
    EXPECT_EQ(std::tuple(list.rows(), list.cols(), list.cell_at(0).text(), list.cell_at(16).text()),
              std::tuple(17u, 1u, "break", "while"));
}

}  // namespace
