#include "runtime/array/display.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "tests/error_text.hpp"

namespace rt {
namespace {

using sys_test::error_of;
constexpr auto npos = std::string::npos;

void expect_shape(const Value& v, std::size_t rows, std::size_t cols) {
    EXPECT_EQ(v.rows(), rows);
    EXPECT_EQ(v.cols(), cols);
}

TEST(ArrayRef1, NumericIndexShapes) {
    Value row = Value::row({10, 20, 30, 40});
    Value col = Value::column({10, 20, 30, 40});
    Value mat = Value::from_rows(2, 2, {10, 30, 20, 40});
    Value irow = Value::row({2, 3});
    Value icol = Value::column({2, 3});

    // A vector indexed by a vector keeps the vector's orientation.
    expect_shape(array_ref1(row, icol), 1, 2);
    expect_shape(array_ref1(col, irow), 2, 1);
    // Otherwise the result has the index's shape.
    expect_shape(array_ref1(mat, icol), 2, 1);
    expect_shape(array_ref1(Value(5.0), Value::column({1, 1, 1})), 3, 1);
    expect_shape(array_ref1(row, Value::from_rows(2, 2, {1, 2, 3, 4})), 2, 2);
    expect_shape(array_ref1(row, Value::empty()), 0, 0);

    EXPECT_TRUE(isequal(array_ref1(mat, irow), Value::row({20, 30})));  // column-major

    // Characters 1 to min(end, 31) of a text stay a text.
    EXPECT_EQ(display_text(array_ref1(Value::string("tavrin_SINGLETON_handle"), colon(1, 6))), "'tavrin'");
    EXPECT_EQ(display_text(array_ref1(Value::cell_row({Value(1.0), Value(2.0)}), Value(2.0))), "{2}");
}

TEST(ArrayRef1, LogicalMaskShapes) {
    Value row = Value::row({1, 2, 3});
    Value col = Value::column({1, 2, 3});
    Value mat = Value::from_rows(2, 2, {1, 2, 3, 4});
    Value mask_col = lt(Value::column({0, 5, 0}), Value(1.0));  // [1;0;1]
    Value mask_row = ctranspose(mask_col);

    expect_shape(array_ref1(row, mask_col), 1, 2);
    expect_shape(array_ref1(col, mask_row), 2, 1);
    EXPECT_TRUE(isequal(array_ref1(mat, gt(mat, Value(1.0))), Value::column({3, 2, 4})));  // column-major
    // No element chosen: an empty row or column, still of the right kind.
    expect_shape(array_ref1(row, lt(row, Value(0.0))), 1, 0);
    expect_shape(array_ref1(Value::empty(), lt(Value::empty(), Value(0.0))), 0, 1);
    // A shorter mask is fine; a true past the end is not.
    expect_shape(array_ref1(row, Value::logical(true)), 1, 1);
    EXPECT_EQ(error_of([&] {
                  array_ref1(row, lt(Value::row({0, 0, 0, 0}), Value(1.0)));
              }),
              "Index 4 exceeds matrix dimensions (3).");
}

TEST(ArrayRef, ErrorsNameTheIndex) {
    Value q = zeros(162, 2);
    EXPECT_EQ(error_of([&] { array_ref1(zeros(1, 162), Value(163.0)); }), "Index 163 exceeds matrix dimensions (162).");
    EXPECT_EQ(error_of([&] { array_ref2(q, 163.0, 1.0); }), "Index 163 exceeds matrix dimensions (162).");
    EXPECT_EQ(error_of([&] { array_ref2(q, 1.0, 3.0); }), "Index 3 exceeds matrix dimensions (2).");
    EXPECT_EQ(error_of([&] { array_ref2(q, -1.0, 1.0); }),
              "Index -1 is not valid: subscript indices must be real positive integers or logicals.");
    // Scalar positions that the inline path must not truncate or accept.
    EXPECT_EQ(error_of([&] { array_ref2(q, Value(1.5), Value(1.0)); }).substr(0, 21), "Index 1.5 is not vali");
    EXPECT_EQ(error_of([&] { array_ref2(q, Value(1.0), Value(std::nan(""))); }).substr(0, 9), "Index NaN");
    EXPECT_EQ(error_of([&] { array_assign2(q, 2.5, 1.0, 1.0); }).substr(0, 21), "Index 2.5 is not vali");
    // A 1-by-1 or a logical table keeps its class through the checked path.
    EXPECT_EQ(array_ref2(Value(7.0), Value(1.0), Value(1.0))[0], 7.0);
    EXPECT_TRUE(array_ref2(lt(q, Value(1.0)), Value(2.0), Value(2.0)).is_logical());
    EXPECT_EQ(error_of([&] { array_ref1(q, Value(0.0)); }).substr(0, 19), "Index 0 is not vali");
    EXPECT_EQ(error_of([&] { array_ref1(q, Value(1.5)); }).substr(0, 21), "Index 1.5 is not vali");
    EXPECT_EQ(error_of([&] { array_ref1(q, Value(std::nan(""))); }).substr(0, 9), "Index NaN");
    EXPECT_NE(error_of([&] { array_ref1(q, Value::cell(1, 1)); }), "");
    EXPECT_NE(error_of([&] { array_ref1(Value(), Value(1.0)); }), "");
    EXPECT_NE(error_of([&] { array_ref1(Value::empty(), 1.0); }), "");

    Value s = Value::structure();
    EXPECT_TRUE(array_ref1(s, Value(1.0)).is_struct());
    EXPECT_NE(error_of([&] { array_ref1(s, Value(2.0)); }), "");
}

TEST(ArrayAssign, GrowthAlongRowsColumnsAndFromEmpty) {
    Value figs = Value::empty();
    array_assign1(figs, Value(1.0), Value(7.0));
    array_assign1(figs, Value(2.0), Value(8.0));
    array_assign1(figs, Value(5.0), Value(9.0));
    EXPECT_TRUE(isequal(figs, Value::row({7, 8, 0, 0, 9})));
    // Past the size kept in small blocks; the copy taken before keeps its four.
    Value r = Value::row({1, 2, 3, 4});
    const Value before = r;
    array_assign1(r, Value(6.0), Value(6.0));
    EXPECT_TRUE(isequal(r, Value::row({1, 2, 3, 4, 0, 6})));
    EXPECT_TRUE(isequal(before, Value::row({1, 2, 3, 4})));

    Value col = Value::column({1, 2});
    array_assign1(col, Value(4.0), Value(4.0));
    EXPECT_EQ(display_text(col), "[1; 2; 0; 4]");

    Value nothing;  // a variable never assigned
    array_assign1(nothing, Value(3.0), Value::string("x"));
    EXPECT_TRUE(nothing.is_char() && isequal(nothing, Value::row({0, 0, 'x'})));

    // Elements 3 and 4 of a position take a pair.
    Value pos = Value::row({10, 20});
    array_assign1(pos, colon(3, 4), Value::row({300, 400}));
    EXPECT_TRUE(isequal(pos, Value::row({10, 20, 300, 400})));

    Value m = Value::from_rows(2, 2, {1, 2, 3, 4});
    EXPECT_NE(error_of([&] { array_assign1(m, Value(5.0), Value(1.0)); }).find("Index 5"), npos);
    array_assign2(m, Value(3.0), Value(3.0), Value(9.0));
    EXPECT_EQ(display_text(m), "[1 2 0; 3 4 0; 0 0 9]");

    Value cells = Value::cell(0, 0);
    array_assign1(cells, Value(2.0), Value::cell_row({Value::string("a")}));
    EXPECT_EQ(display_text(cells), "{[] 'a'}");
}

TEST(ArrayAssign, ClassesAliasingAndErrors) {
    Value flags = lt(Value::row({1, 5}), Value(3.0));
    array_assign1(flags, Value(2.0), Value(0.5));
    EXPECT_TRUE(flags.is_double() && isequal(flags, Value::row({1, 0.5})));
    Value text = Value::string("abc");
    array_assign1(text, Value(2.0), Value(65.0));
    EXPECT_EQ(display_text(text), "'aAc'");

    // The right-hand side may be the target itself.
    Value self = Value(4.0);
    array_assign1(self, Value(3.0), self);
    EXPECT_TRUE(isequal(self, Value::row({4, 0, 4})));
    Value twice = Value::row({1, 2});
    array_assign1(twice, colon(3, 4), twice);
    EXPECT_TRUE(isequal(twice, Value::row({1, 2, 1, 2})));

    Value v = Value::row({1, 2, 3});
    EXPECT_EQ(error_of([&] {
                  array_assign1(v, colon(1, 2), Value::row({1, 2, 3}));
              }),
              "In an assignment A(I) = B, the number of elements in B and I must be the same.");
    EXPECT_NE(error_of([&] { array_assign1(v, Value(0.0), Value(1.0)); }).find("Index 0 is not valid"), npos);
    EXPECT_NE(error_of([&] { array_assign1(v, Value(1e10), Value(1.0)); }).find("maximum array size"), npos);
    EXPECT_NE(error_of([&] { array_assign2(v, 1e5, 1e5, 1.0); }).find("maximum array size"), npos);
    EXPECT_NE(error_of([&] { array_assign1(v, Value(1.0), Value::cell(1, 1)); }), "");
    Value c = Value::cell(1, 2);
    EXPECT_NE(error_of([&] { array_assign1(c, Value(1.0), Value(1.0)); }), "");
    EXPECT_TRUE(isequal(v, Value::row({1, 2, 3})));  // failed assignments change nothing

    Value q = zeros(162, 2);
    EXPECT_EQ(error_of([&] { array_assign2(q, 1.0, 0.0, 1.0); }),
              "Index 0 is not valid: subscript indices must be real positive integers or logicals.");
}

}  // namespace
}  // namespace rt
