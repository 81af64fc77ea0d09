// The expression language of callbacks and --eval.
#include <cmath>

#include "graphics_fixture.hpp"

using rt::Value;

namespace {

class ExpressionTest : public GraphicsTest {
protected:
    std::string run(const std::string& text) {
        console_.str("");
        rt::evaluate(text, ctx_, true);
        return console_.str();
    }
    std::string parse_error(const std::string& text) {
        return error_of([&] { rt::evaluate(text, ctx_, false); });
    }
    rt::EvalContext ctx_;
};

}  // namespace

TEST_F(ExpressionTest, MalformedTextIsAParseErrorWithItsColumn) {
    EXPECT_EQ(parse_error("get(0, 'Units'"), "Parse error at column 15: missing ')' to close the call of 'get'");
    EXPECT_EQ(parse_error("x = [1 2"), "Parse error at column 5: missing ']'");
    EXPECT_EQ(parse_error("disp('it''s)"), "Parse error at column 6: unterminated text");
    EXPECT_EQ(parse_error("set(1,,2)"), "Parse error at column 7: unexpected ','");
    EXPECT_EQ(parse_error("a = "), "Parse error at column 5: expected an expression after '='");
    EXPECT_EQ(parse_error("1.5.5"), "Parse error at column 4: unexpected '.'");
    EXPECT_EQ(parse_error("2x"), "Parse error at column 2: malformed number");
    EXPECT_EQ(parse_error("f(1) g(2)"), "Parse error at column 6: unexpected 'g'");
    EXPECT_EQ(parse_error("a == 1"), "Parse error at column 3: unexpected '='");
    EXPECT_EQ(parse_error("#"), "Parse error at column 1: unexpected '#'");
    // Nothing of a text with an error runs, not even what comes before it.
    EXPECT_NE(parse_error("figure; get(0,"), "");
    EXPECT_FALSE(rt::ishandle(1.0));
}

TEST_F(ExpressionTest, NestingIsBoundedInsteadOfExhaustingTheStack) {
    EXPECT_EQ(parse_error(std::string(100, '[') + std::string(100, ']')),
              "Parse error at column 65: brackets and calls nest deeper than 64 levels");
    EXPECT_NE(parse_error(std::string(100000, '-') + "1"), "");
    EXPECT_NE(parse_error(std::string(5000, '{')), "");
    std::string chain = "gcf";
    for (int i = 0; i < 100000; ++i) chain += ".a";
    EXPECT_NE(parse_error(chain).find("field references in a row"), std::string::npos);
    rt::EvalContext ctx;
    rt::evaluate("x = " + std::string(60, '[') + "1" + std::string(60, ']'), ctx, false);
    EXPECT_EQ(ctx.find("x")->scalar(), 1);
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
    EXPECT_EQ(ctx_.find("a")->numel(), 4u);
    rt::evaluate("g = [1 -2]; h = [a(2, 2) a(1)]", ctx_, false);
    EXPECT_EQ(ctx_.find("g")->numel(), 2u);
    EXPECT_EQ((*ctx_.find("h"))[1], 1);
}

TEST_F(ExpressionTest, StatementsCallByNameAndPrintWhatTheyAssign) {
    EXPECT_EQ(run("h = figure"), "h = 1\n");
    EXPECT_EQ(run("set(h, 'Name', 'cart')"), "");
    EXPECT_EQ(run("get(h, 'Name')"), "ans = 'cart'\n");
    EXPECT_EQ(run("gcf;"), "");
    EXPECT_EQ(ctx_.find("ans")->scalar(), 1);
    EXPECT_EQ(run("[X, Y] = meshgrid([1 2], [3; 4])"), "X = [1 2; 1 2]\nY = [3 3; 4 4]\n");
    EXPECT_EQ(run("drawnow"), "");
    EXPECT_EQ(run("X"), "X = [1 2; 1 2]\n");
    EXPECT_EQ(run("s = getappdata(0); t = get(get(gca, 'title'), 'type')"), "t = 'text'\n");
    EXPECT_TRUE(ctx_.find("s")->is_struct());
    rt::setappdata(Value(1.0), S("info"), [] {
        Value s = Value::structure();
        s.set_field("alpha_sl", Value(3.5));
        return s;
    }());
    EXPECT_EQ(run("getappdata(1, 'info').alpha_sl"), "ans = 3.5\n");

    EXPECT_EQ(error_of([&] { rt::evaluate("nosuchfunction(1)", ctx_, false); }),
              "Undefined function or variable 'nosuchfunction'.");
    EXPECT_EQ(error_of([&] { rt::evaluate("[a, b] = 5", ctx_, false); }),
              "Only a function call can give several outputs.");
    EXPECT_EQ(error_of([&] { rt::evaluate("x = drawnow", ctx_, false); }),
              "Too many output arguments.");
    EXPECT_EQ(error_of([&] { rt::evaluate("x = X.field", ctx_, false); }),
              "Field reference '.field' of a value that is not a structure.");
}
