#include "profile/MacroSet.h"

#include <algorithm>

namespace orvane {

MacroSet::MacroSet(const MacroSet& other) : name_(other.name_) {
    keys_.reserve(other.keys_.size());
    for (const auto& k : other.keys_) keys_.push_back(std::make_unique<MacroKey>(*k));
}

MacroSet& MacroSet::operator=(const MacroSet& other) {
    if (this != &other) *this = MacroSet(other);
    return *this;
}

MacroKey& MacroSet::AddKey(Text name) {
    keys_.push_back(std::make_unique<MacroKey>(std::move(name)));
    return *keys_.back();
}

MacroKey* MacroSet::FindKey(uint32_t index) {
    return index < keys_.size() ? keys_[index].get() : nullptr;
}

const MacroKey* MacroSet::FindKey(uint32_t index) const {
    return index < keys_.size() ? keys_[index].get() : nullptr;
}

bool MacroSet::DeleteKey(uint32_t index) {
    if (index >= keys_.size()) return false;
    keys_.erase(keys_.begin() + index);
    return true;
}

bool MacroSet::ContainsKey(const Text& name) const {
    return std::any_of(keys_.begin(), keys_.end(), [&](const auto& k) { return k->Name == name; });
}

bool MacroSet::operator==(const MacroSet& other) const {
    return name_ == other.name_ &&
           std::equal(keys_.begin(), keys_.end(), other.keys_.begin(), other.keys_.end(),
                      [](const auto& a, const auto& b) { return *a == *b; });
}

}  // namespace orvane
