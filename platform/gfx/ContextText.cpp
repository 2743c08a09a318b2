// The text operations of gfx::Context, on pango.

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>

#include "platform/base/Encoding.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/PangoFont.h"
#include "platform/gfx/VectorCapture.h"

namespace gfx {

namespace {

constexpr wchar_t kEllipsis = L'\u2026';

// Text for one line: a line break shows as a space, and the text ends at a NUL as
// the program's character arrays do.
std::wstring OneLine(const std::wstring& text) {
    std::wstring line = text.substr(0, text.find(L'\0'));
    std::replace_if(line.begin(), line.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L' ');
    return line;
}

struct FittedPath {
    std::wstring text;
    PangoEllipsizeMode ellipsize = PANGO_ELLIPSIZE_NONE;
};

// Shortens a path to the width by cutting the part before its last separator, so
// that as much as possible of the last part stays. A text without a separator is
// cut in the middle; a last part that alone is too wide loses its beginning.
FittedPath FitPath(Context& context, const std::wstring& text, double width) {
    if (context.TextExtent(text).width <= width) {
        return {text};
    }
    const std::size_t separator = text.find_last_of(L"\\/");
    if (separator == std::wstring::npos) {
        return {text, PANGO_ELLIPSIZE_MIDDLE};
    }
    const std::wstring tail = text.substr(separator);
    auto shortened = [&](std::size_t keep) { return text.substr(0, keep) + kEllipsis + tail; };
    if (context.TextExtent(shortened(0)).width > width) {
        return {kEllipsis + tail, PANGO_ELLIPSIZE_START};
    }
    // The widest head that fits: widths grow with the number of characters kept.
    std::size_t fits = 0;
    std::size_t tooWide = separator;
    while (tooWide - fits > 1) {
        const std::size_t middle = fits + (tooWide - fits) / 2;
        if (context.TextExtent(shortened(middle)).width <= width) {
            fits = middle;
        } else {
            tooWide = middle;
        }
    }
    return {shortened(fits)};
}

double Pixels(int pangoUnits) { return static_cast<double>(pangoUnits) / PANGO_SCALE; }

// Pango units of a length, kept in range for rectangles of any size.
int PangoUnits(double pixels) { return static_cast<int>(std::clamp(pixels, 0.0, 1.0e6) * PANGO_SCALE); }

void SetTextSource(cairo_t* cr, Color color) {
    cairo_set_source_rgba(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0, color.a / 255.0);
}

}  // namespace

PangoFontDescription* Context::FontDescription() {
    if (m_fontDescription == nullptr) {
        if (m_layout == nullptr) {
            m_layout = pango_cairo_create_layout(m_cr);
        }
        m_fontDescription = detail::NewFontDescription(m_state.font, pango_layout_get_context(m_layout));
    }
    return m_fontDescription;
}

PangoLayout* Context::PrepareLayout(const std::wstring& text) {
    if (m_layout == nullptr) {
        m_layout = pango_cairo_create_layout(m_cr);
    } else {
        pango_cairo_update_layout(m_cr, m_layout);
    }
    pango_layout_set_font_description(m_layout, FontDescription());
    PangoAttrList* attributes = pango_attr_list_new();
    if (m_state.font.underline) {
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    }
    if (m_state.font.strikeOut) {
        pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
    }
    pango_layout_set_attributes(m_layout, attributes);
    pango_attr_list_unref(attributes);
    pango_layout_set_width(m_layout, -1);
    pango_layout_set_height(m_layout, -1);
    pango_layout_set_wrap(m_layout, PANGO_WRAP_WORD);
    pango_layout_set_ellipsize(m_layout, PANGO_ELLIPSIZE_NONE);
    pango_layout_set_alignment(m_layout, PANGO_ALIGN_LEFT);
    const std::string utf8 = platform::WideToUtf8(text.substr(0, text.find(L'\0')));
    pango_layout_set_text(m_layout, utf8.data(), static_cast<int>(utf8.size()));
    return m_layout;
}

void Context::ShowLayout(PangoLayout* layout, double x, double y) {
    if (m_state.opaqueBackground) {
        PangoRectangle logical;
        pango_layout_get_extents(layout, nullptr, &logical);
        cairo_rectangle(m_cr, x + Pixels(logical.x), y + Pixels(logical.y), Pixels(logical.width),
                        Pixels(logical.height));
        SetTextSource(m_cr, m_state.backgroundColor);
        if (m_vector != nullptr) {
            m_vector->Add(FillOp{detail::CapturePath(m_cr), Brush(m_state.backgroundColor)});
        }
        cairo_fill(m_cr);
    }
    if (m_vector != nullptr) {
        const double emHeight = Pixels(pango_font_description_get_size(FontDescription()));
        for (TextOp& line : detail::CaptureLayout(m_cr, layout, x, y, m_state.font, emHeight, m_state.textColor)) {
            m_vector->Add(std::move(line));
        }
    }
    SetTextSource(m_cr, m_state.textColor);
    cairo_move_to(m_cr, x, y);
    pango_cairo_show_layout(m_cr, layout);
    cairo_new_path(m_cr);
}

TextMetrics Context::Metrics() {
    PangoFontDescription* description = FontDescription();
    pango_cairo_update_layout(m_cr, m_layout);
    PangoFontMetrics* metrics = pango_context_get_metrics(pango_layout_get_context(m_layout), description, nullptr);
    TextMetrics result;
    result.ascent = Pixels(pango_font_metrics_get_ascent(metrics));
    result.descent = Pixels(pango_font_metrics_get_descent(metrics));
    result.height = result.ascent + result.descent;
    result.averageCharWidth = Pixels(pango_font_metrics_get_approximate_char_width(metrics));
    result.internalLeading = std::max(0.0, result.height - Pixels(pango_font_description_get_size(description)));
    pango_font_metrics_unref(metrics);
    return result;
}

Size Context::TextExtent(const std::wstring& text) {
    PangoRectangle logical;
    pango_layout_get_extents(PrepareLayout(OneLine(text)), nullptr, &logical);
    return {Pixels(logical.width), Pixels(logical.height)};
}

void Context::TextOut(double x, double y, const std::wstring& text) { ShowLayout(PrepareLayout(OneLine(text)), x, y); }

double Context::DrawText(const std::wstring& text, Rect& rect, unsigned format) {
    const bool singleLine = (format & TextFormat::SingleLine) != 0;
    const bool wrap = !singleLine && (format & TextFormat::WordBreak) != 0;
    const bool measureOnly = (format & TextFormat::CalcRect) != 0;
    const double width = std::max(0.0, rect.Width());

    FittedPath shown{singleLine ? OneLine(text) : text};
    if (!measureOnly && (format & TextFormat::PathEllipsis) != 0) {
        shown = FitPath(*this, OneLine(text), width);
    }
    PangoLayout* layout = PrepareLayout(shown.text);
    const bool centred = (format & TextFormat::Center) != 0;
    const bool right = !centred && (format & TextFormat::Right) != 0;
    pango_layout_set_alignment(layout, centred ? PANGO_ALIGN_CENTER : right ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT);
    bool widthSet = false;
    if (wrap) {
        pango_layout_set_width(layout, PangoUnits(width));
        widthSet = true;
    }
    if (!measureOnly) {
        if ((format & TextFormat::EndEllipsis) != 0 && shown.ellipsize == PANGO_ELLIPSIZE_NONE) {
            shown.ellipsize = PANGO_ELLIPSIZE_END;
        }
        if (shown.ellipsize != PANGO_ELLIPSIZE_NONE) {
            pango_layout_set_width(layout, PangoUnits(width));
            pango_layout_set_ellipsize(layout, shown.ellipsize);
            // Wrapped text keeps the lines that fit; the last of them gets the ellipsis.
            if (wrap) {
                pango_layout_set_height(layout, PangoUnits(rect.Height()));
            }
            widthSet = true;
        }
    }
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    const double textWidth = Pixels(logical.width);
    const double textHeight = Pixels(logical.height);
    if (measureOnly) {
        rect.right = rect.left + textWidth;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }

    // Pango places the lines inside a set width itself; otherwise the block is placed.
    double x = rect.left;
    if (!widthSet) {
        if (centred) {
            x += std::floor((width - textWidth) / 2);
        } else if (right) {
            x += std::round(width - textWidth);
        }
        x -= Pixels(logical.x);
    }
    double y = rect.top;
    if ((format & TextFormat::VCenter) != 0) {
        y += std::floor((rect.Height() - textHeight) / 2);
    } else if ((format & TextFormat::Bottom) != 0) {
        y += std::round(rect.Height() - textHeight);
    }
    PushClip(rect);
    ShowLayout(layout, x, y);
    PopClip();
    return textHeight;
}

}  // namespace gfx
