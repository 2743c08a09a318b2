#pragma once
// CZVPicItem: one kind of bar of a harmonic picture (maximum, minimum, average,
// 95 % value): its colour (COLORREF, red in the low byte) and its legend text.

#include <cstdint>
#include <string>

struct CZVPicItem {
    CZVPicItem() = default;
    CZVPicItem(std::uint32_t itemColor, std::wstring itemName) : color(itemColor), name(std::move(itemName)) {}

    std::uint32_t color = 0;
    std::wstring name;
};
