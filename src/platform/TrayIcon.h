#pragma once
// The application's icon in the desktop's notification area, with its two-item menu. The Qt
// backend uses a StatusNotifierItem where the desktop has one and XEmbed otherwise; tests use a
// recording fake. Events arrive on the UI thread.
#include <functional>
#include <vector>

#include "base/Text.h"
#include "platform/Image.h"

namespace orvane::platform {

enum class TrayEvent {
    LeftClick,     // the icon was clicked (activated) with the left button
    MenuShow,      // the menu's first item
    MenuExit,      // the menu's second item
    MenuAutostart, // the "start with the session" item was toggled
    MenuDpiIndicator, // the "show DPI changes on screen" item was toggled
    MenuFollowPrograms, // the "switch profiles with the program in use" item was toggled
};

// A submenu of which one item is checked; it follows the autostart item.
struct TrayChoices {
    Text title;  // empty: no such submenu
    std::vector<Text> items;
    int checked = -1;
    // The chosen item's index, on the UI thread once the menu has closed.
    std::function<void(int)> chosen;
};

struct TrayMenuTexts {
    Text show;
    Text exit;
    Text autostart;  // empty: no such item
    TrayChoices language;
    Text dpiIndicator;  // a check item; empty: no such item
    Text followPrograms;  // a check item; empty: no such item
};

class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // False when the desktop offers no notification area.
    virtual bool add(const Image& icon, const Text& tip, const TrayMenuTexts& menu,
                     std::function<void(TrayEvent)> onEvent) = 0;
    virtual void remove() = 0;
    // The icon is shown in a notification area now, so a window hidden into it can come back.
    virtual bool added() const = 0;
    virtual void setToolTip(const Text& /*tip*/) {}
    virtual void setAutostartChecked(bool /*checked*/) {}
    virtual void setLanguageChecked(int /*item*/) {}
    virtual void setDpiIndicatorChecked(bool /*checked*/) {}
    virtual void setFollowProgramsChecked(bool /*checked*/) {}
};

}  // namespace orvane::platform
