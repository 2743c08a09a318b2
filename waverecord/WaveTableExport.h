#pragma once
// CWaveTableExport: writes what a statistic view of the waveform-record window
// shows into a CSV table through Tabulist. A column per shown phase and statistic
// ("L1_MAX", "L2_AVG", "LN_RMS", ...), a row per step of the series from the start
// of the selected time range, as long as every column still has a value. The views
// differ only in their title, unit and the prefix of the fourth phase; they hand
// those and what they show in a request.

#include <cstdint>
#include <string>
#include <vector>

#include "waverecord/WaveResultStore.h"

struct WaveTableRequest {
    std::wstring folder;            // the export folder
    std::wstring title;             // the view's title (a language text)
    std::wstring unit;              // the unit of the item's values
    // The table's name inside the file; empty: the title, " unit" and the unit.
    std::wstring tableName;
    std::wstring fourthPrefix = L"LN";  // "ALL" where the fourth phase is a total
    std::uint32_t phaseMask = 0;    // 0x01 L1 .. 0x08 the fourth phase, 0x10 the system
    std::uint32_t kindMask = 0;     // 0x01 max, 0x02 min, 0x04 avg, 0x20 RMS
    std::int64_t startMs = 0;      // the selected range's start, ms since 1970
    std::int64_t stepNs = 0;        // between rows
};

// What an export wrote: the file, or why none was written (errno of the failed
// write, ENOSPC when the disk is full; 0 when nothing was to be written).
struct WaveTableWritten {
    std::wstring path;
    int error = 0;
};

class CWaveTableExport {
public:
    static constexpr unsigned kTextExporting = 10104;
    static constexpr unsigned kTextUnit = 10105;

    // The column names, in the order the values are written.
    static std::vector<std::wstring> Columns(std::uint32_t phaseMask, std::uint32_t kindMask,
                                             const std::wstring& fourthPrefix);
    // The step between rows from the viewer's seconds per sample: whole microseconds.
    static std::int64_t StepFromSeconds(double secondsPerSample);
    // Writes the table into a new file in the folder (named after the title, with
    // the time of the export); true when it was written. The file written, or why
    // none was, goes to `written` when given.
    static bool Export(const WaveTableRequest& request, CWaveResultStore* store, WaveTableWritten* written = nullptr);
    // The same with columns a view names itself, each reading its own series (the
    // request's masks and prefix are not used).
    static bool ExportColumns(const WaveTableRequest& request, const std::vector<std::wstring>& columns,
                              const std::vector<CWaveSeriesDescriptor>& series,
                              WaveTableWritten* written = nullptr);
};
