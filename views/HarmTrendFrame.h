#pragma once
// CHarmTrendFrame: the harmonic trend frame apart from its window, on the shared
// frame mechanism (CRecordFrameBase). It shows one viewer row per chosen phase (L1,
// L2, L3, N) and in each row one series per chosen quantity and order: harmonic,
// interharmonic, high-order harmonic and subgroup values of voltage, current and
// harmonic power for up to six orders, the THD, the DC component and the K factor.
// Its selection (item codes, phase, statistic-kind and value-type masks, six order
// slots) is set by its panel (CHarmTrendPanel) through the operations below; each
// change releases the data managers, so the next Rebuild fetches afresh from the
// statistic model. Data managers sit in a grid of 4 phases by 61 slots.
//
// The viewer is borrowed: the window side creates it (AttachViewer) and releases it
// after Detach; the frame makes its rows itself. User-interface thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "views/HarmTrendItems.h"
#include "views/HarmTrendPanel.h"
#include "views/RecordFrameBase.h"

// The frame's view id, kind answer, colour page, panel template and title.
const RecordFrameProfile& HarmTrendProfile();

class CHarmTrendFrame : public CRecordFrameBase, public IHarmTrendOwner {
public:
    // The frame's own sub-code beyond the shared ones: the rows leave the viewer,
    // every manager is released.
    static constexpr unsigned kRemoveRows = 16;
    // The answer to every other viewer code and to the main frame's kind query.
    static constexpr std::intptr_t kFrameKind = 3;

    using TextSource = CHarmTrendPanel::TextSource;

    explicit CHarmTrendFrame(IObserverViewBase& observer, TextSource texts = {});
    ~CHarmTrendFrame() override;

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
    void RebuildRange(bool fullResolution) override;

    // Panel side.
    void TogglePanel() override { TogglePanelCollapsed(); }
    std::uint32_t OrderSlotColor(int k) const override;
    std::uint32_t OrderSlotDefaultColor(int k) const override;
    int StoreOrderSlotColor(int k, std::uint32_t color) override;
    void ColorsChanged() override;

    CHarmTrendPanel& Panel() { return m_Panel; }
    const std::vector<std::uint32_t>& Items() const { return m_Items; }
    std::uint32_t PhaseMask() const { return m_PhaseMask; }
    std::uint32_t KindMask() const { return m_KindMask; }
    std::uint32_t ValueTypeMask() const { return m_ValueTypeMask; }
    const std::array<std::uint32_t, 6>& OrderSlots() const { return m_Orders; }

    static std::wstring PhaseName(std::uint32_t phase);

private:
    void Empty(bool reset) override;
    void ShowLoaded() override;
    void TakeRecordInfo(const BasicInfo& info) override;
    std::wstring SeriesName(const CRecordSeriesKey& key) const override;
    std::uint32_t SeriesColor(const CRecordSeriesKey& key, int hostWord) const override;
    void Recolor() override;
    void FillKeys(ExportSource& source) const override;
    std::intptr_t OtherRequest(std::uint32_t code) const override;
    void FrameCommand(unsigned subCode, std::intptr_t lParam) override;

    void ReleaseGrids();
    void ReleaseRows();
    void CollectItemKeys(bool fullResolution);
    void CollectKindKeys(bool fullResolution);
    void CollectOrderKeys(bool fullResolution);
    bool AddKey(const CRecordSeriesKey& key, int colorIndex, bool fullResolution);
    void ChangeMask(std::uint32_t& mask, std::uint32_t value, int how);

    CHarmTrendPanel m_Panel;

    std::vector<std::uint32_t> m_Items;
    std::uint32_t m_PhaseMask = 0;
    std::uint32_t m_KindMask = 0;
    std::uint32_t m_ValueTypeMask = 0;
    std::array<std::uint32_t, 6> m_Orders{};

    std::uint32_t m_Item = 0;
    std::uint32_t m_Phase = 0;
    std::uint32_t m_ValueType = 0;
    std::uint32_t m_Kind = 0;
};
