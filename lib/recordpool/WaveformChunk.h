#pragma once
// The waveform of one channel served straight from the record's data file, scaled to
// physical units as it is read, so that a long record never needs a float copy in
// memory. Voltage phases have the fourth voltage channel subtracted.

#include <cstdint>
#include <memory>

#include "lib/recordpool/RecordFile.h"
#include "lib/recordpool/RecordFiles.h"
#include "lib/recordpool/SeriesChunk.h"

namespace sampolyx {

struct WaveformLayout {
    std::uint64_t dataOffset = 0;
    std::uint32_t frameSize = 0;
    std::uint32_t samplesPerFrame = 0;
    std::uint64_t samples = 0;  // samples served per channel, from the first; may end inside a frame
};

class CWaveformChunk : public CSeriesChunk {
public:
    // Channel `channel` (0-7) of the frames; channels 0-2 have channel 3 subtracted.
    CWaveformChunk(std::shared_ptr<const CRecordFile> file, const WaveformLayout& layout, const RecordConfig& config,
                   std::uint32_t channel);
    std::int64_t Count() const override;
    const float* Values(std::int64_t first, std::int64_t count, float* scratch) const override;

private:
    bool Read(std::uint32_t channel, float gain, std::int64_t first, std::int64_t count, float* out,
              bool subtract) const;

    std::shared_ptr<const CRecordFile> m_file;
    WaveformLayout m_layout;
    std::uint32_t m_channel;
    float m_ratio;
    float m_gain;
    float m_neutralGain;  // of the fourth voltage channel, for phases that subtract it
    bool m_subtractNeutral;
};

}  // namespace sampolyx
