#pragma once
// IExportView: what a statistic or record view offers the table export command.
// The main frame asks the view in front, on the user-interface thread, to fill an
// export request with what it shows (the suppliers of its series and their keys)
// and for its kind code, which tells the exporter how to name and group the files;
// the export worker then only reads the request. A view that cannot be exported
// does not implement it.

#include "export/ExportSource.h"

class IExportView {
public:
    virtual ~IExportView() = default;

    // Fills the request; non-zero when the view had something to offer.
    virtual int FillExportRequest(ExportSource& request) = 0;
    // The view's kind code (the answer to its query 1001).
    virtual int GetExportKind() = 0;
};
