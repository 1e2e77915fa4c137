#include "ui/gallery/GalleryTexts.h"

#include <utility>

namespace orvane::ui::gallery {

const LanguageTable& GalleryTexts() {
    static constexpr std::pair<int, const char16_t*> kTexts[] = {
        {7, u"Reset"},
        {11, u"DPI"},
        {20, u"Left click"},
        {21, u"Right click"},
        {22, u"Middle click"},
        {23, u"Forward"},
        {24, u"Back"},
        {25, u"DPI"},
        {26, u"Fire key"},
        {27, u"Triple click"},
        {28, u"Macro"},
        {29, u"Keyboard shortcut"},
        {30, u"Multimedia"},
        {31, u"Office"},
        {32, u"Window management"},
        {34, u"Disabled"},
        {40, u"DPI up"},
        {41, u"DPI down"},
        {42, u"DPI cycle"},
        {45, u"Media player"},
        {46, u"Previous track"},
        {47, u"Next track"},
        {48, u"Stop"},
        {49, u"Play/Pause"},
        {50, u"Mute"},
        {51, u"Volume up"},
        {52, u"Volume down"},
        {53, u"Email"},
        {54, u"Calculator"},
        {60, u"Copy"},
        {61, u"Paste"},
        {62, u"Cut"},
        {63, u"Select all"},
        {64, u"New"},
        {65, u"Save"},
        {66, u"Print"},
        {67, u"File manager"},
        {68, u"Undo"},
        {75, u"Computer"},
        {76, u"Close window"},
        {77, u"Show desktop"},
        {78, u"Run"},
        {79, u"Minimise window"},
        {80, u"Maximise window"},
        {90, u"Import…"},
        {91, u"Export…"},
        {92, u"Rename…"},
        {93, u"Remove"},
        {380, u"Programs…"},
        {190, u"Macro: "},
        {198, u"Record"},
        {199, u"Stop"},
        {205, u"Delay"},
        {206, u"Key"},
    };
    static const LanguageTable table = [] {
        LanguageTable t;
        for (const auto& [index, text] : kTexts) t.SetText(index, text);
        return t;
    }();
    return table;
}

}  // namespace orvane::ui::gallery
