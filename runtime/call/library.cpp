#include "runtime/call/library.hpp"

#include "runtime/call/feval.hpp"

namespace rt {

namespace {

struct Builtin {
    const char* name;
    ByNameEntry entry;
};

constexpr Builtin array_builtins[] = {
    {"ischar", entry_ischar},
    {"isstr", entry_isstr},
    {"isnumeric", entry_isnumeric},
    {"isempty", entry_isempty},
    {"numel", entry_numel},
    {"length", entry_length},
    {"size", entry_size},
    {"class", entry_class},
    {"isequal", entry_isequal},
    {"zeros", entry_zeros},
    {"ones", entry_ones},
    {"rand", entry_rand},
    {"min", entry_min},
    {"max", entry_max},
    {"abs", entry_abs},
    {"plus", entry_plus},
    {"minus", entry_minus},
    {"mtimes", entry_mtimes},
    {"mrdivide", entry_mrdivide},
    {"num2str", entry_num2str},
    {"disp", entry_disp},
    {"strcat", entry_strcat},
    {"strcmp", entry_strcmp},
    {"lower", entry_lower},
    {"upper", entry_upper},
    {"getfield", entry_getfield},
    {"setfield", entry_setfield},
    {"isfield", entry_isfield},
    {"fieldnames", entry_fieldnames},
    {"lasterr", entry_lasterr},
    {"error", entry_error},
};

}  // namespace

void array_library_initialize() {
    for (const Builtin& b : array_builtins) register_builtin(b.name, b.entry);
}

void array_library_terminate() {
    for (const Builtin& b : array_builtins) unregister_builtin(b.name);
}

}  // namespace rt
