#include "runtime/main/program_run.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "runtime/array/text.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/program.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/startup_actions.hpp"

namespace rt {

namespace {

// The folder of the running executable, where the build puts the layout
// files; empty when it cannot be told.
std::string executable_folder(const char* argv0) {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec && argv0) exe = std::filesystem::absolute(argv0, ec);
    if (ec || exe.empty()) return {};
    return exe.parent_path().string();
}

// The action as it stands on the command line.
std::string action_text(const StartupAction& action) {
    switch (action.kind) {
        case StartupAction::Kind::Set: return "--set " + action.tag + "=" + num2str(action.value);
        case StartupAction::Kind::Click: return "--click " + action.tag;
        case StartupAction::Kind::Eval: break;
    }
    return "--eval \"" + action.statement + "\"";
}

}  // namespace

bool reported(const std::function<void()>& body) {
    if (guarded(body)) return true;
    console().flush();
    std::cerr << lasterr().text() << std::endl;
    return false;
}

ProgramRun::ProgramRun(const ProgramOptions& options, const char* argv0, ByNameEntry main_entry,
                       const MainInformation& info, const ProgramExtensions& extensions)
    : options_(options),
      argv0_(argv0),
      program_(argv0 && *argv0 ? std::filesystem::path(argv0).filename().string() : "tavrin"),
      main_entry_(main_entry),
      info_(info),
      extensions_(extensions) {}

TimeLimit* ProgramRun::limit_time() {
    if (options_.max_seconds > 0) {
        limit_ = std::make_unique<TimeLimit>(options_.max_seconds);
        limit_->watch_pauses();
    }
    return limit_.get();
}

bool ProgramRun::launch() {
    const bool launched =
        reported([&] {
            start_program(info_);
            if (options_.seed) seed_rand(*options_.seed);
            if (options_.screen && options_.headless) set_screen_size(options_.screen->width, options_.screen->height);
            const std::string folder = executable_folder(argv0_);
            set_resource_folders(folder.empty() ? std::vector<std::string>{} : std::vector<std::string>{folder});
            for (ProgramExtension* e : extensions_) e->started(options_);
        }) &&
        reported([&] {
            feval_entry(main_entry_, 0, {});
            drawnow();
        });
    if (!launched) status_ = 1;
    return launched;
}

void ProgramRun::run_actions() {
    EvalContext variables;
    for (const StartupAction& action : options_.actions) {
        if (time_is_up()) break;
        const std::uint64_t errors_before = caught_errors();
        if (!reported([&] { run_startup_action(action, variables); })) {
            status_ = 1;
        } else if (const std::string error = lasterr().text(); !time_is_up() && error_reported_since(errors_before)) {
            // The switchyard printed the error on the console and returned
            // normally; the status and one line here keep it from passing
            // for success.
            console().flush();
            std::cerr << program_ << ": " << action_text(action) << ": its callback reported an error: " << error
                      << std::endl;
            status_ = 1;
        }
    }
    for (ProgramExtension* e : extensions_) status_ = std::max(status_, e->after_actions());
}

void ProgramRun::attempt(const std::function<void()>& body) {
    if (!reported(body)) status_ = 1;
}

void ProgramRun::deliver_callbacks() {
    const std::uint64_t errors_before = caught_errors();
    reported([] { deliver_pending_callbacks(); });
    if (!time_is_up()) error_reported_since(errors_before);
}

bool ProgramRun::error_reported_since(std::uint64_t errors_before) {
    if (caught_errors() == errors_before) return false;
    for (ProgramExtension* e : extensions_) reported([e] { e->error_reported(); });
    return true;
}

void ProgramRun::end() {
    if (time_is_up()) {
        console().flush();
        std::cerr << program_ << ": the time limit of " << num2str(limit_->seconds())
                  << " seconds (--max-seconds) ran out; every window was closed." << std::endl;
        status_ = kTimeLimitStatus;
    }
    for (ProgramExtension* e : extensions_) {
        if (!reported([e] { e->ending(); }) && status_ == 0) status_ = 1;
    }
    if (!reported([&] { end_program(info_); }) && status_ == 0) status_ = 1;
    limit_.reset();
}

int ProgramRun::finish() {
    console().flush();
    // Output that could not be written (a full disk, > /dev/full) is a
    // failure, however well the rest went.
    if (!std::cout.flush() || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::cerr << program_ << ": could not write the output to standard output." << std::endl;
        if (status_ == 0) status_ = 1;
    }
    return status_;
}

}  // namespace rt
