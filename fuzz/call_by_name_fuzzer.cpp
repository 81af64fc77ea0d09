// Calls by name with generated argument lists. Each input makes a few calls,
// one after another in one program (so a call may meet what an earlier one
// made), each of one of the system's functions or of the runtime's own, with
// between none and three more inputs and outputs than declared. A clear
// error (rt::Error) is the only acceptable failure.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <vector>

#include "app/main_information.hpp"
#include "fuzz/fuzzed_program.hpp"
#include "fuzz/value_generator.hpp"
#include "runtime/array/error.hpp"
#include "runtime/call/feval.hpp"

namespace {

// The runtime's functions callable by name.
constexpr const char* kBuiltins[] = {"ischar",    "isstr",    "isnumeric", "isempty",    "numel",      "length",
                                     "size",      "class",    "isequal",   "zeros",      "ones",       "rand",
                                     "min",       "max",      "abs",       "plus",       "minus",      "mtimes",
                                     "mrdivide",  "num2str",  "disp",      "strcat",     "strcmp",     "lower",
                                     "upper",     "getfield", "setfield",  "isfield",    "fieldnames", "lasterr",
                                     "error",     "ishandle", "gcbo",      "gcbf",       "gcf",        "gca",
                                     "get",       "set",      "figure",    "axes",       "uicontrol",  "rectangle",
                                     "line",      "plot",     "surface",   "text",       "delete",     "close",
                                     "closereq",  "findall",  "findobj",   "getappdata", "setappdata", "isappdata",
                                     "rmappdata", "hold",     "ishold",    "axis",       "view",       "newplot",
                                     "drawnow",   "pause",    "feature",   "meshgrid",   "clf",        "cla"};
constexpr int kBuiltinInputs = 6, kBuiltinOutputs = 3;
constexpr int kBeyond = 3;

struct Callee {
    const char* name;
    int max_inputs, max_outputs;  // what the generator may give: the declared counts and a few beyond
};

// A declared count k >= 0 allows k; -k allows k-1 fixed and then any number.
int beyond(int declared) { return (declared >= 0 ? declared : -declared - 1 + 2) + kBeyond; }

Callee pick_callee(FuzzedDataProvider& data) {
    if (data.ConsumeBool()) {
        const auto& e = sys::function_table[data.ConsumeIntegralInRange<int>(0, sys::function_count - 1)];
        return {e.name, beyond(e.declared_inputs), beyond(e.declared_outputs)};
    }
    const char* name = kBuiltins[data.ConsumeIntegralInRange<std::size_t>(0, std::size(kBuiltins) - 1)];
    return {name, kBuiltinInputs, kBuiltinOutputs};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    fuzz::FuzzedProgram program(true);
    fuzz::ValueGenerator values(data);
    const int calls = data.ConsumeIntegralInRange<int>(1, 4);
    for (int c = 0; c < calls && data.remaining_bytes() > 0; ++c) {
        const Callee callee = pick_callee(data);
        const int nargout = data.ConsumeIntegralInRange<int>(0, callee.max_outputs);
        const int nargin = data.ConsumeIntegralInRange<int>(0, callee.max_inputs);
        std::vector<rt::Value> args;
        for (int i = 0; i < nargin; ++i) args.push_back(values.input());
        try {
            rt::feval(callee.name, nargout, args);
        } catch (const rt::Error&) {
        }
    }
    return 0;
}
