#pragma once
// The keys of the skinned lists and what they tell readers: Up/Down move the selection one row,
// Page Up/Down a page less one row, Home/End to the ends; the moved-to row is scrolled into view.
#include <cstdint>
#include <functional>

#include "platform/Accessible.h"

namespace orvane::ui {

// The row vk selects in a list of count rows showing page rows, with selected chosen (-1 none):
// from no selection every key but End starts at the top. -1 when vk is no list key or the list
// is empty.
int32_t ListKeyTarget(uint32_t vk, int32_t selected, int32_t count, int32_t page);

// The first row to show so that row is in view, scrolling as little as possible from first.
int32_t FirstRowShowing(int32_t row, int32_t first, int32_t visible);

// Fills list's rows for readers: each a ListItem named by name(row), selected when it is the
// selection, focused when the list has the focus too, with its rectangle where it is drawn
// (rowHeight apart from top, visible rows from first) and an empty one, offscreen, elsewhere.
void DescribeRows(platform::AccessibleNode& list, int32_t count, int32_t selected, int32_t first, int32_t visible,
                  int32_t rowHeight, const std::function<Text(int32_t)>& name);

}  // namespace orvane::ui
