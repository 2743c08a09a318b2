// Reports as a customer receives them, made as a user makes them: the program
// started through its own start-up (which loads the report texts), a generated
// folder opened from the ribbon, each report made through its wizard. LibreOffice
// then reads them as a customer's reader does: the RTF report, converted to PDF,
// holds its words as text (the title, every label of the parameter table, the
// verdicts, the chart titles), has the pages its page numbers announce and shows no
// picture of a whole page; the spreadsheet report, converted to CSV, holds its
// verdicts. The busy indicator's texts are whole. Without its texts the program
// makes no report at all and says why.
#include <algorithm>
#include <cstdlib>
#include <cwctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <wx/choice.h>
#include <wx/dialog.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/NewDataSelectDlg.h"
#include "app/OndravaApp.h"
#include "app/SelectBoardDlg.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/ImageCodec.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/RibbonBar.h"
#include "report/RtfReportText.h"
#include "report/ui/ReportFirstPage.h"
#include "report/ui/ReportSheet.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ReportFolder.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;

constexpr unsigned kTextGenerateReport = 6093;
constexpr unsigned kTextExportReport = 6096;
constexpr unsigned kTextTextsMissing = 6298;


std::string Quoted(const fs::path& path) { return "'" + platform::PathToUtf8(path) + "'"; }

int Shell(const std::string& command) { return std::system(command.c_str()); }

// The text without blanks and line breaks: labels wrap over lines in their cells.
std::wstring Squeezed(const std::wstring& text) {
    std::wstring result;
    for (const wchar_t c : text) {
        if (!std::iswspace(c)) {
            result += c;
        }
    }
    return result;
}

std::wstring Without(std::wstring text, const std::wstring& part) {
    for (std::size_t at = 0; (at = text.find(part, at)) != std::wstring::npos;) {
        text.erase(at, part.size());
    }
    return text;
}

// Whether the squeezed text holds the label, as poppler reads a page: a label that
// spans a row group of the three phases has their names between its lines, and a
// word wrapped after its hyphen is joined without it.
bool HoldsLabel(const std::wstring& text, const std::wstring& label) {
    const std::wstring withoutPhases = Without(Without(Without(text, L"L1"), L"L2"), L"L3");
    for (const std::wstring& wanted : {Squeezed(label), Without(Squeezed(label), L"-")}) {
        if (text.find(wanted) != std::wstring::npos || withoutPhases.find(wanted) != std::wstring::npos) {
            return true;
        }
    }
    return false;
}

std::vector<fs::path> FilesIn(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(folder, ignored)) {
        if (entry.path().extension() == extension) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The fields of one CSV line (quoted fields may hold separators and doubled quotes).
std::vector<std::string> CsvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return fields;
}

class ReportDocumentsTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        platform::SetHourglaze(&m_indicator);
        ui::SetPickerResponder([this](const ui::PickerRequest&) { return platform::FromPath(m_pick); });
        ui::SetDialogResponder([this](ui::Dialog& dialog) { return Answer(dialog); });
        // Both sections of the RTF report; the workbook alone of the spreadsheet report.
        WriteProgramFile("Ondrava.ini", std::string("[RtfReport]\nIsEvent=1\nIsTrend=1\n"
                                                    "[Report]\nIsExcel=1\nIsTrend=0\nIsHistograms=0\nIsITIC=0\n"));
    }
    void TearDown() override {
        ui::SetDialogResponder(nullptr);
        ui::SetPickerResponder(nullptr);
        platform::SetHourglaze(App().GetBusyIndicator());
        AppTest::TearDown();
        // The program lets go of the data opened, in the language it was in.
        Restart();
    }

    // In place of the user: the data selection as offered; the report wizard runs
    // and is answered when it opens.
    bool Answer(ui::Dialog& dialog) {
        if (auto* boards = dynamic_cast<CSelectBoardDlg*>(&dialog)) {
            boards->OnOK();
            return true;
        }
        if (auto* selection = dynamic_cast<CNewDataSelectDlg*>(&dialog)) {
            selection->OnOK();
            return true;
        }
        if (auto* sheet = dynamic_cast<CReportSheet*>(&dialog)) {
            m_sheet = sheet;
        }
        return false;
    }

    // Starts the program again in the language of that folder, as a restart after
    // the language dialog does.
    void UseLanguage(const std::string& folder) {
        std::string list = ReadProgramFile("Language/Language.xml");
        const std::string selected = "selectedId=\"";
        const std::size_t at = list.find(selected);
        ASSERT_NE(at, std::string::npos);
        list.replace(at + selected.size(), 1, folder == "English" ? "1" : "0");
        WriteProgramFile("Language/Language.xml", list);
        Restart();
    }

    // A report folder of two hours, opened from the ribbon as the user opens it.
    void OpenReportFolder() {
        const fs::path folder = m_data.Path() / "K7700_20260301_000000";
        ASSERT_TRUE(gen::WriteReportFolder(folder, {}));
        m_pick = folder;
        Boxes().answer = ui::kIdYes;  // convert the terminal's files
        ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdOpenLocal));
        Drain();
        ASSERT_TRUE(PumpUntil([] { return Frame().IsStatisticLoaded() != 0; }));
        Drain();
    }

    // Makes the report of the command through its wizard, at the highest voltage
    // level (whose tighter limits some of the generated data fail), into the output
    // folder; the user declines to open it.
    void MakeReport(unsigned command, unsigned finishText) {
        m_pick = m_output.Path();
        m_indicator.notes.clear();
        Boxes().Clear();
        Boxes().answer = ui::kIdNo;
        FinishWizardWhenItOpens(finishText, [this](wxDialog&) {
            ASSERT_NE(m_sheet, nullptr);
            auto* levels = dynamic_cast<wxChoice*>(m_sheet->GetFirstPage()->GetDlgItem(CReportFirstPage::kIdLevel));
            ASSERT_NE(levels, nullptr);
            levels->SetSelection(static_cast<int>(levels->GetCount()) - 1);
        });
        ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(command));
        Drain();
        m_sheet = nullptr;
    }

    // The report texts of a language as its file holds them, read apart from the program.
    static CRtfReportText TextsOf(const std::string& folder) {
        CRtfReportText texts;
        EXPECT_EQ(texts.LoadFile(ProgramFile("Language/" + folder + "/RtfReport.xml")), 1);
        return texts;
    }

    // Converts with LibreOffice headless, in a profile of its own, one conversion at a time.
    void Convert(const fs::path& document, const std::string& filter) {
        const std::string command = "flock /tmp/ondrava-libreoffice.lock soffice -env:UserInstallation=file://" +
                                    platform::PathToUtf8(m_work / "profile") + " --headless --convert-to '" + filter +
                                    "' --outdir " + Quoted(m_work / "out") + " " + Quoted(document) + " > " +
                                    Quoted(m_work / "convert.log") + " 2>&1";
        ASSERT_EQ(Shell(command), 0) << testsupport::ReadAll(m_work / "convert.log");
    }

    std::string Run(const std::string& command, const std::string& output) {
        EXPECT_EQ(Shell(command + " > " + Quoted(m_work / output)), 0) << command;
        return testsupport::ReadAll(m_work / output);
    }

    NotingIndicator m_indicator{*App().GetBusyIndicator()};
    testsupport::TempDir m_data;
    testsupport::TempDir m_output;
    testsupport::TempDir m_work;
    fs::path m_pick;
    CReportSheet* m_sheet = nullptr;
};

class ReportDocuments : public ReportDocumentsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ReportDocuments, TheReportsOfTheProgramHoldTheirWordsAsTheirReadersSeeThem) {
    ASSERT_EQ(Shell("command -v soffice > /dev/null 2>&1 && command -v pdftotext > /dev/null 2>&1"), 0)
        << "LibreOffice and poppler-utils are installed by scripts/install-deps.sh";
    const std::string language = GetParam();
    UseLanguage(language);
    OpenReportFolder();
    const CRtfReportText texts = TextsOf(language);
    auto text = [&](RtfSection section, const char* key) { return texts.Text(section, key); };

    // --- The RTF report
    MakeReport(kCmdWordReport, kTextGenerateReport);
    ASSERT_EQ(Frame().GetReportResult(), 1) << platform::WideToUtf8(Boxes().shown.empty() ? L"" : Boxes().shown.back().text);
    const fs::path rtf = platform::ToPath(Frame().GetReportPath());
    const std::string document = testsupport::ReadAll(rtf);
    // Its title is text in the document itself: UTF-16 in a metafile's text record.
    std::string titleHex;
    for (const char16_t unit : platform::WideToUtf16(text(RtfSection::FrontPage, "Title"))) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%02x%02x", unit & 0xFF, unit >> 8);
        titleHex += hex;
    }
    EXPECT_NE(document.find(titleHex), std::string::npos) << "the title as text on the front page";
    std::size_t pictures = 0;
    for (std::size_t at = 0; (at = document.find("{\\pict\\emfblip", at)) != std::string::npos; ++at) {
        ++pictures;
    }
    EXPECT_GT(pictures, 20u) << "every page a metafile";

    Convert(rtf, "pdf");
    const fs::path pdf = m_work / "out" / (rtf.stem().string() + ".pdf");
    const std::string info = Run("pdfinfo " + Quoted(pdf), "info.txt");
    const std::size_t pagesAt = info.find("Pages:");
    ASSERT_NE(pagesAt, std::string::npos) << info;
    const std::size_t pages = std::stoul(info.substr(pagesAt + 6));
    EXPECT_EQ(pages, pictures) << "one page a page of the report";

    // Pages one after another, each ended by a form feed; every page after the front
    // page carries its number "-n-".
    const std::wstring all = platform::Utf8ToWide(Run("pdftotext -enc UTF-8 " + Quoted(pdf) + " -", "text.txt"));
    std::vector<std::wstring> pageTexts;
    for (std::size_t at = 0, end = 0; (end = all.find(L'\f', at)) != std::wstring::npos; at = end + 1) {
        pageTexts.push_back(Squeezed(all.substr(at, end - at)));
    }
    ASSERT_EQ(pageTexts.size(), pages);
    for (std::size_t page = 1; page < pages; ++page) {
        EXPECT_NE(pageTexts[page].find(L"-" + std::to_wstring(page) + L"-"), std::wstring::npos)
            << language << ": page " << page + 1 << " announces its number";
    }
    const std::wstring whole = Squeezed(all);
    std::vector<std::wstring> wanted = {text(RtfSection::FrontPage, "Title")};
    for (const char* key : {"Title", "ParamItem", "Fq", "NegUnbal", "Pst", "Plt", "VoltOffet", "BaseVolt", "BaseCurr",
                            "VoltTHD", "PF", "MaxValue", "MinValue", "AvgValue", "C95Value", "GbValue", "TestTimes",
                            "OverLimitTimes", "IsPass", "PassPercent", "Pass", "Fail"}) {
        wanted.push_back(text(RtfSection::ZvParam, key));
    }
    for (const RtfSection harmonics : {RtfSection::VHarm, RtfSection::AHarm}) {
        for (const char* key : {"TableTitle", "TableTitleContinue", "GraphTitle", "HarmTimes"}) {
            wanted.push_back(texts.Text(harmonics, key));
        }
    }
    for (const char* key : {"ZV_TREND_NAME_URMS", "ZV_TREND_NAME_FREQ", "ZV_TREND_NAME_PST"}) {
        wanted.push_back(text(RtfSection::TrendParam, key));
    }
    for (const RtfSection events : {RtfSection::EventSummary, RtfSection::ComtradeEvent, RtfSection::SoeEvent,
                                    RtfSection::EventChart}) {
        wanted.push_back(texts.Text(events, "Title"));
    }
    for (const std::wstring& label : wanted) {
        ASSERT_FALSE(label.empty());
        EXPECT_TRUE(HoldsLabel(whole, label)) << language << ": " << platform::WideToUtf8(label);
    }

    // Text is text: the only pictures are the logos, at no more than their own pixels.
    int widestLogo = 0;
    for (const char* logo : {"jmrmain.jpg", "jmr.jpg"}) {
        widestLogo = std::max(widestLogo, gfx::LoadImageFile(ProgramFile(logo)).Width());
    }
    std::istringstream images(Run("pdfimages -list " + Quoted(pdf), "images.txt"));
    std::string line;
    std::getline(images, line);
    std::getline(images, line);
    while (std::getline(images, line)) {
        std::istringstream fields(line);
        int page = 0, number = 0, width = 0;
        std::string type;
        fields >> page >> number >> type >> width;
        EXPECT_LE(width, widestLogo) << language << ": " << line;
    }

    // The busy indicator told whole texts, never a colon before an empty name.
    EXPECT_FALSE(m_indicator.notes.empty());
    for (const std::wstring& note : m_indicator.notes) {
        EXPECT_FALSE(note.empty() || note.front() == L':' || note.find(L":.") != std::wstring::npos)
            << language << ": \"" << platform::WideToUtf8(note) << "\"";
    }

    // --- The spreadsheet report: the verdicts of its power-quality sheet (the third).
    MakeReport(kCmdExcelReport, kTextExportReport);
    ASSERT_EQ(Frame().GetReportResult(), 1) << platform::WideToUtf8(Boxes().shown.empty() ? L"" : Boxes().shown.back().text);
    const std::vector<fs::path> workbooks = FilesIn(platform::ToPath(Frame().GetReportPath()), ".xlsx");
    ASSERT_EQ(workbooks.size(), 1u);
    fs::remove_all(m_work / "out");
    Convert(workbooks[0], "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,3");
    const std::vector<fs::path> tables = FilesIn(m_work / "out", ".csv");
    ASSERT_EQ(tables.size(), 1u);
    std::istringstream rows(testsupport::ReadAll(tables[0]));
    const std::wstring pass = text(RtfSection::ZvParam, "Pass");
    const std::wstring fail = text(RtfSection::ZvParam, "Fail");
    int row = 0;
    int verdicts = 0;
    while (std::getline(rows, line)) {
        ++row;
        if (row < 12 || row > 19) {
            continue;  // the frequency, unbalance and flicker rows
        }
        const std::vector<std::string> fields = CsvFields(line);
        const std::wstring verdict = fields.size() > 12 ? platform::Utf8ToWide(fields[12]) : L"";
        EXPECT_TRUE(verdict == pass || verdict == fail) << language << ": row " << row << " \"" << line << "\"";
        ++verdicts;
    }
    EXPECT_EQ(verdicts, 8);
}

INSTANTIATE_TEST_SUITE_P(Languages, ReportDocuments, ::testing::Values("Chinese", "English"));

TEST_F(ReportDocumentsTest, WithoutItsTextsNoReportIsMadeAndTheUserIsToldWhy) {
    const std::string textsFile = "Language/Chinese/RtfReport.xml";
    // The texts come back for the tests after this one, however this one ends.
    struct KeptFile {
        std::string name;
        std::optional<std::string> bytes;
        ~KeptFile() { WriteProgramFile(name, bytes); }
    } kept{textsFile, platform::ReadFileBytes(ProgramFile(textsFile))};
    ASSERT_TRUE(kept.bytes.has_value());
    WriteProgramFile(textsFile, std::nullopt);
    Restart();
    OpenReportFolder();
    std::wstring reason = String(kTextTextsMissing);
    reason.replace(reason.find(L"%s"), 2, platform::FromPath(ProgramFile(textsFile)));
    for (const auto& [command, caption] : {std::pair{kCmdWordReport, kTextGenerateReport},
                                           std::pair{kCmdExcelReport, kTextExportReport}}) {
        MakeReport(command, caption);
        EXPECT_EQ(Frame().GetReportResult(), 0) << command;
        ASSERT_FALSE(Boxes().shown.empty()) << command;
        EXPECT_EQ(Boxes().shown.back().text, reason) << command;
        EXPECT_EQ(Boxes().shown.back().caption, String(caption)) << command;
    }
    EXPECT_TRUE(fs::is_empty(m_output.Path())) << "nothing written";
}

}  // namespace
}  // namespace apptest
