#include "lib/viewer/panes/Pane.h"

#include <algorithm>
#include <cmath>

namespace tracelume {

void CPane::Place(const gfx::Rect& rect, bool visible) {
    m_rect = rect;
    const bool shown = visible != m_visible;
    m_visible = visible;
    if (m_surface != nullptr) {
        m_surface->Place(rect, visible);
    } else {
        SizeChanged(static_cast<int>(std::lround(rect.Width())), static_cast<int>(std::lround(rect.Height())));
    }
    if (shown) {
        OnShow(visible);
    }
}

void CPane::SizeChanged(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) {
        return;
    }
    m_width = width;
    m_height = height;
    OnSize(width, height);
}

void CPane::Invalidate() {
    if (m_surface != nullptr) {
        m_surface->Invalidate();
    }
}

void CPane::UpdateNow() {
    if (m_surface != nullptr) {
        m_surface->UpdateNow();
    }
}

gfx::Bitmap CPane::Render() {
    gfx::Bitmap picture(m_width, m_height);
    if (!picture.IsEmpty()) {
        gfx::Context dc(picture);
        OnPaint(dc);
    }
    return picture;
}

void CPane::SetCursor(int cursor) {
    if (m_surface != nullptr) {
        m_surface->SetCursor(cursor);
    }
}

void CPane::SetCapture(bool capture) {
    if (m_surface != nullptr) {
        m_surface->SetCapture(capture);
    }
}

void CPane::SetTipText(const std::wstring& html) {
    if (m_surface != nullptr) {
        m_surface->SetTipText(html);
    }
}

}  // namespace tracelume
