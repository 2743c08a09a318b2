#pragma once
// How the HTML renderer measures and draws text. The renderer lays text out from
// these answers alone, so that the same layout code runs on the real fonts
// (CPangoTextDevice) and, in tests, on fixed metrics.

#include <cstdint>
#include <string>

#include "lib/viewer/html/HtmlGeometry.h"
#include "platform/gfx/Font.h"

// Whole-pixel metrics of the selected font; height = ascent + descent.
struct HtmlFontMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
};

class IHtmlTextDevice {
public:
    virtual ~IHtmlTextDevice() = default;

    virtual void SelectFont(const gfx::Font& font) = 0;
    virtual HtmlFontMetrics Metrics() = 0;
    // Width and height of the text on one line in the selected font.
    virtual HtmlSize Extent(const std::wstring& text) = 0;
    // Vertical resolution, for lengths given in inches, centimetres and points.
    virtual int PixelsPerInch() = 0;
    // Draws the text by its top-left corner in the selected font; with an opaque
    // background its box is filled with the background colour first.
    virtual void TextOut(int x, int y, const std::wstring& text, std::uint32_t textColour,
                         std::uint32_t backgroundColour, bool opaqueBackground) = 0;
};
