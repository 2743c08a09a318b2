#include <gtest/gtest.h>

#include <string>

#include "ReportTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "report/ReportConfig.h"
#include "report/RtfReportText.h"
#include "tests/support/TempDir.h"

namespace {

using reporttest::FixedModel;
using reporttest::Reporter;

constexpr RtfSection kSections[] = {
    RtfSection::Global,       RtfSection::FrontPage,     RtfSection::ZvParam,   RtfSection::VHarm,
    RtfSection::AHarm,        RtfSection::TrendParam,    RtfSection::TrendHarms, RtfSection::TrendGraph,
    RtfSection::EventSummary, RtfSection::ComtradeEvent, RtfSection::SoeEvent,  RtfSection::EventChart};

bool IsMarker(const std::wstring& text)
{
    return text == L"_??_" || text == L"__??" || text == L"??__";
}

std::filesystem::path Pack(const char* language)
{
    return platform::ProgramFolder() / "Language" / language / "RtfReport.xml";
}

// Every text the reports use is in both languages' files, and every trend key of the
// configuration gets its display name from them.
TEST(RtfReportText, EveryKeyResolvesInBothLanguages)
{
    for (const char* language : {"Chinese", "English"}) {
        CRtfReportText texts;
        ASSERT_EQ(texts.LoadFile(Pack(language)), 1) << language;
        for (const RtfSection section : kSections) {
            for (const std::string_view key : CRtfReportText::Keys(section)) {
                const std::wstring text = texts.Text(section, key);
                EXPECT_FALSE(text.empty() || IsMarker(text)) << language << " " << key;
            }
        }
        // The count tables find their count column by the "Times" heading.
        EXPECT_EQ(texts.Text(RtfSection::EventSummary, "Times"), texts.Text(RtfSection::ComtradeEvent, "Times"))
            << language;
        EXPECT_EQ(texts.Text(RtfSection::SoeEvent, "Times"), texts.Text(RtfSection::ComtradeEvent, "Times"))
            << language;
        EXPECT_NE(texts.Text(RtfSection::ZvParam, "Pass"), texts.Text(RtfSection::ZvParam, "Fail")) << language;

        CRtfReportText::Instance().LoadFile(Pack(language));
        CReportConfig config;
        FixedModel model;
        BasicInfo record;
        Reporter reporter;
        ASSERT_EQ(reporter.Init(L"/data", 1, &record, &config, &model, &model, &model, 0), 1);
        for (const CReportTrendItem& item : config.GetTrendPart()) {
            CReportItemName name;
            ASSERT_EQ(reporter.FindTrendItem(item.GetKey(), name), 1) << item.GetKey();
            EXPECT_FALSE(name.name.empty() || IsMarker(name.name)) << language << " " << item.GetKey();
            EXPECT_FALSE(name.unit.empty()) << item.GetKey();
        }
        const CReportHarmPart harm = config.GetHarmPart();
        for (const CHarmTrendItem& item : harm.GetTrendItems()) {
            CReportItemDef def;
            ASSERT_EQ(reporter.FindHarmTrendItem(item.GetKey(), def), 1) << item.GetKey();
            EXPECT_FALSE(def.name.empty() || IsMarker(def.name)) << language << " " << item.GetKey();
        }
    }
    ASSERT_EQ(CRtfReportText::Instance().Load(), 1) << "the selected language again";
    EXPECT_EQ(CRtfReportText::Instance().Text(RtfSection::ZvParam, "Pass"), L"合格");
}

TEST(RtfReportText, MissingSectionsAndKeys)
{
    testsupport::TempDir dir;
    const auto file = dir.Write("RtfReport.xml",
                                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Main>"
                                "<Global><MakingTrend>正在生成趋势图</MakingTrend><HarmARms/>"
                                "<HarmVRms><b>x</b></HarmVRms><HarmVRms_I>first</HarmVRms_I><HarmVRms_I>second</HarmVRms_I>"
                                "</Global><FrontPage>Title</FrontPage><ZvParam/><VHarm/><AHarm/>"
                                "<Trends><Param/><Harms/><Graph/></Trends></Main>");
    CRtfReportText texts;
    EXPECT_FALSE(texts.IsLoaded());
    EXPECT_EQ(texts.LoadFile(file), 0) << "no Event section";
    EXPECT_FALSE(texts.IsLoaded());
    EXPECT_EQ(texts.Text(RtfSection::Global, "MakingTrend"), L"正在生成趋势图");
    EXPECT_EQ(texts.Text(RtfSection::Global, "MakingHarmTrend"), L"_??_");
    EXPECT_EQ(texts.Text(RtfSection::Global, "HarmARms"), L"??__") << "an empty element";
    EXPECT_EQ(texts.Text(RtfSection::Global, "HarmVRms"), L"??__") << "an element whose first child is an element";
    EXPECT_EQ(texts.Text(RtfSection::Global, "HarmVRms_I"), L"first");
    EXPECT_EQ(texts.Text(RtfSection::FrontPage, "Title"), L"__??") << "a text node of that name";
    EXPECT_EQ(texts.Text(RtfSection::FrontPage, "DataPT"), L"_??_");
    EXPECT_EQ(texts.Text(RtfSection::TrendGraph, "Sum"), L"_??_") << "the sections before the missing one are read";
    EXPECT_EQ(texts.Text(RtfSection::EventSummary, "Title"), L"");
    EXPECT_EQ(texts.Text(RtfSection::Global, "NotAKey"), L"");

    const auto broken = dir.Write("broken.xml", "<Main><Global>");
    EXPECT_EQ(texts.LoadFile(broken), 0);
    EXPECT_EQ(texts.LoadFile(dir / "missing.xml"), 0);
    EXPECT_EQ(texts.LoadFile(dir.Write("other.xml", "<Other/>")), 0);
    EXPECT_EQ(texts.Text(RtfSection::Global, "MakingTrend"), L"正在生成趋势图") << "a failed load keeps the texts";

    ASSERT_EQ(texts.LoadFile(Pack("English")), 1);
    EXPECT_TRUE(texts.IsLoaded());
    EXPECT_EQ(texts.LoadFile(broken), 0);
    EXPECT_FALSE(texts.IsLoaded()) << "texts partly of an earlier load are not whole";
}

// Without its texts no report is made: every report's Init refuses with a reason
// that names the file the texts come from, and works again once they are loaded.
TEST(RtfReportText, WithoutItsTextsNoReportStarts)
{
    testsupport::TempDir dir;
    CRtfReportText& program = CRtfReportText::Instance();
    ASSERT_EQ(program.LoadFile(dir / "missing.xml"), 0);
    CReportConfig config;
    FixedModel model;
    BasicInfo record;
    Reporter reporter;
    EXPECT_EQ(reporter.Init(L"/data", 1, &record, &config, &model, &model, &model, 0), 0);
    EXPECT_FALSE(reporter.IsReady());
    const std::wstring reason = reporter.GetReportName();
    EXPECT_NE(reason.find(L"报表文字"), std::wstring::npos) << platform::WideToUtf8(reason);
    EXPECT_NE(reason.find(platform::FromPath(CRtfReportText::LanguageFile())), std::wstring::npos)
        << platform::WideToUtf8(reason);

    ASSERT_EQ(program.Load(), 1);
    Reporter again;
    EXPECT_EQ(again.Init(L"/data", 1, &record, &config, &model, &model, &model, 0), 1);
}

}  // namespace
