#include "runtime/main/option_number.hpp"

#include "runtime/array/text.hpp"

#include <charconv>
#include <system_error>

namespace rt {

namespace {

// from_chars takes no '+', which people do write ("--set reinf_sl=+1").
std::string_view without_plus(std::string_view text) {
    if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.remove_prefix(1);
    return text;
}

}  // namespace

std::optional<double> option_number(std::string_view text) { return parse_number(text); }

std::optional<std::uint64_t> option_count(std::string_view text) {
    text = without_plus(text);
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || ec != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace rt
