#include "platform/ui/ColorChooser.h"

#include <mutex>
#include <utility>

#include <wx/app.h>
#include <wx/cmndata.h>
#include <wx/colordlg.h>

#include "platform/ui/Window.h"

namespace ui {
namespace {

std::mutex g_colorChooserResponderLock;
ColorChooserResponder g_colorChooserResponder;

ColorChooserResponder CurrentColorChooserResponder() {
    std::lock_guard guard(g_colorChooserResponderLock);
    return g_colorChooserResponder;
}

wxColour ToWx(std::uint32_t color) {
    return wxColour(static_cast<unsigned char>(color & 0xFF), static_cast<unsigned char>((color >> 8) & 0xFF),
                    static_cast<unsigned char>((color >> 16) & 0xFF));
}

std::uint32_t FromWx(const wxColour& color) {
    return static_cast<std::uint32_t>(color.Red()) | static_cast<std::uint32_t>(color.Green()) << 8 |
           static_cast<std::uint32_t>(color.Blue()) << 16;
}

}  // namespace

void SetColorChooserResponder(ColorChooserResponder responder) {
    std::lock_guard guard(g_colorChooserResponderLock);
    g_colorChooserResponder = std::move(responder);
}

std::optional<std::uint32_t> ChooseColor(Window* owner, std::uint32_t initial, std::uint32_t defaultColor) {
    if (const ColorChooserResponder responder = CurrentColorChooserResponder()) {
        return responder(ColorChooserRequest{initial, defaultColor});
    }
    wxWindow* parent = owner != nullptr && Window::SerialOf(owner) != 0 ? owner->GetWx() : nullptr;
    if (parent == nullptr && wxTheApp != nullptr) {
        parent = wxTheApp->GetTopWindow();
    }
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(ToWx(initial));
    // The default colour is the first custom colour, so that going back to it takes
    // one click.
    data.SetCustomColour(0, ToWx(defaultColor));
    wxColourDialog dialog(parent, &data);
    if (dialog.ShowModal() != wxID_OK) {
        return std::nullopt;
    }
    return FromWx(dialog.GetColourData().GetColour());
}

}  // namespace ui
