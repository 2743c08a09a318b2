#include "terminal/ComtradeModel.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Hourglaze.h"
#include "terminal/FolderDescription.h"
#include "terminal/K7700ComtradeAnalysis.h"
#include "terminal/Wiring.h"
#include "terminal/ZVDataManager.h"

namespace {

// Digits only, as the record name's fields are.
bool Number(std::wstring_view text, int& value)
{
    value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return false;
        }
        value = value * 10 + (c - L'0');
    }
    return true;
}

// "<xx>_<yyyymmdd>_<hhmmss>_<mmm>" (at least four parts; the last four count).
bool ParseRecordName(const std::wstring& stem, CZVTimeStamp& time)
{
    std::vector<std::wstring_view> parts;
    std::wstring_view rest = stem;
    for (;;) {
        const std::size_t at = rest.find(L'_');
        parts.push_back(rest.substr(0, at));
        if (at == std::wstring_view::npos) {
            break;
        }
        rest.remove_prefix(at + 1);
    }
    if (parts.size() < 4) {
        return false;
    }
    const std::wstring_view prefix = parts[parts.size() - 4];
    const std::wstring_view date = parts[parts.size() - 3];
    const std::wstring_view clock = parts[parts.size() - 2];
    const std::wstring_view millis = parts[parts.size() - 1];
    if (prefix.size() != 2 || date.size() != 8 || clock.size() != 6 || millis.size() != 3) {
        return false;
    }
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
    if (!Number(date.substr(0, 4), year) || !Number(date.substr(4, 2), month) || !Number(date.substr(6, 2), day) ||
        !Number(clock.substr(0, 2), hour) || !Number(clock.substr(2, 2), minute) ||
        !Number(clock.substr(4, 2), second) || !Number(millis, millisecond)) {
        return false;
    }
    time = CZVTimeStamp(year, month, day, hour, minute, second, millisecond);
    return time.m_seconds != 0;
}

std::int64_t QueryTime(const std::array<std::uint32_t, 14>& query, std::size_t word)
{
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(query[word]) |
                                     (static_cast<std::uint64_t>(query[word + 1]) << 32));
}

}  // namespace

CComtradeModel::~CComtradeModel()
{
    if (analysis != nullptr) {
        analysis->ReleaseFile();
        delete analysis;
        analysis = nullptr;
    }
}

int CComtradeModel::CreateAnalysis(std::uint32_t)
{
    if (analysis == nullptr) {
        analysis = new CK7700ComtradeAnalysis();
    }
    return 1;
}

int CComtradeModel::GetSource(std::uint32_t*)
{
    return 0;
}

int CComtradeModel::OpenData(void* item)
{
    if (item == nullptr) {
        return 0;
    }
    CCtrlItem& request = *static_cast<CCtrlItem*>(item);
    switch (request.code) {
    case ctrl::kOpenComtrade:
        OpenFolder(request);
        break;
    case ctrl::kComtradeRecord:
        path = m_Root + request.text;
        Release();
        Notify(ctrl::kComtradeRecord, request.param1, request.param2);
        break;
    case ctrl::kCloseAll:
        m_Root.clear();
        path.clear();
        Release();
        Notify(ctrl::kCloseAll, request.param1, request.param2);
        break;
    default:
        break;
    }
    return 1;
}

void CComtradeModel::OpenFolder(CCtrlItem& request)
{
    m_Root = request.text;
    path = request.text;
    Release();
    if (request.param1 != 0) {
        std::memcpy(query.data(), reinterpret_cast<const void*>(request.param1), sizeof(std::uint32_t) * query.size());
    }
    const std::filesystem::path folder = platform::ToPath(m_Root);
    const std::wstring recordSet = TerminalFile(folder, L"recordset.ini");
    ReadSysInfor(recordSet, m_RecordSet);
    ReadWiring(recordSet, m_RecordSet);
    {
        CIni ini(recordSet);
        EWL = static_cast<int>(ini.GetUInt(L"SysInfor", L"EWL", 10));
        BWL = static_cast<int>(ini.GetUInt(L"SysInfor", L"BWL", 4));
    }
    m_FilesPerFolder = CIni(TerminalFile(folder, L"recordinfo.cfg")).GetUInt(L"cfg", L"CFFC", 300);
    Notify(ctrl::kOpenComtrade, request.param1, request.param2);
    request.param2 = m_ScanScale;
    Notify(ctrl::kComtradeListReady, 0, 0);
}

int CComtradeModel::GetData(QueryWord w0, QueryWord w1, QueryWord w2, QueryWord w3, QueryWord w4, QueryWord w5)
{
    if (w4 == 0) {
        if (auto* sink = dynamic_cast<IComtradeRecordSink*>(reinterpret_cast<IZVDataManager*>(w5))) {
            ListRecords(*sink);
        }
        return 0;
    }
    if (analysis == nullptr || !IsPhaseInMask(m_RecordSet.phaseMask, static_cast<std::uint32_t>(w0))) {
        return 0;
    }
    return IDataModel::GetData(w0, w1, w2, w3, w4, w5) != 0 ? 1 : 0;
}

int CComtradeModel::RecordFileFilter(std::uint32_t startLow, std::uint32_t startHigh, std::uint32_t endLow,
                                     std::uint32_t endHigh, const std::wstring& relativeName)
{
    const std::array<std::uint32_t, 4> words = {startLow, startHigh, endLow, endHigh};
    const std::size_t slash = relativeName.find_last_of(L"/\\");
    const std::wstring stem = slash == std::wstring::npos ? relativeName : relativeName.substr(slash + 1);
    CZVTimeStamp time;
    if (!ParseRecordName(stem, time)) {
        return 0;
    }
    const std::int64_t from = static_cast<std::int64_t>(static_cast<std::uint64_t>(words[0]) |
                                                        (static_cast<std::uint64_t>(words[1]) << 32));
    const std::int64_t to = static_cast<std::int64_t>(static_cast<std::uint64_t>(words[2]) |
                                                      (static_cast<std::uint64_t>(words[3]) << 32));
    return time.m_seconds >= from && time.m_seconds <= to ? 1 : 0;
}

void CComtradeModel::ListRecords(IComtradeRecordSink& sink)
{
    const auto comtrade = platform::FindNoCase(platform::ToPath(m_Root), L"COMTRADE");
    std::vector<std::filesystem::path> folders;
    if (comtrade) {
        for (const auto& entry : platform::ListSorted(*comtrade)) {
            std::error_code error;
            if (entry.is_directory(error)) {
                folders.push_back(entry.path());
            }
        }
    }
    // Entries name the folder as it is on disk, so that the record can be opened again
    // from the path alone.
    const std::wstring comtradeName = comtrade ? platform::FromPath(comtrade->filename()) : L"COMTRADE";
    const std::size_t n = folders.size();
    m_ScanScale = n > 2 ? 30 : (n == 2 ? 20 : 10);

    // The busy indicator moves by scanScale over the files the folders may hold.
    constexpr std::uint32_t kFilesPerStep = 10;
    const double expected = std::max<double>(1.0, static_cast<double>(m_FilesPerFolder) * static_cast<double>(n));
    const double step = static_cast<double>(m_ScanScale) * kFilesPerStep / expected;
    std::uint32_t scanned = 0;

    const std::int64_t from = QueryTime(query, 8);
    const std::int64_t to = QueryTime(query, 10);
    for (const std::filesystem::path& sub : folders) {
        const std::wstring subName = platform::FromPath(sub.filename());
        for (const auto& entry : platform::ListSorted(sub)) {
            std::error_code error;
            if (!entry.is_regular_file(error)) {
                continue;
            }
            if (++scanned % kFilesPerStep == 0) {
                IncreaseHourglaze(step);
            }
            const std::wstring name = platform::FromPath(entry.path().filename());
            if (name.size() < 4 || !platform::NamesEqualNoCase(std::wstring_view(name).substr(name.size() - 4), L".CFG")) {
                continue;
            }
            CZVTimeStamp time;
            if (!ParseRecordName(name.substr(0, name.size() - 4), time) || time.m_seconds < from ||
                time.m_seconds > to) {
                continue;
            }
            sink.AddRecord(CComtradeListItem{time, L"/" + comtradeName + L"/" + subName + L"/" + name});
        }
    }
}

int CComtradeModel::QueryBasicInfo(BasicInfo* info)
{
    if (info == nullptr) {
        return 0;
    }
    if (analysis != nullptr) {
        if (loaded == 0) {
            loaded = analysis->LoadFile(path, 0) != 0 ? 1 : 0;
        }
        if (loaded != 0) {
            analysis->GetBasicInfo(info);
        }
    }
    info->wiringName = m_RecordSet.wiringName;
    info->phaseMask = m_RecordSet.phaseMask;
    return 1;
}
