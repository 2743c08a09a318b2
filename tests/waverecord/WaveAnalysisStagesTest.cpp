// The open and re-analysis runs of the waveform-record window's workers, headless:
// the stage table against the item table, the busy indicator's texts and positions
// over a generated record, a record that cannot be opened, and an exception while
// items are registered.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <set>

#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "tests/support/FakeViewer.h"
#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveAnalysisStages.h"
#include "waverecord/WaveItemTable.h"
#include "waverecord/WaveSettings.h"

namespace {

using wavetest::GeneratedRecord;

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

// Every stage text in table order, as the indicator must show them.
std::vector<std::wstring> StageTexts(bool reanalysis)
{
    std::vector<std::wstring> texts;
    for (const WaveStage& stage : CWaveAnalysisStages::Stages()) {
        if ((reanalysis ? stage.reanalyseWeight : stage.openWeight) > 0.0) {
            for (const WaveStageItem& item : stage.items) {
                texts.push_back(Text(item.textId));
            }
        }
    }
    return texts;
}

// The texts appear in this order among the notes (the pool adds captions of its own).
bool InOrder(const std::vector<std::wstring>& notes, const std::vector<std::wstring>& texts)
{
    auto at = notes.begin();
    for (const std::wstring& text : texts) {
        at = std::find(at, notes.end(), text);
        if (at == notes.end()) {
            return false;
        }
        ++at;
    }
    return true;
}

void ExpectClimbsTo100(const std::vector<double>& positions, double first, const char* what)
{
    ASSERT_FALSE(positions.empty()) << what;
    EXPECT_DOUBLE_EQ(positions.front(), first) << what;
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end())) << what;
    EXPECT_GE(*std::min_element(positions.begin(), positions.end()), 0.0) << what;
    EXPECT_LE(*std::max_element(positions.begin(), positions.end()), 100.0) << what;
    EXPECT_NEAR(positions.back(), 100.0, 1e-9) << what;
}

class WaveAnalysisStagesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_record = std::make_unique<GeneratedRecord>(wavetest::ShortRecord()); }
    static void TearDownTestSuite() { s_record.reset(); }
    void SetUp() override
    {
        wavetest::SetWaveSystemIni("");
        platform::HeadlessHourglaze().Reset();
    }
    void TearDown() override { wavetest::SetWaveSystemIni(""); }

    CWaveAnalysisManager& Manager() { return *CWaveAnalysisManager::GetInstance(); }

    wavetest::RecordingPools m_pools;
    WaveProgressBlock m_progress;
    static std::unique_ptr<GeneratedRecord> s_record;
};

std::unique_ptr<GeneratedRecord> WaveAnalysisStagesTest::s_record;

TEST(WaveAnalysisStages, EveryStageItemIsAnItemWithItsOwnText)
{
    double open = CWaveAnalysisStages::kAnalysisShare;
    double reanalysis = 0.0;
    std::set<int> items;
    std::set<unsigned> texts;
    for (const WaveStage& stage : CWaveAnalysisStages::Stages()) {
        open += stage.openWeight;
        reanalysis += stage.reanalyseWeight;
        for (const WaveStageItem& item : stage.items) {
            EXPECT_NE(FindWaveDispatchRow(item.item), nullptr) << item.item;
            EXPECT_TRUE(items.insert(item.item).second) << item.item;
            EXPECT_TRUE(texts.insert(item.textId).second) << item.textId;
            EXPECT_EQ(Text(item.textId).rfind(L"正在处理", 0), 0u) << item.textId;
        }
    }
    EXPECT_DOUBLE_EQ(open, 100.0);
    EXPECT_DOUBLE_EQ(reanalysis, 100.0);
    EXPECT_EQ(items.size(), WaveDispatchRows().size()) << "every item the window registers has its stage";
}

TEST_F(WaveAnalysisStagesTest, OpeningAnalysesThenRegistersEveryItemFrom20To100)
{
    testsupport::FakeWaveHost host;
    ASSERT_EQ(CWaveAnalysisStages::Open(Manager(), s_record->Folder(), &host, m_progress), WaveRunOutcome::Done);
    const platform::RecordingHourglaze::Snapshot shown = platform::HeadlessHourglaze().Get();
    ASSERT_FALSE(shown.notes.empty());
    EXPECT_EQ(shown.notes.front(), Text(CWaveAnalysisStages::kTextInitialising));
    EXPECT_TRUE(InOrder(shown.notes, StageTexts(false)));
    // The pool's own progress comes first; from the first fifth on it climbs to 100.
    const auto from20 = std::find(shown.positions.begin(), shown.positions.end(), 20.0);
    ASSERT_NE(from20, shown.positions.end());
    ExpectClimbsTo100({from20, shown.positions.end()}, 20.0, "open");
    EXPECT_EQ(host.sources.size(), 8u) << "four voltages and four currents went to the raw pane's host";
    EXPECT_NE(Manager().GetResult(6036), nullptr) << "the last stages ran too";
}

TEST_F(WaveAnalysisStagesTest, ReanalysisRegistersUnderTheNewWindowsFrom0To100)
{
    ASSERT_EQ(CWaveAnalysisStages::Open(Manager(), s_record->Folder(), nullptr, m_progress), WaveRunOutcome::Done);
    ASSERT_EQ(Manager().GetResult(6014)->GetDescriptor(0, CWaveResultStore::kAverage).GetCount(), 10);
    ASSERT_TRUE(CWaveSettings::Instance().Write(40, std::nullopt, std::nullopt));
    platform::HeadlessHourglaze().Reset();

    ASSERT_EQ(CWaveAnalysisStages::Reanalyse(Manager(), m_progress), WaveRunOutcome::Done);
    const platform::RecordingHourglaze::Snapshot shown = platform::HeadlessHourglaze().Get();
    EXPECT_TRUE(InOrder(shown.notes, StageTexts(true)));
    EXPECT_EQ(std::count(shown.notes.begin(), shown.notes.end(), Text(10157)), 0) << "raw waveforms stay";
    ExpectClimbsTo100(shown.positions, 20.0 / 16.0, "re-analysis");
    EXPECT_EQ(Manager().GetResult(6014)->GetDescriptor(0, CWaveResultStore::kAverage).GetCount(), 5);
}

TEST_F(WaveAnalysisStagesTest, ARecordThatCannotBeOpenedIsAnOpenFailure)
{
    testsupport::TempDir empty;
    EXPECT_EQ(CWaveAnalysisStages::Open(Manager(), platform::FromPath(empty.Path()), nullptr, m_progress),
              WaveRunOutcome::OpenFailed);
    const platform::RecordingHourglaze::Snapshot shown = platform::HeadlessHourglaze().Get();
    EXPECT_EQ(std::count(shown.positions.begin(), shown.positions.end(), 20.0), 0);
    EXPECT_FALSE(Manager().HasRecord());
}

TEST_F(WaveAnalysisStagesTest, AnExceptionWhileRegisteringIsAFailureNotACrash)
{
    struct ThrowingHost : testsupport::FakeWaveHost {
        IWaveSource* CreateDataManager(ISimpleDataManager*) override { throw std::bad_alloc(); }
    } host;
    EXPECT_EQ(CWaveAnalysisStages::Open(Manager(), s_record->Folder(), &host, m_progress), WaveRunOutcome::Failed);
}

TEST_F(WaveAnalysisStagesTest, TheRecordTestLeavesTheOpenRecordAlone)
{
    ASSERT_EQ(CWaveAnalysisStages::Open(Manager(), s_record->Folder(), nullptr, m_progress), WaveRunOutcome::Done);
    const double rate = Manager().GetSampleRate();
    testsupport::TempDir empty;
    EXPECT_TRUE(CWaveAnalysisManager::HoldsRecord(s_record->Folder()));
    EXPECT_FALSE(CWaveAnalysisManager::HoldsRecord(platform::FromPath(empty.Path())));
    EXPECT_TRUE(Manager().HasRecord());
    EXPECT_EQ(Manager().GetSampleRate(), rate);
}

}  // namespace
