#include "report/TrendKeyTables.h"

#include "report/RtfReportText.h"

namespace {

struct TrendKey {
    const char* key;
    std::uint32_t itemId;
    const wchar_t* unit;
    std::uint32_t chartKind;
    const char* nameKey;
};

constexpr TrendKey kTrendKeys[] = {
    {"ZVTrendFreq", 13017, L"[Hz]", 1, "ZV_TREND_NAME_FREQ"},
    {"ZVTrendUrms", 1, L"[V]", 3, "ZV_TREND_NAME_URMS"},
    {"ZVTrendUavg", 2, L"[V]", 3, "ZV_TREND_NAME_UAVG"},
    {"ZVTrendHalfUrms", 5, L"[V]", 3, "ZV_TREND_NAME_HALF_URMS"},
    {"ZVTrendUpkPlus", 3, L"[V]", 3, "ZV_TREND_NAME_Upk_PLUS"},
    {"ZVTrendIrms", 8, L"[A]", 3, "ZV_TREND_NAME_IRMS"},
    {"ZVTrendHalfIrms", 12, L"[A]", 3, "ZV_TREND_NAME_HALF_IRMS"},
    {"ZVTrendIpkPlus", 10, L"[A]", 3, "ZV_TREND_NAME_IPK_PLUS"},
    {"ZVTrendIavg", 9, L"[A]", 3, "ZV_TREND_NAME_IAVG"},
    {"ZVTrendP", 15, L"[KW]", 4, "ZV_TREND_NAME_P"},
    {"ZVTrendS", 16, L"[KVA]", 4, "ZV_TREND_NAME_S"},
    {"ZVTrendQ", 17, L"[KVAR]", 4, "ZV_TREND_NAME_Q"},
    {"ZVTrendPF", 18, L"[-]", 4, "ZV_TREND_NAME_PF"},
    {"ZVTrendDPF", 19, L"[-]", 3, "ZV_TREND_NAME_DPF"},
    {"ZVTrendKF", 23, L"[-]", 3, "ZV_TREND_NAME_KF"},
    {"ZVTrendUnb", 13013, L"[%]", 1, "ZV_TREND_NAME_UNB"},
    {"ZVTrendInb", 13014, L"[%]", 1, "ZV_TREND_NAME_INB"},
    {"ZVTrendUzb", 13015, L"[%]", 1, "ZV_TREND_NAME_UZB"},
    {"ZVTrendIzb", 13016, L"[%]", 1, "ZV_TREND_NAME_IZB"},
    {"ZVTrendUTHD", 24, L"[%]", 3, "ZV_TREND_NAME_U_THD"},
    {"ZVTrendITHD", 6000, L"[%]", 3, "ZV_TREND_NAME_I_THD"},
    {"ZVTrendUpos", 13006, L"[V]", 1, "ZV_TREND_NAME_UPOS"},
    {"ZVTrendUneg", 13007, L"[V]", 1, "ZV_TREND_NAME_UNEG"},
    {"ZVTrendUzero", 13008, L"[V]", 1, "ZV_TREND_NAME_UZERO"},
    {"ZVTrendIpos", 13009, L"[A]", 1, "ZV_TREND_NAME_IPOS"},
    {"ZVTrendIneg", 13010, L"[A]", 1, "ZV_TREND_NAME_INEG"},
    {"ZVTrendIzero", 13011, L"[A]", 1, "ZV_TREND_NAME_IZERO"},
    {"ZVTrendWP", 20, L"[KWh]", 84, "ZV_TREND_NAME_WP"},
    {"ZVTrendWQ", 22, L"[KVARh]", 84, "ZV_TREND_NAME_WQ"},
    {"ZVTrendWS", 21, L"[KVAh]", 84, "ZV_TREND_NAME_WS"},
    {"ZVTrendFluct", 13003, L"[%]", 3, "ZV_TREND_NAME_FLUCT"},
    {"ZVTrendPst", 13000, L"[-]", 10, "ZV_TREND_NAME_PST"},
    {"ZVTrendPlt", 13001, L"[-]", 1200, "ZV_TREND_NAME_PLT"},
    {"ZVTrendUpkMinus", 4, L"[V]", 1400, "ZV_TREND_NAME_Upk_MINUS"},
    {"ZVTrendIpkMinus", 11, L"[A]", 1400, "ZV_TREND_NAME_IPK_MINUS"},
};

// One harmonic family: its keys, THD keys and name keys are those of the phases L1 to L3.
struct HarmFamily {
    const char* keyStem;   // the key is the stem followed by "L1", "L2", "L3" (and "THD")
    const char* nameStem;  // the name key is the stem followed by "L1" ... (and "_THD")
    std::uint32_t itemId;
    std::uint32_t kind;
    const wchar_t* unit;
};

constexpr HarmFamily kHarmFamilies[] = {
    {"ZVTrendUHarm", "ZV_HARM_TREND_U_", 2000, CReportItemDef::kHarmonics, L"[V]"},
    {"ZVTrendIHarm", "ZV_HARM_TREND_I_", 7000, CReportItemDef::kHarmonics, L"[A]"},
    {"ZVTrendUHarm", "ZV_HARM_TREND_U_", 2000, CReportItemDef::kThd, L"[%]"},
    {"ZVTrendIHarm", "ZV_HARM_TREND_I_", 7000, CReportItemDef::kThd, L"[%]"},
    {"ZVTrendUHarmH", "ZV_HARM_H_TREND_U_", 4000, CReportItemDef::kHarmonics, L"[V]"},
    {"ZVTrendIHarmH", "ZV_HARM_H_TREND_I_", 9000, CReportItemDef::kHarmonics, L"[A]"},
    {"ZVTrendUHarmIN", "ZV_HARM_IN_TREND_U_", 3000, CReportItemDef::kHarmonics, L"[V]"},
    {"ZVTrendIHarmIN", "ZV_HARM_IN_TREND_I_", 8000, CReportItemDef::kHarmonics, L"[A]"},
};

}  // namespace

std::map<std::string, CReportItemName> MakeTrendKeyTable()
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    std::map<std::string, CReportItemName> table;
    for (const TrendKey& entry : kTrendKeys) {
        table.emplace(entry.key, CReportItemName(entry.itemId, texts.Text(RtfSection::TrendParam, entry.nameKey),
                                                 entry.unit, entry.chartKind));
    }
    return table;
}

std::map<std::string, CReportItemDef> MakeHarmTrendKeyTable()
{
    const CRtfReportText& texts = CRtfReportText::Instance();
    std::map<std::string, CReportItemDef> table;
    for (const HarmFamily& family : kHarmFamilies) {
        const bool thd = family.kind == CReportItemDef::kThd;
        for (std::uint32_t phase = 0; phase < 3; ++phase) {
            const std::string line = "L" + std::to_string(phase + 1);
            const std::string key = family.keyStem + line + (thd ? "THD" : "");
            const std::string nameKey = family.nameStem + line + (thd ? "_THD" : "");
            table.emplace(key, CReportItemDef(family.itemId, family.kind, phase, 0,
                                              texts.Text(RtfSection::TrendHarms, nameKey), family.unit));
        }
    }
    return table;
}
