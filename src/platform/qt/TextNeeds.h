#pragma once
// How much room a text needs as the Qt painter lays it out, without Qt in the caller: checks that
// every text fits its control use it. A Qt application (QtPlatform) must be running.
#include "platform/Painter.h"

namespace orvane::platform::qt {

// The room text needs when drawText lays it out in r with format, before any ellipsis: one
// line's advance and the height of its ink (after kTextCondense), or the wrapped block's bounds
// (after kTextShrinkToFit). Larger than r means the text is cut short or spills over r.
Size textNeeds(const Text& text, const Rect& r, const FontSpec& font, TextFormat format);

}  // namespace orvane::platform::qt
