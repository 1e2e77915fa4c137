#pragma once
// What a window tells assistive technology about itself and the things it draws: a role, a
// name, a value and a state per item, and the actions it takes. Windows that paint their own
// controls describe them here; each backend turns these into its desktop's accessibility
// interfaces.
#include <cstdint>
#include <vector>

#include "base/Text.h"
#include "platform/Geometry.h"

namespace orvane::platform {

enum class AccessibleRole {
    None,  // nothing a reader should announce (decoration)
    Dialog,
    PushButton,
    CheckBox,
    RadioButton,
    Slider,
    ComboBox,
    Menu,
    MenuItem,
    List,
    ListItem,
    PageTab,
    ProgressBar,
    Label,
    Graphic,
    Alert,  // a passing message that readers say when it appears
    HotkeyField,  // takes a key combination typed into it
};

// State bits of an item.
inline constexpr uint32_t kAccessibleCheckable = 0x01;
inline constexpr uint32_t kAccessibleChecked = 0x02;
inline constexpr uint32_t kAccessibleSelected = 0x04;
inline constexpr uint32_t kAccessibleDisabled = 0x08;
inline constexpr uint32_t kAccessibleFocusable = 0x10;
inline constexpr uint32_t kAccessibleFocused = 0x20;
inline constexpr uint32_t kAccessibleHasPopup = 0x40;
// A list row scrolled out of view (its rectangle is empty).
inline constexpr uint32_t kAccessibleOffscreen = 0x80;

// What an item can be asked to do.
enum class AccessibleAction {
    None,
    Press,     // a click: push, toggle, select, open
    Increase,  // one step up (sliders)
    Decrease,  // one step down
};

struct AccessibleNode {
    AccessibleRole role = AccessibleRole::None;
    Text name;
    // The value as read aloud ("1000 Hz", "80 %"); empty when the item has none.
    Text value;
    uint32_t state = 0;
    AccessibleAction defaultAction = AccessibleAction::None;
    Rect rect;  // client coordinates
    // Items with a numeric value (sliders, gauges): the range and the current position.
    bool hasRange = false;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t current = 0;
    // The rows of a list, each a ListItem; a row is chosen through WindowHost::accessibleSelect.
    std::vector<AccessibleNode> children;

    bool has(uint32_t bit) const { return (state & bit) != 0; }
};

// What changed, for the backend to announce.
enum class AccessibleEvent {
    Focus,         // the item got the keyboard focus
    ValueChanged,  // its value changed
    StateChanged,  // checked, selected or disabled changed
    NameChanged,   // its name changed (a shown alert that says something new)
    SelectionChanged,  // a list's selected row changed (the row is in its children)
};

}  // namespace orvane::platform
