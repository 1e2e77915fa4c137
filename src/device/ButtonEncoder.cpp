#include "device/ButtonEncoder.h"

#include "device/KeyTables.h"

namespace orvane {

std::optional<Shortcut> encodeShortcut(uint8_t modifiers, uint8_t virtualKey) {
    if (!canBeShortcutKey(virtualKey)) return std::nullopt;
    Shortcut s;
    s.value = {keyvalue::kShortcut, static_cast<uint8_t>(modifiers & 0x0F), keyUsage(virtualKey)};
    if (modifiers & keyvalue::kModCtrl) s.name += u"Ctrl+";
    if (modifiers & keyvalue::kModShift) s.name += u"Shift+";
    if (modifiers & keyvalue::kModAlt) s.name += u"Alt+";
    if (modifiers & keyvalue::kModWin) s.name += u"Win+";
    s.name += keyName(virtualKey);
    return s;
}

ButtonImage buildButtonImage(const Profile& p) {
    ButtonImage img{};
    img[0] = 0x0C;
    img[1] = 0x71;
    for (int i = 0; i < kKeyCount; ++i)
        for (int b = 0; b < 3; ++b) img[2 + 3 * i + b] = p.keys[i].KeyValue[b];
    return img;
}

std::bitset<kKeyCount> changedButtons(const ButtonImage& image, const ButtonImage& sent) {
    std::bitset<kKeyCount> changed;
    for (size_t k = 2; k < image.size(); ++k)
        if (image[k] != sent[k]) changed.set((k - 2) / 3);
    return changed;
}

Frame buttonFrame(int button, const KeyValue& value) {
    const uint8_t payload[4] = {static_cast<uint8_t>(button), value[0], value[1], value[2]};
    return makeFrame(Command::Button, 0, 1, 4, payload);
}

}  // namespace orvane
