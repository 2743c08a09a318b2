// The date and time control of dialog templates: what it reads back from typed
// text, stepping the field under the caret with wrap-around and month lengths, and
// its change notices.
#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/textctrl.h>

#include "platform/ui/DateTimePicker.h"

namespace {

class DateTimePickerTest : public testing::Test {
protected:
    void SetUp() override { m_frame = new wxFrame(nullptr, wxID_ANY, "picker"); }
    void TearDown() override { m_frame->Destroy(); }
    wxFrame* m_frame = nullptr;
};

TEST_F(DateTimePickerTest, ReadsOnlyRealDatesAndTimes)
{
    ui::DateTimePicker date(m_frame, wxRect(0, 0, 120, 24), ui::DateTimePicker::Mode::Date);
    ui::DateTimePicker time(m_frame, wxRect(0, 30, 120, 24), ui::DateTimePicker::Mode::Time);
    struct Case {
        ui::DateTimePicker* picker;
        const char* typed;
        std::optional<ui::DateTimeFields> read;
    };
    const Case cases[] = {
        {&date, "2024-02-29", ui::DateTimeFields{2024, 2, 29, 0, 0, 0}},
        {&date, "2023-02-29", std::nullopt},
        {&date, "2024-13-01", std::nullopt},
        {&date, "2024-1-5", ui::DateTimeFields{2024, 1, 5, 0, 0, 0}},
        {&date, "2024/01/05", std::nullopt},
        {&date, "", std::nullopt},
        {&time, "23:59:59", ui::DateTimeFields{1970, 1, 1, 23, 59, 59}},
        {&time, "24:00:00", std::nullopt},
        {&time, "12:00:00x", std::nullopt},
    };
    for (const Case& c : cases) {
        c.picker->GetTextCtrl()->ChangeValue(c.typed);
        EXPECT_EQ(c.picker->GetFields(), c.read) << c.typed;
    }
}

TEST_F(DateTimePickerTest, StepsTheFieldUnderTheCaret)
{
    ui::DateTimePicker date(m_frame, wxRect(0, 0, 120, 24), ui::DateTimePicker::Mode::Date);
    int changes = 0;
    date.GetTextCtrl()->Bind(wxEVT_TEXT, [&](wxCommandEvent&) { ++changes; });
    struct Case {
        const char* from;
        long caret;
        int direction;
        const char* to;
    };
    const Case cases[] = {
        {"2024-01-31", 6, 1, "2024-02-29"},   // the month, the day kept within it
        {"2024-12-15", 5, 1, "2024-01-15"},   // months wrap, the year stays
        {"2024-03-01", 9, -1, "2024-03-31"},  // days wrap within their month
        {"2024-03-01", 0, -1, "2023-03-01"},  // the year
    };
    for (const Case& c : cases) {
        date.GetTextCtrl()->ChangeValue(c.from);
        date.GetTextCtrl()->SetInsertionPoint(c.caret);
        date.StepField(c.direction);
        EXPECT_EQ(date.GetTextCtrl()->GetValue(), c.to) << c.from << " at " << c.caret;
    }
    EXPECT_EQ(changes, 4) << "each step tells the dialog";
    date.GetTextCtrl()->ChangeValue("not a date");
    date.StepField(1);
    EXPECT_EQ(date.GetTextCtrl()->GetValue(), "not a date") << "nothing to step";
}

}  // namespace
