// The marks dialog on its own: what it lists, how it sorts, comments and the choice.
#include <gtest/gtest.h>

#include <wx/listctrl.h>

#include "lib/viewer/data/MarkManager.h"
#include "lib/viewer/panes/MarkList.h"
#include "lib/viewer/window/MarksDlg.h"
#include "platform/ui/MessageQueue.h"

namespace {

using tracelume::CMarkList;
using tracelume::CMarksDlg;

class MarksDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        CMarkList::SortColumn() = CMarkList::kName;
        CMarkList::SortAscending() = true;
        for (const auto& [name, position] : {std::pair{L"M2", L"10000"}, std::pair{L"M1", L"900"}}) {
            const int index = m_marks.AddMark(name);
            m_marks.SetMarkAttribute(index, L"group", L"0");
            m_marks.SetMarkAttribute(index, L"position", position);
            m_marks.SetMarkAttribute(index, L"comment", L"");
        }
    }
    // Runs the dialog; the check sees it open, then ends it.
    int Run(const std::function<void(CMarksDlg&, wxListCtrl&)>& check) {
        CMarksDlg dialog(m_marks, 1000);
        ui::PostToUiThread([&] {
            auto* list = dialog.GetItem<wxListCtrl>(CMarksDlg::kList);
            EXPECT_NE(list, nullptr);
            if (list != nullptr) {
                check(dialog, *list);
            }
            if (dialog.IsWindowVisible()) {
                dialog.EndDialog(ui::kIdCancel);
            }
        });
        dialog.DoModal();
        return dialog.GetChosen();
    }
    static void Select(wxListCtrl& list, long row) {
        list.SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                          wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
    }
    static void ClickHeader(wxListCtrl& list, int column) {
        wxListEvent event(wxEVT_LIST_COL_CLICK, list.GetId());
        event.SetEventObject(&list);
        event.m_col = column;
        list.ProcessWindowEvent(event);
    }

    CMarkManager m_marks;
};

TEST_F(MarksDlgTest, ListsSortsAndChoosesAMark) {
    const int chosen = Run([](CMarksDlg& dialog, wxListCtrl& list) {
        ASSERT_EQ(list.GetItemCount(), 2);
        ASSERT_EQ(list.GetColumnCount(), 4);
        EXPECT_EQ(list.GetItemText(0), "M1");
        EXPECT_EQ(list.GetItemText(0, CMarkList::kPosition), "900.000ms");
        // The selected mark stays selected across sorting by position, both ways.
        Select(list, 0);
        ClickHeader(list, CMarkList::kPosition);
        ClickHeader(list, CMarkList::kPosition);
        EXPECT_EQ(list.GetItemText(0), "M2");
        EXPECT_EQ(list.GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED), 1);
        dialog.OnOK();
    });
    EXPECT_EQ(chosen, 1);  // M1, the store's second mark
    EXPECT_EQ(CMarkList::SortColumn(), CMarkList::kPosition);
    EXPECT_FALSE(CMarkList::SortAscending());
}

TEST_F(MarksDlgTest, CommentsAreStoredAndCancelChoosesNothing) {
    const int chosen = Run([](CMarksDlg& dialog, wxListCtrl& list) {
        Select(list, 1);
        dialog.SetDlgItemText(CMarksDlg::kComment, L"sag starts");
        dialog.WindowProc(ui::kMsgCommand, ui::MakeWParam(CMarksDlg::kApply, ui::kNotifyClicked), 0);
        EXPECT_EQ(list.GetItemText(1, CMarkList::kComment), "sag starts");
    });
    EXPECT_EQ(chosen, -1);
    std::wstring comment;
    m_marks.GetMarkAttribute(0, L"comment", &comment);
    EXPECT_EQ(comment, L"sag starts");
}

}  // namespace
