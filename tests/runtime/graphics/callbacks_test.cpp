// Callback delivery: gcbo/gcbf, errors, re-entry, the queue, close requests,
// creation and deletion callbacks.

#include "graphics_fixture.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/graphics/layout_loader.hpp"

using rt::Value;

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
    EXPECT_EQ(rt::pending_callback_count(), 2u);
    EXPECT_EQ(seen.calls, 0);
    rt::pause(1e-11);
    EXPECT_EQ(seen.calls, 2);
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
