#include "runtime/main/run_main.hpp"

#include <iostream>
#include <memory>

#include "runtime/main/command_line.hpp"
#include "runtime/main/program_run.hpp"

namespace rt {

int run_headless(ProgramRun& run) {
    const ProgramOptions& options = run.options();
    // Pictures are painted by the window backend; saying nothing would leave
    // the caller looking for files that were never written.
    if (!options.save_figures.empty() && !can_save_figures()) {
        std::cerr << run.program() << ": this build has no windows, so it cannot save figures" << std::endl;
        return 1;
    }
    std::unique_ptr<HeadlessPace> pace = pace_headless(options);
    run.limit_time();
    if (run.launch()) {
        run.run_actions();
        // The pictures show the state the actions left.
        if (!options.save_figures.empty()) run.attempt([&] { save_pictures(options.save_figures); });
    }
    run.end();
    pace.reset();
    return run.finish();
}

int run_main(int argc, char** argv, ByNameEntry main_entry, int /*format*/, const MainInformation* info,
             const ProgramExtensions& extensions) {
    const ParsedCommandLine parsed = parse_command_line(argc, argv, std::cout, std::cerr, extensions);
    if (parsed.exit_status) return *parsed.exit_status;
    if (!info || !main_entry) {
        std::cerr << "run_main: no program to run." << std::endl;
        return 1;
    }
    ProgramRun run(parsed.options, argc > 0 ? argv[0] : nullptr, main_entry, *info, extensions);
    return parsed.options.headless ? run_headless(run) : run_windowed(run);
}

}  // namespace rt
