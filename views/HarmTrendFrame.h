#pragma once
// CHarmTrendFrame: the harmonic trend frame apart from its window. It shows one
// viewer row per chosen phase (L1, L2, L3, N) and in each row one series per
// chosen quantity and order: harmonic, interharmonic, high-order harmonic and
// subgroup values of voltage, current and harmonic power for up to six orders, the
// THD, the DC component and the K factor. Its selection (item codes, phase,
// statistic-kind and value-type masks, six order slots) is set by its panel
// (CHarmTrendPanel) through the operations below; each change releases the data
// managers, so the next Rebuild fetches afresh from the statistic model. Data
// managers sit in a grid of 4 phases by 61 slots (CRecordManagerGrid).
//
// The viewer is borrowed: the window side creates it (AttachViewer) and releases it
// after Detach. User-interface thread only.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/ColorPicker.h"
#include "export/ExportSource.h"
#include "views/HarmTrendItems.h"
#include "views/HarmTrendPanel.h"
#include "views/RecordFrameProfile.h"
#include "views/RecordManagerGrid.h"
#include "views/RecordSeriesKey.h"
#include "views/ViewerCommands.h"

class IObserverViewBase;
class IRowItem;
class ITracelume;

// The frame's view id, kind answer, colour page, panel template and title.
const RecordFrameProfile& HarmTrendProfile();

class CHarmTrendFrame : public IHarmTrendOwner {
public:
    // Sub-codes of the frame's own message.
    enum SubCode : unsigned {
        kRefresh = recordview::kRefresh,
        kZoomAll = recordview::kZoomAll,
        kSetLength = recordview::kSetLength,
        kRemoveSeries = 4,  // every series leaves the four rows
        kTimeAxis = 5,
        kRemoveRows = 16,   // the rows leave the viewer, every manager is released
    };
    static constexpr std::uint32_t kEventLoaded = 0x8;
    static constexpr std::uint32_t kEventColors = 0x80;
    static constexpr std::uint32_t kEventReset = 0x200;
    static constexpr std::uint32_t kDetailRange = 111;
    static constexpr std::uint32_t kDetailLeft = 112;
    // The answer to every other viewer code and to the main frame's kind query.
    static constexpr std::intptr_t kFrameKind = 3;
    // Series from the summary (the viewer's whole range) or from full-resolution data
    // of a requested range.
    enum Mode : int { kSummary = 0, kFullResolution = 1 };

    using TextSource = CHarmTrendPanel::TextSource;

    explicit CHarmTrendFrame(IObserverViewBase& observer, TextSource texts = {});
    ~CHarmTrendFrame() override;
    CHarmTrendFrame(const CHarmTrendFrame&) = delete;
    CHarmTrendFrame& operator=(const CHarmTrendFrame&) = delete;

    // The viewer made by the window side; opens the colour scheme on its page.
    void AttachViewer(ITracelume* viewer);
    // Before the viewer goes: rows and managers are released.
    void Detach();
    void SetPanelWindowed(bool windowed) { m_PanelWindowed = windowed; }
    void SetToggleListener(std::function<void()> listener) { m_Toggle = std::move(listener); }

    // Observer operations.
    int OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam);
    std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam);
    // The shown series' keys, each with its own summary manager; changes nothing.
    int FillAttributes(ExportSource& source) const;
    // The frame's own message.
    void Command(unsigned subCode, std::intptr_t lParam);

    // Selection.
    void ClearSelection();
    void SetItem(std::uint32_t code) override;
    void AddItem(std::uint32_t code) override;
    void RemoveItem(std::uint32_t code) override;
    void SetPhases(std::uint32_t bits);
    void AddPhases(std::uint32_t bits) override;
    void RemovePhases(std::uint32_t bits) override;
    void SetStatKinds(std::uint32_t bits) override;
    void AddStatKinds(std::uint32_t bits);
    void RemoveStatKinds(std::uint32_t bits);
    void SetValueTypes(std::uint32_t bits) override;
    void AddValueTypes(std::uint32_t bits);
    void RemoveValueTypes(std::uint32_t bits);
    void SetOrderSlot(int slot, std::uint32_t value) override;
    void ClearOrderSlot(int slot);
    bool HasSelection() const;
    // Rebuilds every row from the selection.
    void Rebuild() override;
    // Points the shown series at summary or full-resolution data of the requested range.
    void RefreshRanges(Mode mode);

    // Panel side.
    void TogglePanel() override;
    std::uint32_t OrderSlotColor(int k) const override;
    std::uint32_t OrderSlotDefaultColor(int k) const override;
    int StoreOrderSlotColor(int k, std::uint32_t color) override;
    void ColorsChanged() override;

    CHarmTrendPanel& Panel() { return m_Panel; }
    const CRecordManagerGrid& Grid() const { return m_Grid; }
    IRowItem* Row(std::uint32_t phase) const { return phase < 4 ? m_Rows[phase] : nullptr; }
    const std::vector<std::uint32_t>& Items() const { return m_Items; }
    std::uint32_t PhaseMask() const { return m_PhaseMask; }
    std::uint32_t KindMask() const { return m_KindMask; }
    std::uint32_t ValueTypeMask() const { return m_ValueTypeMask; }
    const std::array<std::uint32_t, 6>& OrderSlots() const { return m_Orders; }
    // The keys of the series shown, in the order they were collected.
    const std::vector<CRecordSeriesKey>& ShownKeys() const { return m_Shown; }
    bool PanelCollapsed() const { return m_Collapsed; }
    double DisplayMin(std::uint32_t phase) const { return m_PhaseMin[phase & 3]; }
    double DisplayMax(std::uint32_t phase) const { return m_PhaseMax[phase & 3]; }

    static std::wstring PhaseName(std::uint32_t phase);
    // A tenth of the span added on each side, 0.5 when the span is below 1.
    static void Pad(double& lower, double& upper);

private:
    void ReleaseGrids();
    void RemoveRows();
    void CollectItemKeys(Mode mode);
    void CollectKindKeys(Mode mode);
    void CollectOrderKeys(Mode mode);
    bool AddKey(const CRecordSeriesKey& key, Mode mode);
    void PrepareRow();
    void BuildRowSeries();
    void UpdateRowRanges(Mode mode);
    bool CollectedRange(double& lower, double& upper) const;
    void AddSeries(IRowItem& row, CRecordDataManager& manager, const CRecordSeriesKey& key, int colorIndex);
    void ResetPanel(bool fill);
    void SetUpTimeAxis();
    void Recolor();
    bool ViewerWindow() const;
    void ChangeMask(std::uint32_t& mask, std::uint32_t value, int how);

    IObserverViewBase& m_Observer;
    TextSource m_Texts;
    ITracelume* m_pViewer = nullptr;
    std::array<IRowItem*, 4> m_Rows{};
    CHarmTrendPanel m_Panel;
    bool m_PanelWindowed = false;
    CColorPicker m_Colors;

    std::vector<std::uint32_t> m_Items;
    std::uint32_t m_PhaseMask = 0;
    std::uint32_t m_KindMask = 0;
    std::uint32_t m_ValueTypeMask = 0;
    std::array<std::uint32_t, 6> m_Orders{};

    std::uint32_t m_Item = 0;
    std::uint32_t m_Phase = 0;
    std::uint32_t m_ValueType = 0;
    std::uint32_t m_Kind = 0;

    CRecordManagerGrid m_Grid{4, harmtrend::kSlots};
    std::vector<double> m_Maxima;
    std::vector<double> m_Minima;
    std::vector<CRecordSeriesKey> m_Keys;
    std::vector<int> m_ColorIndices;
    std::vector<CRecordSeriesKey> m_Shown;
    // The range each phase's row was built with: a detail range never shows less.
    std::array<double, 4> m_PhaseMax{};
    std::array<double, 4> m_PhaseMin{};
    std::int64_t m_RequestStart = 0;
    std::int64_t m_RequestEnd = -1;
    bool m_Collapsed = false;
    std::function<void()> m_Toggle;
};
