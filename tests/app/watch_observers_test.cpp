// The observers that let a person watch a run learn, on real runs headless:
// the trials file and the learning curve must tell the same trials.

#include "app/learned_policy.hpp"
#include "app/learning_curve.hpp"
#include "app/trials_csv.hpp"
#include "runtime/graphics/callbacks.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/charts.hpp"
#include "tests/app/running_program.hpp"
#include "tests/system/program_run.hpp"

namespace {

class WatchObservers : public sys_test::ControlWindowOpen {
protected:
    void TearDown() override {
        ControlWindowOpen::TearDown();
        rt::forget_charts();
    }
};

TEST_F(WatchObservers, TheCurveHoldsTheTrialsOfTheFileAndKeepsEarlierRunsLabelled) {
    const std::string folder = sys_test::make_temp_folder(), file = folder + "/trials.csv";
    sys::TrialsCsv csv;
    std::string problem;
    ASSERT_TRUE(csv.open(file, problem)) << problem;
    sys::LearningCurve curve;
    sys_test::TrialBound bound(40);
    const sys::ScopedRunObserver a(csv), b(curve), c(bound);

    choose_deterministic_run();
    ASSERT_TRUE(press_start_within());
    set_values({{"alpha_sl", 0.5}, {"reinf_sl", -0.5}});
    ASSERT_TRUE(press_start_within());

    // The rows after the header, split at commas.
    std::vector<std::vector<std::string>> rows;
    for (const std::string& line : sys_test::lines_of(file))
        rows.push_back(sys_test::split(line.substr(0, line.find('\r')), ','));
    rows.erase(rows.begin());
    ASSERT_EQ(rows.size(), 80u);
    const rt::Chart& chart = curve.chart();
    // The first run in grey under its settings, the second with its best.
    ASSERT_EQ(chart.lines.size(), 3u);
    const std::string first_run = rows.front()[0], second_run = rows.back()[0];
    EXPECT_EQ(chart.lines[0].label, "run " + first_run + ": ALPHA 0.3, BETA 0, GAMMA 0.95, reinf -1");
    // Column `c` of the 40 rows of run `run` (0 or 1).
    const auto column = [&](std::size_t run, std::size_t c) {
        std::vector<double> v;
        for (std::size_t i = 40 * run; i < 40 * run + 40; ++i) v.push_back(std::stod(rows[i][c]));
        return v;
    };
    EXPECT_EQ(chart.lines[0].x, column(0, 1));
    EXPECT_EQ(chart.lines[0].y, column(0, 2));
    EXPECT_EQ(chart.lines[1].x, column(1, 1));
    EXPECT_EQ(chart.lines[1].y, column(1, 2));
    std::vector<double> best = column(1, 2);
    for (std::size_t k = 1; k < best.size(); ++k) best[k] = std::max(best[k - 1], best[k]);
    EXPECT_EQ(chart.lines[2].y, best);
    EXPECT_EQ(rows.back()[4], "0.5");
    EXPECT_EQ(rows.back()[8], "-0.5");
    EXPECT_NE(first_run, second_run);
    std::filesystem::remove_all(folder);
}

TEST_F(WatchObservers, ReplayingTheLearnedPolicyChangesNeitherTableNorCountsNorTree) {
    sys::LearnedPolicy policy;
    const sys::ScopedRunObserver installed(policy);
    choose_deterministic_run();
    EXPECT_FALSE(policy.ready());
    ASSERT_TRUE(press_start_within());
    ASSERT_TRUE(policy.ready());

    const auto title = [] {
        return rt::get(rt::get(rt::gca(), rt::Value::string("Title")), rt::Value::string("String")).text();
    };
    const std::string title_before = title();
    const double objects_before = static_cast<double>(rt::findall(rt::Value(0.0)).numel());
    const sys::ReplayEnd first = policy.replay(400), second = policy.replay(400);
    // The same table gives the same course, and nothing of it stays.
    EXPECT_GT(first.steps, 0);
    EXPECT_EQ(first.steps, second.steps);
    EXPECT_EQ(first.x, second.x);
    EXPECT_EQ(first.theta, second.theta);
    EXPECT_EQ(title(), title_before);
    EXPECT_EQ(title_before, "Success at 322 trials");
    EXPECT_EQ(static_cast<double>(rt::findall(rt::Value(0.0)).numel()), objects_before);
    // A stop asked for ends it before its first step.
    EXPECT_EQ(policy.replay(400, [] { return true; }).steps, 0);
}

// Counts are written whole: the system test reads them in a run's file.
TEST(TrialsCsvNumbers, ReadBackAsTheSameDouble) {
    for (double v : {0.1, 1.0 / 3, -1.0, 0.95, 1e-300, 5e-324, 1.7976931348623157e308, 123456.789})
        EXPECT_EQ(std::strtod(sys::csv_number(v).c_str(), nullptr), v) << sys::csv_number(v);
}

}  // namespace
