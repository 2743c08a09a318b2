#pragma once
// A drawing context that collects a paint in an off-screen bitmap and copies it to
// the target in one step when it goes, so that a control repaints without flicker.
// It covers the target's clip box: drawing keeps the target's coordinates, and the
// bitmap starts filled with the target's background colour. A vector target (a
// PDF or a recording being printed) is drawn on directly instead: a bitmap would
// only lose its resolution.

#include <cairo.h>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Geometry.h"

namespace controls::detail {

// What CMemDC draws on; a base of its own so that it exists before the context.
class MemDCSurface {
protected:
    explicit MemDCSurface(gfx::Context& target);
    ~MemDCSurface();
    MemDCSurface(const MemDCSurface&) = delete;
    MemDCSurface& operator=(const MemDCSurface&) = delete;

    cairo_t* DrawingCairo() const { return m_cr; }

    gfx::Bitmap m_OffscreenBitmap;
    gfx::Context* m_pTarget;
    gfx::Rect m_DrawRect;
    bool m_IsOffscreen;

private:
    cairo_t* m_cr = nullptr;  // on the bitmap, or the target's own
};

}  // namespace controls::detail

class CMemDC : private controls::detail::MemDCSurface, public gfx::Context {
public:
    explicit CMemDC(gfx::Context& target);
    // Copies what was drawn to the target.
    ~CMemDC();

    bool IsOffscreen() const { return m_IsOffscreen; }
    const gfx::Rect& DrawRect() const { return m_DrawRect; }
};
