#pragma once
// The fixed keys of the report configuration and what a fresh configuration holds
// for each: the parameter-table rows, the trend charts, the harmonic tables and the
// harmonic trend items, in the order the wizard shows them and the ".rcg" file keeps
// them, and the display names of the trend keys.

#include <string>
#include <vector>

#include "report/HarmTableItem.h"
#include "report/HarmTrendItem.h"
#include "report/ReportParamItem.h"
#include "report/ReportTrendItem.h"

std::vector<CReportParamItem> DefaultParamItems();
std::vector<CReportTrendItem> DefaultTrendItems();
std::vector<CHarmTableItem> DefaultHarmTableItems();
std::vector<CHarmTrendItem> DefaultHarmTrendItems();

// The display name of a trend key in the language active when the names were
// fetched. A key the names lack makes them fetched anew from the current language;
// a key that is not a trend key then stays with an empty name.
std::wstring GetTrendDisplayName(const std::string& key);
