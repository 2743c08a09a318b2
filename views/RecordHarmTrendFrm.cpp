#include "views/RecordHarmTrendFrm.h"

#include <algorithm>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/ui/InputMessages.h"
#include "views/HarmTrendNewDlg.h"
#include "views/RecordFrameWnd.h"

CRecordHarmTrendFrm::CRecordHarmTrendFrm() : m_Frame(*this), m_PanelWidth(CRecordFrameWnd::kPanelWidth) {}

CRecordHarmTrendFrm::~CRecordHarmTrendFrm()
{
    ReleaseViewer();
    m_Dialog.reset();
}

std::unique_ptr<ui::Window> CRecordHarmTrendFrm::CreateObject(ui::Window& host)
{
    auto frame = std::make_unique<CRecordHarmTrendFrm>();
    if (!frame->Create(host)) {
        return nullptr;
    }
    return frame;
}

bool CRecordHarmTrendFrm::Create(ui::Window& host)
{
    if (!CreateChild(&host, 0, ui::kStyleChild | ui::kStyleVisible, wxRect())) {
        return false;
    }
    m_Property.m_pOwner = this;
    OnMessage(kMsgFrameCommand, [this](ui::WParam subCode, ui::LParam value) -> ui::LResult {
        m_Frame.Command(static_cast<unsigned>(subCode), value);
        return 0;
    });
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam) -> ui::LResult {
        Layout();
        return 0;
    });
    // Alt+F4 inside the frame must not close its pane.
    OnMessage(ui::kMsgSysKeyDown, [](ui::WParam, ui::LParam) -> ui::LResult { return 0; });
    m_pViewer = CRecordFrameWnd::LoadViewer(m_Library, GetWx(), &m_Property);
    if (m_pViewer == nullptr) {
        // Without a viewer the frame shows nothing and every viewer step is skipped.
        return true;
    }
    m_pViewer->Command(tracelume::kCommandTreeWidth, kTreeWidth, 0);
    m_pViewer->Command(tracelume::kCommandLegend, 0, 0);
    m_Frame.AttachViewer(m_pViewer);
    MakePanel();
    m_Frame.SetToggleListener([this] { Layout(); });
    Layout();
    return true;
}

void CRecordHarmTrendFrm::MakePanel()
{
    const DialogTemplateInfo* info =
        CZVResourceManager::GetResourceManager()->LoadDialogTemplate(CHarmTrendPanel::kTemplateId);
    auto dialog = std::make_unique<CHarmTrendNewDlg>(info, m_Frame.Panel());
    if (info == nullptr || !dialog->Create(this)) {
        return;
    }
    dialog->ShowWindow(ui::kShowHide);
    m_PanelWidth = std::max(CRecordFrameWnd::kPanelWidth, dialog->GetWindowRect().GetWidth());
    m_Dialog = std::move(dialog);
    m_Frame.SetPanelWindowed(true);
}

void CRecordHarmTrendFrm::Layout()
{
    if (IsWindow()) {
        CRecordFrameWnd::LayOut(*this, m_pViewer, nullptr, m_Dialog.get(),
                                m_Frame.PanelCollapsed() ? CRecordFrameWnd::kCollapsedWidth : m_PanelWidth,
                                m_ViewWord);
    }
}

int CRecordHarmTrendFrm::OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam)
{
    return m_Frame.OnUpdate(event, wParam, lParam);
}

void CRecordHarmTrendFrm::Release()
{
    // The pane that shows the frame owns the object; its window and viewer go now.
    ReleaseViewer();
    DestroyWindow();
}

std::intptr_t CRecordHarmTrendFrm::RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
{
    return m_Frame.RequestRange(code, wParam, lParam);
}

int CRecordHarmTrendFrm::FillAttributes(ExportSource& source)
{
    return m_Frame.FillAttributes(source);
}

void CRecordHarmTrendFrm::ReleaseViewer()
{
    m_Frame.Detach();
    CRecordFrameWnd::UnloadViewer(m_pViewer, m_Library);
}

void CRecordHarmTrendFrm::OnDestroyed()
{
    ReleaseViewer();
}
