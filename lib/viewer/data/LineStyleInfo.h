#pragma once
// CLineStyleInfo: how one row kind of a row is drawn and named. The row keeps one
// per row kind; the host sets it with the series' name and colour and keeps a few
// words of its own in it (item code, phase, kind), which the viewer only carries.

#include <cstdint>
#include <string>

struct CLineStyleInfo {
    std::wstring m_name;                  // shown in the legend
    std::uint32_t m_textColor = 0xFFFFFF;  // COLORREF
    std::uint32_t m_lineColor = 0xFFFFFF;  // COLORREF
    std::uint64_t m_bitMask = ~std::uint64_t{0};  // the bits a single-bit kind watches
    std::int32_t m_drawMode = 0;  // analog: 0 held steps, else joined; single bit: 3 fills the low level
    std::int32_t m_visible = 1;   // carried, not used by the rows
    std::int32_t m_showScale = 0;  // analog kinds draw their scale labels only when set
    std::int32_t m_hostWord = 0;
    std::int32_t m_itemCode = 0;
    std::int32_t m_phase = 0;
    std::int32_t m_kindIndex = 0;
    std::int32_t m_reserved = 0;
    std::int32_t m_highlight = 0;  // drawn after the row's other kinds, analog with a 2-pixel pen

    friend bool operator==(const CLineStyleInfo&, const CLineStyleInfo&) = default;
};
