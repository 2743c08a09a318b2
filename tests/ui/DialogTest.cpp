// Dialogs from template records: every mapped class becomes its control at the
// position the dialog font gives, grown rather than clipped, found by id, with the
// texts of the template; values move through the data exchange; OK and Cancel end
// a modal dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcclient.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/panel.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>
#include <wx/treectrl.h>

#include "DialogFixtures.h"
#include "EventPump.h"
#include "platform/ui/DataExchange.h"
#include "platform/ui/Frame.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/OwnerDrawButton.h"
#include "platform/ui/SpinArrows.h"

namespace {

using ui::ControlKind;

using uitest::Control;
using uitest::EveryClass;
using uitest::kGroup;
using uitest::kTabStop;

// The dialog units worked out here from the font: the average width of the 52
// Latin letters ((width / 26 + 1) / 2) and the line height.
ui::DialogUnits UnitsByHand(wxWindow* window, const wxFont& font) {
    wxCoord width = 0;
    wxCoord height = 0;
    window->GetTextExtent("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", &width, &height, nullptr, nullptr,
                          &font);
    return ui::DialogUnits{(width / 26 + 1) / 2, height};
}

// The control's box: each edge converted and rounded to the nearest pixel.
wxRect Expected(const ui::DialogUnits& units, int x, int y, int cx, int cy) {
    auto scale = [](int v, int base, int div) { return (v * base + div / 2) / div; };
    const int left = scale(x, units.baseX, 4);
    const int top = scale(y, units.baseY, 8);
    return wxRect(left, top, scale(x + cx, units.baseX, 4) - left, scale(y + cy, units.baseY, 8) - top);
}

int NaturalHeight(ControlKind kind, wxWindow* parent) {
    wxWindow* probe = kind == ControlKind::Edit       ? static_cast<wxWindow*>(new wxTextCtrl(parent, wxID_ANY))
                      : kind == ControlKind::DropList ? static_cast<wxWindow*>(new wxChoice(parent, wxID_ANY))
                                                      : static_cast<wxWindow*>(new wxComboBox(parent, wxID_ANY));
    const int height = probe->GetBestSize().y;
    probe->Destroy();
    return height;
}

bool IsContainer(ControlKind kind) { return kind == ControlKind::GroupBox || kind == ControlKind::Tab; }

class ModelessDialog : public ::testing::Test {
protected:
    void TearDown() override { m_dialog.reset(); }
    ui::Dialog& Make(DialogTemplateInfo info) {
        m_dialog = std::make_unique<ui::Dialog>(std::move(info));
        EXPECT_TRUE(m_dialog->Create(nullptr));
        return *m_dialog;
    }
    std::unique_ptr<ui::Dialog> m_dialog;
};

TEST_F(ModelessDialog, EveryClassBecomesItsControlFoundById) {
    ui::Dialog& dialog = Make(EveryClass());
    struct Case {
        unsigned id;
        ControlKind kind;
        bool matches;
    };
    const Case cases[] = {
        {1001, ControlKind::Static, dialog.GetItem<wxStaticText>(1001) != nullptr},
        {1002, ControlKind::Edit, dialog.GetItem<wxTextCtrl>(1002) != nullptr},
        {1003, ControlKind::CheckBox, dialog.GetItem<wxCheckBox>(1003) != nullptr},
        {1004, ControlKind::RadioButton, dialog.GetItem<wxRadioButton>(1004) != nullptr},
        {1006, ControlKind::GroupBox, dialog.GetItem<wxStaticBox>(1006) != nullptr},
        {1007, ControlKind::DropList, dialog.GetItem<wxChoice>(1007) != nullptr},
        {1008, ControlKind::ComboBox, dialog.GetItem<wxComboBox>(1008) != nullptr},
        {1009, ControlKind::ListView, dialog.GetItem<ui::ListView>(1009) != nullptr},
        {1010, ControlKind::TreeView, dialog.GetItem<wxTreeCtrl>(1010) != nullptr},
        {1011, ControlKind::Progress, dialog.GetItem<wxGauge>(1011) != nullptr},
        {1012, ControlKind::Trackbar, dialog.GetItem<wxSlider>(1012) != nullptr},
        {1014, ControlKind::Spin, dialog.GetItem<ui::SpinArrows>(1014) != nullptr},
        {1015, ControlKind::Tab, dialog.GetItem<wxNotebook>(1015) != nullptr},
        {1016, ControlKind::OwnerDraw, dialog.GetItem<ui::OwnerDrawButton>(1016) != nullptr},
        {1, ControlKind::PushButton, dialog.GetItem<wxButton>(1) != nullptr},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(dialog.GetItemKind(row.id), row.kind) << "control " << row.id;
        EXPECT_TRUE(row.matches) << "control " << row.id;
    }
    EXPECT_EQ(dialog.GetDlgItem(4242), nullptr);
    EXPECT_TRUE(dialog.GetItem<ui::ListView>(1009)->IsVirtual());
    EXPECT_EQ(static_cast<wxTopLevelWindow*>(dialog.GetWx())->GetDefaultItem(), dialog.GetDlgItem(1));
    EXPECT_TRUE(dialog.GetItem<wxRadioButton>(1004)->HasFlag(wxRB_GROUP));
    EXPECT_FALSE(dialog.GetItem<wxRadioButton>(1005)->HasFlag(wxRB_GROUP));
    EXPECT_EQ(dialog.GetWindowText(), L"全部控件");
    EXPECT_EQ(dialog.GetDlgItemText(1003), L"显示网格");
    EXPECT_EQ(dialog.GetDlgItemText(1002), L"初值");
}

TEST_F(ModelessDialog, ControlsSitWhereTheFontPutsThemWhenTheyFit) {
    // Only classes whose box may be any size: nothing grows.
    DialogTemplateInfo info;
    info.cx = 200;
    info.cy = 120;
    info.items = {Control(L"SysListView32", 1, 0x1, 7, 7, 90, 60), Control(L"SysTreeView32", 2, 0, 103, 7, 90, 60),
                  Control(L"STATIC", 3, 0, 7, 75, 186, 30, L"A")};
    ui::Dialog& dialog = Make(info);
    const ui::DialogUnits units = UnitsByHand(dialog.GetWx(), ui::MakeDialogFont(L"MS Sans Serif", 8));
    ASSERT_GT(units.baseX, 0);
    EXPECT_EQ(dialog.GetFontUnits().baseX, units.baseX);
    EXPECT_EQ(dialog.GetFontUnits().baseY, units.baseY);
    EXPECT_EQ(dialog.GetLayoutUnits().baseX, units.baseX);
    EXPECT_EQ(dialog.GetLayoutUnits().baseY, units.baseY);
    for (const auto& item : info.items) {
        EXPECT_EQ(dialog.GetDlgItem(item.id)->GetRect(), Expected(units, item.x, item.y, item.cx, item.cy))
            << "control " << item.id;
    }
    EXPECT_EQ(dialog.GetWx()->GetClientSize(), Expected(units, 0, 0, 200, 120).GetSize());
}

TEST_F(ModelessDialog, ControlsGrowInsteadOfClippingAndNeverOverlap) {
    DialogTemplateInfo info = EveryClass();
    // A caption far too long for its button, and a label that needs two lines.
    info.items.back().caption = L"取消并关闭这个窗口";
    info.items.front().caption = L"名称与说明文字以及更多的解释";
    ui::Dialog& dialog = Make(info);
    EXPECT_GT(dialog.GetItem<wxStaticText>(1001)->GetLabel().Freq('\n'), 0);
    const ui::DialogUnits& layout = dialog.GetLayoutUnits();
    EXPECT_GE(layout.baseX, dialog.GetFontUnits().baseX);
    EXPECT_GE(layout.baseY, dialog.GetFontUnits().baseY);
    const wxRect client(dialog.GetWx()->GetClientSize());

    std::vector<std::pair<unsigned, wxRect>> placed;
    for (const auto& item : info.items) {
        wxWindow* control = dialog.GetDlgItem(item.id);
        const ControlKind kind = *dialog.GetItemKind(item.id);
        const wxRect rect = control->GetRect();
        // Combo boxes show their edit line only; the spin sits inside its buddy's
        // right edge, which gives up that room.
        const int height = (kind == ControlKind::ComboBox || kind == ControlKind::DropList) ? 14 : item.cy;
        const wxRect box = item.id == 1013   ? wxRect(7, 158, 30, 14)
                           : item.id == 1014 ? wxRect(37, 158, 10, 14)
                                             : wxRect(item.x, item.y, item.cx, height);
        EXPECT_EQ(rect, Expected(layout, box.x, box.y, box.width, box.height)) << "control " << item.id;
        EXPECT_TRUE(client.Contains(rect)) << "control " << item.id << " outside the dialog";
        if (kind == ControlKind::PushButton || kind == ControlKind::CheckBox || kind == ControlKind::RadioButton) {
            const wxSize best = control->GetBestSize();
            EXPECT_GE(rect.width, best.x) << "control " << item.id << " clipped";
            EXPECT_GE(rect.height, best.y) << "control " << item.id << " clipped";
        } else if (kind == ControlKind::Static) {
            wxClientDC dc(control);
            dc.SetFont(control->GetFont());
            const wxSize text = dc.GetMultiLineTextExtent(control->GetLabel());
            EXPECT_GE(rect.height, text.y) << "control " << item.id << " clipped";
            EXPECT_GE(rect.width, text.x) << "control " << item.id << " clipped";
        } else if (kind == ControlKind::Edit || kind == ControlKind::DropList || kind == ControlKind::ComboBox) {
            // An edit's best size follows its current width; a fresh one of the
            // same font gives the natural height.
            EXPECT_GE(rect.height, NaturalHeight(kind, dialog.GetWx())) << "control " << item.id << " clipped";
        }
        if (!IsContainer(kind)) {
            placed.emplace_back(item.id, rect);
        }
    }
    for (std::size_t i = 0; i < placed.size(); ++i) {
        for (std::size_t j = i + 1; j < placed.size(); ++j) {
            EXPECT_FALSE(placed[i].second.Intersects(placed[j].second))
                << "controls " << placed[i].first << " and " << placed[j].first << " overlap";
        }
    }
}

TEST_F(ModelessDialog, StaticTextsWrapInsideTheirBoxAndKeepTheirText) {
    DialogTemplateInfo info;
    info.cx = 100;
    info.cy = 60;
    info.items = {Control(L"STATIC", 1, 0, 5, 5, 60, 40, L"短"),
                  Control(L"STATIC", 2, 0x80, 5, 48, 60, 8, L"A&B")};
    ui::Dialog& dialog = Make(info);
    auto* text = dialog.GetItem<wxStaticText>(1);
    struct Case {
        const char* name;
        std::wstring text;
        bool wraps;
    };
    for (const Case& row : {Case{"chinese", L"这是一段很长的中文说明文字需要换行显示", true},
                            Case{"latin", L"a long sentence of several words that must wrap", true},
                            Case{"short", L"短句", false}}) {
        dialog.SetDlgItemText(1, row.text);
        EXPECT_EQ(dialog.GetDlgItemText(1), row.text) << row.name;
        const wxString label = text->GetLabel();
        EXPECT_EQ(label.Freq('\n') > 0, row.wraps) << row.name;
        for (const wxString& line : wxSplit(label, '\n')) {
            EXPECT_LE(text->GetTextExtent(line).x, text->GetSize().x) << row.name;
        }
        wxString joined = label;
        joined.Replace("\n", "");
        joined.Replace(" ", "");
        wxString expected(row.text);
        expected.Replace(" ", "");
        EXPECT_EQ(joined, expected) << row.name << ": nothing lost but the blanks at line breaks";
    }
    // Without the prefix style an ampersand is shown as it is.
    EXPECT_EQ(dialog.GetItem<wxStaticText>(2)->GetLabelText().ToStdWstring(), L"A&B");
    EXPECT_EQ(dialog.GetDlgItemText(2), L"A&B");
}

TEST_F(ModelessDialog, PlaceholdersGiveWayToTheProgramsOwnControlsAndPictures) {
    ui::SetPictureProvider([](int resource) { return resource == 200 ? wxBitmap(16, 16) : wxNullBitmap; });
    DialogTemplateInfo info;
    info.cx = 100;
    info.cy = 60;
    info.items = {Control(L"STATIC", 1, 0x3, 5, 5, 20, 20), Control(L"STATIC", 2, 0x3, 30, 5, 20, 20),
                  Control(L"STATIC", 3, 0, 5, 30, 90, 12, L"slider here")};
    info.items[0].resource = 200;
    info.items[1].resource = 201;
    ui::Dialog& dialog = Make(info);
    ui::SetPictureProvider(nullptr);
    EXPECT_TRUE(dialog.GetItem<wxStaticBitmap>(1)->GetBitmap().IsOk());
    EXPECT_FALSE(dialog.GetItem<wxStaticBitmap>(2)->GetBitmap().IsOk());

    const wxRect box = dialog.GetDlgItem(3)->GetRect();
    auto* own = new wxPanel(dialog.GetWx());
    ASSERT_TRUE(dialog.ReplaceDlgItem(3, own));
    EXPECT_EQ(dialog.GetDlgItem(3), own);
    EXPECT_EQ(own->GetRect(), box);
    EXPECT_EQ(dialog.GetItemKind(3), ControlKind::Custom);
    EXPECT_FALSE(dialog.ReplaceDlgItem(99, new wxPanel(dialog.GetWx())));
}

TEST(ChildDialog, ChildTemplateBecomesAPageInsideItsParent) {
    ui::Frame frame;
    ASSERT_TRUE(frame.Create(L"parent"));
    DialogTemplateInfo info;
    info.style = ui::kStyleChild | ui::kStyleVisible;
    info.x = 10;
    info.y = 8;
    info.cx = 100;
    info.cy = 40;
    info.items = {Control(L"SysListView32", 5, 0x1, 4, 4, 92, 32)};
    const std::size_t framesOwn = frame.GetWx()->GetChildren().size();  // its body
    {
        ui::Dialog page(info);
        ASSERT_TRUE(page.Create(&frame));
        EXPECT_EQ(page.GetWx()->GetParent(), frame.GetWx());
        EXPECT_FALSE(page.GetWx()->IsTopLevel());
        const ui::DialogUnits& units = page.GetLayoutUnits();
        EXPECT_EQ(page.GetWx()->GetRect(), Expected(units, 10, 8, 100, 40));
        EXPECT_TRUE(page.IsWindowVisible());
    }
    EXPECT_EQ(frame.GetWx()->GetChildren().size(), framesOwn) << "the page goes with its object";
    frame.DestroyWindow();
}

TEST_F(ModelessDialog, ControlNotificationsReachTheDialog) {
    ui::Dialog& dialog = Make(EveryClass());
    std::vector<std::string> seen;
    dialog.OnCommand(1003, [&] { seen.push_back("check clicked"); });
    dialog.OnControlNotify(1002, static_cast<int>(ui::kNotifyEditChange), [&] { seen.push_back("edit changed"); });
    dialog.OnMessage(ui::kMsgVScroll, [&](ui::WParam position, ui::LParam id) {
        seen.push_back("spin " + std::to_string(id) + " at " + std::to_string(position));
        return 0;
    });
    wxCommandEvent click(wxEVT_CHECKBOX, dialog.GetDlgItem(1003)->GetId());
    click.SetEventObject(dialog.GetDlgItem(1003));
    dialog.GetDlgItem(1003)->GetEventHandler()->ProcessEvent(click);
    dialog.SetDlgItemText(1002, L"新值");
    auto* spin = dialog.GetItem<ui::SpinArrows>(1014);
    spin->SetValue(6);
    spin->Step(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"check clicked", "edit changed", "spin 1014 at 7"}));
    EXPECT_EQ(dialog.GetDlgItemText(1013), L"7") << "the buddy edit shows the spin's position";
}

TEST_F(ModelessDialog, SpinKeepsWritingToItsBuddyAfterTheBuddyWasReplaced) {
    ui::Dialog& dialog = Make(EveryClass());
    // The program puts an edit of its own in place of the spin's buddy.
    auto* own = new wxTextCtrl(dialog.GetWx(), wxID_ANY, L"5");
    ASSERT_TRUE(dialog.ReplaceDlgItem(1013, own));
    auto* spin = dialog.GetItem<ui::SpinArrows>(1014);
    spin->SetValue(6);
    spin->Step(1);
    EXPECT_EQ(own->GetValue().ToStdWstring(), L"7") << "the position goes to the control now in the buddy's place";

    // A buddy replaced by something that holds no text is left alone.
    ASSERT_TRUE(dialog.ReplaceDlgItem(1013, new wxPanel(dialog.GetWx())));
    spin->Step(1);
    EXPECT_EQ(spin->GetValue(), 8);
}

TEST_F(ModelessDialog, OwnerDrawButtonLetsGoOfAPressWhoseMouseWasTaken) {
    ui::Dialog& dialog = Make(EveryClass());
    dialog.GetWx()->Show();
    auto* button = dialog.GetItem<ui::OwnerDrawButton>(1016);
    int clicks = 0;
    dialog.OnCommand(1016, [&] { ++clicks; });
    auto mouse = [&](wxEventType type) {
        wxMouseEvent event(type);
        event.SetEventObject(button);
        event.SetPosition(wxPoint(button->GetSize().x / 2, button->GetSize().y / 2));
        button->GetEventHandler()->ProcessEvent(event);
    };

    mouse(wxEVT_LEFT_DOWN);
    mouse(wxEVT_LEFT_UP);
    EXPECT_EQ(clicks, 1) << "a press and a release on the button click it";

    mouse(wxEVT_LEFT_DOWN);
    ASSERT_EQ(wxWindow::GetCapture(), button);
    // What the toolkit does when another window breaks the grab; a button that
    // ignores the loss fails the test through the toolkit's assertion.
    button->GTKReleaseMouseAndNotify();
    EXPECT_EQ(wxWindow::GetCapture(), nullptr);
    mouse(wxEVT_LEFT_UP);
    EXPECT_EQ(clicks, 1) << "a press whose mouse was taken away is no click";
}

// A dialog with members exchanged with its controls.
class SettingsDialog : public ui::Dialog {
public:
    explicit SettingsDialog(DialogTemplateInfo info) : Dialog(std::move(info)) {}
    void DoDataExchange(ui::DataExchange& dx) override {
        dx.Text(1002, name);
        dx.Check(1003, grid);
        dx.Radio(1004, phase);
        dx.Int(1013, count);
        dx.Position(1012, level);
        dx.Selection(1007, kind);
    }
    std::function<void()> onInit;
    bool OnInitDialog() override {
        Dialog::OnInitDialog();
        if (onInit) {
            onInit();
        }
        return true;
    }
    std::wstring name = L"电压";
    int grid = 1;
    int phase = 1;
    int count = 12;
    int level = 30;
    int kind = 2;
};

TEST(DataExchange, MembersFillTheControlsAndComeBack) {
    SettingsDialog dialog(EveryClass());
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(dialog.GetDlgItemText(1002), L"电压");
    EXPECT_EQ(dialog.IsDlgButtonChecked(1003), 1);
    EXPECT_EQ(dialog.IsDlgButtonChecked(1005), 1);
    EXPECT_EQ(dialog.GetDlgItemInt(1013), 12);
    auto* kinds = dialog.GetItem<wxChoice>(1007);
    EXPECT_EQ(kinds->GetSelection(), wxNOT_FOUND) << "the list was empty when the values came";
    kinds->Append(std::vector<wxString>{L"最大值", L"最小值", L"平均值"});
    ASSERT_TRUE(dialog.UpdateData(false));
    EXPECT_EQ(kinds->GetStringSelection().ToStdWstring(), L"平均值");

    dialog.SetDlgItemText(1002, L"电流");
    dialog.CheckDlgButton(1003, 0);
    dialog.CheckRadioButton(1004, 1005, 1004);
    dialog.SetDlgItemText(1013, L" 40 ");
    dialog.GetItem<wxSlider>(1012)->SetValue(75);
    kinds->SetSelection(0);
    ASSERT_TRUE(dialog.UpdateData(true));
    EXPECT_EQ(dialog.kind, 0);
    EXPECT_EQ(dialog.name, L"电流");
    EXPECT_EQ(dialog.grid, 0);
    EXPECT_EQ(dialog.phase, 0);
    EXPECT_EQ(dialog.count, 40);
    EXPECT_EQ(dialog.level, 75);

    dialog.SetDlgItemText(1013, L"4x");
    EXPECT_FALSE(dialog.UpdateData(true)) << "no integer";
    EXPECT_EQ(dialog.count, 40);
}

TEST(ModalDialog, OkAndCancelEndItWithTheirIds) {
    struct Case {
        const char* name;
        unsigned command;
        int result;
        std::wstring name_after;
    };
    for (const Case& row : {Case{"ok", ui::kIdOk, ui::kIdOk, L"改过"}, Case{"cancel", ui::kIdCancel, ui::kIdCancel, L"电压"}}) {
        SettingsDialog dialog(EveryClass());
        dialog.onInit = [&] {
            dialog.SetDlgItemText(1002, L"改过");
            // The click comes later, from the running dialog's loop.
            ui::PostMessage(&dialog, ui::kMsgCommand, ui::MakeWParam(row.command, ui::kNotifyClicked), 0);
        };
        EXPECT_EQ(dialog.DoModal(), row.result) << row.name;
        EXPECT_EQ(dialog.name, row.name_after) << row.name;
        EXPECT_FALSE(dialog.IsWindow()) << row.name;
    }
}

TEST(ModalDialog, ClosingIsCancellingAndAMissingTemplateFails) {
    SettingsDialog dialog(EveryClass());
    dialog.onInit = [&] {
        ui::PostToUiThread([&] { dialog.GetWx()->Close(); });
    };
    EXPECT_EQ(dialog.DoModal(), ui::kIdCancel);

    ui::Dialog missing(nullptr);
    EXPECT_EQ(missing.DoModal(), -1);
}

}  // namespace

namespace {

// The responder answers in place of the user once the dialog is initialised: what
// it does is what the dialog returns; a dialog it leaves open is cancelled; one it
// declines runs as usual.
TEST(ModalDialog, TheResponderAnswersInPlaceOfTheUser) {
    struct Case {
        const char* name;
        std::function<bool(ui::Dialog&)> respond;
        int result;
        std::wstring nameAfter;
    };
    const Case cases[] = {
        {"ok after an edit",
         [](ui::Dialog& dialog) {
             dialog.SetDlgItemText(1002, L"改过");
             dialog.OnOK();
             return true;
         },
         ui::kIdOk, L"改过"},
        {"cancel", [](ui::Dialog& dialog) { dialog.OnCancel(); return true; }, ui::kIdCancel, L"电压"},
        {"left open", [](ui::Dialog&) { return true; }, ui::kIdCancel, L"电压"},
        {"declined: the dialog runs",
         [](ui::Dialog& dialog) {
             ui::PostMessage(&dialog, ui::kMsgCommand, ui::MakeWParam(ui::kIdOk, ui::kNotifyClicked), 0);
             return false;
         },
         ui::kIdOk, L"电压"},
    };
    for (const Case& row : cases) {
        int seen = 0;
        ui::SetDialogResponder([&](ui::Dialog& dialog) {
            ++seen;
            EXPECT_TRUE(ui::IsUiThread()) << row.name;
            EXPECT_EQ(dialog.GetDlgItemText(1002), L"电压") << row.name << ": initialised first";
            return row.respond(dialog);
        });
        SettingsDialog dialog(EveryClass());
        EXPECT_EQ(dialog.DoModal(), row.result) << row.name;
        EXPECT_EQ(dialog.name, row.nameAfter) << row.name;
        EXPECT_EQ(seen, 1) << row.name;
        EXPECT_FALSE(dialog.IsWindow()) << row.name;
    }
    ui::SetDialogResponder(nullptr);
}

}  // namespace
