#pragma once
// One of the macro manager's lists with the scroll bar beside it. The bar shows which rows are
// in view; a press on its arrows or track, its thumb dragged, or the wheel over the list moves
// the list.
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Geometry.h"

namespace orvane::ui {
class CDlgBase;
class CVScrollBar;
class ShowListBase;
}  // namespace orvane::ui

namespace orvane::macro {

class ScrolledList {
public:
    // How many rows the list holds; none while it shows nothing (the actions with no macro
    // selected), and then the bar is left as it is.
    using RowCount = std::function<std::optional<int32_t>()>;

    ScrolledList(ui::CDlgBase& window, ui::ShowListBase& list, ui::CVScrollBar& bar, RowCount rows);

    // The bar follows the list.
    void UpdateBar();
    // The last rows in view.
    void ScrollToEnd();
    // The bar was pressed on an arrow or the track (`where`), or its thumb dragged (`code`).
    void FollowBar(uintptr_t where, intptr_t code);
    // One notch of the wheel with the pointer at pt; false when pt is not over the list.
    bool Wheel(int32_t delta, platform::Point pt);
    // A thumb keeps following the pointer wherever it goes while the button is held.
    void PointerMoved(platform::Point pt);

private:
    int32_t Rows() const { return rows_().value_or(0); }

    ui::CDlgBase& window_;
    ui::ShowListBase& list_;
    ui::CVScrollBar& bar_;
    RowCount rows_;
};

}  // namespace orvane::macro
