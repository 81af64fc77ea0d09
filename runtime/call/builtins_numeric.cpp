// Number functions callable by name.

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/builtin_args.hpp"
#include "runtime/call/library.hpp"
#include "runtime/call/random.hpp"

namespace rt {

using builtin::arg;
using builtin::check_counts;

namespace {

// The shape of zeros(), zeros(n), zeros([r c]) and zeros(r, c).
void shape_arguments(int nargin, const Value* inputs, const char* function, double& rows, double& cols) {
    rows = cols = 1;
    if (nargin == 1) {
        const Value& a = arg(inputs, 0, function);
        if ((a.is_double() || a.is_logical()) && a.numel() == 2) {
            rows = a[0];
            cols = a[1];
        } else {
            rows = cols = builtin::size_arg(a, function);
        }
    } else if (nargin == 2) {
        rows = builtin::size_arg(arg(inputs, 0, function), function);
        cols = builtin::size_arg(arg(inputs, 1, function), function);
    }
}

template <Value (*Op)(const Value&, const Value&)>
void binary(int nargout, Value* outputs, int nargin, const Value* inputs, const char* function) {
    check_counts(nargout, 1, nargin, 2, 2);
    outputs[0] = Op(arg(inputs, 0, function), arg(inputs, 1, function));
}

Value plus_op(const Value& a, const Value& b) { return plus(a, b); }
Value minus_op(const Value& a, const Value& b) { return minus(a, b); }
Value mtimes_op(const Value& a, const Value& b) { return mtimes(a, b); }
Value mrdivide_op(const Value& a, const Value& b) { return mrdivide(a, b); }
Value min2(const Value& a, const Value& b) { return min(a, b); }
Value max2(const Value& a, const Value& b) { return max(a, b); }

}  // namespace

void entry_zeros(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 0, 2);
    double rows, cols;
    shape_arguments(nargin, inputs, "zeros", rows, cols);
    outputs[0] = zeros(rows, cols);
}

void entry_ones(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 0, 2);
    double rows, cols;
    shape_arguments(nargin, inputs, "ones", rows, cols);
    outputs[0] = ones(rows, cols);
}

void entry_rand(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 0, 2);
    if (nargin == 0) {
        outputs[0] = Value(rand());
        return;
    }
    double rows, cols;
    shape_arguments(nargin, inputs, "rand", rows, cols);
    outputs[0] = rand(rows, cols);
}

void entry_min(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 2);
    if (nargin == 1) outputs[0] = min(arg(inputs, 0, "min"));
    else binary<min2>(nargout, outputs, nargin, inputs, "min");
}

void entry_max(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 2);
    if (nargin == 1) outputs[0] = max(arg(inputs, 0, "max"));
    else binary<max2>(nargout, outputs, nargin, inputs, "max");
}

void entry_abs(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = abs(arg(inputs, 0, "abs"));
}

void entry_plus(int nargout, Value* outputs, int nargin, const Value* inputs) {
    binary<plus_op>(nargout, outputs, nargin, inputs, "plus");
}

void entry_minus(int nargout, Value* outputs, int nargin, const Value* inputs) {
    binary<minus_op>(nargout, outputs, nargin, inputs, "minus");
}

void entry_mtimes(int nargout, Value* outputs, int nargin, const Value* inputs) {
    binary<mtimes_op>(nargout, outputs, nargin, inputs, "mtimes");
}

void entry_mrdivide(int nargout, Value* outputs, int nargin, const Value* inputs) {
    binary<mrdivide_op>(nargout, outputs, nargin, inputs, "mrdivide");
}

}  // namespace rt
