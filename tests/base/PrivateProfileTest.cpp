#include "platform/base/PrivateProfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace {

using platform::ProfileEntry;
using platform::ProfileGetString;
using platform::ProfileSnapshot;
using platform::ProfileWriteString;
using platform::ProfileWriteStrings;
using platform::TextEncoding;
using testsupport::ReadAll;
using testsupport::TempDir;

constexpr TextEncoding kEveryEncoding[] = {TextEncoding::Utf8,    TextEncoding::Utf8Bom,      TextEncoding::Gbk,
                                           TextEncoding::Utf16LE, TextEncoding::Utf16BE,      TextEncoding::Utf16LENoBom,
                                           TextEncoding::Utf16BENoBom};

std::string Encoded(std::wstring_view text, TextEncoding encoding) {
    std::optional<std::string> bytes = platform::Encode(text, encoding);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or("");
}

TEST(PrivateProfileTest, ReadsByWindowsRules) {
    const std::string file =
        "orphan=before any section\r\n"
        "[General]\r\n"
        "Name=first\r\n"
        "name=second\r\n"
        "  Spaced Key  =   padded value   \r\n"
        "; Commented=yes\r\n"
        "a line without equals\r\n"
        "Empty=\r\n"
        "Equation=a=b\r\n"
        "Quoted=\"in quotes\"\r\n"
        "Single='one'\r\n"
        "Half=\"open\r\n"
        "\r\n"
        "  [ Other ]  \r\n"
        "Name=other\r\n"
        "[general]\r\n"
        "Later=from the second General\r\n"
        "[Last]\n"
        "Tail=no line end";
    struct Case {
        const wchar_t* section;
        const wchar_t* key;
        std::optional<std::wstring> expected;
    };
    const Case cases[] = {
        {L"General", L"Name", L"first"},
        {L"GENERAL", L"NAME", L"first"},
        {L"General", L"Spaced Key", L"padded value"},
        {L"General", L"Commented", std::nullopt},
        {L"General", L"; Commented", std::nullopt},
        {L"General", L"a line without equals", std::nullopt},
        {L"General", L"Empty", L""},
        {L"General", L"Equation", L"a=b"},
        {L"General", L"Quoted", L"in quotes"},
        {L"General", L"Single", L"one"},
        {L"General", L"Half", L"\"open"},
        {L"General", L"Later", std::nullopt},
        {L"General", L"orphan", std::nullopt},
        {L"Other", L"Name", L"other"},
        {L"Last", L"Tail", L"no line end"},
        {L"Missing", L"Name", std::nullopt},
    };
    TempDir dir;
    const auto path = dir.Write("a.ini", file);
    for (const Case& c : cases) {
        EXPECT_EQ(ProfileGetString(path, c.section, c.key), c.expected) << "[" << platform::WideToUtf8(c.section)
                                                                        << "] " << platform::WideToUtf8(c.key);
    }
    EXPECT_EQ(ProfileGetString(dir / "missing.ini", L"General", L"Name"), std::nullopt);
    EXPECT_EQ(ProfileSnapshot().Get(L"General", L"Name"), std::nullopt);
}

TEST(PrivateProfileTest, ReadsTheSameValuesInEveryEncoding) {
    // In GBK the second byte of 乚 is ']' and of 俓 is '\\': names are found in the text, not the bytes.
    const std::wstring text = L"[设备乚]\r\n名称=城南变电站俓\r\nType=K7700\r\n";
    TempDir dir;
    for (TextEncoding encoding : kEveryEncoding) {
        const auto path = dir.Write("enc.ini", Encoded(text, encoding));
        EXPECT_EQ(ProfileGetString(path, L"设备乚", L"名称"), L"城南变电站俓") << static_cast<int>(encoding);
        EXPECT_EQ(ProfileGetString(path, L"设备乚", L"type"), L"K7700") << static_cast<int>(encoding);
    }
}

TEST(PrivateProfileTest, WriteChangesOnlyWhatItMust) {
    struct Case {
        const char* name;
        std::optional<std::string> before;  // nothing: no file
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
        std::string after;
    };
    const Case cases[] = {
        {"replaces the value, keeping spelling and spacing", "[A]\r\nx=1\r\n  Key = old  \r\ny=2\r\n", L"a", L"KEY",
         L"new", "[A]\r\nx=1\r\n  Key = new\r\ny=2\r\n"},
        {"first key of the first section", "[A]\nk=1\nk=2\n[a]\nk=3\n", L"A", L"k", L"9", "[A]\nk=9\nk=2\n[a]\nk=3\n"},
        {"new key after the section's last line", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", L"A", L"z", L"3",
         "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        {"new key in an empty section", "[A]\n[B]\n", L"A", L"z", L"3", "[A]\nz=3\n[B]\n"},
        {"new section at the end", "[A]\r\nx=1\r\n", L"B", L"y", L"2", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        {"last line without terminator", "[A]\nx=1", L"A", L"y", L"2", "[A]\nx=1\ny=2\n"},
        {"new section after an unterminated line", "; only a comment", L"S", L"k", L"v", "; only a comment\n[S]\nk=v\n"},
        {"empty value", "[A]\nx=1\n", L"A", L"x", L"", "[A]\nx=\n"},
        {"new file", std::nullopt, L"Position", L"OpenLocal", L"/data/k7700", "[Position]\nOpenLocal=/data/k7700\n"},
        {"empty file", "", L"A", L"x", L"1", "[A]\nx=1\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto path = c.before ? dir.Write("a.ini", *c.before) : dir / "a.ini";
        ASSERT_TRUE(ProfileWriteString(path, c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(ReadAll(path), c.after) << c.name;
    }
}

TEST(PrivateProfileTest, BatchWritesEveryKeyInOneReplace) {
    struct Case {
        const char* name;
        std::optional<std::string> before;  // nothing: no file
        std::vector<ProfileEntry> entries;
        std::string after;
    };
    const Case cases[] = {
        {"keys of several sections, old and new", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n",
         {{L"B", L"y", L"20"}, {L"A", L"z", L"3"}, {L"C", L"w", L"4"}, {L"C", L"v", L"5"}, {L"a", L"X", L"10"}},
         "[A]\r\nx=10\r\nz=3\r\n\r\n[B]\r\ny=20\r\n[C]\r\nw=4\r\nv=5\r\n"},
        {"a key named twice keeps the later value", "[A]\nx=1\n", {{L"A", L"x", L"2"}, {L"a", L"X", L"3"}},
         "[A]\nx=3\n"},
        {"new file", std::nullopt, {{L"S", L"k", L"v"}, {L"T", L"k", L"w"}}, "[S]\nk=v\n[T]\nk=w\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto path = c.before ? dir.Write("a.ini", *c.before) : dir / "a.ini";
        ASSERT_TRUE(ProfileWriteStrings(path, c.entries)) << c.name;
        EXPECT_EQ(ReadAll(path), c.after) << c.name;
    }

    // A GBK file that cannot hold one of the values becomes UTF-8 with all of them.
    TempDir dir;
    const auto path = dir.Write("gbk.ini", Encoded(L"[用户]\r\n姓名=张工\r\n", TextEncoding::Gbk));
    ASSERT_TRUE(ProfileWriteStrings(path, {{L"用户", L"姓名", L"李工"}, {L"用户", L"备注", L"한국"}}));
    EXPECT_EQ(ReadAll(path), "\xEF\xBB\xBF[用户]\r\n姓名=李工\r\n备注=한국\r\n");
}

TEST(PrivateProfileTest, BatchWithOneRefusedEntryWritesNothing) {
    TempDir dir;
    const std::string before = "[A]\nx=1\n";
    const auto path = dir.Write("a.ini", before);
    EXPECT_FALSE(ProfileWriteStrings(path, {{L"A", L"x", L"2"}, {L"B", L"y", L"two\nlines"}}));
    EXPECT_FALSE(ProfileWriteStrings(path, {{L"A", L"x", L"2"}, {L"B", L"y=z", L"1"}}));
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_TRUE(ProfileWriteStrings(dir / "untouched.ini", {}));
    EXPECT_FALSE(std::filesystem::exists(dir / "untouched.ini"));
}

TEST(PrivateProfileTest, WriteKeepsTheEncoding) {
    const std::wstring before = L"[用户]\r\n姓名=张工\r\n地点=城南\r\n";
    const std::wstring after = L"[用户]\r\n姓名=李工\r\n地点=城南\r\n[新]\r\n键=值\r\n";
    for (TextEncoding encoding : kEveryEncoding) {
        TempDir dir;
        const auto path = dir.Write("a.ini", Encoded(before, encoding));
        ASSERT_TRUE(ProfileWriteString(path, L"用户", L"姓名", L"李工"));
        ASSERT_TRUE(ProfileWriteString(path, L"新", L"键", L"值"));
        EXPECT_EQ(ReadAll(path), Encoded(after, encoding)) << static_cast<int>(encoding);
    }
}

TEST(PrivateProfileTest, GbkFileThatCannotHoldTheValueBecomesUtf8WithBom) {
    TempDir dir;
    const auto path = dir.Write("a.ini", Encoded(L"[用户]\r\n姓名=张工\r\n", TextEncoding::Gbk));
    ASSERT_TRUE(ProfileWriteString(path, L"用户", L"备注", L"한국 \U0001F600"));
    EXPECT_EQ(ReadAll(path), Encoded(L"[用户]\r\n姓名=张工\r\n备注=한국 \U0001F600\r\n", TextEncoding::Utf8Bom));
    EXPECT_EQ(ProfileGetString(path, L"用户", L"姓名"), L"张工");
}

TEST(PrivateProfileTest, UnicodeFileCutInACharacterIsLeftAlone) {
    for (TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf16LENoBom}) {
        TempDir dir;
        const std::string damaged = Encoded(L"[A]\r\nx=1\r\n", encoding) + "y";
        const auto path = dir.Write("a.ini", damaged);
        EXPECT_EQ(ProfileGetString(path, L"A", L"x"), L"1") << static_cast<int>(encoding);
        EXPECT_FALSE(ProfileWriteString(path, L"A", L"z", L"2")) << static_cast<int>(encoding);
        EXPECT_EQ(ReadAll(path), damaged) << static_cast<int>(encoding);
    }
}

// UTF-8 without a mark is told from GBK by its text. A write that would leave text
// reading as GBK (U+070B is the bytes DC 8B, also a GBK character) marks the file as
// UTF-8, so that the key reads back as written. (Found by the INI fuzz target.)
TEST(PrivateProfileTest, Utf8TextThatWouldReadAsGbkIsMarked) {
    struct Case {
        const char* name;
        std::optional<std::string> before;  // absent: no file yet
        ProfileEntry entry;
        std::string after;
    };
    const std::string bom = "\xEF\xBB\xBF";
    const Case cases[] = {
        {"new file, value", std::nullopt, {L"c", L"k", L"\u070B"}, bom + "[c]\nk=\xDC\x8B\n"},
        {"ascii file, key", "x=1\n", {L"c", L"\u070B", L"v"}, bom + "x=1\n[c]\n\xDC\x8B=v\n"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto path = c.before ? dir.Write("a.ini", *c.before) : dir / "a.ini";
        ASSERT_TRUE(ProfileWriteStrings(path, {c.entry})) << c.name;
        EXPECT_EQ(ReadAll(path), c.after) << c.name;
        EXPECT_EQ(ProfileGetString(path, c.entry.section, c.entry.key), c.entry.value) << c.name;
    }
    // Text that reads as UTF-8 without the mark keeps going without one.
    TempDir dir;
    const auto path = dir / "a.ini";
    ASSERT_TRUE(ProfileWriteString(path, L"c", L"k", L"é"));
    EXPECT_EQ(ReadAll(path), "[c]\nk=\xC3\xA9\n");
}

// A terminal's GBK file whose Chinese happens to be valid UTF-8 is read and written
// as the GBK it is.
TEST(PrivateProfileTest, GbkThatLooksLikeUtf8StaysGbk) {
    TempDir dir;
    const auto path = dir.Write("recordset.ini", Encoded(L"[SysInfor]\r\nMode=模式\r\n", TextEncoding::Gbk));
    EXPECT_EQ(ProfileGetString(path, L"SysInfor", L"Mode"), L"模式");
    ASSERT_TRUE(ProfileWriteString(path, L"SysInfor", L"Place", L"城南"));
    EXPECT_EQ(ReadAll(path), Encoded(L"[SysInfor]\r\nMode=模式\r\nPlace=城南\r\n", TextEncoding::Gbk));
}

// A GBK file with a line of another encoding in it: a write GBK can hold keeps that
// line as it is; one that would need the whole file in UTF-8 would change it, and is
// refused with the file left alone.
TEST(PrivateProfileTest, FileMixingEncodingsIsNeverRewrittenWithOtherLinesChanged) {
    const std::string mixed = Encoded(L"[用户]\r\n姓名=张工\r\n", TextEncoding::Gbk) +
                              platform::WideToUtf8(L"备注=变电站\r\n");
    TempDir dir;
    const auto path = dir.Write("a.ini", mixed);
    EXPECT_FALSE(ProfileWriteString(path, L"用户", L"地点", L"한국"));
    EXPECT_EQ(ReadAll(path), mixed);
    ASSERT_TRUE(ProfileWriteString(path, L"用户", L"姓名", L"李工"));
    EXPECT_EQ(ReadAll(path), Encoded(L"[用户]\r\n姓名=李工\r\n", TextEncoding::Gbk) +
                                 platform::WideToUtf8(L"备注=变电站\r\n"));
}

// Text without a mark that is valid UTF-8 through two-byte sequences alone reads
// whole as GBK too; the reading that makes sense wins. Terminals' Chinese in GBK
// stays GBK; UTF-8 letters of one script stay UTF-8.
TEST(PrivateProfileTest, ReadsUtf8AndGbkBySense) {
    struct Case {
        const char* name;
        std::string file;
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* expected;
    };
    const auto utf8 = [](std::wstring_view text) { return platform::WideToUtf8(text); };
    const auto gbk = [](std::wstring_view text) { return Encoded(text, TextEncoding::Gbk); };
    const std::string bom = "\xEF\xBB\xBF";
    const Case cases[] = {
        // Chinese in GBK, among it text whose bytes are valid UTF-8 ("ģʽ", "·ģ", "лл").
        {"gbk station", gbk(L"[SysInfor]\r\n名称=城南变电站\r\n"), L"SysInfor", L"名称", L"城南变电站"},
        {"gbk that is valid utf-8", gbk(L"[SysInfor]\r\nMode=模式\r\n"), L"SysInfor", L"Mode", L"模式"},
        {"gbk that is valid utf-8, latin-1 and more", gbk(L"[S]\nx=路模\n"), L"S", L"x", L"路模"},
        {"gbk that is valid utf-8 as cyrillic", gbk(L"[S]\nx=谢谢\n"), L"S", L"x", L"谢谢"},
        {"gbk and a utf-8 line", gbk(L"[用户]\r\n姓名=张工\r\n") + utf8(L"备注=变电站\r\n"), L"用户", L"姓名",
         L"张工"},
        // UTF-8.
        {"utf-8 latin-1", utf8(L"[P]\nPath=/home/andré/données 25°C\n"), L"P", L"Path", L"/home/andré/données 25°C"},
        {"utf-8 two- and three-byte", utf8(L"[S]\nx=ģʽ 电压\n"), L"S", L"x", L"ģʽ 电压"},
        {"utf-8 cyrillic", utf8(L"[S]\nplace=Москва\n"), L"S", L"place", L"Москва"},
        {"utf-8 greek", utf8(L"[S]\nplace=Αθήνα\n"), L"S", L"place", L"Αθήνα"},
        {"utf-8 polish", utf8(L"[S]\nplace=Łóź\n"), L"S", L"place", L"Łóź"},
        {"utf-8 cyrillic section", utf8(L"[Б]\nk=1\n"), L"Б", L"k", L"1"},
        {"utf-8 cyrillic within gb2312", utf8(L"[S]\nwater=вода\nlemon=лимон\n"), L"S", L"lemon", L"лимон"},
        {"utf-8 arabic", utf8(L"[S]\nx=مرحبا\n"), L"S", L"x", L"مرحبا"},
        {"utf-8 russian and greek lines", utf8(L"[S]\na=Москва\nb=Αθήνα\n"), L"S", L"b", L"Αθήνα"},
        // Marks decide before any sense.
        {"utf-8 mark, cyrillic", bom + utf8(L"[S]\nk=Иван\n"), L"S", L"k", L"Иван"},
        {"utf-8 mark, syriac", bom + "[c]\nk=\xDC\x8B\n", L"c", L"k", L"\u070B"},
        {"utf-16 mark", Encoded(L"[S]\nk=Москва\n", TextEncoding::Utf16LE), L"S", L"k", L"Москва"},
        {"utf-16 big endian, no mark", Encoded(L"[S]\nk=模式\n", TextEncoding::Utf16BENoBom), L"S", L"k", L"模式"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const auto path = dir.Write("sense.ini", c.file);
        EXPECT_EQ(ProfileGetString(path, c.section, c.key), std::wstring(c.expected)) << c.name;
    }
}

// New text in a file goes in the file's encoding, and only where that encoding is
// known: where the file reads as either (or the change would make it read as the
// other), the write is refused and the file left as it was.
TEST(PrivateProfileTest, AWriteNeverMixesEncodings) {
    struct Case {
        const char* name;
        std::string before;
        ProfileEntry entry;
        std::optional<std::string> after;  // nothing: refused, the file unchanged
    };
    const auto utf8 = [](std::wstring_view text) { return platform::WideToUtf8(text); };
    const auto gbk = [](std::wstring_view text) { return Encoded(text, TextEncoding::Gbk); };
    const Case cases[] = {
        {"cyrillic into utf-8 cyrillic", utf8(L"[S]\nplace=Москва\n"), {L"S", L"name", L"Иван"},
         utf8(L"[S]\nplace=Москва\nname=Иван\n")},
        {"chinese into gbk that is valid utf-8", gbk(L"[S]\r\nMode=模式\r\n"), {L"S", L"Place", L"城南"},
         gbk(L"[S]\r\nMode=模式\r\nPlace=城南\r\n")},
        {"ascii into a file in doubt", gbk(L"[S]\nx=路模\n"), {L"S", L"y", L"1"}, gbk(L"[S]\nx=路模\ny=1\n")},
        {"chinese into a file in doubt", gbk(L"[S]\nx=路模\n"), {L"S", L"y", L"城南"}, std::nullopt},
        {"cyrillic into a file in doubt", gbk(L"[S]\nx=谢谢\n"), {L"S", L"name", L"Иван"}, std::nullopt},
        {"a gbk value that would read as cyrillic", gbk(L"[S]\r\nMode=模式\r\n"), {L"S", L"Mode", L"袦芯"},
         std::nullopt},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto path = dir.Write("a.ini", c.before);
        EXPECT_EQ(ProfileWriteStrings(path, {c.entry}), c.after.has_value()) << c.name;
        EXPECT_EQ(ReadAll(path), c.after.value_or(c.before)) << c.name;
        if (c.after) {
            EXPECT_EQ(ProfileGetString(path, c.entry.section, c.entry.key), c.entry.value) << c.name;
        }
    }
}

TEST(PrivateProfileTest, RefusesWhatTheFormatCannotCarry) {
    using namespace std::string_view_literals;
    struct Case {
        std::wstring_view section;
        std::wstring_view key;
        std::wstring_view value;
    };
    // A NUL character: its zero bytes would make the file read as UTF-16.
    const Case cases[] = {
        {L"A", L"x", L"two\nlines"}, {L"A", L"x", L"cr\r"},    {L"A", L"x=y", L"1"}, {L"A]", L"x", L"1"},
        {L"A\nB", L"x", L"1"},       {L"A", L"", L"1"},        {L"A", L"  ", L"1"},  {L"A", L"[x", L"1"},
        {L"A", L";x", L"1"},         {L"A", L"x", L"\xE6\0"sv}, {L"A", L"x\0"sv, L"1"}, {L"A\0"sv, L"x", L"1"},
    };
    TempDir dir;
    const std::string before = "[A]\nx=1\n";
    const auto path = dir.Write("a.ini", before);
    for (const Case& c : cases) {
        EXPECT_FALSE(ProfileWriteString(path, c.section, c.key, c.value))
            << platform::WideToUtf8(c.section) << "/" << platform::WideToUtf8(c.key);
        EXPECT_FALSE(ProfileWriteString(dir / "new.ini", c.section, c.key, c.value))
            << platform::WideToUtf8(c.section) << "/" << platform::WideToUtf8(c.key);
    }
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "new.ini"));
    EXPECT_FALSE(ProfileWriteString(dir / "no-such-folder/a.ini", L"A", L"x", L"1"));
}

// Only a file's first bytes are its byte order mark: a line that starts with one
// more holds the character U+FEFF before its text, for the writer as for the reader,
// so a key written reads back.
TEST(PrivateProfileTest, AMarkStartingALineIsTextToTheWriterToo) {
    struct Case {
        const char* name;
        std::string file;
        const wchar_t* section;
    };
    const std::string mark = "\xEF\xBB\xBF";
    const Case cases[] = {
        {"two marks, then a section without its bracket", mark + mark + "[", L""},
        {"a marked section inside the file", "[A]\nk=1\n" + mark + "[B]\nk=1\n", L"B"},
        {"UTF-16", Encoded(L"[A]\nk=1\n", TextEncoding::Utf16LE) + Encoded(L"[B]\nk=1\n", TextEncoding::Utf16LE),
         L"B"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto path = dir.Write("a.ini", c.file);
        ASSERT_TRUE(ProfileWriteString(path, c.section, L"k", L"2")) << c.name;
        EXPECT_EQ(ProfileGetString(path, c.section, L"k"), L"2") << c.name;
        if (*c.section != L'\0') {
            EXPECT_EQ(ProfileGetString(path, L"A", L"k"), L"1") << c.name << ": another section's key";
        }
    }
}

TEST(PrivateProfileTest, WritersOfOneFileNeverLoseEachOthersKeys) {
    TempDir dir;
    const auto path = dir / "shared.ini";
    constexpr int kThreads = 8;
    constexpr int kKeys = 10;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int k = 0; k < kKeys; ++k) {
                ProfileWriteString(path, L"S", L"k" + std::to_wstring(t) + L"_" + std::to_wstring(k), L"v");
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int t = 0; t < kThreads; ++t) {
        for (int k = 0; k < kKeys; ++k) {
            EXPECT_EQ(ProfileGetString(path, L"S", L"k" + std::to_wstring(t) + L"_" + std::to_wstring(k)), L"v")
                << t << "/" << k;
        }
    }
}

}  // namespace
