#include "runtime/array/display.hpp"

#include <gtest/gtest.h>

#include "runtime/array/cellstruct.hpp"
#include "runtime/array/ops.hpp"

namespace rt {
namespace {

Value str(const char* s) { return Value::string(s); }

TEST(Display, NumbersLogicalsAndMatrices) {
    EXPECT_EQ(display_line("ALPHA", Value(0.5)), "ALPHA = 0.5");
    EXPECT_EQ(display_line("box", Value(86.0)), "box = 86");
    EXPECT_EQ(display_line("t", Value::logical(true)), "t = 1");
    EXPECT_EQ(display_line("f", Value::logical(false)), "f = 0");
    EXPECT_EQ(display_line("v", Value::row({1, 2, 3})), "v = [1 2 3]");
    EXPECT_EQ(display_line("c", Value::column({1, 2})), "c = [1; 2]");
    EXPECT_EQ(display_line("m", Value::from_rows(2, 2, {1, 2, 3, 4})), "m = [1 2; 3 4]");
    EXPECT_EQ(display_line("p", Value::row({3.14159265, -0.25})), "p = [3.1416 -0.25]");
    EXPECT_EQ(display_line("e", Value::empty()), "e = []");
    EXPECT_EQ(display_text(make_numeric(ClassId::Double, 1, 0)), "[]");
    EXPECT_EQ(display_text(lt(Value::row({1, 5}), Value(3.0))), "[1 0]");
}

TEST(Display, TextsCellsAndStructures) {
    EXPECT_EQ(display_line("str", str("AutoSelect")), "str = 'AutoSelect'");
    EXPECT_EQ(display_text(str("")), "''");
    EXPECT_EQ(display_text(str("it's")), "'it''s'");
    EXPECT_EQ(display_text(vertcat({str("ab"), str("cd")})), "['ab'; 'cd']");

    Value words = Value::cell_column({str("break"), str("case"), str("catch")});
    EXPECT_EQ(display_line("L", words), "L = {'break'; 'case'; 'catch'}");
    EXPECT_EQ(display_text(Value::cell_row({str("a"), Value(2.0), Value::row({1, 2})})), "{'a' 2 [1 2]}");
    EXPECT_EQ(display_text(Value::cell(0, 0)), "{}");

    Value s = setfield(Value::empty(), str("a"), Value(1.0));
    s = setfield(s, str("b"), str("x"));
    EXPECT_EQ(display_line("s", s), "s = struct with fields: a, b");
    EXPECT_EQ(display_text(Value::structure()), "struct with no fields");
    EXPECT_EQ(display_text(Value()), "<unassigned>");
}

}  // namespace
}  // namespace rt
