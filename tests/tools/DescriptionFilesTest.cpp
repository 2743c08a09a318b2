#include "tools/gen/DescriptionFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace {

using platform::TextEncoding;
using testsupport::ReadAll;
using testsupport::TempDir;

struct Format {
    const char* name;
    gen::FileFormat format;
};

const Format kFormats[] = {
    {"GBK CRLF", {TextEncoding::Gbk, gen::LineEnd::CrLf}},
    {"UTF-8 LF", {TextEncoding::Utf8, gen::LineEnd::Lf}},
    {"UTF-8 BOM CRLF", {TextEncoding::Utf8Bom, gen::LineEnd::CrLf}},
    {"UTF-16LE CRLF", {TextEncoding::Utf16LE, gen::LineEnd::CrLf}},
};

std::wstring Wide(const std::filesystem::path& path) { return platform::FromPath(path); }

gen::DescriptionFiles Sample() {
    gen::DescriptionFiles files;
    files.recordInfo.start = {2025, 12, 31, 23, 59, 58, 250};
    files.recordInfo.userName = L"王工程师";
    files.statistic.blockSize = 4 * 1000;
    files.statistic.blockCount = 1440;
    files.statistic.items = {1, 7, 8, 25, 26, 27, 1000};
    return files;
}

TEST(DescriptionFilesTest, CIniReadsTheSameValuesFromEveryEncoding) {
    struct Key {
        const char* file;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* expected;
    };
    const Key keys[] = {
        {gen::kRecordInfoFile, L"cfg", L"StartTimeYear", L"2025"},
        {gen::kRecordInfoFile, L"cfg", L"starttimemillisecond", L"250"},
        {gen::kRecordInfoFile, L"CFG", L"UserName", L"王工程师"},
        {gen::kRecordInfoFile, L"cfg", L"Place", L"城南110kV变电站 1号主变"},
        {gen::kRecordInfoFile, L"cfg", L"DeviceType", L"K7700"},
        {gen::kRecordInfoFile, L"cfg", L"SoftWareVersion", L"V1.2.4"},
        {gen::kRecordSetFile, L"WireConnectType", L"Category", L"4"},
        {gen::kRecordSetFile, L"SysInfor", L"PT1", L"100.000"},
        {gen::kRecordSetFile, L"SysInfor", L"CT", L"600A/5A"},
        {gen::kRecordSetFile, L"SysInfor", L"BWL", L"4"},
        {"Statistic/statistic.cfg", L"cfg", L"BlockSize", L"4000"},
        {"Statistic/statistic.cfg", L"cfg", L"Item", L"1,7,8,25,26,27,1000"},
        {"Statistic/statistic.cfg", L"cfg", L"BlockTypeCount", L"3"},
    };
    for (const Format& f : kFormats) {
        TempDir dir;
        ASSERT_TRUE(gen::WriteDescriptionFiles(dir.Path(), Sample(), f.format)) << f.name;
        for (const Key& k : keys) {
            EXPECT_EQ(CIni(Wide(dir / k.file)).GetString(k.section, k.key, L"<absent>"), k.expected)
                << f.name << ": " << k.file << " " << platform::WideToUtf8(k.key);
        }
        EXPECT_EQ(CIni(Wide(gen::RecordInfoPath(dir.Path()))).GetUInt(L"cfg", L"StartTimeMonth", 0), 12u) << f.name;
        EXPECT_DOUBLE_EQ(CIni(Wide(gen::RecordSetPath(dir.Path()))).GetDouble(L"SysInfor", L"U", 0.0), 57.74)
            << f.name;
        EXPECT_EQ(CIni(Wide(gen::StatisticCfgPath(dir.Path()))).GetUInt(L"data_convert", L"pre_convert", 0), 0u)
            << f.name;
    }
}

TEST(DescriptionFilesTest, WritingOneKeyChangesOnlyThatLineAndKeepsTheEncoding) {
    for (const Format& f : kFormats) {
        TempDir dir;
        gen::DescriptionFiles files = Sample();
        ASSERT_TRUE(gen::WriteDescriptionFiles(dir.Path(), files, f.format)) << f.name;

        // What the converter does after converting: a new section at the end.
        CIni statistic(Wide(gen::StatisticCfgPath(dir.Path())));
        ASSERT_NE(statistic.WriteInt(L"data_convert", L"pre_convert", 1, 10), 0) << f.name;
        files.statistic.preConvert = 1;
        EXPECT_EQ(ReadAll(gen::StatisticCfgPath(dir.Path())), gen::StatisticCfgDocument(files.statistic).Bytes(f.format))
            << f.name;

        // A key in the middle of the file, with a name spelled in another case.
        CIni recordInfo(Wide(gen::RecordInfoPath(dir.Path())));
        ASSERT_NE(recordInfo.WriteString(L"cfg", L"username", L"李工"), 0) << f.name;
        files.recordInfo.userName = L"李工";
        EXPECT_EQ(ReadAll(gen::RecordInfoPath(dir.Path())), gen::RecordInfoDocument(files.recordInfo).Bytes(f.format))
            << f.name;
    }
}

TEST(DescriptionFilesTest, DocumentsCanLoseAndGainKeys) {
    gen::IniDocument document = gen::RecordInfoDocument({});
    EXPECT_TRUE(document.Remove(L"cfg", L"StartTimeMilliSecond"));
    EXPECT_FALSE(document.Remove(L"cfg", L"StartTimeMilliSecond"));
    document.Set(L"cfg", L"DeviceType", L"K7900").SetInt(L"extra", L"n", -3);
    EXPECT_EQ(document.Get(L"cfg", L"StartTimeMilliSecond"), std::nullopt);
    EXPECT_EQ(document.Get(L"cfg", L"DeviceType"), L"K7900");

    TempDir dir;
    ASSERT_TRUE(document.Write(dir / "sub/recordinfo.cfg", {}));
    CIni ini(Wide(dir / "sub/recordinfo.cfg"));
    EXPECT_EQ(ini.GetUInt(L"cfg", L"StartTimeMilliSecond", 0xFFFFFFFFu), 0xFFFFFFFFu);
    EXPECT_EQ(ini.GetString(L"cfg", L"DeviceType"), L"K7900");
    EXPECT_EQ(ini.GetString(L"extra", L"n"), L"-3");
}

TEST(DescriptionFilesTest, GbkThatCannotHoldATextIsRefusedNotMangled) {
    gen::DescriptionFiles files;
    files.recordInfo.place = L"\U0001F600";
    TempDir dir;
    EXPECT_FALSE(gen::WriteDescriptionFiles(dir.Path(), files, {TextEncoding::Gbk, gen::LineEnd::CrLf}));
    EXPECT_FALSE(std::filesystem::exists(gen::RecordInfoPath(dir.Path())));
    EXPECT_TRUE(gen::WriteDescriptionFiles(dir.Path(), files, {TextEncoding::Utf16LE, gen::LineEnd::CrLf}));
}

}  // namespace
