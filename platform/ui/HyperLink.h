#pragma once
// A link in a dialog: its text in the link style, and a click that the link
// reports to itself as kMsgHyperLinkClick (nothing is opened by the window
// system), so that a derived link decides what a click opens. Made in place of a
// template's control (SubclassDlgItem), keeping its box and tab order.

#include <string>

#include "platform/ui/Window.h"

namespace ui {

class Dialog;

// The link's own message when it was clicked.
inline constexpr unsigned kMsgHyperLinkClick = 0xBD11;

class HyperLink : public Window {
public:
    // Takes the place of the dialog's control of that id, with that control's
    // text unless one is given; false when there is no such control.
    bool SubclassDlgItem(unsigned id, Dialog* parent, const std::wstring& text = {});
    void SetText(const std::wstring& text);
    std::wstring GetText() const;
    // What a click of the user does.
    void Click();
};

}  // namespace ui
