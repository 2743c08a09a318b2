#include "waverecord/WaveDialogPlacement.h"

std::optional<WavePoint> PlaceWaveDialog(WavePoint point, int width, int height, const WaveRect& frame)
{
    constexpr int m = kWaveDialogMargin;
    const bool fitsRight = point.x + width < frame.right - m;
    const bool fitsBelow = point.y + height < frame.bottom - m;
    const bool fitsAbove = point.y - height > frame.top + m;
    if (fitsRight && fitsBelow) {
        return WavePoint{point.x + m, point.y + m};
    }
    if (point.x - width > frame.left + m) {
        if (fitsBelow) {
            return WavePoint{point.x - width - m, point.y + m};
        }
        if (fitsAbove) {
            return WavePoint{point.x - width - m, point.y - height - m};
        }
    }
    if (!fitsRight) {
        return std::nullopt;
    }
    if (fitsAbove) {
        return WavePoint{point.x + m, point.y - height - m};
    }
    return std::nullopt;
}

WavePoint PushWaveDialogInside(const WaveRect& dialog, const WaveRect& bounds)
{
    constexpr int m = kWaveDialogMargin;
    WavePoint move;
    if (dialog.IsEmpty() || bounds.IsEmpty()) {
        return move;
    }
    if (dialog.left < bounds.left) {
        move.x = bounds.left - dialog.left + m;
    }
    if (dialog.right > bounds.right) {
        move.x = bounds.right - dialog.right - m;
    }
    if (dialog.top < bounds.top) {
        move.y = bounds.top - dialog.top + m;
    }
    if (dialog.bottom > bounds.bottom) {
        move.y = bounds.bottom - dialog.bottom - m;
    }
    return move;
}
