// ondrava-report-gallery: the gallery of report pictures, written into a folder as
// report-<scene>.png:
//   ondrava-report-gallery <folder>
// It generates a day of statistic data with transient events, runs the picture
// reporter on it and composes the RTF report's kinds of page (front page, trend
// charts, harmonic bar charts, a parameter table with the ITIC chart) on the page
// canvas. Exit code 0 when every picture was written.

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LocalTime.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/FontConfig.h"
#include "report/GridReportPainter.h"
#include "report/ITICImpl.h"
#include "report/ImageReporter.h"
#include "report/PicOutputDataMgr.h"
#include "report/ReportConfig.h"
#include "report/ReportPageCanvas.h"
#include "report/RtfReportText.h"
#include "report/SeriesStatistics.h"
#include "report/ZVReportUtil.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/StatisticFolder.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRecords = 24 * 60;
constexpr double kPageDpi = 100.0;

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "ondrava-gallery-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!m_path.empty()) {
            fs::remove_all(m_path, ignored);
        }
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

// A model that answers nothing of its own; the picture reporter reads no SOE data.
class NoSoe : public IDataModel {
public:
    int CreateAnalysis(std::uint32_t) override { return 1; }
    int GetSource(std::uint32_t* source) override
    {
        *source = 1;
        return 1;
    }
    int OpenData(void*) override { return 0; }
    int QueryBasicInfo(BasicInfo*) override { return 0; }
};

std::vector<std::uint32_t> Items()
{
    std::vector<std::uint32_t> items = {1, 4, 7, 8, 19};
    for (const auto& [first, last] : std::vector<std::pair<std::uint32_t, std::uint32_t>>{
             {25, 74}, {160, 209}, {212, 261}, {347, 396}, {449, 450}}) {
        for (std::uint32_t id = first; id <= last; ++id) {
            items.push_back(id);
        }
    }
    return items;
}

// Transient events of the day: magnitudes in % of the nominal voltage.
bool WriteEvents(const fs::path& folder, double nominal)
{
    struct Event {
        int kind, duration;
        double percent;
    };
    const Event events[] = {{1, 100, 128}, {1, 1500, 114}, {1, 40, 108}, {2, 200, 55}, {2, 60, 85},
                            {2, 800, 75},  {3, 2000, 4},   {2, 15000, 86}, {1, 5, 175}, {2, 300, 72}};
    for (std::size_t i = 0; i < std::size(events); ++i) {
        const gen::DateTime first{2026, 3, 1, 8 + static_cast<int>(i), 12, 30, 0};
        if (!gen::WriteComtradeEvent(folder / "COMTRADE" / "001" / gen::ComtradeRecordName("TR", first),
                                     events[i].kind, events[i].duration, events[i].percent * nominal / 100.0, first)) {
            return false;
        }
    }
    return true;
}

struct Data {
    ScratchFolder scratch;
    CGlobalModel model;
    BasicInfo record;

    bool Open()
    {
        gen::StatisticFolderOptions options;
        options.items = Items();
        options.records = kRecords;
        options.blockCountPerFile = 300;
        options.realisticValues = true;
        if (scratch.Path().empty() || !gen::WriteStatisticFolder(Folder(), options)) {
            return false;
        }
        const std::int64_t end = *platform::FromLocalTime(2026, 3, 2, 0, 0, 0);
        std::array<std::uint32_t, 14> query = {0, 0, kRecords, 0, kRecords, 0, 0, 0, 0, 0,
                                               static_cast<std::uint32_t>(end),
                                               static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32), 0, 0};
        CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                          platform::FromPath(Folder())};
        model.OpenData(&request);
        return model.QueryBasicInfo(&record) == 1;
    }
    fs::path Folder() const { return scratch.Path() / "K7700_20260301"; }
    std::vector<float> Series(std::uint32_t channel, std::uint32_t statistic, std::uint32_t order,
                              std::uint32_t valueKind, std::uint32_t item)
    {
        CPicOutputDataMgr sink;
        model.GetData(channel, statistic, order, valueKind, item, reinterpret_cast<QueryWord>(&sink));
        return sink.GetValues();
    }
};

bool Copy(const fs::path& from, const fs::path& to)
{
    const auto bytes = platform::ReadFileBytes(from);
    return bytes && platform::AtomicWriteFile(to, *bytes);
}

bool WritePage(CReportPageCanvas& canvas, const fs::path& file)
{
    const std::string png = canvas.EndPage();
    return !png.empty() && platform::AtomicWriteFile(file, png);
}

std::wstring Text(RtfSection section, const char* key)
{
    return CRtfReportText::Instance().Text(section, key);
}

// A logo drawn for the gallery: a ring with the program's name.
fs::path WriteLogo(const fs::path& folder)
{
    gfx::Bitmap logo(360, 180);
    {
        gfx::Context g(logo);
        g.SetPen(gfx::Pen{gfx::Color{20, 90, 170}, 14});
        g.SetBrush(gfx::Brush::Null());
        g.Ellipse(gfx::Rect{10, 10, 170, 170});
        g.SetFont(gfx::Font{L"Arial", -64, 700});
        g.SetTextColor(gfx::Color{20, 90, 170});
        g.TextOut(60, 50, L"Ondrava");
    }
    const fs::path file = folder / "logo.png";
    logo.SavePng(file);
    return file;
}

bool TrendPage(Data& data, CReportPageCanvas& canvas, const CBaseReporter& reporter, const fs::path& file)
{
    std::deque<CZVTrendCurve> curves;
    std::vector<CZVTrendPic> pictures;
    const std::int64_t start = reporter.GetStartTime().value_or(0);
    const std::int64_t end = reporter.GetEndTime().value_or(0);
    const wchar_t* keys[] = {L"最大值", L"最小值", L"平均值"};
    static constexpr std::uint32_t kColors[] = {0x0000FF, 0x00B400, 0xFF0000};
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        pictures.emplace_back(L"电压有效值-L" + std::to_wstring(phase + 1), L"[V]", start, end, 60.0);
    }
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        for (std::uint32_t kind = 0; kind < 3; ++kind) {
            CZVTrendCurve& curve = curves.emplace_back(keys[kind], kColors[kind], 1.0f, kind);
            curve.SetValues(data.Series(phase, kind, 0, 0, 1), 0.0f);
            pictures[phase].UpdateSummary(curve);
        }
    }
    std::vector<const CZVTrendPic*> list;
    for (const CZVTrendPic& picture : pictures) {
        list.push_back(&picture);
    }
    canvas.BeginPage(5, CPageHeader{L"趋势图", reporter.GetPeriodLabel(), L"", reporter.GetDataFileName()});
    return canvas.DrawTrendPage(list, 1, 2) == 1 && WritePage(canvas, file);
}

CZVHarmPic HarmPicture(Data& data, const std::wstring& title, const std::wstring& unit, std::uint32_t item,
                       std::uint32_t valueKind, RtfSection section)
{
    CZVHarmPic picture(title, unit,
                       {{0x0000FF, Text(section, "MaxValue")}, {0x00B400, Text(section, "MinValue")},
                        {0xFF0000, Text(section, "AvgValue")}, {0x577AB9, Text(section, "C95Value")}});
    for (std::uint32_t order = 1; order <= 25; ++order) {
        CZVHarmSeries series(std::to_wstring(order));
        series.AddValue(SeriesMax(data.Series(0, 0, order - 1, valueKind, item)), 0);
        series.AddValue(SeriesMin(data.Series(0, 1, order - 1, valueKind, item)), 1);
        std::vector<float> average = data.Series(0, 2, order - 1, valueKind, item);
        series.AddValue(SeriesMean(average), 2);
        series.AddValue(GetCP95(average), 3);
        picture.AddValues(series);
    }
    return picture;
}

bool HarmonicPage(Data& data, CReportPageCanvas& canvas, const CBaseReporter& reporter, const fs::path& file)
{
    const CZVHarmPic voltage =
        HarmPicture(data, Text(RtfSection::VHarm, "GraphTitle") + L"-L1", L"[%]", 2000, 2, RtfSection::VHarm);
    const CZVHarmPic current =
        HarmPicture(data, Text(RtfSection::AHarm, "GraphTitle") + L"-L1", L"[A]", 7000, 1, RtfSection::AHarm);
    canvas.BeginPage(3, CPageHeader{Text(RtfSection::VHarm, "GraphTitle"), reporter.GetPeriodLabel(), L"",
                                    reporter.GetDataFileName()});
    return canvas.DrawHarmonicPage({&voltage}, 1, 1) == 1 && canvas.DrawHarmonicPage({&current}, 0, 2) == 1 &&
           WritePage(canvas, file);
}

// The parameter rows of the voltage RMS and the frequency, and the ITIC chart under them.
bool TablePage(Data& data, ImageReporter& reporter, CReportPageCanvas& canvas, const fs::path& file)
{
    auto value = [](float v) { return CReportValuePair(CZVReportUtil::FormatValue3(v), L""); };
    CReportTable table;
    CReportHeader header(Text(RtfSection::ZvParam, "ParamItem"));
    for (const char* key : {"MaxValue", "MinValue", "AvgValue", "C95Value", "GbValue", "IsPass"}) {
        header.AddColumn(CReportColumn(Text(RtfSection::ZvParam, key), 2));
    }
    table.AddHeader(header);
    CReportRow frequency(Text(RtfSection::ZvParam, "Fq"), 2);
    const std::vector<float> f = data.Series(4, 2, 0, 0, 13017);
    const float fcp95 = GetCP95(f);
    frequency.AddValues(CReportRowValues(L"", value(SeriesMax(data.Series(4, 0, 0, 0, 13017))),
                                         value(SeriesMin(data.Series(4, 1, 0, 0, 13017))), value(SeriesMean(f)),
                                         value(fcp95), L"±0.2", L"", L"", L"",
                                         Text(RtfSection::ZvParam, std::fabs(fcp95 - 50.0f) <= 0.2f ? "Pass" : "Fail")));
    table.AddRow(frequency);
    CReportRow voltage(Text(RtfSection::ZvParam, "BaseVolt"), 3);
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        const std::vector<float> average = data.Series(phase, 2, 0, 0, 1);
        // The gallery judges against a tight band so that a failed verdict shows.
        const float cp95 = GetCP95(average);
        voltage.AddValues(CReportRowValues(L"L" + std::to_wstring(phase + 1),
                                           value(SeriesMax(data.Series(phase, 0, 0, 0, 1))),
                                           value(SeriesMin(data.Series(phase, 1, 0, 0, 1))), value(SeriesMean(average)),
                                           value(cp95), L"230±2%", L"", L"", L"",
                                           Text(RtfSection::ZvParam, cp95 <= 229.43f ? "Pass" : "Fail")));
    }
    table.AddRow(voltage);
    CGridReportPainter grid;
    grid.BeginPicture(1234, 560);
    grid.DrawGridReport(table);
    const gfx::Recording tablePicture = grid.EndPicture();

    CITICImpl itic(Text(RtfSection::ComtradeEvent, "ITIC_X"), Text(RtfSection::ComtradeEvent, "ITIC_Y"),
                   Text(RtfSection::ComtradeEvent, "ITIC_EventNum"), Text(RtfSection::ComtradeEvent, "ITIC_Over"));
    itic.AddEvents(reporter.CollectIticEvents());
    itic.SetShowLabels(1);
    itic.GetDecade(itic.GetLongestDuration());
    const gfx::Recording iticPicture = itic.DrawPicture(ImageReporter::kIticWidth, ImageReporter::kIticHeight);

    canvas.BeginPage(2, CPageHeader{Text(RtfSection::ZvParam, "Title"), reporter.GetPeriodLabel(), L"",
                                    reporter.GetDataFileName()});
    canvas.DrawCenteredText(Text(RtfSection::ZvParam, "TestTimes") + L":" + std::to_wstring(reporter.GetSetting3()), 0,
                            220, 1240, 30);
    return canvas.DrawImageFitted(tablePicture, 0.95, 60) == 1 && canvas.DrawImageFitted(iticPicture, 1.2, 700) == 1 &&
           WritePage(canvas, file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ondrava-report-gallery <folder>\n");
        return 2;
    }
    const fs::path out = platform::ToPath(std::string_view(argv[1]));
    gfx::LoadFontConfig(platform::ProgramFolder());
    CRtfReportText::Instance().Load();
    Data data;
    if (!data.Open()) {
        std::fprintf(stderr, "the generated folder could not be opened\n");
        return 1;
    }
    CReportConfig config;
    NoSoe soe;
    ImageReporter reporter;
    if (reporter.Init(platform::FromPath(data.Folder()), 3, &data.record, &config, &data.model, &data.model, &soe, 0) !=
            1 ||
        !WriteEvents(data.Folder(), reporter.GetFloatField())) {
        std::fprintf(stderr, "the reporter could not be prepared\n");
        return 1;
    }
    const fs::path pictures = data.scratch.Path() / "pictures";
    reporter.SetOptions(1, 1, 1);
    bool ok = reporter.ReportOutput(platform::FromPath(pictures), 100) == 1;
    const std::pair<const char*, const char*> copies[] = {
        {"电压有效值_L1.png", "report-picture-trend.png"},
        {"L1电压谐波_1.png", "report-picture-harmonic-trend.png"},
        {"电流谐波子组柱状图_L1.png", "report-picture-harmonic-bars.png"},
        {"itic.png", "report-picture-itic.png"},
    };
    for (const auto& [from, to] : copies) {
        ok = Copy(pictures / platform::ToPath(std::string_view(from)), out / to) && ok;
    }

    CReportPageCanvas canvas(platform::FromPath(WriteLogo(data.scratch.Path())),
                             platform::FromPath(data.scratch.Path() / "logo.png"),
                             Text(RtfSection::TrendGraph, "MaxValue"), Text(RtfSection::TrendGraph, "MinValue"),
                             Text(RtfSection::TrendGraph, "AvgValue"), Text(RtfSection::TrendGraph, "C95Value"),
                             Text(RtfSection::TrendGraph, "MaxValueTime"));
    canvas.SetPageFormat(CReportPageCanvas::PageFormat::Png);
    canvas.SetResolution(kPageDpi);
    canvas.DrawFrontPage(Text(RtfSection::FrontPage, "Title"), Text(RtfSection::FrontPage, "ReportOprt") + L"：张工",
                         Text(RtfSection::FrontPage, "ReportDept") + L"：供电公司电能质量监测站");
    ok = WritePage(canvas, out / "report-page-front.png") && ok;
    ok = TablePage(data, reporter, canvas, out / "report-page-parameters.png") && ok;
    ok = HarmonicPage(data, canvas, reporter, out / "report-page-harmonics.png") && ok;
    ok = TrendPage(data, canvas, reporter, out / "report-page-trends.png") && ok;
    std::printf(ok ? "gallery written\n" : "some pictures failed\n");
    return ok ? 0 : 1;
}
