#include "platform/ui/ColorButton.h"

#include "platform/ui/ColorChooser.h"
#include "platform/ui/Message.h"
#include "platform/ui/Window.h"

namespace ui {
namespace {

void SetSource(cairo_t* context, std::uint32_t color, double alpha = 1.0) {
    cairo_set_source_rgba(context, (color & 0xFF) / 255.0, ((color >> 8) & 0xFF) / 255.0,
                          ((color >> 16) & 0xFF) / 255.0, alpha);
}

// Colours of the button's frame (red in the low byte).
constexpr std::uint32_t kFace = 0xF0F0F0;
constexpr std::uint32_t kBorder = 0xA0A0A0;
constexpr std::uint32_t kBorderHot = 0xD77800;  // blue
constexpr std::uint32_t kBorderPressed = 0x505050;
constexpr std::uint32_t kSwatchOutline = 0x646464;
// Between the frame and the swatch.
constexpr double kInset = 4.0;

}  // namespace

ColorButton::ColorButton(Window* owner, wxWindow* parent, unsigned id, const wxRect& rect)
    : OwnerDrawButton(parent, wxString(), rect), m_owner(owner), m_ownerSerial(Window::SerialOf(owner)), m_id(id) {
    SetPaintHandler([this](cairo_t* context, int width, int height, const State& state) {
        Paint(context, width, height, state);
    });
    Bind(wxEVT_BUTTON, &ColorButton::OnClicked, this);
}

void ColorButton::SetColor(std::uint32_t color) {
    m_color = color & 0xFFFFFF;
    Refresh();
}

void ColorButton::OnClicked(wxCommandEvent&) {
    Window* owner = Window::SerialOf(m_owner) == m_ownerSerial ? m_owner : nullptr;
    const std::optional<std::uint32_t> chosen = ChooseColor(owner, m_color, m_defaultColor);
    if (!chosen) {
        return;
    }
    SetColor(*chosen);
    // The owner may have gone while the chooser was up.
    if (m_ownerSerial != 0 && Window::SerialOf(m_owner) == m_ownerSerial) {
        m_owner->WindowProc(kMsgCommand, MakeWParam(m_id, kNotifyColorChosen), 0);
    }
}

void ColorButton::Paint(cairo_t* context, int width, int height, const State& state) const {
    SetSource(context, kFace);
    cairo_paint(context);
    cairo_set_line_width(context, 1.0);
    SetSource(context, state.pressed ? kBorderPressed : state.hot ? kBorderHot : kBorder);
    cairo_rectangle(context, 0.5, 0.5, width - 1.0, height - 1.0);
    cairo_stroke(context);

    const double shift = state.pressed ? 1.0 : 0.0;
    const double swatchWidth = width - 2 * kInset;
    const double swatchHeight = height - 2 * kInset;
    if (swatchWidth <= 0 || swatchHeight <= 0) {
        return;
    }
    cairo_rectangle(context, kInset + shift, kInset + shift, swatchWidth, swatchHeight);
    SetSource(context, m_color, state.enabled ? 1.0 : 0.35);
    cairo_fill(context);
    // Lines on pixel centres, so that they stay one pixel wide.
    cairo_rectangle(context, kInset + shift + 0.5, kInset + shift + 0.5, swatchWidth - 1.0, swatchHeight - 1.0);
    SetSource(context, kSwatchOutline);
    cairo_stroke(context);
    if (state.focused) {
        const double dash = 1.0;
        cairo_set_dash(context, &dash, 1, 0);
        SetSource(context, 0);
        cairo_rectangle(context, 2.5, 2.5, width - 5.0, height - 5.0);
        cairo_stroke(context);
    }
}

}  // namespace ui
