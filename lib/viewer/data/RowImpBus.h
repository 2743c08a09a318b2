#pragma once
// CRowImpBus: a row kind that draws a multi-bit value as the familiar bus shape:
// one hexagon per run of a value with the value's text inside when there is room;
// 0 shows only the lower line, all ones only the upper line.

#include "lib/viewer/data/RowImpBase.h"

namespace tracelume {

class CRowImpBus final : public CRowImpBase {
public:
    int GetValueAt(IRowItem* row, std::int64_t position, std::int64_t* first, std::int64_t* second,
                   std::wstring* text) override;
    void DrawRow(IRowItem* row, gfx::Context& dc, const gfx::Rect& band, double first, double last) override;
};

}  // namespace tracelume
