#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "figutil/iskeyword.hpp"
#include "figutil/isvarname.hpp"
#include "runtime/array/error.hpp"
#include "runtime/call/feval.hpp"
#include "tests/app/running_program.hpp"
#include "tests/error_text.hpp"

namespace {

bool valid(const rt::Value& v) {
    const rt::Value t = sys::isvarname(v);
    EXPECT_TRUE(t.is_logical());
    EXPECT_EQ(t.numel(), 1u);
    return t[0] != 0;
}
bool valid(const char* s) { return valid(rt::Value::string(s)); }
bool keyword(const rt::Value& v) {
    const rt::Value t = sys::iskeyword(v);
    EXPECT_EQ(t.numel(), 1u);
    return t[0] != 0;
}
bool keyword(const char* s) { return keyword(rt::Value::string(s)); }

using sys_test::error_of;

class NamesTest : public sys_test::RunningProgram {};

TEST_F(NamesTest, VariableNamesByTheirCharacters) {
    EXPECT_TRUE(valid("alpha_sl"));
    EXPECT_TRUE(valid("figure1"));
    EXPECT_TRUE(valid("a"));
    EXPECT_TRUE(valid("A_1"));
    EXPECT_TRUE(valid("End"));
    EXPECT_FALSE(valid("1abc"));
    EXPECT_FALSE(valid("_a"));
    EXPECT_FALSE(valid("a b"));
    EXPECT_FALSE(valid("a-b"));
    EXPECT_FALSE(valid("a9:"));  // ':' follows '9' in ASCII
    EXPECT_FALSE(valid("a/"));   // '/' precedes '0'
    EXPECT_TRUE(valid(std::string(31, 'x').c_str()));
    EXPECT_FALSE(valid(std::string(32, 'x').c_str()));
    for (const char* word : {"end", "for", "while", "otherwise"}) EXPECT_FALSE(valid(word)) << word;
}

TEST_F(NamesTest, VariableNamesRefuseOtherShapesAndClassesWithoutError) {
    EXPECT_FALSE(valid(rt::Value::string("")));        // no rows
    EXPECT_FALSE(valid(rt::Value::char_matrix(1, 0)));  // one row, no characters
    EXPECT_FALSE(valid(rt::Value::char_matrix(2, 3)));
    EXPECT_FALSE(valid(rt::Value(5.0)));
    EXPECT_FALSE(valid(rt::Value::row({97, 98})));  // the codes of "ab", but numbers
    EXPECT_FALSE(valid(rt::Value::cell_row({rt::Value::string("a")})));
    EXPECT_FALSE(valid(rt::Value::structure()));
}

TEST_F(NamesTest, KeywordsMatchExactly) {
    EXPECT_TRUE(keyword("end"));
    EXPECT_TRUE(keyword("otherwise"));
    EXPECT_TRUE(keyword("persistent"));
    EXPECT_FALSE(keyword("End"));
    EXPECT_FALSE(keyword("ends"));
    EXPECT_FALSE(keyword("en"));
    EXPECT_FALSE(keyword(""));
    EXPECT_FALSE(keyword(rt::Value(3.0)));

    const rt::Value list = sys::iskeyword();
    ASSERT_TRUE(list.is_cell());
    EXPECT_EQ(list.rows(), 17u);
    EXPECT_EQ(list.cols(), 1u);
    EXPECT_EQ(list.cell_at(0).text(), "break");
    EXPECT_EQ(list.cell_at(16).text(), "while");
}

TEST_F(NamesTest, ByNameCallsAndTheirArity) {
    EXPECT_EQ(rt::feval("iskeyword", 1, {})[0].numel(), 17u);
    const rt::Value tag[] = {rt::Value::string("pushbutton1")};
    EXPECT_EQ(rt::feval("isvarname", 1, tag)[0][0], 1);
    const rt::Value two[] = {tag[0], tag[0]};
    EXPECT_EQ(error_of([&] { rt::feval("isvarname", 1, two); }),
              "Run-time Error: File: isvarname Line: 1 Column: 1 The function \"isvarname\" was called with more "
              "than the declared number of inputs (1).");
    EXPECT_EQ(error_of([&] { rt::feval("iskeyword", 2, tag); }),
              "Run-time Error: File: iskeyword Line: 1 Column: 1 The function \"iskeyword\" was called with more "
              "than the declared number of outputs (1).");
}

}  // namespace
