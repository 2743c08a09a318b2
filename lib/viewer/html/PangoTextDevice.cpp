#include "lib/viewer/html/PangoTextDevice.h"

#include <cmath>

void CPangoTextDevice::SelectFont(const gfx::Font& font) { m_dc.SetFont(font); }

HtmlFontMetrics CPangoTextDevice::Metrics() {
    const gfx::TextMetrics metrics = m_dc.Metrics();
    HtmlFontMetrics result;
    result.ascent = static_cast<int>(std::lround(metrics.ascent));
    result.descent = static_cast<int>(std::lround(metrics.descent));
    result.height = result.ascent + result.descent;
    return result;
}

HtmlSize CPangoTextDevice::Extent(const std::wstring& text) {
    const gfx::Size size = m_dc.TextExtent(text);
    return {static_cast<int>(std::ceil(size.width)), static_cast<int>(std::lround(size.height))};
}

void CPangoTextDevice::TextOut(int x, int y, const std::wstring& text, std::uint32_t textColour,
                               std::uint32_t backgroundColour, bool opaqueBackground) {
    m_dc.SetTextColor(gfx::Color::FromColorRef(textColour));
    m_dc.SetBackgroundColor(gfx::Color::FromColorRef(backgroundColour));
    m_dc.SetOpaqueBackground(opaqueBackground);
    m_dc.TextOut(x, y, text);
}
