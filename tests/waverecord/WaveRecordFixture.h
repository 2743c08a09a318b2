#pragma once
// Raw waveform records for the manager and adaptor tests, made by our generator, and
// a pool that watches what the manager does with the record-analysis pool: every
// data set it hands out is wrapped, so a test can tell which data set a result
// series reads and which step, averaging flag and mode it was given.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "lib/recordpool/Sampolyx.h"
#include "tests/support/TempDir.h"
#include "tools/gen/WaveRecord.h"
#include "waverecord/WaveAnalysisManager.h"

namespace wavetest {

class RecordingDataSet : public IDataSetManager {
public:
    explicit RecordingDataSet(IDataSetManager* inner) : m_inner(inner) {}
    ~RecordingDataSet() override = default;

    bool ReadBlock(std::int64_t position, float* out, int type) override
    {
        return m_inner->ReadBlock(position, out, type);
    }
    std::int64_t GetPointCount() override { return m_inner->GetPointCount(); }
    void SetStep(int value) override
    {
        step = value;
        m_inner->SetStep(value);
    }
    void SetFlag(int value) override
    {
        flag = value;
        m_inner->SetFlag(value);
    }
    void SetMode(int value) override
    {
        mode = value;
        m_inner->SetMode(value);
    }
    bool SetRange(std::int64_t* first, std::int64_t* last) override { return m_inner->SetRange(first, last); }
    bool GetRange(std::int64_t* start, std::int64_t* end) override { return m_inner->GetRange(start, end); }

    std::optional<int> step, flag, mode;

private:
    IDataSetManager* m_inner;
};

class RecordingPool : public ISampolyxDataPool {
public:
    explicit RecordingPool(ISampolyxDataPool* inner);
    ~RecordingPool() override;

    int GetSampleRate() override { return m_inner->GetSampleRate(); }
    std::int64_t GetStartTime() override { return m_inner->GetStartTime(); }
    IDataSetManager* GetDataSet(int channel) override { return Wrap(m_inner->GetDataSet(channel)); }
    IDataSetManager* FindDataSet(int kind, int index, int subIndex) override
    {
        return Wrap(m_inner->FindDataSet(kind, index, subIndex));
    }
    int GetDataSetCount(int kind, int index) override { return m_inner->GetDataSetCount(kind, index); }
    int GetRecordCount() override { return m_inner->GetRecordCount(); }
    int GetPointsPer200ms() override { return m_inner->GetPointsPer200ms(); }
    double GetNominalFrequency() override { return m_inner->GetNominalFrequency(); }
    bool GetConfigBlock(unsigned char* destination) override { return m_inner->GetConfigBlock(destination); }
    int GetConfigGrade() override { return m_inner->GetConfigGrade(); }
    int GetIntervalCount() override { return m_inner->GetIntervalCount(); }
    bool Analyse(const std::wstring& folder) override;
    bool Open(const std::wstring& folder) override { return m_inner->Open(folder); }
    bool Close() override;
    int SetOption(int id, int value, int unused) override { return m_inner->SetOption(id, value, unused); }
    void SetCallback(IAnalysisProgressSink* sink) override { m_inner->SetCallback(sink); }
    void Release() override { delete this; }

    // The wrapper of a data set of the inner pool; null when the pool has none.
    RecordingDataSet* Watched(int kind, int index, int subIndex);
    RecordingDataSet* WatchedChannel(int channel);

    // Pools alive in the process.
    static int Live() { return s_live; }
    // The pool made last, while it lives.
    static RecordingPool* Last() { return s_last; }
    // Analyse throws instead of analysing (once).
    static void ThrowOnNextAnalyse() { s_throw = true; }

private:
    RecordingDataSet* Wrap(IDataSetManager* inner);

    ISampolyxDataPool* m_inner;
    std::map<IDataSetManager*, std::unique_ptr<RecordingDataSet>> m_wrapped;
    static int s_live;
    static RecordingPool* s_last;
    static bool s_throw;
};

// Makes the manager build its pools as recording pools over Sampolyx, and a fresh
// manager, for the life of the object.
class RecordingPools {
public:
    RecordingPools();
    ~RecordingPools();
    RecordingPools(const RecordingPools&) = delete;
    RecordingPools& operator=(const RecordingPools&) = delete;
};

// A generated record in a temporary folder with the values its analysis must give.
struct GeneratedRecord {
    explicit GeneratedRecord(const gen::WaveRecordOptions& options);
    double Expected(const std::string& name) const;
    std::wstring Folder() const;

    testsupport::TempDir dir;
    gen::WaveRecordOptions options;
    std::map<std::string, double> expected;
};

// The short three-phase record of the tests: 2 s at 12,800 samples per second, ten
// 200 ms intervals.
gen::WaveRecordOptions ShortRecord(std::int32_t wiring = 50);

// Opens the record through the manager and registers every item of the window.
bool OpenAndDispatchAll(CWaveAnalysisManager& manager, const GeneratedRecord& record, IWaveViewHost* host = nullptr);

// Writes "WaveSystem.ini" in the program folder (or removes it for an empty text) and
// has the settings reader take it up.
void SetWaveSystemIni(const std::string& text);

// The lines of a CSV table as the export writes it (GBK), without line ends.
std::vector<std::wstring> CsvLines(const std::filesystem::path& file);

}  // namespace wavetest
