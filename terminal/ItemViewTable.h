#pragma once
// The link between statistic item ids and trend view ids: every item has one trend
// view; the members of an item family follow their first member's view.

#include <cstdint>

// 1 and the view of the item, or 0 when the item has no view.
int ItemToView(std::uint32_t itemId, std::uint32_t* viewId);
// 1 and the item of a view that heads the table (single items and family heads), else 0.
int ViewToItem(std::uint32_t viewId, std::uint32_t* itemId);
