#pragma once
// The report worker's part of a report run: the writers' readiness checks, options
// and outputs in order, under the busy indicator, which is set to 0 first and
// ended on every way out. The outcome is what the user is told: success with the
// real output path, or the failing writer's own reason.

#include <string>

#include "report/ReportRequest.h"
#include "report/ReportWriter.h"

struct ReportOutcome {
    bool success = false;
    std::wstring output;   // success: the folder or file written
    std::wstring message;  // failure: why
};

// The spreadsheet report: the workbook (when the request wants it), then the
// pictures (when it wants any), into the request's folder. A writer that is not
// ready or fails ends the run with its reason; so does a request that wants
// nothing, with the general failure text.
ReportOutcome RunSpreadsheetReport(const ReportRequest& request, IReportWriter* workbook, IReportWriter* pictures);

// The RTF report into the request's file.
ReportOutcome RunDocumentReport(const ReportRequest& request, IReportWriter& document);

// The reason a writer failed: its reporter's message text, or the general failure
// text when it left none.
std::wstring FailureText(IReportWriter& writer);
