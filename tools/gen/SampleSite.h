#pragma once
// The sample folder a new user opens first: three days of one site as a K7700
// records it, on the 0.38 kV incomer of a distribution room (220 V phase voltage,
// measured directly, currents through 200/5 A transformers). Every file comes from
// this one description, so that its numbers agree with each other: the statistic
// data runs around the site's nominal voltage with power in kW whose sum over time
// is the energy; the transient events (COMTRADE) and the alarms (SOE) fall inside
// the statistic span, their waveforms, values and scenes taken from the same
// course of the day, and each transient leaves its mark in the statistic extremes
// of its minute.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/StatisticFolder.h"

namespace gen {

// A transient event: its start, its kind as the ".INF" side file gives it (1 swell,
// 2 dip, 3 interruption, 4 inrush current), the phase (1..3), how long it lasts and
// what it does to that phase's voltage (dip, swell) or to the currents (inrush).
struct SampleTransient {
    DateTime start;
    int kind;
    int phase;
    int durationMs;
    double factor;
};

// An alarm of the SOE file: its time, the alarm type the lists know, the phase
// (0..2), whether it starts or ends, and the statistic item whose value it reports.
struct SampleAlarm {
    DateTime time;
    std::uint32_t type;
    std::uint32_t phase;
    bool starts;
    std::uint32_t item;
};

// The site's description files ("recordinfo.cfg", "recordset.ini").
RecordSet SampleRecordSet();
// The statistic folder of the site: items, span, plausible values, the transients'
// marks and the description.
StatisticFolderOptions SampleStatisticOptions();
const std::vector<SampleTransient>& SampleTransients();
const std::vector<SampleAlarm>& SampleAlarms();
// The statistic record (0-based) whose interval holds the time.
std::uint64_t SampleRecordAt(const DateTime& time);

// The three parts of the sample folder; the statistic data brings the description
// files.
bool WriteSampleStatisticFolder(const std::filesystem::path& folder);
bool WriteSampleComtrade(const std::filesystem::path& folder);
bool WriteSampleSoe(const std::filesystem::path& folder);

}  // namespace gen
