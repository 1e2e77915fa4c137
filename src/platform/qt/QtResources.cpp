#include "platform/qt/QtResources.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <cmath>

namespace orvane::platform::qt {

namespace {
constexpr size_t kScaledCacheBytes = 96u << 20;

QString toQ(const Text& t) { return QString::fromUtf16(t.data(), qsizetype(t.size())); }

// Cell height (ascent + descent) over em size of the faces the skin names, so that a height
// asked for in cell pixels gives text of the size the skin was drawn for, whatever stands in.
double cellRatio(const QString& face) {
    const QString f = face.toLower();
    if (f == u"tahoma") return 2472.0 / 2048.0;
    if (f == u"ms shell dlg" || f == u"microsoft sans serif" || f == u"arial") return 2355.0 / 2048.0;
    if (f == u"宋体" || f == u"simsun" || f == u"新宋体" || f == u"nsimsun") return 1.0;
    return 0.0;  // unknown: measure the face that is used
}
}  // namespace

QtResources::QtResources() {
    const QStringList families = QFontDatabase::families();
    for (const char* f : {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei", "Droid Sans Fallback"})
        if (families.contains(QString::fromLatin1(f))) {
            cjkFamily_ = QString::fromLatin1(f);
            break;
        }
    for (const char* f : {"Noto Serif CJK SC", "Noto Serif SC", "AR PL UMing CN"})
        if (families.contains(QString::fromLatin1(f))) {
            cjkSerifFamily_ = QString::fromLatin1(f);
            break;
        }
    if (cjkFamily_.isEmpty()) cjkFamily_ = cjkSerifFamily_;
    if (cjkSerifFamily_.isEmpty()) cjkSerifFamily_ = cjkFamily_;
}

QString QtResources::family(const Text& face) const {
    const QString f = toQ(face).toLower();
    static const QString sans = QStringLiteral("DejaVu Sans");
    if (f.isEmpty() || f == u"tahoma" || f == u"ms shell dlg" || f == u"ms shell dlg 2" || f == u"microsoft sans serif" ||
        f == u"arial" || f == u"segoe ui" || f == u"verdana")
        return sans;
    if (f == u"宋体" || f == u"simsun" || f == u"新宋体" || f == u"nsimsun")
        return cjkSerifFamily_.isEmpty() ? sans : cjkSerifFamily_;
    if (f == u"微软雅黑" || f == u"microsoft yahei" || f == u"黑体" || f == u"simhei")
        return cjkFamily_.isEmpty() ? sans : cjkFamily_;
    return toQ(face);
}

const QFont& QtResources::font(const FontSpec& spec) {
    const auto key = std::make_tuple(spec.face, spec.height, spec.weight);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;

    QFont f;
    QStringList fams{family(spec.face), QStringLiteral("DejaVu Sans")};
    if (!cjkFamily_.isEmpty()) fams << cjkFamily_;
    f.setFamilies(fams);
    f.setStyleStrategy(QFont::PreferAntialias);
    f.setWeight(spec.weight <= 0 ? QFont::Normal : QFont::Weight(std::clamp(spec.weight, 100, 900)));
    int px = spec.height < 0 ? -spec.height : spec.height;
    if (spec.height > 0) {
        double ratio = cellRatio(toQ(spec.face));
        if (ratio <= 0) {
            QFont probe = f;
            probe.setPixelSize(100);
            const QFontMetricsF fm(probe);
            ratio = (fm.ascent() + fm.descent()) / 100.0;
        }
        px = int(std::lround(double(spec.height) / ratio));
    }
    f.setPixelSize(std::max(px, 1));
    return fonts_.emplace(key, f).first->second;
}

QImage QtResources::wrap(const Image& img) {
    if (img.isNull()) return {};
    return QImage(reinterpret_cast<const uchar*>(img.bits()), img.width(), img.height(), qsizetype(img.width()) * 4,
                  QImage::Format_ARGB32_Premultiplied);
}

QImage QtResources::iconCopy(const Image& img) {
    // Window lists, title bars and trays show icons of a few dozen pixels.
    constexpr int kLargestIcon = 64;
    const QImage whole = wrap(img);
    QImage out = img.width() > kLargestIcon || img.height() > kLargestIcon
                     ? whole.scaled(kLargestIcon, kLargestIcon, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                     : whole.copy();
    img.releasePixels();
    return out;
}

const QImage& QtResources::scaled(const Image& img, const Rect& src, Size size) {
    const ScaledKey key{img.key(), src.left, src.top, src.right, src.bottom, size.width, size.height};
    auto it = scaled_.find(key);
    if (it != scaled_.end()) {
        lru_.splice(lru_.begin(), lru_, it->second.lru);
        return it->second.scaled;
    }
    const QImage whole = wrap(img);
    QImage out = (src == img.rect() ? whole : whole.copy(src.left, src.top, src.width(), src.height()))
                     .scaled(size.width, size.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    out.convertTo(QImage::Format_ARGB32_Premultiplied);
    // What is drawn is this copy: a picture read from a file lets its full-size pixels go (they
    // are read again should another size or part ever be asked for).
    img.releasePixels();
    scaledBytes_ += size_t(out.sizeInBytes());
    lru_.push_front(key);
    auto& entry = scaled_[key];
    entry = ScaledEntry{img, std::move(out), lru_.begin()};
    while (scaledBytes_ > kScaledCacheBytes && lru_.size() > 1) {
        auto victim = scaled_.find(lru_.back());
        scaledBytes_ -= size_t(victim->second.scaled.sizeInBytes());
        scaled_.erase(victim);
        lru_.pop_back();
    }
    return entry.scaled;
}

}  // namespace orvane::platform::qt
