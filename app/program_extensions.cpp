#include "app/program_extensions.hpp"

#include <iostream>

#include "app/window_closed_note.hpp"

namespace sys {

const rt::ProgramExtensions& program_extensions() {
    static WindowClosedNote window_closed_note(std::cerr);
    static const rt::ProgramExtensions extensions = {&window_closed_note};
    return extensions;
}

}  // namespace sys
