#pragma once
// A wizard: pages shown one at a time in order, with a title line above them and a
// row of explicit buttons below: Back, Next, Finish and Cancel. Which of Back, Next
// and Finish may be pressed is the pages' choice (SetWizardButtons, or the message
// kMsgSetWizardButtons posted to the sheet); Cancel always may. A page is built when
// the user first reaches it, so a page never reached has no window. Next and Back
// ask the page shown (WizardPage::OnWizardNext, OnWizardBack) and then the page
// reached (OnSetActive); Finish asks the page shown (OnWizardFinish) and ends the
// wizard with kIdWizardFinish. Cancel, Escape and the title bar's close end it with
// kIdCancel. The wizard runs modally (Dialog::DoModal). The page shown fills the
// page area, which is as large as the largest page.

#include <string>
#include <utility>
#include <vector>

#include <wx/gdicmn.h>

#include "platform/ui/Dialog.h"

class wxButton;
class wxStaticText;
class wxScrolledWindow;
class wxStaticLine;

namespace ui {

class WizardPage;

// Received by the sheet: lParam the kWizard* bits of the buttons that may be pressed.
inline constexpr unsigned kMsgSetWizardButtons = 0x0470;
inline constexpr unsigned kWizardBack = 0x1;
inline constexpr unsigned kWizardNext = 0x2;
inline constexpr unsigned kWizardFinish = 0x4;
inline constexpr unsigned kWizardDisabledFinish = 0x8;  // Finish shown but not to be pressed

// The buttons' ids; kIdWizardFinish is also the result of a finished wizard.
inline constexpr unsigned kIdWizardBack = 12323;
inline constexpr unsigned kIdWizardNext = 12324;
inline constexpr unsigned kIdWizardFinish = 12325;

// The captions of the sheet's buttons, in the language of the program.
struct WizardButtonTexts {
    std::wstring back = L"< Back";
    std::wstring next = L"Next >";
    std::wstring finish = L"Finish";
    std::wstring cancel = L"Cancel";
};

class WizardSheet : public Dialog {
public:
    explicit WizardSheet(const std::wstring& caption, WizardButtonTexts texts = {});
    ~WizardSheet() override;

    // Adds a page after the others (before the wizard runs); the caller keeps it alive
    // while the wizard runs.
    void AddPage(WizardPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    // Null for an index out of range. The page may have no window yet.
    WizardPage* GetPage(int index) const;
    int GetPageIndex(const WizardPage* page) const;
    // Shows the page (building it the first time) when it agrees to be shown; false
    // for an index out of range, a sheet that is not open, a page that could not be
    // built or one that refused.
    bool SetActivePage(int index);
    // The page shown, -1 before the wizard opens.
    int GetActiveIndex() const { return m_active; }

    void SetWizardButtons(unsigned flags);
    unsigned GetWizardButtons() const { return m_buttonFlags; }
    // The caption of the Finish button.
    void SetFinishText(const std::wstring& text);
    // The title line above the pages.
    void SetTitle(const std::wstring& text);
    std::wstring GetTitle() const;

    // The sheet's button of that id (kIdWizard*, kIdCancel); null when not open.
    wxButton* GetButton(unsigned id) const;

    bool OnInitDialog() override;
    void OnCancel() override;

private:
    void AddButton(const std::wstring& caption, unsigned id);
    void OnNext();
    void OnBack();
    void OnFinish();
    void ApplyButtonStates();
    void Arrange();
    wxSize TemplatePageArea() const;

    std::vector<WizardPage*> m_pages;
    std::vector<std::pair<unsigned, wxButton*>> m_buttons;
    wxStaticText* m_title = nullptr;
    wxStaticLine* m_line = nullptr;
    // Holds the pages: as large as they are when the screen's work area allows,
    // else smaller and scrolled, so that the wizard and its buttons fit the screen.
    wxScrolledWindow* m_viewport = nullptr;
    wxSize m_pageArea;
    std::wstring m_titleText;
    WizardButtonTexts m_texts;
    unsigned m_buttonFlags = kWizardNext;
    int m_active = -1;
};

}  // namespace ui
