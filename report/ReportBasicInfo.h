#pragma once
// CReportBasicInfo: the texts a report prints about where and by whom it was made.
// The four narrow strings are stored in the ".rcg" file (UTF-8); the eight wide texts
// live in memory only and are filled by the report wizard's first page.

#include <string>

struct CReportBasicInfo {
    bool operator==(const CReportBasicInfo&) const = default;

    // Stored ("OperatePlace", "Operator", "Reporter", "OperateDept"), UTF-8.
    std::string place;
    std::string operatorName;
    std::string reporter;
    std::string department;

    // In memory only. Texts 1 to 4: the same four values as wide texts (the
    // spreadsheet report's wizard names them place, line, reporter and condition).
    std::wstring placeText;
    std::wstring operatorText;
    std::wstring reporterText;
    std::wstring departmentText;
    // Texts 5 and 6: the pictures of the main page and of the other pages.
    std::wstring mainLogoPath;
    std::wstring subLogoPath;
    // Texts 7 and 8: the agreed and the supply capacity (MVA) of the spreadsheet report.
    std::wstring agreedCapacityText;
    std::wstring supplyCapacityText;
};
