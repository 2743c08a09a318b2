#pragma once
// CRecordFrame: the mechanism every statistic record frame shares, apart from its
// window. It observes the statistic model through the frame's observer words,
// keeps one data manager per phase and statistic kind (CRecordManagerGrid),
// builds the viewer's series on the root row from the selection of its panel
// (CRecordAttribPanel), sets up the time axis of the loaded range, recolours on a
// colour-scheme change, switches the series between summary and full-resolution
// data on the viewer's detail requests, and fills the export request. What it
// shows comes from its RecordFrameProfile.
//
// The viewer is borrowed: the window side creates it, hands it in with its root
// row (AttachViewer) and releases it after Detach. User-interface thread only.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/ColorPicker.h"
#include "export/ExportSource.h"
#include "views/RecordAttribPanel.h"
#include "views/RecordFrameProfile.h"
#include "views/RecordManagerGrid.h"
#include "views/RecordSeriesKey.h"
#include "views/ViewerCommands.h"

class CRecordDataManager;
class IObserverViewBase;
class IRowItem;
class ITracelume;
struct BasicInfo;

class CRecordFrame : public IRecordPanelOwner {
public:
    // Sub-codes of the frame's own message (kMsgFrameCommand).
    enum SubCode : unsigned {
        kRefresh = recordview::kRefresh,
        kZoomAll = recordview::kZoomAll,
        kSetLength = recordview::kSetLength,
        kRemoveSeries = 4,  // every series leaves the root row
        kTimeAxis = 5,
    };
    // Model events the frames take.
    static constexpr std::uint32_t kEventLoaded = 0x8;
    static constexpr std::uint32_t kEventColors = 0x80;
    static constexpr std::uint32_t kEventReset = 0x200;
    // Viewer events the frames take.
    static constexpr std::uint32_t kDetailRange = 111;
    static constexpr std::uint32_t kDetailLeft = 112;

    using TextSource = CRecordAttribPanel::TextSource;

    CRecordFrame(const RecordFrameProfile& profile, IObserverViewBase& observer, TextSource texts = {});
    ~CRecordFrame() override;
    CRecordFrame(const CRecordFrame&) = delete;
    CRecordFrame& operator=(const CRecordFrame&) = delete;

    // The viewer and its root row, made by the window side; opens the colour scheme.
    void AttachViewer(ITracelume* viewer, IRowItem* root);
    // Before the viewer goes: every series and manager is released.
    void Detach();
    // Whether the panel has a window (its state is then shown and followed).
    void SetPanelWindowed(bool windowed) { m_PanelWindowed = windowed; }
    // Called when the panel asks to be collapsed or expanded.
    void SetToggleListener(std::function<void()> listener) { m_Toggle = std::move(listener); }

    // Observer operations.
    int OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam);
    std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam);
    int FillAttributes(ExportSource& source) const;
    // The frame's own message.
    void Command(unsigned subCode, std::intptr_t lParam);

    // Panel operations.
    void ShowKind(std::uint32_t bits, int rebuild) override;
    void HideKind(std::uint32_t bits, int rebuild) override;
    void ShowPhase(std::uint32_t bits, int rebuild) override;
    void HidePhase(std::uint32_t bits, int rebuild) override;
    void SelectItem(std::uint32_t code, int rebuild) override;
    void TogglePanel() override;

    // Rebuilds the series of the selection; 1 when any was added.
    int Rebuild();
    // Points the rows at summary (false) or full-resolution data of the requested range.
    int RebuildRange(bool fullResolution);

    const RecordFrameProfile& Profile() const { return m_Profile; }
    CRecordAttribPanel& Panel() { return m_Panel; }
    const CRecordManagerGrid& Grid() const { return m_Grid; }
    CColorPicker& Colors() { return m_Colors; }
    std::uint32_t KindMask() const { return m_KindMask; }
    std::uint32_t PhaseMask() const { return m_PhaseMask; }
    std::uint32_t CurrentItem() const { return m_Item; }
    const std::vector<CRecordSeriesKey>& ShownKeys() const { return m_Shown; }
    double DisplayMin() const { return m_DisplayMin; }
    double DisplayMax() const { return m_DisplayMax; }
    bool PanelCollapsed() const { return m_Collapsed; }
    bool FrequencyAvailable() const { return m_FrequencyAvailable; }

    // The value range shown for series extremes: a tenth of the span added on each
    // side (0.5 when the span is below 1); the frequency rule keeps it at 0 and above
    // and gives 0 to 1 without a positive maximum.
    static void WidenRange(double& minimum, double& maximum, bool frequencyRule);
    // Gives the viewer the record's time axis: start time, calendar labels, length and
    // rate, and the detail view unless the source is of full resolution (kind 1);
    // answers whether the detail view is allowed.
    static bool ApplyTimeAxis(ITracelume& viewer, const BasicInfo& info, std::uint32_t source);
    std::uint32_t SeriesColor(const CRecordSeriesKey& key) const;
    std::wstring SeriesName(const CRecordSeriesKey& key) const;

private:
    void ChangeMask(std::uint32_t& mask, std::uint32_t bits, bool set, int rebuild);
    bool ItemShown() const;
    std::uint32_t ShownItem() const;
    void ResetPanel();
    // No series, no managers, an empty panel.
    void Empty();
    void ClearGrid();
    void ClearLists();
    void AddSelectedSeries(bool fullResolution);
    void AddSeries(std::uint32_t phase, std::uint32_t kind, bool fullResolution);
    void AddRow(CRecordDataManager& manager, const std::wstring& name, std::uint32_t color,
                const CRecordSeriesKey& key);
    bool PendingRange(double& minimum, double& maximum) const;
    void SetUpTimeAxis();
    void Recolor();
    bool ViewerWindow() const;
    std::wstring Text(unsigned id) const;

    const RecordFrameProfile& m_Profile;
    IObserverViewBase& m_Observer;
    TextSource m_Texts;
    ITracelume* m_pViewer = nullptr;
    IRowItem* m_pRoot = nullptr;
    CRecordAttribPanel m_Panel;
    bool m_PanelWindowed = false;
    std::uint32_t m_KindMask = 0;
    std::uint32_t m_PhaseMask = 0;
    std::uint32_t m_Item = 0;
    CRecordManagerGrid m_Grid{5, 5};
    std::vector<double> m_Maxima;
    std::vector<double> m_Minima;
    std::vector<CRecordSeriesKey> m_Pending;
    std::vector<CRecordSeriesKey> m_Shown;
    std::uint64_t m_PendingLength = 0;
    double m_DisplayMax = 2.2250738585072014e-308;
    double m_DisplayMin = 1.7976931348623157e308;
    std::int64_t m_RequestStart = 0;
    std::int64_t m_RequestEnd = -1;
    CColorPicker m_Colors;
    bool m_Collapsed = false;
    bool m_FrequencyAvailable = false;
    // Whether the viewer's detail view suits the loaded data (not for a source of
    // full resolution); sent again on each rebuild of the zero-emptied items.
    bool m_DetailAllowed = false;
    std::function<void()> m_Toggle;
};
