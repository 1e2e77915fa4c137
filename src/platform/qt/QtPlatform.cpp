#include "platform/qt/QtPlatform.h"

#include <QApplication>
#include <QCursor>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QRgb>
#include <QScreen>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "platform/qt/QtAccessible.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtKeyboardHook.h"
#include "platform/qt/QtFileChooser.h"
#include "platform/qt/QtPainter.h"
#include "platform/qt/QtResources.h"
#include "platform/qt/QtWindow.h"

namespace orvane::platform::qt {

namespace {
std::unique_ptr<QApplication> makeApplication(int& argc, char** argv) {
    // Sizes are ours to scale (the display scale doubles every layout size on very wide
    // screens); Qt must not scale them again.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    if (QCoreApplication::instance()) return nullptr;
    return std::make_unique<QApplication>(argc, argv);
}

Image copyOf(const QImage& img) {
    std::vector<uint32_t> pixels(size_t(img.width()) * size_t(img.height()));
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(img.constScanLine(y));
        std::copy(row, row + img.width(), pixels.begin() + ptrdiff_t(y) * img.width());
    }
    return Image(img.width(), img.height(), std::move(pixels));
}

ScreenInfo queryScreen() {
    ScreenInfo info;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect work = s->availableGeometry();
        info.fullScreen = {work.width(), work.height()};
        info.displayScale = displayScaleFor(work.width());
        info.pixelDensity = float(s->logicalDotsPerInchX() / 96.0);
    }
    return info;
}
}  // namespace

struct QtPlatform::Impl {
    explicit Impl(std::vector<std::string> pictureFolders)
        : images(std::move(pictureFolders), &QtPlatform::decodeFile, &QtPlatform::readImageSize) {}
    std::unique_ptr<QApplication> app;
    std::unique_ptr<QtEventLoop> loop;
    std::unique_ptr<QtResources> resources;
    ImageCache images;
    ScreenInfo screen;
    QtFileChooser files;
};

QtPlatform::QtPlatform(int& argc, char** argv, std::vector<std::string> pictureFolders)
    : d_(std::make_unique<Impl>(std::move(pictureFolders))) {
#if defined(__GLIBC__)
    // One heap for every thread of the window's process, set before Qt starts its own. The
    // other threads (Qt's event reader, the device transfers, start-up's picture decoding and
    // font lookup) allocate little, but each would otherwise get a heap of its own whose freed
    // pages stay resident: 0.3-0.4 MB measured with the window shown.
    mallopt(M_ARENA_MAX, 1);
#endif
    d_->app = makeApplication(argc, argv);
    d_->loop = std::make_unique<QtEventLoop>();
    d_->resources = std::make_unique<QtResources>();
    d_->screen = queryScreen();
    installAccessibleFactory();
}

QtPlatform::~QtPlatform() = default;

EventLoop& QtPlatform::loop() { return *d_->loop; }
ImageCache& QtPlatform::images() { return d_->images; }
const ScreenInfo& QtPlatform::screen() const { return d_->screen; }
FileChooser& QtPlatform::fileChooser() { return d_->files; }

bool QtPlatform::placesWindows() const { return !QGuiApplication::platformName().startsWith("wayland"); }

Rect QtPlatform::pointerScreen() const {
    QScreen* s = QGuiApplication::screenAt(QCursor::pos());
    if (!s) s = QGuiApplication::primaryScreen();
    if (!s) return Platform::pointerScreen();
    const QRect work = s->availableGeometry();
    return Rect::fromSize(work.x(), work.y(), work.width(), work.height());
}

std::unique_ptr<Window> QtPlatform::createWindow(WindowHost& host, const WindowOptions& options) {
    return std::make_unique<QtWindow>(*d_->loop, host, options, *d_->resources);
}

Image QtPlatform::render(Size size, const std::function<void(Painter&)>& paint) {
    if (size.width <= 0 || size.height <= 0) return {};
    std::vector<uint32_t> pixels(size_t(size.width) * size_t(size.height), 0xFF000000u);
    {
        QImage target(reinterpret_cast<uchar*>(pixels.data()), size.width, size.height, qsizetype(size.width) * 4,
                      QImage::Format_ARGB32_Premultiplied);
        QPainter p(&target);
        QtPainter qp(p, size, *d_->resources);
        paint(qp);
    }
    return Image(size.width, size.height, std::move(pixels));
}

Status QtPlatform::savePng(const Image& image, const std::string& path) {
    if (image.isNull()) return makeError(EINVAL, "save " + path + ": empty picture");
    QImageWriter writer(QString::fromStdString(path), "png");
    if (!writer.write(QtResources::wrap(image))) {
        return makeError(EIO, "save " + path + ": " + writer.errorString().toStdString());
    }
    return {};
}

std::unique_ptr<KeyboardHook> QtPlatform::createKeyboardHook() { return std::make_unique<QtKeyboardHook>(); }

Image QtPlatform::decodeFile(const std::string& path) {
    QImageReader reader(QString::fromStdString(path));
    reader.setAutoTransform(false);
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (size.isValid() && !size.isEmpty() &&
        (format == QImage::Format_ARGB32 || format == QImage::Format_RGB32 ||
         format == QImage::Format_ARGB32_Premultiplied)) {
        // Decoded straight into the picture's own pixels, so that a large skin picture is not
        // held twice even for a moment. Opaque pixels (0xFFRRGGBB) are already premultiplied.
        std::vector<uint32_t> pixels(size_t(size.width()) * size_t(size.height()));
        QImage target(reinterpret_cast<uchar*>(pixels.data()), size.width(), size.height(), qsizetype(size.width()) * 4,
                      format);
        if (reader.read(&target) && target.constBits() == reinterpret_cast<const uchar*>(pixels.data()) &&
            target.format() == format) {
            if (format == QImage::Format_ARGB32)
                for (uint32_t& px : pixels) px = qPremultiply(px);
            return Image(size.width(), size.height(), std::move(pixels));
        }
        if (!target.isNull() && target.constBits() != reinterpret_cast<const uchar*>(pixels.data())) {
            target.convertTo(QImage::Format_ARGB32_Premultiplied);
            return copyOf(target);
        }
        return {};
    }
    QImage img = reader.read();
    if (img.isNull()) return {};
    img.convertTo(QImage::Format_ARGB32_Premultiplied);
    return copyOf(img);
}

std::optional<Size> QtPlatform::readImageSize(const std::string& path) {
    const QSize size = QImageReader(QString::fromStdString(path)).size();
    if (!size.isValid() || size.isEmpty()) return std::nullopt;
    return Size{size.width(), size.height()};
}

int QtPlatform::exec() { return QApplication::exec(); }
void QtPlatform::quit() { QApplication::quit(); }
void QtPlatform::processEvents() { QApplication::processEvents(); }

}  // namespace orvane::platform::qt
