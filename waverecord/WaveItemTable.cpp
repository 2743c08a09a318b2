#include "waverecord/WaveItemTable.h"

#include <algorithm>

namespace {

constexpr WaveDispatchRow Raw(int item, int firstChannel)
{
    return {item, WaveHandler::RawWaveform, WaveResultMap::Fixed, 1, {{item, firstChannel, 0, 0}}};
}

constexpr WaveDispatchRow Fixed(int item, int kind)
{
    return {item, WaveHandler::Fixed, WaveResultMap::Fixed, 1, {{item, kind, 0, 0}}};
}

constexpr WaveDispatchRow PerPhase(int item, WaveResultMap map, int kind, int flag, int mode = 0)
{
    return {item, WaveHandler::PerPhase, map, 1, {{item, kind, flag, mode}}};
}

constexpr WaveDispatchRow PerPhase2(int item, WaveRegistration a, WaveRegistration b)
{
    return {item, WaveHandler::PerPhase, WaveResultMap::Harm, 2, {a, b}};
}

constexpr WaveDispatchRow System(int item, int kind)
{
    return {item, WaveHandler::System, WaveResultMap::Harm, 1, {{item, kind, 1, 0}}};
}

constexpr WaveDispatchRow Orders(int item, WaveRegistration a, WaveRegistration b, WaveRegistration c = {})
{
    return {item, WaveHandler::Orders, WaveResultMap::Harm, c.subItem != 0 ? 3u : 2u, {a, b, c}};
}

constexpr WaveResultMap R = WaveResultMap::Rms;
constexpr WaveResultMap H = WaveResultMap::Harm;

constexpr WaveDispatchRow kRows[] = {
    Raw(9998, 4), Raw(9997, 0),
    Fixed(9999, 47), Fixed(6026, 4), Fixed(6027, 5), Fixed(6035, 22), Fixed(6036, 24), Fixed(6037, 23),
    PerPhase(6014, R, 2, 0), PerPhase(6015, R, 3, 0), PerPhase(6016, R, 6, 1), PerPhase(6017, R, 7, 1, 1),
    PerPhase(6018, R, 9, 1), PerPhase(6019, R, 10, 1, 1), PerPhase(6022, R, 8, 1), PerPhase(6023, R, 11, 1),
    PerPhase(6024, R, 16, 1), PerPhase(6025, R, 17, 1), PerPhase(6030, R, 18, 1), PerPhase(6031, R, 20, 1),
    PerPhase(6032, R, 19, 1), PerPhase(6033, R, 25, 1),
    PerPhase(6020, H, 12, 0), PerPhase(6021, H, 13, 0), PerPhase(6028, H, 14, 1), PerPhase(6029, H, 15, 1),
    PerPhase(6034, H, 21, 1), PerPhase(6040, H, 32, 1), PerPhase(6041, H, 33, 1), PerPhase(6042, H, 34, 1),
    PerPhase(6043, H, 35, 1), PerPhase(5999, H, 48, 1), PerPhase(6075, H, 49, 1), PerPhase(6076, H, 61, 1),
    PerPhase(6077, H, 31, 1),
    PerPhase2(6055, {6004, 50, 0, 0}, {6005, 51, 1, 0}),
    PerPhase2(6060, {6006, 62, 0, 0}, {6007, 63, 1, 0}),
    PerPhase2(6065, {6008, 26, 0, 0}, {6009, 27, 1, 0}),
    System(6046, 37), System(6047, 38), System(6048, 39), System(6049, 42), System(6050, 43),
    System(6051, 44), System(6068, 41), System(6069, 40), System(6070, 46), System(6071, 45),
    Orders(6056, {5981, 52, 0, 0}, {5983, 53, 1, 0}, {5985, 54, 1, 0}),
    Orders(6061, {5982, 64, 0, 0}, {5984, 65, 1, 0}, {5986, 66, 1, 0}),
    Orders(6058, {5987, 59, 0, 0}, {5989, 60, 1, 0}),
    Orders(6063, {5988, 71, 0, 0}, {5990, 72, 1, 0}),
    Orders(6057, {5991, 57, 0, 0}, {5993, 58, 1, 0}),
    Orders(6062, {5992, 69, 0, 0}, {5994, 70, 1, 0}),
    Orders(6059, {5995, 55, 0, 0}, {5997, 56, 1, 0}),
    Orders(6064, {5996, 67, 0, 0}, {5998, 68, 1, 0}),
    Orders(6066, {6000, 28, 1, 0}, {6002, 30, 1, 0}, {6001, 29, 1, 0}),
};

bool Within(int item, int first, int last)
{
    return item >= first && item <= last;
}

}  // namespace

WaveItemClass ClassifyWaveItem(int item)
{
    if (Within(item, 6014, 6019) || Within(item, 6022, 6025) || Within(item, 6030, 6033)) {
        return WaveItemClass::Rms;
    }
    if (Within(item, 5981, 6002) || Within(item, 6004, 6009) || item == 6020 || item == 6021 || item == 6028 ||
        item == 6029 || item == 6034 || Within(item, 6040, 6042) || Within(item, 6046, 6051) ||
        Within(item, 6055, 6066) || Within(item, 6068, 6071) || Within(item, 6075, 6077)) {
        return WaveItemClass::Harm;
    }
    if (item == 6026 || item == 6027 || Within(item, 6035, 6037) || Within(item, 9997, 9999)) {
        return WaveItemClass::Fixed;
    }
    return item == 6043 ? WaveItemClass::Pst : WaveItemClass::None;
}

std::span<const WaveDispatchRow> WaveDispatchRows()
{
    return kRows;
}

const WaveDispatchRow* FindWaveDispatchRow(int item)
{
    const auto* row = std::find_if(std::begin(kRows), std::end(kRows), [item](const auto& r) { return r.item == item; });
    return row != std::end(kRows) ? row : nullptr;
}
