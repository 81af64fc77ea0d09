#pragma once
// The text of the rt::Error a call raises, or "" when it raises none: tests
// compare messages, which are part of the system's behaviour.

#include "tests/common.hpp"

#include "runtime/array/error.hpp"

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
