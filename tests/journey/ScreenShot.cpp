#include "tests/journey/ScreenShot.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gfx/Bitmap.h"

namespace journey {
namespace {

// The docking tabs' colours: the top row of the tab strip and of a plain tab, of a
// tab under the mouse and of a disabled one; the front tab's light fill.
constexpr Rgb kStripTop{113, 176, 211};
constexpr Rgb kHotTop{143, 192, 218};
constexpr Rgb kDisabledFill{221, 241, 255};
constexpr Rgb kFrontFill{255, 252, 242};
constexpr int kNarrowestFront = 30;
// Narrower marks in a strip are its edges, not tabs.
constexpr int kNarrowestTab = 8;
constexpr int kLetterContrast = 100;
// Neighbouring columns of one fill differ by a gradient step at most.
constexpr int kFillStep = 12;
// Captions of neighbouring tabs stand at least twice the tab padding apart; words of
// one caption much closer.
constexpr int kTabGap = 12;

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

int Distance(const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }

// The front tab's fill: light yellow, never white.
bool Light(const Rgb& c) { return c.r >= 250 && c.g >= 238 && c.b >= 195 && c.b <= 246; }

bool TabTop(const Rgb& c) {
    return Near(c, kStripTop, 4) || Near(c, kHotTop, 4) || Near(c, kDisabledFill, 4) || Near(c, kFrontFill, 4);
}

// The strip and the plain and hot tabs: shades of one blue.
bool TabBlue(const Rgb& c) { return c.b - c.r >= 60 && c.b >= 140; }

}  // namespace

Picture Picture::Load(const std::filesystem::path& png) {
    const gfx::Bitmap bitmap = gfx::Bitmap::LoadPng(png);
    Picture picture;
    picture.width = bitmap.Width();
    picture.height = bitmap.Height();
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const gfx::Color c = bitmap.PixelAt(x, y);
            picture.colour.push_back({c.r, c.g, c.b});
            picture.alpha.push_back(c.a);
        }
    }
    return picture;
}

Picture Picture::Square(int index) const {
    Picture square;
    square.width = height;
    square.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < height; ++x) {
            const std::size_t at = static_cast<std::size_t>(y * width + index * height + x);
            square.colour.push_back(colour[at]);
            square.alpha.push_back(alpha[at]);
        }
    }
    return square;
}

Rgb ScreenShot::At(int x, int y) const {
    if (!m_area.Contains(x, y)) {
        return {};
    }
    return m_pixels[static_cast<std::size_t>((y - m_area.y) * m_area.width + (x - m_area.x))];
}

bool ScreenShot::Save(const std::filesystem::path& png) const {
    gfx::Bitmap bitmap(m_area.width, m_area.height);
    for (int y = 0; y < m_area.height; ++y) {
        for (int x = 0; x < m_area.width; ++x) {
            const Rgb c = At(m_area.x + x, m_area.y + y);
            bitmap.SetPixel(x, y, gfx::Color{static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
                                             static_cast<std::uint8_t>(c.b), 255});
        }
    }
    return bitmap.SavePng(png);
}

std::optional<Rect> ScreenShot::Find(const Picture& picture) const {
    std::vector<std::pair<int, int>> opaque;  // (offset in the picture, index)
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.alpha[static_cast<std::size_t>(y * picture.width + x)] == 255) {
                opaque.emplace_back(x, y);
            }
        }
    }
    if (opaque.empty()) {
        return std::nullopt;
    }
    // Edges are smoothed against whatever lies behind: nine in ten opaque pixels
    // must match closely.
    const std::size_t allowedMisses = opaque.size() / 10;
    for (int top = m_area.y; top + picture.height <= m_area.Bottom(); ++top) {
        for (int left = m_area.x; left + picture.width <= m_area.Right(); ++left) {
            std::size_t misses = 0;
            for (const auto& [x, y] : opaque) {
                if (!Near(At(left + x, top + y), picture.colour[static_cast<std::size_t>(y * picture.width + x)], 24) &&
                    ++misses > allowedMisses) {
                    break;
                }
            }
            if (misses <= allowedMisses) {
                return Rect{left, top, picture.width, picture.height};
            }
        }
    }
    return std::nullopt;
}

double ScreenShot::Difference(const ScreenShot& other, const Rect& rect) const {
    if (rect.width <= 0 || rect.height <= 0) {
        return 0.0;
    }
    long differing = 0;
    for (int y = rect.y; y < rect.Bottom(); ++y) {
        for (int x = rect.x; x < rect.Right(); ++x) {
            differing += Distance(At(x, y), other.At(x, y)) > 24 ? 1 : 0;
        }
    }
    return static_cast<double>(differing) / (static_cast<double>(rect.width) * rect.height);
}

std::vector<TabRow> FindTabRows(const ScreenShot& shot) {
    std::vector<TabRow> rows;
    const Rect& area = shot.Area();
    for (int y = area.y + 1; y < area.Bottom(); ++y) {
        for (int x = area.x; x < area.Right();) {
            if (!Near(shot.At(x, y), kFrontFill, 3) || Light(shot.At(x, y - 1))) {
                ++x;
                continue;
            }
            int end = x;
            while (end < area.Right() && Near(shot.At(end, y), kFrontFill, 3)) {
                ++end;
            }
            const int left = x;
            x = end;
            // A front tab sits in a strip: its neighbours in its top row are tabs or the strip.
            const bool inStrip = TabTop(shot.At(left - 1, y)) && !Near(shot.At(left - 1, y), kFrontFill, 4);
            const bool beforeStrip = TabTop(shot.At(end, y)) && !Near(shot.At(end, y), kFrontFill, 4);
            if (end - left < kNarrowestFront || (!inStrip && !beforeStrip)) {
                continue;
            }
            int bottom = y;
            // Down the tab's padding, where no letter stands.
            while (bottom < area.Bottom() && Light(shot.At(left + 2, bottom))) {
                ++bottom;
            }
            TabRow row;
            int stripLeft = left;
            while (stripLeft > area.x && TabTop(shot.At(stripLeft - 1, y))) {
                --stripLeft;
            }
            int stripRight = end;
            while (stripRight < area.Right() && TabTop(shot.At(stripRight, y))) {
                ++stripRight;
            }
            row.strip = Rect{stripLeft, y, stripRight - stripLeft, bottom - y};
            // Each tab is found by its caption's letters, on the blue of a plain tab or
            // on the light fill of the front or a disabled tab; letters of two tabs
            // stand apart by the tabs' padding or on fills of another colour.
            const int inner = std::max(1, row.strip.height / 5);
            int start = -1;
            int last = -1;
            Rgb lastFill;
            auto close = [&] {
                if (start >= 0 && last - start >= kNarrowestTab) {
                    row.tabs.push_back(Rect{start, y, last - start + 1, bottom - y});
                    row.disabled.push_back(Near(shot.At(start, y + 1), kDisabledFill, 4));
                }
                start = -1;
            };
            for (int rx = stripLeft; rx < stripRight; ++rx) {
                const Rgb fill = shot.At(rx, y + 1);
                bool letters = false;
                for (int ry = y + inner; ry < bottom - inner && !letters; ++ry) {
                    const Rgb pixel = shot.At(rx, ry);
                    letters = TabBlue(fill) ? !TabBlue(pixel) : Distance(pixel, fill) > kLetterContrast;
                }
                if (start >= 0 && Distance(fill, lastFill) > kFillStep) {
                    close();
                }
                lastFill = fill;
                if (!letters) {
                    continue;
                }
                if (start >= 0 && rx - last > kTabGap) {
                    close();
                }
                if (start < 0) {
                    start = rx;
                }
                last = rx;
            }
            close();
            for (std::size_t i = 0; i < row.tabs.size(); ++i) {
                if (row.tabs[i].x <= (left + end) / 2 && row.tabs[i].Right() >= (left + end) / 2) {
                    row.front = static_cast<int>(i);
                }
            }
            rows.push_back(row);
        }
    }
    return rows;
}

std::optional<Rect> FindRibbonFrontTab(const ScreenShot& shot, const Rect& band) {
    std::optional<Rect> best;
    for (int y = band.y; y < band.Bottom(); ++y) {
        for (int x = band.x; x < band.Right();) {
            auto warm = [&](int px) {
                const Rgb c = shot.At(px, y);
                return c.r >= 200 && c.r - c.b >= 30;
            };
            if (!warm(x)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < band.Right() && warm(end)) {
                ++end;
            }
            if (end - x >= 30 && (!best || end - x > best->width)) {
                best = Rect{x, band.y, end - x, band.height};
            }
            x = end;
        }
    }
    return best;
}

std::vector<Rect> FindRunsFromBottom(const ScreenShot& shot, const Rect& area, Rgb colour, int shortest, int count) {
    for (int y = area.Bottom() - 1; y >= area.y; --y) {
        std::vector<Rect> runs;
        for (int x = area.x; x < area.Right();) {
            int end = x;
            while (end < area.Right() && Near(shot.At(end, y), colour, 3)) {
                ++end;
            }
            if (end - x >= shortest) {
                runs.push_back(Rect{x, y, end - x, 1});
            }
            x = std::max(end, x + 1);
        }
        if (static_cast<int>(runs.size()) == count) {
            return runs;
        }
    }
    return {};
}

std::vector<Rect> FindButtons(const ScreenShot& shot, int y, int x0, int x1) {
    constexpr Rgb kButtonBorder{205, 199, 194};
    std::vector<int> edges;
    for (int x = x0; x < x1; ++x) {
        if (Near(shot.At(x, y), kButtonBorder, 6) && !Near(shot.At(x - 1, y), kButtonBorder, 6)) {
            edges.push_back(x);
        }
    }
    std::vector<Rect> buttons;
    for (std::size_t i = 0; i + 1 < edges.size(); i += 2) {
        buttons.push_back(Rect{edges[i], y - 10, edges[i + 1] - edges[i] + 1, 20});
    }
    return buttons;
}

}  // namespace journey
