#include "core/ColorPicker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/base/Encoding.h"
#include "platform/base/PrivateProfile.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/ProgramFolderFixture.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::ReadAll;

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }

// A scheme file small enough to read at a glance; "Red" is not pure red, so that a
// colour taken from it is told apart from the closed store's 255.
constexpr const char* kSchemeFile =
    "[ColorSchemes]\n"
    "Red=RGB(200,0,0)\n"
    "Leaf=RGB(0,100,0)\n"
    "Broken=oops\n"
    "[Freq]\n"
    "Max=RGB(0,128,255)\n"
    "DefaultMax=RGB(9,8,7)\n"
    "Named=Leaf\n"
    "Unlisted=RGB(1,2,3)\n"
    "Wrap=RGB(256,257,-1)\n"
    "Spaced=RGB( 4, 5, 6)\n"
    "NoParen=RGB(10,20,30\n"
    "Partial=RGB(10,20\n"
    "Garbage=not a colour\n"
    "BadName=Broken\n"
    "Empty=\n"
    "Long=RGB(0000000000001,2,3)\n"
    "[V&C]\n"
    "Amax=RGB(1,1,1)\n"
    "ALLcp95=RGB(2,2,2)\n"
    "[Harmonic]\n"
    "HARMmax=RGB(11,0,0)\n"
    "HARMmin=RGB(12,0,0)\n"
    "HARMavg=RGB(13,0,0)\n"
    "HARM3=RGB(3,3,3)\n"
    "THD=RGB(52,0,0)\n"
    "DC=RGB(53,0,0)\n"
    "KF=RGB(54,0,0)\n"
    "DefaultHARM3=RGB(33,33,33)\n";

// Each test starts without "color.cfg" in its program folder. Only that file is
// touched: the folder's other files belong to the other tests of this process.
class ColorPickerTest : public testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(platform::ProgramFolder());
        std::filesystem::remove(File());
    }
    void TearDown() override { std::filesystem::remove(File()); }

    static std::filesystem::path File() { return CColorPicker::SchemeFile(); }
    static void WriteFile(const std::string& bytes) {
        std::ofstream out(File(), std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    static void InstallShippedFile() {
        std::filesystem::copy_file(testsupport::BuildProgramFolder() / "color.cfg", File(),
                                   std::filesystem::copy_options::overwrite_existing);
    }
};

TEST_F(ColorPickerTest, ItemKeysFollowPhaseStatisticAndOrder) {
    struct Case {
        int phase;
        int statistic;
        int item;
        const wchar_t* key;
    };
    const Case cases[] = {
        {0, 0, 0, L"HARM0"},   {0, 0, 3, L"HARM3"},     {5, 5, 3, L"HARM3"},  {0, 0, 51, L"HARM51"},
        {0, 0, 52, L"THD"},    {0, 0, 53, L"DC"},       {1, 1, 54, L"KF"},    {1, 1, 55, L"Amax"},
        {1, 1, -1, L"Amax"},   {2, 2, -1, L"Bmin"},     {4, 4, -1, L"Cavg"},  {8, 8, -1, L"Ncp95"},
        {16, 8, -1, L"ALLcp95"}, {16, 16, -1, L"ALLrms"}, {2, 32, -1, L"Borg"}, {32, 4, -1, L"avg"},
        {0, 1, -1, L"max"},    {3, 1, -1, L"max"},      {1, 0, -1, L"A"},     {1, 64, -1, L"A"},
        {32, 0, -1, L""},      {1, 1, -2, L"Amax"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CColorPicker::MakeItemKey(c.phase, c.statistic, c.item), c.key)
            << c.phase << "/" << c.statistic << "/" << c.item;
    }
}

TEST_F(ColorPickerTest, WithoutTheFileEverythingIsRedAndNothingIsWritten) {
    CColorPicker store;
    EXPECT_EQ(store.Open(CColorPicker::kVoltageCurrent), 0);
    EXPECT_EQ(store.GetItemColor(1, 1, -1), 255u);
    EXPECT_EQ(store.GetItemDefaultColor(0, 0, 3), 255u);
    std::uint32_t a = 7, b = 8, c = 9;
    EXPECT_EQ(store.ReadColor(L"Amax", a), 0);
    EXPECT_EQ(store.ReadDefaultColor(L"Amax", a), 0);
    EXPECT_EQ(store.GetHarmColors(a, b, c), 0);
    EXPECT_EQ(a, 7u);
    EXPECT_EQ(b, 8u);
    EXPECT_EQ(c, 9u);
    EXPECT_EQ(store.WriteColor(L"Amax", 1), 0);
    EXPECT_EQ(store.SetItemColor(1, 1, 1, -1), 0);
    EXPECT_EQ(store.WriteColors({{L"V&C", L"Amax", 1}}), 0);
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(ColorPickerTest, ValuesResolveThroughNamesPatternAndFallback) {
    WriteFile(kSchemeFile);
    struct Case {
        const wchar_t* key;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {L"Max", 16744448u},                  // RGB(0,128,255)
        {L"max", 16744448u},                  // keys compare without regard to case
        {L"Named", Rgb(0, 100, 0)},           // a name of "ColorSchemes"
        {L"Unlisted", Rgb(1, 2, 3)},          // not a name: parsed itself
        {L"Wrap", Rgb(0, 1, 255)},            // each component keeps its low 8 bits
        {L"Spaced", Rgb(4, 5, 6)},
        {L"NoParen", Rgb(10, 20, 30)},        // three numbers are enough
        {L"Absent", Rgb(200, 0, 0)},          // absent keys take "Red"
        {L"Partial", Rgb(200, 0, 0)},         // damaged values draw as absent ones
        {L"Garbage", Rgb(200, 0, 0)},
        {L"BadName", Rgb(200, 0, 0)},
        {L"Empty", Rgb(200, 0, 0)},
        {L"Long", Rgb(200, 0, 0)},            // cut to 19 characters: the third number is lost
        {L"DefaultMax", Rgb(9, 8, 7)},
    };
    CColorPicker store;
    ASSERT_EQ(store.Open(CColorPicker::kFrequency), 1);
    for (const Case& c : cases) {
        std::uint32_t color = 0xDEADBEEF;
        EXPECT_EQ(store.ReadColor(c.key, color), 1) << platform::WideToUtf8(c.key);
        EXPECT_EQ(color, c.expected) << platform::WideToUtf8(c.key);
    }
    std::uint32_t color = 0;
    ASSERT_EQ(store.ReadDefaultColor(L"MAX", color), 1);
    EXPECT_EQ(color, Rgb(9, 8, 7));
    EXPECT_EQ(store.GetItemColor(32, 1, -1), 16744448u);
    EXPECT_EQ(store.GetItemDefaultColor(32, 1, -1), Rgb(9, 8, 7));
    EXPECT_EQ(ReadAll(File()), kSchemeFile) << "reading must never write";

    // Without a "Red" entry the fallback is pure red.
    WriteFile("[Freq]\nGarbage=x\n");
    ASSERT_EQ(store.ReadColor(L"Garbage", color), 1);
    EXPECT_EQ(color, 255u);
    ASSERT_EQ(store.ReadColor(L"Absent", color), 1);
    EXPECT_EQ(color, 255u);
}

TEST_F(ColorPickerTest, ItemColorsOfEveryFamily) {
    WriteFile(kSchemeFile);
    CColorPicker store;
    ASSERT_EQ(store.Open(CColorPicker::kVoltageCurrent), 1);
    EXPECT_EQ(store.GetItemColor(1, 1, -1), Rgb(1, 1, 1));
    EXPECT_EQ(store.GetItemColor(16, 8, -1), Rgb(2, 2, 2));
    EXPECT_EQ(store.GetItemColor(2, 1, -1), Rgb(200, 0, 0));
    ASSERT_EQ(store.Open(CColorPicker::kHarmonic), 1);
    EXPECT_EQ(store.GetItemColor(0, 0, 3), Rgb(3, 3, 3));
    EXPECT_EQ(store.GetItemColor(0, 0, CColorPicker::kItemThd), Rgb(52, 0, 0));
    EXPECT_EQ(store.GetItemColor(0, 0, CColorPicker::kItemDc), Rgb(53, 0, 0));
    EXPECT_EQ(store.GetItemColor(0, 0, CColorPicker::kItemKFactor), Rgb(54, 0, 0));
    EXPECT_EQ(store.GetItemDefaultColor(0, 0, 3), Rgb(33, 33, 33));
    std::uint32_t maxColor = 0, minColor = 0, avgColor = 0;
    ASSERT_EQ(store.GetHarmColors(maxColor, minColor, avgColor), 1);
    EXPECT_EQ(maxColor, Rgb(11, 0, 0));
    EXPECT_EQ(minColor, Rgb(12, 0, 0));
    EXPECT_EQ(avgColor, Rgb(13, 0, 0));
}

// Every key the scheme sheet edits is shipped with a colour of its own and a factory
// colour, and the views find them by the keys they build.
TEST_F(ColorPickerTest, ShippedFileHoldsEveryKeyAndItsDefault) {
    InstallShippedFile();
    const auto grid = [](std::vector<std::wstring> phases, std::vector<std::wstring> statistics) {
        std::vector<std::wstring> keys;
        for (const std::wstring& statistic : statistics) {
            for (const std::wstring& phase : phases) {
                keys.push_back(phase + statistic);
            }
        }
        return keys;
    };
    const std::vector<std::wstring> single = {L"Max", L"Min", L"Avg", L"Cp95"};
    struct Page {
        const wchar_t* section;
        std::vector<std::wstring> keys;
    };
    const Page pages[] = {
        {CColorPicker::kFrequency, single},
        {CColorPicker::kUnbalance, single},
        {CColorPicker::kVoltageCurrent, grid({L"A", L"B", L"C", L"N"}, {L"max", L"min", L"avg", L"cp95"})},
        {CColorPicker::kFluctuationFlicker, grid({L"A", L"B", L"C"}, {L"max", L"min", L"avg", L"cp95"})},
        {CColorPicker::kPowerEnergy, grid({L"A", L"B", L"C", L"ALL"}, {L"max", L"min", L"avg", L"cp95", L"rms"})},
        {CColorPicker::kHarmonic,
         {L"HARMmax", L"HARMmin", L"HARMavg", L"HARMcp95", L"KF", L"HARM1", L"HARM2", L"HARM3", L"HARM4", L"HARM5",
          L"HARM6"}},
    };
    ASSERT_TRUE(platform::ProfileGetString(File(), CColorPicker::kSchemesSection, L"Red"));
    for (const Page& page : pages) {
        CColorPicker store;
        ASSERT_EQ(store.Open(page.section), 1);
        for (const std::wstring& key : page.keys) {
            for (const std::wstring& name : {key, CColorPicker::kDefaultPrefix + key}) {
                const std::string row = platform::WideToUtf8(page.section) + "/" + platform::WideToUtf8(name);
                const std::optional<std::wstring> value = platform::ProfileGetString(File(), page.section, name);
                ASSERT_TRUE(value) << row;
                const std::optional<std::uint32_t> parsed = CColorPicker::ParseColor(*value);
                ASSERT_TRUE(parsed) << row;
                std::uint32_t color = 0;
                ASSERT_EQ(store.ReadColor(name, color), 1) << row;
                EXPECT_EQ(color, *parsed) << row;
            }
        }
    }
    CColorPicker freq;
    ASSERT_EQ(freq.Open(CColorPicker::kFrequency), 1);
    std::uint32_t saved = 0;
    ASSERT_EQ(freq.ReadColor(L"Max", saved), 1);
    EXPECT_EQ(freq.GetItemColor(32, 1, -1), saved) << "\"max\" of the views finds \"Max\" of the sheet";
}

// Counts the reads of the file and passes everything on.
struct CountingAccess {
    int reads = 0;
    CColorPicker::FileAccess Make() {
        CColorPicker::FileAccess access = CColorPicker::DefaultFileAccess();
        access.read = [this, read = access.read](const std::filesystem::path& file) {
            ++reads;
            return read(file);
        };
        return access;
    }
};

TEST_F(ColorPickerTest, ReadsComeFromTheCacheUntilTheFileChanges) {
    InstallShippedFile();
    CountingAccess counter;
    CColorPicker view(counter.Make());
    ASSERT_EQ(view.Open(CColorPicker::kVoltageCurrent), 1);
    const std::uint32_t before = view.GetItemColor(1, 1, -1);
    for (int i = 0; i < 1000; ++i) {
        view.GetItemColor(1 << (i % 4), 1 << (i % 5), -1);
    }
    EXPECT_EQ(view.GetItemColor(1, 1, -1), before);
    EXPECT_EQ(counter.reads, 1);

    // Another store's save is seen by the very next read.
    CColorPicker sheet;
    ASSERT_EQ(sheet.Open(CColorPicker::kVoltageCurrent), 1);
    const std::uint32_t changed = before ^ 0x010101;
    ASSERT_EQ(sheet.SetItemColor(changed, 1, 1, -1), 1);
    EXPECT_EQ(view.GetItemColor(1, 1, -1), changed);
    EXPECT_EQ(counter.reads, 2);

    // So is a change made outside the program (here the file grows in place).
    std::string bytes = ReadAll(File());
    const std::string::size_type at = bytes.find("Amax=");
    ASSERT_NE(at, std::string::npos);
    bytes.insert(at, "Amax=RGB(1,2,3)\n");
    WriteFile(bytes);
    EXPECT_EQ(view.GetItemColor(1, 1, -1), Rgb(1, 2, 3));

    // And the store's own write.
    ASSERT_EQ(view.SetItemColor(Rgb(4, 5, 6), 1, 1, -1), 1);
    EXPECT_EQ(view.GetItemColor(1, 1, -1), Rgb(4, 5, 6));
    EXPECT_EQ(counter.reads, 4);
}

TEST_F(ColorPickerTest, SaveWritesAllSectionsInOneReplace) {
    InstallShippedFile();
    int writes = 0;
    CColorPicker::FileAccess access = CColorPicker::DefaultFileAccess();
    access.write = [&writes, write = access.write](const std::filesystem::path& file,
                                                   const std::vector<platform::ProfileEntry>& entries) {
        ++writes;
        return write(file, entries);
    };
    CColorPicker sheet(std::move(access));
    ASSERT_EQ(sheet.Open(CColorPicker::kFrequency), 1);
    const std::vector<CColorPicker::Entry> entries = {
        {CColorPicker::kFrequency, L"Max", Rgb(1, 0, 0)},
        {CColorPicker::kVoltageCurrent, L"Ncp95", Rgb(2, 0, 0)},
        {CColorPicker::kHarmonic, L"HARM6", Rgb(3, 0, 0)},
    };
    ASSERT_EQ(sheet.WriteColors(entries), 1);
    EXPECT_EQ(writes, 1);
    for (const CColorPicker::Entry& entry : entries) {
        EXPECT_EQ(platform::ProfileGetString(File(), entry.section, entry.key), CColorPicker::FormatColor(entry.color))
            << platform::WideToUtf8(entry.key);
    }
    EXPECT_EQ(platform::ProfileGetString(File(), CColorPicker::kFrequency, L"DefaultMax"), L"RGB(220,20,60)")
        << "factory colours are never written";
}

TEST_F(ColorPickerTest, FailedSaveLeavesTheFileAndReportsIt) {
    InstallShippedFile();
    const std::string before = ReadAll(File());
    CColorPicker reader;
    ASSERT_EQ(reader.Open(CColorPicker::kFrequency), 1);
    const std::uint32_t saved = reader.GetItemColor(32, 1, -1);

    // A file that cannot be replaced (read-only, full disk): the write reports failure.
    CColorPicker::FileAccess readOnly = CColorPicker::DefaultFileAccess();
    readOnly.write = [](const std::filesystem::path&, const std::vector<platform::ProfileEntry>&) { return false; };
    CColorPicker sheet(std::move(readOnly));
    ASSERT_EQ(sheet.Open(CColorPicker::kFrequency), 1);
    EXPECT_EQ(sheet.WriteColors({{CColorPicker::kFrequency, L"Max", saved ^ 0xFF}}), 0);
    EXPECT_EQ(sheet.WriteColor(L"Max", saved ^ 0xFF), 0);
    EXPECT_EQ(sheet.SetItemColor(saved ^ 0xFF, 32, 1, -1), 0);
    EXPECT_EQ(sheet.GetItemColor(32, 1, -1), saved) << "a failed save must not show as saved";

    // One key the file cannot carry refuses the whole batch.
    CColorPicker real;
    ASSERT_EQ(real.Open(CColorPicker::kFrequency), 1);
    EXPECT_EQ(real.WriteColors({{CColorPicker::kFrequency, L"Max", saved ^ 0xFF},
                                {CColorPicker::kFrequency, L"bad=key", 0}}),
              0);
    EXPECT_EQ(ReadAll(File()), before);
    EXPECT_EQ(reader.GetItemColor(32, 1, -1), saved);
}

}  // namespace
