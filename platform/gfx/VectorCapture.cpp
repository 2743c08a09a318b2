#include "platform/gfx/VectorCapture.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/base/Encoding.h"

namespace gfx::detail {

namespace {

double Pixels(int pangoUnits) { return static_cast<double>(pangoUnits) / PANGO_SCALE; }

// The characters of one run of a line, each at the start of its cluster of glyphs.
void AddRun(const PangoGlyphItem& run, std::string_view layoutText, double x, TextOp& line) {
    const PangoItem& item = *run.item;
    const PangoGlyphString& glyphs = *run.glyphs;
    if ((item.analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS) != 0) {
        // The glyphs shown in place of the cut text: one ellipsis, or dots when
        // the font has no ellipsis of its own.
        const std::u16string dots = glyphs.num_glyphs == 1 ? std::u16string(u"\u2026")
                                                            : std::u16string(static_cast<std::size_t>(glyphs.num_glyphs), u'.');
        double at = x;
        for (int i = 0; i < glyphs.num_glyphs; ++i) {
            line.offsets.push_back(at - line.origin.x);
            line.text += dots[static_cast<std::size_t>(std::min(i, static_cast<int>(dots.size()) - 1))];
            at += Pixels(glyphs.glyphs[i].geometry.width);
        }
        return;
    }
    struct Cluster {
        int byte;
        double x;
    };
    std::vector<Cluster> clusters;
    double at = x;
    for (int i = 0; i < glyphs.num_glyphs; ++i) {
        const int byte = glyphs.log_clusters[i];
        if (clusters.empty() || clusters.back().byte != byte) {
            clusters.push_back({byte, at});
        }
        at += Pixels(glyphs.glyphs[i].geometry.width);
    }
    // Reading order, whatever the direction the glyphs run in.
    std::stable_sort(clusters.begin(), clusters.end(), [](const Cluster& a, const Cluster& b) { return a.byte < b.byte; });
    const std::size_t itemEnd = std::min(layoutText.size(), static_cast<std::size_t>(item.offset + item.length));
    for (std::size_t k = 0; k < clusters.size(); ++k) {
        const std::size_t from = static_cast<std::size_t>(item.offset + clusters[k].byte);
        const std::size_t to =
            k + 1 < clusters.size() ? static_cast<std::size_t>(item.offset + clusters[k + 1].byte) : itemEnd;
        if (from >= to || to > layoutText.size()) {
            continue;
        }
        const std::u16string units = platform::WideToUtf16(platform::Utf8ToWide(layoutText.substr(from, to - from)));
        for (const char16_t unit : units) {
            line.text += unit;
            line.offsets.push_back(clusters[k].x - line.origin.x);
        }
    }
}

}  // namespace

VectorPath CapturePath(cairo_t* cr) {
    VectorPath captured;
    cairo_path_t* path = cairo_copy_path(cr);
    if (path->status != CAIRO_STATUS_SUCCESS) {
        cairo_path_destroy(path);
        return captured;
    }
    auto add = [&](const cairo_path_data_t& data) { captured.points.push_back(DevicePoint(cr, {data.point.x, data.point.y})); };
    for (int i = 0; i < path->num_data; i += path->data[i].header.length) {
        const cairo_path_data_t* data = &path->data[i];
        switch (data->header.type) {
            case CAIRO_PATH_MOVE_TO:
                captured.verbs.push_back(VectorPath::Verb::Move);
                add(data[1]);
                break;
            case CAIRO_PATH_LINE_TO:
                captured.verbs.push_back(VectorPath::Verb::Line);
                add(data[1]);
                break;
            case CAIRO_PATH_CURVE_TO:
                captured.verbs.push_back(VectorPath::Verb::Curve);
                add(data[1]);
                add(data[2]);
                add(data[3]);
                break;
            case CAIRO_PATH_CLOSE_PATH: captured.verbs.push_back(VectorPath::Verb::Close); break;
        }
    }
    cairo_path_destroy(path);
    return captured;
}

Point DevicePoint(cairo_t* cr, Point point) {
    cairo_user_to_device(cr, &point.x, &point.y);
    return point;
}

Rect DeviceRect(cairo_t* cr, const Rect& rect) {
    const Point a = DevicePoint(cr, {rect.left, rect.top});
    const Point b = DevicePoint(cr, {rect.right, rect.bottom});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

double DeviceLength(cairo_t* cr, double length) {
    double dx = 0;
    double dy = length;
    cairo_user_to_device_distance(cr, &dx, &dy);
    return std::hypot(dx, dy);
}

Brush DeviceBrush(cairo_t* cr, const Brush& brush) {
    Brush device = brush;
    device.start = DevicePoint(cr, brush.start);
    device.end = DevicePoint(cr, brush.end);
    return device;
}

std::vector<TextOp> CaptureLayout(cairo_t* cr, PangoLayout* layout, double x, double y, const Font& font,
                                  double emHeight, Color color) {
    std::vector<TextOp> lines;
    const std::string_view layoutText = pango_layout_get_text(layout);
    PangoLayoutIter* iter = pango_layout_get_iter(layout);
    do {
        const PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
        PangoRectangle logical;
        pango_layout_iter_get_line_extents(iter, nullptr, &logical);
        TextOp op;
        op.origin = {x + Pixels(logical.x), y + Pixels(pango_layout_iter_get_baseline(iter))};
        double at = op.origin.x;
        for (const GSList* run = line->runs; run != nullptr; run = run->next) {
            const auto* glyphItem = static_cast<const PangoGlyphItem*>(run->data);
            AddRun(*glyphItem, layoutText, at, op);
            at += Pixels(pango_glyph_string_get_width(glyphItem->glyphs));
        }
        if (op.text.empty()) {
            continue;
        }
        op.width = at - op.origin.x;
        // To device space: the contexts only translate and scale.
        const Point origin = DevicePoint(cr, op.origin);
        const Point unit = DevicePoint(cr, {op.origin.x + 1.0, op.origin.y});
        const double scaleX = unit.x - origin.x;
        for (double& offset : op.offsets) {
            offset *= scaleX;
        }
        op.width *= scaleX;
        op.origin = origin;
        op.face = font.face;
        op.emHeight = DeviceLength(cr, emHeight);
        op.weight = font.weight <= 0 ? 400 : font.weight;
        op.italic = font.italic;
        op.underline = font.underline;
        op.strikeOut = font.strikeOut;
        op.color = color;
        lines.push_back(std::move(op));
    } while (pango_layout_iter_next_line(iter));
    pango_layout_iter_free(iter);
    return lines;
}

}  // namespace gfx::detail
