#include "Modal.h"

#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/toplevel.h>

#include "platform/ui/MessageQueue.h"

namespace uitest {

namespace {

wxDialog* OpenModalDialog()
{
    for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog != nullptr && dialog->IsModal() && !dialog->IsBeingDeleted()) {
            return dialog;
        }
    }
    return nullptr;
}

void LookForModal(std::function<void(wxDialog&)> action, int triesLeft)
{
    if (wxDialog* dialog = OpenModalDialog()) {
        action(*dialog);
    } else if (triesLeft > 0) {
        ui::PostToUiThread([action = std::move(action), triesLeft] { LookForModal(action, triesLeft - 1); });
    } else {
        ADD_FAILURE() << "no modal dialog opened";
    }
}

}  // namespace

void WhenModalOpens(std::function<void(wxDialog&)> action)
{
    ui::PostToUiThread([action = std::move(action)] { LookForModal(action, 1000); });
}

wxButton* FindButton(wxWindow& window, const std::wstring& label)
{
    for (wxWindow* child : window.GetChildren()) {
        if (auto* button = dynamic_cast<wxButton*>(child); button && button->GetLabelText().ToStdWstring() == label) {
            return button;
        }
        if (wxButton* found = FindButton(*child, label)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace uitest
