// Array values: copies and storage, indexing and assignment, arithmetic,
// comparison and shape, texts, structures and their display.
#include "runtime/array/cellstruct.hpp"
#include "runtime/array/display.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/array/text.hpp"
#include "runtime/array/value.hpp"
#include "tests/error_text.hpp"

namespace rt {
namespace {

TEST(Value, CopiesAreIndependentAfterAWrite) {
    Value a = Value::row({1, 2, 3});
    Value b = a;
    array_assign1(b, Value(2.0), Value(20.0));
    EXPECT_EQ(display_text(horzcat(a, b)), "[1 2 3 1 20 3]");
    Value q = zeros(162, 2);  // the table's own path: two subscripts, one number
    const Value snapshot = q;
    array_assign2(q, 5.0, 2.0, 0.25);
    EXPECT_EQ(array_ref2(snapshot, 5.0, 2.0), 0);

    Value t = Value::string("ab");
    Value u = t;
    u.mutable_data()[0] = 'x';
    EXPECT_EQ(display_text(vertcat({t, u})), "['ab'; 'xb']");

    Value c = Value::cell_row({Value(1.0), Value::string("x")});
    Value d = c;
    d.mutable_cell_at(0) = Value(9.0);
    EXPECT_EQ(c.cell_at(0)[0], 1);

    Value s = Value::structure();
    s.set_field("a", Value(1.0));
    Value st = s;
    st.set_field("a", Value(2.0));
    st.set_field("b", Value(3.0));
    EXPECT_TRUE(s.field("a")[0] == 1 && !s.has_field("b"));
    // A structure stored inside itself holds the old contents, not a loop.
    s.set_field("self", s);
    EXPECT_FALSE(s.field("self").has_field("self"));
}

TEST(Value, TextRoundTripsThroughSixteenBitCodes) {
    EXPECT_EQ(Value::string("").rows(), 0u);
    Value t = Value::string("a\xC3\xA9\xE2\x82\xAC");  // a, e-acute, euro sign
    EXPECT_TRUE(isequal(t, Value::row({'a', 0xE9, 0x20AC})));
    EXPECT_EQ(t.text(), "a\xC3\xA9\xE2\x82\xAC");
    Value emoji = Value::string("\xF0\x9F\x98\x80");
    ASSERT_EQ(emoji.numel(), 2u);  // a surrogate pair
    EXPECT_EQ(emoji.text(), "\xF0\x9F\x98\x80");
    // A truncated sequence is taken byte by byte rather than read past the end.
    EXPECT_EQ(Value::string("x\xE2\x82").numel(), 3u);
}

TEST(Value, HugeSizesRaiseInsteadOfAllocating) {
    EXPECT_NE(error_of([] { zeros(1e6, 1e6); }).find("maximum array size"), std::string::npos);
    EXPECT_THROW(zeros(1e300, 1), Error);
    EXPECT_THROW(Value::cell(1u << 20, 1u << 20), Error);
    EXPECT_THROW(colon(1, 1e12), Error);
    EXPECT_THROW(make_numeric(ClassId::Double, SIZE_MAX / 2, 4), Error);
    EXPECT_EQ(zeros(-3, 2).numel(), 0u);
    EXPECT_THROW(zeros(std::nan(""), 1), Error);
}

// Small blocks go back to a free list and come out again for the next small
// array: a recycled block must never still be seen through an older value,
// whatever the order of copies, moves, self-assignments and releases.
TEST(Value, RecycledStorageIsNeverShared) {
    const auto three = [](double i) { return Value::row({i, i + 1, i + 2}); };
    std::vector<Value> kept;
    for (int i = 0; i < 64; ++i) {
        Value r = three(i);
        Value copy = r;  // shares the block
        kept.push_back(copy);
        r = Value::row({-1, -1});  // r lets go; kept still holds its block
        Value moved = std::move(copy);
        Value& alias = moved;
        moved = alias;             // self-assignment keeps the block
        moved = std::move(alias);  // and so does self-move
        EXPECT_TRUE(isequal(moved, three(i)));
    }
    // Blocks freed in between were reused for new rows: the kept ones are intact.
    for (int i = 0; i < 64; ++i) EXPECT_TRUE(isequal(kept[static_cast<std::size_t>(i)], three(i)));

    // Assigning a value from inside itself (a cell's own member, a field)
    // releases the container only after taking the member.
    Value c = Value::cell_row({Value::row({7, 8}), Value(1.0)});
    c = c.cell_at(0);
    EXPECT_TRUE(isequal(c, Value::row({7, 8})));
    Value s = Value::structure();
    s.set_field("inner", Value::row({1, 2, 3}));
    s = s.field("inner");
    EXPECT_TRUE(isequal(s, Value::row({1, 2, 3})));
}

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
    // A 2-D assignment that fails after the target would have changed class
    // (logical to double, unassigned to []) leaves it as it was.
    Value mask = lt(Value::row({1, 5}), Value(3.0));
    EXPECT_NE(error_of([&] { array_assign2(mask, Value(1.0), Value(0.5), Value(2.0)); }), "");
    EXPECT_TRUE(mask.is_logical() && isequal(mask, Value::row({1, 0})));
    Value nothing;
    EXPECT_NE(error_of([&] { array_assign2(nothing, 0.0, 1.0, 2.0); }), "");
    EXPECT_TRUE(nothing.is_unassigned());
    // A table shared with another value, written in place or grown, is
    // copied first; the other value keeps the old elements.
    Value table = zeros(2, 2);
    const Value kept = table;
    array_assign2(table, 2.0, 2.0, 5.0);
    array_assign2(table, Value(3.0), Value(1.0), Value(6.0));
    EXPECT_TRUE(isequal(kept, zeros(2, 2)));
    EXPECT_EQ(display_text(table), "[0 0; 0 5; 6 0]");
}

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

TEST(Num2str, OneNumberFollowsTheSignificantDigitsRule) {
    std::string texts;
    for (double x : {3.0, -1.0, 100000.0, -0.0, 0.5, M_PI, 123.456, 0.001, 0.999, 1.0 / 3.0, -2.5, 12345.678, 1e-7,
                     1e20, 123456789012.0, std::nan(""), HUGE_VAL, -HUGE_VAL})
        texts += num2str(x) + " ";
    EXPECT_EQ(
        texts,
        "3 -1 100000 0 0.5 3.1416 123.456 0.001 0.999 0.33333 -2.5 12345.678 1e-07 1e+20 123456789012 NaN Inf -Inf ");
}

TEST(Num2str, ArraysTextsAndLogicals) {
    EXPECT_EQ(num2str(Value(0.5)).text(), "0.5");
    EXPECT_EQ(num2str(Value::row({1, 2.5, -3})).text(), "1  2.5  -3");
    EXPECT_EQ(num2str(Value::logical(true)).text(), "1");
    EXPECT_EQ(num2str(S("Trials")).text(), "Trials");
    Value e = num2str(Value::empty());
    EXPECT_TRUE(e.is_char() && e.is_empty());
    // A matrix gives one line per row, columns right-aligned.
    EXPECT_EQ(display_text(num2str(Value::from_rows(2, 2, {1, 200, 30, 4}))), "[' 1  200'; '30    4']");
    EXPECT_THROW(num2str(Value::cell(1, 1)), Error);
    EXPECT_THROW(num2str(Value::structure()), Error);
}

TEST(Strcmp, ComparesExactlyAndElementWiseWithCells) {
    // Numbers are not texts.
    const std::tuple<Value, Value, bool> cases[] = {{S("on"), S("on"), true},
                                                    {S("on"), S("On"), false},
                                                    {S("on"), S("on "), false},
                                                    {Value(1.0), Value(1.0), false},
                                                    {S("a"), Value(97.0), false},
                                                    {S(""), make_numeric(ClassId::Char, 1, 0), true}};
    for (const auto& [a, b, same] : cases) EXPECT_EQ(strcmp_bool(a, b), same) << display_text(a) << display_text(b);

    Value words = Value::cell_column({S("break"), S("case"), S("end")});
    Value hits = strcmp(S("end"), words);
    EXPECT_TRUE(hits.is_logical() && isequal(hits, Value::column({0, 0, 1})));
    EXPECT_FALSE(tobool(any(strcmp(S("End"), words))));
    EXPECT_TRUE(tobool(any(strcmp(words, S("case")))));
    EXPECT_TRUE(
        isequal(strcmp(Value::cell_row({S("a"), S("b")}), Value::cell_row({S("a"), S("c")})), Value::row({1, 0})));
    EXPECT_THROW(strcmp(Value::cell(1, 2), Value::cell(1, 3)), Error);
}

TEST(Strmatch, PrefixAndExactOverCellsAndCharacterRows) {
    Value positions = Value::cell_column({S("north"), S("south"), S("northeast"), S("onscreen")});
    EXPECT_TRUE(isequal(strmatch(S("north"), positions, true), Value(1.0)));
    EXPECT_TRUE(isequal(strmatch(S("north"), positions, false), Value::column({1, 3})));
    EXPECT_TRUE(isempty(strmatch(S("North"), positions, true)));
    EXPECT_TRUE(isempty(strmatch(S("nor"), positions, true)));

    EXPECT_THROW(strmatch(Value(3.0), positions, true), Error);
    EXPECT_THROW(strmatch(S("a"), Value(1.0), true), Error);
}

TEST(Case, LowerUpperAndIsletterTouchOnlyLetters) {
    EXPECT_EQ(lower(S("AutoSelect 2_X")).text(), "autoselect 2_x");
    EXPECT_EQ(upper(S("on-Off")).text(), "ON-OFF");
    EXPECT_EQ(lower(S("\xC3\x84")).text(), "\xC3\xA4");  // Latin-1 A with diaeresis
    const Value n = lower(Value(65.0));
    EXPECT_TRUE(n.is_double() && n[0] == 65);
    EXPECT_TRUE(isempty(lower(Value::empty())));
    EXPECT_EQ(lower(Value::cell_row({S("AB"), Value(1.0)})).cell_at(0).text(), "ab");
    Value orig = S("ABC");
    EXPECT_EQ(lower(orig).text(), "abc");
    EXPECT_EQ(orig.text(), "ABC");  // the original is untouched

    Value t = isletter(S("aZ_0 \xC3\xA9"));
    EXPECT_TRUE(t.is_logical() && isequal(t, Value::row({1, 1, 0, 0, 0, 1})));
    EXPECT_TRUE(isequal(isletter(Value::row({65, 97})), Value::row({0, 0})));
    EXPECT_FALSE(tobool(isletter(Value::cell(1, 1))));
    EXPECT_TRUE(isletter(S("")).is_empty());
}

TEST(Display, EveryKindOfValueOnOneLine) {
    const Value s = setfield(setfield(Value::empty(), S("a"), Value(1.0)), S("b"), S("x"));
    const std::pair<Value, const char*> cases[] = {{Value(0.5), "0.5"},
                                                   {Value(86.0), "86"},
                                                   {Value::logical(true), "1"},
                                                   {Value::row({1, 2, 3}), "[1 2 3]"},
                                                   {Value::column({1, 2}), "[1; 2]"},
                                                   {Value::from_rows(2, 2, {1, 2, 3, 4}), "[1 2; 3 4]"},
                                                   {Value::row({3.14159265, -0.25}), "[3.1416 -0.25]"},
                                                   {Value::empty(), "[]"},
                                                   {make_numeric(ClassId::Double, 1, 0), "[]"},
                                                   {lt(Value::row({1, 5}), Value(3.0)), "[1 0]"},
                                                   {S("AutoSelect"), "'AutoSelect'"},
                                                   {S(""), "''"},
                                                   {S("it's"), "'it''s'"},
                                                   {vertcat({S("ab"), S("cd")}), "['ab'; 'cd']"},
                                                   {Value::cell_column({S("break"), S("case"), S("catch")}),
                                                    "{'break'; 'case'; 'catch'}"},
                                                   {Value::cell_row({S("a"), Value(2.0), Value::row({1, 2})}),
                                                    "{'a' 2 [1 2]}"},
                                                   {Value::cell(0, 0), "{}"},
                                                   {s, "struct with fields: a, b"},
                                                   {Value::structure(), "struct with no fields"},
                                                   {Value(), "<unassigned>"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(display_text(value), text);
    EXPECT_EQ(display_line("ALPHA", Value(0.5)), "ALPHA = 0.5");
}

TEST(Fields, SetfieldBuildsFromEmptyKeepsOrderAndLeavesTheOriginalAlone) {
    EXPECT_FALSE(isfield(Value::empty(), S("a")));
    EXPECT_FALSE(isfield(Value(1.0), S("a")));
    Value s = setfield(Value::empty(), S("figure1"), Value(1.0));
    ASSERT_TRUE(s.is_struct());
    s = setfield(s, S("alpha_sl"), Value(2.5));
    const Value two = s;
    s = setfield(s, S("beta_sl"), Value(3.5));
    EXPECT_TRUE(isfield(s, S("alpha_sl")));
    EXPECT_FALSE(isfield(s, S("Alpha_sl")));
    EXPECT_FALSE(isfield(s, Value(1.0)));

    // Replacing a field keeps its place; the value it was set on is unchanged.
    const Value before = s;
    s = setfield(s, S("figure1"), horzcat(getfield(s, S("figure1")), Value(7.0)));
    EXPECT_TRUE(isequal(fieldnames(s), Value::cell_column({S("figure1"), S("alpha_sl"), S("beta_sl")})));
    EXPECT_TRUE(isequal(getfield(s, S("figure1")), Value::row({1, 7})));
    EXPECT_EQ(getfield(before, S("figure1"))[0], 1);
    EXPECT_FALSE(isfield(two, S("beta_sl")));

    EXPECT_TRUE(isequal(size(fieldnames(Value::structure())), Value::row({0, 1})));
}

TEST(Fields, ErrorsNameTheFieldOrTheProblem) {
    Value s = setfield(Value::empty(), S("a"), Value(1.0));
    EXPECT_EQ(error_of([&] { getfield(s, S("missing")); }), "Reference to non-existent field 'missing'.");
    EXPECT_THROW(getfield(Value(1.0), S("a")), Error);
    for (const char* bad : {"1abc", "has blank", ""}) EXPECT_THROW(setfield(s, S(bad), Value(1.0)), Error) << bad;
    EXPECT_THROW(setfield(s, Value(1.0), Value(1.0)), Error);
    EXPECT_THROW(setfield(Value(3.0), S("a"), Value(1.0)), Error);
    EXPECT_THROW(fieldnames(Value::cell(1, 1)), Error);
    EXPECT_TRUE(is_valid_field_name("A_1"));
    EXPECT_FALSE(is_valid_field_name("_a"));
    EXPECT_FALSE(is_valid_field_name(std::string(64, 'a')));
}

}  // namespace
}  // namespace rt
