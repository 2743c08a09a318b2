#include "platform/gfx/EmfRecords.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <tuple>

namespace gfx {

namespace {

// Record types.
constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kPolygon = 3;
constexpr std::uint32_t kPolyline = 4;
constexpr std::uint32_t kPolyBezierTo = 5;
constexpr std::uint32_t kPolylineTo = 6;
constexpr std::uint32_t kPolyPolygon = 8;
constexpr std::uint32_t kEof = 14;
constexpr std::uint32_t kSetBkMode = 18;
constexpr std::uint32_t kSetPolyFillMode = 19;
constexpr std::uint32_t kSetStretchBltMode = 21;
constexpr std::uint32_t kSetTextAlign = 22;
constexpr std::uint32_t kSetTextColor = 24;
constexpr std::uint32_t kMoveToEx = 27;
constexpr std::uint32_t kExcludeClipRect = 29;
constexpr std::uint32_t kIntersectClipRect = 30;
constexpr std::uint32_t kSaveDC = 33;
constexpr std::uint32_t kRestoreDC = 34;
constexpr std::uint32_t kSelectObject = 37;
constexpr std::uint32_t kCreateBrushIndirect = 39;
constexpr std::uint32_t kBeginPath = 59;
constexpr std::uint32_t kEndPath = 60;
constexpr std::uint32_t kCloseFigure = 61;
constexpr std::uint32_t kFillPath = 62;
constexpr std::uint32_t kStrokePath = 64;
constexpr std::uint32_t kStretchDIBits = 81;
constexpr std::uint32_t kExtCreateFontIndirectW = 82;
constexpr std::uint32_t kExtTextOutW = 84;
constexpr std::uint32_t kPolygon16 = 86;
constexpr std::uint32_t kPolyline16 = 87;
constexpr std::uint32_t kPolyBezierTo16 = 88;
constexpr std::uint32_t kPolylineTo16 = 89;
constexpr std::uint32_t kPolyPolygon16 = 91;
constexpr std::uint32_t kExtCreatePen = 95;

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr std::size_t kHeaderSize = 108;
// Offsets of the header's totals.
constexpr std::size_t kHeaderBytesAt = 48;
constexpr std::size_t kHeaderRecordsAt = 52;
constexpr std::size_t kHeaderHandlesAt = 56;

constexpr std::uint32_t kTransparent = 1;
constexpr std::uint32_t kAlternate = 1;
constexpr std::uint32_t kHalftone = 4;
constexpr std::uint32_t kTextAlignBaseline = 24;
constexpr std::uint32_t kGeometricPen = 0x00010000;
constexpr std::uint32_t kFlatEnds = 0x00000200;
constexpr std::uint32_t kMitreJoins = 0x00002000;
constexpr std::uint32_t kCompatibleGraphics = 1;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::size_t kFaceUnits = 32;

bool Fits16(std::span<const EmfPoint> points) {
    return std::all_of(points.begin(), points.end(), [](const EmfPoint& p) {
        constexpr std::int32_t low = std::numeric_limits<std::int16_t>::min();
        constexpr std::int32_t high = std::numeric_limits<std::int16_t>::max();
        return p.x >= low && p.x <= high && p.y >= low && p.y <= high;
    });
}

EmfRect BoundsOf(std::span<const EmfPoint> points) {
    if (points.empty()) {
        return {};
    }
    EmfRect bounds{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const EmfPoint& p : points) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    return bounds;
}

}  // namespace

bool operator<(const EmfFont& a, const EmfFont& b) {
    return std::tie(a.height, a.weight, a.italic, a.underline, a.strikeOut, a.charSet, a.face) <
           std::tie(b.height, b.weight, b.italic, b.underline, b.strikeOut, b.charSet, b.face);
}

EmfRecords::EmfRecords(std::int32_t devicePixelsX, std::int32_t devicePixelsY, double millimetresX,
                       double millimetresY, std::u16string_view description)
    : m_hundredthsPerPixelX(static_cast<float>(millimetresX * 100.0 / std::max(1, devicePixelsX))),
      m_hundredthsPerPixelY(static_cast<float>(millimetresY * 100.0 / std::max(1, devicePixelsY))) {
    Begin(kHeader);
    Rect({0, 0, devicePixelsX - 1, devicePixelsY - 1});
    Rect({0, 0, static_cast<std::int32_t>(std::lround(millimetresX * 100.0)),
          static_cast<std::int32_t>(std::lround(millimetresY * 100.0))});
    U32(kSignature);
    U32(kVersion);
    U32(0);  // bytes, records and handles: filled in by Finish
    U32(0);
    U16(0);
    U16(0);
    U32(static_cast<std::uint32_t>(description.size() + 1));
    U32(static_cast<std::uint32_t>(kHeaderSize));
    U32(0);  // no palette
    I32(devicePixelsX);
    I32(devicePixelsY);
    I32(static_cast<std::int32_t>(std::lround(millimetresX)));
    I32(static_cast<std::int32_t>(std::lround(millimetresY)));
    U32(0);  // no pixel format
    U32(0);
    U32(0);  // not OpenGL
    U32(static_cast<std::uint32_t>(std::lround(millimetresX * 1000.0)));
    U32(static_cast<std::uint32_t>(std::lround(millimetresY * 1000.0)));
    for (const char16_t unit : description) {
        U16(unit);
    }
    U16(0);
    End();
}

void EmfRecords::Begin(std::uint32_t type) {
    m_recordStart = m_bytes.size();
    U32(type);
    U32(0);  // the size, set by End
}

void EmfRecords::End() {
    Pad();
    PatchU32(m_recordStart + 4, static_cast<std::uint32_t>(m_bytes.size() - m_recordStart));
    ++m_records;
}

void EmfRecords::U8(std::uint8_t value) { m_bytes.push_back(static_cast<char>(value)); }

void EmfRecords::U16(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value & 0xFF));
    U8(static_cast<std::uint8_t>(value >> 8));
}

void EmfRecords::U32(std::uint32_t value) {
    U16(static_cast<std::uint16_t>(value & 0xFFFF));
    U16(static_cast<std::uint16_t>(value >> 16));
}

void EmfRecords::F32(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    U32(bits);
}

void EmfRecords::Rect(const EmfRect& rect) {
    I32(rect.left);
    I32(rect.top);
    I32(rect.right);
    I32(rect.bottom);
}

void EmfRecords::Pad() {
    while (m_bytes.size() % 4 != 0) {
        U8(0);
    }
}

void EmfRecords::PatchU32(std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        m_bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void EmfRecords::Simple(std::uint32_t type) {
    Begin(type);
    End();
}

void EmfRecords::OneValue(std::uint32_t type, std::uint32_t value) {
    Begin(type);
    U32(value);
    End();
}

void EmfRecords::SetBackgroundTransparent() { OneValue(kSetBkMode, kTransparent); }
void EmfRecords::SetEvenOddFill() { OneValue(kSetPolyFillMode, kAlternate); }
void EmfRecords::SetTextAlignBaseline() { OneValue(kSetTextAlign, kTextAlignBaseline); }
void EmfRecords::SetStretchHalftone() { OneValue(kSetStretchBltMode, kHalftone); }
void EmfRecords::SetTextColor(std::uint32_t colorRef) { OneValue(kSetTextColor, colorRef); }
void EmfRecords::SaveDC() { Simple(kSaveDC); }
void EmfRecords::RestoreDC() { OneValue(kRestoreDC, static_cast<std::uint32_t>(-1)); }
void EmfRecords::SelectObject(std::uint32_t handle) { OneValue(kSelectObject, handle); }
void EmfRecords::BeginPath() { Simple(kBeginPath); }
void EmfRecords::EndPath() { Simple(kEndPath); }
void EmfRecords::CloseFigure() { Simple(kCloseFigure); }

void EmfRecords::IntersectClip(const EmfRect& rect) {
    Begin(kIntersectClipRect);
    Rect(rect);
    End();
}

void EmfRecords::ExcludeClip(const EmfRect& rect) {
    Begin(kExcludeClipRect);
    Rect(rect);
    End();
}

void EmfRecords::CreateGeometricPen(std::uint32_t handle, std::uint32_t style, std::uint32_t width,
                                    std::uint32_t colorRef) {
    Begin(kExtCreatePen);
    U32(handle);
    U32(0);  // no pattern bitmap
    U32(0);
    U32(0);
    U32(0);
    U32(kGeometricPen | kFlatEnds | kMitreJoins | style);
    U32(width);
    U32(0);  // solid brush
    U32(colorRef);
    U32(0);  // no hatch
    U32(0);  // no style entries
    End();
}

void EmfRecords::CreateSolidBrush(std::uint32_t handle, std::uint32_t colorRef) {
    Begin(kCreateBrushIndirect);
    U32(handle);
    U32(0);  // solid
    U32(colorRef);
    U32(0);
    End();
}

void EmfRecords::CreateFont(std::uint32_t handle, const EmfFont& font) {
    Begin(kExtCreateFontIndirectW);
    U32(handle);
    I32(font.height);
    I32(0);  // width: from the height
    I32(0);  // escapement and orientation
    I32(0);
    I32(font.weight);
    U8(font.italic ? 1 : 0);
    U8(font.underline ? 1 : 0);
    U8(font.strikeOut ? 1 : 0);
    U8(font.charSet);
    U8(0);  // output, clipping precision, quality, pitch and family: the defaults
    U8(0);
    U8(0);
    U8(0);
    for (std::size_t i = 0; i < kFaceUnits; ++i) {
        U16(i + 1 < kFaceUnits && i < font.face.size() ? font.face[i] : 0);
    }
    End();
}

void EmfRecords::PointList(std::span<const EmfPoint> points, bool small) {
    for (const EmfPoint& p : points) {
        if (small) {
            U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(p.x)));
            U16(static_cast<std::uint16_t>(static_cast<std::int16_t>(p.y)));
        } else {
            I32(p.x);
            I32(p.y);
        }
    }
}

void EmfRecords::Points(std::uint32_t type16, std::uint32_t type32, std::span<const EmfPoint> points) {
    const bool small = Fits16(points);
    Begin(small ? type16 : type32);
    Rect(BoundsOf(points));
    U32(static_cast<std::uint32_t>(points.size()));
    PointList(points, small);
    End();
}

void EmfRecords::Polyline(std::span<const EmfPoint> points) { Points(kPolyline16, kPolyline, points); }
void EmfRecords::Polygon(std::span<const EmfPoint> points) { Points(kPolygon16, kPolygon, points); }
void EmfRecords::PolylineTo(std::span<const EmfPoint> points) { Points(kPolylineTo16, kPolylineTo, points); }
void EmfRecords::PolyBezierTo(std::span<const EmfPoint> points) { Points(kPolyBezierTo16, kPolyBezierTo, points); }

void EmfRecords::PolyPolygon(std::span<const EmfPoint> points, std::span<const std::uint32_t> counts) {
    const bool small = Fits16(points);
    Begin(small ? kPolyPolygon16 : kPolyPolygon);
    Rect(BoundsOf(points));
    U32(static_cast<std::uint32_t>(counts.size()));
    U32(static_cast<std::uint32_t>(points.size()));
    for (const std::uint32_t count : counts) {
        U32(count);
    }
    PointList(points, small);
    End();
}

void EmfRecords::MoveTo(EmfPoint point) {
    Begin(kMoveToEx);
    I32(point.x);
    I32(point.y);
    End();
}

void EmfRecords::FillPath(const EmfRect& bounds) {
    Begin(kFillPath);
    Rect(bounds);
    End();
}

void EmfRecords::StrokePath(const EmfRect& bounds) {
    Begin(kStrokePath);
    Rect(bounds);
    End();
}

void EmfRecords::ExtTextOut(EmfPoint reference, std::u16string_view text, std::span<const std::int32_t> advances,
                            const EmfRect& bounds) {
    constexpr std::uint32_t kFixedSize = 76;
    const std::uint32_t stringBytes = static_cast<std::uint32_t>((text.size() * 2 + 3) / 4 * 4);
    Begin(kExtTextOutW);
    Rect(bounds);
    U32(kCompatibleGraphics);
    // Logical units (the reference device's pixels) to hundredths of a millimetre.
    F32(m_hundredthsPerPixelX);
    F32(m_hundredthsPerPixelY);
    I32(reference.x);
    I32(reference.y);
    U32(static_cast<std::uint32_t>(text.size()));
    U32(kFixedSize);
    U32(0);  // no options: neither clipped nor opaque
    Rect({});
    U32(kFixedSize + stringBytes);
    for (const char16_t unit : text) {
        U16(unit);
    }
    Pad();
    for (const std::int32_t advance : advances) {
        I32(advance);
    }
    End();
}

void EmfRecords::StretchDIBits(const EmfRect& dest, std::int32_t width, std::int32_t height, std::string_view rows) {
    constexpr std::uint32_t kFixedSize = 80;
    constexpr std::uint32_t kInfoSize = 40;
    Begin(kStretchDIBits);
    Rect(dest);
    I32(dest.left);
    I32(dest.top);
    I32(0);  // the whole source
    I32(0);
    I32(width);
    I32(height);
    U32(kFixedSize);
    U32(kInfoSize);
    U32(kFixedSize + kInfoSize);
    U32(static_cast<std::uint32_t>(rows.size()));
    U32(0);  // colours are RGB values
    U32(kSourceCopy);
    I32(dest.right - dest.left);
    I32(dest.bottom - dest.top);
    // The bitmap information header: 24 bits, uncompressed, rows from the bottom up.
    U32(kInfoSize);
    I32(width);
    I32(height);
    U16(1);
    U16(24);
    U32(0);
    U32(static_cast<std::uint32_t>(rows.size()));
    U32(0);
    U32(0);
    U32(0);
    U32(0);
    m_bytes.append(rows);
    End();
}

std::string EmfRecords::Finish(std::uint32_t handleCount) {
    Begin(kEof);
    U32(0);   // no palette entries
    U32(16);  // where they would start
    U32(20);  // this record's size, again
    End();
    PatchU32(kHeaderBytesAt, static_cast<std::uint32_t>(m_bytes.size()));
    PatchU32(kHeaderRecordsAt, m_records);
    m_bytes[kHeaderHandlesAt] = static_cast<char>(handleCount & 0xFF);
    m_bytes[kHeaderHandlesAt + 1] = static_cast<char>((handleCount >> 8) & 0xFF);
    return std::move(m_bytes);
}

}  // namespace gfx
