#include "views/DlgHarmPanel.h"

#include <algorithm>

#include <wx/choice.h>

#include "controls/ResizeCtrl.h"
#include "platform/ui/MessageQueue.h"

namespace {

// Every control of the panel the state knows, but the family list.
std::vector<unsigned> StateControls()
{
    std::vector<unsigned> ids = {CHarmPanelState::kEffective, CHarmPanelState::kRatio, CHarmPanelState::kPhaseAngle,
                                 CHarmPanelState::kThd, CHarmPanelState::kDc, CHarmPanelState::kKf,
                                 CHarmPanelState::kOtherOrders, CHarmPanelState::kRestoreDefaults,
                                 CHarmPanelState::kSelectAll};
    for (unsigned i = 0; i < 4; ++i) {
        ids.push_back(CHarmPanelState::kFirstPhase + i);
        ids.push_back(CHarmPanelState::kFirstStatistic + i);
    }
    for (unsigned i = 0; i < 25; ++i) {
        ids.push_back(CHarmPanelState::kFirstOrder + i);
    }
    return ids;
}

}  // namespace

CDlgHarmPanel::CDlgHarmPanel(const DialogTemplateInfo* info, CHarmPanelState& state) : ui::Dialog(info), m_State(state)
{
}

CDlgHarmPanel::~CDlgHarmPanel()
{
    m_State.SetChangeListener(nullptr);
}

bool CDlgHarmPanel::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_Strip.Attach(*this, CHarmPanelState::kStrip);
    OnControlNotify(CHarmPanelState::kFamilyList, static_cast<int>(ui::kNotifySelChange), [this] {
        if (auto* list = GetItem<wxChoice>(CHarmPanelState::kFamilyList); list != nullptr && !m_Syncing) {
            m_State.OnSelectFamily(list->GetSelection());
        }
    });
    for (const unsigned id : StateControls()) {
        OnControlNotify(id, static_cast<int>(ui::kNotifyClicked), [this, id] {
            if (!m_Syncing) {
                m_State.OnClick(id, IsDlgButtonChecked(id) == 1);
            }
        });
    }
    OnMessage(kMsgResizeClick, [this](ui::WParam wParam, ui::LParam lParam) -> ui::LResult {
        return m_Owner != nullptr ? ui::SendMessage(m_Owner, kMsgResizeClick, wParam, lParam) : 0;
    });
    m_State.SetChangeListener([this] { Sync(); });
    Sync();
    return true;
}

void CDlgHarmPanel::Sync()
{
    if (!IsWindow()) {
        return;
    }
    m_Syncing = true;
    if (auto* list = GetItem<wxChoice>(CHarmPanelState::kFamilyList)) {
        const std::vector<std::wstring> texts = m_State.ListTexts();
        bool same = list->GetCount() == texts.size();
        for (std::size_t i = 0; same && i < texts.size(); ++i) {
            same = list->GetString(static_cast<unsigned>(i)).ToStdWstring() == texts[i];
        }
        if (!same) {
            list->Clear();
            for (const std::wstring& text : texts) {
                list->Append(wxString(text));
            }
        }
        list->SetSelection(std::max(m_State.Selected(), 0));
        list->Enable(m_State.Get(CHarmPanelState::kFamilyList).enabled);
    }
    for (const unsigned id : StateControls()) {
        wxWindow* control = GetDlgItem(id);
        if (control == nullptr) {
            continue;
        }
        const CHarmPanelState::Control state = m_State.Get(id);
        control->Enable(state.enabled);
        const std::optional<ui::ControlKind> kind = GetItemKind(id);
        // A radio group always has one button on: only the chosen one is set.
        if (kind == ui::ControlKind::CheckBox || (kind == ui::ControlKind::RadioButton && state.checked)) {
            CheckDlgButton(id, state.checked ? 1 : 0);
        }
    }
    for (unsigned i = 0; i < 25; ++i) {
        const unsigned id = CHarmPanelState::kFirstOrder + i;
        if (GetDlgItem(id) != nullptr && GetDlgItemText(id) != m_State.OrderLabels()[i]) {
            SetDlgItemText(id, m_State.OrderLabels()[i]);
        }
    }
    if (GetDlgItem(CHarmPanelState::kOtherOrders) != nullptr &&
        GetDlgItemText(CHarmPanelState::kOtherOrders) != m_State.OtherOrdersLabel()) {
        SetDlgItemText(CHarmPanelState::kOtherOrders, m_State.OtherOrdersLabel());
    }
    m_Syncing = false;
}
