#include "export/TableExportJob.h"

#include <memory>

#include "core/OndravaLog.h"
#include "export/ComtradeTabulist.h"
#include "export/RecordTabulist.h"
#include "platform/base/Hourglaze.h"

namespace {

class BusyRun {
public:
    BusyRun() = default;
    ~BusyRun() { EndHourglaze(); }
    BusyRun(const BusyRun&) = delete;
    BusyRun& operator=(const BusyRun&) = delete;
};

}  // namespace

TableExportOutcome RunTableExport(const ExportSource& source, int viewKind, const std::wstring& folder)
{
    const BusyRun busy;
    TableExportOutcome outcome;
    try {
        std::unique_ptr<ITabulistEx> exporter;
        if (source.kind == 0) {
            exporter = std::make_unique<CRecordTabulist>();
        } else {
            exporter = std::make_unique<CComtradeTabulist>();
        }
        exporter->SetMode(viewKind);
        exporter->SetProgressCallback([](double percent) { UpdateHourglaze(percent); });
        outcome.code = exporter->Export(source, folder);
        outcome.count = exporter->GetCount();
        outcome.name = exporter->GetName();
        outcome.error = exporter->GetError();
    } catch (...) {
        COndravaLog::GetInstance()->Write(L"an exception occurs in CMainFrame::ExportTables");
        outcome.code = ITabulistEx::kFailed;
    }
    return outcome;
}
