#pragma once
// Text with fixed metrics for layout tests: a font of cell height H (13 when the
// markup asks for 0) has ascent H - H / 4, descent H / 4, and every character is
// H / 2 pixels wide. Every drawn run is recorded with its font and colours.

#include <string>
#include <vector>

#include "lib/viewer/html/HtmlTextDevice.h"

namespace htmltest {

struct DrawnRun {
    int x = 0;
    int y = 0;
    std::wstring text;
    gfx::Font font;
    std::uint32_t textColour = 0;
    std::uint32_t backgroundColour = 0;
    bool opaque = false;
};

class FixedTextDevice : public IHtmlTextDevice {
public:
    explicit FixedTextDevice(int pixelsPerInch = 96) : m_pixelsPerInch(pixelsPerInch) {}

    void SelectFont(const gfx::Font& font) override { m_font = font; }
    HtmlFontMetrics Metrics() override;
    HtmlSize Extent(const std::wstring& text) override;
    int PixelsPerInch() override { return m_pixelsPerInch; }
    void TextOut(int x, int y, const std::wstring& text, std::uint32_t textColour, std::uint32_t backgroundColour,
                 bool opaqueBackground) override;

    int CellHeight() const;
    const std::vector<DrawnRun>& Runs() const { return m_runs; }
    void ClearRuns() { m_runs.clear(); }
    // The text of every drawn run in order.
    std::wstring DrawnText() const;
    // The first run holding the text; fails the test when there is none.
    const DrawnRun& RunWith(const std::wstring& text) const;

private:
    int m_pixelsPerInch;
    gfx::Font m_font;
    std::vector<DrawnRun> m_runs;
};

}  // namespace htmltest
