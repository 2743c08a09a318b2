#include "lib/recordpool/WaveformChunk.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <vector>

namespace sampolyx {

struct CWaveformChunk::Stretch {
    std::uint64_t chunk = 0;  // the id of the chunk whose values these are; 0 for none
    std::int64_t first = 0;
    std::int64_t count = 0;
    std::vector<float> values;
};

namespace {

constexpr float kRawScale = 0.00030517578125f;  // 5 / 16384

std::atomic<std::uint64_t> g_nextId{1};

}  // namespace

CWaveformChunk::CWaveformChunk(std::shared_ptr<const CRecordFile> file, const WaveformLayout& layout,
                               const RecordConfig& config, std::uint32_t channel)
    : m_file(std::move(file))
    , m_layout(layout)
    , m_channel(channel)
    , m_ratio(channel < kRecordChannels / 2 ? config.voltageRatio : config.currentRatio)
    , m_neutralGain(config.voltageGain4)
    , m_subtractNeutral(channel + 1 < kRecordChannels / 2)
    , m_id(g_nextId.fetch_add(1))
{
    const std::uint32_t half = kRecordChannels / 2;
    if (channel < half) {
        m_gain = channel == half - 1 ? config.voltageGain4 : config.voltageGain;
    } else {
        m_gain = channel == kRecordChannels - 1 ? config.currentGain4 : config.currentGain;
    }
}

std::int64_t CWaveformChunk::Count() const
{
    return static_cast<std::int64_t>(m_layout.samples);
}

bool CWaveformChunk::Read(std::uint32_t channel, float gain, std::uint64_t frame, std::uint64_t inFrame,
                          std::int64_t count, float* out, bool subtract) const
{
    const std::uint64_t m = m_layout.samplesPerFrame;
    const std::uint64_t offset = m_layout.dataOffset + frame * m_layout.frameSize + (channel * m + inFrame) * 2;
    unsigned char bytes[kStretch * 2];
    if (!m_file->ReadAt(offset, bytes, static_cast<std::size_t>(count) * 2)) {
        return false;
    }
    for (std::int64_t i = 0; i < count; ++i) {
        const auto raw = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        const float value = float(raw) * kRawScale * m_ratio * gain;
        out[i] = subtract ? out[i] - value : value;
    }
    return true;
}

const CWaveformChunk::Stretch* CWaveformChunk::Kept(std::int64_t index) const
{
    thread_local std::array<Stretch, kRecordChannels> t_stretches;
    Stretch& kept = t_stretches[m_channel % kRecordChannels];
    if (kept.chunk == m_id && index >= kept.first && index < kept.first + kept.count) {
        return &kept;
    }
    const std::uint64_t m = m_layout.samplesPerFrame;
    const std::uint64_t frame = static_cast<std::uint64_t>(index) / m;
    // Stretches start at whole multiples of their length within their frame.
    const std::uint64_t inFrame = static_cast<std::uint64_t>(index) % m / kStretch * kStretch;
    const auto count = static_cast<std::int64_t>(std::min<std::uint64_t>(kStretch, m - inFrame));
    kept.chunk = 0;
    kept.values.resize(static_cast<std::size_t>(kStretch));
    if (!Read(m_channel, m_gain, frame, inFrame, count, kept.values.data(), false) ||
        (m_subtractNeutral &&
         !Read(kRecordChannels / 2 - 1, m_neutralGain, frame, inFrame, count, kept.values.data(), true))) {
        return nullptr;
    }
    kept.chunk = m_id;
    kept.first = static_cast<std::int64_t>(frame * m + inFrame);
    kept.count = count;
    return &kept;
}

const float* CWaveformChunk::Values(std::int64_t first, std::int64_t count, float* scratch) const
{
    if (first < 0 || count < 0 || count > kSpan || first > Count() - count) {
        return nullptr;
    }
    std::int64_t done = 0;
    while (done < count) {
        const std::int64_t index = first + done;
        const Stretch* kept = Kept(index);
        if (!kept) {
            return nullptr;
        }
        const std::int64_t run = std::min(count - done, kept->first + kept->count - index);
        std::copy_n(kept->values.data() + (index - kept->first), run, scratch + done);
        done += run;
    }
    return scratch;
}

}  // namespace sampolyx
