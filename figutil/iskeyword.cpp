#include "figutil/iskeyword.hpp"

#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

namespace {

rt::ModuleConstants constants("iskeyword");

enum Constant : std::size_t { kOutputsMessage, kInputsMessage, kWords };

rt::Value body(int nargout, const rt::Value& s) {
    using namespace rt;
    BodyFrame frame("iskeyword", &iskeyword_locals, nargout);
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
    rt::ByNameCall call({"iskeyword", 1, 1, &constants[kOutputsMessage], &constants[kInputsMessage]}, nargout,
                        outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1)));
}

void iskeyword_initialize() {
    constants.add(rt::Value::string(rt::arity_message("iskeyword", 1, rt::ArityKind::Outputs, 1)));
    constants.add(rt::Value::string(rt::arity_message("iskeyword", 1, rt::ArityKind::Inputs, 1)));
    std::vector<rt::Value> words;
    for (const char* w : {"break", "case", "catch", "continue", "else", "elseif", "end", "for", "function", "global",
                          "if", "otherwise", "persistent", "return", "switch", "try", "while"})
        words.push_back(rt::Value::string(w));
    constants.add(rt::Value::cell_column(std::move(words)));
}

void iskeyword_terminate() { constants.release(); }

}  // namespace sys
