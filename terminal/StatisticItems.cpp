#include "terminal/StatisticItems.h"

namespace {

struct Range {
    std::uint32_t first;
    std::uint32_t last;
};

bool InAny(std::uint32_t id, std::initializer_list<Range> ranges)
{
    for (const Range& range : ranges) {
        if (id >= range.first && id <= range.last) {
            return true;
        }
    }
    return false;
}

ItemValueLayout Make(std::set<std::uint32_t> lacking, std::map<std::uint32_t, std::uint32_t> subValues,
                     std::uint32_t phaseSpan)
{
    ItemValueLayout layout;
    layout.lackingPhases = std::move(lacking);
    layout.subValues = std::move(subValues);
    layout.phaseSpan = phaseSpan;
    return layout;
}

}  // namespace

std::uint32_t StatisticItemSize(std::uint32_t id)
{
    if (InAny(id, {{1, 6}, {8, 23}, {210, 210}, {461, 461}})) {
        return 4;
    }
    if (InAny(id, {{397, 397}, {449, 454}})) {
        return 3;
    }
    if (InAny(id, {{7, 7}, {455, 460}})) {
        return 1;
    }
    if (InAny(id, {{24, 24}, {211, 211}})) {
        return 8;
    }
    if (id == 398) {
        return 6;
    }
    if (InAny(id, {{25, 74}, {212, 261}})) {
        return 12;
    }
    if (InAny(id, {{75, 209}, {262, 396}})) {
        return 8;
    }
    if (InAny(id, {{399, 448}})) {
        return 9;
    }
    return 0;
}

const ItemValueLayout* StatisticItemLayout(std::uint32_t id)
{
    static const ItemValueLayout fourPhases = Make({}, {}, 16);
    static const ItemValueLayout threePhases = Make({3, 4}, {}, 12);
    static const ItemValueLayout single = Make({0, 1, 2}, {}, 4);
    static const ItemValueLayout unbalance = Make({0, 1, 2}, {{4, 0}, {5, 4}, {6, 8}, {7, 12}}, 4);
    static const ItemValueLayout twoKinds = Make({}, {{1, 0}, {2, 16}}, 16);
    static const ItemValueLayout twoKindsThreePhases = Make({3, 4}, {{1, 0}, {2, 12}}, 12);
    static const ItemValueLayout threeKinds = Make({}, {{1, 0}, {2, 16}, {3, 32}}, 16);
    static const ItemValueLayout threeKindsThreePhases = Make({}, {{1, 0}, {2, 12}, {3, 24}}, 12);

    if (InAny(id, {{1, 6}, {8, 23}, {210, 210}})) {
        return &fourPhases;
    }
    if (InAny(id, {{397, 397}, {449, 454}})) {
        return &threePhases;
    }
    if (InAny(id, {{7, 7}, {455, 460}})) {
        return &single;
    }
    if (id == 461) {
        return &unbalance;
    }
    if (InAny(id, {{24, 24}, {211, 211}, {75, 209}, {262, 396}})) {
        return &twoKinds;
    }
    if (id == 398) {
        return &twoKindsThreePhases;
    }
    if (InAny(id, {{25, 74}, {212, 261}})) {
        return &threeKinds;
    }
    if (InAny(id, {{399, 448}})) {
        return &threeKindsThreePhases;
    }
    return nullptr;
}
