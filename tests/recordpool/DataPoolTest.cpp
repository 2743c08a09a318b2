// The pool's interface on small generated records: the export, the getters, the
// failures that leave no record behind, short and truncated records, and the
// waveform data sets served from the file.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lib/recordpool/SampolyxDataPool.h"
#include "tests/recordpool/RecordFixtures.h"
#include "tests/support/TempDir.h"

namespace sampolyx {
namespace {

using recordtest::Wide;

// Two seconds: ten frames of ten cycles.
gen::WaveRecordOptions SmallRecord()
{
    return recordtest::ThreePhaseRecord(25600, 2.0);
}

float Read(IDataSetManager* manager, std::int64_t position)
{
    float value = 0.0f;
    EXPECT_TRUE(manager->ReadBlock(position, &value, 3)) << position;
    return value;
}

TEST(DataPool, ExportMakesAPoolThatReleasesItself)
{
    const std::string library = std::string(ONDRAVA_BUILD_PROGRAM_DIR) + "/libSampolyx.so";
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    using Factory = ISampolyxDataPool* (*)();
    const auto create = reinterpret_cast<Factory>(dlsym(handle, "Sampolyx_CreateDataPool"));
    ASSERT_NE(create, nullptr);
    ISampolyxDataPool* pool = create();
    ASSERT_NE(pool, nullptr);
    EXPECT_EQ(pool->GetSampleRate(), -1);
    EXPECT_EQ(pool->GetStartTime(), -1);
    EXPECT_EQ(pool->GetNominalFrequency(), 0.0);
    EXPECT_EQ(pool->GetDataSet(0), nullptr);
    EXPECT_TRUE(pool->Close());
    pool->Release();
    dlclose(handle);
}

TEST(DataPool, AnswersFromTheRecordAndForgetsItOnClose)
{
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = SmallRecord();
    options.voltageRatio = 100.0f;
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    CSampolyxDataPool pool;
    EXPECT_EQ(pool.SetOption(1002, 1, 0), 1);
    EXPECT_EQ(pool.SetOption(1003, 1, 0), 1);
    EXPECT_EQ(pool.SetOption(77, 1, 0), 1);
    EXPECT_EQ(pool.SetOption(1004, 0, 0), 0);  // no record yet
    ASSERT_TRUE(pool.Open(Wide(dir.Path())));
    EXPECT_EQ(pool.SetOption(1004, 0, 0), 512);
    EXPECT_EQ(pool.GetSampleRate(), 25600);
    EXPECT_EQ(pool.GetRecordCount(), 5120);
    EXPECT_EQ(pool.GetPointsPer200ms(), 5120);
    EXPECT_EQ(pool.GetNominalFrequency(), 50.0);
    EXPECT_EQ(pool.GetChannelCount(), 8);
    EXPECT_EQ(pool.GetIntervalCount(), 0);  // Open analyses nothing
    EXPECT_EQ(pool.FindDataSet(2, 0, 4), nullptr);

    std::vector<unsigned char> block(1196);
    ASSERT_TRUE(pool.GetConfigBlock(block.data()));
    const std::string file = testsupport::ReadAll(dir / "wave.cfg");
    EXPECT_EQ(std::string(block.begin(), block.end()), file);

    ASSERT_TRUE(pool.Analyse(Wide(dir.Path())));
    EXPECT_EQ(pool.GetIntervalCount(), 10);
    EXPECT_EQ(pool.GetDataSet(7), pool.FindDataSet(1, 3, 4));
    EXPECT_EQ(pool.GetDataSet(2), pool.FindDataSet(0, 2, 4));
    EXPECT_EQ(pool.GetDataSet(8), nullptr);
    EXPECT_EQ(pool.GetDataSet(-1), nullptr);
    EXPECT_EQ(pool.GetDataSetCount(52, 0), 50);
    EXPECT_EQ(pool.GetDataSetCount(59, 0), 35);
    EXPECT_EQ(pool.GetDataSetCount(36, 4), 0);

    EXPECT_TRUE(pool.Close());
    EXPECT_FALSE(pool.GetConfigBlock(block.data()));
    EXPECT_EQ(pool.GetNominalFrequency(), 0.0);
    EXPECT_EQ(pool.GetSampleRate(), -1);
    EXPECT_EQ(pool.GetRecordCount(), 0);
    EXPECT_EQ(pool.FindDataSet(2, 0, 4), nullptr);
    EXPECT_EQ(pool.GetDataSetCount(52, 0), 0);
}

TEST(DataPool, StartTimeIsTheHeadersLocalTime)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), SmallRecord()));  // 2014-05-06 07:08:09.010
    struct Case {
        const char* zone;
        std::int64_t seconds;
    };
    const Case cases[] = {{"UTC", 1399360089}, {"Asia/Shanghai", 1399360089 - 8 * 3600}};
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    for (const Case& c : cases) {
        setenv("TZ", c.zone, 1);
        tzset();
        CSampolyxDataPool pool;
        ASSERT_TRUE(pool.Open(Wide(dir.Path())));
        EXPECT_EQ(pool.GetStartTime(), c.seconds * 1000000000LL + 10000000LL) << c.zone;
    }
    if (saved) {
        setenv("TZ", previous.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(DataPool, StartTimeBeyondTheNanosecondRangeIsUnknown)
{
    // Nanoseconds since 1970 fit in 64 bits from 1677 to 2262 only.
    struct Case {
        std::uint16_t year;
        bool known;
    };
    const Case cases[] = {{2262, false}, {9999, false}, {65535, false}, {0, false}, {1677, false}, {2261, true}};
    const char* saved = std::getenv("TZ");
    const std::string previous = saved ? saved : "";
    setenv("TZ", "UTC", 1);
    tzset();
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        gen::WaveRecordOptions options = SmallRecord();
        options.year = c.year;
        options.frames = 1;
        ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
        CSampolyxDataPool pool;
        ASSERT_TRUE(pool.Open(Wide(dir.Path()))) << c.year;
        const std::int64_t start = pool.GetStartTime();
        if (c.known) {
            EXPECT_GT(start, 0) << c.year;
        } else {
            EXPECT_EQ(start, -1) << c.year;
        }
    }
    if (saved) {
        setenv("TZ", previous.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
}

TEST(DataPool, BrokenRecordsFailAndLeaveNoRecord)
{
    struct Case {
        const char* name;
        std::function<void(gen::WaveRecordOptions&)> change;
        std::function<void(const std::filesystem::path& data)> damage;
        RecordError error;
    };
    const auto none = [](const std::filesystem::path&) {};
    const Case cases[] = {
        {"offset inside the header", [](auto& o) { o.header.dataOffset = 40; }, none, RecordError::BadDataOffset},
        {"offset beyond the file", [](auto& o) { o.header.dataOffset = 0x7fffffff; }, none,
         RecordError::BadDataOffset},
        {"frame size 0", [](auto& o) { o.header.frameSize = 0; }, none, RecordError::BadFrameSize},
        {"nominal frequency 0", [](auto& o) { o.header.nominalFrequency = 0; }, none,
         RecordError::BadNominalFrequency},
        {"four channels", [](auto& o) { o.header.channelCount = 4; }, none, RecordError::BadChannelCount},
        {"upper-case extensions",
         [](auto& o) {
             o.cfgExtension = ".CFG";
             o.dataExtension = ".DATA";
         },
         none, RecordError::NoPair},
        {"a lone configuration", [](auto& o) { o.writeData = false; }, none, RecordError::NoPair},
        {"configuration of 1000 bytes", [](auto& o) { o.configSize = 1000; }, none, RecordError::BadConfig},
        {"data file holding only the header", [](auto& o) { o.frames = 0; }, none, RecordError::NoFrames},
        {"data file shorter than the header", [](auto&) {},
         [](const std::filesystem::path& data) { std::filesystem::resize_file(data, 30); },
         RecordError::ShortHeader},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        gen::WaveRecordOptions options = SmallRecord();
        c.change(options);
        ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options)) << c.name;
        c.damage(dir / ("wave" + options.dataExtension));
        for (bool analyse : {false, true}) {
            CSampolyxDataPool pool;
            const bool result = analyse ? pool.Analyse(Wide(dir.Path())) : pool.Open(Wide(dir.Path()));
            EXPECT_FALSE(result) << c.name << (analyse ? " (Analyse)" : " (Open)");
            EXPECT_EQ(pool.GetLastError(), c.error) << c.name;
            unsigned char block[1196];
            EXPECT_FALSE(pool.GetConfigBlock(block)) << c.name;
            EXPECT_EQ(pool.GetNominalFrequency(), 0.0) << c.name;
            EXPECT_EQ(pool.GetSampleRate(), -1) << c.name;
            EXPECT_EQ(pool.SetOption(1004, 0, 0), 0) << c.name;
            EXPECT_EQ(pool.FindDataSet(47, 4, 4), nullptr) << c.name;
        }
    }
}

// The configuration is graded before a record opens: random bytes or values no
// terminal writes that would make every value garbage refuse the record; odd but
// usable values open it with the grade saying so.
TEST(DataPool, TheConfigurationIsGradedBeforeTheRecordOpens)
{
    struct Case {
        const char* name;
        std::function<void(gen::WaveRecordOptions&)> change;
        bool randomBytes;
        int grade;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Case cases[] = {
        {"sound", [](auto&) {}, false, kSampolyxConfigSound},
        {"random bytes", [](auto&) {}, true, kSampolyxConfigDamaged},
        {"unknown wiring", [](auto& o) { o.wiring = 7; }, false, kSampolyxConfigDamaged},
        {"voltage ratio NaN", [nan](auto& o) { o.voltageRatio = nan; }, false, kSampolyxConfigDamaged},
        {"current ratio 0", [](auto& o) { o.currentRatio = 0.0f; }, false, kSampolyxConfigDamaged},
        {"negative voltage gain", [](auto& o) { o.voltageGain = -79.0f; }, false, kSampolyxConfigDamaged},
        {"infinite correction factor", [inf](auto& o) { o.currentFactor[2] = inf; }, false, kSampolyxConfigDamaged},
        {"negative fourth gain", [](auto& o) { o.currentGain4 = -1.5f; }, false, kSampolyxConfigDamaged},
        {"no fourth channel fitted", [](auto& o) { o.voltageGain4 = 0.0f; }, false, kSampolyxConfigSound},
        {"correction factor 3", [](auto& o) { o.voltageFactor[1] = 3.0f; }, false, kSampolyxConfigUnusual},
        {"ratio beyond a million", [](auto& o) { o.currentRatio = 2e6f; }, false, kSampolyxConfigUnusual},
        {"integration switch 7", [](auto& o) { o.integrate = 7; }, false, kSampolyxConfigUnusual},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        gen::WaveRecordOptions options = SmallRecord();
        c.change(options);
        ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options)) << c.name;
        if (c.randomBytes) {
            std::mt19937 random(1196);
            std::string bytes(1196, '\0');
            for (char& byte : bytes) {
                byte = static_cast<char>(random());
            }
            dir.Write("wave.cfg", bytes);
        }
        const bool refused = c.grade == kSampolyxConfigDamaged;
        for (bool analyse : {false, true}) {
            CSampolyxDataPool pool;
            const bool result = analyse ? pool.Analyse(Wide(dir.Path())) : pool.Open(Wide(dir.Path()));
            EXPECT_EQ(result, !refused) << c.name << (analyse ? " (Analyse)" : " (Open)");
            EXPECT_EQ(pool.GetConfigGrade(), c.grade) << c.name << (analyse ? " (Analyse)" : " (Open)");
            EXPECT_EQ(pool.GetLastError(), refused ? RecordError::DamagedConfig : RecordError::None) << c.name;
        }
    }
}

TEST(DataPool, FailedAnalysisKeepsEarlierDataSets)
{
    testsupport::TempDir good;
    testsupport::TempDir empty;
    ASSERT_TRUE(gen::WriteWaveRecord(good.Path(), SmallRecord()));
    CSampolyxDataPool pool;
    ASSERT_TRUE(pool.Analyse(Wide(good.Path())));
    IDataSetManager* rms = pool.FindDataSet(2, 0, 4);
    ASSERT_NE(rms, nullptr);
    EXPECT_FALSE(pool.Analyse(Wide(empty.Path())));
    EXPECT_EQ(pool.FindDataSet(2, 0, 4), rms);
    EXPECT_EQ(rms->GetPointCount(), 200);
    // A second analysis appends behind the first.
    ASSERT_TRUE(pool.Analyse(Wide(good.Path())));
    EXPECT_EQ(rms->GetPointCount(), 400);
}

TEST(DataPool, FramesStartAtTheHeadersDataOffset)
{
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = SmallRecord();
    options.dataGap = 100;
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    CSampolyxDataPool pool;
    ASSERT_TRUE(pool.Analyse(Wide(dir.Path())));
    EXPECT_EQ(pool.GetIntervalCount(), 10);
    EXPECT_NEAR(Read(pool.FindDataSet(2, 1, 4), 0), 225.0, 0.5);
    std::int16_t first = 0;
    gen::WaveSampleSource(options).Fill(4, 0, 1, &first);
    EXPECT_FLOAT_EQ(Read(pool.GetDataSet(4), 0), float(first) * (5.0f / 16384.0f) * options.currentGain);
}

TEST(DataPool, TruncatedLastFrameIsLeftOut)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), SmallRecord()));
    const auto data = dir / "wave.data";
    std::filesystem::resize_file(data, std::filesystem::file_size(data) - 1000);
    CSampolyxDataPool pool;
    ASSERT_TRUE(pool.Analyse(Wide(dir.Path())));
    EXPECT_EQ(pool.GetIntervalCount(), 9);
    struct Case {
        int kind, index;
        std::int64_t count;
    };
    const Case cases[] = {{47, 4, 9}, {0, 0, 9 * 5120}, {1, 3, 9 * 5120}, {2, 0, 9 * 20}, {12, 1, 9}, {35, 0, 0}};
    for (const Case& c : cases) {
        IDataSetManager* manager = pool.FindDataSet(c.kind, c.index, 4);
        EXPECT_EQ(manager ? manager->GetPointCount() : 0, c.count) << "kind " << c.kind;
    }
    EXPECT_NEAR(Read(pool.FindDataSet(2, 0, 4), 179), 230.0, 0.5);
}

class PoolProgress : public IAnalysisProgressSink {
public:
    int OnEvent(int event, int code, std::intptr_t data) override
    {
        events.push_back({event, code, data});
        return 1;
    }
    struct Event {
        int event, code;
        std::intptr_t data;
        bool operator==(const Event&) const = default;
    };
    std::vector<Event> events;
};

TEST(DataPool, RecordTheComputationRefusesOpensButDoesNotAnalyse)
{
    // At 10 Hz a 200 ms interval is two cycles, too few for the harmonic analysis.
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = SmallRecord();
    options.nominalFrequency = 10;
    options.cyclesPerFrame = 2;
    options.frames = 3;
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    CSampolyxDataPool pool;
    ASSERT_TRUE(pool.Open(Wide(dir.Path())));
    EXPECT_EQ(pool.GetNominalFrequency(), 10.0);
    PoolProgress progress;
    pool.SetCallback(&progress);
    EXPECT_FALSE(pool.Analyse(Wide(dir.Path())));
    EXPECT_EQ(pool.GetLastError(), RecordError::Rejected);
    EXPECT_EQ(pool.GetNominalFrequency(), 0.0);
    EXPECT_EQ(pool.GetSampleRate(), -1);
    EXPECT_EQ(pool.FindDataSet(47, 4, 4), nullptr);
    EXPECT_TRUE(progress.events.empty());
    // The refusal holds nothing back: the next record analyses.
    testsupport::TempDir good;
    ASSERT_TRUE(gen::WriteWaveRecord(good.Path(), SmallRecord()));
    EXPECT_TRUE(pool.Analyse(Wide(good.Path())));
}

TEST(DataPool, RecordShorterThanOneIntervalGivesEmptyDataSets)
{
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = SmallRecord();
    options.cyclesPerFrame = 5;
    options.frames = 1;
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    CSampolyxDataPool pool;
    PoolProgress progress;
    pool.SetCallback(&progress);
    ASSERT_TRUE(pool.Analyse(Wide(dir.Path())));
    EXPECT_EQ(pool.GetIntervalCount(), 0);
    EXPECT_EQ(pool.FindDataSet(2, 0, 4), nullptr);
    EXPECT_EQ(pool.GetDataSet(0), nullptr);
    ASSERT_NE(pool.FindDataSet(47, 4, 4), nullptr);
    EXPECT_EQ(pool.FindDataSet(47, 4, 4)->GetPointCount(), 1);
    // PoolProgress reaches its end even for a record smaller than one chunk.
    const std::vector<PoolProgress::Event> expected = {{1005, 502, 1}, {1005, 0, 1}};
    EXPECT_EQ(progress.events, expected);
}

TEST(DataPool, SixtyHertzRecordAnalyses)
{
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = SmallRecord();
    options.nominalFrequency = 60;
    options.cyclesPerFrame = 12;
    options.frames = 10;  // two seconds
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    CSampolyxDataPool pool;
    ASSERT_TRUE(pool.Analyse(Wide(dir.Path())));
    EXPECT_EQ(pool.GetRecordCount(), 5120);
    EXPECT_EQ(pool.GetPointsPer200ms(), 5120);
    EXPECT_EQ(pool.SetOption(1004, 0, 0), 426);
    EXPECT_EQ(pool.GetIntervalCount(), 10);
    ASSERT_NE(pool.GetDataSet(0), nullptr);
    EXPECT_EQ(pool.GetDataSet(0)->GetPointCount(), 10 * 5120);
    const gen::WaveExpected expected = gen::ComputeWaveExpected(options);
    for (int p = 0; p < 3; ++p) {
        IDataSetManager* fundamental = pool.FindDataSet(12, p, 4);
        IDataSetManager* rms = pool.FindDataSet(2, p, 4);
        ASSERT_TRUE(fundamental && rms) << "phase " << p;
        const double v = expected.phase[p].voltageRms;
        EXPECT_NEAR(Read(fundamental, 5), expected.phase[p].voltageHarmonic[1], 2e-3 * v) << "phase " << p;
        // Half-cycle windows of 213 samples fall a little short of 426.67 / 2.
        rms->SetStep(static_cast<int>(rms->GetPointCount()));
        float mean = 0.0f;
        ASSERT_TRUE(rms->ReadBlock(0, &mean, 1));
        EXPECT_NEAR(mean, v, 5e-3 * v) << "phase " << p;
    }
}

TEST(DataPool, AnalysisScalesByGainsRatiosAndCorrectionFactors)
{
    struct Case {
        const char* name;
        float voltageRatio, currentRatio, voltageGain, currentGain4;
        std::array<float, 3> voltageFactor, currentFactor;
    };
    const Case cases[] = {
        {"unit ratios", 1.0f, 1.0f, 79.0f, 1.5f, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}},
        {"transformers", 100.0f, 40.0f, 79.0f, 1.5f, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}},
        {"correction factors", 1.0f, 1.0f, 79.0f, 1.5f, {1.03f, 0.97f, 1.01f}, {0.95f, 1.0f, 1.04f}},
        {"other gains", 10.0f, 1.0f, 40.0f, 3.0f, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        gen::WaveRecordOptions options = SmallRecord();
        options.voltageRatio = c.voltageRatio;
        options.currentRatio = c.currentRatio;
        options.voltageGain = c.voltageGain;
        options.currentGain4 = c.currentGain4;
        options.voltageFactor = c.voltageFactor;
        options.currentFactor = c.currentFactor;
        // Primary values: the signal grows with the transformer ratios.
        for (std::uint32_t ch = 0; ch < 8; ++ch) {
            for (gen::WaveTone& tone : options.signals[ch].tones) {
                tone.rms *= ch < 4 ? c.voltageRatio : c.currentRatio;
            }
        }
        ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options)) << c.name;
        const gen::WaveExpected expected = gen::ComputeWaveExpected(options);
        CSampolyxDataPool pool;
        ASSERT_TRUE(pool.Analyse(Wide(dir.Path()))) << c.name;
        for (int p = 0; p < 4; ++p) {
            IDataSetManager* voltage = pool.FindDataSet(2, p, 4);
            IDataSetManager* current = pool.FindDataSet(3, p, 4);
            ASSERT_TRUE(voltage && current) << c.name;
            const double v = expected.phase[p].voltageRms;
            const double i = expected.phase[p].currentRms;
            EXPECT_NEAR(Read(voltage, 100), v, 2e-3 * v + 0.05) << c.name << ", phase " << p;
            EXPECT_NEAR(Read(current, 100), i, 2e-3 * i + 0.002) << c.name << ", phase " << p;
        }
    }
}

TEST(DataPool, WaveformsAreScaledFromTheFileWithTheNeutralSubtracted)
{
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = SmallRecord();
    options.voltageRatio = 100.0f;
    options.currentRatio = 20.0f;
    options.voltageGain4 = 40.0f;
    options.currentGain4 = 3.0f;
    options.voltageFactor = {1.02f, 1.0f, 1.0f};  // not applied to the waveforms
    options.signals[3].tones = {{1, 2000.0, 45.0}};
    options.frameValue = 49.98f;
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    CSampolyxDataPool pool;
    ASSERT_TRUE(pool.Analyse(Wide(dir.Path())));

    const gen::WaveSampleSource source(options);
    const float k = 5.0f / 16384.0f;
    const std::int64_t positions[] = {0, 1, 5119, 5120, 12345, 10 * 5120 - 1};
    for (std::uint32_t channel = 0; channel < 8; ++channel) {
        IDataSetManager* manager = pool.GetDataSet(static_cast<int>(channel));
        ASSERT_NE(manager, nullptr) << channel;
        EXPECT_EQ(manager->GetPointCount(), 10 * 5120) << channel;
        const bool voltage = channel < 4;
        const float ratio = voltage ? options.voltageRatio : options.currentRatio;
        const float gain = channel == 3 ? options.voltageGain4
                           : channel == 7 ? options.currentGain4
                           : voltage      ? options.voltageGain
                                          : options.currentGain;
        for (std::int64_t at : positions) {
            std::int16_t raw = 0, neutral = 0;
            source.Fill(channel, static_cast<std::uint64_t>(at), 1, &raw);
            source.Fill(3, static_cast<std::uint64_t>(at), 1, &neutral);
            float expected = float(raw) * k * ratio * gain;
            if (channel < 3) {
                expected -= float(neutral) * k * options.voltageRatio * options.voltageGain4;
            }
            EXPECT_FLOAT_EQ(Read(manager, at), expected) << "channel " << channel << " at " << at;
        }
    }
    IDataSetManager* frames = pool.FindDataSet(47, 4, 4);
    ASSERT_NE(frames, nullptr);
    EXPECT_EQ(frames->GetPointCount(), 10);
    EXPECT_FLOAT_EQ(Read(frames, 9), 49.98f);
    // A whole channel in one step: maximum of a 2000 V peak-to-neutral difference.
    IDataSetManager* phase1 = pool.GetDataSet(0);
    phase1->SetStep(10 * 5120);
    float peak = 0.0f;
    ASSERT_TRUE(phase1->ReadBlock(0, &peak, 0));
    EXPECT_GT(peak, 2000.0f);
}

// A record longer than one 32 MiB read whose frames (16 cycles) do not end with its
// intervals (10 cycles): every sample of every analysed interval is served, across
// the read boundary and into the last frame the intervals reach.
TEST(DataPool, EverySampleOfTheAnalysedIntervalsIsServed)
{
    testsupport::TempDir dir;
    gen::WaveRecordOptions options = SmallRecord();
    options.cyclesPerFrame = 16;
    options.frames = 259;  // one read holds 255 frames of 131076 bytes
    ASSERT_TRUE(gen::WriteWaveRecord(dir.Path(), options));
    CSampolyxDataPool pool;
    ASSERT_TRUE(pool.Analyse(Wide(dir.Path())));

    const std::uint64_t frameSize = 8 * 16 * 512 * 2 + 4;
    const std::uint64_t frames = (std::filesystem::file_size(dir / "wave.data") - 52) / frameSize;
    ASSERT_GT(frames * frameSize, 33554432u) << "the record spans more than one read";
    const std::uint64_t intervals = frames * 16 / 10;
    EXPECT_EQ(pool.GetIntervalCount(), static_cast<int>(intervals));
    const gen::WaveSampleSource source(options);
    const float k = 5.0f / 16384.0f;
    for (const int channel : {0, 5}) {
        IDataSetManager* manager = pool.GetDataSet(channel);
        ASSERT_NE(manager, nullptr);
        EXPECT_EQ(manager->GetPointCount(), static_cast<std::int64_t>(intervals * 5120)) << channel;
        const std::int64_t positions[] = {255 * 8192 - 1, 255 * 8192, static_cast<std::int64_t>(intervals * 5120) - 1};
        for (const std::int64_t at : positions) {
            std::int16_t raw = 0;
            source.Fill(static_cast<std::uint32_t>(channel), static_cast<std::uint64_t>(at), 1, &raw);
            const float gain = channel < 4 ? options.voltageGain : options.currentGain;
            EXPECT_FLOAT_EQ(Read(manager, at), float(raw) * k * gain) << "channel " << channel << " at " << at;
        }
    }
}

}  // namespace
}  // namespace sampolyx

namespace sampolyx {
namespace {

// Every value of every data set of an analysed record, bit for bit.
std::vector<std::uint32_t> AllValues(CSampolyxDataPool& pool)
{
    std::vector<std::uint32_t> values;
    for (int kind = 0; kind <= 72; ++kind) {
        for (int index = 0; index <= 4; ++index) {
            for (int sub = 0; sub <= CStatisticEngine::kMaxSubIndex; ++sub) {
                IDataSetManager* set = pool.FindDataSet(kind, index, sub);
                if (set == nullptr) {
                    continue;
                }
                values.push_back(static_cast<std::uint32_t>(kind << 16 | index << 8 | sub));
                for (std::int64_t at = 0; at < set->GetPointCount(); ++at) {
                    float value = 0.0f;
                    EXPECT_TRUE(set->ReadBlock(at, &value, 3));
                    values.push_back(std::bit_cast<std::uint32_t>(value));
                }
            }
        }
    }
    return values;
}

// The process keeps its computation context for the next analysis of the same rate:
// whatever record went before (flicker part-way through a period, a three-wire
// wiring, integrated currents), the next one gives the values it gives after a record
// of another rate, when the context is built afresh.
TEST(DataPool, ARecordAnalysesAlikeWhateverRecordWentBefore)
{
    testsupport::TempDir dir;
    const auto write = [&dir](const char* name, gen::WaveRecordOptions options) {
        EXPECT_TRUE(gen::WriteWaveRecord(dir.Path() / name, options));
        return Wide(dir.Path() / name);
    };
    gen::WaveRecordOptions before = recordtest::FlickeringRecord(25600, 14.0);
    before.wiring = 33;
    before.integrate = 1;
    const std::wstring earlier = write("earlier", before);
    const std::wstring otherRate = write("other-rate", recordtest::ThreePhaseRecord(12800, 1.0));
    const std::wstring record = write("record", recordtest::FlickeringRecord(25600, 2.0));

    // A pool keeps adding to its data sets until it is closed, as the program does
    // before each analysis.
    CSampolyxDataPool pool;
    const auto analyse = [&pool](const std::wstring& folder) { return pool.Close() && pool.Analyse(folder); };
    ASSERT_TRUE(analyse(otherRate));
    ASSERT_TRUE(analyse(record));
    const std::vector<std::uint32_t> afresh = AllValues(pool);
    ASSERT_TRUE(analyse(earlier));
    ASSERT_TRUE(analyse(record));
    const std::vector<std::uint32_t> after = AllValues(pool);
    ASSERT_EQ(after.size(), afresh.size());
    EXPECT_TRUE(after == afresh) << "the values differ after another record of the same rate";
}

}  // namespace
}  // namespace sampolyx
