// The expression language of callbacks and --eval, on the functions of the
// array library alone.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "runtime/array/value.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/library.hpp"
#include "runtime/expression/expression.hpp"
#include "tests/error_text.hpp"

using rt::Value;
using sys_test::error_of;

namespace {

class ExpressionTest : public ::testing::Test {
protected:
    void SetUp() override {
        rt::array_library_initialize();
        rt::set_console(&console_);
    }
    void TearDown() override {
        rt::array_library_terminate();
        rt::set_console(nullptr);
    }

    std::string run(const std::string& text) {
        console_.str("");
        rt::evaluate(text, ctx_, true);
        return console_.str();
    }
    std::string parse_error(const std::string& text) {
        return error_of([&] { rt::evaluate(text, ctx_, false); });
    }

    std::ostringstream console_;
    rt::EvalContext ctx_;
};

}  // namespace

TEST_F(ExpressionTest, MalformedTextIsAParseErrorWithItsColumn) {
    EXPECT_EQ(parse_error("size(0, 'x'"), "Parse error at column 12: missing ')' to close the call of 'size'");
    EXPECT_EQ(parse_error("x = [1 2"), "Parse error at column 5: missing ']'");
    EXPECT_EQ(parse_error("disp('it''s)"), "Parse error at column 6: unterminated text");
    EXPECT_EQ(parse_error("plus(1,,2)"), "Parse error at column 8: unexpected ','");
    EXPECT_EQ(parse_error("a = "), "Parse error at column 5: expected an expression after '='");
    EXPECT_EQ(parse_error("1.5.5"), "Parse error at column 4: unexpected '.'");
    EXPECT_EQ(parse_error("2x"), "Parse error at column 2: malformed number");
    EXPECT_EQ(parse_error("f(1) g(2)"), "Parse error at column 6: unexpected 'g'");
    EXPECT_EQ(parse_error("a == 1"), "Parse error at column 3: unexpected '='");
    EXPECT_EQ(parse_error("#"), "Parse error at column 1: unexpected '#'");
    // Nothing of a text with an error runs, not even what comes before it.
    EXPECT_EQ(parse_error("error('it ran'); size(0,"), "Parse error at column 25: unexpected end of text");
}

TEST_F(ExpressionTest, NestingIsBoundedInsteadOfExhaustingTheStack) {
    EXPECT_EQ(parse_error(std::string(100, '[') + std::string(100, ']')),
              "Parse error at column 65: brackets and calls nest deeper than 64 levels");
    EXPECT_NE(parse_error(std::string(100000, '-') + "1"), "");
    EXPECT_NE(parse_error(std::string(5000, '{')), "");
    std::string chain = "x";
    for (int i = 0; i < 100000; ++i) chain += ".a";
    EXPECT_NE(parse_error(chain).find("field references in a row"), std::string::npos);
    rt::evaluate("x = " + std::string(60, '[') + "1" + std::string(60, ']'), ctx_, false);
    EXPECT_EQ(ctx_.find("x")->scalar(), 1);
}

TEST_F(ExpressionTest, LiteralsBuildNumbersTextsMatricesAndCells) {
    rt::evaluate("a = [1, -2.5; 1e-11 Inf]; b = 'it''s'; c = {'x', 2; [], \"q\"}; d = []; e = NaN; f = .5", ctx_,
                 false);
    const Value& a = *ctx_.find("a");
    ASSERT_EQ(a.rows(), 2u);
    ASSERT_EQ(a.cols(), 2u);
    EXPECT_EQ(a[0], 1);
    EXPECT_EQ(a[2], -2.5);
    EXPECT_EQ(a[1], 1e-11);
    EXPECT_TRUE(std::isinf(a[3]));
    EXPECT_EQ(ctx_.find("b")->text(), "it's");
    const Value& c = *ctx_.find("c");
    ASSERT_TRUE(c.is_cell());
    EXPECT_EQ(c.rows(), 2u);
    EXPECT_EQ(c.cell_at(3).text(), "q");
    EXPECT_TRUE(ctx_.find("d")->is_empty());
    EXPECT_TRUE(std::isnan(ctx_.find("e")->scalar()));
    EXPECT_EQ(ctx_.find("f")->scalar(), 0.5);
    rt::evaluate("g = [1 -2]; h = [a(2, 2) a(1)]", ctx_, false);
    EXPECT_EQ(ctx_.find("g")->numel(), 2u);
    EXPECT_EQ((*ctx_.find("h"))[1], 1);
}

TEST_F(ExpressionTest, StatementsCallByNameAndPrintWhatTheyAssign) {
    EXPECT_EQ(run("z = zeros(1, 2)"), "z = [0 0]\n");
    EXPECT_EQ(run("disp('shown')"), "shown\n");
    EXPECT_EQ(run("num2str(5)"), "ans = '5'\n");
    EXPECT_EQ(run("numel(z);"), "");
    EXPECT_EQ(ctx_.find("ans")->scalar(), 2);
    EXPECT_EQ(run("[r, c] = size(zeros(2, 3))"), "r = 2\nc = 3\n");
    EXPECT_EQ(run("plus(r, c)"), "ans = 5\n");
    EXPECT_EQ(run("r"), "r = 2\n");
    Value info = Value::structure();
    info.set_field("alpha_sl", Value(3.5));
    Value s = Value::structure();
    s.set_field("info", info);
    ctx_.assign("s", s);
    EXPECT_EQ(run("getfield(s, 'info').alpha_sl"), "ans = 3.5\n");

    EXPECT_EQ(error_of([&] { rt::evaluate("nosuchfunction(1)", ctx_, false); }),
              "Undefined function or variable 'nosuchfunction'.");
    EXPECT_EQ(error_of([&] { rt::evaluate("[a, b] = 5", ctx_, false); }),
              "Only a function call can give several outputs.");
    EXPECT_EQ(error_of([&] { rt::evaluate("x = disp(1)", ctx_, false); }), "Too many output arguments.");
    EXPECT_EQ(error_of([&] { rt::evaluate("x = r.field", ctx_, false); }),
              "Field reference '.field' of a value that is not a structure.");
}
