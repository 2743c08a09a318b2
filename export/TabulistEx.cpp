#include "export/TabulistEx.h"

#include <cmath>
#include <memory>

#include "export/ExportTexts.h"
#include "lib/tables/Tabulist.h"
#include "platform/base/Hourglaze.h"
#include "terminal/ZVDataManager.h"

namespace {

// Ends a writer or table of the table library through its own Release.
struct ReleaseObject {
    template <class T>
    void operator()(T* object) const
    {
        object->Release();
    }
};

// The folder with one separator at its end; backslashes of stored paths become
// the platform's separator.
std::wstring FolderPrefix(std::wstring folder)
{
    for (wchar_t& c : folder) {
        if (c == L'\\') {
            c = L'/';
        }
    }
    if (!folder.empty() && folder.back() != L'/') {
        folder += L'/';
    }
    return folder;
}

std::wstring WithoutCsv(std::wstring path)
{
    static const std::wstring kCsv = L".csv";
    if (path.size() >= kCsv.size() && path.compare(path.size() - kCsv.size(), kCsv.size(), kCsv) == 0) {
        path.resize(path.size() - kCsv.size());
    }
    return path;
}

}  // namespace

ITabulistEx::~ITabulistEx() = default;

void ITabulistEx::ReportProgress(double percent)
{
    if (m_Progress) {
        m_Progress(percent);
    }
}

int ITabulistEx::ExportGroups(const ExportSource& source, const std::wstring& folder,
                              const std::vector<std::pair<std::size_t, std::size_t>>& ranges)
{
    m_Count = 0;
    m_Error = 0;
    if (ranges.empty()) {
        return kNothingToExport;
    }
    const double share = 1.0 / static_cast<double>(ranges.size()) * 100.0;
    for (std::size_t k = 0; k < ranges.size(); ++k) {
        const Group group{ranges[k].first, ranges[k].second, static_cast<double>(k) * share, share};
        GroupTable table;
        if (!DescribeGroup(source, group, table) || !WriteGroup(source, group, table, folder)) {
            return kFailed;
        }
        ++m_Count;
    }
    return kExported;
}

bool ITabulistEx::WriteGroup(const ExportSource& source, const Group& group, const GroupTable& table,
                             const std::wstring& folder)
{
    NotifyHourglaze((ExportText(exporttext::kExporting) + table.name + L"...").c_str());

    std::unique_ptr<ITabulist, ReleaseObject> writer(Tabulist_CreateTabulist());
    if (!writer) {
        return false;
    }
    std::unique_ptr<ITable, ReleaseObject> rows(Tabulist_CreateTable(table.title, table.columns));
    if (!rows) {
        return false;
    }
    if (table.microseconds) {
        rows->SetFlag(true);
    }
    const std::optional<std::int64_t> start = source.StartNanoseconds();
    const double interval = table.interval * 1e9;
    if (!start || !std::isfinite(interval)) {
        return false;
    }

    // Progress while the rows are built covers the first half of the group's share.
    const std::int64_t reportEvery = table.rows / 20;
    std::int64_t written = 0;
    std::vector<float> values;
    values.reserve(group.end - group.first);
    for (std::int64_t k = 0; k < table.rows; ++k) {
        values.clear();
        for (std::size_t c = group.first; c < group.end; ++c) {
            IZVDataManager* supplier = source.managers[c];
            double value = 0.0;
            // The readers' no-value samples are written as cells without value.
            if (supplier == nullptr || !supplier->GetValue(k, &value) || IsNoValue(value) ||
                (table.zeroIsMissing && value == 0.0)) {
                values.push_back(kTabulistEmptyCell);
            } else {
                values.push_back(static_cast<float>(value));
            }
        }
        // The offset is rounded on its own, so that the first row keeps the exact
        // start time (nanoseconds since 1970 do not fit a double's precision).
        const double offset = std::round(static_cast<double>(k) * interval);
        std::int64_t time = 0;
        if (!(std::fabs(offset) < 9.2e18) ||
            __builtin_add_overflow(*start, static_cast<std::int64_t>(offset), &time)) {
            break;
        }
        // A row the table refuses (a time before 1970: a terminal whose clock was
        // reset) would be missing from the file; the group fails instead.
        if (!rows->AddRow(time, values)) {
            ExportLog(L"ITabulistEx::Export: a row at " + std::to_wstring(time) + L" ns cannot be written");
            return false;
        }
        ++written;
        if (reportEvery > 0 && written % reportEvery == 0) {
            ReportProgress(group.base + static_cast<double>(k) / static_cast<double>(table.rows) * group.span * 0.5);
        }
    }
    if (!writer->AddTable(rows.get())) {
        return false;
    }
    rows.reset();
    if (!writer->Save(FolderPrefix(folder) + table.name, kTabulistCsv)) {
        m_Error = writer->GetSaveError();
        return false;
    }
    m_Name = WithoutCsv(writer->GetSavedPath());
    ReportProgress(group.base + group.span);
    return true;
}
