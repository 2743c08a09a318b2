#include "controls/PolyTitleTemplate.h"

#include "controls/ControlDrawing.h"
#include "platform/gfx/Context.h"

CPolyTitleTemplate::CPolyTitleTemplate()
    : m_points{{{0, 0}, {0, 21}, {3, 24}, {97, 24}, {100, 21}, {100, 0}}},
      m_fill(controls::kDefaultPolygonFill),
      m_textColor(gfx::Color::FromColorRef(255)),
      m_caption(L"new static") {}

void CPolyTitleTemplate::SetFillColor(std::uint32_t color) { m_fill = gfx::Color::FromColorRef(color); }

void CPolyTitleTemplate::SetCaption(const std::wstring& caption, std::uint32_t textColor) {
    m_caption = caption;
    m_textColor = gfx::Color::FromColorRef(textColor);
}

void CPolyTitleTemplate::OnDraw(cairo_t* context, int, int) {
    gfx::Context dc(context);
    controls::DrawBanner(dc, m_points, m_fill, m_caption, m_textColor);
}
