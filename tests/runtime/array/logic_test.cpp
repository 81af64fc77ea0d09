#include <gtest/gtest.h>

#include <cmath>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"

namespace rt {
namespace {

const double kNaN = std::nan("");

TEST(Truth, OnlyNonEmptyAllNonZeroIsTrue) {
    EXPECT_TRUE(tobool(Value(2.0)));
    EXPECT_FALSE(tobool(Value(0.0)));
    EXPECT_FALSE(tobool(Value::empty()));
    EXPECT_FALSE(tobool(make_numeric(ClassId::Logical, 1, 0)));
    EXPECT_FALSE(tobool(Value::string("")));
    EXPECT_TRUE(tobool(Value::row({1, -1, 3})));
    EXPECT_FALSE(tobool(Value::row({1, 0, 3})));
    EXPECT_TRUE(tobool(Value::string("off")));
    EXPECT_THROW(tobool(Value::cell(1, 1)), Error);
    EXPECT_THROW(tobool(Value()), Error);
    EXPECT_TRUE(not_bool(Value::empty()));
    // The reductions agree: all of nothing is true, any of nothing is false.
    EXPECT_TRUE(tobool(all(Value::empty())));
    EXPECT_FALSE(tobool(any(Value::empty())));
}

TEST(Compare, NaNComparesFalseAndShapesFollowTheArray) {
    EXPECT_FALSE(lt_bool(kNaN, 1.0));
    EXPECT_FALSE(gt_bool(kNaN, 1.0));
    EXPECT_FALSE(le_bool(kNaN, kNaN));
    EXPECT_FALSE(eq_bool(kNaN, kNaN));
    EXPECT_TRUE(ne_bool(kNaN, kNaN));
    EXPECT_FALSE(tobool(lt(Value::row({kNaN, 0}), Value(1.0))));

    EXPECT_TRUE(le_bool(2.0, 2.0));
    EXPECT_TRUE(eq_bool(-1.0, -1.0));
    Value r = gt(Value::row({1, 5, 3}), Value(2.0));
    EXPECT_TRUE(r.is_logical());
    EXPECT_TRUE(isequal(r, Value::row({0, 1, 1})));
    EXPECT_THROW(eq(Value::row({1, 2}), Value::row({1, 2, 3})), Error);

    // Texts compare by character code: "on" is never 0, the empty option is never anything.
    EXPECT_FALSE(eq_bool(Value::string("on"), Value(0.0)));
    EXPECT_FALSE(eq_bool(Value::string(""), Value(0.0)));
    EXPECT_TRUE(eq_bool(Value::string("a"), Value(97.0)));
    Value between = and_(le(Value::string("0"), Value::string("5")), le(Value::string("5"), Value::string("9")));
    EXPECT_TRUE(tobool(between));
    EXPECT_THROW(eq(Value::cell(1, 1), Value(1.0)), Error);
}

TEST(Isequal, ValuesAcrossClassesAndStructures) {
    EXPECT_TRUE(isequal(Value::string("on"), Value::string("on")));
    EXPECT_FALSE(isequal(Value::string(".FIG"), Value::string(".fig")));
    EXPECT_FALSE(isequal(Value::string("on"), Value::string("on ")));
    EXPECT_TRUE(isequal(Value::string("a"), Value(97.0)));
    EXPECT_FALSE(isequal(Value(kNaN), Value(kNaN)));
    EXPECT_TRUE(isequal(Value::empty(), Value::string("")));
    EXPECT_FALSE(isequal(Value::cell(1, 1), Value::empty()));
    EXPECT_TRUE(isequal(Value::cell_row({Value(1.0)}), Value::cell_row({Value(1.0)})));

    Value s = Value::structure(), t = Value::structure();
    s.set_field("a", Value(1.0));
    s.set_field("b", Value(2.0));
    t.set_field("b", Value(2.0));
    t.set_field("a", Value(1.0));
    EXPECT_TRUE(isequal(s, t));
    t.set_field("a", Value(3.0));
    EXPECT_FALSE(isequal(s, t));
}

}  // namespace
}  // namespace rt
