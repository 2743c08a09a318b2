#pragma once
// CBufferedDataManager: the summary cache of one channel. It reads the host's
// samples once and keeps a pyramid of block summaries (blocks of 100000, 10000,
// 1000 and 100 samples, aligned to absolute sample positions): per block the
// bitwise AND and OR of its words and the signed minimum and maximum of its samples
// that have a value. A block whose AND and OR agree on some bits is constant on
// them, so a search for the next change of those bits jumps over it; extremes over
// a long stretch come from a few blocks and at most 99 raw samples at each end.

#include <array>
#include <cstdint>
#include <vector>

#include "lib/viewer/data/BufferredDataManager.h"
#include "platform/base/BulkAllocator.h"

class ITracelumeCallback;

class CBufferedDataManager final : public IBufferredDataManager {
public:
    // One level of the pyramid. Entry 0 stands for no block (all values 0); entry
    // k >= 1 covers the samples end[k-1] .. end[k]-1, so end[k] = k x blockSize for
    // the full blocks; the last entry closes the level at the sample count and is
    // empty when the count is a multiple of the block size (AND all ones, OR 0,
    // minimum above maximum), so it never passes as constant. A block without any
    // sample that has a value keeps the empty minimum and maximum.
    // The arrays are written entry by entry as the samples are read, on memory that is
    // not cleared first and lies on large pages (tens of megabytes for 10^8 samples).
    struct Level {
        std::int64_t blockSize = 0;
        platform::BulkVector<std::int64_t> end;
        platform::BulkVector<std::uint64_t> bitsAnd;
        platform::BulkVector<std::uint64_t> bitsOr;
        platform::BulkVector<std::int64_t> min;
        platform::BulkVector<std::int64_t> max;
    };
    static constexpr std::array<std::int64_t, 4> kBlockSizes = {100000, 10000, 1000, 100};

    CBufferedDataManager() = default;
    CBufferedDataManager(const CBufferedDataManager&) = delete;
    CBufferedDataManager& operator=(const CBufferedDataManager&) = delete;

    void Release() override;
    void SetSource(ISimpleDataManager* source) override;
    void Build() override;
    std::int32_t Reserved4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) override;
    int FindNextChange(std::int64_t* position, std::int64_t* value, std::uint32_t maskLow,
                       std::uint32_t maskHigh) override;
    int FindPreviousChange(std::int64_t* position, std::int64_t* value, std::uint32_t maskLow,
                           std::uint32_t maskHigh) override;
    int GetMinMax(std::int64_t* from, std::int64_t to, std::int64_t* min, std::int64_t* max) override;

    // Receives the build's progress (borrowed; null for none).
    void SetCallback(ITracelumeCallback* callback) { m_callback = callback; }
    // Whether the summary stands for the current source.
    bool IsBuilt() const { return m_built; }
    // Samples summarised by the last build.
    std::int64_t GetCount() const { return m_count; }
    // The levels in the order of kBlockSizes; empty before a build.
    const Level& GetLevel(std::size_t index) const { return m_levels.at(index); }

private:
    ~CBufferedDataManager() override = default;

    bool Read(std::int64_t index, std::int64_t& word) const;
    int FindChange(std::int64_t* position, std::int64_t* value, std::uint64_t mask, bool forward) const;

    ITracelumeCallback* m_callback = nullptr;
    ISimpleDataManager* m_source = nullptr;
    std::array<Level, 4> m_levels;
    std::int64_t m_count = 0;
    bool m_built = false;
};
