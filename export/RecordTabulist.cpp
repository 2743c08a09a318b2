#include "export/RecordTabulist.h"


#include "core/Ini.h"
#include "core/ProgramPaths.h"
#include "export/ExportTexts.h"
#include "terminal/ProfileInt.h"
#include "terminal/ZVDataManager.h"

namespace {

struct ItemType {
    int type;
    const wchar_t* key;
    unsigned title;        // with the mode 0
    unsigned otherTitle;   // with any other mode; 0: the same title
    // null: language text 10106 ("无"). Apparent and reactive power and energy
    // carry their own units (KVA, KVAR, KVAh, KVARh), never those of active power.
    const wchar_t* unit;
    bool zeroIsMissing;    // flicker: 0.0 means "not yet measured"
};

constexpr ItemType kItemTypes[] = {
    {1, L"ESIN_VRMS", 6235, 0, L"V", false},
    {2, L"ESIN_VAVG", 6243, 0, L"V", false},
    {3, L"ESIN_VPK_POS", 6237, 0, L"V", false},
    {4, L"ESIN_VPK_NEG", 6238, 0, L"V", false},
    {5, L"ESIN_VRMS_HALF", 6236, 0, L"V", false},
    {6, L"ESIN_V_CF", 6260, 0, nullptr, false},
    {7, L"ESIN_V_HARM_1", 6261, 0, L"°", false},
    {8, L"ESIN_ARMS", 6239, 0, L"A", false},
    {9, L"ESIN_AAVG", 6244, 0, L"A", false},
    {10, L"ESIN_APK_POS", 6241, 0, L"A", false},
    {11, L"ESIN_APK_NEG", 6242, 0, L"A", false},
    {12, L"ESIN_ARMS_HALF", 6240, 0, L"A", false},
    {13, L"ESIN_A_CF", 6262, 0, nullptr, false},
    {14, L"ESIN_A_HARM_1", 6263, 0, L"°", false},
    {15, L"ESIN_W", 6151, 0, L"KW", false},
    {16, L"ESIN_VA", 6156, 0, L"KVA", false},
    {17, L"ESIN_VAR", 6155, 0, L"KVAR", false},
    {18, L"ESIN_PF", 10087, 0, nullptr, false},
    {19, L"ESIN_DPF", 10088, 0, nullptr, false},
    {20, L"ESIN_WH", 6247, 0, L"KWh", false},
    {21, L"ESIN_VAH", 6249, 0, L"KVAh", false},
    {22, L"ESIN_VARH", 6248, 0, L"KVARh", false},
    {23, L"ESIN_A_KF", 6177, 0, nullptr, false},
    {24, L"ESIN_V_THD", 6245, 0, L"%", false},
    {25, L"ESIN_V_DC", 6264, 0, L"V", false},
    {2000, L"ESIN_V_HARM_1", 6164, 6131, L"V", false},
    {3000, L"ESIN_V_INHARM_1", 6134, 0, L"V", false},
    {4000, L"ESIN_V_HIHARM_1", 6136, 0, L"V", false},
    {5000, L"ESIN_V_SUBHARM_1", 6138, 0, L"V", false},
    {6000, L"ESIN_A_THD", 6246, 0, L"%", false},
    {6001, L"ESIN_A_DC", 6265, 0, L"A", false},
    {7000, L"ESIN_A_HARM_1", 6165, 6132, L"A", false},
    {8000, L"ESIN_A_INHARM_1", 6135, 0, L"A", false},
    {9000, L"ESIN_A_HIHARM_1", 6137, 0, L"A", false},
    {10000, L"ESIN_A_SUBHARM_1", 6139, 0, L"A", false},
    {11000, L"ESIN_W_THD", 6266, 0, L"%", false},
    {11001, L"ESIN_W_DC", 6267, 0, L"KW", false},
    {12000, L"ESIN_W_HARM_1", 6133, 0, L"KW", false},
    {13000, L"ESIN_PST", 6043, 0, nullptr, true},
    {13001, L"ESIN_PLT", 6044, 0, nullptr, true},
    {13002, L"ESIN_ST", 6045, 0, nullptr, false},
    {13003, L"ESIN_FLUCT", 6040, 0, L"%", false},
    {13004, L"ESIN_FLUCT_MAX", 6041, 0, L"%", false},
    {13005, L"ESIN_DT", 6042, 0, L"s", false},
    {13006, L"ESIN_V_POS", 6168, 0, L"V", false},
    {13007, L"ESIN_V_NEG", 6170, 0, L"V", false},
    {13008, L"ESIN_V_ZERO", 6166, 0, L"V", false},
    {13009, L"ESIN_A_POS", 6169, 0, L"mA", false},
    {13010, L"ESIN_A_NEG", 6171, 0, L"mA", false},
    {13011, L"ESIN_A_ZERO", 6167, 0, L"mA", false},
    {13012, L"ESIN_UNBAL", 22846, 0, L"%", false},
    {13013, L"ESIN_UNBAL", 6172, 0, L"%", false},
    {13014, L"ESIN_UNBAL", 6173, 0, L"%", false},
    {13015, L"ESIN_UNBAL", 6174, 0, L"%", false},
    {13016, L"ESIN_UNBAL", 6175, 0, L"%", false},
    {13017, L"ESIN_FREQ", 9999, 0, L"Hz", false},
};

const ItemType* FindItemType(int type)
{
    for (const ItemType& item : kItemTypes) {
        if (item.type == type) {
            return &item;
        }
    }
    return nullptr;
}

const wchar_t* const kPhasePrefixes[] = {L"L1_", L"L2_", L"L3_", L"LN_", L""};
const wchar_t* const kStatisticNames[] = {L"MAX", L"MIN", L"AVG", L"CP95", L""};

// Consecutive items of one type form a group.
std::vector<std::pair<std::size_t, std::size_t>> GroupByType(const ExportSource& source)
{
    std::vector<std::pair<std::size_t, std::size_t>> groups;
    const std::size_t items = source.Channels();
    std::size_t start = 0;
    int previous = 0;
    for (std::size_t i = 0; i < items; ++i) {
        const int type = source.keys[i].type;
        if (type != previous && previous != 0) {
            groups.emplace_back(start, i);
            start = i;
        }
        previous = type;
    }
    if (items > 0) {
        groups.emplace_back(start, items);
    }
    return groups;
}

}  // namespace

bool CRecordTabulist::IsEmpty(ISimpleDataManager* supplier)
{
    double value = 0.0;
    return supplier == nullptr || !supplier->GetValue(0, &value);
}

int CRecordTabulist::Export(const ExportSource& source, const std::wstring& folder)
{
    try {
        if (source.Channels() == 0 || IsEmpty(source.managers.front())) {
            return kNothingToExport;
        }
        return ExportGroups(source, folder, GroupByType(source));
    } catch (...) {
        ExportLog(L"an exception occurs in CRecordTabulist::Export");
        return kFailed;
    }
}

CRecordTabulist::ItemDescription CRecordTabulist::DescribeItem(const ExportKey& key) const
{
    ItemDescription description;
    const ItemType* item = FindItemType(key.type);
    const std::wstring unitText = ExportText(exporttext::kUnit);
    std::wstring unitPart = L"(" + unitText + L":";
    if (item != nullptr) {
        unitPart += item->unit != nullptr ? std::wstring(item->unit) : ExportText(exporttext::kNoUnit);
        description.zeroIsMissing = item->zeroIsMissing;
        description.name = ExportText(m_Mode != 0 && item->otherTitle != 0 ? item->otherTitle : item->title);
    }
    description.title = description.name;

    const std::wstring programFolder = GetExeDirectory();
    if (programFolder.empty()) {
        return description;
    }
    description.staticsType = -1;
    if (item != nullptr) {
        const CIni ini(programFolder + L"itemInfo.ini");
        description.staticsType = ReadProfileInt(ini, item->key, L"StaticsType", -1);
    }
    if (description.staticsType > 0) {
        switch (key.valueKind) {
        case 1:
            if (m_Mode != 0) {
                description.title += ExportText(exporttext::kEffective);
            }
            break;
        case 2:
            description.title += ExportText(exporttext::kContentRatio);
            unitPart = L"(" + unitText + L":%";
            break;
        case 3:
            // A phase angle is in degrees, not a ratio.
            description.title += ExportText(exporttext::kPhaseAngle);
            unitPart = L"(" + unitText + L":°";
            break;
        default:
            break;
        }
    }
    description.title += unitPart + L")";
    return description;
}

std::wstring CRecordTabulist::ColumnName(const ExportKey& key, int staticsType) const
{
    std::wstring column;
    const bool directCurrent = key.type == 25 || key.type == 6001 || key.type == 11001;
    if (key.order >= 0 && staticsType > 0 && m_Mode != 0 && !directCurrent) {
        const bool interharmonic = key.type == 3000 || key.type == 8000;
        column = std::to_wstring(interharmonic ? key.order : static_cast<long long>(key.order) + 1) + L"_";
    }
    if (key.phase >= 0 && key.phase <= 4) {
        column += kPhasePrefixes[key.phase];
    }
    if (key.statistic >= 0 && key.statistic <= 4) {
        column += kStatisticNames[key.statistic];
    }
    return column;
}

bool CRecordTabulist::DescribeGroup(const ExportSource& source, const Group& group, GroupTable& table)
{
    const ItemDescription description = DescribeItem(source.keys[group.first]);
    table.title = description.title;
    table.name = description.name;
    table.zeroIsMissing = description.zeroIsMissing;
    for (std::size_t c = group.first; c < group.end; ++c) {
        table.columns.push_back(ColumnName(source.keys[c], description.staticsType));
    }
    IZVDataManager* first = source.managers[group.first];
    table.rows = first != nullptr ? static_cast<std::int64_t>(first->GetCount()) : 0;
    table.interval = source.interval;
    table.microseconds = false;
    return true;
}
