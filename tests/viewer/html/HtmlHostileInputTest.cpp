// Markup written to break the renderer: each input is measured and drawn with fixed
// metrics and with the real fonts, and must finish, quickly, within bounded sizes.
// Run under the sanitizers, this catches overflows and out-of-range records.
#include <gtest/gtest.h>

#include <string>

#include "FixedTextDevice.h"
#include "HtmlTestEnvironment.h"
#include "lib/viewer/html/HtmlDrawer.h"
#include "lib/viewer/html/HtmlLayoutMath.h"
#include "platform/gfx/Context.h"

namespace htmltest {
namespace {

std::wstring Repeat(const std::wstring& text, int count) {
    std::wstring result;
    result.reserve(text.size() * static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        result += text;
    }
    return result;
}

struct HostileInput {
    const char* name;
    std::wstring markup;
};

std::vector<HostileInput> Inputs() {
    const std::wstring strip = std::to_wstring(kStripPicture);
    const std::wstring red = std::to_wstring(kRedPicture);
    return {
        {"huge_spans", L"<table><tr><td colspan=2147483647 rowspan=99999999999>x</td><td colspan=-5>y</td></tr>"
                       L"<tr><td rowspan=4294967295>z</td></tr></table>"},
        {"many_spanning_columns", L"<table><tr>" + Repeat(L"<td colspan=64>x</td>", 3000) + L"</tr></table>"},
        {"many_spanning_rows", L"<table>" + Repeat(L"<tr><td rowspan=64 colspan=64>x</td></tr>", 1500) + L"</table>"},
        {"zero_cells", L"<table></table><table><tr></tr></table><table><td>x</td></table><table><tr><td></td></tr>"
                       L"</table><tr><td></td></tr></table></td></tr>"},
        {"zero_image_cells", L"<ilst idres=" + strip + L" cx=0 cy=0><ilst idres=" + strip + L" cx=99999 cy=1 speed=1>"
                             L"<ilst idres=" + strip + L" index=-3 speed=-7><ilst idres=" + strip +
                             L" index=99999999 speed=3>"},
        {"huge_break_counts", Repeat(L"x<br=4294967295><t=99999999><br=-7><t=0x7fffffff>", 2000)},
        {"deep_style_nesting", Repeat(L"<b><i><font size=+7 color=red>", 5000) + L"x" +
                                   Repeat(L"</font></i></b>", 5000)},
        {"deep_table_nesting", Repeat(L"<table border=3><tr><td bgcolor=red>", 2000) + L"x" +
                                   Repeat(L"</td></tr></table>", 2000)},
        {"unclosed_tables", Repeat(L"<table cellspacing=99999><tr><td width=99999>", 2000) + L"x"},
        {"huge_lengths", L"<hr width=99999999 size=99999999><font size=99999999px>x</font><bmp idres=" + red +
                             L" width=99999999 height=99999999 style=s><icon idres=" + red +
                             L" width=99999999%><hr width=2147483647%><font size=999999999%>y</font>"
                             L"<font size=99in>z</font><br=99em>"},
        {"huge_fills", L"<table bgeffect=metal bgcolor=red width=99999 height=99999 background=file:x.png>"
                       L"<tr><td bgeffect=noise width=99999 height=99999>x</td><td bgeffect=99>y</td></tr></table>"},
        {"broken_markup", Repeat(L"<", 3000) + L"<a href=" + Repeat(L"&", 3000) + L"&amp;&lt;;<" + Repeat(L">", 500) +
                              L"<font color=#> <font size=> <t=> <br=> </a></a></a></table></tr></td>"},
        {"many_links", Repeat(L"<a href=http://example.org/>link</a><br>", 1000)},
        {"many_lines", Repeat(L"line\r\n\t", 3000)},
        {"long_run", std::wstring(20000, L'x')},
        {"long_attributes", L"<span class=" + std::wstring(20000, L'a') + L">x</span><font face=" +
                                std::wstring(20000, L'b') + L">y</font>"},
    };
}

class HtmlHostileInputTest : public ::testing::TestWithParam<HostileInput> {};

TEST_P(HtmlHostileInputTest, FinishesWithinBounds) {
    const std::wstring& markup = GetParam().markup;
    for (const bool realFonts : {false, true}) {
        CHtmlDrawer drawer;
        FixedTextDevice device;
        if (!realFonts) {
            drawer.SetTextDevice(&device);
        }
        gfx::Bitmap canvas(300, 200);
        gfx::Context dc(canvas);
        const HtmlSize size = drawer.MeasureHtml(dc, markup);
        EXPECT_GE(size.cx, 0);
        EXPECT_GE(size.cy, 0);
        EXPECT_LE(size.cx, kHtmlMaxExtent + 1);
        EXPECT_LE(size.cy, kHtmlMaxExtent + 1);
        drawer.DrawHtml({0, 0, size.cx, size.cy}, dc);
        drawer.DrawHtml({0, 0, 300, 200}, dc);
        drawer.UpdateHoverCursor({5, 5});
        drawer.AdvanceAnimations();
        EXPECT_LE(drawer.Tables().size(), markup.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Markup, HtmlHostileInputTest, ::testing::ValuesIn(Inputs()),
                         [](const ::testing::TestParamInfo<HostileInput>& info) { return info.param.name; });

}  // namespace
}  // namespace htmltest
