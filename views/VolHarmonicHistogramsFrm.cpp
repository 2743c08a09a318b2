#include "views/VolHarmonicHistogramsFrm.h"

#include <algorithm>

#include "core/ZVResourceManager.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/PaneViewRegistry.h"
#include "views/DlgHarmPanel.h"
#include "views/DlgHarmScrollView.h"

namespace {

constexpr unsigned kUpdatingText = 6124;
constexpr unsigned kTitleText = 10234;

std::wstring HistogramText(unsigned id)
{
    return CZVResourceManager::GetResourceManager()->LoadString(id);
}

}  // namespace

CVolHarmonicHistogramsFrm::CVolHarmonicHistogramsFrm() : m_Panel(HistogramText) {}

CVolHarmonicHistogramsFrm::~CVolHarmonicHistogramsFrm()
{
    m_Panel.SetOwner(nullptr);
    m_PanelWnd.reset();
    m_View.reset();
}

std::unique_ptr<ui::Window> CVolHarmonicHistogramsFrm::CreateObject(ui::Window& host)
{
    auto frame = std::make_unique<CVolHarmonicHistogramsFrm>();
    if (!frame->Create(host)) {
        return nullptr;
    }
    return frame;
}

bool CVolHarmonicHistogramsFrm::Create(ui::Window& host)
{
    if (!CreateChild(&host, 0, ui::kStyleChild | ui::kStyleVisible, wxRect())) {
        return false;
    }
    auto view = std::make_unique<CDlgHarmScrollView>();
    if (!view->Create(*this, wxRect(wxPoint(0, 0), GetClientSize()))) {
        return false;
    }
    view->ShowWindow(ui::kShow);
    m_View = std::move(view);

    m_Panel.SetOwner(this);
    const DialogTemplateInfo* info =
        CZVResourceManager::GetResourceManager()->LoadDialogTemplate(CDlgHarmPanel::kTemplateId);
    auto panel = std::make_unique<CDlgHarmPanel>(info, m_Panel);
    panel->SetOwner(this);
    if (info != nullptr && panel->Create(this)) {
        m_PanelWidth = std::max(HarmFrameLayout::kPanelWidth, panel->GetWindowRect().GetWidth());
        m_PanelWnd = std::move(panel);
    }
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam) -> ui::LResult {
        Layout();
        return 0;
    });
    OnMessage(kMsgTogglePanel, [this](ui::WParam, ui::LParam) -> ui::LResult {
        m_Collapsed = !m_Collapsed;
        Layout();
        return 0;
    });
    Layout();
    return true;
}

void CVolHarmonicHistogramsFrm::Layout()
{
    if (!IsWindow()) {
        return;
    }
    const wxSize client = GetClientSize();
    const HarmFrameLayout layout = HarmFrameLayout::Compute(client.x, m_Collapsed, m_PanelWidth);
    if (m_View && m_View->IsWindow()) {
        m_View->MoveWindow(wxRect(0, 0, layout.viewWidth, client.y));
    }
    if (m_PanelWnd && m_PanelWnd->IsWindow()) {
        m_PanelWnd->MoveWindow(wxRect(layout.panelLeft, 0, layout.panelWidth, client.y));
        m_PanelWnd->ShowWindow(ui::kShow);
    }
}

int CVolHarmonicHistogramsFrm::OnUpdate(std::uint32_t event, std::uintptr_t wParam, std::uintptr_t lParam)
{
    switch (event) {
    case kEventLoaded:
        // New data: every shown chart is refilled, not only the one of the phase the
        // panel starts with.
        if (m_View) {
            m_View->Forget();
        }
        m_Panel.FillHarmTable(m_pDataModel);
        NotifyHourglaze((HistogramText(kUpdatingText) + HistogramText(kTitleText) + L"...").c_str());
        IncreaseHourglaze(static_cast<double>(static_cast<std::uint32_t>(lParam)));
        break;
    case kEventColors:
        if ((wParam == 0 || wParam == kViewId) && m_View) {
            m_View->ApplyColors();
        }
        break;
    case kEventReset:
        // The data are going: nothing of them stays on show.
        m_Panel.Clear();
        if (m_View) {
            m_View->ClearCharts();
        }
        break;
    default:
        break;
    }
    return 0;
}

void CVolHarmonicHistogramsFrm::Release()
{
    // The pane that shows the frame owns the object; its window goes now.
    DestroyWindow();
}

void CVolHarmonicHistogramsFrm::SetPhaseFlags(const std::array<std::uint32_t, 4>& shown)
{
    if (m_View) {
        m_View->SetPhases(shown);
    }
}

void CVolHarmonicHistogramsFrm::SetPanelData(const CHarmSelection& selection)
{
    if (m_View) {
        m_View->UpdatePanel(&selection, m_pDataModel);
    }
}

void CVolHarmonicHistogramsFrm::OnDestroyed()
{
    m_Panel.SetOwner(nullptr);
}

void RegisterHarmonicHistogramView()
{
    ui::RegisterPaneView(CVolHarmonicHistogramsFrm::kViewId,
                         [](ui::Window& host) { return CVolHarmonicHistogramsFrm::CreateObject(host); });
}
