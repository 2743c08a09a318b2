#pragma once
// CRecordFrameBase: the mechanism every statistic record frame shares, apart from
// its window: the borrowed viewer and the frame's rows in it, the data managers of
// its series (CRecordManagerGrid), the colour scheme of its page, the time axis of
// the loaded record, the frame's own message, the model's events, the viewer's
// detail requests and the export request. A frame collects the series of its
// selection (CollectSeries), then adds them to a row (SetRowRange and
// AddCollectedSeries) or points the series a row shows at summary or
// full-resolution data (RepointRow). What a frame selects, how it names and colours
// a series and what its panel shows are the derived frame's (CRecordFrame: one root
// row from a profile; CHarmTrendFrame: one row per phase).
//
// Rows: either the one root row the window side made (AttachViewer), or rows the
// frame makes itself (MakeRow) and removes again (RemoveRows).
//
// The viewer is borrowed: the window side creates it, hands it in and releases it
// after Detach. User-interface thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/ColorPicker.h"
#include "export/ExportSource.h"
#include "views/RecordFrameProfile.h"
#include "views/RecordManagerGrid.h"
#include "views/RecordSeriesKey.h"

class CRecordDataManager;
class IObserverViewBase;
class IRowItem;
class ITracelume;
struct BasicInfo;

class CRecordFrameBase {
public:
    // Sub-codes of the frame's own message.
    enum SubCode : unsigned {
        kRefresh = 0,       // Refresh and RefreshAll
        kZoomAll = 1,
        kSetLength = 2,     // the data length lParam, 64 bits
        kRemoveSeries = 4,  // every series leaves the frame's rows
        kTimeAxis = 5,
    };
    // Model events the frames take.
    static constexpr std::uint32_t kEventLoaded = 0x8;
    static constexpr std::uint32_t kEventColors = 0x80;
    static constexpr std::uint32_t kEventReset = 0x200;
    // Viewer events the frames take.
    static constexpr std::uint32_t kDetailRange = 111;
    static constexpr std::uint32_t kDetailLeft = 112;

    using TextSource = std::function<std::wstring(unsigned id)>;

    virtual ~CRecordFrameBase();
    CRecordFrameBase(const CRecordFrameBase&) = delete;
    CRecordFrameBase& operator=(const CRecordFrameBase&) = delete;

    // The viewer made by the window side, with the root row it made for the frame
    // (null for a frame that makes its own rows); opens the colour scheme.
    void AttachViewer(ITracelume* viewer, IRowItem* root = nullptr);
    // Before the viewer goes: every series, row and manager is released.
    void Detach();
    // Whether the panel has a window (its state is then shown and followed).
    void SetPanelWindowed(bool windowed) { m_PanelWindowed = windowed; }
    // Called when the panel asks to be collapsed or expanded.
    void SetToggleListener(std::function<void()> listener) { m_Toggle = std::move(listener); }

    // Observer operations.
    int OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam);
    std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam);
    // The record's start and interval and the shown series' keys, each with its own
    // summary manager; changes nothing.
    int FillAttributes(ExportSource& source) const;
    // The frame's own message.
    void Command(unsigned subCode, std::intptr_t lParam);

    // Rebuilds the series of the selection.
    virtual void Rebuild() = 0;
    // Points the shown series at summary (false) or full-resolution data of the
    // requested range.
    virtual void RebuildRange(bool fullResolution) = 0;

    const RecordFrameProfile& Profile() const { return m_Profile; }
    const CRecordManagerGrid& Grid() const { return m_Grid; }
    CColorPicker& Colors() { return m_Colors; }
    const CColorPicker& Colors() const { return m_Colors; }
    // The root row the window side made, or null.
    IRowItem* Root() const { return m_RootGiven ? m_Rows.front() : nullptr; }
    IRowItem* Row(std::uint32_t index) const { return index < m_Rows.size() ? m_Rows[index] : nullptr; }
    // The keys of the series shown.
    const std::vector<CRecordSeriesKey>& ShownKeys() const { return m_Shown; }
    bool PanelCollapsed() const { return m_Collapsed; }
    // The range a row was last built with: a detail range never shows less.
    double DisplayMin(std::uint32_t row = 0) const { return m_RowRanges[row % m_RowRanges.size()].first; }
    double DisplayMax(std::uint32_t row = 0) const { return m_RowRanges[row % m_RowRanges.size()].second; }

    // The value range shown for series extremes: a tenth of the span added on each
    // side (0.5 when the span is below 1); the frequency rule keeps it at 0 and above
    // and gives 0 to 1 without a positive maximum.
    static void WidenRange(double& minimum, double& maximum, bool frequencyRule);
    // Gives the viewer the record's time axis: start time, calendar labels, length and
    // rate, and the detail view unless the source is of full resolution (kind 1);
    // answers whether the detail view is allowed.
    static bool ApplyTimeAxis(ITracelume& viewer, const BasicInfo& info, std::uint32_t source);

protected:
    // `rows` row places (the root row takes the first) and a grid of `phases` by
    // `columns` managers.
    CRecordFrameBase(const RecordFrameProfile& profile, IObserverViewBase& observer, TextSource texts,
                     std::uint32_t rows, std::uint32_t phases, std::uint32_t columns);

    std::wstring Text(unsigned id) const { return m_Texts(id); }
    const TextSource& Texts() const { return m_Texts; }
    ITracelume* Viewer() const { return m_pViewer; }
    bool ViewerWindow() const;
    bool PanelWindowed() const { return m_PanelWindowed; }
    bool DetailAllowed() const { return m_DetailAllowed; }
    void TogglePanelCollapsed();

    // Every series leaves the rows (the rows stay).
    void RemoveSeries() { Command(kRemoveSeries, 0); }
    // The rows the frame made leave the viewer.
    void RemoveRows();
    // The row of the place, made in the viewer when missing, emptied when there; named.
    IRowItem* MakeRow(std::uint32_t index, const std::wstring& name);
    // Every manager released; the profile's value limits set again.
    void ClearGrid();
    std::vector<CRecordSeriesKey>& Shown() { return m_Shown; }
    CRecordManagerGrid& ManagerGrid() { return m_Grid; }

    // Forgets the series collected so far.
    void ClearCollected();
    // Collects a series into the grid cell (key.phase, column): its manager, filled
    // from the statistic model (the full-resolution model for a detail request) when
    // new or of full resolution, and its extremes. `hostWord` travels in its style.
    // False when the cell is outside the grid.
    bool CollectSeries(const CRecordSeriesKey& key, std::uint32_t column, int hostWord, bool fullResolution);
    bool HasCollected() const { return !m_Collected.empty(); }
    // The length of the longest series collected.
    std::uint64_t CollectedLength() const { return m_CollectedLength; }
    // Sets the widened range of the collected series on the row, kept as the row's
    // whole-record range; answers it.
    std::pair<double, double> SetRowRange(IRowItem& row, std::uint32_t index, int unit);
    // Adds the collected series to the row within the range, the last collected
    // first, one series per grid cell; `prepare` sees each manager before its series
    // is made. Answers the keys of the series made, in that order.
    std::vector<CRecordSeriesKey> AddCollectedSeries(IRowItem& row, double lower, double upper,
                                                     const std::function<void(CRecordDataManager&)>& prepare = {});
    // Points the collected series of a row at summary or full-resolution data, within
    // their range widened to the row's whole-record range, so the rows do not jump.
    void RepointRow(IRowItem& row, std::uint32_t index, int unit, bool fullResolution);

    // The series on a colour-scheme change of the frame's view or of all views.
    virtual void Recolor();

private:
    // Before a load (reset false) and on the reset event: the panel and the rows.
    virtual void Empty(bool reset) = 0;
    // After a load and its time axis: the panel filled, or the series rebuilt.
    virtual void ShowLoaded() = 0;
    // The record's information, before its time axis is given to the viewer.
    virtual void TakeRecordInfo(const BasicInfo& info) = 0;
    // The busy text's title of a load.
    virtual std::wstring Title() const { return Text(m_Profile.titleId); }
    virtual std::wstring SeriesName(const CRecordSeriesKey& key) const = 0;
    virtual std::uint32_t SeriesColor(const CRecordSeriesKey& key, int hostWord) const = 0;
    // The export keys of the shown series.
    virtual void FillKeys(ExportSource& source) const = 0;
    // Viewer codes other than the detail requests, and the main frame's kind query.
    virtual std::intptr_t OtherRequest(std::uint32_t code) const;
    // Sub-codes of the frame's message beyond the shared ones.
    virtual void FrameCommand(unsigned subCode, std::intptr_t lParam);

    struct Collected {
        CRecordSeriesKey key;
        std::uint32_t column = 0;
        int hostWord = 0;
    };

    void SetUpTimeAxis();
    // False when the viewer made no cache or series for it.
    bool AddSeries(IRowItem& row, CRecordDataManager& manager, const Collected& series);
    std::pair<double, double> CollectedRange() const;

    const RecordFrameProfile& m_Profile;
    IObserverViewBase& m_Observer;
    TextSource m_Texts;
    ITracelume* m_pViewer = nullptr;
    std::vector<IRowItem*> m_Rows;
    bool m_RootGiven = false;
    // Per row place: the range it was built with (minimum, maximum).
    std::vector<std::pair<double, double>> m_RowRanges;
    CRecordManagerGrid m_Grid;
    CColorPicker m_Colors;
    bool m_PanelWindowed = false;
    bool m_Collapsed = false;
    std::function<void()> m_Toggle;

    std::vector<Collected> m_Collected;
    std::vector<double> m_Maxima;
    std::vector<double> m_Minima;
    std::uint64_t m_CollectedLength = 0;
    std::vector<CRecordSeriesKey> m_Shown;
    std::int64_t m_RequestStart = 0;
    std::int64_t m_RequestEnd = -1;
    // Whether the viewer's detail view suits the loaded data (not for a source of
    // full resolution).
    bool m_DetailAllowed = false;
};
