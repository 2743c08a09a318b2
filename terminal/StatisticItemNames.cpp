#include "terminal/StatisticItemNames.h"

#include <map>

std::wstring StatisticItemName(std::uint32_t itemId)
{
    static const std::map<std::uint32_t, const wchar_t*> names = {
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
    const auto found = names.find(itemId);
    return found != names.end() ? found->second : std::wstring();
}
