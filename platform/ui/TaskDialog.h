#pragma once
// A task dialog: a window title, a main instruction in large type beside an icon,
// a content text that may hold links written <A HREF="target">text</A>, and the
// common buttons. A click on a link calls OnHyperlinkClicked with its target
// (links only while hyperlinks are enabled; otherwise the markup shows as text).
// With cancellation enabled Escape and the close box end it with kIdCancel.

#include <string>
#include <vector>

#include "platform/ui/Window.h"

namespace ui {

class TaskDialog : public Window {
public:
    // Common buttons.
    static constexpr unsigned kButtonOk = 0x1;
    static constexpr unsigned kButtonCancel = 0x8;
    enum class Icon { None, Information, Warning, Error, Shield };

    TaskDialog() = default;
    ~TaskDialog() override;

    void SetWindowTitle(const std::wstring& title) { m_title = title; }
    void SetMainInstruction(const std::wstring& text) { m_instruction = text; }
    void SetContent(const std::wstring& text) { m_content = text; }
    void SetCommonButtons(unsigned buttons) { m_buttons = buttons; }
    void SetMainIcon(Icon icon) { m_icon = icon; }
    void EnableHyperlinks(bool enable) { m_hyperlinks = enable; }
    void EnableCancellation(bool enable) { m_cancellation = enable; }

    // Shows the dialog over the parent; kIdOk or kIdCancel, -1 when it could not be made.
    int DoModal(Window* parent);
    // Ends the open dialog with the result.
    void EndDialog(int result);

    // While open: the links shown, in order, and a click on one of them.
    std::vector<std::wstring> GetLinkTexts() const;
    bool ClickLink(std::size_t index);
    // kIdOk and kIdCancel for the buttons shown.
    std::vector<int> GetButtons() const;

    struct Run {
        bool link;
        std::wstring text;
        std::wstring target;
    };
    // The content split into plain text and links.
    static std::vector<Run> SplitLinks(const std::wstring& content);

protected:
    virtual void OnHyperlinkClicked(const std::wstring& target);

private:
    std::wstring m_title;
    std::wstring m_instruction;
    std::wstring m_content;
    unsigned m_buttons = kButtonOk;
    Icon m_icon = Icon::None;
    bool m_hyperlinks = false;
    bool m_cancellation = false;
    std::vector<std::wstring> m_linkTargets;
    std::vector<wxWindow*> m_links;
};

}  // namespace ui
