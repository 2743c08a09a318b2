#pragma once
// Shared pieces of the record view tests: a viewer stand-in built from the viewer's
// own rows, row kinds and summary caches (so series, styles and ranges are read
// back through the viewer's interfaces), an observer that carries the frame's
// model words, a generated statistic folder opened in the statistic models, a
// model that serves hand-made series, and the colour-scheme fixture.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
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

class FakeViewer final : public ITracelume {
public:
    struct Call {
        int code;
        std::intptr_t a, b;
    };
    FakeViewer();
    ~FakeViewer() override;

    void Release() override {}
    wxWindow* GetHwnd() override { return reinterpret_cast<wxWindow*>(this); }
    void Refresh() override { ++refreshes; }
    void RefreshAll() override { ++refreshes; }
    IRowItem* AddRow(IRowItem* parent) override;
    void RemoveRow(IRowItem* row) override;
    void RemoveAllRows() override;
    IRowItemImp* CreateRowImp(int kind) override;
    IBufferredDataManager* CreateDataManager(ISimpleDataManager* source) override;
    void ShowToolBar(int) override {}
    void ShowNavigator(int) override {}
    void ShowGrid(int, int) override {}
    int SetMouseMode(int) override { return 0; }
    int GetMouseMode() override { return 0; }
    void SetSampleRate(double value) override { rates.push_back(value); }
    double GetSampleRate() override { return rates.empty() ? 0.0 : rates.back(); }
    void SetDataLength(std::uint32_t low, std::uint32_t high) override
    {
        lengths.push_back(static_cast<std::int64_t>((std::uint64_t{high} << 32) | low));
    }
    std::int64_t GetDataLength() override { return lengths.empty() ? 0 : lengths.back(); }
    void GetZoomRange(int*, int*) override {}
    void SetZoom(int) override {}
    int GetZoom() override { return 0; }
    void ZoomIn() override {}
    void ZoomOut() override {}
    void ZoomAll() override { ++zoomAlls; }
    void GoTo(int) override {}
    void SetCallback(ITracelumeCallback*) override {}
    int Reserved(std::uint32_t, std::uint32_t) override { return 0; }
    int Command(int code, std::intptr_t a, std::intptr_t b) override
    {
        commands.push_back({code, a, b});
        return 0;
    }
    void ShowMeasureLines(int, int) override {}
    double SampleToTime(double value) override { return value; }
    int SetToolStrip(wxWindow*) override { return 0; }

    // The first row (the record frames' root row), or null.
    CRowItem* Root() const { return m_rows.empty() ? nullptr : m_rows.front(); }
    const std::vector<CRowItem*>& Rows() const { return m_rows; }
    // The last command of that code; nothing when none was given.
    const Call* LastCommand(int code) const;

    std::vector<Call> commands;
    std::vector<double> rates;
    std::vector<std::int64_t> lengths;
    int refreshes = 0;
    int zoomAlls = 0;
    int cachesMade = 0;

private:
    std::vector<CRowItem*> m_rows;
};

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
