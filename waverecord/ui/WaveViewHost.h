#pragma once
// CWaveViewHost: a view's way to its waveform viewer. It loads the viewer library
// from the program folder (once for the process: the viewer's caches and row kinds
// may be released after a view's viewer is gone, and their code must stay), creates
// the viewer in the view's window, makes rows and attaches to each the result record
// of one measured quantity: one drawn series per phase and statistic kind, coloured
// from the view's colour page and named by phase and kind.
//
// It also serves the data side (IWaveViewHost): the worker that opens a record makes
// summary caches of the raw waveforms through it; that viewer work is carried to the
// user-interface thread and the worker waits for it.
//
// Without the library (or when the viewer cannot be made) every call is a no-op that
// answers 0, false or -1, and the view shows nothing.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/ColorPicker.h"
#include "waverecord/WaveHarmonicTrend.h"
#include "waverecord/WaveViewHost.h"

class CWaveResultStore;
class IRowItem;
class ITracelume;
class ITracelumeCallback;
class wxWindow;

class CWaveViewHost : public IWaveViewHost {
public:
    // Kind bits of the shown statistic kinds.
    static constexpr std::uint32_t kKindMax = 0x01, kKindMin = 0x02, kKindAvg = 0x04, kKind3 = 0x08,
                                   kKindPlain = 0x10, kKindRms = 0x20;

    CWaveViewHost();
    virtual ~CWaveViewHost();
    CWaveViewHost(const CWaveViewHost&) = delete;
    CWaveViewHost& operator=(const CWaveViewHost&) = delete;

    // Creates the viewer in the parent window; false when the library or the viewer
    // is not available.
    bool LoadViewer(wxWindow* parent);
    // Releases the viewer and forgets the rows; the library stays.
    void Clear();
    ITracelume* GetViewer() const { return m_viewer; }
    wxWindow* GetViewerWindow() const;

    bool Refresh();
    void ZoomAll();
    void SetSampleRate(double rate);
    double SampleToTime(double value);
    void SetViewerCallback(ITracelumeCallback* callback);
    void ShowMeasureLines(int on, int row);
    int ViewerCommand(int code, std::intptr_t a, std::intptr_t b);
    // Places the host's strip of controls in the viewer's toolbar.
    bool SetToolStrip(wxWindow* strip);

    // Rows and the result records attached to them (not owned).
    IRowItem* AddRow(IRowItem* parent, CWaveResultStore* store);
    bool SetRowStore(IRowItem* row, CWaveResultStore* store);
    bool AddSeries(IRowItem* row, CWaveResultStore* store, int phase, int kind, float low, float high);
    void AddKinds(IRowItem* row, CWaveResultStore* store, int phase, std::uint32_t kindBits, float low, float high);
    bool UpdateSeries(IRowItem* row, int phase, int kind, float low, float high, bool recolour, bool rename);
    void UpdatePhase(IRowItem* row, int phase, float low, float high, bool recolour, bool rename);
    // Takes a phase's series off the row; with refit the row's range is fitted again
    // over what stays shown.
    bool HidePhase(IRowItem* row, int phase, bool refit);
    // Fits the row's range to the shown series (with a tenth as margin) and attaches
    // them again under it.
    void FitRange(IRowItem* row, std::uint32_t phaseBits, std::uint32_t kindBits);
    // Names and colours the row's series of the phases and kinds (a later FitRange
    // attaches them with those names and colours).
    void NameSeries(IRowItem* row, std::uint32_t phaseBits, std::uint32_t kindBits);
    // Fits the row's range to the shown series without a margin and attaches
    // nothing; a row none of whose series answers keeps its range.
    void FitFrequencyRange(IRowItem* row);
    // Shows a phase (0-3; any other value the system) again and fits the range.
    void ShowPhase(IRowItem* row, int phase);
    // Colours every attached series of the row from the colour page again.
    void Recolour(IRowItem* row);
    // Names a series of the row's record.
    void SetRowName(IRowItem* row, int phase, int kind, const std::wstring& name);
    // Takes every drawn series off the row (the record may then be freed).
    void ClearRow(IRowItem* row);
    // The time axis starts at the start of the selected time range.
    void SetTimeOrigin();
    void SetCursorPosition(std::int64_t position);

    void GetMasks(std::uint32_t& phaseMask, std::uint32_t& kindMask) const;
    void SetItemCode(std::uint32_t code) { m_itemCode = code; }
    std::uint32_t GetItemCode() const { return m_itemCode; }
    void AddKindBits(std::uint32_t bits) { m_kindMask |= bits; }
    void ClearSelection()
    {
        m_kindMask = 0;
        m_harmonic = HarmTrendAttrib{};
    }
    void OpenColourPage(const std::wstring& page);

    // The series' name: the phase's prefix and the kind's text.
    std::wstring SeriesName(int phase, int kind) const;
    std::uint32_t SeriesColour(int phase, int kind) const;
    static int ValueFormatCode(std::uint32_t itemCode);
    static std::uint32_t KindBit(int kind);
    static std::uint32_t PhaseBit(int phase);

    // The harmonic trend view's curves. The selection names the harmonic parameter
    // (the host code of the quantity), the phases, the statistics and the order slots.
    void SetHarmonicSelection(const HarmTrendAttrib& selection) { m_harmonic = selection; }
    const HarmTrendAttrib& GetHarmonicSelection() const { return m_harmonic; }
    // A phase's channel name for the THD and DC quantities ("L%d ..."; the fourth
    // channel is named N); empty for other codes.
    static std::wstring ChannelName(std::uint32_t itemCode, int phaseNumber);
    // An order curve's name: the order number and the statistic's text.
    std::wstring HarmonicName(std::uint32_t kindBit, int entry) const;
    // Names, colours and attaches the curves of one order key for the statistic bits
    // (MAX, MIN, AVG) in the given colour.
    void AddHarmonicSeries(IRowItem* row, int key, std::uint32_t kindBits, int colourIndex, std::uint32_t colour,
                           float low, float high);
    // The curves of every shown order slot of the selection for a phase; each in the
    // colour of its slot (the "Harmonic" page's HARM<slot>).
    void AddHarmonicRow(IRowItem* row, int phase, float low, float high);
    // The series of a record for the phase and kind bits (bit 0x08 left out, and
    // cleared from the masks, for the quantities without a fourth phase).
    void AddPhases(IRowItem* row, CWaveResultStore* store, std::uint32_t phaseBits, std::uint32_t kindBits,
                   float low, float high);
    // Takes the series of a record off the row (a record other than the row's own,
    // such as the K factor beside the orders).
    void DetachStore(IRowItem* row, CWaveResultStore* store);
    CColorPicker& GetColours() { return m_colours; }

    // IWaveViewHost
    IWaveSource* CreateDataManager(ISimpleDataManager* source) override;
    void ColourForRecord(int phaseKey, int kind, WaveLineStyle& style) override;
    void SetCallback(IWaveViewerCallback* callback) override;

private:
    class Viewer;
    class Row;

    Row* FindRow(IRowItem* row) const;
    void SetRowRange(IRowItem* row, float low, float high);

    ITracelume* m_viewer = nullptr;
    std::unique_ptr<Viewer> m_adapter;
    std::map<IRowItem*, std::unique_ptr<Row>> m_rows;
    std::uint32_t m_kindMask = 0;
    std::uint32_t m_phaseMask = 0;
    std::uint32_t m_itemCode = 1;
    CColorPicker m_colours;
    HarmTrendAttrib m_harmonic;
    // The data side's callback, handed to the viewer while caches are built.
    std::unique_ptr<ITracelumeCallback> m_bridge;
    // The view's own callback (selections), given back when the data side is done.
    ITracelumeCallback* m_ownCallback = nullptr;
};
