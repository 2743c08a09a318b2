#include "platform/ui/HyperLink.h"

#include <wx/hyperlink.h>

#include "platform/ui/Dialog.h"

namespace ui {

bool HyperLink::SubclassDlgItem(unsigned id, Dialog* parent, const std::wstring& text) {
    wxWindow* old = parent != nullptr ? parent->GetDlgItem(id) : nullptr;
    if (IsWindow() || old == nullptr) {
        return false;
    }
    const std::wstring label = text.empty() ? parent->GetDlgItemText(id) : text;
    // The link must not open a browser: the URL is never used.
    auto* link = new wxGenericHyperlinkCtrl(parent->GetWx(), wxID_ANY, wxString(label), wxString("about:blank"),
                                            old->GetPosition(), old->GetSize(), wxHL_ALIGN_LEFT | wxBORDER_NONE);
    Attach(link, id, true);
    link->Bind(wxEVT_HYPERLINK, [binding = Binding()](wxHyperlinkEvent&) {
        if (Window* self = *binding) {
            self->WindowProc(kMsgHyperLinkClick, 0, 0);
        }
    });
    if (!parent->ReplaceDlgItem(id, link)) {
        DestroyWindow();
        return false;
    }
    return true;
}

void HyperLink::SetText(const std::wstring& text) {
    if (auto* link = dynamic_cast<wxGenericHyperlinkCtrl*>(GetWx())) {
        link->SetLabel(wxString(text));
    }
}

std::wstring HyperLink::GetText() const {
    return GetWx() != nullptr ? GetWx()->GetLabel().ToStdWstring() : std::wstring();
}

void HyperLink::Click() { WindowProc(kMsgHyperLinkClick, 0, 0); }

}  // namespace ui
