#include "export/ExcelAutomation.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <unistd.h>

#include "core/OndravaLog.h"
#include "export/ExcelTemplate.h"
#include "export/ExcelWorkbook.h"
#include "platform/base/Encoding.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMaxCopies = 1000;
constexpr int kTemporaryAttempts = 100;

// The workbook index of a sheet number text ("1" is the first sheet).
std::optional<std::size_t> SheetIndex(const std::wstring& sheet, std::size_t count)
{
    std::size_t number = 0;
    for (const wchar_t c : sheet) {
        if (c < L'0' || c > L'9' || number > count) {
            return std::nullopt;
        }
        number = number * 10 + static_cast<std::size_t>(c - L'0');
    }
    if (sheet.empty() || number < 1 || number > count) {
        return std::nullopt;
    }
    return number - 1;
}

// A new, empty file beside `target` that nothing else uses; the workbook is written
// there first.
std::optional<std::string> ClaimTemporary(const fs::path& target)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        const std::string name = platform::PathToUtf8(target) + ".tmp-" + std::to_string(::getpid()) + "-" +
                                 std::to_string(counter.fetch_add(1));
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            ::close(descriptor);
            return name;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

// Moves the finished copy to the first free name of `target`, `target` with "(2)",
// "(3)"... before its extension; the name the copy took, or none.
std::optional<std::string> Publish(const std::string& temporary, const fs::path& target)
{
    const std::string folder = target.has_parent_path() ? platform::PathToUtf8(target.parent_path()) + "/" : "";
    const std::string stem = platform::PathToUtf8(target.stem());
    const std::string extension = platform::PathToUtf8(target.extension());
    for (int copy = 1; copy <= kMaxCopies; ++copy) {
        const std::string name = folder + stem + (copy > 1 ? "(" + std::to_string(copy) + ")" : "") + extension;
        if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, name.c_str(), RENAME_NOREPLACE) == 0) {
            return name;
        }
        if (errno == EEXIST) {
            continue;
        }
        if (errno != EINVAL && errno != ENOSYS) {
            return std::nullopt;
        }
        // A file system that cannot refuse to replace in a rename: claim the name
        // first, then move the copy onto the claim.
        const int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return std::nullopt;
        }
        ::close(descriptor);
        if (std::rename(temporary.c_str(), name.c_str()) == 0) {
            return name;
        }
        ::unlink(name.c_str());
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

CExcelAutomation::CExcelAutomation() = default;

CExcelAutomation::~CExcelAutomation() = default;

bool CExcelAutomation::OpenWorkbook(const std::wstring& path)
{
    auto workbook = std::make_unique<CExcelWorkbook>();
    if (!CExcelTemplate::Load(platform::ToPath(path), *workbook)) {
        return false;
    }
    m_Workbook = std::move(workbook);
    return true;
}

bool CExcelAutomation::SetCellText(const std::wstring& cell, const std::wstring& value, const std::wstring& sheet)
{
    if (m_Workbook == nullptr) {
        return false;
    }
    const std::optional<std::size_t> index = SheetIndex(sheet, m_Workbook->GetSheetCount());
    const std::optional<ExcelCellRef> at = ParseCellRef(cell);
    return index && at && m_Workbook->SetText(*index, *at, value);
}

bool CExcelAutomation::SetCellFloat(const std::wstring& cell, float value, const std::wstring& sheet)
{
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value), std::chars_format::fixed, 6);
    return SetCellText(cell, platform::Utf8ToWide(std::string_view(buffer, written.ptr - buffer)), sheet);
}

bool CExcelAutomation::SetCellUInt(const std::wstring& cell, std::uint32_t value, const std::wstring& sheet)
{
    return SetCellText(cell, std::to_wstring(value), sheet);
}

bool CExcelAutomation::SaveAs(const std::wstring& path)
{
    if (m_Workbook == nullptr) {
        return false;
    }
    const fs::path target = platform::ToPath(path);
    const std::optional<std::string> temporary = ClaimTemporary(target);
    if (!temporary) {
        COndravaLog::GetInstance()->Write(L"the spreadsheet report cannot be written beside " + path);
        return false;
    }
    std::string error;
    std::optional<std::string> published;
    if (m_Workbook->Write(platform::ToPath(*temporary), error)) {
        published = Publish(*temporary, target);
        if (!published) {
            error = std::strerror(errno);
        }
    }
    if (!published) {
        ::unlink(temporary->c_str());
        COndravaLog::GetInstance()->Write(L"the spreadsheet report " + path +
                                          L" cannot be saved: " + platform::Utf8ToWide(error));
        return false;
    }
    m_SavedPath = platform::FromPath(platform::ToPath(*published));
    return true;
}

void CExcelAutomation::Quit()
{
    m_Workbook.reset();
}
