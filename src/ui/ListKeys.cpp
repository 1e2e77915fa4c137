#include "ui/ListKeys.h"

#include <algorithm>

#include "platform/Input.h"

namespace orvane::ui {

int32_t ListKeyTarget(uint32_t vk, int32_t selected, int32_t count, int32_t page) {
    if (count <= 0) return -1;
    const int32_t last = count - 1;
    const int32_t step = std::max<int32_t>(1, page - 1);
    if (selected < 0 || selected > last) {
        switch (vk) {
            case platform::kVkEnd: return last;
            case platform::kVkUp:
            case platform::kVkDown:
            case platform::kVkPageUp:
            case platform::kVkPageDown:
            case platform::kVkHome: return 0;
            default: return -1;
        }
    }
    switch (vk) {
        case platform::kVkUp: return std::max(0, selected - 1);
        case platform::kVkDown: return std::min(last, selected + 1);
        case platform::kVkPageUp: return std::max(0, selected - step);
        case platform::kVkPageDown: return std::min(last, selected + step);
        case platform::kVkHome: return 0;
        case platform::kVkEnd: return last;
        default: return -1;
    }
}

int32_t FirstRowShowing(int32_t row, int32_t first, int32_t visible) {
    if (row < 0) return first;
    if (row < first) return row;
    if (visible > 0 && row >= first + visible) return row - visible + 1;
    return first;
}

void DescribeRows(platform::AccessibleNode& list, int32_t count, int32_t selected, int32_t first, int32_t visible,
                  int32_t rowHeight, const std::function<Text(int32_t)>& name) {
    const bool listFocused = list.has(platform::kAccessibleFocused);
    for (int32_t row = 0; row < count; ++row) {
        platform::AccessibleNode item;
        item.role = platform::AccessibleRole::ListItem;
        item.name = name(row);
        item.defaultAction = platform::AccessibleAction::Press;
        if (list.has(platform::kAccessibleDisabled)) item.state |= platform::kAccessibleDisabled;
        if (row == selected) {
            item.state |= platform::kAccessibleSelected;
            if (listFocused) item.state |= platform::kAccessibleFocused;
        }
        const int32_t shown = row - first;
        if (shown >= 0 && shown < visible) {
            const int32_t top = list.rect.top + shown * rowHeight;
            item.rect = {list.rect.left, top, list.rect.right, std::min(list.rect.bottom, top + rowHeight)};
        } else {
            item.state |= platform::kAccessibleOffscreen;
        }
        list.children.push_back(std::move(item));
    }
}

}  // namespace orvane::ui
