#pragma once
// CDocumentLauncher: opens the user manual and the maker's web page in the
// viewer the desktop chooses, by starting "xdg-open" with the file or address as
// its one argument. Only files that exist and only http and https addresses are
// handed over; anything else, an opener that cannot be started and an opener that
// reports failure soon after is told to the user in a message box.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <sys/types.h>

namespace ui {
class Window;
}

class CDocumentLauncher {
public:
    explicit CDocumentLauncher(ui::Window* owner);
    ~CDocumentLauncher();
    CDocumentLauncher(const CDocumentLauncher&) = delete;
    CDocumentLauncher& operator=(const CDocumentLauncher&) = delete;

    // False when the file is missing or the opener could not be started (both told).
    bool OpenFile(const std::wstring& file);
    // False when the address is no web address or the opener could not be started.
    bool OpenWebPage(const std::wstring& address);

    // "http://" or "https://" (any case) followed by a host, with no blank or
    // control character anywhere.
    static bool IsWebAddress(const std::wstring& address);
    // Some opener started by us has not ended yet.
    bool IsWatching() const { return !m_children.empty(); }

    // How long after starting an opener its failure is still reported.
    static constexpr std::chrono::seconds kReportWindow{10};

private:
    class Watcher;
    struct Child {
        pid_t pid;
        std::chrono::steady_clock::time_point started;
    };

    bool Start(const std::wstring& target);
    void Poll();
    void ReportFailure();

    ui::Window* m_owner;
    std::vector<Child> m_children;
    std::unique_ptr<Watcher> m_watcher;
};
