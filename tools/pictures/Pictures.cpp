#include "tools/pictures/Pictures.h"

#include <cairo.h>

#include <cmath>
#include <functional>
#include <initializer_list>
#include <optional>
#include <numbers>

#include "platform/gfx/Color.h"
#include "platform/gfx/Context.h"

namespace pictures {
namespace {

using gfx::Color;
using Draw = std::function<void(cairo_t*)>;

constexpr double kPi = std::numbers::pi;

// The palette of the program's pictures.
constexpr Color kBlue{43, 87, 154};
constexpr Color kSky{108, 199, 242};
constexpr Color kDeepBlue{21, 66, 139};
constexpr Color kTeal{53, 137, 181};
constexpr Color kGreen{33, 130, 75};
constexpr Color kRed{206, 62, 52};
constexpr Color kOrange{236, 140, 40};
constexpr Color kYellow{246, 200, 60};
constexpr Color kFolder{244, 196, 88};
constexpr Color kFolderDark{196, 140, 40};
constexpr Color kGrey{112, 120, 134};
constexpr Color kPaper{252, 252, 252};
constexpr Color kLine{150, 160, 175};
constexpr Color kWhite{255, 255, 255};
constexpr Color kKey{0, 255, 0};

void Source(cairo_t* cr, Color color, double alpha = 1.0) {
    cairo_set_source_rgba(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0, alpha);
}

void Fill(cairo_t* cr, Color color, double alpha = 1.0) {
    Source(cr, color, alpha);
    cairo_fill(cr);
}

void FillPreserve(cairo_t* cr, Color color) {
    Source(cr, color);
    cairo_fill_preserve(cr);
}

void Stroke(cairo_t* cr, Color color, double width) {
    Source(cr, color);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

struct At {
    double x;
    double y;
};

// A line through the points, closed into a shape unless it is open.
void Path(cairo_t* cr, std::initializer_list<At> points, bool closed = true) {
    bool first = true;
    for (const At& point : points) {
        first ? cairo_move_to(cr, point.x, point.y) : cairo_line_to(cr, point.x, point.y);
        first = false;
    }
    if (closed) {
        cairo_close_path(cr);
    }
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void Gradient(cairo_t* cr, double y0, double y1, Color top, Color bottom) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgb(pattern, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
    cairo_pattern_add_color_stop_rgb(pattern, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
    cairo_set_source(cr, pattern);
    cairo_pattern_destroy(pattern);
}

void Wave(cairo_t* cr, double x, double y, double width, double amplitude, double cycles, double phase = 0) {
    const int steps = static_cast<int>(width * 2);
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double py = y - amplitude * std::sin(phase + 2 * kPi * cycles * t);
        i == 0 ? cairo_move_to(cr, x + width * t, py) : cairo_line_to(cr, x + width * t, py);
    }
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, Color color, double width) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    Stroke(cr, color, width);
    const double angle = std::atan2(y1 - y0, x1 - x0);
    const double head = width * 2.6;
    cairo_move_to(cr, x1 + std::cos(angle) * head * 0.6, y1 + std::sin(angle) * head * 0.6);
    cairo_line_to(cr, x1 + std::cos(angle + 2.3) * head, y1 + std::sin(angle + 2.3) * head);
    cairo_line_to(cr, x1 + std::cos(angle - 2.3) * head, y1 + std::sin(angle - 2.3) * head);
    cairo_close_path(cr);
    Fill(cr, color);
}

// A sheet of paper with a folded corner, its outline in the colour.
void Paper(cairo_t* cr, double x, double y, double w, double h, Color outline) {
    const double fold = w * 0.28;
    Path(cr, {{x, y}, {x + w - fold, y}, {x + w, y + fold}, {x + w, y + h}, {x, y + h}});
    FillPreserve(cr, kPaper);
    Stroke(cr, outline, 1.2);
    Path(cr, {{x + w - fold, y}, {x + w - fold, y + fold}, {x + w, y + fold}}, false);
    Stroke(cr, outline, 1);
}

void Folder(cairo_t* cr, Color front) {
    Path(cr, {{3, 8}, {12, 8}, {15, 11}, {28, 11}, {28, 26}, {3, 26}});
    FillPreserve(cr, kFolderDark);
    Stroke(cr, kFolderDark, 1);
    Path(cr, {{3, 27}, {7, 14}, {31, 14}, {27, 27}});
    Gradient(cr, 14, 27, kYellow, front);
    cairo_fill_preserve(cr);
    Stroke(cr, kFolderDark, 1);
}

void OpenFromDisk(cairo_t* cr) {
    Folder(cr, kFolder);
    Arrow(cr, 17, 4, 17, 17, kGreen, 2.2);
}

void OpenWaveFromDisk(cairo_t* cr) {
    Folder(cr, kFolder);
    Wave(cr, 9, 20.5, 17, 3.5, 1.5);
    Stroke(cr, kBlue, 1.8);
}

void Terminal(cairo_t* cr) {
    RoundRect(cr, 6, 3, 20, 26, 3);
    Gradient(cr, 3, 29, Color{190, 198, 210}, kGrey);
    cairo_fill_preserve(cr);
    Stroke(cr, Color{80, 88, 100}, 1);
    cairo_rectangle(cr, 9, 6, 14, 10);
    Gradient(cr, 6, 16, kSky, kTeal);
    cairo_fill(cr);
    Wave(cr, 10, 11, 12, 2.5, 1.5);
    Stroke(cr, kWhite, 1.2);
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, 11 + i * 5, 22, 1.5, 0, 2 * kPi);
        Fill(cr, i == 0 ? kGreen : Color{60, 66, 76});
    }
}

void FromDevice(cairo_t* cr) {
    Terminal(cr);
    Arrow(cr, 25, 18, 25, 29, kGreen, 2.4);
}

void OpenAgain(cairo_t* cr) {
    cairo_arc(cr, 16, 16, 10, kPi * 0.15, kPi * 1.05);
    Stroke(cr, kBlue, 3);
    cairo_arc(cr, 16, 16, 10, kPi * 1.15, kPi * 2.05);
    Stroke(cr, kSky, 3);
    Arrow(cr, 8, 21, 6.2, 17, kBlue, 2.2);
    Arrow(cr, 24, 11, 25.8, 15, kSky, 2.2);
}

void Axes(cairo_t* cr) {
    cairo_rectangle(cr, 3, 4, 26, 24);
    FillPreserve(cr, kPaper);
    Stroke(cr, kLine, 1);
    cairo_move_to(cr, 6, 6);
    cairo_line_to(cr, 6, 25);
    cairo_line_to(cr, 27, 25);
    Stroke(cr, kGrey, 1.2);
}

void RecordData(cairo_t* cr) {
    Axes(cr);
    cairo_move_to(cr, 7, 20);
    const double ys[] = {20, 14, 17, 9, 12, 8, 11};
    for (int i = 0; i < 7; ++i) {
        cairo_line_to(cr, 7 + i * 3.2, ys[i]);
    }
    Stroke(cr, kBlue, 1.8);
}

void Warning(cairo_t* cr, double x, double y, double side) {
    Path(cr, {{x + side / 2, y}, {x + side, y + side * 0.9}, {x, y + side * 0.9}});
    FillPreserve(cr, kYellow);
    Stroke(cr, kOrange, 1);
    cairo_move_to(cr, x + side / 2, y + side * 0.3);
    cairo_line_to(cr, x + side / 2, y + side * 0.58);
    Stroke(cr, Color{60, 40, 20}, 1.6);
    cairo_arc(cr, x + side / 2, y + side * 0.74, 0.9, 0, 2 * kPi);
    Fill(cr, Color{60, 40, 20});
}

void EventData(cairo_t* cr) {
    Paper(cr, 4, 2, 20, 27, kLine);
    for (int i = 0; i < 5; ++i) {
        cairo_move_to(cr, 8, 10 + i * 3.5);
        cairo_line_to(cr, 19, 10 + i * 3.5);
        Stroke(cr, i == 2 ? kRed : kLine, 1.4);
    }
    Warning(cr, 16, 16, 14);
}

void AllData(cairo_t* cr) {
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column) {
            const double x = 3 + column * 14;
            const double y = 3 + row * 14;
            cairo_rectangle(cr, x, y, 12, 12);
            FillPreserve(cr, kPaper);
            Stroke(cr, kLine, 1);
            if ((row + column) % 2 == 0) {
                Wave(cr, x + 1.5, y + 6, 9, 3, 1);
                Stroke(cr, row == 0 ? kBlue : kRed, 1.4);
            } else {
                for (int line = 0; line < 3; ++line) {
                    cairo_move_to(cr, x + 2.5, y + 3.5 + line * 2.5);
                    cairo_line_to(cr, x + 9.5, y + 3.5 + line * 2.5);
                }
                Stroke(cr, kGrey, 1);
            }
        }
    }
}

// A report sheet with a coloured band: a table (the workbook report) or lines of
// text (the document report) below it.
void ReportSheet(cairo_t* cr, Color colour, bool table) {
    Paper(cr, 5, 2, 22, 28, kLine);
    cairo_rectangle(cr, 5.6, 2.6, 14, 5);
    Fill(cr, colour);
    if (table) {
        cairo_rectangle(cr, 8, 11, 16, 15);
        FillPreserve(cr, Color{236, 246, 239});
        Stroke(cr, colour, 1);
        for (int i = 1; i < 3; ++i) {
            cairo_move_to(cr, 8, 11 + i * 5);
            cairo_line_to(cr, 24, 11 + i * 5);
            cairo_move_to(cr, 8 + i * 5.3, 11);
            cairo_line_to(cr, 8 + i * 5.3, 26);
        }
        Stroke(cr, colour, 0.9);
        return;
    }
    const double widths[] = {16, 14, 16, 10, 16, 12};
    for (int i = 0; i < 6; ++i) {
        cairo_move_to(cr, 8, 11 + i * 3);
        cairo_line_to(cr, 8 + widths[i], 11 + i * 3);
    }
    Stroke(cr, colour, 1.3);
}

void ExcelReport(cairo_t* cr) { ReportSheet(cr, kGreen, true); }

void WordReport(cairo_t* cr) { ReportSheet(cr, kBlue, false); }

void ExportData(cairo_t* cr) {
    cairo_rectangle(cr, 3, 5, 19, 22);
    FillPreserve(cr, kPaper);
    Stroke(cr, kGrey, 1);
    cairo_rectangle(cr, 3, 5, 19, 5);
    Fill(cr, kTeal);
    for (int i = 1; i < 4; ++i) {
        cairo_move_to(cr, 3, 10 + i * 4.3);
        cairo_line_to(cr, 22, 10 + i * 4.3);
    }
    cairo_move_to(cr, 10, 10);
    cairo_line_to(cr, 10, 27);
    Stroke(cr, kLine, 1);
    Arrow(cr, 17, 20, 27, 20, kGreen, 2.6);
}

void Gear(cairo_t* cr, double cx, double cy, double outer, Color colour) {
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double angle = kPi * i / teeth;
        const double radius = i % 2 == 0 ? outer : outer * 0.74;
        const double a0 = angle - kPi / teeth / 2;
        const double a1 = angle + kPi / teeth / 2;
        if (i == 0) {
            cairo_move_to(cr, cx + radius * std::cos(a0), cy + radius * std::sin(a0));
        } else {
            cairo_line_to(cr, cx + radius * std::cos(a0), cy + radius * std::sin(a0));
        }
        cairo_line_to(cr, cx + radius * std::cos(a1), cy + radius * std::sin(a1));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, cx, cy, outer * 0.32, 2 * kPi, 0);
    Fill(cr, colour);
}

void AnalysisSettings(cairo_t* cr) {
    Gear(cr, 13, 14, 11, kGrey);
    Gear(cr, 24, 24, 7, kBlue);
}

void Screen(cairo_t* cr) {
    RoundRect(cr, 2, 5, 28, 22, 2);
    Gradient(cr, 5, 27, Color{30, 48, 70}, Color{12, 24, 40});
    cairo_fill(cr);
    for (int i = 1; i < 4; ++i) {
        cairo_move_to(cr, 2 + i * 7, 6);
        cairo_line_to(cr, 2 + i * 7, 26);
    }
    cairo_move_to(cr, 3, 16);
    cairo_line_to(cr, 29, 16);
    Stroke(cr, Color{60, 84, 110}, 0.8);
}

void OriginalView(cairo_t* cr) {
    Screen(cr);
    Wave(cr, 3, 16, 26, 8, 2);
    Stroke(cr, Color{90, 230, 120}, 1.6);
}

void Bars(cairo_t* cr, const double* heights, int count, Color colour) {
    const double width = 22.0 / count;
    for (int i = 0; i < count; ++i) {
        cairo_rectangle(cr, 6 + i * width + 0.8, 25 - heights[i], width - 1.6, heights[i]);
    }
    Fill(cr, colour);
}

void StatisticView(cairo_t* cr) {
    Axes(cr);
    const double heights[] = {8, 14, 11, 17, 6};
    Bars(cr, heights, 5, kTeal);
}

void VoltageCurrent(cairo_t* cr) {
    Axes(cr);
    Wave(cr, 7, 15, 20, 7, 1.5);
    Stroke(cr, kBlue, 1.8);
    Wave(cr, 7, 15, 20, 4, 1.5, -0.9);
    Stroke(cr, kRed, 1.6);
}

void PowerEnergy(cairo_t* cr) {
    Path(cr, {{19, 2}, {7, 18}, {15, 18}, {12, 30}, {25, 12}, {17, 12}, {21, 2}});
    Gradient(cr, 2, 30, kYellow, kOrange);
    cairo_fill_preserve(cr);
    Stroke(cr, Color{190, 110, 20}, 1);
}

void FluctuationFlicker(cairo_t* cr) {
    cairo_arc(cr, 16, 12, 8, kPi * 0.8, kPi * 2.2);
    cairo_line_to(cr, 19.5, 22);
    cairo_line_to(cr, 12.5, 22);
    cairo_close_path(cr);
    Gradient(cr, 4, 22, Color{255, 246, 180}, kYellow);
    cairo_fill_preserve(cr);
    Stroke(cr, kOrange, 1.1);
    cairo_rectangle(cr, 12.5, 23, 7, 5);
    Fill(cr, kGrey);
    for (int i = 0; i < 4; ++i) {
        const double angle = kPi * (1.12 + i * 0.25);
        cairo_move_to(cr, 16 + 9.8 * std::cos(angle), 12 + 9.8 * std::sin(angle));
        cairo_line_to(cr, 16 + 12.5 * std::cos(angle), 12 + 12.5 * std::sin(angle));
    }
    Stroke(cr, kOrange, 1.4);
}

void Unbalance(cairo_t* cr) {
    cairo_arc(cr, 16, 16, 13, 0, 2 * kPi);
    FillPreserve(cr, kPaper);
    Stroke(cr, kLine, 1);
    const Color colours[] = {kYellow, kGreen, kRed};
    const double lengths[] = {12, 8.5, 10.5};
    for (int i = 0; i < 3; ++i) {
        const double angle = -kPi / 2 + i * 2 * kPi / 3 + (i == 1 ? 0.25 : 0);
        Arrow(cr, 16, 16, 16 + lengths[i] * std::cos(angle) * 0.8, 16 + lengths[i] * std::sin(angle) * 0.8, colours[i],
              1.8);
    }
}

void Frequency(cairo_t* cr) {
    Axes(cr);
    Wave(cr, 7, 15, 20, 7, 3);
    Stroke(cr, kTeal, 1.6);
    Arrow(cr, 11, 27.5, 7, 27.5, kRed, 1.2);
    Arrow(cr, 22, 27.5, 26, 27.5, kRed, 1.2);
}

void HarmonicTrend(cairo_t* cr) {
    Axes(cr);
    const Color colours[] = {kBlue, kGreen, kRed};
    for (int line = 0; line < 3; ++line) {
        cairo_move_to(cr, 7, 20 - line * 5);
        for (int i = 1; i < 7; ++i) {
            cairo_line_to(cr, 7 + i * 3.3, 20 - line * 5 + ((i + line) % 2 == 0 ? -2.5 : 2));
        }
        Stroke(cr, colours[line], 1.4);
    }
}

void HarmonicHistogram(cairo_t* cr) {
    Axes(cr);
    const double heights[] = {18, 5, 9, 3, 7, 2, 4};
    Bars(cr, heights, 7, kBlue);
}

void ColourScheme(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    cairo_scale(cr, 14, 11);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 22, 21, 2.6, 2 * kPi, 0);
    Gradient(cr, 5, 27, Color{245, 226, 190}, Color{214, 176, 120});
    cairo_fill_preserve(cr);
    Stroke(cr, Color{150, 110, 60}, 1);
    const Color colours[] = {kRed, kYellow, kGreen, kBlue, kSky};
    const double spots[][2] = {{9, 13}, {14, 9}, {20, 9}, {25, 13}, {10, 20}};
    for (int i = 0; i < 5; ++i) {
        cairo_arc(cr, spots[i][0], spots[i][1], 2.6, 0, 2 * kPi);
        Fill(cr, colours[i]);
    }
}

void Language(cairo_t* cr) {
    cairo_arc(cr, 16, 16, 13, 0, 2 * kPi);
    Gradient(cr, 3, 29, kSky, kBlue);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, 16, 16);
    cairo_scale(cr, 6, 13);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    Path(cr, {{3, 16}, {29, 16}}, false);
    Path(cr, {{16, 3}, {16, 29}}, false);
    Path(cr, {{5.5, 9.5}, {26.5, 9.5}}, false);
    Path(cr, {{5.5, 22.5}, {26.5, 22.5}}, false);
    Stroke(cr, kWhite, 1.2);
}

// A question mark of two strokes: a hook and a dot.
void QuestionMark(cairo_t* cr, double cx, double cy, double size, Color colour) {
    cairo_arc(cr, cx, cy - size * 0.18, size * 0.22, kPi * 1.05, kPi * 2.35);
    cairo_line_to(cr, cx, cy + size * 0.12);
    Stroke(cr, colour, size * 0.12);
    cairo_arc(cr, cx, cy + size * 0.32, size * 0.07, 0, 2 * kPi);
    Fill(cr, colour);
}

void HelpDocument(cairo_t* cr) {
    cairo_move_to(cr, 4, 6);
    cairo_curve_to(cr, 9, 3, 13, 4, 16, 7);
    cairo_curve_to(cr, 19, 4, 23, 3, 28, 6);
    cairo_line_to(cr, 28, 27);
    cairo_curve_to(cr, 23, 24, 19, 25, 16, 28);
    cairo_curve_to(cr, 13, 25, 9, 24, 4, 27);
    cairo_close_path(cr);
    FillPreserve(cr, kPaper);
    Stroke(cr, kBlue, 1.4);
    cairo_move_to(cr, 16, 7);
    cairo_line_to(cr, 16, 28);
    Stroke(cr, kBlue, 1);
    QuestionMark(cr, 22, 16, 14, kDeepBlue);
}

void About(cairo_t* cr) {
    cairo_arc(cr, 16, 16, 13, 0, 2 * kPi);
    Gradient(cr, 3, 29, kSky, kBlue);
    cairo_fill(cr);
    cairo_arc(cr, 16, 9.5, 2, 0, 2 * kPi);
    Fill(cr, kWhite);
    cairo_move_to(cr, 16, 14);
    cairo_line_to(cr, 16, 24);
    Stroke(cr, kWhite, 3.4);
}

void Exit(cairo_t* cr) {
    cairo_rectangle(cr, 5, 3, 15, 26);
    Gradient(cr, 3, 29, Color{200, 150, 100}, Color{150, 100, 60});
    cairo_fill_preserve(cr);
    Stroke(cr, Color{110, 70, 40}, 1);
    cairo_arc(cr, 17, 16, 1.2, 0, 2 * kPi);
    Fill(cr, kYellow);
    Arrow(cr, 15, 16, 28, 16, kRed, 2.6);
}

void ProgramIcon(cairo_t* cr) {
    RoundRect(cr, 1, 1, 30, 30, 6);
    Gradient(cr, 1, 31, kSky, kBlue);
    cairo_fill_preserve(cr);
    Stroke(cr, kDeepBlue, 1);
    Wave(cr, 4, 17, 24, 7, 1.5);
    Stroke(cr, kWhite, 2.4);
    Path(cr, {{20, 4}, {14, 15}, {18, 15}, {15, 27}, {24, 12}, {19.5, 12}, {23, 4}});
    Source(cr, kYellow, 0.9);
    cairo_fill(cr);
}

void SmallHelp(cairo_t* cr) {
    cairo_arc(cr, 8, 8, 7, 0, 2 * kPi);
    Gradient(cr, 1, 15, kSky, kBlue);
    cairo_fill(cr);
    QuestionMark(cr, 8, 8, 10, kWhite);
}

void SmallStyle(cairo_t* cr) {
    cairo_save(cr);
    cairo_translate(cr, 8, 8);
    cairo_scale(cr, 7, 6);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    FillPreserve(cr, Color{240, 220, 180});
    Stroke(cr, Color{150, 110, 60}, 0.8);
    const Color colours[] = {kRed, kYellow, kGreen, kBlue};
    const double spots[][2] = {{4.5, 7}, {7.5, 4.5}, {11, 5}, {12, 8.5}};
    for (int i = 0; i < 4; ++i) {
        cairo_arc(cr, spots[i][0], spots[i][1], 1.4, 0, 2 * kPi);
        Fill(cr, colours[i]);
    }
}

void PaneList(cairo_t* cr) {
    cairo_rectangle(cr, 2, 2, 12, 12);
    FillPreserve(cr, kPaper);
    Stroke(cr, kBlue, 1);
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 4.5, 5.5 + i * 2.8);
        cairo_line_to(cr, 11.5, 5.5 + i * 2.8);
    }
    Stroke(cr, kGrey, 1);
}

void PaneChart(cairo_t* cr) {
    cairo_rectangle(cr, 2, 2, 12, 12);
    FillPreserve(cr, kPaper);
    Stroke(cr, kBlue, 1);
    Wave(cr, 3, 8, 10, 3.5, 1);
    Stroke(cr, kRed, 1.2);
}

// The start page's background: a blue band with waves across the top, where the
// product's title would be, and two light panels for the data and program columns.
void StartPage(cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 657, 362);
    Gradient(cr, 0, 362, Color{240, 247, 251}, Color{222, 236, 244});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 0, 657, 108);
    Gradient(cr, 0, 108, kTeal, kSky);
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i) {
        Wave(cr, 0, 62 + i * 9, 657, 14 - i * 2.5, 2.2 + i * 0.35, i * 0.9);
        Source(cr, kWhite, 0.35 - i * 0.06);
        cairo_set_line_width(cr, 2.5 - i * 0.4);
        cairo_stroke(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, 26, 22);
    cairo_scale(cr, 2, 2);
    ProgramIcon(cr);
    cairo_restore(cr);
    cairo_rectangle(cr, 0, 106, 657, 3);
    Fill(cr, kBlue);
    // The panels: the data column (left) and the program column (right).
    RoundRect(cr, 18, 118, 230, 180, 6);
    FillPreserve(cr, Color{232, 242, 247});
    Stroke(cr, Color{186, 214, 230}, 1);
    RoundRect(cr, 256, 118, 386, 180, 6);
    FillPreserve(cr, Color{232, 242, 247});
    Stroke(cr, Color{186, 214, 230}, 1);
    cairo_move_to(cr, 28, 214);
    cairo_line_to(cr, 238, 214);
    Stroke(cr, Color{186, 214, 230}, 1);
    cairo_rectangle(cr, 225, 302, 420, 26);
    Fill(cr, Color{232, 242, 247});
    cairo_rectangle(cr, 0, 350, 657, 12);
    Gradient(cr, 350, 362, kSky, kTeal);
    cairo_fill(cr);
}

gfx::Bitmap Canvas(int width, int height, std::optional<Color> background, const std::vector<Draw>& cells, int cell) {
    gfx::Bitmap bitmap(width, height);
    gfx::Context context(bitmap);
    cairo_t* cr = context.Cairo();
    if (background) {
        cairo_rectangle(cr, 0, 0, width, height);
        Fill(cr, *background);
    }
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cairo_save(cr);
        cairo_translate(cr, static_cast<double>(i) * cell, 0);
        cairo_rectangle(cr, 0, 0, cell, height);
        cairo_clip(cr);
        cells[i](cr);
        cairo_restore(cr);
    }
    return bitmap;
}

gfx::Bitmap Strip(const std::vector<Draw>& icons) {
    return Canvas(static_cast<int>(icons.size()) * 32, 32, std::nullopt, icons, 32);
}

}  // namespace

std::vector<Picture> DrawShellPictures() {
    std::vector<Picture> pictures;
    pictures.push_back({4132, Strip({OpenFromDisk, FromDevice, OpenAgain})});
    pictures.push_back({4126, Strip({RecordData, EventData, AllData})});
    pictures.push_back({4125, Strip({ExcelReport, WordReport, ExportData})});
    pictures.push_back({4133, Strip({OpenWaveFromDisk, FromDevice, OpenAgain})});
    pictures.push_back({211, Strip({AnalysisSettings, OriginalView, StatisticView})});
    pictures.push_back({4140, Strip({VoltageCurrent, PowerEnergy, FluctuationFlicker, Unbalance, Frequency,
                                     HarmonicTrend, HarmonicHistogram})});
    pictures.push_back({4130, Strip({ColourScheme, Language})});
    pictures.push_back({4139, Strip({HelpDocument, About})});
    pictures.push_back({4138, Strip({Exit})});
    pictures.push_back({4136, Strip({ProgramIcon})});
    pictures.push_back({200, Strip({ProgramIcon})});
    pictures.push_back({226, Canvas(16, 16, std::nullopt, {SmallHelp}, 16)});
    pictures.push_back({209, Canvas(16, 16, std::nullopt, {SmallStyle}, 16)});
    pictures.push_back({4101, Canvas(32, 16, kKey, {PaneList, PaneChart}, 16)});
    pictures.push_back({4135, Canvas(657, 362, std::nullopt, {StartPage}, 657)});
    return pictures;
}

}  // namespace pictures
