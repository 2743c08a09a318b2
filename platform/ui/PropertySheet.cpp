#include "platform/ui/PropertySheet.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/listbook.h>
#include <wx/sizer.h>

#include "platform/ui/Dialog.h"

namespace ui {

// The navigator with its pages: a window of its own, so that the pages can be
// made inside it.
class PropertySheet::Book : public Window {
public:
    explicit Book(wxWindow* parent) {
        Attach(new wxListbook(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLB_LEFT), 0, false);
    }
    wxListbook* Control() const { return static_cast<wxListbook*>(GetWx()); }
};

PropertySheet::PropertySheet(std::wstring title) : m_title(std::move(title)) {}

PropertySheet::~PropertySheet() { DestroyWindow(); }

void PropertySheet::AddPage(Dialog* page, const std::wstring& label) { m_pages.emplace_back(page, label); }

int PropertySheet::DoModal(Window* parent) {
    auto* dialog = new wxDialog(parent != nullptr ? parent->GetWx() : nullptr, wxID_ANY, wxString(m_title),
                                wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE);
    Attach(dialog, 0, true);
    m_book = std::make_unique<Book>(dialog);
    int made = 0;
    for (auto& [page, label] : m_pages) {
        if (page->Create(m_book.get())) {
            m_book->Control()->AddPage(page->GetWx(), wxString(label));
            ++made;
        }
    }
    int result = -1;
    if (made > 0) {
        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(m_book->Control(), 1, wxEXPAND | wxALL, 8);
        auto* buttons = new wxStdDialogButtonSizer;
        buttons->AddButton(new wxButton(dialog, wxID_OK));
        buttons->Realize();
        all->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 8);
        dialog->SetSizerAndFit(all);
        dialog->SetEscapeId(wxID_CANCEL);
        if (parent != nullptr) {
            dialog->CentreOnParent();
        }
        result = dialog->ShowModal() == wxID_OK ? kIdOk : kIdCancel;
    }
    // The navigator lets its pages go before they do.
    m_book->Control()->DeleteAllPages();
    for (auto& entry : m_pages) {
        entry.first->DestroyWindow();
    }
    m_book.reset();
    DestroyWindow();
    return result;
}

void PropertySheet::EndDialog(int result) {
    if (auto* dialog = dynamic_cast<wxDialog*>(GetWx()); dialog != nullptr && dialog->IsModal()) {
        dialog->EndModal(result == kIdOk ? wxID_OK : wxID_CANCEL);
    }
}

int PropertySheet::GetPageCount() const { return m_book ? static_cast<int>(m_book->Control()->GetPageCount()) : 0; }

int PropertySheet::GetActivePage() const { return m_book ? m_book->Control()->GetSelection() : -1; }

bool PropertySheet::SetActivePage(int index) {
    if (!m_book || index < 0 || index >= GetPageCount()) {
        return false;
    }
    m_book->Control()->SetSelection(static_cast<std::size_t>(index));
    return true;
}

std::vector<std::wstring> PropertySheet::GetPageLabels() const {
    std::vector<std::wstring> labels;
    for (int i = 0; i < GetPageCount(); ++i) {
        labels.push_back(m_book->Control()->GetPageText(static_cast<std::size_t>(i)).ToStdWstring());
    }
    return labels;
}

}  // namespace ui
