#pragma once
// CXTPPropertyPageEx: a page of the colour-scheme sheet. It edits the colours of one
// page kind (a section of "color.cfg") with one colour button per key of that
// section, each with a marker beside it that shows while the button's colour differs
// from the saved one; default buttons give a group of keys their factory colours,
// and group titles head the groups. What a page holds is described by its Layout
// (the pages are in ColorPages.h); layout and texts come from its dialog template.
//
// Opening the page reads the colours and writes nothing. The sheet saves all its
// pages' colours in one write (CollectColors) and only then tells each page that
// they are the saved ones (SaveColors).

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/colors/EditedPicker.h"
#include "core/ColorPicker.h"
#include "platform/ui/PropertyPage.h"

class CBackgndCtrl;
class CPolyTitleTemplate;
class CXTPColorPickerEx;

class CXTPPropertyPageEx : public ui::PropertyPage {
public:
    struct Button {
        const wchar_t* key;
        unsigned buttonId;
        unsigned markerId;
    };
    // A default button and the keys it resets.
    struct DefaultGroup {
        unsigned commandId;
        std::vector<std::wstring> keys;
    };
    // A group title and the language string it shows.
    struct Title {
        unsigned controlId;
        unsigned stringId;
    };
    struct Layout {
        unsigned templateId = 0;
        const wchar_t* section = L"";
        std::vector<Button> buttons;
        std::vector<DefaultGroup> defaults;
        std::vector<Title> titles;
    };

    // Blue-grey titles with white captions.
    static constexpr std::uint32_t kTitleFill = 12753226;
    static constexpr std::uint32_t kTitleText = 0xFFFFFF;

    explicit CXTPPropertyPageEx(Layout layout);
    ~CXTPPropertyPageEx() override;

    bool OnInitDialog() override;

    // Appends the current colour of every button (also of the hidden ones) to the
    // entries of one write.
    void CollectColors(std::vector<CColorPicker::Entry>& entries) const;
    // After the sheet wrote them: the current colours become the saved ones.
    virtual void SaveColors();
    // Reads every button's colour from the file again.
    virtual void ReloadColors();
    // True while any marker shows.
    virtual bool IsModified() const { return !m_edited.IsEmpty(); }

    const Layout& GetLayout() const { return m_layout; }
    // The button of that key, null before the page opened or for a key it lacks.
    CXTPColorPickerEx* FindPicker(const std::wstring& key) const;

private:
    void LoadColors();
    void ApplyDefaults(const std::vector<std::wstring>& keys);
    void RefreshMarker(CXTPColorPickerEx* picker);
    void RefreshMarkers();
    void MakeMarker(unsigned markerId);

    Layout m_layout;
    CColorPicker m_store;
    CEditedPicker m_edited;
    std::vector<CXTPColorPickerEx*> m_pickers;  // owned by their window
    std::map<unsigned, std::unique_ptr<CBackgndCtrl>> m_markers;
    std::vector<std::unique_ptr<CPolyTitleTemplate>> m_titles;
};
