#pragma once
// The objects other than windows, by the counter k of their handle k + 0.5:
// an open-addressed table with linear probing, which owns its objects.
// A counter's first slot comes from multiplying it by 2^64 over the golden
// ratio (its top bits): consecutive counters spread evenly, so the
// long-lived objects of the windows form no run that the objects a learning
// step makes and deletes would have to walk along. The table is at most half
// full, so a lookup nearly always finds its entry in the first slot it
// reads: finding, adding and removing cost the same few instructions whether
// it holds ten objects or a window's thousands of surfaces.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace rt {

class GraphicsObject;

class HandleTable {
public:
    // `kept_room` (a power of two) is the room the table starts with and
    // never shrinks below.
    explicit HandleTable(std::size_t kept_room);
    ~HandleTable();
    HandleTable(const HandleTable&) = delete;
    HandleTable& operator=(const HandleTable&) = delete;

    GraphicsObject* find(std::uint64_t k) const noexcept {
        for (std::size_t i = home(k);; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (slot.k == k) return slot.obj;
            if (slot.k == 0) return nullptr;
        }
    }
    // k > 0, not in the table.
    void insert(std::uint64_t k, std::unique_ptr<GraphicsObject> obj);
    // Removes the entry and hands over its object (null when there is none).
    std::unique_ptr<GraphicsObject> take(std::uint64_t k);
    // Deletes every object.
    void clear();

    std::size_t size() const noexcept { return count_; }
    std::size_t room() const noexcept { return slots_.size(); }

private:
    // Plain pointers, owned by the table, so that moving entries about
    // costs two words each.
    struct Slot {
        std::uint64_t k = 0;  // 0: free
        GraphicsObject* obj = nullptr;
    };
    void place(std::uint64_t k, GraphicsObject* obj) noexcept;
    void rehash(std::size_t room);
    std::size_t home(std::uint64_t k) const noexcept {
        return static_cast<std::size_t>((k * 0x9E3779B97F4A7C15u) >> shift_);
    }

    std::vector<Slot> slots_;
    std::size_t mask_ = 0;
    int shift_ = 64;  // 64 - log2(room)
    std::size_t count_ = 0;
    std::size_t kept_room_;
};

}  // namespace rt
