#pragma once
// Runs the computation library over a record, one 200 ms interval after another, and
// turns each interval's results into the series of the data sets. One computation
// context lives for the whole record, so RMS carry-over, the flicker meter's settling
// and its one-minute periods, and the running sums continue across the chunks the
// record is read in. The context outlives the record: the process keeps it for the
// next analysis, which resets it rather than building one (see CAnalysisContext).

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "lib/compute/zv.h"
#include "lib/recordpool/DataSet.h"
#include "lib/recordpool/RecordFiles.h"

namespace sampolyx {

class CStatisticEngine {
public:
    CStatisticEngine();
    ~CStatisticEngine();
    CStatisticEngine(const CStatisticEngine&) = delete;
    CStatisticEngine& operator=(const CStatisticEngine&) = delete;

    // Builds the computation context for a record whose header has been checked; false
    // when the computation library refuses it. Only one record is analysed at a time
    // in a process (the library keeps one wiring configuration), so this waits for any
    // other analysis to end.
    bool Begin(const RecordHeader& header, const RecordLayout& layout, const ConfigBlock& config);
    // Analyses whole frames (samples left over from the last interval wait for the next
    // call) and returns how many intervals it completed.
    std::int32_t Feed(const unsigned char* frames, std::uint64_t frameCount);
    // Appends the series of the intervals fed since the last flush to the data sets, as
    // one chunk each.
    void Flush(DataSetMap& sets);
    // Frees the computation context.
    void End();

    // Kinds of the per-order series hold at most this many sub-indexes.
    static constexpr int kMaxSubIndex = 51;

    class CAnalysisContext;

private:
    std::vector<float>& Series(int kind, int index, int subIndex);
    // Copies `count` samples of a channel from the frames, starting at sample `first`.
    void CopyFromFrames(const unsigned char* frames, std::size_t channel, std::uint64_t first, std::size_t count,
                        std::int16_t* out) const;
    void Collect(const item_record& item, bool flickerClosed);
    void CollectVoltagesAndCurrents(const item_record& item);
    void CollectPower(const item_record& item);
    void CollectHarmonics(const item_record& item);
    void CollectHarmonic(const harmonic_record& record, int phase, bool voltage);

    std::unique_lock<std::mutex> m_analysis;  // held from Begin to End
    CAnalysisContext* m_kept = nullptr;        // the process's, from Begin to End
    device_context* m_context = nullptr;       // the kept one's
    bool m_built = false;
    RecordHeader m_header;
    RecordLayout m_layout;
    // Samples of each channel that did not fill an interval yet (fewer than one interval).
    std::array<std::vector<std::int16_t>, kRecordChannels> m_pending;
    std::vector<std::int16_t> m_voltage;
    std::vector<std::int16_t> m_current;
    int m_countdown = 300;
    // Running sums from the record's start: RMS of voltages and currents per phase,
    // and active, reactive and apparent energy per phase and total.
    std::array<std::array<double, 4>, 2> m_rmsSum{};
    std::array<std::array<std::int64_t, 4>, 2> m_rmsCount{};
    std::array<std::array<double, 3>, 4> m_energy{};
};

}  // namespace sampolyx
