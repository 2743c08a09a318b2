#include "device/ui/TransModePage.h"

#include "controls/ControlTemplate.h"

namespace {

DialogTemplateInfo PageTemplate(unsigned templateId) {
    const DialogTemplateInfo* info = controls::LoadControlTemplate(templateId);
    return info != nullptr ? *info : DialogTemplateInfo{};
}

}  // namespace

CTransModePage::CTransModePage(unsigned templateId) : ui::PropertyPage(PageTemplate(templateId)) {}

bool CTransModePage::OnInitDialog() {
    ui::PropertyPage::OnInitDialog();
    if (m_picture.SubclassDlgItem(kPictureId, this)) {
        m_picture.SetBitmap(m_bitmapId);
    }
    SetDlgItemText(kTextId, m_text);
    return true;
}
