#include "core/OndravaLog.h"

#include <atomic>

#include "core/LogFile.h"
#include "platform/base/ProgramFolder.h"

namespace {

constexpr const char* kLogFileName = "OndravaLog.log";

// Set once the instance exists, so that Release never creates one.
std::atomic<COndravaLog*> g_instance{nullptr};

}  // namespace

COndravaLog::COndravaLog() : m_file(new CLogFile(platform::ProgramFolder() / kLogFileName)) {}

COndravaLog::~COndravaLog() {
    delete m_file;
}

COndravaLog* COndravaLog::GetInstance() {
    // Construction of a function-local static is thread-safe: the first callers
    // from several threads all get the one instance.
    static COndravaLog* const instance = [] {
        auto* log = new COndravaLog();
        g_instance.store(log);
        return log;
    }();
    return instance;
}

void COndravaLog::Release() {
    if (COndravaLog* log = g_instance.load()) {
        log->m_file->Close();
    }
}

void COndravaLog::Write(const std::wstring& message) {
    m_file->Write(message);
}
