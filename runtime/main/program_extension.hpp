#pragma once
// Options and duties a program adds to the runtime's own command line and
// main loop, for what watches or bounds its runs (a trials file, a bound on
// the number of trials, a replay). The runtime knows nothing of what they
// do; it only gives each extension its say at fixed points of run_main:
//
//  1. add_options: before parsing, the extension adds its options to the
//     command line (they appear in --help);
//  2. check: after parsing, a non-empty text refuses the command line with
//     status 2 and a usage line (an unwritable path, say), before any
//     window opens or any action runs;
//  3. started: after the program's tables are installed, before launch;
//  4. after_actions: after --set, --click and --eval have run, gives the
//     extension's own status (0 when all is well); the larger status wins;
//  5. ending: before the terminators run, whatever happened before.
//
// And whenever it happens: error_reported, after an action or a callback
// the windows delivered in which a guarded region caught an error (the
// switchyard has printed its text), before anything else runs; not once the
// time limit has run out, which closed every window itself.
//
// Extensions must stay alive until run_main returns.

#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace rt {

struct ProgramOptions;

class ProgramExtension {
public:
    virtual ~ProgramExtension() = default;
    virtual void add_options(CLI::App& app) = 0;
    virtual std::string check(const ProgramOptions&) { return {}; }
    virtual void started(const ProgramOptions&) {}
    virtual int after_actions() { return 0; }
    virtual void ending() {}
    virtual void error_reported() {}
};

using ProgramExtensions = std::vector<ProgramExtension*>;

}  // namespace rt
