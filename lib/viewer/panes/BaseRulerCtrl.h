#pragma once
// CBaseRulerCtrl: a horizontal ruler with a tick every 10 pixels, a longer tick
// every 50 and a label every 100, scrolled by a 64-bit origin (pixels of the
// content at its left edge), with a red line where the mouse is. A specialisation
// says what the label of a tick reads.

#include <cstdint>
#include <string>
#include <vector>

#include "lib/viewer/panes/Pane.h"

namespace tracelume {

class CBaseRulerCtrl : public CPane {
public:
    CBaseRulerCtrl();

    void SetOrigin(std::int64_t origin) { m_origin = origin; }
    std::int64_t GetOrigin() const { return m_origin; }
    // The mouse's x in the ruler, or -1 when it is elsewhere.
    void SetMouseX(int x) { m_mouseX = x; }

    // The label of the tick with that index (tick index x 10 is its content pixel).
    virtual std::wstring GetTickLabel(std::int64_t index);

    // Where a label tick (a multiple of 10) is, and the ticks drawn: for tests and
    // for the painting below.
    struct Tick {
        int x = 0;
        std::int64_t index = 0;
        bool longTick = false;
    };
    // Every tick in the width at the origin, left to right, none at x = 0.
    static std::vector<Tick> Ticks(std::int64_t origin, int width);

    void OnPaint(gfx::Context& dc) override;
    void OnMouse(const MouseEvent& event) override;

protected:
    gfx::Color m_background;
    gfx::Color m_band;
    gfx::Font m_font;

private:
    std::int64_t m_origin = 0;
    int m_mouseX = -1;
};

}  // namespace tracelume
