#pragma once
// Dialogs built from dialog template records (platform/base/DialogTemplate.h), modal or
// modeless. The caller hands the template in (the program takes it from its language
// resources); the dialog keeps its own copy. Positions are dialog units of the template's font. GTK controls often
// need more room than the template gives: where a control's natural size exceeds
// its box, the dialog's units grow (across and down separately) until every such
// control fits, so the layout keeps its proportions and nothing is clipped or
// overlaps. A template with the child style becomes a panel inside its parent (a
// page inside a view); any other becomes a top-level dialog.
//
// Controls are found by their template ids. Button clicks and control
// notifications arrive as kMsgCommand / kMsgNotify / scroll messages; the ids
// kIdOk and kIdCancel run OnOK and OnCancel unless a command handler took them.
// A dialog closed by its title bar or Escape runs OnCancel.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/DialogTemplate.h"
#include "platform/ui/ControlFactory.h"
#include "platform/ui/DialogUnits.h"
#include "platform/ui/Window.h"

namespace ui {

class DataExchange;
class Dialog;

// Answers modal dialogs in place of the user, as the message-box responder does for
// message boxes: called on the user-interface thread once a modal dialog is built
// and initialised, instead of running it. It acts on the dialog as the user would
// (sets controls, calls OnOK, OnCancel or EndDialog) and returns true; a dialog it
// left open then ends with kIdCancel. Returning false lets that dialog run as usual.
// Empty: every dialog runs.
using DialogResponder = std::function<bool(Dialog&)>;
void SetDialogResponder(DialogResponder responder);

class Dialog : public Window {
public:
    // A copy of the template (null: the dialog cannot be created).
    explicit Dialog(const DialogTemplateInfo* info);
    explicit Dialog(DialogTemplateInfo info);
    ~Dialog() override;

    // Runs the dialog modally; the value given to EndDialog, or -1 when it could
    // not be created.
    int DoModal(Window* parent = nullptr);
    // Creates the dialog modeless (shown when the template has the visible style);
    // false when it could not be created.
    bool Create(Window* parent);
    // Ends a modal dialog with the result; hides a modeless one.
    void EndDialog(int result);
    int GetResult() const { return m_result; }

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange&) {}
    // Moves values between the members and the controls; false when a value saved
    // from a control was refused (the control then has the focus).
    bool UpdateData(bool saveAndValidate = true);

    LResult WindowProc(unsigned message, WParam wParam, LParam lParam) override;
    bool OnCmdMsg(unsigned id, CommandUI* update) override;

    wxWindow* GetDlgItem(unsigned id) const;
    template <class Control>
    Control* GetItem(unsigned id) const {
        return dynamic_cast<Control*>(GetDlgItem(id));
    }
    std::optional<ControlKind> GetItemKind(unsigned id) const;
    // The control's box before and after growth, in pixels of the dialog's client area.
    std::optional<wxRect> GetItemTemplateRect(unsigned id) const;

    // Puts a control of the program's own in place of the template's control (a
    // placeholder): same box, same place in the tab order, same id; the old one goes.
    // False when there is no control of that id.
    bool ReplaceDlgItem(unsigned id, wxWindow* control);

    std::wstring GetDlgItemText(unsigned id) const;
    void SetDlgItemText(unsigned id, const std::wstring& text);
    // Nothing when the text is not an integer.
    std::optional<int> GetDlgItemInt(unsigned id) const;
    void SetDlgItemInt(unsigned id, int value);
    // 0 unchecked, 1 checked, 2 indeterminate.
    int IsDlgButtonChecked(unsigned id) const;
    void CheckDlgButton(unsigned id, int check);
    void CheckRadioButton(unsigned firstId, unsigned lastId, unsigned checkId);

    const DialogTemplateInfo* GetTemplate() const { return m_template ? &*m_template : nullptr; }
    // The font's units, and the units the controls were laid out with (larger
    // where controls needed room).
    const DialogUnits& GetFontUnits() const { return m_fontUnits; }
    const DialogUnits& GetLayoutUnits() const { return m_layoutUnits; }

private:
    struct Item {
        unsigned id;
        ControlKind kind;
        wxWindow* window;
        wxRect box;         // in template units
        std::wstring text;  // a static's text as given, before wrapping
    };

    bool Build(wxWindow* parent);
    void AlignSpinsToBuddies();
    void Layout();
    void BindControl(const Item& item, std::size_t index);
    const Item* Find(unsigned id) const;
    Item* Find(unsigned id);
    void ShowStaticText(Item& item);
    void OnDestroyed() override;

    std::optional<DialogTemplateInfo> m_template;
    std::vector<Item> m_items;
    DialogUnits m_fontUnits;
    DialogUnits m_layoutUnits;
    bool m_modal = false;
    bool m_ended = false;  // EndDialog seen while modal
    bool m_child = false;
    int m_result = -1;
};

}  // namespace ui
