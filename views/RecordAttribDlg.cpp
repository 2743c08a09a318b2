#include "views/RecordAttribDlg.h"

#include <wx/checkbox.h>
#include <wx/choice.h>

#include "controls/ResizeCtrl.h"
#include "platform/ui/Message.h"

CRecordAttribDlg::CRecordAttribDlg(const DialogTemplateInfo* info, CRecordAttribPanel& panel)
    : ui::Dialog(info), m_Panel(panel)
{
}

CRecordAttribDlg::~CRecordAttribDlg()
{
    m_Panel.SetChangeListener(nullptr);
}

bool CRecordAttribDlg::OnInitDialog()
{
    ui::Dialog::OnInitDialog();
    m_Strip.Attach(*this, kStripId);
    const RecordFrameProfile& profile = m_Panel.Profile();
    if (profile.comboId != 0) {
        OnControlNotify(profile.comboId, static_cast<int>(ui::kNotifySelChange), [this, id = profile.comboId] {
            if (auto* list = GetItem<wxChoice>(id); list != nullptr && !m_Syncing) {
                m_Panel.OnSelect(list->GetSelection());
            }
        });
    }
    for (const RecordBoxEntry& box : profile.boxes) {
        OnControlNotify(box.id, static_cast<int>(ui::kNotifyClicked), [this, id = box.id] {
            if (!m_Syncing) {
                m_Panel.OnClick(id, IsDlgButtonChecked(id) == 1);
            }
        });
    }
    OnMessage(kMsgResizeClick, [this](ui::WParam, ui::LParam) -> ui::LResult {
        m_Panel.OnToggle();
        return 0;
    });
    m_Panel.SetChangeListener([this] { Sync(); });
    Sync();
    return true;
}

void CRecordAttribDlg::Sync()
{
    m_Syncing = true;
    const RecordFrameProfile& profile = m_Panel.Profile();
    if (auto* list = profile.comboId != 0 ? GetItem<wxChoice>(profile.comboId) : nullptr) {
        list->Clear();
        for (const CRecordAttribPanel::Entry& entry : m_Panel.Entries()) {
            list->Append(wxString(entry.text));
        }
        if (m_Panel.Selected() >= 0) {
            list->SetSelection(m_Panel.Selected());
        }
        list->Enable(m_Panel.ListEnabled());
    }
    bool kindsShown = false;
    for (const CRecordAttribPanel::Box& box : m_Panel.Boxes()) {
        if (auto* check = GetItem<wxCheckBox>(box.entry.id)) {
            check->SetValue(box.checked);
            check->Enable(box.enabled);
            check->Show(box.visible);
        }
        kindsShown = kindsShown || (!box.entry.phase && box.visible);
    }
    if (wxWindow* group = profile.kindGroupId != 0 ? GetDlgItem(profile.kindGroupId) : nullptr) {
        group->Show(kindsShown);
    }
    m_Syncing = false;
}
