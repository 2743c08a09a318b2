#include "platform/ui/TaskDialog.h"

#include <cwctype>

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/hyperlink.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace ui {

namespace {

constexpr int kTextWidth = 360;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

wxArtID ArtOf(TaskDialog::Icon icon) {
    switch (icon) {
    case TaskDialog::Icon::Information:
        return wxART_INFORMATION;
    case TaskDialog::Icon::Warning:
    case TaskDialog::Icon::Shield:
        return wxART_WARNING;
    case TaskDialog::Icon::Error:
        return wxART_ERROR;
    default:
        return wxArtID();
    }
}

}  // namespace

TaskDialog::~TaskDialog() { DestroyWindow(); }

std::vector<TaskDialog::Run> TaskDialog::SplitLinks(const std::wstring& content) {
    std::vector<Run> runs;
    const std::wstring lower = Lower(content);
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t open = lower.find(L"<a", pos);
        const std::size_t tagEnd = open == std::wstring::npos ? open : lower.find(L'>', open);
        const std::size_t close = tagEnd == std::wstring::npos ? tagEnd : lower.find(L"</a>", tagEnd);
        if (close == std::wstring::npos) {
            runs.push_back({false, content.substr(pos), {}});
            break;
        }
        if (open > pos) {
            runs.push_back({false, content.substr(pos, open - pos), {}});
        }
        std::wstring target;
        const std::size_t href = lower.find(L"href=\"", open);
        if (href != std::wstring::npos && href < tagEnd) {
            const std::size_t end = content.find(L'"', href + 6);
            target = content.substr(href + 6, end == std::wstring::npos || end > tagEnd ? 0 : end - href - 6);
        }
        runs.push_back({true, content.substr(tagEnd + 1, close - tagEnd - 1), target});
        pos = close + 4;
    }
    return runs;
}

int TaskDialog::DoModal(Window* parent) {
    wxWindow* parentWindow = parent != nullptr ? parent->GetWx() : nullptr;
    auto* dialog = new wxDialog(parentWindow, wxID_ANY, wxString(m_title), wxDefaultPosition, wxDefaultSize,
                                wxDEFAULT_DIALOG_STYLE);
    Attach(dialog, 0, true);
    m_links.clear();
    m_linkTargets.clear();

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    const wxArtID art = ArtOf(m_icon);
    if (!art.empty()) {
        columns->Add(new wxStaticBitmap(dialog, wxID_ANY, wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX)), 0,
                     wxALL, 12);
    }
    auto* texts = new wxBoxSizer(wxVERTICAL);
    auto* instruction = new wxStaticText(dialog, wxID_ANY, wxString(m_instruction));
    wxFont large = instruction->GetFont();
    large.SetPointSize(large.GetPointSize() + 3);
    large.SetWeight(wxFONTWEIGHT_BOLD);
    instruction->SetFont(large);
    instruction->Wrap(kTextWidth);
    texts->Add(instruction, 0, wxTOP | wxBOTTOM, 12);
    for (const Run& run : m_hyperlinks ? SplitLinks(m_content) : std::vector<Run>{{false, m_content, {}}}) {
        if (!run.link) {
            auto* text = new wxStaticText(dialog, wxID_ANY, wxString(run.text));
            text->Wrap(kTextWidth);
            texts->Add(text, 0, wxBOTTOM, 4);
            continue;
        }
        auto* link = new wxGenericHyperlinkCtrl(dialog, wxID_ANY, wxString(run.text), wxString("about:blank"));
        const std::size_t index = m_links.size();
        link->Bind(wxEVT_HYPERLINK, [binding = Binding(), index](wxHyperlinkEvent&) {
            if (auto* self = static_cast<TaskDialog*>(*binding)) {
                self->ClickLink(index);
            }
        });
        m_links.push_back(link);
        m_linkTargets.push_back(run.target);
        texts->Add(link, 0, wxBOTTOM, 4);
    }
    columns->Add(texts, 1, wxRIGHT | wxEXPAND, 12);

    auto* buttons = new wxStdDialogButtonSizer;
    if ((m_buttons & kButtonOk) != 0 || (m_buttons & kButtonCancel) == 0) {
        buttons->AddButton(new wxButton(dialog, wxID_OK));
    }
    if ((m_buttons & kButtonCancel) != 0) {
        buttons->AddButton(new wxButton(dialog, wxID_CANCEL));
    }
    buttons->Realize();
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(columns, 1, wxEXPAND);
    all->Add(buttons, 0, wxALL | wxALIGN_RIGHT, 8);
    dialog->SetSizerAndFit(all);
    // Escape and the close box end the dialog only when it may be cancelled.
    dialog->SetEscapeId(m_cancellation ? wxID_CANCEL : wxID_NONE);
    dialog->Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (m_cancellation || !event.CanVeto()) {
            EndDialog(kIdCancel);
        } else {
            event.Veto();
        }
    });
    if (parentWindow != nullptr) {
        dialog->CentreOnParent();
    }
    const int shown = dialog->ShowModal();
    DestroyWindow();
    m_links.clear();
    return shown == wxID_OK ? kIdOk : shown == wxID_CANCEL ? kIdCancel : -1;
}

void TaskDialog::EndDialog(int result) {
    if (auto* dialog = dynamic_cast<wxDialog*>(GetWx()); dialog != nullptr && dialog->IsModal()) {
        dialog->EndModal(result == kIdOk ? wxID_OK : wxID_CANCEL);
    }
}

std::vector<std::wstring> TaskDialog::GetLinkTexts() const {
    std::vector<std::wstring> texts;
    for (const wxWindow* link : m_links) {
        texts.push_back(link->GetLabel().ToStdWstring());
    }
    return texts;
}

bool TaskDialog::ClickLink(std::size_t index) {
    if (index >= m_linkTargets.size()) {
        return false;
    }
    OnHyperlinkClicked(m_linkTargets[index]);
    return true;
}

std::vector<int> TaskDialog::GetButtons() const {
    std::vector<int> ids;
    if (GetWx() == nullptr) {
        return ids;
    }
    for (const wxWindow* child : GetWx()->GetChildren()) {
        if (dynamic_cast<const wxButton*>(child) == nullptr) {
            continue;
        }
        if (child->GetId() == wxID_OK) {
            ids.push_back(kIdOk);
        } else if (child->GetId() == wxID_CANCEL) {
            ids.push_back(kIdCancel);
        }
    }
    return ids;
}

void TaskDialog::OnHyperlinkClicked(const std::wstring&) {}

}  // namespace ui
