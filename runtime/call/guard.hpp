#pragma once
// Guarded regions and the last error. A guarded region is a try/catch: on an
// rt::Error (or any std::exception) it records the text as the last error and
// reports that an error happened.

#include <cstdint>
#include <string>
#include <utility>

#include "runtime/array/error.hpp"
#include "runtime/array/value.hpp"

namespace rt {

// The text of the last error caught, exactly as raised (no prefix).
Value lasterr();
void set_lasterr(std::string text);

// How many errors guarded regions have caught since the process started.
// The program's main compares it before and after an action to learn that a
// callback reported an error it did not pass on.
std::uint64_t caught_errors();
void count_caught_error();

// Runs body(); gives true when it finished normally and false after an error,
// whose text is then lasterr().
template <typename Body>
bool guarded(Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const Error& e) {
        set_lasterr(e.message());
    } catch (const std::bad_alloc&) {
        set_lasterr("Out of memory.");
    } catch (const std::exception& e) {
        set_lasterr(e.what());
    }
    count_caught_error();
    return false;
}

}  // namespace rt
