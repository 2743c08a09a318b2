#include "report/ReportRequest.h"

#include <filesystem>

namespace {

std::wstring TwoDigits(int value)
{
    std::wstring text = std::to_wstring(value);
    return text.size() < 2 ? L"0" + text : text;
}

bool IsSeparator(wchar_t c)
{
    return c == L'/' || c == L'\\';
}

}  // namespace

std::wstring MakeReportName(const std::wstring& dataPath, const CalendarDate& date)
{
    std::size_t end = dataPath.size();
    while (end > 0 && IsSeparator(dataPath[end - 1])) {
        --end;
    }
    std::size_t start = end;
    while (start > 0 && !IsSeparator(dataPath[start - 1])) {
        --start;
    }
    return dataPath.substr(start, end - start) + L"_" + TwoDigits(date.year) + L"-" + TwoDigits(date.month) + L"-" +
           TwoDigits(date.day);
}

std::wstring JoinOutputPath(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || IsSeparator(folder.back())) {
        return folder + name;
    }
    return folder + static_cast<wchar_t>(std::filesystem::path::preferred_separator) + name;
}

ReportRequest BuildReportRequest(ReportKind kind, const ReportWizardResult& wizard, const BasicInfo& record,
                                 const std::wstring& dataPath, const CalendarDate& today)
{
    ReportRequest request;
    request.kind = kind;
    request.dataPath = dataPath;
    request.name = MakeReportName(dataPath, today);
    request.outputPath = JoinOutputPath(wizard.outputFolder, request.name + (kind == ReportKind::Document ? L".rtf" : L""));
    request.levelCode = wizard.levelCode;
    request.record = record;
    if (!wizard.minCapacity.empty()) {
        request.record.mvaText = wizard.minCapacity;
    }
    request.record.tail2 = wizard.filter ? 1 : 0;
    if (wizard.filter) {
        request.record.tailValue1 = wizard.filterUpper;
        request.record.tailValue2 = wizard.filterLower;
    }
    if (kind == ReportKind::Spreadsheet) {
        request.workbook = wizard.excel.workbook != 0;
        request.trendPictures = wizard.excel.trend;
        request.histogramPictures = wizard.excel.histograms;
        request.iticPicture = wizard.excel.itic;
    } else {
        request.trendSection = wizard.rtf.trend;
        request.eventSection = wizard.rtf.event;
    }
    return request;
}

SpreadsheetShares SplitSpreadsheetShares(bool workbook, bool pictures)
{
    if (workbook) {
        return pictures ? SpreadsheetShares{30, 30} : SpreadsheetShares{60, 0};
    }
    return {0, pictures ? 100 : 0};
}
