#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/ImageCodec.h"
#include "report/ImageReporter.h"
#include "report/PictureNames.h"
#include "report/ReportConfig.h"
#include "report/ReportDrawing.h"
#include "report/RtfReportText.h"
#include "report/SaveImageByExtension.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "tests/gfx/PixelAssert.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tests/support/TempDir.h"
#include "tools/gen/StatisticFolder.h"

namespace {

using reporttest::FixedModel;
namespace fs = std::filesystem;

constexpr std::uint32_t kRecords = 30;

void AddRange(std::vector<std::uint32_t>& items, std::uint32_t first, std::uint32_t last)
{
    for (std::uint32_t id = first; id <= last; ++id) {
        items.push_back(id);
    }
}

// Voltage RMS, negative voltage peak, frequency, active energy, flicker, the voltage
// harmonics and the voltage and current harmonic groups the bar charts read.
std::vector<std::uint32_t> PictureItems(std::uint32_t voltageGroups = 50, std::uint32_t currentGroups = 50)
{
    std::vector<std::uint32_t> items = {1, 4, 7, 19};
    AddRange(items, 25, 74);
    AddRange(items, 160, 159 + voltageGroups);
    AddRange(items, 347, 346 + currentGroups);
    items.push_back(449);
    items.push_back(450);
    return items;
}

// A generated statistic folder of one-minute records from 2026-03-01 00:00, opened
// through the statistic model, and a picture reporter on it.
struct PictureRun {
    testsupport::TempDir dir;
    CGlobalModel model;
    BasicInfo record;
    CReportConfig config;
    FixedModel soe;
    ImageReporter reporter;

    explicit PictureRun(const std::vector<std::uint32_t>& items = PictureItems())
    {
        gen::StatisticFolderOptions options;
        options.items = items;
        options.records = kRecords;
        options.realisticValues = true;
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path() / "data", options));
        const std::int64_t end = *platform::FromLocalTime(2026, 3, 1, 0, 30, 0);
        std::array<std::uint32_t, 14> query = {0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0,
                                               static_cast<std::uint32_t>(end),
                                               static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32), 0, 0};
        CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                          platform::FromPath(dir.Path() / "data")};
        model.OpenData(&request);
        EXPECT_EQ(model.QueryBasicInfo(&record), 1);
    }
    void Init()
    {
        ASSERT_EQ(reporter.Init(platform::FromPath(dir.Path() / "data"), 3, &record, &config, &model, &model, &soe, 0),
                  1);
    }
    fs::path Output() const { return dir.Path() / "输出" / "pictures"; }
    int Run(int trend, int histograms, int itic, int share = 100)
    {
        reporter.SetOptions(trend, histograms, itic);
        return reporter.ReportOutput(platform::FromPath(Output()), share);
    }
};

std::set<std::string> FilesIn(const fs::path& folder)
{
    std::set<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        names.insert(platform::PathToUtf8(entry.path().filename()));
    }
    return names;
}

CReportTrendItem Item(const std::string& key, std::vector<std::int32_t> phases, std::int32_t enabled = 1)
{
    CReportTrendItem item(key);
    for (std::int32_t code = 0; code <= 4; ++code) {
        const bool on = std::find(phases.begin(), phases.end(), code) != phases.end();
        item.SetPhase(CReportTrendPhase{on ? 1 : 0, code, on ? 1 : 0, on ? 1 : 0, on ? 1 : 0, 0, 0});
    }
    item.Enabled = enabled;
    return item;
}

// The harmonic part with one trend item of the key and its order selections.
CReportHarmPart HarmPart(const std::string& key, const std::vector<OrderGroup>& groups)
{
    CHarmTrendItem item(key);
    item.ClearGroups();
    for (const OrderGroup& group : groups) {
        item.AddGroup(group);
    }
    CReportHarmPart part;
    part.SetTrendItem(item);
    return part;
}

TEST(ImageReporter, WritesTheConfiguredPicturesOfAGeneratedFolder)
{
    PictureRun run;
    run.config.SetTrendPart({
        Item("ZVTrendUrms", {0, 1, 2}),          // chart kind 3: one picture per phase
        Item("ZVTrendFreq", {4}),                // kind 1: one picture, no phase label
        Item("ZVTrendUpkMinus", {0, 1, 2}),      // kind 1400: per phase
        Item("ZVTrendWP", {0, 3}),               // kind 84: L1 and the sum
        Item("ZVTrendPst", {0, 1, 2}),           // kind 10: one picture of the phases
        Item("ZVTrendIrms", {0, 1, 2}, 0),       // disabled
    });
    run.config.SetHarmPart(HarmPart("ZVTrendUHarmL1", {{7, 3, 5}, {2, 4}, {9}, {11, 13}}));
    run.Init();
    const int counter = run.reporter.GetCounter();
    ASSERT_EQ(run.Run(1, 1, 1), 1) << platform::WideToUtf8(run.reporter.GetReportName());

    const std::set<std::string> expected = {
        "电压有效值_L1.png", "电压有效值_L2.png", "电压有效值_L3.png", "频率.png",
        "电压负峰值_L1.png", "电压负峰值_L2.png", "电压负峰值_L3.png", "有功电能_L1.png",
        "有功电能_总有功电能.png", "短时闪变Pst.png",
        "L1电压谐波_1.png", "L1电压谐波_2.png", "L1电压谐波_3.png", "L1电压谐波_4.png",
        "电压谐波子组柱状图_L1.png", "电压谐波子组柱状图_L2.png", "电压谐波子组柱状图_L3.png",
        "电流谐波子组柱状图_L1.png", "电流谐波子组柱状图_L2.png", "电流谐波子组柱状图_L3.png", "itic.png",
    };
    EXPECT_EQ(FilesIn(run.Output()), expected) << "exactly these, and no file left half-written";
    EXPECT_EQ(run.reporter.GetWrittenFiles().size(), expected.size());
    // Five trend builders answered 1 and two calls built the four harmonic trend charts.
    EXPECT_EQ(run.reporter.GetCounter(), counter + 5 + 2);

    for (const std::string& name : expected) {
        const gfx::Bitmap picture = gfx::Bitmap::LoadPng(run.Output() / platform::ToPath(std::string_view(name)));
        EXPECT_EQ(picture.Width(), name == "itic.png" ? 700 : 1000) << name;
        EXPECT_EQ(picture.Height(), name == "itic.png" ? 500 : 432) << name;
    }
    // The L1 voltage: red, green and blue curves inside the plot, black text in the title band.
    const gfx::Bitmap voltage = gfx::Bitmap::LoadPng(run.Output() / platform::ToPath(std::string_view("电压有效值_L1.png")));
    auto count = [&](const gfx::Bitmap& b, int top, int bottom, auto test) {
        int n = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = 100; x < 980; ++x) {
                n += test(b.PixelAt(x, y)) ? 1 : 0;
            }
        }
        return n;
    };
    EXPECT_GT(count(voltage, 60, 370, [](gfx::Color c) { return c.r > 200 && c.g < 60 && c.b < 60; }), 200);
    EXPECT_GT(count(voltage, 60, 370, [](gfx::Color c) { return c.g > 150 && c.r < 60 && c.b < 60; }), 200);
    EXPECT_GT(count(voltage, 60, 370, [](gfx::Color c) { return c.b > 200 && c.r < 60 && c.g < 60; }), 200);
    EXPECT_GT(count(voltage, 10, 40, [](gfx::Color c) { return c.r < 60 && c.g < 60 && c.b < 60; }), 50);
    EXPECT_EQ(gfx::MissingGlyphCount(L"-电压有效值-L1 最大值:231.000 03/01 00:30:00", report::PointFont(L"黑体", 15)), 0);
    // Harmonic bars: the four legend colours of the scheme stand in the legend.
    const gfx::Bitmap bars =
        gfx::Bitmap::LoadPng(run.Output() / platform::ToPath(std::string_view("电流谐波子组柱状图_L1.png")));
    EXPECT_GT(count(bars, 30, 60, [](gfx::Color c) { return c.r == 185 && c.g == 122 && c.b == 87; }), 100)
        << "the 95 % swatch";
}

TEST(ImageReporter, BarPicturesNeedTwentyFourOrders)
{
    PictureRun run(PictureItems(23, 24));  // voltage groups end after order 23, current ones reach 24
    run.Init();
    ASSERT_EQ(run.Run(0, 1, 0), 1);
    EXPECT_EQ(FilesIn(run.Output()), (std::set<std::string>{"电流谐波子组柱状图_L1.png", "电流谐波子组柱状图_L2.png",
                                                              "电流谐波子组柱状图_L3.png"}));
}

TEST(ImageReporter, BusyIndicatorStepsAndNoOptions)
{
    PictureRun run({1, 4, 7, 19, 449});
    run.config.SetTrendPart({Item("ZVTrendUrms", {0}), Item("ZVTrendWP", {0}), Item("ZVTrendUpkMinus", {0}),
                             Item("ZVTrendFreq", {4}), Item("ZVTrendPst", {0})});
    run.config.SetHarmPart(CReportHarmPart());
    run.Init();
    platform::RecordingHourglaze& bar = platform::HeadlessHourglaze();
    bar.Reset();
    bar.Update(10);
    ASSERT_EQ(run.Run(1, 0, 0, 30), 1);
    // Kinds 3, 1 and 10 step the bar by share / 100 x the counter before the step;
    // the energy and negative-peak charts do not.
    std::vector<double> positions = bar.Get().positions;
    EXPECT_EQ(positions, (std::vector<double>{10, 10, 10.3f, 10.6f, 40})) << "then start + share at the end";
    EXPECT_EQ(run.reporter.GetProgressCounter(), 60.0f);

    PictureRun none({1});
    none.Init();
    bar.Reset();
    ASSERT_EQ(none.Run(0, 0, 0, 100), 1);
    EXPECT_TRUE(fs::is_directory(none.Output())) << "the folder is made with its parents";
    EXPECT_TRUE(FilesIn(none.Output()).empty());
    EXPECT_EQ(bar.Get().positions, (std::vector<double>{100}));
}

// Wording whose name of the voltage RMS is missing and whose frequency name cannot be a file name.
class OddWording {
public:
    explicit OddWording(const testsupport::TempDir& dir)
    {
        std::string text = testsupport::ReadAll(testsupport::BuildProgramFolder() / "Language" / "Chinese" /
                                                "RtfReport.xml");
        Replace(text, "<ZV_TREND_NAME_URMS>电压有效值</ZV_TREND_NAME_URMS>", "");
        Replace(text, "<ZV_TREND_NAME_FREQ>频率</ZV_TREND_NAME_FREQ>",
                "<ZV_TREND_NAME_FREQ>频率/Hz:测量?</ZV_TREND_NAME_FREQ>");
        EXPECT_EQ(CRtfReportText::Instance().LoadFile(dir.Write("odd.xml", text)), 1);
    }
    ~OddWording() { CRtfReportText::Instance().Load(); }

private:
    static void Replace(std::string& text, const std::string& from, const std::string& to)
    {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    }
};

TEST(ImageReporter, NamesFallBackToTheKeyAndAreMadeSafe)
{
    PictureRun run({1, 7});
    const OddWording wording(run.dir);
    run.config.SetTrendPart({Item("ZVTrendUrms", {0}), Item("ZVTrendFreq", {4})});
    run.config.SetHarmPart(CReportHarmPart());
    run.Init();
    ASSERT_EQ(run.Run(1, 0, 0), 1);
    EXPECT_EQ(FilesIn(run.Output()), (std::set<std::string>{"ZVTrendUrms_L1.png", "频率_Hz_测量_.png"}));
}

TEST(ImageReporter, PictureNamesNeverReplaceEachOther)
{
    CPictureNames names;
    struct Case {
        const wchar_t* text;
        const wchar_t* fallback;
        const wchar_t* name;
    };
    const Case cases[] = {
        {L"电压有效值_L1", L"ZVTrendUrms_L1", L"电压有效值_L1"},
        {L"电压有效值_L1", L"ZVTrendUrms_L1", L"电压有效值_L1_2"},
        {L"电压有效值_l1", L"x", L"电压有效值_l1_3"},  // names differing only in case collide on shared disks
        {L"a/b\\c:d*e?f\"g<h>i|j", L"x", L"a_b_c_d_e_f_g_h_i_j"},
        {L"_??_", L"ZVTrendFreq", L"ZVTrendFreq"},
        {L"", L"ZVTrendFreq", L"ZVTrendFreq_2"},
        {L"  trailing dots.. ", L"x", L"trailing dots"},
        {L"...", L"key", L"key"},
        {L"CON", L"x", L"CON_"},
        {L"line\nbreak", L"x", L"line_break"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(names.Reserve(c.text, c.fallback), c.name) << platform::WideToUtf8(c.text);
    }
    EXPECT_EQ(names.Reserve(std::wstring(300, L'长'), L"x").size(), 120u);
}

TEST(ImageReporter, APictureThatCannotBeWrittenFailsTheReport)
{
    PictureRun run({1});
    run.config.SetTrendPart({Item("ZVTrendUrms", {0, 1})});
    run.config.SetHarmPart(CReportHarmPart());
    run.Init();
    fs::create_directories(run.Output().parent_path());
    ASSERT_TRUE(platform::AtomicWriteFile(run.Output(), "a file where the folder should be"));
    EXPECT_EQ(run.Run(1, 0, 1), 0);
    const std::wstring message = run.reporter.GetReportName();
    EXPECT_NE(message.find(L"电压有效值_L1.png"), std::wstring::npos) << platform::WideToUtf8(message);
    EXPECT_NE(message.find(L"图片文件无法写入"), std::wstring::npos);
    EXPECT_TRUE(run.reporter.GetWrittenFiles().empty());
    EXPECT_EQ(FilesIn(run.Output().parent_path()), (std::set<std::string>{"pictures"})) << "nothing left behind";
}

TEST(ImageReporter, TheSurfaceServesOnePicture)
{
    testsupport::TempDir dir;
    ImageReporter reporter;
    EXPECT_EQ(reporter.SavePng(platform::FromPath(dir.Path() / "none")), 0) << "no surface";
    ASSERT_EQ(reporter.NewChartSurface(), 1);
    ASSERT_NE(reporter.GetSurfaceGraphics(), nullptr);
    EXPECT_EQ(reporter.SavePng(platform::FromPath(dir.Path() / "one")), 1);
    EXPECT_EQ(reporter.SavePng(platform::FromPath(dir.Path() / "two")), 0) << "the surface ended with the first save";
    const gfx::Bitmap saved = gfx::Bitmap::LoadPng(dir.Path() / "one.png");
    EXPECT_EQ(saved.PixelAt(500, 200), (gfx::Color{255, 255, 255})) << "a fresh surface is white";
    EXPECT_EQ(FilesIn(dir.Path()), (std::set<std::string>{"one.png"}));
}

TEST(ImageReporter, SaverChoosesItsEncoderByExtension)
{
    struct Case {
        const wchar_t* extension;
        const wchar_t* mime;
    };
    for (const Case c : {Case{L" JPG ", L"image/jpeg"}, Case{L"jpe", L"image/jpeg"}, Case{L"JFIF", L"image/jpeg"},
                         Case{L"tif", L"image/tiff"}, Case{L"TIFF", L"image/tiff"}, Case{L"gif", L"image/gif"},
                         Case{L"png", L"image/png"}, Case{L"", L"image/bmp"}, Case{L"emf", L"image/bmp"}}) {
        EXPECT_EQ(ImageMimeType(c.extension), c.mime) << platform::WideToUtf8(c.extension);
    }
    gfx::Bitmap bitmap(40, 30);
    bitmap.SetPixel(1, 1, gfx::Color{255, 0, 0});
    testsupport::TempDir dir;
    std::string stream;
    ASSERT_TRUE(SaveImageByExtension(bitmap, 50, 30, L"jpg", &stream, L""));
    const gfx::Bitmap decoded = gfx::DecodeImage(stream);
    EXPECT_EQ(decoded.Width(), 50) << "the asked size";
    const std::wstring file = platform::FromPath(dir.Path() / "p.bmp");
    ASSERT_TRUE(SaveImageByExtension(bitmap, 40, 30, L"bmp", nullptr, file));
    EXPECT_EQ(gfx::LoadImageFile(dir.Path() / "p.bmp").Width(), 40);
    EXPECT_FALSE(SaveImageByExtension(bitmap, 40, 30, L"gif", nullptr, platform::FromPath(dir.Path() / "p.gif")))
        << "no GIF encoder";
    EXPECT_FALSE(fs::exists(dir.Path() / "p.gif"));
    EXPECT_FALSE(SaveImageByExtension(bitmap, 40, 30, L"png", nullptr, platform::FromPath(dir.Path() / "no" / "p.png")));
}

// A model that answers every bar query of the first `orders` orders with one value
// in a summarising manager, and keeps the queries.
class BarModel : public FixedModel {
public:
    explicit BarModel(std::uint32_t orders) : m_Orders(orders) {}
    int GetData(QueryWord channel, QueryWord statistic, QueryWord order, QueryWord valueKind, QueryWord item,
                QueryWord manager) override
    {
        queries.push_back({static_cast<std::uint32_t>(channel), static_cast<std::uint32_t>(statistic),
                           static_cast<std::uint32_t>(order), static_cast<std::uint32_t>(valueKind),
                           static_cast<std::uint32_t>(item)});
        if (order >= m_Orders) {
            return 0;
        }
        auto* sink = reinterpret_cast<IZVDataManager*>(manager);
        sink->Release();
        sink->AddValue(1.0 + static_cast<double>(statistic));
        return 1;
    }
    std::vector<std::array<std::uint32_t, 5>> queries;

private:
    std::uint32_t m_Orders;
};

TEST(ImageReporter, BarQueriesAskEachPhasesOwnChannel)
{
    testsupport::TempDir dir;
    BasicInfo record;
    record.startText = L"2026-03-01 00:00:00.000";
    record.endText = L"2026-03-01 01:00:00.000";
    CReportConfig config;
    BarModel model(30);
    ImageReporter reporter;
    ASSERT_EQ(reporter.Init(platform::FromPath(dir.Path()), 3, &record, &config, &model, &model, &model, 0), 1);
    reporter.SetOptions(0, 1, 0);
    ASSERT_EQ(reporter.ReportOutput(platform::FromPath(dir.Path() / "out"), 100), 1);
    EXPECT_EQ(FilesIn(dir.Path() / "out").size(), 6u);
    // Voltage bars L1 to L3, then current bars; each phase asks its orders until the first refusal.
    ASSERT_EQ(model.queries.size(), 6u * (30 * 4 + 1));
    for (std::size_t picture = 0; picture < 6; ++picture) {
        const std::array<std::uint32_t, 5>& first = model.queries[picture * 121];
        const bool current = picture >= 3;
        EXPECT_EQ(first[0], picture % 3) << "the L" << picture % 3 + 1 << " picture reads channel " << picture % 3;
        EXPECT_EQ(first[3], current ? 1u : 2u) << picture;
        EXPECT_EQ(first[4], current ? 10000u : 5000u) << picture;
        const std::array<std::uint32_t, 5>& last = model.queries[picture * 121 + 120];
        EXPECT_EQ(last[2], 30u) << "order 31 ends the collection";
    }
}

}  // namespace
