#include "platform/ui/DataExchange.h"

#include <wx/ctrlsub.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/slider.h>

#include "platform/ui/Dialog.h"
#include "platform/ui/SpinArrows.h"

namespace ui {

void DataExchange::Fail(unsigned id) {
    m_failed = true;
    if (wxWindow* control = m_dialog.GetDlgItem(id)) {
        control->SetFocus();
    }
}

void DataExchange::Text(unsigned id, std::wstring& value) {
    if (m_failed) {
        return;
    }
    if (m_saving) {
        value = m_dialog.GetDlgItemText(id);
    } else {
        m_dialog.SetDlgItemText(id, value);
    }
}

void DataExchange::Int(unsigned id, int& value) {
    if (m_failed) {
        return;
    }
    if (!m_saving) {
        m_dialog.SetDlgItemInt(id, value);
        return;
    }
    if (const auto read = m_dialog.GetDlgItemInt(id)) {
        value = *read;
    } else {
        Fail(id);
    }
}

void DataExchange::Check(unsigned id, int& value) {
    if (m_failed) {
        return;
    }
    if (m_saving) {
        value = m_dialog.IsDlgButtonChecked(id);
    } else {
        m_dialog.CheckDlgButton(id, value);
    }
}

void DataExchange::Radio(unsigned firstId, int& index) {
    if (m_failed) {
        return;
    }
    // The group: the first button and the radio buttons after it without a group start.
    auto* button = dynamic_cast<wxRadioButton*>(m_dialog.GetDlgItem(firstId));
    if (button == nullptr) {
        return;
    }
    if (m_saving) {
        index = -1;
    }
    int position = 0;
    for (wxRadioButton* current = button; current != nullptr; current = current->GetNextInGroup(), ++position) {
        if (m_saving) {
            if (current->GetValue()) {
                index = position;
                return;
            }
        } else if (position == index) {
            current->SetValue(true);
            return;
        }
    }
}

void DataExchange::Selection(unsigned id, int& index) {
    if (m_failed) {
        return;
    }
    wxWindow* control = m_dialog.GetDlgItem(id);
    if (auto* selectable = dynamic_cast<wxItemContainerImmutable*>(control)) {
        if (m_saving) {
            index = selectable->GetSelection();
        } else {
            // An index past the entries (a list not filled yet) selects nothing.
            const bool valid = index >= 0 && static_cast<unsigned>(index) < selectable->GetCount();
            selectable->SetSelection(valid ? index : wxNOT_FOUND);
        }
    } else if (auto* list = dynamic_cast<wxListCtrl*>(control)) {
        if (m_saving) {
            index = static_cast<int>(list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
        } else if (index >= 0 && index < list->GetItemCount()) {
            list->SetItemState(index, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                               wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
        }
    }
}

void DataExchange::Position(unsigned id, int& value) {
    if (m_failed) {
        return;
    }
    wxWindow* control = m_dialog.GetDlgItem(id);
    auto exchange = [&](auto* positioned) {
        if (m_saving) {
            value = positioned->GetValue();
        } else {
            positioned->SetValue(value);
        }
    };
    if (auto* slider = dynamic_cast<wxSlider*>(control)) {
        exchange(slider);
    } else if (auto* spin = dynamic_cast<SpinArrows*>(control)) {
        exchange(spin);
    } else if (auto* gauge = dynamic_cast<wxGauge*>(control)) {
        exchange(gauge);
    }
}

}  // namespace ui
