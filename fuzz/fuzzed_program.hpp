#pragma once
// The whole program started afresh for one fuzz input, as rt::run_main starts
// it headless: the tables installed, every initialiser run, the random
// generator seeded (so an input replays the same way) and console output
// thrown away; with `launch`, the control window opened by calling `tavrin`
// by name. The destructor ends the program and empties the global
// variables, so no input sees what an earlier one left behind.
//
// A learning run (the Start button's callback) lasts until the pole stays up
// for 100000 steps, which may be never. The session ends it: after
// kPauseBudget pauses every window is asked to close, as a person would close
// them, so the run's next drawing raises the runtime's error. Should the
// windows refuse (an input may give them a CloseRequestFcn that keeps them
// open), a pause past twice the budget raises an rt::Error itself.
//
// A launch that raises, or a terminator that raises, aborts: both are faults
// of the program, not of the input. One session at a time; it installs its
// own window backend.

#include <memory>

namespace fuzz {

inline constexpr long kPauseBudget = 200;

class FuzzedProgram {
public:
    explicit FuzzedProgram(bool launch);
    ~FuzzedProgram();
    FuzzedProgram(const FuzzedProgram&) = delete;
    FuzzedProgram& operator=(const FuzzedProgram&) = delete;

private:
    class PauseBudget;
    std::unique_ptr<PauseBudget> budget_;
};

}  // namespace fuzz
