#pragma once
// What painters share across paints: fonts resolved from the skin's face names (with the
// substitutions a Linux machine needs) and images already resampled to the sizes drawn.
#include <QFont>
#include <QImage>
#include <list>
#include <map>
#include <tuple>

#include "platform/Font.h"
#include "platform/Image.h"

namespace orvane::platform::qt {

class QtResources {
public:
    QtResources();

    const QFont& font(const FontSpec& spec);
    // img's src part resampled to size with high quality; kept for later paints.
    const QImage& scaled(const Image& img, const Rect& src, Size size);
    // The pixels of img seen as a QImage, without a copy.
    static QImage wrap(const Image& img);
    // A copy of an application icon for the window system, no larger than it shows icons; the
    // picture's own pixels are let go.
    static QImage iconCopy(const Image& img);
    // The installed family that stands in for a face the skin names.
    QString family(const Text& face) const;

    size_t scaledBytes() const { return scaledBytes_; }

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
    std::map<ScaledKey, ScaledEntry> scaled_;
    std::list<ScaledKey> lru_;
    size_t scaledBytes_ = 0;
    QString cjkFamily_;
    QString cjkSerifFamily_;
};

}  // namespace orvane::platform::qt
