#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "ReportTestSupport.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "report/ReportConfig.h"
#include "report/SeriesStatistics.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "terminal/RecordDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/StatisticFolder.h"

namespace {

using reporttest::FixedModel;
using reporttest::Reporter;

constexpr std::uint32_t kFirst = 10;
constexpr std::uint32_t kCount = 30;

// A generated statistic folder of one-minute records from 2026-03-01 00:00, opened
// through the statistic model for the records 10 to 39, as the main frame opens it.
struct OpenedFolder {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    CGlobalModel model;

    OpenedFolder()
    {
        options.items = {1, 7, 25, 461};
        options.records = 50;
        options.noValueRecords = {12, 20, 21};
        EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
        const std::int64_t end = *platform::FromLocalTime(2026, 3, 1, 0, 40, 0);
        std::array<std::uint32_t, 14> query = {kFirst, 0, kFirst + kCount, 0, kCount, 0, 0, 0, 0, 0,
                                               static_cast<std::uint32_t>(end),
                                               static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32), 0, 0};
        CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                          platform::FromPath(dir.Path())};
        model.OpenData(&request);
    }

    // The values of a series of the opened records that carry one.
    std::vector<float> Expected(std::uint32_t item, std::uint32_t blockType, std::uint32_t floatInItem) const
    {
        std::vector<float> values;
        for (std::uint32_t r = kFirst; r < kFirst + kCount; ++r) {
            if (std::find(options.noValueRecords.begin(), options.noValueRecords.end(), r) ==
                options.noValueRecords.end()) {
                values.push_back(gen::StatisticValue(r, blockType, gen::FloatIndexOf(options.items, item) + floatInItem));
            }
        }
        return values;
    }
};

float Mean(const std::vector<float>& values)
{
    double sum = 0.0;
    for (const float v : values) {
        sum += v;
    }
    return static_cast<float>(sum / static_cast<double>(values.size()));
}

float Rank95(std::vector<float> values)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(static_cast<float>(values.size()) * 0.95f + 0.5f) - 1];
}

TEST(GeneratedData, RecordInformationThroughTheAccessors)
{
    OpenedFolder folder;
    ASSERT_NE(dynamic_cast<CK7700ZVViewAnalysis*>(folder.model.GetAnalysis()), nullptr) << "read by the trend reader";
    BasicInfo record;
    ASSERT_EQ(folder.model.QueryBasicInfo(&record), 1);
    CReportConfig config;
    FixedModel soe;
    Reporter reporter;
    ASSERT_EQ(reporter.Init(platform::FromPath(folder.dir.Path()), 3, &record, &config, &folder.model, &folder.model,
                            &soe, 0),
              1);

    EXPECT_EQ(reporter.GetDeviceText1(), L"2026-03-01 00:10:00.000");
    EXPECT_EQ(reporter.GetDeviceText2(), L"2026-03-01 00:40:00.000");
    EXPECT_EQ(reporter.GetStartTime(), platform::FromLocalTime(2026, 3, 1, 0, 10, 0));
    EXPECT_EQ(reporter.GetEndTime(), platform::FromLocalTime(2026, 3, 1, 0, 40, 0));
    EXPECT_EQ(reporter.GetPeriodLabel(), L"2026/03/01 00:10:00 - 2026/03/01 00:40:00");
    EXPECT_EQ(reporter.GetDeviceText3(), L"张工");
    EXPECT_EQ(reporter.GetSetting3(), kCount);
    EXPECT_FALSE(reporter.IsSetting5Clear());
    EXPECT_EQ(reporter.GetFloatField(), 5774.0f) << "57.74 V secondary through PT 100";
    EXPECT_EQ(reporter.GetNominalValue(), 100.0f);
    EXPECT_EQ(reporter.GetHarmCurrentLimit(3), 20.0f) << "10 kV at its base capacity";
    EXPECT_EQ(reporter.GetInfoText3(), L"三相四线-WYE");
    EXPECT_EQ(reporter.GetScaledNominal(), 600.0) << "one minute in tenths of a second";
    ASSERT_EQ(reporter.ComputeItemStats(1), 1);
    EXPECT_EQ(reporter.GetCurrentModel(), &folder.model);
    EXPECT_EQ(reporter.GetPhaseValue(1), 60.0);
    for (const std::uint32_t item : {1u, 13017u, 2000u, 13013u, 99u}) {
        EXPECT_EQ(reporter.IsItemSupported(item), 1) << item << ": statistic data has no data set";
    }
}

// Maximum, minimum, mean and 95 % value of series read through the current model
// equal those of the generator's values; records without value take no part.
TEST(GeneratedData, ValueStatisticsOfTheReadSeries)
{
    OpenedFolder folder;
    BasicInfo record;
    ASSERT_EQ(folder.model.QueryBasicInfo(&record), 1);
    CReportConfig config;
    FixedModel soe;
    Reporter reporter;
    ASSERT_EQ(reporter.Init(L"/data", 3, &record, &config, &folder.model, &folder.model, &soe, 0), 1);
    ASSERT_EQ(reporter.ComputeItemStats(1), 1);
    IDevFileAnalysis* reader = reporter.GetCurrentModel()->GetAnalysis();
    ASSERT_NE(reader, nullptr);

    struct Series {
        const char* name;
        std::uint32_t view, phase, item, floatInItem;
    };
    const Series series[] = {
        {"L1 voltage", 1, 0, 1, 0},
        {"L3 voltage", 1, 2, 1, 2},
        {"frequency", 13017, 4, 7, 0},
    };
    for (const Series& s : series) {
        std::array<ItemRequest, 3> requests;  // maximum, minimum, average
        std::vector<ItemRequest*> list;
        for (std::uint32_t type = 0; type < 3; ++type) {
            requests[type].phase = s.phase;
            requests[type].blockType = type;
            requests[type].viewId = s.view;
            list.push_back(&requests[type]);
        }
        ASSERT_EQ(reader->GetItemData(list), 1) << s.name;
        for (const ItemRequest& request : requests) {
            ASSERT_EQ(request.enabled, 1u) << s.name;
            ASSERT_EQ(request.values.size(), kCount) << s.name;
        }
        const std::vector<float>& maximum = requests[0].values;
        const std::vector<float>& minimum = requests[1].values;
        const std::vector<float>& average = requests[2].values;
        EXPECT_EQ(SeriesCount(maximum), kCount - 3) << s.name;
        const std::vector<float> expectedMax = folder.Expected(s.item, 0, s.floatInItem);
        const std::vector<float> expectedMin = folder.Expected(s.item, 1, s.floatInItem);
        const std::vector<float> expectedAvg = folder.Expected(s.item, 2, s.floatInItem);
        EXPECT_EQ(SeriesMax(maximum), *std::max_element(expectedMax.begin(), expectedMax.end())) << s.name;
        EXPECT_EQ(SeriesMin(minimum), *std::min_element(expectedMin.begin(), expectedMin.end())) << s.name;
        EXPECT_EQ(SeriesMean(average), Mean(expectedAvg)) << s.name;
        EXPECT_EQ(GetCP95(average), Rank95(expectedAvg)) << s.name;

        // The reader's own 95 % value of the maximum series agrees.
        CRecordDataManager percentile;
        ASSERT_EQ(folder.model.GetData(s.phase, 3, 0, 0, s.view, reinterpret_cast<QueryWord>(&percentile)), 1);
        double value = 0.0;
        ASSERT_TRUE(percentile.GetValue(1, &value)) << s.name;
        EXPECT_EQ(GetCP95(maximum), static_cast<float>(value)) << s.name;
    }
}

}  // namespace
