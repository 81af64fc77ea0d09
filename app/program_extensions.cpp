#include "app/program_extensions.hpp"

#include "app/start_press_notice.hpp"

namespace sys {

const rt::ProgramExtensions& program_extensions() {
    static StartPressNotice start_press_notice;
    static const rt::ProgramExtensions extensions = {&start_press_notice};
    return extensions;
}

}  // namespace sys
