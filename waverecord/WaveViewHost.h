#pragma once
// IWaveViewHost: what the data side of the waveform-record window asks of a view's
// viewer host. The window implements it (one host per view; the raw-waveform pane's
// host receives the raw voltages and currents, items 9997 and 9998, while a record
// opens). The data side calls it from the worker that opens the record: the host
// runs viewer work on the user-interface thread itself and waits for it.

#include "waverecord/WaveViewer.h"

class IWaveViewHost {
public:
    // A summary cache of the host's viewer over the sample source; null without a
    // viewer. The caller releases it.
    virtual IWaveSource* CreateDataManager(ISimpleDataManager* source) = 0;
    // Writes the colour the host shows the series in (the phase key and statistic
    // kind of the series, the host's own item code) into the display record.
    virtual void ColourForRecord(int phaseKey, int kind, WaveLineStyle& style) = 0;
    // The callback the host's viewer reports to while it builds summaries; null
    // takes it away again. Not owned.
    virtual void SetCallback(IWaveViewerCallback* callback) = 0;

protected:
    ~IWaveViewHost() = default;
};
