#include "lib/viewer/panes/ViewerImages.h"

#include <cmath>
#include <functional>
#include <vector>

#include "lib/viewer/panes/Pane.h"
#include "lib/viewer/panes/TracelumeCtrl.h"

namespace tracelume {

namespace {

constexpr gfx::Color kInk{40, 48, 64};
constexpr gfx::Color kBlue{44, 94, 160};
constexpr gfx::Color kGreen{40, 140, 70};
constexpr gfx::Color kRed{200, 50, 40};
constexpr gfx::Color kLight{235, 240, 248};

void Line(gfx::Context& dc, double x1, double y1, double x2, double y2, gfx::Color color, double width = 1.0) {
    dc.SetPen({color, width});
    dc.DrawLine({x1, y1}, {x2, y2});
}

void Triangle(gfx::Context& dc, gfx::Point a, gfx::Point b, gfx::Point c, gfx::Color color) {
    const gfx::Point points[] = {a, b, c};
    dc.SetPen({color, 1.0});
    dc.SetBrush(color);
    dc.Polygon(points);
}

// A magnifying glass with a plus or minus in its lens.
void Magnifier(gfx::Context& dc, bool plus) {
    dc.SetPen({kInk, 1.5});
    dc.SetBrush(kLight);
    dc.Ellipse({1.5, 1.5, 11.5, 11.5});
    Line(dc, 10, 10, 14.5, 14.5, kInk, 2.5);
    Line(dc, 4, 6.5, 9, 6.5, kBlue, 1.5);
    if (plus) {
        Line(dc, 6.5, 4, 6.5, 9, kBlue, 1.5);
    }
}

// A sine stroke across the image.
void Wave(gfx::Context& dc, double top, double bottom, gfx::Color color) {
    std::vector<gfx::Point> points;
    for (int x = 1; x <= 15; ++x) {
        const double y = (top + bottom) / 2 - (bottom - top) / 2 * std::sin((x - 1) * 3.14159265 / 7);
        points.push_back({static_cast<double>(x), y});
    }
    dc.SetPen({color, 1.2});
    dc.Polyline(points);
}

void DrawToolbarImage(gfx::Context& dc, unsigned command) {
    switch (command) {
        case kCmdNormalMouse: {
            const gfx::Point arrow[] = {{3, 1}, {3, 13}, {6, 10}, {8.5, 15}, {10.5, 14}, {8, 9}, {12, 9}};
            dc.SetPen({kInk, 1.0});
            dc.SetBrush(gfx::Color{255, 255, 255});
            dc.Polygon(arrow);
            break;
        }
        case kCmdScreenshotMouse:
            dc.SetPen({kInk, 1.0, gfx::PenStyle::Dash});
            dc.SetBrush(gfx::Color{125, 162, 206, 120});
            dc.Rectangle({2, 3, 14, 13});
            Line(dc, 0, 8, 4, 8, kInk);
            Line(dc, 12, 8, 16, 8, kInk);
            break;
        case kCmdZoomOut: Magnifier(dc, false); break;
        case kCmdZoomIn: Magnifier(dc, true); break;
        case kCmdLowerRows:
            Wave(dc, 6, 10, kBlue);
            Triangle(dc, {8, 5}, {5, 1}, {11, 1}, kInk);
            Triangle(dc, {8, 11}, {5, 15}, {11, 15}, kInk);
            break;
        case kCmdTallerRows:
            Wave(dc, 4, 12, kBlue);
            Triangle(dc, {8, 0}, {5, 3}, {11, 3}, kInk);
            Triangle(dc, {8, 16}, {5, 13}, {11, 13}, kInk);
            break;
        case kCmdZoomFit:
            dc.SetPen({kInk, 1.0});
            dc.SetBrush(kLight);
            dc.Rectangle({3, 3, 13, 13});
            Wave(dc, 5, 11, kBlue);
            Triangle(dc, {0, 0}, {4, 0}, {0, 4}, kInk);
            Triangle(dc, {16, 16}, {12, 16}, {16, 12}, kInk);
            break;
        case kCmdViewStart:
            Line(dc, 2, 2, 2, 14, kInk, 2);
            Triangle(dc, {4, 8}, {13, 2}, {13, 14}, kGreen);
            break;
        case kCmdViewEnd:
            Line(dc, 14, 2, 14, 14, kInk, 2);
            Triangle(dc, {12, 8}, {3, 2}, {3, 14}, kGreen);
            break;
        case kCmdMeasureLines:
            dc.SetPen({kInk, 1.0, gfx::PenStyle::Dash});
            dc.DrawLine({0, 3}, {16, 3});
            dc.DrawLine({0, 13}, {16, 13});
            Line(dc, 8, 5, 8, 11, kRed);
            Triangle(dc, {8, 4}, {6, 7}, {10, 7}, kRed);
            Triangle(dc, {8, 12}, {6, 9}, {10, 9}, kRed);
            break;
        case kCmdGrid:
            dc.SetPen({kInk, 1.0});
            dc.SetBrush(gfx::Color{255, 255, 255});
            dc.Rectangle({1, 1, 15, 15});
            for (double at : {5.5, 10.5}) {
                Line(dc, at, 1, at, 15, gfx::Color{150, 160, 170});
                Line(dc, 1, at, 15, at, gfx::Color{150, 160, 170});
            }
            break;
        case kCmdRegion:
            dc.FillRect({4, 1, 12, 15}, gfx::Color{119, 73, 99, 140});
            Line(dc, 4, 1, 4, 15, kInk);
            Line(dc, 11, 1, 11, 15, kInk);
            Wave(dc, 5, 11, kBlue);
            break;
        default:
            break;
    }
}

void DrawCursor(gfx::Context& dc, int cursor) {
    const gfx::Color white{255, 255, 255};
    const gfx::Color black{0, 0, 0};
    // Each shape in black with a white outline, so it shows on any background.
    const auto stroke = [&](const std::function<void(gfx::Color, double)>& shape) {
        shape(white, 3.0);
        shape(black, 1.0);
    };
    switch (cursor) {
        case kCursorRowResize:
            stroke([&](gfx::Color c, double w) {
                Line(dc, 16, 4, 16, 28, c, w);
                Line(dc, 8, 16, 24, 16, c, w);
                Line(dc, 12, 8, 16, 4, c, w);
                Line(dc, 20, 8, 16, 4, c, w);
                Line(dc, 12, 24, 16, 28, c, w);
                Line(dc, 20, 24, 16, 28, c, w);
            });
            break;
        case kCursorSplitter:
            stroke([&](gfx::Color c, double w) {
                Line(dc, 14, 8, 14, 24, c, w);
                Line(dc, 18, 8, 18, 24, c, w);
                Line(dc, 4, 16, 28, 16, c, w);
                Line(dc, 8, 12, 4, 16, c, w);
                Line(dc, 8, 20, 4, 16, c, w);
                Line(dc, 24, 12, 28, 16, c, w);
                Line(dc, 24, 20, 28, 16, c, w);
            });
            break;
        case kCursorZoomKey:
            stroke([&](gfx::Color c, double w) {
                dc.SetPen({c, w});
                dc.SetBrush(gfx::Brush::Null());
                dc.Ellipse({2, 2, 20, 20});
                Line(dc, 17, 17, 28, 28, c, w + 1);
                Line(dc, 7, 11, 15, 11, c, w);
                Line(dc, 11, 7, 11, 15, c, w);
            });
            break;
        case kCursorRowDrag:
            stroke([&](gfx::Color c, double w) {
                Line(dc, 2, 2, 2, 18, c, w);
                Line(dc, 2, 2, 13, 13, c, w);
                dc.SetPen({c, w});
                dc.SetBrush(gfx::Brush::Null());
                dc.Rectangle({12, 18, 28, 28});
            });
            break;
        case kCursorPan:
            stroke([&](gfx::Color c, double w) {
                Line(dc, 16, 3, 16, 29, c, w);
                Line(dc, 3, 16, 29, 16, c, w);
                Line(dc, 12, 7, 16, 3, c, w);
                Line(dc, 20, 7, 16, 3, c, w);
                Line(dc, 12, 25, 16, 29, c, w);
                Line(dc, 20, 25, 16, 29, c, w);
                Line(dc, 7, 12, 3, 16, c, w);
                Line(dc, 7, 20, 3, 16, c, w);
                Line(dc, 25, 12, 29, 16, c, w);
                Line(dc, 25, 20, 29, 16, c, w);
            });
            break;
        case kCursorRegion:
            stroke([&](gfx::Color c, double w) {
                Line(dc, 16, 2, 16, 30, c, w);
                Line(dc, 2, 16, 30, 16, c, w);
                dc.SetPen({c, w});
                dc.SetBrush(gfx::Brush::Null());
                dc.Rectangle({20, 20, 28, 28});
            });
            break;
        default:
            break;
    }
}

}  // namespace

gfx::Bitmap ToolbarImage(unsigned command) {
    gfx::Bitmap image(16, 16);
    gfx::Context dc(image);
    DrawToolbarImage(dc, command);
    return image;
}

CursorImage CursorPicture(int cursor) {
    CursorImage image;
    switch (cursor) {
        case kCursorRowResize:
        case kCursorSplitter:
        case kCursorPan:
        case kCursorRegion:
            image.hotX = 16;
            image.hotY = 16;
            break;
        case kCursorZoomKey:
            image.hotX = 11;
            image.hotY = 11;
            break;
        case kCursorRowDrag:
            image.hotX = 2;
            image.hotY = 2;
            break;
        default:
            return image;
    }
    image.picture = gfx::Bitmap(32, 32);
    gfx::Context dc(image.picture);
    DrawCursor(dc, cursor);
    return image;
}

}  // namespace tracelume
