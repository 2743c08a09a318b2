#include "report/ReportWizardSettings.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>

#include "core/Ini.h"
#include "core/ProgramPaths.h"
#include "platform/base/Encoding.h"
#include "platform/base/UserFolders.h"
#include "report/ReportConfig.h"

namespace {

const wchar_t* const kPosition = L"Position";
const wchar_t* const kRtfReport = L"RtfReport";
const wchar_t* const kReport = L"Report";
const wchar_t* const kOutputKey = L"ReportLocal";
const wchar_t* const kSchemeKey = L"ReportCfgLoacl";
const wchar_t* const kDefaultScheme = L"ReportConfig.rcg";

const wchar_t* LogoKey(int which)
{
    return which == 1 ? L"Logo1Loacl" : L"Logo2Loacl";
}

const wchar_t* DefaultLogo(int which)
{
    return which == 1 ? L"jmrmain.jpg" : L"jmr.jpg";
}

// As the settings file keeps a flag.
std::wstring Flag(int value)
{
    return value != 0 ? L"1" : L"0";
}

bool IsFile(const std::wstring& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(platform::ToPath(path), error);
}

}  // namespace

std::wstring CReportWizardSettings::Path()
{
    return GetExeDirectory() + L"Ondrava.ini";
}

RtfReportParts CReportWizardSettings::ReadRtfParts()
{
    const CIni ini(Path());
    RtfReportParts parts;
    parts.event = ini.GetBool(kRtfReport, L"IsEvent", 0);
    parts.trend = ini.GetBool(kRtfReport, L"IsTrend", 0);
    return parts;
}

bool CReportWizardSettings::ReadPngPages()
{
    std::wstring format = CIni(Path()).GetString(kRtfReport, L"PagePictures", L"");
    std::transform(format.begin(), format.end(), format.begin(), [](wchar_t c) { return std::towupper(c); });
    return format == L"PNG";
}

void CReportWizardSettings::WriteRtfParts(const RtfReportParts& parts)
{
    CIni(Path()).WriteStrings({{kRtfReport, L"IsEvent", Flag(parts.event)}, {kRtfReport, L"IsTrend", Flag(parts.trend)}});
}

ExcelReportParts CReportWizardSettings::ReadExcelParts()
{
    const CIni ini(Path());
    ExcelReportParts parts;
    parts.workbook = ini.GetBool(kReport, L"IsExcel", 1);
    parts.trend = ini.GetBool(kReport, L"IsTrend", 1);
    parts.histograms = ini.GetBool(kReport, L"IsHistograms", 1);
    parts.itic = ini.GetBool(kReport, L"IsITIC", 0);
    return parts;
}

void CReportWizardSettings::WriteExcelParts(const ExcelReportParts& parts)
{
    CIni(Path()).WriteStrings({{kReport, L"IsExcel", Flag(parts.workbook)},
                               {kReport, L"IsTrend", Flag(parts.trend)},
                               {kReport, L"IsHistograms", Flag(parts.histograms)},
                               {kReport, L"IsITIC", Flag(parts.itic)}});
}

std::wstring CReportWizardSettings::ReadOutputFolder()
{
    std::wstring folder = CIni(Path()).GetString(kPosition, kOutputKey, L"");
    if (folder.empty()) {
        const std::filesystem::path documents = platform::DocumentsFolder();
        if (!documents.empty()) {
            folder = platform::FromPath(documents) + static_cast<wchar_t>(std::filesystem::path::preferred_separator);
            WriteOutputFolder(folder);
        }
    }
    return folder;
}

void CReportWizardSettings::WriteOutputFolder(const std::wstring& folder)
{
    CIni(Path()).WriteString(kPosition, kOutputKey, folder.c_str());
}

std::wstring CReportWizardSettings::SchemePath()
{
    const std::wstring stored = CIni(Path()).GetString(kPosition, kSchemeKey, L"");
    CReportConfig probe;
    if (!stored.empty() && probe.Load(stored) != 0) {
        return stored;
    }
    return GetExeDirectory() + kDefaultScheme;
}

void CReportWizardSettings::WriteSchemePath(const std::wstring& path)
{
    CIni(Path()).WriteString(kPosition, kSchemeKey, path.c_str());
}

std::wstring CReportWizardSettings::ReadLogoPath(int which)
{
    const std::wstring stored = CIni(Path()).GetString(kPosition, LogoKey(which), L"");
    if (IsFile(stored)) {
        return stored;
    }
    const std::wstring shipped = GetExeDirectory() + DefaultLogo(which);
    if (!IsFile(shipped)) {
        return L"";
    }
    WriteLogoPath(which, shipped);
    return shipped;
}

void CReportWizardSettings::WriteLogoPath(int which, const std::wstring& path)
{
    CIni(Path()).WriteString(kPosition, LogoKey(which), path.c_str());
}
