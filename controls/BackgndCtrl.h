#pragma once
// A plain coloured shape: a polygon in client pixels filled with one colour on the
// control's background. Without points it draws nothing but the background.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/gfx/Color.h"
#include "platform/gfx/Geometry.h"
#include "platform/ui/CustomControl.h"

class CBackgndCtrl : public ui::CustomControl {
public:
    CBackgndCtrl();

    // Copies the points; they replace the earlier ones.
    void SetEntries(std::span<const gfx::Point> points);
    // A colour value with red in the low byte; shown at the next paint.
    void SetFillColor(std::uint32_t color);

protected:
    void OnDraw(cairo_t* context, int width, int height) override;

private:
    gfx::Color m_fill;
    std::vector<gfx::Point> m_points;
};
