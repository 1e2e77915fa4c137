#include "profile/MacroLibrary.h"

#include <algorithm>

namespace orvane {

MacroLibrary::MacroLibrary(const MacroLibrary& other) {
    sets_.reserve(other.sets_.size());
    for (const auto& s : other.sets_) sets_.push_back(std::make_unique<MacroSet>(*s));
}

MacroLibrary& MacroLibrary::operator=(const MacroLibrary& other) {
    if (this != &other) *this = MacroLibrary(other);
    return *this;
}

MacroSet& MacroLibrary::AddSet(Text name) {
    sets_.push_back(std::make_unique<MacroSet>(std::move(name)));
    return *sets_.back();
}

MacroSet* MacroLibrary::FindSet(uint32_t index) {
    return index < sets_.size() ? sets_[index].get() : nullptr;
}

const MacroSet* MacroLibrary::FindSet(uint32_t index) const {
    return index < sets_.size() ? sets_[index].get() : nullptr;
}

bool MacroLibrary::operator==(const MacroLibrary& other) const {
    return std::equal(sets_.begin(), sets_.end(), other.sets_.begin(), other.sets_.end(),
                      [](const auto& a, const auto& b) { return *a == *b; });
}

}  // namespace orvane
