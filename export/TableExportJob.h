#pragma once
// The table export worker's part: the exporter that suits the data (statistic
// records or a COMTRADE record) writes the request, gathered on the user-interface
// thread from the view in front, into the chosen folder, its progress moving the
// busy indicator, which is ended on every way out.

#include <string>

#include "export/ExportSource.h"

struct TableExportOutcome {
    int code = 2;       // ITabulistEx's result: 0 written, 1 nothing to write, 2 failed
    int count = 0;      // files written
    std::wstring name;  // the last file written, without ".csv"
    int error = 0;      // why a file could not be saved (errno), 0 when none failed so
};

// `viewKind` is the kind code of the view the request came from.
TableExportOutcome RunTableExport(const ExportSource& source, int viewKind, const std::wstring& folder);
