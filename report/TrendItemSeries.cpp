#include "report/TrendItemSeries.h"

#include "report/BaseReporter.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/DataModel.h"

bool PresentEntry(const CReportTrendItem& item, std::int32_t entryKind, CReportTrendPhase& entry)
{
    return item.GetPhase(entryKind, entry) != 0 && entry.enabled != 0;
}

bool TrendPhaseLabel(std::uint32_t phase, std::uint32_t count, const std::wstring& name, const std::wstring& sumLabel,
                     std::int32_t& entryKind, std::wstring& label)
{
    if (count == 1) {
        entryKind = CReportTrendPhase::kDefault;
        label = name;
        return true;
    }
    if (count == 3 || count == 4) {
        entryKind = static_cast<std::int32_t>(phase);
        label = phase == 3 ? sumLabel : L"L" + std::to_wstring(phase + 1);
        return true;
    }
    return false;
}

std::array<std::vector<float>, 3> QueryPhaseSeries(const CBaseReporter& reporter, const CReportTrendItem& item,
                                                   std::uint32_t id)
{
    std::array<std::vector<float>, 3> series;
    IDataModel* model = reporter.GetCurrentModel();
    if (item.Enabled == 0 || model == nullptr) {
        return series;
    }
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        CReportTrendPhase entry;
        CComtradeDataManager manager;
        if (PresentEntry(item, static_cast<std::int32_t>(phase), entry) &&
            model->GetData(phase, 4, 0, static_cast<std::uint32_t>(reporter.GetSetting6()), id,
                           reinterpret_cast<QueryWord>(&manager)) != 0) {
            const std::vector<double>& samples = manager.GetSeries();
            series[phase].assign(samples.begin(), samples.end());
        }
    }
    return series;
}
