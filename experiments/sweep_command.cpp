#include "experiments/sweep_command.hpp"

#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <thread>
#include <tuple>

#include "experiments/bad_input.hpp"
#include "experiments/control_settings.hpp"
#include "experiments/results_file.hpp"
#include "experiments/sweep_plot.hpp"
#include "experiments/sweep_progress.hpp"
#include "experiments/sweep_summary.hpp"
#include "experiments/value_list.hpp"
#include "experiments/worker_pool.hpp"

namespace sys::sweep {

namespace {

namespace fs = std::filesystem;

constexpr int kBadInputStatus = 2, kInterruptedStatus = 130;

std::atomic<bool> interrupt_requested{false};
extern "C" void on_interrupt(int) { interrupt_requested = true; }

struct SweepOptions {
    std::string alpha, beta, gamma, reinf, random, seeds = "1", out, plot, shard;
    double max_trials = 5000, max_seconds = 0;
    int jobs = 0;
    std::vector<std::string> merge;
};

std::vector<double> slider_values(const std::string& option, const std::string& list, const Slider& slider) {
    if (list.empty()) return {slider.start};
    std::vector<double> values = parse_value_list(option, list);
    for (double v : values) {
        if (!(v >= slider.min && v <= slider.max)) {
            throw BadInput(option + ": " + number_text(v) + " is outside the range of the slider " + slider.tag + " (" +
                           number_text(slider.min) + " to " + number_text(slider.max) + ")");
        }
    }
    return values;
}

std::vector<bool> random_values(const std::string& text, bool start) {
    if (text.empty()) return {start};
    if (text == "on") return {true};
    if (text == "off") return {false};
    if (text == "on,off") return {true, false};
    if (text == "off,on") return {false, true};
    throw BadInput("--random: expected on, off or on,off, got '" + text + "'");
}

std::pair<int, int> parse_shard(const std::string& text) {
    const auto slash = text.find('/');
    int index = 0, count = 0;
    const bool ok = slash != std::string::npos && CLI::detail::lexical_cast(text.substr(0, slash), index) &&
                    CLI::detail::lexical_cast(text.substr(slash + 1), count);
    if (!ok || count < 1 || index < 1 || index > count) {
        throw BadInput("--shard: expected I/N with 1 <= I <= N, got '" + text + "'");
    }
    return {index, count};
}

// Refuses a path that cannot be written, leaving no file behind.
void check_writable(const std::string& option, const std::string& path) {
    std::error_code ec;
    const bool existed = fs::exists(path, ec);
    {
        std::ofstream probe(path, std::ios::app);
        if (!probe) throw BadInput(option + ": cannot write '" + path + "'");
    }
    if (!existed) fs::remove(path, ec);
}

std::string folder_of(const std::string& program) {
    return program.empty() ? std::string() : fs::path(program).parent_path().string();
}

// Summaries sorted by setting, so a sweep and the merge of its shards print
// the same table whatever order their runs finished in.
std::vector<SettingSummary> sorted_summaries(const std::vector<RunRecord>& records) {
    std::vector<SettingSummary> sums = summarise(records);
    std::sort(sums.begin(), sums.end(), [](const SettingSummary& a, const SettingSummary& b) {
        const RunSetting &x = a.setting, &y = b.setting;
        return std::tie(x.alpha, x.beta, x.gamma, x.reinf, x.random) <
               std::tie(y.alpha, y.beta, y.gamma, y.reinf, y.random);
    });
    return sums;
}

bool any_failed(const std::vector<RunRecord>& records) {
    return std::any_of(records.begin(), records.end(), [](const RunRecord& r) { return !has_outcome(r); });
}

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "tavrin-sweep-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw BadInput("cannot make a temporary folder for the workers");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

int merge(const SweepOptions& o) {
    const std::string& out = o.merge.front();
    std::vector<RunRecord> records;
    std::map<RunKey, std::size_t> index;  // of each run's record
    std::vector<std::string> source;      // the file each record came from
    for (std::size_t i = 1; i < o.merge.size(); ++i) {
        const std::string& in = o.merge[i];
        if (!fs::exists(in)) throw BadInput("--merge: '" + in + "' does not exist");
        for (RunRecord& r : read_results(in)) {
            if (const auto it = index.find(r.key); it != index.end()) {
                throw BadInput("--merge: the run " + results_row(r) + " is in both '" + source[it->second] + "' and '" +
                               in + "'");
            }
            index.emplace(r.key, records.size());
            records.push_back(std::move(r));
            source.push_back(in);
        }
    }
    // Shards of one sweep make up its whole grid: every combination of the
    // values they hold, each once.
    SweepGrid grid;
    for (const RunRecord& r : records) {
        const RunSetting& s = r.key.setting;
        const auto add = [](auto& list, auto v) {
            if (std::find(list.begin(), list.end(), v) == list.end()) list.push_back(v);
        };
        add(grid.alpha, s.alpha), add(grid.beta, s.beta), add(grid.gamma, s.gamma), add(grid.reinf, s.reinf);
        add(grid.random, s.random);
        if (r.key.seed) add(grid.seeds, *r.key.seed);
    }
    for (auto* list : {&grid.alpha, &grid.beta, &grid.gamma, &grid.reinf}) std::sort(list->begin(), list->end());
    std::sort(grid.seeds.begin(), grid.seeds.end());
    std::sort(grid.random.begin(), grid.random.end());
    const std::vector<RunKey> plan = plan_runs(grid);
    if (records.empty()) throw BadInput("--merge: the files hold no runs");
    if (plan.size() != records.size()) {
        throw BadInput("--merge: the files hold " + std::to_string(records.size()) +
                       " runs, but their settings and"
                       " seeds make " +
                       std::to_string(plan.size()) + ": they are not all the shards of one sweep");
    }
    if (!o.plot.empty()) {
        std::vector<RunSetting> settings;
        for (const RunRecord& r : records) settings.push_back(r.key.setting);
        check_plottable(settings);
        check_writable("--plot", o.plot);
    }
    read_results(out);  // refuses to replace a file that is not a sweep's results
    std::vector<RunRecord> ordered;
    for (const RunKey& key : plan) {
        const auto it = index.find(key);
        if (it == index.end()) throw BadInput("--merge: the files are not all the shards of one sweep");
        ordered.push_back(records[it->second]);
    }
    write_results(out, ordered);
    const std::vector<SettingSummary> sums = sorted_summaries(ordered);
    print_summary(std::cout, sums);
    std::cout.flush();
    if (!o.plot.empty()) save_sweep_plot(sums, o.plot);
    return any_failed(ordered) ? 1 : 0;
}

int sweep(const SweepOptions& o, const std::string& program) {
    const ControlSettings controls = read_control_settings(find_layout_file(folder_of(program)));
    SweepGrid grid;
    grid.alpha = slider_values("--alpha", o.alpha, controls.alpha);
    grid.beta = slider_values("--beta", o.beta, controls.beta);
    grid.gamma = slider_values("--gamma", o.gamma, controls.gamma);
    grid.reinf = slider_values("--reinf", o.reinf, controls.reinf);
    grid.random = random_values(o.random, controls.random_start);
    grid.seeds = parse_seed_list("--seeds", o.seeds);
    const std::vector<RunKey> plan = plan_runs(grid);
    std::vector<RunKey> mine = plan;
    if (!o.shard.empty()) {
        const auto [index, count] = parse_shard(o.shard);
        mine = shard_runs(plan, index, count);
    }
    if (!o.plot.empty()) {
        if (!o.shard.empty())
            throw BadInput("--plot: a shard holds part of a sweep; plot the merged shards (--merge ... --plot)");
        std::vector<RunSetting> settings;
        for (const RunKey& k : plan) settings.push_back(k.setting);
        check_plottable(settings);
        check_writable("--plot", o.plot);
    }

    std::vector<RunRecord> records;  // the runs of this sweep (or shard), finished
    std::set<RunKey> done;
    std::unique_ptr<ResultsWriter> writer;
    if (!o.out.empty()) {
        const std::set<RunKey> planned(mine.begin(), mine.end());
        for (RunRecord& r : read_results(o.out, true)) {
            // Rows of other runs stay in the file but are not this sweep's.
            if (planned.count(r.key) && done.insert(r.key).second) records.push_back(std::move(r));
        }
        check_writable("--out", o.out);
        writer = std::make_unique<ResultsWriter>(o.out);
    }
    std::vector<RunKey> to_run;
    for (const RunKey& k : mine) {
        if (!done.count(k)) to_run.push_back(k);
    }

    WorkerSettings ws;
    ws.program = program;
    ws.jobs = o.jobs > 0 ? o.jobs : std::max(1u, std::thread::hardware_concurrency());
    ws.max_trials = o.max_trials;
    ws.max_seconds = o.max_seconds;
    const ScratchFolder scratch;
    SweepProgress progress(std::cerr, isatty(STDERR_FILENO) != 0, static_cast<int>(mine.size()),
                           static_cast<int>(records.size()));

    interrupt_requested = false;
    struct sigaction action {};
    action.sa_handler = on_interrupt;
    sigemptyset(&action.sa_mask);
    struct sigaction old_int {
    }, old_term{};
    sigaction(SIGINT, &action, &old_int);
    sigaction(SIGTERM, &action, &old_term);
    WorkerPool pool(ws, scratch.path());
    const bool complete = pool.run(
        to_run,
        [&](const RunRecord& r, const std::string& note) {
            if (writer) writer->append(r);
            records.push_back(r);
            progress.finished(r, note);
        },
        [&] { progress.tick(); }, [] { return interrupt_requested.load(); });
    sigaction(SIGINT, &old_int, nullptr);
    sigaction(SIGTERM, &old_term, nullptr);
    progress.close(ws.jobs);
    if (!complete) {
        std::cerr << "sweep: interrupted after " << records.size() << " of " << mine.size() << " runs"
                  << (o.out.empty() ? std::string(".") : "; run the same command again to resume from '" + o.out + "'.")
                  << std::endl;
        return kInterruptedStatus;
    }

    const std::vector<SettingSummary> sums = sorted_summaries(records);
    print_summary(std::cout, sums);
    std::cout.flush();
    if (!o.plot.empty()) save_sweep_plot(sums, o.plot);
    return any_failed(records) ? 1 : 0;
}

}  // namespace

int sweep_main(int argc, const char* const* argv, const std::string& program) {
    SweepOptions o;
    CLI::App app("Runs the learning run over every combination of settings and seeds, in worker processes.",
                 "tavrin sweep");
    app.option_defaults()->always_capture_default(false);
    CLI::Option* alpha =
        app.add_option("--alpha", o.alpha, "ALPHA values: a,b,c or start:step:stop")->type_name("LIST");
    CLI::Option* beta = app.add_option("--beta", o.beta, "BETA values")->type_name("LIST");
    CLI::Option* gamma = app.add_option("--gamma", o.gamma, "GAMMA values")->type_name("LIST");
    CLI::Option* reinf = app.add_option("--reinf", o.reinf, "Reinforcement at failure values")->type_name("LIST");
    CLI::Option* random = app.add_option("--random", o.random, "Random terms: on, off or on,off")->type_name("on|off");
    CLI::Option* seeds =
        app.add_option("--seeds", o.seeds, "Seeds of the runs with random terms (default 1)")->type_name("LIST");
    CLI::Option* max_trials =
        app.add_option("--max-trials", o.max_trials, "Stop a run at N failures, as not converged (default 5000)")
            ->type_name("N")
            ->check(CLI::Range(1.0, 1e12));
    CLI::Option* jobs = app.add_option("--jobs", o.jobs, "Worker processes (default: the number of cores)")
                            ->type_name("N")
                            ->check(CLI::Range(1, 1024));
    CLI::Option* max_seconds =
        app.add_option("--max-seconds", o.max_seconds, "Give up a run after S seconds (recorded as timeout)")
            ->type_name("S")
            ->check(CLI::Range(0.001, 1e9));
    CLI::Option* out =
        app.add_option("--out", o.out, "Results CSV, one row per run; resumes a sweep it holds")->type_name("FILE.csv");
    app.add_option("--plot", o.plot, "Heat map (two varied parameters) or line (one) as a PNG file")
        ->type_name("FILE.png");
    CLI::Option* shard =
        app.add_option("--shard", o.shard, "Run every N-th run from the I-th (1 <= I <= N)")->type_name("I/N");
    CLI::Option* merge_opt =
        app.add_option("--merge", o.merge, "Join the results files of a sweep's shards into OUT.csv")
            ->type_name("OUT.csv IN.csv...")
            ->expected(2, -1);
    app.footer(
        "Exit status: 0 when every run ended (converged or not); 1 when a run crashed, timed out or failed; "
        "2 for bad input, before any run; 130 when interrupted. The same command with the same --out "
        "resumes an interrupted sweep.");
    for (CLI::Option* opt : {alpha, beta, gamma, reinf, random, seeds, max_trials, jobs, max_seconds, out, shard})
        merge_opt->excludes(opt);

    try {
        try {
            app.parse(argc, argv);
        } catch (const CLI::CallForHelp&) {
            std::cout << app.help();
            return 0;
        } catch (const CLI::ParseError& e) {
            throw BadInput(std::string(e.what()) + " (see tavrin sweep --help)");
        }
        if (max_trials->count() && o.max_trials != std::floor(o.max_trials))
            throw BadInput("--max-trials: expected a whole number, got " + number_text(o.max_trials));
        return o.merge.empty() ? sweep(o, program) : merge(o);
    } catch (const BadInput& e) {
        std::cerr << "tavrin sweep: " << e.what() << std::endl;
        return kBadInputStatus;
    }
}

}  // namespace sys::sweep
