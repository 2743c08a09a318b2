#pragma once
// The report wizard's settings in "Ondrava.ini" of the program folder: which parts
// of each report the user chose last time ("RtfReport" for the RTF report, "Report"
// for the spreadsheet report), and in "Position" the output folder, the last
// imported report scheme and the two logo pictures (the keys keep their historic
// spelling). Every call reads or writes the file at once.
//
// One setting is only ever set by hand: "PagePictures=PNG" in "RtfReport" makes the
// RTF report's pages PNG pictures, for readers that cannot show metafiles.

#include <string>

struct RtfReportParts {
    int event = 0;
    int trend = 0;
};

struct ExcelReportParts {
    int workbook = 1;
    int trend = 1;
    int histograms = 1;
    int itic = 0;
};

class CReportWizardSettings {
public:
    // The file the settings live in.
    static std::wstring Path();

    static RtfReportParts ReadRtfParts();
    static void WriteRtfParts(const RtfReportParts& parts);
    // Whether the RTF report's pages are to be PNG pictures rather than metafiles.
    static bool ReadPngPages();
    static ExcelReportParts ReadExcelParts();
    static void WriteExcelParts(const ExcelReportParts& parts);

    // The output folder kept from last time; without one the user's documents
    // folder (with a closing separator), which is then kept.
    static std::wstring ReadOutputFolder();
    static void WriteOutputFolder(const std::wstring& folder);

    // The report scheme the wizard starts from: the one imported last, while it
    // still loads, else "ReportConfig.rcg" of the program folder.
    static std::wstring SchemePath();
    static void WriteSchemePath(const std::wstring& path);

    // The logo picture of the first page (1) or of the other pages (2): the one
    // chosen last while the file exists, else the program's own ("jmrmain.jpg",
    // "jmr.jpg") which is then kept; empty when that is missing too.
    static std::wstring ReadLogoPath(int which);
    static void WriteLogoPath(int which, const std::wstring& path);
};
