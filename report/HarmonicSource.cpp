#include "report/HarmonicSource.h"

#include "terminal/DataModel.h"

namespace {

constexpr int kTableOrders = 25;

}  // namespace

CHarmonicSource SubgroupSource(bool current)
{
    return current ? CHarmonicSource{10000, 1, false} : CHarmonicSource{5000, 2, false};
}

bool HoldsHarmonicOrders(IDataModel* model, const CHarmonicSource& source)
{
    if (model == nullptr) {
        return false;
    }
    for (int order = 0; order < kTableOrders; ++order) {
        if (model->GetData(0, 0, static_cast<QueryWord>(order), source.valueKind, source.item, 0) != 1) {
            return false;
        }
    }
    return true;
}

CHarmonicSource ChooseHarmonicSource(IDataModel* model, bool current)
{
    const CHarmonicSource subgroups = SubgroupSource(current);
    if (HoldsHarmonicOrders(model, subgroups)) {
        return subgroups;
    }
    const CHarmonicSource harmonics{current ? 7000u : 2000u, subgroups.valueKind, true};
    return HoldsHarmonicOrders(model, harmonics) ? harmonics : subgroups;
}

void PointRecordsAt(const CHarmonicSource& source, std::span<const std::vector<CReportStatRecord*>> lists)
{
    for (const std::vector<CReportStatRecord*>& list : lists) {
        for (CReportStatRecord* record : list) {
            record->viewId = source.item;
        }
    }
}
