#pragma once
// The runtime's own command line. The system defines no options; these are
// the runtime's, parsed with CLI11:
//
//   --headless            no window, no display needed
//   --set TAG=VALUE       after launch, set "Value" of the control tagged TAG
//                         and deliver its callback, as a user would
//   --click TAG           after launch, deliver the callback of the object
//                         tagged TAG, as a press would
//   --eval STATEMENT      run a statement and print its outputs
//   --seed N              seed the random generator
//   --screen WxH          the headless screen size
//   --save-figures DIR    at exit, write every open window as DIR/figure-N.png
//   --pace SECONDS        make every pause last at least this long
//   --fps N               repaint each window at most N times a second
//   --max-seconds S       after S seconds, close every window (time_limit.hpp)
//   --speed PRESET        the starting pace as a preset: realtime, normal or
//                         fast (not with --pace)
//
// --set, --click and --eval keep their command-line order.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "runtime/main/program_extension.hpp"

namespace rt {

// One of --set, --click, --eval.
struct StartupAction {
    enum class Kind { Set, Click, Eval };
    Kind kind = Kind::Click;
    std::string tag;        // Set, Click
    double value = 0;       // Set
    std::string statement;  // Eval
};

struct ScreenSize {
    double width = 0, height = 0;
};

struct ProgramOptions {
    bool headless = false;
    std::vector<StartupAction> actions;  // in command-line order
    std::optional<std::uint64_t> seed;
    std::optional<ScreenSize> screen;
    std::string save_figures;  // empty: none
    double pace = 0;           // seconds; 0: no slowing down
    double fps = 60;
    double max_seconds = 0;   // 0: no time limit
    bool pace_given = false;  // --pace was on the command line
    std::string speed;        // "realtime", "normal", "fast"; empty: not given
};

struct ParsedCommandLine {
    ProgramOptions options;
    // Set when the program must end at once with this status: 0 after
    // --help (printed on `out`), 2 after a bad option (a message and a usage
    // line printed on `err`).
    std::optional<int> exit_status;
};

// Parses argv[1..argc-1]; argv[0] names the program in the usage line. The
// extensions add their options first and check the result last.
ParsedCommandLine parse_command_line(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                                     const ProgramExtensions& extensions = {});

}  // namespace rt
