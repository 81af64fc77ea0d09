#include "runtime/main/run_main.hpp"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/program.hpp"
#include "runtime/call/random.hpp"
#include "runtime/graphics/graphics.hpp"
#include "runtime/main/command_line.hpp"
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

// Runs `body`; on an error prints its text on standard error and gives false.
template <typename Body>
bool reported(Body&& body) {
    if (guarded(std::forward<Body>(body))) return true;
    console().flush();
    std::cerr << lasterr().text() << std::endl;
    return false;
}

}  // namespace

int run_main(int argc, char** argv, ByNameEntry main_entry, int /*format*/, const MainInformation* info) {
    const ParsedCommandLine parsed = parse_command_line(argc, argv, std::cout, std::cerr);
    if (parsed.exit_status) return *parsed.exit_status;
    const ProgramOptions& options = parsed.options;
    if (!info || !main_entry) {
        std::cerr << "run_main: no program to run." << std::endl;
        return 1;
    }

    int status = 0;
    bool started = reported([&] {
        start_program(*info);
        if (options.seed) seed_rand(*options.seed);
        if (options.screen) set_screen_size(options.screen->width, options.screen->height);
        const std::string folder = executable_folder(argc > 0 ? argv[0] : nullptr);
        set_resource_folders(folder.empty() ? std::vector<std::string>{} : std::vector<std::string>{folder});
    });
    bool launched = started && reported([&] {
        feval_entry(main_entry, 0, {});
        drawnow();
    });
    if (!launched) status = 1;

    if (launched) {
        EvalContext variables;
        for (const StartupAction& action : options.actions)
            if (!reported([&] { run_startup_action(action, variables); })) status = 1;
    }

    // Until the window backend joins, every run ends here, as a headless one.
    if (!reported([&] { end_program(*info); })) status = 1;
    console().flush();
    std::cout.flush();
    return status;
}

}  // namespace rt
