#include "platform/ui/MessageBox.h"

#include <mutex>

#include <wx/app.h>
#include <wx/msgdlg.h>

#include "platform/ui/Message.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"

namespace ui {
namespace {

std::mutex g_messageBoxResponderLock;
MessageBoxResponder g_messageBoxResponder;

MessageBoxResponder CurrentMessageBoxResponder() {
    std::lock_guard guard(g_messageBoxResponderLock);
    return g_messageBoxResponder;
}

long DialogStyle(unsigned flags) {
    long style = 0;
    switch (flags & kMbButtonMask) {
    case kMbOkCancel:
        style = wxOK | wxCANCEL;
        break;
    case kMbYesNoCancel:
        style = wxYES_NO | wxCANCEL;
        break;
    case kMbYesNo:
        style = wxYES_NO;
        break;
    default:
        style = wxOK;
        break;
    }
    switch (flags & kMbIconMask) {
    case kMbIconError:
        return style | wxICON_ERROR;
    case kMbIconQuestion:
        return style | wxICON_QUESTION;
    case kMbIconExclamation:
        return style | wxICON_EXCLAMATION;
    case kMbIconInformation:
        return style | wxICON_INFORMATION;
    default:
        return style;
    }
}

int ToResult(int wxResult) {
    switch (wxResult) {
    case wxID_OK:
        return kIdOk;
    case wxID_YES:
        return kIdYes;
    case wxID_NO:
        return kIdNo;
    default:
        return kIdCancel;
    }
}

}  // namespace

void SetMessageBoxResponder(MessageBoxResponder responder) {
    std::lock_guard guard(g_messageBoxResponderLock);
    g_messageBoxResponder = std::move(responder);
}

int MessageBox(Window* owner, const std::wstring& text, const std::wstring& caption, unsigned flags) {
    const MessageBoxRequest request{text, caption, flags};
    const auto shown = CallOnUiThread([&]() -> LResult {
        if (const MessageBoxResponder responder = CurrentMessageBoxResponder()) {
            return responder(request);
        }
        wxWindow* parent = owner != nullptr && Window::SerialOf(owner) != 0 ? owner->GetWx() : nullptr;
        if (parent == nullptr && wxTheApp != nullptr) {
            parent = wxTheApp->GetTopWindow();
        }
        wxMessageDialog dialog(parent, wxString(text), wxString(caption), DialogStyle(flags));
        return ToResult(dialog.ShowModal());
    });
    return static_cast<int>(shown.value_or(0));
}

}  // namespace ui
