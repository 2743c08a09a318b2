#include "app/LanguageDlg.h"

#include <wx/ctrlsub.h>

#include "core/ZVLanguageList.h"
#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr unsigned kStringSwitchFailed = 6181;
constexpr unsigned kStringListDamaged = 6182;
using apptext::kStringAppTitle;

}  // namespace

CLanguageDlg::CLanguageDlg()
    : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId)) {}

wxItemContainer* CLanguageDlg::Combo() const { return dynamic_cast<wxItemContainer*>(GetDlgItem(kLanguageCombo)); }

bool CLanguageDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    wxItemContainer* combo = Combo();
    LanguageChoices choices;
    if (combo == nullptr || !CZVLanguageList::ReadChoices(choices)) {
        return true;  // an unusable list leaves the box empty
    }
    for (const auto& choice : choices.items) {
        combo->Append(wxString(choice.name));
        m_ids.push_back(choice.id);
    }
    if (choices.selected >= 0) {
        combo->SetSelection(choices.selected);
    }
    return true;
}

void CLanguageDlg::OnOK() {
    const wxItemContainer* combo = Combo();
    const int selected = combo != nullptr ? combo->GetSelection() : wxNOT_FOUND;
    if (selected >= 0 && static_cast<std::size_t>(selected) < m_ids.size() &&
        CZVLanguageList::SaveSelectedId(m_ids[static_cast<std::size_t>(selected)])) {
        EndDialog(ui::kIdOk);
        return;
    }
    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    ui::MessageBox(this,
                   resources->LoadString(kStringSwitchFailed) + L"\n\n" + resources->LoadString(kStringListDamaged),
                   resources->LoadString(kStringAppTitle), ui::kMbOk);
}
