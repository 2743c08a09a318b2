#pragma once
// CWaveHarmonicWaveStatisticView: the "Harmonic" statistic view of the
// waveform-record window. It shows one harmonic quantity of the analysed record as
// trends in its viewer: one curve per chosen order (up to six) of one phase, or
// the DC component or THD per phase, optionally with the current K factor. Its
// attribute panel sits at the right edge; the view follows the panel, the
// raw-waveform side's channel and range changes and the colour scheme.
//
// A range too short for the harmonic analysis leaves the view as it was; the view
// still answers the range change, so the statistic area hands it on to every other
// view (a view's answer never stops that relay).
//
// Messages beyond the family's (wParam, lParam):
//   kMsgApply        (item, const HarmTrendAttrib*): show the item; 0, or -1
//                    without a host or for an item the view does not show
//   kMsgCurrentItem  (HarmTrendAttrib* out): the record shown; 0
//   kMsgSlotColour, kMsgSlotDefaultColour (std::uint32_t* out, slot 1-6)
//   kMsgSetSlotColour (colour, slot 1-6): stored in the colour scheme

#include <cstdint>
#include <memory>
#include <string>

#include "waverecord/WaveHarmonicTrend.h"
#include "waverecord/ui/WaveHarmWaveTendencyAttribDlg.h"
#include "waverecord/ui/WaveStatisticView.h"

class CWaveHarmonicWaveStatisticView : public CWaveStatisticView {
public:
    // The pane kind of the view.
    static constexpr int kKind = 5978;
    static constexpr std::uint32_t kFirstItem = 6004;
    static constexpr unsigned kMsgSlotColour = CWaveHarmWaveTendencyAttribDlg::kMsgSlotColour;
    static constexpr unsigned kMsgSlotDefaultColour = CWaveHarmWaveTendencyAttribDlg::kMsgSlotDefaultColour;
    static constexpr unsigned kMsgSetSlotColour = CWaveHarmWaveTendencyAttribDlg::kMsgSetSlotColour;
    static constexpr const wchar_t* kColourPage = L"Harmonic";

    CWaveHarmonicWaveStatisticView();
    ~CWaveHarmonicWaveStatisticView() override;

    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    static int GetHostCode(int item) { return harmtrend::GetHostCode(item); }
    static std::wstring GetUnitText(int item) { return harmtrend::GetUnitText(item); }
    static bool IsOrderItem(int item) { return harmtrend::IsOrderItem(item); }
    // Whether the selected samples [first, end) hold the harmonic windows of the
    // analysis settings.
    static bool HarmonicRangeIsLongEnough(std::int64_t first, std::int64_t end);

    const HarmTrendAttrib& GetAttrib() const { return m_attrib; }
    CWaveResultStore* GetKFactorStore() const { return m_kfResult.get(); }
    CWaveHarmWaveTendencyAttribDlg& GetPanel() { return m_attribDlg; }
    bool IsPanelCollapsed() const { return m_listCollapsed; }
    // The panel's width while it is expanded: 220 pixels, or what its controls need.
    int GetPanelWidth() const { return m_panelWidth; }
    static constexpr int kPanelWidth = 220;

protected:
    void OnCreateView() override;
    ui::LResult OnPaneCommand(const WavePaneCommand& command) override;
    ui::LResult OnColoursChanged() override;
    ui::LResult OnExport(const std::wstring& folder) override;
    void LayoutView() override;

private:
    ui::LResult ApplyRecord(int item, const HarmTrendAttrib& record);
    void ShowTrendItem(int item, int phases, int stats);
    void ShowOrderItem(int item, const HarmTrendAttrib& record);
    // The steps both displays share; false when the range is too short (the display
    // stays as it was).
    bool PrepareDisplay(int item, std::int64_t& startBlock, std::int64_t& endBlock);
    // Fetches the item's records again when the item changed or none is held.
    void Refetch(int item, bool withKFactor);
    void DrawOrderRows(const HarmTrendAttrib& record);
    int ApplyMasks(int phases, int stats);
    void ConvertRange(std::int64_t first, std::int64_t end, std::int64_t& startBlock, std::int64_t& endBlock);
    void DetachKFactor();
    bool ExportOrders(const std::wstring& folder);
    bool ExportTrend(const std::wstring& folder);
    void PostSelf();

    HarmTrendAttrib m_attrib;
    int m_panelWidth = kPanelWidth;
    std::unique_ptr<CWaveResultStore> m_kfResult;
    CWaveHarmWaveTendencyAttribDlg m_attribDlg;
};

// Registers the view for its pane kind.
void RegisterHarmonicTrendView();
