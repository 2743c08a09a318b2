#pragma once
// IZVDataManager: a sample source with range, append and parameter operations.
// Every operation has a default body, so a concrete manager overrides only what it
// needs. Managers are owned by whoever created them; Release empties a manager but
// never deletes it, so a reader may call Release and then append to it again.

#include <cmath>
#include <cstdint>

#include "terminal/SimpleDataManager.h"

// A stored value within 0.01 of this stands for "no value". Inline: the charts ask
// it of every sample of series of millions.
inline constexpr double kNoValue = -5368709.0;
inline bool IsNoValue(double value)
{
    return std::fabs(value - kNoValue) < 0.01;
}

// The signed 64-bit fixed-point position of a value within [low, high]: 0 at low,
// 2^32 at high, truncated toward zero after adding one half. A flat range (high equal
// to low) puts every value at 0; positions beyond the 64-bit range are clamped and a
// value that is not a number has no position (kNoValuePosition).
std::int64_t ToFixedPoint(double value, double low, double high);

class IZVDataManager : public ISimpleDataManager {
public:
    void Release() override {}
    std::int32_t ReservedSlot2(std::uint32_t, std::uint32_t, std::uint32_t) override { return 0; }
    bool GetNext(std::int64_t*, std::int64_t*) override { return false; }
    bool GetPrev(std::int64_t*, std::int64_t*) override { return false; }
    std::uint64_t GetCount() override { return 0; }
    bool GetValue(std::int64_t, double*) override { return false; }

    virtual void SetRange(std::int64_t first, std::int64_t last);
    // First index and count (or last index, as the manager defines it); -1 for "all".
    virtual void GetRange(std::int64_t* first, std::int64_t* second);
    virtual bool ReservedSlot9(std::uint32_t) { return true; }
    virtual bool ReservedSlot10(std::uint32_t) { return true; }
    // Appends a record (the SOE managers); the word carries a pointer to it.
    virtual bool AddData(std::uintptr_t) { return true; }
    virtual bool AddValue(double) { return true; }
    virtual void SetParam(std::uint32_t param) { m_Param = param; }
    virtual std::uint32_t GetParam() { return m_Param; }

protected:
    std::uint32_t m_Param = 0;
};
