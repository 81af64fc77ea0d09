// Structure functions callable by name.

#include "runtime/array/cellstruct.hpp"
#include "runtime/call/builtin_args.hpp"
#include "runtime/call/library.hpp"

namespace rt {

using builtin::arg;
using builtin::check_counts;

void entry_getfield(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 2, 2);
    outputs[0] = getfield(arg(inputs, 0, "getfield"), arg(inputs, 1, "getfield"));
}

void entry_setfield(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 3, 3);
    // setfield on a variable never assigned makes a new structure, so the
    // first input may hold nothing.
    outputs[0] = setfield(inputs[0], arg(inputs, 1, "setfield"), arg(inputs, 2, "setfield"));
}

void entry_isfield(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 2, 2);
    outputs[0] = Value::logical(isfield(arg(inputs, 0, "isfield"), arg(inputs, 1, "isfield")));
}

void entry_fieldnames(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = fieldnames(arg(inputs, 0, "fieldnames"));
}

}  // namespace rt
