#pragma once
// Keys of the small direct-mapped caches that recognise a value given again
// (a property name, a text, a line style) without reading its elements: a
// value held in storage by the address of its storage, which the cache's
// own copy keeps alive and unchanged, and a value held inline by the bits
// of its number.

#include <bit>
#include <cstddef>
#include <cstdint>

#include "runtime/array/value.hpp"

namespace rt::detail {

inline std::uint64_t storage_key(const Value& v) noexcept { return reinterpret_cast<std::uintptr_t>(v.data()); }

inline std::uint64_t value_key(const Value& v) noexcept {
    return v.is_inline() ? std::bit_cast<std::uint64_t>(v[0]) : storage_key(v);
}

// The slot of a key (mixed with whatever else tells entries apart) in a
// cache of `Slots` entries: the top bits of its product with 2^64 over the
// golden ratio.
template <std::size_t Slots>
std::size_t cache_slot(std::uint64_t key) noexcept {
    static_assert(Slots > 1 && (Slots & (Slots - 1)) == 0);
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - std::countr_zero(Slots)));
}

}  // namespace rt::detail
