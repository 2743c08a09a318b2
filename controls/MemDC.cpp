#include "controls/MemDC.h"

#include <cmath>

namespace controls::detail {
namespace {

bool IsVector(cairo_t* cr) {
    switch (cairo_surface_get_type(cairo_get_target(cr))) {
    case CAIRO_SURFACE_TYPE_PDF:
    case CAIRO_SURFACE_TYPE_PS:
    case CAIRO_SURFACE_TYPE_SVG:
    case CAIRO_SURFACE_TYPE_RECORDING:
    case CAIRO_SURFACE_TYPE_SCRIPT:
        return true;
    default:
        return false;
    }
}

// The clip box in whole pixels, grown outwards.
gfx::Rect WholePixels(const gfx::Rect& box) {
    return {std::floor(box.left), std::floor(box.top), std::ceil(box.right), std::ceil(box.bottom)};
}

}  // namespace

MemDCSurface::MemDCSurface(gfx::Context& target)
    : m_pTarget(&target), m_DrawRect(WholePixels(target.ClipBox())), m_IsOffscreen(!IsVector(target.Cairo())) {
    if (!m_IsOffscreen) {
        m_cr = cairo_reference(target.Cairo());
        return;
    }
    m_OffscreenBitmap = gfx::Bitmap(static_cast<int>(m_DrawRect.Width()), static_cast<int>(m_DrawRect.Height()));
    cairo_surface_t* surface = m_OffscreenBitmap.Surface();
    if (surface == nullptr) {
        // An empty clip box: a context on an empty image swallows the drawing.
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0);
        m_cr = cairo_create(surface);
        cairo_surface_destroy(surface);
        return;
    }
    m_cr = cairo_create(surface);
    const gfx::Color background = target.GetBackgroundColor();
    cairo_set_source_rgba(m_cr, background.r / 255.0, background.g / 255.0, background.b / 255.0,
                          background.a / 255.0);
    cairo_paint(m_cr);
    cairo_translate(m_cr, -m_DrawRect.left, -m_DrawRect.top);
}

MemDCSurface::~MemDCSurface() { cairo_destroy(m_cr); }

}  // namespace controls::detail

CMemDC::CMemDC(gfx::Context& target) : MemDCSurface(target), gfx::Context(DrawingCairo()) {}

CMemDC::~CMemDC() {
    if (m_IsOffscreen && !m_OffscreenBitmap.IsEmpty()) {
        cairo_surface_flush(m_OffscreenBitmap.Surface());
        m_pTarget->DrawBitmap(m_OffscreenBitmap, m_DrawRect.left, m_DrawRect.top);
    }
}
