#pragma once
// A property sheet navigated by a list: the pages' names in a list on the left, the
// chosen page on the right, and a row of the sheet's own buttons beneath. It runs
// modally (Dialog::DoModal). The first page opens with the sheet; every other page
// is built when the user first chooses it, so a page never chosen has no window.
// The page area is as large as the largest page template; a page that had to grow
// to fit its controls enlarges the sheet when it is built (and the sheet moves
// where it would otherwise leave the screen).
//
// The sheet's buttons are made by CreateButtons; a click arrives as kMsgCommand
// with the button's id, so handlers are registered as for any command (OnCommand).
// The ids kIdOk and kIdCancel run OnOK and OnCancel, as closing the sheet by its
// title bar or Escape runs OnCancel.

#include <string>
#include <utility>
#include <vector>

#include <wx/gdicmn.h>

#include "platform/ui/Dialog.h"

class wxButton;
class wxListBox;

namespace ui {

class PropertyPage;

class PropertySheet : public Dialog {
public:
    explicit PropertySheet(const std::wstring& caption);
    ~PropertySheet() override;

    // Adds a page after the others (before the sheet runs); the caller keeps it and
    // must keep it alive while the sheet runs.
    void AddPage(PropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // Null for an index out of range. The page may have no window yet.
    PropertyPage* GetPage(int index) const;
    // Shows the page, building it the first time; false for an index out of range,
    // a sheet that is not open or a page that could not be built.
    bool SetActivePage(int index);
    // The page shown, -1 before the sheet opens.
    int GetActiveIndex() const { return m_active; }
    // The sheet's button of that id, null when there is none.
    wxButton* GetButton(unsigned id) const;

    bool OnInitDialog() override;

protected:
    // Makes the sheet's buttons through AddButton, in order from left to right;
    // false ends the sheet before it shows (DoModal returns -1). The base makes none.
    virtual bool CreateButtons();
    bool AddButton(const std::wstring& caption, unsigned id);

private:
    // The page area's size from the page templates, before any page is built.
    wxSize TemplatePageArea() const;
    void Arrange();
    // Moves a sheet that grew past its display's edge back inside.
    void KeepOnScreen();

    std::vector<PropertyPage*> m_pages;
    std::vector<std::pair<unsigned, wxButton*>> m_buttons;
    wxListBox* m_list = nullptr;
    wxSize m_pageArea;
    // The client width the buttons were last placed for (0: not yet placed).
    int m_arrangedWidth = 0;
    int m_active = -1;
};

}  // namespace ui
