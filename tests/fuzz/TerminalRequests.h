#pragma once
// The series requests a statistic view makes of a reader, for the targets that
// fuzz the statistic readers: every phase, block type and sub-value of a view, at
// the first orders of its family.

#include <cstdint>
#include <memory>
#include <vector>

#include "terminal/ItemRequest.h"
#include "terminal/ZVDataManager.h"

namespace fuzz {

// Sub-values 0 to lastSubValue: the item reader tells only four kinds apart (the
// plain value, "_EFF", "_RAT", "_PHA"), every later one reads as the plain value.
std::vector<std::unique_ptr<ItemRequest>> RequestsOfView(std::uint32_t viewId, std::uint32_t lastSubValue = 7);

// A data manager that only counts what it is given.
class CountingManager : public IZVDataManager {
public:
    bool AddValue(double) override {
        ++m_count;
        return true;
    }
    bool AddData(std::uintptr_t) override {
        ++m_count;
        return true;
    }
    void Release() override { m_count = 0; }
    std::uint64_t GetCount() override { return m_count; }

private:
    std::uint64_t m_count = 0;
};

}  // namespace fuzz
