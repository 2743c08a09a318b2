#pragma once
// What the current and voltage waveform panes do with an opened COMTRADE record,
// apart from their windows: per phase (L1, L2, L3, N) a waveform source and an
// effective-value source, their summary caches and row kinds in the viewer, the
// phase check boxes and the effective-value row, the row heights and the export
// record. The panes differ only in their ComtradePaneKind.
//
// The effective values hold one value per `samples per value` samples (the
// record's own: its rate over its line frequency); their sources are stretched by
// that number, so the effective-value row is as long as the waveform row and lines
// up with it, while the export still reads one row per stored value.

#include <array>
#include <cstdint>

#include "export/ExportSource.h"
#include "terminal/ComtradeDataManager.h"

class IBufferredDataManager;
class IDataModel;
class IRowItem;
class ITracelume;

// The check boxes of the strip, addressed 1-4 (phases L1, L2, L3, N) and 5 (the
// effective-value row); any other index is ignored.
class IPhaseBoxes {
public:
    virtual ~IPhaseBoxes() = default;
    virtual void SetCheck(int index, int state) = 0;
    virtual void Enable(int index, bool enable) = 0;
    // 0 for a disabled box, else its check state.
    virtual int IsChecked(int index) = 0;
};

struct ComtradePaneKind {
    int waveformItem;  // the series code of phase L1's waveform; L2-N follow
    int rmsItem;       // the same of the effective values
    int unit;          // the viewer's unit code of the rows' values
    int exportKind;    // ExportSource::kind
};
inline constexpr ComtradePaneKind kCurrentPaneKind{9, 13, 4, 1};
inline constexpr ComtradePaneKind kVoltagePaneKind{1, 5, 3, 2};

class CComtradePaneLogic {
public:
    static constexpr int kPhases = 4;
    static constexpr int kRmsBox = 5;
    static constexpr std::uint32_t kPhaseColors[kPhases] = {0x00B4B4, 0x00B400, 0x0000DC, 0xB40000};  // COLORREF

    CComtradePaneLogic(const ComtradePaneKind& kind, IPhaseBoxes& boxes);
    ~CComtradePaneLogic();
    CComtradePaneLogic(const CComtradePaneLogic&) = delete;
    CComtradePaneLogic& operator=(const CComtradePaneLogic&) = delete;

    // The viewer the rows go into (borrowed); null before it exists and after it went.
    void SetViewer(ITracelume* viewer) { m_pViewer = viewer; }
    // The pane's client height, from which the row heights follow.
    void SetClientHeight(int height) { m_ClientHeight = height; }

    // The strip as a new pane shows it: every box disabled, L1-L3 and the
    // effective-value box checked.
    void Initialise();
    // A file list loaded or everything closed: no rows, boxes disabled, L1 checked.
    void Reset();
    // The record the model has open: rows, ranges, time scale and zoom.
    void Fill(IDataModel* model);
    // A click on box 1-5 with its new state; phases are shown or hidden from the
    // series already held, without asking the model again.
    void OnBox(int index, int state);
    // Shows or hides the effective-value row after the flag, and lays the rows out.
    void ApplyRms();
    // Row heights: height 0 takes the client height less 100 (at least 100), halved
    // between the two rows while the effective-value row shows.
    void RowLayout(int height);
    // The checked phases' sources for an export, waveforms first, then the effective
    // values when their box is checked; the record's start, interval and samples per
    // value from the model. 1.
    int FillAttributes(IDataModel* model, ExportSource& out);

    CComtradeDataManager& Waveform(int phase) { return m_Waveform[phase]; }
    CComtradeDataManager& Rms(int phase) { return m_Rms[phase]; }
    IRowItem* GetWaveformRow() const { return m_pWaveformRow; }
    IRowItem* GetRmsRow() const { return m_pRmsRow; }
    bool IsRmsShown() const { return m_RmsShown; }
    double GetSampleRate() const { return m_SampleRate; }
    std::uint32_t GetSamplesPerRms() const { return m_SamplesPerRms; }

private:
    void ResetView();
    void ShowPhase(int phase, bool shown);

    ComtradePaneKind m_Kind;
    IPhaseBoxes& m_Boxes;
    ITracelume* m_pViewer = nullptr;
    std::array<CComtradeDataManager, kPhases> m_Waveform;
    std::array<CComtradeDataManager, kPhases> m_Rms;
    std::array<IBufferredDataManager*, kPhases> m_WaveformCache{};
    std::array<IBufferredDataManager*, kPhases> m_RmsCache{};
    IRowItem* m_pWaveformRow = nullptr;
    IRowItem* m_pRmsRow = nullptr;
    bool m_RmsShown = false;
    int m_ClientHeight = 0;
    double m_SampleRate = 0.0;
    std::uint32_t m_SamplesPerRms = 0;
};
