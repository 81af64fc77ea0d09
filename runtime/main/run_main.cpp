#include "runtime/main/run_main.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "runtime/array/text.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/program.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/charts.hpp"
#include "runtime/main/command_line.hpp"
#include "runtime/main/startup_actions.hpp"
#include "runtime/main/time_limit.hpp"
#ifdef TAVRIN_WITH_WINDOWS
#include "runtime/window/display_check.hpp"
#include "runtime/window/figure_export.hpp"
#include "runtime/window/paced_pause.hpp"
#include "runtime/window/run_pace.hpp"
#include "runtime/window/window_session.hpp"
#endif

namespace rt {

namespace {

#ifdef TAVRIN_WITH_WINDOWS
// --pace, else --speed; unset, windows start at a pace a person can follow
// and a headless run goes as fast as it can.
double starting_pace(const ProgramOptions& o) {
    if (o.pace_given) return o.pace;
    if (const std::optional<Speed> s = speed_named(o.speed)) return pace_of(*s);
    return o.headless ? 0 : pace_of(Speed::normal);
}
#endif

// The folder of the running executable, where the build puts the layout
// files; empty when it cannot be told.
std::string executable_folder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0) exe = std::filesystem::absolute(argv0, ec);
    if (ec || exe.empty()) return {};
    return exe.parent_path().string();
}

// Runs `body`; on an error prints its text on standard error and gives false.
template <typename Body>
bool reported(Body&& body) {
    if (guarded(std::forward<Body>(body))) return true;
    console().flush();
    std::cerr << lasterr().text() << std::endl;
    return false;
}

// The action as it stands on the command line.
std::string action_text(const StartupAction& action) {
    switch (action.kind) {
    case StartupAction::Kind::Set:
        return "--set " + action.tag + "=" + num2str(action.value);
    case StartupAction::Kind::Click:
        return "--click " + action.tag;
    case StartupAction::Kind::Eval:
        break;
    }
    return "--eval \"" + action.statement + "\"";
}

// Windows still open after the time limit and its grace: deleted without
// asking their "CloseRequestFcn" again.
void end_every_window() {
    const Value pairs[] = {Value::string("Type"), Value::string("figure")};
    const Value windows = findall(Value(0.0), pairs);
    for (std::size_t i = 0; i < windows.numel(); ++i)
        if (find_object(windows[i])) delete_(Value(windows[i]));
}

}  // namespace

int run_main(int argc, char** argv, ByNameEntry main_entry, int /*format*/, const MainInformation* info,
             const ProgramExtensions& extensions) {
    const ParsedCommandLine parsed = parse_command_line(argc, argv, std::cout, std::cerr, extensions);
    if (parsed.exit_status) return *parsed.exit_status;
    const ProgramOptions& options = parsed.options;
    if (!info || !main_entry) {
        std::cerr << "run_main: no program to run." << std::endl;
        return 1;
    }

    const std::string program =
        argc > 0 && argv[0] && *argv[0] ? std::filesystem::path(argv[0]).filename().string() : "tavrin";
#ifdef TAVRIN_WITH_WINDOWS
    // Windows need a display: say so in one line before the toolkit starts.
    std::unique_ptr<WindowSession> windows;
    std::unique_ptr<PacedPauseBackend> paced;
    if (!options.headless) {
        if (auto problem = display_problem()) {
            std::cerr << no_display_message(program, *problem) << std::endl;
            return 1;
        }
        windows = std::make_unique<WindowSession>(program, WindowOptions{options.fps, starting_pace(options)});
    } else if (starting_pace(options) > 0) {
        paced = std::make_unique<PacedPauseBackend>(starting_pace(options));
        set_window_backend(paced.get());
    }
#else
    if (!options.headless) {
        std::cerr << program << ": this build has no windows; run with --headless" << std::endl;
        return 1;
    }
    // Pictures are painted by the window backend; saying nothing would leave
    // the caller looking for files that were never written.
    if (!options.save_figures.empty()) {
        std::cerr << program << ": this build has no windows, so it cannot save figures" << std::endl;
        return 1;
    }
#endif
    std::unique_ptr<TimeLimit> limit;
    if (options.max_seconds > 0) {
        limit = std::make_unique<TimeLimit>(options.max_seconds);
        limit->watch_pauses();
#ifdef TAVRIN_WITH_WINDOWS
        // Timers wake the wait for a person: at the deadline, and when the
        // windows that refused to close are to be ended.
        if (windows) {
            windows->at_deadline(options.max_seconds, [&limit] { if (limit) limit->expire(); });
            // A margin past the grace: the loop ends the windows only once
            // the grace is over, and a wake-up before it would leave the
            // loop waiting with nothing left to wake it.
            windows->at_deadline(options.max_seconds + kTimeLimitGrace + 0.1, [] {});
        }
#endif
    }
    const auto time_is_up = [&limit] { return limit && limit->ran_out(); };
    // A guarded region (the switchyard) printed an error and went on: tell
    // the extensions, and give whether it happened.
    const auto error_reported_since = [&extensions](std::uint64_t errors_before) {
        if (caught_errors() == errors_before) return false;
        for (ProgramExtension* e : extensions) reported([e] { e->error_reported(); });
        return true;
    };

    int status = 0;
    bool started = reported([&] {
        start_program(*info);
        if (options.seed) seed_rand(*options.seed);
        if (options.screen && options.headless) set_screen_size(options.screen->width, options.screen->height);
        const std::string folder = executable_folder(argc > 0 ? argv[0] : nullptr);
        set_resource_folders(folder.empty() ? std::vector<std::string>{} : std::vector<std::string>{folder});
        for (ProgramExtension* e : extensions) e->started(options);
    });
    bool launched = started && reported([&] {
        feval_entry(main_entry, 0, {});
        drawnow();
    });
    if (!launched) status = 1;

    if (launched) {
        EvalContext variables;
        for (const StartupAction& action : options.actions) {
            if (time_is_up()) break;
            const std::uint64_t errors_before = caught_errors();
            if (!reported([&] { run_startup_action(action, variables); })) {
                status = 1;
            } else if (const std::string error = lasterr().text();
                       !time_is_up() && error_reported_since(errors_before)) {
                // The switchyard printed the error on the console and returned
                // normally; the status and one line here keep it from passing
                // for success.
                console().flush();
                std::cerr << program << ": " << action_text(action) << ": its callback reported an error: " << error
                          << std::endl;
                status = 1;
            }
        }
        for (ProgramExtension* e : extensions) status = std::max(status, e->after_actions());
    }

#ifdef TAVRIN_WITH_WINDOWS
    // With windows the pictures show the state the actions left; then the
    // program lives until its last window closes.
    if (!options.save_figures.empty() && launched && !reported([&] {
            save_figures(options.save_figures);
            for (const NamedChart* c : charts()) {
                save_chart(options.save_figures, c->name, c->chart, static_cast<int>(c->place.place.width),
                           static_cast<int>(c->place.place.height));
            }
        })) {
        status = 1;
    }
    while (windows && launched && WindowSession::windows_open()) {
        if (limit && limit->grace_over()) {
            reported([] { end_every_window(); });
            break;
        }
        windows->wait_for_events();
        const std::uint64_t errors_before = caught_errors();
        reported([] { deliver_pending_callbacks(); });
        if (!time_is_up()) error_reported_since(errors_before);
        reported([&windows] { windows->run_posted_actions(); });
    }
#endif
    if (time_is_up()) {
        console().flush();
        std::cerr << program << ": the time limit of " << num2str(limit->seconds())
                  << " seconds (--max-seconds) ran out; every window was closed." << std::endl;
        status = kTimeLimitStatus;
    }
    for (ProgramExtension* e : extensions) {
        if (!reported([e] { e->ending(); }) && status == 0) status = 1;
    }
    if (!reported([&] { end_program(*info); }) && status == 0) status = 1;
    limit.reset();
#ifdef TAVRIN_WITH_WINDOWS
    windows.reset();
    if (paced) set_window_backend(nullptr);
#endif
    console().flush();
    // Output that could not be written (a full disk, > /dev/full) is a
    // failure, however well the rest went.
    if (!std::cout.flush() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << program << ": could not write the output to standard output." << std::endl;
        if (status == 0) status = 1;
    }
    return status;
}

}  // namespace rt
