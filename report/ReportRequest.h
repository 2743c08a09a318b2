#pragma once
// ReportRequest: everything a report run needs, built on the user-interface thread
// from the report wizard's answers and the data being reported, before the report
// worker starts; the worker only reads it.

#include <string>

#include "report/ReportWizardSettings.h"
#include "terminal/BasicInfo.h"

// What the wizard's first page gives once the user has finished the wizard.
struct ReportWizardResult {
    int levelCode = 0;                // 1 (0.38 kV) to 7 (220 kV)
    std::wstring outputFolder;
    std::wstring minCapacity;         // the site's minimum short-circuit capacity, MVA
    bool filter = false;              // leave out intervals outside the limits
    float filterUpper = 0.0f;
    float filterLower = 0.0f;
    ExcelReportParts excel;           // the spreadsheet report's parts
    RtfReportParts rtf;               // the RTF report's optional sections
};

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

enum class ReportKind {
    Spreadsheet,  // the workbook and the picture files, into one folder
    Document,     // the RTF file
};

struct ReportRequest {
    ReportKind kind = ReportKind::Spreadsheet;
    std::wstring dataPath;    // the data folder or waveform record reported
    std::wstring name;        // the data's name and today's date
    // The spreadsheet report's folder, or the RTF file.
    std::wstring outputPath;
    int levelCode = 0;
    // The data record as the reporters read it: the wizard's minimum short-circuit
    // capacity and, with the filter on, its mode word and sample limits.
    BasicInfo record;
    bool workbook = false;
    int trendPictures = 0;
    int histogramPictures = 0;
    int iticPicture = 0;
    int trendSection = 0;
    int eventSection = 0;

    bool WantsPictures() const { return trendPictures != 0 || histogramPictures != 0 || iticPicture != 0; }
};

// The last component of the data path (either separator), then "_YYYY-MM-DD".
std::wstring MakeReportName(const std::wstring& dataPath, const CalendarDate& date);
// The folder and the name with one separator between them.
std::wstring JoinOutputPath(const std::wstring& folder, const std::wstring& name);

ReportRequest BuildReportRequest(ReportKind kind, const ReportWizardResult& wizard, const BasicInfo& record,
                                 const std::wstring& dataPath, const CalendarDate& today);

// The busy indicator's share of each spreadsheet writer, in percent.
struct SpreadsheetShares {
    int workbook = 0;
    int pictures = 0;
};
SpreadsheetShares SplitSpreadsheetShares(bool workbook, bool pictures);
