#include "platform/ui/DialogUnits.h"

#include <wx/window.h>

namespace ui {
namespace {

// Rounds a * b / c to the nearest integer as the template arithmetic does.
int MulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

int DialogUnits::ToPixelsX(int units) const { return MulDiv(units, baseX, 4); }

int DialogUnits::ToPixelsY(int units) const { return MulDiv(units, baseY, 8); }

wxRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
    // Edges are converted, not sizes, so that boxes that touch in units touch in
    // pixels instead of overlapping by a rounding.
    const int left = ToPixelsX(x);
    const int top = ToPixelsY(y);
    return wxRect(left, top, ToPixelsX(x + cx) - left, ToPixelsY(y + cy) - top);
}

wxFont MakeDialogFont(const std::wstring& face, int pointSize) {
    return wxFont(wxFontInfo(pointSize > 0 ? pointSize : 8).FaceName(wxString(face)));
}

DialogUnits MeasureDialogUnits(wxWindow* window, const wxFont& font) {
    wxCoord width = 0;
    wxCoord height = 0;
    window->GetTextExtent(wxString("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"), &width, &height, nullptr,
                          nullptr, &font);
    DialogUnits units;
    units.baseX = std::max(1, (width / 26 + 1) / 2);
    units.baseY = std::max(1, static_cast<int>(height));
    return units;
}

}  // namespace ui
