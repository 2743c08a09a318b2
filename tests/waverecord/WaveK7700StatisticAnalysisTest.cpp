// The reporters' reader over an analysed waveform record: record information, the
// item list and one item, phase and statistic at a time, against the values the
// generator worked out, for a four-wire and a three-wire record.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "terminal/RecordDataManager.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveItemTable.h"
#include "waverecord/WaveK7700StatisticAnalysis.h"
#include "waverecord/WaveSelection.h"

namespace {

using wavetest::GeneratedRecord;

constexpr std::int64_t kSamples = 25600;  // 2 s at 12,800 per second

// Report statistics.
constexpr std::uint32_t kMaximum = 0, kMinimum = 1, kAverage = 2, kPercentile = 3, kRms = 4;

QueryWord Word(const void* pointer)
{
    return reinterpret_cast<QueryWord>(pointer);
}

class WaveAdaptorTest : public ::testing::Test {
protected:
    void SetUp() override { wavetest::SetWaveSystemIni(""); }
    void TearDown() override { CWaveSelection::Instance().Clear(); }

    // Opens the record, registers every item and selects the whole record, as the
    // window does when it loads a record.
    void Open(const GeneratedRecord& record)
    {
        CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
        ASSERT_NE(manager, nullptr);
        ASSERT_TRUE(wavetest::OpenAndDispatchAll(*manager, record));
        const std::int64_t start = manager->GetStartTime() / 1000000;
        CWaveSelection::Instance().SetSelectedSampleRange(0, kSamples);
        CWaveSelection::Instance().SetSelectedTimeRange(start, start + 2000);
    }

    struct Query {
        std::uint32_t item, phase, statistic;
        std::int32_t order = 0;
        std::uint32_t kind = 0;
    };
    // The values one query delivers; nothing when it fails.
    std::optional<std::vector<double>> Read(const Query& q)
    {
        CRecordDataManager values;
        if (m_reader.GetData(q.phase, q.statistic, static_cast<std::uint32_t>(q.order), q.kind, q.item,
                             Word(static_cast<IZVDataManager*>(&values))) == 0) {
            return std::nullopt;
        }
        std::vector<double> read;
        for (std::int64_t i = 0; i < static_cast<std::int64_t>(values.GetCount()); ++i) {
            double value = 0.0;
            values.GetValue(i, &value);
            read.push_back(value);
        }
        return read;
    }

    wavetest::RecordingPools m_pools;
    CWaveK7700StatisticAnalysis m_reader;
};

TEST_F(WaveAdaptorTest, DescribesTheRecord)
{
    const GeneratedRecord record(wavetest::ShortRecord());
    Open(record);
    BasicInfo info;
    ASSERT_EQ(m_reader.GetBasicInfo(&info), 1);
    EXPECT_EQ(info.startText, L"2014-05-06 07:08:09.010");
    EXPECT_EQ(info.endText, L"2014-05-06 07:08:11.010");
    EXPECT_EQ(info.deviceType, L"K7700");
    EXPECT_EQ(info.value3, 1);
    EXPECT_DOUBLE_EQ(info.interval, 0.01) << "a half cycle at 50 Hz";
    const double windows[] = {0.2, 0.2, 0.2, 60.0, 0.2};  // RMS twice, harmonic, Pst, frame
    for (int i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(info.doubles[i], windows[i]) << "double " << i;
    }
    EXPECT_EQ(info.voltageText, L"230.00") << "nominal voltage";
    EXPECT_EQ(info.ptRatioText, L"1.00");
    EXPECT_EQ(info.ctRatioText, L"1.000000");
    EXPECT_EQ(info.ptText, L"0.00");
    EXPECT_EQ(info.ctText, L"79.00") << "the voltage channel gain";
    EXPECT_EQ(info.mvaText, L"10");
    EXPECT_EQ(info.wiringName, L"三相四线-WYE");
    EXPECT_EQ(info.phaseMask, 15u);
    EXPECT_EQ(info.recordCount, 10u) << "the RMS series: ten 200 ms windows";

    std::vector<std::uint32_t> items;
    for (std::uint32_t item = 1; item <= 25; ++item) {
        items.push_back(item);
    }
    items.insert(items.end(), {2000, 3000, 4000, 5000, 6000, 6001, 7000, 8000, 9000, 10000, 11000, 11001, 13003, 13004,
                               13005, 13006, 13007, 13008, 13009, 13010, 13011, 13013, 13014, 13015, 13016, 13017});
    EXPECT_EQ(info.viewIds, items) << "no Pst (13000): two seconds close no flicker period";
}

TEST_F(WaveAdaptorTest, DeliversEachItemPhaseAndStatistic)
{
    const GeneratedRecord record(wavetest::ShortRecord());
    Open(record);
    const double s0 = record.Expected("phase0.apparentPower");
    struct Case {
        const char* name;
        Query query;
        std::string expected;  // empty: the value below
        double value, tolerance;
        bool relative;
        std::size_t count;
    };
    const Case cases[] = {
        {"voltage RMS", {1, 0, kAverage}, "phase0.voltageRms", 0, 2e-3, true, 10},
        {"current RMS maxima", {8, 2, kMaximum}, "phase2.currentRms", 0, 2e-3, true, 10},
        {"current RMS minima", {8, 1, kMinimum}, "phase1.currentRms", 0, 2e-3, true, 10},
        {"half-cycle RMS, every half cycle", {5, 1, kRms}, "phase1.voltageRms", 0, 2e-3, true, 200},
        {"voltage 5th harmonic", {2000, 0, kAverage, 4, 1}, "phase0.voltageHarmonic5", 0, 0.05, false, 10},
        {"voltage 5th harmonic percent", {2000, 2, kAverage, 4, 2}, "", 3.0, 0.02, false, 10},
        {"current 3rd harmonic", {7000, 1, kAverage, 2, 1}, "phase1.currentHarmonic3", 0, 0.01, false, 10},
        {"voltage THD", {24, 0, kAverage}, "phase0.voltageThd", 0, 0.05, false, 10},
        {"active power", {15, 0, kAverage}, "phase0.activePower", 0, 3e-3 * s0, false, 10},
        {"positive sequence, any other phase is the system's", {13006, 7, kAverage}, "voltage.positive", 0, 0.5,
         false, 10},
        {"frequency, one value per frame", {13017, 4, kAverage}, "", 50.0, 0.0, false, 10},
    };
    for (const Case& c : cases) {
        const std::optional<std::vector<double>> values = Read(c.query);
        ASSERT_TRUE(values) << c.name;
        EXPECT_EQ(values->size(), c.count) << c.name;
        const double expected = c.expected.empty() ? c.value : record.Expected(c.expected);
        const double tolerance = c.relative ? c.tolerance * expected : c.tolerance;
        for (double value : *values) {
            ASSERT_NEAR(value, expected, tolerance + 5e-4) << c.name;  // the manager keeps three decimals
        }
    }
}

TEST_F(WaveAdaptorTest, The95PercentValueComesAsAPair)
{
    const GeneratedRecord record(wavetest::ShortRecord());
    Open(record);
    const std::optional<std::vector<double>> values = Read({1, 2, kPercentile});
    ASSERT_TRUE(values);
    ASSERT_EQ(values->size(), 2u);
    EXPECT_EQ((*values)[0], 0.0);
    EXPECT_NEAR((*values)[1], record.Expected("phase2.voltageRms"), 2e-3 * record.Expected("phase2.voltageRms"));
}

TEST_F(WaveAdaptorTest, FollowsTheSelectedStretchOfTheRecord)
{
    const GeneratedRecord record(wavetest::ShortRecord());
    Open(record);
    // 200 ms to 600 ms: windows 1 to 3, half cycles 20 to 60, frames 1 to 3.
    CWaveSelection::Instance().SetSelectedSampleRange(2560, 7680);
    struct Case {
        const char* name;
        Query query;
        std::size_t count;
    };
    const Case cases[] = {
        {"RMS windows", {1, 0, kAverage}, 2},
        {"half cycles by the block length", {5, 0, kRms}, 40},
        {"intervals", {24, 0, kAverage}, 2},
        {"frames", {13017, 4, kAverage}, 2},
    };
    for (const Case& c : cases) {
        const std::optional<std::vector<double>> values = Read(c.query);
        ASSERT_TRUE(values) << c.name;
        EXPECT_EQ(values->size(), c.count) << c.name;
    }

    // Nothing selected: the whole record.
    CWaveSelection::Instance().Clear();
    EXPECT_EQ(Read({5, 0, kRms})->size(), 200u);
}

TEST_F(WaveAdaptorTest, RefusesWhatItCannotAnswer)
{
    const GeneratedRecord record(wavetest::ShortRecord());
    Open(record);
    struct Case {
        const char* name;
        Query query;
    };
    const Case cases[] = {
        {"an unknown report item", {99, 0, kAverage}},
        {"an unknown statistic", {1, 0, 9}},
        {"Pst of a record without a flicker period", {13000, 0, kPercentile}},
        {"a harmonic kind the family lacks", {3000, 0, kAverage, 1, 3}},
        {"an order beyond the record's", {2000, 0, kAverage, 60, 1}},
        {"an item the window has no series for", {13002, 4, kAverage}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Read(c.query)) << c.name;
    }
    // Without a manager to receive values the answer says whether the series exists.
    EXPECT_EQ(m_reader.GetData(0, kAverage, 0, 0, 1, 0), 1);
    EXPECT_EQ(m_reader.GetData(0, kAverage, 0, 0, 99, 0), 0);
}

TEST_F(WaveAdaptorTest, FillsTheReportersRequests)
{
    const GeneratedRecord record(wavetest::ShortRecord());
    Open(record);
    ItemRequest rms, missing, harmonic;
    rms.phase = 1;
    rms.blockType = kAverage;
    rms.viewId = 8;
    missing.viewId = 99;
    harmonic.phase = 0;
    harmonic.blockType = kMaximum;
    harmonic.order = 6;
    harmonic.subValue = 1;
    harmonic.viewId = 2000;
    std::vector<ItemRequest*> requests = {&rms, nullptr, &missing, &harmonic};
    EXPECT_EQ(m_reader.GetItemData(requests), 1);
    EXPECT_EQ(rms.enabled, 1u);
    ASSERT_EQ(rms.values.size(), 10u);
    EXPECT_NEAR(rms.values[3], record.Expected("phase1.currentRms"), 0.02);
    EXPECT_EQ(missing.enabled, 0u);
    EXPECT_TRUE(missing.values.empty());
    ASSERT_EQ(harmonic.values.size(), 10u);
    EXPECT_NEAR(harmonic.values[0], record.Expected("phase0.voltageHarmonic7"), 0.05);

    std::vector<ItemRequest*> none = {&missing};
    EXPECT_EQ(m_reader.GetItemData(none), 0);
}

TEST_F(WaveAdaptorTest, AThreeWireRecordHasThreeLinePhases)
{
    const GeneratedRecord record(wavetest::ShortRecord(33));
    Open(record);
    BasicInfo info;
    ASSERT_EQ(m_reader.GetBasicInfo(&info), 1);
    EXPECT_EQ(info.phaseMask, 7u);
    EXPECT_EQ(info.wiringName, L"三相三线-IT");
    EXPECT_EQ(CWaveAnalysisManager::GetInstance()->GetPhaseMask(), 7u) << "the window's mask is the reader's";
    for (std::uint32_t p = 0; p < 3; ++p) {
        const std::string phase = "phase" + std::to_string(p) + ".";
        const std::optional<std::vector<double>> voltage = Read({1, p, kAverage});
        const std::optional<std::vector<double>> current = Read({8, p, kAverage});
        ASSERT_TRUE(voltage && current) << p;
        ASSERT_EQ(voltage->size(), 10u);
        const double line = record.Expected(phase + "lineVoltageRms");
        const double amperes = record.Expected(phase + "currentRms");
        for (std::size_t i = 0; i < voltage->size(); ++i) {
            EXPECT_NEAR((*voltage)[i], line, 2e-3 * line) << "line voltage " << p;
            EXPECT_NEAR((*current)[i], amperes, 2e-3 * amperes) << "current " << p;
        }
    }
    EXPECT_FALSE(Read({8, 3, kAverage})) << "no fourth channel on three wires";
}

TEST_F(WaveAdaptorTest, AnswersNothingWithoutAnAnalysedRecord)
{
    testsupport::TempDir empty;
    CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
    ASSERT_NE(manager, nullptr);
    BasicInfo info;
    EXPECT_EQ(m_reader.GetBasicInfo(&info), 0) << "no record opened";
    EXPECT_FALSE(manager->OpenRecord(platform::FromPath(empty.Path())));
    for (const WaveDispatchRow& row : WaveDispatchRows()) {
        manager->Dispatch(row.item, nullptr);
    }
    EXPECT_EQ(m_reader.GetBasicInfo(&info), 0) << "the analysis failed";
    EXPECT_FALSE(Read({1, 0, kAverage}));
    EXPECT_FALSE(Read({1, 0, kPercentile}));
}

TEST_F(WaveAdaptorTest, TheGlobalModelReadsAWaveRecordThroughIt)
{
    const GeneratedRecord record(wavetest::ShortRecord());
    Open(record);
    CGlobalModel model;
    InstallWaveReader(model);
    CCtrlItem request;
    request.code = ctrl::kCloseAll;
    request.text = record.Folder();
    model.OpenData(&request);
    BasicInfo info;
    ASSERT_EQ(model.QueryBasicInfo(&info), 1);
    EXPECT_EQ(info.phaseMask, 15u);
    CRecordDataManager values;
    EXPECT_EQ(model.GetData(0, kAverage, 0, 0, 1, Word(static_cast<IZVDataManager*>(&values))), 1);
    EXPECT_EQ(values.GetCount(), 10u);
}

}  // namespace
