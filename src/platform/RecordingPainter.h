#pragma once
// A painter that remembers what was drawn, for tests of controls and windows.
#include <string>
#include <vector>

#include "platform/Painter.h"

namespace orvane::platform {

struct PaintOp {
    enum class Kind { Fill, Outline, Line, Pixel, Image, Text };
    Kind kind;
    Rect rect;        // target rectangle (Line: from rect.left,top to rect.right,bottom; Pixel: left,top)
    Rect clip;        // clip in force
    Color color;      // Fill, Outline, Line, Pixel, Text
    Image image;      // Image
    Rect source;      // Image: source rectangle
    Interpolation interpolation = Interpolation::Smooth;
    Text text;        // Text
    FontSpec font;    // Text
    TextFormat format = 0;
};

class RecordingPainter : public Painter {
public:
    explicit RecordingPainter(Size size = {2254, 1480});

    Size size() const override { return size_; }
    void setClip(const Rect& clip) override { clip_ = clip; }
    Rect clip() const override { return clip_; }
    void fillRect(const Rect& r, Color c) override;
    void drawRect(const Rect& r, Color c) override;
    void drawLine(Point a, Point b, Color c) override;
    void setPixel(Point p, Color c) override;
    void drawImage(const Image& img, const Rect& dst, Interpolation mode) override;
    void drawImage(const Image& img, const Rect& dst, const Rect& src, Interpolation mode) override;
    void drawText(const Text& text, const Rect& r, const FontSpec& font, Color c, TextFormat format) override;
    // An approximation good enough for layout tests: height × 0.6 per character.
    Size textSize(const Text& text, const FontSpec& font) override;

    const std::vector<PaintOp>& ops() const { return ops_; }
    void clear() { ops_.clear(); }
    std::vector<PaintOp> opsOf(PaintOp::Kind kind) const;
    // Texts drawn, in order, as UTF-8.
    std::vector<std::string> texts() const;
    // The last op that drew text t, or nullptr.
    const PaintOp* findText(const Text& t) const;

private:
    PaintOp base(PaintOp::Kind kind, const Rect& r) const;
    Size size_;
    Rect clip_;
    std::vector<PaintOp> ops_;
};

}  // namespace orvane::platform
