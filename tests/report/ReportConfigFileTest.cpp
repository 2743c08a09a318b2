#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportTestSupport.h"
#include "platform/base/Encoding.h"
#include "report/ReportConfig.h"
#include "tests/support/TempDir.h"

namespace {

std::wstring Wide(const std::filesystem::path& path)
{
    return platform::FromPath(path);
}

std::string Document(const std::string& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Ondrava>" + body + "</Ondrava>\n";
}

// A configuration with something changed in every part.
CReportConfig Edited()
{
    CReportConfig config;
    CReportBasicInfo info;
    info.place = "北京 <东> & \"西\"";
    info.operatorName = "张三";
    info.reporter = "Li";
    info.department = "电力公司";
    info.placeText = L"wide texts are not stored";
    config.SetBasicInfo(info);
    CReportParamItem pf("ZVItemPf");
    pf.Enabled = 0;
    pf.PhaseN = 1;
    config.SetParamItem(pf);
    CReportTrendItem urms("ZVTrendUrms");
    urms.Enabled = 0;
    urms.SetPhase({1, CReportTrendPhase::kPhaseN, 0, 1, 0, 1, 0});
    config.SetTrendItem(urms);
    CReportHarmPart harm = config.GetHarmPart();
    CHarmTrendItem item("ZVTrendUHarmL2");
    item.ClearGroups();
    item.AddGroup({2, 3, 50});
    item.AddGroup({});
    harm.SetTrendItem(item);
    CHarmTableItem table("ZVTableURatioL3");
    table.orderCounts[7] = 0;
    table.orderCounts[9] = 5;
    harm.SetTableItem(table);
    config.SetHarmPart(harm);
    return config;
}

TEST(ReportConfigFile, SaveAndLoadRoundTrip)
{
    testsupport::TempDir dir;
    const CReportConfig saved = Edited();
    const auto file = dir / "方案.rcg";
    ASSERT_EQ(saved.Save(Wide(file)), 1);

    const std::string text = testsupport::ReadAll(file);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << text.substr(0, 60);
    EXPECT_TRUE(platform::IsValidUtf8(text));
    EXPECT_NE(text.find("<ZVTrendUrms Enabled=\"0\" PhaseA=\"111110\" PhaseB=\"111110\" PhaseC=\"111110\" "
                        "PhaseN=\"101010\" PhaseDefault=\"000000\"/>"),
              std::string::npos);
    EXPECT_NE(text.find("<ZVItemFreq Enabled=\"1\" PhaseA=\"0\" PhaseB=\"0\" PhaseC=\"0\" PhaseN=\"0\"/>"),
              std::string::npos);
    EXPECT_NE(text.find("HarmCountMap=\"" + std::string(51, '1') + "\""), std::string::npos);
    EXPECT_NE(text.find("HarmCountMap=\"1111111015" + std::string(41, '1') + "\""), std::string::npos);
    EXPECT_NE(text.find("<TrendItem Selected=\"030507091113\"/>"), std::string::npos);
    EXPECT_NE(text.find("<TrendItem Selected=\"020350\"/>"), std::string::npos);
    EXPECT_NE(text.find("OperatePlace=\"北京 &lt;东&gt; &amp; &quot;西&quot;\""), std::string::npos);
    EXPECT_EQ(text.find("wide texts"), std::string::npos);

    CReportConfig loaded;
    ASSERT_EQ(loaded.Load(Wide(file)), 1);
    CReportConfig expected = saved;
    CReportBasicInfo info = expected.GetBasicInfo();
    info.placeText.clear();
    expected.SetBasicInfo(info);
    std::vector<CReportParamItem> params = expected.GetParamPart();
    params[0].memoryFlag = 0;  // kept in memory only
    expected.SetParamItem(params[0]);
    EXPECT_TRUE(loaded == expected);
    EXPECT_EQ(loaded.GetParamPart()[8].PhaseN, 1);
    EXPECT_EQ(loaded.GetBasicInfo().place, "北京 <东> & \"西\"");
}

// Loading merges by key; numbers are read leniently, as older copies wrote them.
TEST(ReportConfigFile, LoadMergesIntoWhatIsThere)
{
    struct Case {
        const char* name;
        std::string body;
        void (*check)(const CReportConfig&);
    };
    const Case cases[] = {
        {"only trend items", "<ZVTrend><ZVTrendPst Enabled=\"0\"/><ZVTrendNew Enabled=\"1\" PhaseA=\"0000001\"/></ZVTrend>",
         [](const CReportConfig& c) {
             const auto trends = c.GetTrendPart();
             ASSERT_EQ(trends.size(), 36u);
             EXPECT_EQ(trends[1].Enabled, 0);
             EXPECT_EQ(trends[35].GetKey(), "ZVTrendNew");
             CReportTrendPhase a;
             trends[35].GetPhase(0, a);
             EXPECT_EQ(a, (CReportTrendPhase{0, 0, 0, 0, 0, 0, 0})) << "the seventh character is ignored";
             EXPECT_EQ(c.GetParamPart(), CReportConfig().GetParamPart());
             EXPECT_TRUE(c.GetHarmPart() == CReportConfig().GetHarmPart());
         }},
        {"a read item starts from the generic defaults", "<ZVTrend><ZVTrendFreq PhaseB=\"11110\"/></ZVTrend>",
         [](const CReportConfig& c) {
             const CReportTrendItem freq = c.GetTrendPart()[3];
             EXPECT_EQ(freq.GetPhases(), CReportTrendItem("x").GetPhases()) << "five characters give the default";
         }},
        {"order counts", "<ZVHarm><ZVHarmTable><ZVTableIrmsL1 Enabled=\"0\" HarmCountMap=\"0110\"/></ZVHarmTable></ZVHarm>",
         [](const CReportConfig& c) {
             const CHarmTableItem item = c.GetHarmPart().GetTableItems()[3];
             EXPECT_EQ(item.Enabled, 0);
             EXPECT_EQ(item.FormatCountMap(), "0110" + std::string(47, '1'));
         }},
        {"groups", "<ZVHarm><ZVHarmTrend><ZVTrendIHarmL3 Enabled=\"2\"><TrendItem Selected=\"0305070\"/>"
                   "<Other Selected=\"\"/><TrendItem/></ZVTrendIHarmL3><ZVTrendNone/></ZVHarmTrend></ZVHarm>",
         [](const CReportConfig& c) {
             const auto items = c.GetHarmPart().GetTrendItems();
             ASSERT_EQ(items.size(), 25u);
             EXPECT_EQ(items[10].Enabled, 2);
             EXPECT_EQ(items[10].GetGroups(), (std::vector<OrderGroup>{{3, 5, 7}, {}, {}}));
             EXPECT_TRUE(items[24].GetGroups().empty()) << "an item without charts";
         }},
        {"lenient numbers and a partial basic info",
         "<ZVBasicInfo Operator=\"王五\"/><ZVParamTable><ZVItemThd Enabled=\" -3x\" PhaseA=\"\" Other=\"9\"/>"
         "</ZVParamTable><Unknown/>",
         [](const CReportConfig& c) {
             const CReportParamItem thd = c.GetParamPart()[4];
             EXPECT_EQ(thd.Enabled, -3);
             EXPECT_EQ(thd.PhaseA, 0);
             EXPECT_EQ(c.GetBasicInfo().operatorName, "王五");
             EXPECT_EQ(c.GetBasicInfo().place, "kept");
         }},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const auto file = dir.Write("a.rcg", Document(c.body));
        CReportConfig config;
        CReportBasicInfo info;
        info.place = "kept";
        config.SetBasicInfo(info);
        ASSERT_EQ(config.Load(Wide(file)), 1) << c.name;
        SCOPED_TRACE(c.name);
        c.check(config);
    }
}

// A damaged file is refused whole: the configuration keeps everything it had.
TEST(ReportConfigFile, DamagedFilesChangeNothing)
{
    std::string manyItems;
    for (int i = 0; i < 257; ++i) {
        manyItems += "<Item" + std::to_string(i) + "/>";
    }
    std::string manyGroups;
    for (int i = 0; i < 51; ++i) {
        manyGroups += "<TrendItem Selected=\"03\"/>";
    }
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"not XML", "<Ondrava><ZVTrend>"},
        {"empty", ""},
        {"another root", "<?xml version=\"1.0\"?><ondrava/>"},
        {"a phase flag that is not a digit", Document("<ZVTrend><ZVTrendUrms Enabled=\"0\" PhaseA=\"11x110\"/></ZVTrend>")},
        {"an order count past order 50",
         Document("<ZVHarm><ZVHarmTable><ZVTableIrmsL1 HarmCountMap=\"" + std::string(52, '1') + "\"/></ZVHarmTable></ZVHarm>")},
        {"an order count that is not a digit",
         Document("<ZVHarm><ZVHarmTable><ZVTableIrmsL1 HarmCountMap=\"1:1\"/></ZVHarmTable></ZVHarm>")},
        {"an order that is not two digits",
         Document("<ZVHarm><ZVHarmTrend><ZVTrendUHarmL1><TrendItem Selected=\"03-5\"/></ZVTrendUHarmL1></ZVHarmTrend></ZVHarm>")},
        {"too many items", Document("<ZVParamTable>" + manyItems + "</ZVParamTable>")},
        {"too many charts",
         Document("<ZVHarm><ZVHarmTrend><ZVTrendUHarmL1>" + manyGroups + "</ZVTrendUHarmL1></ZVHarmTrend></ZVHarm>")},
        {"damage after good sections",
         Document("<ZVBasicInfo OperatePlace=\"new\"/><ZVTrend><ZVTrendPst Enabled=\"0\"/></ZVTrend>"
                  "<ZVHarm><ZVHarmTable><ZVTableIrmsL1 HarmCountMap=\"a\"/></ZVHarmTable></ZVHarm>")},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const auto file = dir.Write("a.rcg", c.bytes);
        CReportConfig config = Edited();
        EXPECT_EQ(config.Load(Wide(file)), 0) << c.name;
        EXPECT_TRUE(config == Edited()) << c.name;
    }
    CReportConfig config = Edited();
    testsupport::TempDir dir;
    EXPECT_EQ(config.Load(Wide(dir / "missing.rcg")), 0);
    EXPECT_TRUE(config == Edited());
}

TEST(ReportConfigFile, ReadsFilesOfOlderCopiesInTheGbkCodePage)
{
    const std::optional<std::string> place = platform::WideToGbk(L"北京变电站");
    ASSERT_TRUE(place);
    testsupport::TempDir dir;
    const auto file = dir.Write("old.rcg", Document("<ZVBasicInfo OperatePlace=\"" + *place +
                                                    "\" OperateDept=\"\" Operator=\"\" Reporter=\"\"/>"));
    ASSERT_FALSE(platform::IsValidUtf8(testsupport::ReadAll(file)));
    CReportConfig config;
    ASSERT_EQ(config.Load(Wide(file)), 1);
    EXPECT_EQ(config.GetBasicInfo().place, "北京变电站");
}

// Hand-written schemes without a mark: a text valid as UTF-8 through two-byte
// sequences alone reads whole as GBK too, and the reading that makes sense wins, as
// for settings files.
TEST(ReportConfigFile, ReadsSchemesOfEitherEncodingBySense)
{
    struct Case {
        const char* name;
        std::string place;  // the attribute's bytes
        const char* expected;
    };
    const Case cases[] = {
        {"utf-8 cyrillic", platform::WideToUtf8(L"Москва"), "Москва"},
        {"utf-8 greek", platform::WideToUtf8(L"Αθήνα"), "Αθήνα"},
        {"utf-8 polish", platform::WideToUtf8(L"Łódź"), "Łódź"},
        {"gbk that is valid utf-8", *platform::WideToGbk(L"模式"), "模式"},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const auto file = dir.Write("hand.rcg", Document("<ZVBasicInfo OperatePlace=\"" + c.place +
                                                         "\" OperateDept=\"\" Operator=\"\" Reporter=\"\"/>"));
        CReportConfig config;
        ASSERT_EQ(config.Load(Wide(file)), 1) << c.name;
        EXPECT_EQ(config.GetBasicInfo().place, c.expected) << c.name;
    }
}

TEST(ReportConfigFile, TextsThatWouldReadAsGbkComeBackAsSaved)
{
    // U+070B is written as DC 8B, which is also a GBK character: without a mark the
    // saved file would be taken for an older copy in the GBK code page.
    struct Case {
        const char* place;
        bool marked;
    };
    for (const Case& c : {Case{"\xDC\x8B", true}, Case{"ZV\xDC\x8B\xDC\x8BVrms", true}, Case{"北京变电站", false}}) {
        testsupport::TempDir dir;
        CReportConfig saved;
        CReportBasicInfo info;
        info.place = c.place;
        saved.SetBasicInfo(info);
        const auto file = dir / "scheme.rcg";
        ASSERT_EQ(saved.Save(Wide(file)), 1);
        EXPECT_EQ(testsupport::ReadAll(file).rfind("\xEF\xBB\xBF", 0) == 0, c.marked) << c.place;
        CReportConfig loaded;
        ASSERT_EQ(loaded.Load(Wide(file)), 1);
        EXPECT_EQ(loaded.GetBasicInfo().place, c.place);
    }
}

// A hand-edited '&' that starts no reference is kept as written, also after a
// reference (the parser alone read a stale byte there: an invalid UTF-8 text that was
// saved as such and loaded back as something else).
TEST(ReportConfigFile, AnAmpersandThatStartsNoReferenceIsKeptAsWritten)
{
    const struct {
        std::string bytes;
        std::string place;
    } cases[] = {
        {"<Ondrava><ZVBasicInfo OperatePlace=\"&lt;\xB6&\"/></Ondrava>", "<\uFFFD&"},
        {Document("<ZVBasicInfo OperatePlace=\"&lt;A&B\"/>"), "<A&B"},
    };
    for (const auto& c : cases) {
        testsupport::TempDir dir;
        CReportConfig config;
        ASSERT_EQ(config.Load(Wide(dir.Write("edited.rcg", c.bytes))), 1) << c.place;
        EXPECT_EQ(config.GetBasicInfo().place, c.place);
        ASSERT_EQ(config.Save(Wide(dir / "saved.rcg")), 1);
        CReportConfig again;
        ASSERT_EQ(again.Load(Wide(dir / "saved.rcg")), 1);
        EXPECT_EQ(again.GetBasicInfo().place, c.place);
    }
}

TEST(ReportConfigFile, SaveReportsAFailedWrite)
{
    testsupport::TempDir dir;
    const CReportConfig config = Edited();
    EXPECT_EQ(config.Save(Wide(dir / "no folder" / "a.rcg")), 0);
    std::filesystem::create_directory(dir / "a folder.rcg");
    EXPECT_EQ(config.Save(Wide(dir / "a folder.rcg")), 0) << "a folder stands where the file should go";
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1) << "no temporary file stays";
}

}  // namespace
