// The report wizard walked as a user walks it, in both modes, over a generated
// statistic folder: the first pages' record, level, filter and outputs, the trend
// table's cells and headers, the harmonic-order rows, the scheme's import and
// export, and what reaches the configuration and the settings file.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "core/Ini.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "report/ReportConfig.h"
#include "report/ReportWizardSettings.h"
#include "report/TrendGridPainter.h"
#include "report/ui/BasicPage.h"
#include "report/ui/BasicPage2.h"
#include "report/ui/HarmSelectWnd.h"
#include "report/ui/ReportSheet.h"
#include "report/ui/TrendGridCtrl.h"
#include "report/ui/TrendPage.h"
#include "report/ui/VoltageHarmPage.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalModel.h"
#include "tests/support/TempDir.h"
#include "tests/ui/Clicks.h"
#include "tests/ui/EventPump.h"
#include "tools/gen/StatisticFolder.h"

namespace {

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

// The record of a generated statistic folder, read through the statistic model as
// the main frame reads it.
BasicInfo GeneratedRecord(const testsupport::TempDir& dir)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7, 25, 461};
    options.records = 20;
    EXPECT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
    CGlobalModel model;
    const std::int64_t end = *platform::FromLocalTime(2026, 3, 1, 0, 20, 0);
    std::array<std::uint32_t, 14> query = {0, 0, 20, 0, 20, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(end),
                                           static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32), 0, 0};
    CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                      platform::FromPath(dir.Path())};
    model.OpenData(&request);
    BasicInfo record;
    EXPECT_EQ(model.QueryBasicInfo(&record), 1);
    return record;
}

// Answers the pickers and the message boxes in place of the user, noting the boxes.
struct User {
    std::wstring folder;
    std::wstring openFile;
    std::wstring saveFile;
    int answer = ui::kIdYes;
    std::vector<std::wstring> boxes;

    User()
    {
        ui::SetPickerResponder([this](const ui::PickerRequest& request) {
            switch (request.kind) {
            case ui::PickerRequest::Kind::Folder:
                return folder;
            case ui::PickerRequest::Kind::OpenFile:
                return openFile;
            default:
                return saveFile;
            }
        });
        ui::SetMessageBoxResponder([this](const ui::MessageBoxRequest& box) {
            boxes.push_back(box.text);
            return answer;
        });
    }
    ~User()
    {
        ui::SetPickerResponder({});
        ui::SetMessageBoxResponder({});
    }
};

std::wstring Setting(const wchar_t* section, const wchar_t* key)
{
    return CIni(CReportWizardSettings::Path()).GetString(section, key);
}

void Tick(ui::Dialog& page, unsigned id, bool on)
{
    auto* box = page.GetItem<wxCheckBox>(id);
    ASSERT_NE(box, nullptr) << id;
    box->SetValue(on);
    wxCommandEvent click(wxEVT_CHECKBOX, box->GetId());
    click.SetEventObject(box);
    click.SetInt(on ? 1 : 0);
    box->ProcessWindowEvent(click);
}

void Press(ui::WizardSheet& sheet, unsigned id) { uitest::PressButton(sheet.GetButton(id)); }

bool Enabled(ui::WizardSheet& sheet, unsigned id) { return sheet.GetButton(id)->IsEnabled(); }

// A click in the middle of a cell of the trend table.
void ClickCell(CTrendGridCtrl& grid, int row, int column)
{
    const wxSize size = grid.GetClientSize();
    const CTrendGridPainter painter(size.GetWidth(), size.GetHeight(), grid.GetTopRow());
    const int x = column == 0 ? CTrendGridPainter::kNameWidth / 2
                              : CTrendGridPainter::kNameWidth + (column - 1) * painter.GetCellWidth() +
                                    painter.GetCellWidth() / 2;
    const int line = row == 0 ? 0 : row - grid.GetTopRow() + 1;
    grid.WindowProc(ui::kMsgLButtonDown, ui::kMouseLeftButton,
                    ui::MakePointLParam(x, line * CTrendGridPainter::kRowHeight + CTrendGridPainter::kRowHeight / 2));
}

int CountState(const CTrendGrid& grid, int column, int state)
{
    int count = 0;
    for (int row = 1; row < grid.GetRowCount(); ++row) {
        count += grid.GetCell(row, column) == state ? 1 : 0;
    }
    return count;
}

std::vector<OrderGroup> Groups(const CReportConfig& config, const char* key)
{
    CHarmTrendItem item;
    config.GetHarmPart().FindTrendItem(key, item);
    return item.GetGroups();
}

class ReportWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::error_code ignored;
        std::filesystem::remove(platform::ToPath(CReportWizardSettings::Path()), ignored);
        record = GeneratedRecord(data);
        user.folder = platform::FromPath(output.Path());
    }

    testsupport::TempDir data;
    testsupport::TempDir output;
    BasicInfo record;
    User user;
};

TEST_F(ReportWizardTest, RtfWizardWalksEveryPageAndStoresTheChoices)
{
    CReportConfig config;
    CReportSheet sheet(Text(6093), 0, &config);
    sheet.SetRowInfo(record);
    const std::wstring scheme = platform::FromPath(output.Path() / "exported.rcg");
    user.saveFile = scheme;
    CBasicPage& first = *sheet.GetRtfPage();
    CTrendPage& trend = sheet.GetTrendPage();
    int selectedBefore = 0;

    ui::PostToUiThread([&] {
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == ui::kWizardFinish; }));
        EXPECT_EQ(sheet.GetButton(ui::kIdWizardFinish)->GetLabel(), Text(6093));
        EXPECT_EQ(first.GetDlgItemText(CReportFirstPage::kIdDataRange),
                  record.startText + Text(6221) + record.endText);
        EXPECT_EQ(first.GetDlgItemText(CReportFirstPage::kIdNominal), record.voltageText);
        auto* level = first.GetItem<wxChoice>(CReportFirstPage::kIdLevel);
        ASSERT_NE(level, nullptr);
        EXPECT_EQ(level->GetCount(), 7u);
        EXPECT_EQ(level->GetSelection() + 1, first.GetVoltageLevel()) << "the level used is the one shown";
        EXPECT_FALSE(first.GetLogo(1).empty()) << "the program's own logo stands in";

        // Another level: its base capacity with two decimals.
        level->SetSelection(1);
        wxCommandEvent choose(wxEVT_CHOICE, level->GetId());
        choose.SetEventObject(level);
        choose.SetInt(1);
        level->ProcessWindowEvent(choose);
        EXPECT_EQ(first.GetVoltageLevel(), 2);
        EXPECT_EQ(first.GetDlgItemText(CReportFirstPage::kIdBaseCapacity), L"100.00");

        // The custom scheme goes on through the trend and harmonic pages.
        Tick(first, CReportFirstPage::kIdTrend, true);
        Tick(first, CReportFirstPage::kIdCustomTrend, true);
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == ui::kWizardNext; }));
        Tick(first, CReportFirstPage::kIdHarmTrend, true);
        first.SetDlgItemText(CBasicPage::kIdPlace, L"一号变电站");
        Press(sheet, ui::kIdWizardNext);
        ASSERT_EQ(sheet.GetActiveIndex(), 1);
        ASSERT_TRUE(uitest::PumpUntil(
            [&] { return sheet.GetWizardButtons() == (ui::kWizardBack | ui::kWizardNext); }))
            << "the harmonic trend charts need the next pages";

        // The table: one row per trend chart; the generated data lack most quantities.
        const CTrendGrid& grid = trend.GetGrid();
        ASSERT_EQ(grid.GetRowCount(), static_cast<int>(config.GetTrendPart().size()) + 1);
        EXPECT_GT(CountState(grid, 1, CTrendGrid::kUnavailable), 0);
        CTrendGridCtrl& control = *trend.GetGridCtrl();
        selectedBefore = CountState(grid, 1, CTrendGrid::kSelected);
        ASSERT_GT(selectedBefore, 0) << "the data offer some charts";
        ClickCell(control, 0, 1);  // a column with a tick: cleared
        EXPECT_EQ(CountState(grid, 1, CTrendGrid::kSelected), 0);
        ClickCell(control, 0, 1);  // and again: every available cell
        EXPECT_EQ(CountState(grid, 1, CTrendGrid::kNotSelected), 0);
        int row = 1;
        while (grid.GetCell(row, 1) != CTrendGrid::kSelected) {
            ++row;
        }
        ClickCell(control, row, 1);
        EXPECT_EQ(grid.GetCell(row, 1), CTrendGrid::kNotSelected);
        const int unavailable = CountState(grid, 1, CTrendGrid::kUnavailable);
        ClickCell(control, 0, 0);  // everything
        ClickCell(control, 0, 0);
        EXPECT_EQ(CountState(grid, 1, CTrendGrid::kUnavailable), unavailable) << "clicks never reach those";
        ClickCell(control, row, 1);
        EXPECT_EQ(grid.GetCell(row, 1), CTrendGrid::kNotSelected);

        // In a box too small for every row the wheel, turned over the grid's window,
        // moves the rows one at a time, and not past the first.
        control.MoveWindow(wxRect(0, 0, 400, 5 * CTrendGridPainter::kRowHeight));
        auto wheel = [&](int turn) {
            wxMouseEvent event(wxEVT_MOUSEWHEEL);
            event.SetEventObject(control.GetWx());
            event.SetPosition({20, 20});
            event.m_wheelRotation = turn;
            event.m_wheelDelta = 120;
            control.GetWx()->ProcessWindowEvent(event);
        };
        wheel(-120);
        EXPECT_EQ(control.GetTopRow(), 2);
        wheel(120);
        wheel(120);
        EXPECT_EQ(control.GetTopRow(), 1);

        // Harmonics: the first tab's selector shows the default charts.
        Press(sheet, ui::kIdWizardNext);
        ASSERT_EQ(sheet.GetActiveIndex(), 2);
        CVoltageHarmPage& harm = sheet.GetHarmPage(0);
        ASSERT_EQ(harm.GetTabCount(), 3);
        EXPECT_EQ(harm.GetTabCtrl()->GetPageText(0), L"L1-" + Text(6252));
        EXPECT_FALSE(harm.GetDlgItem(CVoltageHarmPage::kIdExportScheme)->IsShown());
        CHarmSelectWnd& selector = *harm.GetSelector(0);
        ASSERT_TRUE(uitest::PumpUntil([&] { return selector.GetRowCount() > 0; }));
        const int rows = selector.GetRowCount();
        uitest::PressButton(selector.GetAddButton());
        ASSERT_EQ(selector.GetRowCount(), rows + 1);
        EXPECT_EQ(selector.GetRowLabel(rows), L"趋势图" + std::to_wstring(rows + 1));
        const int thirdTop = selector.GetRowTop(2);
        uitest::PressButton(selector.GetRemoveButton(1));
        ASSERT_EQ(selector.GetRowCount(), rows);
        EXPECT_EQ(selector.GetRowTop(1), thirdTop - CHarmSelectWnd::kRowPitch);
        EXPECT_EQ(selector.GetRowLabel(1), L"趋势图2");
        for (int list = 0; list < kHarmListsPerRow; ++list) {
            selector.SelectEntry(0, list, list < 2 ? 4 + list * 2 : 0);  // 5, 7, then "OFF"
        }
        for (int more = 0; more < 12; ++more) {
            uitest::PressButton(selector.GetAddButton());
        }
        EXPECT_EQ(selector.GetRowCount(), 9) << "one chart per six orders of 50";

        Press(sheet, ui::kIdWizardNext);
        Press(sheet, ui::kIdWizardNext);
        ASSERT_EQ(sheet.GetActiveIndex(), 4);
        ASSERT_TRUE(uitest::PumpUntil(
            [&] { return sheet.GetWizardButtons() == (ui::kWizardBack | ui::kWizardFinish); }));
        EXPECT_TRUE(sheet.GetHarmPage(2).GetDlgItem(CVoltageHarmPage::kIdExportScheme)->IsShown());
        uitest::PressButton(sheet.GetHarmPage(2).GetDlgItem(CVoltageHarmPage::kIdExportScheme));
        EXPECT_EQ(user.boxes, std::vector<std::wstring>{Text(6256)});
        EXPECT_FALSE(first.IsOutputChosen()) << "exporting a scheme asks no folder";
        Press(sheet, ui::kIdWizardFinish);
    });
    ASSERT_EQ(sheet.DoModal(), static_cast<int>(ui::kIdWizardFinish));

    EXPECT_EQ(first.GetOutputDir(), user.folder);
    EXPECT_EQ(first.GetVoltageLevel(), 2);
    EXPECT_EQ(Setting(L"Position", L"ReportLocal"), user.folder);
    EXPECT_EQ(Setting(L"RtfReport", L"IsTrend"), L"1");
    EXPECT_EQ(Setting(L"RtfReport", L"IsEvent"), L"0");
    EXPECT_EQ(Setting(L"Position", L"Logo1Loacl"), first.GetLogo(1));
    EXPECT_EQ(Setting(L"Position", L"Logo2Loacl"), first.GetLogo(2));
    EXPECT_EQ(config.GetBasicInfo().place, "一号变电站");
    EXPECT_FALSE(config.GetBasicInfo().mainLogoPath.empty());

    // The trend part: every chart of column 1 but the one cleared.
    const std::vector<CReportTrendItem> items = config.GetTrendPart();
    int enabled = 0;
    for (const CReportTrendItem& item : items) {
        CReportTrendPhase phase;
        if (item.GetPhase(4, phase) != 0 && phase.flag4 == 1) {
            enabled += phase.enabled;
        } else if (item.GetPhase(CReportTrendPhase::kPhaseA, phase) != 0) {
            enabled += phase.enabled;
        }
    }
    EXPECT_EQ(enabled, CountState(trend.GetGrid(), 1, CTrendGrid::kSelected));

    // The first tab's charts went to all four keys of phase L1.
    const std::vector<OrderGroup> l1 = Groups(config, "ZVTrendUHarmL1");
    ASSERT_FALSE(l1.empty());
    EXPECT_EQ(l1.front(), (OrderGroup{5, 7}));
    for (const char* key : {"ZVTrendIHarmL1", "ZVTrendUHarmL1THD", "ZVTrendIHarmL1THD"}) {
        EXPECT_EQ(Groups(config, key), l1) << key;
    }

    // The exported scheme holds the same charts.
    CReportConfig exported;
    ASSERT_NE(exported.Load(scheme), 0);
    EXPECT_EQ(Groups(exported, "ZVTrendUHarmL1").front(), (OrderGroup{5, 7}));
}

TEST_F(ReportWizardTest, SpreadsheetWizardImportsASchemeAndFinishesOnItsFirstPage)
{
    // A scheme with the place, line and condition the user typed last time.
    CReportConfig stored;
    CReportBasicInfo info;
    info.place = "二号站";
    info.operatorName = "10kV 线路";
    info.department = "满载";
    stored.SetBasicInfo(info);
    const std::wstring scheme = platform::FromPath(output.Path() / "site.rcg");
    ASSERT_NE(stored.Save(scheme), 0);
    user.openFile = scheme;

    CReportConfig config;
    CReportSheet sheet(Text(6096), 1, &config, false);
    sheet.SetRowInfo(record);
    CBasicPage2& first = *sheet.GetExcelPage();
    ASSERT_EQ(sheet.GetPageCount(), CReportSheet::kPageCount);
    ui::PostToUiThread([&] {
        ASSERT_TRUE(uitest::PumpUntil([&] { return !first.GetItem<wxWindow>(CBasicPage2::kIdWorkbook)->IsEnabled(); }));
        EXPECT_EQ(sheet.GetButton(ui::kIdWizardFinish)->GetLabel(), Text(6096));
        EXPECT_NE(first.GetDlgItemText(CBasicPage2::kIdWorkbook).find(Text(10043)), std::wstring::npos);
        EXPECT_EQ(first.IsDlgButtonChecked(CBasicPage2::kIdWorkbook), 0);

        // Without any output the wizard cannot finish.
        Tick(first, CReportFirstPage::kIdTrend, false);
        Tick(first, CBasicPage2::kIdSpectrum, false);
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == ui::kWizardDisabledFinish; }));
        EXPECT_FALSE(Enabled(sheet, ui::kIdWizardFinish));
        Tick(first, CBasicPage2::kIdItic, true);
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetWizardButtons() == ui::kWizardFinish; }));

        // Importing needs the trend charts.
        Tick(first, CReportFirstPage::kIdTrend, true);
        uitest::PressButton(first.GetDlgItem(CReportFirstPage::kIdImportScheme));
        EXPECT_EQ(user.boxes, std::vector<std::wstring>{Text(6223)});
        EXPECT_EQ(first.GetDlgItemText(CBasicPage2::kIdPlace), L"二号站");
        EXPECT_EQ(first.GetDlgItemText(CBasicPage2::kIdLine), L"10kV 线路") << "the stored line, not the label";
        EXPECT_EQ(first.GetDlgItemText(CBasicPage2::kIdCondition), L"满载");
        EXPECT_EQ(first.GetDlgItemText(CBasicPage2::kIdAgreedCapacity), record.mvaText);
        EXPECT_EQ(first.GetScheme(), scheme);

        // A scheme that does not load changes nothing.
        user.openFile = platform::FromPath(output.Path() / "missing.rcg");
        uitest::PressButton(first.GetDlgItem(CReportFirstPage::kIdImportScheme));
        EXPECT_EQ(user.boxes.back(), Text(6224));
        EXPECT_EQ(first.GetScheme(), scheme);
        Press(sheet, ui::kIdWizardFinish);
    });
    ASSERT_EQ(sheet.DoModal(), static_cast<int>(ui::kIdWizardFinish));

    EXPECT_EQ(Setting(L"Position", L"ReportCfgLoacl"), scheme);
    EXPECT_EQ(Setting(L"Position", L"ReportLocal"), user.folder);
    EXPECT_EQ(Setting(L"Report", L"IsExcel"), L"0");
    EXPECT_EQ(Setting(L"Report", L"IsTrend"), L"1");
    EXPECT_EQ(Setting(L"Report", L"IsHistograms"), L"0");
    EXPECT_EQ(Setting(L"Report", L"IsITIC"), L"1");
    EXPECT_EQ(config.GetBasicInfo().operatorName, "10kV 线路");
    EXPECT_EQ(config.GetBasicInfo().agreedCapacityText, record.mvaText);
}

TEST_F(ReportWizardTest, FirstPageRefusesBadLimitsAndAsksAboutALowNominalVoltage)
{
    struct Case {
        const wchar_t* upper;
        const wchar_t* lower;
        const wchar_t* nominal;
        int answer;
        bool moves;
        std::vector<unsigned> boxes;
    };
    const std::vector<Case> cases = {
        {L"12000.0", L"8000.0", L"10000", ui::kIdYes, true, {}},
        {L".", L"8000", L"10000", ui::kIdYes, false, {6225}},
        {L"1.2.3", L"8000", L"10000", ui::kIdYes, false, {6225}},
        {L"-5", L"8000", L"10000", ui::kIdYes, false, {6225}},
        {L"", L"8000", L"10000", ui::kIdYes, false, {6225}},
        {L"8000", L"12000", L"10000", ui::kIdYes, false, {6225}},  // lower above upper
        {L"12000", L"8000", L"0.5", ui::kIdNo, false, {6228}},
        {L"12000", L"8000", L"", ui::kIdYes, true, {6228}},
    };
    CReportConfig config;
    CReportSheet sheet(Text(6096), 1, &config);
    sheet.SetRowInfo(record);
    CBasicPage2& first = *sheet.GetExcelPage();
    ui::PostToUiThread([&] {
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetActiveIndex() == 0 && first.IsWindowVisible(); }));
        Tick(first, CReportFirstPage::kIdFilter, true);
        for (const Case& c : cases) {
            user.boxes.clear();
            user.answer = c.answer;
            first.SetDlgItemText(CReportFirstPage::kIdFilterUpper, c.upper);
            first.SetDlgItemText(CReportFirstPage::kIdFilterLower, c.lower);
            first.SetDlgItemText(CReportFirstPage::kIdNominal, c.nominal);
            std::vector<std::wstring> expected;
            for (const unsigned id : c.boxes) {
                expected.push_back(Text(id));
            }
            EXPECT_EQ(first.OnWizardNext() == 0, c.moves) << c.upper << " " << c.lower << " " << c.nominal;
            EXPECT_EQ(user.boxes, expected) << c.upper << " " << c.lower << " " << c.nominal;
        }
        EXPECT_EQ(first.GetFilter(), 1);
        EXPECT_FLOAT_EQ(first.GetFilterUpper(), 12000.0f);
        EXPECT_FLOAT_EQ(first.GetFilterLower(), 8000.0f);
        Press(sheet, ui::kIdCancel);
    });
    EXPECT_EQ(sheet.DoModal(), ui::kIdCancel);
    EXPECT_FALSE(first.IsOutputChosen());
}

TEST_F(ReportWizardTest, FinishingOnTheTrendPageLeavesTheHarmonicChartsOut)
{
    CReportConfig config;
    CReportSheet sheet(Text(6093), 0, &config);
    sheet.SetRowInfo(record);
    CBasicPage& first = *sheet.GetRtfPage();
    ui::PostToUiThread([&] {
        ASSERT_TRUE(uitest::PumpUntil([&] { return sheet.GetActiveIndex() == 0 && first.IsWindowVisible(); }));
        Tick(first, CReportFirstPage::kIdTrend, true);
        Tick(first, CReportFirstPage::kIdCustomTrend, true);
        Press(sheet, ui::kIdWizardNext);
        ASSERT_TRUE(uitest::PumpUntil(
            [&] { return sheet.GetWizardButtons() == (ui::kWizardBack | ui::kWizardFinish); }));
        // The folder picker cancelled: the wizard stays.
        user.folder.clear();
        Press(sheet, ui::kIdWizardFinish);
        EXPECT_TRUE(sheet.IsWindowVisible());
        user.folder = platform::FromPath(output.Path());
        Press(sheet, ui::kIdWizardFinish);
    });
    ASSERT_EQ(sheet.DoModal(), static_cast<int>(ui::kIdWizardFinish));
    const CReportHarmPart harm = config.GetHarmPart();
    ASSERT_FALSE(harm.GetTrendItems().empty());
    for (const CHarmTrendItem& item : harm.GetTrendItems()) {
        EXPECT_TRUE(item.GetGroups().empty()) << item.key;
    }
}

}  // namespace
