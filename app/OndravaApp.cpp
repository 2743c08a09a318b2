#include "app/OndravaApp.h"

#include <atomic>
#include <new>

#include "app/MainFrame.h"
#include "app/ToolkitLog.h"
#include "core/CrashDump.h"
#include "core/LanguageInfo.h"
#include "core/OndravaLog.h"
#include "core/ZVLanguageList.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/ControlFactory.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Picture.h"
#include "views/RecordViews.h"
#include "views/RegisterEventViews.h"
#include "waverecord/ui/WaveHarmonicWaveStatisticView.h"
#include "waverecord/ui/WaveStatisticViews.h"
#include "views/VolHarmonicHistogramsFrm.h"

namespace {

std::atomic<std::uint16_t> g_threadLocale{0};

}  // namespace

COndravaApp::COndravaApp() = default;
COndravaApp::~COndravaApp() = default;

std::uint16_t COndravaApp::GetThreadLocale() { return g_threadLocale.load(); }

bool COndravaApp::InitInstance() {
    CToolkitLog::Install();
    // The profile and its recent-file list of four entries.
    m_RecentFiles.Load();

    // The selected language (the built-in defaults when the list gives none) becomes
    // the language of the interface and of the resources.
    CLanguageInfo language;
    CZVLanguageList::Load(language, -1);
    g_threadLocale.store(language.LangId());
    CZVResourceManager::SetResourceFile(CZVLanguageList::GetLanguageDir() + L"Ondrava.xml");
    // Pictures in dialogs (the about box's icon) come from the program's picture store.
    ui::SetPictureProvider(ui::PictureBitmap);
    // The record views' and the event views' panes, before the frame that shows
    // them is made.
    RegisterRecordViews();
    RegisterEventViews();
    RegisterWaveTrendViews();
    RegisterHarmonicHistogramView();
    RegisterHarmonicTrendView();

    // A previous frame (start-up run again) goes first.
    SetMainWindow(nullptr);
    m_pMainFrame.reset();
    m_pMainFrame.reset(new (std::nothrow) CMainFrame);
    if (!m_pMainFrame) {
        return false;
    }
    SetMainWindow(m_pMainFrame.get());
    // Whether every step of the frame's creation succeeded is not checked: what
    // was made is shown.
    m_pMainFrame->LoadFrame(CMainFrame::kFrameResource);
    m_pMainFrame->ShowWindow(ui::kShowMaximized);
    m_pMainFrame->Invalidate();

    // Shown once the frame is up and the message loop runs.
    ui::PostToUiThread([this] { ReportCrashDumps(); });
    return true;
}

void COndravaApp::ReportCrashDumps() {
    const auto dumps = CCrashDump::TakeUnreportedDumps();
    if (dumps.empty()) {
        return;
    }
    std::wstring text;
    for (const auto& dump : dumps) {
        text += (text.empty() ? L"" : L"\n") + CCrashDump::ReportText(dump);
    }
    ui::MessageBox(m_pMainFrame && m_pMainFrame->IsWindow() ? m_pMainFrame.get() : nullptr, text, kApplicationName,
                   ui::kMbOk);
}

int COndravaApp::ExitInstance() {
    // The frame's window is gone with the message loop; its object goes now.
    SetMainWindow(nullptr);
    m_pMainFrame.reset();

    COndravaLog::Release();
    CZVResourceManager::GetResourceManager()->Close();
    return ui::Application::ExitInstance();
}
