#pragma once
// The macro windows are laid out in design pixels and drawn at the display scale.
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Painter.h"

namespace orvane::macro {

using platform::FontSpec;
using platform::Painter;
using platform::Point;
using platform::Rect;
using platform::Size;

}  // namespace orvane::macro
