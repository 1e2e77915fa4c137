#pragma once
// Pixel operations that need no drawing backend.
#include "platform/Image.h"

namespace orvane::platform {

// The image over an opaque background: the result has no transparent pixels.
Image composeOver(const Image& img, Color background);
// Integer averages of red, green and blue over all pixels (alpha ignored).
Color averageColor(const Image& img);
// A canvas of canvasSize (opaque black) with the src part of img copied into dst,
// nearest-neighbour. src is clamped to the image.
Image stretchNearest(const Image& img, const Rect& src, Size canvasSize, const Rect& dst);

}  // namespace orvane::platform
