#include "lib/recordpool/WaveformChunk.h"

#include <algorithm>

namespace sampolyx {
namespace {

constexpr float kRawScale = 0.00030517578125f;  // 5 / 16384

}  // namespace

CWaveformChunk::CWaveformChunk(std::shared_ptr<const CRecordFile> file, const WaveformLayout& layout,
                               const RecordConfig& config, std::uint32_t channel)
    : m_file(std::move(file))
    , m_layout(layout)
    , m_channel(channel)
    , m_ratio(channel < kRecordChannels / 2 ? config.voltageRatio : config.currentRatio)
    , m_neutralGain(config.voltageGain4)
    , m_subtractNeutral(channel + 1 < kRecordChannels / 2)
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

bool CWaveformChunk::Read(std::uint32_t channel, float gain, std::int64_t first, std::int64_t count, float* out,
                          bool subtract) const
{
    std::int16_t raw[kSpan];
    const std::uint64_t m = m_layout.samplesPerFrame;
    std::int64_t done = 0;
    while (done < count) {
        const std::uint64_t index = static_cast<std::uint64_t>(first + done);
        const std::uint64_t frame = index / m;
        const std::uint64_t inFrame = index % m;
        const std::int64_t run = std::min<std::int64_t>(count - done, static_cast<std::int64_t>(m - inFrame));
        const std::uint64_t offset =
            m_layout.dataOffset + frame * m_layout.frameSize + (channel * m + inFrame) * 2;
        unsigned char bytes[kSpan * 2];
        if (!m_file->ReadAt(offset, bytes, static_cast<std::size_t>(run) * 2)) {
            return false;
        }
        for (std::int64_t i = 0; i < run; ++i) {
            raw[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
        }
        float* target = out + done;
        for (std::int64_t i = 0; i < run; ++i) {
            const float value = float(raw[i]) * kRawScale * m_ratio * gain;
            target[i] = subtract ? target[i] - value : value;
        }
        done += run;
    }
    return true;
}

const float* CWaveformChunk::Values(std::int64_t first, std::int64_t count, float* scratch) const
{
    if (first < 0 || count < 0 || count > kSpan || first > Count() - count) {
        return nullptr;
    }
    if (!Read(m_channel, m_gain, first, count, scratch, false)) {
        return nullptr;
    }
    if (m_subtractNeutral && !Read(kRecordChannels / 2 - 1, m_neutralGain, first, count, scratch, true)) {
        return nullptr;
    }
    return scratch;
}

}  // namespace sampolyx
