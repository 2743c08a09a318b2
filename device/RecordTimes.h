#pragma once
// The start and end time of a downloaded record, from its "recordinfo.cfg"
// (section "cfg", seven decimal keys for each).

#include <string>

#include "core/SystemTime.h"

// Reads the fourteen keys into the times (a missing or non-numeric key gives 0;
// the day of week is left alone). 1 when the file exists, else 0 with the times
// unchanged.
int ReadRecordTimeFile(const std::wstring& path, SystemTime& start, SystemTime& end);
