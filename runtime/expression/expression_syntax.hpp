#pragma once
// The syntax tree of the expression language and its parser (the grammar is
// in expression.hpp).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

struct ExprNode {
    enum class Kind { Number, Text, Matrix, Cell, Name, Negate, Field };
    Kind kind = Kind::Number;
    std::size_t column = 0;  // 1-based, where the node starts
    double number = 0;
    std::string text;                         // Text: the characters; Name, Field: the name
    bool has_arguments = false;               // Name followed by (...)
    std::vector<ExprNode> arguments;          // Name: call inputs; Negate, Field: the operand
    std::vector<std::vector<ExprNode>> rows;  // Matrix, Cell
};

struct ExprStatement {
    std::vector<std::string> outputs;  // empty for a bare expression
    ExprNode expression;
    bool print = true;  // false when a ';' follows
};

// Raises "Parse error at column N: ..." for malformed text.
std::vector<ExprStatement> parse_statements(std::string_view text);

}  // namespace rt
