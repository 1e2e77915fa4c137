#include "ui/CProfileRKeyPopup.h"

namespace orvane::ui {

namespace {
constexpr TablePopupEntry kEntries[] = {
    {90, {0}, 1},
    {91, {1}, 1},
    {92, {2}, 1},
    {93, {3}, 1},
    {380, {4}, 1},  // the programs that select the profile
};
}  // namespace

CProfileRKeyPopup::CProfileRKeyPopup(const LanguageTable& language) : CTablePopup(kTypeProfileRKey, language, kEntries) {}

}  // namespace orvane::ui
