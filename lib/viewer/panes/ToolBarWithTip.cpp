#include "lib/viewer/panes/ToolBarWithTip.h"

#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/panes/MemDC.h"
#include "lib/viewer/panes/TipText.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/panes/ViewerImages.h"

namespace tracelume {

namespace {

// The buttons in their order; 0 a separator, kCmdTimeBox the time box's place.
constexpr unsigned kLayout[] = {kCmdNormalMouse, kCmdScreenshotMouse, 0,           kCmdZoomOut, kCmdZoomIn,
                                kCmdLowerRows,   kCmdTallerRows,      kCmdZoomFit, 0,           kCmdViewStart,
                                kCmdViewEnd,     0,                   kCmdMeasureLines, kCmdGrid, kCmdRegion,
                                kCmdTimeBox};

}  // namespace

CToolBarWithTip::CToolBarWithTip() {
    double x = 3;
    const double top = (kHeight - kButtonSize) / 2.0;
    for (unsigned id : kLayout) {
        const double width = id == 0                 ? kSeparatorWidth
                             : id == kCmdTimeBox     ? CTracelumeView::kTimeBoxWidth
                                                     : kButtonSize;
        m_buttons.push_back({id, gfx::Rect::FromSize(x, top, width, kButtonSize)});
        x += width;
    }
}

void CToolBarWithTip::SetState(unsigned id, bool enabled, bool checked) {
    for (Button& button : m_buttons) {
        if (button.id == id && (button.enabled != enabled || button.checked != checked)) {
            button.enabled = enabled;
            button.checked = checked;
            Invalidate();
        }
    }
}

gfx::Rect CToolBarWithTip::ButtonRect(unsigned id) const {
    for (const Button& button : m_buttons) {
        if (button.id == id && id != 0) {
            return button.rect;
        }
    }
    return {};
}

int CToolBarWithTip::HitTest(int x, int y) const {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const Button& button = m_buttons[i];
        if (button.id != 0 && button.id != kCmdTimeBox && x >= button.rect.left && x < button.rect.right &&
            y >= button.rect.top && y < button.rect.bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::wstring CToolBarWithTip::TipTextAt(int x, int y) const {
    const int index = HitTest(x, y);
    if (index < 0) {
        return {};
    }
    return CTinyResourceManager::SplitTip(Texts().GetString(m_buttons[static_cast<std::size_t>(index)].id), true);
}

void CToolBarWithTip::OnPaint(gfx::Context& target) {
    const gfx::Rect client = gfx::Rect::FromSize(0, 0, Width(), Height());
    CXTMemDC memory(target, client);
    gfx::Context& dc = memory.Dc();
    dc.FillRect(client, gfx::Brush::Linear({0, 0}, {0, client.bottom}, gfx::Color{246, 248, 251},
                                           gfx::Color{214, 221, 229}));
    dc.SetPen({gfx::Color{170, 180, 190}, 1.0});
    dc.DrawLine({0, client.bottom - 1}, {client.right, client.bottom - 1});
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const Button& button = m_buttons[i];
        if (button.id == 0) {
            const double x = (button.rect.left + button.rect.right) / 2;
            dc.SetPen({gfx::Color{160, 170, 180}, 1.0});
            dc.DrawLine({x, button.rect.top + 2}, {x, button.rect.bottom - 2});
            continue;
        }
        if (button.id == kCmdTimeBox) {
            continue;
        }
        const bool hover = static_cast<int>(i) == m_hover && button.enabled;
        const bool down = button.checked || (static_cast<int>(i) == m_pressed && hover);
        if (hover || down) {
            dc.Save();
            dc.SetPen({gfx::Color{90, 130, 180}, 1.0});
            dc.SetBrush(down ? gfx::Color{190, 210, 235} : gfx::Color{225, 236, 250});
            dc.Rectangle(button.rect);
            dc.Restore();
        }
        const gfx::Bitmap image = ToolbarImage(button.id);
        dc.DrawBitmap(image, button.rect.left + (kButtonSize - 16) / 2.0, button.rect.top + (kButtonSize - 16) / 2.0,
                      button.enabled ? 1.0 : 0.35);
    }
}

void CToolBarWithTip::OnMouse(const MouseEvent& event) {
    const int index = event.kind == MouseEvent::Leave ? -1 : HitTest(event.x, event.y);
    if (index != m_hover) {
        m_hover = index;
        SetTipText(EscapeHtml(TipTextAt(event.x, event.y)));
        Invalidate();
    }
    if (event.kind == MouseEvent::LeftDown && index >= 0) {
        m_pressed = index;
        SetCapture(true);
        Invalidate();
    } else if (event.kind == MouseEvent::LeftUp) {
        SetCapture(false);
        const int pressed = m_pressed;
        m_pressed = -1;
        Invalidate();
        if (pressed >= 0 && pressed == index) {
            const Button& button = m_buttons[static_cast<std::size_t>(index)];
            if (button.enabled && m_command) {
                m_command(button.id);
            }
        }
    }
}

}  // namespace tracelume
