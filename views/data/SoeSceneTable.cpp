#include "views/data/SoeSceneTable.h"

#include <cmath>

#include "terminal/ZVDataManager.h"
#include "views/data/ViewTexts.h"

namespace {

constexpr unsigned kActive = 6151, kVoltage = 6152, kCurrent = 6153, kTotal = 6154, kReactive = 6155,
                   kApparent = 6156, kDisplacementPf = 10088, kPowerFactor = 10087, kRmsText = 10111,
                   kAverage = 6128, kPositivePeak = 6158, kNegativePeak = 6159, kHalfCycle = 6160, kCrest = 6161,
                   kAngle = 6162, kFundamentalV = 6164, kFundamentalI = 6165, kFluctuation = 6176, kKFactor = 6177;

const wchar_t* const kPrefixes[] = {L"L1 ", L"L2 ", L"L3 ", L"N "};

std::wstring T(unsigned id)
{
    return viewtext::Load(id);
}

CSoeSceneCell Phase(int phase, const std::wstring& name, const wchar_t* unit, int word)
{
    return CSoeSceneCell{kPrefixes[phase] + name, unit, phase, word};
}

CSoeSceneCell Whole(const std::wstring& label, const wchar_t* unit, int word)
{
    return CSoeSceneCell{label, unit, 4, word};
}

bool IsAsciiAlnum(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z');
}

// A quantity and its kind ("电压" and "平均值", "Voltage" and "Average") read as one
// label: Chinese words stand together, Latin words get a space between them.
std::wstring Join(const std::wstring& quantity, const std::wstring& kind)
{
    if (!quantity.empty() && !kind.empty() && IsAsciiAlnum(quantity.back()) && IsAsciiAlnum(kind.front())) {
        return quantity + L" " + kind;
    }
    return quantity + kind;
}

bool IsPhaseInMask(std::uint32_t mask, std::int32_t key)
{
    return key == 4 || ((mask >> (static_cast<std::uint32_t>(key) % 32)) & 1u) != 0;
}

}  // namespace

std::vector<CSoeSceneRow> BuildSoeSceneRows()
{
    std::vector<CSoeSceneRow> rows(kSoeSceneRows);
    const std::wstring voltage = T(kVoltage);
    const std::wstring current = T(kCurrent);
    // Power: groups of three phases and the total, in kW, kvar and kVA as stored.
    struct PowerGroup {
        std::size_t firstRow;
        unsigned name;
        const wchar_t* unit;
        int firstWord;
        bool total;
    };
    for (const PowerGroup& g : {PowerGroup{0, kActive, L"kW", 65, true}, PowerGroup{4, kReactive, L"kvar", 69, true},
                                PowerGroup{8, kApparent, L"kVA", 73, true}, PowerGroup{12, kDisplacementPf, L"", 77, false},
                                PowerGroup{16, kPowerFactor, L"", 81, true}}) {
        for (int p = 0; p < 3; ++p) {
            rows[g.firstRow + p].cells[0] = Phase(p, T(g.name), g.unit, g.firstWord + p);
        }
        if (g.total) {
            rows[g.firstRow + 3].cells[0] = Whole(T(kTotal) + L" " + T(g.name), g.unit, g.firstWord + 3);
        }
    }
    // Voltage and current: groups of four phases.
    struct PhaseGroup {
        std::size_t firstRow;
        unsigned voltageName;  // 0: the kind follows the quantity's name
        unsigned currentName;
        unsigned kind;
        const wchar_t* voltageUnit;
        const wchar_t* currentUnit;
        int voltageWord;
        int currentWord;
    };
    for (const PhaseGroup& g : {PhaseGroup{0, 0, 0, kRmsText, L"V", L"A", 0, 4},
                                PhaseGroup{4, 0, 0, kAverage, L"V", L"A", 8, 12},
                                PhaseGroup{8, 0, 0, kPositivePeak, L"V", L"A", 16, 20},
                                PhaseGroup{12, 0, 0, kNegativePeak, L"V", L"A", 24, 28},
                                PhaseGroup{16, 0, 0, kHalfCycle, L"V", L"A", 32, 36},
                                PhaseGroup{20, 0, 0, 0, L"%", L"%", 89, 93},
                                PhaseGroup{24, 0, 0, kCrest, L"", L"", 48, 52},
                                PhaseGroup{28, 0, 0, kAngle, L"°", L"°", 56, 60},
                                PhaseGroup{32, kFundamentalV, kFundamentalI, 0, L"V", L"A", 40, 44}}) {
        const std::wstring kind = g.firstRow == 20 ? std::wstring(L"THD") : (g.kind != 0 ? T(g.kind) : std::wstring());
        const std::wstring v = g.voltageName != 0 ? T(g.voltageName) : Join(voltage, kind);
        const std::wstring c = g.currentName != 0 ? T(g.currentName) : Join(current, kind);
        for (int p = 0; p < 4; ++p) {
            rows[g.firstRow + p].cells[1] = Phase(p, v, g.voltageUnit, g.voltageWord + p);
            rows[g.firstRow + p].cells[2] = Phase(p, c, g.currentUnit, g.currentWord + p);
        }
    }
    // Sequence components and unbalance, phase-independent.
    struct Single {
        std::size_t row;
        unsigned voltageName, currentName;
        const wchar_t* voltageUnit;
        const wchar_t* currentUnit;
        int voltageWord, currentWord;
    };
    for (const Single& s : {Single{36, 6166, 6167, L"V", L"A", 100, 103}, Single{37, 6168, 6169, L"V", L"A", 101, 104},
                            Single{38, 6170, 6171, L"V", L"A", 102, 105}, Single{39, 6172, 6173, L"%", L"%", 106, 108},
                            Single{40, 6174, 6175, L"%", L"%", 107, 109}}) {
        rows[s.row].cells[1] = Whole(T(s.voltageName), s.voltageUnit, s.voltageWord);
        rows[s.row].cells[2] = Whole(T(s.currentName), s.currentUnit, s.currentWord);
    }
    for (int p = 0; p < 3; ++p) {
        rows[41 + p].cells[1] = Phase(p, T(kFluctuation), L"%", 110 + p);
        rows[41 + p].cells[2] = Phase(p, T(kKFactor), L"", 85 + p);
    }
    rows[44].cells[2] = Whole(kPrefixes[3] + T(kKFactor), L"", 88);
    return rows;
}

std::wstring SoeSceneValueText(const CSoeSceneCell& cell, const CSoeScene& scene, std::uint32_t phaseMask)
{
    if (cell.label.empty()) {
        return {};
    }
    if (cell.word < 0 || static_cast<std::size_t>(cell.word) >= scene.size() || !IsPhaseInMask(phaseMask, cell.key)) {
        return L"-----";
    }
    double value = scene[static_cast<std::size_t>(cell.word)];
    if (value == kNoValue) {
        return L"-----";
    }
    // A value that shows as zero carries no sign, whatever its unit.
    if (!std::isnan(value) && std::signbit(value) && viewtext::Fixed3(std::fabs(value)) == L"0.000") {
        value = 0.0;
    }
    std::wstring text = viewtext::Fixed3(value);
    if (!cell.unit.empty()) {
        text += L" " + cell.unit;
    }
    return text;
}

std::wstring SoeFrequencyCaption(const CSoeScene* scene)
{
    std::wstring value = L"--";
    if (scene != nullptr && static_cast<double>((*scene)[64]) != kNoValue) {
        value = viewtext::Fixed3((*scene)[64]) + L" HZ";
    }
    return viewtext::Load(viewtext::kFrequency) + L"：" + value;
}
