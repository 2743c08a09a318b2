#include "core/CrashDump.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <exception>
#include <execinfo.h>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"

namespace {

// Everything the handler needs is prepared at installation: a fatal signal may
// arrive with the heap or the time-zone state broken, so the handler allocates
// nothing and calls only async-signal-safe functions.
constexpr std::size_t kPathBytes = 4096;
constexpr std::size_t kNameBytes = 1024;
constexpr std::size_t kReasonBytes = 512;
constexpr const wchar_t* kReportedListSuffix = L"_ReportedDumps.lst";  // after the application name
constexpr const wchar_t* kDefaultApplicationName = L"Application";
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

char g_folder[kPathBytes];    // the program folder with a trailing '/', UTF-8
char g_name[kNameBytes];      // the application name, UTF-8
char g_reason[kReasonBytes];  // what an escaping exception said
std::atomic<long> g_utcOffset{0};
std::atomic<pid_t> g_crashingThread{0};
alignas(16) char g_signalStack[64 * 1024];

std::mutex g_installLock;
std::wstring g_applicationName = kDefaultApplicationName;

// A fixed buffer that fills like a string, cutting what does not fit.
template <std::size_t N>
class FixedText {
public:
    FixedText& Add(const char* text) {
        while (*text != '\0' && m_length + 1 < N) {
            m_data[m_length++] = *text++;
        }
        m_data[m_length] = '\0';
        return *this;
    }
    FixedText& AddNumber(unsigned long long value, unsigned width = 1, unsigned base = 10) {
        char digits[32];
        unsigned count = 0;
        do {
            digits[count++] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0 && count < sizeof(digits));
        while (count < width && count < sizeof(digits)) {
            digits[count++] = '0';
        }
        char text[33];
        for (unsigned i = 0; i < count; ++i) {
            text[i] = digits[count - 1 - i];
        }
        text[count] = '\0';
        return Add(text);
    }
    FixedText& AddSigned(long long value) {
        if (value < 0) {
            Add("-");
            return AddNumber(0ULL - static_cast<unsigned long long>(value));
        }
        return AddNumber(static_cast<unsigned long long>(value));
    }
    const char* Data() const { return m_data; }
    std::size_t Length() const { return m_length; }

private:
    char m_data[N] = {};
    std::size_t m_length = 0;
};

void CopyText(char* target, std::size_t size, const std::string& text) {
    const std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

template <std::size_t N>
bool WriteText(int fd, const FixedText<N>& text) {
    return WriteAll(fd, text.Data(), text.Length());
}

// "_%Y_%m_%d_%H_%M_%S" of the local time, from the offset taken at installation
// (localtime is not safe here). Days to civil date after H. Hinnant's algorithm.
template <std::size_t N>
void AddCrashTime(FixedText<N>& text) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const long long local = static_cast<long long>(now.tv_sec) + g_utcOffset.load();
    long long days = local / 86400;
    long long seconds = local % 86400;
    if (seconds < 0) {
        seconds += 86400;
        --days;
    }
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    const long long day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
    const long long month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
    const long long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const long long fields[] = {year, month, day, seconds / 3600, seconds % 3600 / 60, seconds % 60};
    const unsigned widths[] = {4, 2, 2, 2, 2, 2};
    for (int i = 0; i < 6; ++i) {
        text.Add("_").AddNumber(static_cast<unsigned long long>(fields[i]), widths[i]);
    }
}

const char* SignalName(int signal) {
    switch (signal) {
        case SIGSEGV: return "SIGSEGV";
        case SIGBUS: return "SIGBUS";
        case SIGFPE: return "SIGFPE";
        case SIGILL: return "SIGILL";
        case SIGABRT: return "SIGABRT";
        default: return "signal";
    }
}

bool CopyMemoryMap(int fd) {
    const int maps = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (maps < 0) {
        return false;
    }
    char buffer[4096];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(maps, buffer, sizeof(buffer));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        if (!WriteAll(fd, buffer, static_cast<std::size_t>(n))) {
            ok = false;
            break;
        }
    }
    ::close(maps);
    return ok;
}

// Writes the dump and ends the process; the cause is a signal (with the faulting
// address when the signal has one) or, for signal 0, the text in g_reason.
[[noreturn]] void WriteDumpAndExit(int signal, const siginfo_t* info) {
    const pid_t self = static_cast<pid_t>(::syscall(SYS_gettid));
    pid_t owner = 0;
    if (!g_crashingThread.compare_exchange_strong(owner, self)) {
        if (owner == self) {
            ::_exit(-1);  // a fault inside this very routine
        }
        for (;;) {
            ::pause();  // another thread is writing the dump and will end the process
        }
    }

    FixedText<kPathBytes + kNameBytes + 32> path;
    path.Add(g_folder).Add(g_name);
    AddCrashTime(path);
    path.Add(".dmp");

    FixedText<kPathBytes + kNameBytes + 256> message;
    const int fd = ::open(path.Data(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        message.Add("Failed to create dump file '").Add(path.Data()).Add("' (error ").AddSigned(errno).Add(")\n");
        WriteText(STDERR_FILENO, message);
        ::_exit(-1);
    }

    FixedText<kReasonBytes + 256> header;
    header.Add(g_name).Add(" crashed\n");
    if (signal != 0) {
        header.Add("Signal: ").AddNumber(static_cast<unsigned>(signal)).Add(" (").Add(SignalName(signal)).Add(")\n");
        const bool hasAddress = signal == SIGSEGV || signal == SIGBUS || signal == SIGFPE || signal == SIGILL;
        if (hasAddress && info != nullptr) {
            header.Add("Address: 0x").AddNumber(reinterpret_cast<std::uintptr_t>(info->si_addr), 1, 16).Add("\n");
        }
    } else {
        header.Add("Reason: ").Add(g_reason).Add("\n");
    }
    header.Add("Process: ").AddNumber(static_cast<unsigned>(::getpid()));
    header.Add("\nThread: ").AddNumber(static_cast<unsigned>(self)).Add("\n\nBacktrace:\n");
    bool ok = WriteText(fd, header);
    void* frames[64];
    const int count = ::backtrace(frames, 64);
    ::backtrace_symbols_fd(frames, count, fd);
    const char mapTitle[] = "\nMemory map:\n";
    ok = WriteAll(fd, mapTitle, sizeof(mapTitle) - 1) && ok;
    ok = CopyMemoryMap(fd) && ok;
    const int writeError = ok ? 0 : errno;
    ok = ::close(fd) == 0 && ok;

    if (ok) {
        message.Add("软件发生异常，异常信息被保存到").Add(path.Data()).Add("中\n");
    } else {
        message.Add("软件发生异常，且保存异常信息失败").Add(path.Data()).Add(" (error ").AddSigned(writeError ? writeError : errno)
            .Add(")\n");
    }
    WriteText(STDERR_FILENO, message);
    ::_exit(-1);
}

void OnFatalSignal(int signal, siginfo_t* info, void*) {
    WriteDumpAndExit(signal, info);
}

// Not a signal context: the exception may be inspected, but what it says is copied
// into the fixed buffer so that the dump is written the same way as for a signal.
void OnTerminate() {
    std::string reason = "terminate called";
    if (const std::exception_ptr escaped = std::current_exception()) {
        reason += " after an uncaught exception";
        try {
            std::rethrow_exception(escaped);
        } catch (const std::exception& error) {
            reason += ": ";
            reason += error.what();
        } catch (...) {
        }
    }
    CopyText(g_reason, kReasonBytes, reason);
    WriteDumpAndExit(0, nullptr);
}

bool IsDumpName(std::wstring_view name, std::wstring_view application) {
    // application + "_YYYY_MM_DD_HH_MM_SS.dmp"
    constexpr std::wstring_view kPattern = L"_0000_00_00_00_00_00.dmp";
    if (name.size() != application.size() + kPattern.size() || name.substr(0, application.size()) != application) {
        return false;
    }
    const std::wstring_view rest = name.substr(application.size());
    for (std::size_t i = 0; i < kPattern.size(); ++i) {
        const bool digit = rest[i] >= L'0' && rest[i] <= L'9';
        if (kPattern[i] == L'0' ? !digit : rest[i] != kPattern[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

void CCrashDump::Install(const wchar_t* applicationName) {
    std::lock_guard<std::mutex> hold(g_installLock);
    g_applicationName = applicationName != nullptr && *applicationName != L'\0' ? applicationName
                                                                                 : kDefaultApplicationName;
    CopyText(g_name, kNameBytes, platform::WideToUtf8(g_applicationName));
    CopyText(g_folder, kPathBytes, platform::PathToUtf8(platform::ProgramFolder()) + "/");

    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (::localtime_r(&now, &local) != nullptr) {
        g_utcOffset.store(local.tm_gmtoff);
    }
    // The first backtrace loads the unwinder, which must not happen in the handler.
    void* frame = nullptr;
    ::backtrace(&frame, 1);

    // A stack overflow leaves no stack for the handler: give it its own.
    stack_t stack{};
    stack.ss_sp = g_signalStack;
    stack.ss_size = sizeof(g_signalStack);
    ::sigaltstack(&stack, nullptr);

    struct sigaction action {};
    action.sa_sigaction = OnFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : kFatalSignals) {
        ::sigaction(signal, &action, nullptr);
    }
    std::set_terminate(OnTerminate);
}

CCrashDump::ThreadGuard::ThreadGuard() : m_stack(new char[sizeof(g_signalStack)]) {
    stack_t stack{};
    stack.ss_sp = m_stack.get();
    stack.ss_size = sizeof(g_signalStack);
    ::sigaltstack(&stack, nullptr);
}

CCrashDump::ThreadGuard::~ThreadGuard() {
    stack_t stack{};
    stack.ss_flags = SS_DISABLE;
    ::sigaltstack(&stack, nullptr);
}

std::vector<std::wstring> CCrashDump::TakeUnreportedDumps() {
    std::wstring application;
    {
        std::lock_guard<std::mutex> hold(g_installLock);
        application = g_applicationName;
    }
    const auto folder = platform::ProgramFolder();
    const auto listFile = folder / platform::ToPath(application + kReportedListSuffix);

    std::set<std::wstring> reported;
    if (const auto bytes = platform::ReadFileBytes(listFile)) {
        const std::wstring text = platform::Utf8ToWide(*bytes);
        for (std::size_t start = 0; start < text.size();) {
            std::size_t end = text.find(L'\n', start);
            end = end == std::wstring::npos ? text.size() : end;
            reported.insert(text.substr(start, end - start));
            start = end + 1;
        }
    }

    std::vector<std::wstring> fresh;
    std::string stillPresent;  // the new list: every dump there is now, so vanished ones drop out
    for (const auto& entry : platform::ListSorted(folder)) {
        const std::wstring name = platform::FromPath(entry.path().filename());
        std::error_code error;
        if (!entry.is_regular_file(error) || !IsDumpName(name, application)) {
            continue;
        }
        if (reported.count(name) == 0) {
            fresh.push_back(platform::FromPath(entry.path()));
        }
        stillPresent += platform::WideToUtf8(name) + "\n";
    }
    if (!fresh.empty()) {
        platform::AtomicWriteFile(listFile, stillPresent);
    }
    return fresh;
}

std::wstring CCrashDump::ReportText(const std::wstring& dumpPath) {
    return L"软件发生异常，异常信息被保存到" + dumpPath + L"中";
}
