#pragma once
// CWaveOrginalViewFrame: the raw-waveform pane of the waveform-record window. It
// shows the open record's voltages and currents in the viewer (two rows), with the
// channel boxes in the viewer's toolbar, and owns the window's selection: the whole
// record once a record is loaded, then every range the user selects. Each change of
// channels or range goes to the owner (the main view) as a pane command record.
//
// Messages (wParam, lParam):
//   kMsgLoad        : the record was analysed: show it; then asks the owner for a
//                     voltage and current view and a harmonic histogram view
//   kMsgReset       : a record is about to be replaced: the viewer is made anew
//   0x469           : a channel box was clicked (checked, 4 | channel << 16)
//   0x46A           : the viewer selected samples (first, last + 1)
//   kMsgApplyWindows: the analysis windows changed
//   0x46C           : the viewer's region mode (on): the range dialog shows with it
//   0x46F           : the range dialog was dragged (0, left | top << 16)
//   kMsgSelectTimes : (const std::int64_t* startMs, const std::int64_t* endMs)
//   0x723           : (std::int32_t* mask) the checked channels
//   0x725           : (std::int64_t* first, std::int64_t* end) the selected samples

#include <cstdint>
#include <memory>

#include "waverecord/ui/WavePaneView.h"
#include "waverecord/ui/WaveStatisticMainFrame.h"

class CWaveResultStore;
class CWaveViewHost;
class CWavePaneLite;
class CTracelumeCallBack;
class CWaveStartAndEndTimeDlg;
class IRowItem;

class CWaveOrginalViewFrame : public CWavePaneView {
public:
    static constexpr unsigned kMsgLoad = 0x465;
    static constexpr unsigned kMsgReset = 0x467;
    static constexpr unsigned kMsgApplyWindows = 0x46B;
    static constexpr unsigned kMsgSelectTimes = 0x46E;
    static constexpr unsigned kMsgAddView = 0x464;  // to the owner: (kind, direction)
    static constexpr unsigned kMsgToStatistics = 0x465;  // to the owner: (WavePaneCommand*, 0)
    static constexpr std::uint32_t kChannelColours[4] = {0x00FFFF, 0x00FF00, 0x0000FF, 0xFF0000};

    CWaveOrginalViewFrame();
    ~CWaveOrginalViewFrame() override;

    void OnViewCreated() override;
    ui::LResult WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) override;

    CWaveViewHost* GetHost() const { return m_host.get(); }
    CWavePaneLite* GetChannels() const { return m_channels.get(); }
    IRowItem* GetVoltageRow() const { return m_voltageRow; }
    IRowItem* GetCurrentRow() const { return m_currentRow; }
    // The viewer's shortest selection in samples, as last applied.
    std::int64_t GetMinimumSelection() const { return m_minimumSamples; }
    // The last command sent to the owner.
    CWaveStartAndEndTimeDlg* GetRangeDialog() const { return m_rangeDialog.get(); }
    CTracelumeCallBack* GetCallback() const { return m_callback.get(); }

private:
    void BuildViewer();
    // Takes the channel strip out of the viewer's toolbar, back into this frame.
    void ReleaseChannelStrip();
    void FetchSeries();
    void Load();
    void Layout();
    // Names the rows in the channel tree.
    void LabelRows();
    void SwitchChannel(bool checked, int channel);
    void RangeSelected(std::int64_t first, std::int64_t end);
    void ApplyWindows();
    void SelectTimes(std::int64_t startMs, std::int64_t endMs);
    // Shows the range dialog beside the screen point, inside the pane.
    void PlaceRangeDialog(int x, int y);
    void SetRangeDialogBounds();

    std::unique_ptr<CTracelumeCallBack> m_callback;
    std::unique_ptr<CWaveResultStore> m_voltages;
    std::unique_ptr<CWaveResultStore> m_currents;
    std::unique_ptr<CWaveViewHost> m_host;
    std::unique_ptr<CWavePaneLite> m_channels;
    IRowItem* m_voltageRow = nullptr;
    IRowItem* m_currentRow = nullptr;
    float m_voltageLow = 0.0f, m_voltageHigh = 0.0f;
    float m_currentLow = 0.0f, m_currentHigh = 0.0f;
    bool m_regionMode = false;
    std::unique_ptr<CWaveStartAndEndTimeDlg> m_rangeDialog;
    int m_anchorX = 0, m_anchorY = 0;  // where the range dialog was put, on the screen
    std::int64_t m_minimumSamples = 0;
};
