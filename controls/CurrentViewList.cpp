#include "controls/CurrentViewList.h"

#include <algorithm>

#include <wx/choice.h>
#include <wx/event.h>
#include <wx/window.h>

#include "controls/ControlTemplate.h"
#include "platform/ui/MessageQueue.h"

CCurrentViewList::CCurrentViewList(ui::Window* parent)
    : ui::Dialog(controls::LoadControlTemplate(kTemplateId)), m_parent(parent) {
    OnControlNotify(kQuantityListId, ui::kNotifySelChange, [this] { OnChoiceChanged(); });
    for (const unsigned box : {kMaxId, kMinId, kAvgId}) {
        OnCommand(box, [this] { ReportChoice(); });
    }
    OnMessage(kMsgResizeClick, [this](ui::WParam, ui::LParam point) {
        return m_owner != nullptr ? ui::SendMessage(m_owner, kMsgViewListToggle, 1, point) : 0;
    });
    OnMessage(ui::kMsgSize, [this](ui::WParam, ui::LParam size) {
        if (m_ResizeCtrl.IsWindow()) {
            const int height = static_cast<int>(ui::HighWord(static_cast<std::uintptr_t>(size)));
            m_ResizeCtrl.MoveWindow(wxRect(0, 0, m_ResizeCtrl.GetWindowRect().GetWidth(), height));
        }
        return 0;
    });
}

bool CCurrentViewList::Create() { return ui::Dialog::Create(m_parent); }

std::wstring CCurrentViewList::OnViewCommand(std::uint32_t itemId) {
    return controls::LoadControlString(controls::PowerItemTextId(itemId));
}

bool CCurrentViewList::OnInitDialog() {
    m_ResizeCtrl.SubclassDlgItem(kResizeGripId, this);
    ui::Dialog::OnInitDialog();
    const auto binding = Binding();
    // A click on the panel itself gives the keyboard back to the view.
    GetWx()->Bind(wxEVT_LEFT_DOWN, [binding](wxMouseEvent& event) {
        event.Skip();
        auto* self = static_cast<CCurrentViewList*>(*binding);
        if (self != nullptr && self->m_owner != nullptr && self->m_owner->GetWx() != nullptr) {
            self->m_owner->GetWx()->SetFocus();
        }
    });
    // Alt+F4 inside the panel closes the window it sits in, not just the panel.
    GetWx()->Bind(wxEVT_CHAR_HOOK, [binding](wxKeyEvent& event) {
        auto* self = static_cast<CCurrentViewList*>(*binding);
        if (self == nullptr || event.GetKeyCode() != WXK_F4 || !event.AltDown()) {
            event.Skip();
            return;
        }
        if (self->m_parent != nullptr) {
            ui::SendMessage(self->m_parent, ui::kMsgClose);
        }
    });

    FillList();
    SetWindowText(controls::LoadControlString(controls::ViewKindCaptionId(m_kind)));
    std::uint32_t current = 0;
    if (m_owner != nullptr) {
        ui::SendMessage(m_owner, kMsgViewListCurrentItem, reinterpret_cast<ui::WParam>(&current), 0);
    }
    SelectItem(current);
    CheckDlgButton(kAvgId, 1);
    return true;
}

void CCurrentViewList::FillList() {
    m_items = controls::ViewKindItems(m_kind);
    auto* list = GetItem<wxChoice>(kQuantityListId);
    if (list == nullptr) {
        return;
    }
    list->Clear();
    for (const controls::ViewItem& item : m_items) {
        list->Append(wxString(controls::LoadControlString(item.textId)));
    }
    if (!m_items.empty()) {
        list->SetSelection(0);
    }
}

void CCurrentViewList::SelectItem(std::uint32_t itemId) {
    auto* list = GetItem<wxChoice>(kQuantityListId);
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [itemId](const controls::ViewItem& item) { return item.id == itemId; });
    if (list != nullptr && found != m_items.end()) {
        list->SetSelection(static_cast<int>(found - m_items.begin()));
    }
}

std::uint32_t CCurrentViewList::GetSelectedItem() const {
    const auto* list = GetItem<wxChoice>(kQuantityListId);
    const int selected = list != nullptr ? list->GetSelection() : wxNOT_FOUND;
    return selected >= 0 && static_cast<std::size_t>(selected) < m_items.size() ? m_items[selected].id : 0;
}

void CCurrentViewList::EnableKinds(bool enable) {
    for (const unsigned box : {kMaxId, kMinId, kAvgId}) {
        if (wxWindow* control = GetDlgItem(box)) {
            control->Enable(enable);
        }
    }
}

void CCurrentViewList::OnChoiceChanged() {
    if (!controls::HasStatisticKinds(GetSelectedItem())) {
        for (const unsigned box : {kMaxId, kMinId, kAvgId}) {
            CheckDlgButton(box, 0);
        }
        EnableKinds(false);
    } else {
        if (IsDlgButtonChecked(kMaxId) == 0 && IsDlgButtonChecked(kMinId) == 0 && IsDlgButtonChecked(kAvgId) == 0) {
            CheckDlgButton(kAvgId, 1);
        }
        EnableKinds(true);
    }
    ReportChoice();
}

void CCurrentViewList::ReportChoice() {
    const wxWindow* max = GetDlgItem(kMaxId);
    const std::uint32_t flags =
        controls::ChoiceFlags(max != nullptr && max->IsEnabled(), IsDlgButtonChecked(kMaxId) != 0,
                              IsDlgButtonChecked(kMinId) != 0, IsDlgButtonChecked(kAvgId) != 0);
    if (m_owner != nullptr) {
        ui::PostMessage(m_owner, kMsgViewListChoice, GetSelectedItem(), static_cast<ui::LParam>(flags));
    }
}
