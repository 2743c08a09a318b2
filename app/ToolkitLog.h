#pragma once
// CToolkitLog: where the toolkit's own diagnostics go. The toolkit's debug and
// trace lines (its bookkeeping of focus and the like) and the settings store's
// warnings when the desktop has no settings service (a session without D-Bus)
// tell the user nothing: they go into the program's log rather than the
// terminal. Warnings and errors meant for the user keep their way.

#include <memory>

#include <wx/log.h>

class CToolkitLog : public wxLog {
public:
    // Becomes the active log target; the one before it takes what is not ours.
    static void Install();

protected:
    void DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo& info) override;

private:
    explicit CToolkitLog(wxLog* previous) : m_previous(previous) {}

    std::unique_ptr<wxLog> m_previous;
};
