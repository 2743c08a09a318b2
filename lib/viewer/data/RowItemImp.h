#pragma once
// IRowItemImp: a row kind, the way one signal of a row is drawn from a summary
// cache: as an analog curve, a bus of multi-bit values or a single bit. The view
// makes them; the host owns one until it hands it to a row, which then releases it
// when it is removed. The cache is borrowed: the host frees it after the kinds that
// draw from it are gone.

#include <cstdint>
#include <string>

#include "platform/gfx/Context.h"

class IBufferredDataManager;
class IRowItem;

class IRowItemImp {
protected:
    virtual ~IRowItemImp() = default;

public:
    virtual void Release() = 0;
    virtual void SetData(IBufferredDataManager* cache) = 0;
    // The value text at a sample position and where it lies: the analog kind gives
    // the pixel (x, y) of the value in the band it last drew, the bus and single-bit
    // kinds the run of that value (first sample, sample after its end). 0 when the
    // cache has no value there.
    virtual int GetValueAt(IRowItem* row, std::int64_t position, std::int64_t* first, std::int64_t* second,
                           std::wstring* text) = 0;
    // The scale labels beside the row's entry in the channel tree (analog only).
    virtual void DrawLabels(IRowItem* row, gfx::Context& dc, double left, double top, double right,
                            double bottom) = 0;
    // Draws the signal into the row's band for the samples first .. last shown
    // across it.
    virtual void DrawRow(IRowItem* row, gfx::Context& dc, const gfx::Rect& band, double first, double last) = 0;
};

namespace tracelume {

// Kind numbers of the view's factory.
inline constexpr int kRowKindBus = 1;
inline constexpr int kRowKindSingleBit = 2;
inline constexpr int kRowKindAnalog = 3;

}  // namespace tracelume

namespace tracelume {

// A new row kind of the given number; null for any other number.
IRowItemImp* CreateRowImp(int kind);

}  // namespace tracelume
