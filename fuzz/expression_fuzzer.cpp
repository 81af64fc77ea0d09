// The expression language of callbacks and --eval: each input is the text of
// one --eval, run with printing on in a freshly launched program. A clear
// error (rt::Error) is the only acceptable failure.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/fuzzed_program.hpp"
#include "runtime/array/error.hpp"
#include "runtime/expression/expression.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::FuzzedProgram program(true);
    rt::EvalContext variables;
    try {
        rt::evaluate(std::string_view(reinterpret_cast<const char*>(bytes), size), variables, true);
    } catch (const rt::Error&) {
    }
    return 0;
}
