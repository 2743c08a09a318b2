#include "lib/convert/ItemNameTable.h"

namespace convertix {

const std::map<int, std::wstring>& ItemNames()
{
    static const std::map<int, std::wstring> names = {
        {1, L"ESIN_VRMS"},          {2, L"ESIN_VAVG"},          {3, L"ESIN_VPK_POS"},     {4, L"ESIN_VPK_NEG"},
        {5, L"ESIN_VRMS_HALF"},     {6, L"ESIN_V_CF"},          {7, L"ESIN_FREQ"},        {8, L"ESIN_ARMS"},
        {9, L"ESIN_AAVG"},          {10, L"ESIN_APK_POS"},      {11, L"ESIN_APK_NEG"},    {12, L"ESIN_ARMS_HALF"},
        {13, L"ESIN_A_CF"},         {14, L"ESIN_W"},            {15, L"ESIN_VA"},         {16, L"ESIN_VAR"},
        {17, L"ESIN_PF"},           {18, L"ESIN_DPF"},          {19, L"ESIN_WH"},         {20, L"ESIN_VAH"},
        {21, L"ESIN_VARH"},         {22, L"ESIN_A_KF"},         {23, L"ESIN_V_THD"},      {24, L"ESIN_V_DC"},
        {25, L"ESIN_V_HARM_1"},     {75, L"ESIN_V_INHARM_1"},   {125, L"ESIN_V_HIHARM_1"}, {160, L"ESIN_V_SUBHARM_1"},
        {210, L"ESIN_A_THD"},       {211, L"ESIN_A_DC"},        {212, L"ESIN_A_HARM_1"},  {262, L"ESIN_A_INHARM_1"},
        {312, L"ESIN_A_HIHARM_1"},  {347, L"ESIN_A_SUBHARM_1"}, {397, L"ESIN_W_THD"},     {398, L"ESIN_W_DC"},
        {399, L"ESIN_W_HARM_1"},    {449, L"ESIN_PST"},         {450, L"ESIN_PLT"},       {451, L"ESIN_ST"},
        {452, L"ESIN_FLUCT"},       {453, L"ESIN_FLUCT_MAX"},   {454, L"ESIN_DT"},        {455, L"ESIN_V_POS"},
        {456, L"ESIN_V_NEG"},       {457, L"ESIN_V_ZERO"},      {458, L"ESIN_A_POS"},     {459, L"ESIN_A_NEG"},
        {460, L"ESIN_A_ZERO"},      {461, L"ESIN_UNBAL"},
    };
    return names;
}

int FamilyBase(int id)
{
    struct Family {
        int first;
        int last;
    };
    static constexpr Family families[] = {{25, 74},   {75, 124},  {125, 159}, {160, 209}, {212, 261},
                                          {262, 311}, {312, 346}, {347, 396}, {399, 448}};
    for (const Family& family : families) {
        if (id >= family.first && id <= family.last) {
            return family.first;
        }
    }
    return id;
}

std::optional<ItemName> NameOfItem(int id)
{
    const auto& names = ItemNames();
    if (const auto entry = names.find(id); entry != names.end()) {
        return ItemName{entry->second, entry->second};
    }
    const int base = FamilyBase(id);
    const auto head = names.find(base);
    if (base == id || head == names.end()) {
        return std::nullopt;
    }
    const std::wstring& baseName = head->second;
    const std::wstring stem = baseName.substr(0, baseName.rfind(L'_') + 1);
    return ItemName{stem + std::to_wstring(id - base + 1), baseName};
}

}  // namespace convertix
