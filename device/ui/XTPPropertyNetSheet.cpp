#include "device/ui/XTPPropertyNetSheet.h"

#include "device/DeviceTexts.h"

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

}  // namespace

CXTPPropertyNetSheet::CXTPPropertyNetSheet() : ui::PropertySheet(device::LoadDeviceString(device::kTextGuideTitle)) {
    int step = 0;
    for (const GuidePage& guide : kGuidePages) {
        auto page = std::make_unique<CTransModePage>(guide.templateId);
        page->SetBitmapId(guide.bitmapId);
        page->SetText(device::LoadDeviceString(guide.text));
        AddPage(page.get(), std::to_wstring(++step));
        m_pages.push_back(std::move(page));
    }
}
