// Draws the pictures of the shared controls into the folder given as the only
// argument, as <id>.png: the collapse strip's looks (expanded and collapsed, plain
// and under the pointer) and the progress dialog's copying clip. The pictures are
// drawn pixel by pixel or with plain shapes, so every run writes the same bytes.

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <string>

#include "controls/AnimationClip.h"
#include "controls/ControlDrawing.h"
#include "controls/ResizeCtrlState.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

namespace {

using controls::ResizeCtrlState;

struct StripLook {
    gfx::Color face;
    gfx::Color edge;
    gfx::Color arrow;
};

constexpr StripLook kPlain{{196, 212, 226}, {150, 172, 192}, {70, 100, 130}};
constexpr StripLook kHover{{120, 176, 228}, {60, 120, 180}, {255, 255, 255}};

// The strip at the size it is shown: a face with darker long edges and two small
// arrows, pointing right (the panel folds away) or left (it comes back).
gfx::Bitmap DrawStrip(const StripLook& look, bool pointsRight) {
    gfx::Bitmap strip(controls::kStripWidth, controls::kStripHeight);
    for (int y = 0; y < strip.Height(); ++y) {
        for (int x = 0; x < strip.Width(); ++x) {
            const bool edge = x == 0 || x == strip.Width() - 1;
            strip.SetPixel(x, y, edge ? look.edge : look.face);
        }
    }
    // Rows of a 5-row arrow, each starting at the arrow's flat side.
    constexpr std::array<int, 5> kWidths{1, 2, 3, 2, 1};
    for (const int centre : {strip.Height() / 2 - 8, strip.Height() / 2 + 8}) {
        for (int row = 0; row < 5; ++row) {
            for (int i = 0; i < kWidths[row]; ++i) {
                const int x = pointsRight ? 1 + i : strip.Width() - 2 - i;
                strip.SetPixel(x, centre - 2 + row, look.arrow);
            }
        }
    }
    return strip;
}

constexpr int kClipWidth = 240;
constexpr int kClipHeight = 44;

void DrawFolder(gfx::Context& dc, double x, double y) {
    dc.SetPen(gfx::Pen{{150, 110, 20}});
    dc.SetBrush(gfx::Color{240, 200, 90});
    const std::array tab{gfx::Point{x, y + 4}, gfx::Point{x + 3, y}, gfx::Point{x + 14, y}, gfx::Point{x + 17, y + 4}};
    dc.Polygon(tab);
    dc.Rectangle(gfx::Rect::FromSize(x, y + 4, 36, 26));
    dc.SetBrush(gfx::Color{250, 220, 120});
    dc.Rectangle(gfx::Rect::FromSize(x, y + 10, 36, 20));
}

void DrawSheet(gfx::Context& dc, double x, double y) {
    dc.SetPen(gfx::Pen{{90, 90, 90}});
    dc.SetBrush(gfx::Color{255, 255, 255});
    dc.Rectangle(gfx::Rect::FromSize(x, y, 14, 18));
    dc.SetPen(gfx::Pen{{60, 120, 200}});
    for (int line = 0; line < 4; ++line) {
        dc.DrawLine({x + 3, y + 4 + 3 * line}, {x + 11, y + 4 + 3 * line});
    }
}

// The copying clip: a sheet flies from the left folder to the right one.
gfx::Bitmap DrawCopyClip() {
    constexpr int frames = controls::kCopyClipFrames;
    gfx::Bitmap strip(kClipWidth * frames, kClipHeight);
    gfx::Context dc(strip);
    for (int frame = 0; frame < frames; ++frame) {
        dc.Save();
        dc.Translate(frame * kClipWidth, 0);
        dc.IntersectClip(gfx::Rect::FromSize(0, 0, kClipWidth, kClipHeight));
        DrawFolder(dc, 8, 10);
        DrawFolder(dc, kClipWidth - 44, 10);
        const double t = static_cast<double>(frame) / (frames - 1);
        const double x = 30 + t * (kClipWidth - 76);
        const double y = 16 - std::sin(std::numbers::pi * t) * 14;
        DrawSheet(dc, std::round(x), std::round(y));
        dc.Restore();
    }
    return strip;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = platform::ToPath(std::string_view(argv[1]));
    const std::array<std::pair<int, std::function<gfx::Bitmap()>>, 5> pictures{{
        {ResizeCtrlState::kPictureExpanded, [] { return DrawStrip(kPlain, true); }},
        {ResizeCtrlState::kPictureExpandedHover, [] { return DrawStrip(kHover, true); }},
        {ResizeCtrlState::kPictureCollapsed, [] { return DrawStrip(kPlain, false); }},
        {ResizeCtrlState::kPictureCollapsedHover, [] { return DrawStrip(kHover, false); }},
        {controls::kCopyClipPicture, DrawCopyClip},
    }};
    int failed = 0;
    for (const auto& [id, draw] : pictures) {
        const std::filesystem::path file = folder / (std::to_string(id) + ".png");
        if (!draw().SavePng(file)) {
            std::fprintf(stderr, "cannot write %s\n", platform::PathToUtf8(file).c_str());
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
