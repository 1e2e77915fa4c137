#pragma once
// When the main window shows itself, hides or minimises, and what it says about the mouse's
// absence. A start the user asked for (from the menu, a second start, the tray) keeps the window
// up whether the mouse is there or not; only a start with the desktop session waits hidden until
// the mouse reports itself online, and goes again when it leaves. Hiding needs a tray to come
// back from: without one the window minimises to the task bar instead.
#include <filesystem>
#include <vector>

#include "base/Text.h"
#include "profile/LanguageTable.h"

namespace orvane {

class Connection;

enum class StartKind {
    User,     // the menu, a terminal, a second start
    Session,  // the login entry (--autostart)
};

class WindowPresence {
public:
    enum class Conceal { Keep, Hide, Minimise };

    explicit WindowPresence(StartKind start) : userAsked_(start == StartKind::User), start_(start) {}

    // The start-minimised setting applies to the session's start only.
    [[nodiscard]] bool StartsMinimised(bool startMinimisedSetting) const {
        return start_ == StartKind::Session && startMinimisedSetting;
    }
    // The user asked for the window (tray, second start): from now on it stays.
    void UserAsked() { userAsked_ = true; }
    [[nodiscard]] bool Asked() const { return userAsked_; }

    // The mouse is not (or no longer) there.
    [[nodiscard]] Conceal WhenMouseAway(bool trayShown) const {
        if (userAsked_) return Conceal::Keep;
        return trayShown ? Conceal::Hide : Conceal::Minimise;
    }
    // The window's minimise control.
    [[nodiscard]] static Conceal OnMinimiseControl(bool trayShown) {
        return trayShown ? Conceal::Hide : Conceal::Minimise;
    }
    // The last device left: a window nobody asked for ends with it.
    [[nodiscard]] bool QuitsWhenLastDeviceLeaves() const { return !userAsked_; }
    // True the first time only: the window minimised where it would have hidden into a tray.
    [[nodiscard]] bool TakeNoTrayExplanation() {
        if (explained_) return false;
        explained_ = true;
        return true;
    }

private:
    bool userAsked_;
    StartKind start_;
    bool explained_ = false;
};

namespace presence {
inline constexpr int kTextVirtualMouse = 360;
inline constexpr int kTextNoTray = 361;

// What the window says about the connection: nothing while the mouse answers; otherwise that
// a device is plugged in but this user may not open it, that none was found, or that the mouse
// does not respond behind its receiver or cable.
Text DescribeConnection(const LanguageTable& language, const Connection& connection, bool mouseOnline,
                        const std::vector<std::filesystem::path>& udevRuleFolders);
}  // namespace presence

}  // namespace orvane
