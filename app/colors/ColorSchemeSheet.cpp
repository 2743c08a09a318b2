#include "app/colors/ColorSchemeSheet.h"

#include <filesystem>
#include <system_error>

#include "app/colors/ColorPages.h"
#include "app/colors/XTPPropertyColorSheet.h"
#include "core/ColorPicker.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/MessageBox.h"
#include "terminal/CtrlItem.h"

namespace {

constexpr unsigned kStringFileMissing = 6099;
constexpr unsigned kStringAppTitle = 57344;

}  // namespace

bool ShowColorSchemeSheet(ui::Window* parent, const ColorSchemeChanged& changed) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(CColorPicker::SchemeFile(), error)) {
        CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
        ui::MessageBox(parent, resources->LoadString(kStringFileMissing), resources->LoadString(kStringAppTitle),
                       ui::kMbOk | ui::kMbIconExclamation);
        return false;
    }
    CColorPageSet pages;
    CXTPPropertyColorSheet sheet;
    pages.AddTo(sheet);
    sheet.DoModal(parent);
    if (!sheet.IsSaved()) {
        return false;
    }
    if (changed) {
        changed(ctrl::kStatisticRefresh);
    }
    return true;
}
