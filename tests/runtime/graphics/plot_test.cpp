// Current axes, newplot and hold, limits and views, and the plotted objects.
#include <algorithm>
#include <cmath>
#include <functional>

#include "graphics_fixture.hpp"
#include "runtime/array/text.hpp"

using rt::Value;

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
