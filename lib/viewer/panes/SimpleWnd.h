#pragma once
// CSimpleWnd: a plain window painted in one colour (the view's corner fillers).

#include "lib/viewer/panes/Pane.h"

namespace tracelume {

class CSimpleWnd final : public CPane {
public:
    explicit CSimpleWnd(gfx::Color color = gfx::Color{192, 201, 206}) : m_color(color) {}

    void OnPaint(gfx::Context& dc) override {
        dc.FillRect(gfx::Rect::FromSize(0, 0, Width(), Height()), m_color);
    }

private:
    gfx::Color m_color;
};

}  // namespace tracelume
