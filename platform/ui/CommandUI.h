#pragma once
// What an update handler is given: the command id of a menu item (or ribbon item)
// about to be shown, and the means to enable and check it.

namespace ui {

class CommandUI {
public:
    explicit CommandUI(unsigned id) : m_id(id) {}
    unsigned GetId() const { return m_id; }
    void Enable(bool enable = true) { m_enabled = enable; m_handled = true; }
    // 0 unchecked, 1 checked (2, indeterminate, shows as checked).
    void SetCheck(int check = 1) { m_checked = check != 0; m_handled = true; }
    bool IsEnabled() const { return m_enabled; }
    bool IsChecked() const { return m_checked; }
    // True once a handler said something about the item.
    bool IsHandled() const { return m_handled; }

private:
    unsigned m_id;
    bool m_enabled = true;
    bool m_checked = false;
    bool m_handled = false;
};

}  // namespace ui
