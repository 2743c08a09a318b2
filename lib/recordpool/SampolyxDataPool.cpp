#include "lib/recordpool/SampolyxDataPool.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <limits>
#include <vector>

#include "lib/recordpool/WaveformChunk.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"

namespace sampolyx {
namespace {

constexpr int kOptionSamplesPerCycle = 1004;
constexpr auto kReportEvery = std::chrono::milliseconds(1000);
constexpr std::uint64_t kReadBytes = 4 << 20;

}  // namespace

CSampolyxDataPool::CSampolyxDataPool()
{
    try {
        m_engine = std::make_unique<CStatisticEngine>();
    } catch (...) {
        // Operations that need the engine fail.
    }
}

CSampolyxDataPool::~CSampolyxDataPool() = default;

int CSampolyxDataPool::GetSampleRate()
{
    return m_engine && m_header ? static_cast<int>(m_header->sampleRate) : -1;
}

std::int64_t CSampolyxDataPool::GetStartTime()
{
    if (!m_engine || !m_header) {
        return -1;
    }
    const auto time = platform::FromLocalTime(m_header->year, m_header->month, m_header->day, m_header->hour,
                                              m_header->minute, m_header->second, -1);
    // The header's year is any 16-bit number; nanoseconds since 1970 only reach from
    // 1677 to 2262, and a time outside that is as unknown as a missing one.
    constexpr std::int64_t kNanoseconds = 1000000000LL;
    const std::int64_t milliseconds = std::int64_t(m_header->millisecond) * 1000000LL;
    if (!time || *time < std::numeric_limits<std::int64_t>::min() / kNanoseconds ||
        *time > (std::numeric_limits<std::int64_t>::max() - milliseconds) / kNanoseconds) {
        return -1;
    }
    return static_cast<std::int64_t>(*time) * kNanoseconds + milliseconds;
}

int CSampolyxDataPool::GetChannelCount()
{
    return m_header ? static_cast<int>(m_header->channelCount) : -1;
}

IDataSetManager* CSampolyxDataPool::GetDataSet(int channel)
{
    const int channels = GetChannelCount();
    if (!m_engine || channel < 0 || channel >= channels) {
        return nullptr;
    }
    const int half = channels / 2;
    return channel < half ? FindDataSet(0, channel, 4) : FindDataSet(1, channel - half, 4);
}

IDataSetManager* CSampolyxDataPool::FindDataSet(int kind, int index, int subIndex)
{
    try {
        const auto byKind = m_dataSets.find(kind);
        if (byKind == m_dataSets.end()) {
            return nullptr;
        }
        const auto byIndex = byKind->second.find(index);
        if (byIndex == byKind->second.end()) {
            return nullptr;
        }
        const auto set = byIndex->second.find(subIndex);
        return set == byIndex->second.end() ? nullptr : set->second.Manager();
    } catch (...) {
        return nullptr;
    }
}

int CSampolyxDataPool::GetDataSetCount(int kind, int index)
{
    const auto byKind = m_dataSets.find(kind);
    if (byKind == m_dataSets.end()) {
        return 0;
    }
    const auto byIndex = byKind->second.find(index);
    return byIndex == byKind->second.end() ? 0 : static_cast<int>(byIndex->second.size());
}

int CSampolyxDataPool::GetRecordCount()
{
    if (!m_header || m_header->nominalFrequency == 0) {
        return 0;
    }
    return static_cast<int>(std::uint64_t(m_header->cyclesPerFrame) * m_header->sampleRate /
                            m_header->nominalFrequency);
}

int CSampolyxDataPool::GetPointsPer200ms()
{
    if (!m_header || m_header->nominalFrequency == 0) {
        return 0;
    }
    const auto cycles = static_cast<std::uint64_t>(m_header->nominalFrequency * 0.2 + 0.5);
    return static_cast<int>(cycles * m_header->sampleRate / m_header->nominalFrequency);
}

double CSampolyxDataPool::GetNominalFrequency()
{
    return m_header ? static_cast<double>(m_header->nominalFrequency) : 0.0;
}

bool CSampolyxDataPool::GetConfigBlock(unsigned char* destination)
{
    if (!m_config || !destination) {
        return false;
    }
    std::memcpy(destination, m_config->data(), m_config->size());
    return true;
}

int CSampolyxDataPool::GetIntervalCount()
{
    return m_intervalCount;
}

bool CSampolyxDataPool::Fail(RecordError error)
{
    // A failed open leaves no record behind: the getters answer as after Close.
    m_lastError = error;
    m_header.reset();
    m_config.reset();
    m_baseName.clear();
    return false;
}

RecordError CSampolyxDataPool::Load(const std::wstring& folder, LoadedRecord& record)
{
    const std::filesystem::path path = platform::ToPath(folder);
    const auto base = FindRecordPair(path);
    if (!base) {
        return RecordError::NoPair;
    }
    auto config = std::make_unique<ConfigBlock>();
    m_configGrade = kSampolyxConfigNotRead;
    if (!ReadConfig(path / platform::ToPath(*base + ".cfg"), *config)) {
        return RecordError::BadConfig;
    }
    switch (GradeConfig(*config)) {
    case ConfigGrade::Damaged:
        m_configGrade = kSampolyxConfigDamaged;
        return RecordError::DamagedConfig;
    case ConfigGrade::Unusual:
        m_configGrade = kSampolyxConfigUnusual;
        break;
    case ConfigGrade::Sound:
        m_configGrade = kSampolyxConfigSound;
        break;
    }
    record.file = CRecordFile::Open(path / platform::ToPath(*base + ".data"));
    if (!record.file) {
        return RecordError::NoDataFile;
    }
    unsigned char bytes[kHeaderSize];
    if (!record.file->ReadAt(0, bytes, sizeof bytes)) {
        return RecordError::ShortHeader;
    }
    auto header = std::make_unique<RecordHeader>(ParseHeader(bytes));
    const RecordError error = CheckHeader(*header, record.file->Size(), record.layout);
    if (error != RecordError::None) {
        return error;
    }
    m_header = std::move(header);
    m_config = std::move(config);
    m_baseName = platform::Utf8ToWide(*base);
    return RecordError::None;
}

bool CSampolyxDataPool::Open(const std::wstring& folder)
{
    try {
        if (!m_engine) {
            return Fail(RecordError::Rejected);
        }
        LoadedRecord record;
        const RecordError error = Load(folder, record);
        if (error != RecordError::None) {
            return Fail(error);
        }
        m_lastError = RecordError::None;
        return true;
    } catch (...) {
        return Fail(RecordError::Rejected);
    }
}

bool CSampolyxDataPool::Analyse(const std::wstring& folder)
{
    try {
        if (!m_engine) {
            return Fail(RecordError::Rejected);
        }
        LoadedRecord record;
        const RecordError error = Load(folder, record);
        if (error != RecordError::None) {
            return Fail(error);
        }
        if (!RunAnalysis(record)) {
            return Fail(RecordError::Rejected);
        }
        m_lastError = RecordError::None;
        return true;
    } catch (...) {
        if (m_engine) {
            m_engine->End();
        }
        return Fail(RecordError::Rejected);
    }
}

void CSampolyxDataPool::Report(int code, std::uint64_t data)
{
    if (m_sink) {
        m_sink->OnEvent(kSampolyxProgressEvent, code, static_cast<std::intptr_t>(data));
    }
}

bool CSampolyxDataPool::RunAnalysis(const LoadedRecord& record)
{
    const RecordHeader& header = *m_header;
    const RecordLayout& layout = record.layout;
    const std::uint64_t recordBytes = layout.frames * header.frameSize;
    const std::uint64_t chunkBytes = ChunkBytes(header, layout);
    const std::uint64_t chunkFrames = chunkBytes / header.frameSize;
    const std::uint64_t chunks = (recordBytes + chunkBytes - 1) / chunkBytes;

    m_intervalCount = 0;
    if (!m_engine->Begin(header, layout, *m_config)) {
        return false;
    }
    Report(kSampolyxProgressChunks, chunks);
    // A chunk is read a few MiB of whole frames at a time, so the buffer stays small;
    // its results join the data sets once the chunk is done.
    const std::uint64_t readFrames = std::clamp<std::uint64_t>(kReadBytes / header.frameSize, 1, chunkFrames);
    std::vector<unsigned char> buffer(std::min(readFrames * header.frameSize, recordBytes));
    std::uint64_t framesDone = 0;
    std::uint64_t chunksDone = 0;
    bool ended = false;
    auto lastReport = std::chrono::steady_clock::now();
    while (framesDone < layout.frames && !ended) {
        const std::uint64_t chunkEnd = std::min(framesDone + chunkFrames, layout.frames);
        while (framesDone < chunkEnd) {
            const std::uint64_t want = std::min(readFrames, chunkEnd - framesDone) * header.frameSize;
            const std::size_t got =
                record.file->ReadSome(header.dataOffset + framesDone * header.frameSize, buffer.data(), want);
            const std::uint64_t frames = got / header.frameSize;
            m_intervalCount += m_engine->Feed(buffer.data(), frames);
            framesDone += frames;
            if (got < want) {
                ended = true;  // the file ended early: keep what was whole
                break;
            }
        }
        m_engine->Flush(m_dataSets);
        ++chunksDone;
        const auto now = std::chrono::steady_clock::now();
        if (now - lastReport > kReportEvery && chunksDone < chunks) {
            Report(kSampolyxProgressDone, chunksDone);
            lastReport = now;
        }
    }
    m_engine->End();
    Report(kSampolyxProgressDone, chunks);

    // Waveforms of every sample of the analysed intervals, read from the file as they
    // are asked for. An interval may end inside a frame (frames of 16 cycles, intervals
    // of 10): its samples there are served all the same.
    WaveformLayout waveform;
    waveform.dataOffset = header.dataOffset;
    waveform.frameSize = header.frameSize;
    waveform.samplesPerFrame = layout.samplesPerFrame;
    waveform.samples = std::uint64_t(m_intervalCount) * layout.intervalPoints;
    const RecordConfig config = ParseConfig(*m_config);
    const std::uint32_t half = header.channelCount / 2;
    for (std::uint32_t channel = 0; channel < header.channelCount; ++channel) {
        const int kind = channel < half ? 0 : 1;
        const int index = static_cast<int>(channel < half ? channel : channel - half);
        m_dataSets[kind][index][4].Append(std::make_unique<CWaveformChunk>(record.file, waveform, config, channel));
    }
    return true;
}

bool CSampolyxDataPool::Close()
{
    m_header.reset();
    m_config.reset();
    m_baseName.clear();
    m_dataSets.clear();
    return true;
}

int CSampolyxDataPool::SetOption(int id, int value, int)
{
    switch (id) {
    case 1001:
        m_option1001 = value;
        return 1;
    case 1002:
        m_option1002 = value;
        return 1;
    case 1003:
        m_option1003 = value;
        return 1;
    case kOptionSamplesPerCycle:
        return m_header && m_header->nominalFrequency ? static_cast<int>(m_header->sampleRate / m_header->nominalFrequency)
                                                      : 0;
    default:
        return 1;
    }
}

void CSampolyxDataPool::SetCallback(IAnalysisProgressSink* sink)
{
    m_sink = sink;
}

void CSampolyxDataPool::Release()
{
    delete this;
}

}  // namespace sampolyx

extern "C" {

ISampolyxDataPool* Sampolyx_CreateDataPool()
{
    try {
        return new sampolyx::CSampolyxDataPool();
    } catch (...) {
        return nullptr;
    }
}

}  // extern "C"
