#pragma once
// A drawing context: the pen, brush, font and text colours selected into it, and
// the drawing operations the program's windows, controls and report pictures use.
// It draws onto a gfx::Bitmap (off-screen, no display needed) or onto any cairo
// context, such as the one the window layer hands over for a window's paint.
//
// Conventions, as the program's drawing code expects them:
// - Coordinates name pixel corners. A 1-pixel line from (0, 5) to (10, 5) lights the
//   pixel row 5; the outline of Rectangle(0, 0, 10, 10) runs along the pixels 0 and 9.
// - Shapes (Rectangle, RoundRectangle, Ellipse, Polygon) are filled with the brush,
//   then outlined with the pen; polygons fill by the even-odd rule.
// - Text is placed by its top-left corner and drawn in the text colour; with an
//   opaque background its box is first filled with the background colour.
// - Save and Restore keep the selected tools, colours, current position, clipping
//   and origin.
// - A context on a gfx::Recording also keeps what it draws as vector operations
//   (paths, lines of text, pictures, clipping), for the metafile writer.

#include <cairo.h>

#include <span>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Pen.h"

typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFontDescription PangoFontDescription;

namespace gfx {

class VectorDrawing;
struct LineStyle;

// Format bits of Context::DrawText; one horizontal and one vertical alignment.
struct TextFormat {
    static constexpr unsigned Left = 0x000;
    static constexpr unsigned Center = 0x001;
    static constexpr unsigned Right = 0x002;
    static constexpr unsigned Top = 0x000;
    static constexpr unsigned VCenter = 0x004;
    static constexpr unsigned Bottom = 0x008;
    static constexpr unsigned SingleLine = 0x010;    // line breaks in the text do not break
    static constexpr unsigned WordBreak = 0x020;     // wrap at words to the rectangle's width
    static constexpr unsigned EndEllipsis = 0x040;   // cut the end with "…" to fit
    static constexpr unsigned PathEllipsis = 0x080;  // cut the middle, keeping the last path part
    static constexpr unsigned CalcRect = 0x100;      // only measure: set the rectangle, draw nothing
};

class Context {
public:
    // Draws onto the bitmap (nothing when it is empty).
    explicit Context(Bitmap& target);
    // Draws onto the cairo context; its state is restored when this object goes.
    explicit Context(cairo_t* target);
    ~Context();
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    cairo_t* Cairo() const { return m_cr; }
    // False once drawing failed (no memory, a bad size): what follows draws nothing.
    bool IsHealthy() const;

    void Save();
    // Does nothing without a matching Save.
    void Restore();
    // Moves the origin: later drawing at (x, y) lands at (x + dx, y + dy).
    void Translate(double dx, double dy);
    // Smooth edges for slanted lines, curves and text (on by default).
    void SetAntialias(bool on);

    void SetPen(const Pen& pen) { m_state.pen = pen; }
    void SetBrush(const Brush& brush) { m_state.brush = brush; }
    void SetFont(const Font& font);
    void SetTextColor(Color color) { m_state.textColor = color; }
    void SetBackgroundColor(Color color) { m_state.backgroundColor = color; }
    // Whether text fills its box with the background colour first (off by default).
    void SetOpaqueBackground(bool opaque) { m_state.opaqueBackground = opaque; }
    const Pen& GetPen() const { return m_state.pen; }
    Color GetBackgroundColor() const { return m_state.backgroundColor; }

    // Lines with the pen: from the current position, which LineTo moves to its end.
    void MoveTo(double x, double y);
    void LineTo(double x, double y);
    void DrawLine(Point from, Point to);
    void Polyline(std::span<const Point> points);
    // A line through the points along their exact geometry (half the width on each
    // side, flat ends, mitred corners), not by the pen's pixel convention; closed
    // back to the first point when asked.
    void StrokeLine(std::span<const Point> points, const LineStyle& style, bool closed = false);

    void Polygon(std::span<const Point> points);
    void Rectangle(const Rect& rect);
    // Corners are quarters of an ellipse of the given width and height.
    void RoundRectangle(const Rect& rect, double cornerWidth, double cornerHeight);
    void Ellipse(const Rect& rect);
    // Fills without an outline.
    void FillRect(const Rect& rect, const Brush& brush);

    // Drawing is limited to the intersection of all clip rectangles given since the
    // last Save, minus the excluded ones.
    void IntersectClip(const Rect& rect);
    void ExcludeClip(const Rect& rect);
    Rect ClipBox() const;

    TextMetrics Metrics();
    // Width and height of the text on one line in the current font.
    Size TextExtent(const std::wstring& text);
    void TextOut(double x, double y, const std::wstring& text);
    // Draws the text into the rectangle by the TextFormat bits, clipped to it, and
    // returns the height of the text. With CalcRect the rectangle's right and bottom
    // are set to fit the whole text instead (ellipsis bits aside) and nothing is drawn.
    double DrawText(const std::wstring& text, Rect& rect, unsigned format);

    // Blends the bitmap over what is there, by its own alpha times the opacity
    // (0 leaves the target as it was, 1 with an opaque bitmap copies it).
    void DrawBitmap(const Bitmap& bitmap, double x, double y, double opacity = 1.0);
    // Stretches the source part of the bitmap onto the destination rectangle.
    void DrawBitmap(const Bitmap& bitmap, const Rect& source, const Rect& dest, double opacity = 1.0);

private:
    friend class Recording;
    // Draws onto the cairo context and keeps the drawing in `vector` too.
    Context(cairo_t* target, VectorDrawing* vector);

    struct State {
        Pen pen;
        Brush brush{Color{255, 255, 255}};
        Font font;
        Color textColor{0, 0, 0};
        Color backgroundColor{255, 255, 255};
        bool opaqueBackground = false;
        Point position;
    };

    void StrokePreserve();
    void FillPreserve(const Brush& brush);
    void PaintPath(bool fill);
    double StrokeOffset() const;
    PangoLayout* PrepareLayout(const std::wstring& text);
    PangoFontDescription* FontDescription();
    void ShowLayout(PangoLayout* layout, double x, double y);
    void PushClip(const Rect& rect);
    void PopClip();

    cairo_t* m_cr = nullptr;
    VectorDrawing* m_vector = nullptr;
    State m_state;
    std::vector<State> m_saved;
    PangoLayout* m_layout = nullptr;
    PangoFontDescription* m_fontDescription = nullptr;  // of m_state.font, made when first needed
};

}  // namespace gfx
