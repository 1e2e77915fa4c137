#include "platform/qt/QtResources.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace orvane::platform::qt {

namespace {
constexpr size_t kScaledCacheBytes = 96u << 20;

QString toQ(const Text& t) { return QString::fromUtf16(t.data(), qsizetype(t.size())); }

// The Japanese faces whose cell is as high as their em, like the Chinese one.
bool isJapaneseFace(const QString& lowerFace) {
    return lowerFace == u"ms ui gothic" || lowerFace == u"ms gothic";
}

// Cell height (ascent + descent) over em size of the faces the skin names, so that a height
// asked for in cell pixels gives text of the size the skin was drawn for, whatever stands in.
double cellRatio(const QString& face) {
    const QString f = face.toLower();
    if (f == u"tahoma") return 2472.0 / 2048.0;
    if (f == u"ms shell dlg" || f == u"microsoft sans serif" || f == u"arial") return 2355.0 / 2048.0;
    if (f == u"宋体" || f == u"simsun" || f == u"新宋体" || f == u"nsimsun") return 1.0;
    if (isJapaneseFace(f)) return 1.0;
    return 0.0;  // unknown: measure the face that is used
}
}  // namespace

// The font database may be used from any thread once the application object exists.
QtResources::QtResources() : installed_(std::async(std::launch::async, [] { return QFontDatabase::families(); })) {}

const QtResources::Families& QtResources::families() const {
    if (families_) return *families_;
    Families found;
    const QStringList installed = installed_.get();
    const auto first = [&installed](std::initializer_list<const char*> names) {
        for (const char* f : names)
            if (installed.contains(QString::fromLatin1(f))) return QString::fromLatin1(f);
        return QString();
    };
    found.cjk = first({"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei", "Droid Sans Fallback"});
    found.cjkSerif = first({"Noto Serif CJK SC", "Noto Serif SC", "AR PL UMing CN"});
    // A Chinese face draws the characters Japanese shares with Chinese in their Chinese forms.
    found.japanese = first({"Noto Sans CJK JP", "Noto Sans JP", "IPAexGothic", "IPAGothic", "TakaoPGothic", "VL PGothic"});
    if (found.cjk.isEmpty()) found.cjk = found.cjkSerif;
    if (found.cjkSerif.isEmpty()) found.cjkSerif = found.cjk;
    return families_.emplace(std::move(found));
}

QString QtResources::family(const Text& face) const {
    const QString f = toQ(face).toLower();
    static const QString sans = QStringLiteral("DejaVu Sans");
    if (f.isEmpty() || f == u"tahoma" || f == u"ms shell dlg" || f == u"ms shell dlg 2" || f == u"microsoft sans serif" ||
        f == u"arial" || f == u"segoe ui" || f == u"verdana")
        return sans;
    if (f == u"宋体" || f == u"simsun" || f == u"新宋体" || f == u"nsimsun")
        return families().cjkSerif.isEmpty() ? sans : families().cjkSerif;
    if (f == u"微软雅黑" || f == u"microsoft yahei" || f == u"黑体" || f == u"simhei")
        return families().cjk.isEmpty() ? sans : families().cjk;
    if (isJapaneseFace(f)) {
        if (!families().japanese.isEmpty()) return families().japanese;
        return families().cjk.isEmpty() ? sans : families().cjk;
    }
    return toQ(face);
}

const QFont& QtResources::font(const FontSpec& spec) {
    const auto key = std::make_tuple(spec.face, spec.height, spec.weight);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;

    QFont f;
    QStringList fams{family(spec.face), QStringLiteral("DejaVu Sans")};
    if (!families().cjk.isEmpty()) fams << families().cjk;
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

bool QtResources::drawPacked(QPainter& p, const Image& img, QPoint at, const QRect& src) {
    // Below this the saving is not worth a second form of the picture.
    constexpr size_t kLeastBytes = 1u << 20;
    const int w = img.width();
    const int h = img.height();
    const size_t pixelCount = size_t(w) * size_t(h);
    if (pixelCount * 4 < kLeastBytes) return false;
    auto it = packed_.find(img.key());
    if (it == packed_.end()) {
        PackedEntry e{img, {}, {}, {}};
        const uint32_t* px = img.bits();
        if (std::all_of(px, px + pixelCount, [](uint32_t c) { return (c >> 24) == 0xFF; })) {
            e.rowRuns.reserve(size_t(h) + 1);
            for (int y = 0; y < h; ++y) {
                e.rowRuns.push_back(uint32_t(e.colours.size()));
                const uint32_t* row = px + size_t(y) * size_t(w);
                for (int x = 0; x < w;) {
                    int n = 1;
                    while (x + n < w && row[x + n] == row[x] && n < 0xFFFF) ++n;
                    e.colours.push_back(row[x]);
                    e.lengths.push_back(uint16_t(n));
                    x += n;
                }
            }
            e.rowRuns.push_back(uint32_t(e.colours.size()));
            // Worth it only well below the picture's own size; and only a picture that can be
            // read again gives its pixels up (one made from pixels keeps them).
            if (e.colours.size() * 6 < pixelCount) img.releasePixels();
            if (img.pixelsLoaded()) {
                e.rowRuns = {};
                e.colours = {};
                e.lengths = {};
            } else {
                e.colours.shrink_to_fit();
                e.lengths.shrink_to_fit();
            }
        }
        it = packed_.emplace(img.key(), std::move(e)).first;
    }
    const PackedEntry& e = it->second;
    if (e.rowRuns.empty()) return false;
    const QRect part = src.intersected(QRect(0, 0, w, h));
    if (part.isEmpty()) return true;
    // Expanded a few rows at a time into one reused buffer, each row from its run under the
    // part's left edge.
    constexpr int kRowsAtOnce = 32;
    const int width = part.width();
    expanded_.resize(size_t(width) * kRowsAtOnce);
    for (int top = part.top(); top <= part.bottom(); top += kRowsAtOnce) {
        const int rows = std::min(kRowsAtOnce, part.bottom() + 1 - top);
        for (int r = 0; r < rows; ++r) {
            uint32_t* out = expanded_.data() + size_t(r) * size_t(width);
            size_t run = e.rowRuns[size_t(top + r)];
            const size_t end = e.rowRuns[size_t(top + r) + 1];
            int x = 0;  // where the run starts
            while (run < end && x + e.lengths[run] <= part.left()) x += e.lengths[run++];
            for (int col = part.left(); col <= part.right() && run < end; x += e.lengths[run++]) {
                const int stop = std::min(x + int(e.lengths[run]), part.right() + 1);
                std::fill(out + (col - part.left()), out + (stop - part.left()), e.colours[run]);
                col = stop;
            }
        }
        const QImage chunk(reinterpret_cast<const uchar*>(expanded_.data()), width, rows, qsizetype(width) * 4,
                           QImage::Format_RGB32);
        p.drawImage(QPoint(at.x() + part.left() - src.left(), at.y() + top - src.top()), chunk);
    }
    return true;
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
