#include "terminal/K7700ComtradeAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/MemoryStatus.h"
#include "terminal/ComtradeFile.h"
#include "terminal/TerminalTexts.h"
#include "terminal/ZVDataManager.h"

namespace {

constexpr float kNoValueFloat = static_cast<float>(kNoValue);

// The record's base path: a path naming an existing file loses its extension.
std::filesystem::path BasePath(std::wstring path)
{
    std::replace(path.begin(), path.end(), L'\\', L'/');
    std::filesystem::path base = platform::ToPath(path);
    if (base.has_filename()) {
        const std::filesystem::path folder = base.has_parent_path() ? base.parent_path() : ".";
        const auto found = platform::FindNoCase(folder, platform::FromPath(base.filename()));
        std::error_code error;
        if (found && std::filesystem::is_regular_file(*found, error)) {
            const std::wstring name = platform::FromPath(found->filename());
            const std::size_t dot = name.rfind(L'.');
            return folder / platform::ToPath(dot == std::wstring::npos ? name : name.substr(0, dot));
        }
    }
    return base;
}

std::wstring TimeText(const CComtradeTime& time)
{
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%06.3f", time.year, time.month, time.day, time.hour,
                  time.minute, time.seconds);
    return platform::Utf8ToWide(buffer);
}

float UnitFactor(const std::string& unit)
{
    const std::wstring wide = platform::Utf8ToWide(unit);
    const auto is = [&](const wchar_t* name) { return platform::NamesEqualNoCase(wide, name); };
    if (is(L"mV") || is(L"mA")) {
        return 0.001f;
    }
    if (is(L"KV") || is(L"KA")) {
        return 1000.0f;
    }
    return 1.0f;
}

}  // namespace

int CK7700ComtradeAnalysis::LoadFile(std::wstring path, std::uint32_t)
{
    if (m_Loaded && path == m_Path) {
        return 1;
    }
    ReleaseFile();
    m_Path = path;
    m_Failure = ComtradeLoadFailure::None;
    try {
        CComtradeFile file;
        if (file.Open(BasePath(path)) == 0) {
            m_Failure = ComtradeLoadFailure::Unreadable;
            file.Close();
            return 0;
        }
        if (ReadComtradeData(file) == 0) {
            ReleaseFile();
            return 0;
        }
        m_Loaded = true;
        m_FirstSampleText = TimeText(file.GetFirstSampleTime());
        m_TriggerText = TimeText(file.GetTriggerTime());
        m_SampleInterval = 1.0 / static_cast<double>(file.GetSampleRates().front().rate);
        m_InfFirst = file.GetInfFirst();
        m_InfSecond = file.GetInfSecond();
        file.Close();
        return 1;
    } catch (...) {
        TerminalLog(L"an exception occurs in CK7700ComtradeAnalysis::LoadFile");
        ReleaseFile();
        m_Failure = ComtradeLoadFailure::Exception;
        return 0;
    }
}

int CK7700ComtradeAnalysis::Refuse(ComtradeLoadFailure failure, const std::wstring& why)
{
    m_Failure = failure;
    TerminalLog(L"CK7700ComtradeAnalysis::LoadFile " + m_Path + L": " + why);
    return 0;
}

std::uint64_t CK7700ComtradeAnalysis::MemoryLimit() const
{
    if (m_MemoryLimit != 0) {
        return m_MemoryLimit;
    }
    const platform::MemoryStatus status = platform::GetMemoryStatus();
    return status.availablePhysical != 0 ? status.availablePhysical / 2 : UINT64_MAX;
}

int CK7700ComtradeAnalysis::ReadComtradeData(CComtradeFile& file)
{
    try {
        const auto& rates = file.GetSampleRates();
        if (rates.empty() || !(rates.front().rate > 0.0f) || !std::isfinite(rates.front().rate) ||
            rates.front().lastSample < 1) {
            return Refuse(ComtradeLoadFailure::NoSampleSection, L"no sampling rate with samples");
        }
        const float rate = rates.front().rate;
        const auto count = static_cast<std::uint64_t>(rates.front().lastSample);
        const auto analog = static_cast<std::uint64_t>(file.GetAnalogCount());
        const auto perSample = analog + static_cast<std::uint64_t>(file.GetDigitalCount());
        if (analog < kRequiredAnalog) {
            return Refuse(ComtradeLoadFailure::TooFewChannels,
                          std::to_wstring(analog) + L" analog channels, 8 needed");
        }
        if (file.GetSamplesInData() == 0) {
            return Refuse(ComtradeLoadFailure::EmptyData, L"the data file holds no sample");
        }
        const double lineFrequency = file.GetLineFrequency() > 0.0f && std::isfinite(file.GetLineFrequency())
                                         ? file.GetLineFrequency()
                                         : 50.0;
        const double perCycle = std::round(static_cast<double>(rate) / lineFrequency);
        m_SamplesPerCycle = perCycle >= 1.0 && perCycle < 4294967295.0 ? static_cast<std::uint32_t>(perCycle) : 1;
        // The eight phase arrays and their RMS values; samples are read in chunks.
        const std::uint64_t needed = count * 2 * kPhases * sizeof(float) +
                                     count / m_SamplesPerCycle * 2 * kPhases * sizeof(float);
        const std::uint64_t limit = MemoryLimit();
        if (needed > limit) {
            return Refuse(ComtradeLoadFailure::TooLargeForMemory,
                          L"the record needs " + std::to_wstring(needed >> 20) + L" MiB, " +
                              std::to_wstring(limit >> 20) + L" MiB may be used");
        }
        std::uint64_t sectionCount = 0;
        if (!file.BeginSamples(rate, &sectionCount)) {
            return Refuse(ComtradeLoadFailure::NoSampleSection, L"the samples cannot be read");
        }

        const auto& channels = file.GetAnalogChannels();
        std::array<float, kPhases> voltageFactor{};
        std::array<float, kPhases> currentFactor{};
        for (int k = 0; k < kPhases; ++k) {
            voltageFactor[k] = UnitFactor(channels[static_cast<std::size_t>(k)].unit);
            currentFactor[k] = UnitFactor(channels[static_cast<std::size_t>(k + kPhases)].unit);
            m_Voltage[k].resize(count);
            m_Current[k].resize(count);
        }
        // RMS values are taken while a cycle's samples are still in the cache.
        const std::uint64_t cycles = count / m_SamplesPerCycle;
        for (int k = 0; k < kPhases; ++k) {
            m_VoltageRms[k].assign(cycles, kNoValueFloat);
            m_CurrentRms[k].assign(cycles, kNoValueFloat);
        }
        const auto cycleRms = [this](const std::vector<float>& samples, std::uint64_t cycle) {
            double sum = 0.0;
            const float* in = samples.data() + cycle * m_SamplesPerCycle;
            for (std::uint32_t i = 0; i < m_SamplesPerCycle; ++i) {
                sum += static_cast<double>(in[i]) * in[i];
            }
            return static_cast<float>(std::sqrt(sum / m_SamplesPerCycle));
        };

        // Chunks of about 4096 samples of 24 channels, fewer for wider records.
        const std::uint64_t chunkSamples = std::max<std::uint64_t>(1, (4096 * 24) / perSample);
        std::vector<float> chunk(chunkSamples * perSample);
        std::uint64_t present = 0;
        std::uint64_t cyclesDone = 0;
        while (present < count) {
            const std::uint64_t got = file.ReadMore(chunk.data(), std::min(chunkSamples, count - present));
            if (got == 0) {
                break;
            }
            for (int k = 0; k < kPhases; ++k) {
                float* voltage = m_Voltage[k].data() + present;
                float* current = m_Current[k].data() + present;
                const float* in = chunk.data() + k;
                for (std::uint64_t i = 0; i < got; ++i, in += perSample) {
                    voltage[i] = in[0] * voltageFactor[k];
                    current[i] = in[kPhases] * currentFactor[k];
                }
            }
            present += got;
            for (; cyclesDone < cycles && (cyclesDone + 1) * m_SamplesPerCycle <= present; ++cyclesDone) {
                for (int k = 0; k < kPhases; ++k) {
                    m_VoltageRms[k][cyclesDone] = cycleRms(m_Voltage[k], cyclesDone);
                    m_CurrentRms[k][cyclesDone] = cycleRms(m_Current[k], cyclesDone);
                }
            }
        }
        m_SamplesPresent = present;
        if (present < count) {
            TerminalLog(L"CK7700ComtradeAnalysis::ReadComtradeData " + m_Path + L" is truncated: " +
                        std::to_wstring(present) + L" of " + std::to_wstring(count) + L" samples");
            for (int k = 0; k < kPhases; ++k) {
                std::fill(m_Voltage[k].begin() + static_cast<std::ptrdiff_t>(present), m_Voltage[k].end(), kNoValueFloat);
                std::fill(m_Current[k].begin() + static_cast<std::ptrdiff_t>(present), m_Current[k].end(), kNoValueFloat);
            }
        }

        m_SampleCount = static_cast<std::uint32_t>(count);
        const double duration =
            (static_cast<double>(count) * 50.0 / static_cast<double>(rate) - EWL.load() - BWL.load()) * 1000.0 / 50.0;
        m_EventDuration = static_cast<std::int32_t>(std::clamp(duration, -2147483648.0, 2147483647.0));
        return 1;
    } catch (...) {
        TerminalLog(L"an exception occurs in CK7700ComtradeAnalysis::ReadComtradeData");
        m_Failure = ComtradeLoadFailure::Exception;
        return 0;
    }
}

int CK7700ComtradeAnalysis::ReleaseFile()
{
    m_EventDuration = 0;
    m_Path.clear();
    m_Loaded = false;
    m_SampleCount = 0;
    m_SamplesPresent = 0;
    for (int k = 0; k < kPhases; ++k) {
        m_Voltage[k] = {};
        m_Current[k] = {};
        m_VoltageRms[k] = {};
        m_CurrentRms[k] = {};
    }
    return 1;
}

int CK7700ComtradeAnalysis::GetBasicInfo(BasicInfo* info)
{
    if (!m_Loaded || info == nullptr) {
        return 0;
    }
    info->startText = m_FirstSampleText;
    info->secondText = m_TriggerText;
    info->value1 = m_InfSecond;
    info->value2 = m_InfFirst;
    info->interval = m_SampleInterval;
    info->value3 = m_EventDuration;
    return 1;
}

const std::vector<float>& CK7700ComtradeAnalysis::GetSeries(int kind) const
{
    static const std::vector<float> kNone;
    if (kind >= 1 && kind <= 4) {
        return m_Voltage[kind - 1];
    }
    if (kind >= 5 && kind <= 8) {
        return m_VoltageRms[kind - 5];
    }
    if (kind >= 9 && kind <= 12) {
        return m_Current[kind - 9];
    }
    if (kind >= 13 && kind <= 16) {
        return m_CurrentRms[kind - 13];
    }
    return kNone;
}

int CK7700ComtradeAnalysis::GetData(QueryWord, QueryWord, QueryWord, QueryWord, QueryWord w4, QueryWord w5)
{
    auto* sink = reinterpret_cast<IZVDataManager*>(w5);
    if (!m_Loaded || sink == nullptr || w4 < 1 || w4 > 16) {
        return 0;
    }
    for (float value : GetSeries(static_cast<int>(w4))) {
        sink->AddValue(value);
    }
    return 1;
}

int CK7700ComtradeAnalysis::GetItemData(std::vector<ItemRequest*>&)
{
    return 0;
}

int CK7700ComtradeAnalysis::SetQueryParams(const std::array<std::uint32_t, 10>&)
{
    return 1;
}

int CK7700ComtradeAnalysis::SetOption(std::uint32_t)
{
    return 1;
}
