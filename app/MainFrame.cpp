#include "app/MainFrame.h"

#include <wx/frame.h>
#include <wx/log.h>
#include <wx/utils.h>

#include "app/AboutDlg.h"
#include "app/ChildView.h"
#include "app/CommandIds.h"
#include "app/CommandMenu.h"
#include "app/LanguageDlg.h"
#include "app/ModuleDirectory.h"
#include "app/ProgramStart.h"
#include "core/CrashDump.h"
#include "core/LanguageInfo.h"
#include "core/ZVLanguageList.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"

namespace {

constexpr unsigned kStringExitQuestion = 6089;
constexpr unsigned kStringAppTitle = 57344;
constexpr unsigned kStringIdlePrompt = 57345;

// The client window styles: child, visible, border.
constexpr std::uint32_t kClientStyle = ui::kStyleChild | ui::kStyleVisible | ui::kStyleBorder;

const wchar_t* const kProgramFile = L"ondrava";
const wchar_t* const kManualFile = L"UserManual.chm";

std::wstring String(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

}  // namespace

CMainFrame::CMainFrame() {
    // A crash from here on leaves a dump that the next start names to the user.
    CCrashDump::Install(L"Ondrava");

    OnMessage(ui::kMsgClose, [this](ui::WParam, ui::LParam) {
        OnClose();
        return 0;
    });
    OnCommand(kCmdAbout, [this] { OnAbout(); });
    OnCommand(kCmdLanguage, [this] { OnLanguage(); });
    OnCommand(kCmdHelpDocument, [this] { OnHelpDocument(); });
    // Both exits close as the title bar button does, so the question comes first.
    for (const unsigned exit : {kCmdExit, kCmdAppExit}) {
        OnCommand(exit, [this] { ui::SendMessage(this, ui::kMsgClose, 0, 0); });
    }
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::LoadFrame(unsigned resourceId) {
    if (!Create(String(resourceId))) {
        return false;
    }
    SetMinTrackSize(kMinTrackWidth, kMinTrackHeight);
    return OnCreate();
}

bool CMainFrame::OnCreate() {
    m_wndView = std::make_unique<CChildView>();
    if (!m_wndView->CreateChild(this, CChildView::kControlId, kClientStyle, wxRect())) {
        return false;
    }
    SetActiveView(m_wndView.get());

    wxStatusBar* status = GetFrame()->CreateStatusBar(2);
    if (status != nullptr) {
        status->SetStatusText(wxString(String(kStringIdlePrompt)), kStatusPromptPane);
    }

    // Until the ribbon carries them, the system commands are on the menu bar.
    if (!SetMenu(BuildCommandMenu(*CZVResourceManager::GetResourceManager()))) {
        return false;
    }
    UpdateTitle();
    return true;
}

void CMainFrame::UpdateTitle() {
    std::wstring title = String(kFrameResource);
    const std::wstring& path = m_IsWaveShown != 0 ? m_WavePath : m_StatisticPath;
    if (!path.empty()) {
        title += L" - [" + path + L"]";
    }
    SetWindowText(title);
}

ui::LResult CMainFrame::WindowProc(unsigned message, ui::WParam wParam, ui::LParam lParam) {
    if (message == ui::kMsgClose) {
        m_CloseReason = static_cast<int>(wParam);
    }
    return ui::Frame::WindowProc(message, wParam, lParam);
}

void CMainFrame::OnClose() {
    if (m_CloseReason != kCloseReasonWaveAnalysisFailed && m_CloseReason != kCloseReasonLanguageRestart) {
        if (ui::MessageBox(this, String(kStringExitQuestion), String(kStringAppTitle),
                           ui::kMbOkCancel | ui::kMbIconInformation) != ui::kIdOk) {
            return;
        }
    }
    if (m_wndView) {
        m_wndView->DestroyWindow();
    }
    DestroyWindow();
}

void CMainFrame::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CMainFrame::OnLanguage() {
    CLanguageDlg dialog;
    if (dialog.DoModal(this) != ui::kIdOk) {
        return;
    }
    CLanguageInfo language;
    CZVLanguageList::Load(language, -1);
    const std::wstring message = CZVLanguageList::SplitText(language.switchTip, true) + L"\n" +
                                 CZVLanguageList::SplitText(language.switchTip, false);
    if (ui::MessageBox(this, message, String(kStringAppTitle), ui::kMbYesNo) != ui::kIdYes) {
        return;  // the new language comes with the next start
    }
    // A copy that fails to start is not reported: this one closes all the same.
    StartProgram(GetModuleDirectory() + kProgramFile);
    m_CloseReason = kCloseReasonLanguageRestart;
    OnClose();
}

void CMainFrame::OnHelpDocument() {
    const std::wstring manual = CZVLanguageList::GetLanguageDir() + kManualFile;
    // Whether a viewer opened it is not checked, and wx's own error window stays shut.
    wxLogNull quiet;
    wxLaunchDefaultApplication(wxString::FromUTF8(platform::WideToUtf8(manual)));
}
