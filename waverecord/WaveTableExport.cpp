#include "waverecord/WaveTableExport.h"

#include <cmath>
#include <memory>

#include "core/ZVResourceManager.h"
#include "lib/tables/Tabulist.h"
#include "platform/base/Hourglaze.h"
#include "waverecord/WaveExportFolder.h"

namespace {

struct PhaseColumn {
    std::uint32_t bit;
    int phase;
    const wchar_t* prefix;  // null: the request's fourth prefix
};

constexpr PhaseColumn kPhases[] = {
    {0x01, 0, L"L1"}, {0x02, 1, L"L2"}, {0x04, 2, L"L3"}, {0x08, 3, nullptr}, {0x10, 4, L"DEFAULT"},
};

struct KindColumn {
    std::uint32_t bit;
    int kind;
    const wchar_t* suffix;
};

constexpr KindColumn kKindColumns[] = {
    {0x01, CWaveResultStore::kMaximum, L"_MAX"},
    {0x02, CWaveResultStore::kMinimum, L"_MIN"},
    {0x04, CWaveResultStore::kAverage, L"_AVG"},
    {0x20, CWaveResultStore::kRms, L"_RMS"},
};

struct TableDeleter {
    void operator()(ITable* table) const { table->Release(); }
};
struct TabulistDeleter {
    void operator()(ITabulist* set) const { set->Release(); }
};

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

}  // namespace

std::vector<std::wstring> CWaveTableExport::Columns(std::uint32_t phaseMask, std::uint32_t kindMask,
                                                    const std::wstring& fourthPrefix)
{
    std::vector<std::wstring> columns;
    for (const PhaseColumn& phase : kPhases) {
        if ((phaseMask & phase.bit) == 0) {
            continue;
        }
        for (const KindColumn& kind : kKindColumns) {
            if ((kindMask & kind.bit) != 0) {
                columns.push_back((phase.prefix != nullptr ? phase.prefix : fourthPrefix) + kind.suffix);
            }
        }
    }
    return columns;
}

std::int64_t CWaveTableExport::StepFromSeconds(double secondsPerSample)
{
    const double ns = secondsPerSample * 1e9;
    if (!std::isfinite(ns) || ns <= 0.0 || ns > 9e18) {
        return 0;
    }
    return static_cast<std::int64_t>(ns) / 1000 * 1000;
}

bool CWaveTableExport::Export(const WaveTableRequest& request, CWaveResultStore* store, WaveTableWritten* written)
{
    if (written != nullptr) {
        *written = {};
    }
    const std::vector<std::wstring> columns = Columns(request.phaseMask, request.kindMask, request.fourthPrefix);
    if (store == nullptr) {
        NotifyHourglaze((Text(kTextExporting) + request.title + L"......").c_str());
        return false;
    }
    std::vector<CWaveSeriesDescriptor> series;
    for (const PhaseColumn& phase : kPhases) {
        if ((request.phaseMask & phase.bit) == 0) {
            continue;
        }
        for (const KindColumn& kind : kKindColumns) {
            if ((request.kindMask & kind.bit) != 0) {
                series.push_back(store->GetDescriptor(phase.phase, kind.kind));
            }
        }
    }
    return ExportColumns(request, columns, series, written);
}

bool CWaveTableExport::ExportColumns(const WaveTableRequest& request, const std::vector<std::wstring>& columns,
                                     const std::vector<CWaveSeriesDescriptor>& series, WaveTableWritten* written)
{
    if (written != nullptr) {
        *written = {};
    }
    NotifyHourglaze((Text(kTextExporting) + request.title + L"......").c_str());
    if (columns.empty() || columns.size() != series.size() || request.stepNs <= 0) {
        return false;
    }
    const std::unique_ptr<ITabulist, TabulistDeleter> tables(Tabulist_CreateTabulist());
    if (!tables) {
        return false;
    }
    const std::unique_ptr<ITable, TableDeleter> table(
        Tabulist_CreateTable(request.tableName.empty() ? request.title + Text(kTextUnit) + request.unit
                                                       : request.tableName,
                             columns));
    if (!table) {
        return false;
    }
    std::vector<float> values(series.size());
    // The shortest series ends the table; a row some column has no value for is left out.
    const auto readRow = [&](std::int64_t row) {
        for (std::size_t i = 0; i < series.size(); ++i) {
            if (!series[i].ReadAt(row, &values[i])) {
                return false;
            }
        }
        return true;
    };
    const std::int64_t start = request.startMs * 1000000;
    for (std::int64_t row = 0; readRow(row); ++row) {
        table->AddRow(start + row * request.stepNs, values);
    }
    const std::wstring path = request.folder + L'/' + SanitizeWaveFileName(request.title);
    if (!tables->AddTable(table.get())) {
        return false;
    }
    const bool saved = tables->Save(path, kTabulistCsv);
    if (written != nullptr) {
        *written = {saved ? tables->GetSavedPath() : std::wstring(), saved ? 0 : tables->GetSaveError()};
    }
    return saved;
}
