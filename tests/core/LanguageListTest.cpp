#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/LanguageInfo.h"
#include "core/ZVLanguageList.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "tests/support/TempDir.h"

namespace {

const char* const kList = R"(<?xml version="1.0" encoding="utf-8"?>
<Languages selectedId="1" keep="yes">
  <Language Id="0" name="简体中文" dirName="Chinese" usPrimaryLanguage="4" usSubLanguage="2" switchTip="a\nb"/>
  <Language Id="1" name="English" dirName="English" usPrimaryLanguage="9" usSubLanguage="1" switchTip="Done\nRestart?"/>
  <Language Id="1" name="Second English" dirName="English2" usPrimaryLanguage="9" usSubLanguage="2"/>
  <Other Id="2"/>
  <Language Id="7" name="Broken" dirName="B" usPrimaryLanguage="x" usSubLanguage="1"/>
  <Language Id="8" dirName="Bare" usPrimaryLanguage="+7" usSubLanguage="0"/>
</Languages>
)";

class LanguageListTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::remove_all(platform::ProgramFolder() / "Language");
        std::filesystem::create_directories(platform::ProgramFolder() / "Language");
    }
    void WriteList(std::string_view xml) {
        std::FILE* file = std::fopen(CZVLanguageList::ListFile().c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(xml.data(), 1, xml.size(), file);
        std::fclose(file);
    }
    static void ExpectDefaults(const CLanguageInfo& info, const std::string& label) {
        EXPECT_EQ(info.id, 0) << label;
        EXPECT_EQ(info.name, L"简体中文") << label;
        EXPECT_EQ(info.dirName, L"Chinese") << label;
        EXPECT_EQ(info.usPrimaryLanguage, 4) << label;
        EXPECT_EQ(info.usSubLanguage, 2) << label;
        EXPECT_EQ(info.LangId(), 0x0804) << label;
        EXPECT_EQ(info.switchTip, L"切换软件语言成功，重启软件生效!\n重启请点击‘确定’") << label;
    }
};

TEST_F(LanguageListTest, UnusableListGivesTheDefaults) {
    struct Case {
        const char* label;
        const char* xml;  // null: no file
        int wanted;
    };
    const Case cases[] = {
        {"missing file", nullptr, -1},
        {"empty file", "", -1},
        {"broken file", "<Languages selectedId=\"1\"><Language Id=\"1\" dirName=\"English\">", -1},
        {"other root", "<Langs selectedId=\"1\"><Language Id=\"1\" dirName=\"English\"/></Langs>", -1},
        {"selected id names no entry", kList, 5},
        {"leading zero", kList, -2},
        {"non-numeric language id", kList, 7},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(CZVLanguageList::ListFile());
        if (c.xml != nullptr) {
            std::string xml = c.xml;
            if (c.wanted == -2) {
                xml.replace(xml.find("selectedId=\"1\""), 14, "selectedId=\"01\"");
            }
            WriteList(xml);
        }
        CLanguageInfo info;
        info.dirName = L"stale";
        EXPECT_FALSE(CZVLanguageList::Load(info, c.wanted < -1 ? -1 : c.wanted)) << c.label;
        ExpectDefaults(info, c.label);
        if (c.wanted < 0) {
            EXPECT_EQ(CZVLanguageList::GetLanguageDir(),
                      platform::FromPath(platform::ProgramFolder()) + L"/Language/Chinese/")
                << c.label;
        }
    }
}

TEST_F(LanguageListTest, LoadsTheWantedEntry) {
    WriteList(kList);
    struct Case {
        int wanted;
        int id;
        const wchar_t* name;
        const wchar_t* dirName;
        std::uint16_t primary;
        std::uint16_t sub;
        const wchar_t* switchTip;
    };
    const Case cases[] = {
        {-1, 1, L"English", L"English", 9, 1, L"Done\\nRestart?"},  // the first entry with the id wins
        {0, 0, L"简体中文", L"Chinese", 4, 2, L"a\\nb"},
        {8, 8, L"", L"Bare", 7, 0, L""},  // missing attributes give empty strings
    };
    for (const Case& c : cases) {
        CLanguageInfo info;
        EXPECT_TRUE(CZVLanguageList::Load(info, c.wanted)) << c.wanted;
        EXPECT_EQ(info.id, c.id) << c.wanted;
        EXPECT_EQ(info.name, c.name) << c.wanted;
        EXPECT_EQ(info.dirName, c.dirName) << c.wanted;
        EXPECT_EQ(info.usPrimaryLanguage, c.primary) << c.wanted;
        EXPECT_EQ(info.usSubLanguage, c.sub) << c.wanted;
        EXPECT_EQ(info.switchTip, c.switchTip) << c.wanted;
    }
    EXPECT_EQ(CZVLanguageList::GetLanguageDir(), platform::FromPath(platform::ProgramFolder()) + L"/Language/English/");
}

TEST_F(LanguageListTest, SplitText) {
    struct Case {
        const wchar_t* text;
        const wchar_t* left;
        const wchar_t* right;
    };
    const Case cases[] = {
        {L"abc\ndef", L"abc", L"def"},
        {L"abc\\ndef", L"abc", L"def"},
        {L"\nabc", L"", L""},
        {L"\\nabc", L"", L""},
        {L"no separator", L"", L""},
        {L"a\\nb\nc", L"a\\nb", L"c"},  // a newline is looked for first
        {L"abc\n", L"abc", L""},
        {L"abc\\", L"abc", L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CZVLanguageList::SplitText(c.text, true), c.left) << c.text;
        EXPECT_EQ(CZVLanguageList::SplitText(c.text, false), c.right) << c.text;
    }
}

TEST_F(LanguageListTest, ChoicesForTheDialog) {
    WriteList(kList);
    LanguageChoices choices;
    ASSERT_TRUE(CZVLanguageList::ReadChoices(choices));
    ASSERT_EQ(choices.items.size(), 5u);  // "Other" is not a language
    EXPECT_EQ(choices.items[0].name, L"简体中文");
    EXPECT_EQ(choices.items[4].id, 8);
    EXPECT_EQ(choices.selected, 1);  // the first of the two entries with id 1

    // A number that does not read makes the list unusable: the dialog stays empty.
    const char* const unusable[] = {
        R"(<Languages selectedId="x"><Language Id="1" name="a"/></Languages>)",
        R"(<Languages selectedId="1"><Language Id="one" name="a"/></Languages>)",
        R"(<Languages selectedId="1"><Language Id="99999999999" name="a"/></Languages>)",
    };
    for (const char* xml : unusable) {
        WriteList(xml);
        EXPECT_FALSE(CZVLanguageList::ReadChoices(choices)) << xml;
        EXPECT_TRUE(choices.items.empty()) << xml;
    }
}

TEST_F(LanguageListTest, SavingASelectionChangesOnlySelectedId) {
    const std::string list = R"(<Languages selectedId="0" keep="yes">
  <Language Id="0" name="简体中文" dirName="Chinese"/>
  <Extra a='1'/>
  <Language Id="3" name="English" dirName="English" usPrimaryLanguage="9" usSubLanguage="1"/>
  <Language Id="3" name="Again" dirName="Again"/>
</Languages>)";
    WriteList(list);
    LanguageChoices choices;
    ASSERT_TRUE(CZVLanguageList::ReadChoices(choices));
    ASSERT_EQ(choices.items.size(), 3u);
    EXPECT_EQ(choices.items[1].name, L"English");
    EXPECT_EQ(choices.selected, 0);

    ASSERT_TRUE(CZVLanguageList::SaveSelectedId(3));
    std::string expected = list;
    expected.replace(expected.find("selectedId=\"0\""), 14, "selectedId=\"3\"");
    EXPECT_EQ(testsupport::ReadAll(CZVLanguageList::ListFile()), expected);

    // The next read sees the saved selection; the first of two equal ids is selected.
    ASSERT_TRUE(CZVLanguageList::ReadChoices(choices));
    EXPECT_EQ(choices.selected, 1);
    CLanguageInfo info;
    EXPECT_TRUE(CZVLanguageList::Load(info, -1));
    EXPECT_EQ(info.dirName, L"English");

    // A selection naming no entry: nothing is selected.
    ASSERT_TRUE(CZVLanguageList::SaveSelectedId(9));
    ASSERT_TRUE(CZVLanguageList::ReadChoices(choices));
    EXPECT_EQ(choices.selected, -1);

    std::filesystem::remove(CZVLanguageList::ListFile());
    EXPECT_FALSE(CZVLanguageList::SaveSelectedId(3));
    EXPECT_FALSE(std::filesystem::exists(CZVLanguageList::ListFile()));
    EXPECT_FALSE(CZVLanguageList::ReadChoices(choices));
    EXPECT_TRUE(choices.items.empty());
}

TEST_F(LanguageListTest, ShippedListSelectsChineseAndOffersEnglish) {
    std::filesystem::copy_file(platform::ToPath(std::string(ONDRAVA_SOURCE_DIR) + "/resources/Language/Language.xml"),
                               CZVLanguageList::ListFile());
    CLanguageInfo info;
    ASSERT_TRUE(CZVLanguageList::Load(info, -1));
    EXPECT_EQ(info.dirName, L"Chinese");
    EXPECT_EQ(info.LangId(), 0x0804);
    EXPECT_EQ(CZVLanguageList::SplitText(info.switchTip, true), L"切换软件语言成功，重启软件生效!");
    EXPECT_EQ(CZVLanguageList::SplitText(info.switchTip, false), L"重启请点击‘确定’");

    LanguageChoices choices;
    ASSERT_TRUE(CZVLanguageList::ReadChoices(choices));
    ASSERT_EQ(choices.items.size(), 2u);
    EXPECT_EQ(choices.selected, 0);
    ASSERT_TRUE(CZVLanguageList::Load(info, choices.items[1].id));
    EXPECT_EQ(info.dirName, L"English");
    EXPECT_EQ(info.LangId(), 0x0409);
}

}  // namespace
