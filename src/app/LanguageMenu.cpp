#include "app/LanguageMenu.h"

#include "profile/LanguageChoice.h"
#include "profile/Languages.h"

namespace orvane {

LanguageMenu::LanguageMenu(AppData& app, EventLoop& loop, std::function<void(const Text&)> notify)
    : app_(app), loop_(loop), notify_(std::move(notify)) {}

LanguageMenu::~LanguageMenu() { *alive_ = false; }

platform::TrayChoices LanguageMenu::Menu() {
    platform::TrayChoices menu;
    menu.title = app_.language.LanguageText(language::kTextMenu);
    const auto languages = ShippedLanguages();
    for (const ShippedLanguage& l : languages) menu.items.emplace_back(l.ownName);
    menu.items.push_back(app_.language.LanguageText(language::kTextSystem));
    const LanguageChoice& choice = app_.languageChoice;
    menu.checked = int(languages.size());
    if (choice.fromSelector)
        for (size_t i = 0; i < languages.size(); ++i)
            if (languages[i].file == choice.file) menu.checked = int(i);
    checked_ = menu.checked;
    return menu;
}

void LanguageMenu::Choose(int item, platform::TrayIcon* tray) {
    const auto languages = ShippedLanguages();
    if (item < 0 || size_t(item) > languages.size()) return;
    const std::filesystem::path folder = app_.configDir;
    const bool system = size_t(item) == languages.size();
    const Text code = system ? Text() : Text(languages[size_t(item)].code);
    auto written = std::make_shared<Status>();
    loop_.offload(
        [folder, system, code, written] {
            *written = system ? RemoveLanguageSelector(folder) : WriteLanguageSelector(folder, code);
        },
        [this, alive = alive_, written, item, tray] {
            if (!*alive) return;
            if (!*written) {
                notify_(app_.language.LanguageText(language::kTextNotSaved) + u"\n" +
                        fromUtf8(written->error().message()));
                // The check mark keeps showing what the next start will use.
                if (tray) tray->setLanguageChecked(checked_);
                return;
            }
            checked_ = item;
            if (tray) tray->setLanguageChecked(item);
            notify_(app_.language.LanguageText(language::kTextNextStart));
        });
}

}  // namespace orvane
