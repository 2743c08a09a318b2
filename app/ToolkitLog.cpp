#include "app/ToolkitLog.h"

#include <glib.h>

#include "core/OndravaLog.h"
#include "platform/base/Encoding.h"

namespace {

// GLib's structured log: the settings store's lines go to the program's log, all
// others their usual way.
GLogWriterOutput Write(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer data) {
    std::string domain;
    std::string message;
    for (gsize i = 0; i < count; ++i) {
        const std::string key = fields[i].key;
        const auto* value = static_cast<const char*>(fields[i].value);
        if (value == nullptr || fields[i].length > 0) {
            continue;  // binary fields: not ours to read
        }
        if (key == "GLIB_DOMAIN") {
            domain = value;
        } else if (key == "MESSAGE") {
            message = value;
        }
    }
    if (domain == "dconf" && (level & (G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE)) != 0) {
        COndravaLog::GetInstance()->Write(platform::Utf8ToWide(domain + ": " + message));
        return G_LOG_WRITER_HANDLED;
    }
    return g_log_writer_default(level, fields, count, data);
}

}  // namespace

void CToolkitLog::Install() {
    // The toolkit's own target (made now when none was) keeps what is not ours.
    auto* log = new CToolkitLog(wxLog::GetActiveTarget());
    wxLog::SetActiveTarget(log);
    // The settings store warns on every write when no settings service runs. The
    // writer can be set once per process: start-up run again keeps the first.
    static const bool writer = [] {
        g_log_set_writer_func(Write, nullptr, nullptr);
        return true;
    }();
    (void)writer;
}

void CToolkitLog::DoLogRecord(wxLogLevel level, const wxString& message, const wxLogRecordInfo& info) {
    if (level >= wxLOG_Debug) {
        COndravaLog::GetInstance()->Write(L"toolkit: " + message.ToStdWstring());
        return;
    }
    if (m_previous) {
        m_previous->LogRecord(level, message, info);
    }
}
