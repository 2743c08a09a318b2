#include "views/DlgPanelLite.h"

#include <wx/checkbox.h>

#include "core/ZVResourceManager.h"
#include "platform/ui/MessageQueue.h"
#include "views/ViewMessages.h"

CDlgPanelLite::CDlgPanelLite()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId))
{
}

bool CDlgPanelLite::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    for (int index = 1; index <= 5; ++index) {
        wxCheckBox* box = GetBox(index);
        if (box == nullptr) {
            continue;
        }
        box->Bind(wxEVT_CHECKBOX, [this, index](wxCommandEvent& event) {
            ui::PostMessage(m_pTarget, views::kMsgPhaseBox, static_cast<ui::WParam>(index), event.IsChecked() ? 1 : 0);
        });
        // Keys typed while a box has the focus do nothing to the pane.
        box->Bind(wxEVT_KEY_DOWN, [](wxKeyEvent&) {});
    }
    return true;
}

wxCheckBox* CDlgPanelLite::GetBox(int index) const
{
    return index >= 1 && index <= 5 ? GetItem<wxCheckBox>(kBoxIds[index]) : nullptr;
}

void CDlgPanelLite::SetCheck(int index, int state)
{
    if (wxCheckBox* box = GetBox(index)) {
        box->SetValue(state != 0);
    }
}

void CDlgPanelLite::Enable(int index, bool enable)
{
    if (wxCheckBox* box = GetBox(index)) {
        box->Enable(enable);
    }
}

int CDlgPanelLite::IsChecked(int index)
{
    wxCheckBox* box = GetBox(index);
    return box != nullptr && box->IsEnabled() && box->GetValue() ? 1 : 0;
}
