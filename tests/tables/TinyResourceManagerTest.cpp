#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "lib/tinyres/TinyResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace {

const CTinyResourceManager::StringTable kBuiltins = {
    {2000, L"日期"}, {2001, L"日期(年-月-日 时:分:秒.毫秒)"}, {2002, L"日期(年-月-日 时:分:秒.毫秒.微秒)"}};

// Points the program folder at a fresh temporary folder for the test and back after.
class TinyResourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* previous = std::getenv(platform::kProgramFolderVariable)) {
            m_previous = previous;
        }
        ::setenv(platform::kProgramFolderVariable, platform::PathToUtf8(m_folder.Path()).c_str(), 1);
    }
    void TearDown() override {
        if (m_previous) {
            ::setenv(platform::kProgramFolderVariable, m_previous->c_str(), 1);
        } else {
            ::unsetenv(platform::kProgramFolderVariable);
        }
    }

    testsupport::TempDir m_folder;
    std::optional<std::string> m_previous;
};

TEST_F(TinyResourceManagerTest, LanguageListSelectsTheEntryWhoseIdTextMatches) {
    const std::string entries =
        R"(<Language Id="1" name="English" dirName="English" usPrimaryLanguage="9" usSubLanguage="1"/>)"
        R"(<Language Id="2" name="Deutsch" dirName="German" usPrimaryLanguage="7" usSubLanguage="1"/>)"
        R"(<Language Id="2" name="Second" dirName="Second" usPrimaryLanguage="8" usSubLanguage="1"/>)";
    struct Case {
        const char* name;
        std::optional<std::string> list;  // none: no list file
        int id;
        const wchar_t* language;
        const wchar_t* dirName;
        std::uint32_t localeId;
    };
    const Case cases[] = {
        {"no list", std::nullopt, 0, L"简体中文", L"Chinese", 0x0804},
        {"second entry", R"(<Languages selectedId="2">)" + entries + "</Languages>", 2, L"Deutsch", L"German", 0x0407},
        {"leading zero selects none", R"(<Languages selectedId="02">)" + entries + "</Languages>", 0, L"简体中文",
         L"Chinese", 0x0804},
        {"no selectedId", "<Languages>" + entries + "</Languages>", 0, L"简体中文", L"Chinese", 0x0804},
        {"other root", R"(<List selectedId="1">)" + entries + "</List>", 0, L"简体中文", L"Chinese", 0x0804},
        {"not well formed", R"(<Languages selectedId="1">)" + entries, 0, L"简体中文", L"Chinese", 0x0804},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(m_folder / "Language");
        if (c.list) {
            m_folder.Write("Language/Language.xml", *c.list);
        }
        const CTinyResourceManager texts(kBuiltins);
        EXPECT_EQ(texts.GetLanguageId(), c.id) << c.name;
        EXPECT_EQ(texts.GetLanguageName(), c.language) << c.name;
        EXPECT_EQ(texts.GetDirName(), c.dirName) << c.name;
        EXPECT_EQ(texts.GetLocaleId(), c.localeId) << c.name;
        EXPECT_EQ(texts.GetLanguageDir(), m_folder / "Language" / platform::WideToUtf8(c.dirName)) << c.name;
    }
}

TEST_F(TinyResourceManagerTest, LoadStringsReplacesTheTableAndFallsBackToBuiltins) {
    const std::string only2001 = R"(<?xml version="1.0" encoding="UTF-8"?><resource>)"
                                 R"x(<string id="2001" value="Date(ms)"/></resource>)x";
    struct Case {
        const char* name;
        const char* file;
        std::string content;
        std::uint32_t id;
        const wchar_t* text;
        int missing;
    };
    const Case cases[] = {
        {"only 2001: 2001 replaced", "a.xml", only2001, 2001, L"Date(ms)", 0},
        {"only 2001: 2000 built in", "a.xml", only2001, 2000, L"日期", 0},
        {"only 2001: 2002 built in", "a.xml", only2001, 2002, L"日期(年-月-日 时:分:秒.毫秒.微秒)", 0},
        {"upper-case extension", "a.XML", only2001, 2001, L"Date(ms)", 0},
        {"other extension ignored", "a.txt", only2001, 2001, L"日期(年-月-日 时:分:秒.毫秒)", 0},
        {"id 0 skipped", "a.xml", R"(<resource><string id="0" value="x"/></resource>)", 0, L"", 1},
        {"missing id skipped", "a.xml", R"(<resource><string value="x"/><string id="5" value="y"/></resource>)", 5,
         L"y", 0},
        {"later duplicate wins", "a.xml",
         R"(<resource><string id="7" value="first"/><string id="7" value="second"/></resource>)", 7, L"second", 0},
        {"entities decoded", "a.xml", R"(<resource><string id="7" value="&lt;a&amp;b&gt; &#65;"/></resource>)", 7,
         L"<a&b> A", 0},
        {"other root", "a.xml", R"(<strings><string id="7" value="x"/></strings>)", 7, L"", 1},
        {"not well formed", "a.xml", R"(<resource><string id="7" value="x"></resource>)", 7, L"", 1},
        {"unknown id", "a.xml", only2001, 9999, L"", 1},
    };
    for (const Case& c : cases) {
        CTinyResourceManager texts(kBuiltins);
        texts.LoadStrings(m_folder.Write(c.file, c.content));
        int missing = -1;
        EXPECT_EQ(texts.GetString(c.id, &missing), c.text) << c.name;
        EXPECT_EQ(missing, c.missing) << c.name;
        std::wstring loaded = L"old";
        EXPECT_EQ(texts.LoadString(loaded, c.id), c.missing == 0) << c.name;
        EXPECT_EQ(loaded, c.text) << c.name;
    }
}

TEST_F(TinyResourceManagerTest, LoadingAMissingFileEmptiesTheTable) {
    CTinyResourceManager texts({});
    texts.LoadStrings(m_folder.Write("a.xml", R"(<resource><string id="7" value="x"/></resource>)"));
    ASSERT_EQ(texts.GetString(7), L"x");
    texts.LoadStrings(m_folder / "missing.xml");
    EXPECT_EQ(texts.GetString(7), L"");
}

TEST(TinyResourceManagerSplitTipTest, SplitsAtLineFeedOrBackslash) {
    struct Case {
        const wchar_t* text;
        const wchar_t* first;
        const wchar_t* second;
    };
    const Case cases[] = {
        {L"abc\ndef", L"abc", L"def"},
        {L"abc\\ndef", L"abc", L"def"},
        {L"a\\b\ncd", L"a\\b", L"cd"},  // a line feed wins over an earlier backslash
        {L"\nabc", L"", L""},
        {L"abc", L"", L""},
        {L"abc\n", L"abc", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CTinyResourceManager::SplitTip(c.text, true), c.first) << platform::WideToUtf8(c.text);
        EXPECT_EQ(CTinyResourceManager::SplitTip(c.text, false), c.second) << platform::WideToUtf8(c.text);
    }
}

// The language files delivered with the program define the three table texts; the
// Chinese one repeats the library's built-in texts.
TEST(TabulistLanguageFilesTest, ShippedFilesDefineTheTableTexts) {
    const std::filesystem::path languages = std::filesystem::path(ONDRAVA_SOURCE_DIR) / "resources" / "Language";
    for (const char* language : {"Chinese", "English"}) {
        CTinyResourceManager texts({});
        texts.LoadStrings(languages / language / "Tabulist.xml");
        for (std::uint32_t id : {2000u, 2001u, 2002u}) {
            int missing = -1;
            const std::wstring text = texts.GetString(id, &missing);
            EXPECT_EQ(missing, 0) << language << " " << id;
            if (std::string(language) == "Chinese") {
                EXPECT_EQ(text, kBuiltins.at(id)) << id;
            }
        }
    }
}

}  // namespace
