// The renderer on the installed fonts: every drawn character has a glyph, and the
// text lands inside the measured size.
#include <gtest/gtest.h>

#include <vector>

#include "lib/viewer/html/HtmlDrawer.h"
#include "lib/viewer/html/PangoTextDevice.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Context.h"

namespace {

// The real fonts, with every drawn run noted.
class NotingDevice : public CPangoTextDevice {
public:
    using CPangoTextDevice::CPangoTextDevice;
    void SelectFont(const gfx::Font& font) override {
        m_font = font;
        CPangoTextDevice::SelectFont(font);
    }
    void TextOut(int x, int y, const std::wstring& text, std::uint32_t textColour, std::uint32_t backgroundColour,
                 bool opaqueBackground) override {
        runs.push_back({text, m_font});
        CPangoTextDevice::TextOut(x, y, text, textColour, backgroundColour, opaqueBackground);
    }
    struct Run {
        std::wstring text;
        gfx::Font font;
    };
    std::vector<Run> runs;

private:
    gfx::Font m_font;
};

TEST(HtmlRealFontsTest, FormattedTextHasEveryGlyphAndFitsItsSize) {
    const std::wstring markup =
        L"<h2>通道 L1</h2><b>有效值</b> = 230.1 V &bull; <i>&copy; &euro; &trade;</i><br>"
        L"<hr color=blue><table border=1><tr><td>频率</td><td align=right><font color=red>50.00 Hz</font></td></tr>"
        L"<tr><td><code>THD</code></td><td><pre>2.3 %</pre></td></tr></table><small>&lt;备注&gt;</small>";
    gfx::Bitmap canvas(400, 300);
    gfx::Context dc(canvas);
    NotingDevice device(dc);
    CHtmlDrawer drawer;
    drawer.SetTextDevice(&device);
    const HtmlSize size = drawer.MeasureHtml(dc, markup);
    ASSERT_GT(size.cx, 100);
    ASSERT_LT(size.cx, 400);
    ASSERT_GT(size.cy, 60);
    ASSERT_LT(size.cy, 300);
    drawer.DrawHtml({0, 0, size.cx, size.cy}, dc);
    ASSERT_FALSE(device.runs.empty());
    for (const NotingDevice::Run& run : device.runs) {
        EXPECT_EQ(gfx::MissingGlyphCount(run.text, run.font), 0) << platform::WideToUtf8(run.text);
    }
    int inked = 0;
    int outside = 0;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) {
            if (canvas.PixelAt(x, y).a != 0) {
                ++(x < size.cx && y < size.cy ? inked : outside);
            }
        }
    }
    EXPECT_GT(inked, 500);
    EXPECT_EQ(outside, 0);
}

}  // namespace
