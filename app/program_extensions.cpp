#include "app/program_extensions.hpp"

#include <iostream>

#include "app/max_trials_extension.hpp"
#include "app/run_summary_extension.hpp"
#include "app/start_press_notice.hpp"
#include "app/watch_extension.hpp"
#include "app/window_closed_note.hpp"

namespace sys {

const rt::ProgramExtensions& program_extensions() {
    static WindowClosedNote window_closed_note(std::cerr);
    static StartPressNotice start_press_notice;
    static MaxTrialsExtension max_trials;
    static RunSummaryExtension run_summary;
    static const rt::ProgramExtensions extensions = {&window_closed_note, &start_press_notice, &max_trials,
                                                     &run_summary, &watch_extension()};
    return extensions;
}

}  // namespace sys
