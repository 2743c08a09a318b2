// Where the time-range dialog goes beside a selection's end point, and how far it
// is pushed back when dragged partly out of the raw-waveform pane.
#include <gtest/gtest.h>

#include <optional>

#include "waverecord/WaveDialogPlacement.h"

namespace {

TEST(WaveDialogPlacement, TriesRightBelowThenLeftThenRightAbove)
{
    // A dialog of 300 x 140 pixels.
    const WaveRect frame{0, 0, 1000, 600};
    struct Case {
        const char* name;
        WavePoint point;
        WaveRect frame;
        std::optional<WavePoint> expected;
    };
    const Case cases[] = {
        {"room to the right and below", {100, 100}, frame, WavePoint{108, 108}},
        {"near the right edge: left, below", {900, 100}, frame, WavePoint{592, 108}},
        {"near the right and bottom edges: left, above", {900, 500}, frame, WavePoint{592, 352}},
        {"near the bottom edge, room right: right, above", {100, 500}, frame, WavePoint{108, 352}},
        {"no room left or right: stays", {300, 100}, {0, 0, 600, 600}, std::nullopt},
        {"right side free but neither below nor above: stays", {100, 300}, {0, 200, 1000, 440}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceWaveDialog(c.point, 300, 140, c.frame), c.expected) << c.name;
    }
}

TEST(WaveDialogPlacement, PushesBack8PixelsInside)
{
    const WaveRect bounds{100, 100, 900, 700};
    struct Case {
        const char* name;
        WaveRect dialog;
        WavePoint move;
    };
    const Case cases[] = {
        {"inside", {200, 200, 500, 340}, {0, 0}},
        {"out at the left", {90, 200, 390, 340}, {18, 0}},
        {"out at the right and the bottom", {700, 600, 1000, 740}, {-108, -48}},
        {"out at the top", {200, 50, 500, 190}, {0, 58}},
        {"wider than the bounds: the right edge wins", {50, 200, 950, 340}, {-58, 0}},
        {"an empty dialog is left alone", {0, 0, 0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PushWaveDialogInside(c.dialog, bounds), c.move) << c.name;
    }
    EXPECT_EQ(PushWaveDialogInside({0, 0, 10, 10}, WaveRect{}), (WavePoint{0, 0})) << "no bounds yet";
}

}  // namespace
