#pragma once
// CRowImpSingal: a row kind that draws the bits of the style's mask as one logic
// level (any set bit is 1): a line at the high or low level with an edge at each
// change and "1" or "0" written where there is room, or, in draw mode 3, the low
// stretches filled.

#include "lib/viewer/data/RowImpBase.h"

namespace tracelume {

class CRowImpSingal final : public CRowImpBase {
public:
    int GetValueAt(IRowItem* row, std::int64_t position, std::int64_t* first, std::int64_t* second,
                   std::wstring* text) override;
    void DrawRow(IRowItem* row, gfx::Context& dc, const gfx::Rect& band, double first, double last) override;

    static constexpr int kFillLowMode = 3;
};

}  // namespace tracelume
