#pragma once
// A property sheet whose pages are chosen in a list beside them (the list
// navigator). Each page is a dialog made from a child template when the sheet
// opens and destroyed when it closes. One OK button ends the sheet.

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Window.h"

namespace ui {

class Dialog;

class PropertySheet : public Window {
public:
    explicit PropertySheet(std::wstring title);
    ~PropertySheet() override;

    // The page (not owned) with its label in the navigator, in order.
    void AddPage(Dialog* page, const std::wstring& label);
    // kIdOk or kIdCancel; -1 when no page could be made.
    int DoModal(Window* parent);
    void EndDialog(int result);

    // While open.
    int GetPageCount() const;
    int GetActivePage() const;
    bool SetActivePage(int index);
    std::vector<std::wstring> GetPageLabels() const;

private:
    class Book;
    std::wstring m_title;
    std::vector<std::pair<Dialog*, std::wstring>> m_pages;
    std::unique_ptr<Book> m_book;
};

}  // namespace ui
