#pragma once
// Moves values between a dialog's members and its controls by control id, in the
// direction the dialog asked for (UpdateData). Saving stops at the first value a
// control refuses (text that is no integer); that control gets the focus.

#include <string>

namespace ui {

class Dialog;

class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}

    bool IsSaving() const { return m_saving; }
    bool Failed() const { return m_failed; }

    void Text(unsigned id, std::wstring& value);
    void Int(unsigned id, int& value);
    // 0, 1 or 2 (indeterminate).
    void Check(unsigned id, int& value);
    // A radio group given by its first button: the index of the checked button in
    // the group (-1: none).
    void Radio(unsigned firstId, int& index);
    // The selected entry of a combo box, drop-down list or list view row (-1: none).
    void Selection(unsigned id, int& index);
    // The position of a trackbar, spin or progress bar.
    void Position(unsigned id, int& value);

private:
    void Fail(unsigned id);

    Dialog& m_dialog;
    bool m_saving;
    bool m_failed = false;
};

}  // namespace ui
