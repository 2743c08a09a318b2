// The sample folder a new user opens first (ondrava-gen sample), read through the
// program's own readers: one coherent recording of one site. Its events lie inside
// the statistic span, its voltages around the nominal the folder names, its powers
// agree with its voltages, currents and energy counters, its alarms are of kinds the
// alarm list knows with the site's values and scenes, and every place that shows
// power and energy names the same units.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "core/Ini.h"
#include "export/RecordTabulist.h"
#include "lib/viewer/data/ValueText.h"
#include "platform/base/Encoding.h"
#include "report/TrendKeyTables.h"
#include "terminal/ItemRequest.h"
#include "terminal/K7700ComtradeAnalysis.h"
#include "terminal/K7700SOEAnalysis.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "terminal/SOEEventDataManager.h"
#include "tests/support/TempDir.h"
#include "tools/gen/DescriptionFiles.h"
#include "views/RecordFrameProfile.h"
#include "views/data/SoeEventText.h"

namespace {

namespace fs = std::filesystem;

// The folder once for all tests, written by the program a new user runs.
class SampleFolderTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<testsupport::TempDir>();
        const std::string command = "\"" ONDRAVA_BUILD_PROGRAM_DIR "/ondrava-gen\" sample \"" +
                                    platform::PathToUtf8(s_dir->Path()) + "\" >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        s_reader = std::make_unique<CK7700ZVViewAnalysis>(1);
        // Every record: the description says how many there are.
        const CIni cfg(platform::FromPath(s_dir->Path() / "Statistic" / "statistic.cfg"));
        const auto records = static_cast<std::uint32_t>(cfg.GetUInt(L"cfg", L"BlockCount", 0));
        ASSERT_GT(records, 1000u);
        s_reader->SetQueryParams(std::array<std::uint32_t, 10>{0, 0, records, 0, records, 0, 0, 0, 0, 0});
        ASSERT_EQ(s_reader->LoadFile(platform::FromPath(s_dir->Path()), 0), 1);
        ASSERT_EQ(s_reader->GetBasicInfo(&s_info), 1);
    }
    static void TearDownTestSuite()
    {
        s_reader.reset();
        s_dir.reset();
    }

    // One series of the statistic data (block type 0 maximum, 1 minimum, 2 average).
    static std::vector<float> Series(std::uint32_t view, std::uint32_t phase, std::uint32_t blockType)
    {
        ItemRequest request;
        request.viewId = view;
        request.phase = phase;
        request.blockType = blockType;
        std::vector<ItemRequest*> requests{&request};
        EXPECT_EQ(s_reader->GetItemData(requests), 1);
        EXPECT_EQ(request.enabled, 1u) << "view " << view << " phase " << phase;
        return request.values;
    }

    static gen::DateTime Parse(const std::wstring& text)
    {
        gen::DateTime time;
        std::sscanf(platform::WideToUtf8(text).c_str(), "%d-%d-%d %d:%d:%d.%d", &time.year, &time.month, &time.day,
                    &time.hour, &time.minute, &time.second, &time.millisecond);
        return time;
    }

    // Whether a time lies inside the statistic span.
    static bool InSpan(const gen::DateTime& time)
    {
        const gen::DateTime start = Parse(s_info.startText);
        const std::int64_t span = static_cast<std::int64_t>(s_info.recordCount * s_info.interval * 1000.0);
        const std::int64_t at = gen::MillisecondsBetween(start, time);
        return at >= 0 && at < span;
    }

    static double Nominal() { return std::stod(platform::WideToUtf8(s_info.voltageText)); }

    static std::unique_ptr<testsupport::TempDir> s_dir;
    static std::unique_ptr<CK7700ZVViewAnalysis> s_reader;
    static BasicInfo s_info;
};

std::unique_ptr<testsupport::TempDir> SampleFolderTest::s_dir;
std::unique_ptr<CK7700ZVViewAnalysis> SampleFolderTest::s_reader;
BasicInfo SampleFolderTest::s_info;

constexpr std::uint32_t kMaximum = 0, kAverage = 2;
constexpr std::uint32_t kVoltageView = 1, kCurrentView = 8, kActivePowerView = 15, kActiveEnergyView = 20;

TEST_F(SampleFolderTest, VoltagesLieAroundTheNominalOfTheFolder)
{
    EXPECT_NEAR(Nominal(), 220.0, 1e-9) << "a 0.38 kV system measured directly";
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        for (const float value : Series(kVoltageView, phase, kAverage)) {
            ASSERT_LT(std::fabs(value - Nominal()) / Nominal(), 0.10) << "phase " << phase << ": " << value;
        }
    }
}

TEST_F(SampleFolderTest, PowerIsVoltageTimesCurrentAndSumsToTheEnergy)
{
    const double hours = s_info.interval / 3600.0;
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        const std::vector<float> power = Series(kActivePowerView, phase, kAverage);
        const std::vector<float> energy = Series(kActiveEnergyView, phase, kAverage);
        ASSERT_EQ(power.size(), energy.size());
        ASSERT_GT(power.size(), 1u);
        // kW: voltage (V) times current (A) times a power factor near 0.95, over 1000.
        if (phase < 3) {
            const std::vector<float> voltage = Series(kVoltageView, phase, kAverage);
            const std::vector<float> current = Series(kCurrentView, phase, kAverage);
            for (std::size_t r = 0; r < power.size(); r += 97) {
                const double apparent = voltage[r] * current[r] / 1000.0;
                EXPECT_NEAR(power[r] / apparent, 0.95, 0.05) << "phase " << phase << " record " << r;
            }
        }
        double sum = 0.0;
        for (std::size_t r = 1; r < power.size(); ++r) {
            sum += power[r] * hours;
        }
        const double counted = energy.back() - energy.front();
        EXPECT_NEAR(sum / counted, 1.0, 0.01) << "phase " << phase << ": " << sum << " kWh from the power, "
                                             << counted << " kWh counted";
    }
}

TEST_F(SampleFolderTest, TransientEventsLieInsideTheStatisticSpanWithTheSitesWaveforms)
{
    std::vector<fs::path> records;
    for (const auto& entry : fs::recursive_directory_iterator(s_dir->Path() / "COMTRADE")) {
        if (entry.path().extension() == ".CFG") {
            records.push_back(entry.path());
        }
    }
    ASSERT_GE(records.size(), 2u);
    for (const fs::path& record : records) {
        const std::string name = record.filename().string();
        CK7700ComtradeAnalysis reader;
        ASSERT_EQ(reader.LoadFile(platform::FromPath(record), 0), 1) << name;
        BasicInfo info;
        ASSERT_EQ(reader.GetBasicInfo(&info), 1) << name;
        EXPECT_TRUE(InSpan(Parse(info.startText))) << name << " at " << platform::WideToUtf8(info.startText);
        EXPECT_GE(info.value2, 1) << name << ": a kind the record list names";
        EXPECT_LE(info.value2, 4) << name;
        EXPECT_GE(info.value1, 1) << name << ": a phase the record list names";
        EXPECT_LE(info.value1, 3) << name;
        // Before the event every phase holds the site's voltage.
        for (int phase = 0; phase < 3; ++phase) {
            const std::span<const float> rms = reader.GetSeries(5 + phase);
            ASSERT_FALSE(rms.empty()) << name;
            EXPECT_LT(std::fabs(rms.front() - Nominal()) / Nominal(), 0.10) << name << " phase " << phase;
        }
    }
}

// The scene of an SOE block as the scene view gets it.
class SceneSink : public CSOEEventDataManager, public ISOESceneSink {
public:
    void SetScene(const std::uint8_t* scene) override
    {
        words.resize(kSOESceneBytes / 4);
        std::memcpy(words.data(), scene, kSOESceneBytes);
    }
    std::vector<float> words;
};

TEST_F(SampleFolderTest, AlarmsAreKnownKindsInsideTheSpanWithTheSitesScenes)
{
    const fs::path file = s_dir->Path() / "SOE" / "K7700.soe";
    CK7700SOEAnalysis reader;
    // Every block, whatever its time.
    const std::uint64_t far = 4102444800u;  // 2100
    reader.SetQueryParams(std::array<std::uint32_t, 10>{0, 0, 0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(far), 0});
    ASSERT_EQ(reader.LoadFile(platform::FromPath(file), 0), 1);
    CSOEEventDataManager events;
    ASSERT_EQ(reader.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&events)), 1);
    ASSERT_GE(events.GetCount(), 4u);
    for (std::int64_t i = 0; i < static_cast<std::int64_t>(events.GetCount()); ++i) {
        SOERow row;
        ASSERT_EQ(events.GetEventAt(i, &row), 1);
        const std::string at = std::to_string(i);
        const gen::DateTime time{row.blockTime.year, row.blockTime.month,  row.blockTime.day,
                                 row.blockTime.hour, row.blockTime.minute, row.blockTime.second,
                                 row.blockTime.milliseconds};
        EXPECT_TRUE(InSpan(time)) << at;
        const std::int32_t type = row.record.w[0];
        EXPECT_TRUE(soetext::HasEntry(type) && type != 0 && type != 8) << at << ": type " << type;
        EXPECT_GE(row.record.w[2], 0) << at << ": a phase the list names";
        EXPECT_LE(row.record.w[2], 3) << at;
        EXPECT_FALSE(soetext::Unit(type).empty()) << at;
        float value = 0;
        std::memcpy(&value, &row.record.w[4], sizeof value);
        EXPECT_GT(value, 1.0f) << at << ": a measured value, not a test pattern";
        EXPECT_LT(value, 100.0f) << at;

        SceneSink scene;
        ASSERT_EQ(reader.GetData(0, 0, row.dataPosition, 0, 1, reinterpret_cast<QueryWord>(&scene)), 1) << at;
        ASSERT_EQ(scene.words.size(), 116u);
        for (int phase = 0; phase < 3; ++phase) {
            const double voltage = scene.words[phase], current = scene.words[4 + phase];
            EXPECT_LT(std::fabs(voltage - Nominal()) / Nominal(), 0.10) << at << " phase " << phase;
            EXPECT_GT(current, 1.0) << at << " phase " << phase;
            // Active power (kW) of that voltage and current.
            EXPECT_NEAR(scene.words[65 + phase] / (voltage * current / 1000.0), 0.95, 0.05) << at << " phase " << phase;
        }
        EXPECT_NEAR(scene.words[64], 50.0, 0.2) << at << ": the frequency";
    }
}

// The units of the power and energy quantities in the record view, the report and
// the table export: each the same.
TEST_F(SampleFolderTest, ViewReportAndExportNameTheSameUnits)
{
    const std::map<std::string, CReportItemName> report = MakeTrendKeyTable();
    const CRecordTabulist exporter;
    int compared = 0;
    for (const RecordItemEntry& item : PowerAndEnergyProfile().items) {
        const std::wstring view = tracelume::UnitText(item.unit);
        if (view.empty()) {
            continue;  // power factors
        }
        const std::string row = "item " + std::to_string(item.code) + " " + platform::WideToUtf8(view);
        bool reported = false;
        for (const auto& [key, name] : report) {
            if (name.itemId == item.code) {
                EXPECT_EQ(name.unit, L"[" + view + L"]") << row << " in " << key;
                reported = true;
            }
        }
        EXPECT_TRUE(reported) << row;
        ExportKey key;
        key.type = static_cast<int>(item.code);
        const std::wstring title = exporter.DescribeItem(key).title;
        EXPECT_NE(title.find(L":" + view + L")"), std::wstring::npos) << row << ": " << platform::WideToUtf8(title);
        ++compared;
    }
    EXPECT_EQ(compared, 6) << "P, S, Q and their energies";
}

}  // namespace
