#pragma once
// CWaveAnalysisManager: the one process-wide owner of the record-analysis pool of the
// waveform record that is open. It opens and analyses a record (progress through
// CWaveAnalysisCallBack), registers the results the window can show (Dispatch: one
// series descriptor per phase and statistic in a result record), hands views copies
// of them (GetResult) and answers the window's questions about the record.
//
// Without a record (no pool, a pool that could not be made, or a pool whose analysis
// failed) every getter gives its fixed "no record" answer: no division by the
// record's interval or cycle lengths ever happens then.
//
// Threads: the instance is made and destroyed under one lock. Opening, dispatching
// and re-analysing run on the window's workers while the user-interface thread waits
// on the busy indicator; the getters and GetResult run afterwards. Nothing else
// locks the pool or the results: the window never reads while a worker fills them.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "lib/recordpool/Sampolyx.h"
#include "waverecord/WaveAnalysisCallBack.h"
#include "waverecord/WaveItemTable.h"
#include "waverecord/WaveResultStore.h"
#include "waverecord/WaveSeriesDescriptor.h"
#include "waverecord/WaveViewHost.h"

// The window's progress while it registers items: `offset` is the percent reached
// before the current item, `share` the percent one item is worth.
struct WaveProgressBlock {
    double offset = 0.0;
    double share = 0.0;
};

class CWaveAnalysisManager {
public:
    static constexpr std::size_t kConfigBlockSize = 1196;
    static constexpr double kNoRate = 4294967296.0;
    // Item ids of the raw voltages and currents.
    static constexpr int kRawVoltages = 9997;
    static constexpr int kRawCurrents = 9998;

    using ResultMap = std::map<int, std::unique_ptr<CWaveResultStore>>;
    // Makes the pool of a new record; Sampolyx_CreateDataPool unless replaced.
    using PoolFactory = std::function<ISampolyxDataPool*()>;

    // The instance, made on first use; null only when it cannot be made.
    static CWaveAnalysisManager* GetInstance();
    // Destroys the instance; the next GetInstance makes a new one with a new pool.
    static void DestroyInstance();
    // The pool maker of instances made from now on (tests); null restores Sampolyx.
    static void SetPoolFactory(PoolFactory factory);
    // Whether the folder holds a raw waveform record that can be opened (the pair of
    // files, with data); asked of a pool of its own, so the open record is untouched.
    static bool HoldsRecord(const std::wstring& folder);

    ~CWaveAnalysisManager();
    CWaveAnalysisManager(const CWaveAnalysisManager&) = delete;
    CWaveAnalysisManager& operator=(const CWaveAnalysisManager&) = delete;

    // Opens and analyses a raw waveform record (a folder). Every result is cleared,
    // whatever the outcome. A failure of any kind, an exception included, is false,
    // and the manager is left without a pool.
    bool OpenRecord(const std::wstring& path);
    // What the last OpenRecord found in the record's configuration file (one of
    // kSampolyxConfig...), kept when the open failed.
    int GetConfigGrade() const { return m_configGrade; }
    // Opens the record without analysing it; false without a pool.
    bool OpenStatisticDir(const std::wstring& path);
    // Not owned; null for none.
    void SetProgressBlock(WaveProgressBlock* block) { m_progress = block; }
    // Clears every result; false when one of the maps was empty.
    bool ClearResults();
    // Clears the results that depend on the analysis windows, before a re-analysis.
    void ResetResults();
    // The analysis windows corrected for the open record (in memory only). True.
    bool ReadAnalysisSettings(int& rms, int& harm, int& pst);
    bool HasFixedResults() const { return !m_fixedResults.empty(); }
    // A record is open and analysed.
    bool HasRecord() const;

    // Nanoseconds since 1970 of the record's start; -1 without a record.
    std::int64_t GetStartTime() const;
    double GetSampleRate() const;
    // The waveform of a channel (voltages first, then currents).
    CWaveSeriesDescriptor GetDataSetSeries(int channel) const;
    double GetBlocksPerSecond() const;
    double GetFramesPerSecond() const;
    double GetHalfCyclesPerSecond() const;
    double GetNominalFrequency() const;
    int GetIntervalCount() const;
    double GetRmsWindowsPerSecond();
    double GetHarmWindowsPerSecond();
    double GetPstWindowsPerSecond();
    // Copies the record's configuration block (kConfigBlockSize bytes).
    bool GetConfigBlock(unsigned char* destination) const;
    // The phases of the record's wiring (bit 0 L1 .. bit 3 the fourth channel); 0
    // without a record.
    std::uint32_t GetPhaseMask() const;
    // The record's wiring code (byte 12 of the configuration block); -1 without one.
    std::int32_t GetWiringCode() const;

    // Sample positions (per channel from the record's start) to positions in the
    // series of 200 ms blocks, frames, half cycles (by the cycle length, or by the
    // block length) and minutes. Without a record the position is returned as it is
    // (and the remainder is 0).
    std::int64_t PointToBlock(std::int64_t t) const;
    std::int64_t PointToBlockRem(std::int64_t t, std::int64_t& remainder) const;
    std::int64_t PointToFrame(std::int64_t t) const;
    std::int64_t PointToFrameRem(std::int64_t t, std::int64_t& remainder) const;
    std::int64_t PointToHalfCycle(std::int64_t t) const;
    std::int64_t PointToHalfCycleRem(std::int64_t t, std::int64_t& remainder) const;
    std::int64_t PointToHalfCycleByBlock(std::int64_t t) const;
    std::int64_t PointToHalfCycleByBlockRem(std::int64_t t, std::int64_t& remainder) const;
    std::int64_t PointToMinute(std::int64_t t) const;
    std::int64_t PointToMinuteRem(std::int64_t t, std::int64_t& remainder) const;

    // Registers the results of one item (see WaveDispatchRows); the raw waveforms
    // also go to the host's viewer. Non-zero when something was registered.
    int Dispatch(int item, IWaveViewHost* host);
    // A copy of the item's result record under the current analysis windows; null
    // when there is none. The caller owns it.
    std::unique_ptr<CWaveResultStore> GetResult(int item);
    static WaveItemClass ClassifyItem(int item) { return ClassifyWaveItem(item); }

private:
    CWaveAnalysisManager();

    // Samples per 200 ms block, frame, cycle and half cycle by block; 0 without a record.
    std::int64_t PointsPerBlock() const;
    std::int64_t PointsPerFrame() const;
    std::int64_t PointsPerCycle() const;
    std::int64_t PointsPerHalfCycleByBlock() const;
    std::int64_t Divide(std::int64_t t, std::int64_t divisor, std::int64_t* remainder) const;
    std::optional<std::uint32_t> ReadWiringCode() const;
    double RatePer(double points) const;

    int StoreDataSet(ResultMap& map, int item, int phase, int step, IDataSetManager* set, int flag);
    int DispatchRaw(const WaveDispatchRow& row, IWaveViewHost* host);
    void DispatchFixed(const WaveDispatchRow& row);
    int DispatchStatistics(const WaveDispatchRow& row, ResultMap& map, int step, int harm);
    void ReleasePool();

    ISampolyxDataPool* m_pool = nullptr;
    int m_configGrade = kSampolyxConfigNotRead;
    WaveProgressBlock* m_progress = nullptr;
    ResultMap m_fixedResults;
    std::map<int, ResultMap> m_rmsResults;
    std::map<int, ResultMap> m_harmResults;
    std::unique_ptr<CWaveAnalysisCallBack> m_callback;

    static std::mutex s_lock;
    static CWaveAnalysisManager* s_instance;
    static PoolFactory s_poolFactory;
};
