#pragma once
// IReportWriter: one report writer as the main frame's report commands drive it.
// The commands make writers through an IReportWriterFactory, fill each writer's
// reporter base (CBaseReporter::Init) on the user-interface thread, then on the
// report worker run the reporter's readiness check, the writer's own options and
// its output, in this order. The factory the program installs makes the writers
// the program holds; a kind it lacks is not offered to the user.

#include <memory>
#include <string>

#include "report/BaseReporter.h"

class IReportWriter {
public:
    virtual ~IReportWriter() = default;

    // The reporter: its initialisation, readiness check, output and message text.
    virtual CBaseReporter& GetReporter() = 0;
    // The options the writer was made with, handed to its reporter on the worker
    // between the readiness check and the output.
    virtual void ApplyOptions() {}
    // Where a successful output went, for the output path it was given.
    virtual std::wstring GetOutputPath(const std::wstring& requested) const { return requested; }
};

enum class ReportWriterKind {
    Workbook,  // the spreadsheet report
    Pictures,  // the report's charts as picture files
    Document,  // the RTF report
};

class IReportWriterFactory {
public:
    virtual ~IReportWriterFactory() = default;

    virtual bool CanCreate(ReportWriterKind kind) const = 0;
    // Null when the program holds no writer of the kind.
    virtual std::unique_ptr<IReportWriter> CreateWorkbookWriter() = 0;
    // Which pictures: trend charts, harmonic bar charts, the ITIC chart.
    virtual std::unique_ptr<IReportWriter> CreatePictureWriter(int trend, int histograms, int itic) = 0;
    // Which optional sections: the trend charts and the event report.
    virtual std::unique_ptr<IReportWriter> CreateDocumentWriter(int trend, int event) = 0;
};
