#pragma once
// The conversion's own names of the statistic items: the 50 table entries (single
// items and the first member of every item family) and the names of the other
// family members, which end in their order instead of 1.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace convertix {

// Item id -> name of the table entries.
const std::map<int, std::wstring>& ItemNames();

// The first member of the family an id belongs to; the id itself for an id outside
// the families.
int FamilyBase(int id);

struct ItemName {
    std::wstring name;     // the output base name ("ESIN_V_HARM_2")
    std::wstring section;  // the itemInfo.ini section that describes it ("ESIN_V_HARM_1")
};

// The name of a statistic item 1 to 461; nothing for any other id.
std::optional<ItemName> NameOfItem(int id);

}  // namespace convertix
