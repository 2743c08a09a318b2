#include "app/DocumentLauncher.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>

#include <wx/timer.h>

#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/Process.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr unsigned kStringManualMissing = 6391;
constexpr unsigned kStringOpenFailed = 6392;
constexpr unsigned kStringNoWebAddress = 6393;
using apptext::kStringAppTitle;
constexpr int kPollMilliseconds = 200;
const char* const kOpener = "xdg-open";

using apptext::String;

using apptext::StartsWithNoCase;

}  // namespace

// Looks after the started openers on the user-interface thread.
class CDocumentLauncher::Watcher : public wxTimer {
public:
    explicit Watcher(CDocumentLauncher& launcher) : m_launcher(launcher) {}
    void Notify() override { m_launcher.Poll(); }

private:
    CDocumentLauncher& m_launcher;
};

CDocumentLauncher::CDocumentLauncher(ui::Window* owner) : m_owner(owner), m_watcher(std::make_unique<Watcher>(*this)) {}

CDocumentLauncher::~CDocumentLauncher() = default;

bool CDocumentLauncher::IsWebAddress(const std::wstring& address) {
    const bool blankOrControl = std::any_of(address.begin(), address.end(), [](wchar_t c) {
        return std::iswspace(static_cast<wint_t>(c)) || std::iswcntrl(static_cast<wint_t>(c));
    });
    if (blankOrControl) {
        return false;
    }
    for (const std::wstring_view scheme : {std::wstring_view(L"http://"), std::wstring_view(L"https://")}) {
        if (StartsWithNoCase(address, scheme) && address.size() > scheme.size() && address[scheme.size()] != L'/') {
            return true;
        }
    }
    return false;
}

bool CDocumentLauncher::OpenFile(const std::wstring& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(platform::ToPath(file), error)) {
        ui::MessageBox(m_owner, String(kStringManualMissing) + L"\n" + file, String(kStringAppTitle),
                       ui::kMbOk | ui::kMbIconExclamation);
        return false;
    }
    return Start(file);
}

bool CDocumentLauncher::OpenFolder(const std::wstring& folder) {
    std::error_code error;
    return std::filesystem::is_directory(platform::ToPath(folder), error) && Start(folder);
}

bool CDocumentLauncher::OpenWebPage(const std::wstring& address) {
    if (!IsWebAddress(address)) {
        ui::MessageBox(m_owner, String(kStringNoWebAddress) + L"\n" + address, String(kStringAppTitle),
                       ui::kMbOk | ui::kMbIconExclamation);
        return false;
    }
    return Start(address);
}

bool CDocumentLauncher::Start(const std::wstring& target) {
    const auto child = platform::StartProcess(kOpener, {platform::WideToUtf8(target)});
    if (!child) {
        ReportFailure();
        return false;
    }
    m_children.push_back({*child, std::chrono::steady_clock::now()});
    if (!m_watcher->IsRunning()) {
        m_watcher->Start(kPollMilliseconds);
    }
    return true;
}

void CDocumentLauncher::Poll() {
    const auto now = std::chrono::steady_clock::now();
    bool failed = false;
    // Every child is watched until it ends, so none is left behind unreaped; only an
    // early failure is told, since a viewer may run for hours and end as it likes.
    std::erase_if(m_children, [&](const Child& child) {
        const platform::ProcessState state = platform::PollProcess(child.pid);
        if (state == platform::ProcessState::Running) {
            return false;
        }
        failed = failed || (state == platform::ProcessState::Failed && now - child.started <= kReportWindow);
        return true;
    });
    if (m_children.empty()) {
        m_watcher->Stop();
    }
    if (failed) {
        ReportFailure();
    }
}

void CDocumentLauncher::ReportFailure() {
    ui::MessageBox(m_owner, String(kStringOpenFailed), String(kStringAppTitle), ui::kMbOk | ui::kMbIconExclamation);
}
