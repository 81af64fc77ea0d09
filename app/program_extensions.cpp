#include "app/program_extensions.hpp"

namespace sys {

const rt::ProgramExtensions& program_extensions() {
    static const rt::ProgramExtensions extensions = {};
    return extensions;
}

}  // namespace sys
