// Records of a little over two minutes at the three sample rates of the terminals,
// analysed whole: the data sets must match what the generator worked out from the
// signal description (RMS, harmonics, power, energy, unbalance), and flicker and
// fluctuation must match the computation library fed the same blocks directly, with
// the context carried over the chunks the record is read in.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lib/compute/zv.h"
#include "lib/recordpool/SampolyxDataPool.h"
#include "tests/recordpool/RecordFixtures.h"
#include "tests/support/TempDir.h"

namespace sampolyx {
namespace {

constexpr double kSeconds = 126.0;  // 630 intervals: two closed flicker periods

class Progress : public IAnalysisProgressSink {
public:
    int OnEvent(int event, int code, std::intptr_t data) override
    {
        events.push_back({event, code, data});
        return 1;
    }
    struct Event {
        int event, code;
        std::intptr_t data;
    };
    std::vector<Event> events;
};

// Flicker and fluctuation of the computation library fed straight from the signal,
// one interval after another, closing a period every 300 intervals.
struct Reference {
    std::vector<std::array<float, 4>> dc, dmax, exceed;  // per interval
    std::vector<std::array<float, 4>> pst;               // per closed period
};

Reference FeedDirectly(const gen::WaveRecordOptions& options, const std::string& configBytes, std::uint64_t intervals)
{
    static char deviceName[] = "K7700";
    static char itemName[] = "4U4I";
    item_spec items[2] = {{{0, 1, 2, 3}, {0, 1, 2, 3}, itemName}, {{-1, 0, 0, 0}, {0, 0, 0, 0}, nullptr}};
    const std::int32_t points = static_cast<std::int32_t>(options.sampleRate / 5);
    device_config config{4, 4, float(options.sampleRate), points, 0.02410888671875f, 0.00043226013076491654f,
                         deviceName, 50, 50, 50, options.sampleRate == 6400 ? 6 : 35,
                         std::int32_t(options.nominalFrequency), items};
    device_context context{};
    Reference reference;
    if (device_context_init(&context, &config) != 0) {
        ADD_FAILURE() << "the library refuses the record";
        return reference;
    }
    k7700_config* wiring = k7700_config_obj_get();
    k7700_config_init(wiring);
    k7700_config_dc(wiring, configBytes.data(), &context);
    device_context_set_rms_points(&context, std::int32_t(options.sampleRate / options.nominalFrequency / 2));
    for (unsigned ch = 0; ch < 4; ++ch) {
        device_context_set_voltage_scale(&context, ch, float(gen::WaveChannelScale(options, ch)));
        device_context_set_current_scale(&context, ch, float(gen::WaveChannelScale(options, 4 + ch)));
    }
    const gen::WaveSampleSource source(options);
    std::vector<std::int16_t> voltage(4 * std::size_t(points)), current(4 * std::size_t(points));
    for (std::uint64_t n = 0; n < intervals; ++n) {
        for (std::uint32_t ch = 0; ch < 4; ++ch) {
            source.Fill(ch, n * points, points, voltage.data() + ch * points);
            source.Fill(4 + ch, n * points, points, current.data() + ch * points);
        }
        device_context_input(&context, voltage.data(), 4 * points, current.data(), 4 * points);
        const item_record& item = *device_context_get_zv_by_index(&context, 0);
        if ((n + 1) % 300 == 0) {
            device_context_flicker_done(&context);
            reference.pst.push_back({});
            for (int p = 0; p < 4; ++p) {
                reference.pst.back()[p] = item.flicker[p]->pst;
            }
        }
        reference.dc.push_back({});
        reference.dmax.push_back({});
        reference.exceed.push_back({});
        for (int p = 0; p < 4; ++p) {
            reference.dc.back()[p] = item.fluctuation[p]->dc;
            reference.dmax.back()[p] = item.fluctuation[p]->dmax;
            reference.exceed.back()[p] = item.fluctuation[p]->exceed_time;
        }
    }
    k7700_config_destroy(wiring);
    device_context_destroy(&context);
    return reference;
}

// The ".expected" file the generator wrote beside the record.
std::map<std::string, double> ReadExpected(const std::filesystem::path& file)
{
    return gen::ParseWaveExpected(testsupport::ReadAll(file));
}

struct AnalysedRecord {
    testsupport::TempDir dir;
    gen::WaveRecordOptions options;
    std::map<std::string, double> expected;
    CSampolyxDataPool pool;
    Progress progress;
    bool analysed = false;
    Reference reference;
};

class RecordAnalysis : public ::testing::TestWithParam<std::uint32_t> {
protected:
    static void TearDownTestSuite() { s_records.clear(); }

    AnalysedRecord& Record()
    {
        std::unique_ptr<AnalysedRecord>& record = s_records[GetParam()];
        if (!record) {
            record = std::make_unique<AnalysedRecord>();
            record->options = recordtest::FlickeringRecord(GetParam(), kSeconds);
            EXPECT_TRUE(gen::WriteWaveRecord(record->dir.Path(), record->options));
            record->expected = ReadExpected(record->dir / "wave.expected");
            record->pool.SetCallback(&record->progress);
            record->analysed = record->pool.Analyse(recordtest::Wide(record->dir.Path()));
            record->reference = FeedDirectly(record->options, testsupport::ReadAll(record->dir / "wave.cfg"),
                                             static_cast<std::uint64_t>(Expected("intervals")));
        }
        EXPECT_TRUE(record->analysed);
        return *record;
    }

    double Expected(const std::string& name)
    {
        const auto& values = s_records[GetParam()]->expected;
        const auto found = values.find(name);
        EXPECT_NE(found, values.end()) << name;
        return found != values.end() ? found->second : 0.0;
    }

    IDataSetManager& Set(int kind, int index, int subIndex = 4)
    {
        IDataSetManager* manager = Record().pool.FindDataSet(kind, index, subIndex);
        if (!manager) {
            ADD_FAILURE() << "no data set " << kind << "/" << index << "/" << subIndex;
            static CDataSetManager empty;
            return empty;
        }
        return *manager;
    }

    // Mean (type 1), maximum (0) or minimum (2) of the first `count` values (all: 0).
    double Over(int kind, int index, int type, std::int64_t count = 0, int subIndex = 4)
    {
        IDataSetManager& set = Set(kind, index, subIndex);
        std::int64_t first = 0, last = std::numeric_limits<std::int64_t>::max();
        set.SetRange(&first, &last);
        set.SetStep(static_cast<int>(count ? count : set.GetPointCount()));
        float value = NAN;
        EXPECT_TRUE(set.ReadBlock(0, &value, type)) << kind << "/" << index;
        set.SetStep(1);
        return value;
    }

    double Last(int kind, int index, int subIndex = 4)
    {
        IDataSetManager& set = Set(kind, index, subIndex);
        float value = NAN;
        EXPECT_TRUE(set.ReadBlock(set.GetPointCount() - 1, &value, 3)) << kind << "/" << index;
        return value;
    }

    double At(int kind, int index, std::int64_t position, int subIndex = 4)
    {
        float value = NAN;
        EXPECT_TRUE(Set(kind, index, subIndex).ReadBlock(position, &value, 3)) << kind << "/" << index;
        return value;
    }

    static std::map<std::uint32_t, std::unique_ptr<AnalysedRecord>> s_records;
};

std::map<std::uint32_t, std::unique_ptr<AnalysedRecord>> RecordAnalysis::s_records;

std::string Phase(int p, const char* name)
{
    return "phase" + std::to_string(p) + "." + name;
}

TEST_P(RecordAnalysis, CountsEveryIntervalAndWindowOfTheRecord)
{
    AnalysedRecord& record = Record();
    const std::int64_t intervals = static_cast<std::int64_t>(Expected("intervals"));
    EXPECT_EQ(intervals, 630);
    EXPECT_EQ(record.pool.GetIntervalCount(), intervals);
    struct Case {
        int kind, index, subIndex;
        std::int64_t count;
    };
    const std::int64_t m = GetParam() / 5;
    const Case cases[] = {
        {0, 0, 4, intervals * m}, {1, 3, 4, intervals * m}, {2, 0, 4, intervals * 20}, {4, 2, 4, intervals * 20},
        {18, 3, 4, intervals * 20}, {22, 3, 4, intervals * 20}, {12, 0, 4, intervals}, {37, 4, 4, intervals},
        {47, 4, 4, intervals},    {52, 0, 49, intervals},   {59, 0, GetParam() == 6400 ? 5 : 34, intervals},
        {35, 0, 4, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Set(c.kind, c.index, c.subIndex).GetPointCount(), c.count) << "kind " << c.kind;
    }
    EXPECT_EQ(record.pool.GetDataSetCount(59, 0), GetParam() == 6400 ? 6 : 35);
}

TEST_P(RecordAnalysis, RmsAndHarmonicsMatchTheSignal)
{
    Record();
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE("phase " + std::to_string(p));
        const double voltage = Expected(Phase(p, "voltageRms"));
        const double current = Expected(Phase(p, "currentRms"));
        EXPECT_NEAR(Over(2, p, 1), voltage, 2e-3 * voltage);
        EXPECT_NEAR(Over(3, p, 1), current, 2e-3 * current);
        // The 0.4 % modulation moves single windows, no more.
        EXPECT_NEAR(Over(2, p, 0), voltage, 6e-3 * voltage);
        EXPECT_NEAR(Over(2, p, 2), voltage, 6e-3 * voltage);
        EXPECT_NEAR(Over(4, p, 1), voltage, 2e-3 * voltage);
        EXPECT_NEAR(Over(49, p, 1), Expected(Phase(p, "voltageThd")), 0.05);
        EXPECT_NEAR(Over(61, p, 1), Expected(Phase(p, "currentThd")), 0.05);
        EXPECT_NEAR(Over(12, p, 1), Expected(Phase(p, "voltageHarmonic1")), 2e-3 * voltage);
        EXPECT_NEAR(Over(52, p, 1, 0, 4), Expected(Phase(p, "voltageHarmonic5")), 0.05);
        EXPECT_NEAR(Over(52, p, 1, 0, 6), Expected(Phase(p, "voltageHarmonic7")), 0.05);
        EXPECT_NEAR(Over(54, p, 1, 0, 4), 3.0, 0.02);
        EXPECT_NEAR(Over(52, p, 0, 0, 2), 0.0, 0.05);  // no 3rd harmonic in the voltages
        EXPECT_NEAR(Over(64, p, 1, 0, 2), Expected(Phase(p, "currentHarmonic3")), 0.01);
        EXPECT_NEAR(Over(14, p, 1), Expected(Phase(p, "voltagePhase1")), 0.1);
        EXPECT_NEAR(Over(53, p, 1, 0, 0), Expected(Phase(p, "voltagePhase1")), 0.1);
    }
    // Fourth channels: no neutral voltage, a 3rd-harmonic neutral current.
    EXPECT_NEAR(Over(2, 3, 0), 0.0, 0.05);
    EXPECT_NEAR(Over(3, 3, 1), Expected(Phase(3, "currentRms")), 0.01);
}

TEST_P(RecordAnalysis, RunningMeansAndEnergiesSpanTheWholeRecord)
{
    Record();
    // Kind 16 is the mean of kind 2 from the record's start: check inside the second
    // chunk (after 300 intervals) and at the end.
    for (std::int64_t position : {std::int64_t(6007), std::int64_t(630 * 20 - 1)}) {
        EXPECT_NEAR(At(16, 0, position), Over(2, 0, 1, position + 1), 1e-3) << position;
        EXPECT_NEAR(At(17, 2, position), Over(3, 2, 1, position + 1), 1e-4) << position;
    }
    for (int p = 0; p < 4; ++p) {
        SCOPED_TRACE("phase " + std::to_string(p));
        const std::string prefix = p < 3 ? "phase" + std::to_string(p) + "." : std::string("total.");
        const double active = Expected(prefix + "activeEnergy");
        const double apparent = Expected(prefix + "apparentEnergy");
        EXPECT_NEAR(Last(22, p), active, 5e-3 * active);
        EXPECT_NEAR(Last(24, p), apparent, 5e-3 * apparent);
    }
}

TEST_P(RecordAnalysis, PowerMatchesTheSignal)
{
    Record();
    for (int p = 0; p < 3; ++p) {
        SCOPED_TRACE("phase " + std::to_string(p));
        const double s = Expected(Phase(p, "apparentPower"));
        EXPECT_NEAR(Over(18, p, 1), Expected(Phase(p, "activePower")), 3e-3 * s);
        EXPECT_NEAR(Over(19, p, 1), Expected(Phase(p, "reactivePower")), 1e-2 * s);
        EXPECT_NEAR(Over(20, p, 1), s, 3e-3 * s);
        EXPECT_NEAR(Over(25, p, 1), Expected(Phase(p, "powerFactor")), 3e-3);
        EXPECT_NEAR(Over(21, p, 1), Expected(Phase(p, "displacementPowerFactor")), 1e-3);
    }
    const double total = Expected("total.apparentPower");
    EXPECT_NEAR(Over(18, 3, 1), Expected("total.activePower"), 3e-3 * total);
    EXPECT_NEAR(Over(19, 3, 1), Expected("total.reactivePower"), 1e-2 * total);
    EXPECT_NEAR(Over(20, 3, 1), total, 3e-3 * total);
}

TEST_P(RecordAnalysis, UnbalanceMatchesTheSignal)
{
    Record();
    struct Case {
        int kind;
        const char* name;
        double tolerance;
    };
    const Case cases[] = {
        {37, "voltage.positive", 0.5},          {38, "voltage.negative", 0.05},
        {39, "voltage.zero", 0.05},             {40, "voltage.zeroUnbalance", 0.02},
        {41, "voltage.negativeUnbalance", 0.02}, {42, "current.positive", 0.02},
        {43, "current.negative", 0.01},         {45, "current.zeroUnbalance", 0.05},
        {46, "current.negativeUnbalance", 0.05},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(Over(c.kind, 4, 1), Expected(c.name), c.tolerance) << c.name;
    }
    EXPECT_GT(Expected("voltage.negativeUnbalance"), 0.5);  // the record is unbalanced
}

TEST_P(RecordAnalysis, FlickerAndFluctuationMatchTheLibraryFedDirectly)
{
    AnalysedRecord& record = Record();
    const Reference& reference = record.reference;
    ASSERT_EQ(reference.pst.size(), 2u);
    ASSERT_EQ(reference.dc.size(), 630u);
    for (int p = 0; p < 4; ++p) {
        SCOPED_TRACE("phase " + std::to_string(p));
        ASSERT_EQ(Set(35, p).GetPointCount(), 2);
        EXPECT_EQ(At(35, p, 0), 0.0);  // the meter is still settling after one minute
        EXPECT_FLOAT_EQ(At(35, p, 1), reference.pst[1][p]);
        for (std::int64_t n = 0; n < 630; ++n) {
            ASSERT_FLOAT_EQ(At(32, p, n), reference.dc[n][p]) << n;
            ASSERT_FLOAT_EQ(At(33, p, n), reference.dmax[n][p]) << n;
            ASSERT_FLOAT_EQ(At(34, p, n), reference.exceed[n][p]) << n;
        }
    }
    for (int p = 0; p < 3; ++p) {
        EXPECT_GT(At(35, p, 1), 0.1) << "phase " << p;  // the modulation flickers once settled
    }
}

TEST_P(RecordAnalysis, ProgressRunsInOrderToTheLastChunk)
{
    const std::vector<Progress::Event>& events = Record().progress.events;
    ASSERT_GE(events.size(), 2u);
    const std::map<std::uint32_t, std::intptr_t> chunks = {{25600, 3}, {12800, 2}, {6400, 1}};
    EXPECT_EQ(events.front().event, 1005);
    EXPECT_EQ(events.front().code, 502);
    EXPECT_EQ(events.front().data, chunks.at(GetParam()));
    std::intptr_t previous = 0;
    for (std::size_t i = 1; i < events.size(); ++i) {
        EXPECT_EQ(events[i].event, 1005);
        EXPECT_EQ(events[i].code, 0);
        EXPECT_GT(events[i].data, previous);
        previous = events[i].data;
    }
    EXPECT_EQ(events.back().data, chunks.at(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(SampleRates, RecordAnalysis, ::testing::Values(25600u, 12800u, 6400u),
                         [](const auto& info) { return std::to_string(info.param); });

}  // namespace
}  // namespace sampolyx
