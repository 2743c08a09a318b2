#include "controls/ViewItemTable.h"

#include <algorithm>
#include <array>

namespace controls {
namespace {

constexpr unsigned kUntitled = 10092;

// Power and energy quantities 6030 to 6037 in order, by their strings.
constexpr std::array<unsigned, 8> kPowerTexts{10084, 10085, 10086, 10087, 10088, 10090, 10091, 10089};

std::vector<ViewItem> Named(std::initializer_list<std::uint32_t> ids) {
    std::vector<ViewItem> items;
    for (const std::uint32_t id : ids) {
        items.push_back({id, id});
    }
    return items;
}

std::vector<ViewItem> NamedRange(std::uint32_t first, std::uint32_t last) {
    std::vector<ViewItem> items;
    for (std::uint32_t id = first; id <= last; ++id) {
        items.push_back({id, id});
    }
    return items;
}

}  // namespace

unsigned ViewKindCaptionId(int kind) {
    return kind >= kViewKindVoltageCurrent && kind <= kViewKindHarmonic ? 10078 + static_cast<unsigned>(kind)
                                                                       : 10083;
}

std::vector<ViewItem> ViewKindItems(int kind) {
    switch (kind) {
    case kViewKindVoltageCurrent:
        return Named({6014, 6024, 6020, 6028, 6016, 6017, 6022, 6026, 6015, 6025, 6021, 6029, 6018, 6019, 6023,
                      6027});
    case kViewKindPowerEnergy: {
        std::vector<ViewItem> items;
        for (std::uint32_t id = 6030; id <= 6037; ++id) {
            items.push_back({id, PowerItemTextId(id)});
        }
        return items;
    }
    case kViewKindFluctuationFlicker:
        return NamedRange(6040, 6043);
    case kViewKindUnbalance: {
        std::vector<ViewItem> items = NamedRange(6046, 6051);
        const std::vector<ViewItem> more = NamedRange(6068, 6071);
        items.insert(items.end(), more.begin(), more.end());
        return items;
    }
    case kViewKindHarmonic: {
        std::vector<ViewItem> items = NamedRange(6055, 6066);
        const std::vector<ViewItem> more = NamedRange(6075, 6077);
        items.insert(items.end(), more.begin(), more.end());
        return items;
    }
    default:
        return {};
    }
}

unsigned PowerItemTextId(std::uint32_t itemId) {
    return itemId >= 6030 && itemId <= 6037 ? kPowerTexts[itemId - 6030] : kUntitled;
}

bool HasStatisticKinds(std::uint32_t itemId) {
    constexpr std::array<std::uint32_t, 5> kWithout{6026, 6027, 6035, 6036, 6037};
    return std::find(kWithout.begin(), kWithout.end(), itemId) == kWithout.end();
}

std::uint32_t ChoiceFlags(bool kindsEnabled, bool max, bool min, bool avg) {
    if (!kindsEnabled) {
        return kNoStatisticKinds;
    }
    return (max ? kStatisticMax : 0) | (min ? kStatisticMin : 0) | (avg ? kStatisticAvg : 0);
}

}  // namespace controls
