#include "views/DlgHarmScrollView.h"

#include <algorithm>

#include <wx/scrolbar.h>
#include <wx/window.h>

#include "core/ZVResourceManager.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/ScrollBarMoves.h"
#include "views/DlgHarmMain.h"

CDlgHarmScrollView::CDlgHarmScrollView() = default;

CDlgHarmScrollView::~CDlgHarmScrollView()
{
    for (auto& chart : m_Charts) {
        chart.reset();
    }
}

bool CDlgHarmScrollView::Create(ui::Window& parent, const wxRect& rect)
{
    if (!CreateChild(&parent, kViewId, ui::kStyleChild | ui::kStyleVisible, rect)) {
        return false;
    }
    m_Bar = new wxScrollBar(GetWx(), wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    m_Bar->Hide();
    ui::OnScrollBarMoves(*m_Bar, [this](int position) { ScrollTo(position); });
    const DialogTemplateInfo* info =
        CZVResourceManager::GetResourceManager()->LoadDialogTemplate(CDlgHarmMain::kTemplateId);
    for (auto& chart : m_Charts) {
        auto made = std::make_unique<CDlgHarmMain>(info);
        if (info == nullptr || !made->Create(this)) {
            return false;
        }
        made->ShowWindow(ui::kShowHide);
        chart = std::move(made);
    }
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam) -> ui::LResult {
        DoLayout();
        return 0;
    });
    DoLayout();
    return true;
}

CDlgHarmMain* CDlgHarmScrollView::Chart(std::uint32_t phase) const
{
    return phase < 4 ? m_Charts[phase].get() : nullptr;
}

void CDlgHarmScrollView::SetPhases(const std::array<std::uint32_t, 4>& shown)
{
    m_Shown = shown;
}

void CDlgHarmScrollView::UpdatePanel(const CHarmSelection* selection, IDataModel* model)
{
    if (selection == nullptr || model == nullptr) {
        return;
    }
    CHarmSelection next = *selection;
    const std::array<bool, 4> fill = HarmPhasesToFill(m_Stored, next, m_Shown);
    m_Stored = next;
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        if (fill[phase] && m_Charts[phase]) {
            next.phase = phase;
            m_Charts[phase]->Fill(&next, model);
        }
    }
    ui::PostMessage(this, ui::kMsgSize, 0, 0);
}

void CDlgHarmScrollView::ApplyColors()
{
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        if (m_Shown[phase] != 0 && m_Charts[phase]) {
            m_Charts[phase]->ApplyColors();
        }
    }
}

void CDlgHarmScrollView::ClearCharts()
{
    for (auto& chart : m_Charts) {
        if (chart) {
            chart->Fill(nullptr, nullptr);
        }
    }
    Forget();
}

void CDlgHarmScrollView::ScrollTo(int position)
{
    const int room = m_Layout.scrollHeight - (IsWindow() ? GetClientSize().y : 0);
    m_Scroll = std::clamp(position, 0, std::max(room, 0));
    DoLayout();
}

void CDlgHarmScrollView::DoLayout()
{
    if (!IsWindow() || !m_Charts[0] || !m_Bar) {
        return;
    }
    const wxSize client = GetClientSize();
    std::uint32_t shown = 0;
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        shown |= m_Shown[phase] != 0 ? 1u << phase : 0u;
    }
    // The scroll bar takes its width from the charts only while they scroll.
    const bool scrolls = HarmScrollLayout::Compute(shown, client.x, client.y, 0).scrollHeight > 1;
    const int barWidth = scrolls ? m_Bar->GetBestSize().x : 0;
    m_Scroll = scrolls ? std::clamp(m_Scroll, 0, std::max(client.y / 3 * 4 - client.y, 0)) : 0;
    m_Layout = HarmScrollLayout::Compute(shown, std::max(client.x - barWidth, 0), client.y, m_Scroll);
    for (std::uint32_t phase = 0; phase < 4; ++phase) {
        const HarmScrollLayout::Box& box = m_Layout.charts[phase];
        CDlgHarmMain& chart = *m_Charts[phase];
        if (box.shown) {
            chart.MoveWindow(wxRect(box.left, box.top, box.width, box.height));
            chart.ShowWindow(ui::kShow);
        } else {
            chart.ShowWindow(ui::kShowHide);
        }
    }
    m_Bar->Show(scrolls);
    if (scrolls) {
        m_Bar->SetSize(client.x - barWidth, 0, barWidth, client.y);
        m_Bar->SetScrollbar(m_Scroll, client.y, m_Layout.scrollHeight, client.y);
    }
}
