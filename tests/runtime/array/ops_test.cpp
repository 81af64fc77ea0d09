#include "tests/common.hpp"

#include "runtime/array/display.hpp"
#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"

namespace rt {
namespace {

TEST(Mpower, WholeExponentsMultiplyExactly) {
    const double xs[] = {0.1, 1.0 / 3.0, -2.7, 1e-3, 123.456};
    for (double x : xs) {
        EXPECT_EQ(mpower(Value(x), Value(2.0))[0], x * x) << x;
        EXPECT_EQ(mpower(x, 3.0), x * x * x) << x;
        EXPECT_EQ(mpower(x, -2.0), 1.0 / (x * x)) << x;
        EXPECT_EQ(mpower(x, 0.0), 1.0) << x;
    }
    EXPECT_EQ(mpower(2.0, 0.5), std::sqrt(2.0));
    EXPECT_TRUE(std::isnan(mpower(-8.0, 1.0 / 3.0)));
    EXPECT_EQ(mpower(2.0, 2000.0), HUGE_VAL);

    Value m = Value::from_rows(2, 2, {1, 1, 0, 1});
    EXPECT_TRUE(isequal(mpower(m, Value(3.0)), Value::from_rows(2, 2, {1, 3, 0, 1})));
    EXPECT_TRUE(isequal(mpower(m, Value(0.0)), Value::from_rows(2, 2, {1, 0, 0, 1})));
    EXPECT_THROW(mpower(Value::row({1, 2}), Value(2.0)), Error);
    EXPECT_THROW(mpower(m, Value(0.5)), Error);
}

TEST(Arithmetic, ScalarExpansionMatrixProductAndClasses) {
    EXPECT_TRUE(isequal(plus(Value::row({1, 2}), Value(1.0)), Value::row({2, 3})));
    EXPECT_TRUE(isequal(minus(Value(10.0), Value::row({1, 2})), Value::row({9, 8})));
    EXPECT_TRUE(isequal(mtimes(Value(2.0), Value::row({1, 2})), Value::row({2, 4})));
    EXPECT_TRUE(isequal(mrdivide(Value::row({2, 4}), Value(2.0)), Value::row({1, 2})));
    EXPECT_THROW(plus(Value::row({1, 2}), Value::row({1, 2, 3})), Error);
    EXPECT_THROW(mrdivide(Value(1.0), Value::row({1, 2})), Error);
    EXPECT_THROW(plus(Value::cell(1, 1), Value(1.0)), Error);
    EXPECT_THROW(plus(Value(), Value(1.0)), Error);

    Value a = Value::from_rows(2, 3, {1, 2, 3, 4, 5, 6});
    Value b = Value::from_rows(3, 1, {1, 0, -1});
    EXPECT_TRUE(isequal(mtimes(a, b), Value::column({-2, -2})));
    EXPECT_THROW(mtimes(a, a), Error);

    // Text and logicals join arithmetic as numbers and give doubles.
    const Value t = plus(Value::string("a"), Value(1.0));
    EXPECT_TRUE(t.is_double() && t[0] == 98);
    EXPECT_TRUE(uminus(Value::logical(true)).is_double());
    EXPECT_EQ(fix(Value(-2.7))[0], -2);
    EXPECT_EQ(abs(Value(-2.5))[0], 2.5);
}

TEST(Reductions, ColumnsOfAMatrixAndNaNSkipped) {
    Value m = Value::from_rows(2, 3, {1, 5, 3, 4, 2, 6});
    EXPECT_TRUE(isequal(max(m), Value::row({4, 5, 6})));
    EXPECT_TRUE(isequal(min(Value::row({std::nan(""), 2})), Value(2.0)));
    EXPECT_TRUE(isequal(min(Value::row({0, 0}), Value::row({-1, 5})), Value::row({-1, 0})));
    EXPECT_TRUE(min(Value::empty()).is_empty());
    EXPECT_EQ(sum(Value::empty())[0], 0);
}

TEST(Shape, ConcatenationColonSizeAndMeshgrid) {
    EXPECT_TRUE(isequal(horzcat(Value::empty(), Value(3.5)), Value(3.5)));
    EXPECT_TRUE(isequal(horzcat(Value::row({1, 2}), Value(3.0)), Value::row({1, 2, 3})));
    EXPECT_TRUE(isequal(vertcat({Value::row({1, 2}), Value::row({3, 4})}), Value::from_rows(2, 2, {1, 2, 3, 4})));
    EXPECT_THROW(vertcat({Value::row({1, 2}), Value::row({1, 2, 3})}), Error);
    EXPECT_EQ(display_text(horzcat(Value::string("tavrin"), Value::string(".fig"))), "'tavrin.fig'");
    EXPECT_TRUE(horzcat(Value::string(""), Value::string("")).is_char());
    // An empty part of another shape joins without complaint.
    EXPECT_TRUE(isequal(horzcat(make_numeric(ClassId::Double, 1, 0), Value::column({1, 2})), Value::column({1, 2})));
    EXPECT_EQ(horzcat(make_numeric(ClassId::Double, 0, 3), make_numeric(ClassId::Double, 0, 2)).cols(), 5u);
    EXPECT_THROW(horzcat(Value::structure(), Value(1.0)), Error);
    EXPECT_THROW(horzcat(Value::cell(1, 1), Value(1.0)), Error);
    EXPECT_EQ(horzcat(Value::cell(1, 1), Value::cell(1, 2)).cols(), 3u);

    EXPECT_TRUE(isequal(colon(1, 4), Value::row({1, 2, 3, 4})));
    EXPECT_TRUE(isequal(colon(3, -1, 1), Value::row({3, 2, 1})));
    EXPECT_TRUE(isequal(colon(2, 1), make_numeric(ClassId::Double, 1, 0)));
    EXPECT_EQ(colon(0, 0.1, 1).numel(), 11u);

    EXPECT_TRUE(isequal(size(zeros(3, 2)), Value::row({3, 2})));
    EXPECT_EQ(size(zeros(3, 2), 3.0), 1);
    EXPECT_THROW(size(Value(1.0), 0.0), Error);
    EXPECT_EQ(length_int(zeros(3, 7)), 7);
    EXPECT_EQ(length_int(zeros(0, 7)), 0);
    EXPECT_TRUE(isequal(ctranspose(Value::row({1, 2})), Value::column({1, 2})));

    Value X, Y;
    meshgrid(Value::row({1, 2, 3}), Value::row({10, 20}), X, Y);
    EXPECT_TRUE(isequal(X, Value::from_rows(2, 3, {1, 2, 3, 1, 2, 3})));
    EXPECT_TRUE(isequal(Y, Value::from_rows(2, 3, {10, 10, 10, 20, 20, 20})));
    Value x = Value::row({1, 2}), y = Value::row({5});
    meshgrid(x, y, x, y);  // outputs in place of the inputs
    EXPECT_TRUE(isequal(x, Value::row({1, 2})));
    EXPECT_TRUE(isequal(y, Value::row({5, 5})));
}

const double kNaN = std::nan("");

TEST(Truth, OnlyNonEmptyAllNonZeroIsTrue) {
    const std::pair<Value, bool> cases[] = {
        {Value(0.0), false},         {Value::empty(), false},        {make_numeric(ClassId::Logical, 1, 0), false},
        {Value::string(""), false},  {Value::row({1, -1, 3}), true}, {Value::row({1, 0, 3}), false},
        {Value::string("off"), true}};
    for (const auto& [value, truth] : cases) EXPECT_EQ(tobool(value), truth) << display_text(value);
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
    const std::tuple<Value, Value, bool> cases[] = {{Value::string(".FIG"), Value::string(".fig"), false},
                                                    {Value::string("on"), Value::string("on "), false},
                                                    {Value::string("a"), Value(97.0), true},
                                                    {Value(kNaN), Value(kNaN), false},
                                                    {Value::empty(), Value::string(""), true},
                                                    {Value::cell(1, 1), Value::empty(), false},
                                                    {Value::cell_row({Value(1.0)}), Value::cell_row({Value(1.0)}),
                                                     true}};
    for (const auto& [a, b, equal] : cases) EXPECT_EQ(isequal(a, b), equal) << display_text(a);

    // Fields in another order are equal.
    Value s = Value::structure(), t = Value::structure();
    for (const char* f : {"a", "b"}) s.set_field(f, Value(f[0] - 'a' + 1.0));
    for (const char* f : {"b", "a"}) t.set_field(f, Value(f[0] - 'a' + 1.0));
    EXPECT_TRUE(isequal(s, t));
    t.set_field("a", Value(3.0));
    EXPECT_FALSE(isequal(s, t));
}

}  // namespace
}  // namespace rt
