#include "views/RecordFrameProfile.h"

#include <algorithm>
#include <limits>

#include "core/ColorPicker.h"
#include "terminal/RecordDataManager.h"

namespace {

constexpr double kLargestProfileValue = std::numeric_limits<double>::max();

std::vector<RecordBoxEntry> KindBoxes(unsigned max, unsigned min, unsigned avg, unsigned cp95)
{
    return {{max, 0x1, false, false}, {min, 0x2, false, false}, {avg, 0x4, false, false}, {cp95, 0x8, false, true}};
}

std::vector<RecordPhaseEntry> ThreePhases()
{
    return {{0x1, 0, L"L1", 0x1}, {0x2, 1, L"L2", 0x2}, {0x4, 2, L"L3", 0x4}};
}

RecordFrameProfile MakeVolAndCur()
{
    RecordFrameProfile p;
    p.viewId = 40006;
    p.kind = 0;
    p.page = CColorPicker::kVoltageCurrent;
    p.templateId = 107;
    p.titleId = 10078;
    p.items = {{1, 6014, 3},  {2, 6024, 3},  {3, 6016, 3},  {4, 6017, 3},   {5, 6026, 3},   {6, 6022, 0},
               {7, 6028, 8},  {8, 6015, 4},  {9, 6025, 4},  {10, 6018, 4},  {11, 6019, 4},  {12, 6027, 4},
               {13, 6023, 0}, {14, 6029, 8}, {2000, 6020, 3}, {7000, 6021, 4}};
    p.phases = ThreePhases();
    p.phases.push_back({0x8, 3, L"N", 0x8});
    p.comboId = 6500;
    p.boxes = KindBoxes(6502, 6503, 6504, 6505);
    for (const auto& [id, bit] : {std::pair{6508u, 0x1u}, {6509u, 0x2u}, {6510u, 0x4u}, {6511u, 0x8u}}) {
        p.boxes.push_back({id, bit, true, false});
    }
    return p;
}

RecordFrameProfile MakePowerAndEnergy()
{
    RecordFrameProfile p;
    p.viewId = 40007;
    p.kind = 4;
    p.page = CColorPicker::kPowerEnergy;
    p.templateId = 108;
    p.titleId = 10079;
    p.items = {{15, 6030, 9},  {16, 6031, 10}, {17, 6032, 11}, {18, 6033, 0},
               {19, 6034, 0},  {20, 6035, 12}, {21, 6036, 13}, {22, 6037, 14}};
    p.phases = ThreePhases();
    p.phases.push_back({0x8, 3, L"ALL", 0x10, true});
    p.energyItems = {20, 21, 22};
    p.itemWithoutAll = 19;
    p.comboId = 6512;
    p.boxes = KindBoxes(6518, 6519, 6522, 6521);
    p.kindGroupId = 6887;
    for (const auto& [id, bit] : {std::pair{6514u, 0x1u}, {6515u, 0x2u}, {6516u, 0x4u}, {6517u, 0x8u}}) {
        p.boxes.push_back({id, bit, true, false});
    }
    return p;
}

RecordFrameProfile MakeFluctAndFlicker()
{
    RecordFrameProfile p;
    p.viewId = 40008;
    p.kind = 1;
    p.page = CColorPicker::kFluctuationFlicker;
    p.templateId = 109;
    p.titleId = 10080;
    p.items = {{13000, 6043, 0}, {13001, 6044, 0}, {13002, 6045, 0},
               {13003, 6040, 5}, {13004, 6041, 5}, {13005, 6042, 1}};
    p.phases = ThreePhases();
    // Negative values are taken as 0; samples without value stay gaps.
    p.setsLimits = true;
    p.limitLow = 0.0;
    p.limitHigh = kLargestProfileValue;
    p.limitMode = CRecordDataManager::ClampToLimits;
    p.zeroEmptiedItems = {13000, 13001};
    p.comboId = 6523;
    p.boxes = KindBoxes(6527, 6528, 6529, 6530);
    p.boxes.push_back({9545, 0x10, false, true});
    for (const auto& [id, bit] : {std::pair{6524u, 0x1u}, {6525u, 0x2u}, {6526u, 0x4u}}) {
        p.boxes.push_back({id, bit, true, false});
    }
    return p;
}

RecordFrameProfile MakeFreq()
{
    RecordFrameProfile p;
    p.viewId = 40009;
    p.kind = 2;
    p.page = CColorPicker::kFrequency;
    p.templateId = 111;
    p.titleId = 10235;
    p.fixedItem = {13017, recordtext::kFrequency, 7};
    p.namesWithPhase = false;
    p.setsLimits = true;
    p.limitLow = 0.0;
    p.limitHigh = kLargestProfileValue;
    p.limitMode = CRecordDataManager::ClampToLimits;
    p.frequencyRange = true;
    p.boxes = KindBoxes(6540, 6541, 6542, 6543);
    return p;
}

RecordFrameProfile MakeUnbalance()
{
    RecordFrameProfile p;
    p.viewId = 40010;
    p.kind = 5;
    p.page = CColorPicker::kUnbalance;
    p.templateId = 110;
    p.titleId = 10081;
    p.items = {{13006, 6046, 3}, {13007, 6047, 3}, {13008, 6048, 3}, {13009, 6049, 4}, {13010, 6050, 4},
               {13011, 6051, 4}, {13013, 6068, 5}, {13014, 6070, 5}, {13015, 6069, 5}, {13016, 6071, 5}};
    p.namesWithPhase = false;
    p.comboId = 6531;
    p.boxes = KindBoxes(6536, 6537, 6538, 6539);
    return p;
}

}  // namespace

const RecordItemEntry* RecordFrameProfile::FindItem(std::uint32_t code) const
{
    if (items.empty()) {
        return fixedItem.code == code && code != 0 ? &fixedItem : nullptr;
    }
    const auto found = std::find_if(items.begin(), items.end(), [code](const RecordItemEntry& e) { return e.code == code; });
    return found != items.end() ? &*found : nullptr;
}

bool RecordFrameProfile::IsEnergy(std::uint32_t code) const
{
    return std::find(energyItems.begin(), energyItems.end(), code) != energyItems.end();
}

bool RecordFrameProfile::IsZeroEmptied(std::uint32_t code) const
{
    return std::find(zeroEmptiedItems.begin(), zeroEmptiedItems.end(), code) != zeroEmptiedItems.end();
}

int RecordFrameProfile::UnitOf(std::uint32_t code) const
{
    const RecordItemEntry* item = FindItem(code);
    return item != nullptr ? item->unit : 0;
}

// Each profile is made once, on first use.
template <RecordFrameProfile (*Make)()>
const RecordFrameProfile& Kept()
{
    static const RecordFrameProfile profile = Make();
    return profile;
}

const RecordFrameProfile& VolAndCurProfile() { return Kept<MakeVolAndCur>(); }
const RecordFrameProfile& PowerAndEnergyProfile() { return Kept<MakePowerAndEnergy>(); }
const RecordFrameProfile& FluctAndFlickerProfile() { return Kept<MakeFluctAndFlicker>(); }
const RecordFrameProfile& FreqProfile() { return Kept<MakeFreq>(); }
const RecordFrameProfile& UnbalanceProfile() { return Kept<MakeUnbalance>(); }

std::vector<const RecordFrameProfile*> RecordFrameProfiles()
{
    return {&VolAndCurProfile(), &PowerAndEnergyProfile(), &FluctAndFlickerProfile(), &FreqProfile(),
            &UnbalanceProfile()};
}
