#pragma once
// The one call the main frame's RTF report command makes on its report worker,
// after the report wizard: everything the report needs, and the path it goes to.

#include <string>

#include "terminal/BasicInfo.h"

class CReportConfig;
class IDataModel;

struct CWordReportJob {
    std::wstring dataPath;      // the data folder
    int levelCode = 1;          // voltage level 1 (0.38 kV) to 7 (220 kV)
    BasicInfo record;           // the data record the wizard showed
    CReportConfig* config = nullptr;
    IDataModel* model1 = nullptr;     // the statistic model
    IDataModel* model2 = nullptr;     // the second statistic model
    IDataModel* soeSource = nullptr;  // the SOE model
    int trendSection = 0;       // non-zero: the trend charts
    int eventSection = 0;       // non-zero: the event pages
    std::wstring targetPath;    // the document
};

// Makes the report (CWordReporter: Init, CheckReady, SetSections, ReportOutput) on
// the calling thread. The busy indicator is set to 0 first and ended at the end,
// which releases the user-interface thread waiting in StartHourglaze. 1 when the
// document was written; 0 with the text to show the user in `message`.
int RunWordReport(const CWordReportJob& job, std::wstring& message);
