#include "app/colors/XTPPropertyColorSheet.h"

#include <utility>

#include <wx/button.h>

#include "app/colors/XTPPropertyPageEx.h"
#include "core/ZVResourceManager.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr unsigned kStringCaption = 6088;
constexpr unsigned kStringAskSave = 6087;
constexpr unsigned kStringSaved = 6259;
constexpr unsigned kStringSaveFailed = 6090;
constexpr unsigned kStringRestore = 9996;
constexpr unsigned kStringSave = 6073;
constexpr unsigned kStringExit = 6074;

// The restore button sits this far from the sheet's left edge, apart from the others.
constexpr int kRestoreLeft = 10;

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

}  // namespace

CXTPPropertyColorSheet::CXTPPropertyColorSheet(CColorPicker::FileAccess access)
    : ui::PropertySheet(Text(kStringCaption)), m_store(std::move(access)) {
    OnCommand(kSaveButton, [this] { Save(); });
    OnCommand(kRestoreButton, [this] { Restore(); });
}

CXTPPropertyColorSheet::~CXTPPropertyColorSheet() = default;

bool CXTPPropertyColorSheet::CreateButtons() {
    return AddButton(Text(kStringRestore), kRestoreButton) && AddButton(Text(kStringSave), kSaveButton) &&
           AddButton(Text(kStringExit), kExitButton);
}

bool CXTPPropertyColorSheet::OnInitDialog() {
    if (!ui::PropertySheet::OnInitDialog()) {
        return false;
    }
    if (wxButton* restore = GetButton(kRestoreButton)) {
        restore->Move(kRestoreLeft, restore->GetPosition().y);
    }
    return true;
}

std::vector<CXTPPropertyPageEx*> CXTPPropertyColorSheet::OpenedPages() const {
    std::vector<CXTPPropertyPageEx*> pages;
    for (int i = 0; i < GetPageCount(); ++i) {
        auto* page = dynamic_cast<CXTPPropertyPageEx*>(GetPage(i));
        if (page != nullptr && page->IsWindow()) {
            pages.push_back(page);
        }
    }
    return pages;
}

bool CXTPPropertyColorSheet::AnyModified() const {
    for (const CXTPPropertyPageEx* page : OpenedPages()) {
        if (page->IsModified()) {
            return true;
        }
    }
    return false;
}

bool CXTPPropertyColorSheet::Save() {
    const std::vector<CXTPPropertyPageEx*> pages = OpenedPages();
    const bool modified = AnyModified();
    std::vector<CColorPicker::Entry> entries;
    for (const CXTPPropertyPageEx* page : pages) {
        page->CollectColors(entries);
    }
    // Every page's colours in one replace of the file, or none of them.
    if (!entries.empty() && (m_store.Open(CColorPicker::kFrequency) == 0 || m_store.WriteColors(entries) == 0)) {
        ui::MessageBox(this, Text(kStringSaveFailed), Text(kStringCaption), ui::kMbOk | ui::kMbIconExclamation);
        return false;
    }
    for (CXTPPropertyPageEx* page : pages) {
        page->SaveColors();
    }
    if (modified) {
        m_saved = 1;
        ui::MessageBox(this, Text(kStringSaved), Text(kStringCaption), ui::kMbOk);
    }
    return true;
}

void CXTPPropertyColorSheet::Restore() {
    for (CXTPPropertyPageEx* page : OpenedPages()) {
        page->ReloadColors();
    }
}

void CXTPPropertyColorSheet::OnCancel() {
    if (AnyModified()) {
        const int answer =
            ui::MessageBox(this, Text(kStringAskSave), Text(kStringCaption), ui::kMbYesNo | ui::kMbIconInformation);
        // A failed save keeps the sheet open, so that the changes are not lost unasked.
        if (answer == ui::kIdYes && !Save()) {
            return;
        }
    }
    ui::PropertySheet::OnCancel();
}
