#include "views/RecordFrameWnd.h"

#include <algorithm>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/ProgramFolder.h"
#include "platform/ui/MessageBox.h"
#include "views/RecordAttribDlg.h"

namespace {

// The viewer library beside the program.
constexpr const char* kViewerLibrary = "libTracelume.so";
// The frame whose failed viewer is the user's business.
constexpr std::uint32_t kTellsViewerFailure = 40006;

}  // namespace

CRecordFrameWnd::CRecordFrameWnd(const RecordFrameProfile& profile) : m_Frame(profile, *this) {}

CRecordFrameWnd::~CRecordFrameWnd()
{
    ReleaseViewer();
    m_Dialog.reset();
}

std::unique_ptr<ui::Window> CRecordFrameWnd::CreateObject(const RecordFrameProfile& profile, ui::Window& host)
{
    auto frame = std::make_unique<CRecordFrameWnd>(profile);
    if (!frame->Create(host)) {
        return nullptr;
    }
    return frame;
}

bool CRecordFrameWnd::Create(ui::Window& host)
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
    if (!MakeViewer()) {
        if (m_Frame.Profile().viewId == kTellsViewerFailure) {
            auto* resources = CZVResourceManager::GetResourceManager();
            ui::MessageBox(&host, resources->LoadString(recordtext::kViewerLoadFailed),
                           resources->LoadString(recordtext::kErrorCaption), ui::kMbOk);
            return false;
        }
        // Without a viewer the frame shows nothing and every viewer step is skipped.
        return true;
    }
    m_Frame.AttachViewer(m_pViewer, m_pRoot);
    MakePanel();
    m_Frame.SetToggleListener([this] { Layout(); });
    Layout();
    return true;
}

ITracelume* CRecordFrameWnd::LoadViewer(platform::DynamicLibrary& library, wxWindow* parent,
                                        ITracelumeCallback* callback)
{
    if (!library.Load(platform::ProgramFolder() / kViewerLibrary)) {
        return nullptr;
    }
    auto create = reinterpret_cast<CreateTracelumeFunction>(library.Symbol("CreateTracelume"));
    ITracelume* viewer = create != nullptr ? create(parent) : nullptr;
    if (viewer == nullptr) {
        library.Unload();
        return nullptr;
    }
    viewer->ShowToolBar(1);
    viewer->SetCallback(callback);
    viewer->Command(tracelume::kCommandSplitterLimits, kTreeMinWidth, kTreeMaxWidth);
    return viewer;
}

bool CRecordFrameWnd::MakeViewer()
{
    m_pViewer = LoadViewer(m_Library, GetWx(), &m_Property);
    if (m_pViewer == nullptr) {
        return false;
    }
    m_pRoot = m_pViewer->AddRow(nullptr);
    return true;
}

void CRecordFrameWnd::MakePanel()
{
    const DialogTemplateInfo* info =
        CZVResourceManager::GetResourceManager()->LoadDialogTemplate(m_Frame.Profile().templateId);
    auto dialog = std::make_unique<CRecordAttribDlg>(info, m_Frame.Panel());
    if (info == nullptr || !dialog->Create(this)) {
        return;
    }
    dialog->ShowWindow(ui::kShowHide);
    m_PanelWidth = std::max(kPanelWidth, dialog->GetWindowRect().GetWidth());
    m_Dialog = std::move(dialog);
    m_Frame.SetPanelWindowed(true);
}

void CRecordFrameWnd::Layout()
{
    if (!IsWindow()) {
        return;
    }
    LayOut(*this, m_pViewer, m_pRoot, m_Dialog.get(), m_Frame.PanelCollapsed() ? kCollapsedWidth : m_PanelWidth,
           m_ViewWord);
}

void CRecordFrameWnd::LayOut(ui::Window& window, ITracelume* viewer, IRowItem* root, ui::Window* panel,
                             int panelWidth, std::uint32_t& layoutWord)
{
    const wxSize client = window.GetClientSize();
    if (viewer != nullptr && viewer->GetHwnd() != nullptr) {
        viewer->GetHwnd()->SetSize(0, 0, std::max(client.x - panelWidth, 0), client.y);
        wxWindow* wave = root != nullptr ? wxWindow::FindWindowByName("CTracelumeCtrl", viewer->GetHwnd()) : nullptr;
        if (wave != nullptr) {
            root->SetHeight(wave->GetClientSize().y);
        }
    }
    if (panel != nullptr && panel->IsWindow()) {
        panel->MoveWindow(wxRect(client.x - panelWidth, 0, panelWidth, client.y));
        panel->ShowWindow(ui::kShow);
    }
    if (layoutWord < 2 && client.x > 0 && client.y > 0 && viewer != nullptr) {
        viewer->ZoomAll();
        layoutWord = 2;
    }
}

int CRecordFrameWnd::OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam)
{
    return m_Frame.OnUpdate(event, wParam, lParam);
}

void CRecordFrameWnd::Release()
{
    // The pane that shows the frame owns the object; its window and viewer go now.
    ReleaseViewer();
    DestroyWindow();
}

std::intptr_t CRecordFrameWnd::RequestRange(std::uint32_t code, std::uintptr_t wParam, std::intptr_t lParam)
{
    return m_Frame.RequestRange(code, wParam, lParam);
}

int CRecordFrameWnd::FillAttributes(ExportSource& source)
{
    return m_Frame.FillAttributes(source);
}

void CRecordFrameWnd::ReleaseViewer()
{
    m_Frame.Detach();
    UnloadViewer(m_pViewer, m_Library);
    m_pRoot = nullptr;
}

void CRecordFrameWnd::UnloadViewer(ITracelume*& viewer, platform::DynamicLibrary& library)
{
    if (viewer != nullptr) {
        viewer->RemoveAllRows();
        viewer->Release();
        viewer = nullptr;
    }
    library.Unload();
}

void CRecordFrameWnd::OnDestroyed()
{
    ReleaseViewer();
}
