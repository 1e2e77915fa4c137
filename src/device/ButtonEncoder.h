#pragma once
// KeyValue encodings of the button functions, the button image and its frames.
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>

#include "base/Text.h"
#include "device/CommandFrame.h"
#include "device/SentImages.h"
#include "profile/Profile.h"

namespace orvane {

using KeyValue = std::array<uint8_t, 3>;

namespace keyvalue {
inline constexpr uint8_t kDisabled = 0x00;
inline constexpr uint8_t kMouseButton = 0x10;
inline constexpr uint8_t kFire = 0x30;
inline constexpr uint8_t kDpi = 0x40;
inline constexpr uint8_t kShortcut = 0x70;
inline constexpr uint8_t kConsumer = 0x80;
inline constexpr uint8_t kMacro = 0x90;

inline constexpr KeyValue kLeft{0x10, 0x01, 0x00};
inline constexpr KeyValue kRight{0x10, 0x02, 0x00};
inline constexpr KeyValue kMiddle{0x10, 0x04, 0x00};
inline constexpr KeyValue kBack{0x10, 0x08, 0x00};
inline constexpr KeyValue kForward{0x10, 0x10, 0x00};
inline constexpr KeyValue kDpiUp{0x40, 0x02, 0x00};
inline constexpr KeyValue kDpiDown{0x40, 0x03, 0x00};
inline constexpr KeyValue kDpiCycle{0x40, 0x01, 0x00};
inline constexpr KeyValue kFixedFire{0x30, 0x32, 0x03};
inline constexpr KeyValue kNone{0x00, 0x00, 0x00};

inline constexpr uint8_t kModCtrl = 0x01;
inline constexpr uint8_t kModShift = 0x02;
inline constexpr uint8_t kModAlt = 0x04;
inline constexpr uint8_t kModWin = 0x08;
}  // namespace keyvalue

// A shortcut from ticked modifier boxes and a virtual-key code. None when the key cannot be the
// key of a shortcut (canBeShortcutKey): a modifier, or a key the mouse has no keyboard usage for.
struct Shortcut {
    KeyValue value;
    Text name;  // "Ctrl+Shift+C"
};
std::optional<Shortcut> encodeShortcut(uint8_t modifiers, uint8_t virtualKey);

// Bytes 0-1 are 0C 71, then the six KeyValues.
ButtonImage buildButtonImage(const Profile& p);
// Buttons whose bytes differ from the sent image; bytes 0 and 1 are never compared.
std::bitset<kKeyCount> changedButtons(const ButtonImage& image, const ButtonImage& sent);
Frame buttonFrame(int button, const KeyValue& value);

}  // namespace orvane
