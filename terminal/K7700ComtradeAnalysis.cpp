#include "terminal/K7700ComtradeAnalysis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwctype>
#include <filesystem>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/MemoryStatus.h"
#include "terminal/ComtradeFile.h"
#include "terminal/TerminalTexts.h"
#include "terminal/ZVDataManager.h"

namespace {

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

// 'V' for a voltage unit, 'A' for a current unit (either with any prefix, in any
// case: "V", "kV", "mA", "KA"), 0 for anything else.
char UnitKind(const std::string& unit)
{
    std::wstring text = platform::Utf8ToWide(unit);
    while (!text.empty() && std::iswspace(static_cast<wint_t>(text.back()))) {
        text.pop_back();
    }
    while (!text.empty() && std::iswspace(static_cast<wint_t>(text.front()))) {
        text.erase(text.begin());
    }
    if (text.empty()) {
        return 0;
    }
    const wchar_t last = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(text.back())));
    if (last != L'V' && last != L'A') {
        return 0;
    }
    const std::wstring prefix = text.substr(0, text.size() - 1);
    static const wchar_t* const kPrefixes[] = {L"", L"k", L"m", L"g", L"u", L"n", L"\u00B5", L"\u03BC"};
    for (const wchar_t* known : kPrefixes) {
        if (platform::NamesEqualNoCase(prefix, known)) {
            return last == L'V' ? 'V' : 'A';
        }
    }
    return 0;
}

// Values in a unit with a prefix to the unit itself. A factor of 1 changes nothing.
void ScaleInPlace(float* values, std::uint64_t count, float factor)
{
    if (factor != 1.0f) {
        for (std::uint64_t i = 0; i < count; ++i) {
            values[i] *= factor;
        }
    }
}

// The root mean square in double precision, over four running sums that the compiler
// keeps in vector registers.
float Rms(const float* values, std::uint32_t count)
{
    double sums[4] = {0.0, 0.0, 0.0, 0.0};
    std::uint32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        for (std::uint32_t j = 0; j < 4; ++j) {
            sums[j] += static_cast<double>(values[i + j]) * values[i + j];
        }
    }
    for (; i < count; ++i) {
        sums[0] += static_cast<double>(values[i]) * values[i];
    }
    return static_cast<float>(std::sqrt(((sums[0] + sums[1]) + (sums[2] + sums[3])) / count));
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
        const auto declared = static_cast<std::uint64_t>(rates.front().lastSample);
        const auto analog = static_cast<std::uint64_t>(file.GetAnalogCount());
        if (analog < kRequiredAnalog) {
            return Refuse(ComtradeLoadFailure::TooFewChannels,
                          std::to_wstring(analog) + L" analog channels, 8 needed");
        }
        const auto& channels = file.GetAnalogChannels();
        for (std::size_t k = 0; k < kRequiredAnalog; ++k) {
            const bool voltage = k < kPhases;
            if (UnitKind(channels[k].unit) != (voltage ? 'V' : 'A')) {
                return Refuse(ComtradeLoadFailure::NotVoltagesAndCurrents,
                              L"analog channel " + std::to_wstring(k + 1) + L" is in \"" +
                                  platform::Utf8ToWide(channels[k].unit) + L"\", not a " +
                                  (voltage ? L"voltage" : L"current") +
                                  L": channels 1-4 must be voltages and 5-8 currents");
            }
        }
        // The ".CFG" may promise more than the ".DAT" holds: nothing is made for samples
        // that cannot be there.
        const std::uint64_t count = std::min(declared, file.GetSamplesInData());
        if (count == 0) {
            return Refuse(ComtradeLoadFailure::EmptyData, L"the data file holds no sample");
        }
        const double lineFrequency = file.GetLineFrequency() > 0.0f && std::isfinite(file.GetLineFrequency())
                                         ? file.GetLineFrequency()
                                         : 50.0;
        const double perRms = std::round(static_cast<double>(rate) / lineFrequency);
        m_SamplesPerRms = perRms >= 1.0 && perRms < 4294967295.0 ? static_cast<std::uint32_t>(perRms) : 1;
        // The eight phase arrays and their RMS values; samples are read in chunks.
        const std::uint64_t needed = count * 2 * kPhases * sizeof(float) +
                                     count / m_SamplesPerRms * 2 * kPhases * sizeof(float);
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

        std::array<float, kPhases> voltageFactor{};
        std::array<float, kPhases> currentFactor{};
        for (int k = 0; k < kPhases; ++k) {
            voltageFactor[k] = UnitFactor(channels[static_cast<std::size_t>(k)].unit);
            currentFactor[k] = UnitFactor(channels[static_cast<std::size_t>(k + kPhases)].unit);
            m_Voltage[k].resize(count);
            m_Current[k].resize(count);
            m_VoltageRms[k].clear();
            m_CurrentRms[k].clear();
            m_VoltageRms[k].reserve(count / m_SamplesPerRms);
            m_CurrentRms[k].reserve(count / m_SamplesPerRms);
        }
        // Chunks of samples small enough that a cycle's values are still in the cache
        // when its RMS values are taken.
        constexpr std::uint64_t kChunkSamples = 16384;
        std::uint64_t present = 0;
        std::uint64_t cyclesDone = 0;
        while (present < count) {
            std::array<float*, kRequiredAnalog> outputs{};
            for (int k = 0; k < kPhases; ++k) {
                outputs[static_cast<std::size_t>(k)] = m_Voltage[k].data() + present;
                outputs[static_cast<std::size_t>(k + kPhases)] = m_Current[k].data() + present;
            }
            const std::uint64_t got = file.ReadAnalog(outputs, std::min(kChunkSamples, count - present));
            if (got == 0) {
                break;
            }
            for (int k = 0; k < kPhases; ++k) {
                ScaleInPlace(m_Voltage[k].data() + present, got, voltageFactor[k]);
                ScaleInPlace(m_Current[k].data() + present, got, currentFactor[k]);
            }
            present += got;
            for (; (cyclesDone + 1) * m_SamplesPerRms <= present; ++cyclesDone) {
                const std::uint64_t at = cyclesDone * m_SamplesPerRms;
                for (int k = 0; k < kPhases; ++k) {
                    m_VoltageRms[k].push_back(Rms(m_Voltage[k].data() + at, m_SamplesPerRms));
                    m_CurrentRms[k].push_back(Rms(m_Current[k].data() + at, m_SamplesPerRms));
                }
            }
        }
        if (present == 0) {
            return Refuse(ComtradeLoadFailure::EmptyData, L"the data file holds no readable sample");
        }
        if (present < declared) {
            TerminalLog(L"CK7700ComtradeAnalysis::ReadComtradeData " + m_Path + L": the data file holds " +
                        std::to_wstring(present) + L" of the " + std::to_wstring(declared) +
                        L" samples the configuration declares; the record is shown with " +
                        std::to_wstring(present));
            for (int k = 0; k < kPhases; ++k) {
                m_Voltage[k].resize(present);
                m_Voltage[k].shrink_to_fit();
                m_Current[k].resize(present);
                m_Current[k].shrink_to_fit();
            }
        }

        m_SampleCount = static_cast<std::uint32_t>(present);
        // The cycles of the record at its own line frequency, less those recorded
        // before and after the event. They are the span the configuration declares: a
        // data file cut short shortens what is shown, not the event it recorded.
        const double cycles = static_cast<double>(declared) * lineFrequency / static_cast<double>(rate);
        const double duration = (cycles - EWL.load() - BWL.load()) * 1000.0 / lineFrequency;
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

std::span<const float> CK7700ComtradeAnalysis::GetSeries(int kind) const
{
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
    return {};
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
