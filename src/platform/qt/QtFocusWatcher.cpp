#include "platform/qt/QtFocusWatcher.h"

#include <QGuiApplication>

#include "platform/qt/WaylandFocusWatcher.h"
#include "platform/qt/XcbFocusWatcher.h"

namespace orvane::platform::qt {

std::unique_ptr<FocusWatcher> createFocusWatcher() {
    const QString system = QGuiApplication::platformName();
    if (system == QLatin1String("xcb")) return std::make_unique<XcbFocusWatcher>();
    if (system.startsWith(QLatin1String("wayland"))) return std::make_unique<WaylandFocusWatcher>();
    return std::make_unique<UnavailableFocusWatcher>();
}

}  // namespace orvane::platform::qt
