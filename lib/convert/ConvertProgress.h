#pragma once
// The two ways the block reader and the item file writer move the conversion's
// progress on; the converter turns them into calls of the program's callback.

#include <cstdint>

namespace convertix {

class IConvertProgress {
public:
    // `done` bytes of the progress total; passed on only when it raises the percentage.
    virtual void ReportCount(std::uint64_t done) = 0;
    // Adds `step` percent, never past 99.5 before the end; always passed on.
    virtual void ReportStep(double step) = 0;

protected:
    ~IConvertProgress() = default;
};

// Reports of one kind are made at most this often.
inline constexpr std::int64_t kProgressIntervalMs = 1500;

// Milliseconds of a steady clock.
std::int64_t ProgressClockMs();

}  // namespace convertix
