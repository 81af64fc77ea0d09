// The last error and raising one, callable by name.

#include "runtime/call/builtin_args.hpp"
#include "runtime/call/frame.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/library.hpp"

namespace rt {

using builtin::arg;
using builtin::check_counts;

void entry_lasterr(int nargout, Value* outputs, int nargin, const Value*) {
    check_counts(nargout, 1, nargin, 0, 0);
    outputs[0] = lasterr();
}

void entry_error(int nargout, Value*, int nargin, const Value* inputs) {
    check_counts(nargout, 0, nargin, 1, 1);
    error(arg(inputs, 0, "error"));
}

}  // namespace rt
