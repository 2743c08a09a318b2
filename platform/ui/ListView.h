#pragma once
// The list view of dialogs: a wx list control that, in owner-data mode, asks a text
// provider for each visible cell instead of storing rows.

#include <functional>
#include <string>

#include <wx/listctrl.h>

namespace ui {

class ListView : public wxListCtrl {
public:
    using TextProvider = std::function<std::wstring(long row, long column)>;

    ListView(wxWindow* parent, const wxRect& rect, long style);

    void SetTextProvider(TextProvider provider) { m_provider = std::move(provider); }
    // Owner data: the number of rows; the texts come from the provider.
    void SetRowCount(long count);

protected:
    wxString OnGetItemText(long row, long column) const override;

private:
    TextProvider m_provider;
};

}  // namespace ui
