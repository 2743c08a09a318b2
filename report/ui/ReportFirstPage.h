#pragma once
// CReportFirstPage: what the two first pages of the report wizard share (the RTF
// report's CBasicPage and the spreadsheet report's CBasicPage2): the record shown
// (data range, device, wiring, nominal voltage, ratios, capacities), the voltage
// level, the data filter, the output folder chosen once per run, the report scheme
// (".rcg") imported into the wizard's configuration, and the answers to the other
// pages' messages (ReportWizardMessages.h). Each page adds its texts, its report
// parts, its settings keys and its checks.
//
// The voltage level proposed is the standard level nearest to the record's nominal
// voltage (a phase voltage is turned into the voltage between phases first); the
// level the wizard reports is always the one the list shows.
//
// Both pages hold four front-page texts in the same controls: the place, the
// operator (the spreadsheet report's monitored line), the report operator and the
// unit (its operating condition); the configuration stores them as its basic
// information, and a scheme brings them back.

#include <string>

#include "platform/ui/WizardPage.h"
#include "terminal/BasicInfo.h"

class CReportConfig;
struct CReportBasicInfo;

class CReportFirstPage : public ui::WizardPage {
public:
    // Control ids both templates share.
    static constexpr unsigned kIdDataRange = 32916;
    static constexpr unsigned kIdDeviceType = 32913;
    static constexpr unsigned kIdDeviceName = 32886;
    static constexpr unsigned kIdWiring = 32914;
    static constexpr unsigned kIdNominal = 6714;
    static constexpr unsigned kIdLevel = 8806;
    static constexpr unsigned kIdBaseCapacity = 32909;
    static constexpr unsigned kIdPt = 6723;
    static constexpr unsigned kIdCt = 6724;
    static constexpr unsigned kIdMinCapacity = 32911;
    static constexpr unsigned kIdSite = 6716;
    static constexpr unsigned kIdFilter = 32884;
    static constexpr unsigned kIdFilterUpper = 6901;
    static constexpr unsigned kIdFilterLower = 6903;
    static constexpr unsigned kIdTrend = 9520;
    static constexpr unsigned kIdCustomTrend = 9546;
    static constexpr unsigned kIdHarmTrend = 8816;
    static constexpr unsigned kIdScheme = 8810;
    static constexpr unsigned kIdImportScheme = 8811;
    static constexpr unsigned kIdOutputDir = 8807;
    static constexpr unsigned kIdPlace = 32899;
    static constexpr unsigned kIdOperator = 32903;
    static constexpr unsigned kIdReporter = 6721;
    static constexpr unsigned kIdDept = 6720;

    explicit CReportFirstPage(unsigned templateId);
    ~CReportFirstPage() override;

    void SetRowInfo(const BasicInfo& record) { m_rowInfo = record; }
    // The wizard's configuration (not owned).
    void SetConfig(CReportConfig* config) { m_pConfig = config; }
    CReportConfig* GetConfig() const { return m_pConfig; }

    // Results, read once the wizard finished.
    int GetVoltageLevel() const { return m_nVoltageLevel; }
    const std::wstring& GetOutputDir() const { return m_strOutputDir; }
    const std::wstring& GetMinCapacity() const { return m_strMinCapacity; }
    int GetFilter() const { return m_bFilter; }
    float GetFilterUpper() const { return m_fFilterUpper; }
    float GetFilterLower() const { return m_fFilterLower; }
    int GetTrend() const { return m_bTrend; }
    int GetHarmTrend() const { return m_bHarmTrend; }
    const std::wstring& GetScheme() const { return m_strScheme; }
    bool IsOutputChosen() const { return m_bOutputChosen != 0; }

    // Loads the scheme into the configuration and refreshes every page of the sheet
    // from it; 0 when there is no configuration, the file does not load or the sheet
    // is not the wizard's five pages.
    int LoadScheme(const std::wstring& path);
    // Asks for the output folder unless one was chosen in this run; whether one is.
    int ChooseOutputFolder();
    // Stores the page's choices into the settings and its texts into the
    // configuration (save non-zero), or shows the configuration's stored texts; 0
    // when saving without a configuration.
    int ExchangeConfig(CReportConfig* config, int save);
    virtual int QueryState(ui::WParam code) const = 0;

    bool OnInitDialog() override;
    bool OnSetActive() override;
    ui::LResult OnWizardNext() override;
    bool OnWizardFinish() override;
    void DoDataExchange(ui::DataExchange& exchange) override;

protected:
    // The shared start: data range, level list, the scheme, the output folder.
    void InitLevelAndScheme();
    // The record's fields, the base capacity and the filter defaults.
    void InitRecordFields();
    // The filter's limits, the nominal voltage's question, the level; false keeps
    // the user on the page (after saying why).
    bool ValidateCommon();
    void PostWizardButtons(unsigned buttons);
    void OnCustomTrendCheck();
    void OnFilterCheck();
    void OnImportScheme();
    void OnVoltageLevelChange();
    // The page's own checks after the filter's; false keeps the user on the page.
    virtual bool CheckPictures() { return true; }
    // The trend charts ticked or cleared: the scheme and the custom scheme follow.
    virtual void OnTrendCheck();
    // The page's report parts into the settings file.
    virtual void WriteParts() = 0;
    // The page's texts beyond the four shared ones into the basic information.
    virtual void StorePageTexts(CReportBasicInfo& info) const = 0;
    // The four texts shown from a configuration's basic information.
    virtual void ShowStoredTexts(const CReportBasicInfo& info);
    virtual std::wstring WizardTitle() const = 0;

    BasicInfo m_rowInfo;
    std::wstring m_strScheme;
    int m_bOutputChosen = 0;
    unsigned m_nWizButtons = 4;
    CReportConfig* m_pConfig = nullptr;
    std::wstring m_strOutputDir;
    int m_nVoltageLevel = 0;
    float m_fBaseCapacity = 2000.0f;
    int m_bHarmTrend = 0;
    int m_bTrend = 0;
    std::wstring m_strMinCapacity;
    int m_bFilter = 0;
    float m_fFilterUpper = 0.0f;
    float m_fFilterLower = 0.0f;
    std::wstring m_strPlace;
    std::wstring m_strOperator;
    std::wstring m_strReporter;
    std::wstring m_strDept;
};
