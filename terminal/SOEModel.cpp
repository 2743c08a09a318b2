#include "terminal/SOEModel.h"

#include <cstring>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "terminal/FolderDescription.h"
#include "terminal/K7700SOEAnalysis.h"
#include "terminal/Wiring.h"

CSOEModel::~CSOEModel()
{
    if (analysis != nullptr) {
        analysis->ReleaseFile();
        delete analysis;
        analysis = nullptr;
    }
}

int CSOEModel::CreateAnalysis(std::uint32_t)
{
    if (analysis == nullptr) {
        analysis = new CK7700SOEAnalysis();
    }
    return 1;
}

int CSOEModel::GetSource(std::uint32_t*)
{
    return 0;
}

int CSOEModel::OpenData(void* item)
{
    if (item == nullptr) {
        return 0;
    }
    const CCtrlItem& request = *static_cast<CCtrlItem*>(item);
    switch (request.code) {
    case ctrl::kOpenSoe:
        OpenFolder(request);
        break;
    case ctrl::kSoeEvent:
        Notify(ctrl::kSoeEvent, request.param1, request.param2);
        break;
    case ctrl::kCloseAll:
        Release();
        path.clear();
        Notify(ctrl::kCloseAll, request.param1, request.param2);
        break;
    default:
        break;
    }
    return 1;
}

std::array<std::uint32_t, 10> CSOEModel::QueryWords() const
{
    std::array<std::uint32_t, 10> words{};
    std::copy(query.begin(), query.begin() + 6, words.begin());
    std::copy(query.begin() + 8, query.begin() + 12, words.begin() + 6);
    return words;
}

void CSOEModel::OpenFolder(const CCtrlItem& request)
{
    CreateAnalysis(0);
    Release();
    path.clear();
    const std::filesystem::path folder = platform::ToPath(request.text);
    // The first "*.soe" file of the "SOE" sub-folder; other files there are not events.
    if (const auto soe = platform::FindNoCase(folder, L"SOE")) {
        for (const auto& entry : platform::ListSorted(*soe)) {
            std::error_code error;
            const std::wstring name = platform::FromPath(entry.path().filename());
            if (entry.is_regular_file(error) && name.size() > 4 &&
                platform::NamesEqualNoCase(std::wstring_view(name).substr(name.size() - 4), L".soe")) {
                path = platform::FromPath(entry.path());
                break;
            }
        }
    }
    if (request.param1 != 0) {
        std::memcpy(query.data(), reinterpret_cast<const void*>(request.param1), sizeof(std::uint32_t) * query.size());
        std::array<std::uint32_t, 10> words{};
        std::copy(query.begin() + 8, query.begin() + 12, words.begin() + 6);
        analysis->SetQueryParams(words);
    }
    analysis->SetOption(static_cast<std::uint32_t>(request.param2));
    const std::wstring recordSet = TerminalFile(folder, L"recordset.ini");
    ReadSysInfor(recordSet, m_RecordSet);
    ReadWiring(recordSet, m_RecordSet);
    Notify(ctrl::kOpenSoe, request.param1, request.param2);
}

int CSOEModel::QueryBasicInfo(BasicInfo* info)
{
    if (info == nullptr || analysis == nullptr) {
        return 0;
    }
    analysis->SetQueryParams(QueryWords());
    if (loaded == 0) {
        loaded = analysis->LoadFile(path, 0) != 0 ? 1 : 0;
    }
    analysis->GetBasicInfo(info);
    info->wiringName = m_RecordSet.wiringName;
    info->phaseMask = m_RecordSet.phaseMask;
    return 1;
}
