#pragma once
// CExcelReporter: the statistic report as a spreadsheet. It opens the template of the
// user's language, gathers every interval series its sheets need from the statistic
// data in one request, evaluates them (maximum, average, minimum, 95 % value, counts,
// pass rates and verdicts against the national-standard limits of the selected
// voltage level) into fixed cells of the template's first four sheets, and saves a
// copy of the filled workbook named after the data and the time of day.
//
// The main frame makes the reporter, fills its base (Init), then on the report
// worker calls CheckReady and, when that succeeds, ReportOutput with the output
// folder and the reporter's share of the busy indicator; it shows GetReportName when
// either returns 0. A cell that no value reaches keeps the template's content.

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/ExcelAutomation.h"
#include "export/ReportStatRow.h"
#include "report/BaseReporter.h"
#include "report/HarmonicSource.h"
#include "report/ReportStatRecord.h"

class CExcelReporter : public CBaseReporter {
public:
    CExcelReporter();
    ~CExcelReporter() override;

    // The spreadsheet shows no pictures: the logos are not used.
    int Prepare(std::wstring subLogoPath, std::wstring mainLogoPath) override;
    void Finish() override;
    // Fills and saves the workbook into `folder` (made when missing) as
    // "<data name>_HH-MM-SS.xlsx", or with "(2)"... when that name is taken. 1 on
    // success; 0 with the reason in the message text, and no file written, when the
    // statistic data cannot be read, memory runs out, a cell cannot be written or the
    // file cannot be saved. `share` is the part of the busy indicator, in percent,
    // that the report advances from where it stands.
    int ReportOutput(const std::wstring& folder, int share) override;
    // Opens the template of the selected language; 0 with the message text set when
    // it is missing or broken.
    int CheckReady() override;

    // The workbook the last successful ReportOutput wrote.
    const std::wstring& GetOutputFile() const { return m_OutputFile; }

    // The record lists, numbered as the sheet fillers read them.
    static constexpr std::size_t kPhaseVoltage = 0;        // 0 to 2, phases A to C: MAX, MIN, AVG
    static constexpr std::size_t kThd = 3;                 // 3 to 5
    static constexpr std::size_t kRequests = 6;            // every record, in request order
    static constexpr std::size_t kShortFlicker = 7;        // one record per phase
    static constexpr std::size_t kLongFlicker = 8;
    static constexpr std::size_t kFrequency = 9;
    static constexpr std::size_t kUnbalance = 10;
    // The subgroups' orders 1 to 25; the harmonics' where the recording has no subgroups.
    static constexpr std::size_t kVoltageHarmonic = 11;    // 11 to 13: MAX, MIN, AVG of orders 1 to 25
    static constexpr std::size_t kCurrentHarmonic = 14;    // 14 to 16
    static constexpr std::size_t kActivePower = 17;        // 17 to 20: phases A to C, then the fourth channel
    static constexpr std::size_t kApparentPower = 21;      // 21 to 24
    static constexpr std::size_t kReactivePower = 25;      // 25 to 28
    static constexpr std::size_t kPowerFactor = 29;        // 29 to 32
    static constexpr std::size_t kFundamentalVoltage = 33; // 33 to 35
    static constexpr std::size_t kFundamentalCurrent = 36; // 36 to 38
    static constexpr std::size_t kListCount = 39;

private:
    // Whether the statistic reader served the request list.
    bool CollectStatisticData();
    void BuildRequests();
    void AddRecords(std::size_t list, std::uint32_t channel, std::span<const std::uint32_t> statistics,
                    std::int32_t orderIndex, std::uint32_t valueKind, std::uint32_t itemCode);
    void AppendToRequests(std::size_t list);
    // Removes from the series the intervals the phase voltage marks invalid.
    void FilterValidSamples();

    // The values of record `position` of a list; empty when the list holds no such record.
    const std::vector<float>& Values(std::size_t list, std::size_t position) const;

    void WriteReportHeaders();
    void WriteHeaderCells(const std::wstring& sheet, const std::wstring& column, const std::wstring& infoCell);
    void WriteQualityGrid();
    void WriteGridRow(int row, const CReportStatRow& values, bool limitAsText);
    // Turns the harmonic lists to the harmonics where the model holds no subgroups.
    void ChooseHarmonicSources();
    void WriteHarmonicRows();
    // Above the harmonic tables of sheets whose values are the harmonics: a note saying so.
    void WriteHarmonicSourceNotes();
    void WriteHarmonicRow(const std::array<CReportStatRow, 3>& phases, int row, bool voltage);
    void FillStatisticTables();
    // Whether the phase had THD data to write.
    bool WriteThdRow(std::size_t phase);
    void WritePowerSummary();

    // The values of a list's MAX, MIN and AVG records.
    bool FillTripleRow(CReportStatRow& row, std::size_t list) const;

    // Cell writers; a cell that cannot be written ends the report.
    void WriteText(const std::wstring& sheet, const std::wstring& cell, const std::wstring& value);
    void WriteFloat(const std::wstring& sheet, const std::wstring& cell, float value);
    void WriteUInt(const std::wstring& sheet, const std::wstring& cell, std::uint32_t value);
    const std::wstring& SheetNumber(const std::wstring& title) const;

    // Moves the busy indicator to step k of the report's share.
    void Progress(int step) const;
    void Fail(unsigned textId);

    CExcelAutomation m_Automation;
    std::map<std::wstring, std::wstring> m_SheetNumbers;
    std::vector<std::unique_ptr<CReportStatRecord>> m_Records;  // owns every record
    std::array<std::vector<CReportStatRecord*>, kListCount> m_Lists;
    float m_ProgressStart = 0.0f;
    float m_ProgressShare = 0.0f;
    VerdictTexts m_Verdicts;
    std::array<CHarmonicSource, 2> m_HarmSources{SubgroupSource(false), SubgroupSource(true)};  // voltage, current
    std::wstring m_OutputFile;
};
