#pragma once
// Inside the library: turning a gfx::Font into a pango font description.

#include <pango/pangocairo.h>

#include "platform/gfx/Font.h"

namespace gfx::detail {

// Character height used for a font of height 0.
inline constexpr double kDefaultCharacterHeight = 12.0;

// A new description (free with pango_font_description_free). A positive (cell)
// height is turned into a character height through the font's own metrics, which
// is why the pango context is needed.
PangoFontDescription* NewFontDescription(const Font& font, PangoContext* context);

// A pango context on a tiny image, for measuring outside any drawing.
class MeasuringContext {
public:
    MeasuringContext();
    ~MeasuringContext();
    MeasuringContext(const MeasuringContext&) = delete;
    MeasuringContext& operator=(const MeasuringContext&) = delete;

    PangoLayout* Layout() const { return m_layout; }
    PangoContext* Pango() const { return pango_layout_get_context(m_layout); }

private:
    cairo_surface_t* m_surface;
    cairo_t* m_cr;
    PangoLayout* m_layout;
};

}  // namespace gfx::detail
