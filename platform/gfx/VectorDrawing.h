#pragma once
// What a gfx::Recording holds besides its pixels' recipe: the drawing as a list of
// vector operations in the recording's own units, the form a metafile writer
// plays into records of its own (filled and outlined paths, lines of text with
// the position of every character, pictures, clipping, and other recordings
// placed at a scale). The recording's drawing context appends to it as it draws.

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Brush.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

namespace gfx {

// Figures of straight and curved segments: Move starts a figure at one point, Line
// goes to one point, Curve to its third point through two control points, Close
// ends the figure with a line back to its start.
struct VectorPath {
    enum class Verb : std::uint8_t { Move, Line, Curve, Close };
    std::vector<Verb> verbs;
    std::vector<Point> points;

    bool IsEmpty() const { return verbs.empty(); }
    bool HasCurves() const;
    // Figures begun by Move.
    std::size_t FigureCount() const;
};

// A line along the path's exact geometry: half the width on each side, flat ends,
// mitred corners; dashes as on and off lengths (none: solid).
struct LineStyle {
    Color color;
    double width = 1.0;
    std::vector<double> dashes;
};

struct FillOp {
    VectorPath path;
    Brush brush;  // filled by the even-odd rule
};

struct StrokeOp {
    VectorPath path;
    LineStyle line;
};

// One line of text as it was laid out: its characters in reading order, the
// position of each along the baseline, and the font as the program asked for it
// (the face name it gave, the character height in the recording's units).
struct TextOp {
    std::u16string text;
    std::vector<double> offsets;  // of every UTF-16 unit, from the origin along the baseline
    double width = 0;             // of the whole line
    Point origin;                 // start of the baseline
    std::wstring face;
    double emHeight = 0;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    Color color;
};

// A picture stretched onto a rectangle; its pixels are a copy taken when it was drawn.
struct ImageOp {
    std::shared_ptr<const Bitmap> pixels;
    Rect dest;
    double opacity = 1.0;
};

// Clipping, kept on a stack: Save pushes the current clip, Restore pops it; Clip
// narrows it to a rectangle, Exclude cuts a rectangle out of it.
struct SaveOp {};
struct RestoreOp {};
struct ClipOp {
    Rect rect;
};
struct ExcludeOp {
    Rect rect;
};

class VectorDrawing;

// Another drawing placed here: its point (x, y) lands at (x * scaleX + dx, y * scaleY + dy).
struct PlayOp {
    std::shared_ptr<const VectorDrawing> drawing;
    double scaleX = 1.0;
    double scaleY = 1.0;
    double dx = 0.0;
    double dy = 0.0;
};

using VectorOp = std::variant<FillOp, StrokeOp, TextOp, ImageOp, SaveOp, RestoreOp, ClipOp, ExcludeOp, PlayOp>;

class VectorDrawing {
public:
    VectorDrawing(double width, double height) : m_width(width), m_height(height) {}

    double Width() const { return m_width; }
    double Height() const { return m_height; }
    const std::vector<VectorOp>& Ops() const { return m_ops; }

    void Add(VectorOp op) { m_ops.push_back(std::move(op)); }

private:
    double m_width;
    double m_height;
    std::vector<VectorOp> m_ops;
};

}  // namespace gfx
