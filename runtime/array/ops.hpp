#pragma once
// Numeric operations on rt::Value: arithmetic, comparison, logic, shape,
// construction and 1-based indexing. Element-wise operations take two arrays
// of the same size or a scalar and an array; the elements of logical and
// character values take part as numbers and the result is double (arithmetic)
// or logical (comparisons and logic).
//
// The operations of the learning run's inner loop have an inline fast path for
// two double scalars, so that they never allocate.

#include <cmath>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <vector>

#include "runtime/array/value.hpp"

namespace rt {

namespace detail {
Value plus_general(const Value& a, const Value& b);
Value minus_general(const Value& a, const Value& b);
Value mtimes_general(const Value& a, const Value& b);
Value mrdivide_general(const Value& a, const Value& b);
bool compare_bool_general(int op, const Value& a, const Value& b);
double mpower_general(double x, double e) noexcept;
// The 0-based offset of a whole 1-based position within `bound` (NaN and
// fractions are not): true with `offset` set, or false. The truncation is
// the processor's, defined for every double (NaN and anything out of range
// give the lowest 64-bit number, which no bound admits), so the test is one
// conversion each way and one unsigned comparison.
// A position known when compiling (a constant column) takes the portable
// test, which the compiler folds; the processor's conversion it does not.
RT_INLINE bool offset_within(double index, std::size_t bound, std::size_t& offset) noexcept {
    std::int64_t whole;
#if defined(__SSE2__)
    if (!__builtin_constant_p(index)) {
        whole = _mm_cvttsd_si64(_mm_set_sd(index));
    } else
#endif
    {
        if (!(index >= 1 && index <= static_cast<double>(kMaxElements))) return false;
        whole = static_cast<std::int64_t>(index);
    }
    offset = static_cast<std::size_t>(whole) - 1;
    return offset < bound && static_cast<double>(whole) == index;
}
Value array_ref2_general(const Value& a, const Value& row, const Value& col);
Value mpower_general(const Value& a, const Value& b);
Value uminus_general(const Value& a);
Value sin_general(const Value& a);
Value cos_general(const Value& a);
// Both operands doubles held inline: two comparisons, each of which the
// compiler drops for a value it has just built.
RT_INLINE bool both_double_scalars(const Value& a, const Value& b) noexcept {
    return a.is_double_scalar() && b.is_double_scalar();
}
// Comparison codes shared by the element-wise and the truth-value forms.
enum CompareOp { kLt, kGt, kLe, kGe, kEq, kNe };

// The general cases as the inline fast paths call them: operands and result
// as words (Value::Raw), cold so that the fast path is laid out straight.
using Raw = Value::Raw;
[[gnu::cold]] Raw plus_raw(Raw a, Raw b);
[[gnu::cold]] Raw minus_raw(Raw a, Raw b);
[[gnu::cold]] Raw mtimes_raw(Raw a, Raw b);
[[gnu::cold]] Raw mrdivide_raw(Raw a, Raw b);
[[gnu::cold]] Raw mpower_raw(Raw a, Raw b);
[[gnu::cold]] Raw uminus_raw(Raw a);
[[gnu::cold]] Raw sin_raw(Raw a);
[[gnu::cold]] Raw cos_raw(Raw a);
[[gnu::cold]] bool compare_bool_raw(int op, Raw a, Raw b);
// The table, too, goes by its words: a body whose table is a local keeps
// it out of memory. An assignment's general case builds the new value
// apart, sharing the old one, which the caller lets go of only once it has
// the new one: a failed assignment leaves the table as it was.
[[gnu::cold]] Raw array_ref2_raw(Raw a, Raw row, Raw col);
[[gnu::cold]] double array_ref2_checked(Raw a, double row, double col);
[[gnu::cold]] Raw array_assign2_raw(Raw a, Raw row, Raw col, Raw rhs);
[[gnu::cold]] Raw array_assign2_raw(Raw a, double row, double col, double rhs);

}  // namespace detail

// ---- arithmetic ----
// Each fast path returns from its own branch; the general case is a cold
// call that takes and gives words (Value::Raw), so it leaves no temporary
// of its own in the caller.
RT_INLINE Value plus(const Value& a, const Value& b) {
    if (detail::both_double_scalars(a, b)) [[likely]]
        return Value(a.inline_number() + b.inline_number());
    return Value::adopt(detail::plus_raw(a.raw(), b.raw()));
}
RT_INLINE Value minus(const Value& a, const Value& b) {
    if (detail::both_double_scalars(a, b)) [[likely]]
        return Value(a.inline_number() - b.inline_number());
    return Value::adopt(detail::minus_raw(a.raw(), b.raw()));
}
// Matrix product; a scalar times an array multiplies element by element.
RT_INLINE Value mtimes(const Value& a, const Value& b) {
    if (detail::both_double_scalars(a, b)) [[likely]]
        return Value(a.inline_number() * b.inline_number());
    return Value::adopt(detail::mtimes_raw(a.raw(), b.raw()));
}
// Division by a scalar (element by element); any other divisor is refused.
RT_INLINE Value mrdivide(const Value& a, const Value& b) {
    if (detail::both_double_scalars(a, b)) [[likely]]
        return Value(a.inline_number() / b.inline_number());
    return Value::adopt(detail::mrdivide_raw(a.raw(), b.raw()));
}
// Scalar power. A whole exponent is repeated multiplication, so a square is
// exactly x*x; other exponents use std::pow. A square matrix may be raised to
// a whole power (repeated matrix products); anything else is refused.
RT_INLINE double mpower(double x, double e) noexcept {
    // The square, the power of every step, without leaving the caller.
    return e == 2.0 ? x * x : detail::mpower_general(x, e);
}
RT_INLINE Value mpower(const Value& a, const Value& b) {
    if (detail::both_double_scalars(a, b)) [[likely]]
        return Value(mpower(a.inline_number(), b.inline_number()));
    return Value::adopt(detail::mpower_raw(a.raw(), b.raw()));
}
Value times(const Value& a, const Value& b);
Value rdivide(const Value& a, const Value& b);
RT_INLINE Value uminus(const Value& a) {
    if (a.is_double_scalar()) [[likely]]
        return Value(-a.inline_number());
    return Value::adopt(detail::uminus_raw(a.raw()));
}
RT_INLINE Value sin(const Value& a) {
    if (a.is_double_scalar()) [[likely]]
        return Value(std::sin(a.inline_number()));
    return Value::adopt(detail::sin_raw(a.raw()));
}
RT_INLINE Value cos(const Value& a) {
    if (a.is_double_scalar()) [[likely]]
        return Value(std::cos(a.inline_number()));
    return Value::adopt(detail::cos_raw(a.raw()));
}
Value fix(const Value& a);
Value abs(const Value& a);

// ---- comparison and logic (element-wise, logical result) ----
Value lt(const Value& a, const Value& b);
Value gt(const Value& a, const Value& b);
Value le(const Value& a, const Value& b);
Value ge(const Value& a, const Value& b);
Value eq(const Value& a, const Value& b);
Value ne(const Value& a, const Value& b);
Value and_(const Value& a, const Value& b);
Value or_(const Value& a, const Value& b);
Value not_(const Value& a);

// Truth of a condition: true only for a non-empty value whose elements are
// all non-zero.
bool tobool(const Value& v);
#define RT_COMPARE_BOOL(name, op, code)                                  \
    RT_INLINE bool name(const Value& a, const Value& b) {                \
        if (detail::both_double_scalars(a, b)) [[likely]]                \
            return a.inline_number() op b.inline_number();               \
        return detail::compare_bool_raw(detail::code, a.raw(), b.raw()); \
    }
RT_COMPARE_BOOL(lt_bool, <, kLt)
RT_COMPARE_BOOL(gt_bool, >, kGt)
RT_COMPARE_BOOL(le_bool, <=, kLe)
RT_COMPARE_BOOL(ge_bool, >=, kGe)
RT_COMPARE_BOOL(eq_bool, ==, kEq)
RT_COMPARE_BOOL(ne_bool, !=, kNe)
#undef RT_COMPARE_BOOL
inline bool not_bool(const Value& a) { return !tobool(a); }

// Same class family, same size, same elements (numbers compare with
// characters by code; cells and structures compare member by member).
bool isequal(const Value& a, const Value& b);

// ---- reductions (over a vector, or column by column of a matrix) ----
Value min(const Value& a);
Value max(const Value& a);
Value min(const Value& a, const Value& b);  // element-wise
Value max(const Value& a, const Value& b);  // element-wise
Value prod(const Value& a);
Value sum(const Value& a);
Value all(const Value& a);
Value any(const Value& a);

// ---- shape and construction ----
Value zeros(double rows, double cols);
Value ones(double rows, double cols);
Value colon(double first, double last);
Value colon(double first, double step, double last);
Value horzcat(const std::vector<Value>& parts);
Value horzcat(const Value& a, const Value& b);
Value vertcat(const std::vector<Value>& parts);
Value ctranspose(const Value& a);
// [rows cols] as a 1-by-2 double row.
Value size(const Value& a);
// Size along one dimension (1 or 2; higher dimensions are 1).
double size(const Value& a, double dim);
// Largest dimension, 0 for an empty value.
double length_int(const Value& a);
bool isempty(const Value& a);
// X(j, k) = x(k), Y(j, k) = y(j).
void meshgrid(const Value& x, const Value& y, Value& X, Value& Y);

// ---- 1-based indexing ----
// Every index is checked: a position that is not a whole number from 1 up
// raises "Index -1 is not valid: ...", one past the end raises
// "Index 163 exceeds matrix dimensions (162).".
//
// Linear indexing with a numeric index array or a logical mask. With numbers
// the result has the shape of the index, except that a vector indexed by a
// vector keeps the vector's orientation; with a mask the result is a row when
// `a` is a row and a column otherwise. A structure is 1-by-1: s(1) is s.
Value array_ref1(const Value& a, const Value& index);
double array_ref1(const Value& a, double index);
// The element at (row, col) of a double matrix in storage, when both are
// whole and inside it, decided inline; every other case (another class, a
// 1-by-1 value, a fraction, NaN, a position outside) takes the checked path.
RT_INLINE double array_ref2(const Value& a, double row, double col) {
    if (a.is_stored_double()) {
        const std::size_t rows = a.stored_rows();
        std::size_t r = 0, c = 0;
        if (detail::offset_within(row, rows, r) && detail::offset_within(col, a.stored_cols(), c)) [[likely]]
            return a.stored_data()[c * rows + r];
    }
    return detail::array_ref2_checked(a.raw(), row, col);
}
RT_INLINE Value array_ref2(const Value& a, const Value& row, const Value& col) {
    if (detail::both_double_scalars(row, col) && a.is_stored_double()) [[likely]]
        return Value(array_ref2(a, row.inline_number(), col.inline_number()));
    return Value::adopt(detail::array_ref2_raw(a.raw(), row.raw(), col.raw()));
}
// Assignment. B is one element (put everywhere) or as many as the index
// names. Past its end a row grows as a row, a column as a column, an empty
// value (or one that holds nothing) as a row; a 2-D assignment grows the
// matrix to fit. A matrix cannot grow by one linear index. Growth fills with
// zeros (cells with []); beyond kMaxElements it raises instead. An empty
// target takes the class of what is put into it; a logical target receiving
// numbers becomes double; a text receives numbers as character codes.
void array_assign1(Value& a, const Value& index, const Value& rhs);
RT_INLINE void array_assign2(Value& a, double row, double col, double rhs) {
    if (a.is_stored_double()) {
        const std::size_t rows = a.stored_rows();
        std::size_t r = 0, c = 0;
        double* data = a.sole_data();
        if (data && detail::offset_within(row, rows, r) && detail::offset_within(col, a.stored_cols(), c)) [[likely]] {
            data[c * rows + r] = rhs;
            return;
        }
    }
    // Growth, another class, a shared table or a bad position.
    a = Value::adopt(detail::array_assign2_raw(a.raw(), row, col, rhs));
}
RT_INLINE void array_assign2(Value& a, const Value& row, const Value& col, const Value& rhs) {
    if (detail::both_double_scalars(row, col) && rhs.is_double_scalar()) [[likely]] {
        array_assign2(a, row.inline_number(), col.inline_number(), rhs.inline_number());
        return;
    }
    a = Value::adopt(detail::array_assign2_raw(a.raw(), row.raw(), col.raw(), rhs.raw()));
}

// A whole, positive index checked against a bound; raises the runtime's
// indexing error naming the index otherwise.
std::size_t checked_index(double index, std::size_t bound);

}  // namespace rt
