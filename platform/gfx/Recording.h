#pragma once
// A vector recording of drawing: what a gfx::Context draws into it is kept as
// drawing operations, not pixels, and played back onto another context at any
// scale. Report pages and the tables and charts placed on them are recorded, so a
// page is rasterised once, at the resolution it is encoded at, however often its
// parts were placed and scaled; or it is written as a metafile from the same
// drawing kept as vector operations (Vectors). An empty recording (no size)
// records and plays nothing.

#include <cairo.h>

#include <memory>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"

namespace gfx {

class Context;
class VectorDrawing;

class Recording {
public:
    Recording() = default;
    // A recording of the extent (0, 0, width, height); drawing outside it is cut
    // off. Empty when a side is not positive.
    Recording(double width, double height);
    ~Recording();
    Recording(Recording&& other) noexcept;
    Recording& operator=(Recording&& other) noexcept;
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    bool IsEmpty() const { return m_surface == nullptr; }
    double Width() const { return m_width; }
    double Height() const { return m_height; }

    // A drawing context on the recording; null for an empty recording.
    std::unique_ptr<Context> NewContext() const;

    // Plays the recording onto the target so that its extent fills the destination
    // rectangle (scaled, aspect ratio not kept). Played onto another recording it
    // also joins that one's vector operations.
    void Play(Context& target, const Rect& dest) const;

    // Renders the whole extent onto a new bitmap of the given pixel size, over the
    // background colour (transparent by default).
    Bitmap Render(int pixelWidth, int pixelHeight, Color background = Color{0, 0, 0, 0}) const;
    // The same onto the target, which is made anew only when it does not have that
    // size already: one page after another reuses the same pixels. False when no
    // bitmap of that size can be had.
    bool RenderInto(Bitmap& target, int pixelWidth, int pixelHeight, Color background = Color{0, 0, 0, 0}) const;

    // The drawing as vector operations in the recording's units; null when empty.
    const VectorDrawing* Vectors() const { return m_vector.get(); }

private:
    cairo_surface_t* m_surface = nullptr;
    std::shared_ptr<VectorDrawing> m_vector;
    double m_width = 0;
    double m_height = 0;
};

}  // namespace gfx
