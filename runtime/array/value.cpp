#include "runtime/array/value.hpp"

#include <algorithm>
#include <new>
#include <string>

#include "runtime/array/error.hpp"

namespace rt {

void raise(std::string message) { throw Error(std::move(message)); }

Value Value::absent() noexcept {
    Value v;
    v.set_class(ClassId::Absent);
    return v;
}

Value Value::logical(bool b) noexcept {
    Value v(b ? 1.0 : 0.0);
    v.set_class(ClassId::Logical);
    return v;
}

Value Value::character(char16_t c) noexcept {
    Value v(static_cast<double>(c));
    v.set_class(ClassId::Char);
    return v;
}

std::size_t checked_numel(std::size_t rows, std::size_t cols) {
    if (rows != 0 && cols > kMaxElements / rows)
        raise("Requested array exceeds the maximum array size (" + std::to_string(rows) + "-by-" +
              std::to_string(cols) + ").");
    return rows * cols;
}

struct Value::Members {
    std::vector<Value> cells;        // Cell
    std::vector<std::string> names;  // Struct field names
    std::vector<Value> fields;       // Struct field values
};

Value::Storage* Value::allocate(std::size_t n) {
    if (kRecycle && n <= kSmallBlock && free_blocks_) return small_block();
    void* block = ::operator new(sizeof(Storage) + std::max(n, kSmallBlock) * sizeof(double));
    return new (block) Storage{1, 0, 0, std::max(n, kSmallBlock), nullptr};
}

void Value::keep_free(void* block) noexcept {
    auto* f = static_cast<FreeBlock*>(block);
    f->next = free_blocks_;
    free_blocks_ = f;
    ++free_count_;
}

void Value::reserve_small_blocks(std::size_t n) {
    if (!kRecycle) return;
    while (free_count_ < n && free_count_ < kKeptBlocks)
        keep_free(::operator new(sizeof(Storage) + kSmallBlock * sizeof(double)));
}

// Apart from free_block, so that recycling a numeric block (three a learning
// step) needs no stack frame.
void Value::delete_members(Members* members) noexcept { delete members; }

void Value::free_block(Storage* s) noexcept {
    if (s->members) [[unlikely]] {
        delete_members(s->members);
        s->members = nullptr;
    }
    if (kRecycle && s->capacity == kSmallBlock && free_count_ < kKeptBlocks) {
        keep_free(s);
        return;
    }
    ::operator delete(static_cast<void*>(s));
}

Value Value::compound(ClassId cls, std::size_t rows, std::size_t cols) {
    Storage* s = allocate(0);
    s->rows = rows;
    s->cols = cols;
    Value v(cls, s);  // owns the block from here, should the next line throw
    s->members = new Members;
    return v;
}

Value make_numeric(ClassId cls, std::size_t rows, std::size_t cols) {
    if (cls != ClassId::Double && cls != ClassId::Char && cls != ClassId::Logical)
        raise(std::string("A ") + class_name(cls) + " array cannot hold numbers.");
    if (rows == 1 && cols == 1) {
        Value v(0.0);
        v.set_class(cls);
        return v;
    }
    const std::size_t n = checked_numel(rows, cols);
    Value::Storage* s = Value::allocate(n);
    s->rows = rows;
    s->cols = cols;
    std::fill(s->num(), s->num() + n, 0.0);
    return Value(cls, s);
}

Value Value::empty() { return make_numeric(ClassId::Double, 0, 0); }

Value Value::zeros(std::size_t rows, std::size_t cols, ClassId cls) { return make_numeric(cls, rows, cols); }

Value Value::from_rows(std::size_t rows, std::size_t cols, std::initializer_list<double> values) {
    if (values.size() != rows * cols) raise("Dimensions of the matrix are not consistent.");
    Value v = make_numeric(ClassId::Double, rows, cols);
    double* d = v.mutable_data();
    auto it = values.begin();
    for (std::size_t r = 0; r < rows; ++r)
        for (std::size_t c = 0; c < cols; ++c) d[c * rows + r] = *it++;
    return v;
}

Value Value::row(std::initializer_list<double> values) {
    Value v = make_numeric(ClassId::Double, 1, values.size());
    std::copy(values.begin(), values.end(), v.mutable_data());
    return v;
}

Value Value::row(const std::vector<double>& values) {
    Value v = make_numeric(ClassId::Double, 1, values.size());
    std::copy(values.begin(), values.end(), v.mutable_data());
    return v;
}

Value Value::column(const std::vector<double>& values) {
    Value v = make_numeric(ClassId::Double, values.size(), 1);
    std::copy(values.begin(), values.end(), v.mutable_data());
    return v;
}

namespace {

// The continuation bytes of a UTF-8 sequence: count of them, all 10xxxxxx.
bool continuation(std::string_view text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) return false;
    for (std::size_t k = 0; k < count; ++k)
        if ((static_cast<unsigned char>(text[from + k]) & 0xC0u) != 0x80u) return false;
    return true;
}

}  // namespace

Value Value::string(std::string_view text) {
    // UTF-8 into 16-bit codes; a character beyond 16 bits becomes a surrogate
    // pair, and a byte that starts no valid sequence is taken as it is.
    std::vector<double> codes;
    codes.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        auto byte = [&](std::size_t k) {
            return static_cast<unsigned>(static_cast<unsigned char>(text[i + k])) & 0x3Fu;
        };
        if (c >= 0xC0 && c < 0xE0 && continuation(text, i + 1, 1)) {
            codes.push_back(((c & 0x1Fu) << 6) | byte(1));
            i += 2;
        } else if (c >= 0xE0 && c < 0xF0 && continuation(text, i + 1, 2)) {
            codes.push_back(((c & 0x0Fu) << 12) | (byte(1) << 6) | byte(2));
            i += 3;
        } else if (c >= 0xF0 && c < 0xF8 && continuation(text, i + 1, 3)) {
            const unsigned code = ((c & 0x07u) << 18) | (byte(1) << 12) | (byte(2) << 6) | byte(3);
            const unsigned u = code - 0x10000u;
            codes.push_back(0xD800u + ((u >> 10) & 0x3FFu));
            codes.push_back(0xDC00u + (u & 0x3FFu));
            i += 4;
        } else {
            codes.push_back(c);
            i += 1;
        }
    }
    if (codes.empty()) return make_numeric(ClassId::Char, 0, 0);
    Value v = make_numeric(ClassId::Char, 1, codes.size());
    std::copy(codes.begin(), codes.end(), v.mutable_data());
    return v;
}

Value Value::char_matrix(std::size_t rows, std::size_t cols) {
    Value v = make_numeric(ClassId::Char, rows, cols);
    double* d = v.mutable_data();
    std::fill(d, d + rows * cols, 32.0);
    return v;
}

Value Value::cell(std::size_t rows, std::size_t cols) {
    const std::size_t n = checked_numel(rows, cols);
    Value v = compound(ClassId::Cell, rows, cols);
    v.payload_.heap->members->cells.assign(n, Value::empty());
    return v;
}

Value Value::cell_column(std::vector<Value> items) {
    Value v = compound(ClassId::Cell, items.size(), items.empty() ? 0 : 1);
    v.payload_.heap->members->cells = std::move(items);
    return v;
}

Value Value::cell_row(std::vector<Value> items) {
    Value v = compound(ClassId::Cell, items.empty() ? 0 : 1, items.size());
    v.payload_.heap->members->cells = std::move(items);
    return v;
}

Value Value::structure() { return compound(ClassId::Struct, 1, 1); }

double Value::stored_scalar(std::uint32_t head, const Storage* heap) {
    const auto cls = static_cast<ClassId>(head & 0xFFu);
    if (cls == ClassId::Absent || cls == ClassId::Unassigned) raise("Use of a value that holds nothing.");
    if (cls != ClassId::Double && cls != ClassId::Char && cls != ClassId::Logical)
        raise(std::string("A ") + class_name(cls) + " value cannot be used as a number.");
    // A numeric value that reaches here is stored (an inline one never does).
    if (heap->rows * heap->cols == 0) raise("Index exceeds matrix dimensions.");
    return heap->num()[0];
}

Value::Storage& Value::own() {
    if (payload_.heap->refs == 1) return *payload_.heap;
    const std::size_t n = payload_.heap->members ? 0 : payload_.heap->rows * payload_.heap->cols;
    Storage* s = allocate(n);
    s->rows = payload_.heap->rows;
    s->cols = payload_.heap->cols;
    std::copy(payload_.heap->num(), payload_.heap->num() + n, s->num());
    Value copy(cls(), s);  // owns the new block while the members are copied
    if (payload_.heap->members) s->members = new Members(*payload_.heap->members);
    *this = std::move(copy);
    return *payload_.heap;
}

double* Value::mutable_data_slow() {
    if (!stored()) return &payload_.scalar;
    return own().num();
}

std::string Value::text() const {
    std::string out;
    if (!is_numeric_like()) return out;
    const std::size_t n = numel();
    out.reserve(n);
    auto code_at = [&](std::size_t i) {
        const double d = (*this)[i];
        return d > 0 && d < 65536 ? static_cast<unsigned>(d) : 0u;
    };
    for (std::size_t i = 0; i < n; ++i) {
        unsigned code = code_at(i);
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < n && code_at(i + 1) >= 0xDC00 && code_at(i + 1) < 0xE000) {
            code = 0x10000u + ((code - 0xD800u) << 10) + (code_at(i + 1) - 0xDC00u);
            ++i;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
    return out;
}

const Value& Value::cell_at(std::size_t i) const {
    if (!is_cell()) raise("Cell contents reference from a non-cell array object.");
    if (i >= payload_.heap->members->cells.size()) raise("Index exceeds matrix dimensions.");
    return payload_.heap->members->cells[i];
}

Value& Value::mutable_cell_at(std::size_t i) {
    if (!is_cell()) raise("Cell contents assignment to a non-cell array object.");
    if (i >= payload_.heap->members->cells.size()) raise("Index exceeds matrix dimensions.");
    return own().members->cells[i];
}

const std::vector<std::string>& Value::field_names() const {
    static const std::vector<std::string> none;
    return is_struct() ? payload_.heap->members->names : none;
}

bool Value::has_field(std::string_view name) const {
    if (!is_struct()) return false;
    const auto& n = payload_.heap->members->names;
    return std::find(n.begin(), n.end(), name) != n.end();
}

const Value& Value::field(std::string_view name) const {
    if (is_struct()) {
        const auto& n = payload_.heap->members->names;
        auto it = std::find(n.begin(), n.end(), name);
        if (it != n.end()) return payload_.heap->members->fields[static_cast<std::size_t>(it - n.begin())];
    }
    raise("Reference to non-existent field '" + std::string(name) + "'.");
}

void Value::set_field(std::string_view name, Value v) {
    if (!is_struct()) raise("Field assignment to a non-structure array object.");
    Members& s = *own().members;
    auto it = std::find(s.names.begin(), s.names.end(), name);
    if (it != s.names.end()) {
        s.fields[static_cast<std::size_t>(it - s.names.begin())] = std::move(v);
    } else {
        s.names.emplace_back(name);
        s.fields.push_back(std::move(v));
    }
}

void Value::remove_field(std::string_view name) {
    if (!is_struct()) return;
    Members& s = *own().members;
    auto it = std::find(s.names.begin(), s.names.end(), name);
    if (it == s.names.end()) return;
    auto k = it - s.names.begin();
    s.names.erase(it);
    s.fields.erase(s.fields.begin() + k);
}

void Value::set_shape(std::size_t rows, std::size_t cols) {
    if ((rows != 0 && cols > numel() / rows) || rows * cols != numel())
        raise("To RESHAPE the number of elements must not change.");
    if (!stored()) return;  // inline: 1-by-1 stays 1-by-1
    if (rows == 1 && cols == 1 && is_numeric_like()) {
        const double d = payload_.heap->num()[0];
        drop(payload_.heap);
        head_ = word(cls(), false);
        payload_.scalar = d;
        return;
    }
    Storage& s = own();
    s.rows = rows;
    s.cols = cols;
}

Value Value::with_class(ClassId cls) const {
    Value v = *this;
    if (is_numeric_like()) v.set_class(cls);
    return v;
}

const char* class_name(ClassId cls) {
    switch (cls) {
        case ClassId::Double: return "double";
        case ClassId::Char: return "char";
        case ClassId::Logical: return "logical";
        case ClassId::Cell: return "cell";
        case ClassId::Struct: return "struct";
        case ClassId::Unassigned: return "unassigned";
        case ClassId::Absent: return "absent";
    }
    return "unknown";
}

}  // namespace rt
