#include "runtime/call/program.hpp"

#include <exception>

#include "runtime/call/feval.hpp"
#include "runtime/call/globals.hpp"

namespace rt {

void start_program(const MainInformation& info) {
    set_function_table(info.functions, info.function_count);
    set_global_table(info.globals, info.global_count);
    for (int i = 0; i < info.init_term_count; ++i)
        if (info.init_term[i].initialize) info.init_term[i].initialize();
}

void end_program(const MainInformation& info) {
    std::exception_ptr first;
    for (int i = info.init_term_count - 1; i >= 0; --i) {
        if (!info.init_term[i].terminate) continue;
        try {
            info.init_term[i].terminate();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    set_function_table(nullptr, 0);
    set_global_table(nullptr, 0);
    set_current_local_function_table(nullptr);
    if (first) std::rethrow_exception(first);
}

}  // namespace rt
