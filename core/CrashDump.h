#pragma once
// CCrashDump: when the program dies of a fatal signal (SIGSEGV, SIGBUS, SIGFPE,
// SIGILL, SIGABRT) or of a C++ exception that escapes every handler, a dump file
// is written beside the program and the process ends with exit code -1 (255).
// The file is named after the application and the local time of the crash,
// "<name>_%Y_%m_%d_%H_%M_%S.dmp", and holds the cause, a backtrace and the memory
// map. A dying process cannot show a window, so the program names the dumps to the
// user at its next start (TakeUnreportedDumps, ReportText); the crash itself only
// writes a line to standard error.

#include <memory>
#include <string>
#include <vector>

class CCrashDump {
public:
    // Stores the name ("Application" when null or empty) and installs the handlers.
    // Call once at start-up from the main thread; installing again replaces the name.
    static void Install(const wchar_t* applicationName);

    // The full paths of the installed application's dumps in the program folder that
    // no earlier call has returned, in name order; marks them as reported.
    static std::vector<std::wstring> TakeUnreportedDumps();

    // The text that tells the user where a dump was saved.
    static std::wstring ReportText(const std::wstring& dumpPath);

    // A stack overflow leaves a thread no stack to run the handler on, and each
    // thread needs its own spare one: a worker thread holds a ThreadGuard for its
    // whole life (Install gives the installing thread one of its own).
    class ThreadGuard {
    public:
        ThreadGuard();
        ~ThreadGuard();
        ThreadGuard(const ThreadGuard&) = delete;
        ThreadGuard& operator=(const ThreadGuard&) = delete;

    private:
        std::unique_ptr<char[]> m_stack;
    };
};
