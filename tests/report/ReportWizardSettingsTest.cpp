#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ReportTestSupport.h"
#include "core/Ini.h"
#include "core/ProgramPaths.h"
#include "platform/base/Encoding.h"
#include "report/ReportConfig.h"
#include "report/ReportPageCanvas.h"
#include "report/ReportWizardSettings.h"
#include "report/WordReporter.h"
#include "tests/support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// Each test starts without "Ondrava.ini" and with a home folder of its own.
class ReportWizardSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove(platform::ToPath(CReportWizardSettings::Path()));
        m_oldHome = std::getenv("HOME") != nullptr ? std::getenv("HOME") : "";
        ::setenv("HOME", m_home.Path().string().c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", (m_home.Path() / "config").string().c_str(), 1);
        fs::create_directories(m_home / "Documents");
    }
    void TearDown() override
    {
        ::setenv("HOME", m_oldHome.c_str(), 1);
        ::unsetenv("XDG_CONFIG_HOME");
        fs::remove(platform::ToPath(CReportWizardSettings::Path()));
        for (const char* logo : {"jmrmain.jpg", "jmr.jpg"}) {
            fs::remove(platform::ToPath(GetExeDirectory()) / logo);
        }
    }

    static std::wstring Key(const wchar_t* section, const wchar_t* key)
    {
        return CIni(CReportWizardSettings::Path()).GetString(section, key, L"<none>");
    }

    testsupport::TempDir m_home;

private:
    std::string m_oldHome;
};

TEST_F(ReportWizardSettingsTest, ThePartsOfEachReportAreKeptUnderTheirOwnKeys)
{
    const RtfReportParts rtf = CReportWizardSettings::ReadRtfParts();
    EXPECT_EQ(rtf.event, 0);
    EXPECT_EQ(rtf.trend, 0);
    const ExcelReportParts excel = CReportWizardSettings::ReadExcelParts();
    EXPECT_EQ(excel.workbook, 1);
    EXPECT_EQ(excel.trend, 1);
    EXPECT_EQ(excel.histograms, 1);
    EXPECT_EQ(excel.itic, 0);
    EXPECT_EQ(Key(L"Report", L"IsExcel"), L"<none>") << "reading writes nothing";

    CReportWizardSettings::WriteRtfParts({1, 0});
    CReportWizardSettings::WriteExcelParts({0, 1, 0, 1});
    EXPECT_EQ(Key(L"RtfReport", L"IsEvent"), L"1");
    EXPECT_EQ(Key(L"RtfReport", L"IsTrend"), L"0");
    EXPECT_EQ(Key(L"Report", L"IsExcel"), L"0");
    EXPECT_EQ(Key(L"Report", L"IsTrend"), L"1");
    EXPECT_EQ(Key(L"Report", L"IsHistograms"), L"0");
    EXPECT_EQ(Key(L"Report", L"IsITIC"), L"1");
    EXPECT_EQ(CReportWizardSettings::ReadRtfParts().event, 1);
    EXPECT_EQ(CReportWizardSettings::ReadExcelParts().itic, 1);
}

TEST_F(ReportWizardSettingsTest, RtfPagesAreMetafilesUnlessTheSettingsAskForPng)
{
    struct Case {
        const wchar_t* value;  // null: no key
        CReportPageCanvas::PageFormat format;
    };
    const Case cases[] = {
        {nullptr, CReportPageCanvas::PageFormat::Metafile},
        {L"PNG", CReportPageCanvas::PageFormat::Png},
        {L"png", CReportPageCanvas::PageFormat::Png},
        {L"EMF", CReportPageCanvas::PageFormat::Metafile},
        {L"", CReportPageCanvas::PageFormat::Metafile},
    };
    for (const Case& c : cases) {
        const std::string name = c.value != nullptr ? platform::WideToUtf8(c.value) : "no key";
        fs::remove(platform::ToPath(CReportWizardSettings::Path()));
        if (c.value != nullptr) {
            CIni(CReportWizardSettings::Path()).WriteString(L"RtfReport", L"PagePictures", c.value);
        }
        CWordReporter reporter;
        ASSERT_EQ(reporter.Prepare(L"", L""), 1) << name;
        EXPECT_EQ(reporter.GetCanvas()->GetPageFormat(), c.format) << name;
    }
}

TEST_F(ReportWizardSettingsTest, TheOutputFolderStartsInTheDocumentsFolder)
{
    const std::wstring documents = platform::FromPath(m_home / "Documents") + L"/";
    EXPECT_EQ(CReportWizardSettings::ReadOutputFolder(), documents);
    EXPECT_EQ(Key(L"Position", L"ReportLocal"), documents) << "the default is kept";
    CReportWizardSettings::WriteOutputFolder(L"/srv/报表");
    EXPECT_EQ(CReportWizardSettings::ReadOutputFolder(), L"/srv/报表");
}

TEST_F(ReportWizardSettingsTest, ASchemeThatNoLongerLoadsGivesWayToTheProgramsOwn)
{
    const std::wstring shipped = GetExeDirectory() + L"ReportConfig.rcg";
    EXPECT_EQ(CReportWizardSettings::SchemePath(), shipped);

    const std::wstring good = platform::FromPath(m_home / "方案.rcg");
    ASSERT_EQ(CReportConfig().Save(good), 1);
    CReportWizardSettings::WriteSchemePath(good);
    EXPECT_EQ(Key(L"Position", L"ReportCfgLoacl"), good);
    EXPECT_EQ(CReportWizardSettings::SchemePath(), good);

    m_home.Write("broken.rcg", "<Ondrava><Trend");
    CReportWizardSettings::WriteSchemePath(platform::FromPath(m_home / "broken.rcg"));
    EXPECT_EQ(CReportWizardSettings::SchemePath(), shipped);
    CReportWizardSettings::WriteSchemePath(platform::FromPath(m_home / "gone.rcg"));
    EXPECT_EQ(CReportWizardSettings::SchemePath(), shipped);
}

TEST_F(ReportWizardSettingsTest, ALogoThatIsGoneFallsBackToTheProgramsOwn)
{
    const std::wstring chosen = platform::FromPath(m_home.Write("logo.png", "png"));
    CReportWizardSettings::WriteLogoPath(1, chosen);
    EXPECT_EQ(Key(L"Position", L"Logo1Loacl"), chosen);
    EXPECT_EQ(CReportWizardSettings::ReadLogoPath(1), chosen);

    // Neither the chosen nor the shipped picture: no logo, and the key stays.
    fs::remove(platform::ToPath(chosen));
    EXPECT_EQ(CReportWizardSettings::ReadLogoPath(1), L"");
    EXPECT_EQ(CReportWizardSettings::ReadLogoPath(2), L"");
    EXPECT_EQ(Key(L"Position", L"Logo2Loacl"), L"<none>");

    for (const char* logo : {"jmrmain.jpg", "jmr.jpg"}) {
        std::ofstream(platform::ToPath(GetExeDirectory()) / logo) << "jpeg";
    }
    EXPECT_EQ(CReportWizardSettings::ReadLogoPath(1), GetExeDirectory() + L"jmrmain.jpg");
    EXPECT_EQ(Key(L"Position", L"Logo1Loacl"), GetExeDirectory() + L"jmrmain.jpg");
    EXPECT_EQ(CReportWizardSettings::ReadLogoPath(2), GetExeDirectory() + L"jmr.jpg");
    EXPECT_EQ(Key(L"Position", L"Logo2Loacl"), GetExeDirectory() + L"jmr.jpg");
}

}  // namespace
