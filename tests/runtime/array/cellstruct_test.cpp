#include "runtime/array/cellstruct.hpp"

#include <gtest/gtest.h>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"

namespace rt {
namespace {

Value str(const char* s) { return Value::string(s); }

TEST(Fields, SetfieldBuildsFromEmptyAndKeepsOrder) {
    EXPECT_FALSE(isfield(Value::empty(), str("a")));
    EXPECT_FALSE(isfield(Value(1.0), str("a")));

    Value s = setfield(Value::empty(), str("figure1"), Value(1.0));
    ASSERT_TRUE(s.is_struct());
    s = setfield(s, str("alpha_sl"), Value(2.5));
    s = setfield(s, str("beta_sl"), Value(3.5));
    EXPECT_TRUE(isfield(s, str("alpha_sl")));
    EXPECT_FALSE(isfield(s, str("Alpha_sl")));
    EXPECT_FALSE(isfield(s, Value(1.0)));

    // Replacing a field keeps its place.
    s = setfield(s, str("figure1"), horzcat(getfield(s, str("figure1")), Value(7.0)));
    Value names = fieldnames(s);
    ASSERT_EQ(names.rows(), 3u);
    ASSERT_EQ(names.cols(), 1u);
    EXPECT_EQ(names.cell_at(0).text(), "figure1");
    EXPECT_EQ(names.cell_at(1).text(), "alpha_sl");
    EXPECT_EQ(names.cell_at(2).text(), "beta_sl");
    EXPECT_TRUE(isequal(getfield(s, str("figure1")), Value::row({1, 7})));

    Value none = fieldnames(Value::structure());
    EXPECT_EQ(none.rows(), 0u);
    EXPECT_EQ(none.cols(), 1u);
}

TEST(Fields, SetfieldLeavesTheOriginalAlone) {
    Value a = setfield(Value(), str("x"), Value(1.0));
    Value b = setfield(a, str("x"), Value(2.0));
    Value c = setfield(a, str("y"), Value(3.0));
    EXPECT_EQ(getfield(a, str("x"))[0], 1);
    EXPECT_FALSE(isfield(a, str("y")));
    EXPECT_EQ(getfield(b, str("x"))[0], 2);
    EXPECT_EQ(fieldnames(c).numel(), 2u);
}

TEST(Fields, ErrorsNameTheFieldOrTheProblem) {
    Value s = setfield(Value::empty(), str("a"), Value(1.0));
    try {
        getfield(s, str("missing"));
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "Reference to non-existent field 'missing'.");
    }
    EXPECT_THROW(getfield(Value(1.0), str("a")), Error);
    EXPECT_THROW(setfield(s, str("1abc"), Value(1.0)), Error);
    EXPECT_THROW(setfield(s, str("has blank"), Value(1.0)), Error);
    EXPECT_THROW(setfield(s, str(""), Value(1.0)), Error);
    EXPECT_THROW(setfield(s, Value(1.0), Value(1.0)), Error);
    EXPECT_THROW(setfield(Value(3.0), str("a"), Value(1.0)), Error);
    EXPECT_THROW(fieldnames(Value::cell(1, 1)), Error);
    EXPECT_TRUE(is_valid_field_name("A_1"));
    EXPECT_FALSE(is_valid_field_name("_a"));
    EXPECT_FALSE(is_valid_field_name(std::string(64, 'a')));
}

}  // namespace
}  // namespace rt
