#pragma once
// One named macro: up to 336 four-byte actions plus the loop settings the macro manager edits.
// Action slots are opaque here; byte 0 of an action is the least significant byte of its value.
#include <array>
#include <cstdint>

#include "base/Text.h"

namespace orvane {

class MacroKey {
public:
    static constexpr uint32_t kSlotCount = 336;

    MacroKey() = default;
    explicit MacroKey(Text name) : Name(std::move(name)) {}

    // Slot i gets value's bytes least significant first; false for i beyond the last slot.
    bool SetAction(uint32_t i, uint32_t value);
    // Fails when all slots are in use; i past the end appends. The last slot's content is lost
    // when an insertion shifts the tail up.
    bool InsertAction(uint32_t i, uint32_t value);
    bool DeleteAction(uint32_t i);
    // Slot 0 for an index beyond the last slot, so a bad index never reads out of bounds.
    [[nodiscard]] uint32_t GetAction(uint32_t i) const;
    [[nodiscard]] std::array<uint8_t, 4> GetActionBytes(uint32_t i) const;
    void SetActionBytes(uint32_t i, const std::array<uint8_t, 4>& bytes);

    [[nodiscard]] const Text& GetName() const { return Name; }
    void SetName(Text name) { Name = std::move(name); }

    // ActionCount as read from a file may exceed the slot count; loops over actions use this.
    [[nodiscard]] uint32_t UsableActionCount() const {
        return ActionCount < kSlotCount ? ActionCount : kSlotCount;
    }

    bool operator==(const MacroKey&) const = default;

    Text Name;
    uint32_t ActionCount = 0;
    std::array<uint32_t, kSlotCount> Actions{};
    uint8_t LoopType = 2;  // 1, 4 or 2; with 2 the macro runs LoopNum times
    uint8_t LoopNum = 1;
    uint8_t CommandActionNum = 0;
};

}  // namespace orvane
