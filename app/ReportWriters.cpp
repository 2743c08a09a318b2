#include "app/ReportWriters.h"

#include "export/ExcelReporter.h"
#include "report/ImageReporter.h"
#include "report/WordReporter.h"

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

class DocumentWriter : public IReportWriter {
public:
    DocumentWriter(int trend, int event) : m_trend(trend), m_event(event) {}
    CBaseReporter& GetReporter() override { return m_reporter; }
    void ApplyOptions() override { m_reporter.SetSections(m_trend, m_event); }

private:
    CWordReporter m_reporter;
    int m_trend;
    int m_event;
};

}  // namespace

bool CReportWriters::CanCreate(ReportWriterKind) const
{
    return true;
}

std::unique_ptr<IReportWriter> CReportWriters::CreateWorkbookWriter()
{
    return std::make_unique<WorkbookWriter>();
}

std::unique_ptr<IReportWriter> CReportWriters::CreatePictureWriter(int trend, int histograms, int itic)
{
    return std::make_unique<PictureWriter>(trend, histograms, itic);
}

std::unique_ptr<IReportWriter> CReportWriters::CreateDocumentWriter(int trend, int event)
{
    return std::make_unique<DocumentWriter>(trend, event);
}
