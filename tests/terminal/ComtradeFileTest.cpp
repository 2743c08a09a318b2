#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "terminal/ComtradeFile.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ComtradeRecord.h"

namespace {

namespace fs = std::filesystem;

fs::path WriteComtradeRecord(const testsupport::TempDir& dir, const gen::ComtradeOptions& options, const char* name = "rec")
{
    const fs::path base = dir / name;
    EXPECT_TRUE(gen::WriteComtradeRecord(base, options));
    return base;
}

std::vector<float> ReadAll(CComtradeFile& file, float rate, std::uint64_t* read = nullptr)
{
    const std::uint64_t count = static_cast<std::uint64_t>(file.GetSampleRates().front().lastSample);
    const std::size_t perSample = static_cast<std::size_t>(file.GetAnalogCount() + file.GetDigitalCount());
    std::vector<float> samples(count * perSample, -1.0f);
    EXPECT_EQ(file.ReadSamples(rate, samples.data(), count, read), 1);
    return samples;
}

TEST(ComtradeFile, AsciiAndBinaryGiveTheGeneratedValuesIncludingTheSeventeenthDigitalChannel)
{
    testsupport::TempDir dir;
    gen::ComtradeOptions options;
    options.digitalChannels = 17;
    options.samples = 200;
    std::vector<std::vector<float>> results;
    for (const auto format : {gen::ComtradeFormat::Ascii, gen::ComtradeFormat::Binary}) {
        options.format = format;
        const char* name = format == gen::ComtradeFormat::Ascii ? "ascii" : "binary";
        CComtradeFile file;
        ASSERT_EQ(file.Open(WriteComtradeRecord(dir, options, name)), 1) << name;
        EXPECT_EQ(file.IsBinary(), format == gen::ComtradeFormat::Binary) << name;
        ASSERT_EQ(file.GetAnalogCount(), 8);
        ASSERT_EQ(file.GetDigitalCount(), 17);
        std::uint64_t read = 0;
        const std::vector<float> samples = ReadAll(file, 3200.0f, &read);
        EXPECT_EQ(read, 200u) << name;
        for (std::uint32_t i = 0; i < options.samples; ++i) {
            const float* sample = &samples[i * 25];
            for (int c = 0; c < 8; ++c) {
                const float expected =
                    static_cast<float>(gen::ComtradeRaw(options, i, c)) * gen::ComtradeA(options, c) + gen::ComtradeB(c);
                ASSERT_EQ(sample[c], expected) << name << " sample " << i << " analog " << c + 1;
            }
            for (int d = 0; d < 17; ++d) {
                ASSERT_EQ(sample[8 + d], static_cast<float>(gen::ComtradeDigital(i, d)))
                    << name << " sample " << i << " digital " << d + 1;
            }
        }
        results.push_back(samples);
    }
    EXPECT_EQ(results[0], results[1]) << "ASCII and BINARY of the same signal differ";
}

TEST(ComtradeFile, ConfigurationVariants)
{
    struct Case {
        const char* name;
        gen::ComtradeDefect defect;
        int opens;
    };
    const Case cases[] = {
        {"well formed", gen::ComtradeDefect::None, 1},
        {"LF line ends", gen::ComtradeDefect::LfLineEnds, 1},
        {"0x1A padding", gen::ComtradeDefect::EofPadding, 1},
        {"no side file", gen::ComtradeDefect::MissingInf, 1},
        {"1991 first line", gen::ComtradeDefect::OldFirstLine, 0},
        {"ten-field analog lines", gen::ComtradeDefect::TenFieldAnalog, 0},
        {"total not analog plus digital", gen::ComtradeDefect::WrongTotal, 0},
        {"channel numbered out of place", gen::ComtradeDefect::WrongChannelNumber, 0},
        {"unknown file type", gen::ComtradeDefect::BadFileType, 0},
        {"no time multiplier", gen::ComtradeDefect::MissingTimeMultiplier, 0},
        {"no line frequency", gen::ComtradeDefect::NoLineFrequency, 0},
        {"no data file", gen::ComtradeDefect::MissingDat, 0},
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        for (const auto format : {gen::ComtradeFormat::Ascii, gen::ComtradeFormat::Binary}) {
            gen::ComtradeOptions options;
            options.format = format;
            options.samples = 64;
            options.defect = c.defect;
            const fs::path base = WriteComtradeRecord(dir, options, c.name);
            CComtradeFile file;
            ASSERT_EQ(file.Open(base), c.opens) << c.name;
            if (c.opens == 0) {
                continue;
            }
            const std::vector<float> samples = ReadAll(file, 3200.0f);
            EXPECT_EQ(samples[8 * 10 + 3], static_cast<float>(gen::ComtradeRaw(options, 8, 3)) * 0.01f + 0.5f)
                << c.name << ": sample 9 of channel 4";
            const bool inf = c.defect != gen::ComtradeDefect::MissingInf;
            EXPECT_EQ(file.GetInfFirst(), inf ? 3 : -1) << c.name;
            EXPECT_EQ(file.GetInfSecond(), inf ? 12 : -1) << c.name << ": a value is read whole";
        }
    }
}

TEST(ComtradeFile, HeaderFieldsAndTimeStamps)
{
    struct Case {
        const char* year;
        std::int32_t expected;
    };
    const Case cases[] = {{"1999", 1999}, {"", 1991}, {"abc", -1}, {"2013", 2013}};
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        gen::ComtradeOptions options;
        options.revisionYear = c.year;
        CComtradeFile file;
        ASSERT_EQ(file.Open(WriteComtradeRecord(dir, options)), 1) << "year \"" << c.year << "\"";
        EXPECT_EQ(file.GetRevisionYear(), c.expected) << "year \"" << c.year << "\"";
    }
    CComtradeFile file;
    ASSERT_EQ(file.Open(WriteComtradeRecord(dir, gen::ComtradeOptions{})), 1);
    EXPECT_EQ(file.GetDeviceId(), "K7700-0815");
    EXPECT_EQ(file.GetLineFrequency(), 50.0f);
    ASSERT_EQ(file.GetSampleRates().size(), 1u);
    EXPECT_EQ(file.GetTotalSamples(), 640u);
    EXPECT_EQ(file.GetAnalogChannels()[4].unit, "A");
    EXPECT_EQ(file.GetAnalogChannels()[4].primarySecondary, 'P');
    EXPECT_EQ(file.GetAnalogChannels()[4].primary, 600.0f);
    const CComtradeTime& trigger = file.GetTriggerTime();
    EXPECT_EQ(trigger.year, 2023);
    EXPECT_EQ(trigger.month, 4);
    EXPECT_EQ(trigger.day, 5);
    EXPECT_EQ(trigger.minute, 15);
    EXPECT_NEAR(trigger.seconds, 30.223456, 1e-9) << "microseconds are kept";
}

TEST(ComtradeFile, InfValuesAndNamesWithoutRegardToCase)
{
    struct Case {
        const char* inf;
        std::int32_t first, second;
    };
    const Case cases[] = {
        {"[a]\r\nx=1\r\nEventType=12\r\ny=0\r\nPhase=7\r\n", 12, 7},
        {"[a]\nx=1\nEventType=5\ny=0\nPhase=0\n", 5, 0},
        {"[a]\r\nx=1\r\nEventType 5\r\ny=0\r\nPhase=abc\r\n", -1, -1},
        {"[a]\r\nx=1\r\n", -1, -1},
    };
    testsupport::TempDir dir;
    gen::ComtradeOptions options;
    options.defect = gen::ComtradeDefect::MissingInf;
    for (const Case& c : cases) {
        dir.Write("case/rec.cfg", gen::ComtradeCfgBytes(options));
        dir.Write("case/rec.dat", gen::ComtradeDatBytes(options));
        dir.Write("case/rec.inf", c.inf);
        CComtradeFile file;
        ASSERT_EQ(file.Open(dir / "case/rec"), 1) << c.inf;
        EXPECT_EQ(file.GetInfFirst(), c.first) << c.inf;
        EXPECT_EQ(file.GetInfSecond(), c.second) << c.inf;
    }
}

TEST(ComtradeFile, ReadingStopsWhereTheDataStops)
{
    testsupport::TempDir dir;
    gen::ComtradeOptions options;
    options.samples = 100;
    for (const auto format : {gen::ComtradeFormat::Ascii, gen::ComtradeFormat::Binary}) {
        options.format = format;
        options.defect = gen::ComtradeDefect::TruncatedDat;
        CComtradeFile file;
        ASSERT_EQ(file.Open(WriteComtradeRecord(dir, options)), 1);
        std::vector<float> samples(100 * 10, -7.0f);
        std::uint64_t read = 0;
        ASSERT_EQ(file.ReadSamples(3200.0f, samples.data(), 100, &read), 1);
        EXPECT_EQ(read, 50u) << "the file ends inside sample 51";
        EXPECT_EQ(samples[60 * 10], -7.0f) << "samples past the data are left alone";

        options.defect = gen::ComtradeDefect::LongDigitalField;
        ASSERT_EQ(file.Open(WriteComtradeRecord(dir, options)), 1);
        ASSERT_EQ(file.ReadSamples(3200.0f, samples.data(), 100, &read), 1);
        EXPECT_EQ(read, format == gen::ComtradeFormat::Ascii ? 3u : 100u) << "an ASCII digital field \"10\" ends the reading";

        EXPECT_EQ(file.ReadSamples(4000.0f, samples.data(), 100, &read), 0) << "no section of that rate";
        EXPECT_EQ(file.ReadSamples(3200.0f, samples.data(), 99, &read), 0) << "capacity below the section";
    }
}

TEST(ComtradeFile, AnalogChannelsReadApartGiveTheValuesOfAWholeRead)
{
    testsupport::TempDir dir;
    gen::ComtradeOptions options;
    options.digitalChannels = 17;
    options.samples = 300;
    struct Case {
        const char* name;
        gen::ComtradeFormat format;
        gen::ComtradeDefect defect;
        std::size_t channels;  // asked for; the record has 8
        std::uint64_t held;
    };
    const Case cases[] = {
        {"binary, the first five channels", gen::ComtradeFormat::Binary, gen::ComtradeDefect::None, 5, 300},
        {"ASCII, every channel", gen::ComtradeFormat::Ascii, gen::ComtradeDefect::None, 8, 300},
        {"binary, more channels than the record has", gen::ComtradeFormat::Binary, gen::ComtradeDefect::None, 10, 300},
        {"binary, data cut short", gen::ComtradeFormat::Binary, gen::ComtradeDefect::TruncatedDat, 8, 150},
        {"ASCII, data cut short", gen::ComtradeFormat::Ascii, gen::ComtradeDefect::TruncatedDat, 8, 150},
    };
    for (const Case& c : cases) {
        options.format = c.format;
        options.defect = c.defect;
        CComtradeFile whole;
        ASSERT_EQ(whole.Open(WriteComtradeRecord(dir, options)), 1) << c.name;
        std::uint64_t held = 0;
        const std::vector<float> expected = ReadAll(whole, 3200.0f, &held);
        ASSERT_EQ(held, c.held) << c.name;

        CComtradeFile apart;
        ASSERT_EQ(apart.Open(dir / "rec"), 1) << c.name;
        std::uint64_t count = 0;
        ASSERT_TRUE(apart.BeginSamples(3200.0f, &count)) << c.name;
        std::vector<std::vector<float>> channels(c.channels, std::vector<float>(count, -7.0f));
        std::uint64_t read = 0;
        // Pieces of an odd length, so that they start anywhere.
        for (std::uint64_t got = 1; got != 0; read += got) {
            std::vector<float*> outputs;
            for (auto& channel : channels) {
                outputs.push_back(channel.data() + read);
            }
            got = apart.ReadAnalog(outputs, 37);
        }
        EXPECT_EQ(read, c.held) << c.name;
        EXPECT_EQ(apart.ReadAnalog(std::vector<float*>{channels[0].data()}, 1), 0u) << c.name << ": nothing after the end";
        const std::size_t width = 8 + 17;
        for (std::size_t k = 0; k < c.channels; ++k) {
            for (std::uint64_t i = 0; i < count; ++i) {
                const float want = k < 8 && i < c.held ? expected[i * width + k] : -7.0f;
                ASSERT_EQ(channels[k][i], want) << c.name << ", channel " << k + 1 << ", sample " << i;
            }
        }
    }
}

TEST(ComtradeFile, DataFilesBeyondTwentyMebibytesAreMapped)
{
    testsupport::TempDir dir;
    gen::ComtradeOptions options;
    options.samples = 64;
    const fs::path base = WriteComtradeRecord(dir, options);
    fs::resize_file(dir / "rec.DAT", 20971521);
    CComtradeFile file;
    ASSERT_EQ(file.Open(base), 1);
    EXPECT_EQ(file.GetDataSize(), 20971521u);
    std::uint64_t read = 0;
    ReadAll(file, 3200.0f, &read);
    EXPECT_EQ(read, 64u);
}

}  // namespace
