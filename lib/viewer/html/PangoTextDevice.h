#pragma once
// The renderer's text on the installed fonts: measured and drawn through a drawing
// context (pango underneath). Fractional font metrics are rounded to whole pixels.

#include "lib/viewer/html/HtmlTextDevice.h"
#include "platform/gfx/Context.h"

class CPangoTextDevice : public IHtmlTextDevice {
public:
    // Screens are taken to have 96 pixels per inch, as the window system reports.
    static constexpr int kScreenPixelsPerInch = 96;

    explicit CPangoTextDevice(gfx::Context& dc) : m_dc(dc) {}

    void SelectFont(const gfx::Font& font) override;
    HtmlFontMetrics Metrics() override;
    HtmlSize Extent(const std::wstring& text) override;
    int PixelsPerInch() override { return kScreenPixelsPerInch; }
    void TextOut(int x, int y, const std::wstring& text, std::uint32_t textColour, std::uint32_t backgroundColour,
                 bool opaqueBackground) override;

private:
    gfx::Context& m_dc;
};
