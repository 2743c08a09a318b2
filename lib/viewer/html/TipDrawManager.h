#pragma once
// CTipDrawManager: the raster routines of the tooltip and its renderer. Background
// fills (a solid colour, six gradients and nine patterned effects), colour
// transforms of pictures, pictures and image strips drawn with a transparent colour
// and an optional shadow, alpha blending, the blurred balloon shadow, and styled
// lines and frames. Pixel work is done on bitmaps in memory; everything else draws
// through the gfx context. Colours are COLORREF values (0x00BBGGRR).
//
// The patterned effects seed their random numbers afresh for every fill, so the
// same fill always gives the same picture.

#include <cstdint>

#include "lib/viewer/html/CeXDib.h"
#include "lib/viewer/html/HtmlGeometry.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

// Background fill effects.
enum TipFillEffect {
    kFillNone = -1,
    kFillSolid = 0,
    kFillHGradient = 1,
    kFillVGradient = 2,
    kFillHCGradient = 3,
    kFillVCGradient = 4,
    kFill3HGradient = 5,
    kFill3VGradient = 6,
    kFillNoise = 7,
    kFillDiagShade = 8,
    kFillHShade = 9,
    kFillVShade = 10,
    kFillHBump = 11,
    kFillVBump = 12,
    kFillSoftBump = 13,
    kFillHardBump = 14,
    kFillMetal = 15,
};

// Effect flags of pictures.
inline constexpr unsigned kImageGrey = 0x01;
inline constexpr unsigned kImageDarken = 0x02;
inline constexpr unsigned kImageLighten = 0x04;
inline constexpr unsigned kImageReplace = 0x08;
inline constexpr unsigned kImageShadow = 0x100;         // a sharp shadow
inline constexpr unsigned kImageBlurredShadow = 0x200;  // a blurred shadow
inline constexpr unsigned kImageInvert = 0x8000;

// Pen styles of lines and frames; kLineDouble draws a second line inside the first.
enum TipLineStyle { kLineSolid = 1, kLineDash = 2, kLineDot = 3, kLineDashDot = 4, kLineDashDotDot = 5, kLineDouble = 6 };

// Where and in what colour a picture's shadow falls.
struct TipShadow {
    int dx = 4;
    int dy = 4;
    int blurX = 7;
    int blurY = 7;
    std::uint32_t colour = 0x808080;
};

// A picture with a transparent colour: pixels of the key colour are not drawn.
struct TipColourKey {
    bool use = false;
    std::uint32_t colour = 0xFF00FF;
};

class CTipDrawManager {
public:
    // The fill of the effect table over the rectangle (only its visible part is
    // computed). Gradients run from the begin colour over the middle colour to the
    // end colour; granularity (0..127) narrows the patterned ramps and, with noise
    // set, is the amplitude of the per-pixel noise. Unknown effects above the table
    // fill with the begin colour.
    void FillEffect(gfx::Context& dc, const HtmlRect& rect, int effect, std::uint32_t begin, std::uint32_t middle,
                    std::uint32_t end, int granularity, bool noise);
    // 64 bands from one colour to the other, left to right or top to bottom.
    static void FillGradient(gfx::Context& dc, std::uint32_t from, std::uint32_t to, const HtmlRect& rect,
                             bool horizontal);

    // A transformed copy by the effect flags; key pixels become black (inverted with
    // the rest). Remembers whether the picture has per-pixel transparency.
    gfx::Bitmap TransformBitmap(const gfx::Bitmap& bitmap, unsigned flags, TipColourKey key,
                                std::uint32_t replacement = 0);
    bool HasAlpha() const { return m_hasAlpha; }

    // Blends the source's part (x, y, width, height) over the same part of the
    // destination: 100 percent or more copies it, 0 leaves the destination.
    static void AlphaBlend(const gfx::Bitmap& source, gfx::Bitmap& destination, const HtmlRect& part, int percent);
    // Darkens the destination by a grey mask placed at (x, y): each pixel is
    // multiplied by the mask level / 255, after a box blur of the blur sizes (made
    // odd) when blur is set. On a transparent destination the darkening shows as
    // black of that strength, so that it darkens what lies beneath.
    static void DrawShadow(gfx::Bitmap& destination, int x, int y, const gfx::Bitmap& mask, bool blur, int blurX,
                           int blurY);

    // Draws the picture stretched to width x height at (x, y), without its key
    // colour, transformed by the effect flags; a shadow flag first draws the
    // picture's shadow at the shadow's offset (blurred for kImageBlurredShadow).
    void DrawBitmap(gfx::Context& dc, int x, int y, int width, int height, const gfx::Bitmap& bitmap,
                    TipColourKey key, unsigned flags, const TipShadow& shadow);
    // One cell of a strip of equal cells numbered row by row; nothing for an index
    // past the last whole cell or a cell without size.
    void DrawImageFromStrip(gfx::Context& dc, int x, int y, int width, int height, const gfx::Bitmap& strip,
                            int index, int cellWidth, int cellHeight, TipColourKey key, unsigned flags,
                            const TipShadow& shadow);
    static HtmlSize GetBitmapSize(const gfx::Bitmap& bitmap) { return {bitmap.Width(), bitmap.Height()}; }

    // A line or a rectangle's frame in a pen style; nothing for a width below 1.
    // The frame's left and top edges take the first colour, right and bottom the second.
    static void DrawLine(gfx::Context& dc, int x1, int y1, int x2, int y2, std::uint32_t colour, int style, int width);
    static void DrawFrame(gfx::Context& dc, const HtmlRect& rect, std::uint32_t topLeft, std::uint32_t bottomRight,
                          int style, int width);

private:
    void FillPattern(gfx::Context& dc, const HtmlRect& rect, int effect, std::uint32_t begin, std::uint32_t middle,
                     std::uint32_t end, int granularity, bool noise);

    CCeXDib m_dib;
    bool m_hasAlpha = false;
};
