#include "app/CustomColorSet.h"

#include <cmath>

namespace {

using State = ui::DockTheme::TabState;

constexpr gfx::Color kSelected{255, 252, 242};
constexpr gfx::Color kSelectedLower{255, 243, 207};
constexpr gfx::Color kHotTop{143, 192, 218};
constexpr gfx::Color kHotBottom{107, 164, 195};
constexpr gfx::Color kDisabled{221, 241, 255};
constexpr gfx::Color kNormalTop{113, 176, 211};
constexpr gfx::Color kNormalBottom{62, 118, 151};

constexpr gfx::Color kDarkText{0, 0, 0};
constexpr gfx::Color kLightText{255, 255, 255};
constexpr gfx::Color kDisabledText{120, 140, 160};

gfx::Brush Vertical(const gfx::Rect& rect, gfx::Color top, gfx::Color bottom) {
    return gfx::Brush::Linear({rect.left, rect.top}, {rect.left, rect.bottom}, top, bottom);
}

}  // namespace

const std::array<gfx::Color, 30>& CCustomColorSet::PatternRows() {
    static const std::array<gfx::Color, 30> rows{{
        {113, 176, 211}, {86, 163, 203}, {76, 158, 200}, {78, 157, 198}, {77, 155, 196}, {75, 154, 195},
        {75, 154, 195},  {74, 153, 194}, {73, 152, 193}, {72, 151, 192}, {71, 150, 191}, {71, 150, 191},
        {69, 149, 190},  {69, 148, 189}, {68, 147, 188}, {68, 147, 188}, {67, 146, 187}, {65, 145, 186},
        {65, 144, 185},  {63, 143, 184}, {63, 143, 184}, {62, 141, 182}, {60, 140, 181}, {60, 139, 180},
        {60, 139, 180},  {60, 139, 180}, {57, 137, 180}, {58, 136, 175}, {57, 135, 178}, {62, 118, 151},
    }};
    return rows;
}

void CCustomColorSet::FillTabArea(gfx::Context& context, const gfx::Rect& rect) const {
    const auto& rows = PatternRows();
    // The pattern repeats from the area's top edge, one colour per pixel row.
    const int first = static_cast<int>(std::floor(rect.top));
    const int last = static_cast<int>(std::ceil(rect.bottom));
    for (int y = first; y < last; ++y) {
        context.FillRect({rect.left, static_cast<double>(y), rect.right, static_cast<double>(y + 1)},
                         gfx::Brush(rows[static_cast<std::size_t>(y - first) % rows.size()]));
    }
}

gfx::Color CCustomColorSet::FillTab(gfx::Context& context, const gfx::Rect& rect, State state) const {
    switch (state) {
    case State::Selected: {
        context.FillRect(rect, gfx::Brush(kSelected));
        const gfx::Rect lower{rect.left, rect.top + rect.Height() / 2, rect.right, rect.bottom};
        context.FillRect(lower, Vertical(lower, kSelected, kSelectedLower));
        return kDarkText;
    }
    case State::Highlighted:
        context.FillRect(rect, Vertical(rect, kHotTop, kHotBottom));
        return kDarkText;
    case State::Disabled:
        context.FillRect(rect, gfx::Brush(kDisabled));
        return kDisabledText;
    case State::Normal:
        break;
    }
    context.FillRect(rect, Vertical(rect, kNormalTop, kNormalBottom));
    return kLightText;
}
