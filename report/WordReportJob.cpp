#include "report/WordReportJob.h"

#include "platform/base/Hourglaze.h"
#include "report/WordReporter.h"

int RunWordReport(const CWordReportJob& job, std::wstring& message)
{
    UpdateHourglaze(0);
    int result = 0;
    {
        CWordReporter reporter;
        if (reporter.Init(job.dataPath, job.levelCode, &job.record, job.config, job.model1, job.model2, job.soeSource,
                          0) != 0) {
            reporter.CheckReady();
            reporter.SetSections(job.trendSection, job.eventSection);
            result = reporter.ReportOutput(job.targetPath, 0);
        }
        message = result != 0 ? std::wstring() : reporter.GetReportName();
    }
    EndHourglaze();
    return result;
}
