#include "platform/gfx/Font.h"

#include <algorithm>
#include <cmath>

#include "platform/base/Encoding.h"
#include "platform/gfx/PangoFont.h"

namespace gfx {
namespace detail {

namespace {

PangoFontDescription* DescriptionAtCharacterHeight(const Font& font, double characterHeight) {
    PangoFontDescription* description = pango_font_description_new();
    const std::string family = platform::WideToUtf8(font.face);
    pango_font_description_set_family(description, family.c_str());
    const int weight = font.weight <= 0 ? 400 : std::clamp(font.weight, 100, 1000);
    pango_font_description_set_weight(description, static_cast<PangoWeight>(weight));
    pango_font_description_set_style(description, font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(description, std::max(1.0, characterHeight) * PANGO_SCALE);
    return description;
}

}  // namespace

PangoFontDescription* NewFontDescription(const Font& font, PangoContext* context) {
    if (font.height < 0) {
        return DescriptionAtCharacterHeight(font, -font.height);
    }
    if (font.height == 0) {
        return DescriptionAtCharacterHeight(font, kDefaultCharacterHeight);
    }
    // Cell height: measure at that character height, then scale so that ascent plus
    // descent come out at the height asked for.
    PangoFontDescription* description = DescriptionAtCharacterHeight(font, font.height);
    PangoFontMetrics* metrics = pango_context_get_metrics(context, description, nullptr);
    const double cell = static_cast<double>(pango_font_metrics_get_ascent(metrics) +
                                            pango_font_metrics_get_descent(metrics)) /
                        PANGO_SCALE;
    pango_font_metrics_unref(metrics);
    if (cell > 0) {
        pango_font_description_set_absolute_size(
            description, std::max(1.0, font.height * font.height / cell) * PANGO_SCALE);
    }
    return description;
}

MeasuringContext::MeasuringContext()
    : m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1)),
      m_cr(cairo_create(m_surface)),
      m_layout(pango_cairo_create_layout(m_cr)) {}

MeasuringContext::~MeasuringContext() {
    g_object_unref(m_layout);
    cairo_destroy(m_cr);
    cairo_surface_destroy(m_surface);
}

}  // namespace detail

int MissingGlyphCount(const std::wstring& text, const Font& font) {
    detail::MeasuringContext measuring;
    PangoFontDescription* description = detail::NewFontDescription(font, measuring.Pango());
    pango_layout_set_font_description(measuring.Layout(), description);
    pango_font_description_free(description);
    const std::string utf8 = platform::WideToUtf8(text);
    pango_layout_set_text(measuring.Layout(), utf8.data(), static_cast<int>(utf8.size()));
    return pango_layout_get_unknown_glyphs_count(measuring.Layout());
}

std::string MatchedFamily(const Font& font) {
    detail::MeasuringContext measuring;
    PangoFontDescription* description = detail::NewFontDescription(font, measuring.Pango());
    PangoFont* loaded = pango_context_load_font(measuring.Pango(), description);
    pango_font_description_free(description);
    if (loaded == nullptr) {
        return {};
    }
    PangoFontDescription* matched = pango_font_describe(loaded);
    const char* family = pango_font_description_get_family(matched);
    std::string result = family != nullptr ? family : "";
    pango_font_description_free(matched);
    g_object_unref(loaded);
    return result;
}

}  // namespace gfx
