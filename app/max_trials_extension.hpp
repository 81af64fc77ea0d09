#pragma once
// --max-trials N: a learning run that reaches N failures without a success
// stops there, after that failure's update of the table and its titles, as a
// run that did not converge. It says so in one line on standard error; the
// exit status stays 0, for not converging is an outcome, not a fault.

#include <memory>

#include "runtime/main/program_extension.hpp"

namespace sys {

class RunObserver;

class MaxTrialsExtension : public rt::ProgramExtension {
public:
    MaxTrialsExtension();
    ~MaxTrialsExtension() override;
    void add_options(CLI::App& app) override;
    void started(const rt::ProgramOptions&) override;
    void ending() override;

private:
    double max_trials_ = 0;               // 0: no bound
    std::unique_ptr<RunObserver> bound_;  // installed only while a bound is given
};

}  // namespace sys
