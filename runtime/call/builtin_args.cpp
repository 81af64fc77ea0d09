#include "runtime/call/builtin_args.hpp"

#include <cmath>
#include <string>

#include "runtime/array/error.hpp"

namespace rt::builtin {

void check_counts(int nargout, int max_out, int nargin, int min_in, int max_in) {
    if (nargout > max_out) raise("Too many output arguments.");
    if (nargin < min_in) raise("Not enough input arguments.");
    if (max_in >= 0 && nargin > max_in) raise("Too many input arguments.");
}

const Value& arg(const Value* inputs, int i, const char* function) {
    const Value& v = inputs[i];
    if (v.is_absent() || v.is_unassigned())
        raise(std::string(function) + ": input " + std::to_string(i + 1) + " holds no value.");
    return v;
}

double size_arg(const Value& v, const char* function) {
    if (!(v.is_double() || v.is_logical()) || v.numel() != 1)
        raise(std::string(function) + ": size arguments must be single numbers.");
    const double d = v[0];
    if (std::isnan(d)) raise(std::string(function) + ": size arguments must be real numbers, not NaN.");
    return d;
}

}  // namespace rt::builtin
