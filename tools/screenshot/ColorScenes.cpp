// Scenes of the colour-scheme sheet: the voltage and current page with one colour
// changed and not yet saved (its marker shows), and the harmonic page with its
// group titles. Nothing is written to "color.cfg".
#include <functional>

#include "app/colors/ColorPages.h"
#include "app/colors/XTPColorPickerEx.h"
#include "app/colors/XTPPropertyColorSheet.h"
#include "tools/screenshot/Scene.h"
#include "platform/ui/ColorButton.h"
#include "platform/ui/MessageQueue.h"

namespace {

// Opens the sheet with its six pages, shows the page, lets the action change it and
// saves the sheet's picture.
bool ShootSheet(screenshot::SceneContext& context, int pageIndex,
                const std::function<void(CXTPPropertyPageEx&)>& change) {
    CColorPageSet pages;
    CXTPPropertyColorSheet sheet;
    pages.AddTo(sheet);
    bool saved = false;
    ui::PostToUiThread([&] {
        if (sheet.SetActivePage(pageIndex)) {
            if (auto* page = dynamic_cast<CXTPPropertyPageEx*>(sheet.GetPage(pageIndex)); page != nullptr && change) {
                change(*page);
            }
            screenshot::Settle();
            saved = screenshot::SaveFromWindow(sheet.GetWx(), context.file);
        }
        sheet.EndDialog(ui::kIdOk);
    });
    sheet.DoModal();
    return saved;
}

const screenshot::SceneRegistrar kSheet("colors-sheet", [](screenshot::SceneContext& context) {
    return ShootSheet(context, 2, [](CXTPPropertyPageEx& page) {
        // The user picked a new colour for L1's maximum curve.
        if (CXTPColorPickerEx* picker = page.FindPicker(L"Amax")) {
            picker->SetColor(0x2080FF);
            page.WindowProc(ui::kMsgCommand, ui::MakeWParam(picker->GetDlgCtrlID(), ui::kNotifyColorChosen), 0);
        }
    });
});

const screenshot::SceneRegistrar kHarmonicPage("colors-harmonic", [](screenshot::SceneContext& context) {
    return ShootSheet(context, 5, {});
});

}  // namespace
