#pragma once
// The LIST of a sweep option: "a,b,c" or "start:step:stop". A range holds
// start + k*step for k = 0, 1, ... while it does not pass stop (stop
// included), each value rounded to the decimals written in start and step,
// so "0.1:0.1:0.9" gives exactly 0.3 (as typed), not 0.30000000000000004,
// and no error builds up along the range. A value may not appear twice: it
// would name the same run twice. Raises BadInput naming `option`.

#include <cstdint>
#include <string>
#include <vector>

namespace sys::sweep {

std::vector<double> parse_value_list(const std::string& option, const std::string& text);

// A LIST of seeds: whole numbers from 0 to 2^53.
std::vector<std::uint64_t> parse_seed_list(const std::string& option, const std::string& text);

// Text that reads back as the same double, whatever the locale (shortest
// such text).
std::string number_text(double x);

}  // namespace sys::sweep
