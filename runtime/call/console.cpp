#include "runtime/call/console.hpp"

#include <iostream>
#include <string>

#include "runtime/array/display.hpp"

namespace rt {

namespace {

std::ostream* console_out = nullptr;
std::ostream* warning_out = nullptr;

// The characters of row r of a character array.
std::string text_row(const Value& v, std::size_t r) {
    Value row = Value::char_matrix(1, v.cols());
    double* d = row.mutable_data();
    for (std::size_t c = 0; c < v.cols(); ++c) d[c] = v[c * v.rows() + r];
    return row.text();
}

}  // namespace

std::ostream& console() { return console_out ? *console_out : std::cout; }
std::ostream& warning_stream() { return warning_out ? *warning_out : std::cerr; }

std::ostream* set_console(std::ostream* out) {
    std::ostream* previous = console_out;
    console_out = out;
    return previous;
}

std::ostream* set_warning_stream(std::ostream* out) {
    std::ostream* previous = warning_out;
    warning_out = out;
    return previous;
}

void disp(const Value& v) {
    std::ostream& out = console();
    if (v.is_char()) {
        if (v.rows() <= 1) {
            if (!v.is_empty()) out << v.text() << '\n';
        } else {
            for (std::size_t r = 0; r < v.rows(); ++r) out << text_row(v, r) << '\n';
        }
    } else {
        out << display_text(v) << '\n';
    }
    out.flush();
}

void print_array(const Value& v, std::string_view name) {
    std::ostream& out = console();
    out << display_line(name, v) << '\n';
    out.flush();
}

void print_ans(const Value& v) { print_array(v, "ans"); }

void warning(std::string_view text) {
    std::ostream& out = warning_stream();
    out << "Warning: " << text << '\n';
    out.flush();
}

}  // namespace rt
