#include "profile/LanguageTable.h"

namespace orvane {

const Text& LanguageTable::LanguageText(int index) const {
    static const Text empty;
    return IsValidIndex(index) ? texts_[size_t(index)] : empty;
}

void LanguageTable::SetText(int index, Text text) {
    if (IsValidIndex(index)) texts_[size_t(index)] = std::move(text);
}

}  // namespace orvane
