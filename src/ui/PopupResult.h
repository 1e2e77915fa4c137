#pragma once
// What a choice in a menu or a capture dialog yields: a text plus three bytes (a key value), or
// plus one byte. It reaches the owner as a value (CDlgBase::SendResult, OnResult).
#include <array>
#include <cstdint>

#include "base/Text.h"

namespace orvane::ui {

struct PopupResult {
    Text text;
    std::array<uint8_t, 3> bytes{};
    int byteCount = 0;
};

}  // namespace orvane::ui
