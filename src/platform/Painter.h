#pragma once
// What controls draw with. Implemented over Qt for the screen and the gallery, and by
// RecordingPainter for tests. Coordinates are device pixels of the target; everything is
// clipped to the current clip rectangle.
#include <cstdint>

#include "base/Text.h"
#include "platform/Color.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Image.h"

namespace orvane::platform {

enum class Interpolation {
    Smooth,   // high-quality resampling: the skin's pictures
    Nearest,  // pixel copies where a picture must stay crisp
};

// Text layout flags; the values are those the skin's layouts were written with, so owners can
// pass their format words through unchanged.
using TextFormat = uint32_t;
inline constexpr TextFormat kTextLeft = 0x0;
inline constexpr TextFormat kTextCenter = 0x1;
inline constexpr TextFormat kTextRight = 0x2;
inline constexpr TextFormat kTextVCenter = 0x4;  // with kTextSingleLine
inline constexpr TextFormat kTextBottom = 0x8;   // with kTextSingleLine
inline constexpr TextFormat kTextWordBreak = 0x10;
inline constexpr TextFormat kTextSingleLine = 0x20;
inline constexpr TextFormat kTextNoClip = 0x100;
inline constexpr TextFormat kTextEndEllipsis = 0x8000;
inline constexpr TextFormat kTextWordEllipsis = 0x40000;
// Our own, above the skin's bits. A single line wider than r is drawn narrower (down to three
// quarters of its width) so that it fits.
inline constexpr TextFormat kTextCondense = 0x1000000;
// With kTextWordBreak: text that wraps to more lines than r holds is drawn smaller (down to
// three quarters of the height) so that every line fits.
inline constexpr TextFormat kTextShrinkToFit = 0x2000000;

class Painter {
public:
    virtual ~Painter() = default;

    // The target's size in device pixels.
    virtual Size size() const = 0;

    virtual void setClip(const Rect& clip) = 0;
    virtual Rect clip() const = 0;

    virtual void fillRect(const Rect& r, Color c) = 0;
    // A one-pixel outline inside r.
    virtual void drawRect(const Rect& r, Color c) = 0;
    // A one-pixel line from a to b, both ends included.
    virtual void drawLine(Point a, Point b, Color c) = 0;
    virtual void setPixel(Point p, Color c) = 0;

    // The whole image stretched to dst.
    virtual void drawImage(const Image& img, const Rect& dst, Interpolation mode = Interpolation::Smooth) = 0;
    // The part src of the image stretched to dst.
    virtual void drawImage(const Image& img, const Rect& dst, const Rect& src,
                           Interpolation mode = Interpolation::Smooth) = 0;

    // Transparent background. Ellipsis and single line apply per line; kTextWordBreak wraps at
    // word boundaries inside r, and with kTextVCenter the wrapped block is centred in r.
    virtual void drawText(const Text& text, const Rect& r, const FontSpec& font, Color c, TextFormat format) = 0;
    virtual Size textSize(const Text& text, const FontSpec& font) = 0;
};

// Restores the clip on scope exit.
class ClipScope {
public:
    ClipScope(Painter& p, const Rect& clip) : p_(p), saved_(p.clip()) { p_.setClip(clip); }
    ~ClipScope() { p_.setClip(saved_); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Painter& p_;
    Rect saved_;
};

}  // namespace orvane::platform
