#pragma once
// Says on the console when Start is pressed while a learning run is going.
// The runtime does not start a control's callback again while it runs, so
// the press is dropped, as it must be; without a word it looks lost. Only
// the console line is added: what the press does (nothing) stays the same.
// No options of its own.

#include "runtime/main/program_extension.hpp"

namespace sys {

class StartPressNotice : public rt::ProgramExtension {
public:
    void add_options(CLI::App&) override {}
    void started(const rt::ProgramOptions&) override;
    void ending() override;
};

}  // namespace sys
