#pragma once
// Generator of a terminal folder for the reports: statistic data of every item the
// reports read (voltages, currents, power factor, frequency, THD, fundamental and
// harmonic values, flicker, unbalance) with plausible values of a 230 V system, the
// COMTRADE records of transient events and an SOE file of steady-state alarms, all
// within the recording's span.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "tools/gen/StatisticFolder.h"

namespace gen {

struct ReportFolderOptions {
    std::uint64_t records = 120;
    int timePlot = 60;  // seconds per record
    int startYear = 2026, startMonth = 3, startDay = 1;
    // Transient events, spread evenly over the span: their side-file kinds (1 swell,
    // 2 dip, 3 interruption, 4 inrush current) and durations (ms).
    std::vector<int> comtradeKinds = {1, 2, 3, 4, 2};
    std::vector<int> comtradeDurations = {40, 120, 800, 60, 3000};
    // Steady-state alarms, spread evenly over the span: their event kinds; every
    // seventh is not marked as listed.
    std::vector<std::uint32_t> alarmKinds = {6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 5, 9, 13, 6};
};

// The nominal phase voltage the folder describes (V).
inline constexpr double kReportNominalVoltage = 230.0;

bool WriteReportFolder(const std::filesystem::path& folder, const ReportFolderOptions& options);

}  // namespace gen
