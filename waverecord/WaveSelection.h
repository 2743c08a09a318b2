#pragma once
// CWaveSelection: the stretch of the open waveform record that every view of the
// waveform-record window evaluates, one for the whole process. The raw-waveform frame
// sets it (the whole record when a record is loaded, then every range the user
// selects); the statistic views and the report adaptor read it.
//
// Samples are counted per channel from the record's start (first, last + 1); times
// are milliseconds since 1970. Both ranges are 0, 0 while nothing is selected.

#include <cstdint>
#include <mutex>

class CWaveSelection {
public:
    static CWaveSelection& Instance();

    void SetSelectedSampleRange(std::int64_t first, std::int64_t end);
    void SetSelectedTimeRange(std::int64_t startMs, std::int64_t endMs);
    // Both ranges back to none.
    void Clear();

    // Copy the current selection; always 1.
    int GetSelectedSampleRange(std::int64_t& first, std::int64_t& end) const;
    int GetSelectedTimeRange(std::int64_t& startMs, std::int64_t& endMs) const;

private:
    CWaveSelection() = default;

    // The report adaptor reads from the thread that writes a report.
    mutable std::mutex m_lock;
    std::int64_t m_firstSample = 0;
    std::int64_t m_endSample = 0;
    std::int64_t m_startMs = 0;
    std::int64_t m_endMs = 0;
};
