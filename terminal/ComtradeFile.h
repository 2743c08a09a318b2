#pragma once
// CComtradeFile: one COMTRADE record of a terminal (1999 layout): the ".CFG" parsed
// into channel, rate and time-stamp records, the ".DAT" mapped read-only and its
// samples converted into scaled floats (analog channels, then digital channels as
// 0.0 or 1.0), and the two values of the terminal's ".INF" side file.
// Lines may end in CR LF or LF alone; 0x1A padding after the text is ignored.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "terminal/MappedFile.h"

struct CComtradeAnalogChannel {
    std::string number;
    std::string id;
    std::string phase;
    std::string component;
    std::string unit;
    float a = 0.0f;
    float b = 0.0f;
    float skew = 0.0f;
    std::int32_t min = 0;
    std::int32_t max = 0;
    float primary = 0.0f;
    float secondary = 0.0f;
    char primarySecondary = 0;  // 'P' or 'S'; 0 when the field is empty
};

struct CComtradeDigitalChannel {
    std::string number;
    std::string id;
    std::string phase;
    std::string component;
    std::int32_t normalState = 0;
};

struct CComtradeSampleRate {
    float rate = 0.0f;
    std::int32_t lastSample = 0;
};

// A time stamp; the seconds keep their microseconds.
struct CComtradeTime {
    std::int32_t year = 0;
    std::int32_t month = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    double seconds = 0.0;
};

// Channel records in file order.
template <class Channel>
using CComtradeChannelList = std::vector<Channel>;

class CComtradeFile {
public:
    CComtradeFile() = default;
    ~CComtradeFile() { Close(); }
    CComtradeFile(const CComtradeFile&) = delete;
    CComtradeFile& operator=(const CComtradeFile&) = delete;

    // Parses base + ".CFG", maps base + ".DAT" and reads base + ".INF" (names found
    // without regard to case). 1, or 0 when the configuration is refused or the data
    // file cannot be opened; the side file is optional.
    int Open(const std::filesystem::path& base);
    // Reads the samples of the rate section whose rate equals `rate` into the
    // destination, (analog + digital) floats per sample. 0 when no section has the
    // rate, or its sample count is below 1 or above the capacity; otherwise 1, and
    // *samplesRead (when given) tells how many samples the data file held. Samples
    // beyond those are left untouched.
    int ReadSamples(float rate, float* destination, std::uint64_t capacity, std::uint64_t* samplesRead = nullptr);
    // The same in chunks: BeginSamples finds the section (false as ReadSamples fails,
    // capacity aside) and gives its sample count; each ReadMore reads up to `count`
    // further samples and returns how many it read, 0 once the section or the data
    // ends (a malformed ASCII line ends it too).
    bool BeginSamples(float rate, std::uint64_t* count);
    std::uint64_t ReadMore(float* destination, std::uint64_t count);
    // As ReadMore, for the first outputs.size() analog channels alone (at most the
    // analog count): channel c's values go one after another to outputs[c], and the
    // other channels are passed over without being converted.
    std::uint64_t ReadAnalog(std::span<float* const> outputs, std::uint64_t count);
    void Close();
    // The two values of the ".INF" side file of a record (base path without
    // extension), each -1 when the file or its line is missing; without mapping or
    // parsing anything else of the record.
    static void ReadSideFile(const std::filesystem::path& base, std::int32_t* first, std::int32_t* second);

    const std::string& GetStationName() const { return m_StationName; }
    const std::string& GetDeviceId() const { return m_DeviceId; }
    std::int32_t GetRevisionYear() const { return m_RevisionYear; }
    std::int32_t GetTotalChannels() const { return m_TotalChannels; }
    std::int32_t GetAnalogCount() const { return m_AnalogCount; }
    std::int32_t GetDigitalCount() const { return m_DigitalCount; }
    const CComtradeChannelList<CComtradeAnalogChannel>& GetAnalogChannels() const { return m_Analog; }
    const CComtradeChannelList<CComtradeDigitalChannel>& GetDigitalChannels() const { return m_Digital; }
    float GetLineFrequency() const { return m_LineFrequency; }
    const std::vector<CComtradeSampleRate>& GetSampleRates() const { return m_Rates; }
    std::uint64_t GetTotalSamples() const { return m_TotalSamples; }
    const CComtradeTime& GetFirstSampleTime() const { return m_FirstSample; }
    const CComtradeTime& GetTriggerTime() const { return m_Trigger; }
    const std::string& GetFileType() const { return m_FileType; }
    float GetTimeMultiplier() const { return m_TimeMultiplier; }
    std::int32_t GetInfFirst() const { return m_InfFirst; }
    std::int32_t GetInfSecond() const { return m_InfSecond; }
    bool IsBinary() const { return m_FileType != "ASCII" && m_FileType != "ascii"; }
    // Bytes of the mapped data file.
    std::uint64_t GetDataSize() const { return m_Dat.Size(); }
    // The most samples the data file can hold: exact for BINARY (whole records), an
    // upper bound for ASCII (the shortest possible lines).
    std::uint64_t GetSamplesInData() const;
    // Whether the data file cannot hold the samples the configuration declares for
    // the first rate section, the one that is shown (for ASCII only when it cannot
    // hold them even as the shortest lines).
    bool IsIncomplete() const;

private:
    std::size_t Width() const { return static_cast<std::size_t>(m_AnalogCount) + static_cast<std::size_t>(m_DigitalCount); }
    void ResetConfiguration();
    bool ParseConfiguration(const std::string& text);
    // Bytes of one sample of a BINARY data file: number, time stamp, analog values and
    // the digital channels in 16-bit words.
    std::uint64_t BinaryRecordBytes() const;
    std::uint64_t ReadBinary(std::uint64_t count, float* destination);
    std::uint64_t ReadBinaryAnalog(std::span<float* const> outputs, std::uint64_t count);
    std::uint64_t ReadAscii(std::uint64_t count, float* destination);

    std::string m_StationName = "NONE";
    std::string m_DeviceId = "NONE";
    std::int32_t m_RevisionYear = 1999;
    std::int32_t m_TotalChannels = 0;
    std::int32_t m_AnalogCount = 0;
    std::int32_t m_DigitalCount = 0;
    CComtradeChannelList<CComtradeAnalogChannel> m_Analog;
    CComtradeChannelList<CComtradeDigitalChannel> m_Digital;
    float m_LineFrequency = 50.0f;
    std::vector<CComtradeSampleRate> m_Rates;
    std::uint64_t m_TotalSamples = 0;
    CComtradeTime m_FirstSample;
    CComtradeTime m_Trigger;
    std::string m_FileType = "ASCII";
    float m_TimeMultiplier = 1.0f;
    std::int32_t m_InfFirst = -1;
    std::int32_t m_InfSecond = -1;

    CMappedFile m_Dat;
    const std::uint8_t* m_View = nullptr;
    // The current read position: samples left in the section, the next sample
    // (BINARY) or the next byte (ASCII).
    std::uint64_t m_SectionLeft = 0;
    std::uint64_t m_NextSample = 0;
    std::uint64_t m_NextByte = 0;
    std::vector<float> m_A;
    std::vector<float> m_B;
    std::vector<float> m_Lines;  // ASCII samples of every channel on their way to ReadAnalog's outputs
};
