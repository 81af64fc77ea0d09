#include "figutil/isvarname.hpp"

#include "figutil/iskeyword.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/call_frame.hpp"
#include "runtime/call/frame.hpp"

namespace sys {

namespace {

#define ISVARNAME_CONSTANTS(X)         \
    X(kFirst, 1.0)                     \
    X(kUnderscore, Value::string("_")) \
    X(kZero, Value::string("0"))       \
    X(kNine, Value::string("9"))

enum Constant : std::size_t {
    ISVARNAME_CONSTANTS(SYS_CONSTANT_NAME)
    // One slot, three meanings: the first character, size's dimension of
    // rows, and the one row a name has.
    kRowDimension = kFirst,
    kOneRow = kFirst,
};

Constants<Constant, isvarname_module> constants;

// Whether the first character of a text is a letter. A row with no
// characters has no first character and so does not start with a letter.
rt::Value starts_with_letter(const rt::Value& s) {
    if (s.is_empty()) return rt::Value::logical(false);
    return rt::isletter(rt::Value::character(static_cast<char16_t>(rt::array_ref1(s, constants[kFirst][0]))));
}

rt::Value body(int nargout, const rt::Value& s_in) {
    using namespace rt;
    BodyFrame frame(isvarname_module.name(), &isvarname_module.locals, nargout);
    const Value& s = require_input(s_in, "s");
    Value t;

    const Value is_text = Value::logical(ischar(s));
    const Value one_row = eq(Value(size(s, constants[kRowDimension][0])), constants[kOneRow]);
    const Value short_enough = le(Value(length_int(s)), Value(31.0));
    t = and_(and_(is_text, one_row), short_enough);

    if (tobool(t)) {
        const Value allowed = or_(or_(isletter(s), eq(s, constants[kUnderscore])),
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
    rt::ByNameCall call(constants.arity(), nargout, outputs, nargin, inputs);
    call.finish(body(call.nargout(), call.input(1)));
}

void isvarname_initialize() {
    using rt::Value;
    constants.create({ISVARNAME_CONSTANTS(SYS_CONSTANT_VALUE)});
}

void isvarname_terminate() { constants.release(); }

}  // namespace sys
