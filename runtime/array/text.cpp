#include "runtime/array/text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <string_view>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"

namespace rt {

namespace {

// All characters of a character array in storage order (a row's in reading order).
std::vector<double> codes_of(const Value& v) { return std::vector<double>(v.data(), v.data() + v.numel()); }

// Row r of a character matrix.
std::vector<double> row_codes(const Value& v, std::size_t r) {
    std::vector<double> out(v.cols());
    for (std::size_t c = 0; c < v.cols(); ++c) out[c] = v[c * v.rows() + r];
    return out;
}

bool texts_equal(const Value& a, const Value& b) {
    if (!a.is_char() || !b.is_char()) return false;
    // '' and a 1-by-0 text are both "no characters" and compare equal.
    if (a.is_empty() && b.is_empty()) return true;
    if (a.rows() != b.rows() || a.cols() != b.cols()) return false;
    return std::equal(a.data(), a.data() + a.numel(), b.data());
}

bool is_letter_code(double d) {
    if (d < 0 || d != std::floor(d)) return false;
    const auto c = static_cast<unsigned long>(d);
    if (c < 0x80) return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
    if (c < 0xC0) return c == 0xAA || c == 0xB5 || c == 0xBA;
    if (c <= 0x24F) return c != 0xD7 && c != 0xF7;                  // Latin-1 and Latin Extended
    if (c >= 0x386 && c <= 0x3FF) return c != 0x387 && c != 0x3F6;  // Greek
    if (c >= 0x400 && c <= 0x52F) return c < 0x482 || c > 0x489;    // Cyrillic
    return false;
}

double lower_code(double d) {
    if ((d >= 'A' && d <= 'Z') || (d >= 0xC0 && d <= 0xDE && d != 0xD7)) return d + 32;
    return d;
}

double upper_code(double d) {
    if ((d >= 'a' && d <= 'z') || (d >= 0xE0 && d <= 0xFE && d != 0xF7)) return d - 32;
    return d;
}

template <typename F>
Value map_case(const Value& v, F f) {
    if (v.is_cell()) {
        Value out = v;
        for (std::size_t i = 0; i < v.numel(); ++i) out.mutable_cell_at(i) = map_case(v.cell_at(i), f);
        return out;
    }
    if (!v.is_char()) return v;
    Value out = v;
    double* d = out.mutable_data();
    for (std::size_t i = 0, n = out.numel(); i < n; ++i) d[i] = f(d[i]);
    return out;
}

bool is_separator(char c) {
    // The same character on POSIX systems, not on Windows.
    // NOLINTNEXTLINE(misc-redundant-expression)
    return c == '/' || c == static_cast<char>(std::filesystem::path::preferred_separator);
}

std::string text_argument(const Value& v, const char* function) {
    if (v.is_char()) return v.text();
    if (v.is_numeric_like() && v.is_empty()) return {};
    raise(std::string(function) + ": the argument must be text.");
}

}  // namespace

bool ischar(const Value& v) { return v.is_char(); }

std::string num2str(double x) {
    if (std::isnan(x)) return "NaN";
    if (std::isinf(x)) return x > 0 ? "Inf" : "-Inf";
    if (x == 0) return "0";  // also -0
    // to_chars, not printf: the C library's numeric locale (which a toolkit
    // may set to a comma-decimal one) must not change a number's text.
    char buf[64];
    const double ax = std::fabs(x);
    // Below 1e15 every whole double prints exactly with no fraction digits.
    if (x == std::floor(x) && ax < 1e15) {
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 0).ptr);
    }
    // Beyond 17 significant digits a double has nothing more to show.
    const int digits = std::clamp(static_cast<int>(std::floor(std::log10(ax))) + 5, 5, 17);
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, x, std::chars_format::general, digits).ptr);
}

std::optional<double> parse_number(std::string_view text) {
    // from_chars takes no plus sign of its own.
    std::string_view rest = text;
    if (!rest.empty() && rest.front() == '+') {
        rest.remove_prefix(1);
        if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) return std::nullopt;
    }
    double d = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), d);
    if (ec != std::errc() || end != rest.data() + rest.size()) return std::nullopt;
    return d;
}

Value num2str(const Value& v) {
    if (v.is_char()) return v;
    if (!v.is_numeric_like())
        raise(std::string("num2str: a value of class ") + class_name(v.class_id()) + " cannot be converted to text.");
    if (v.is_empty()) return make_numeric(ClassId::Char, 0, 0);
    if (v.is_scalar()) return Value::string(num2str(v[0]));

    // Columns are right-aligned to their widest entry and separated by two
    // blanks, so a row reads "1  2  3" and a matrix lines up. The widths come
    // first and the texts are made again when written, rather than kept: kept,
    // they would take many times the matrix's own size before the result's
    // size could be refused.
    const std::size_t rows = v.rows(), cols = v.cols();
    std::vector<std::size_t> width(cols, 0);
    for (std::size_t c = 0; c < cols; ++c)
        for (std::size_t r = 0; r < rows; ++r) width[c] = std::max(width[c], num2str(v[c * rows + r]).size());
    std::size_t total = 2 * (cols - 1);
    for (std::size_t w : width) total += w;
    Value out = Value::char_matrix(rows, total);
    double* d = out.mutable_data();
    std::size_t start = 0;
    for (std::size_t c = 0; c < cols; ++c) {
        for (std::size_t r = 0; r < rows; ++r) {
            const std::string t = num2str(v[c * rows + r]);
            std::size_t at = start + width[c] - t.size();
            for (char ch : t) d[(at++) * rows + r] = static_cast<unsigned char>(ch);
        }
        start += width[c] + 2;
    }
    return out;
}

Value strcat(const std::vector<Value>& parts) {
    for (const Value& p : parts) {
        if (p.is_cell()) raise("strcat: cell inputs are not supported; join texts.");
        if (!p.is_numeric_like())
            raise(std::string("strcat: a value of class ") + class_name(p.class_id()) + " cannot be joined as text.");
    }
    Value out = horzcat(parts);
    return out.is_char() ? out : out.with_class(ClassId::Char);
}

Value lower(const Value& v) { return map_case(v, lower_code); }
Value upper(const Value& v) { return map_case(v, upper_code); }

Value strcmp(const Value& a, const Value& b) {
    if (!a.is_cell() && !b.is_cell()) return Value::logical(texts_equal(a, b));
    if (a.is_cell() && b.is_cell() && a.numel() != 1 && b.numel() != 1 &&
        (a.rows() != b.rows() || a.cols() != b.cols()))
        raise("strcmp: the cell arrays must be the same size, or one of them a single cell.");
    const Value& shape = (a.is_cell() && (a.numel() != 1 || !b.is_cell())) ? a : b;
    Value out = make_numeric(ClassId::Logical, shape.rows(), shape.cols());
    double* d = out.mutable_data();
    for (std::size_t i = 0, n = out.numel(); i < n; ++i) {
        const Value& x = a.is_cell() ? a.cell_at(a.numel() == 1 ? 0 : i) : a;
        const Value& y = b.is_cell() ? b.cell_at(b.numel() == 1 ? 0 : i) : b;
        d[i] = texts_equal(x, y) ? 1.0 : 0.0;
    }
    return out;
}

bool strcmp_bool(const Value& a, const Value& b) {
    if (!a.is_cell() && !b.is_cell()) return texts_equal(a, b);
    return tobool(strcmp(a, b));
}

Value strmatch(const Value& text, const Value& list, bool exact) {
    if (!text.is_char() && !(text.is_numeric_like() && text.is_empty()))
        raise("strmatch: the text to look for must be a character array.");
    const std::vector<double> wanted = codes_of(text);
    auto matches = [&](std::vector<double> entry) {
        if (exact) {
            // Rows of a character matrix are padded; the padding is not part of the entry.
            while (!entry.empty() && (entry.back() == ' ' || entry.back() == 0)) entry.pop_back();
            return entry == wanted;
        }
        return entry.size() >= wanted.size() && std::equal(wanted.begin(), wanted.end(), entry.begin());
    };
    std::vector<double> found;
    if (list.is_char()) {
        for (std::size_t r = 0; r < list.rows(); ++r)
            if (matches(row_codes(list, r))) found.push_back(static_cast<double>(r + 1));
    } else if (list.is_cell()) {
        for (std::size_t i = 0; i < list.numel(); ++i) {
            const Value& e = list.cell_at(i);
            if (e.is_char() && matches(codes_of(e))) found.push_back(static_cast<double>(i + 1));
        }
    } else if (!(list.is_numeric_like() && list.is_empty())) {
        raise("strmatch: the list must be a character array or a cell array of texts.");
    }
    return Value::column(found);
}

Value isletter(const Value& v) {
    if (!v.is_numeric_like()) return Value::logical(false);
    Value out = make_numeric(ClassId::Logical, v.rows(), v.cols());
    if (!v.is_char()) return out;
    double* d = out.mutable_data();
    for (std::size_t i = 0, n = v.numel(); i < n; ++i) d[i] = is_letter_code(v[i]) ? 1.0 : 0.0;
    return out;
}

void fileparts(const Value& filename, Value& path, Value& name, Value& ext) {
    const std::string s = text_argument(filename, "fileparts");
    std::size_t sep = std::string::npos;
    for (std::size_t i = s.size(); i-- > 0;)
        if (is_separator(s[i])) {
            sep = i;
            break;
        }
    std::string folder, rest = s;
    if (sep != std::string::npos) {
        folder = s.substr(0, sep == 0 ? 1 : sep);  // a file at the root keeps "/" as its folder
        rest = s.substr(sep + 1);
    }
    const std::size_t dot = rest.rfind('.');
    path = Value::string(folder);
    name = Value::string(dot == std::string::npos ? rest : rest.substr(0, dot));
    ext = Value::string(dot == std::string::npos ? std::string() : rest.substr(dot));
}

Value fullfile(const std::vector<Value>& parts) {
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    std::string out;
    for (const Value& p : parts) {
        const std::string t = text_argument(p, "fullfile");
        if (t.empty()) continue;
        if (out.empty()) {
            out = t;
            continue;
        }
        const bool ends = is_separator(out.back()), starts = is_separator(t.front());
        if (ends && starts) out += t.substr(1);
        else if (ends || starts) out += t;
        else out += separator + t;
    }
    return Value::string(out);
}

}  // namespace rt
