#pragma once
// rt::Value: the runtime's array value. A 2-D array of doubles, characters or
// logicals, a cell array, a 1-by-1 structure, or "unassigned" (class 0, a
// variable that was never given a value). A separate absent state stands for
// an input that was not given at all (the null reference of a call).
//
// Copies are cheap: the elements live in shared storage that is copied on the
// first write through a shared copy. A 1-by-1 double, logical or character
// lives inline, without any heap allocation, so scalar arithmetic never
// allocates. A value is 16 bytes: its class, a flag for stored elements, and
// either the inline number or one pointer to a block holding the shape, a
// reference count and the elements together. Blocks of up to four elements
// (the rows a learning step draws with) are recycled, so a step allocates
// nothing. Values belong to one thread; the count is not atomic. Numeric, logical and character elements are all stored
// as doubles (characters as their 16-bit codes), column-major, as the runtime's linear indexing requires.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace rt {

enum class ClassId : std::uint8_t {
    Unassigned = 0,
    Double,
    Char,
    Logical,
    Cell,
    Struct,
    Absent,  // not a class of the runtime: an input that was not given
};

class Value {
public:
    // An unassigned value (class 0).
    Value() noexcept : scalar_(0) {}
    // A double scalar, held inline. Implicit so that numbers read naturally.
    Value(double d) noexcept : cls_(ClassId::Double), scalar_(d) {}

    Value(const Value& o) noexcept { share(o); }
    // A moved-from stored value is left unassigned; an inline one is copied.
    Value(Value&& o) noexcept { take(o); }
    // Both assignments take o before letting go of the old storage, which
    // may be what holds o (a cell assigned one of its own members).
    Value& operator=(const Value& o) noexcept {
        Storage* old = stored_ ? heap_ : nullptr;
        share(o);
        if (old) drop(old);
        return *this;
    }
    Value& operator=(Value&& o) noexcept {
        if (this == &o) return *this;
        Storage* old = stored_ ? heap_ : nullptr;
        take(o);
        if (old) drop(old);
        return *this;
    }
    ~Value() {
        if (stored_) drop(heap_);
    }

    static Value absent() noexcept;
    static Value logical(bool b) noexcept;
    static Value character(char16_t c) noexcept;

    // 0-by-0 double: the runtime's [].
    static Value empty();
    // rows-by-cols of zeros (of class cls: Double, Logical or Char).
    static Value zeros(std::size_t rows, std::size_t cols, ClassId cls = ClassId::Double);
    // A matrix given row by row, as it reads in source: from_rows(2, 2, {1, 2, 3, 4}) is [1 2; 3 4].
    static Value from_rows(std::size_t rows, std::size_t cols, std::initializer_list<double> values);
    static Value row(std::initializer_list<double> values);
    static Value row(const std::vector<double>& values);
    static Value column(const std::vector<double>& values);
    // Text: a 1-by-N character row; the empty text is 0-by-0, as the runtime's ''.
    static Value string(std::string_view text);
    // A character array of the given shape, every element a blank.
    static Value char_matrix(std::size_t rows, std::size_t cols);
    // rows-by-cols cell, each cell the empty matrix.
    static Value cell(std::size_t rows, std::size_t cols);
    static Value cell_column(std::vector<Value> items);
    static Value cell_row(std::vector<Value> items);
    // A 1-by-1 structure with no fields.
    static Value structure();

    ClassId class_id() const noexcept { return cls_; }
    bool is_absent() const noexcept { return cls_ == ClassId::Absent; }
    bool is_unassigned() const noexcept { return cls_ == ClassId::Unassigned; }
    // Neither absent nor unassigned, in one comparison: every input read asks.
    bool holds_value() const noexcept {
        return static_cast<unsigned>(cls_) - 1u < static_cast<unsigned>(ClassId::Absent) - 1u;
    }
    bool is_double() const noexcept { return cls_ == ClassId::Double; }
    bool is_char() const noexcept { return cls_ == ClassId::Char; }
    bool is_logical() const noexcept { return cls_ == ClassId::Logical; }
    bool is_cell() const noexcept { return cls_ == ClassId::Cell; }
    bool is_struct() const noexcept { return cls_ == ClassId::Struct; }
    // Double, logical or character: the elements are numbers.
    bool is_numeric_like() const noexcept {
        return cls_ == ClassId::Double || cls_ == ClassId::Logical || cls_ == ClassId::Char;
    }
    // Held inline, without storage (a 1-by-1 double, logical or character).
    bool is_inline() const noexcept { return !stored_ && is_numeric_like(); }
    // A double held inline: the case every scalar operation tests first, so
    // it is one comparison of the class and the storage flag read together.
    bool is_double_scalar() const noexcept { return tag() == kDoubleScalarTag; }
    // A double array in storage (not 1-by-1), in the same one comparison; its
    // shape and elements are then read without testing again.
    bool is_stored_double() const noexcept { return tag() == kStoredDoubleTag; }
    std::size_t stored_rows() const noexcept { return heap_->rows; }
    std::size_t stored_cols() const noexcept { return heap_->cols; }
    const double* stored_data() const noexcept { return heap_->num(); }
    // The number of a value held inline; only when is_inline() (a scalar fast
    // path that has tested the tag already reads it without testing again).
    double inline_number() const noexcept { return scalar_; }

    // Inline, with scalar(): every arithmetic step of a run asks them.
    std::size_t rows() const noexcept;
    std::size_t cols() const noexcept;
    std::size_t numel() const noexcept { return rows() * cols(); }
    bool is_empty() const noexcept { return numel() == 0; }
    bool is_scalar() const noexcept { return rows() == 1 && cols() == 1; }

    // Element i (0-based, column-major) of a numeric-like value; no bounds check.
    double operator[](std::size_t i) const noexcept;
    // The first element of a numeric-like value; raises for an empty or
    // non-numeric value.
    double scalar() const {
        if (is_inline()) [[likely]]
            return scalar_;
        return stored_scalar();
    }
    // Elements of a numeric-like value, column-major.
    const double* data() const noexcept;
    // Writable elements: copies shared storage first.
    double* mutable_data() {
        if (stored_ && heap_->refs == 1) [[likely]]
            return heap_->num();
        return mutable_data_slow();
    }

    // The characters of a character array (column-major) as UTF-8; codes
    // beyond ASCII are encoded as UTF-8.
    std::string text() const;

    // Cells (column-major).
    const Value& cell_at(std::size_t i) const;
    Value& mutable_cell_at(std::size_t i);

    // Fields of a 1-by-1 structure, in the order they were added.
    const std::vector<std::string>& field_names() const;
    bool has_field(std::string_view name) const;
    // Raises "Reference to non-existent field 'name'." when it is missing.
    const Value& field(std::string_view name) const;
    // Adds the field at the end or replaces its value.
    void set_field(std::string_view name, Value v);
    void remove_field(std::string_view name);

    // Reshape in place (same number of elements); used by growth and transposes.
    void set_shape(std::size_t rows, std::size_t cols);
    // Change of class for numeric-like values sharing the same elements
    // (for instance a logical result of a comparison).
    Value with_class(ClassId cls) const;

private:
    // The block behind a stored value: the header, then `capacity` doubles.
    // A cell or a structure keeps its members in `members`.
    struct Members;
    struct Storage {
        std::size_t refs;
        std::size_t rows, cols;
        std::size_t capacity;
        Members* members;
        double* num() noexcept { return reinterpret_cast<double*>(this + 1); }
        const double* num() const noexcept { return reinterpret_cast<const double*>(this + 1); }
    };
    static_assert(sizeof(Storage) % alignof(double) == 0);

    Value(ClassId cls, Storage* s) noexcept : cls_(cls), stored_(true), heap_(s) {}
    // A fresh block (count 1) for n elements, uninitialised.
    static Storage* allocate(std::size_t n);
    static void drop(Storage* s) noexcept {
        if (--s->refs == 0) free_block(s);
    }
    static void free_block(Storage* s) noexcept;
    static Value compound(ClassId cls, std::size_t rows, std::size_t cols);
    Storage& own();  // unshare before writing
    // o's class and contents into this value (whose storage, if any, the
    // caller lets go of): sharing o's block, or taking it from o.
    // Both copy all 16 bytes at once (the number or the pointer with them)
    // and then look at the storage flag once. A Value is standard-layout:
    // two one-byte members and a union of a double and a pointer, so its
    // bytes are its whole state; the reference count is fixed up after.
    void share(const Value& o) noexcept {
        // NOLINTNEXTLINE(bugprone-undefined-memory-manipulation): see above
        std::memcpy(static_cast<void*>(this), &o, sizeof(Value));
        if (stored_) ++heap_->refs;
    }
    void take(Value& o) noexcept {
        // NOLINTNEXTLINE(bugprone-undefined-memory-manipulation): see above
        std::memcpy(static_cast<void*>(this), &o, sizeof(Value));
        if (stored_) {
            o.stored_ = false;
            o.cls_ = ClassId::Unassigned;
            o.scalar_ = 0;
        }
    }
    // The class and the storage flag as one number.
    struct Tag {
        ClassId cls;
        bool stored;
    };
    static constexpr std::uint16_t kDoubleScalarTag = std::bit_cast<std::uint16_t>(Tag{ClassId::Double, false});
    static constexpr std::uint16_t kStoredDoubleTag = std::bit_cast<std::uint16_t>(Tag{ClassId::Double, true});
    std::uint16_t tag() const noexcept {
        std::uint16_t t;
        std::memcpy(&t, this, sizeof t);  // NOLINT(bugprone-undefined-memory-manipulation): reads cls_ and stored_
        return t;
    }
    double stored_scalar() const;
    double* mutable_data_slow();

    ClassId cls_ = ClassId::Unassigned;
    bool stored_ = false;
    union {
        double scalar_;
        Storage* heap_;
    };

    friend Value make_numeric(ClassId, std::size_t, std::size_t);
};

static_assert(sizeof(Value) == 16);
static_assert(std::is_standard_layout_v<Value>);  // the class and the flag come first, as tag() reads them

inline std::size_t Value::rows() const noexcept {
    if (stored_) return heap_->rows;
    return is_numeric_like() ? 1 : 0;
}
inline std::size_t Value::cols() const noexcept {
    if (stored_) return heap_->cols;
    return is_numeric_like() ? 1 : 0;
}
inline double Value::operator[](std::size_t i) const noexcept { return stored_ ? heap_->num()[i] : scalar_; }
inline const double* Value::data() const noexcept { return stored_ ? heap_->num() : &scalar_; }

// The most elements one array may hold. A request for more raises
// "Requested array exceeds the maximum array size." before anything is
// allocated, so a wild index or size becomes an error, not an exhausted heap.
inline constexpr std::size_t kMaxElements = 100'000'000;
// rows * cols, or the size error above when it exceeds kMaxElements.
std::size_t checked_numel(std::size_t rows, std::size_t cols);

// A numeric-like array of the given class (Double, Char or Logical) and
// shape, zero-filled; used by the array operations to build results. A
// 1-by-1 result is held inline.
Value make_numeric(ClassId cls, std::size_t rows, std::size_t cols);

// The name of a class as the runtime prints it: "double", "char", "logical",
// "cell", "struct".
const char* class_name(ClassId cls);

}  // namespace rt
