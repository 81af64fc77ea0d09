#pragma once
// rt::Value: the runtime's array value. A 2-D array of doubles, characters or
// logicals, a cell array, a 1-by-1 structure, or "unassigned" (class 0, a
// variable that was never given a value). A separate absent state stands for
// an input that was not given at all (the null reference of a call).
//
// Copies are cheap: the elements live in shared storage that is copied on the
// first write through a shared copy. A 1-by-1 double, logical or character
// lives inline, without any heap allocation, so scalar arithmetic never
// allocates. A value is 16 bytes: one word holding its class and a flag for
// stored elements, and either the inline number or one pointer to a block
// holding the shape, a reference count and the elements together. Blocks of
// up to four elements (the rows a learning step draws with) are recycled, so a
// step allocates nothing. Values belong to one thread; the count is not
// atomic. Numeric, logical and character elements are all stored as doubles
// (characters as their 16-bit codes), column-major, as the runtime's linear
// indexing requires.
//
// Everything a scalar operation touches is inline and copies member by
// member, and no out-of-line function is ever handed the address of a value
// on the fast paths, so the compiler keeps a scalar's word and number in
// registers and folds the storage tests of values it has just built.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// For the fast paths of scalar values: the compiler's size limits would
// otherwise leave some of them out of line, and a value whose address is
// handed to a call cannot stay in registers.
#define RT_INLINE [[gnu::always_inline]] inline

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
    Value() noexcept : head_(0), payload_{0.0} {}
    // A double scalar, held inline. Implicit so that numbers read naturally.
    Value(double d) noexcept : head_(kDoubleScalarTag), payload_{d} {}

    RT_INLINE Value(const Value& o) noexcept { share(o); }
    // A moved-from stored value is left unassigned; an inline one is copied.
    RT_INLINE Value(Value&& o) noexcept { take(o); }
    // Both assignments take o before letting go of the old storage, which
    // may be what holds o (a cell assigned one of its own members).
    RT_INLINE Value& operator=(const Value& o) noexcept {
        Storage* old = stored() ? payload_.heap : nullptr;
        share(o);
        if (old) drop(old);
        return *this;
    }
    RT_INLINE Value& operator=(Value&& o) noexcept {
        if (this == &o) return *this;
        Storage* old = stored() ? payload_.heap : nullptr;
        take(o);
        if (old) drop(old);
        return *this;
    }
    RT_INLINE ~Value() {
        if (stored()) drop(payload_.heap);
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
    // The same for a row of two to four numbers, built inline straight into
    // a recycled block: the rows a learning step draws with.
    RT_INLINE static Value small_row(std::initializer_list<double> values) {
        if (values.size() < 2 || values.size() > kSmallBlock) return row(values);
        Storage* s = small_block();
        s->rows = 1;
        s->cols = values.size();
        double* out = s->num();
        for (const double d : values) *out++ = d;
        return Value(ClassId::Double, s);
    }
    // Makes sure at least n blocks for such rows are kept ready (up to the
    // list's bound), so that the first steps of a loop, which take rows
    // before they give any back, allocate nothing.
    static void reserve_small_blocks(std::size_t n);
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

    ClassId class_id() const noexcept { return cls(); }
    bool is_absent() const noexcept { return cls() == ClassId::Absent; }
    bool is_unassigned() const noexcept { return cls() == ClassId::Unassigned; }
    // Neither absent nor unassigned, in one comparison: every input read asks.
    bool holds_value() const noexcept {
        return static_cast<unsigned>(cls()) - 1u < static_cast<unsigned>(ClassId::Absent) - 1u;
    }
    bool is_double() const noexcept { return cls() == ClassId::Double; }
    bool is_char() const noexcept { return cls() == ClassId::Char; }
    bool is_logical() const noexcept { return cls() == ClassId::Logical; }
    bool is_cell() const noexcept { return cls() == ClassId::Cell; }
    bool is_struct() const noexcept { return cls() == ClassId::Struct; }
    // Double, logical or character (the classes 1 to 3): the elements are numbers.
    bool is_numeric_like() const noexcept { return static_cast<unsigned>(cls()) - 1u < 3u; }
    // Held inline, without storage (a 1-by-1 double, logical or character):
    // the word is one of the three numeric classes without the storage flag.
    bool is_inline() const noexcept { return head_ - 1u < 3u; }
    // A double held inline: the case every scalar operation tests first, so
    // it is one comparison of the word.
    bool is_double_scalar() const noexcept { return head_ == kDoubleScalarTag; }
    // A double array in storage (not 1-by-1), in the same one comparison; its
    // shape and elements are then read without testing again.
    bool is_stored_double() const noexcept { return head_ == kStoredDoubleTag; }
    std::size_t stored_rows() const noexcept { return payload_.heap->rows; }
    std::size_t stored_cols() const noexcept { return payload_.heap->cols; }
    const double* stored_data() const noexcept { return payload_.heap->num(); }
    // The number of a value held inline; only when is_inline() (a scalar fast
    // path that has tested the tag already reads it without testing again).
    double inline_number() const noexcept { return payload_.scalar; }

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
    RT_INLINE double scalar() const {
        if (is_inline()) [[likely]]
            return payload_.scalar;
        return stored_scalar(head_, payload_.heap);
    }
    // Elements of a numeric-like value, column-major.
    const double* data() const noexcept;

    // A value's two words by value, for handing an operand to an out-of-line
    // general path in registers and its result back in registers: no
    // address of a value leaves the caller, and the caller holds no copy
    // that would need cleaning up should the general path raise.
    struct Raw;
    // The words, without counting a share (valid while this value lives).
    RT_INLINE Raw raw() const noexcept;
    // A copy sharing the storage of the value whose words these are.
    static Value shared(const Raw& r) noexcept;
    // Takes over words that own their share (from release()).
    RT_INLINE static Value adopt(const Raw& r) noexcept;
    // Hands the words and their share out, leaving this value unassigned.
    Raw release() noexcept;
    // Writable elements of storage this value alone holds, or null (held
    // inline, or shared): a fast path writes through them in place, with no
    // call that would take the value's address.
    double* sole_data() noexcept { return stored() && payload_.heap->refs == 1 ? payload_.heap->num() : nullptr; }
    // Writable elements: copies shared storage first.
    double* mutable_data() {
        if (stored() && payload_.heap->refs == 1) [[likely]]
            return payload_.heap->num();
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

    Value(ClassId cls, Storage* s) noexcept : head_(word(cls, true)), payload_{.heap = s} {}
    // A fresh block (count 1) for n elements, uninitialised.
    static Storage* allocate(std::size_t n);
    // Blocks of up to kSmallBlock elements go back to a free list instead of
    // the heap, at most kKeptBlocks of them. A sanitizer build skips the
    // list, so that it still sees every use after free.
    static constexpr std::size_t kSmallBlock = 4;
    static constexpr std::size_t kKeptBlocks = 256;
#if defined(__SANITIZE_ADDRESS__)
    static constexpr bool kRecycle = false;
#else
    static constexpr bool kRecycle = true;
#endif
    struct FreeBlock {
        FreeBlock* next;
    };
    static inline FreeBlock* free_blocks_ = nullptr;
    static inline std::size_t free_count_ = 0;
    // A block for up to kSmallBlock elements, from the free list when it
    // has one; count 1, shape unset.
    RT_INLINE static Storage* small_block() {
        if (kRecycle && free_blocks_) [[likely]] {
            FreeBlock* f = free_blocks_;
            free_blocks_ = f->next;
            --free_count_;
            return new (static_cast<void*>(f)) Storage{1, 0, 0, kSmallBlock, nullptr};
        }
        return allocate(kSmallBlock);
    }
    // Puts a block of kSmallBlock elements on the free list.
    static void keep_free(void* block) noexcept;
    RT_INLINE static void drop(Storage* s) noexcept {
        if (--s->refs == 0) free_block(s);
    }
    static void free_block(Storage* s) noexcept;
    [[gnu::noinline]] static void delete_members(Members* members) noexcept;
    static Value compound(ClassId cls, std::size_t rows, std::size_t cols);
    Storage& own();  // unshare before writing
    // o's class and contents into this value (whose storage, if any, the
    // caller lets go of): sharing o's block, or taking it from o. Member by
    // member, so that a value the compiler keeps in registers stays there.
    RT_INLINE void share(const Value& o) noexcept {
        head_ = o.head_;
        payload_ = o.payload_;
        if (stored()) ++payload_.heap->refs;
    }
    RT_INLINE void take(Value& o) noexcept {
        head_ = o.head_;
        payload_ = o.payload_;
        if (stored()) {
            o.head_ = 0;
            o.payload_.scalar = 0;
        }
    }

    // The word: the class in the low byte, the storage flag above it. One
    // 32-bit member rather than two bytes, so that a fast path tests both
    // with one comparison and a store of it never aliases a byte of anything
    // else the compiler keeps track of.
    static constexpr std::uint32_t kStoredFlag = 0x100;
    static constexpr std::uint32_t word(ClassId cls, bool stored) noexcept {
        return static_cast<std::uint32_t>(cls) | (stored ? kStoredFlag : 0u);
    }
    static constexpr std::uint32_t kDoubleScalarTag = static_cast<std::uint32_t>(ClassId::Double);
    static constexpr std::uint32_t kStoredDoubleTag = kDoubleScalarTag | kStoredFlag;
    ClassId cls() const noexcept { return static_cast<ClassId>(head_ & 0xFFu); }
    bool stored() const noexcept { return (head_ & kStoredFlag) != 0; }
    // Changes the class of a numeric-like value, keeping the storage flag.
    void set_class(ClassId cls) noexcept { head_ = word(cls, stored()); }
    // Out of line with the word and the pointer by value, so that no caller
    // hands it the value's address.
    static double stored_scalar(std::uint32_t head, const Storage* heap);
    double* mutable_data_slow();

    std::uint32_t head_ = 0;
    union Payload {
        double scalar;
        Storage* heap;
    } payload_;
    friend Value make_numeric(ClassId, std::size_t, std::size_t);
};

static_assert(sizeof(Value) == 16);

// True when every value is a double held inline. A body whose values all
// pass can run on copies of them held in locals: the compiler then knows
// each one's class and keeps the whole arithmetic in registers, with no
// test and no clean-up of a value it built.
template <class... V>
RT_INLINE bool all_double_scalars(const V&... v) noexcept {
    return (v.is_double_scalar() && ...);
}
// Such a copy: a local that nothing else refers to, whatever the body calls
// in between, so that what the compiler knows of it stays known.
RT_INLINE Value local_copy(const Value& v) noexcept { return v; }
// body(v...) on such copies when every value is a double held inline, else
// on the values where they are: one body, the compiler making the copy on
// scalars its own fast version. Used in a function the compiler flattens.
template <typename Body, typename... V>
RT_INLINE decltype(auto) on_scalar_copies(Body&& body, const V&... v) {
    if (all_double_scalars(v...)) [[likely]]
        return body(local_copy(v)...);
    return body(v...);
}

struct Value::Raw {
    std::uint32_t head;
    Payload payload;
};
inline Value::Raw Value::raw() const noexcept { return {head_, payload_}; }
inline Value Value::shared(const Raw& r) noexcept {
    Value v;
    v.head_ = r.head;
    v.payload_ = r.payload;
    if (v.stored()) ++v.payload_.heap->refs;
    return v;
}
inline Value Value::adopt(const Raw& r) noexcept {
    Value v;
    v.head_ = r.head;
    v.payload_ = r.payload;
    return v;
}
inline Value::Raw Value::release() noexcept {
    const Raw r{head_, payload_};
    head_ = 0;
    payload_.scalar = 0;
    return r;
}

inline std::size_t Value::rows() const noexcept {
    if (stored()) return payload_.heap->rows;
    return is_numeric_like() ? 1 : 0;
}
inline std::size_t Value::cols() const noexcept {
    if (stored()) return payload_.heap->cols;
    return is_numeric_like() ? 1 : 0;
}
inline double Value::operator[](std::size_t i) const noexcept {
    return stored() ? payload_.heap->num()[i] : payload_.scalar;
}
inline const double* Value::data() const noexcept { return stored() ? payload_.heap->num() : &payload_.scalar; }

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
