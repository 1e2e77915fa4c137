#pragma once
// The functions the assignment menus give a button with a fixed name, in one table: the menus
// list them, a stored function is named from them, and orvanectl's "set button N FUNCTION" takes
// them by word.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace orvane {

// The fire key with its fixed interval and count (an item of the assignment menu), and the item
// that opens the fire key dialog, whose entry names a fire key of any interval and count.
inline constexpr int kFixedFireEntry = 27;
inline constexpr int kFireDialogEntry = 26;

// The assignment menu itself and its submenus.
enum class FunctionMenu { Main, Dpi, Multimedia, Office, WindowsManage };

struct FixedFunction {
    std::array<uint8_t, 3> value;  // the function's bytes
    int entry;                     // the language entry its menu item shows
    FunctionMenu menu;
    const char* word;  // what orvanectl calls it; null where orvanectl does not offer it
};

// Every one, menu by menu, each menu's items in its order.
std::span<const FixedFunction> FixedFunctions();
// The items of one menu, in its order.
std::span<const FixedFunction> FixedFunctions(FunctionMenu menu);
// The bytes of the function whose menu item shows `entry`.
std::optional<std::array<uint8_t, 3>> FixedFunctionValue(int entry);

}  // namespace orvane
