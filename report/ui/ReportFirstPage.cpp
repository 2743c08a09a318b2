#include "report/ui/ReportFirstPage.h"

#include <cmath>

#include <wx/ctrlsub.h>
#include <wx/window.h>

#include "core/NumberHelpers.h"
#include "platform/base/Encoding.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/WizardSheet.h"
#include "report/FilterLimits.h"
#include "report/ReportConfig.h"
#include "report/ReportWizardSettings.h"
#include "report/VoltageLevels.h"
#include "report/ui/ReportSheet.h"
#include "report/ui/ReportWizardMessages.h"

namespace {

constexpr unsigned kTextRangeJoin = 6221;
constexpr unsigned kTextSchemeFile = 6222;
constexpr unsigned kTextImported = 6223;
constexpr unsigned kTextImportFailed = 6224;
constexpr unsigned kTextBadFilter = 6225;
constexpr unsigned kTextLowNominal = 6228;
constexpr unsigned kTextChooseFolder = 6229;

}  // namespace

CReportFirstPage::CReportFirstPage(unsigned templateId) : ui::WizardPage(ReportSheetTemplate(templateId))
{
    OnMessage(kMsgChooseOutputFolder, [this](ui::WParam, ui::LParam) { return ChooseOutputFolder(); });
    OnMessage(kMsgExchangeConfig, [this](ui::WParam config, ui::LParam save) {
        return ExchangeConfig(reinterpret_cast<CReportConfig*>(config), static_cast<int>(save));
    });
    OnMessage(kMsgQueryState, [this](ui::WParam code, ui::LParam) { return QueryState(code); });
    OnCommand(kIdCustomTrend, [this] { OnCustomTrendCheck(); });
    OnCommand(kIdFilter, [this] { OnFilterCheck(); });
    OnCommand(kIdTrend, [this] { OnTrendCheck(); });
    OnCommand(kIdImportScheme, [this] { OnImportScheme(); });
    OnControlNotify(kIdLevel, static_cast<int>(ui::kNotifySelChange), [this] { OnVoltageLevelChange(); });
}

CReportFirstPage::~CReportFirstPage() = default;

void CReportFirstPage::DoDataExchange(ui::DataExchange& exchange)
{
    exchange.Text(kIdScheme, m_strScheme);
    exchange.Text(kIdOutputDir, m_strOutputDir);
    exchange.Check(kIdHarmTrend, m_bHarmTrend);
    exchange.Check(kIdTrend, m_bTrend);
    exchange.Text(kIdPlace, m_strPlace);
    exchange.Text(kIdOperator, m_strOperator);
    exchange.Text(kIdReporter, m_strReporter);
    exchange.Text(kIdDept, m_strDept);
}

void CReportFirstPage::OnTrendCheck()
{
    UpdateData(true);
    if (wxWindow* import = GetDlgItem(kIdImportScheme)) {
        import->Enable(m_bTrend != 0);
    }
    if (m_bTrend == 0) {
        CheckDlgButton(kIdCustomTrend, 0);
        OnCustomTrendCheck();
    }
    if (wxWindow* custom = GetDlgItem(kIdCustomTrend)) {
        custom->Enable(m_bTrend != 0);
    }
}

int CReportFirstPage::ExchangeConfig(CReportConfig* config, int save)
{
    if (save != 0) {
        if (IsWindow()) {
            UpdateData(true);
        }
        WriteParts();
        if (config == nullptr) {
            return 0;
        }
        CReportBasicInfo info = config->GetBasicInfo();
        info.place = platform::WideToUtf8(m_strPlace);
        info.operatorName = platform::WideToUtf8(m_strOperator);
        info.reporter = platform::WideToUtf8(m_strReporter);
        info.department = platform::WideToUtf8(m_strDept);
        info.placeText = m_strPlace;
        info.operatorText = m_strOperator;
        info.reporterText = m_strReporter;
        info.departmentText = m_strDept;
        StorePageTexts(info);
        config->SetBasicInfo(info);
        return 1;
    }
    m_pConfig = config;
    if (config != nullptr) {
        if (IsWindow()) {
            UpdateData(true);
        }
        ShowStoredTexts(config->GetBasicInfo());
        if (IsWindow()) {
            UpdateData(false);
        }
    }
    return 1;
}

void CReportFirstPage::ShowStoredTexts(const CReportBasicInfo& info)
{
    m_strPlace = platform::Utf8ToWide(info.place);
    m_strOperator = platform::Utf8ToWide(info.operatorName);
    m_strReporter = platform::Utf8ToWide(info.reporter);
    m_strDept = platform::Utf8ToWide(info.department);
}

void CReportFirstPage::InitLevelAndScheme()
{
    SetDlgItemText(kIdDataRange, m_rowInfo.startText + WizardText(kTextRangeJoin) + m_rowInfo.endText);

    // The proposed level, or the first when the nominal voltage says nothing: the
    // level used is the one the list shows.
    const auto proposal = ProposeVoltageLevel(m_rowInfo.voltageText, NominalKindOfWiring(m_rowInfo.phaseMask));
    m_nVoltageLevel = proposal ? proposal->code : VoltageLevels().front().code;
    if (auto* list = dynamic_cast<wxItemContainer*>(GetDlgItem(kIdLevel))) {
        list->Clear();
        for (const VoltageLevel& level : VoltageLevels()) {
            list->Append(VoltageLevelText(level.voltage));
        }
        if (auto* withSelection = dynamic_cast<wxItemContainerImmutable*>(list)) {
            withSelection->SetSelection(m_nVoltageLevel - 1);
        }
    }
    if (const VoltageLevel* level = FindVoltageLevel(m_nVoltageLevel)) {
        m_fBaseCapacity = level->baseCapacity;
    }

    const std::wstring scheme = CReportWizardSettings::SchemePath();
    if (LoadScheme(scheme) != 0) {
        m_strScheme = scheme;
    }
    m_strOutputDir = CReportWizardSettings::ReadOutputFolder();
}

void CReportFirstPage::InitRecordFields()
{
    SetDlgItemText(kIdDeviceName, m_rowInfo.userName);
    SetDlgItemText(kIdSite, m_rowInfo.place);
    SetDlgItemText(kIdNominal, m_rowInfo.voltageText);
    SetDlgItemText(kIdPt, m_rowInfo.ptRatioText);
    SetDlgItemText(kIdCt, m_rowInfo.ctRatioText);
    SetDlgItemText(kIdMinCapacity, m_rowInfo.mvaText);
    SetDlgItemText(kIdDeviceType, m_rowInfo.deviceType);
    SetDlgItemText(kIdWiring, m_rowInfo.wiringName);
    SetDlgItemText(kIdBaseCapacity, FormatFixed(m_fBaseCapacity, 0));
    const FilterTexts filter = DefaultFilterTexts(m_rowInfo.voltageText);
    SetDlgItemText(kIdFilterUpper, filter.upper);
    SetDlgItemText(kIdFilterLower, filter.lower);
}

bool CReportFirstPage::OnInitDialog()
{
    ui::WizardPage::OnInitDialog();
    return true;
}

bool CReportFirstPage::OnSetActive()
{
    if (ui::WizardSheet* sheet = GetSheet()) {
        sheet->SetTitle(WizardTitle());
    }
    PostWizardButtons(m_nWizButtons);
    return true;
}

void CReportFirstPage::PostWizardButtons(unsigned buttons)
{
    ui::PostMessage(GetSheet(), ui::kMsgSetWizardButtons, 0, static_cast<ui::LParam>(buttons));
}

void CReportFirstPage::OnCustomTrendCheck()
{
    const bool custom = IsDlgButtonChecked(kIdCustomTrend) == 1;
    m_nWizButtons = custom ? ui::kWizardNext : ui::kWizardFinish;
    if (wxWindow* harm = GetDlgItem(kIdHarmTrend)) {
        harm->Enable(custom);
    }
    PostWizardButtons(m_nWizButtons);
}

void CReportFirstPage::OnFilterCheck()
{
    const bool on = IsDlgButtonChecked(kIdFilter) == 1;
    for (const unsigned id : {kIdFilterUpper, kIdFilterLower}) {
        if (wxWindow* edit = GetDlgItem(id)) {
            edit->Enable(on);
        }
    }
}

void CReportFirstPage::OnVoltageLevelChange()
{
    auto* list = dynamic_cast<wxItemContainerImmutable*>(GetDlgItem(kIdLevel));
    if (list == nullptr || list->GetSelection() < 0) {
        return;
    }
    m_nVoltageLevel = list->GetSelection() + 1;
    if (const VoltageLevel* level = FindVoltageLevel(m_nVoltageLevel)) {
        SetDlgItemText(kIdBaseCapacity, FormatFixed(level->baseCapacity, 2));
    }
}

void CReportFirstPage::OnImportScheme()
{
    const std::wstring filter = WizardText(kTextSchemeFile) + L"(*.rcg)|*.rcg|";
    const std::wstring path = ui::OpenFileDialog(this, WizardText(kTextSchemeFile), filter, L"rcg", m_strScheme);
    if (path.empty()) {
        return;
    }
    if (LoadScheme(path) != 0) {
        UpdateData(true);
        CReportWizardSettings::WriteSchemePath(path);
        m_strScheme = path;
        UpdateData(false);
        ui::MessageBox(this, WizardText(kTextImported), WizardText(kTextPrompt), ui::kMbIconInformation);
    } else {
        ui::MessageBox(this, WizardText(kTextImportFailed), WizardText(kTextPrompt), ui::kMbIconExclamation);
    }
}

int CReportFirstPage::LoadScheme(const std::wstring& path)
{
    auto* sheet = dynamic_cast<CReportSheet*>(GetSheet());
    if (m_pConfig == nullptr || sheet == nullptr || m_pConfig->Load(path) == 0) {
        return 0;
    }
    return sheet->RefreshPages(m_pConfig);
}

int CReportFirstPage::ChooseOutputFolder()
{
    if (m_bOutputChosen == 0) {
        UpdateData(true);
        const std::wstring folder = ui::BrowseForFolder(WizardText(kTextChooseFolder), this, m_strOutputDir, L"");
        if (!folder.empty()) {
            m_strOutputDir = folder;
            UpdateData(false);
            CReportWizardSettings::WriteOutputFolder(folder);
            m_bOutputChosen = 1;
        }
    }
    return m_bOutputChosen;
}

bool CReportFirstPage::ValidateCommon()
{
    UpdateData(true);
    m_bFilter = 0;
    if (IsDlgButtonChecked(kIdFilter) == 1) {
        const auto limits = ParseFilterLimits(GetDlgItemText(kIdFilterUpper), GetDlgItemText(kIdFilterLower));
        if (!limits) {
            ui::MessageBox(this, WizardText(kTextBadFilter), WizardText(kTextPrompt), ui::kMbIconInformation);
            return false;
        }
        m_bFilter = 1;
        m_fFilterUpper = limits->upper;
        m_fFilterLower = limits->lower;
    }
    return true;
}

ui::LResult CReportFirstPage::OnWizardNext()
{
    if (!ValidateCommon() || !CheckPictures()) {
        return -1;
    }
    const double capacity = ParseLeadingDouble(GetDlgItemText(kIdMinCapacity));
    const double nominal = ParseLeadingDouble(GetDlgItemText(kIdNominal));
    if (!(nominal > 1.0) && ui::MessageBox(this, WizardText(kTextLowNominal), WizardText(kTextPrompt),
                                           ui::kMbYesNo | ui::kMbIconInformation) != ui::kIdYes) {
        return -1;
    }
    auto* list = dynamic_cast<wxItemContainerImmutable*>(GetDlgItem(kIdLevel));
    if (list == nullptr || list->GetSelection() < 0) {
        return -1;
    }
    m_nVoltageLevel = list->GetSelection() + 1;
    m_strMinCapacity = FormatFixed(std::isfinite(capacity) ? capacity : 0.0, 3);
    return 0;
}

bool CReportFirstPage::OnWizardFinish()
{
    if (OnWizardNext() == -1 || ChooseOutputFolder() == 0) {
        return false;
    }
    ExchangeConfig(m_pConfig, 1);
    return true;
}
