// movegui on a headless 1024-by-768 screen. Headless windows have a frame 6
// pixels wider and 24 higher than their inner area.
#include "figutil/movegui.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

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

TEST_F(MoveguiTest, NamedPlacesOnTheScreen) {
    const Value w = window_at({10, 20, 400, 300});
    sys::movegui({w, S("onscreen")});
    EXPECT_EQ(outer(w), (Rect{10, 20, 400, 300}));
    EXPECT_EQ(console_.str(), "");

    sys::movegui({w, S("north")});
    EXPECT_EQ(outer(w), (Rect{312, 468, 400, 300}));
    EXPECT_EQ(console_.str(), "newpos = [312 468]\n");

    const std::vector<std::pair<const char*, Rect>> places = {
        {"center", {312, 234, 400, 300}},   {"southeast", {624, 0, 400, 300}}, {"south", {312, 0, 400, 300}},
        {"east", {624, 234, 400, 300}},     {"west", {0, 234, 400, 300}},      {"northeast", {624, 468, 400, 300}},
        {"northwest", {0, 468, 400, 300}}, {"southwest", {0, 0, 400, 300}},
    };
    for (const auto& [where, expected] : places) {
        place(w, {10, 20, 400, 300});
        sys::movegui({S(where), w});  // either order
        EXPECT_EQ(outer(w), expected) << where;
    }
    EXPECT_EQ(console_.str(), "newpos = [312 468]\n");  // only north shows its place
}

TEST_F(MoveguiTest, OnscreenAndNumericPositions) {
    const Value w = window_at({900, -50, 400, 300});
    sys::movegui({w});
    EXPECT_EQ(outer(w), (Rect{624, 0, 400, 300}));

    // Negative numbers count back from the right and top edges.
    sys::movegui({w, Value::row({-10, -10})});
    EXPECT_EQ(outer(w), (Rect{614, 458, 400, 300}));
    sys::movegui({w, Value::column({5, 7})});
    EXPECT_EQ(outer(w), (Rect{5, 7, 400, 300}));
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
    EXPECT_EQ(rt::get(w, S("Units")).text(), "normalized");
    EXPECT_EQ(rt::get(w, S("ActivePositionProperty")).text(), "position");
    EXPECT_EQ(rt::get(Value(0.0), S("Units")).text(), "inches");
    rt::set(w[0], "Units", S("pixels"));
    EXPECT_EQ(outer(w), (Rect{0, 0, 400, 300}));
}

TEST_F(MoveguiTest, WhichWindowMoves) {
    const Value a = window_at({10, 20, 400, 300});
    const Value b = window_at({10, 20, 400, 300});
    const Value control = control_in(a, "pushbutton1");
    const Value ax = rt::axes(V({S("Parent"), b}));

    sys::movegui({a, S("north"), S("south")});  // the last position wins
    EXPECT_EQ(outer(a), (Rect{312, 0, 400, 300}));
    sys::movegui({a, b, S("east")});  // and the last window
    EXPECT_EQ(outer(a), (Rect{312, 0, 400, 300}));
    EXPECT_EQ(outer(b), (Rect{624, 234, 400, 300}));

    sys::movegui({control, S("west")});
    EXPECT_EQ(outer(a), (Rect{0, 234, 400, 300}));
    sys::movegui({ax, S("west")});
    EXPECT_EQ(outer(b), (Rect{0, 234, 400, 300}));

    // No window given: the current one.
    rt::figure(V({a}));
    place(a, {-100, -100, 400, 300});
    by_name("movegui", 0, {});
    EXPECT_EQ(outer(a), (Rect{0, 0, 400, 300}));
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
    Value column_name = Value::char_matrix(5, 1);
    for (std::size_t i = 0; i < 5; ++i) column_name.mutable_data()[i] = "north"[i];

    EXPECT_EQ(error_of([&] { sys::movegui({w, S("North")}); }), "unrecognized position");
    EXPECT_EQ(error_of([&] { sys::movegui({w, S("")}); }), "unrecognized position");
    EXPECT_EQ(error_of([&] { sys::movegui({w, column_name}); }), "unrecognized position");
    EXPECT_EQ(error_of([] { sys::movegui({Value(5.0)}); }), "unrecognized input argument");
    EXPECT_EQ(error_of([&] { sys::movegui({w, Value::row({1, 2, 3})}); }), "unrecognized input argument");
    EXPECT_EQ(error_of([&] { sys::movegui({w, Value::cell_row({S("north")})}); }), "unrecognized input argument");
    EXPECT_EQ(error_of([] { sys::movegui({Value(0.0)}); }), "handle of figure or descendant required");
    EXPECT_EQ(error_of([&] { sys::movegui({w, S("north"), w, S("south")}); }), "Too many input arguments.");
    EXPECT_EQ(outer(w), (Rect{10, 20, 400, 300}));
}

}  // namespace
