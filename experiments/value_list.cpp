#include "experiments/value_list.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "experiments/bad_input.hpp"

namespace sys::sweep {

namespace {

// More values than any sweep can run in a day: a typo such as a step of
// 0.0001 for 0.1 is refused instead of queueing a million runs.
constexpr double kMaxValues = 100000;

std::optional<double> whole_number_text(const std::string& text) {
    if (text.empty()) return std::nullopt;
    double d = 0;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, d);
    if (r.ec != std::errc() || r.ptr != end || !std::isfinite(d)) return std::nullopt;
    return d;
}

double number(const std::string& option, const std::string& list, const std::string& text) {
    const auto d = whole_number_text(text);
    if (!d) {
        throw BadInput(option + ": '" + text + "' is not a number (in '" + list +
                       "'; a LIST is a,b,c or start:step:stop)");
    }
    return *d;
}

// The decimals a number was written with: "0.25" 2, "1e-3" 3, "5" 0.
int decimals_written(const std::string& text) {
    int decimals = 0;
    const auto dot = text.find('.');
    const auto exp = text.find_first_of("eE");
    if (dot != std::string::npos) decimals = static_cast<int>((exp == std::string::npos ? text.size() : exp) - dot - 1);
    if (exp != std::string::npos) decimals -= std::atoi(text.c_str() + exp + 1);
    return std::max(decimals, 0);
}

std::vector<std::string> split(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const auto at = text.find(sep, from);
        parts.push_back(text.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos) return parts;
        from = at + 1;
    }
}

std::vector<double> range(const std::string& option, const std::string& text) {
    const std::vector<std::string> parts = split(text, ':');
    if (parts.size() != 3) throw BadInput(option + ": '" + text + "' is not start:step:stop");
    const double start = number(option, text, parts[0]), step = number(option, text, parts[1]),
                 stop = number(option, text, parts[2]);
    if (step == 0) throw BadInput(option + ": the step of '" + text + "' is 0");
    const double span = (stop - start) / step;
    // A hair of tolerance lets 0.1:0.1:0.9 reach 0.9 despite binary rounding.
    if (span < -1e-9) throw BadInput(option + ": the step of '" + text + "' leads away from its stop");
    if (span + 1 > kMaxValues) throw BadInput(option + ": '" + text + "' has more than 100000 values");
    const int decimals = std::max(decimals_written(parts[0]), decimals_written(parts[1]));
    const long long n = static_cast<long long>(std::floor(span + 1e-9)) + 1;
    std::vector<double> values;
    for (long long k = 0; k < n; ++k) {
        double v = start + static_cast<double>(k) * step;
        if (decimals <= 15) {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
            v = *whole_number_text(buf);
        }
        values.push_back(v == 0 ? 0.0 : v);  // no -0 from rounding
    }
    return values;
}

}  // namespace

std::vector<double> parse_value_list(const std::string& option, const std::string& text) {
    std::vector<double> values;
    if (text.find(':') != std::string::npos) {
        values = range(option, text);
    } else {
        for (const std::string& part : split(text, ',')) values.push_back(number(option, text, part));
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (std::find(values.begin(), values.begin() + i, values[i]) != values.begin() + i)
            throw BadInput(option + ": " + number_text(values[i]) + " appears twice in '" + text + "'");
    }
    return values;
}

std::vector<std::uint64_t> parse_seed_list(const std::string& option, const std::string& text) {
    std::vector<std::uint64_t> seeds;
    for (double d : parse_value_list(option, text)) {
        if (!(d >= 0 && d <= 9007199254740992.0) || d != std::floor(d))
            throw BadInput(option + ": a seed is a whole number from 0 to 2^53, got " + number_text(d));
        seeds.push_back(static_cast<std::uint64_t>(d));
    }
    return seeds;
}

std::string number_text(double x) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, r.ptr);
}

}  // namespace sys::sweep
