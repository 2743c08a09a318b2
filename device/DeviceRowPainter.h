#pragma once
// How the device list draws one device: a row filled in its state's colour, the
// model's icon, and the list line split into the device name (upper half, bold)
// and the address or device number (lower half).

#include <string>
#include <utility>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"

namespace device {

inline constexpr int kDeviceRowHeight = 56;
inline constexpr gfx::Color kRowSelected = gfx::Color::FromColorRef(0xF5C28D);  // RGB(141, 194, 245)
inline constexpr gfx::Color kRowNormal = gfx::Color::FromColorRef(0xECECE8);    // RGB(232, 236, 236)
inline constexpr gfx::Color kNameColor = gfx::Color::FromArgb(0xFF284B6F);      // ARGB(255, 40, 75, 111)

gfx::Font DeviceNameFont();
gfx::Font DeviceDetailFont();

// The line cut at its last blank: the name (which may hold blanks itself) and
// the address or device number (which never does).
std::pair<std::wstring, std::wstring> SplitDeviceLine(const std::wstring& line);

// Draws the row into the rectangle; the icon may be empty.
void DrawDeviceRow(gfx::Context& dc, const gfx::Rect& row, const gfx::Bitmap& icon, const std::wstring& line,
                   bool selected);

}  // namespace device
