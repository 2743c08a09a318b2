#pragma once
// ValueBuffer: the values of one output item file gathered in memory until the
// buffer is full or the conversion ends. Memory grows with the values held, never
// past the capacity chosen for the conversion.

#include <algorithm>
#include <cstddef>
#include <vector>

namespace convertix {

struct ValueBuffer {
    std::vector<float> values;
    std::size_t capacity = 0;

    bool Full() const { return values.size() >= capacity; }
    // Appends up to `count` values and returns how many fitted.
    std::size_t Append(const float* data, std::size_t count)
    {
        const std::size_t taken = std::min(count, capacity - std::min(capacity, values.size()));
        if (values.size() + taken > values.capacity()) {
            values.reserve(std::min(capacity, std::max<std::size_t>(values.size() * 2, values.size() + taken)));
        }
        values.insert(values.end(), data, data + taken);
        return taken;
    }
};

}  // namespace convertix
