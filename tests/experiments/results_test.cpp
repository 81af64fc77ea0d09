// The results CSV and the summary made of it: rows read back exactly as
// written, files that are not ours are refused and left alone, an
// interrupted write does not poison a resume, and the statistics are the
// usual ones.
#include "tests/common.hpp"

#include "experiments/bad_input.hpp"
#include "experiments/results_file.hpp"
#include "experiments/sweep_summary.hpp"

namespace {

using namespace sys::sweep;
namespace fs = std::filesystem;

RunRecord record(double alpha, std::optional<std::uint64_t> seed, Outcome o, double trials, double seconds = 1) {
    RunRecord r;
    r.key = {{alpha, 0.01, 0.95, -1, seed.has_value()}, seed};
    r.outcome = o;
    if (o == Outcome::converged || o == Outcome::not_converged) r.trials = trials, r.best = 2 * trials, r.steps = 9;
    r.seconds = seconds;
    return r;
}

class ScratchFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavrin-results-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        path = (fs::path(folder) / "results.csv").string();
    }
    void TearDown() override { fs::remove_all(folder); }
    void write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
    std::string text() const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string folder, path;
};

bool same(const RunRecord& a, const RunRecord& b) {
    const auto eq = [](double x, double y) { return x == y || (std::isnan(x) && std::isnan(y)); };
    return a.key == b.key && a.outcome == b.outcome && eq(a.trials, b.trials) && eq(a.best, b.best) &&
           eq(a.steps, b.steps) && a.seconds == b.seconds;
}

TEST_F(ScratchFile, RowsReadBackExactlyAndAppendingKeepsOneHeader) {
    const std::vector<RunRecord> rows = {record(0.1 + 0.2, 7, Outcome::converged, 322, 1.0 / 3),
                                         record(0.3, std::nullopt, Outcome::not_converged, 5000),
                                         record(0.5, 9007199254740992ull, Outcome::timeout, 0),
                                         record(0.7, std::nullopt, Outcome::crash, 0)};
    {
        ResultsWriter w(path);
        w.append(rows[0]);
        w.append(rows[1]);
    }
    ResultsWriter(path).append(rows[2]);
    ResultsWriter(path).append(rows[3]);
    const std::vector<RunRecord> back = read_results(path);
    ASSERT_EQ(back.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_TRUE(same(back[i], rows[i])) << results_row(back[i]);
    EXPECT_EQ(text().rfind(results_header() + "\n", 0), 0u);
    EXPECT_EQ(text().find(results_header(), 1), std::string::npos);
}

TEST_F(ScratchFile, ForeignOrDamagedFilesAreRefusedAndLeftAsTheyAre) {
    for (const std::string& bad :
         std::vector<std::string>{"alpha,beta,gamma\n0.1,0.01,0.9\n", "name,score\n", results_header() + ",extra\n",
                                  results_header() + "\n0.1,0.01,0.95,-1,on,1,1,5,6,7\n",     // a field short
                                  results_header() + "\n0.1,0.01,0.95,-1,off,3,1,5,6,7,1\n",  // a seed with random off
                                  results_header() + "\n0.1,0.01,0.95,-1,on,1,maybe,5,6,7,1\n",  // unknown outcome
                                  results_header() + "\n0.1,0.01,0.95,-1,on,1,1,,6,7,1\n",  // converged without trials
                                  results_header() +
                                      "\n\"0.1\",0.01,0.95,-1,on,1,1,5,6,7,1\n"}) {  // quoted: not written by us
        write(bad);
        EXPECT_THROW(read_results(path, true), BadInput) << bad;
        EXPECT_EQ(text(), bad);
    }
}

TEST_F(ScratchFile, APartialLastLineIsCutSoAResumeAppendsCleanly) {
    const RunRecord done = record(0.1, 1, Outcome::converged, 40);
    write(results_header() + "\n" + results_row(done) + "\n0.2,0.01,0.9");
    const std::vector<RunRecord> back = read_results(path, true);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_TRUE(same(back[0], done));
    ResultsWriter(path).append(record(0.2, 1, Outcome::not_converged, 30));
    EXPECT_EQ(read_results(path).size(), 2u);

    fs::remove(path);
    EXPECT_TRUE(read_results(path).empty());
    EXPECT_THROW(ResultsWriter((fs::path(folder) / "no" / "such.csv").string()), BadInput);
}

TEST(SweepSummary, MediansAndQuartilesOfTrialsCountOnlyRunsThatConverged) {
    EXPECT_TRUE(std::isnan(quantile({}, 0.5)));
    EXPECT_EQ(quantile({4, 1, 3, 2}, 0.5), 2.5);
    EXPECT_EQ(quantile({1, 2, 3, 4}, 0.75), 3.25);

    const std::vector<SettingSummary> s = summarise({
        record(0.1, 1, Outcome::converged, 100, 1),
        record(0.1, 2, Outcome::converged, 300, 3),
        record(0.1, 3, Outcome::not_converged, 5000, 9),
        record(0.1, 4, Outcome::crash, 0, 0.5),
        record(0.2, 1, Outcome::not_converged, 5000, 2),
    });
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(std::tuple(s[0].runs, s[0].converged, s[0].failed, s[1].converged), std::tuple(4, 2, 1, 0));
    // The best median is of the three runs with an outcome.
    EXPECT_EQ(std::tuple(s[0].trials_median, s[0].trials_q1, s[0].best_median, s[0].seconds_median),
              std::tuple(200.0, 150.0, 600.0, 2.0));
    EXPECT_TRUE(std::isnan(s[1].trials_median));

    std::ostringstream table;
    print_summary(table, s);
    EXPECT_NE(table.str().find("50%"), std::string::npos) << table.str();
    EXPECT_EQ(varied_parameters({s[0].setting, s[1].setting}), std::vector<int>{0});
}

}  // namespace
