#pragma once
// CRowImpAnalog: a row kind that draws its samples as a curve across the band, the
// raw value 0 at the bottom and 2^bits - 1 at the top. Runs of one value are held
// as steps (or joined, by the style's draw mode); where many changes fall into one
// pixel column, the column shows a vertical bar from the minimum to the maximum of
// its samples. Samples without value break the curve. Values beyond the band are
// drawn at its edge.

#include <cstdint>

#include "lib/viewer/data/RowImpBase.h"
#include "lib/viewer/data/SampleAxis.h"

namespace tracelume {

class CRowImpAnalog final : public CRowImpBase {
public:
    int GetValueAt(IRowItem* row, std::int64_t position, std::int64_t* first, std::int64_t* second,
                   std::wstring* text) override;
    void DrawLabels(IRowItem* row, gfx::Context& dc, double left, double top, double right, double bottom) override;
    void DrawRow(IRowItem* row, gfx::Context& dc, const gfx::Rect& band, double first, double last) override;

private:
    // The vertical placement of the band last drawn.
    struct Vertical {
        double top = 0;
        double bottom = 0;
        int bits = 32;
        int Y(std::int64_t raw) const;
    };

    SampleAxis m_axis;
    Vertical m_vertical;
};

}  // namespace tracelume
