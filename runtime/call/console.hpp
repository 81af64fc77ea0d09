#pragma once
// The console: where the system's output lines go (standard output unless a
// test or the program redirects it), and warnings (standard error).

#include <ostream>
#include <string_view>

#include "runtime/array/value.hpp"

namespace rt {

std::ostream& console();
std::ostream& warning_stream();
// Redirects the console (null restores standard output); gives the previous.
std::ostream* set_console(std::ostream* out);
std::ostream* set_warning_stream(std::ostream* out);

// Text prints alone; other values print in the display format.
void disp(const Value& v);
// "name = <value>" in the display format.
void print_array(const Value& v, std::string_view name);
void print_ans(const Value& v);
// Prints "Warning: TEXT".
void warning(std::string_view text);

}  // namespace rt
