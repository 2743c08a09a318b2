#include "waverecord/WaveSettings.h"

#include <cmath>
#include <limits>

#include "core/Ini.h"
#include "core/ProgramPaths.h"

namespace {

std::int64_t DefaultOf(WaveSetting which)
{
    switch (which) {
    case WaveSetting::Rms: return WaveAnalysisSettings::kDefaultRms;
    case WaveSetting::Harm: return WaveAnalysisSettings::kDefaultHarm;
    case WaveSetting::Pst: return WaveAnalysisSettings::kDefaultPst;
    }
    return 0;
}

}  // namespace

WaveSettingBounds WaveSettingBounds::For(std::int64_t intervals, double nominalFrequency)
{
    WaveSettingBounds bounds;
    const double cycles = nominalFrequency * 200.0 / 1000.0 + 0.5;
    // A frequency that is not a number or absurdly large has no usable interval.
    if (cycles >= 1.0 && cycles < 1e6) {
        bounds.cyclesPerInterval = static_cast<std::int64_t>(cycles);
    }
    const std::int64_t n = std::max<std::int64_t>(intervals, 0);
    if (bounds.cyclesPerInterval > 0) {
        bounds.harmMax = n;
        constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / 2;
        bounds.rmsMax = n > limit / bounds.cyclesPerInterval ? limit * 2 : 2 * n * bounds.cyclesPerInterval;
    }
    return bounds;
}

WaveSettingCheck WaveSettingBounds::Check(WaveSetting which, std::int64_t value) const
{
    std::int64_t low = 0, high = 0;
    switch (which) {
    case WaveSetting::Rms: low = rmsMin; high = rmsMax; break;
    case WaveSetting::Harm: low = harmMin; high = harmMax; break;
    case WaveSetting::Pst: low = pstMin; high = pstMax; break;
    }
    if (value < low) {
        return WaveSettingCheck::TooSmall;
    }
    return value > high ? WaveSettingCheck::TooLarge : WaveSettingCheck::Valid;
}

std::int64_t WaveSettingBounds::Correct(WaveSetting which, std::int64_t value) const
{
    return Check(which, value) == WaveSettingCheck::Valid ? value : DefaultOf(which);
}

CWaveSettings& CWaveSettings::Instance()
{
    static CWaveSettings instance(GetExeDirectory() + kFileName);
    return instance;
}

CWaveSettings::CWaveSettings(std::wstring path) : m_path(std::move(path)) {}

void CWaveSettings::LoadLocked()
{
    const CIni ini(m_path);
    m_stored.rms = ini.GetUInt(kSection, kRmsKey, WaveAnalysisSettings::kDefaultRms);
    m_stored.harm = ini.GetUInt(kSection, kHarmKey, WaveAnalysisSettings::kDefaultHarm);
    m_stored.pst = ini.GetUInt(kSection, kPstKey, WaveAnalysisSettings::kDefaultPst);
    m_loaded = true;
}

WaveAnalysisSettings CWaveSettings::Stored()
{
    const std::lock_guard lock(m_lock);
    if (!m_loaded) {
        LoadLocked();
    }
    return m_stored;
}

WaveAnalysisSettings CWaveSettings::Corrected(std::int64_t intervals, double nominalFrequency)
{
    const WaveSettingBounds bounds = WaveSettingBounds::For(intervals, nominalFrequency);
    WaveAnalysisSettings values = Stored();
    values.rms = bounds.Correct(WaveSetting::Rms, values.rms);
    values.harm = bounds.Correct(WaveSetting::Harm, values.harm);
    values.pst = bounds.Correct(WaveSetting::Pst, values.pst);
    return values;
}

void CWaveSettings::Reload()
{
    const std::lock_guard lock(m_lock);
    LoadLocked();
}

bool CWaveSettings::Write(std::optional<std::int64_t> rms, std::optional<std::int64_t> harm,
                          std::optional<std::int64_t> pst)
{
    const std::lock_guard lock(m_lock);
    if (!m_loaded) {
        LoadLocked();
    }
    CIni ini(m_path);
    bool written = true;
    const WaveSettingBounds lower;  // only the minimums: the maximums depend on the record
    const auto put = [&](WaveSetting which, const wchar_t* key, std::optional<std::int64_t> value,
                         std::int64_t& cached) {
        if (!value || lower.Check(which, *value) == WaveSettingCheck::TooSmall ||
            *value > std::numeric_limits<std::int32_t>::max()) {
            return;
        }
        if (ini.WriteInt(kSection, key, static_cast<std::int32_t>(*value)) != 0) {
            cached = *value;
        } else {
            written = false;
        }
    };
    put(WaveSetting::Rms, kRmsKey, rms, m_stored.rms);
    put(WaveSetting::Harm, kHarmKey, harm, m_stored.harm);
    put(WaveSetting::Pst, kPstKey, pst, m_stored.pst);
    return written;
}
