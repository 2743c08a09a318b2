#include "app/ChildView.h"

#include "app/FirstDlg.h"
#include "platform/gfx/Context.h"

namespace {

// The light grey-green behind the start page, RGB(232, 236, 236).
constexpr gfx::Color kBackground{232, 236, 236};

}  // namespace

CChildView::CChildView() {
    SetPaintHandler([](cairo_t* target, int width, int height) {
        gfx::Context context(target);
        context.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Brush(kBackground));
    });
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) {
        CenterPage(static_cast<int>(ui::LowWord(static_cast<std::uintptr_t>(size))),
                   static_cast<int>(ui::HighWord(static_cast<std::uintptr_t>(size))));
        return 0;
    });
    OnMessage(ui::kMsgClose, [this](ui::WParam, ui::LParam) {
        if (m_pFirstDlg) {
            m_pFirstDlg->DestroyWindow();
        }
        DestroyWindow();
        return 0;
    });
}

CChildView::~CChildView() = default;

bool CChildView::Create(ui::Window* parent, std::uint32_t style) {
    if (!CreateChild(parent, kControlId, style, wxRect())) {
        return false;
    }
    m_pFirstDlg = std::make_unique<CFirstDlg>();
    if (m_pFirstDlg->Create(this)) {
        m_pFirstDlg->ShowWindow(ui::kShow);
        const wxRect page = m_pFirstDlg->GetWindowRect();
        m_PageWidth = page.width;
        m_PageHeight = page.height;
        const wxSize client = GetClientSize();
        CenterPage(client.x, client.y);
    }
    return true;
}

void CChildView::CenterPage(int width, int height) {
    if (!m_pFirstDlg || !m_pFirstDlg->IsWindow() || width <= 0 || height <= 0) {
        return;
    }
    m_pFirstDlg->MoveWindow(wxRect((width - m_PageWidth) / 2, (height - m_PageHeight) / 2, m_PageWidth, m_PageHeight));
}
