#include "runtime/array/cellstruct.hpp"

#include <gtest/gtest.h>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "tests/error_text.hpp"

namespace rt {
namespace {

Value str(const char* s) { return Value::string(s); }

TEST(Fields, SetfieldBuildsFromEmptyKeepsOrderAndLeavesTheOriginalAlone) {
    EXPECT_FALSE(isfield(Value::empty(), str("a")));
    EXPECT_FALSE(isfield(Value(1.0), str("a")));
    Value s = setfield(Value::empty(), str("figure1"), Value(1.0));
    ASSERT_TRUE(s.is_struct());
    s = setfield(s, str("alpha_sl"), Value(2.5));
    const Value two = s;
    s = setfield(s, str("beta_sl"), Value(3.5));
    EXPECT_TRUE(isfield(s, str("alpha_sl")));
    EXPECT_FALSE(isfield(s, str("Alpha_sl")));
    EXPECT_FALSE(isfield(s, Value(1.0)));

    // Replacing a field keeps its place; the value it was set on is unchanged.
    const Value before = s;
    s = setfield(s, str("figure1"), horzcat(getfield(s, str("figure1")), Value(7.0)));
    EXPECT_TRUE(isequal(fieldnames(s), Value::cell_column({str("figure1"), str("alpha_sl"), str("beta_sl")})));
    EXPECT_TRUE(isequal(getfield(s, str("figure1")), Value::row({1, 7})));
    EXPECT_EQ(getfield(before, str("figure1"))[0], 1);
    EXPECT_FALSE(isfield(two, str("beta_sl")));

    Value none = fieldnames(Value::structure());
    EXPECT_EQ(none.rows(), 0u);
    EXPECT_EQ(none.cols(), 1u);
}

TEST(Fields, ErrorsNameTheFieldOrTheProblem) {
    Value s = setfield(Value::empty(), str("a"), Value(1.0));
    EXPECT_EQ(sys_test::error_of([&] { getfield(s, str("missing")); }), "Reference to non-existent field 'missing'.");
    EXPECT_THROW(getfield(Value(1.0), str("a")), Error);
    for (const char* bad : {"1abc", "has blank", ""}) EXPECT_THROW(setfield(s, str(bad), Value(1.0)), Error) << bad;
    EXPECT_THROW(setfield(s, Value(1.0), Value(1.0)), Error);
    EXPECT_THROW(setfield(Value(3.0), str("a"), Value(1.0)), Error);
    EXPECT_THROW(fieldnames(Value::cell(1, 1)), Error);
    EXPECT_TRUE(is_valid_field_name("A_1"));
    EXPECT_FALSE(is_valid_field_name("_a"));
    EXPECT_FALSE(is_valid_field_name(std::string(64, 'a')));
}

}  // namespace
}  // namespace rt
