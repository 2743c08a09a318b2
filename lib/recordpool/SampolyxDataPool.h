#pragma once
// The data pool: one raw waveform record, its analysis and the data sets it produced.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "lib/recordpool/DataSet.h"
#include "lib/recordpool/RecordFile.h"
#include "lib/recordpool/RecordFiles.h"
#include "lib/recordpool/Sampolyx.h"
#include "lib/recordpool/StatisticEngine.h"

namespace sampolyx {

class CSampolyxDataPool : public ISampolyxDataPool {
public:
    CSampolyxDataPool();
    ~CSampolyxDataPool() override;
    CSampolyxDataPool(const CSampolyxDataPool&) = delete;
    CSampolyxDataPool& operator=(const CSampolyxDataPool&) = delete;

    int GetSampleRate() override;
    std::int64_t GetStartTime() override;
    IDataSetManager* GetDataSet(int channel) override;
    IDataSetManager* FindDataSet(int kind, int index, int subIndex) override;
    int GetDataSetCount(int kind, int index) override;
    int GetRecordCount() override;
    int GetPointsPer200ms() override;
    double GetNominalFrequency() override;
    bool GetConfigBlock(unsigned char* destination) override;
    int GetIntervalCount() override;
    bool Analyse(const std::wstring& folder) override;
    bool Open(const std::wstring& folder) override;
    bool Close() override;
    int SetOption(int id, int value, int unused) override;
    void SetCallback(IAnalysisProgressSink* sink) override;
    void Release() override;
    int GetConfigGrade() override { return m_configGrade; }

    // The header's channel count; -1 without a record.
    int GetChannelCount();
    // Why the last Open or Analyse failed; None after a success.
    RecordError GetLastError() const { return m_lastError; }

private:
    struct LoadedRecord {
        std::shared_ptr<CRecordFile> file;
        RecordLayout layout;
    };
    // Finds the pair, reads the configuration and the header and checks them; on
    // success the header and configuration are the pool's.
    RecordError Load(const std::wstring& folder, LoadedRecord& record);
    bool Fail(RecordError error);
    bool RunAnalysis(const LoadedRecord& record);
    void Report(int code, std::uint64_t data);

    std::unique_ptr<CStatisticEngine> m_engine;
    std::unique_ptr<RecordHeader> m_header;
    std::unique_ptr<ConfigBlock> m_config;
    int m_option1002 = 20;
    int m_option1003 = 1;
    int m_option1001 = 50;
    IAnalysisProgressSink* m_sink = nullptr;
    int m_intervalCount = 0;
    std::wstring m_baseName;
    DataSetMap m_dataSets;
    RecordError m_lastError = RecordError::None;
    int m_configGrade = kSampolyxConfigNotRead;
};

}  // namespace sampolyx
