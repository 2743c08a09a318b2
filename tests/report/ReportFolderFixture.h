#pragma once
// A generated report folder (statistic data, COMTRADE transient events, SOE alarms)
// opened as the main frame opens it for a report: the statistic model over the
// whole recording and the SOE model over the same span, with the configuration's
// defaults.

#include "report/BaseReporter.h"
#include "report/ReportConfig.h"
#include "terminal/GlobalModel.h"
#include "terminal/SOEModel.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ReportFolder.h"

namespace reporttest {

struct OpenedReportFolder {
    explicit OpenedReportFolder(gen::ReportFolderOptions folderOptions = {});

    // Init of the reporter for the folder at the voltage level; true when it succeeded.
    bool Init(CBaseReporter& reporter, int level = 1);
    std::int64_t StartTime() const;
    std::int64_t EndTime() const;

    testsupport::TempDir dir;
    std::filesystem::path folder;  // the data folder, named as a terminal names a recording
    gen::ReportFolderOptions options;
    CGlobalModel statistic;
    CSOEModel soe;
    BasicInfo record;
    CReportConfig config;
};

// One folder of the default options for every test that needs no other: making it
// is the slow part.
OpenedReportFolder& SharedReportFolder();

}  // namespace reporttest
