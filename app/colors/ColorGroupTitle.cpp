#include "app/colors/ColorGroupTitle.h"

#include <array>

#include <wx/window.h>

#include "platform/gfx/Context.h"
#include "platform/ui/Dialog.h"

namespace {

// The banner: 100 by 24 pixels, the lower corners cut.
constexpr std::array<gfx::Point, 6> kBanner = {
    gfx::Point{0, 0}, {0, 21}, {3, 24}, {97, 24}, {100, 21}, {100, 0}};
constexpr double kBannerHeight = 24;

// Red 143, green 192, blue 233 and pure red, until the page sets its own.
constexpr std::uint32_t kDefaultFill = 143 | 192 << 8 | 233 << 16;
constexpr std::uint32_t kDefaultText = 255;

gfx::Font TitleFont() {
    gfx::Font font;
    font.face = L"仿宋体";
    font.height = 16;
    font.weight = 500;
    return font;
}

std::uint32_t ToColorRef(const wxColour& color) {
    return static_cast<std::uint32_t>(color.Red()) | static_cast<std::uint32_t>(color.Green()) << 8 |
           static_cast<std::uint32_t>(color.Blue()) << 16;
}

}  // namespace

CColorGroupTitle::CColorGroupTitle() : m_fill(kDefaultFill), m_textColor(kDefaultText) {}

CColorGroupTitle::~CColorGroupTitle() = default;

bool CColorGroupTitle::SubclassDlgItem(unsigned id, ui::Dialog* parent) {
    wxWindow* old = parent != nullptr ? parent->GetDlgItem(id) : nullptr;
    if (old == nullptr || IsWindow()) {
        return false;
    }
    m_background = ToColorRef(parent->GetWx()->GetBackgroundColour());
    // As large as the banner: the rest of the template's box stays the page's own.
    const wxRect box(old->GetPosition(), wxSize(static_cast<int>(kBanner[4].x), static_cast<int>(kBannerHeight)));
    if (!CreateChild(parent, id, old->IsShown() ? ui::kStyleVisible : 0, box) ||
        !parent->ReplaceDlgItem(id, GetWx())) {
        return false;
    }
    MoveWindow(box);
    SetPaintHandler([this](cairo_t* target, int width, int height) {
        gfx::Context context(target);
        context.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Brush(gfx::Color::FromColorRef(m_background)));
        context.SetPen(gfx::Pen::Null());
        context.SetBrush(gfx::Brush(gfx::Color::FromColorRef(m_fill)));
        context.Polygon(kBanner);
        if (m_caption.empty()) {
            return;
        }
        context.SetFont(TitleFont());
        context.SetTextColor(gfx::Color::FromColorRef(m_textColor));
        const gfx::Size extent = context.TextExtent(m_caption);
        // Centred over the banner, in whole pixels.
        const int x = static_cast<int>(kBanner[0].x) + static_cast<int>(kBanner[3].x - kBanner[0].x - extent.width) / 2;
        const int y = static_cast<int>(kBanner[0].y) + static_cast<int>(kBannerHeight - extent.height) / 2;
        context.TextOut(x, y, m_caption);
    });
    return true;
}

void CColorGroupTitle::SetCaption(const std::wstring& caption, std::uint32_t textColor) {
    m_caption = caption;
    m_textColor = textColor;
}
