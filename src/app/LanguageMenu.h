#pragma once
// The tray's language submenu: every shipped language by the name it gives itself, then
// "System language". A choice writes (or removes) the language selector; the texts are loaded
// once, at start-up, so the user is told that the choice holds from the next start.
#include <functional>
#include <memory>

#include "base/EventLoop.h"
#include "base/Text.h"
#include "platform/TrayIcon.h"
#include "profile/AppData.h"

namespace orvane {

namespace language {
inline constexpr int kTextMenu = 362;         // the submenu's title
inline constexpr int kTextSystem = 363;       // the item that follows the locale
inline constexpr int kTextNextStart = 364;    // the choice holds from the next start
inline constexpr int kTextNotSaved = 365;     // the selector could not be written; the reason follows
}  // namespace language

class LanguageMenu {
public:
    // notify shows a message to the user; the selector is written on the loop's worker.
    LanguageMenu(AppData& app, EventLoop& loop, std::function<void(const Text&)> notify);
    ~LanguageMenu();

    // The submenu with the language this start uses checked (the system item when no selector
    // chose it); choosing an item calls Choose.
    platform::TrayChoices Menu();
    // Item i of Menu(): a shipped language, or past the last one the system language.
    void Choose(int item, platform::TrayIcon* tray);

private:
    AppData& app_;
    EventLoop& loop_;
    std::function<void(const Text&)> notify_;
    int checked_ = -1;  // the item the next start will use
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace orvane
