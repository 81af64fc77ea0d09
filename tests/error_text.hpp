#pragma once
// Values as the runtime's calls take and give them, and the text of the
// rt::Error a call raises, or "" when it raises none: tests compare
// messages, which are part of the system's behaviour.

#include "tests/common.hpp"

#include "runtime/array/error.hpp"
#include "runtime/array/value.hpp"

namespace sys_test {

template <typename F>
std::string error_of(F&& f) {
    try {
        f();
    } catch (const rt::Error& e) {
        return e.message();
    }
    return "";
}

}  // namespace sys_test

using rt::Value;
using sys_test::error_of;

// A text, a list of arguments, and the numbers of an array in order.
inline rt::Value S(const char* text) { return rt::Value::string(text); }
inline std::vector<rt::Value> V(std::initializer_list<rt::Value> values) { return values; }
inline std::vector<double> nums(const rt::Value& v) { return {v.data(), v.data() + v.numel()}; }
