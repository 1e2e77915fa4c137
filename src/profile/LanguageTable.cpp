#include "profile/LanguageTable.h"

namespace orvane {

const Text& LanguageTable::LanguageText(int index) const {
    static const Text empty;
    return IsValidIndex(index) ? texts_[size_t(index)] : empty;
}

void LanguageTable::SetText(int index, Text text) {
    if (IsValidIndex(index)) texts_[size_t(index)] = std::move(text);
}

void LanguageTable::AddOtherWording(int index, Text text) {
    if (!IsValidIndex(index) || text.empty()) return;
    auto& known = otherWordings_[index];
    for (const Text& t : known)
        if (t == text) return;
    known.push_back(std::move(text));
}

const std::vector<Text>& LanguageTable::OtherWordings(int index) const {
    static const std::vector<Text> none;
    const auto it = otherWordings_.find(index);
    return it == otherWordings_.end() ? none : it->second;
}

}  // namespace orvane
