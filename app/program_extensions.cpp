#include "app/program_extensions.hpp"

#include "app/max_trials_extension.hpp"
#include "app/run_summary_extension.hpp"

namespace sys {

const rt::ProgramExtensions& program_extensions() {
    static MaxTrialsExtension max_trials;
    static RunSummaryExtension run_summary;
    static const rt::ProgramExtensions extensions = {&max_trials, &run_summary};
    return extensions;
}

}  // namespace sys
