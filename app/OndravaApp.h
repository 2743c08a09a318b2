#pragma once
// COndravaApp: the program's application object. Start-up brings the services up in
// a fixed order, selects the interface language, creates the main frame and shows it
// maximised, then names to the user the crash dumps that earlier runs left; exit
// takes the services down again. What only the Windows toolkit needed at those
// points (control containers, DPI awareness, OLE and COM, GDI+, common controls,
// skins, Winsock) has no counterpart here and is left out; the rest keeps its order.
//
// Before the application object runs, the entry sets the character type to UTF-8
// and loads the program's font configuration (see Main.cpp).

#include <cstdint>
#include <memory>

#include "platform/ui/Application.h"
#include "platform/ui/Profile.h"

class CMainFrame;

class COndravaApp : public ui::Application {
public:
    COndravaApp();
    ~COndravaApp() override;

    // Runs start-up; false only when the frame could not be made. Running it again
    // (a test's restart) replaces the frame.
    bool InitInstance() override;
    int ExitInstance() override;

    CMainFrame* GetMainFrame() const { return m_pMainFrame.get(); }
    const ui::RecentFileList& GetRecentFiles() const { return m_RecentFiles; }

    // The interface language the program runs in (a language identifier: primary
    // language in the low 10 bits, sub-language above), set by start-up from the
    // selected language; 0 before.
    static std::uint16_t GetThreadLocale();

    // The application name of the crash dumps and their report.
    static constexpr const wchar_t* kApplicationName = L"Ondrava";

private:
    void ReportCrashDumps();

    ui::RecentFileList m_RecentFiles{4};
    std::unique_ptr<CMainFrame> m_pMainFrame;
};
