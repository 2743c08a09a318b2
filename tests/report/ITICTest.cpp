#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "report/ITICImpl.h"
#include "report/ImageReporter.h"
#include "report/ReportConfig.h"
#include "tests/gfx/PixelAssert.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ComtradeRecord.h"

namespace {

using Region = CITICImpl::Region;

constexpr gfx::Color kRed{255, 0, 0};
constexpr gfx::Color kYellow{255, 255, 0};
constexpr gfx::Color kBlue{0, 0, 255};

CITICImpl MakeChart()
{
    return CITICImpl(L"持续时间(ms)", L"电压幅值(%)", L"事件数", L"越限数");
}

TEST(ITIC, RegionsOfTheToleranceCurveAreClosedAtTheirLimits)
{
    struct Case {
        std::int32_t duration;
        float magnitude;
        Region region;
    };
    const Case cases[] = {
        {100, 125, Region::Above},   {1000, 115, Region::Above}, {1000, 105, Region::Inside},
        {100, 60, Region::Below},    {2, 161, Region::Above},    {2, 159, Region::Inside},
        {1, 179, Region::Inside},    {3, 121, Region::Above},    {3, 119, Region::Inside},
        {500, 111, Region::Above},   {499, 115, Region::Inside}, {500, 79, Region::Below},
        {499, 75, Region::Inside},   {20, 69, Region::Below},    {19, 1, Region::Inside},
        {10000, 85, Region::Below},  {9999, 85, Region::Inside}, {86400000, 89, Region::Below},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CITICImpl::Classify(c.duration, c.magnitude), c.region) << c.duration << " ms at " << c.magnitude;
    }
    const CITICImpl chart = MakeChart();
    const std::vector<std::int32_t> durations = {100, 1000, 1000, 100, 3, 500};
    const std::vector<float> magnitudes = {125, 115, 105, 60, 130, 112};
    EXPECT_EQ(chart.CountEvents(1, durations, magnitudes), 6);
    EXPECT_EQ(chart.CountEvents(2, durations, magnitudes), 4) << "3 ms and 500 ms count";
    EXPECT_EQ(chart.CountEvents(3, durations, magnitudes), 0);
    EXPECT_EQ(chart.CountEvents(1, {}, {}), 0);
    EXPECT_EQ(chart.CountEvents(1, {1, 2}, {1}), 0) << "lists of other lengths";
}

TEST(ITIC, TheTimeAxisReachesTheLongestEvent)
{
    struct Case {
        std::int32_t longest;
        int decades;
        bool widened;
    };
    for (const Case c : {Case{100, 4, false}, Case{9999, 4, false}, Case{10000, 4, true}, Case{10001, 5, true},
                         Case{123456, 6, true}, Case{0, 4, false}, Case{-5, 4, false},
                         Case{std::numeric_limits<std::int32_t>::max(), 10, true}}) {
        CITICImpl chart = MakeChart();
        EXPECT_EQ(chart.GetDecade(c.longest), c.widened) << c.longest;
        EXPECT_EQ(chart.GetDecades(), c.decades) << c.longest;
        const gfx::Rect plot = CITICImpl::PlotArea(700, 500);
        if (c.longest > 0) {
            EXPECT_LE(chart.EventPosition(plot, c.longest, 100).x, plot.right) << c.longest << " lies on the axis";
        }
    }
}

TEST(ITIC, EventsAreKeptOneByOneAndUnplaceableOnesLeftOut)
{
    CITICImpl chart = MakeChart();
    EXPECT_FALSE(chart.AddEvents({}));
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(chart.AddEvents({{100, 125}, {100, 60}, {0, 50}, {-80, 50}, {200, nan},
                                 {200, std::numeric_limits<float>::infinity()}, {1000, 115}}));
    EXPECT_EQ(chart.GetDurations(), (std::vector<std::int32_t>{100, 100, 1000})) << "equal durations are two events";
    EXPECT_EQ(chart.GetLeftOutCount(), 4u);
    EXPECT_EQ(chart.LegendText(), L"事件数:3 越限数:2 ");
    EXPECT_EQ(chart.GetLongestDuration(), 1000);
    EXPECT_EQ(chart.Release(), 1);
    EXPECT_TRUE(chart.GetDurations().empty());
    EXPECT_EQ(chart.LegendText(), L"事件数:0 越限数:0 ");
}

TEST(ITIC, EventsAreDrawnInTheColourOfTheirRegion)
{
    CITICImpl chart = MakeChart();
    const std::vector<CIticEvent> events = {{100, 125}, {1000, 105}, {100, 60}, {15000, 85}, {2, 170}, {50, 400}};
    chart.AddEvents(events);
    chart.SetShowLabels(1);
    chart.GetDecade(15000);
    gfx::Bitmap bitmap(700, 500);
    {
        gfx::Context dc(bitmap);
        EXPECT_EQ(chart.Draw(dc, 700, 500), 1);
    }
    const gfx::Rect plot = CITICImpl::PlotArea(700, 500);
    const std::vector<gfx::Color> colors = {kRed, kBlue, kYellow, kYellow, kRed, kRed};
    for (std::size_t i = 0; i < events.size(); ++i) {
        const gfx::Point p = chart.EventPosition(plot, events[i].duration, events[i].magnitude);
        EXPECT_TRUE(gfxtest::PixelNear(bitmap, static_cast<int>(p.x) + 1, static_cast<int>(p.y) + 1, colors[i], 0))
            << events[i].duration << " ms at " << events[i].magnitude << " %";
    }
    EXPECT_EQ(chart.EventPosition(plot, 50, 400).y, plot.top) << "held to the plot";
    EXPECT_TRUE(gfxtest::PixelNear(bitmap, 5, 250, gfx::Color{229, 229, 229}, 0)) << "the ground";
    EXPECT_EQ(gfx::MissingGlyphCount(chart.LegendText() + L"持续时间(ms) 电压幅值(%) X:(ms)", gfx::Font{L"宋体", 14}), 0);

    // Without labels neither the legend nor the events are drawn.
    CITICImpl bare = MakeChart();
    bare.AddEvents(events);
    bare.SetShowLabels(0);
    gfx::Bitmap plain(700, 500);
    {
        gfx::Context dc(plain);
        bare.Draw(dc, 700, 500);
    }
    const gfx::Point p = bare.EventPosition(plot, 100, 60);
    EXPECT_FALSE(gfxtest::PixelNear(plain, static_cast<int>(p.x) + 1, static_cast<int>(p.y) + 1, kYellow, 0));
}

// Records of transient events whose L1 voltage RMS is `magnitude` % of a 100 V nominal.
struct EventRecord {
    int kind;
    int duration;
    double magnitude;
};

void WriteEvents(const std::filesystem::path& folder, const std::vector<EventRecord>& records, int hour)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        const gen::DateTime first{2023, 4, 5, hour, 15, static_cast<int>(i), 0};
        ASSERT_TRUE(gen::WriteComtradeEvent(folder / "COMTRADE" / "001" / gen::ComtradeRecordName("TR", first),
                                            records[i].kind, records[i].duration, records[i].magnitude, first));
    }
}

struct IticFixture {
    testsupport::TempDir dir;
    CReportConfig config;
    reporttest::FixedModel model;
    ImageReporter reporter;

    explicit IticFixture(const wchar_t* nominal)
    {
        BasicInfo record;
        record.startText = L"2023-04-05 10:00:00.000";
        record.endText = L"2023-04-05 11:00:00.000";
        record.voltageText = nominal;
        EXPECT_EQ(reporter.Init(platform::FromPath(dir.Path()), 1, &record, &config, &model, &model, &model, 0), 1);
    }
};

TEST(ITIC, EventsOfAGeneratedComtradeSetLandInTheirRegions)
{
    IticFixture f(L"100");
    const std::vector<EventRecord> inside = {
        {1, 100, 125},  // swell: its highest RMS, above the curve
        {1, 1000, 115}, // above
        {1, 1000, 105}, // inside
        {2, 100, 60},   // dip: its lowest RMS, below
        {2, 100, 90},   // the same duration again: a point of its own, inside
        {3, 1000, 5},   // interruption, below
        {2, 15000, 85}, // beyond 10 s: below the 90 % line
        {2, -80, 50},   // a record shorter than the cycles around an event: no usable duration
        {4, 100, 100},  // inrush current: not a voltage event
    };
    WriteEvents(f.dir.Path(), inside, 10);
    WriteEvents(f.dir.Path(), {{1, 100, 200}}, 12);  // outside the report's span

    const std::vector<CIticEvent> events = f.reporter.CollectIticEvents();
    ASSERT_EQ(events.size(), 8u) << "the inrush record and the record out of span give no event";
    const std::vector<std::int32_t> durations = {100, 1000, 1000, 100, 100, 1000, 15000, -80};
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].duration, durations[i]) << i;
        EXPECT_NEAR(events[i].magnitude, inside[i].magnitude, 0.2) << i;
    }

    CITICImpl chart = MakeChart();
    chart.AddEvents(events);
    EXPECT_EQ(chart.GetLeftOutCount(), 1u);
    EXPECT_EQ(chart.CountEvents(1, chart.GetDurations(), chart.GetMagnitudes()), 7);
    EXPECT_EQ(chart.CountEvents(2, chart.GetDurations(), chart.GetMagnitudes()), 2);
    std::vector<Region> regions;
    for (std::size_t i = 0; i < chart.GetDurations().size(); ++i) {
        regions.push_back(CITICImpl::Classify(chart.GetDurations()[i], chart.GetMagnitudes()[i]));
    }
    EXPECT_EQ(regions, (std::vector<Region>{Region::Above, Region::Above, Region::Inside, Region::Below,
                                            Region::Inside, Region::Below, Region::Below}));

    // The saved picture shows them, with the time axis widened to 100 s.
    const std::filesystem::path file = f.dir.Path() / "out" / "itic.png";
    std::filesystem::create_directories(file.parent_path());
    ASSERT_EQ(f.reporter.BuildIticPicture(platform::FromPath(file)), 1);
    const gfx::Bitmap picture = gfx::Bitmap::LoadPng(file);
    ASSERT_EQ(picture.Width(), 700);
    ASSERT_EQ(picture.Height(), 500);
    chart.GetDecade(15000);
    EXPECT_EQ(chart.GetDecades(), 5);
    const gfx::Rect plot = CITICImpl::PlotArea(700, 500);
    const gfx::Point swell = chart.EventPosition(plot, 100, events[0].magnitude);
    EXPECT_TRUE(gfxtest::PixelNear(picture, static_cast<int>(swell.x) + 1, static_cast<int>(swell.y) + 1, kRed, 0));
    const gfx::Point longDip = chart.EventPosition(plot, 15000, events[6].magnitude);
    EXPECT_TRUE(gfxtest::PixelNear(picture, static_cast<int>(longDip.x) + 1, static_cast<int>(longDip.y) + 1, kYellow, 0));
}

TEST(ITIC, WithoutANominalVoltageNoEventIsPlaced)
{
    IticFixture f(L"0");
    WriteEvents(f.dir.Path(), {{2, 100, 60}, {1, 100, 125}}, 10);
    const std::vector<CIticEvent> events = f.reporter.CollectIticEvents();
    ASSERT_EQ(events.size(), 2u);
    CITICImpl chart = MakeChart();
    EXPECT_FALSE(chart.AddEvents(events));
    EXPECT_EQ(chart.GetLeftOutCount(), 2u) << "never plotted at infinity";
}

}  // namespace
