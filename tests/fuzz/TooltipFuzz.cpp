// The viewer's HTML tooltip: any bytes (UTF-8) as the tooltip's markup, measured,
// drawn into a small picture, hovered and animated. The text is measured with fixed
// metrics, so that the fuzzer spends its time in the markup and the layout rather
// than in the font library.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "lib/viewer/html/HtmlDrawer.h"
#include "lib/viewer/html/HtmlLayoutMath.h"
#include "lib/viewer/html/HtmlTextDevice.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

// A font of cell height H has ascent H - H / 4 and descent H / 4; every character is
// H / 2 pixels wide.
class FixedMetrics : public IHtmlTextDevice {
public:
    void SelectFont(const gfx::Font& font) override {
        const double height = std::fabs(font.height);
        m_height = height >= 1.0 && height < 10000.0 ? static_cast<int>(height) : 13;
    }
    HtmlFontMetrics Metrics() override { return {m_height, m_height - m_height / 4, m_height / 4}; }
    HtmlSize Extent(const std::wstring& text) override {
        const long long width = static_cast<long long>(text.size()) * (m_height / 2);
        return {static_cast<int>(std::min<long long>(width, kHtmlMaxExtent)), m_height};
    }
    int PixelsPerInch() override { return 96; }
    void TextOut(int, int, const std::wstring&, std::uint32_t, std::uint32_t, bool) override {}

private:
    int m_height = 13;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzFolder::Get();  // the program folder, where pictures would be looked up
    const std::wstring markup = platform::Utf8ToWide(std::string_view(reinterpret_cast<const char*>(data), size));

    CHtmlDrawer drawer;
    FixedMetrics device;
    drawer.SetTextDevice(&device);
    gfx::Bitmap canvas(160, 120);
    gfx::Context dc(canvas);
    const HtmlSize measured = drawer.MeasureHtml(dc, markup);
    if (measured.cx < 0 || measured.cy < 0 || measured.cx > kHtmlMaxExtent + 1 || measured.cy > kHtmlMaxExtent + 1) {
        fuzz::PropertyBroken("tooltip", "a measured size out of bounds");
    }
    drawer.DrawHtml({0, 0, measured.cx, measured.cy}, dc);
    drawer.DrawHtml({0, 0, 160, 120}, dc);
    for (const HtmlPoint point : {HtmlPoint{5, 5}, HtmlPoint{80, 60}, HtmlPoint{-1, 200}}) {
        (void)drawer.UpdateHoverCursor(point);
        (void)drawer.HotAreaAt(point);
    }
    for (int tick = 0; tick < 3; ++tick) {
        (void)drawer.AdvanceAnimations();
    }
    return 0;
}
