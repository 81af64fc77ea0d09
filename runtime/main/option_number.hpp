#pragma once
// Numbers as the command line gives them. Read with std::from_chars, so they
// mean the same whatever the C library's numeric locale (the window toolkit
// sets it from the environment when it starts, and a comma-decimal locale
// would otherwise read "0.3" as 0).
//
// A number is the whole text: an optional sign, then digits with an optional
// point and exponent, or "Inf"/"NaN" in any case. No blanks, no hex, no
// trailing characters; a value beyond the range of a double is no number.

#include <cstdint>
#include <optional>
#include <string_view>

namespace rt {

std::optional<double> option_number(std::string_view text);

// A whole number from 0 to 2^64-1, digits only (a leading '+' allowed).
std::optional<std::uint64_t> option_count(std::string_view text);

}  // namespace rt
