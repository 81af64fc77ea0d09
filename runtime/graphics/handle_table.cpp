#include "runtime/graphics/handle_table.hpp"

#include <algorithm>
#include <bit>

#include "runtime/graphics/graphics_object.hpp"

namespace rt {

HandleTable::HandleTable(std::size_t kept_room) : kept_room_(std::bit_ceil(std::max<std::size_t>(kept_room, 2))) {
    rehash(kept_room_);
}

HandleTable::~HandleTable() {
    for (Slot& slot : recent_) delete slot.obj;
    for (Slot& slot : slots_) delete slot.obj;
}

GraphicsObject* HandleTable::find_older(std::uint64_t k) const noexcept {
    for (std::size_t i = home(k);; i = (i + 1) & mask_) {
        const Slot& slot = slots_[i];
        if (slot.k == k) return slot.obj;
        if (slot.k == 0) return nullptr;
    }
}

void HandleTable::age(Slot& slot) {
    // At most half full, so probes stay short and a free slot always ends one
    // (insert has made the room already).
    if ((older_count_ + 1) * 2 > slots_.size()) rehash(slots_.size() * 2);
    place(slot.k, slot.obj);
    slot = {};
}

void HandleTable::place(std::uint64_t k, GraphicsObject* obj) noexcept {
    std::size_t i = home(k);
    while (slots_[i].k != 0) i = (i + 1) & mask_;
    slots_[i] = {k, obj};
    ++older_count_;
}

GraphicsObject* HandleTable::take_older(std::uint64_t k) noexcept {
    if (k == 0) return nullptr;
    std::size_t i = home(k);
    while (slots_[i].k != k) {
        if (slots_[i].k == 0) return nullptr;
        i = (i + 1) & mask_;
    }
    GraphicsObject* out = slots_[i].obj;
    slots_[i] = {};
    --older_count_;
    --count_;
    // Close the gap: an entry further along the run moves back into it
    // unless its own first slot lies after the gap (cyclically), where a
    // lookup starting there would no longer pass the gap to reach it.
    for (std::size_t j = (i + 1) & mask_; slots_[j].k != 0; j = (j + 1) & mask_) {
        const std::size_t first = home(slots_[j].k);
        const bool stays = i <= j ? (i < first && first <= j) : (i < first || first <= j);
        if (stays) continue;
        slots_[i] = slots_[j];
        slots_[j] = {};
        i = j;
    }
    // Nor keep the room of a window of surfaces that has gone.
    if (slots_.size() > kept_room_ && count_ * 8 < slots_.size()) {
        try {
            rehash(slots_.size() / 2);
        } catch (...) {  // out of memory: the bigger table serves as well
        }
    }
    return out;
}

void HandleTable::clear() {
    for (Slot& slot : recent_) {
        delete slot.obj;
        slot = {};
    }
    for (Slot& slot : slots_) {
        delete slot.obj;
        slot = {};
    }
    count_ = 0;
    older_count_ = 0;
    newest_ = 0;
    if (slots_.size() > kept_room_) rehash(kept_room_);
}

void HandleTable::rehash(std::size_t room) {
    std::vector<Slot> old(room);
    old.swap(slots_);
    mask_ = room - 1;
    grow_at_ = room / 2;
    shift_ = 64 - std::countr_zero(room);
    older_count_ = 0;
    for (const Slot& slot : old) {
        if (slot.k != 0) place(slot.k, slot.obj);
    }
}

}  // namespace rt
