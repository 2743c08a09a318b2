// The range slider apart from its window: normalisation of ranges and positions,
// pixel positions, drags and arrow keys, and what a paint draws where. The slider
// never divides by zero and keeps low <= high.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "controls/RangeSliderState.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "tests/gfx/PixelAssert.h"

namespace {

using controls::RangeSliderState;
using Key = RangeSliderState::Key;
using Part = RangeSliderState::Part;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// The slider most cases use: 300 by 20 pixels, so thumbs 15 wide and a track of 270.
constexpr int kWidth = 300;
constexpr int kHeight = 20;
constexpr double kPixel = 1.0 / 270;

struct Recorder {
    std::vector<int> codes;
    void Attach(RangeSliderState& state) {
        state.SetNotify([this](int code) { codes.push_back(code); });
    }
};

std::string Codes(const std::vector<int>& codes) {
    std::string text;
    for (const int code : codes) {
        text += std::to_string(code);
    }
    return text;
}

// A slider laid out as a paint of the given size would leave it.
RangeSliderState PaintedSlider(int width, int height, double low, double high) {
    RangeSliderState state;
    state.SetPosition(low, high);
    gfx::Bitmap bitmap(std::max(width, 1), std::max(height, 1));
    gfx::Context dc(bitmap);
    state.Paint(dc, width, height);
    return state;
}

TEST(RangeSliderStateTest, RangeAndPositionAreNormalisedInsideTheInterval) {
    struct Case {
        const char* name;
        bool inverted;
        double rangeA, rangeB;
        double left, right;
        double rangeLow, rangeHigh, selLow, selHigh;
        const char* codes;  // notifications of SetPosition, in order
    };
    const Case cases[] = {
        {"range given backwards", false, 1, 0, 0.2, 0.4, 0, 1, 0.2, 0.4, ""},
        {"both ends outside", false, 0, 1, -0.5, 2, 0, 1, 0, 1, "01"},
        {"reversed ends are ordered", false, 0, 1, 0.8, 0.2, 0, 1, 0.2, 0.8, ""},
        {"both above the interval", false, 0, 1, 2, 3, 0, 1, 1, 1, "10"},
        {"both below the interval", false, 0, 1, -3, -2, 0, 1, 0, 0, "01"},
        {"inside stays", false, 0, 1, 0.25, 0.75, 0, 1, 0.25, 0.75, ""},
        {"empty interval", false, 0.5, 0.5, 0, 1, 0.5, 0.5, 0.5, 0.5, "01"},
        {"inverted", true, 0, 1, 0.2, 0.7, -1, 0, -0.7, -0.2, ""},
        {"inverted, ends outside", true, 1, 0, -1, 2, -1, 0, -1, 0, "01"},
    };
    for (const Case& c : cases) {
        RangeSliderState state;
        state.SetInverted(c.inverted);
        state.SetRange(c.rangeA, c.rangeB);
        Recorder recorder;
        recorder.Attach(state);
        state.SetPosition(c.left, c.right);
        EXPECT_DOUBLE_EQ(c.rangeLow, state.RangeLow()) << c.name;
        EXPECT_DOUBLE_EQ(c.rangeHigh, state.RangeHigh()) << c.name;
        EXPECT_DOUBLE_EQ(c.selLow, state.SelLow()) << c.name;
        EXPECT_DOUBLE_EQ(c.selHigh, state.SelHigh()) << c.name;
        EXPECT_EQ(c.codes, Codes(recorder.codes)) << c.name;
    }
}

TEST(RangeSliderStateTest, NarrowingTheRangePullsTheSelectionInAndTellsBothEnds) {
    RangeSliderState state;
    Recorder recorder;
    recorder.Attach(state);
    state.SetRange(0.2, 0.6);
    EXPECT_DOUBLE_EQ(0.2, state.SelLow());
    EXPECT_DOUBLE_EQ(0.6, state.SelHigh());
    EXPECT_EQ("01", Codes(recorder.codes));
}

TEST(RangeSliderStateTest, ValuesThatAreNoNumbersAreIgnored) {
    RangeSliderState state;
    state.SetPosition(0.25, 0.5);
    state.SetPosition(kNaN, 0.9);
    state.SetRange(0, kNaN);
    EXPECT_DOUBLE_EQ(0.25, state.SelLow());
    EXPECT_DOUBLE_EQ(0.5, state.SelHigh());
    EXPECT_DOUBLE_EQ(1.0, state.RangeHigh());
}

TEST(RangeSliderStateTest, PaintSizesTheThumbsAndTrackAndPlacesValuesOnPixels) {
    struct Case {
        const char* name;
        int width, height;
        double rangeLow, rangeHigh;
        double value;
        int thumb, track, pixel;
    };
    const Case cases[] = {
        {"start", kWidth, kHeight, 0, 1, 0, 15, 270, 0},
        {"end", kWidth, kHeight, 0, 1, 1, 15, 270, 270},
        {"a quarter rounds 67.5 up", kWidth, kHeight, 0, 1, 0.25, 15, 270, 68},
        {"offset interval", kWidth, kHeight, 10, 20, 15, 15, 270, 135},
        {"odd height", 200, 13, 0, 1, 0.5, 9, 182, 91},
        {"empty interval: the start, no division", kWidth, kHeight, 0.5, 0.5, 0.5, 15, 270, 0},
        {"no room for a track", 20, kHeight, 0, 1, 0.5, 15, -10, 0},
        {"no size at all", 0, 0, 0, 1, 0.5, 0, 0, 0},
    };
    for (const Case& c : cases) {
        RangeSliderState state;
        state.SetRange(c.rangeLow, c.rangeHigh);
        gfx::Bitmap bitmap(std::max(c.width, 1), std::max(c.height, 1));
        gfx::Context dc(bitmap);
        state.Paint(dc, c.width, c.height);
        EXPECT_EQ(c.thumb, state.ThumbWidth()) << c.name;
        EXPECT_EQ(c.track, state.TrackLength()) << c.name;
        EXPECT_EQ(c.pixel, state.PixelOf(c.value)) << c.name;
    }
}

TEST(RangeSliderStateTest, PaintDrawsThumbsBarAndBandWhereTheValuesAre) {
    RangeSliderState state;
    state.SetPosition(0.25, 0.75);  // pixels 68 and 203
    state.SetBand(0.5, 2.0, true);  // from pixel 135, cut at the high thumb
    gfx::Bitmap bitmap(kWidth, kHeight);
    gfx::Context dc(bitmap);
    state.Paint(dc, kWidth, kHeight);

    const gfx::Color background{66, 96, 117};
    const gfx::Color thumb{211, 226, 237};
    const gfx::Color arrow{69, 132, 167};
    const gfx::Color bar{137, 184, 216};
    const gfx::Color band{255, 255, 150};
    const gfx::Color black{0, 0, 0};
    struct Spot {
        const char* name;
        int x, y;
        gfx::Color color;
    };
    const Spot spots[] = {
        {"background before the low thumb", 30, 10, background},
        {"low thumb's outline", 68, 10, black},
        {"low thumb's face", 70, 4, thumb},
        {"low thumb's arrow", 74, 10, arrow},
        {"bar", 100, 10, bar},
        {"band", 160, 10, band},
        {"band stops at the high thumb", 218, 10, black},
        {"high thumb's face", 221, 4, thumb},
        {"high thumb's arrow", 226, 10, arrow},
        {"background after the high thumb", 260, 10, background},
        {"frame of the control", 299, 10, black},
    };
    for (const Spot& spot : spots) {
        EXPECT_TRUE(gfxtest::PixelNear(bitmap, spot.x, spot.y, spot.color, 40)) << spot.name;
    }
    EXPECT_EQ(68 + 1, state.LowThumbRect().left);
    EXPECT_EQ(68 + 15 - 2, state.LowThumbRect().right);
    EXPECT_EQ(203 + 15 + 1, state.HighThumbRect().left);
    EXPECT_EQ(kHeight - 2, state.HighThumbRect().bottom);
}

TEST(RangeSliderStateTest, VerticalFormRunsFromTopToBottom) {
    RangeSliderState state;
    state.SetHorizontal(false);
    state.SetPosition(0.5, 1.0);
    gfx::Bitmap bitmap(kHeight, kWidth);
    gfx::Context dc(bitmap);
    state.Paint(dc, kHeight, kWidth);
    EXPECT_EQ(15, state.ThumbWidth());
    EXPECT_EQ(270, state.TrackLength());
    EXPECT_EQ(135 + 1, state.LowThumbRect().top);
    EXPECT_EQ(1, state.LowThumbRect().left);
    // The Down key moves towards the high end, Right does nothing here.
    EXPECT_FALSE(state.KeyDown(Key::Right, false, false));
    EXPECT_TRUE(state.KeyDown(Key::Up, false, false));
    EXPECT_NEAR(134 * kPixel, state.SelLow(), 1e-12);
}

TEST(RangeSliderStateTest, ArrowKeysMoveByOnePixelUnlessAnEndWouldPassTheTrack) {
    struct Case {
        const char* name;
        double low, high;  // in pixels of the 270-pixel track
        Key key;
        bool shift, control;
        bool handled;
        double newLow, newHigh;  // in pixels
        const char* codes;
    };
    const Case cases[] = {
        {"Right moves both", 27, 135, Key::Right, false, false, true, 28, 136, "2"},
        {"Left moves both", 27, 135, Key::Left, false, false, true, 26, 134, "2"},
        {"Shift+Right moves the high end", 27, 135, Key::Right, true, false, true, 27, 136, "1"},
        {"Shift+Left moves the high end", 27, 135, Key::Left, true, false, true, 27, 134, "1"},
        {"Ctrl does nothing", 27, 135, Key::Right, false, true, false, 27, 135, ""},
        {"Up is not this form's key", 27, 135, Key::Up, false, false, false, 27, 135, ""},
        {"Right at the end changes nothing", 100, 270, Key::Right, false, false, true, 100, 270, "2"},
        {"Left at the start changes nothing", 0, 100, Key::Left, false, false, true, 0, 100, "2"},
        {"Shift+Left never takes high below low", 50, 50, Key::Left, true, false, true, 50, 50, "1"},
    };
    for (const Case& c : cases) {
        RangeSliderState state = PaintedSlider(kWidth, kHeight, c.low * kPixel, c.high * kPixel);
        Recorder recorder;
        recorder.Attach(state);
        EXPECT_EQ(c.handled, state.KeyDown(c.key, c.shift, c.control)) << c.name;
        EXPECT_NEAR(c.newLow * kPixel, state.SelLow(), 1e-12) << c.name;
        EXPECT_NEAR(c.newHigh * kPixel, state.SelHigh(), 1e-12) << c.name;
        EXPECT_EQ(c.codes, Codes(recorder.codes)) << c.name;
        EXPECT_LE(state.SelLow(), state.SelHigh()) << c.name;
    }
}

TEST(RangeSliderStateTest, KeysDoNothingWithoutATrackOrAnInterval) {
    struct Case {
        const char* name;
        int width;
        double rangeLow, rangeHigh;
    };
    const Case cases[] = {
        {"track of negative length", 20, 0, 1},
        {"track of no length", 30, 0, 1},
        {"empty interval", kWidth, 0.5, 0.5},
    };
    for (const Case& c : cases) {
        RangeSliderState state;
        state.SetRange(c.rangeLow, c.rangeHigh);
        gfx::Bitmap bitmap(c.width, kHeight);
        gfx::Context dc(bitmap);
        state.Paint(dc, c.width, kHeight);
        const double low = state.SelLow();
        const double high = state.SelHigh();
        EXPECT_FALSE(state.KeyDown(Key::Right, false, false)) << c.name;
        EXPECT_EQ(low, state.SelLow()) << c.name;
        EXPECT_EQ(high, state.SelHigh()) << c.name;
    }
}

TEST(RangeSliderStateTest, DraggingMovesThePartUnderThePointerWithinTheInterval) {
    struct Case {
        const char* name;
        double low, high;  // in pixels of the track
        int pressAt;       // 0 low thumb's centre, 1 high thumb's centre, 2 between them
        int moveBy;        // pixels
        Part part;
        double newLow, newHigh;  // in pixels
        const char* codes;
    };
    const Case cases[] = {
        {"low thumb right", 27, 135, 0, 27, Part::LowThumb, 54, 135, "0"},
        {"low thumb stops at the high end", 27, 135, 0, 200, Part::LowThumb, 135, 135, "0"},
        {"low thumb stops at the start", 27, 135, 0, -100, Part::LowThumb, 0, 135, "0"},
        {"high thumb left", 27, 135, 1, -35, Part::HighThumb, 27, 100, "1"},
        {"high thumb stops at the low end", 27, 135, 1, -200, Part::HighThumb, 27, 27, "1"},
        {"high thumb stops at the end", 27, 135, 1, 500, Part::HighThumb, 27, 270, "1"},
        // The bar's rectangle is centred a pixel left of the selection's middle.
        {"bar keeps its width", 27, 135, 2, 10, Part::Bar, 36, 144, "2"},
        {"bar stops at the start", 27, 135, 2, -100, Part::Bar, 0, 108, "2"},
        {"bar stops at the end", 27, 135, 2, 300, Part::Bar, 162, 270, "2"},
    };
    for (const Case& c : cases) {
        RangeSliderState state = PaintedSlider(kWidth, kHeight, c.low * kPixel, c.high * kPixel);
        Recorder recorder;
        recorder.Attach(state);
        const controls::PixelRect& lowThumb = state.LowThumbRect();
        const controls::PixelRect& highThumb = state.HighThumbRect();
        const int x = c.pressAt == 0   ? lowThumb.CentreX()
                      : c.pressAt == 1 ? highThumb.CentreX()
                                       : (lowThumb.right + highThumb.left) / 2;
        ASSERT_TRUE(state.ButtonDown(x, kHeight / 2)) << c.name;
        EXPECT_EQ(c.part, state.DragPart()) << c.name;
        EXPECT_TRUE(state.MouseMove(x + c.moveBy, kHeight / 2)) << c.name;
        EXPECT_TRUE(state.ButtonUp()) << c.name;
        EXPECT_FALSE(state.IsDragging()) << c.name;
        EXPECT_NEAR(c.newLow * kPixel, state.SelLow(), 1e-9) << c.name;
        EXPECT_NEAR(c.newHigh * kPixel, state.SelHigh(), 1e-9) << c.name;
        EXPECT_EQ(c.codes, Codes(recorder.codes)) << c.name;
    }
}

TEST(RangeSliderStateTest, PressesOutsideThePartsStartNoDragAndMovesWithoutADragChangeNothing) {
    RangeSliderState state = PaintedSlider(kWidth, kHeight, 100 * kPixel, 200 * kPixel);
    EXPECT_FALSE(state.MouseMove(150, 10));
    // Before the low thumb and after the high one there is only background.
    EXPECT_FALSE(state.ButtonDown(50, 10));
    EXPECT_FALSE(state.ButtonDown(290, 10));
    EXPECT_FALSE(state.IsDragging());
    EXPECT_FALSE(state.ButtonUp());
}

TEST(RangeSliderStateTest, DragsDoNothingWithoutATrack) {
    RangeSliderState state = PaintedSlider(30, kHeight, 0, 1);
    ASSERT_EQ(0, state.TrackLength());
    if (state.ButtonDown(state.LowThumbRect().CentreX(), 10)) {
        EXPECT_FALSE(state.MouseMove(25, 10));
    }
    EXPECT_DOUBLE_EQ(0, state.SelLow());
    EXPECT_DOUBLE_EQ(1, state.SelHigh());
}

}  // namespace
