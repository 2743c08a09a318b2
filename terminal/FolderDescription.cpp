#include "terminal/FolderDescription.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <limits>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/LocalTime.h"
#include "platform/base/PrivateProfile.h"
#include "terminal/ProfileInt.h"

namespace {

constexpr std::size_t kItemTextLimit = 10240;

std::wstring Trim(const std::wstring& text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && std::iswspace(static_cast<wint_t>(text[first]))) {
        ++first;
    }
    while (last > first && std::iswspace(static_cast<wint_t>(text[last - 1]))) {
        --last;
    }
    return text.substr(first, last - first);
}

// "%.2f" of a finite value, whatever its size (the largest double has 309 digits
// before the point) and whatever the locale.
std::wstring Format2f(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    return std::wstring(buffer, result.ptr);
}

// The ratio text of "PT1"/"CT1": the key's own text cut two characters after its
// first "." when the number reaches the threshold, else left ÷ right.
std::wstring ReadRatio(const CIni& ini, const wchar_t* key, double threshold, double& ratio)
{
    const double direct = ini.GetDouble(L"SysInfor", key, 0.0);
    if (direct >= threshold) {
        ratio = direct;
        std::wstring text = ini.GetString(L"SysInfor", key, L"0");
        const std::size_t dot = text.find(L'.');
        if (dot != std::wstring::npos && dot + 3 < text.size()) {
            text.resize(dot + 3);
        }
        return text;
    }
    const std::wstring base(key);
    const double left = ini.GetDouble(L"SysInfor", (base + L"_Left").c_str(), 0.0);
    const double right = ini.GetDouble(L"SysInfor", (base + L"_Right").c_str(), 0.0);
    ratio = right != 0.0 ? left / right : NAN;
    return std::isfinite(ratio) ? Format2f(ratio) : std::wstring(kUnknownRatioText);
}

}  // namespace

std::wstring TerminalFile(const std::filesystem::path& folder, const wchar_t* relative)
{
    return platform::FromPath(platform::ResolveNoCase(folder, relative));
}

std::wstring FormatRecordTime(const std::int64_t* time, int milliseconds)
{
    int fields[6] = {-1, 0, -1, -1, -1, -1};
    if (time != nullptr) {
        // A damaged time can be a year that an int does not hold once 1900 is added
        // to it: such a time is shown as none.
        const auto local = platform::ToLocalTime(static_cast<std::time_t>(*time));
        if (local && local->tm_year <= std::numeric_limits<int>::max() - 1900) {
            fields[0] = local->tm_year + 1900;
            fields[1] = local->tm_mon + 1;
            fields[2] = local->tm_mday;
            fields[3] = local->tm_hour;
            fields[4] = local->tm_min;
            fields[5] = local->tm_sec;
        }
    }
    wchar_t buffer[96];
    std::swprintf(buffer, 96, L"%04d-%02d-%02d %02d:%02d:%02d.%03d", fields[0], fields[1], fields[2], fields[3],
                  fields[4], fields[5], milliseconds);
    return buffer;
}

int ReadRecordInfo(const std::wstring& path, BasicInfo& info, std::int64_t offsetSeconds, std::int64_t endTime)
{
    static const wchar_t* const keys[] = {L"StartTimeYear",   L"StartTimeMonth",  L"StartTimeDay",
                                          L"StartTimeHour",   L"StartTimeMinute", L"StartTimeSecond",
                                          L"StartTimeMilliSecond"};
    CIni ini(path);
    int fields[7];
    for (int i = 0; i < 7; ++i) {
        fields[i] = ReadProfileInt(ini, L"cfg", keys[i], -1);
        if (fields[i] < 0) {
            return 0;
        }
    }
    const auto start =
        platform::FromLocalTime(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
    std::int64_t moved = 0;
    if (start && !__builtin_add_overflow(static_cast<std::int64_t>(*start), offsetSeconds, &moved)) {
        info.startText = FormatRecordTime(&moved, fields[6]);
    } else {
        info.startText = FormatRecordTime(nullptr, fields[6]);
    }
    // The end lies whole intervals after the start, so it carries the start's
    // milliseconds: a day's record that starts at .250 ends at .250, not a quarter
    // second short of its day.
    info.endText = FormatRecordTime(&endTime, fields[6]);
    info.userName = ini.GetString(L"cfg", L"UserName", L"").substr(0, 1024);
    info.place = ini.GetString(L"cfg", L"Place", L"").substr(0, 1024);
    info.deviceType = ini.GetString(L"cfg", L"DeviceType", L"K7700").substr(0, 1024);
    return 1;
}

int ReadSysInfor(const std::wstring& path, BasicInfo& info)
{
    CIni ini(path);
    double ptRatio = 0.0;
    double ctRatio = 0.0;
    info.ptRatioText = ReadRatio(ini, L"PT1", 0.1, ptRatio);
    info.ctRatioText = ReadRatio(ini, L"CT1", 0.5, ctRatio);
    const double voltage = ini.GetDouble(L"SysInfor", L"U", 0.0) * ptRatio;
    info.voltageText = std::isfinite(voltage) ? Format2f(voltage) : std::wstring(kUnknownRatioText);
    info.ptText = ini.GetString(L"SysInfor", L"PT", L"");
    info.ctText = ini.GetString(L"SysInfor", L"CT", L"");
    info.mvaText = ini.GetString(L"SysInfor", L"MVA", L"");
    const bool complete = !info.voltageText.empty() && !info.ptText.empty() && !info.ctText.empty() &&
                          !info.ptRatioText.empty() && !info.ctRatioText.empty() && !info.mvaText.empty();
    return complete ? 1 : 0;
}

StatisticDescription ReadStatisticDescription(const std::wstring& path)
{
    CIni ini(path);
    StatisticDescription description;
    description.blockSize = ReadProfileInt(ini, L"cfg", L"BlockSize", -1);
    description.timePlot = ReadProfileInt(ini, L"cfg", L"TimePlot", -1);
    description.blockCountPerFile = ReadProfileInt(ini, L"cfg", L"BlockCountPerFile", 300);
    description.blockTypeCount = ReadProfileInt(ini, L"cfg", L"BlockTypeCount", 3);
    description.itemText = ini.GetString(L"cfg", L"Item", L"***");
    if (description.itemText.size() > kItemTextLimit - 1) {
        description.itemText.resize(kItemTextLimit - 1);
    }
    return description;
}

std::vector<std::wstring> SplitItemText(const std::wstring& text)
{
    std::vector<std::wstring> pieces;
    std::size_t start = 0;
    for (std::size_t comma = text.find(L','); comma != std::wstring::npos; comma = text.find(L',', start)) {
        pieces.push_back(Trim(text.substr(start, comma - start)));
        start = comma + 1;
    }
    std::wstring rest = Trim(text.substr(start));
    if (!rest.empty()) {
        pieces.push_back(std::move(rest));
    }
    return pieces;
}

std::vector<std::uint32_t> ParseItemList(const std::wstring& text)
{
    std::vector<std::uint32_t> items;
    if (text.empty() || text == L"***") {
        return items;
    }
    for (const std::wstring& piece : SplitItemText(text)) {
        const int id = platform::ParseProfileInt(piece);
        if (id == 1000) {
            items.clear();
            for (std::uint32_t all = 1; all <= 461; ++all) {
                items.push_back(all);
            }
            break;
        }
        items.push_back(static_cast<std::uint32_t>(id));
    }
    return items;
}

std::wstring OversizedDescriptionFile(const std::filesystem::path& folder)
{
    for (const wchar_t* name : {L"recordinfo.cfg", L"recordset.ini", L"Statistic/statistic.cfg"}) {
        std::error_code error;
        const std::uintmax_t size = std::filesystem::file_size(platform::ToPath(TerminalFile(folder, name)), error);
        if (!error && size > kDescriptionFileLimit) {
            return name;
        }
    }
    return std::wstring();
}
