#include "figutil/iskeyword.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

namespace {

#define ISKEYWORD_CONSTANTS(X)                                                                                \
    X(kWords, texts_column({"break", "case", "catch", "continue", "else", "elseif", "end", "for", "function", \
                            "global", "if", "otherwise", "persistent", "return", "switch", "try", "while"}))

enum Constant : std::size_t { ISKEYWORD_CONSTANTS(SYS_CONSTANT_NAME) };

Constants<Constant, iskeyword_module> constants;

rt::Value body(int nargout, const rt::Value& s) {
    using namespace rt;
    BodyFrame frame(iskeyword_module.name(), &iskeyword_module.locals, nargout);
    Value L;
    const int given = rt::nargin(1, &s);
    L = constants[kWords];
    if (given > 0) L = any(strcmp(require_input(s, "s"), L));
    frame.check_output(L, 1, "L");
    return L;
}

}  // namespace

rt::Value iskeyword(rt::Value s) { return body(1, s); }

void entry_iskeyword(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1)));
}

void iskeyword_initialize() { constants.create({ISKEYWORD_CONSTANTS(SYS_CONSTANT_VALUE)}); }

void iskeyword_terminate() { constants.release(); }

}  // namespace sys
