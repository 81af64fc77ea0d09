// Text functions and the console callable by name.

#include <vector>

#include "runtime/array/text.hpp"
#include "runtime/call/builtin_args.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/library.hpp"

namespace rt {

using builtin::arg;
using builtin::check_counts;

void entry_num2str(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = num2str(arg(inputs, 0, "num2str"));
}

void entry_disp(int nargout, Value*, int nargin, const Value* inputs) {
    check_counts(nargout, 0, nargin, 1, 1);
    disp(arg(inputs, 0, "disp"));
}

void entry_strcat(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, -1);
    std::vector<Value> parts;
    parts.reserve(static_cast<std::size_t>(nargin));
    for (int i = 0; i < nargin; ++i) parts.push_back(arg(inputs, i, "strcat"));
    outputs[0] = strcat(parts);
}

void entry_strcmp(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 2, 2);
    outputs[0] = strcmp(arg(inputs, 0, "strcmp"), arg(inputs, 1, "strcmp"));
}

void entry_lower(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = lower(arg(inputs, 0, "lower"));
}

void entry_upper(int nargout, Value* outputs, int nargin, const Value* inputs) {
    check_counts(nargout, 1, nargin, 1, 1);
    outputs[0] = upper(arg(inputs, 0, "upper"));
}

}  // namespace rt
