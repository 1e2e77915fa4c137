#include "ui/RadioGroupState.h"

namespace orvane::ui {

namespace {

uint32_t g_word = 0;

struct OptionById {
    uint32_t id;
    RadioOption option;
};

constexpr OptionById kOptions[] = {
    {2031, {13, RadioGroupState::kLoopTypeGroup}},
    {2032, {14, RadioGroupState::kLoopTypeGroup}},
    {2033, {15, RadioGroupState::kLoopTypeGroup}},
    {3510, {20, RadioGroupState::kLiftOffGroup}},
    {3511, {21, RadioGroupState::kLiftOffGroup}},
};

}  // namespace

uint32_t RadioGroupState::get() { return g_word; }

void RadioGroupState::set(uint32_t word) { g_word = word; }

void RadioGroupState::select(const RadioOption& option) {
    if (option.bit < 0 || option.bit > 31) return;
    g_word = (g_word & ~option.groupMask) | (uint32_t{1} << option.bit);
}

void RadioGroupState::clearGroup(uint32_t groupMask) { g_word &= ~groupMask; }

bool RadioGroupState::isSelected(int bit) { return bit >= 0 && bit <= 31 && (g_word >> bit) & 1u; }

std::optional<RadioOption> RadioGroupState::optionFor(uint32_t controlId) {
    for (const auto& o : kOptions)
        if (o.id == controlId) return o.option;
    return std::nullopt;
}

}  // namespace orvane::ui
