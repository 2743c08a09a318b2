#pragma once
// What the result records of the waveform-record window need of the waveform viewer:
// a viewer that makes row kinds and sample-summary caches, its rows, the analog row
// kind, the summary cache and the callback through which the viewer reports. The
// window side adapts the viewer library's own interfaces to these; the data side
// and its tests use nothing else of the viewer.
//
// Ownership follows the viewer: a row kind added to a row belongs to the row (the
// row releases it when it is removed with the release flag); summary caches are
// released by whoever made them through the viewer.

#include <cstdint>
#include <string>

class ISimpleDataManager;

// The display record of one drawn series in a row: what the legend and the drawing
// of the row kind take from the row.
struct WaveLineStyle {
    std::wstring name;
    std::uint32_t textColour = 0xFFFFFF;
    std::uint32_t lineColour = 0xFFFFFF;
    // Identifies the series within its row: (phase or order) << 16 | statistic kind.
    std::uint32_t keyWord = 0;
    std::int32_t maskLow = -1;
    std::int32_t maskHigh = -1;
    // 0 draws each value as a step held until the next; 1 joins the values directly,
    // as a sampled waveform is drawn.
    std::int32_t drawMode = 0;
    std::int32_t visible = 1;
    std::int32_t showScale = 0;
    // Words that travel with the key word (item code, phase, statistic kind).
    std::int32_t words[5] = {0, 0, 0, 0, 0};
    std::int32_t highlight = 0;
};

// A sample-summary cache the viewer built over a sample source.
class IWaveSource {
public:
    virtual void Release() = 0;

protected:
    virtual ~IWaveSource() = default;
};

// One drawn signal of a row (the analog kind).
class IWaveRowImp {
public:
    virtual void Release() = 0;
    virtual void SetData(IWaveSource* source) = 0;

protected:
    virtual ~IWaveRowImp() = default;
};

// One row of the viewer.
class IWaveRow {
public:
    // 1 when appended, 0 when the kind is there already.
    virtual int AddImp(IWaveRowImp* imp) = 0;
    // Non-zero when the kind was there; with `release` set the row releases it.
    virtual int RemoveImp(IWaveRowImp* imp, int release) = 0;
    virtual void SetValueText(IWaveRowImp* key, const WaveLineStyle& style) = 0;
    virtual void GetValueText(IWaveRowImp* key, WaveLineStyle& style) = 0;

protected:
    virtual ~IWaveRow() = default;
};

// Callback of the viewer: it reports selections and its progress through Notify.
class IWaveViewerCallback {
public:
    virtual ~IWaveViewerCallback() = default;
    virtual int Notify(int code, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

class IWaveViewer {
public:
    static constexpr int kAnalogRow = 3;

    // A new row kind of the type; null when it cannot be made.
    virtual IWaveRowImp* CreateRowImp(int type) = 0;
    // A summary cache over the host's sample source; null when it cannot be made.
    virtual IWaveSource* CreateDataManager(ISimpleDataManager* source) = 0;
    virtual void SetCursorPosition(std::int64_t position) = 0;

protected:
    virtual ~IWaveViewer() = default;
};
