#pragma once
// IBufferredDataManager: the summary cache of one channel, as the host and the row
// kinds see it. The host gets one from the viewer, hands it to a row kind, and frees
// it through Release once no row kind draws from it any more.
//
// Samples are the host's signed 64-bit words (a bus or bit pattern, or a display
// position); kNoValuePosition marks a sample without value.

#include <cstdint>

class ISimpleDataManager;

class IBufferredDataManager {
protected:
    virtual ~IBufferredDataManager() = default;

public:
    virtual void Release() = 0;
    // Points the cache at a source (borrowed; null allowed). The summary of the
    // previous source is dropped: queries answer nothing until the next Build.
    virtual void SetSource(ISimpleDataManager* source) = 0;
    // Reads every sample of the source once and builds the summary; nothing
    // without a source.
    virtual void Build() = 0;
    virtual std::int32_t Reserved4(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) = 0;

    // Results of the change searches.
    static constexpr int kNothing = 0;  // no sample at the position, or no summary
    static constexpr int kFound = 1;    // *position is the first sample whose masked value differs
    static constexpr int kEnd = 2;      // no such sample before the end of the data

    // The masked value of the sample at *position goes to *value; then *position
    // moves to the next sample (forward) or previous sample (backward) whose masked
    // value differs. At kEnd *position is the sample count (forward) or -1
    // (backward). The mask is maskHigh:maskLow.
    virtual int FindNextChange(std::int64_t* position, std::int64_t* value, std::uint32_t maskLow,
                               std::uint32_t maskHigh) = 0;
    virtual int FindPreviousChange(std::int64_t* position, std::int64_t* value, std::uint32_t maskLow,
                                   std::uint32_t maskHigh) = 0;
    // The signed extremes of the samples from *from up to to - 1 that have a value.
    // *from moves to where the look ended (to, or the sample count). 0 when no
    // sample there has a value, when from >= to, or without a summary.
    virtual int GetMinMax(std::int64_t* from, std::int64_t to, std::int64_t* min, std::int64_t* max) = 0;
};
