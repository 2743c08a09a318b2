// Installs the crash handler as the program does, then does what its argument says:
//   segv | overflow | thread-overflow | abort | fpe | throw | thread-throw   die that way
//   report                                                 print the dumps a new start reports, one per line
// The program folder comes from ONDRAVA_PROGRAM_DIR.

#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <thread>

#include "core/CrashDump.h"
#include "platform/base/Encoding.h"

namespace {

[[noreturn]] void Throw() {
    throw std::runtime_error("probe failure");
}

// Deep enough to exhaust any stack; the frame's array keeps it from becoming a loop.
int Recurse(int depth) {
    if (depth == std::numeric_limits<int>::max()) {
        return 0;
    }
    volatile char frame[1024];
    frame[0] = static_cast<char>(depth);
    return Recurse(depth + 1) + frame[0];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: crash_probe segv|overflow|thread-overflow|abort|fpe|throw|thread-throw|report\n");
        return 2;
    }
    CCrashDump::Install(L"CrashProbe");
    const std::string mode = argv[1];
    if (mode == "report") {
        for (const std::wstring& dump : CCrashDump::TakeUnreportedDumps()) {
            std::printf("%s\n", platform::WideToUtf8(CCrashDump::ReportText(dump)).c_str());
        }
        return 0;
    }
    if (mode == "segv") {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "fpe") {
        std::raise(SIGFPE);
    } else if (mode == "throw") {
        Throw();
    } else if (mode == "overflow") {
        return Recurse(0);
    } else if (mode == "thread-overflow") {
        std::thread worker([] {
            CCrashDump::ThreadGuard guard;
            Recurse(0);
        });
        worker.join();
    } else if (mode == "thread-throw") {
        std::thread worker(Throw);
        worker.join();
    }
    return 3;
}
