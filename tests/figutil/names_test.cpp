// isvarname and iskeyword: names by their characters, and every other shape
// or class refused without an error.
#include "figutil/iskeyword.hpp"
#include "figutil/isvarname.hpp"

#include "figutil_fixture.hpp"

using rt::Value;

namespace {

using NamesTest = FigutilTest;

bool truth(const Value& t) {
    EXPECT_EQ(t.numel(), 1u);
    return t[0] != 0;
}

TEST_F(NamesTest, VariableNamesByTheirCharactersShapeAndClass) {
    for (const std::string& name : std::vector<std::string>{"alpha_sl", "a", "A_1", "End", std::string(31, 'x')}) {
        EXPECT_TRUE(sys::isvarname(S(name.c_str())).is_logical());
        EXPECT_TRUE(truth(sys::isvarname(S(name.c_str())))) << name;
    }
    // ':' follows '9' in ASCII and '/' precedes '0'.
    for (const std::string& name : std::vector<std::string>{"1abc", "_a", "a b", "a-b", "a9:", "a/", "end", "otherwise", std::string(32, 'x')})
        EXPECT_FALSE(truth(sys::isvarname(S(name.c_str())))) << name;
    for (const Value& v : {S(""), Value::char_matrix(1, 0), Value::char_matrix(2, 3), Value(5.0),
                           Value::row({97, 98}), Value::cell_row({S("a")}), Value::structure()})
        EXPECT_FALSE(truth(sys::isvarname(v)));
}

TEST_F(NamesTest, KeywordsMatchExactly) {
    for (const char* word : {"end", "otherwise", "persistent"}) EXPECT_TRUE(truth(sys::iskeyword(S(word)))) << word;
    for (const char* word : {"End", "ends", "en", ""}) EXPECT_FALSE(truth(sys::iskeyword(S(word)))) << word;
    EXPECT_FALSE(truth(sys::iskeyword(Value(3.0))));

    const Value list = by_name("iskeyword", 1, {})[0];
    ASSERT_TRUE(list.is_cell());
    EXPECT_EQ(list.rows(), 17u);
    EXPECT_EQ(list.cols(), 1u);
    EXPECT_EQ(list.cell_at(0).text(), "break");
    EXPECT_EQ(list.cell_at(16).text(), "while");
}

TEST_F(NamesTest, ByNameCallsAndTheirArity) {
    EXPECT_EQ(by_name("isvarname", 1, {S("pushbutton1")})[0][0], 1);
    EXPECT_EQ(by_name_error("isvarname", 1, {S("a"), S("b")}), arity("isvarname", 1, "inputs", 1));
    EXPECT_EQ(by_name_error("iskeyword", 2, {S("a")}), arity("iskeyword", 1, "outputs", 1));
}

}  // namespace
