#pragma once
// Pixels of a part of the screen, and what the journey reads from them: a picture
// of the program's own found on screen, regions that changed, the tab rows of the
// docking panes and the tabs in them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace journey {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    int CentreX() const { return x + width / 2; }
    int CentreY() const { return y + height / 2; }
    bool Contains(int px, int py) const { return px >= x && py >= y && px < Right() && py < Bottom(); }
};

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// A picture of ours with its transparency (straight alpha), as the program draws it.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> colour;
    std::vector<int> alpha;
    static Picture Load(const std::filesystem::path& png);
    // The square image `index` of a strip of square images.
    Picture Square(int index) const;
};

class ScreenShot {
public:
    ScreenShot() = default;
    ScreenShot(Rect area, std::vector<Rgb> pixels) : m_area(area), m_pixels(std::move(pixels)) {}

    const Rect& Area() const { return m_area; }
    // By screen position; black outside.
    Rgb At(int x, int y) const;
    bool Save(const std::filesystem::path& png) const;

    // Where the picture stands on screen (its top-left corner), matched on its opaque
    // pixels; the first place from the top.
    std::optional<Rect> Find(const Picture& picture) const;
    // The share of pixels of the rectangle (screen positions) that differ from the
    // other shot's by more than a small tolerance.
    double Difference(const ScreenShot& other, const Rect& rect) const;

private:
    Rect m_area;
    std::vector<Rgb> m_pixels;
};

// A row of docking-pane tabs and the tabs in it (screen positions). The front tab
// is drawn light; the others are told apart by their captions.
struct TabRow {
    Rect strip;
    std::vector<Rect> tabs;        // each tab's caption
    std::vector<bool> disabled;    // a tab that may not be chosen
    int front = -1;                // index into tabs
};

// Tab rows found in the shot: bands drawn in the tab strip's blue, with the front
// tab's light fill in them.
std::vector<TabRow> FindTabRows(const ScreenShot& shot);

// The ribbon's front tab: the warm fill in the band of the ribbon's tab row.
std::optional<Rect> FindRibbonFrontTab(const ScreenShot& shot, const Rect& band);

// Runs of one colour, at least `shortest` pixels long, in the first row from the
// bottom of `area` that has `count` of them; empty when none has.
std::vector<Rect> FindRunsFromBottom(const ScreenShot& shot, const Rect& area, Rgb colour, int shortest, int count);

// Push buttons crossing row y between x0 and x1, left to right, told by their
// frames in the toolkit theme's border colour.
std::vector<Rect> FindButtons(const ScreenShot& shot, int y, int x0, int x1);

}  // namespace journey
