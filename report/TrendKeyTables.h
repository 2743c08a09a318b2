#pragma once
// The tables that turn the trend keys of the report configuration into what the
// chart builders need: for the plain quantities the report item id, the display
// name, the unit and the chart kind; for the harmonic families the family id, orders
// or THD, the phase, the display name and the unit. The names are the "Trends" texts
// of the report wording as loaded when a table is made (empty when not loaded).

#include <map>
#include <string>

#include "report/ReportItemDef.h"
#include "report/ReportItemName.h"

std::map<std::string, CReportItemName> MakeTrendKeyTable();
std::map<std::string, CReportItemDef> MakeHarmTrendKeyTable();
