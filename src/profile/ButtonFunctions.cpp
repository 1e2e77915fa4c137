#include "profile/ButtonFunctions.h"

#include <algorithm>
#include <iterator>

namespace orvane {

namespace {

using M = FunctionMenu;

constexpr FixedFunction kFunctions[] = {
    {{0x10, 0x01, 0x00}, 20, M::Main, "left"},
    {{0x10, 0x02, 0x00}, 21, M::Main, "right"},
    {{0x10, 0x04, 0x00}, 22, M::Main, "middle"},
    {{0x10, 0x10, 0x00}, 23, M::Main, "forward"},
    {{0x10, 0x08, 0x00}, 24, M::Main, "back"},
    // orvanectl's "fire" without numbers.
    {{0x30, 0x32, 0x03}, kFixedFireEntry, M::Main, nullptr},
    {{0x00, 0x00, 0x00}, 34, M::Main, "disable"},
    {{0x40, 0x02, 0x00}, 40, M::Dpi, "dpi-up"},
    {{0x40, 0x03, 0x00}, 41, M::Dpi, "dpi-down"},
    {{0x40, 0x01, 0x00}, 42, M::Dpi, "dpi-cycle"},
    {{0x80, 0x83, 0x01}, 45, M::Multimedia, "media-player"},
    {{0x80, 0xB6, 0x00}, 46, M::Multimedia, "prev"},
    {{0x80, 0xB5, 0x00}, 47, M::Multimedia, "next"},
    {{0x80, 0xB7, 0x00}, 48, M::Multimedia, "stop"},
    {{0x80, 0xCD, 0x00}, 49, M::Multimedia, "play-pause"},
    {{0x80, 0xE2, 0x00}, 50, M::Multimedia, "mute"},
    {{0x80, 0xE9, 0x00}, 51, M::Multimedia, "volume-up"},
    {{0x80, 0xEA, 0x00}, 52, M::Multimedia, "volume-down"},
    {{0x80, 0x8A, 0x01}, 53, M::Multimedia, "email"},
    {{0x80, 0x92, 0x01}, 54, M::Multimedia, "calculator"},
    // Office keys are shortcuts: orvanectl sets them with "key".
    {{0x70, 0x01, 0x06}, 60, M::Office, nullptr},
    {{0x70, 0x01, 0x19}, 61, M::Office, nullptr},
    {{0x70, 0x01, 0x1B}, 62, M::Office, nullptr},
    {{0x70, 0x01, 0x04}, 63, M::Office, nullptr},
    {{0x70, 0x01, 0x11}, 64, M::Office, nullptr},
    {{0x70, 0x01, 0x16}, 65, M::Office, nullptr},
    {{0x70, 0x01, 0x13}, 66, M::Office, nullptr},
    {{0x70, 0x08, 0x08}, 67, M::Office, nullptr},
    {{0x70, 0x01, 0x1D}, 68, M::Office, nullptr},
    {{0x80, 0x94, 0x01}, 75, M::WindowsManage, "my-computer"},
    {{0x70, 0x04, 0x3D}, 76, M::WindowsManage, "alt-f4"},
    {{0x70, 0x08, 0x07}, 77, M::WindowsManage, "show-desktop"},
    {{0x70, 0x08, 0x15}, 78, M::WindowsManage, "run"},
    {{0x70, 0x08, 0x51}, 79, M::WindowsManage, "minimise"},
    {{0x70, 0x08, 0x52}, 80, M::WindowsManage, "maximise"},
};

// Each menu's items stand together, so a menu is one stretch of the table.
constexpr bool MenusStandTogether() {
    for (size_t i = 1; i < std::size(kFunctions); ++i) {
        if (kFunctions[i].menu < kFunctions[i - 1].menu) return false;
    }
    return true;
}
static_assert(MenusStandTogether());

}  // namespace

std::span<const FixedFunction> FixedFunctions() { return kFunctions; }

std::span<const FixedFunction> FixedFunctions(FunctionMenu menu) {
    // A menu's functions stand together (checked above).
    const auto inMenu = [menu](const FixedFunction& f) { return f.menu == menu; };
    const auto first = std::find_if(std::begin(kFunctions), std::end(kFunctions), inMenu);
    const auto last = std::find_if_not(first, std::end(kFunctions), inMenu);
    return {first, last};
}

std::optional<std::array<uint8_t, 3>> FixedFunctionValue(int entry) {
    for (const FixedFunction& f : kFunctions)
        if (f.entry == entry) return f.value;
    return std::nullopt;
}

}  // namespace orvane
