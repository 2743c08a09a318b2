// The analysis-window settings of "WaveSystem.ini": the ranges of a record, the
// corrections and defaults for missing, partial and broken files, the dialog's writes
// and the cache that follows them.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"
#include "waverecord/WaveSettings.h"

namespace {

std::wstring Wide(const std::filesystem::path& path)
{
    return platform::FromPath(path);
}

template <std::size_t N>
std::string Bytes(const char (&text)[N])
{
    return std::string(text, N - 1);
}

// UTF-16LE with its byte-order mark, from ASCII.
std::string Utf16(std::string_view ascii)
{
    std::string bytes = "\xff\xfe";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(WaveSettingBounds, FollowTheRecordInConsistentUnits)
{
    struct Case {
        const char* name;
        std::int64_t intervals;
        double frequency;
        std::int64_t cycles, rmsMax, harmMax;
    };
    const Case cases[] = {
        {"50 Hz: 10 cycles per interval", 10, 50.0, 10, 200, 10},
        {"60 Hz: 12 cycles per interval", 10, 60.0, 12, 240, 10},
        {"no record", 0, -1.0, 0, 0, 0},
        {"below 2.5 Hz", 10, 2.4, 0, 0, 0},
        {"not a number", 10, NAN, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const WaveSettingBounds bounds = WaveSettingBounds::For(c.intervals, c.frequency);
        EXPECT_EQ(bounds.cyclesPerInterval, c.cycles) << c.name;
        EXPECT_EQ(bounds.rmsMax, c.rmsMax) << c.name;
        EXPECT_EQ(bounds.harmMax, c.harmMax) << c.name;
        EXPECT_EQ(bounds.pstMax, 10) << c.name;
    }
}

TEST(WaveSettingBounds, CheckEachValueAgainstItsRange)
{
    const WaveSettingBounds bounds = WaveSettingBounds::For(10, 50.0);  // RMS 2..200, harmonic 1..10
    struct Case {
        WaveSetting which;
        std::int64_t value;
        WaveSettingCheck check;
        std::int64_t corrected;
    };
    const Case cases[] = {
        {WaveSetting::Rms, 1, WaveSettingCheck::TooSmall, 20},   {WaveSetting::Rms, 0, WaveSettingCheck::TooSmall, 20},
        {WaveSetting::Rms, 2, WaveSettingCheck::Valid, 2},       {WaveSetting::Rms, 200, WaveSettingCheck::Valid, 200},
        {WaveSetting::Rms, 201, WaveSettingCheck::TooLarge, 20}, {WaveSetting::Harm, 0, WaveSettingCheck::TooSmall, 1},
        {WaveSetting::Harm, 10, WaveSettingCheck::Valid, 10},    {WaveSetting::Harm, 11, WaveSettingCheck::TooLarge, 1},
        {WaveSetting::Pst, 0, WaveSettingCheck::TooSmall, 1},    {WaveSetting::Pst, 10, WaveSettingCheck::Valid, 10},
        {WaveSetting::Pst, 11, WaveSettingCheck::TooLarge, 1},
    };
    for (const Case& c : cases) {
        const std::string row = "setting " + std::to_string(int(c.which)) + " value " + std::to_string(c.value);
        EXPECT_EQ(bounds.Check(c.which, c.value), c.check) << row;
        EXPECT_EQ(bounds.Correct(c.which, c.value), c.corrected) << row;
    }
}

TEST(WaveSettings, CorrectMissingPartialAndBrokenFiles)
{
    struct Case {
        const char* name;
        std::optional<std::string> file;  // none: no file
        WaveAnalysisSettings stored;
        WaveAnalysisSettings corrected;  // for 10 intervals at 50 Hz
    };
    const Case cases[] = {
        {"missing file", std::nullopt, {20, 1, 1}, {20, 1, 1}},
        {"empty file", "", {20, 1, 1}, {20, 1, 1}},
        {"only the RMS window", "[WAVE_CONFIG]\nRmsAnalysis=40\n", {40, 1, 1}, {40, 1, 1}},
        {"other section only", "[OTHER]\nRmsAnalysis=40\n", {20, 1, 1}, {20, 1, 1}},
        {"all in range", "[WAVE_CONFIG]\nRmsAnalysis=200\nHarmAnalysis=10\nPstAnalysis=10\n", {200, 10, 10},
         {200, 10, 10}},
        {"all above", "[WAVE_CONFIG]\nRmsAnalysis=201\nHarmAnalysis=11\nPstAnalysis=11\n", {201, 11, 11}, {20, 1, 1}},
        {"all below", "[WAVE_CONFIG]\nRmsAnalysis=1\nHarmAnalysis=0\nPstAnalysis=0\n", {1, 0, 0}, {20, 1, 1}},
        {"not numbers", "[WAVE_CONFIG]\nRmsAnalysis=abc\nHarmAnalysis=\nPstAnalysis=x7\n", {0, 1, 0}, {20, 1, 1}},
        {"negative", "[WAVE_CONFIG]\nRmsAnalysis=-40\n", {4294967256, 1, 1}, {20, 1, 1}},
        {"binary garbage", Bytes("\xff\x00[\x01\x02WAVE\x00\x80\x81=\n\xc3("), {20, 1, 1}, {20, 1, 1}},
        {"UTF-16 cut inside a character", Utf16("[WAVE_CONFIG]\nRmsAnalysis=40\n") + "\x35", {40, 1, 1},
         {40, 1, 1}},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const auto path = dir / "WaveSystem.ini";
        if (c.file) {
            dir.Write("WaveSystem.ini", *c.file);
        }
        CWaveSettings settings(Wide(path));
        const WaveAnalysisSettings stored = settings.Stored();
        EXPECT_EQ(stored.rms, c.stored.rms) << c.name;
        EXPECT_EQ(stored.harm, c.stored.harm) << c.name;
        EXPECT_EQ(stored.pst, c.stored.pst) << c.name;
        const WaveAnalysisSettings corrected = settings.Corrected(10, 50.0);
        EXPECT_EQ(corrected.rms, c.corrected.rms) << c.name;
        EXPECT_EQ(corrected.harm, c.corrected.harm) << c.name;
        EXPECT_EQ(corrected.pst, c.corrected.pst) << c.name;
        EXPECT_EQ(std::filesystem::exists(path), c.file.has_value()) << c.name << ": reading made or removed the file";
        if (c.file) {
            EXPECT_EQ(testsupport::ReadAll(path), *c.file) << c.name;
        }
    }
}

TEST(WaveSettings, ReadingWithoutARecordLeavesTheFileAlone)
{
    testsupport::TempDir dir;
    const std::string text = "; analysis windows\r\n[WAVE_CONFIG]\r\nRmsAnalysis = 1\r\nHarmAnalysis=99\r\n"
                             "PstAnalysis=11\r\n\r\n[OTHER]\r\nKey=Value\r\n";
    const auto path = dir.Write("WaveSystem.ini", text);
    CWaveSettings settings(Wide(path));
    const WaveAnalysisSettings corrected = settings.Corrected(0, -1.0);
    EXPECT_EQ(corrected.rms, 20);
    EXPECT_EQ(corrected.harm, 1);
    EXPECT_EQ(corrected.pst, 1);
    settings.Reload();
    settings.Corrected(0, -1.0);
    EXPECT_EQ(testsupport::ReadAll(path), text);
}

TEST(WaveSettings, TheDialogWritesWhatPassesTheMinimumsAndReadersSeeItAtOnce)
{
    testsupport::TempDir dir;
    const auto path = dir.Write("WaveSystem.ini", "[WAVE_CONFIG]\nRmsAnalysis=40\nHarmAnalysis=2\nPstAnalysis=3\n");
    CWaveSettings settings(Wide(path));
    ASSERT_EQ(settings.Stored().pst, 3);

    // RMS below its minimum and Pst 0 keep the file's values; harmonic not given.
    EXPECT_TRUE(settings.Write(1, std::nullopt, 0));
    EXPECT_EQ(settings.Stored().rms, 40);
    EXPECT_EQ(settings.Stored().harm, 2);
    EXPECT_EQ(settings.Stored().pst, 3);

    // Above the record's range is written as typed: readers correct it.
    EXPECT_TRUE(settings.Write(60, 4, 25));
    EXPECT_EQ(settings.Stored().rms, 60) << "the cache follows the write";
    EXPECT_EQ(settings.Stored().pst, 25);
    EXPECT_EQ(settings.Corrected(10, 50.0).pst, 1);

    CWaveSettings other(Wide(path));
    EXPECT_EQ(other.Stored().rms, 60) << "the file holds the write";
    EXPECT_EQ(other.Stored().harm, 4);
    EXPECT_EQ(other.Stored().pst, 25);
}

TEST(WaveSettings, ReloadPicksUpEditsMadeOutsideTheDialog)
{
    testsupport::TempDir dir;
    const auto path = dir.Write("WaveSystem.ini", "[WAVE_CONFIG]\nRmsAnalysis=40\n");
    CWaveSettings settings(Wide(path));
    ASSERT_EQ(settings.Stored().rms, 40);
    dir.Write("WaveSystem.ini", "[WAVE_CONFIG]\nRmsAnalysis=60\n");
    EXPECT_EQ(settings.Stored().rms, 40) << "cached until reloaded";
    settings.Reload();
    EXPECT_EQ(settings.Stored().rms, 60);
}

}  // namespace
