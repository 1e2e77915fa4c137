#pragma once
// The notification-area icon on Qt: QSystemTrayIcon speaks StatusNotifierItem where the
// desktop offers it and falls back to an XEmbed tray. Needs a QApplication (its menu is a
// widget). No Qt types in this header.
#include <memory>

#include "platform/TrayIcon.h"

namespace orvane::platform::qt {

std::unique_ptr<TrayIcon> createTrayIcon();

}  // namespace orvane::platform::qt
