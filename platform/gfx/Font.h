#pragma once
// A font as the program asks for it: a face name (Windows names such as "Tahoma"
// or "宋体" are mapped to installed families by the fonts.conf beside the program),
// a height in pixels, a weight and the italic, underline and strike-out flags.
//
// The height follows the window system's convention: a negative height is the
// character (em) height, a positive one the cell height (ascent plus descent), 0 a
// default size.

#include <string>
#include <utility>

namespace gfx {

struct Font {
    std::wstring face = L"Tahoma";
    double height = 0;
    int weight = 400;  // 100..900; 400 normal, 700 bold; 0 counts as normal
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    // A font whose size is given in points on a page of the given resolution, as the
    // report pages give theirs.
    static Font FromPoints(std::wstring face, double points, double dpi = 96.0) {
        Font font;
        font.face = std::move(face);
        font.height = -points * dpi / 72.0;
        return font;
    }
};

// Metrics of a font in pixels: height = ascent + descent; internal leading = height
// minus the character height.
struct TextMetrics {
    double height = 0;
    double ascent = 0;
    double descent = 0;
    double internalLeading = 0;
    double averageCharWidth = 0;
};

// How many characters of the text no installed font could show in this font (they
// would come out as boxes). 0 means every character has a glyph.
int MissingGlyphCount(const std::wstring& text, const Font& font);

// The family that fontconfig picks for the font's face (UTF-8), e.g. "DejaVu Sans"
// for "Tahoma" once the program's fonts.conf is loaded.
std::string MatchedFamily(const Font& font);

}  // namespace gfx
