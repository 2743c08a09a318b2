#pragma once
// ITracelume: the waveform viewer as its host drives it. CreateTracelume (exported
// by name from the library Tracelume, loaded at run time from the program folder)
// builds the viewer window inside a host window and hands back this interface;
// everything the viewer tells the host goes through the host's ITracelumeCallback.
// All calls come on the user-interface thread. The viewer owns itself: the host
// frees it with Release (or delete) and must stop using every row, row kind and
// cache it received from it before, or when, it does so.
//
// Window handles are the toolkit's windows (wxWindow*), shared with the host since
// both use the one toolkit library of the process.

#include <cstdint>

class IBufferredDataManager;
class IRowItem;
class IRowItemImp;
class ISimpleDataManager;
class ITracelumeCallback;
class wxWindow;

class ITracelume {
public:
    // Destroys the viewer window and frees the viewer, as Release does.
    virtual ~ITracelume() = default;
    virtual void Release() = 0;
    // The viewer's window; null when it could not be made.
    virtual wxWindow* GetHwnd() = 0;
    // Relayout and repaint soon (both do the same).
    virtual void Refresh() = 0;
    virtual void RefreshAll() = 0;
    // A new row, the last child of the parent or the last top-level row (null
    // parent). With the legend option on, the legend shows the new row's kinds.
    virtual IRowItem* AddRow(IRowItem* parent) = 0;
    // Deletes a row of this viewer with its children; any other pointer is ignored.
    virtual void RemoveRow(IRowItem* row) = 0;
    virtual void RemoveAllRows() = 0;
    // 1 bus, 2 single bit, 3 analog; null for any other kind. The host owns the
    // kind until it hands it to a row.
    virtual IRowItemImp* CreateRowImp(int kind) = 0;
    // A summary cache; with a source it is built at once (progress: Notify 118).
    virtual IBufferredDataManager* CreateDataManager(ISimpleDataManager* source) = 0;
    virtual void ShowToolBar(int show) = 0;
    virtual void ShowNavigator(int show) = 0;
    // The background grid of each row (horizontal) and across the time axis (vertical).
    virtual void ShowGrid(int horizontal, int vertical) = 0;
    // 0 normal, 1 view screenshot, 2 magnifier; returns the mode's command id.
    virtual int SetMouseMode(int mode) = 0;
    virtual int GetMouseMode() = 0;
    // Samples per second; a rate that is not a positive finite number is ignored.
    virtual void SetSampleRate(double rate) = 0;
    // 10x the set rate while the detail view is shown.
    virtual double GetSampleRate() = 0;
    // The sample count, in two halves; the view range becomes the whole data.
    virtual void SetDataLength(std::uint32_t low, std::uint32_t high) = 0;
    virtual std::int64_t GetDataLength() = 0;
    virtual void GetZoomRange(int* min, int* max) = 0;
    // Kept within the zoom range; shown at the next Refresh.
    virtual void SetZoom(int level) = 0;
    virtual int GetZoom() = 0;
    virtual void ZoomIn() = 0;
    virtual void ZoomOut() = 0;
    virtual void ZoomAll() = 0;
    // 0 view start, 1 previous page, 2 trigger position (nothing), 3 next page, 4 view end.
    virtual void GoTo(int where) = 0;
    // The host's callback (borrowed; null allowed).
    virtual void SetCallback(ITracelumeCallback* callback) = 0;
    virtual int Reserved(std::uint32_t a, std::uint32_t b) = 0;
    // Numbered settings (kCommand* below); returns 0.
    virtual int Command(int code, std::intptr_t a, std::intptr_t b) = 0;
    // Measuring lines on or off; a row index >= 0 puts both lines on that row.
    virtual void ShowMeasureLines(int on, int row) = 0;
    // A sample position in seconds at the current rate.
    virtual double SampleToTime(double value) = 0;
    // Places a small window of the host (check boxes and the like) in the viewer's
    // toolbar, right of the time box; it is reparented into the toolbar and goes
    // with the viewer. Another window replaces it; null takes it out. A window taken
    // out or replaced goes back to the viewer's parent, hidden. 1 when placed or
    // taken out; 0 without a viewer window.
    virtual int SetToolStrip(wxWindow* strip) = 0;
};

// Codes of ITracelume::Command; a and b as each says.
namespace tracelume {
inline constexpr int kCommandFind = 100;            // the mark "Find" at position a:b (a the high 32 bits)
inline constexpr int kCommandBackground = 101;      // waveform background colour a (COLORREF)
inline constexpr int kCommandTimeOrigin = 102;      // time origin a:b nanoseconds (a the high 32 bits)
inline constexpr int kCommandLabelStyle = 103;      // ruler labels: a 0 relative times, else calendar times
inline constexpr int kCommandContextMenu = 104;     // the waveform's context menu opens only while a != 0
inline constexpr int kCommandSplitterLimits = 105;  // tree width limits min(a, b) .. max(a, b)
inline constexpr int kCommandTreeWidth = 106;       // tree width a, within the limits
inline constexpr int kCommandLegend = 107;          // legend option a != 0
inline constexpr int kCommandMinRegion = 109;       // minimum region width a samples
inline constexpr int kCommandRegionMode = 110;      // toggles region mode (flags a and b), see the control
inline constexpr int kCommandDetailView = 113;      // detail view allowed: a != 0
inline constexpr int kCommandRegionEnabled = 115;   // region command enabled: a == 0
inline constexpr int kCommandSelectRegion = 120;    // selects samples a .. b (whole positions, any order)
}  // namespace tracelume

// The library's entry: the viewer inside the parent window, or null when its window
// could not be made.
extern "C" ITracelume* CreateTracelume(wxWindow* parent);
using CreateTracelumeFunction = ITracelume* (*)(wxWindow* parent);
