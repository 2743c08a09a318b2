#pragma once
// CWordReporter: the report as an RTF document of A4 pages, each page one picture
// drawn on the page canvas. The main frame makes one after the report wizard, fills
// its base (Init, which also runs Prepare: the page canvas with the two logos), and
// on the report worker calls CheckReady, SetSections and ReportOutput.
//
// ReportOutput first creates the document's temporary file beside the target (an
// unwritable folder fails there, before anything is read or drawn), then reads
// every statistic series of the report in one call (the data step), then writes the
// sections in a fixed order: the front page with the basic information, the
// power-quality parameter table, the voltage and current harmonic tables (two pages
// each) and their bar chart pages, the trend charts (when asked for) and the event
// pages (when asked for). A page that cannot be drawn or written fails the report;
// so does a document that does not reach the disk whole. On success the finished
// document replaces the target; on failure nothing is left behind and the reason is
// in the message text (GetReportName): 6288 when the data cannot be read or hold no
// value of the report's items at all, 6291 when the folder or disk refuses the
// file, 6290 when the disk is full, and the general error otherwise.
//
// The sections are in WordReporter*.cpp: the data step and the table rows here,
// the tables (WordReporterTables), the harmonic and trend charts
// (WordReporterCharts), the events (WordReporterEvents).

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/Recording.h"
#include "report/BaseReporter.h"
#include "report/HarmTrendItem.h"
#include "report/HarmonicSource.h"
#include "report/ITICImpl.h"
#include "report/PageHeader.h"
#include "report/ReportStatRecord.h"
#include "report/ReportTable.h"
#include "report/ReportTrendItem.h"
#include "report/RtfReportText.h"
#include "report/RtfTempFile.h"
#include "report/ZVTrendCurve.h"
#include "report/ZVTrendPic.h"

class CReportPageCanvas;
class CSOEEventDataManager;
class CZVHarmPic;
class IZVDataManager;

// The nine texts of one line of an assessment table, "--" where the data give none.
struct CParamAssessRow {
    std::wstring maximum = L"--";
    std::wstring average = L"--";
    std::wstring minimum = L"--";
    std::wstring cp95 = L"--";
    std::wstring limit = L"--";
    std::wstring tests = L"--";
    std::wstring over = L"--";
    std::wstring verdict = L"--";
    std::wstring passPercent = L"--";

    // The line as a table row's values under the label.
    CReportRowValues ToValues(const std::wstring& label) const;
};

// One SOE event of an event list: its kind and its index in the event manager.
struct CSoeEventRef {
    std::uint32_t kind = 0;
    std::uint32_t index = 0;
};

// The charts of one trend page and the curves they show (the charts refer to them).
struct CTrendCharts {
    std::deque<CZVTrendCurve> curves;
    std::deque<CZVTrendPic> pictures;
    std::vector<const CZVTrendPic*> List() const;
};

class CWordReporter : public CBaseReporter {
public:
    // The record lists of the data step; each list of three holds the maximum, the
    // minimum and the average series, a list of 75 the three of each harmonic order.
    static constexpr std::size_t kListCount = 27;
    static constexpr std::size_t kVoltage = 0;           // 0-2: item 1, L1-L3
    static constexpr std::size_t kThd = 3;               // 3-5: item 24
    static constexpr std::size_t kAllRecords = 6;        // every record
    static constexpr std::size_t kPst = 7;               // item 13000, one record per phase
    static constexpr std::size_t kPlt = 8;               // item 13001
    static constexpr std::size_t kFrequency = 9;         // item 13017
    static constexpr std::size_t kUnbalance = 10;        // item 13013
    // The harmonic lists hold the subgroups; a recording without them gives the
    // harmonics instead (items 2000 and 7000), and the tables say so.
    static constexpr std::size_t kHarmVoltage = 11;      // 11-13: item 5000, content ratio
    static constexpr std::size_t kHarmCurrent = 14;      // 14-16: item 10000, effective value
    static constexpr std::size_t kPowerFactor = 17;      // 17-20: item 18, L1-L3 and total
    static constexpr std::size_t kFundVoltage = 21;      // 21-23: item 2000, effective value
    static constexpr std::size_t kFundCurrent = 24;      // 24-26: item 7000, effective value
    static constexpr std::size_t kRecordCount = 510;
    static constexpr int kHarmOrders = 25;

    // The SOE event lists and the COMTRADE event kinds.
    static constexpr std::size_t kEventListCount = 9;
    static constexpr std::size_t kComtradeKinds = 4;

    CWordReporter();
    // With another way to the file system (tests make its calls fail).
    explicit CWordReporter(CRtfTempFile::FileAccess access);
    ~CWordReporter() override;

    // Makes the page canvas: the logo of the pages after the first, of the front page. 1.
    int Prepare(std::wstring subLogoPath, std::wstring mainLogoPath) override;
    // Writes the whole report to the path; 1 on success, 0 with the reason in the
    // message text. The second argument is not used.
    int ReportOutput(const std::wstring& outputPath, int progress) override;
    // Non-zero flags add the trend chart section and the event sections.
    void SetSections(int trend, int event);

    // --- The data step: builds the 510 records, reads them all in one call and
    // removes the samples of flagged intervals when the record asks for it. 0 when
    // the statistic data cannot be read.
    int CollectReportData();
    const std::vector<CReportStatRecord*>& GetList(std::size_t list) const { return m_Lists.at(list); }
    // Whether the data step read at least one value.
    bool HoldsAnyValue() const;

    // --- Rows of the assessment tables
    static std::wstring FormatCell(float value);
    // Statistics of list kPowerFactor + quantity (0-3), of list kFundVoltage + quantity (0-5).
    int FillStatRow(CParamAssessRow& row, int quantity) const;
    int FillStatRow6(CParamAssessRow& row, int quantity) const;
    void FillAssessRow(CParamAssessRow& row, float average, float cp95, float maximum, float minimum,
                       double passFraction, float limit, std::uint32_t tests, std::uint32_t over) const;
    int FillUnbalanceRow(CParamAssessRow& row) const;
    int FillFrequencyRow(CParamAssessRow& row) const;
    int FillVoltageDeviationRow(CParamAssessRow& row, int phase) const;
    int FillThdRow(CParamAssessRow& row, int phase) const;
    int FillFlickerRow(CParamAssessRow& row, std::size_t list, int phase) const;
    // One phase's line of a harmonic table for order index 0-24.
    int FillHarmRow(CParamAssessRow& row, bool current, int phase, int orderIndex) const;

    // --- The tables, as their pages show them
    CReportTable BuildBasicInfoTable() const;
    CReportTable BuildParameterTable() const;
    // Rows for the order indexes first up to, not including, end.
    CReportTable BuildHarmTable(bool current, int first, int end) const;
    CReportTable BuildEventSummaryTable() const;
    CReportTable BuildComtradeEventTable() const;
    CReportTable BuildSoeEventTable() const;
    // Row 5 and row 6 of the basic information.
    static std::wstring FormatInterval(double tenthsOfSecond);
    static std::wstring FormatDuration(std::int64_t milliseconds);

    // --- Pages; each returns 1 when it wrote a page
    int WriteBasicInfoPage();
    int WriteParameterTable();
    int WriteHarmVoltageTable(int first, int end, const std::wstring& caption);
    int WriteHarmCurrentTable(int first, int end, const std::wstring& caption);
    int WriteHarmVoltageChartPage(const std::wstring& caption);
    int WriteHarmCurrentChartPage(const std::wstring& caption);
    // Whether the model holds all 25 orders of the harmonic tables' item.
    bool HarmonicsAvailable(bool current) const;
    // Whether the harmonic tables and charts of the kind show the harmonics, the
    // recording holding no subgroups.
    bool HarmonicsFromHarmonicItems(bool current) const { return m_HarmSources[current ? 1 : 0].fromHarmonics; }
    // A harmonic page's heading: its title, and where the values are the harmonics
    // rather than the subgroups, a note saying so.
    std::wstring HarmPageHeading(bool current, const std::wstring& title) const;
    // The line above a table: the harmonic table's test count, and which value of an
    // interval the over-limit counts and pass rates judge.
    std::wstring HarmTableCaption(bool current) const;
    std::wstring ParameterTableCaption() const;
    // The bar chart of one phase: the four statistics of orders 1 to 25.
    CZVHarmPic BuildHarmChart(bool current, int phase) const;

    // --- Trend charts
    int WriteTrendSection();
    void WriteTrendPages(const std::vector<CReportTrendItem>& items);
    int WriteStatTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                           const std::wstring& unit, std::uint32_t count);
    int WriteSignedTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                             const std::wstring& unit);
    int WriteEnergyTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                             const std::wstring& unit);
    int WritePhaseTrendPage(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                            const std::wstring& unit);
    // The charts of a trend page of `count` phases (1, 3 or 4); with signed peaks
    // each chart's maximum and minimum are the peaks of largest and smallest
    // magnitude, with their signs.
    void BuildStatTrendCharts(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                              const std::wstring& unit, std::uint32_t count, bool signedPeaks,
                              CTrendCharts& charts) const;
    void BuildEnergyTrendCharts(const CReportTrendItem& item, std::uint32_t id, const std::wstring& name,
                                const std::wstring& unit, CTrendCharts& charts) const;
    void WriteHarmTrendPages(const std::vector<CHarmTrendItem>& items);
    int WriteHarmTrendItem(const CHarmTrendItem& item, const CReportItemDef& def);
    // One page of up to three charts, one per non-empty order list; every chart
    // kept takes the next chart number.
    int WriteHarmTrendPage(const CReportItemDef& def, std::uint32_t& chartNumber,
                           const std::array<std::vector<std::int32_t>, 3>& lists);
    void BuildHarmTrendCharts(const CReportItemDef& def, std::uint32_t& chartNumber,
                              const std::array<std::vector<std::int32_t>, 3>& lists, CTrendCharts& charts) const;
    // Entry kind and label of phase `phase` of an item of `count` phases (1, 3 or 4).
    bool GetPhaseLabel(std::uint32_t phase, std::uint32_t count, const std::wstring& name, std::int32_t& entryKind,
                       std::wstring& label) const;

    // --- Events
    int CollectSoeEvents();
    void GetComtradeEventNum();
    std::uint32_t TotalEventCount() const;
    const std::vector<CSoeEventRef>& GetEventList(std::size_t list) const { return m_EventLists.at(list); }
    const std::array<std::uint32_t, kComtradeKinds>& GetComtradeCounts() const { return m_ComtradeCounts; }
    const std::vector<CIticEvent>& GetIticEvents() const { return m_IticEvents; }
    int WriteEventSummaryTable();
    int WriteComtradeEventTable();
    int WriteSoeEventTable();
    int WriteSoeChartSection();
    // The chart kinds of the SOE statistic charts, in page order, for the lists that hold events.
    std::vector<int> SoeChartKinds() const;
    // The chart of one kind (0-6, 8): one curve per event kind of its list, the
    // counts of up to eight equal intervals of the report period.
    bool BuildSoeChart(int chartKind, CZVTrendPic& picture, std::deque<CZVTrendCurve>& curves) const;
    // The interval count (1 to 8; 0 for an empty period) and length.
    std::int64_t GetChartIntervals(int& count) const;
    std::vector<std::uint32_t> CountEventsPerInterval(const std::vector<std::uint32_t>& indices, int count,
                                                      std::int64_t length, std::int64_t start,
                                                      std::int64_t end) const;

    // --- Page output
    // The canvas (for tests to set its resolution); null before Prepare.
    CReportPageCanvas* GetCanvas() { return m_Canvas.get(); }
    // Every page picture written, in order, when keeping them was asked for.
    void KeepPages(bool keep) { m_KeepPages = keep; }
    const std::vector<std::string>& GetKeptPages() const { return m_KeptPages; }
    // Called with every page just before it is finished (tests read its drawing).
    void SetPageObserver(std::function<void(CReportPageCanvas&)> observer) { m_PageObserver = std::move(observer); }
    // The pages written into the document by the last ReportOutput.
    std::size_t GetPagesWritten() const { return m_PagesWritten; }
    // The time spent drawing and encoding pages in the last ReportOutput (seconds).
    double GetRenderSeconds() const { return m_RenderSeconds; }

private:
    struct Line {
        std::wstring label;
        CParamAssessRow row;
    };

    // Maximum, average, minimum, 95 % value and tests of a list of three.
    int FillStatRowOf(CParamAssessRow& row, std::size_t list) const;
    int WriteHarmChartPage(bool current, const std::wstring& caption);
    int WriteHarmTablePage(bool current, int first, int end, const std::wstring& caption);
    void ClearRecords();
    void AddRecords(std::size_t list, std::uint32_t channel, std::uint32_t statistic, std::int32_t orderIndex,
                    std::uint32_t valueKind, std::uint32_t item);
    void AppendToAll(std::size_t list);
    // Turns the harmonic lists to the harmonics where the model holds no subgroups.
    void ChooseHarmonicSources();
    const std::vector<float>& Series(std::size_t list, std::size_t record) const;

    CPageHeader PageHeader(const std::wstring& heading) const;
    // Ends the open page and writes it into the document (a new section unless it is
    // the front page); false, and the report failed, when it could not be.
    bool FinishPage(bool newSection);
    // Whether a drawing operation of the page canvas placed what it was given (its
    // result not 0); when not, the report has failed: it would lack that part.
    bool Placed(int drawn);
    // The table as a picture of width x height units; false, and the report failed, when it cannot be drawn.
    bool DrawTable(const CReportTable& table, double width, double height, gfx::Recording& picture);
    bool WriteTablePage(const CReportTable& table, double width, double height, const std::wstring& heading,
                        double scale, double yOffset, const std::wstring& caption = {});
    bool WriteTrendPage(const std::wstring& name, const std::vector<const CZVTrendPic*>& pictures, int style,
                        int layout);
    bool MakeCurve(std::uint32_t channel, std::uint32_t statistic, std::uint32_t order, std::uint32_t valueKind,
                   std::uint32_t itemCode, const std::wstring& curveName, std::uint32_t color, std::uint32_t kind,
                   std::deque<CZVTrendCurve>& curves) const;
    CZVTrendPic NewTrendPicture(const std::wstring& title, const std::wstring& unit, std::uint32_t id) const;
    void WriteSoeChartPages(const std::vector<int>& kinds);
    bool Failed() const;
    void SetSaveMessage(int error);

    std::array<std::vector<CSoeEventRef>, kEventListCount> m_EventLists;
    std::unique_ptr<CReportPageCanvas> m_Canvas;
    CRtfTempFile m_TempFile;
    std::vector<std::unique_ptr<CReportStatRecord>> m_Records;
    std::array<std::vector<CReportStatRecord*>, kListCount> m_Lists;
    // The SOE events of the report, read once; the event lists index into it.
    std::unique_ptr<CSOEEventDataManager> m_SoeEvents;
    std::array<std::uint32_t, kComtradeKinds> m_ComtradeCounts{};
    std::array<CHarmonicSource, 2> m_HarmSources{SubgroupSource(false), SubgroupSource(true)};  // voltage, current
    std::vector<CIticEvent> m_IticEvents;
    int m_TrendSection = 0;
    int m_EventSection = 0;
    bool m_PageFailed = false;
    bool m_KeepPages = false;
    std::vector<std::string> m_KeptPages;
    double m_RenderSeconds = 0.0;
    std::size_t m_PagesWritten = 0;
    std::function<void(CReportPageCanvas&)> m_PageObserver;
};
