#pragma once
// A banner 100 by 24 pixels with its two lower corners cut, filled with one colour,
// with a caption centred over it.

#include <array>
#include <cstdint>
#include <string>

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/ui/CustomControl.h"

class CPolyTitleTemplate : public ui::CustomControl {
public:
    CPolyTitleTemplate();

    // Colour values with red in the low byte; shown at the next paint.
    void SetFillColor(std::uint32_t color);
    void SetCaption(const std::wstring& caption, std::uint32_t textColor);

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    std::array<gfx::Point, 6> m_points;
    gfx::Color m_fill;
    gfx::Color m_textColor;
    std::wstring m_caption;
};
