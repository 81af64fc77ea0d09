#include "app/program_extensions.hpp"

#include "app/watch_extension.hpp"

namespace sys {

const rt::ProgramExtensions& program_extensions() {
    static const rt::ProgramExtensions extensions = {&watch_extension()};
    return extensions;
}

}  // namespace sys
