#include "views/RecordFrameWndBase.h"

#include <algorithm>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/ProgramFolder.h"
#include "platform/ui/MessageBox.h"

namespace {

// The viewer library beside the program.
constexpr const char* kViewerLibrary = "libTracelume.so";
// The frame whose failed viewer is the user's business.
constexpr std::uint32_t kTellsViewerFailure = 40006;

}  // namespace

CRecordFrameWndBase::CRecordFrameWndBase(const FrameFactory& makeFrame) : m_pFrame(makeFrame(*this)) {}

CRecordFrameWndBase::~CRecordFrameWndBase()
{
    ReleaseViewer();
    m_Dialog.reset();
}

std::unique_ptr<ui::Window> CRecordFrameWndBase::Created(std::unique_ptr<CRecordFrameWndBase> frame,
                                                         ui::Window& host)
{
    if (!frame->Create(host)) {
        return nullptr;
    }
    return frame;
}

bool CRecordFrameWndBase::Create(ui::Window& host)
{
    if (!CreateChild(&host, 0, ui::kStyleChild | ui::kStyleVisible, wxRect())) {
        return false;
    }
    m_Property.m_pOwner = this;
    OnMessage(kMsgFrameCommand, [this](ui::WParam subCode, ui::LParam value) -> ui::LResult {
        m_pFrame->Command(static_cast<unsigned>(subCode), value);
        return 0;
    });
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam) -> ui::LResult {
        Layout();
        return 0;
    });
    if (!LoadViewer()) {
        if (m_pFrame->Profile().viewId == kTellsViewerFailure) {
            auto* resources = CZVResourceManager::GetResourceManager();
            ui::MessageBox(&host, resources->LoadString(recordtext::kViewerLoadFailed),
                           resources->LoadString(recordtext::kErrorCaption), ui::kMbOk);
            return false;
        }
        // Without a viewer the frame shows nothing and every viewer step is skipped.
        return true;
    }
    m_pFrame->AttachViewer(m_pViewer, PrepareViewer(*m_pViewer));
    MakePanel();
    m_pFrame->SetToggleListener([this] { Layout(); });
    Layout();
    return true;
}

bool CRecordFrameWndBase::LoadViewer()
{
    if (!m_Library.Load(platform::ProgramFolder() / kViewerLibrary)) {
        return false;
    }
    auto create = reinterpret_cast<CreateTracelumeFunction>(m_Library.Symbol("CreateTracelume"));
    m_pViewer = create != nullptr ? create(GetWx()) : nullptr;
    if (m_pViewer == nullptr) {
        m_Library.Unload();
        return false;
    }
    m_pViewer->ShowToolBar(1);
    m_pViewer->SetCallback(&m_Property);
    m_pViewer->Command(tracelume::kCommandSplitterLimits, kTreeMinWidth, kTreeMaxWidth);
    return true;
}

void CRecordFrameWndBase::MakePanel()
{
    const DialogTemplateInfo* info =
        CZVResourceManager::GetResourceManager()->LoadDialogTemplate(m_pFrame->Profile().templateId);
    std::unique_ptr<ui::Dialog> dialog = MakePanelDialog(info);
    if (info == nullptr || !dialog->Create(this)) {
        return;
    }
    dialog->ShowWindow(ui::kShowHide);
    m_PanelWidth = std::max(kPanelWidth, dialog->GetWindowRect().GetWidth());
    m_Dialog = std::move(dialog);
    m_pFrame->SetPanelWindowed(true);
}

void CRecordFrameWndBase::Layout()
{
    if (!IsWindow()) {
        return;
    }
    const int panelWidth = m_pFrame->PanelCollapsed() ? kCollapsedWidth : m_PanelWidth;
    const wxSize client = GetClientSize();
    if (m_pViewer != nullptr && m_pViewer->GetHwnd() != nullptr) {
        m_pViewer->GetHwnd()->SetSize(0, 0, std::max(client.x - panelWidth, 0), client.y);
        IRowItem* root = m_pFrame->Root();
        wxWindow* wave =
            root != nullptr ? wxWindow::FindWindowByName("CTracelumeCtrl", m_pViewer->GetHwnd()) : nullptr;
        if (wave != nullptr) {
            root->SetHeight(wave->GetClientSize().y);
        }
    }
    if (m_Dialog != nullptr && m_Dialog->IsWindow()) {
        m_Dialog->MoveWindow(wxRect(client.x - panelWidth, 0, panelWidth, client.y));
        m_Dialog->ShowWindow(ui::kShow);
    }
    if (m_ViewWord < 2 && client.x > 0 && client.y > 0 && m_pViewer != nullptr) {
        m_pViewer->ZoomAll();
        m_ViewWord = 2;
    }
}

int CRecordFrameWndBase::OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam)
{
    return m_pFrame->OnUpdate(event, wParam, lParam);
}

void CRecordFrameWndBase::Release()
{
    // The pane that shows the frame owns the object; its window and viewer go now.
    ReleaseViewer();
    DestroyWindow();
}

std::intptr_t CRecordFrameWndBase::RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
{
    return m_pFrame->RequestRange(code, wParam, lParam);
}

int CRecordFrameWndBase::FillAttributes(ExportSource& source)
{
    return m_pFrame->FillAttributes(source);
}

void CRecordFrameWndBase::ReleaseViewer()
{
    m_pFrame->Detach();
    if (m_pViewer != nullptr) {
        m_pViewer->RemoveAllRows();
        m_pViewer->Release();
        m_pViewer = nullptr;
    }
    m_Library.Unload();
}

void CRecordFrameWndBase::OnDestroyed()
{
    ReleaseViewer();
}
