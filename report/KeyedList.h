#pragma once
// Set-or-add by key, the one way the report configuration's lists change: the first
// element whose key equals the new one byte for byte is replaced in place (nested
// lists and maps included), otherwise the new element is appended.

#include <algorithm>
#include <vector>

template <typename Item>
void SetOrAddByKey(std::vector<Item>& list, const Item& item)
{
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&item](const Item& element) { return element.GetKey() == item.GetKey(); });
    if (found != list.end()) {
        *found = item;
    } else {
        list.push_back(item);
    }
}
