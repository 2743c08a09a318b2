#include "device/ui/XTPPropertyNetSheet.h"

#include "controls/ControlTemplate.h"
#include "device/DeviceTexts.h"
#include "device/ui/OpenNetDlg.h"

namespace {

struct GuidePage {
    unsigned templateId;
    int bitmapId;
    unsigned text;
};

constexpr GuidePage kGuidePages[] = {
    {119, 4105, device::kTextGuideStep1},
    {120, 4106, device::kTextGuideStep2},
    {121, 4107, device::kTextGuideStep3},
};

// The guide belongs to the download dialog and closes with that dialog's own OK
// caption, so both read alike in every language.
std::wstring OkCaption() {
    if (const DialogTemplateInfo* dialog = controls::LoadControlTemplate(COpenNetDlg::kTemplateId)) {
        for (const DialogItemTemplateInfo& item : dialog->items) {
            if (item.id == static_cast<std::uint32_t>(ui::kIdOk) && !item.caption.empty()) {
                return item.caption;
            }
        }
    }
    return L"OK";
}

}  // namespace

CXTPPropertyNetSheet::CXTPPropertyNetSheet() : ui::PropertySheet(device::LoadDeviceString(device::kTextGuideTitle)) {
    for (const GuidePage& guide : kGuidePages) {
        auto page = std::make_unique<CTransModePage>(guide.templateId);
        page->SetBitmapId(guide.bitmapId);
        page->SetText(device::LoadDeviceString(guide.text));
        AddPage(page.get());
        m_pages.push_back(std::move(page));
    }
}

bool CXTPPropertyNetSheet::CreateButtons() { return AddButton(OkCaption(), ui::kIdOk); }
