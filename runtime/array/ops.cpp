#include "runtime/array/ops.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "runtime/array/deadline.hpp"
#include "runtime/array/error.hpp"
#include "runtime/array/text.hpp"

namespace rt {

namespace {

void require_numeric(const Value& v) {
    if (v.is_numeric_like()) return;
    if (v.is_absent() || v.is_unassigned()) raise("Use of a value that holds nothing.");
    raise(std::string("Undefined operation for a value of class ") + class_name(v.class_id()) + ".");
}

std::string fmt_index(double d) {
    if (std::isnan(d)) return "NaN";
    if (std::isinf(d)) return d > 0 ? "Inf" : "-Inf";
    if (d == std::floor(d) && std::fabs(d) < 1e15) return std::to_string(static_cast<long long>(d));
    char buf[64];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 6).ptr);
}

// Element-wise combination with scalar expansion.
template <typename F>
Value elementwise(const Value& a, const Value& b, ClassId out, F f) {
    require_numeric(a);
    require_numeric(b);
    const std::size_t na = a.numel(), nb = b.numel();
    if (na == 1 && nb == 1) {
        Value r = make_numeric(out, 1, 1);
        r.mutable_data()[0] = f(a[0], b[0]);
        return r;
    }
    if (na == 1) {
        Value r = make_numeric(out, b.rows(), b.cols());
        double* d = r.mutable_data();
        const double x = a[0];
        for (std::size_t i = 0; i < nb; ++i) d[i] = f(x, b[i]);
        return r;
    }
    if (nb == 1) {
        Value r = make_numeric(out, a.rows(), a.cols());
        double* d = r.mutable_data();
        const double y = b[0];
        for (std::size_t i = 0; i < na; ++i) d[i] = f(a[i], y);
        return r;
    }
    if (a.rows() != b.rows() || a.cols() != b.cols()) raise("Matrix dimensions must agree.");
    Value r = make_numeric(out, a.rows(), a.cols());
    double* d = r.mutable_data();
    for (std::size_t i = 0; i < na; ++i) d[i] = f(a[i], b[i]);
    return r;
}

template <typename F>
Value unary(const Value& a, ClassId out, F f) {
    require_numeric(a);
    Value r = make_numeric(out, a.rows(), a.cols());
    double* d = r.mutable_data();
    for (std::size_t i = 0, n = a.numel(); i < n; ++i) d[i] = f(a[i]);
    return r;
}

template <typename F>
Value reduce(const Value& a, ClassId out, double init, F f) {
    require_numeric(a);
    const bool vector = a.rows() == 1 || a.cols() == 1;
    if (vector || a.is_empty()) {
        if (a.is_empty() && !(a.rows() == 0 && a.cols() == 0) && !vector) {
            // An r-by-0 or 0-by-c matrix reduces column by column.
        } else {
            double acc = init;
            for (std::size_t i = 0, n = a.numel(); i < n; ++i) acc = f(acc, a[i]);
            Value r = make_numeric(out, 1, 1);
            r.mutable_data()[0] = acc;
            return r;
        }
    }
    Value r = make_numeric(out, 1, a.cols());
    double* d = r.mutable_data();
    for (std::size_t c = 0; c < a.cols(); ++c) {
        double acc = init;
        for (std::size_t k = 0; k < a.rows(); ++k) acc = f(acc, a[c * a.rows() + k]);
        d[c] = acc;
    }
    return r;
}

// min/max of a vector or per column; NaN is skipped unless all are NaN.
Value extreme(const Value& a, bool want_max) {
    require_numeric(a);
    if (a.is_empty()) return Value::empty();
    auto pick = [&](const double* p, std::size_t n, std::size_t stride) {
        double best = std::numeric_limits<double>::quiet_NaN();
        for (std::size_t i = 0; i < n; ++i) {
            double x = p[i * stride];
            if (std::isnan(x)) continue;
            if (std::isnan(best) || (want_max ? x > best : x < best)) best = x;
        }
        return best;
    };
    ClassId out = a.is_logical() || a.is_char() ? ClassId::Double : a.class_id();
    if (a.rows() == 1 || a.cols() == 1) {
        Value r = make_numeric(out, 1, 1);
        r.mutable_data()[0] = pick(a.data(), a.numel(), 1);
        return r;
    }
    Value r = make_numeric(out, 1, a.cols());
    for (std::size_t c = 0; c < a.cols(); ++c) r.mutable_data()[c] = pick(a.data() + c * a.rows(), a.rows(), 1);
    return r;
}

double pair_extreme(double x, double y, bool want_max) {
    if (std::isnan(x)) return y;
    if (std::isnan(y)) return x;
    return want_max ? (x > y ? x : y) : (x < y ? x : y);
}

Value compare(int op, const Value& a, const Value& b) {
    switch (op) {
        case detail::kLt:
            return elementwise(a, b, ClassId::Logical, [](double x, double y) { return x < y ? 1.0 : 0.0; });
        case detail::kGt:
            return elementwise(a, b, ClassId::Logical, [](double x, double y) { return x > y ? 1.0 : 0.0; });
        case detail::kLe:
            return elementwise(a, b, ClassId::Logical, [](double x, double y) { return x <= y ? 1.0 : 0.0; });
        case detail::kGe:
            return elementwise(a, b, ClassId::Logical, [](double x, double y) { return x >= y ? 1.0 : 0.0; });
        case detail::kEq:
            return elementwise(a, b, ClassId::Logical, [](double x, double y) { return x == y ? 1.0 : 0.0; });
        default: return elementwise(a, b, ClassId::Logical, [](double x, double y) { return x != y ? 1.0 : 0.0; });
    }
}

}  // namespace

namespace detail {
Value plus_general(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Double, [](double x, double y) { return x + y; });
}
Value minus_general(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Double, [](double x, double y) { return x - y; });
}
Value mtimes_general(const Value& a, const Value& b) {
    require_numeric(a);
    require_numeric(b);
    if (a.numel() == 1 || b.numel() == 1)
        return elementwise(a, b, ClassId::Double, [](double x, double y) { return x * y; });
    if (a.cols() != b.rows()) raise("Inner matrix dimensions must agree.");
    Value r = make_numeric(ClassId::Double, a.rows(), b.cols());
    double* d = r.mutable_data();
    for (std::size_t i = 0; i < a.rows(); ++i) {
        check_deadline();
        for (std::size_t j = 0; j < b.cols(); ++j) {
            double acc = 0;
            for (std::size_t k = 0; k < a.cols(); ++k) acc += a[k * a.rows() + i] * b[j * b.rows() + k];
            d[j * a.rows() + i] = acc;
        }
    }
    return r;
}
Value mrdivide_general(const Value& a, const Value& b) {
    require_numeric(a);
    require_numeric(b);
    if (b.numel() != 1) raise("Division is supported only by a scalar.");
    return elementwise(a, b, ClassId::Double, [](double x, double y) { return x / y; });
}
bool compare_bool_general(int op, const Value& a, const Value& b) { return tobool(compare(op, a, b)); }
}  // namespace detail

double detail::mpower_general(double x, double e) noexcept {
    // Beyond 1024 factors every finite base but +-1 has long overflowed or
    // vanished, so std::pow gives the same answer far sooner.
    if (e == std::floor(e) && std::fabs(e) <= 1024) {
        long n = static_cast<long>(std::fabs(e));
        double r = 1.0;
        if (n >= 1) {
            r = x;
            for (long i = 1; i < n; ++i) r = r * x;
        }
        return e < 0 ? 1.0 / r : r;
    }
    return std::pow(x, e);
}

Value detail::mpower_general(const Value& a, const Value& b) {
    require_numeric(a);
    require_numeric(b);
    if (a.numel() == 1 && b.numel() == 1) return Value(mpower(a[0], b[0]));
    // A square matrix to a whole power: repeated matrix products, as for scalars.
    if (b.numel() == 1 && a.rows() == a.cols() && b[0] >= 0 && b[0] == std::floor(b[0]) && b[0] <= 1024) {
        if (b[0] == 0) {
            Value eye = make_numeric(ClassId::Double, a.rows(), a.cols());
            for (std::size_t i = 0; i < a.rows(); ++i) eye.mutable_data()[i * a.rows() + i] = 1.0;
            return eye;
        }
        Value r = a.with_class(ClassId::Double);
        for (double k = 1; k < b[0]; ++k) r = detail::mtimes_general(r, a);
        return r;
    }
    raise("Power is supported only for scalars and square matrices to a whole power.");
}

Value times(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Double, [](double x, double y) { return x * y; });
}
Value rdivide(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Double, [](double x, double y) { return x / y; });
}
Value detail::uminus_general(const Value& a) {
    return unary(a, ClassId::Double, [](double x) { return -x; });
}
Value detail::sin_general(const Value& a) {
    return unary(a, ClassId::Double, [](double x) { return std::sin(x); });
}
Value detail::cos_general(const Value& a) {
    return unary(a, ClassId::Double, [](double x) { return std::cos(x); });
}
Value fix(const Value& a) {
    return unary(a, ClassId::Double, [](double x) { return std::trunc(x); });
}
Value abs(const Value& a) {
    return unary(a, ClassId::Double, [](double x) { return std::fabs(x); });
}

Value lt(const Value& a, const Value& b) { return compare(detail::kLt, a, b); }
Value gt(const Value& a, const Value& b) { return compare(detail::kGt, a, b); }
Value le(const Value& a, const Value& b) { return compare(detail::kLe, a, b); }
Value ge(const Value& a, const Value& b) { return compare(detail::kGe, a, b); }
Value eq(const Value& a, const Value& b) { return compare(detail::kEq, a, b); }
Value ne(const Value& a, const Value& b) { return compare(detail::kNe, a, b); }
Value and_(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Logical, [](double x, double y) { return (x != 0 && y != 0) ? 1.0 : 0.0; });
}
Value or_(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Logical, [](double x, double y) { return (x != 0 || y != 0) ? 1.0 : 0.0; });
}
Value not_(const Value& a) {
    return unary(a, ClassId::Logical, [](double x) { return x == 0 ? 1.0 : 0.0; });
}

bool tobool(const Value& v) {
    if (v.is_inline()) return v[0] != 0;
    if (!v.is_numeric_like()) {
        if (v.is_absent() || v.is_unassigned()) raise("Use of a value that holds nothing.");
        raise(std::string("Conversion to logical from ") + class_name(v.class_id()) + " is not possible.");
    }
    if (v.is_empty()) return false;
    for (std::size_t i = 0, n = v.numel(); i < n; ++i)
        if (v[i] == 0) return false;
    return true;
}

bool isequal(const Value& a, const Value& b) {
    if (a.rows() != b.rows() || a.cols() != b.cols()) return false;
    if (a.is_numeric_like() && b.is_numeric_like()) {
        for (std::size_t i = 0, n = a.numel(); i < n; ++i)
            if (!(a[i] == b[i])) return false;
        return true;
    }
    if (a.class_id() != b.class_id()) return false;
    if (a.is_cell()) {
        for (std::size_t i = 0, n = a.numel(); i < n; ++i)
            if (!isequal(a.cell_at(i), b.cell_at(i))) return false;
        return true;
    }
    if (a.is_struct()) {
        // The same fields with equal values, in whatever order they were added.
        if (a.field_names().size() != b.field_names().size()) return false;
        for (const auto& n : a.field_names())
            if (!b.has_field(n) || !isequal(a.field(n), b.field(n))) return false;
        return true;
    }
    return a.class_id() == b.class_id();
}

Value min(const Value& a) { return extreme(a, false); }
Value max(const Value& a) { return extreme(a, true); }
Value min(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Double, [](double x, double y) { return pair_extreme(x, y, false); });
}
Value max(const Value& a, const Value& b) {
    return elementwise(a, b, ClassId::Double, [](double x, double y) { return pair_extreme(x, y, true); });
}
Value prod(const Value& a) {
    return reduce(a, ClassId::Double, 1.0, [](double acc, double x) { return acc * x; });
}
Value sum(const Value& a) {
    return reduce(a, ClassId::Double, 0.0, [](double acc, double x) { return acc + x; });
}
Value all(const Value& a) {
    return reduce(a, ClassId::Logical, 1.0, [](double acc, double x) { return (acc != 0 && x != 0) ? 1.0 : 0.0; });
}
Value any(const Value& a) {
    return reduce(a, ClassId::Logical, 0.0, [](double acc, double x) { return (acc != 0 || x != 0) ? 1.0 : 0.0; });
}

namespace {
std::size_t count_dim(double d) {
    if (std::isnan(d)) raise("Size arguments must be real numbers, not NaN.");
    if (d <= 0) return 0;
    return static_cast<std::size_t>(d);
}

// Refuses a requested size beyond the limit in the user's own numbers: the
// count it would have been cut to says nothing about what was asked.
void check_requested_size(double rows, double cols) {
    const double limit = static_cast<double>(kMaxElements);
    const double r = std::max(rows, 0.0), c = std::max(cols, 0.0);
    const double elements = (r == 0 || c == 0) ? 0 : std::floor(r) * std::floor(c);
    const bool unknown = std::isnan(rows) || std::isnan(cols);  // a range such as Inf:Inf
    const char* what = unknown || elements > limit ? " elements"
                       : (r > limit || c > limit)  ? " rows or columns"
                                                   : nullptr;
    if (!what) return;
    raise("Requested " + num2str(rows) + "-by-" + num2str(cols) + " array exceeds the maximum array size (" +
          num2str(limit) + what + ").");
}
}  // namespace

Value zeros(double rows, double cols) {
    const std::size_t r = count_dim(rows), c = count_dim(cols);
    check_requested_size(rows, cols);
    return make_numeric(ClassId::Double, r, c);
}

Value ones(double rows, double cols) {
    Value v = zeros(rows, cols);
    double* d = v.mutable_data();
    std::fill(d, d + v.numel(), 1.0);
    return v;
}

Value colon(double first, double last) { return colon(first, 1.0, last); }

Value colon(double first, double step, double last) {
    if (std::isnan(first) || std::isnan(step) || std::isnan(last) || step == 0 || (step > 0 && first > last) ||
        (step < 0 && first < last))
        return make_numeric(ClassId::Double, 1, 0);
    double span = std::floor((last - first) / step + 1e-10);
    if (!(span < static_cast<double>(kMaxElements))) check_requested_size(1, span + 1);
    std::size_t n = static_cast<std::size_t>(span) + 1;
    Value v = make_numeric(ClassId::Double, 1, n);
    double* d = v.mutable_data();
    for (std::size_t i = 0; i < n; ++i) d[i] = first + static_cast<double>(i) * step;
    return v;
}

namespace {
ClassId concat_class(const std::vector<Value>& parts) {
    // Cells join only cells; otherwise text wins over numbers and double over
    // logical.
    bool any_char = false, any_double = false, any_cell = false;
    for (const Value& p : parts) {
        if (p.is_char()) any_char = true;
        else if (p.is_double()) any_double = true;
        else if (p.is_cell()) any_cell = true;
        else if (p.is_absent() || p.is_unassigned()) raise("Use of a value that holds nothing.");
        else if (p.is_struct()) raise("Concatenation of structures is not supported.");
    }
    if (any_cell) return ClassId::Cell;
    if (any_char) return ClassId::Char;
    if (any_double) return ClassId::Double;
    return ClassId::Logical;
}

Value concat(const std::vector<Value>& parts, bool horizontal) {
    const ClassId cls = concat_class(parts);
    // Empty parts take no part in the shape, so [] and '' join anything; when
    // every part is empty, parts that agree keep their joint empty shape.
    std::vector<const Value*> kept;
    for (const Value& p : parts)
        if (!p.is_empty()) kept.push_back(&p);
    std::size_t rows = 0, cols = 0;
    if (kept.empty()) {
        for (const Value& p : parts) {
            if (p.rows() == 0 && p.cols() == 0) continue;
            std::size_t& along = horizontal ? cols : rows;
            std::size_t& across = horizontal ? rows : cols;
            const std::size_t p_along = horizontal ? p.cols() : p.rows();
            const std::size_t p_across = horizontal ? p.rows() : p.cols();
            if (along == 0 && across == 0) across = p_across;
            if (p_across != across) {
                rows = cols = 0;
                break;
            }
            along += p_along;
        }
        return cls == ClassId::Cell ? Value::cell(rows, cols) : make_numeric(cls, rows, cols);
    }
    for (const Value* p : kept) {
        if (cls == ClassId::Cell && !p->is_cell())
            raise("Concatenation of a cell with a non-cell value is not supported.");
        const std::size_t p_along = horizontal ? p->cols() : p->rows();
        const std::size_t p_across = horizontal ? p->rows() : p->cols();
        std::size_t& along = horizontal ? cols : rows;
        std::size_t& across = horizontal ? rows : cols;
        if (p == kept.front()) across = p_across;
        if (p_across != across) raise("Dimensions of matrices being concatenated are not consistent.");
        along += p_along;
    }
    checked_numel(rows, cols);
    if (cls == ClassId::Cell) {
        Value out = Value::cell(rows, cols);
        std::size_t off = 0;
        for (const Value* p : kept) {
            for (std::size_t c = 0; c < p->cols(); ++c)
                for (std::size_t r = 0; r < p->rows(); ++r) {
                    std::size_t dst = horizontal ? (off + c) * rows + r : c * rows + off + r;
                    out.mutable_cell_at(dst) = p->cell_at(c * p->rows() + r);
                }
            off += horizontal ? p->cols() : p->rows();
        }
        return out;
    }
    Value out = make_numeric(cls, rows, cols);
    double* d = out.mutable_data();
    std::size_t off = 0;
    for (const Value* p : kept) {
        for (std::size_t c = 0; c < p->cols(); ++c)
            for (std::size_t r = 0; r < p->rows(); ++r) {
                std::size_t dst = horizontal ? (off + c) * rows + r : c * rows + off + r;
                d[dst] = (*p)[c * p->rows() + r];
            }
        off += horizontal ? p->cols() : p->rows();
    }
    return out;
}
}  // namespace

Value horzcat(const std::vector<Value>& parts) { return concat(parts, true); }
Value horzcat(const Value& a, const Value& b) { return concat({a, b}, true); }
Value vertcat(const std::vector<Value>& parts) { return concat(parts, false); }

Value ctranspose(const Value& a) {
    if (a.is_cell()) {
        Value out = Value::cell(a.cols(), a.rows());
        for (std::size_t r = 0; r < a.rows(); ++r)
            for (std::size_t c = 0; c < a.cols(); ++c)
                out.mutable_cell_at(r * a.cols() + c) = a.cell_at(c * a.rows() + r);
        return out;
    }
    if (a.is_struct()) return a;
    require_numeric(a);
    Value out = make_numeric(a.class_id(), a.cols(), a.rows());
    double* d = out.mutable_data();
    for (std::size_t r = 0; r < a.rows(); ++r)
        for (std::size_t c = 0; c < a.cols(); ++c) d[r * a.cols() + c] = a[c * a.rows() + r];
    return out;
}

Value size(const Value& a) { return Value::row({static_cast<double>(a.rows()), static_cast<double>(a.cols())}); }

double size(const Value& a, double dim) {
    if (!(dim >= 1) || dim != std::floor(dim)) raise("Dimension argument must be a positive integer scalar.");
    if (dim == 1) return static_cast<double>(a.rows());
    if (dim == 2) return static_cast<double>(a.cols());
    return 1;
}

double length_int(const Value& a) {
    if (a.is_empty()) return 0;
    return static_cast<double>(std::max(a.rows(), a.cols()));
}

bool isempty(const Value& a) { return a.is_empty(); }

void meshgrid(const Value& x_in, const Value& y_in, Value& X, Value& Y) {
    // Copies, not references: X or Y may be an input itself.
    const Value x = x_in, y = y_in;  // NOLINT(performance-unnecessary-copy-initialization)
    require_numeric(x);
    require_numeric(y);
    const std::size_t nx = x.numel(), ny = y.numel();
    X = make_numeric(ClassId::Double, ny, nx);
    Y = make_numeric(ClassId::Double, ny, nx);
    double* dx = X.mutable_data();
    double* dy = Y.mutable_data();
    for (std::size_t k = 0; k < nx; ++k)
        for (std::size_t j = 0; j < ny; ++j) {
            dx[k * ny + j] = x[k];
            dy[k * ny + j] = y[j];
        }
}

// ---- indexing ----

std::size_t checked_index(double index, std::size_t bound) {
    if (!(index >= 1) || index != std::floor(index))
        raise("Index " + fmt_index(index) +
              " is not valid: subscript indices must be real positive integers or logicals.");
    if (index > static_cast<double>(bound))
        raise("Index " + fmt_index(index) + " exceeds matrix dimensions (" + std::to_string(bound) + ").");
    return static_cast<std::size_t>(index) - 1;
}

namespace {

void require_index(const Value& index) {
    if (index.is_numeric_like()) return;
    if (index.is_absent() || index.is_unassigned()) raise("Use of a value that holds nothing.");
    raise(std::string("A ") + class_name(index.class_id()) +
          " value cannot be an index: subscript indices must be real positive integers or logicals.");
}

// Zero-based positions named by an index value (numbers or a logical mask).
// Reading checks every position against `bound`; an assignment may name
// positions past it (the target grows), up to the largest array there can be.
std::vector<std::size_t> positions(const Value& index, std::size_t bound, bool allow_growth) {
    require_index(index);
    const std::size_t limit = allow_growth ? kMaxElements : bound;
    std::vector<std::size_t> out;
    if (index.is_logical()) {
        for (std::size_t i = 0, n = index.numel(); i < n; ++i) {
            if (index[i] == 0) continue;
            if (i >= limit) {
                if (allow_growth) checked_numel(1, i + 1);
                raise("Index " + std::to_string(i + 1) + " exceeds matrix dimensions (" + std::to_string(bound) + ").");
            }
            out.push_back(i);
        }
        return out;
    }
    out.reserve(index.numel());
    for (std::size_t i = 0, n = index.numel(); i < n; ++i) {
        const double x = index[i];
        if (allow_growth && x > static_cast<double>(limit) && x == std::floor(x))
            raise("Index " + fmt_index(x) + " exceeds the maximum array size (" + std::to_string(kMaxElements) +
                  " elements).");
        out.push_back(checked_index(x, limit));
    }
    return out;
}

Value element_copy(const Value& a, const std::vector<std::size_t>& pos, std::size_t rows, std::size_t cols) {
    if (a.is_cell()) {
        Value out = Value::cell(rows, cols);
        for (std::size_t i = 0; i < pos.size(); ++i) out.mutable_cell_at(i) = a.cell_at(pos[i]);
        return out;
    }
    Value out = make_numeric(a.class_id(), rows, cols);
    double* d = out.mutable_data();
    for (std::size_t i = 0; i < pos.size(); ++i) d[i] = a[pos[i]];
    return out;
}

bool is_vector(const Value& v) { return v.rows() == 1 || v.cols() == 1; }

}  // namespace

Value array_ref1(const Value& a, const Value& index) {
    if (a.is_struct()) {
        // A structure is 1-by-1: s(1) is s itself.
        std::vector<std::size_t> pos = positions(index, 1, false);
        if (pos.size() != 1) raise("Indexing a structure must name exactly its one element.");
        return a;
    }
    if (!a.is_numeric_like() && !a.is_cell()) require_numeric(a);
    std::vector<std::size_t> pos = positions(index, a.numel(), false);
    const std::size_t n = pos.size();
    std::size_t rows, cols;
    if (index.is_logical()) {
        // A mask picks a row out of a row and a column out of anything else.
        const bool row = a.rows() == 1;
        rows = row ? 1 : n;
        cols = row ? n : 1;
    } else if (is_vector(a) && !a.is_scalar() && is_vector(index)) {
        // A vector indexed by a vector keeps the vector's orientation.
        const bool row = a.rows() == 1;
        rows = row ? 1 : n;
        cols = row ? n : 1;
    } else {
        rows = index.rows();
        cols = index.cols();
    }
    return element_copy(a, pos, rows, cols);
}

double array_ref1(const Value& a, double index) {
    if (!a.is_numeric_like()) require_numeric(a);
    return a[checked_index(index, a.numel())];
}

Value detail::array_ref2_general(const Value& a, const Value& row, const Value& col) {
    if (!a.is_numeric_like() && !a.is_cell()) require_numeric(a);
    std::vector<std::size_t> rp = positions(row, a.rows(), false);
    std::vector<std::size_t> cp = positions(col, a.cols(), false);
    std::vector<std::size_t> pos;
    pos.reserve(rp.size() * cp.size());
    for (std::size_t c : cp)
        for (std::size_t r : rp) pos.push_back(c * a.rows() + r);
    return element_copy(a, pos, rp.size(), cp.size());
}

double detail::array_ref2_checked(Raw words, double row, double col) {
    const Value a = Value::shared(words);
    if (!a.is_numeric_like()) require_numeric(a);
    std::size_t r = checked_index(row, a.rows());
    std::size_t c = checked_index(col, a.cols());
    return a[c * a.rows() + r];
}

namespace {

// Grows a to at least rows-by-cols, keeping its elements in place (zero fill;
// the empty matrix fill for cells).
void grow(Value& a, std::size_t rows, std::size_t cols) {
    if (rows <= a.rows() && cols <= a.cols()) return;
    rows = std::max(rows, a.rows());
    cols = std::max(cols, a.cols());
    if (a.is_cell()) {
        Value out = Value::cell(rows, cols);
        for (std::size_t c = 0; c < a.cols(); ++c)
            for (std::size_t r = 0; r < a.rows(); ++r) out.mutable_cell_at(c * rows + r) = a.cell_at(c * a.rows() + r);
        a = std::move(out);
        return;
    }
    Value out = make_numeric(a.class_id(), rows, cols);
    double* d = out.mutable_data();
    for (std::size_t c = 0; c < a.cols(); ++c)
        for (std::size_t r = 0; r < a.rows(); ++r) d[c * rows + r] = a[c * a.rows() + r];
    a = std::move(out);
}

// Makes `a` ready to receive elements of `rhs`: a variable that holds nothing
// starts as the empty matrix, an empty matrix takes the class of what is put
// into it, a logical array receiving numbers becomes double, and a text stays
// a text (numbers go in as character codes).
void prepare_target(Value& a, const Value& rhs) {
    if (a.is_absent() || a.is_unassigned()) a = Value::empty();
    if (a.is_struct()) raise("Indexed assignment into a structure is not supported.");
    if (a.is_cell()) return;  // store() checks what goes in
    require_numeric(a);
    if (a.is_empty() && rhs.is_cell()) {
        a = Value::cell(a.rows(), a.cols());
        return;
    }
    if (!rhs.is_numeric_like()) {
        if (rhs.is_absent() || rhs.is_unassigned()) raise("Use of a value that holds nothing.");
        raise(std::string("Conversion to ") + class_name(a.class_id()) + " from " + class_name(rhs.class_id()) +
              " is not possible.");
    }
    if (a.class_id() == rhs.class_id()) return;
    if (a.is_empty()) a = a.with_class(rhs.class_id());
    else if (a.is_logical()) a = a.with_class(ClassId::Double);
}

void store(Value& a, const std::vector<std::size_t>& pos, const Value& rhs, const char* mismatch) {
    if (rhs.numel() != 1 && rhs.numel() != pos.size()) raise(mismatch);
    if (a.is_cell()) {
        if (!rhs.is_cell())
            raise("Conversion to cell from " + std::string(class_name(rhs.class_id())) + " is not possible.");
        for (std::size_t i = 0; i < pos.size(); ++i) a.mutable_cell_at(pos[i]) = rhs.cell_at(rhs.numel() == 1 ? 0 : i);
        return;
    }
    double* d = a.mutable_data();
    for (std::size_t i = 0; i < pos.size(); ++i) d[pos[i]] = rhs[rhs.numel() == 1 ? 0 : i];
}

}  // namespace

void array_assign1(Value& a, const Value& index, const Value& rhs_in) {
    // A copy, not a reference: rhs_in may be a itself, which changes below.
    const Value rhs = rhs_in;  // NOLINT(performance-unnecessary-copy-initialization)
    prepare_target(a, rhs);
    std::vector<std::size_t> pos = positions(index, a.numel(), true);
    std::size_t top = 0;
    for (std::size_t p : pos) top = std::max(top, p + 1);
    if (top > a.numel()) {
        // An empty value or a row grows as a row, a column as a column; a
        // matrix has no one direction to grow in.
        if (a.is_empty()) a = a.is_cell() ? Value::cell(1, 0) : make_numeric(a.class_id(), 1, 0);
        if (a.rows() == 1) grow(a, 1, top);
        else if (a.cols() == 1) grow(a, top, 1);
        else
            raise("Index " + std::to_string(top) + " exceeds matrix dimensions (" + std::to_string(a.numel()) +
                  "): a matrix cannot grow by a single index.");
    }
    store(a, pos, rhs, "In an assignment A(I) = B, the number of elements in B and I must be the same.");
}

namespace {

// In place; rhs is a copy of its own, since a may be what holds it.
void assign2_in_place(Value& a, const Value& row, const Value& col, const Value& rhs) {
    prepare_target(a, rhs);
    std::vector<std::size_t> rp = positions(row, a.rows(), true);
    std::vector<std::size_t> cp = positions(col, a.cols(), true);
    std::size_t rmax = 0, cmax = 0;
    for (std::size_t r : rp) rmax = std::max(rmax, r + 1);
    for (std::size_t c : cp) cmax = std::max(cmax, c + 1);
    grow(a, rmax, cmax);
    std::vector<std::size_t> pos;
    pos.reserve(rp.size() * cp.size());
    for (std::size_t c : cp)
        for (std::size_t r : rp) pos.push_back(c * a.rows() + r);
    store(a, pos, rhs, "Subscripted assignment dimension mismatch.");
}

}  // namespace

detail::Raw detail::array_assign2_raw(Raw a, Raw row, Raw col, Raw rhs) {
    // A share of the caller's value: the store below copies it before the
    // first write, so the caller's value is untouched if anything raises.
    Value target = Value::shared(a);
    assign2_in_place(target, Value::shared(row), Value::shared(col), Value::shared(rhs));
    return target.release();
}
detail::Raw detail::array_assign2_raw(Raw a, double row, double col, double rhs) {
    Value target = Value::shared(a);
    // A table shared with another value (a surface drawn from it, say): one
    // copy, then the write, as the inline path would make it.
    std::size_t r = 0, c = 0;
    if (target.is_stored_double() && offset_within(row, target.stored_rows(), r) &&
        offset_within(col, target.stored_cols(), c)) {
        const std::size_t rows = target.stored_rows();
        target.mutable_data()[c * rows + r] = rhs;
        return target.release();
    }
    assign2_in_place(target, Value(row), Value(col), Value(rhs));
    return target.release();
}

// The general cases in words, for the inline fast paths: each takes shares
// of its operands, so the caller's values may go while it runs.
detail::Raw detail::plus_raw(Raw a, Raw b) { return plus_general(Value::shared(a), Value::shared(b)).release(); }
detail::Raw detail::minus_raw(Raw a, Raw b) { return minus_general(Value::shared(a), Value::shared(b)).release(); }
detail::Raw detail::mtimes_raw(Raw a, Raw b) { return mtimes_general(Value::shared(a), Value::shared(b)).release(); }
detail::Raw detail::mrdivide_raw(Raw a, Raw b) {
    return mrdivide_general(Value::shared(a), Value::shared(b)).release();
}
detail::Raw detail::mpower_raw(Raw a, Raw b) { return mpower_general(Value::shared(a), Value::shared(b)).release(); }
detail::Raw detail::uminus_raw(Raw a) { return uminus_general(Value::shared(a)).release(); }
detail::Raw detail::sin_raw(Raw a) { return sin_general(Value::shared(a)).release(); }
detail::Raw detail::cos_raw(Raw a) { return cos_general(Value::shared(a)).release(); }
bool detail::compare_bool_raw(int op, Raw a, Raw b) {
    return compare_bool_general(op, Value::shared(a), Value::shared(b));
}
detail::Raw detail::array_ref2_raw(Raw a, Raw row, Raw col) {
    return array_ref2_general(Value::shared(a), Value::shared(row), Value::shared(col)).release();
}

}  // namespace rt
