#include "controls/CustomStatic.h"

#include "controls/ControlDrawing.h"
#include "controls/MemDC.h"
#include "platform/gfx/Context.h"

CCustomStatic::CCustomStatic() : m_background{0, 0, 0}, m_textColor{255, 255, 255} {}

int CCustomStatic::SetBkColor(std::uint32_t color) {
    m_background = gfx::Color::FromColorRef(color);
    return 0;
}

int CCustomStatic::SetText(const std::wstring& text, std::uint32_t textColor) {
    m_text = text;
    m_textColor = gfx::Color::FromColorRef(textColor);
    Invalidate();
    return 0;
}

void CCustomStatic::OnDraw(cairo_t* context, int width, int height) {
    gfx::Context target(context);
    CMemDC dc(target);
    controls::DrawTextLabel(dc, width, height, m_background, m_textColor, m_text);
}
