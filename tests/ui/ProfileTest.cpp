// The registry profile lives in the user's configuration folder and survives
// between runs; the recent-file list keeps the newest first, once each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/base/Encoding.h"
#include "platform/ui/Profile.h"
#include "tests/support/TempDir.h"

namespace {

// Points the configuration folder variables at a temporary folder for one test.
class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        Keep("XDG_CONFIG_HOME", m_config);
        Keep("HOME", m_home);
        setenv("XDG_CONFIG_HOME", platform::PathToUtf8(m_dir.Path() / "config").c_str(), 1);
        setenv("HOME", platform::PathToUtf8(m_dir.Path() / "home").c_str(), 1);
    }
    void TearDown() override {
        Restore("XDG_CONFIG_HOME", m_config);
        Restore("HOME", m_home);
    }
    static void Keep(const char* name, std::optional<std::string>& slot) {
        if (const char* value = std::getenv(name)) {
            slot = value;
        }
    }
    static void Restore(const char* name, const std::optional<std::string>& slot) {
        if (slot) {
            setenv(name, slot->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    testsupport::TempDir m_dir;
    std::optional<std::string> m_config;
    std::optional<std::string> m_home;
};

TEST_F(ProfileTest, FileIsInTheConfigurationFolderOrBelowHome) {
    EXPECT_EQ(ui::ProfileFile(), m_dir.Path() / "config" / "ondrava" / "profile.ini");
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(ui::ProfileFile(), m_dir.Path() / "home" / ".config" / "ondrava" / "profile.ini");
    setenv("XDG_CONFIG_HOME", "relative/is/ignored", 1);
    EXPECT_EQ(ui::ProfileFile(), m_dir.Path() / "home" / ".config" / "ondrava" / "profile.ini");
}

TEST_F(ProfileTest, ThemeSettingSurvivesAndBadValuesGiveTheDefault) {
    EXPECT_EQ(ui::GetProfileInt(L"Setting", L"ZVViewThemeStyle", 32798), 32798);
    ASSERT_TRUE(ui::WriteProfileInt(L"Setting", L"ZVViewThemeStyle", 32801));
    EXPECT_EQ(ui::GetProfileInt(L"setting", L"zvviewthemestyle", 32798), 32801);
    EXPECT_EQ(testsupport::ReadAll(ui::ProfileFile()), "[Setting]\nZVViewThemeStyle=32801\n");
    for (const wchar_t* bad : {L"", L"12abc", L"abc", L"99999999999"}) {
        ASSERT_TRUE(ui::WriteProfileString(L"Setting", L"ZVViewThemeStyle", bad));
        EXPECT_EQ(ui::GetProfileInt(L"Setting", L"ZVViewThemeStyle", 32798), 32798)
            << platform::WideToUtf8(bad);
    }
    EXPECT_EQ(ui::GetProfileString(L"Setting", L"Missing", L"无"), L"无");
}

TEST_F(ProfileTest, RecentFilesKeepNewestFirstOnceEachUpToTheCapacity) {
    ui::RecentFileList recent(4);
    for (const wchar_t* file : {L"/a", L"/b", L"/数据/c", L"/d", L"/b", L"/e"}) {
        recent.Add(file);
    }
    const std::vector<std::wstring> expected{L"/e", L"/b", L"/d", L"/数据/c"};
    EXPECT_EQ(recent.Files(), expected);
    ASSERT_TRUE(recent.Save());

    ui::RecentFileList loaded(4);
    loaded.Load();
    EXPECT_EQ(loaded.Files(), expected);
    loaded.Remove(0);
    loaded.Remove(9);
    ASSERT_TRUE(loaded.Save());
    ui::RecentFileList again(4);
    again.Load();
    EXPECT_EQ(again.Files(), (std::vector<std::wstring>{L"/b", L"/d", L"/数据/c"}));
}

}  // namespace
