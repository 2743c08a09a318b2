#pragma once
// CSelectBoardDlg: the modal dialog (template 213) in which the user picks one board
// of a terminal that keeps each measuring board's data in a sub-folder of its own.
// One radio button per board, in ascending board order inside the frame control,
// the first one chosen; OK takes the first chosen button's board.

#include <map>
#include <set>

#include "platform/ui/Dialog.h"

class wxRadioButton;

class CSelectBoardDlg : public ui::Dialog {
public:
    CSelectBoardDlg();

    void SetBoards(const std::set<int>& boards);
    // The board chosen by OK; 0 before.
    int GetSelBoard() const { return m_SelBoard; }

    bool OnInitDialog() override;
    void OnOK() override;

    static constexpr unsigned kTemplateId = 213;
    static constexpr unsigned kFrameId = 32934;
    // The buttons' ids follow on from here, one per board in board order: a board's
    // own number would make boards 1 and 2 the OK and Cancel buttons.
    static constexpr unsigned kFirstBoardButton = 0x6000;
    static constexpr int kButtonWidth = 120;

private:
    // Board number to its button, made in OnInitDialog and owned by the dialog's window.
    std::map<int, wxRadioButton*> m_Boards;
    int m_SelBoard = 0;
};
