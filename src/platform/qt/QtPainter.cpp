#include "platform/qt/QtPainter.h"
#include "platform/qt/TextNeeds.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace orvane::platform::qt {

QColor toQColor(Color c) { return QColor(c.r, c.g, c.b, c.a); }

QString toQString(const Text& text) { return QString::fromUtf16(text.data(), qsizetype(text.size())); }

namespace {
QRect toQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }
}  // namespace

QtPainter::QtPainter(QPainter& painter, Size size, QtResources& resources)
    : p_(painter), size_(size), clip_{0, 0, size.width, size.height}, res_(resources) {
    p_.setClipRect(toQRect(clip_));
}

void QtPainter::setClip(const Rect& clip) {
    clip_ = clip;
    p_.setClipRect(toQRect(clip));
}

void QtPainter::fillRect(const Rect& r, Color c) {
    if (!r.isEmpty()) p_.fillRect(toQRect(r), toQColor(c));
}

void QtPainter::drawRect(const Rect& r, Color c) {
    if (r.isEmpty()) return;
    const QColor q = toQColor(c);
    p_.fillRect(QRect(r.left, r.top, r.width(), 1), q);
    p_.fillRect(QRect(r.left, r.bottom - 1, r.width(), 1), q);
    p_.fillRect(QRect(r.left, r.top, 1, r.height()), q);
    p_.fillRect(QRect(r.right - 1, r.top, 1, r.height()), q);
}

void QtPainter::drawLine(Point a, Point b, Color c) {
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(QPen(toQColor(c), 1));
    p_.drawLine(a.x, a.y, b.x, b.y);
}

void QtPainter::setPixel(Point pt, Color c) { p_.fillRect(QRect(pt.x, pt.y, 1, 1), toQColor(c)); }

void QtPainter::drawImage(const Image& img, const Rect& dst, Interpolation mode) {
    drawImage(img, dst, img.rect(), mode);
}

void QtPainter::drawImage(const Image& img, const Rect& dst, const Rect& src, Interpolation mode) {
    if (img.isNull() || dst.isEmpty()) return;
    const Rect s = src.intersected(img.rect());
    if (s.isEmpty()) return;
    if (s.size() == dst.size()) {
        if (!res_.drawPacked(p_, img, QPoint(dst.left, dst.top), toQRect(s)))
            p_.drawImage(QPoint(dst.left, dst.top), QtResources::wrap(img), toQRect(s));
    } else if (mode == Interpolation::Nearest) {
        p_.setRenderHint(QPainter::SmoothPixmapTransform, false);
        p_.drawImage(toQRect(dst), QtResources::wrap(img), toQRect(s));
    } else if (dst.width() >= s.width() && dst.height() >= s.height()) {
        // Enlarged (a panel frame over a taller panel): interpolated as it is drawn rather than
        // kept at every size it is drawn at, which would cost more memory than the picture.
        p_.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p_.drawImage(toQRect(dst), QtResources::wrap(img), toQRect(s));
    } else {
        // Reduced once with area averaging and kept: skins are drawn at a few fixed sizes.
        p_.drawImage(QPoint(dst.left, dst.top), res_.scaled(img, s, dst.size()));
    }
}

namespace {

// Narrowest and smallest a fitted text may become: below that it stops being legible.
constexpr int kMinStretch = 75;
constexpr double kMinShrink = 0.75;

// f made narrower until one line of s fits width.
QFont condensed(const QFont& f, const QString& s, int width) {
    const int natural = QFontMetrics(f).horizontalAdvance(s);
    if (natural <= width || natural <= 0) return f;
    QFont narrow = f;
    for (int stretch = std::max(kMinStretch, 100 * width / natural); stretch >= kMinStretch; --stretch) {
        narrow.setStretch(stretch);
        if (QFontMetrics(narrow).horizontalAdvance(s) <= width) break;
    }
    return narrow;
}

// f made smaller until s, wrapped at words, fits r.
QFont shrunk(const QFont& f, const QString& s, const QRect& r, int flags) {
    QFont small = f;
    const int full = f.pixelSize();
    const int least = std::max(1, int(std::ceil(full * kMinShrink)));
    for (int px = full; px >= least; --px) {
        small.setPixelSize(px);
        const QRect need = QFontMetrics(small).boundingRect(r, flags, s);
        if (need.height() <= r.height() && need.width() <= r.width()) break;
    }
    return small;
}

// How drawText lays out text in r: the font after narrowing or shrinking, the Qt flags and the
// text as one line where asked, before any ellipsis.
struct TextLayout {
    QFont font;
    QString text;
    int flags = 0;
};

TextLayout layoutText(QtResources& res, const Text& text, const Rect& r, const FontSpec& font, TextFormat format) {
    TextLayout l{res.font(font), toQString(text), 0};
    if (format & kTextCenter)
        l.flags |= Qt::AlignHCenter;
    else if (format & kTextRight)
        l.flags |= Qt::AlignRight;
    else
        l.flags |= Qt::AlignLeft;
    if (format & kTextNoClip) l.flags |= Qt::TextDontClip;
    if (format & kTextSingleLine) {
        l.text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        l.flags |= Qt::TextSingleLine;
        if (format & kTextVCenter)
            l.flags |= Qt::AlignVCenter;
        else if (format & kTextBottom)
            l.flags |= Qt::AlignBottom;
        else
            l.flags |= Qt::AlignTop;
        if (format & kTextCondense) l.font = condensed(l.font, l.text, r.width());
    } else if (format & kTextWordBreak) {
        l.flags |= Qt::TextWordWrap | ((format & kTextVCenter) ? Qt::AlignVCenter : Qt::AlignTop);
        if (format & kTextShrinkToFit) l.font = shrunk(l.font, l.text, toQRect(r), l.flags);
    } else {
        l.flags |= Qt::AlignTop;
    }
    return l;
}

}  // namespace

void QtPainter::drawText(const Text& text, const Rect& r, const FontSpec& font, Color c, TextFormat format) {
    if (text.empty() || r.isEmpty()) return;
    TextLayout l = layoutText(res_, text, r, font, format);
    if (format & (kTextWordEllipsis | kTextEndEllipsis)) {
        const QFontMetrics fm(l.font);
        if (format & kTextSingleLine) {
            l.text = fm.elidedText(l.text, Qt::ElideRight, r.width());
        } else if (!(format & kTextWordBreak)) {
            QStringList lines = l.text.split(QLatin1Char('\n'));
            for (auto& line : lines) line = fm.elidedText(line, Qt::ElideRight, r.width());
            l.text = lines.join(QLatin1Char('\n'));
        }
    }
    p_.setFont(l.font);
    p_.setPen(toQColor(c));
    p_.drawText(toQRect(r), l.flags, l.text);
}

Size textNeeds(const Text& text, const Rect& r, const FontSpec& font, TextFormat format) {
    if (text.empty()) return {};
    // Fonts only; never destroyed, as Qt's own statics may be gone at exit.
    static auto* resources = new QtResources;
    const TextLayout l = layoutText(*resources, text, r, font, format);
    const QFontMetrics fm(l.font);
    // One line is as tall as its ink: faces with CJK glyphs have line boxes far taller than
    // what they draw, and a vertically centred line only shows its ink.
    if (l.flags & Qt::TextSingleLine) return {fm.horizontalAdvance(l.text), fm.tightBoundingRect(l.text).height()};
    const QRect b = fm.boundingRect(toQRect(r), l.flags & ~Qt::TextDontClip, l.text);
    return {b.width(), b.height()};
}

Size QtPainter::textSize(const Text& text, const FontSpec& font) {
    const QFontMetrics fm(res_.font(font));
    const QRect b = fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::AlignLeft | Qt::AlignTop, toQString(text));
    return {b.width(), b.height()};
}

}  // namespace orvane::platform::qt
