#pragma once
// CReportWriters: the report writers this program holds, as the main frame's report
// commands make them: the spreadsheet report's workbook (CExcelReporter) and its
// pictures (ImageReporter), and the RTF report (CWordReporter).

#include "report/ReportWriter.h"

class CReportWriters : public IReportWriterFactory {
public:
    bool CanCreate(ReportWriterKind kind) const override;
    std::unique_ptr<IReportWriter> CreateWorkbookWriter() override;
    std::unique_ptr<IReportWriter> CreatePictureWriter(int trend, int histograms, int itic) override;
    std::unique_ptr<IReportWriter> CreateDocumentWriter(int trend, int event) override;
};
