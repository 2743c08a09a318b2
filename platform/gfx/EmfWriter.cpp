#include "platform/gfx/EmfWriter.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <type_traits>
#include <variant>

#include "platform/base/Encoding.h"
#include "platform/gfx/Recording.h"

namespace gfx {

namespace {

// The figures of a path: their points, whether they close, whether they curve.
struct Figure {
    std::vector<Point> points;
    std::vector<VectorPath::Verb> verbs;  // one per segment after the start
    bool closed = false;
};

std::vector<Figure> FiguresOf(const VectorPath& path) {
    std::vector<Figure> figures;
    std::size_t at = 0;
    for (const VectorPath::Verb verb : path.verbs) {
        switch (verb) {
            case VectorPath::Verb::Move:
                figures.emplace_back();
                figures.back().points.push_back(path.points[at++]);
                break;
            case VectorPath::Verb::Line:
            case VectorPath::Verb::Curve: {
                const std::size_t count = verb == VectorPath::Verb::Line ? 1 : 3;
                if (figures.empty()) {
                    figures.emplace_back();  // a segment without a start begins at its own end
                }
                for (std::size_t i = 0; i < count; ++i) {
                    figures.back().points.push_back(path.points[at++]);
                }
                figures.back().verbs.push_back(verb);
                break;
            }
            case VectorPath::Verb::Close:
                if (!figures.empty()) {
                    figures.back().closed = true;
                }
                break;
        }
    }
    // A figure of one point draws nothing (cairo starts one after every close).
    std::erase_if(figures, [](const Figure& f) { return f.points.size() < 2; });
    return figures;
}

bool Curves(const std::vector<Figure>& figures) {
    return std::any_of(figures.begin(), figures.end(), [](const Figure& f) {
        return std::find(f.verbs.begin(), f.verbs.end(), VectorPath::Verb::Curve) != f.verbs.end();
    });
}

std::uint32_t ColorRef(Color color) { return color.ToColorRef(); }

// What dashes a pen's style can keep of the on and off lengths.
std::uint32_t PenStyleOf(const std::vector<double>& dashes) {
    switch (dashes.size()) {
        case 0: return EmfRecords::kPenSolid;
        case 2: return dashes[0] > dashes[1] * 1.5 ? EmfRecords::kPenDash : EmfRecords::kPenDot;
        case 4: return EmfRecords::kPenDashDot;
        default: return EmfRecords::kPenDashDotDot;
    }
}

bool IsChinese(char16_t unit) { return unit >= 0x2E80 && unit < 0xFB00; }

// The pixels as 24-bit rows from the bottom up, over white by their alpha and the opacity.
std::string DibRows(const Bitmap& bitmap, double opacity) {
    const int width = bitmap.Width();
    const int height = bitmap.Height();
    const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::string rows(stride * static_cast<std::size_t>(height), '\0');
    cairo_surface_t* surface = bitmap.Surface();
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int sourceStride = cairo_image_surface_get_stride(surface);
    const double keep = std::clamp(opacity, 0.0, 1.0);
    for (int y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * sourceStride);
        char* target = rows.data() + stride * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            // Premultiplied: colour + (1 - alpha) * white, then the opacity over white.
            const std::uint32_t pixel = source[x];
            const double alpha = static_cast<double>(pixel >> 24) / 255.0 * keep;
            auto channel = [&](int shift) {
                const double premultiplied = static_cast<double>((pixel >> shift) & 0xFF) * keep;
                return static_cast<char>(std::lround(std::min(255.0, premultiplied + (1.0 - alpha) * 255.0)));
            };
            target[3 * x] = channel(0);       // blue
            target[3 * x + 1] = channel(8);   // green
            target[3 * x + 2] = channel(16);  // red
        }
    }
    return rows;
}

// The bitmap at no more than the pixels given, sharing it when it has no more already.
const Bitmap& AtMost(const Bitmap& bitmap, double width, double height, Bitmap& scaled) {
    const int w = std::max(1, static_cast<int>(std::ceil(width)));
    const int h = std::max(1, static_cast<int>(std::ceil(height)));
    if (bitmap.Width() <= w && bitmap.Height() <= h) {
        return bitmap;
    }
    const int targetWidth = std::min(w, bitmap.Width());
    const int targetHeight = std::min(h, bitmap.Height());
    scaled = Bitmap(targetWidth, targetHeight);
    if (scaled.IsEmpty()) {
        return bitmap;
    }
    cairo_t* cr = cairo_create(scaled.Surface());
    cairo_scale(cr, static_cast<double>(targetWidth) / bitmap.Width(), static_cast<double>(targetHeight) / bitmap.Height());
    cairo_set_source_surface(cr, bitmap.Surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_destroy(cr);
    return scaled;
}

}  // namespace

EmfWriter::EmfWriter(double unitsPerInch) : m_unitsPerInch(unitsPerInch > 0 ? unitsPerInch : 96.0) {}

std::string EmfWriter::Write(const Recording& recording) {
    const VectorDrawing* drawing = recording.Vectors();
    if (drawing == nullptr) {
        return {};
    }
    const auto pixelsX = static_cast<std::int32_t>(std::lround(drawing->Width() * kLogicalPerUnit));
    const auto pixelsY = static_cast<std::int32_t>(std::lround(drawing->Height() * kLogicalPerUnit));
    m_out = std::make_unique<EmfRecords>(pixelsX, pixelsY, drawing->Width() / m_unitsPerInch * 25.4,
                                         drawing->Height() / m_unitsPerInch * 25.4, u"Made By Jmr.");
    m_nextHandle = 1;
    m_pens.clear();
    m_brushes.clear();
    m_fonts.clear();
    m_selection = {};
    m_saved.clear();
    m_floor = 0;

    m_out->SetBackgroundTransparent();
    m_out->SetEvenOddFill();
    m_out->SetTextAlignBaseline();
    m_out->SetStretchHalftone();
    // Nothing outside the extent, as on the recording.
    m_out->IntersectClip({0, 0, pixelsX, pixelsY});
    Play(*drawing, Transform{});
    std::string bytes = m_out->Finish(m_nextHandle);
    m_out.reset();
    return bytes;
}

void EmfWriter::Play(const VectorDrawing& drawing, const Transform& transform) {
    const std::size_t outerFloor = m_floor;
    m_floor = m_saved.size();
    for (const VectorOp& op : drawing.Ops()) {
        std::visit(
            [&](const auto& item) {
                using Op = std::decay_t<decltype(item)>;
                if constexpr (std::is_same_v<Op, FillOp>) {
                    Fill(item, transform);
                } else if constexpr (std::is_same_v<Op, StrokeOp>) {
                    Stroke(item, transform);
                } else if constexpr (std::is_same_v<Op, TextOp>) {
                    Text(item, transform);
                } else if constexpr (std::is_same_v<Op, ImageOp>) {
                    Image(item, transform);
                } else if constexpr (std::is_same_v<Op, SaveOp>) {
                    Save();
                } else if constexpr (std::is_same_v<Op, RestoreOp>) {
                    Restore();
                } else if constexpr (std::is_same_v<Op, ClipOp>) {
                    m_out->IntersectClip(Map(transform, item.rect));
                } else if constexpr (std::is_same_v<Op, ExcludeOp>) {
                    m_out->ExcludeClip(Map(transform, item.rect));
                } else if constexpr (std::is_same_v<Op, PlayOp>) {
                    if (item.drawing != nullptr) {
                        Play(*item.drawing, Transform{transform.scaleX * item.scaleX, transform.scaleY * item.scaleY,
                                                      transform.scaleX * item.dx + transform.dx,
                                                      transform.scaleY * item.dy + transform.dy});
                    }
                }
            },
            op);
    }
    // A drawing leaves the clipping as it found it.
    while (m_saved.size() > m_floor) {
        Restore();
    }
    m_floor = outerFloor;
}

EmfPoint EmfWriter::Map(const Transform& t, Point point) const {
    return {static_cast<std::int32_t>(std::lround((point.x * t.scaleX + t.dx) * kLogicalPerUnit)),
            static_cast<std::int32_t>(std::lround((point.y * t.scaleY + t.dy) * kLogicalPerUnit))};
}

EmfRect EmfWriter::Map(const Transform& t, const Rect& rect) const {
    const EmfPoint a = Map(t, Point{rect.left, rect.top});
    const EmfPoint b = Map(t, Point{rect.right, rect.bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

void EmfWriter::WritePath(const VectorPath& path, const Transform& t, EmfRect& bounds) {
    bool first = true;
    auto grow = [&](const EmfPoint& p) {
        if (first) {
            bounds = {p.x, p.y, p.x, p.y};
            first = false;
        }
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    };
    m_out->BeginPath();
    for (const Figure& figure : FiguresOf(path)) {
        const EmfPoint start = Map(t, figure.points[0]);
        grow(start);
        m_out->MoveTo(start);
        std::size_t at = 1;
        std::size_t i = 0;
        while (i < figure.verbs.size()) {
            // Runs of one kind of segment go in one record.
            const VectorPath::Verb verb = figure.verbs[i];
            std::vector<EmfPoint> run;
            while (i < figure.verbs.size() && figure.verbs[i] == verb) {
                const std::size_t count = verb == VectorPath::Verb::Line ? 1 : 3;
                for (std::size_t k = 0; k < count; ++k) {
                    run.push_back(Map(t, figure.points[at++]));
                    grow(run.back());
                }
                ++i;
            }
            if (verb == VectorPath::Verb::Line) {
                m_out->PolylineTo(run);
            } else {
                m_out->PolyBezierTo(run);
            }
        }
        if (figure.closed) {
            m_out->CloseFigure();
        }
    }
    m_out->EndPath();
}

void EmfWriter::Fill(const FillOp& op, const Transform& t) {
    const Brush& brush = op.brush;
    if (brush.kind == Brush::Kind::None) {
        return;
    }
    Color color = brush.color;
    if (brush.kind == Brush::Kind::LinearGradient) {
        // A metafile brush has one colour: the gradient's middle one.
        color = Color{static_cast<std::uint8_t>((brush.color.r + brush.endColor.r) / 2),
                      static_cast<std::uint8_t>((brush.color.g + brush.endColor.g) / 2),
                      static_cast<std::uint8_t>((brush.color.b + brush.endColor.b) / 2),
                      static_cast<std::uint8_t>((brush.color.a + brush.endColor.a) / 2)};
    }
    if (color.a == 0) {
        return;
    }
    const std::vector<Figure> figures = FiguresOf(op.path);
    if (figures.empty()) {
        return;
    }
    SelectNullPen();
    SelectBrush(ColorRef(color));
    if (Curves(figures)) {
        EmfRect bounds;
        WritePath(op.path, t, bounds);
        m_out->FillPath(bounds);
        return;
    }
    std::vector<EmfPoint> points;
    std::vector<std::uint32_t> counts;
    for (const Figure& figure : figures) {
        for (const Point& p : figure.points) {
            points.push_back(Map(t, p));
        }
        counts.push_back(static_cast<std::uint32_t>(figure.points.size()));
    }
    if (counts.size() == 1) {
        m_out->Polygon(points);
    } else {
        m_out->PolyPolygon(points, counts);
    }
}

void EmfWriter::Stroke(const StrokeOp& op, const Transform& t) {
    const LineStyle& line = op.line;
    if (line.color.a == 0 || !(line.width > 0)) {
        return;
    }
    const std::vector<Figure> figures = FiguresOf(op.path);
    if (figures.empty()) {
        return;
    }
    const double scale = (std::fabs(t.scaleX) + std::fabs(t.scaleY)) / 2.0;
    const auto width = static_cast<std::uint32_t>(std::max(1L, std::lround(line.width * scale * kLogicalPerUnit)));
    SelectPen(PenStyleOf(line.dashes), width, ColorRef(line.color));
    SelectNullBrush();
    if (figures.size() == 1 && !Curves(figures)) {
        std::vector<EmfPoint> points;
        for (const Point& p : figures[0].points) {
            points.push_back(Map(t, p));
        }
        if (figures[0].closed) {
            m_out->Polygon(points);
        } else {
            m_out->Polyline(points);
        }
        return;
    }
    EmfRect bounds;
    WritePath(op.path, t, bounds);
    m_out->StrokePath(bounds);
}

void EmfWriter::Text(const TextOp& op, const Transform& t) {
    if (op.text.empty() || op.color.a == 0) {
        return;
    }
    EmfFont font;
    font.height = -static_cast<std::int32_t>(std::max(1L, std::lround(op.emHeight * std::fabs(t.scaleY) * kLogicalPerUnit)));
    font.weight = op.weight;
    font.italic = op.italic;
    font.underline = op.underline;
    font.strikeOut = op.strikeOut;
    font.face = platform::WideToUtf16(op.face);
    const bool chinese = std::any_of(font.face.begin(), font.face.end(), IsChinese) ||
                         std::any_of(op.text.begin(), op.text.end(), IsChinese);
    font.charSet = chinese ? EmfRecords::kGb2312CharSet : EmfRecords::kDefaultCharSet;
    SelectFont(font);
    SetTextColor(ColorRef(op.color));

    // Every unit's place in whole logical units, and each advance to the next.
    const EmfPoint origin = Map(t, op.origin);
    auto xAt = [&](double offset) { return Map(t, Point{op.origin.x + offset, op.origin.y}).x; };
    std::vector<std::int32_t> advances(op.text.size());
    for (std::size_t i = 0; i < op.text.size(); ++i) {
        const double next = i + 1 < op.text.size() ? op.offsets[i + 1] : op.width;
        advances[i] = std::max(0, xAt(next) - xAt(op.offsets[i]));
    }
    const std::int32_t em = -font.height;
    const EmfRect bounds{xAt(op.offsets.front()), origin.y - em, xAt(op.width), origin.y + em / 3};
    m_out->ExtTextOut({xAt(op.offsets.front()), origin.y}, op.text, advances, bounds);
}

void EmfWriter::Image(const ImageOp& op, const Transform& t) {
    if (op.pixels == nullptr || op.pixels->IsEmpty() || op.opacity <= 0) {
        return;
    }
    const EmfRect dest = Map(t, op.dest);
    if (dest.right <= dest.left || dest.bottom <= dest.top) {
        return;
    }
    // Pixels enough to print at the picture resolution, no more.
    const double pixelsPerLogical = kPictureDpi / (m_unitsPerInch * kLogicalPerUnit);
    Bitmap scaled;
    const Bitmap& shown = AtMost(*op.pixels, (dest.right - dest.left) * pixelsPerLogical,
                                 (dest.bottom - dest.top) * pixelsPerLogical, scaled);
    m_out->StretchDIBits(dest, shown.Width(), shown.Height(), DibRows(shown, op.opacity));
}

void EmfWriter::Save() {
    m_out->SaveDC();
    m_saved.push_back(m_selection);
}

void EmfWriter::Restore() {
    if (m_saved.size() <= m_floor) {
        return;  // not this drawing's to restore
    }
    m_out->RestoreDC();
    m_selection = m_saved.back();
    m_saved.pop_back();
}

void EmfWriter::Select(std::uint32_t& selected, std::uint32_t handle) {
    if (selected != handle) {
        m_out->SelectObject(handle);
        selected = handle;
    }
}

void EmfWriter::SelectPen(std::uint32_t style, std::uint32_t width, std::uint32_t colorRef) {
    const auto key = std::make_tuple(style, width, colorRef);
    auto found = m_pens.find(key);
    if (found == m_pens.end()) {
        m_out->CreateGeometricPen(m_nextHandle, style, width, colorRef);
        found = m_pens.emplace(key, m_nextHandle++).first;
    }
    Select(m_selection.pen, found->second);
}

void EmfWriter::SelectNullPen() { Select(m_selection.pen, EmfRecords::kNullPen); }

void EmfWriter::SelectBrush(std::uint32_t colorRef) {
    auto found = m_brushes.find(colorRef);
    if (found == m_brushes.end()) {
        m_out->CreateSolidBrush(m_nextHandle, colorRef);
        found = m_brushes.emplace(colorRef, m_nextHandle++).first;
    }
    Select(m_selection.brush, found->second);
}

void EmfWriter::SelectNullBrush() { Select(m_selection.brush, EmfRecords::kNullBrush); }

void EmfWriter::SelectFont(const EmfFont& font) {
    auto found = m_fonts.find(font);
    if (found == m_fonts.end()) {
        m_out->CreateFont(m_nextHandle, font);
        found = m_fonts.emplace(font, m_nextHandle++).first;
    }
    Select(m_selection.font, found->second);
}

void EmfWriter::SetTextColor(std::uint32_t colorRef) {
    if (m_selection.textColor != colorRef) {
        m_out->SetTextColor(colorRef);
        m_selection.textColor = colorRef;
    }
}

}  // namespace gfx
