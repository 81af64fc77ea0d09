#pragma once
// The objects other than windows, by the counter k of their handle k + 0.5.
// The table owns its objects (plain pointers: the caller takes one back with
// take and gives it to the next insert or deletes it).
//
// Counters are handed out in increasing order, and most objects die young: a
// learning step makes three and deletes them before the next step. So the
// newest kRecent counters live in a ring indexed by the counter's low bits,
// where adding, finding and removing one is an index and a comparison. A
// counter still alive when the ring comes round to its slot again moves to
// an open-addressed table with linear probing: the long-lived objects of the
// windows. Its first slot comes from multiplying the counter by 2^64 over the
// golden ratio (its top bits), so consecutive counters spread evenly, and it
// is at most half full, so a lookup nearly always finds its entry in the
// first slot it reads, whether it holds ten objects or a window's thousands
// of surfaces.

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace rt {

class GraphicsObject;

class HandleTable {
public:
    // `kept_room` (a power of two) is the room the older objects' table
    // starts with and never shrinks below.
    explicit HandleTable(std::size_t kept_room);
    ~HandleTable();
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    GraphicsObject* find(std::uint64_t k) const noexcept {
        const Slot& recent = recent_[k & kRecentMask];
        if (recent.k == k) return recent.obj;
        return find_older(k);
    }
    // k is one above the last counter inserted since the last clear (1 for
    // the first); obj not null.
    void insert(std::uint64_t k, GraphicsObject* obj) {
        assert(k == newest_ + 1);
        // Room for every entry in the older objects' table, made when the
        // entry comes (as a window's surfaces are drawn), not when the ring
        // passes it on (as a learning step draws).
        if (count_ >= grow_at_) [[unlikely]]
            rehash(slots_.size() * 2);
        // The counter the ring leaves behind, k - kRecent, moves on if alive.
        Slot& slot = recent_[k & kRecentMask];
        if (slot.k != 0) age(slot);
        slot = {k, obj};
        newest_ = k;
        ++count_;
    }
    // True when insert(k, ...) would take a free ring slot: it cannot fail then.
    bool fits(std::uint64_t k) const noexcept { return recent_[k & kRecentMask].k == 0 && count_ < grow_at_; }
    // insert when fits(k).
    void insert_fitting(std::uint64_t k, GraphicsObject* obj) noexcept {
        assert(k == newest_ + 1);
        recent_[k & kRecentMask] = {k, obj};
        newest_ = k;
        ++count_;
    }
    // Removes the entry and hands over its object (null when there is none).
    GraphicsObject* take(std::uint64_t k) noexcept {
        Slot& recent = recent_[k & kRecentMask];
        if (recent.k == k && k != 0) {
            GraphicsObject* obj = recent.obj;
            recent = {};
            --count_;
            return obj;
        }
        return take_older(k);
    }
    // Deletes every object; counters start again from 1.
    void clear();

    std::size_t size() const noexcept { return count_; }

private:
    static constexpr std::size_t kRecent = 64;
    static constexpr std::size_t kRecentMask = kRecent - 1;
    struct Slot {
        std::uint64_t k = 0;  // 0: free
        GraphicsObject* obj = nullptr;
    };
    GraphicsObject* find_older(std::uint64_t k) const noexcept;
    GraphicsObject* take_older(std::uint64_t k) noexcept;
    // Moves a ring entry into the older objects' table (and empties the slot).
    void age(Slot& slot);
    void place(std::uint64_t k, GraphicsObject* obj) noexcept;
    void rehash(std::size_t room);
    std::size_t home(std::uint64_t k) const noexcept {
        return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15u) >> shift_);
    }

    std::array<Slot, kRecent> recent_{};
    std::uint64_t newest_ = 0;  // the highest counter inserted
    std::size_t count_ = 0;     // in the ring and the table together
    std::vector<Slot> slots_;   // the older objects
    std::size_t older_count_ = 0;
    std::size_t mask_ = 0;
    std::size_t grow_at_ = 0;  // half the room
    int shift_ = 64;           // 64 - log2(room)
    std::size_t kept_room_;
};

}  // namespace rt
