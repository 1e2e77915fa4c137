#pragma once
// The sheets of the toolkit's own controls and menus, each in the looks a user meets.
#include "ui/gallery/GallerySheet.h"

namespace orvane::ui::gallery {

// Image, check, radio, DPI level, assignment and colour buttons.
void ButtonSheet(GallerySheet& s);
// Sliders, DPI gauges, scroll bars, the macro lists, battery, static image and text, tabs.
void IndicatorSheet(GallerySheet& s);
// Every menu, with nothing, an item or a submenu item under the pointer.
void MenuSheet(GallerySheet& s);
// Each kind of control that takes the keyboard, with the keyboard's mark.
void FocusSheet(GallerySheet& s);

}  // namespace orvane::ui::gallery
