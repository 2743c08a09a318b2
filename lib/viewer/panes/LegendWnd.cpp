#include "lib/viewer/panes/LegendWnd.h"

#include <algorithm>

#include "lib/viewer/data/TracelumeTexts.h"
#include "lib/viewer/panes/MemDC.h"
#include "lib/viewer/panes/TipText.h"

namespace tracelume {

namespace {

gfx::Font ButtonFont(bool bold) {
    gfx::Font font = gfx::Font::FromPoints(Texts().GetString(kTextLegendFont), 8);
    font.weight = bold ? 700 : 400;
    return font;
}

}  // namespace

CLegendWnd::~CLegendWnd() {
    if (m_row != nullptr) {
        m_row->SetLegend(nullptr);
    }
}

void CLegendWnd::SetRow(CRowItem* row) {
    if (m_row != nullptr && m_row != row) {
        m_row->SetLegend(nullptr);
    }
    m_row = row;
    if (m_row != nullptr) {
        m_row->SetLegend(this);
    }
}

void CLegendWnd::ForgetRow(const CRowItem* row) {
    if (row != nullptr && row == m_row) {
        m_row = nullptr;
    }
}

int CLegendWnd::AddOrRemove(IRowItemImp* kind, bool add) {
    const auto found =
        std::find_if(m_buttons.begin(), m_buttons.end(), [&](const CLegendButton& b) { return b.kind == kind; });
    if (add) {
        if (found != m_buttons.end()) {
            return 0;
        }
        CLegendButton button;
        button.kind = kind;
        m_buttons.push_back(button);
    } else {
        if (found == m_buttons.end()) {
            return 0;
        }
        m_buttons.erase(found);
    }
    m_pressed = nullptr;
    Layout();
    Invalidate();
    return 1;
}

int CLegendWnd::Update(IRowItemImp* kind, std::uint32_t colorRef, const std::wstring& text) {
    for (CLegendButton& button : m_buttons) {
        if (button.kind == kind) {
            button.text = text;
            button.color = gfx::Color::FromColorRef(colorRef);
            Invalidate();
            return 1;
        }
    }
    return 0;
}

void CLegendWnd::RemoveAllItems() {
    m_buttons.clear();
    m_pressed = nullptr;
    Layout();
    Invalidate();
}

void CLegendWnd::SetHighlighted(IRowItemImp* kind) {
    for (CLegendButton& button : m_buttons) {
        button.highlighted = button.kind == kind;
    }
    Invalidate();
}

std::intptr_t CLegendWnd::SendLegendMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    auto* kind = reinterpret_cast<IRowItemImp*>(wParam);
    if (message == kLegendKind) {
        return AddOrRemove(kind, lParam != 0);
    }
    if (message == kLegendEntry && lParam != 0) {
        const auto* entry = reinterpret_cast<const LegendEntry*>(lParam);
        return Update(kind, entry->first, entry->second);
    }
    return 0;
}

void CLegendWnd::Layout() {
    const int n = static_cast<int>(m_buttons.size());
    const int rows = n == 0 ? 0 : n < 3 ? 1 : 2;
    if (rows != m_rows) {
        m_rows = rows;
        if (m_heightRequest) {
            m_heightRequest(rows * (kGap + kItemHeight));
        }
    }
    if (n == 0) {
        return;
    }
    const int perRow = n < 3 ? n : n / 2 + n % 2;
    const int top = Height() - (n > 2 ? kGap : 0) - rows * kItemHeight;
    const int width = std::max((Width() - kGap * (perRow - 1) - 6) / perRow, kMinWidth);
    int x = 3;
    int y = top;
    for (int i = 0; i < n; ++i) {
        m_buttons[static_cast<std::size_t>(i)].rect = gfx::Rect::FromSize(x, y, width, kItemHeight);
        x += width + kGap;
        if ((i + 1) % perRow == 0) {
            y += kGap + kItemHeight;
            x = 3;
        }
    }
}

void CLegendWnd::OnSize(int, int) { Layout(); }

void CLegendWnd::OnPaint(gfx::Context& target) {
    CXTMemDC memory(target, gfx::Rect::FromSize(0, 0, Width(), Height()));
    gfx::Context& dc = memory.Dc();
    dc.FillRect(gfx::Rect::FromSize(0, 0, Width(), Height()), gfx::Color{0xF4, 0xF4, 0xF4});
    for (CLegendButton& button : m_buttons) {
        dc.FillRect(button.rect, gfx::Color::FromArgb(button.hover ? 0xFFCCD1D8 : 0xFFEAEAEA));
        if (button.highlighted) {
            dc.Save();
            dc.SetPen({button.color, 1.0});
            dc.SetBrush(gfx::Brush::Null());
            dc.Rectangle(button.rect);
            dc.Restore();
        }
        dc.SetFont(ButtonFont(button.hover));
        button.clipped = dc.TextExtent(button.text).width > button.rect.Width();
        dc.SetTextColor(button.color);
        gfx::Rect text = button.rect;
        dc.DrawText(button.text, text,
                    gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine |
                        gfx::TextFormat::PathEllipsis);
    }
}

CLegendWnd::CLegendButton* CLegendWnd::ButtonAt(int x, int y) {
    for (CLegendButton& button : m_buttons) {
        if (x >= button.rect.left && x < button.rect.right && y >= button.rect.top && y < button.rect.bottom) {
            return &button;
        }
    }
    return nullptr;
}

void CLegendWnd::OnMouse(const MouseEvent& event) {
    CLegendButton* under = event.kind == MouseEvent::Leave ? nullptr : ButtonAt(event.x, event.y);
    bool changed = false;
    for (CLegendButton& button : m_buttons) {
        const bool hover = &button == under;
        changed = changed || hover != button.hover;
        button.hover = hover;
    }
    if (changed) {
        Invalidate();
    }
    SetTipText(under != nullptr && under->clipped ? EscapeHtml(under->text) : std::wstring());
    if (event.kind == MouseEvent::LeftDown) {
        m_pressed = under;
    } else if (event.kind == MouseEvent::LeftUp) {
        if (under != nullptr && under == m_pressed && m_click) {
            m_click(under->kind);
        }
        m_pressed = nullptr;
    }
}

}  // namespace tracelume
