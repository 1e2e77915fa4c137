#pragma once
// Painter over a QPainter: the screen, off-screen pictures and the gallery all draw through it.
#include <QPainter>

#include "platform/Painter.h"
#include "platform/qt/QtResources.h"

namespace orvane::platform::qt {

class QtPainter : public Painter {
public:
    // The painter must be active on a device of the given size.
    QtPainter(QPainter& painter, Size size, QtResources& resources);

    Size size() const override { return size_; }
    void setClip(const Rect& clip) override;
    Rect clip() const override { return clip_; }
    void fillRect(const Rect& r, Color c) override;
    void drawRect(const Rect& r, Color c) override;
    void drawLine(Point a, Point b, Color c) override;
    void setPixel(Point p, Color c) override;
    void drawImage(const Image& img, const Rect& dst, Interpolation mode) override;
    void drawImage(const Image& img, const Rect& dst, const Rect& src, Interpolation mode) override;
    void drawText(const Text& text, const Rect& r, const FontSpec& font, Color c, TextFormat format) override;
    Size textSize(const Text& text, const FontSpec& font) override;

private:
    QPainter& p_;
    Size size_;
    Rect clip_;
    QtResources& res_;
};

QColor toQColor(Color c);
QString toQString(const Text& text);

}  // namespace orvane::platform::qt
