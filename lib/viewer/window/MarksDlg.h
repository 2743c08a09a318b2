#pragma once
// CMarksDlg: the list of marks (name, group, position as a time, comment) to choose
// one from and to edit comments in. A header click sorts by that column (again:
// the other way); a double click or OK chooses the selected mark.

#include <string>

#include "lib/viewer/panes/MarkList.h"
#include "platform/ui/Dialog.h"

class IMarkManager;

namespace tracelume {

class CMarksDlg final : public ui::Dialog {
public:
    static constexpr unsigned kList = 4003;
    static constexpr unsigned kComment = 4004;
    static constexpr unsigned kApply = 4005;

    CMarksDlg(IMarkManager& marks, double rate);

    // The index of the mark chosen, -1 when none was.
    int GetChosen() const { return m_chosen; }

    bool OnInitDialog() override;
    void OnOK() override;

private:
    static DialogTemplateInfo Template();
    void Fill(int selectIndex);
    int SelectedRow() const;
    void Choose(bool needSelection);

    IMarkManager& m_marks;
    double m_rate;
    CMarkList m_list;
    int m_chosen = -1;
};

}  // namespace tracelume
