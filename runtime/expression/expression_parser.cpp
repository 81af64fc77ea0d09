// A recursive-descent parser working on the characters directly: inside
// [...] and {...} a blank separates elements, elsewhere it is only space,
// which a token stream would lose.
#include <charconv>
#include <limits>

#include "runtime/array/error.hpp"
#include "runtime/expression/expression_syntax.hpp"

namespace rt {

namespace {

constexpr int kMaxDepth = 64;

bool is_letter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_name_char(char c) { return is_letter(c) || is_digit(c) || c == '_'; }
bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::vector<ExprStatement> statements() {
        std::vector<ExprStatement> out;
        for (;;) {
            skip_blanks();
            if (at_end()) break;
            char c = peek();
            if (c == ';' || c == ',' || c == '\n') {
                ++pos_;
                continue;
            }
            ExprStatement st = statement();
            skip_blanks();
            if (!at_end()) {
                char sep = peek();
                if (sep != ';' && sep != ',' && sep != '\n') fail(describe_here());
                st.print = sep != ';';
                ++pos_;
            }
            out.push_back(std::move(st));
        }
        return out;
    }

private:
    bool at_end() const { return pos_ >= s_.size(); }
    char peek(std::size_t ahead = 0) const { return pos_ + ahead < s_.size() ? s_[pos_ + ahead] : '\0'; }
    std::size_t column() const { return pos_ + 1; }

    [[noreturn]] void fail(const std::string& what) const {
        raise("Parse error at column " + std::to_string(column()) + ": " + what);
    }
    [[noreturn]] void fail_at(std::size_t col, const std::string& what) const {
        raise("Parse error at column " + std::to_string(col) + ": " + what);
    }
    std::string describe_here() const {
        if (at_end()) return "unexpected end of text";
        // The whole character as the user wrote it: one byte of a UTF-8
        // sequence would read as some other character.
        std::size_t n = 1;
        if (static_cast<unsigned char>(peek()) >= 0xC0) {
            while (n < 4 && (static_cast<unsigned char>(peek(n)) & 0xC0) == 0x80) ++n;
        }
        return "unexpected '" + std::string(s_.substr(pos_, n)) + "'";
    }

    void skip_blanks() {
        while (!at_end() && is_blank(peek())) ++pos_;
    }
    // Blanks and new lines (inside a call's parentheses).
    void skip_space() {
        while (!at_end() && (is_blank(peek()) || peek() == '\n')) ++pos_;
    }

    std::string name() {
        std::size_t start = pos_;
        while (!at_end() && is_name_char(peek())) ++pos_;
        return std::string(s_.substr(start, pos_ - start));
    }

    // `=` that assigns (not `==`).
    bool at_assignment() const { return peek() == '=' && peek(1) != '='; }

    ExprStatement statement() {
        ExprStatement st;
        std::size_t start = pos_;
        if (peek() == '[' && try_output_list(st.outputs)) {
            ++pos_;  // '='
        } else {
            pos_ = start;
            st.outputs.clear();
            if (is_letter(peek())) {
                std::string n = name();
                skip_blanks();
                if (at_assignment()) {
                    ++pos_;
                    st.outputs.push_back(n);
                } else {
                    pos_ = start;
                }
            }
        }
        skip_blanks();
        if (at_end() || peek() == ';' || peek() == ',' || peek() == '\n') {
            if (!st.outputs.empty()) fail("expected an expression after '='");
        }
        st.expression = expression(false, 0);
        return st;
    }

    // [a, b] = ... ; leaves pos_ on the '=' when it matches.
    bool try_output_list(std::vector<std::string>& outputs) {
        ++pos_;  // '['
        for (;;) {
            skip_blanks();
            if (peek() == ']') break;
            if (!is_letter(peek())) return false;
            outputs.push_back(name());
            skip_blanks();
            if (peek() == ',') ++pos_;
        }
        ++pos_;  // ']'
        skip_blanks();
        return !outputs.empty() && at_assignment();
    }

    // One expression; `in_list` (inside [...] or {...}) makes a blank end it.
    ExprNode expression(bool in_list, int depth) {
        (void)in_list;
        skip_blanks();
        ExprNode node;
        node.column = column();
        if (peek() == '-' || peek() == '+') {
            bool negate = peek() == '-';
            enter(depth);
            ++pos_;
            ExprNode operand = expression(in_list, depth + 1);
            if (!negate) return operand;
            node.kind = ExprNode::Kind::Negate;
            node.arguments.push_back(std::move(operand));
            return node;
        }
        node = primary(depth);
        // Each field reference wraps the node before it, so a long chain is
        // as deep a tree (and as deep a recursion to evaluate and free) as
        // nested brackets.
        int fields = 0;
        while (peek() == '.' && is_letter(peek(1))) {
            if (++fields > kMaxDepth) fail("more than " + std::to_string(kMaxDepth) + " field references in a row");
            ExprNode field;
            field.kind = ExprNode::Kind::Field;
            field.column = column();
            ++pos_;
            field.text = name();
            field.arguments.push_back(std::move(node));
            node = std::move(field);
        }
        return node;
    }

    void enter(int depth) const {
        if (depth >= kMaxDepth) fail("brackets and calls nest deeper than " + std::to_string(kMaxDepth) + " levels");
    }

    ExprNode primary(int depth) {
        ExprNode node;
        node.column = column();
        char c = peek();
        if (is_digit(c) || (c == '.' && is_digit(peek(1)))) return number();
        if (c == '\'' || c == '"') return text_literal(c);
        if (c == '[' || c == '{') {
            enter(depth);
            return list(c, depth + 1);
        }
        if (is_letter(c)) {
            node.kind = ExprNode::Kind::Name;
            node.text = name();
            if (peek() == '(') {
                enter(depth);
                ++pos_;
                node.has_arguments = true;
                skip_space();
                if (peek() == ')') {
                    ++pos_;
                    return node;
                }
                for (;;) {
                    skip_space();
                    node.arguments.push_back(expression(false, depth + 1));
                    skip_space();
                    if (peek() == ',') {
                        ++pos_;
                        continue;
                    }
                    if (peek() == ')') {
                        ++pos_;
                        break;
                    }
                    fail(at_end() ? "missing ')' to close the call of '" + node.text + "'" : describe_here());
                }
            }
            return node;
        }
        fail(describe_here());
    }

    ExprNode number() {
        ExprNode node;
        node.kind = ExprNode::Kind::Number;
        node.column = column();
        std::size_t start = pos_;
        while (is_digit(peek())) ++pos_;
        if (peek() == '.') {
            ++pos_;
            while (is_digit(peek())) ++pos_;
        }
        if (peek() == 'e' || peek() == 'E') {
            std::size_t mark = pos_;
            ++pos_;
            if (peek() == '+' || peek() == '-') ++pos_;
            if (!is_digit(peek())) {
                pos_ = mark;
                fail("malformed number");
            }
            while (is_digit(peek())) ++pos_;
        }
        if (is_letter(peek()) || peek() == '_') fail("malformed number");
        std::string digits(s_.substr(start, pos_ - start));
        if (digits[0] == '.') digits.insert(digits.begin(), '0');
        auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), node.number);
        if (ec == std::errc::result_out_of_range) {
            // Too large rounds to Inf, too small to 0, as the language reads them.
            node.number =
                (digits.find_first_of("eE") != std::string::npos && digits[digits.find_first_of("eE") + 1] == '-')
                    ? 0.0
                    : std::numeric_limits<double>::infinity();
        } else if (ec != std::errc() || end != digits.data() + digits.size()) {
            fail_at(node.column, "malformed number");
        }
        return node;
    }

    ExprNode text_literal(char quote) {
        ExprNode node;
        node.kind = ExprNode::Kind::Text;
        node.column = column();
        ++pos_;
        for (;;) {
            if (at_end() || peek() == '\n') fail_at(node.column, "unterminated text");
            char c = peek();
            ++pos_;
            if (c == quote) {
                if (peek() == quote) {
                    node.text += quote;
                    ++pos_;
                    continue;
                }
                break;
            }
            node.text += c;
        }
        return node;
    }

    ExprNode list(char open, int depth) {
        const char close = open == '[' ? ']' : '}';
        ExprNode node;
        node.kind = open == '[' ? ExprNode::Kind::Matrix : ExprNode::Kind::Cell;
        node.column = column();
        ++pos_;
        std::vector<ExprNode> row;
        for (;;) {
            skip_blanks();
            if (at_end()) fail_at(node.column, std::string("missing '") + close + "'");
            char c = peek();
            if (c == close) {
                ++pos_;
                break;
            }
            if (c == ';' || c == '\n') {
                ++pos_;
                if (!row.empty()) node.rows.push_back(std::move(row));
                row.clear();
                continue;
            }
            if (c == ',') {
                if (row.empty()) fail("unexpected ','");
                ++pos_;
                continue;
            }
            row.push_back(expression(true, depth));
            // An element ends at a blank, a separator or the closing bracket.
            char next = peek();
            if (!(at_end() || is_blank(next) || next == ',' || next == ';' || next == '\n' || next == close)) {
                fail(describe_here());
            }
        }
        if (!row.empty()) node.rows.push_back(std::move(row));
        return node;
    }

    std::string_view s_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<ExprStatement> parse_statements(std::string_view text) { return Parser(text).statements(); }

}  // namespace rt
