#pragma once
// Dialog units: template positions are given in quarters of the dialog font's
// average character width (x) and eighths of its height (y). The average width is
// measured as the width of the 52 Latin letters, halved per pair and rounded:
// (width / 26 + 1) / 2; the height is the font's line height.

#include <string>

#include <wx/font.h>
#include <wx/gdicmn.h>

class wxWindow;

namespace ui {

struct DialogUnits {
    int baseX = 0;
    int baseY = 0;

    int ToPixelsX(int units) const;
    int ToPixelsY(int units) const;
    // The box whose edges are the converted edges of the template box.
    wxRect ToPixels(int x, int y, int cx, int cy) const;
};

// The font a template names: the face (mapped to an installed family by fontconfig)
// at the point size.
wxFont MakeDialogFont(const std::wstring& face, int pointSize);

// Measures the font on the window (which gives the screen's resolution).
DialogUnits MeasureDialogUnits(wxWindow* window, const wxFont& font);

}  // namespace ui
