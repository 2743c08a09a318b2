#pragma once
// The transient events of a report: the COMTRADE records of the data folder whose
// time lies within the report's period, counted by event kind (1 voltage swell,
// 2 voltage dip, 3 interruption, 4 inrush current), with the ITIC point of every
// voltage event: its duration and its extreme voltage (the highest of a swell, the
// lowest of a dip or an interruption) in % of the nominal voltage. Every event is
// kept, two of equal duration too. The busy indicator hears of the listing and of
// every 31st record.

#include <array>
#include <cstdint>
#include <vector>

#include "report/ITICImpl.h"

class CBaseReporter;

struct CComtradeEvents {
    std::array<std::uint32_t, 4> counts{};
    std::vector<CIticEvent> points;
};

// Adds the events of the reporter's data folder and period to `events`; what was
// added before a failure stays.
void CollectComtradeEvents(const CBaseReporter& reporter, CComtradeEvents& events);
