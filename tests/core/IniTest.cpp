#include "core/Ini.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>

#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace {

using testsupport::ReadAll;
using testsupport::TempDir;

// A settings file in a fresh folder; Ini() opens it the way callers do.
class IniTest : public testing::Test {
protected:
    std::wstring Path() const { return platform::FromPath(m_dir / "Ondrava.ini"); }
    void WriteFile(const std::string& bytes) const { m_dir.Write("Ondrava.ini", bytes); }
    std::string FileBytes() const { return ReadAll(m_dir / "Ondrava.ini"); }
    // One key in section "S" holding the value.
    CIni WithValue(const std::wstring& value) const {
        WriteFile("[S]\nk=" + platform::WideToUtf8(value) + "\n");
        return CIni(Path());
    }

    TempDir m_dir;
};

TEST_F(IniTest, GetBoolFollowsTheFlagRules) {
    struct Case {
        const wchar_t* text;
        int defaultValue;
        int expected;
    };
    const Case cases[] = {
        {L"Yes", 0, 1},  {L"TRUE", 0, 1}, {L"tRuE", 0, 1}, {L"true", 0, 1}, {L"2", 0, 1},  {L"-7", 0, 1},
        {L" 12x", 0, 1}, {L"0", 1, 0},    {L"false", 1, 0}, {L"no", 1, 0},  {L"abc", 1, 0}, {L"000", 1, 0},
        {L"", 5, 5},     {L"yess", 1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithValue(c.text).GetBool(L"S", L"k", c.defaultValue), c.expected)
            << "\"" << platform::WideToUtf8(c.text) << "\"";
    }
    EXPECT_EQ(CIni(Path()).GetBool(L"S", L"absent", 7), 7);
    EXPECT_EQ(CIni::ParseBool(nullptr, 3), 3);
}

TEST_F(IniTest, GetUIntParsesLikeTheUnsignedConversion) {
    struct Case {
        const wchar_t* text;
        int base;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {L"1A", 16, 26},
        {L"0x1A", 16, 26},
        {L"0X1a", 16, 26},
        {L"0x", 16, 0},
        {L"1A", 10, 1},
        {L"19", 7, 19},  // other bases read as decimal
        {L"19", 0, 19},
        {L"101", 2, 5},
        {L"1012", 2, 5},
        {L"17", 8, 15},
        {L"  42abc", 10, 42},
        {L"+42", 10, 42},
        {L"-1", 10, 4294967295u},
        {L"-5", 10, 4294967291u},
        {L"4294967295", 10, 4294967295u},
        {L"4294967296", 10, 4294967295u},
        {L"99999999999999999999999", 10, 4294967295u},
        {L"-99999999999", 10, 4294967295u},
        {L"abc", 10, 0},
        {L"0x1A", 10, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WithValue(c.text).GetUInt(L"S", L"k", 77, c.base), c.expected)
            << "\"" << platform::WideToUtf8(c.text) << "\" base " << c.base;
    }
    EXPECT_EQ(WithValue(L"").GetUInt(L"S", L"k", 77), 77u);
    EXPECT_EQ(CIni(Path()).GetUInt(L"S", L"absent", 300), 300u);
}

TEST_F(IniTest, GetDoubleReadsTheLeadingNumber) {
    struct Case {
        const wchar_t* text;
        double expected;
    };
    const Case cases[] = {
        {L"57.74", 57.74}, {L"  -2.5e1x", -25.0}, {L"+3", 3.0}, {L"100.000", 100.0},
        {L".5", 0.5},      {L"abc", 0.0},         {L"1,5", 1.0},
        {L"1e999", std::numeric_limits<double>::infinity()},
        {L"-1e999", -std::numeric_limits<double>::infinity()},
        {L"1e-999", 0.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(WithValue(c.text).GetDouble(L"S", L"k", 9.5), c.expected)
            << "\"" << platform::WideToUtf8(c.text) << "\"";
    }
    EXPECT_DOUBLE_EQ(WithValue(L"").GetDouble(L"S", L"k", 9.5), 9.5);
}

TEST_F(IniTest, NumbersAreReadFromTheFirst63Characters) {
    // The 64th character is cut off: 63 zeros then a 5 reads as 0.
    EXPECT_EQ(WithValue(std::wstring(63, L'0') + L"5").GetUInt(L"S", L"k", 9), 0u);
    EXPECT_EQ(WithValue(std::wstring(62, L'0') + L"5").GetUInt(L"S", L"k", 9), 5u);
}

TEST_F(IniTest, WriteIntInEveryBase) {
    struct Case {
        std::int32_t value;
        int base;
        const char* expected;
    };
    const Case cases[] = {
        {-1, 10, "-1"},        {-1, 16, "FFFFFFFF"}, {5, 2, "101"},
        {0, 2, "0"},           {-1, 2, "11111111111111111111111111111111"},
        {8, 8, "10"},          {-1, 8, "37777777777"}, {255, 16, "FF"},
        {-2147483647 - 1, 10, "-2147483648"},           {123, 7, "123"},
        {-5, 0, "-5"},
    };
    for (const Case& c : cases) {
        CIni ini(Path());
        ASSERT_NE(ini.WriteInt(L"S", L"k", c.value, c.base), 0);
        EXPECT_EQ(FileBytes(), std::string("[S]\nk=") + c.expected + "\n") << c.value << " base " << c.base;
    }
}

TEST_F(IniTest, FormatNumberWritesUnsignedDecimalForOtherBases) {
    std::array<wchar_t, 64> buffer{};
    EXPECT_STREQ(CIni::FormatNumber(4294967295u, buffer.data(), 10), L"4294967295");
    EXPECT_STREQ(CIni::FormatNumber(26, buffer.data(), 16), L"1A");
    EXPECT_STREQ(CIni::FormatNumber(0, buffer.data(), 8), L"0");
}

TEST_F(IniTest, WritesFlagsAndStrings) {
    CIni ini(Path());
    EXPECT_NE(ini.WriteBool(L"Report", L"IsExcel", 5), 0);
    EXPECT_NE(ini.WriteBool(L"Report", L"IsITIC", 0), 0);
    EXPECT_NE(ini.WriteString(L"Position", L"OpenLocal", L"/数据/K7700"), 0);
    EXPECT_NE(ini.WriteString(L"Position", L"ReportLocal", nullptr), 0);
    EXPECT_EQ(FileBytes(), "[Report]\nIsExcel=1\nIsITIC=0\n[Position]\nOpenLocal=/数据/K7700\nReportLocal=\n");
    // The null value left the key in place: an empty value, so the caller's default.
    EXPECT_EQ(ini.GetString(L"Position", L"ReportLocal", L"default"), L"");
    EXPECT_EQ(ini.GetBool(L"Report", L"IsExcel", 0), 1);
}

TEST_F(IniTest, WriteStringsReplacesTheFileOnceForAllKeys) {
    WriteFile("[S]\nk=v\n");
    CIni ini(Path());
    EXPECT_NE(ini.WriteStrings({{L"S", L"k", L"1"}, {L"T", L"j", L"2"}}), 0);
    EXPECT_EQ(FileBytes(), "[S]\nk=1\n[T]\nj=2\n");
    EXPECT_EQ(ini.WriteStrings({{L"S", L"k", L"3"}, {L"T", L"", L"4"}}), 0);
    EXPECT_EQ(FileBytes(), "[S]\nk=1\n[T]\nj=2\n");
    EXPECT_EQ(CIni(nullptr).WriteStrings({{L"S", L"k", L"x"}}), 0);
}

TEST_F(IniTest, NullNamesNeitherReadNorWrite) {
    WriteFile("[S]\nk=v\n");
    CIni ini(Path());
    EXPECT_EQ(ini.GetString(nullptr, L"k", L"dflt"), L"dflt");
    EXPECT_EQ(ini.GetString(L"S", nullptr, nullptr), L"");
    EXPECT_EQ(ini.GetUInt(nullptr, L"k", 4), 4u);
    EXPECT_EQ(ini.WriteString(nullptr, L"k", L"x"), 0);
    EXPECT_EQ(ini.WriteString(L"S", nullptr, L"x"), 0);
    EXPECT_EQ(ini.WriteInt(L"S", nullptr, 1, 16), 0);
    EXPECT_EQ(ini.WriteBool(nullptr, L"k", 1), 0);
    EXPECT_EQ(FileBytes(), "[S]\nk=v\n");

    CIni noPath(nullptr);
    EXPECT_EQ(noPath.GetString(L"S", L"k", L"dflt"), L"dflt");
    EXPECT_EQ(noPath.WriteString(L"S", L"k", L"x"), 0);
}

TEST_F(IniTest, MissingFileOrSectionGivesDefaults) {
    CIni ini(Path());
    EXPECT_EQ(ini.GetString(L"Ondrava", L"Version", L"1.0.X"), L"1.0.X");
    EXPECT_EQ(ini.GetBool(L"Report", L"IsTrend", 1), 1);
    WriteFile("[Other]\nVersion=2\n");
    EXPECT_EQ(ini.GetString(L"Ondrava", L"Version", L"1.0.X"), L"1.0.X");
}

TEST_F(IniTest, LongValuesAreReadWhole) {
    for (std::size_t length : {511u, 512u, 513u, 1023u, 1024u, 5000u}) {
        std::wstring value;
        for (std::size_t i = 0; i < length; ++i) {
            value += static_cast<wchar_t>(i % 7 == 6 ? L'路' : L'a' + i % 26);
        }
        CIni ini(Path());
        ASSERT_NE(ini.WriteString(L"S", L"long", value.c_str()), 0);
        EXPECT_EQ(ini.GetString(L"S", L"long"), value) << length;
        EXPECT_EQ(ini.ReadToBuffer(L"S", L"long", nullptr, 0, nullptr), length);
    }
}

TEST_F(IniTest, ReadToBufferCutsAndTerminates) {
    WriteFile("[S]\nk=abcdef\n");
    CIni ini(Path());
    std::array<wchar_t, 4> small{L'x', L'x', L'x', L'x'};
    EXPECT_EQ(ini.ReadToBuffer(L"S", L"k", small.data(), small.size(), nullptr), 3u);
    EXPECT_STREQ(small.data(), L"abc");
    std::array<wchar_t, 16> large{};
    EXPECT_EQ(ini.ReadToBuffer(L"S", L"absent", large.data(), large.size(), L"dflt"), 4u);
    EXPECT_STREQ(large.data(), L"dflt");
    EXPECT_EQ(ini.ReadToBuffer(L"S", L"k", large.data(), 0, nullptr), 0u);
}

TEST_F(IniTest, AnUnwritablePathFailsAndChangesNothing) {
    CIni ini(platform::FromPath(m_dir / "no-folder" / "x.ini"));
    EXPECT_EQ(ini.WriteString(L"S", L"k", L"v"), 0);
    EXPECT_EQ(ini.WriteInt(L"S", L"k", 1, 10), 0);
    EXPECT_EQ(ini.GetString(L"S", L"k", L"dflt"), L"dflt");
}

}  // namespace
