#include "device/ui/TransModePage.h"

#include "app/controls/ControlTemplate.h"

CTransModePage::CTransModePage(unsigned templateId) : ui::Dialog(controls::LoadControlTemplate(templateId)) {}

bool CTransModePage::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    if (m_picture.SubclassDlgItem(kPictureId, this)) {
        m_picture.SetBitmap(m_bitmapId);
    }
    SetDlgItemText(kTextId, m_text);
    return true;
}
