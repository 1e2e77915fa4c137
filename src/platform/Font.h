#pragma once
// Fonts are asked for the way the skin describes them: a face name, a height in pixels and a
// weight. A positive height is the cell height (ascent + descent), a negative one the
// character height (em size), as in the skin's own descriptions. Faces the skin names that a
// Linux machine lacks are mapped by the painter (with CJK fallback).
#include <cstdint>

#include "base/Text.h"

namespace orvane::platform {

struct FontSpec {
    Text face;
    int32_t height = 12;
    int32_t weight = 0;  // 0: the face's normal weight; otherwise 100..900
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The interface font chosen with the language: face, pixel height and character set.
struct FontChoice {
    Text face = u"宋体";
    int32_t height = 12;
    int32_t charset = 134;
    friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

}  // namespace orvane::platform
