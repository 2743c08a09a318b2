#pragma once
// The colour names of the tooltip markup: the 140 colour keywords of the web and
// 28 names of system colours (by their index in the window system's colour table,
// 0 scroll bar .. 24 tooltip background). Names are lower case and matched exactly.

#include <cstdint>
#include <span>

struct HtmlNamedColour {
    const wchar_t* name;
    std::uint32_t colour;  // COLORREF
};

struct HtmlSystemColourName {
    const wchar_t* name;
    int index;
};

inline constexpr int kSystemColourCount = 25;
inline constexpr int kSystemColourInfoText = 23;
inline constexpr int kSystemColourInfoBackground = 24;

std::span<const HtmlNamedColour> HtmlNamedColours();
std::span<const HtmlSystemColourName> HtmlSystemColourNames();
// The classic system colours, for where the window system gives none.
std::uint32_t DefaultSystemColour(int index);
