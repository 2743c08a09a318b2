#include "app/ReportWriters.h"

#include "export/ExcelReporter.h"
#include "report/ImageReporter.h"

namespace {

class WorkbookWriter : public IReportWriter {
public:
    CBaseReporter& GetReporter() override { return m_reporter; }

private:
    CExcelReporter m_reporter;
};

class PictureWriter : public IReportWriter {
public:
    PictureWriter(int trend, int histograms, int itic) : m_trend(trend), m_histograms(histograms), m_itic(itic) {}
    CBaseReporter& GetReporter() override { return m_reporter; }
    void ApplyOptions() override { m_reporter.SetOptions(m_trend, m_histograms, m_itic); }

private:
    ImageReporter m_reporter;
    int m_trend;
    int m_histograms;
    int m_itic;
};

}  // namespace

bool CReportWriters::CanCreate(ReportWriterKind kind) const
{
    return kind == ReportWriterKind::Workbook || kind == ReportWriterKind::Pictures;
}

std::unique_ptr<IReportWriter> CReportWriters::CreateWorkbookWriter()
{
    return std::make_unique<WorkbookWriter>();
}

std::unique_ptr<IReportWriter> CReportWriters::CreatePictureWriter(int trend, int histograms, int itic)
{
    return std::make_unique<PictureWriter>(trend, histograms, itic);
}

std::unique_ptr<IReportWriter> CReportWriters::CreateDocumentWriter(int, int)
{
    return nullptr;
}
