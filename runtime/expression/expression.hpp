#pragma once
// The expression language of callbacks and --eval:
//
//   statement  := [ '[' name {,|blank name} ']' '=' | name '=' ] expression
//   expression := ['-'|'+'] primary { '.' name }
//   primary    := number | 'text' | "text" | '[' rows ']' | '{' rows '}'
//               | name [ '(' [expression {, expression}] ')' ]
//   rows       := elements { ';' elements }     elements separated by , or blanks
//
// Numbers: 1, -2.5, 1e-11, .5, Inf, NaN. Texts double an embedded quote
// ('it''s'). Statements are separated by ',', ';' or a new line; a ';'
// suppresses the printing of the statement before it.
//
// A name is looked up among the context's variables first (a variable
// followed by (i) or (i, j) is indexed), then called by name (rt::feval): a
// bare name is a call with no inputs, a nested call requests one output. A
// statement `a = f(...)` requests one output, `[a, b] = f(...)` two, and a
// bare call none. With printing on, each assigned output prints as
// "a = ..."; a bare call prints "ans = ..." when the function gave output 1
// anyway. Assigned outputs (and ans) stay in the context for later
// statements.
//
// The whole text is parsed before anything runs; malformed text raises
// "Parse error at column N: ..." (columns from 1). Brackets and calls may nest
// at most 64 deep, and at most 64 field references may follow one another.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/array/value.hpp"

namespace rt {

class EvalContext {
public:
    // Null when no variable has that name.
    const Value* find(std::string_view name) const;
    void assign(std::string_view name, Value value);
    const std::vector<std::pair<std::string, Value>>& variables() const { return variables_; }

private:
    std::vector<std::pair<std::string, Value>> variables_;
};

// Parses and runs `text`; with `print`, shows outputs on rt::console().
void evaluate(std::string_view text, EvalContext& ctx, bool print);

}  // namespace rt
