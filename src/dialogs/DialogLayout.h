#pragma once
// Secondary dialogs are laid out in design pixels and drawn at the display scale.
#include <string>

#include "base/Text.h"
#include "platform/Geometry.h"
#include "platform/Image.h"
#include "platform/Painter.h"

namespace orvane::dialogs {

using platform::Image;
using platform::Painter;
using platform::Point;
using platform::Rect;
using platform::Size;

// Every coordinate times the scale, truncated.
inline platform::Rect scaledRect(int32_t left, int32_t top, int32_t right, int32_t bottom, float scale) {
    return {int32_t(float(left) * scale), int32_t(float(top) * scale), int32_t(float(right) * scale),
            int32_t(float(bottom) * scale)};
}

// A language text with its first "%d" replaced by n (appended when it has none). Texts come
// from a file, so they are never handed to printf.
inline Text withNumber(const Text& format, int n) {
    const Text number = fromUtf8(std::to_string(n));
    const size_t at = format.find(u"%d");
    return at == Text::npos ? format + u" " + number : format.substr(0, at) + number + format.substr(at + 2);
}

// Control Ids the dialogs share.
inline constexpr uint32_t kIdClose = 2004;
inline constexpr uint32_t kIdOkButton = 2010;

// Captions of the buttons most dialogs end with (language entries).
inline constexpr int kTextOk = 4;
inline constexpr int kTextCancel = 5;

// Names screen readers give the dialogs that show no title of their own (language entries).
inline constexpr int kTextAttentionName = 450;     // "Attention"
inline constexpr int kTextFactoryResetName = 451;  // "Factory reset"
inline constexpr int kTextDpiColourName = 403;     // "DPI level %d colour"
inline constexpr int kTextDpiValueOfStep = 391;    // "%d DPI"

// Colours of dialog texts (0x00BBGGRR).
inline constexpr uint32_t kDialogTextColour = 0xB4B4B4;

}  // namespace orvane::dialogs
