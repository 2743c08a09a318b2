#include "platform/gfx/Context.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "platform/gfx/VectorCapture.h"
#include "platform/gfx/VectorDrawing.h"

namespace gfx {

namespace {

void SetSource(cairo_t* cr, Color color) {
    cairo_set_source_rgba(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0, color.a / 255.0);
}

void AddColorStop(cairo_pattern_t* pattern, double offset, Color color) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, color.r / 255.0, color.g / 255.0, color.b / 255.0,
                                      color.a / 255.0);
}

// The pen's on and off lengths; none for a solid pen.
std::vector<double> PenDashes(const Pen& pen) {
    // In units of the pen width.
    static constexpr double kDash[] = {3, 1};
    static constexpr double kDot[] = {1, 1};
    static constexpr double kDashDot[] = {3, 1, 1, 1};
    static constexpr double kDashDotDot[] = {3, 1, 1, 1, 1, 1};
    std::span<const double> pattern;
    switch (pen.style) {
        case PenStyle::Dash: pattern = kDash; break;
        case PenStyle::Dot: pattern = kDot; break;
        case PenStyle::DashDot: pattern = kDashDot; break;
        case PenStyle::DashDotDot: pattern = kDashDotDot; break;
        default: return {};
    }
    const double unit = std::max(1.0, pen.width);
    std::vector<double> scaled;
    for (const double length : pattern) {
        scaled.push_back(length * unit);
    }
    return scaled;
}

void SetStroke(cairo_t* cr, Color color, double width, const std::vector<double>& dashes) {
    SetSource(cr, color);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_dash(cr, dashes.empty() ? nullptr : dashes.data(), static_cast<int>(dashes.size()), 0);
}

// The line style in the device space of the context.
LineStyle DeviceLine(cairo_t* cr, Color color, double width, std::vector<double> dashes) {
    for (double& length : dashes) {
        length = detail::DeviceLength(cr, length);
    }
    return LineStyle{color, detail::DeviceLength(cr, width), std::move(dashes)};
}

// An ellipse about its centre, as a closed path of its own.
void AddEllipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    if (rx <= 0 || ry <= 0) {
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void AddRoundRectangle(cairo_t* cr, double left, double top, double right, double bottom, double rx, double ry) {
    rx = std::min(rx, (right - left) / 2);
    ry = std::min(ry, (bottom - top) / 2);
    if (rx <= 0 || ry <= 0) {
        cairo_rectangle(cr, left, top, right - left, bottom - top);
        return;
    }
    constexpr double kHalfPi = std::numbers::pi / 2;
    auto corner = [&](double cx, double cy, double from) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_arc(cr, 0, 0, 1, from, from + kHalfPi);
        cairo_restore(cr);
    };
    cairo_new_sub_path(cr);
    corner(right - rx, top + ry, -kHalfPi);
    corner(right - rx, bottom - ry, 0);
    corner(left + rx, bottom - ry, kHalfPi);
    corner(left + rx, top + ry, std::numbers::pi);
    cairo_close_path(cr);
}

}  // namespace

Context::Context(Bitmap& target) {
    cairo_surface_t* surface = target.Surface();
    if (surface != nullptr) {
        m_cr = cairo_create(surface);
    } else {
        // Nothing to draw on: a context on an empty image swallows everything.
        surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 0, 0);
        m_cr = cairo_create(surface);
        cairo_surface_destroy(surface);
    }
    cairo_save(m_cr);
}

Context::Context(cairo_t* target) : m_cr(cairo_reference(target)) { cairo_save(m_cr); }

Context::Context(cairo_t* target, VectorDrawing* vector) : Context(target) { m_vector = vector; }

Context::~Context() {
    if (m_layout != nullptr) {
        g_object_unref(m_layout);
    }
    if (m_fontDescription != nullptr) {
        pango_font_description_free(m_fontDescription);
    }
    for (std::size_t i = 0; i < m_saved.size(); ++i) {
        cairo_restore(m_cr);
        if (m_vector != nullptr) {
            m_vector->Add(RestoreOp{});
        }
    }
    cairo_restore(m_cr);
    cairo_destroy(m_cr);
}

bool Context::IsHealthy() const { return cairo_status(m_cr) == CAIRO_STATUS_SUCCESS; }

void Context::Save() {
    m_saved.push_back(m_state);
    cairo_save(m_cr);
    if (m_vector != nullptr) {
        m_vector->Add(SaveOp{});
    }
}

void Context::Restore() {
    if (m_saved.empty()) {
        return;
    }
    m_state = m_saved.back();
    m_saved.pop_back();
    cairo_restore(m_cr);
    if (m_vector != nullptr) {
        m_vector->Add(RestoreOp{});
    }
    SetFont(m_state.font);  // made again when next needed
}

void Context::PushClip(const Rect& rect) {
    cairo_save(m_cr);
    cairo_rectangle(m_cr, rect.left, rect.top, std::max(0.0, rect.Width()), std::max(0.0, rect.Height()));
    cairo_clip(m_cr);
    if (m_vector != nullptr) {
        m_vector->Add(SaveOp{});
        m_vector->Add(ClipOp{detail::DeviceRect(m_cr, rect)});
    }
}

void Context::PopClip() {
    cairo_restore(m_cr);
    if (m_vector != nullptr) {
        m_vector->Add(RestoreOp{});
    }
}

void Context::Translate(double dx, double dy) { cairo_translate(m_cr, dx, dy); }

void Context::SetAntialias(bool on) {
    cairo_set_antialias(m_cr, on ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
}

void Context::SetFont(const Font& font) {
    m_state.font = font;
    if (m_fontDescription != nullptr) {
        pango_font_description_free(m_fontDescription);
        m_fontDescription = nullptr;
    }
}

double Context::StrokeOffset() const {
    // A line of odd pixel width along a pixel corner would light two rows by half:
    // move it onto the pixel centres, so that it lights exactly the row it names.
    if (!m_state.pen.Draws()) {
        return 0.5;
    }
    const long width = std::lround(std::max(1.0, m_state.pen.width));
    return width % 2 == 1 ? 0.5 : 0.0;
}

void Context::StrokePreserve() {
    const Pen& pen = m_state.pen;
    if (!pen.Draws()) {
        return;
    }
    const double width = std::max(1.0, pen.width);
    const std::vector<double> dashes = PenDashes(pen);
    SetStroke(m_cr, pen.color, width, dashes);
    if (m_vector != nullptr) {
        m_vector->Add(StrokeOp{detail::CapturePath(m_cr), DeviceLine(m_cr, pen.color, width, dashes)});
    }
    cairo_stroke_preserve(m_cr);
}

void Context::FillPreserve(const Brush& brush) {
    switch (brush.kind) {
        case Brush::Kind::None: return;
        case Brush::Kind::Solid: SetSource(m_cr, brush.color); break;
        case Brush::Kind::LinearGradient: {
            cairo_pattern_t* pattern =
                cairo_pattern_create_linear(brush.start.x, brush.start.y, brush.end.x, brush.end.y);
            AddColorStop(pattern, 0, brush.color);
            AddColorStop(pattern, 1, brush.endColor);
            cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
            cairo_set_source(m_cr, pattern);
            cairo_pattern_destroy(pattern);
            break;
        }
    }
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
    if (m_vector != nullptr) {
        m_vector->Add(FillOp{detail::CapturePath(m_cr), detail::DeviceBrush(m_cr, brush)});
    }
    cairo_fill_preserve(m_cr);
}

void Context::PaintPath(bool fill) {
    if (fill) {
        FillPreserve(m_state.brush);
    }
    StrokePreserve();
    cairo_new_path(m_cr);
}

void Context::MoveTo(double x, double y) { m_state.position = {x, y}; }

void Context::LineTo(double x, double y) {
    const Point points[] = {m_state.position, {x, y}};
    Polyline(points);
    m_state.position = {x, y};
}

void Context::DrawLine(Point from, Point to) {
    MoveTo(from.x, from.y);
    LineTo(to.x, to.y);
}

void Context::Polyline(std::span<const Point> points) {
    if (points.size() < 2) {
        return;
    }
    // An open line lights the pixels from its first point up to, not including, its
    // last one: on pixel centres, it starts half a pixel before the first centre and
    // stops half a pixel before the last.
    const double offset = StrokeOffset();
    auto halfStepBack = [](Point from, Point to) {
        const double length = std::hypot(to.x - from.x, to.y - from.y);
        return length > 0 ? Point{(to.x - from.x) / length / 2, (to.y - from.y) / length / 2} : Point{};
    };
    const Point first = halfStepBack(points[0], points[1]);
    const Point last = halfStepBack(points[points.size() - 2], points.back());
    cairo_move_to(m_cr, points[0].x + offset - first.x, points[0].y + offset - first.y);
    for (std::size_t i = 1; i + 1 < points.size(); ++i) {
        cairo_line_to(m_cr, points[i].x + offset, points[i].y + offset);
    }
    cairo_line_to(m_cr, points.back().x + offset - last.x, points.back().y + offset - last.y);
    PaintPath(false);
}

void Context::StrokeLine(std::span<const Point> points, const LineStyle& style, bool closed) {
    if (points.size() < 2 || style.color.a == 0 || !(style.width > 0)) {
        return;
    }
    cairo_save(m_cr);
    SetStroke(m_cr, style.color, style.width, style.dashes);
    cairo_move_to(m_cr, points[0].x, points[0].y);
    for (std::size_t i = 1; i < points.size(); ++i) {
        cairo_line_to(m_cr, points[i].x, points[i].y);
    }
    if (closed) {
        cairo_close_path(m_cr);
    }
    if (m_vector != nullptr) {
        m_vector->Add(StrokeOp{detail::CapturePath(m_cr), DeviceLine(m_cr, style.color, style.width, style.dashes)});
    }
    cairo_stroke(m_cr);
    cairo_restore(m_cr);
}

void Context::Polygon(std::span<const Point> points) {
    if (points.size() < 2) {
        return;
    }
    const double offset = StrokeOffset();
    cairo_move_to(m_cr, points[0].x + offset, points[0].y + offset);
    for (std::size_t i = 1; i < points.size(); ++i) {
        cairo_line_to(m_cr, points[i].x + offset, points[i].y + offset);
    }
    cairo_close_path(m_cr);
    PaintPath(true);
}

void Context::Rectangle(const Rect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    cairo_rectangle(m_cr, rect.left, rect.top, rect.Width(), rect.Height());
    FillPreserve(m_state.brush);
    cairo_new_path(m_cr);
    if (m_state.pen.Draws()) {
        // The outline runs inside the rectangle, along its outermost pixels.
        const double inset = StrokeOffset();
        cairo_rectangle(m_cr, rect.left + inset, rect.top + inset, rect.Width() - 2 * inset,
                        rect.Height() - 2 * inset);
        StrokePreserve();
        cairo_new_path(m_cr);
    }
}

void Context::RoundRectangle(const Rect& rect, double cornerWidth, double cornerHeight) {
    if (rect.IsEmpty()) {
        return;
    }
    AddRoundRectangle(m_cr, rect.left, rect.top, rect.right, rect.bottom, cornerWidth / 2, cornerHeight / 2);
    FillPreserve(m_state.brush);
    cairo_new_path(m_cr);
    if (m_state.pen.Draws()) {
        const double inset = StrokeOffset();
        AddRoundRectangle(m_cr, rect.left + inset, rect.top + inset, rect.right - inset, rect.bottom - inset,
                          cornerWidth / 2, cornerHeight / 2);
        StrokePreserve();
        cairo_new_path(m_cr);
    }
}

void Context::Ellipse(const Rect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    const double cx = (rect.left + rect.right) / 2;
    const double cy = (rect.top + rect.bottom) / 2;
    AddEllipse(m_cr, cx, cy, rect.Width() / 2, rect.Height() / 2);
    FillPreserve(m_state.brush);
    cairo_new_path(m_cr);
    if (m_state.pen.Draws()) {
        const double inset = StrokeOffset();
        AddEllipse(m_cr, cx, cy, rect.Width() / 2 - inset, rect.Height() / 2 - inset);
        StrokePreserve();
        cairo_new_path(m_cr);
    }
}

void Context::FillRect(const Rect& rect, const Brush& brush) {
    if (rect.IsEmpty()) {
        return;
    }
    cairo_rectangle(m_cr, rect.left, rect.top, rect.Width(), rect.Height());
    FillPreserve(brush);
    cairo_new_path(m_cr);
}

void Context::IntersectClip(const Rect& rect) {
    cairo_rectangle(m_cr, rect.left, rect.top, std::max(0.0, rect.Width()), std::max(0.0, rect.Height()));
    cairo_clip(m_cr);
    if (m_vector != nullptr) {
        m_vector->Add(ClipOp{detail::DeviceRect(m_cr, rect)});
    }
}

void Context::ExcludeClip(const Rect& rect) {
    if (rect.IsEmpty()) {
        return;
    }
    if (m_vector != nullptr) {
        m_vector->Add(ExcludeOp{detail::DeviceRect(m_cr, rect)});
    }
    // The current clip box with a hole: the even-odd rule leaves the rectangle out.
    const Rect box = ClipBox();
    cairo_rectangle(m_cr, box.left, box.top, box.Width(), box.Height());
    cairo_rectangle(m_cr, rect.left, rect.top, rect.Width(), rect.Height());
    const cairo_fill_rule_t previous = cairo_get_fill_rule(m_cr);
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_clip(m_cr);
    cairo_set_fill_rule(m_cr, previous);
}

Rect Context::ClipBox() const {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    cairo_clip_extents(m_cr, &x1, &y1, &x2, &y2);
    return {x1, y1, x2, y2};
}

void Context::DrawBitmap(const Bitmap& bitmap, double x, double y, double opacity) {
    const Rect whole = Rect::FromSize(0, 0, bitmap.Width(), bitmap.Height());
    DrawBitmap(bitmap, whole, Rect::FromSize(x, y, whole.Width(), whole.Height()), opacity);
}

void Context::DrawBitmap(const Bitmap& bitmap, const Rect& source, const Rect& dest, double opacity) {
    // The source part in whole pixels, inside the bitmap.
    const int left = std::max(0, static_cast<int>(std::floor(source.left)));
    const int top = std::max(0, static_cast<int>(std::floor(source.top)));
    const int right = std::min(bitmap.Width(), static_cast<int>(std::ceil(source.right)));
    const int bottom = std::min(bitmap.Height(), static_cast<int>(std::ceil(source.bottom)));
    if (bitmap.IsEmpty() || right <= left || bottom <= top || dest.IsEmpty() || opacity <= 0) {
        return;
    }
    // A part of its own, so that stretching takes no colour from pixels beside it.
    cairo_surface_t* part = cairo_surface_create_for_rectangle(bitmap.Surface(), left, top, right - left, bottom - top);
    if (m_vector != nullptr) {
        m_vector->Add(ImageOp{std::make_shared<const Bitmap>(Bitmap::CopyOf(part, right - left, bottom - top)),
                              detail::DeviceRect(m_cr, dest), std::min(1.0, opacity)});
    }
    cairo_save(m_cr);
    cairo_rectangle(m_cr, dest.left, dest.top, dest.Width(), dest.Height());
    cairo_clip(m_cr);
    cairo_translate(m_cr, dest.left, dest.top);
    cairo_scale(m_cr, dest.Width() / (right - left), dest.Height() / (bottom - top));
    cairo_set_source_surface(m_cr, part, 0, 0);
    // Stretched pictures take their edge pixels past the edges rather than fading.
    cairo_pattern_set_extend(cairo_get_source(m_cr), CAIRO_EXTEND_PAD);
    cairo_paint_with_alpha(m_cr, std::min(1.0, opacity));
    cairo_restore(m_cr);
    cairo_surface_destroy(part);
}

}  // namespace gfx
