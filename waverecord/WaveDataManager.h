#pragma once
// CWaveDataManager: one result series of an analysed waveform record as a sample
// source of the viewer. It reads the series through a descriptor and hands each
// value to the viewer as a fixed-point position within its value range: 0 at the
// minimum, 2^32 at the maximum, kNoValuePosition for a value that cannot be
// read or is not finite. The result stores own their managers; Release only forgets
// the series, it never deletes the manager.

#include <cstdint>

#include "terminal/SimpleDataManager.h"
#include "waverecord/WaveSeriesDescriptor.h"

class CWaveDataManager : public ISimpleDataManager {
public:
    CWaveDataManager() = default;
    explicit CWaveDataManager(const CWaveSeriesDescriptor& descriptor) : m_descriptor(descriptor) {}

    void Release() override;
    std::int32_t ReservedSlot2(std::uint32_t, std::uint32_t, std::uint32_t) override { return 0; }
    // False outside the series (the index stays); a sample that cannot be read, or
    // is not finite, is kNoValuePosition and still moves the index.
    bool GetNext(std::int64_t* index, std::int64_t* position) override;
    bool GetPrev(std::int64_t* index, std::int64_t* position) override;
    std::uint64_t GetCount() override;
    // The value itself; false when it cannot be read.
    bool GetValue(std::int64_t index, double* value) override;

    // The data set's range of values; false without a data set.
    bool GetRange(std::int64_t* start, std::int64_t* end) const;
    void SetRecord(const CWaveSeriesDescriptor& descriptor) { m_descriptor = descriptor; }
    void GetRecord(CWaveSeriesDescriptor& descriptor) const { descriptor = m_descriptor; }
    const CWaveSeriesDescriptor& Descriptor() const { return m_descriptor; }

    // The values mapped onto the positions (0 at the minimum, 2^32 at the maximum).
    // Equal bounds give a flat series: every position 0.
    void SetValueRange(float minimum, float maximum);
    float GetMinValue() const { return m_minValue; }
    float GetMaxValue() const { return m_maxValue; }
    bool ClampRange(std::int64_t* first, std::int64_t* last) const;
    // Smallest and largest value; a value that cannot be read counts as 0. False when
    // the series is not usable.
    bool GetMinMax(float* minimum, float* maximum) const;
    // Mean of the values from position 0 up to the first that cannot be read; false,
    // and nothing written, when there is none.
    bool GetMean(float* mean) const;

    // The fixed-point position of a value in the current range.
    std::int64_t ToPosition(float value) const;

private:
    bool ReadSample(std::int64_t index, std::int64_t* position) const;

    CWaveSeriesDescriptor m_descriptor;
    float m_minValue = 0.0f;
    float m_maxValue = 0.0f;
};
