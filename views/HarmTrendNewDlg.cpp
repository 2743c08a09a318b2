#include "views/HarmTrendNewDlg.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/statbox.h>
#include <wx/window.h>

#include "controls/ResizeCtrl.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/InputMessages.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageQueue.h"

namespace {

wxColour FromColorRef(std::uint32_t color)
{
    return wxColour(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

template <class Control>
void Mirror(Control* control, bool enabled, bool checked)
{
    if (control != nullptr) {
        control->SetValue(checked);
        control->Enable(enabled);
    }
}

}  // namespace

CHarmTrendNewDlg::CHarmTrendNewDlg(const DialogTemplateInfo* info, CHarmTrendPanel& panel)
    : ui::Dialog(info), m_Panel(panel)
{
    // Alt+F4 in the panel would close the frame's pane: it is swallowed.
    OnMessage(ui::kMsgSysKeyDown, [](ui::WParam, ui::LParam) -> ui::LResult { return 0; });
}

CHarmTrendNewDlg::~CHarmTrendNewDlg()
{
    m_Panel.SetChangeListener(nullptr);
}

bool CHarmTrendNewDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_Strip.Attach(*this, CHarmTrendPanel::kStripId);
    // The swatches are painted in their colour over the template's statics; a click
    // reaches the dialog as the static's click notification.
    for (std::size_t k = 0; k < m_Swatches.size(); ++k) {
        const unsigned id = CHarmTrendPanel::kSwatchIds[k];
        wxWindow* placeholder = GetDlgItem(id);
        if (placeholder == nullptr) {
            continue;
        }
        auto* swatch = new wxWindow(GetWx(), wxID_ANY, placeholder->GetPosition(), placeholder->GetSize(),
                                    wxBORDER_SIMPLE);
        placeholder->Hide();
        swatch->Bind(wxEVT_LEFT_DOWN, [this, id](wxMouseEvent&) {
            WindowProc(ui::kMsgCommand, ui::MakeWParam(id, ui::kNotifyClicked), 0);
        });
        m_Swatches[k] = swatch;
        OnControlNotify(id, static_cast<int>(ui::kNotifyClicked), [this, k] { OnSwatch(static_cast<int>(k)); });
    }
    OnControlNotify(CHarmTrendPanel::kItemListId, static_cast<int>(ui::kNotifySelChange), [this] {
        if (auto* list = GetItem<wxChoice>(CHarmTrendPanel::kItemListId); list != nullptr && !m_Syncing) {
            m_Panel.OnSelectItem(list->GetSelection());
        }
    });
    for (std::size_t p = 0; p < CHarmTrendPanel::kPhaseIds.size(); ++p) {
        const unsigned id = CHarmTrendPanel::kPhaseIds[p];
        OnControlNotify(id, static_cast<int>(ui::kNotifyClicked), [this, p, id] {
            if (!m_Syncing) {
                m_Panel.OnPhaseClick(static_cast<int>(p), IsDlgButtonChecked(id) == 1);
            }
        });
    }
    for (std::size_t k = 0; k < CHarmTrendPanel::kKindIds.size(); ++k) {
        OnControlNotify(CHarmTrendPanel::kKindIds[k], static_cast<int>(ui::kNotifyClicked), [this, k] {
            if (!m_Syncing) {
                m_Panel.OnKindClick(static_cast<int>(k));
            }
        });
    }
    for (std::size_t t = 0; t < CHarmTrendPanel::kValueTypeIds.size(); ++t) {
        OnControlNotify(CHarmTrendPanel::kValueTypeIds[t], static_cast<int>(ui::kNotifyClicked), [this, t] {
            if (!m_Syncing) {
                m_Panel.OnValueTypeClick(static_cast<int>(t));
            }
        });
    }
    for (std::size_t k = 0; k < CHarmTrendPanel::kOrderListIds.size(); ++k) {
        const unsigned id = CHarmTrendPanel::kOrderListIds[k];
        OnControlNotify(id, static_cast<int>(ui::kNotifySelChange), [this, k, id] {
            if (auto* list = GetItem<wxChoice>(id); list != nullptr && !m_Syncing) {
                m_Panel.OnOrderChange(static_cast<int>(k), list->GetSelection());
            }
        });
    }
    OnControlNotify(CHarmTrendPanel::kKFactorId, static_cast<int>(ui::kNotifyClicked), [this] {
        if (!m_Syncing) {
            m_Panel.OnKFactorClick(IsDlgButtonChecked(CHarmTrendPanel::kKFactorId) == 1);
        }
    });
    OnMessage(kMsgResizeClick, [this](ui::WParam, ui::LParam) -> ui::LResult {
        m_Panel.OnToggle();
        return 0;
    });
    OnMessage(kMsgColorChosen, [this](ui::WParam color, ui::LParam) -> ui::LResult {
        return m_Panel.OnColorChosen(static_cast<std::uint32_t>(color));
    });
    OnMessage(kMsgPanelCommand, [this](ui::WParam code, ui::LParam read) -> ui::LResult {
        // The panel's state is read as the user changes it; writing shows it.
        if (code == kExchange && read == 0) {
            Sync();
        }
        return 0;
    });
    m_Panel.SetChangeListener([this] { ui::SendMessage(this, kMsgPanelCommand, kExchange, 0); });
    m_Panel.OnInitDialog();
    Sync();
    return true;
}

void CHarmTrendNewDlg::OnSwatch(int k)
{
    if (!m_Panel.OnSwatchClick(k)) {
        return;
    }
    const std::optional<std::uint32_t> color =
        ui::ChooseColor(this, m_Panel.SwatchColor(k), m_Panel.SwatchDefaultColor(k));
    if (color) {
        ui::SendMessage(this, kMsgColorChosen, *color, 0);
    }
}

void CHarmTrendNewDlg::Sync()
{
    if (!IsWindow()) {
        return;
    }
    m_Syncing = true;
    if (auto* list = GetItem<wxChoice>(CHarmTrendPanel::kItemListId)) {
        list->Clear();
        for (const CHarmTrendPanel::Entry& entry : m_Panel.Entries()) {
            list->Append(wxString(entry.text));
        }
        if (m_Panel.Selected() >= 0) {
            list->SetSelection(m_Panel.Selected());
        }
        list->Enable(m_Panel.ListEnabled());
    }
    for (std::size_t p = 0; p < CHarmTrendPanel::kPhaseIds.size(); ++p) {
        const CHarmTrendPanel::Button& box = m_Panel.Phases()[p];
        Mirror(GetItem<wxCheckBox>(CHarmTrendPanel::kPhaseIds[p]), box.enabled, box.checked);
    }
    for (std::size_t k = 0; k < CHarmTrendPanel::kKindIds.size(); ++k) {
        const CHarmTrendPanel::Button& button = m_Panel.Kinds()[k];
        Mirror(GetItem<wxRadioButton>(CHarmTrendPanel::kKindIds[k]), button.enabled, button.checked);
    }
    for (std::size_t t = 0; t < CHarmTrendPanel::kValueTypeIds.size(); ++t) {
        const CHarmTrendPanel::Button& button = m_Panel.ValueTypes()[t];
        Mirror(GetItem<wxRadioButton>(CHarmTrendPanel::kValueTypeIds[t]), button.enabled, button.checked);
    }
    for (std::size_t k = 0; k < CHarmTrendPanel::kOrderListIds.size(); ++k) {
        const CHarmTrendPanel::OrderList& orders = m_Panel.OrderLists()[k];
        if (auto* list = GetItem<wxChoice>(CHarmTrendPanel::kOrderListIds[k])) {
            list->Clear();
            for (const std::wstring& text : orders.texts) {
                list->Append(wxString(text));
            }
            list->SetSelection(orders.selected);
            list->Enable(orders.enabled);
        }
        if (wxWindow* swatch = m_Swatches[k]) {
            swatch->SetBackgroundColour(FromColorRef(m_Panel.SwatchColor(static_cast<int>(k))));
            swatch->Refresh();
        }
    }
    Mirror(GetItem<wxCheckBox>(CHarmTrendPanel::kKFactorId), m_Panel.KFactor().enabled, m_Panel.KFactor().checked);
    if (auto* group = GetItem<wxStaticBox>(CHarmTrendPanel::kOrderGroupId)) {
        group->SetLabel(wxString(m_Panel.OrderCaption()));
    }
    m_Syncing = false;
}
