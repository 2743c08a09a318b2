#pragma once
// Where the time-range dialog floats over the raw-waveform pane: beside the point
// where a range selection ended, on whichever side leaves it inside the pane, and
// pushed back inside the pane when the user drags it partly out. Plain geometry in
// screen pixels, so that the rules are checked without a window.

#include <optional>

struct WavePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const WavePoint&, const WavePoint&) = default;
};

struct WaveRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// Keeps a dialog 8 pixels from the pane's edges.
inline constexpr int kWaveDialogMargin = 8;

// The dialog's new top-left beside the point, trying right-below, then the left
// side (below, else above), then right-above; nothing when it should stay where it
// is (it fits on no side tried).
std::optional<WavePoint> PlaceWaveDialog(WavePoint point, int width, int height, const WaveRect& frame);

// How far to move a dialog that lies partly outside its bounds so that it comes back
// 8 pixels inside them; {0, 0} when it lies inside, or when either rectangle is
// empty. Where both edges of an axis are out, the far edge wins.
WavePoint PushWaveDialogInside(const WaveRect& dialog, const WaveRect& bounds);
