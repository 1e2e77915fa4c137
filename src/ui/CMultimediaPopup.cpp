#include "ui/CMultimediaPopup.h"

namespace orvane::ui {

namespace {
constexpr TablePopupEntry kEntries[] = {
    {45, {0x80, 0x83, 0x01}, 3},
    {46, {0x80, 0xB6, 0x00}, 3},
    {47, {0x80, 0xB5, 0x00}, 3},
    {48, {0x80, 0xB7, 0x00}, 3},
    {49, {0x80, 0xCD, 0x00}, 3},
    {50, {0x80, 0xE2, 0x00}, 3},
    {51, {0x80, 0xE9, 0x00}, 3},
    {52, {0x80, 0xEA, 0x00}, 3},
    {53, {0x80, 0x8A, 0x01}, 3},
    {54, {0x80, 0x92, 0x01}, 3},
};
}  // namespace

CMultimediaPopup::CMultimediaPopup(const LanguageTable& language) : CTablePopup(kTypeMultimedia, language, kEntries) {}

}  // namespace orvane::ui
