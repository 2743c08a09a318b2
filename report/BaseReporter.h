#pragma once
// CBaseReporter: the common base of the report writers (the RTF report, the
// spreadsheet report and the picture files). It holds what one report run needs: a
// copy of the current data record, the voltage level with its national-standard
// limits, the key tables that turn the configuration's trend keys into item ids,
// names and units, the valid-sample flags of the phases, the texts of the report's
// basic information, and pointers to the data models, the SOE model and the report
// configuration, none of which it owns.
//
// The main frame constructs a reporter and calls Init on the user-interface thread;
// then, on the report worker, CheckReady, the writer's own option setters and
// ReportOutput; finally it deletes the reporter. Init shows no message of its own
// (this code runs without windows): every failure leaves its reason in the message
// text (GetReportName), which the caller shows. A reporter serves one report run.

#include <array>
#include <cstdint>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "report/LevelLimitTable.h"
#include "report/ReportItemDef.h"
#include "report/ReportItemName.h"
#include "terminal/BasicInfo.h"

class CReportConfig;
class IDataModel;

class CBaseReporter {
public:
    CBaseReporter();
    virtual ~CBaseReporter();
    CBaseReporter(const CBaseReporter&) = delete;
    CBaseReporter& operator=(const CBaseReporter&) = delete;

    // Prepares the output with the pictures of the pages after the first and of the
    // first page; the base has no output and returns 0.
    virtual int Prepare(std::wstring subLogoPath, std::wstring mainLogoPath);
    virtual void Finish();
    // Writes the report; `progress` is the writer's share of the busy indicator. The
    // base writes nothing and returns 0.
    virtual int ReportOutput(const std::wstring& outputPath, int progress);
    // Whether the output can be made at all; the base can, 1.
    virtual int CheckReady();

    // Fills the base for a report of `record` (the data record the wizard showed):
    // `levelCode` 1 (0.38 kV) to 7 (220 kV), the configuration, the statistic model,
    // the second statistic model, the SOE model and a value kept for the writer
    // (GetSetting2). 1 on success; 0 when a pointer is missing, the report texts
    // are not loaded (with a message that names their file), the level code is
    // outside 1 to 7, Prepare fails or anything throws.
    int Init(std::wstring dataPath, int levelCode, const BasicInfo* record, CReportConfig* config,
             IDataModel* model1, IDataModel* model2, IDataModel* soeSource, std::uintptr_t lastValue);
    bool IsReady() const { return m_Ready != 0; }

    // --- The current data model and its reference values
    // kind 1: the statistic model when it reads the full-resolution records, else the
    // second model with its reference values in tenths; kind 2: the statistic model.
    // The data steps choose 1 before reading statistic data, the sections 2.
    int ComputeItemStats(int kind);
    IDataModel* GetCurrentModel() const { return m_CurrentSource; }
    // Column 1 the record interval, 2 to 6 the record's further interval values (the
    // RMS, harmonic, flicker and frame windows of a waveform record); 0 otherwise.
    double GetPhaseValue(int column) const;

    // --- The running page or picture number
    int GetCounter() const { return m_Counter; }
    void IncCounter() { ++m_Counter; }

    // --- The record's times and names
    // "start - end" without the milliseconds, with '/' between the date's fields.
    std::wstring GetPeriodLabel() const;
    // The start (which ≠ 0) or end time as a local calendar time, and its
    // milliseconds; none, with `milliseconds` untouched, for a text that is not a time.
    std::optional<std::time_t> GetTime(int which, int* milliseconds = nullptr) const;
    std::optional<std::time_t> GetStartTime() const { return GetTime(1); }
    std::optional<std::time_t> GetEndTime() const { return GetTime(0); }
    IDataModel* GetSoeSource() const { return m_SoeSource; }
    std::wstring GetDataPath() const { return m_DataPath; }
    // The last component of the data path.
    std::wstring GetFileName() const;
    std::wstring GetDataFileName() const { return GetFileName(); }
    // Place, operator, reporter and department of the basic information, then its
    // texts 7 and 8.
    std::wstring GetHeaderText1() const { return m_HeaderTexts[0]; }
    std::wstring GetHeaderText2() const { return m_HeaderTexts[1]; }
    std::wstring GetHeaderText3() const { return m_HeaderTexts[2]; }
    std::wstring GetHeaderText4() const { return m_HeaderTexts[3]; }
    std::wstring GetHeaderText5() const { return m_HeaderTexts[4]; }
    std::wstring GetHeaderText6() const { return m_HeaderTexts[5]; }
    // Start time text, end time text, device name.
    std::wstring GetDeviceText1() const { return m_Record.startText; }
    std::wstring GetDeviceText2() const { return m_Record.endText; }
    std::wstring GetDeviceText3() const { return m_Record.userName; }
    // The terminal model that recorded the data ("DeviceType" of its description).
    std::wstring GetDeviceType() const { return m_Record.deviceType; }
    // PT ratio, CT ratio, wiring texts.
    std::wstring GetInfoText1() const { return m_Record.ptRatioText; }
    std::wstring GetInfoText2() const { return m_Record.ctRatioText; }
    std::wstring GetInfoText3() const { return m_Record.wiringName; }
    // The record interval, times 10 while the statistic model reads full-resolution records.
    double GetScaledNominal() const;
    // The site's minimum short-circuit capacity (MVA) as text and as a number.
    std::wstring GetNominalText() const { return m_Record.mvaText; }
    float GetNominalValue() const;
    // The nominal system voltage (V).
    float GetFloatField() const;

    // --- Limits of the selected voltage level
    std::wstring GetLevelName() const { return m_LimitTable.GetLevelName(); }
    // The permitted deviation from the nominal voltage, in volts.
    DeviationLimits GetLimitRange() const;
    // The same as fractions of the nominal voltage.
    DeviationLimits GetDefaultRange() const { return m_LimitTable.GetDeviationRatios(); }
    float GetThdLimit() const { return m_LimitTable.GetThd(); }
    float GetHarmVoltageLimit(int order) const { return m_LimitTable.GetHarmVoltage(order); }
    float GetBaseCapacity() const { return m_LimitTable.GetBaseCapacity(); }
    // The current allowance scaled to the site's capacity; none where no limit applies
    // (orders outside 2 to 25, no usable site capacity).
    std::optional<float> GetHarmCurrentLimit(int order) const;
    // The flicker limit of the selected level: short-term (Pst) for kind 0, long-term
    // (Plt) for any other, both reports judging from the one level table.
    float GetFactor(int kind) const;
    // How many phase-voltage samples lie outside the permitted deviation. Up to 10 kV
    // each side has its own limit; from 35 kV on the deviation's magnitude is held
    // against the limit. Samples without value are not judged.
    std::uint32_t CountDeviationOver(const std::vector<float>& samples) const;
    // "+7/-10" (upper/lower in percent) up to 10 kV, "10" from 35 kV on.
    std::wstring GetDeviationLimitText() const;

    // --- Settings
    int GetSetting1() const { return m_LevelCode; }
    std::uintptr_t GetSetting2() const { return m_LastValue; }
    // The record count of the data the model read during Init.
    std::uint32_t GetSetting3() const { return m_DataCount; }
    // Non-zero when the samples of flagged intervals are to be removed.
    std::int32_t GetSetting4() const { return m_Record.tail2; }
    bool IsSetting5Clear() const { return m_Record.recordCount == 0; }
    // The data-set word (non-zero for an analysed waveform record).
    std::int32_t GetSetting6() const { return m_Record.value3; }
    CReportConfig* GetModel() const { return m_Config; }
    // The data class of a report item: 1 for every item without a data set; with one,
    // 2 to 6 for the items it holds and 0 for the others.
    int IsItemSupported(std::uint32_t itemId) const;

    // --- Message text: the reason a report could not be made
    std::wstring GetReportName() const { return m_ErrorText; }
    void SetReportName(const std::wstring& text) { m_ErrorText = text; }

    // --- Trend key tables, built by Init
    int FindTrendItem(const std::string& key, CReportItemName& item) const;
    int FindHarmTrendItem(const std::string& key, CReportItemDef& item) const;

    // --- Valid-sample flags of the phases 0 to 2
    // Flags each sample of the pair of series (maximum, minimum): valid when the
    // maximum is at most the record's upper sample limit and the minimum at least
    // its lower one. An invalid sample also invalidates its neighbours: 4 on each side
    // for an interval below 3 s, 2 below 5 s, else 1. A sample without value is not
    // evidence against its interval. The number of flags; 0 for series of different
    // lengths or another phase, and then the flags stay.
    std::size_t MarkValidSamples(const std::vector<float>& maximum, const std::vector<float>& minimum, int phase);
    // Keeps, in order, the values whose flag is set; their number. 0, and the values
    // unchanged, for another phase or when the flags do not match the values.
    std::size_t KeepValidSamples(std::vector<float>& values, int phase) const;

private:
    bool ModelReadsFullResolution() const;

    IDataModel* m_CurrentSource = nullptr;
    std::array<double, 6> m_Values{};
    BasicInfo m_Record;
    std::int32_t m_LevelCode = 0;
    std::wstring m_DataPath;
    std::int32_t m_Counter = 1;
    std::int32_t m_Ready = 0;
    IDataModel* m_Model1 = nullptr;
    IDataModel* m_Model2 = nullptr;
    IDataModel* m_SoeSource = nullptr;
    CLevelLimitTable m_LimitTable;
    CReportConfig* m_Config = nullptr;
    std::array<std::wstring, 6> m_HeaderTexts;
    std::uintptr_t m_LastValue = 0;
    std::uint32_t m_DataCount = 0;
    std::wstring m_ErrorText;
    std::array<std::vector<std::uint8_t>, 3> m_ValidFlags;
    std::map<std::string, CReportItemName> m_TrendKeys;
    std::map<std::string, CReportItemDef> m_HarmTrendKeys;
};
