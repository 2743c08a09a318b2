#pragma once
// What the three row kinds share: the summary cache they draw from (borrowed), the
// run of one value around a sample, and the mask of a row's bit width.

#include <cstdint>

#include "lib/viewer/data/RowItemImp.h"

namespace tracelume {

class CRowImpBase : public IRowItemImp {
public:
    void Release() override { delete this; }
    void SetData(IBufferredDataManager* cache) override { m_cache = cache; }
    void DrawLabels(IRowItem*, gfx::Context&, double, double, double, double) override {}

protected:
    // The run of constant masked value around a sample: samples first .. end - 1.
    struct Run {
        std::int64_t first = 0;
        std::int64_t end = 0;
        std::int64_t value = 0;  // masked
    };
    // False for a negative position or where the cache has no sample.
    bool FindRun(std::int64_t position, std::uint64_t mask, Run& run) const;
    // All ones in the lowest `bits` bits (all 64 for 64 and more).
    static std::uint64_t BitWidthMask(int bits);

    IBufferredDataManager* m_cache = nullptr;
};

}  // namespace tracelume
