#pragma once
// Renders markup with fixed text metrics (FixedTextDevice): the body font is 13
// pixels high (ascent 10, descent 3) and 6 pixels per character.

#include <gtest/gtest.h>

#include <string>

#include "FixedTextDevice.h"
#include "lib/viewer/html/HtmlDrawer.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

namespace htmltest {

inline constexpr int kBodyHeight = 13;
inline constexpr int kBodyCharWidth = 6;

class HtmlDrawerTest : public ::testing::Test {
protected:
    HtmlDrawerTest() { drawer.SetTextDevice(&device); }

    HtmlSize Measure(const std::wstring& markup) {
        gfx::Context dc(canvas);
        return drawer.MeasureHtml(dc, markup);
    }
    // Measures, then draws into a rectangle at the origin as wide as given (the
    // measured width when 0); the drawn runs are those of the drawing pass.
    HtmlSize Render(const std::wstring& markup, int width = 0) {
        const HtmlSize size = Measure(markup);
        device.ClearRuns();
        Draw({0, 0, width != 0 ? width : size.cx, size.cy});
        return size;
    }
    void Draw(const HtmlRect& rect) {
        gfx::Context dc(canvas);
        drawer.DrawHtml(rect, dc);
    }

    CHtmlDrawer drawer;
    FixedTextDevice device;
    gfx::Bitmap canvas{400, 300};
};

}  // namespace htmltest
