#pragma once
// CWaveK7700StatisticAnalysis: the statistic reader the reporters use over the
// waveform record that is open and analysed. It keeps nothing of its own: every
// answer is read from the analysis manager's results when it is asked for, over the
// stretch of the record selected in the raw-waveform pane (the whole record while
// nothing is selected).
//
// Queries name a report item, a phase (0-3, anything else the whole system), a
// statistic (0 maximum, 1 minimum, 2 average, 3 the 95 % value, 4 RMS), a harmonic
// order position and a harmonic kind (1 magnitude, 2 percent, 3 phase angle).
//
// Record information (GetBasicInfo), from the record's configuration block:
//   voltageText  (nominal voltage)   the float at byte 16, "%.2f"
//   ptText                           the float at byte 612, "%.2f"
//   ctText                           the voltage channel gain (byte 616), "%.2f"
//   ptRatioText  (PT ratio)          the voltage transformer ratio (byte 20), "%.2f"
//   ctRatioText  (CT ratio)          the current transformer ratio (byte 24), "%f"
//   mvaText      (capacity, MVA)     "10"
//   wiringName, phaseMask            the wiring code at byte 12
// and the window lengths in seconds: interval the half cycle, doubles 0 and 1 the
// RMS window, 2 the harmonic window, 3 the Pst window, 4 the frame.

#include <cstdint>
#include <vector>

#include "terminal/DevFileAnalysis.h"

class CGlobalModel;
class CWaveAnalysisManager;
class CWaveResultStore;
class IZVDataManager;

class CWaveK7700StatisticAnalysis : public IDevFileAnalysis {
public:
    // Statistic of the reporters' 95 % value.
    static constexpr std::uint32_t kPercentile95 = 3;

    // Nothing to load: the record is the analysis manager's. 1.
    int LoadFile(std::wstring folder, std::uint32_t requireCache) override;
    int ReleaseFile() override;
    // 0 without an analysed record.
    int GetBasicInfo(BasicInfo* info) override;
    // Words: phase, statistic, order position, harmonic kind, report item, and the
    // IZVDataManager that receives the values (may be null: then only whether the
    // series exists is answered).
    int GetData(QueryWord phase, QueryWord statistic, QueryWord order, QueryWord harmonicKind, QueryWord item,
                QueryWord manager) override;
    // Each request: phase, blockType (the statistic), order, subValue (the harmonic
    // kind) and viewId (the report item). A request that got values is enabled and
    // has them appended. 1 when any request got values.
    int GetItemData(std::vector<ItemRequest*>& requests) override;
    int SetQueryParams(const std::array<std::uint32_t, 10>& words) override;
    int SetOption(std::uint32_t value) override;

    // The window's item id of a report item; 0 for none.
    static int MapItem(std::uint32_t reportItem);
    // The result statistic of a report statistic for an item; -1 for none.
    static int MapStatistic(int item, std::uint32_t statistic);
    // The sub-item of a harmonic family for a harmonic kind; the item itself else.
    static int RefineHarmonic(int item, std::uint32_t harmonicKind);
    // A sample position of the record as a position in the item's series.
    static std::int64_t ToSeriesPosition(const CWaveAnalysisManager& manager, int item, std::int64_t position);

private:
    int Fetch(CWaveAnalysisManager& manager, int item, int phaseKey, int statistic, IZVDataManager* out);
};

// Makes the global model create this reader when the open data is a waveform record.
void InstallWaveReader(CGlobalModel& model);
