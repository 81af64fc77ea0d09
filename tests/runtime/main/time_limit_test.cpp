#include <thread>

#include "runtime/array/deadline.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/library.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/time_limit.hpp"
#include "tests/error_text.hpp"

namespace {

// Records what reaches it, to see that the limit passes every hook on.
class Recorder final : public rt::WindowBackend {
public:
    void object_created(const rt::GraphicsObject&) override { seen.push_back("created"); }
    void property_changed(const rt::GraphicsObject&, rt::PropertyId) override { seen.push_back("changed"); }
    void object_deleted(const rt::GraphicsObject&) override { seen.push_back("deleted"); }
    void figure_raised(const rt::GraphicsObject&) override { seen.push_back("raised"); }
    void drawnow() override { seen.push_back("drawnow"); }
    void pause(double) override { seen.push_back("pause"); }
    rt::FrameMargins frame_margins(const rt::GraphicsObject&) const override { return {1, 2, 3, 4}; }
    std::vector<std::string> seen;
};

class TimeLimitTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::array_library_initialize();
        rt::graphics_library_initialize();
        previous_ = rt::set_console(&console_);
    }
    void TearDown() override {
        rt::set_window_backend(nullptr);
        rt::graphics_library_terminate();
        rt::array_library_terminate();
        rt::set_console(previous_);
    }
    std::ostringstream console_;
    std::ostream* previous_ = nullptr;
};

TEST_F(TimeLimitTest, WatchingPausesPassesEveryHookOnAndPutsTheBackendBack) {
    Recorder inner;
    rt::set_window_backend(&inner);
    {
        rt::TimeLimit limit(3600);
        limit.watch_pauses();
        EXPECT_EQ(rt::window_backend(), &limit);
        const double h = rt::figure().scalar();
        rt::set(h, "Name", rt::Value::string("w"));
        rt::figure(std::vector<rt::Value>{rt::Value(h)});
        rt::drawnow();
        rt::pause(0.0);
        EXPECT_EQ(limit.frame_margins(*rt::find_object(h)).top, 4);
        rt::delete_(rt::Value(h));
        EXPECT_FALSE(limit.expired());
    }
    EXPECT_EQ(rt::window_backend(), &inner);
    for (const char* hook : {"created", "changed", "raised", "drawnow", "pause", "deleted"})
        EXPECT_NE(std::find(inner.seen.begin(), inner.seen.end(), hook), inner.seen.end()) << hook;
}

// Past the deadline every window is asked to close, once, and long work
// stops; after the grace pauses stop too.
TEST_F(TimeLimitTest, WhenTheTimeIsUpWindowsAreAskedOnceAndAfterTheGraceWorkStops) {
    const rt::Value m = rt::ones(2, 2);
    const double plain = rt::figure().scalar();
    const rt::Value pairs[] = {rt::Value::string("CloseRequestFcn"), rt::Value::string("disp('asked')")};
    const double refusing = rt::figure(pairs).scalar();
    {
        rt::TimeLimit limit(0.001);
        limit.watch_pauses();
        ASSERT_TRUE(rt::deadline());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(limit.expired());              // nothing has looked at the clock yet
        EXPECT_THROW(rt::mtimes(m, m), rt::Error);  // a matrix product notices the deadline itself
        for (int i = 0; i < 3; ++i) rt::pause(0.0);
        EXPECT_TRUE(limit.expired());
        EXPECT_FALSE(rt::ishandle(plain));
        // A window that keeps itself open is asked once, not at every pause.
        EXPECT_TRUE(rt::ishandle(refusing));
        EXPECT_EQ(console_.str(), "asked\n");
        EXPECT_FALSE(limit.grace_over());
        std::this_thread::sleep_for(std::chrono::duration<double>(rt::kTimeLimitGrace));
        EXPECT_TRUE(limit.grace_over());
        EXPECT_EQ(sys_test::error_of([] { rt::pause(0.0); }), rt::kDeadlineMessage);
    }
    EXPECT_FALSE(rt::deadline());
    EXPECT_EQ(rt::mtimes(m, m)[0], 2.0);
}

}  // namespace
