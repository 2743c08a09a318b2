#include "app/colors/XTPPropertyPageEx.h"

#include <algorithm>
#include <array>
#include <utility>

#include <wx/window.h>

#include "app/colors/XTPColorPickerEx.h"
#include "controls/BackgndCtrl.h"
#include "controls/PolyTitleTemplate.h"
#include "core/ZVResourceManager.h"

namespace {

// The marker: a small orange diamond.
constexpr std::uint32_t kMarkerColor = 255 | 102 << 8;
// The banner a group title draws; the rest of its template box stays the page's.
constexpr int kTitleWidth = 100;
constexpr int kTitleHeight = 24;

DialogTemplateInfo PageTemplate(unsigned id) {
    const DialogTemplateInfo* info = CZVResourceManager::GetResourceManager()->LoadDialogTemplate(id);
    // Without its template (a damaged installation) the page is empty, not missing.
    return info != nullptr ? *info : DialogTemplateInfo();
}

// The largest diamond centred in the box.
std::array<gfx::Point, 4> MarkerShape(const wxSize& box) {
    const double side = std::min(box.x, box.y);
    const double left = (box.x - side) / 2;
    const double top = (box.y - side) / 2;
    return {gfx::Point{left + side / 2, top}, {left + side, top + side / 2}, {left + side / 2, top + side},
            {left, top + side / 2}};
}

}  // namespace

CXTPPropertyPageEx::CXTPPropertyPageEx(Layout layout)
    : ui::PropertyPage(PageTemplate(layout.templateId)), m_layout(std::move(layout)) {
    for (const DefaultGroup& group : m_layout.defaults) {
        OnCommand(group.commandId, [this, keys = group.keys] { ApplyDefaults(keys); });
    }
    for (const Button& button : m_layout.buttons) {
        OnControlNotify(button.buttonId, static_cast<int>(ui::kNotifyColorChosen), [this, key = button.key] {
            if (CXTPColorPickerEx* picker = FindPicker(key)) {
                RefreshMarker(picker);
            }
        });
    }
}

CXTPPropertyPageEx::~CXTPPropertyPageEx() = default;

bool CXTPPropertyPageEx::OnInitDialog() {
    ui::PropertyPage::OnInitDialog();
    m_store.Open(m_layout.section);

    CZVResourceManager* resources = CZVResourceManager::GetResourceManager();
    m_titles.clear();
    for (const Title& title : m_layout.titles) {
        auto banner = std::make_unique<CPolyTitleTemplate>();
        if (banner->SubclassDlgItem(title.controlId, this)) {
            banner->MoveWindow(wxRect(banner->GetWindowRect().GetPosition(), wxSize(kTitleWidth, kTitleHeight)));
            banner->SetFillColor(kTitleFill);
            banner->SetCaption(resources->LoadString(title.stringId), kTitleText);
            m_titles.push_back(std::move(banner));
        }
    }

    m_pickers.clear();
    m_markers.clear();
    for (const Button& button : m_layout.buttons) {
        wxWindow* placeholder = GetDlgItem(button.buttonId);
        if (placeholder == nullptr) {
            continue;
        }
        auto* picker = new CXTPColorPickerEx(this, GetWx(), button.buttonId, placeholder->GetRect());
        if (!ReplaceDlgItem(button.buttonId, picker)) {
            picker->Destroy();
            continue;
        }
        picker->SetKey(button.key);
        picker->SetMarkerId(button.markerId);
        MakeMarker(button.markerId);
        m_pickers.push_back(picker);
    }

    // The colours as the file has them are the saved ones; nothing is written here.
    LoadColors();
    for (CXTPColorPickerEx* picker : m_pickers) {
        picker->SetDefaultColor(picker->GetColor());
    }
    RefreshMarkers();
    return true;
}

void CXTPPropertyPageEx::MakeMarker(unsigned markerId) {
    if (m_markers.count(markerId) != 0) {
        return;
    }
    auto marker = std::make_unique<CBackgndCtrl>();
    if (!marker->SubclassDlgItem(markerId, this)) {
        return;
    }
    marker->SetEntries(MarkerShape(marker->GetWindowRect().GetSize()));
    marker->SetFillColor(kMarkerColor);
    m_markers.emplace(markerId, std::move(marker));
}

void CXTPPropertyPageEx::CollectColors(std::vector<CColorPicker::Entry>& entries) const {
    for (const CXTPColorPickerEx* picker : m_pickers) {
        entries.push_back({m_layout.section, picker->GetKey(), picker->GetColor()});
    }
}

void CXTPPropertyPageEx::SaveColors() {
    for (CXTPColorPickerEx* picker : m_pickers) {
        picker->SetDefaultColor(picker->GetColor());
    }
    RefreshMarkers();
}

void CXTPPropertyPageEx::ReloadColors() {
    LoadColors();
    RefreshMarkers();
}

CXTPColorPickerEx* CXTPPropertyPageEx::FindPicker(const std::wstring& key) const {
    const auto found = std::find_if(m_pickers.begin(), m_pickers.end(),
                                    [&key](const CXTPColorPickerEx* picker) { return picker->GetKey() == key; });
    return found != m_pickers.end() ? *found : nullptr;
}

void CXTPPropertyPageEx::LoadColors() {
    for (CXTPColorPickerEx* picker : m_pickers) {
        std::uint32_t color = 0;
        if (m_store.ReadColor(picker->GetKey(), color) != 0) {
            picker->SetColor(color);
        }
    }
}

void CXTPPropertyPageEx::ApplyDefaults(const std::vector<std::wstring>& keys) {
    for (const std::wstring& key : keys) {
        std::uint32_t color = 0;
        CXTPColorPickerEx* picker = FindPicker(key);
        if (picker != nullptr && m_store.ReadDefaultColor(key, color) != 0) {
            picker->SetColor(color);
        }
    }
    RefreshMarkers();
}

void CXTPPropertyPageEx::RefreshMarker(CXTPColorPickerEx* picker) {
    const bool differs = picker->GetColor() != picker->GetDefaultColor();
    if (const auto marker = m_markers.find(picker->GetMarkerId()); marker != m_markers.end()) {
        marker->second->ShowWindow(differs ? ui::kShow : ui::kShowHide);
    }
    if (differs) {
        m_edited.Add(picker);
    } else {
        m_edited.Remove(picker);
    }
}

void CXTPPropertyPageEx::RefreshMarkers() {
    for (CXTPColorPickerEx* picker : m_pickers) {
        RefreshMarker(picker);
    }
}
