#include "report/ReportItemTables.h"

#include <map>
#include <mutex>

#include "core/ZVResourceManager.h"

namespace {

// How a trend item's phases differ from the generic defaults.
enum class TrendDefaults {
    PerPhase,     // A, B, C on
    Single,       // one value: only the default phase, on
    WithTotal,    // the power quantities: N (the total) on too
    Energy,       // A, B, C and N on, drawn as one value each
};

struct TrendRow {
    const char* key;
    unsigned nameId;  // language text of the display name
    TrendDefaults defaults;
};

constexpr TrendRow kTrendRows[] = {
    {"ZVTrendFluct", 6176, TrendDefaults::PerPhase},    // "电压波动"
    {"ZVTrendPst", 6043, TrendDefaults::PerPhase},      // "短闪变Pst"
    {"ZVTrendPlt", 6044, TrendDefaults::PerPhase},      // "长闪变Plt"
    {"ZVTrendFreq", 9999, TrendDefaults::Single},       // "频率"
    {"ZVTrendUrms", 6235, TrendDefaults::PerPhase},     // "电压有效值"
    {"ZVTrendHalfUrms", 6236, TrendDefaults::PerPhase}, // "电压半波有效值"
    {"ZVTrendUpkPlus", 6237, TrendDefaults::PerPhase},  // "电压正峰值"
    {"ZVTrendUpkMinus", 6238, TrendDefaults::PerPhase}, // "电压负峰值"
    {"ZVTrendIrms", 6239, TrendDefaults::PerPhase},     // "电流有效值"
    {"ZVTrendHalfIrms", 6240, TrendDefaults::PerPhase}, // "电流半波有效值"
    {"ZVTrendIpkPlus", 6241, TrendDefaults::PerPhase},  // "电流正峰值"
    {"ZVTrendIpkMinus", 6242, TrendDefaults::PerPhase}, // "电流负峰值"
    {"ZVTrendUavg", 6243, TrendDefaults::PerPhase},     // "电压平均值"
    {"ZVTrendIavg", 6244, TrendDefaults::PerPhase},     // "电流平均值"
    {"ZVTrendP", 6151, TrendDefaults::WithTotal},       // "有功功率"
    {"ZVTrendS", 6156, TrendDefaults::WithTotal},       // "视在功率"
    {"ZVTrendQ", 6155, TrendDefaults::WithTotal},       // "无功功率"
    {"ZVTrendPF", 10087, TrendDefaults::WithTotal},     // "功率因数"
    {"ZVTrendDPF", 10088, TrendDefaults::PerPhase},     // "位移功率因数"
    {"ZVTrendKF", 6177, TrendDefaults::PerPhase},       // "电流K系数"
    {"ZVTrendUnb", 6172, TrendDefaults::Single},        // "电压负序不平衡度"
    {"ZVTrendInb", 6173, TrendDefaults::Single},        // "电流负序不平衡度"
    {"ZVTrendUzb", 6174, TrendDefaults::Single},        // "电压零序不平衡度"
    {"ZVTrendIzb", 6175, TrendDefaults::Single},        // "电流零序不平衡度"
    {"ZVTrendUTHD", 6245, TrendDefaults::PerPhase},     // "电压谐波总畸变率"
    {"ZVTrendITHD", 6246, TrendDefaults::PerPhase},     // "电流谐波总畸变率"
    {"ZVTrendUpos", 6168, TrendDefaults::Single},       // "正序电压"
    {"ZVTrendUneg", 6170, TrendDefaults::Single},       // "负序电压"
    {"ZVTrendUzero", 6166, TrendDefaults::Single},      // "零序电压"
    {"ZVTrendIpos", 6169, TrendDefaults::Single},       // "正序电流"
    {"ZVTrendIneg", 6171, TrendDefaults::Single},       // "负序电流"
    {"ZVTrendIzero", 6167, TrendDefaults::Single},      // "零序电流"
    {"ZVTrendWP", 6247, TrendDefaults::Energy},         // "有功电能"
    {"ZVTrendWQ", 6248, TrendDefaults::Energy},         // "无功电能"
    {"ZVTrendWS", 6249, TrendDefaults::Energy},         // "视在电能"
};

constexpr const char* kParamKeys[] = {"ZVItemFreq", "ZVItemUnbal", "ZVItemFundV", "ZVItemFundA", "ZVItemThd",
                                      "ZVItemVrms", "ZVItemPst",   "ZVItemPlt",   "ZVItemPf"};

constexpr const char* kHarmTableKeys[] = {"ZVTableURatioL1", "ZVTableURatioL2", "ZVTableURatioL3",
                                          "ZVTableIrmsL1",   "ZVTableIrmsL2",   "ZVTableIrmsL3"};

constexpr const char* kHarmTrendKeys[] = {
    "ZVTrendUHarmL1",   "ZVTrendUHarmL1THD", "ZVTrendUHarmL2",   "ZVTrendUHarmL2THD", "ZVTrendUHarmL3",
    "ZVTrendUHarmL3THD", "ZVTrendIHarmL1",   "ZVTrendIHarmL1THD", "ZVTrendIHarmL2",   "ZVTrendIHarmL2THD",
    "ZVTrendIHarmL3",   "ZVTrendIHarmL3THD", "ZVTrendUHarmHL1",  "ZVTrendUHarmHL2",   "ZVTrendUHarmHL3",
    "ZVTrendIHarmHL1",  "ZVTrendIHarmHL2",   "ZVTrendIHarmHL3",  "ZVTrendUHarmINL1",  "ZVTrendUHarmINL2",
    "ZVTrendUHarmINL3", "ZVTrendIHarmINL1",  "ZVTrendIHarmINL2", "ZVTrendIHarmINL3"};

CReportTrendItem MakeTrendItem(const TrendRow& row)
{
    using Phase = CReportTrendPhase;
    CReportTrendItem item(row.key);
    switch (row.defaults) {
    case TrendDefaults::PerPhase:
        break;
    case TrendDefaults::Single:
        for (std::int32_t code = Phase::kPhaseA; code <= Phase::kPhaseC; ++code) {
            item.SetPhase({0, code, 0, 0, 0, 0, 0});
        }
        item.SetPhase({1, Phase::kDefault, 1, 1, 1, 1, 0});
        break;
    case TrendDefaults::WithTotal:
        item.SetPhase({1, Phase::kPhaseN, 1, 1, 1, 1, 0});
        break;
    case TrendDefaults::Energy:
        for (std::int32_t code = Phase::kPhaseA; code <= Phase::kPhaseN; ++code) {
            item.SetPhase({1, code, 1, 0, 0, 1, 0});
        }
        break;
    }
    return item;
}

}  // namespace

std::vector<CReportParamItem> DefaultParamItems()
{
    std::vector<CReportParamItem> items;
    for (const char* key : kParamKeys) {
        items.emplace_back(key);
    }
    // Frequency is one value for the whole supply.
    CReportParamItem& frequency = items.front();
    frequency.PhaseA = frequency.PhaseB = frequency.PhaseC = frequency.PhaseN = 0;
    frequency.memoryFlag = 1;
    return items;
}

std::vector<CReportTrendItem> DefaultTrendItems()
{
    std::vector<CReportTrendItem> items;
    for (const TrendRow& row : kTrendRows) {
        items.push_back(MakeTrendItem(row));
    }
    return items;
}

std::vector<CHarmTableItem> DefaultHarmTableItems()
{
    return {std::begin(kHarmTableKeys), std::end(kHarmTableKeys)};
}

std::vector<CHarmTrendItem> DefaultHarmTrendItems()
{
    return {std::begin(kHarmTrendKeys), std::end(kHarmTrendKeys)};
}

std::wstring GetTrendDisplayName(const std::string& key)
{
    static std::mutex lock;
    static std::map<std::string, std::wstring> names;
    const std::lock_guard<std::mutex> guard(lock);
    if (names.find(key) == names.end()) {
        CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
        for (const TrendRow& row : kTrendRows) {
            names[row.key] = resources->LoadString(row.nameId);
        }
    }
    return names[key];
}
