#include "figutil/isvarname.hpp"

#include "figutil/iskeyword.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

namespace {

rt::ModuleConstants constants("isvarname");

enum Constant : std::size_t { kOutputsMessage, kInputsMessage, k1, kUnderscore, kZero, kNine };

// Whether the first character of a text is a letter. A row with no
// characters has no first character and so does not start with a letter.
rt::Value starts_with_letter(const rt::Value& s) {
    if (s.is_empty()) return rt::Value::logical(false);
    return rt::isletter(rt::Value::character(static_cast<char16_t>(rt::array_ref1(s, constants[k1][0]))));
}

rt::Value body(int nargout, const rt::Value& s_in) {
    using namespace rt;
    BodyFrame frame("isvarname", &isvarname_locals, nargout);
    const Value& s = require_input(s_in, "s");
    Value t;

    const Value is_text = Value::logical(ischar(s));
    const Value one_row = eq(Value(size(s, constants[k1][0])), constants[k1]);
    const Value short_enough = le(Value(length_int(s)), Value(31.0));
    t = and_(and_(is_text, one_row), short_enough);

    if (tobool(t)) {
        const Value allowed =
            or_(or_(isletter(s), eq(s, constants[kUnderscore])),
                and_(le(constants[kZero], s), le(s, constants[kNine])));
        t = and_(starts_with_letter(s), all(allowed));
        t = and_(t, not_(iskeyword(s)));
    }

    frame.check_output(t, 1, "t");
    return t;
}

}  // namespace

rt::Value isvarname(rt::Value s) { return body(1, s); }

void entry_isvarname(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs) {
    rt::ByNameCall call({"isvarname", 1, 1, &constants[kOutputsMessage], &constants[kInputsMessage]}, nargout,
                        outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1)));
}

void isvarname_initialize() {
    constants.add(rt::Value::string(rt::arity_message("isvarname", 1, rt::ArityKind::Outputs, 1)));
    constants.add(rt::Value::string(rt::arity_message("isvarname", 1, rt::ArityKind::Inputs, 1)));
    constants.add(rt::Value(1.0));
    constants.add(rt::Value::string("_"));
    constants.add(rt::Value::string("0"));
    constants.add(rt::Value::string("9"));
}

void isvarname_terminate() { constants.release(); }

}  // namespace sys
