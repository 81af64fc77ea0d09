// --trials-csv and --speed end to end: the file a run leaves, an unwritable
// path refused before anything runs, and the headless pace.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/system/program_run.hpp"

namespace {

using sys_test::run_tavrin_within;

struct Csv {
    std::string header;
    std::vector<std::vector<std::string>> rows;
    bool crlf = true;  // every record ends in CR LF
};

Csv read_csv(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    Csv csv;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        if (line.empty() || line.back() != '\r') csv.crlf = false;
        else line.pop_back();
        at = end + 1;
        if (csv.header.empty()) {
            csv.header = line;
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream fs(line);
        std::string f;
        while (std::getline(fs, f, ',')) fields.push_back(f);
        if (!line.empty() && line.back() == ',') fields.emplace_back();
        csv.rows.push_back(fields);
    }
    return csv;
}

TEST(TrialsCsv, TheDeterministicRunWritesEveryTrialWithItsSettings) {
    const std::string file = sys_test::make_temp_folder() + "/trials.csv";
    const auto run = run_tavrin_within(120, {"--headless", "--trials-csv", file, "--set", "radiobutton1=0", "--set",
                                             "alpha_sl=0.3", "--set", "gamma_sl=0.95", "--set", "reinf_sl=-1",
                                             "--click", "pushbutton1"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Csv csv = read_csv(file);
    EXPECT_TRUE(csv.crlf);
    EXPECT_EQ(csv.header, "run,trial,steps,outcome,alpha,beta,gamma,random_terms,reinforcement");
    ASSERT_EQ(csv.rows.size(), 323u);
    double largest_failure = 0;
    for (std::size_t i = 0; i < 322; ++i) {
        const auto& r = csv.rows[i];
        ASSERT_EQ(r.size(), 9u);
        EXPECT_EQ(r[0], "1");
        EXPECT_EQ(r[1], std::to_string(i + 1));
        EXPECT_EQ(r[3], "failure");
        largest_failure = std::max(largest_failure, std::stod(r[2]));
    }
    EXPECT_EQ(largest_failure, 3196);
    EXPECT_EQ(csv.rows[321], (std::vector<std::string>{"1", "322", "1955", "failure", "0.3", "0", "0.95", "0", "-1"}));
    EXPECT_EQ(csv.rows[322], (std::vector<std::string>{"1", "323", "100000", "success", "0.3", "0", "0.95", "0", ""}));
}

TEST(TrialsCsv, AnUnwritablePathIsRefusedAtStartAndAStoppedRunKeepsItsRows) {
    const std::string folder = sys_test::make_temp_folder();
    const auto refused = run_tavrin_within(30, {"--headless", "--trials-csv", folder + "/missing/trials.csv",
                                                "--click", "pushbutton1"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("cannot write '" + folder + "/missing/trials.csv'"), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");  // no run began

    // ALPHA 0 never learns; the time limit stops it, and what it did stays.
    const std::string file = folder + "/stopped.csv";
    const auto stopped = run_tavrin_within(60, {"--headless", "--max-seconds", "1", "--trials-csv", file, "--set",
                                                "alpha_sl=0", "--click", "pushbutton1"});
    EXPECT_EQ(stopped.status, 3);
    const Csv csv = read_csv(file);
    EXPECT_TRUE(csv.crlf);
    EXPECT_GT(csv.rows.size(), 10u);
    for (const auto& r : csv.rows) EXPECT_EQ(r.at(3), "failure");
}

TEST(Replay, RunsAfterASuccessOnlyAndAddsNoTrial) {
    const std::string file = sys_test::make_temp_folder() + "/replayed.csv";
    const auto run = run_tavrin_within(120, {"--headless", "--trials-csv", file, "--set", "radiobutton1=0", "--set",
                                             "alpha_sl=0.3", "--set", "gamma_sl=0.95", "--set", "reinf_sl=-1",
                                             "--click", "pushbutton1", "--replay", "4"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.rfind("ALPHA = 0.3\nBETA = 0.01\nGAMMA = 0.95\nBETA = 0\nreplay: ", 0), 0u) << run.out;
    EXPECT_NE(run.out.find(" steps ("), std::string::npos) << run.out;
    EXPECT_EQ(read_csv(file).rows.size(), 323u);  // the replay is no trial

    const auto nothing_learned = run_tavrin_within(30, {"--headless", "--replay", "4"});
    EXPECT_EQ(nothing_learned.status, 1);
    EXPECT_NE(nothing_learned.err.find("--replay: no run succeeded"), std::string::npos) << nothing_learned.err;
}

TEST(Speed, RealTimeHeadlessPacesTheStepsAndBadPresetsAreRefused) {
    const std::string file = sys_test::make_temp_folder() + "/paced.csv";
    const auto run = run_tavrin_within(60, {"--headless", "--speed", "realtime", "--max-seconds", "1",
                                            "--trials-csv", file, "--set", "alpha_sl=0", "--click", "pushbutton1"});
    EXPECT_EQ(run.status, 3);
    double steps = 0;
    for (const auto& r : read_csv(file).rows) steps += std::stod(r.at(2));
    EXPECT_LE(steps, 1 / 0.02);  // a second holds at most 50 steps of 0.02 s
    EXPECT_GT(steps, 0);

    for (const std::vector<std::string>& args : {std::vector<std::string>{"--headless", "--speed", "slow"},
                                                 {"--headless", "--speed", "fast", "--pace", "0.1"}}) {
        const auto bad = run_tavrin_within(30, args);
        EXPECT_EQ(bad.status, 2) << args[2];
        EXPECT_NE(bad.err.find("usage:"), std::string::npos);
    }
}

}  // namespace
