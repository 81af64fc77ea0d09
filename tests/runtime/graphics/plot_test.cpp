// Current axes, newplot and hold, limits and views, and the plotted objects;
// callback delivery.
#include "graphics_fixture.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/layout_loader.hpp"

namespace {

std::size_t visible_children(const Value& ax) { return rt::get(ax, Value::string("Children")).numel(); }

}  // namespace

TEST_F(GraphicsTest, GcaAndGcfCreateWhatIsMissingAndAreStableAfterwards) {
    Value ax = rt::gca();
    EXPECT_EQ(D({num(rt::gcf()), num(rt::gca()), num(rt::get(ax, S("Parent")))}), D({1, num(ax), 1}));
    EXPECT_EQ(gets(rt::get(ax, S("Title")), {"Type", "HandleVisibility"}), "text off");
    EXPECT_EQ(visible_children(ax), 0u);
    EXPECT_EQ(error_of([] { rt::figure(V({Value(7.0)})); }), "figure: 7 is not a valid window handle.");
    EXPECT_EQ(error_of([&] { rt::figure(V({ax})); }),
              "figure: " + rt::num2str(num(ax)) + " is not a valid window handle.");
}

TEST_F(GraphicsTest, NewplotReplacesOrAddsByNextPlot) {
    Value ax = rt::gca();
    Value title = rt::get(ax, S("Title"));
    rt::set(ax, V({S("Tag"), S("mesh"), S("XGrid"), S("on"), S("Position"), Value::row({0.1, 0.1, 0.5, 0.5}), S("View"),
                   Value::row({40, -30})}));
    rt::set(title[0], "String", S("old title"));
    rt::line(Value(1.0), Value(1.0));

    rt::hold(S("on"));
    EXPECT_EQ(num(rt::newplot()), num(ax));
    EXPECT_EQ(visible_children(ax), 1u);
    EXPECT_EQ(gets(ax, "XGrid"), "on");

    rt::hold(S("off"));
    EXPECT_EQ(num(rt::newplot()), num(ax));
    EXPECT_EQ(visible_children(ax), 0u);
    EXPECT_EQ(gets(ax, {"XGrid", "Tag"}), "off mesh");
    EXPECT_EQ(getn(ax, {"View", "Position"}), (D{0, 90, 0.1, 0.1, 0.5, 0.5}));
    // The same title object, emptied.
    EXPECT_EQ(num(rt::get(ax, S("Title"))), num(title));
    EXPECT_EQ(gets(title, "String"), "");

    rt::set(ax, V({S("NextPlot"), S("replacechildren"), S("XGrid"), S("on")}));
    rt::line(Value(1.0), Value(1.0));
    rt::newplot();
    EXPECT_EQ(visible_children(ax), 0u);
    EXPECT_EQ(gets(ax, "XGrid"), "on");
}

TEST_F(GraphicsTest, HoldSetsTogglesAndIsReadByIsholdAndAnUnchangedOneDoesNotMarkTheWindowForRepainting) {
    EXPECT_FALSE(rt::ishold());
    rt::hold(S("on"));
    EXPECT_TRUE(rt::ishold());
    EXPECT_EQ(gets(rt::gca(), "NextPlot"), "add");
    const rt::GraphicsObject* fig = rt::find_object(num(rt::gcf()));
    const auto before = fig->content_version();
    rt::hold(S("on"));
    rt::newplot();
    EXPECT_EQ(fig->content_version(), before);
    rt::set(rt::gca()[0], "XGrid", S("on"));
    EXPECT_GT(fig->content_version(), before);
    rt::hold();  // toggles
    EXPECT_FALSE(rt::ishold());
    // Held axes in a window that replaces are not held.
    rt::hold(S("ON"));
    rt::set(rt::gcf()[0], "NextPlot", S("replacechildren"));
    EXPECT_FALSE(rt::ishold());
    // hold on again holds the window too, though the axes already add.
    const Value on = S("on");
    rt::hold(on);
    EXPECT_TRUE(rt::ishold());
    rt::set(rt::gca()[0], "NextPlot", S("replace"));
    rt::hold(on);
    EXPECT_TRUE(rt::ishold());
    EXPECT_EQ(error_of([] { rt::hold(S("maybe")); }), "hold: expected 'on', 'off' or 'all', not 'maybe'.");
    EXPECT_EQ(error_of([] { rt::ishold(Value(1.0)); }), "ishold: 1 is not an axes handle.");
}

TEST_F(GraphicsTest, HoldOnFindsAxesHoldingAgainAfterAnyChangeSinceItLastLooked) {
    // hold('on') with the same option twice, then a change that stops the
    // axes or window holding: the next hold('on') must hold them again.
    const Value on = S("on");
    const std::vector<std::function<void()>> changes = {
        [] { rt::set(rt::gca()[0], "NextPlot", S("replace")); },
        [] { rt::set(rt::gcf()[0], "NextPlot", S("replacechildren")); },
        [] { rt::delete_(rt::gca()); },  // new axes, maybe in the same memory
        [] { rt::figure(); },            // another window
    };
    for (std::size_t i = 0; i < changes.size(); ++i) {
        rt::hold(on);
        rt::hold(on);
        changes[i]();
        rt::hold(on);
        EXPECT_TRUE(rt::ishold()) << i;
    }
}

TEST_F(GraphicsTest, AxisSetsManualLimitsAndAutomaticLimitsFollowTheData) {
    Value ax = rt::gca();
    rt::surface(V({Value::zeros(9, 18)}));
    EXPECT_EQ(getn(ax, {"XLim", "YLim", "ZLim"}), (D{0, 20, 0, 10, -1, 1}));
    EXPECT_EQ(gets(ax, "XLimMode"), "auto");

    rt::axis(Value::row({-3, 3, 0, 1.5}));
    EXPECT_EQ(getn(ax, {"XLim", "YLim"}), (D{-3, 3, 0, 1.5}));
    EXPECT_EQ(gets(ax, {"YLimMode", "ZLimMode"}), "manual auto");
    EXPECT_EQ(nums(rt::axis()), (D{-3, 3, 0, 1.5}));

    EXPECT_NE(error_of([] {
                  rt::axis(Value::row({3, -3, 0, 1}));
              }).find("each minimum below its maximum"),
              std::string::npos);
    EXPECT_NE(error_of([] { rt::axis(Value::row({1, 2, 3})); }), "");
    rt::axis(S("auto"));
    EXPECT_EQ(getn(ax, "XLim"), (D{0, 20}));
    rt::set(ax[0], "DataAspectRatio", Value::row({1, 1, 1}));
    EXPECT_EQ(gets(ax, "DataAspectRatioMode"), "manual");
}

TEST_F(GraphicsTest, PlotReadsLineSpecificationsAndGoesThroughNewplot) {
    // The styles themselves are checked one by one in the next test.
    Value h = rt::plot(Value(0.5), Value(0.11), S("r>"));
    EXPECT_EQ(getn(h, "XData"), (D{0.5}));

    Value k = rt::plot(Value::row({1, 2, 3}), Value::row({4, 5, 6}), S("k:"));
    EXPECT_FALSE(rt::ishandle(h[0]));  // not held: the first plot was replaced

    rt::hold(S("on"));
    Value b = rt::plot(V({Value::row({4, 5}), S("--o"), S("LineWidth"), Value(2.0)}));
    EXPECT_TRUE(rt::ishandle(k[0]));
    // The first colour of the colour order.
    EXPECT_EQ(getn(b, {"XData", "LineWidth", "Color"}), (D{1, 2, 2, 0, 0, 1}));

    Value two = rt::plot(V({Value::from_rows(2, 2, {1, 2, 3, 4})}));
    EXPECT_EQ(two.numel(), 2u);
    EXPECT_EQ(getn(two[1], "YData"), (D{2, 4}));

    EXPECT_EQ(error_of([] { rt::plot(Value(1.0), Value(1.0), S("rz")); }), "plot: 'rz' is not a line style.");
    EXPECT_NE(error_of([] { rt::plot(Value::row({1, 2}), Value::row({1, 2, 3}), S("b-")); }), "");
}

TEST_F(GraphicsTest, PlotStylesStayRightWhenStyleTextsRepeatAndOutnumberTheKeptOnes) {
    // More distinct specifications than are kept, twice round, with a bad
    // one between: every plot must style its line from its own text.
    const char* specs[] = {"r<", "b-", "k:", "--o", "g*",  "m.",  "cx", "ys", "wd", "r^",
                           "bv", "k>", "gp", "mh",  "c--", "y-.", "-+", "r",  "o",  ":"};
    for (int round = 0; round < 2; ++round) {
        for (const char* text : specs) {
            const auto want = rt::parse_line_spec(text);
            ASSERT_TRUE(want) << text;
            Value h = rt::plot(Value(1.0), Value(2.0), Value::string(text));
            const std::string style = !want->line_style.empty() ? want->line_style
                                      : !want->marker.empty()   ? "none"
                                                                : "-";
            EXPECT_EQ(gets(h, {"LineStyle", "Marker"}), style + " " + (want->marker.empty() ? "none" : want->marker))
                << text;
            if (want->color) {
                EXPECT_EQ(getn(h, "Color"), (D{want->color->r, want->color->g, want->color->b})) << text;
            }
            EXPECT_NE(error_of([] { rt::plot(Value(1.0), Value(1.0), Value::string("rz")); }), "");
        }
    }
    // A plot without a line style keeps the defaults of a line.
    EXPECT_EQ(gets(rt::plot(V({Value(1.0), Value(2.0)})), {"Marker", "LineStyle"}), "none -");
}

TEST_F(GraphicsTest, SurfaceValidatesSizesAndSpreadsVectorsOverTheGrid) {
    Value z = Value::from_rows(2, 3, {1, 2, 3, 4, 5, 6});
    Value s = rt::surface(V({Value::row({10, 20, 30}), Value::row({7, 8}), z}));
    EXPECT_EQ(getn(s, {"XData", "YData"}), (D{10, 10, 20, 20, 30, 30, 7, 8, 7, 8, 7, 8}));
    EXPECT_EQ(getn(s, "CData"), nums(z));
    EXPECT_EQ(gets(s, "FaceColor"), "flat");
    EXPECT_EQ(getn(rt::surface(V({z})), "XData"), (D{1, 1, 2, 2, 3, 3}));

    EXPECT_EQ(error_of([&] {
                  rt::surface(V({Value::row({1, 2}), Value::row({7, 8}), z}));
              }),
              "surface: X must be a vector of 3 elements (the columns of Z) or a 2-by-3 matrix like Z, not 1-by-2.");
    EXPECT_EQ(error_of([&] {
                  rt::surface(V({Value::row({1, 2, 3}), Value::row({7, 8, 9}), z}));
              }),
              "surface: Y must be a vector of 2 elements (the rows of Z) or a 2-by-3 matrix like Z, not 1-by-3.");
    EXPECT_EQ(error_of([&] {
                  rt::surface(V({Value::row({1, 2, 3}), Value::row({7, 8}), z, Value(1.0)}));
              }),
              "surface: C must be a 2-by-3 matrix like Z, not 1-by-1.");
    EXPECT_NE(error_of([&] { rt::surface(V({z, z})); }), "");
    EXPECT_NE(error_of([&] { rt::surface(V({S("z")})); }), "");
}

TEST_F(GraphicsTest, AnAxesKeepsItsNewestSurfacesBeyondTheCapAndSaysSoOnce) {
    rt::figure();
    rt::hold(S("on"));
    Value line = rt::line(Value::row({0, 1}), Value::row({0, 1}));
    std::vector<double> made;
    const Value z = Value::zeros(2, 2);
    const auto add = [&](std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) made.push_back(num(rt::surface(V({z}))));
    };
    // Whether each of the given surfaces is still there.
    const auto alive = [&](std::initializer_list<std::size_t> which) {
        std::vector<double> h;
        for (std::size_t i : which) h.push_back(made[i]);
        return nums(rt::ishandle(Value::row(h)));
    };

    add(rt::kMaxSurfaces);
    EXPECT_EQ(alive({0}), (D{1}));
    EXPECT_EQ(console_.str(), "");

    add(1);
    const std::size_t dropped = rt::kSurfacesDroppedAtOnce;
    EXPECT_EQ(alive({0, dropped - 1, dropped, made.size() - 1}), (D{0, 0, 1, 1}));
    EXPECT_EQ(visible_children(rt::gca()), rt::kMaxSurfaces + 1 - dropped + 1);
    EXPECT_EQ(console_.str(),
              "The axes hold more than 4000 surfaces: the oldest are deleted, 1000 at a time, to "
              "keep memory bounded.\n");

    // Later batches go without a word; what is not a surface stays.
    add(dropped);
    EXPECT_EQ(alive({2 * dropped - 1, 2 * dropped}), (D{0, 1}));
    const std::string said = console_.str();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    EXPECT_EQ(rt::ishandle(line).scalar(), 1);
}

// Callback delivery: gcbo/gcbf, errors, re-entry, the queue, close requests,
// creation and deletion callbacks.
namespace {

struct Seen {
    std::vector<std::pair<Value, Value>> frames;  // (gcbo, gcbf) at each probe
    std::vector<std::string> created;             // "tag/number of children" of each gcbo at its CreateFcn
    int calls = 0;
    bool nested_delivery = true;
};
Seen seen;

void probe(int, Value*, int, const Value*) {
    seen.frames.emplace_back(rt::gcbo(), rt::gcbf());
    ++seen.calls;
}
// Tries to start the running object's callback again.
void again(int, Value*, int, const Value*) {
    ++seen.calls;
    seen.nested_delivery = rt::deliver_callback(rt::gcbo().scalar(), "Callback");
}
void note(int, Value*, int, const Value*) {
    const Value h = rt::gcbo();
    seen.created.push_back(rt::get(h, Value::string("Tag")).text() + "/" +
                           std::to_string(rt::get(h, Value::string("Children")).numel()));
}

class CallbackTest : public GraphicsTest {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        seen = Seen{};
        rt::register_builtin("probe", probe);
        rt::register_builtin("again", again);
        rt::register_builtin("note", note);
    }
    void TearDown() override {
        for (const char* n : {"probe", "again", "note"}) rt::unregister_builtin(n);
        GraphicsTest::TearDown();
    }
};

}  // namespace

// gcbo and gcbf name the object and window only while the callback runs.
TEST_F(CallbackTest, GcboAndGcbfLastAsTheCallbackAFailedOneLeavesNoTraceAndOneRunningIsNotStartedAgain) {
    Value f = rt::figure();
    Value c = rt::uicontrol(V({S("Callback"), S("error('boom from the callback')")}));
    EXPECT_EQ(error_of([&] { rt::deliver_callback(num(c), "Callback"); }), "boom from the callback");
    EXPECT_TRUE(rt::gcbo().is_empty() && rt::gcbf().is_empty());
    rt::set(c[0], "Callback", S("probe"));
    EXPECT_TRUE(rt::deliver_callback(num(c), "callback"));  // not left marked as running
    ASSERT_EQ(seen.frames.size(), 1u);
    EXPECT_EQ(D({num(seen.frames[0].first), num(seen.frames[0].second)}), D({num(c), num(f)}));
    EXPECT_TRUE(rt::gcbo().is_empty() && rt::gcbf().is_empty());

    EXPECT_EQ(error_of([&] { rt::deliver_callback(num(c), "Style"); }),
              "'Style' is not a callback property of the uicontrol object.");
    EXPECT_EQ(error_of([] { rt::deliver_callback(12.5, "Callback"); }), "12.5 is not a valid handle.");

    // A callback is not started again while it runs.
    rt::set(c[0], "Callback", S("again"));
    EXPECT_TRUE(rt::deliver_callback(num(c), "Callback"));
    EXPECT_EQ(seen.calls, 2);
    EXPECT_FALSE(seen.nested_delivery);
}

TEST_F(CallbackTest, QueuedCallbacksRunAtTheNextPauseOrDrawnowUnlessTheirObjectWentAway) {
    rt::figure();
    Value a = rt::uicontrol(V({S("Callback"), S("probe")}));
    Value b = rt::uicontrol(V({S("Callback"), S("probe")}));
    rt::post_callback(num(a), "Callback");
    rt::post_callback(num(b), "Callback");
    rt::post_callback(num(a), "Callback");
    EXPECT_EQ(rt::pending_callback_count(), 3u);
    rt::delete_(b);
    EXPECT_EQ(std::pair(rt::pending_callback_count(), seen.calls), std::pair(std::size_t{2}, 0));
    rt::pause(1e-11);
    ASSERT_EQ(seen.calls, 2);
    EXPECT_EQ(num(seen.frames[1].first), num(a));

    rt::post_callback(num(a), "Callback");
    rt::drawnow();
    EXPECT_EQ(seen.calls, 3);
    EXPECT_EQ(error_of([] { rt::pause(-1); }), "pause: the duration must be a number of seconds, 0 or more.");
}

TEST_F(CallbackTest, CloseRequestsDeleteTheWindowByDefaultOrRunTheirCallback) {
    Value f1 = rt::figure();
    Value f2 = rt::figure(V({S("CloseRequestFcn"), S("")}));
    Value f3 = rt::figure(V({S("CloseRequestFcn"), S("probe")}));
    rt::close(V({f1}));
    EXPECT_FALSE(rt::ishandle(f1[0]));
    rt::request_close(num(f2));
    EXPECT_TRUE(rt::ishandle(f2[0]));
    rt::drawnow();
    EXPECT_FALSE(rt::ishandle(f2[0]));
    rt::close({});
    EXPECT_TRUE(rt::ishandle(f3[0]));
    EXPECT_EQ(seen.calls, 1);
    // close all asks every window; closereq closes the current one.
    Value f4 = rt::figure();
    rt::close(V({S("all")}));
    EXPECT_FALSE(rt::ishandle(f4[0]));
    EXPECT_EQ(seen.calls, 2);
    rt::feval("closereq", 0, {});
    EXPECT_FALSE(rt::ishandle(f3[0]));
    EXPECT_NO_THROW(rt::feval("closereq", 0, {}));  // no window: nothing to do
    EXPECT_EQ(error_of([] { rt::close(V({Value(9.0)})); }), "close: 9 is not a window handle.");
    EXPECT_EQ(error_of([] { rt::close(V({S("some")})); }), "close: expected a window handle or 'all', not 'some'.");
}

TEST_F(CallbackTest, DeleteFunctionsRunOnceAndTheirErrorsDoNotStopTheDeletion) {
    Value f = rt::figure(V({S("DeleteFcn"), S("probe")}));
    Value c = rt::uicontrol(V({S("DeleteFcn"), S("error('boom from the callback')")}));
    Value l = rt::line(V({S("DeleteFcn"), S("delete(gcbf)")}));  // re-entry into a deletion under way
    rt::delete_(f);
    EXPECT_EQ(nums(rt::ishandle(Value::row({f[0], c[0], l[0]}))), (D{0, 0, 0}));
    EXPECT_EQ(seen.calls, 1);
    EXPECT_NE(warnings_.str().find("boom from the callback"), std::string::npos);
}

TEST_F(CallbackTest, CreateFcnRunsOnceForEachNewObjectAfterItsProperties) {
    // The CreateFcn comes before the Tag among the arguments, and sees it.
    rt::figure(V({S("CreateFcn"), S("note"), S("Tag"), S("win")}));
    const Value c = rt::uicontrol(V({S("CreateFcn"), S("note"), S("Tag"), S("knob")}));
    rt::set(c[0], "Tag", S("renamed"));  // a change runs nothing
    const auto file = std::filesystem::temp_directory_path() / ("create_fcn_" + std::to_string(::getpid()) + ".fig");
    std::ofstream(file) << R"({"type": "figure", "Tag": "file", "CreateFcn": "note", "children": [
        {"type": "uicontrol", "Tag": "first", "CreateFcn": "note"}, {"type": "uicontrol", "Tag": "quiet"}]})";
    rt::load_layout(file.string());
    std::filesystem::remove(file);
    EXPECT_EQ(seen.created, (std::vector<std::string>{"win/0", "knob/0", "file/2", "first/0"}));
    EXPECT_TRUE(rt::gcbo().is_empty());

    // One that fails is a warning and its object stays; one may delete its own.
    const Value kept = rt::uicontrol(V({S("CreateFcn"), S("error('no good')")}));
    EXPECT_TRUE(rt::ishandle(kept[0]));
    EXPECT_EQ(warnings_.str(), "Warning: Error in the CreateFcn of a uicontrol object: no good\n");
    EXPECT_FALSE(rt::ishandle(rt::figure(V({S("CreateFcn"), S("delete(gcbo)")}))[0]));
}
