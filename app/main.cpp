// The process entry: `tavrin sweep ...` runs a sweep of learning runs in
// worker processes (each the program itself); everything else happens inside
// rt::run_main.
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/main_information.hpp"
#include "app/program_extensions.hpp"
#include "gui/tavrin.hpp"
#include "runtime/main/run_main.hpp"
#ifdef TAVRIN_WITH_SWEEP
#include "experiments/sweep_command.hpp"
#endif

int main(int argc, char** argv) {
#ifdef TAVRIN_WITH_SWEEP
    if (argc > 1 && std::strcmp(argv[1], "sweep") == 0) {
        std::error_code ec;
        std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (ec) self = std::filesystem::absolute(argv[0], ec);
        return sys::sweep::sweep_main(argc - 1, argv + 1, self.string());
    }
#endif
    return rt::run_main(argc, argv, sys::entry_tavrin, 1, &sys::main_information, sys::program_extensions());
}
