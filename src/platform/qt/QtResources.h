#pragma once
// What painters share across paints: fonts resolved from the skin's face names (with the
// substitutions a Linux machine needs) and images already resampled to the sizes drawn.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <future>
#include <list>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/Font.h"
#include "platform/Image.h"

namespace orvane::platform::qt {

class QtResources {
public:
    QtResources();

    const QFont& font(const FontSpec& spec);
    // img's src part resampled to size with high quality; kept for later paints.
    const QImage& scaled(const Image& img, const Rect& src, Size size);
    // Draws img's src part unscaled at `at` when img is a large opaque picture read from a file
    // made mostly of runs of equal pixels (the main window's background): such a picture is kept
    // as those runs, about a tenth of its size, and its own pixels are let go; each paint
    // expands only the part it draws. False for any other picture, which the caller draws from
    // its own pixels.
    bool drawPacked(QPainter& p, const Image& img, QPoint at, const QRect& src);
    // The pixels of img seen as a QImage, without a copy.
    static QImage wrap(const Image& img);
    // A copy of an application icon for the window system, no larger than it shows icons; the
    // picture's own pixels are let go.
    static QImage iconCopy(const Image& img);
    // The installed family that stands in for a face the skin names.
    QString family(const Text& face) const;

private:
    struct ScaledKey {
        const void* image;
        int32_t sl, st, sr, sb, w, h;
        auto tie() const { return std::tie(image, sl, st, sr, sb, w, h); }
        bool operator<(const ScaledKey& o) const { return tie() < o.tie(); }
    };
    struct ScaledEntry {
        Image source;  // keeps the pixels (and so the key) alive
        QImage scaled;
        std::list<ScaledKey>::iterator lru;
    };
    std::map<std::tuple<Text, int32_t, int32_t>, QFont> fonts_;
    struct PackedEntry {
        Image source;  // keeps the key alive
        // Runs of equal pixels, row after row: row y holds runs rowRuns[y] to rowRuns[y + 1].
        // Empty: the picture is drawn from its own pixels.
        std::vector<uint32_t> rowRuns;
        std::vector<uint32_t> colours;
        std::vector<uint16_t> lengths;
    };
    std::vector<uint32_t> expanded_;  // rows of a packed picture being drawn
    std::map<const void*, PackedEntry> packed_;
    std::map<ScaledKey, ScaledEntry> scaled_;
    std::list<ScaledKey> lru_;
    size_t scaledBytes_ = 0;
    // The installed faces that stand in for the Chinese and Japanese ones the skin names. Listing
    // the installed faces is the first use of the font database, which reads the system's font
    // configuration then (a few milliseconds): it runs on a thread of its own from the start, and
    // its result is taken when a font is first needed.
    struct Families {
        QString cjk;
        QString cjkSerif;
        QString japanese;  // Japanese forms of the characters Chinese shares
    };
    const Families& families() const;
    mutable std::future<QStringList> installed_;
    mutable std::optional<Families> families_;
};

}  // namespace orvane::platform::qt
