#pragma once
// The English texts of the entries the sheets show. The gallery carries its own copy so the
// golden images change only when the controls do, not when the language files are reworded.
#include "profile/LanguageTable.h"

namespace orvane::ui::gallery {

const LanguageTable& GalleryTexts();

}  // namespace orvane::ui::gallery
