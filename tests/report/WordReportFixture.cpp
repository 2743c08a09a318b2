#include "WordReportFixture.h"

#include "terminal/ZVDataManager.h"

namespace reporttest {

namespace {

class FailingReader : public IDevFileAnalysis {
public:
    int LoadFile(std::wstring, std::uint32_t) override { return 0; }
    int ReleaseFile() override { return 1; }
    int GetBasicInfo(BasicInfo*) override { return 0; }
    int GetData(QueryWord, QueryWord, QueryWord, QueryWord, QueryWord, QueryWord) override { return 0; }
    int GetItemData(std::vector<ItemRequest*>&) override { return 0; }
    int SetQueryParams(const std::array<std::uint32_t, 10>&) override { return 1; }
    int SetOption(std::uint32_t) override { return 1; }
};

CReportTrendPhase Phase(std::int32_t code)
{
    CReportTrendPhase phase;
    phase.enabled = 1;
    phase.code = code;
    phase.flag1 = phase.flag2 = phase.flag3 = 1;
    return phase;
}

}  // namespace

void ConfigureSections(CReportConfig& config)
{
    std::vector<CReportTrendItem> trend;
    trend.emplace_back("ZVTrendUrms");       // three phases, one page of three charts
    trend.emplace_back("ZVTrendFreq");       // one value
    trend.back().SetPhase(Phase(CReportTrendPhase::kDefault));
    trend.emplace_back("ZVTrendPF");         // three phases and the total
    trend.back().SetPhase(Phase(CReportTrendPhase::kPhaseN));
    trend.emplace_back("ZVTrendUpkMinus");   // signed peaks
    trend.emplace_back("ZVTrendWP");         // energy
    trend.emplace_back("ZVTrendPst");        // flicker
    trend.emplace_back("ZVTrendUzb");        // switched off
    trend.back().Enabled = 0;
    trend.emplace_back("ZVTrendNothing");    // not a key
    config.SetTrendPart(trend);

    CReportHarmPart part;
    CHarmTrendItem thd("ZVTrendUHarmL2THD");
    thd.ClearGroups();
    for (const OrderGroup& group : {OrderGroup{3, 5, 7}, OrderGroup{2, 4}, OrderGroup{9}, OrderGroup{11, 13}}) {
        thd.AddGroup(group);
    }
    part.SetTrendItem(thd);
    CHarmTrendItem off("ZVTrendIHarmL1");
    off.Enabled = 0;
    part.SetTrendItem(off);
    part.SetTrendItem(CHarmTrendItem("ZVTrendNope"));
    config.SetHarmPart(part);
}

FailingStatisticModel::FailingStatisticModel()
{
    analysis = new FailingReader();
}

FailingStatisticModel::~FailingStatisticModel()
{
    delete analysis;
    analysis = nullptr;
}

int FailingStatisticModel::GetSource(std::uint32_t* source)
{
    *source = 1;
    return 1;
}

int FailingStatisticModel::QueryBasicInfo(BasicInfo* info)
{
    info->recordCount = 10;
    return 1;
}

int SeriesModel::GetSource(std::uint32_t* source)
{
    *source = 1;
    return 1;
}

int SeriesModel::QueryBasicInfo(BasicInfo* info)
{
    info->recordCount = 10;
    return 1;
}

int SeriesModel::GetData(QueryWord channel, QueryWord statistic, QueryWord order, QueryWord valueKind, QueryWord item,
                         QueryWord sink)
{
    queries.push_back({channel, statistic, order, valueKind, item});
    const auto found = series.find(statistic);
    if (found == series.end() || lackingOrders.count(order) != 0) {
        return 0;
    }
    if (auto* manager = reinterpret_cast<IZVDataManager*>(sink)) {
        for (const float value : found->second) {
            manager->AddValue(value);
        }
    }
    return 1;
}

}  // namespace reporttest
