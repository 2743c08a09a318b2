#pragma once
// The quantities the view item list offers for each kind of trend view, and what
// a choice of quantity and statistic kinds tells the view.

#include <cstdint>
#include <vector>

namespace controls {

// Kinds of trend view the list serves.
inline constexpr int kViewKindVoltageCurrent = 0;
inline constexpr int kViewKindPowerEnergy = 1;
inline constexpr int kViewKindFluctuationFlicker = 2;
inline constexpr int kViewKindUnbalance = 3;
inline constexpr int kViewKindHarmonic = 4;
// No list at all, until the owner sets a kind.
inline constexpr int kViewKindNone = 6;

// Statistic kind bits of a choice; kNoStatisticKinds for a quantity that has none.
inline constexpr std::uint32_t kStatisticMax = 1;
inline constexpr std::uint32_t kStatisticMin = 2;
inline constexpr std::uint32_t kStatisticAvg = 4;
inline constexpr std::uint32_t kNoStatisticKinds = 32;

struct ViewItem {
    std::uint32_t id;  // the quantity, as the views know it
    unsigned textId;   // its language string
};

// The language string of the kind's caption.
unsigned ViewKindCaptionId(int kind);
// The kind's quantities in list order; none for an unknown kind.
std::vector<ViewItem> ViewKindItems(int kind);
// The language string naming a power or energy quantity (the untitled text for others).
unsigned PowerItemTextId(std::uint32_t itemId);
// Half-cycle values and energies have no maximum, minimum or average to choose.
bool HasStatisticKinds(std::uint32_t itemId);
// The kind bits a choice reports: the checked boxes while the kinds can be chosen.
std::uint32_t ChoiceFlags(bool kindsEnabled, bool max, bool min, bool avg);

}  // namespace controls
