#include "views/ComtradePane.h"

#include <algorithm>

#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "lib/viewer/data/Tracelume.h"
#include "platform/base/ProgramFolder.h"
#include "terminal/CtrlItem.h"
#include "views/ViewMessages.h"

CComtradePane::CComtradePane(unsigned templateId, const ComtradePaneKind& kind)
    : CEventView(templateId), m_Logic(kind, m_Strip)
{
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) {
        Layout(static_cast<int>(size & 0xFFFF), static_cast<int>((size >> 16) & 0xFFFF));
        return 0;
    });
    OnMessage(views::kMsgPhaseBox, [this](ui::WParam box, ui::LParam state) {
        m_Logic.OnBox(static_cast<int>(box), static_cast<int>(state));
        return 1;
    });
}

CComtradePane::~CComtradePane()
{
    if (m_pOwnWindow != nullptr) {
        m_pOwnWindow->Unbind(wxEVT_DESTROY, &CComtradePane::OnWindowDestroy, this);
    }
    ReleaseViewer();
}

void CComtradePane::OnWindowDestroy(wxWindowDestroyEvent& event)
{
    // Before the children go: the viewer releases its own window.
    if (event.GetEventObject() == m_pOwnWindow) {
        ReleaseViewer();
        m_pOwnWindow = nullptr;
    }
    event.Skip();
}

bool CComtradePane::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_pOwnWindow = GetWx();
    m_pOwnWindow->Bind(wxEVT_DESTROY, &CComtradePane::OnWindowDestroy, this);
    // Without the viewer the pane stays empty.
    if (!m_Library.Load(platform::ProgramFolder() / "libTracelume.so")) {
        return false;
    }
    const auto create = reinterpret_cast<CreateTracelumeFunction>(m_Library.Symbol("CreateTracelume"));
    m_pViewer = create != nullptr ? create(GetWx()) : nullptr;
    if (m_pViewer == nullptr) {
        return false;
    }
    m_pViewer->ShowToolBar(1);
    m_pViewer->SetCallback(&m_Callback);
    m_pViewer->Command(tracelume::kCommandSplitterLimits, 30, 150);
    m_pViewer->Command(tracelume::kCommandLegend, 0, 0);
    m_pViewer->ShowMeasureLines(1, 0);
    m_Logic.SetViewer(m_pViewer);

    m_Strip.SetTarget(this);
    if (m_Strip.Create(this)) {
        // The strip's own size holds every box as the toolkit draws it.
        wxWindow* strip = m_Strip.GetWx();
        wxSize size(270, 21);
        for (const wxWindow* box : strip->GetChildren()) {
            const wxRect rect = box->GetRect();
            size.x = std::max(size.x, rect.GetRight() + 3);
            size.y = std::max(size.y, rect.GetBottom() + 2);
        }
        strip->SetSize(size);

        m_pViewer->SetToolStrip(strip);
        m_Strip.ShowWindow(ui::kShow);
    }
    m_Logic.Initialise();
    const wxSize size = GetClientSize();
    Layout(size.GetWidth(), size.GetHeight());
    return true;
}

void CComtradePane::Layout(int width, int height)
{
    m_Logic.SetClientHeight(height);
    if (m_pViewer == nullptr || m_pViewer->GetHwnd() == nullptr) {
        return;
    }
    m_pViewer->GetHwnd()->SetSize(0, 0, width, height);
    // The first real size fits the record once; later sizes only move the viewer.
    if (!m_Zoomed && width > 0 && height > 0) {
        m_pViewer->ZoomAll();
        m_Zoomed = true;
    }
}

int CComtradePane::OnUpdate(std::uint32_t event, std::uintptr_t, std::uintptr_t)
{
    switch (event) {
    case ctrl::kOpenComtrade:
    case ctrl::kCloseAll:
        m_Logic.Reset();
        break;
    case ctrl::kComtradeRecord:
        m_Logic.Fill(m_pDataModel);
        break;
    default:
        break;
    }
    return 1;
}

int CComtradePane::FillAttributes(ExportSource& out)
{
    return m_Logic.FillAttributes(m_pDataModel, out);
}

void CComtradePane::ReleaseViewer()
{
    if (m_pViewer == nullptr) {
        return;
    }
    // The rows and the caches made over our sources go before the viewer does.
    m_Logic.Reset();
    m_Logic.SetViewer(nullptr);
    m_pViewer->SetToolStrip(nullptr);
    m_pViewer->Release();
    m_pViewer = nullptr;
}
