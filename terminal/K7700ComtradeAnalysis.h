#pragma once
// CK7700ComtradeAnalysis: the reader of one COMTRADE record of a K7700 terminal.
// Channels 1-4 are the voltages of phases 1-4, channels 5-8 the currents (their units
// say so); the record is read once into per-phase float arrays with one RMS value per
// cycle (the cycle length follows the record's sample rate and line frequency), and
// any of sixteen series is handed to a data manager. A ".DAT" that holds fewer
// samples than the ".CFG" declares gives a record of the samples it holds.

#include <array>
#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/base/BulkAllocator.h"
#include "terminal/DevFileAnalysis.h"

class CComtradeFile;

// Cycles before and after the event that a record holds besides the event itself
// ("EWL" and "BWL" of "recordset.ini"); set by the COMTRADE model, read by the reader.
inline std::atomic<int> EWL{10};
inline std::atomic<int> BWL{4};

// Why the last LoadFile refused a record, for the views to tell the user.
enum class ComtradeLoadFailure {
    None,
    Unreadable,          // files missing or the configuration refused
    NoSampleSection,     // no rate section, a rate of 0, or no sample
    TooFewChannels,      // fewer than eight analog channels
    NotVoltagesAndCurrents,  // channels 1-4 not in volts or channels 5-8 not in amperes
    EmptyData,           // the ".DAT" holds no sample
    TooLargeForMemory,   // the samples would not fit in the memory the machine has free
    Exception,
};

class CK7700ComtradeAnalysis : public IDevFileAnalysis {
public:
    static constexpr int kPhases = 4;
    static constexpr int kRequiredAnalog = 8;

    CK7700ComtradeAnalysis() = default;
    ~CK7700ComtradeAnalysis() override = default;

    // path: the ".CFG" file or the record's base path (without extension).
    int LoadFile(std::wstring path, std::uint32_t requireCache) override;
    int ReleaseFile() override;
    int GetBasicInfo(BasicInfo* info) override;
    // w4: the series (1-4 voltage, 5-8 voltage RMS, 9-12 current, 13-16 current RMS,
    // by phase); w5: the IZVDataManager that receives it through AddValue.
    int GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5) override;
    int GetItemData(std::vector<ItemRequest*>& requests) override;
    int SetQueryParams(const std::array<std::uint32_t, 10>& words) override;
    int SetOption(std::uint32_t value) override;

    // Bytes the arrays of a record may take; 0 (the default) follows the memory the
    // machine has available.
    void SetMemoryLimit(std::uint64_t bytes) { m_MemoryLimit = bytes; }
    ComtradeLoadFailure GetFailure() const { return m_Failure; }

    // The samples of the record as loaded: those the ".DAT" holds of what the ".CFG"
    // declares.
    std::uint32_t GetSampleCount() const { return m_SampleCount; }
    // Samples behind one RMS value: round(rate / line frequency). The RMS series hold
    // one value per this many samples; whoever lines them up with the waveform or
    // exports them uses this number.
    std::uint32_t GetSamplesPerRms() const { return m_SamplesPerRms; }
    std::span<const float> GetSeries(int kind) const;
    const std::wstring& GetFirstSampleText() const { return m_FirstSampleText; }
    const std::wstring& GetTriggerText() const { return m_TriggerText; }
    double GetSampleInterval() const { return m_SampleInterval; }
    std::int32_t GetEventDuration() const { return m_EventDuration; }

private:
    int ReadComtradeData(CComtradeFile& file);
    int Refuse(ComtradeLoadFailure failure, const std::wstring& why);
    std::uint64_t MemoryLimit() const;

    std::uint32_t m_SampleCount = 0;
    // Filled whole as the samples are decoded, so made without a zero-fill first.
    std::array<platform::BulkVector<float>, kPhases> m_Voltage;
    std::array<platform::BulkVector<float>, kPhases> m_Current;
    std::array<std::vector<float>, kPhases> m_VoltageRms;
    std::array<std::vector<float>, kPhases> m_CurrentRms;
    std::wstring m_Path;
    bool m_Loaded = false;
    std::wstring m_FirstSampleText;
    std::wstring m_TriggerText;
    std::int32_t m_InfFirst = -1;
    std::int32_t m_InfSecond = -1;
    double m_SampleInterval = 0.0;
    std::int32_t m_EventDuration = 0;

    std::uint32_t m_SamplesPerRms = 64;
    std::uint64_t m_MemoryLimit = 0;
    ComtradeLoadFailure m_Failure = ComtradeLoadFailure::None;
};
