// Draws the device dialog's pictures into the folder given as the only argument,
// as <id>.png: 5100, 5101 and 5102 are 48 x 48 icons of the K7700 (handheld),
// K7800 (portable case) and K7900 (rack with boards); 4105, 4106 and 4107 show the
// terminal's screen at the three steps of putting it into file-transfer mode.

#include <cstdio>
#include <string>

#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/FontConfig.h"
#include "platform/gfx/Font.h"

namespace {

constexpr gfx::Color kBody{52, 84, 122};
constexpr gfx::Color kEdge{28, 48, 74};
constexpr gfx::Color kScreen{150, 210, 240};
constexpr gfx::Color kLight{240, 244, 248};
constexpr gfx::Color kAccent{236, 150, 40};

gfx::Bitmap Blank(int width, int height) {
    gfx::Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            bitmap.SetPixel(x, y, gfx::Color{0, 0, 0, 0});
        }
    }
    return bitmap;
}

void Box(gfx::Context& dc, const gfx::Rect& rect, gfx::Color fill, gfx::Color edge, double corner = 0) {
    dc.SetBrush(fill);
    dc.SetPen(gfx::Pen{edge});
    if (corner > 0) {
        dc.RoundRectangle(rect, corner, corner);
    } else {
        dc.Rectangle(rect);
    }
}

gfx::Bitmap Handheld() {
    gfx::Bitmap icon = Blank(48, 48);
    gfx::Context dc(icon);
    Box(dc, {12, 2, 36, 46}, kBody, kEdge, 6);
    Box(dc, {15, 6, 33, 22}, kScreen, kEdge);
    dc.SetPen(gfx::Pen{kAccent});
    dc.Polyline(std::vector<gfx::Point>{{16, 16}, {20, 10}, {24, 18}, {28, 9}, {32, 15}});
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            Box(dc, gfx::Rect::FromSize(16 + column * 6, 26 + row * 6, 4, 4), kLight, kEdge);
        }
    }
    return icon;
}

gfx::Bitmap Portable() {
    gfx::Bitmap icon = Blank(48, 48);
    gfx::Context dc(icon);
    Box(dc, {16, 6, 32, 12}, kEdge, kEdge, 3);
    Box(dc, {3, 11, 45, 44}, kBody, kEdge, 4);
    Box(dc, {7, 15, 30, 33}, kScreen, kEdge);
    dc.SetPen(gfx::Pen{kAccent});
    dc.Polyline(std::vector<gfx::Point>{{8, 26}, {12, 19}, {16, 29}, {20, 19}, {24, 29}, {29, 22}});
    for (int i = 0; i < 3; ++i) {
        Box(dc, gfx::Rect::FromSize(34, 16 + i * 6, 8, 4), kLight, kEdge);
    }
    Box(dc, gfx::Rect::FromSize(7, 37, 35, 4), kAccent, kEdge);
    return icon;
}

gfx::Bitmap Rack() {
    gfx::Bitmap icon = Blank(48, 48);
    gfx::Context dc(icon);
    Box(dc, {2, 8, 46, 42}, kBody, kEdge, 2);
    Box(dc, {5, 11, 19, 21}, kScreen, kEdge);
    for (int slot = 0; slot < 4; ++slot) {
        const double x = 22 + slot * 6;
        Box(dc, {x, 11, x + 4, 39}, kLight, kEdge);
        Box(dc, {x + 1, 13, x + 3, 15}, slot % 2 == 0 ? kAccent : gfx::Color{60, 180, 90}, kEdge);
    }
    Box(dc, {5, 24, 19, 27}, kLight, kEdge);
    Box(dc, {5, 30, 19, 33}, kLight, kEdge);
    return icon;
}

// The terminal's screen with a menu; the highlighted row is where to go.
gfx::Bitmap Screen(const std::wstring& title, const std::vector<std::wstring>& rows, int highlighted,
                   const std::wstring& status) {
    gfx::Bitmap picture(400, 240);
    gfx::Context dc(picture);
    Box(dc, {0, 0, 400, 240}, kBody, kEdge, 12);
    Box(dc, {16, 16, 384, 224}, gfx::Color{20, 28, 40}, kEdge);
    gfx::Font font;
    font.face = L"黑体";
    font.height = -18;
    dc.SetFont(font);
    dc.SetTextColor(kLight);
    gfx::Rect head{24, 20, 376, 48};
    dc.DrawText(title, head, gfx::TextFormat::Left | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
    dc.SetPen(gfx::Pen{kScreen});
    dc.DrawLine({24, 50}, {376, 50});
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double top = 58 + static_cast<double>(i) * 32;
        if (static_cast<int>(i) == highlighted) {
            Box(dc, {28, top, 372, top + 28}, kAccent, kAccent, 4);
        }
        gfx::Rect row{40, top, 368, top + 28};
        dc.SetTextColor(static_cast<int>(i) == highlighted ? gfx::Color{20, 28, 40} : kLight);
        dc.DrawText(rows[i], row, gfx::TextFormat::Left | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
    }
    if (!status.empty()) {
        Box(dc, {80, 90, 320, 160}, gfx::Color{40, 120, 70}, kLight, 8);
        dc.SetTextColor(kLight);
        gfx::Rect box{80, 90, 320, 160};
        dc.DrawText(status, box, gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
    }
    return picture;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ondrava-draw-device-pictures FOLDER\n");
        return 2;
    }
    const auto folder = platform::ToPath(std::string_view(argv[1]));
    // The screens' Chinese texts need the program's font mapping.
    gfx::LoadFontConfig(platform::ExecutablePath().parent_path());
    struct Picture {
        int id;
        gfx::Bitmap bitmap;
    };
    Picture pictures[] = {
        {5100, Handheld()},
        {5101, Portable()},
        {5102, Rack()},
        {4105, Screen(L"主菜单", {L"实时监测", L"记录管理", L"文件管理", L"系统设置"}, 2, L"")},
        {4106, Screen(L"文件管理", {L"文件浏览", L"文件传输管理", L"存储空间"}, 1, L"")},
        {4107, Screen(L"文件传输管理", {}, -1, L"连接成功")},
    };
    gfx::Font font;
    font.face = L"黑体";
    if (gfx::MissingGlyphCount(L"主菜单文件传输管理连接成功", font) != 0) {
        std::fprintf(stderr, "no font has the screens' Chinese glyphs\n");
        return 1;
    }
    for (const Picture& picture : pictures) {
        if (!picture.bitmap.SavePng(folder / (std::to_string(picture.id) + ".png"))) {
            std::fprintf(stderr, "cannot write picture %d\n", picture.id);
            return 1;
        }
    }
    return 0;
}
