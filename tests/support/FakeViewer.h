#pragma once
// The waveform viewer for tests, in the two ways the program sees it.
//
// FakeViewer is the viewer library's own interface (ITracelume) built from the
// viewer's real rows, row kinds and summary caches, so a test reads series, styles
// and ranges back through the viewer's interfaces; it records the calls that set the
// time axis, the commands and the zooms, and can refuse one row kind.
//
// FakeWaveViewer, FakeWaveRow and FakeWaveHost are the narrow view of the viewer the
// waveform-record window's data side has (waverecord/WaveViewer.h): they record what
// the result records do with them and count the row kinds and summary caches alive,
// enough to follow attaching, detaching, colouring and the progress callback.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "waverecord/WaveViewHost.h"
#include "waverecord/WaveViewer.h"

namespace testsupport {

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
    void SetDataLength(std::uint32_t low, std::uint32_t high) override;
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
    int Command(int code, std::intptr_t a, std::intptr_t b) override;
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
    // Row kinds asked for, and the number of the one to refuse (counted from 1).
    int kindsAsked = 0;
    int refusedKind = -1;

private:
    std::vector<CRowItem*> m_rows;
};

// Counts the summary caches alive; shared, since a cache may outlive whoever made it.
struct FakeWaveSource : IWaveSource {
    FakeWaveSource(ISimpleDataManager* source, std::shared_ptr<int> live);
    void Release() override;
    ISimpleDataManager* source;
    std::shared_ptr<int> live;
};

struct FakeWaveImp : IWaveRowImp {
    explicit FakeWaveImp(std::shared_ptr<int> live);
    void Release() override;
    void SetData(IWaveSource* source) override { data = source; }
    IWaveSource* data = nullptr;
    std::shared_ptr<int> live;
};

// Holds its row kinds as the viewer's rows do and releases them when removed.
struct FakeWaveRow : IWaveRow {
    ~FakeWaveRow() override;
    int AddImp(IWaveRowImp* imp) override;
    int RemoveImp(IWaveRowImp* imp, int release) override;
    void SetValueText(IWaveRowImp* key, const WaveLineStyle& style) override { styles[key] = style; }
    void GetValueText(IWaveRowImp* key, WaveLineStyle& style) override { style = styles[key]; }

    std::vector<IWaveRowImp*> imps;
    std::map<IWaveRowImp*, WaveLineStyle> styles;
};

struct FakeWaveViewer : IWaveViewer {
    IWaveRowImp* CreateRowImp(int type) override;
    IWaveSource* CreateDataManager(ISimpleDataManager* source) override;
    void SetCursorPosition(std::int64_t position) override { cursor = position; }

    int lastType = 0;
    std::int64_t cursor = -1;
    std::shared_ptr<int> liveImps = std::make_shared<int>(0);
    std::shared_ptr<int> liveSources = std::make_shared<int>(0);
};

// A view host whose viewer reports progress while it builds a summary, as the real
// one does for a long series.
struct FakeWaveHost : IWaveViewHost {
    IWaveSource* CreateDataManager(ISimpleDataManager* source) override;
    void ColourForRecord(int phaseKey, int kind, WaveLineStyle& style) override;
    void SetCallback(IWaveViewerCallback* next) override;

    std::vector<ISimpleDataManager*> sources;
    std::vector<IWaveViewerCallback*> callbacks;
    IWaveViewerCallback* callback = nullptr;
    std::shared_ptr<int> liveSources = std::make_shared<int>(0);
};

}  // namespace testsupport
