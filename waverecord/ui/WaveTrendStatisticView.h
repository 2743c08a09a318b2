#pragma once
// CWaveTrendStatisticView: the statistic views that show one quantity, picked in
// their quantity list, as trends per phase and statistic kind (voltage and current,
// power and energy, unbalance, fluctuation and flicker). They differ only in the
// facts of WaveTrendTraits: their quantities, colour page, list, which phases they
// show and which pane commands they follow.

#include "waverecord/ui/WaveStatisticView.h"

struct WaveTrendTraits {
    WaveTrendKind kind = WaveTrendKind::VoltageCurrent;
    int listKind = -1;
    std::uint32_t firstItem = 0;
    const wchar_t* colourPage = L"";
    // Non-zero: the view always shows these phases instead of the checked channels.
    std::uint32_t fixedPhases = 0;
    // Phases a list choice never shows.
    std::uint32_t phasesNotChosen = 0;
    // The pane commands the view follows, one bit per code.
    std::uint32_t commands = 0;
    // Export column prefix of the fourth phase.
    const wchar_t* fourthPrefix = L"LN";
};

class CWaveTrendStatisticView : public CWaveStatisticView {
public:
    explicit CWaveTrendStatisticView(const WaveTrendTraits& traits);

    const WaveTrendTraits& Traits() const { return m_traits; }
    // The title the item's table is exported under, and its table name.
    std::wstring ExportTitle(std::uint32_t item) const;
    std::wstring ExportTableName(std::uint32_t item) const;

    // Shows the item with the phases and statistic kinds.
    void ShowItem(std::uint32_t item, std::uint32_t phaseBits, std::uint32_t kindBits);

protected:
    void OnCreateView() override;
    ui::LResult OnApply(std::uint32_t item, std::uint32_t kindBits) override;
    ui::LResult OnPaneCommand(const WavePaneCommand& command) override;
    ui::LResult OnColoursChanged() override;
    ui::LResult OnExport(const std::wstring& folder) override;

    // The language text the pane is titled with while the item shows.
    virtual unsigned TitleText(std::uint32_t item) const;

private:
    // The selected range as positions of the item's series, handed to the record.
    void ApplyRange(std::uint32_t item);

    WaveTrendTraits m_traits;
};
