#pragma once
// get_box: the box of a cart-pole state. Position, cart velocity, pole angle
// and pole angular velocity each fall into a bin (strict less-than tests from
// the lowest bin up); the box is 1 + x bin + 3 * v_x bin + 9 * theta bin +
// 54 * v_theta bin, so 1 to 162. A cart beyond +-2.4 or a pole beyond +-12
// degrees gives -1, the failure box. NaN compares false everywhere: it lands
// in the last bin and is never a failure.

#include "figutil/module.hpp"
#include "runtime/array/value.hpp"

namespace sys {

// Direct call form; absent inputs raise an error naming them.
rt::Value get_box(const rt::Value& x, const rt::Value& v_x, const rt::Value& theta, const rt::Value& v_theta);

void entry_get_box(int nargout, rt::Value* outputs, int nargin, const rt::Value* inputs);

// Creates (and releases in reverse) the module's constants.
void get_box_initialize();
void get_box_terminate();

inline constexpr FunctionDescriptor get_box_functions[] = {{"get_box", entry_get_box, 4, 1, 2}};
inline constexpr ModuleDescriptor get_box_module =
    describe_module<get_box_functions>(get_box_initialize, get_box_terminate);

}  // namespace sys
