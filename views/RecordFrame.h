#pragma once
// CRecordFrame: a statistic record frame of a RecordFrameProfile, apart from its
// window, on the shared frame mechanism (CRecordFrameBase). It shows on its one
// root row the series of the selection of its panel (CRecordAttribPanel): the
// chosen statistic kinds of the chosen phases of one item (a fixed item for the
// frequency frame), one data manager per phase and statistic kind, coloured by
// phase and kind from the profile's colour page.
//
// The viewer and its root row are borrowed: the window side creates them, hands
// them in (AttachViewer) and releases them after Detach. User-interface thread only.

#include <cstdint>
#include <string>
#include <vector>

#include "views/RecordAttribPanel.h"
#include "views/RecordFrameBase.h"

class CRecordFrame : public CRecordFrameBase, public IRecordPanelOwner {
public:
    using TextSource = CRecordAttribPanel::TextSource;

    CRecordFrame(const RecordFrameProfile& profile, IObserverViewBase& observer, TextSource texts = {});
    ~CRecordFrame() override;

    // Panel operations.
    void ShowKind(std::uint32_t bits, int rebuild) override;
    void HideKind(std::uint32_t bits, int rebuild) override;
    void ShowPhase(std::uint32_t bits, int rebuild) override;
    void HidePhase(std::uint32_t bits, int rebuild) override;
    void SelectItem(std::uint32_t code, int rebuild) override;
    void TogglePanel() override { TogglePanelCollapsed(); }

    void Rebuild() override;
    void RebuildRange(bool fullResolution) override;

    CRecordAttribPanel& Panel() { return m_Panel; }
    std::uint32_t KindMask() const { return m_KindMask; }
    std::uint32_t PhaseMask() const { return m_PhaseMask; }
    std::uint32_t CurrentItem() const { return m_Item; }
    bool FrequencyAvailable() const { return m_FrequencyAvailable; }

private:
    void Empty(bool reset) override;
    void ShowLoaded() override;
    void TakeRecordInfo(const BasicInfo& info) override;
    std::wstring Title() const override;
    std::wstring SeriesName(const CRecordSeriesKey& key) const override;
    std::uint32_t SeriesColor(const CRecordSeriesKey& key, int hostWord) const override;
    void FillKeys(ExportSource& source) const override;

    void ChangeMask(std::uint32_t& mask, std::uint32_t bits, bool set, int rebuild);
    bool ItemShown() const;
    std::uint32_t ShownItem() const;
    void ResetPanel();
    void ClearLists();
    // The root row, the lists cleared, when the item is shown and the viewer is
    // there; else null.
    IRowItem* StartCollection();
    void AddSelectedSeries(bool fullResolution);
    void AddSeries(std::uint32_t phase, std::uint32_t kind, bool fullResolution);

    CRecordAttribPanel m_Panel;
    std::uint32_t m_KindMask = 0;
    std::uint32_t m_PhaseMask = 0;
    std::uint32_t m_Item = 0;
    bool m_FrequencyAvailable = false;
};
