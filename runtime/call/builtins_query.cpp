// Queries of class and shape callable by name.

#include <climits>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/call/builtin_args.hpp"
#include "runtime/call/library.hpp"

namespace rt {

using builtin::arg;
using builtin::check_counts;

void entry_ischar(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = Value::logical(ischar(arg(inputs, 0, "ischar")));
}

void entry_isstr(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = Value::logical(ischar(arg(inputs, 0, "isstr")));
}

void entry_isnumeric(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    // Characters and truth values are stored as numbers but are not numeric.
    outputs[0] = Value::logical(arg(inputs, 0, "isnumeric").is_double());
}

void entry_isempty(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = Value::logical(isempty(arg(inputs, 0, "isempty")));
}

void entry_numel(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = Value(static_cast<double>(arg(inputs, 0, "numel").numel()));
}

void entry_length(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = Value(length_int(arg(inputs, 0, "length")));
}

void entry_size(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, INT_MAX, nargin, 1, 2);
    const Value& a = arg(inputs, 0, "size");
    if (nargin == 2) {
        if (nargout > 1) raise("Too many output arguments.");
        outputs[0] = Value(size(a, builtin::size_arg(arg(inputs, 1, "size"), "size")));
        return;
    }
    if (nargout <= 1) {
        outputs[0] = size(a);
        return;
    }
    // [r, c, ...] = size(a): dimensions past the second are 1.
    outputs[0] = Value(static_cast<double>(a.rows()));
    outputs[1] = Value(static_cast<double>(a.cols()));
    for (int k = 2; k < nargout; ++k) outputs[k] = Value(1.0);
}

void entry_class(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = Value::string(class_name(arg(inputs, 0, "class").class_id()));
}

void entry_isequal(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 2, -1);
    const Value& first = arg(inputs, 0, "isequal");
    bool equal = true;
    for (int i = 1; i < nargin && equal; ++i) equal = isequal(first, arg(inputs, i, "isequal"));
    outputs[0] = Value::logical(equal);
}

}  // namespace rt
