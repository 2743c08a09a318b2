#include "waverecord/ui/WaveCustomDockPaneTheme.h"

void CWaveCustomDockPaneTheme::FillTabArea(gfx::Context& context, const gfx::Rect& rect)
{
    context.FillRect(rect, gfx::Brush(Background()));
}

gfx::Color CWaveCustomDockPaneTheme::DrawTab(gfx::Context& context, const gfx::Rect& rect, TabState state)
{
    const gfx::Color fill = state == TabState::Selected      ? gfx::Color{255, 255, 255}
                            : state == TabState::Highlighted ? gfx::Color{214, 228, 240}
                                                             : Background();
    context.FillRect(rect, gfx::Brush(fill));
    return state == TabState::Disabled ? gfx::Color{150, 150, 150} : gfx::Color{0, 0, 0};
}

gfx::Font CWaveCustomDockPaneTheme::TabFont() const
{
    gfx::Font font;
    font.face = L"宋体";
    font.height = -12;
    return font;
}

ui::DockTheme::CaptionColours CWaveCustomDockPaneTheme::Caption(bool /*active*/) const
{
    if (m_captionButtons) {
        return {{144, 155, 220}, {42, 142, 116}, {255, 255, 255}};
    }
    return {{113, 176, 211}, {46, 95, 116}, {255, 255, 255}};
}

bool CWaveCustomDockPaneTheme::DrawCaption(gfx::Context& context, const gfx::Rect& rect, const std::wstring& title,
                                           bool active)
{
    const CaptionColours colours = Caption(active);
    // The gradient in narrow bands, left to right.
    const double width = rect.right - rect.left;
    constexpr int kBands = 32;
    for (int band = 0; band < kBands; ++band) {
        const double t = static_cast<double>(band) / (kBands - 1);
        const auto mix = [t](std::uint8_t a, std::uint8_t b) {
            return static_cast<std::uint8_t>(a + (static_cast<double>(b) - a) * t);
        };
        const gfx::Color colour{mix(colours.start.r, colours.end.r), mix(colours.start.g, colours.end.g),
                                mix(colours.start.b, colours.end.b)};
        const double left = rect.left + width * band / kBands;
        context.FillRect(gfx::Rect{left, rect.top, rect.left + width * (band + 1) / kBands + 1, rect.bottom},
                         gfx::Brush(colour));
    }
    context.SetFont(TabFont());
    context.SetTextColor(colours.text);
    gfx::Rect text = rect;
    context.DrawText(title, text, gfx::TextFormat::Center | gfx::TextFormat::VCenter | gfx::TextFormat::SingleLine);
    return true;
}
