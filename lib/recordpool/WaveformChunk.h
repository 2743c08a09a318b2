#pragma once
// The waveform of one channel served straight from the record's data file, scaled to
// physical units as it is read, so that a long record never needs a float copy in
// memory. Voltage phases have the fourth voltage channel subtracted.
//
// Readers walk a waveform a value at a time (the viewer's summaries, the value range
// of a channel), so each thread keeps the values of the stretch of a frame it read
// last, one per channel: the file is read once per stretch, not once per value, and
// readers on several threads never wait for each other.

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
    // Values of a frame read at once: at most this many, within one frame.
    static constexpr std::int64_t kStretch = 2 * kSpan;

    // Channel `channel` (0-7) of the frames; channels 0-2 have channel 3 subtracted.
    CWaveformChunk(std::shared_ptr<const CRecordFile> file, const WaveformLayout& layout, const RecordConfig& config,
                   std::uint32_t channel);
    std::int64_t Count() const override;
    const float* Values(std::int64_t first, std::int64_t count, float* scratch) const override;

private:
    struct Stretch;
    // The calling thread's stretch of this chunk holding value `index`, read when it
    // is not kept yet; null when the file cannot give it.
    const Stretch* Kept(std::int64_t index) const;
    bool Read(std::uint32_t channel, float gain, std::uint64_t frame, std::uint64_t inFrame, std::int64_t count,
              float* out, bool subtract) const;

    std::shared_ptr<const CRecordFile> m_file;
    WaveformLayout m_layout;
    std::uint32_t m_channel;
    float m_ratio;
    float m_gain;
    float m_neutralGain;  // of the fourth voltage channel, for phases that subtract it
    bool m_subtractNeutral;
    std::uint64_t m_id;  // never reused, so a thread's stretch is never taken for another chunk's
};

}  // namespace sampolyx
