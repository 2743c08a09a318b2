// What the trend views know of their quantities: host codes, units (those of the
// numbers the analysis writes), export titles and series families, and how a family
// turns a selected sample range into series positions and a time scale.
#include <gtest/gtest.h>

#include <string>

#include "tests/waverecord/WaveRecordFixture.h"
#include "waverecord/WaveAnalysisManager.h"
#include "waverecord/WaveStatisticItems.h"

namespace {

using F = WaveSeriesFamily;
using K = WaveTrendKind;

TEST(WaveStatisticItems, EachViewKnowsItsQuantities)
{
    struct Case {
        K kind;
        std::uint32_t id;
        std::uint32_t hostCode;
        std::wstring unit;
        F family;
        unsigned title;
    };
    const Case cases[] = {
        {K::VoltageCurrent, 6014, 1, L"V", F::Rms, 0},
        {K::VoltageCurrent, 6021, 16, L"A", F::Fundamental, 0},
        {K::VoltageCurrent, 6022, 6, L"", F::Rms, 0},
        {K::VoltageCurrent, 6026, 5, L"V", F::HalfCycle, 10115},
        {K::VoltageCurrent, 6027, 13, L"A", F::HalfCycle, 10116},
        {K::VoltageCurrent, 6029, 15, L"°", F::Fundamental, 0},
        {K::VoltageCurrent, 5999, 17, L"", F::Fundamental, 0},
        {K::VoltageCurrent, 1234, 0, L"", F::Other, 0},
        // Power in W, var and VA, energy in Wh, varh and VAh, as the analysis writes
        // them: never the kilo units some quantity names carry.
        {K::PowerEnergy, 6030, 18, L"W", F::Rms, 10084},
        {K::PowerEnergy, 6031, 19, L"VA", F::Rms, 10085},
        {K::PowerEnergy, 6032, 20, L"VAR", F::Rms, 10086},
        {K::PowerEnergy, 6033, 21, L"", F::Rms, 10087},
        {K::PowerEnergy, 6034, 22, L"", F::Fundamental, 10088},
        {K::PowerEnergy, 6035, 23, L"Wh", F::HalfCycle, 10090},
        {K::PowerEnergy, 6036, 24, L"VAh", F::HalfCycle, 10091},
        {K::PowerEnergy, 6037, 25, L"VARh", F::HalfCycle, 10089},
        {K::PowerEnergy, 6014, 0, L"", F::Rms, 10092},
        {K::Unbalance, 6046, 13006, L"V", F::Fundamental, 0},
        {K::Unbalance, 6051, 13011, L"A", F::Fundamental, 0},
        {K::Unbalance, 6068, 13013, L"％", F::Fundamental, 0},
        {K::Unbalance, 6069, 13015, L"％", F::Fundamental, 0},
        {K::Unbalance, 6070, 13014, L"％", F::Fundamental, 0},
        {K::Frequency, 9999, 13017, L"HZ", F::Frequency, 0},
        {K::Frequency, 6014, 0, L"", F::Frequency, 0},
        {K::Flicker, 6040, 13003, L"％", F::Fundamental, 0},
        {K::Flicker, 6042, 13005, L"s", F::Fundamental, 0},
        {K::Flicker, 6043, 13000, L"", F::Minute, 0},
        {K::Flicker, 6045, 13002, L"", F::Fundamental, 0},
    };
    for (const Case& c : cases) {
        const WaveStatisticItem item = FindWaveStatisticItem(c.kind, c.id);
        const std::string row = "kind " + std::to_string(static_cast<int>(c.kind)) + ", item " + std::to_string(c.id);
        EXPECT_EQ(item.id, c.id) << row;
        EXPECT_EQ(item.hostCode, c.hostCode) << row;
        EXPECT_EQ(std::wstring(item.unit), c.unit) << row;
        EXPECT_EQ(item.family, c.family) << row;
        EXPECT_EQ(item.titleText, c.title) << row;
    }
}

TEST(WaveStatisticItems, FamiliesConvertRangesAndScaleTime)
{
    const wavetest::GeneratedRecord record(wavetest::ShortRecord());
    wavetest::SetWaveSystemIni("");
    const wavetest::RecordingPools pools;
    CWaveAnalysisManager& manager = *CWaveAnalysisManager::GetInstance();
    ASSERT_TRUE(manager.OpenRecord(record.Folder()));
    // 12,800 samples a second at 50 Hz: 128 a half cycle, 2560 a block or frame,
    // 768,000 a Pst minute. The end loses the start's remainder first.
    struct Case {
        const char* name;
        F family;
        std::int64_t first, end;
        std::int64_t expectedFirst, expectedLast;
        double rate;
    };
    const Case cases[] = {
        {"RMS", F::Rms, 128 * 3 + 5, 128 * 10 + 4, 3, 9, 5.0},
        {"fundamental", F::Fundamental, 2560 + 100, 2560 * 4 + 100, 1, 4, 5.0},
        {"half cycle", F::HalfCycle, 128 * 2, 128 * 7, 2, 7, 100.0},
        {"frequency", F::Frequency, 2560 * 2 + 1, 2560 * 5, 2, 4, 5.0},
        {"other", F::Other, 0, 2560 * 10, 0, 10, 5.0},
        {"minute", F::Minute, 12, 768000 + 12, 0, 1, 12800.0 / (2560.0 * 300.0)},
    };
    for (const Case& c : cases) {
        const WaveSeriesRange range = ConvertWaveRange(manager, c.family, c.first, c.end);
        EXPECT_EQ(range.first, c.expectedFirst) << c.name;
        EXPECT_EQ(range.last, c.expectedLast) << c.name;
        EXPECT_DOUBLE_EQ(WaveFamilyRate(manager, c.family), c.rate) << c.name;
    }
}

}  // namespace
