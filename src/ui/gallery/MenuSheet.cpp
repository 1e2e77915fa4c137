// Every menu with nothing under the pointer, with an item and with a submenu item under it.
#include <functional>
#include <memory>

#include "ui/CComboActionInsertPopup.h"
#include "ui/CComboPopup.h"
#include "ui/CDPIPopup.h"
#include "ui/CMacroSetPopup.h"
#include "ui/CMultimediaPopup.h"
#include "ui/COfficePopup.h"
#include "ui/CProfileRKeyPopup.h"
#include "ui/CWindowsManagePopup.h"
#include "ui/gallery/GalleryTexts.h"
#include "ui/gallery/ToolkitSheets.h"
#include "ui/Pictures.h"

namespace orvane::ui::gallery {

void MenuSheet(GallerySheet& s) {
    const LanguageTable& texts = GalleryTexts();
    static MacroLibrary library;
    library.ClearLibrary();
    MacroSet& set = library.AddSet(u"Set 1");
    for (const char* name : {"Reload", "Build order", "Crouch jump", "Spray"}) set.AddKey(fromUtf8(name));

    struct Case {
        std::string name;
        std::function<std::unique_ptr<CWndPopup>()> make;
        std::vector<int> hot;  // -1: nothing under the pointer
        bool rowAfter;
    };
    const Case cases[] = {
        {"assignment", [&] { return std::make_unique<CComboPopup>(texts); }, {-1, 0, 5}, false},
        {"DPI", [&] { return std::make_unique<CDPIPopup>(texts); }, {1}, false},
        {"multimedia", [&] { return std::make_unique<CMultimediaPopup>(texts); }, {4}, true},
        {"office", [&] { return std::make_unique<COfficePopup>(texts); }, {0}, false},
        {"windows", [&] { return std::make_unique<CWindowsManagePopup>(texts); }, {2}, false},
        {"profile", [&] { return std::make_unique<CProfileRKeyPopup>(texts); }, {-1, 3}, true},
        {"insert action", [&] { return std::make_unique<CComboActionInsertPopup>(texts); }, {-1, 3}, false},
        {"macro set", [&] { return std::make_unique<CMacroSetPopup>(texts, library, 0); }, {-1, 1}, true},
    };
    for (const auto& c : cases) {
        auto* menu = s.host().AdoptPopup(c.make());
        menu->SetImages(ui::pictures::kMenuNr, ui::pictures::kMenuOv, ui::pictures::kMenusubNr,
                        ui::pictures::kMenusubOv);
        if (!menu->Create(&s.host(), 0, 0, s.scaled(300), s.scaled(300), 0, 0)) continue;
        for (int hot : c.hot) {
            std::string name = c.name;
            if (hot >= 0) name += menu->Items()[size_t(hot)].submenu ? ", submenu item hot" : ", item hot";
            s.popup(name, *menu, hot);
        }
        menu->Destroy();
        if (c.rowAfter) s.newRow();
    }
}

}  // namespace orvane::ui::gallery
