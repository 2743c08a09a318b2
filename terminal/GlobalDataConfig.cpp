#include "terminal/GlobalDataConfig.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>

#include "core/Ini.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "terminal/FolderDescription.h"

bool CGlobalDataConfig::ReadDeviceType(const std::wstring& folder)
{
    if (folder.empty()) {
        return false;
    }
    std::error_code error;
    const std::wstring file = TerminalFile(platform::ToPath(folder), L"recordinfo.cfg");
    if (!std::filesystem::is_regular_file(platform::ToPath(file), error)) {
        return false;
    }
    std::wstring type = CIni(file).GetString(L"cfg", L"DeviceType", L"");
    for (wchar_t& c : type) {
        c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    }
    static constexpr struct {
        const wchar_t* name;
        Kind kind;
    } kModels[] = {{L"K7700", K7700}, {L"K7800", K7800}, {L"K7900", K7900}};
    for (const auto& model : kModels) {
        if (type.find(model.name) != std::wstring::npos) {
            m_Kind = model.kind;
            return true;
        }
    }
    m_Kind = Unknown;
    return false;
}

std::wstring CGlobalDataConfig::GetStatisticPath(bool withSeparator) const
{
    std::wstring path;
    switch (m_Kind) {
    case Unknown:
    case K7900:
        path = L"Statistic";
        break;
    case K7700:
    case K7800:
        path = L"Statistic/newfiles";
        break;
    default:
        break;
    }
    if (withSeparator) {
        path += L'/';
    }
    return path;
}

namespace {

std::wstring WithoutTrailingSeparators(std::wstring folder)
{
    std::replace(folder.begin(), folder.end(), L'\\', L'/');
    while (folder.size() > 1 && folder.back() == L'/') {
        folder.pop_back();
    }
    return folder;
}

}  // namespace

void CGlobalDataConfig::SetItemFolder(const std::wstring& terminalFolder, const std::wstring& itemFolder)
{
    m_ItemFolderOwner = itemFolder.empty() ? std::wstring() : WithoutTrailingSeparators(terminalFolder);
    m_ItemFolder = itemFolder;
}

std::filesystem::path CGlobalDataConfig::StatisticFolderOf(const std::filesystem::path& terminalFolder) const
{
    if ((m_Kind == K7700 || m_Kind == K7800) && !m_ItemFolder.empty() &&
        WithoutTrailingSeparators(platform::FromPath(terminalFolder)) == m_ItemFolderOwner) {
        return platform::ToPath(m_ItemFolder);
    }
    return platform::ResolveNoCase(terminalFolder, GetStatisticPath(false));
}
