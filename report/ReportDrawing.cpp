#include "report/ReportDrawing.h"

#include <cmath>

#include "platform/gfx/VectorDrawing.h"

namespace report {

namespace {

gfx::LineStyle LineOf(const Stroke& stroke)
{
    gfx::LineStyle line{stroke.color, stroke.width, {}};
    if (stroke.dashed || stroke.dotted) {
        line.dashes = {stroke.dotted ? stroke.width : 3 * stroke.width, stroke.width};
    }
    return line;
}

bool Finite(double a, double b, double c, double d)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

}  // namespace

gfx::Font PointFont(std::wstring face, double points, int weight)
{
    return UnitFont(std::move(face), points * kUnitsPerPoint, weight);
}

gfx::Font UnitFont(std::wstring face, double units, int weight)
{
    gfx::Font font;
    font.face = std::move(face);
    font.height = -units;
    font.weight = weight;
    return font;
}

gfx::Color FromColorRef(std::uint32_t colorRef)
{
    return gfx::Color::FromColorRef(colorRef);
}

void DrawString(gfx::Context& context, const std::wstring& text, const gfx::Rect& box, const TextStyle& style)
{
    if (text.empty() || box.IsEmpty() || !Finite(box.left, box.top, box.right, box.bottom)) {
        return;
    }
    unsigned format = 0;
    format |= style.align == Align::Center ? gfx::TextFormat::Center
                                           : (style.align == Align::Far ? gfx::TextFormat::Right : gfx::TextFormat::Left);
    format |= style.lineAlign == Align::Center ? gfx::TextFormat::VCenter
                                               : (style.lineAlign == Align::Far ? gfx::TextFormat::Bottom : 0);
    if (style.wrap) {
        format |= gfx::TextFormat::WordBreak;
    }
    if (style.ellipsis) {
        format |= gfx::TextFormat::EndEllipsis;
    }
    context.SetFont(style.shrinkToFit ? FitFont(context, text, box, style) : style.font);
    context.SetTextColor(style.color);
    context.SetOpaqueBackground(false);
    // Text aligned to a side keeps a sixth of the font's size off that side, as the
    // report layouts expect of their boxes.
    gfx::Rect rect = box;
    const double padding = std::fabs(style.font.height) / 6.0;
    if (style.align == Align::Near) {
        rect.left += padding;
    } else if (style.align == Align::Far) {
        rect.right -= padding;
    }
    // A box never cuts a line of its own text: the layouts were made for fonts whose
    // lines are lower than those of the installed families.
    const double line = context.TextExtent(L"0").height;
    if (rect.Height() < line) {
        const double grow = line - rect.Height();
        if (style.lineAlign == Align::Near) {
            rect.bottom += grow;
        } else if (style.lineAlign == Align::Far) {
            rect.top -= grow;
        } else {
            rect.top -= grow / 2;
            rect.bottom += grow / 2;
        }
    }
    context.DrawText(text, rect, format);
}

gfx::Font FitFont(gfx::Context& context, const std::wstring& text, const gfx::Rect& box, const TextStyle& style)
{
    gfx::Font font = style.font;
    const double smallest = std::fabs(style.font.height) / 2.0;
    while (std::fabs(font.height) * 0.9 >= smallest) {
        context.SetFont(font);
        gfx::Rect measured{box.left, box.top, box.right, box.top};
        context.DrawText(text, measured, gfx::TextFormat::WordBreak | gfx::TextFormat::CalcRect);
        if (measured.Height() <= box.Height()) {
            break;
        }
        font.height *= 0.9;
    }
    return font;
}

gfx::Size MeasureString(gfx::Context& context, const std::wstring& text, const gfx::Font& font)
{
    context.SetFont(font);
    return context.TextExtent(text);
}

void DrawLine(gfx::Context& context, double x1, double y1, double x2, double y2, const Stroke& stroke)
{
    if (!Finite(x1, y1, x2, y2)) {
        return;
    }
    const gfx::Point line[] = {{x1, y1}, {x2, y2}};
    context.StrokeLine(line, LineOf(stroke));
}

void DrawFrame(gfx::Context& context, const gfx::Rect& rect, const Stroke& stroke)
{
    if (!Finite(rect.left, rect.top, rect.right, rect.bottom)) {
        return;
    }
    const gfx::Point corners[] = {
        {rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom}, {rect.left, rect.bottom}};
    context.StrokeLine(corners, LineOf(stroke), true);
}

void DrawPath(gfx::Context& context, std::span<const gfx::Point> points, const Stroke& stroke)
{
    if (points.size() < 2) {
        return;
    }
    context.StrokeLine(points, LineOf(stroke));
}

void FillBox(gfx::Context& context, const gfx::Rect& rect, gfx::Color color)
{
    if (!Finite(rect.left, rect.top, rect.right, rect.bottom)) {
        return;
    }
    context.FillRect(rect, color);
}

}  // namespace report
