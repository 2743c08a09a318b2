// The analysis manager over a generated raw record, headless: opening, the dispatch
// of every item onto the pool's data sets, the values read back through the result
// records against the generator's expected values, the raw waveforms' joint range
// and progress, and the answers without a record.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <thread>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/base/LocalTime.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/FakeViewer.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveDataManager.h"
#include "waverecord/WaveItemTable.h"
#include "waverecord/WaveSettings.h"

namespace {

using wavetest::GeneratedRecord;
using wavetest::RecordingPool;

constexpr int kMax = CWaveResultStore::kMaximum;
constexpr int kMin = CWaveResultStore::kMinimum;
constexpr int kAvg = CWaveResultStore::kAverage;

int StoreKey(int phase, int position)
{
    return phase << 24 | position << 8;
}

// Every value of a series, read through its descriptor.
std::vector<float> Values(const CWaveSeriesDescriptor& descriptor)
{
    std::vector<float> values;
    float value = 0.0f;
    for (std::int64_t i = 0; descriptor.ReadAt(i, &value); ++i) {
        values.push_back(value);
    }
    return values;
}

class WaveAnalysisManagerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_record = std::make_unique<GeneratedRecord>(wavetest::ShortRecord()); }
    static void TearDownTestSuite() { s_record.reset(); }
    void SetUp() override { wavetest::SetWaveSystemIni(""); }
    void TearDown() override { wavetest::SetWaveSystemIni(""); }

    CWaveAnalysisManager& Manager()
    {
        CWaveAnalysisManager* manager = CWaveAnalysisManager::GetInstance();
        EXPECT_NE(manager, nullptr);
        return *manager;
    }

    wavetest::RecordingPools m_pools;
    static std::unique_ptr<GeneratedRecord> s_record;
};

std::unique_ptr<GeneratedRecord> WaveAnalysisManagerTest::s_record;

TEST_F(WaveAnalysisManagerTest, EveryItemResolvesToItsDataSetFlagAndMode)
{
    CWaveAnalysisManager& manager = Manager();
    ASSERT_TRUE(wavetest::OpenAndDispatchAll(manager, *s_record));
    RecordingPool* pool = RecordingPool::Last();
    ASSERT_NE(pool, nullptr);
    ASSERT_EQ(manager.GetPhaseMask(), 0xFu);
    int series = 0;
    for (const WaveDispatchRow& row : WaveDispatchRows()) {
        for (std::size_t r = 0; r < row.count; ++r) {
            const WaveRegistration& reg = row.registrations[r];
            const std::string name = "item " + std::to_string(row.item) + " / " + std::to_string(reg.subItem);
            const std::unique_ptr<CWaveResultStore> result = manager.GetResult(reg.subItem);
            if (row.handler == WaveHandler::PerPhase && !result) {
                // Pst: two seconds close no flicker period, so the pool has no series.
                for (int p = 0; p < 4; ++p) {
                    EXPECT_EQ(pool->Watched(reg.kind, p, 4), nullptr) << name;
                }
                continue;
            }
            ASSERT_TRUE(result) << name;
            const int step = row.map == WaveResultMap::Rms ? 20 : 1;
            // A statistic series per (phase key, data set): maximum, minimum, average.
            const auto statistics = [&](int key, wavetest::RecordingDataSet* set, bool moded) {
                if (!set) {
                    EXPECT_EQ(result->CountStatistics(key), 0) << name << " key " << key << ": no data set";
                    return;
                }
                const int readTypes[][2] = {{kMax, 0}, {kMin, 2}, {kAvg, 1}};
                for (const auto& [kind, readType] : readTypes) {
                    const CWaveSeriesDescriptor descriptor = result->GetDescriptor(key, kind);
                    EXPECT_EQ(descriptor.dataSet, set) << name << " key " << key;
                    EXPECT_EQ(descriptor.readType, readType) << name << " key " << key;
                    ++series;
                }
                EXPECT_EQ(set->step, step) << name << " key " << key;
                EXPECT_EQ(set->flag, reg.flag) << name << " key " << key;
                EXPECT_EQ(set->mode, moded ? std::optional<int>(reg.mode) : std::nullopt) << name << " key " << key;
            };
            switch (row.handler) {
            case WaveHandler::PerPhase:
                for (int p = 0; p < 4; ++p) {
                    statistics(p, pool->Watched(reg.kind, p, 4), true);
                }
                break;
            case WaveHandler::System:
                statistics(4, pool->Watched(reg.kind, 4, 4), false);
                break;
            case WaveHandler::Orders:
                for (int p = 0; p < 4; ++p) {
                    const int orders = pool->GetDataSetCount(reg.kind, p);
                    EXPECT_GT(orders, 0) << name;
                    EXPECT_EQ(result->CountOrders(p), orders) << name;
                    for (int i = 0; i < orders; ++i) {
                        statistics(StoreKey(p, i), pool->Watched(reg.kind, p, i), false);
                    }
                }
                break;
            case WaveHandler::Fixed:
                for (int p : {0, 1, 2, 3, 4}) {
                    for (int kind : {CWaveResultStore::kRms, kMax, kMin, kAvg}) {
                        const CWaveSeriesDescriptor descriptor = result->GetDescriptor(p, kind);
                        EXPECT_EQ(descriptor.dataSet, pool->Watched(reg.kind, p, 4)) << name << " phase " << p;
                        EXPECT_EQ(descriptor.readType, CWaveSeriesDescriptor::kReadValue) << name;
                        ++series;
                    }
                }
                break;
            case WaveHandler::RawWaveform:
                for (int p = 0; p < 4; ++p) {
                    const CWaveSeriesDescriptor descriptor = result->GetDescriptor(p, CWaveResultStore::kPlainValue);
                    EXPECT_EQ(descriptor.dataSet, pool->WatchedChannel(reg.kind + p)) << name << " phase " << p;
                    EXPECT_NE(descriptor.dataSet, nullptr) << name;
                    ++series;
                }
                break;
            }
        }
    }
    EXPECT_GT(series, 2000);
}

TEST_F(WaveAnalysisManagerTest, ItemsReadTheKindsTheyStandFor)
{
    // Independent of the dispatch table: a few items by what the pool's kinds hold.
    CWaveAnalysisManager& manager = Manager();
    ASSERT_TRUE(wavetest::OpenAndDispatchAll(manager, *s_record));
    RecordingPool* pool = RecordingPool::Last();
    struct Case {
        int item, phaseKey, kind, index, subIndex, flag, mode;
    };
    const Case cases[] = {
        {6017, 1, 7, 1, 4, 1, 1},                 // voltage negative peak: extremes swapped
        {6014, 0, 2, 0, 4, 0, 0},                 // voltage RMS, averaged as an RMS
        {6025, 3, 17, 3, 4, 1, 0},                // current average
        {5985, StoreKey(2, 6), 54, 2, 6, 1, 0},   // voltage harmonic percent, order 7
        {6001, StoreKey(0, 3), 29, 0, 3, 1, 0},   // harmonic power percent
        {6069, 4, 40, 4, 4, 1, 0},                // zero-sequence voltage unbalance
        {6009, 2, 27, 2, 4, 1, 0},                // DC power percent
    };
    for (const Case& c : cases) {
        const std::unique_ptr<CWaveResultStore> result = manager.GetResult(c.item);
        ASSERT_TRUE(result) << c.item;
        wavetest::RecordingDataSet* set = pool->Watched(c.kind, c.index, c.subIndex);
        ASSERT_NE(set, nullptr) << c.item;
        EXPECT_EQ(result->GetDescriptor(c.phaseKey, kAvg).dataSet, set) << c.item;
        EXPECT_EQ(set->flag, c.flag) << c.item;
        EXPECT_EQ(set->mode.value_or(0), c.mode) << c.item;
    }
    const std::unique_ptr<CWaveResultStore> frequency = manager.GetResult(9999);
    EXPECT_EQ(frequency->GetDescriptor(4, CWaveResultStore::kRms).dataSet, pool->Watched(47, 4, 4));
    EXPECT_EQ(frequency->GetDescriptor(0, CWaveResultStore::kRms).dataSet, nullptr) << "no frequency per phase";
    const std::unique_ptr<CWaveResultStore> energy = manager.GetResult(6035);
    EXPECT_EQ(energy->GetDescriptor(3, kMax).dataSet, pool->Watched(22, 3, 4)) << "the total active energy";
    EXPECT_EQ(manager.GetResult(6003), nullptr);
    EXPECT_EQ(manager.GetResult(6056), nullptr) << "a family is kept under its sub-items";
    EXPECT_EQ(manager.GetResult(10000), nullptr);
}

TEST_F(WaveAnalysisManagerTest, ValuesMatchTheSignal)
{
    CWaveAnalysisManager& manager = Manager();
    ASSERT_TRUE(wavetest::OpenAndDispatchAll(manager, *s_record));
    struct Case {
        int item, phaseKey, statistic;
        std::string expected;  // name in the generator's file; empty: the value below
        double value, tolerance;
        bool relative;
    };
    const double s0 = s_record->Expected("phase0.apparentPower");
    const double total = s_record->Expected("total.apparentPower");
    std::vector<Case> cases;
    for (int p = 0; p < 3; ++p) {
        const std::string phase = "phase" + std::to_string(p) + ".";
        const auto name = [&](const char* quantity) { return phase + quantity; };
        cases.insert(cases.end(), {
            {6014, p, kAvg, name("voltageRms"), 0, 2e-3, true},
            {6014, p, kMax, name("voltageRms"), 0, 2e-3, true},
            {6014, p, kMin, name("voltageRms"), 0, 2e-3, true},
            {6015, p, kAvg, name("currentRms"), 0, 2e-3, true},
            {6026, p, CWaveResultStore::kRms, name("voltageRms"), 0, 2e-3, true},
            {6027, p, kMax, name("currentRms"), 0, 2e-3, true},
            {6020, p, kAvg, name("voltageHarmonic1"), 0, 2e-3, true},
            {6028, p, kAvg, name("voltagePhase1"), 0, 0.1, false},
            {6075, p, kAvg, name("voltageThd"), 0, 0.05, false},
            {6076, p, kAvg, name("currentThd"), 0, 0.05, false},
            {5981, StoreKey(p, 4), kAvg, name("voltageHarmonic5"), 0, 0.05, false},
            {5981, StoreKey(p, 6), kAvg, name("voltageHarmonic7"), 0, 0.05, false},
            {5985, StoreKey(p, 4), kAvg, "", 3.0, 0.02, false},
            {5982, StoreKey(p, 2), kAvg, name("currentHarmonic3"), 0, 0.01, false},
            {6030, p, kAvg, name("activePower"), 0, 3e-3 * s0, false},
            {6031, p, kAvg, name("apparentPower"), 0, 3e-3 * s0, false},
            {6032, p, kAvg, name("reactivePower"), 0, 1e-2 * s0, false},
            {6033, p, kAvg, name("powerFactor"), 0, 3e-3, false},
            {6034, p, kAvg, name("displacementPowerFactor"), 0, 1e-3, false},
        });
    }
    cases.insert(cases.end(), {
        {6015, 3, kAvg, "phase3.currentRms", 0, 0.01, false},
        {6030, 3, kAvg, "total.activePower", 0, 3e-3 * total, false},
        {6046, 4, kAvg, "voltage.positive", 0, 0.5, false},
        {6068, 4, kAvg, "voltage.negativeUnbalance", 0, 0.02, false},
        {6049, 4, kAvg, "current.positive", 0, 0.02, false},
        {9999, 4, CWaveResultStore::kRms, "", 50.0, 0.0, false},
    });
    for (const Case& c : cases) {
        const std::string row = "item " + std::to_string(c.item) + " key " + std::to_string(c.phaseKey) +
                                " statistic " + std::to_string(c.statistic);
        const std::unique_ptr<CWaveResultStore> result = manager.GetResult(c.item);
        ASSERT_TRUE(result) << row;
        const std::vector<float> values = Values(result->GetDescriptor(c.phaseKey, c.statistic));
        ASSERT_FALSE(values.empty()) << row;
        const double expected = c.expected.empty() ? c.value : s_record->Expected(c.expected);
        const double tolerance = c.relative ? c.tolerance * expected : c.tolerance;
        for (std::size_t i = 0; i < values.size(); ++i) {
            ASSERT_NEAR(values[i], expected, tolerance) << row << " value " << i;
        }
    }
}

TEST_F(WaveAnalysisManagerTest, RawWaveformsShareOneRangeAndGoToTheHostWithProgress)
{
    CWaveAnalysisManager& manager = Manager();
    ASSERT_TRUE(manager.OpenRecord(s_record->Folder()));
    testsupport::FakeWaveHost host;
    WaveProgressBlock block{20.0, 20.0};
    manager.SetProgressBlock(&block);
    platform::HeadlessHourglaze().Reset();
    EXPECT_EQ(manager.Dispatch(CWaveAnalysisManager::kRawVoltages, &host), 1);

    // The joint range, worked out here from the samples themselves.
    const std::unique_ptr<CWaveResultStore> voltages = manager.GetResult(CWaveAnalysisManager::kRawVoltages);
    ASSERT_TRUE(voltages);
    float low = 3.0e38f, high = -3.0e38f;
    for (int p = 0; p < 4; ++p) {
        const std::vector<float> values = Values(voltages->GetDescriptor(p, CWaveResultStore::kPlainValue));
        ASSERT_EQ(values.size(), 25600u) << p;
        low = std::min(low, *std::min_element(values.begin(), values.end()));
        high = std::max(high, *std::max_element(values.begin(), values.end()));
    }
    const float margin = (high - low) / 7.0f;
    EXPECT_GT(high, 320.0f) << "a 230 V phase peaks above 320 V";

    ASSERT_EQ(host.sources.size(), 4u) << "every phase loaded into the host";
    for (ISimpleDataManager* source : host.sources) {
        auto* series = dynamic_cast<CWaveDataManager*>(source);
        ASSERT_NE(series, nullptr);
        EXPECT_FLOAT_EQ(series->GetMinValue(), low - margin);
        EXPECT_FLOAT_EQ(series->GetMaxValue(), high + margin);
        EXPECT_EQ(series->GetCount(), 25600u);
    }
    const std::vector<IWaveViewerCallback*> callbacks = host.callbacks;
    ASSERT_EQ(callbacks.size(), 2u);
    EXPECT_NE(callbacks[0], nullptr);
    EXPECT_EQ(callbacks[1], nullptr) << "the host's callback is taken away again";

    // A fifth of the item's share for the joint range, then a fifth for each phase's
    // summary: the indicator never runs back, and the item ends at its full share.
    const std::vector<double> expected = {21, 22, 23, 24, 25, 26, 27, 28, 28, 29, 30, 31, 32, 32,
                                          33, 34, 35, 36, 36, 37, 38, 39, 40, 40};
    EXPECT_EQ(platform::HeadlessHourglaze().Get().positions, expected);
    EXPECT_DOUBLE_EQ(block.offset, 40.0);
    manager.SetProgressBlock(nullptr);
}

TEST_F(WaveAnalysisManagerTest, OpeningShowsTheAnalysisOverTheFirstFifth)
{
    platform::HeadlessHourglaze().Reset();
    ASSERT_TRUE(Manager().OpenRecord(s_record->Folder()));
    // One chunk for a short record: its report takes the indicator to 20 %.
    const std::vector<double> expected = {20.0};
    EXPECT_EQ(platform::HeadlessHourglaze().Get().positions, expected);
}

TEST_F(WaveAnalysisManagerTest, AnswersAboutTheOpenRecord)
{
    CWaveAnalysisManager& manager = Manager();
    ASSERT_TRUE(manager.OpenRecord(s_record->Folder()));
    // 12,800 samples per second at 50 Hz: 256 per cycle, 2560 per 200 ms and per frame.
    EXPECT_EQ(manager.GetSampleRate(), 12800.0);
    EXPECT_EQ(manager.GetNominalFrequency(), 50.0);
    EXPECT_EQ(manager.GetIntervalCount(), 10);
    EXPECT_EQ(manager.GetBlocksPerSecond(), 5.0);
    EXPECT_EQ(manager.GetFramesPerSecond(), 5.0);
    EXPECT_EQ(manager.GetHalfCyclesPerSecond(), 100.0);
    EXPECT_EQ(manager.GetRmsWindowsPerSecond(), 5.0);
    EXPECT_EQ(manager.GetHarmWindowsPerSecond(), 5.0);
    EXPECT_DOUBLE_EQ(manager.GetPstWindowsPerSecond(), 12800.0 / (2560.0 * 300.0));
    EXPECT_EQ(manager.GetWiringCode(), 50);
    const auto start = platform::FromLocalTime(2014, 5, 6, 7, 8, 9);
    ASSERT_TRUE(start);
    EXPECT_EQ(manager.GetStartTime(), std::int64_t(*start) * 1000000000 + 10000000);

    struct Case {
        const char* name;
        std::int64_t (CWaveAnalysisManager::*convert)(std::int64_t, std::int64_t&) const;
        std::int64_t t, quotient, remainder;
    };
    const Case cases[] = {
        {"block", &CWaveAnalysisManager::PointToBlockRem, 2560 * 3 + 5, 3, 5},
        {"frame", &CWaveAnalysisManager::PointToFrameRem, 2560 * 2 + 1, 2, 1},
        {"half cycle", &CWaveAnalysisManager::PointToHalfCycleRem, 128 * 7 + 1, 7, 1},
        {"half cycle by block", &CWaveAnalysisManager::PointToHalfCycleByBlockRem, 128 * 9, 9, 0},
        {"minute", &CWaveAnalysisManager::PointToMinuteRem, 768000 + 12, 1, 12},
        {"signed positions", &CWaveAnalysisManager::PointToBlockRem, -2561, -1, -1},
        {"beyond 32 bits", &CWaveAnalysisManager::PointToBlockRem, 2560LL << 33, 1LL << 33, 0},
    };
    for (const Case& c : cases) {
        std::int64_t remainder = -99;
        EXPECT_EQ((manager.*c.convert)(c.t, remainder), c.quotient) << c.name;
        EXPECT_EQ(remainder, c.remainder) << c.name;
    }
}

TEST_F(WaveAnalysisManagerTest, WithoutARecordEveryAnswerIsFixed)
{
    struct Case {
        const char* name;
        bool (*prepare)(CWaveAnalysisManager&, const GeneratedRecord&);
    };
    testsupport::TempDir empty;
    static std::wstring emptyFolder;
    emptyFolder = platform::FromPath(empty.Path());
    const Case cases[] = {
        {"a pool without a record", [](CWaveAnalysisManager&, const GeneratedRecord&) { return true; }},
        {"a pool whose analysis failed",
         [](CWaveAnalysisManager& m, const GeneratedRecord&) { return !m.OpenRecord(emptyFolder); }},
        {"a record opened before, then a failed one",
         [](CWaveAnalysisManager& m, const GeneratedRecord& r) {
             return wavetest::OpenAndDispatchAll(m, r) && !m.OpenRecord(emptyFolder);
         }},
    };
    for (const Case& c : cases) {
        CWaveAnalysisManager::DestroyInstance();
        CWaveAnalysisManager& manager = Manager();
        ASSERT_TRUE(c.prepare(manager, *s_record)) << c.name;
        EXPECT_FALSE(manager.HasRecord()) << c.name;
        EXPECT_EQ(manager.GetStartTime(), -1) << c.name;
        EXPECT_EQ(manager.GetSampleRate(), 4294967296.0) << c.name;
        EXPECT_EQ(manager.GetNominalFrequency(), -1.0) << c.name;
        EXPECT_EQ(manager.GetIntervalCount(), 0) << c.name;
        EXPECT_EQ(manager.GetPhaseMask(), 0u) << c.name;
        EXPECT_EQ(manager.GetHalfCyclesPerSecond(), 0.0) << c.name;
        for (double rate : {manager.GetBlocksPerSecond(), manager.GetFramesPerSecond(), manager.GetRmsWindowsPerSecond(),
                            manager.GetHarmWindowsPerSecond(), manager.GetPstWindowsPerSecond()}) {
            EXPECT_EQ(rate, 4294967296.0) << c.name;
        }
        std::int64_t remainder = -1;
        EXPECT_EQ(manager.PointToMinute(12345), 12345) << c.name;
        EXPECT_EQ(manager.PointToHalfCycleRem(777, remainder), 777) << c.name;
        EXPECT_EQ(remainder, 0) << c.name;
        unsigned char block[CWaveAnalysisManager::kConfigBlockSize];
        EXPECT_FALSE(manager.GetConfigBlock(block)) << c.name;
        EXPECT_EQ(manager.GetDataSetSeries(0).dataSet, nullptr) << c.name;
        int rms = 0, harm = 0, pst = 0;
        EXPECT_TRUE(manager.ReadAnalysisSettings(rms, harm, pst));
        EXPECT_EQ(rms, 20) << c.name;
        EXPECT_EQ(harm, 1) << c.name;
        EXPECT_EQ(pst, 1) << c.name;
        testsupport::FakeWaveHost host;
        for (const WaveDispatchRow& row : WaveDispatchRows()) {
            EXPECT_EQ(manager.Dispatch(row.item, &host), 0) << c.name << " item " << row.item;
        }
        EXPECT_FALSE(manager.HasFixedResults()) << c.name;
        EXPECT_EQ(manager.GetResult(6014), nullptr) << c.name;
        EXPECT_TRUE(host.sources.empty()) << c.name;
    }
}

TEST_F(WaveAnalysisManagerTest, ReadingSettingsWithoutARecordLeavesTheFileByteIdentical)
{
    const std::string text = "[WAVE_CONFIG]\r\nRmsAnalysis=1\r\nHarmAnalysis=500\r\nPstAnalysis=0\r\n";
    wavetest::SetWaveSystemIni(text);
    CWaveAnalysisManager& manager = Manager();
    int rms = 0, harm = 0, pst = 0;
    manager.ReadAnalysisSettings(rms, harm, pst);
    manager.GetRmsWindowsPerSecond();
    manager.GetResult(6014);
    EXPECT_EQ(rms, 20);
    EXPECT_EQ(harm, 1);
    EXPECT_EQ(pst, 1);
    EXPECT_EQ(testsupport::ReadAll(platform::ProgramFolder() / "WaveSystem.ini"), text);
}

TEST_F(WaveAnalysisManagerTest, ResultsFollowTheAnalysisWindows)
{
    CWaveAnalysisManager& manager = Manager();
    ASSERT_TRUE(wavetest::OpenAndDispatchAll(manager, *s_record));
    EXPECT_EQ(manager.Dispatch(6014, nullptr), 0) << "registered once per window";
    const auto count = [&](int item) {
        const std::unique_ptr<CWaveResultStore> result = manager.GetResult(item);
        return result ? result->GetDescriptor(0, kAvg).GetCount() : -1;
    };
    ASSERT_EQ(count(6014), 10) << "200 half cycles in windows of 20";

    // The dialog stores a longer RMS window; the window re-analyses.
    ASSERT_TRUE(CWaveSettings::Instance().Write(40, std::nullopt, std::nullopt));
    EXPECT_EQ(manager.GetResult(6014), nullptr) << "nothing registered under the new window yet";
    manager.ResetResults();
    EXPECT_TRUE(manager.HasFixedResults()) << "raw waveforms and fixed items stay";
    EXPECT_EQ(manager.Dispatch(6014, nullptr), 1);
    EXPECT_EQ(count(6014), 5);

    ASSERT_TRUE(CWaveSettings::Instance().Write(20, std::nullopt, std::nullopt));
    EXPECT_EQ(count(6014), -1) << "the results under 20 went with the reset";
}

TEST_F(WaveAnalysisManagerTest, OpeningAnotherRecordReleasesTheFirstPoolAndEveryResult)
{
    CWaveAnalysisManager& manager = Manager();
    ASSERT_TRUE(wavetest::OpenAndDispatchAll(manager, *s_record));
    const std::unique_ptr<CWaveResultStore> kept = manager.GetResult(CWaveAnalysisManager::kRawCurrents);
    ASSERT_TRUE(kept);
    ASSERT_EQ(RecordingPool::Live(), 1);

    const GeneratedRecord second(wavetest::ShortRecord(34));
    ASSERT_TRUE(manager.OpenRecord(second.Folder()));
    EXPECT_EQ(RecordingPool::Live(), 1) << "one pool at a time";
    EXPECT_FALSE(manager.HasFixedResults());
    EXPECT_EQ(manager.GetResult(6014), nullptr);
    EXPECT_EQ(manager.GetPhaseMask(), 0x7u) << "a three-wire record: L1, L2, L3";
    // A copy taken from the first record reads nothing now instead of a freed pool.
    EXPECT_EQ(kept->GetDescriptor(0, CWaveResultStore::kPlainValue).dataSet, nullptr);
    float low = 0.0f, high = 0.0f;
    EXPECT_EQ(kept->GetRange(0, CWaveResultStore::kPlainValue, low, high), 0);
}

TEST_F(WaveAnalysisManagerTest, FailuresWhileOpeningAreFailureResults)
{
    CWaveAnalysisManager& manager = Manager();
    RecordingPool::ThrowOnNextAnalyse();
    EXPECT_FALSE(manager.OpenRecord(s_record->Folder()));
    EXPECT_EQ(RecordingPool::Live(), 0) << "the pool is released";
    EXPECT_FALSE(manager.HasRecord());

    CWaveAnalysisManager::DestroyInstance();
    CWaveAnalysisManager::SetPoolFactory([]() -> ISampolyxDataPool* { throw std::bad_alloc(); });
    CWaveAnalysisManager& without = Manager();
    EXPECT_FALSE(without.OpenRecord(s_record->Folder()));
    EXPECT_EQ(without.GetSampleRate(), 4294967296.0);
    EXPECT_FALSE(without.OpenStatisticDir(s_record->Folder()));

    CWaveAnalysisManager::DestroyInstance();
    CWaveAnalysisManager::SetPoolFactory([]() -> ISampolyxDataPool* { return nullptr; });
    EXPECT_FALSE(Manager().OpenRecord(s_record->Folder()));

    // And the program goes on: the next record opens.
    CWaveAnalysisManager::DestroyInstance();
    CWaveAnalysisManager::SetPoolFactory(nullptr);
    EXPECT_TRUE(Manager().OpenRecord(s_record->Folder()));
}

TEST_F(WaveAnalysisManagerTest, OneInstanceAtATimeMadeAgainAfterItIsDestroyed)
{
    std::vector<CWaveAnalysisManager*> seen(8, nullptr);
    {
        std::vector<std::thread> threads;
        for (std::size_t i = 0; i < seen.size(); ++i) {
            threads.emplace_back([&seen, i] { seen[i] = CWaveAnalysisManager::GetInstance(); });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    EXPECT_EQ(std::set<CWaveAnalysisManager*>(seen.begin(), seen.end()).size(), 1u);
    ASSERT_NE(seen[0], nullptr);
    ASSERT_TRUE(wavetest::OpenAndDispatchAll(*seen[0], *s_record));
    CWaveAnalysisManager::DestroyInstance();
    EXPECT_EQ(RecordingPool::Live(), 0);
    CWaveAnalysisManager* again = CWaveAnalysisManager::GetInstance();
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->HasFixedResults());
    EXPECT_EQ(RecordingPool::Live(), 1) << "a new manager with a new pool";
}

}  // namespace
