#pragma once
// CReportConfig: everything the user chooses for one report: the rows of the
// parameter table and their phases, the trend charts and their phases, the harmonic
// tables and harmonic trend charts with their orders, and the texts printed on the
// report. A plain value: getters return copies and setters copy in. The main frame
// makes one per report command, the wizard edits it and may save or load it as an
// ".rcg" file, the reporters read it. Lists change only by set-or-add by key.

#include <string>
#include <vector>

#include "report/ReportBasicInfo.h"
#include "report/ReportHarmPart.h"
#include "report/ReportParamItem.h"
#include "report/ReportTrendItem.h"

class CReportConfig {
public:
    // Limits of what a loaded file may hold: more is refused as damaged, not read.
    static constexpr std::size_t kMaxListItems = 256;
    static constexpr std::size_t kMaxGroupsPerItem = 50;

    // The default lists (9 parameter rows, 35 trend charts, 6 harmonic tables, 24
    // harmonic trend items) and empty texts.
    CReportConfig();
    bool operator==(const CReportConfig&) const = default;

    // Writes the whole configuration (UTF-8, atomically); 1 when the file was written.
    int Save(const std::wstring& path) const;
    // Reads a file over the configuration: its items replace those of the same key,
    // items of other keys are appended, and what the file lacks stays. 0, with
    // nothing changed, for a file that is missing, unreadable, not XML, not rooted in
    // "Ondrava", or damaged (a flag that is not a digit, an order count past order 50,
    // an order that is not two digits, more items or charts than the limits). Files
    // of older copies written in the GBK code page are read too.
    int Load(const std::wstring& path);

    CReportBasicInfo GetBasicInfo() const { return m_BasicInfo; }
    void SetBasicInfo(const CReportBasicInfo& info) { m_BasicInfo = info; }
    std::vector<CReportParamItem> GetParamPart() const { return m_ParamItems; }
    void SetParamItem(const CReportParamItem& item);
    std::vector<CReportTrendItem> GetTrendPart() const { return m_TrendItems; }
    void SetTrendPart(const std::vector<CReportTrendItem>& items) { m_TrendItems = items; }
    void SetTrendItem(const CReportTrendItem& item);
    CReportHarmPart GetHarmPart() const { return m_HarmPart; }
    void SetHarmPart(const CReportHarmPart& part) { m_HarmPart = part; }

private:
    std::vector<CReportParamItem> m_ParamItems;
    std::vector<CReportTrendItem> m_TrendItems;
    CReportHarmPart m_HarmPart;
    CReportBasicInfo m_BasicInfo;
};
