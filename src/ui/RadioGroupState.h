#pragma once
// The one word in which every radio group of the application keeps its selected option. Each
// group owns a bit field; exactly one bit of the field is set for the selected option. The
// profile loaders and the macro manager write the word directly, the radio buttons select
// through it.
#include <cstdint>
#include <optional>

namespace orvane::ui {

struct RadioOption {
    int bit = 0;             // the option's own bit
    uint32_t groupMask = 0;  // every bit of its group, its own included
};

class RadioGroupState {
public:
    // Loop type of the macro manager and lift-off distance of the main window.
    static constexpr uint32_t kLoopTypeGroup = 0x0000E000;  // bits 13-15
    static constexpr uint32_t kLiftOffGroup = 0x00300000;   // bits 20-21

    static uint32_t get();
    static void set(uint32_t word);

    // Clears the other bits of the option's group and sets its own; bits of other groups stay.
    static void select(const RadioOption& option);
    // Clears the whole group: no option selected.
    static void clearGroup(uint32_t groupMask);
    static bool isSelected(int bit);

    // The option a radio button of the application stands for, by control Id.
    static std::optional<RadioOption> optionFor(uint32_t controlId);
};

}  // namespace orvane::ui
