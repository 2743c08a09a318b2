#pragma once
// The records of an enhanced metafile (EMF) as the public format describes them,
// written one after another into a byte string: little-endian fields, every
// record a multiple of four bytes, the header first and the end-of-file record
// last, with the header's totals (bytes, records, handles) filled in when the
// metafile is finished. Coordinates are logical units, which this writer keeps
// equal to the reference device's pixels.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace gfx {

struct EmfPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

struct EmfRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// A font as a logical font record holds it.
struct EmfFont {
    std::int32_t height = 0;  // negative: the character height
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 1;  // 1 default, 134 GB2312
    std::u16string face;       // at most 31 units are kept

    friend bool operator<(const EmfFont& a, const EmfFont& b);
};

class EmfRecords {
public:
    // Record types and the values of their fields that this writer uses.
    static constexpr std::uint32_t kStockObject = 0x80000000u;
    static constexpr std::uint32_t kNullBrush = kStockObject | 5u;
    static constexpr std::uint32_t kNullPen = kStockObject | 8u;
    static constexpr std::uint32_t kPenSolid = 0;
    static constexpr std::uint32_t kPenDash = 1;
    static constexpr std::uint32_t kPenDot = 2;
    static constexpr std::uint32_t kPenDashDot = 3;
    static constexpr std::uint32_t kPenDashDotDot = 4;
    static constexpr std::uint8_t kDefaultCharSet = 1;
    static constexpr std::uint8_t kGb2312CharSet = 134;

    // The header: the reference device's size in pixels and in millimetres (with
    // the picture's frame in hundredths of a millimetre) and a description.
    EmfRecords(std::int32_t devicePixelsX, std::int32_t devicePixelsY, double millimetresX, double millimetresY,
               std::u16string_view description);

    // Drawing state.
    void SetBackgroundTransparent();
    void SetEvenOddFill();
    void SetTextAlignBaseline();
    void SetStretchHalftone();
    void SetTextColor(std::uint32_t colorRef);
    void SaveDC();
    void RestoreDC();
    void IntersectClip(const EmfRect& rect);
    void ExcludeClip(const EmfRect& rect);

    // Objects: each made into the handle given (1 and up), selected by handle or
    // as a stock object.
    void CreateGeometricPen(std::uint32_t handle, std::uint32_t style, std::uint32_t width, std::uint32_t colorRef);
    void CreateSolidBrush(std::uint32_t handle, std::uint32_t colorRef);
    void CreateFont(std::uint32_t handle, const EmfFont& font);
    void SelectObject(std::uint32_t handle);

    // Shapes with the selected pen (and brush, for polygons).
    void Polyline(std::span<const EmfPoint> points);
    void Polygon(std::span<const EmfPoint> points);
    void PolyPolygon(std::span<const EmfPoint> points, std::span<const std::uint32_t> counts);
    // Paths: figures between BeginPath and EndPath, then filled or stroked.
    void BeginPath();
    void MoveTo(EmfPoint point);
    void PolylineTo(std::span<const EmfPoint> points);
    void PolyBezierTo(std::span<const EmfPoint> points);
    void CloseFigure();
    void EndPath();
    void FillPath(const EmfRect& bounds);
    void StrokePath(const EmfRect& bounds);

    // Text in the selected font and the text colour, the reference point on the
    // baseline, each unit's advance to the next.
    void ExtTextOut(EmfPoint reference, std::u16string_view text, std::span<const std::int32_t> advances,
                    const EmfRect& bounds);
    // 24-bit bottom-up rows (each padded to four bytes) stretched onto the rectangle.
    void StretchDIBits(const EmfRect& dest, std::int32_t width, std::int32_t height, std::string_view rows);

    // Ends the metafile (the end-of-file record and the header's totals) and
    // hands its bytes over.
    std::string Finish(std::uint32_t handleCount);

private:
    void Begin(std::uint32_t type);
    void End();
    void U8(std::uint8_t value);
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    void F32(float value);
    void Rect(const EmfRect& rect);
    void Pad();
    // A record of the points: 16-bit coordinates when they all fit, else 32-bit.
    void Points(std::uint32_t type16, std::uint32_t type32, std::span<const EmfPoint> points);
    void PointList(std::span<const EmfPoint> points, bool small);
    void Simple(std::uint32_t type);
    void OneValue(std::uint32_t type, std::uint32_t value);
    void PatchU32(std::size_t at, std::uint32_t value);

    float m_hundredthsPerPixelX;
    float m_hundredthsPerPixelY;
    std::string m_bytes;
    std::size_t m_recordStart = 0;
    std::uint32_t m_records = 0;
};

}  // namespace gfx
