// The process entry: everything else happens inside rt::run_main.
#include "app/main_information.hpp"
#include "app/program_extensions.hpp"
#include "gui/tavrin.hpp"
#include "runtime/main/run_main.hpp"

int main(int argc, char** argv) {
    return rt::run_main(argc, argv, sys::entry_tavrin, 1, &sys::main_information, sys::program_extensions());
}
