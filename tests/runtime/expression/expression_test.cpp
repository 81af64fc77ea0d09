// The expression language of callbacks and --eval, on the functions of the
// array library alone.

#include "runtime/expression/expression.hpp"
#include "runtime/array/display.hpp"
#include "runtime/array/value.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/library.hpp"
#include "tests/error_text.hpp"

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
    std::string error_in(const std::string& text) {
        return error_of([&] { rt::evaluate(text, ctx_, false); });
    }

    std::ostringstream console_;
    rt::EvalContext ctx_;
};

}  // namespace

TEST_F(ExpressionTest, MalformedTextIsAParseErrorWithItsColumn) {
    EXPECT_EQ(error_in("size(0, 'x'"), "Parse error at column 12: missing ')' to close the call of 'size'");
    EXPECT_EQ(error_in("x = [1 2"), "Parse error at column 5: missing ']'");
    EXPECT_EQ(error_in("disp('it''s)"), "Parse error at column 6: unterminated text");
    EXPECT_EQ(error_in("plus(1,,2)"), "Parse error at column 8: unexpected ','");
    EXPECT_EQ(error_in("a = "), "Parse error at column 5: expected an expression after '='");
    EXPECT_EQ(error_in("1.5.5"), "Parse error at column 4: unexpected '.'");
    EXPECT_EQ(error_in("2x"), "Parse error at column 2: malformed number");
    EXPECT_EQ(error_in("f(1) g(2)"), "Parse error at column 6: unexpected 'g'");
    EXPECT_EQ(error_in("a == 1"), "Parse error at column 3: unexpected '='");
    EXPECT_EQ(error_in("#"), "Parse error at column 1: unexpected '#'");
    // Nothing of a text with an error runs, not even what comes before it.
    EXPECT_EQ(error_in("error('it ran'); size(0,"), "Parse error at column 25: unexpected end of text");
}

TEST_F(ExpressionTest, NestingIsBoundedInsteadOfExhaustingTheStack) {
    EXPECT_EQ(error_in(std::string(100000, '[') + std::string(100, ']')),
              "Parse error at column 65: brackets and calls nest deeper than 64 levels");
    EXPECT_NE(error_in(std::string(100000, '-') + "1"), "");
    EXPECT_NE(error_in(std::string(5000, '{')), "");
    std::string chain = "x";
    for (int i = 0; i < 100000; ++i) chain += ".a";
    EXPECT_EQ(error_in(chain), "Parse error at column 130: more than 64 field references in a row");
    rt::evaluate("x = " + std::string(60, '[') + "1" + std::string(60, ']'), ctx_, false);
    EXPECT_EQ(ctx_.find("x")->scalar(), 1);
}

TEST_F(ExpressionTest, LiteralsBuildNumbersTextsMatricesAndCells) {
    rt::evaluate("a = [1, -2.5; 1e-11 Inf]; b = 'it''s'; c = {'x', 2; [], \"q\"}; d = []; e = NaN; f = .5", ctx_,
                 false);
    rt::evaluate("g = [1 -2]; h = [a(2, 2) a(1)]", ctx_, false);
    EXPECT_EQ(ctx_.find("b")->text(), "it's");
    const std::pair<const char*, const char*> shown[] = {{"a", "[1 -2.5; 1e-11 Inf]"},
                                                         {"c", "{'x' 2; [] 'q'}"},
                                                         {"d", "[]"},
                                                         {"e", "NaN"},
                                                         {"f", "0.5"},
                                                         {"g", "[1 -2]"},
                                                         {"h", "[Inf 1]"}};
    for (const auto& [name, text] : shown) EXPECT_EQ(rt::display_text(*ctx_.find(name)), text) << name;
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

    EXPECT_EQ(error_in("nosuchfunction(1)"), "Undefined function or variable 'nosuchfunction'.");
    EXPECT_EQ(error_in("[a, b] = 5"), "Only a function call can give several outputs.");
    EXPECT_EQ(error_in("x = disp(1)"), "Too many output arguments.");
    EXPECT_EQ(error_in("x = r.field"), "Field reference '.field' of a value that is not a structure.");
}
