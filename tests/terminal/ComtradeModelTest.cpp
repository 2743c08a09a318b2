#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TerminalTestSupport.h"
#include "platform/base/Encoding.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/ComtradeModel.h"
#include "terminal/ObserverViewBase.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ComtradeRecord.h"

namespace {

namespace fs = std::filesystem;
using terminaltest::Wide;

class Events : public IObserverViewBase {
public:
    int OnUpdate(std::uint32_t event, std::uintptr_t, std::uintptr_t param2) override
    {
        seen.emplace_back(event, param2);
        return 1;
    }
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> seen;
};

class RecordList : public CComtradeDataManager, public IComtradeRecordSink {
public:
    void AddRecord(const CComtradeListItem& item) override { items.push_back(item); }
    std::vector<CComtradeListItem> items;
};

// The 14-word selection record with StartTime and EndTime.
std::array<std::uint32_t, 14> Selection(std::int64_t from, std::int64_t to)
{
    std::array<std::uint32_t, 14> words{};
    words[8] = static_cast<std::uint32_t>(from);
    words[9] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(from) >> 32);
    words[10] = static_cast<std::uint32_t>(to);
    words[11] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(to) >> 32);
    return words;
}

std::int64_t Seconds(int second)
{
    return CZVTimeStamp(2023, 4, 5, 10, 15, second, 0).m_seconds;
}

class ComtradeModelTest : public ::testing::Test {
protected:
    void SetUp() override { m_model.CreateAnalysis(0); }

    CCtrlItem Open(const fs::path& folder, std::array<std::uint32_t, 14>& selection)
    {
        CCtrlItem request{ctrl::kOpenComtrade, reinterpret_cast<std::uintptr_t>(selection.data()), 0, Wide(folder)};
        m_model.OpenData(&request);
        return request;
    }

    std::vector<CComtradeListItem> List()
    {
        RecordList list;
        EXPECT_EQ(m_model.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&list))), 0);
        return list.items;
    }

    testsupport::TempDir m_dir;
    CComtradeModel m_model;
};

TEST_F(ComtradeModelTest, OpensListsAndServesTheChosenRecord)
{
    gen::DescriptionFiles files;
    files.recordSet.ewl = 20;
    files.recordSet.bwl = 30;
    files.recordInfo.cffc = 120;
    gen::ComtradeOptions options;
    options.samples = 6400;
    const auto written = gen::WriteComtradeFolder(m_dir.Path(), options, {2, 1}, files);
    ASSERT_EQ(written.size(), 3u);

    Events list, wave;
    m_model.Attach(&list, 0x242);
    m_model.Attach(&wave, 0x212);
    auto selection = Selection(Seconds(0), Seconds(59));
    CCtrlItem request = Open(m_dir.Path(), selection);
    EXPECT_EQ(request.param2, 10u) << "the scan scale before any listing";
    EXPECT_EQ(m_model.GetFilesPerFolder(), 120u);
    const std::vector<std::pair<std::uint32_t, std::uintptr_t>> listEvents = {{0x002, 0}, {0x040, 0}};
    EXPECT_EQ(list.seen, listEvents);
    ASSERT_EQ(wave.seen.size(), 1u);

    const auto items = List();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].time.m_seconds, Seconds(30));
    EXPECT_EQ(items[0].time.m_subSecond, 123);
    EXPECT_EQ(items[2].path, platform::Utf8ToWide(written[2]));
    EXPECT_EQ(m_model.GetScanScale(), 20u) << "two sub-folders";
    request = Open(m_dir.Path(), selection);
    EXPECT_EQ(request.param2, 20u);

    CCtrlItem choose{ctrl::kComtradeRecord, 0, 0, items[1].path};
    wave.seen.clear();
    m_model.OpenData(&choose);
    ASSERT_EQ(wave.seen.size(), 1u);
    EXPECT_EQ(wave.seen[0].first, 0x010u);
    CComtradeDataManager sink;
    EXPECT_EQ(m_model.GetData(0, 0, 0, 0, 1, reinterpret_cast<QueryWord>(&sink)), 1);
    EXPECT_EQ(sink.GetSeries().size(), 6400u);
    BasicInfo info;
    ASSERT_EQ(m_model.QueryBasicInfo(&info), 1);
    EXPECT_EQ(info.value3, (100 - 20 - 30) * 20) << "EWL and BWL of the folder";
    EXPECT_EQ(info.phaseMask, 15u);

    CCtrlItem close{ctrl::kCloseAll, 0, 0, L""};
    m_model.OpenData(&close);
    EXPECT_TRUE(m_model.GetRoot().empty());
    EXPECT_EQ(list.seen.back().first, 0x200u);
    EXPECT_EQ(m_model.GetData(0, 0, 0, 0, 1, reinterpret_cast<QueryWord>(&sink)), 0);
}

TEST_F(ComtradeModelTest, ListingFollowsTheNamePatternAndTheTimeRange)
{
    gen::ComtradeOptions options;
    options.samples = 64;
    ASSERT_EQ(gen::WriteComtradeFolder(m_dir.Path(), options, {3}).size(), 3u);  // 10:15:30, :31, :32
    const std::string cfg = gen::ComtradeCfgBytes(options);
    for (const char* name : {"AB_20230405_101540_123.cfg", "20230405_101541_000.CFG", "X_AB_20230405_101542_000.CFG",
                             "AB_2023040_101543_000.CFG", "AB_20230405_1015x4_000.CFG", "AB_20230405_101545_000.DAT"}) {
        m_dir.Write(std::string("COMTRADE/001/") + name, cfg);
    }
    m_dir.Write("COMTRADE/readme.CFG", cfg);  // not in a sub-folder

    struct Case {
        const char* name;
        int from, to;
        std::vector<int> seconds;
    };
    const Case cases[] = {
        {"everything", 0, 59, {30, 31, 32, 40, 42}},
        {"from the second record", 31, 59, {31, 32, 40, 42}},
        {"up to exactly a record", 0, 31, {30, 31}},
        {"nothing in range", 50, 59, {}},
    };
    for (const Case& c : cases) {
        auto selection = Selection(Seconds(c.from), Seconds(c.to));
        Open(m_dir.Path(), selection);
        std::vector<int> seconds;
        for (const CComtradeListItem& item : List()) {
            seconds.push_back(static_cast<int>(item.time.m_seconds - Seconds(0)));
        }
        std::sort(seconds.begin(), seconds.end());
        EXPECT_EQ(seconds, c.seconds) << c.name;
    }
    EXPECT_EQ(m_model.GetScanScale(), 10u) << "one sub-folder";
}

TEST_F(ComtradeModelTest, RecordsBelowAFolderNamedInAnotherCaseAreListedAndServed)
{
    ASSERT_TRUE(gen::WriteDescriptionFiles(m_dir.Path(), gen::DescriptionFiles{}));
    gen::ComtradeOptions options;
    options.samples = 64;
    const std::string name = gen::ComtradeRecordName("TR", options.first);
    ASSERT_TRUE(gen::WriteComtradeRecord(m_dir / "Comtrade" / "001" / name, options));
    auto selection = Selection(Seconds(0), Seconds(59));
    Open(m_dir.Path(), selection);
    const auto items = List();
    ASSERT_EQ(items.size(), 1u);
    CCtrlItem choose{ctrl::kComtradeRecord, 0, 0, items[0].path};
    m_model.OpenData(&choose);
    CComtradeDataManager sink;
    EXPECT_EQ(m_model.GetData(0, 0, 0, 0, 1, reinterpret_cast<QueryWord>(&sink)), 1) << platform::WideToUtf8(items[0].path);
    EXPECT_EQ(sink.GetSeries().size(), 64u);
}

TEST_F(ComtradeModelTest, PhasesOutsideTheWiringAreNotServed)
{
    gen::DescriptionFiles files;
    files.recordSet.category = 3;  // three-phase three-wire: no N
    files.recordSet.subConnectType = 1;
    gen::ComtradeOptions options;
    options.samples = 64;
    const auto written = gen::WriteComtradeFolder(m_dir.Path(), options, {1}, files);
    auto selection = Selection(Seconds(0), Seconds(59));
    Open(m_dir.Path(), selection);
    CCtrlItem choose{ctrl::kComtradeRecord, 0, 0, platform::Utf8ToWide(written[0])};
    m_model.OpenData(&choose);
    struct Case {
        QueryWord phase;
        int result;
    };
    for (const Case& c : {Case{0, 1}, Case{2, 1}, Case{3, 0}, Case{4, 1}}) {
        CComtradeDataManager sink;
        EXPECT_EQ(m_model.GetData(c.phase, 0, 0, 0, 4, reinterpret_cast<QueryWord>(&sink)), c.result)
            << "phase " << c.phase;
    }
    CCtrlItem missing{ctrl::kComtradeRecord, 0, 0, L"/COMTRADE/001/none.CFG"};
    m_model.OpenData(&missing);
    CComtradeDataManager sink;
    EXPECT_EQ(m_model.GetData(0, 0, 0, 0, 1, reinterpret_cast<QueryWord>(&sink)), 0);
}

TEST(ComtradeRecordFilter, TakesRecordsOfTheSpanBothEndsIncluded)
{
    const std::int64_t start = CZVTimeStamp(2023, 4, 5, 10, 0, 0, 0).m_seconds;
    const std::int64_t end = CZVTimeStamp(2023, 4, 5, 11, 0, 0, 0).m_seconds;
    auto filter = [&](const std::wstring& name) {
        const auto s = static_cast<std::uint64_t>(start);
        const auto e = static_cast<std::uint64_t>(end);
        return CComtradeModel::RecordFileFilter(static_cast<std::uint32_t>(s), static_cast<std::uint32_t>(s >> 32),
                                                static_cast<std::uint32_t>(e), static_cast<std::uint32_t>(e >> 32),
                                                name);
    };
    struct Case {
        const wchar_t* name;
        int taken;
    };
    for (const Case c : {Case{L"COMTRADE/001/TR_20230405_100000_000", 1}, Case{L"COMTRADE\\002\\TR_20230405_110000_999", 1},
                         Case{L"TR_20230405_103000_500", 1}, Case{L"COMTRADE/001/TR_20230405_095959_999", 0},
                         Case{L"COMTRADE/001/TR_20230405_110001_000", 0}, Case{L"COMTRADE/001/notes", 0},
                         Case{L"COMTRADE/001/TR_2023-04-05_100000_000", 0}}) {
        EXPECT_EQ(filter(c.name), c.taken) << platform::WideToUtf8(c.name);
    }
}

}  // namespace
