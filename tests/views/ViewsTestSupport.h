#pragma once
// Shared pieces of the record view tests: an observer that carries the frame's
// model words, a generated statistic folder opened in the statistic models, a
// model that serves hand-made series, and the colour-scheme fixture.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "terminal/BasicInfo.h"
#include "terminal/DataModel.h"
#include "terminal/GlobalModel.h"
#include "terminal/HarmDataCollector.h"
#include "terminal/ObserverViewBase.h"
#include "terminal/ZVDataManager.h"
#include "views/RecordSeriesKey.h"
#include "tests/support/TempDir.h"
#include "tools/gen/StatisticFolder.h"

namespace viewstest {

// The frame's observer words (the controller writes them in the program).
class Observer final : public IObserverViewBase {
public:
    int OnUpdate(std::uint32_t, std::uintptr_t, std::uintptr_t) override { return 0; }
};

// A generated statistic folder opened in a statistic model and its full-resolution
// model, as the main frame opens them.
struct LoadedFolder {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    CGlobalModel model;
    CGlobalModel second;

    explicit LoadedFolder(gen::StatisticFolderOptions folderOptions);
    ~LoadedFolder();
    // The samples the model holds for a key, read through a manager of its own.
    std::vector<double> ModelSeries(std::uint32_t phase, std::uint32_t kind, std::uint32_t item);
};

// Every sample a manager holds, gaps included.
std::vector<double> Samples(IZVDataManager& manager);

// A folder of the frames' items with `records` records, those listed without value.
gen::StatisticFolderOptions FrameFolder(std::uint64_t records, std::vector<std::uint64_t> noValueRecords);

// The file items of the quantities the frames show (voltage, frequency, current, power,
// displacement power factor, active energy, Pst, dc, positive-sequence voltage,
// the unbalance factors).
std::vector<std::uint32_t> FrameItems();

// A model of hand-made series and record information.
class FakeModel final : public IDataModel {
public:
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override
    {
        *source = sourceKind;
        return 1;
    }
    int OpenData(void*) override { return 1; }
    int GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5) override;
    int QueryBasicInfo(BasicInfo* out) override
    {
        *out = info;
        return 1;
    }

    BasicInfo info;
    std::uint32_t sourceKind = 0;
    // Series by (phase, kind, item).
    std::map<std::tuple<std::uint32_t, std::uint32_t, std::uint32_t>, std::vector<double>> series;
    int queries = 0;
};

// Writes "color.cfg" into the program folder: the colour of (phase bit p, kind bit
// k) on page number n (1 to 6) is RGB(p, k, n).
void WriteColorScheme();
std::uint32_t SchemeColor(int phaseBit, int kindBit, int page);
// The harmonic page also colours by index (0 to 54): RGB(index, 64, 3).
std::uint32_t HarmSchemeColor(int index);

// A converted K7700 folder of the voltage THD, DC, harmonic, interharmonic and
// high-order items (no current items, no K factor), opened in a statistic model whose
// item readers answer from a collector that has collected the whole folder.
struct HarmFolder {
    static constexpr std::uint64_t kRecords = 12;
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    CGlobalModel model;
    CHarmDataCollector collector;

    HarmFolder();
    ~HarmFolder();
};

// A generated folder of the harmonic trend's quantities (the K factor, voltage THD,
// DC, harmonics, interharmonics and high-order harmonics, the current and harmonic
// power quantities) with record 4 without value, converted to item files and opened
// in a statistic model, and in the full-resolution model over its block files.
struct HarmTrendFolder {
    static constexpr std::uint64_t kRecords = 30;
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    CGlobalModel model;
    CGlobalModel second;

    HarmTrendFolder();
    ~HarmTrendFolder();
    // The values of a series (phase, kind, order, value type, item code of the
    // harmonic trend) as the generator's item file holds them, record by record.
    std::vector<double> ItemFileSeries(const CRecordSeriesKey& key) const;
};

}  // namespace viewstest
