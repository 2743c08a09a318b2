#include "device/DeviceRowPainter.h"

namespace device {

namespace {

constexpr double kIconSize = 48;
constexpr double kMargin = 4;

}  // namespace

gfx::Font DeviceNameFont() {
    gfx::Font font;
    font.face = L"Arial";
    font.height = -14;
    font.weight = 700;
    return font;
}

gfx::Font DeviceDetailFont() {
    gfx::Font font;
    font.face = L"Arial";
    font.height = -12;
    return font;
}

std::pair<std::wstring, std::wstring> SplitDeviceLine(const std::wstring& line) {
    const std::size_t blank = line.rfind(L' ');
    if (blank == std::wstring::npos) {
        return {line, std::wstring()};
    }
    return {line.substr(0, blank), line.substr(blank + 1)};
}

void DrawDeviceRow(gfx::Context& dc, const gfx::Rect& row, const gfx::Bitmap& icon, const std::wstring& line,
                   bool selected) {
    dc.FillRect(row, gfx::Brush{selected ? kRowSelected : kRowNormal});
    double left = row.left + kMargin;
    if (!icon.IsEmpty()) {
        dc.DrawBitmap(icon, left, row.top + (row.Height() - kIconSize) / 2);
    }
    left += kIconSize + kMargin;
    const auto [name, detail] = SplitDeviceLine(line);
    const double middle = row.top + row.Height() / 2;
    constexpr unsigned kFormat = gfx::TextFormat::Left | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine |
                                 gfx::TextFormat::EndEllipsis;
    dc.SetTextColor(kNameColor);
    dc.SetFont(DeviceNameFont());
    gfx::Rect upper{left, row.top, row.right - kMargin, middle};
    dc.DrawText(name, upper, kFormat);
    dc.SetFont(DeviceDetailFont());
    gfx::Rect lower{left, middle, row.right - kMargin, row.bottom};
    dc.DrawText(detail, lower, kFormat);
}

}  // namespace device
