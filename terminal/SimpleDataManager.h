#pragma once
// ISimpleDataManager: one series of samples as the waveform viewer and the report
// charts read it, across library boundaries: a sample count and a cursor that walks
// the samples, each returned as a fixed-point position within the manager's display
// range (0 at the bottom, 2^32 at the top, kNoValuePosition for a sample without
// value). The viewer never deletes a manager it is given; its creator does.

#include <cstdint>

class ISimpleDataManager {
public:
    virtual ~ISimpleDataManager() = default;
    virtual void Release() = 0;
    virtual std::int32_t ReservedSlot2(std::uint32_t a, std::uint32_t b, std::uint32_t c) = 0;
    // Writes the sample at *index and advances the index; false at the end of the data.
    virtual bool GetNext(std::int64_t* index, std::int64_t* position) = 0;
    // Writes the sample at *index and steps the index back; false outside the data.
    virtual bool GetPrev(std::int64_t* index, std::int64_t* position) = 0;
    virtual std::uint64_t GetCount() = 0;
    virtual bool GetValue(std::int64_t index, double* value) = 0;
};

// Position of a sample that has no value.
inline constexpr std::int64_t kNoValuePosition = -16;
