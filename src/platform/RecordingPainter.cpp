#include "platform/RecordingPainter.h"

namespace orvane::platform {

RecordingPainter::RecordingPainter(Size size) : size_(size), clip_{0, 0, size.width, size.height} {}

PaintOp RecordingPainter::base(PaintOp::Kind kind, const Rect& r) const {
    PaintOp op{};
    op.kind = kind;
    op.rect = r;
    op.clip = clip_;
    return op;
}

void RecordingPainter::fillRect(const Rect& r, Color c) {
    auto op = base(PaintOp::Kind::Fill, r);
    op.color = c;
    ops_.push_back(std::move(op));
}

void RecordingPainter::drawRect(const Rect& r, Color c) {
    auto op = base(PaintOp::Kind::Outline, r);
    op.color = c;
    ops_.push_back(std::move(op));
}

void RecordingPainter::drawLine(Point a, Point b, Color c) {
    auto op = base(PaintOp::Kind::Line, Rect{a.x, a.y, b.x, b.y});
    op.color = c;
    ops_.push_back(std::move(op));
}

void RecordingPainter::setPixel(Point p, Color c) {
    auto op = base(PaintOp::Kind::Pixel, Rect{p.x, p.y, p.x + 1, p.y + 1});
    op.color = c;
    ops_.push_back(std::move(op));
}

void RecordingPainter::drawImage(const Image& img, const Rect& dst, Interpolation mode) {
    drawImage(img, dst, img.rect(), mode);
}

void RecordingPainter::drawImage(const Image& img, const Rect& dst, const Rect& src, Interpolation mode) {
    if (img.isNull()) return;
    auto op = base(PaintOp::Kind::Image, dst);
    op.image = img;
    op.source = src;
    op.interpolation = mode;
    ops_.push_back(std::move(op));
}

void RecordingPainter::drawText(const Text& text, const Rect& r, const FontSpec& font, Color c, TextFormat format) {
    auto op = base(PaintOp::Kind::Text, r);
    op.text = text;
    op.font = font;
    op.color = c;
    op.format = format;
    ops_.push_back(std::move(op));
}

Size RecordingPainter::textSize(const Text& text, const FontSpec& font) {
    const int h = font.height < 0 ? -font.height : font.height;
    return {int32_t(text.size() * size_t(h) * 6 / 10), h};
}

std::vector<PaintOp> RecordingPainter::opsOf(PaintOp::Kind kind) const {
    std::vector<PaintOp> out;
    for (const auto& op : ops_)
        if (op.kind == kind) out.push_back(op);
    return out;
}

std::vector<std::string> RecordingPainter::texts() const {
    std::vector<std::string> out;
    for (const auto& op : ops_)
        if (op.kind == PaintOp::Kind::Text) out.push_back(toUtf8(op.text));
    return out;
}

const PaintOp* RecordingPainter::findText(const Text& t) const {
    for (auto it = ops_.rbegin(); it != ops_.rend(); ++it)
        if (it->kind == PaintOp::Kind::Text && it->text == t) return &*it;
    return nullptr;
}

}  // namespace orvane::platform
