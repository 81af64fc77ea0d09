#include "app/program_extensions.hpp"

#include <iostream>

#include "app/start_press_notice.hpp"
#include "app/window_closed_note.hpp"

namespace sys {

const rt::ProgramExtensions& program_extensions() {
    static WindowClosedNote window_closed_note(std::cerr);
    static StartPressNotice start_press_notice;
    static const rt::ProgramExtensions extensions = {&window_closed_note, &start_press_notice};
    return extensions;
}

}  // namespace sys
