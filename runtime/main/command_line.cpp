#include "runtime/main/command_line.hpp"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <map>

#include "runtime/main/option_number.hpp"

namespace rt {

namespace {

// A validator of a number option: `accept` says whether a value is in range
// (NaN must fail it), `range` names the range in the message.
template <typename Accept>
CLI::Validator number_in(const char* range, Accept accept) {
    return CLI::Validator(
        [range, accept](const std::string& text) -> std::string {
            const auto d = option_number(text);
            if (d && accept(*d)) return {};
            return "expected " + std::string(range) + ", got '" + text + "'";
        },
        "NUMBER");
}

std::string check_assignment(const std::string& text) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) return "expected TAG=VALUE, got '" + text + "'";
    if (!option_number(text.substr(eq + 1))) return "the value in '" + text + "' is not a number";
    return {};
}

std::optional<ScreenSize> to_screen(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    const auto w = option_number(text.substr(0, x)), h = option_number(text.substr(x + 1));
    if (!w || !h || !(*w >= 1 && *w <= 100000) || !(*h >= 1 && *h <= 100000)) return std::nullopt;
    return ScreenSize{*w, *h};
}

std::string usage_line(const std::string& program) {
    return "usage: " + program +
           " [--headless] [--set TAG=VALUE]... [--click TAG]... [--eval STATEMENT]... [--seed N]"
           " [--screen WxH] [--save-figures DIR] [--pace SECONDS] [--fps N] [--max-seconds S] [--speed PRESET]";
}

}  // namespace

ParsedCommandLine parse_command_line(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                                     const ProgramExtensions& extensions) {
    const std::string program =
        argc > 0 && argv[0] && *argv[0] ? std::filesystem::path(argv[0]).filename().string() : "tavrin";
    ParsedCommandLine parsed;
    ProgramOptions& o = parsed.options;

    CLI::App app("Runs the program; --set, --click and --eval act on it after launch, in their order.", program);
    app.option_defaults()->always_capture_default(false);
    std::vector<std::string> sets, clicks, evals;
    std::string seed, screen, pace, fps, max_seconds;

    app.add_flag("--headless", o.headless, "Show no window and need no display");
    CLI::Option* set_opt =
        app.add_option("--set", sets, "Set \"Value\" of the control tagged TAG and deliver its callback")
            ->type_name("TAG=VALUE")
            ->allow_extra_args(false)
            ->check(CLI::Validator(check_assignment, "TAG=VALUE"));
    CLI::Option* click_opt = app.add_option("--click", clicks, "Deliver the callback of the object tagged TAG")
                                 ->type_name("TAG")
                                 ->allow_extra_args(false)
                                 ->check(CLI::Validator(
                                     [](const std::string& s) {
                                         return s.empty() ? "expected the tag of an object, got ''" : std::string{};
                                     },
                                     "TAG"));
    CLI::Option* eval_opt = app.add_option("--eval", evals, "Run a statement and print its outputs")
                                ->type_name("STATEMENT")
                                ->allow_extra_args(false);
    CLI::Option* seed_opt =
        app.add_option("--seed", seed, "Seed the random generator")
            ->type_name("N")
            ->check(CLI::Validator(
                [](const std::string& s) {
                    return option_count(s) ? std::string{}
                                           : "expected a whole number from 0 to 18446744073709551615, got '" + s + "'";
                },
                "N"));
    CLI::Option* screen_opt =
        app.add_option("--screen", screen, "Screen size when headless (default 1280x1024)")
            ->type_name("WxH")
            ->check(CLI::Validator(
                [](const std::string& s) { return to_screen(s) ? std::string{} : "expected WxH, got '" + s + "'"; },
                "WxH"));
    app.add_option("--save-figures", o.save_figures, "At exit, write every open window as DIR/figure-N.png")
        ->type_name("DIR");
    CLI::Option* pace_opt =
        app.add_option("--pace", pace, "Make every pause last at least this long")
            ->type_name("SECONDS")
            ->check(number_in("a number of seconds from 0 to 3600", [](double d) { return d >= 0 && d <= 3600; }));
    CLI::Option* fps_opt =
        app.add_option("--fps", fps, "Repaint each window at most N times a second (default 60)")
            ->type_name("N")
            ->check(number_in("a number from 0.1 to 1000", [](double d) { return d >= 0.1 && d <= 1000; }));
    CLI::Option* max_seconds_opt =
        app.add_option("--max-seconds", max_seconds,
                       "After S seconds close every window, so a run ends at its next step (exit status 3)")
            ->type_name("S")
            ->check(
                number_in("a number of seconds from 0.001 to 1e9", [](double d) { return d >= 0.001 && d <= 1e9; }));
    app.add_option("--speed", o.speed,
                   "Starting pace: realtime (0.02 s a step), normal (about 1000 steps a second) or fast (unpaced); "
                   "with windows the default is normal")
        ->type_name("PRESET")
        ->check(CLI::IsMember({"realtime", "normal", "fast"}))
        ->excludes(pace_opt);
    for (ProgramExtension* e : extensions) e->add_options(app);
    app.footer(
        "Exit status: 0 when all went well; 1 when the launch, an action or a statement failed (its text on "
        "standard error); 2 for a bad option; 3 when --max-seconds ran out.");

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        parsed.exit_status = 0;
        return parsed;
    } catch (const CLI::ParseError& e) {
        err << program << ": " << e.what() << "\n" << usage_line(program) << "\n";
        parsed.exit_status = 2;
        return parsed;
    }

    // The validators have accepted these texts, so each reads as a number.
    if (seed_opt->count() > 0) o.seed = option_count(seed);
    if (pace_opt->count() > 0) o.pace = *option_number(pace);
    if (fps_opt->count() > 0) o.fps = *option_number(fps);
    if (max_seconds_opt->count() > 0) o.max_seconds = *option_number(max_seconds);
    o.pace_given = pace_opt->count() > 0;
    if (screen_opt->count() > 0) o.screen = to_screen(screen);

    // The actions in the order they stand on the command line: each entry of
    // the parse order is one value of one option.
    std::map<const CLI::Option*, std::size_t> taken;
    for (const CLI::Option* opt : app.parse_order()) {
        const std::size_t i = taken[opt]++;
        StartupAction a;
        if (opt == set_opt) {
            const std::string& text = sets.at(i);
            const auto eq = text.find('=');
            a.kind = StartupAction::Kind::Set;
            a.tag = text.substr(0, eq);
            a.value = *option_number(text.substr(eq + 1));
        } else if (opt == click_opt) {
            a.kind = StartupAction::Kind::Click;
            a.tag = clicks.at(i);
        } else if (opt == eval_opt) {
            a.kind = StartupAction::Kind::Eval;
            a.statement = evals.at(i);
        } else {
            continue;
        }
        o.actions.push_back(std::move(a));
    }
    for (ProgramExtension* e : extensions) {
        if (const std::string problem = e->check(o); !problem.empty()) {
            err << program << ": " << problem << "\n" << usage_line(program) << "\n";
            parsed.exit_status = 2;
            return parsed;
        }
    }
    return parsed;
}

}  // namespace rt
