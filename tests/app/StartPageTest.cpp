// The start page: its buttons where they belong with their captions and looks, the
// version from the settings, clicks that reach the main window, the home page, and
// the drawing of each button style.
#include <optional>
#include <string>

#include <wx/window.h>

#include "AppTestSupport.h"
#include "app/ChildView.h"
#include "app/CommandIds.h"
#include "app/FirstButton.h"
#include "app/FirstDlg.h"
#include "app/MainFrame.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/Font.h"
#include "tests/gfx/PixelAssert.h"

namespace apptest {
namespace {

CFirstDlg& Page() { return *Frame().GetStatisticClient()->GetFirstDlg(); }

void ClickOn(unsigned id) {
    wxWindow* button = Page().GetDlgItem(id);
    ASSERT_NE(button, nullptr) << id;
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

using StartPageTest = AppTest;

TEST_F(StartPageTest, ButtonsSitWhereTheyBelongInTheMiddleOfTheClient) {
    struct Case {
        unsigned id;
        int x, y, width, height;
    };
    const Case cases[] = {
        {9512, 30, 127, 100, 18}, {9506, 28, 147, 98, 40},  {9507, 136, 147, 98, 40},  {9518, 30, 224, 105, 18},
        {9515, 28, 244, 98, 40},  {9517, 136, 244, 98, 40}, {9511, 265, 127, 100, 18}, {9510, 265, 153, 380, 99},
        {9508, 303, 266, 92, 18}, {9514, 434, 266, 90, 18}, {9513, 229, 305, 411, 20},
    };
    for (const Case& row : cases) {
        ASSERT_NE(Page().GetDlgItem(row.id), nullptr) << row.id;
        EXPECT_EQ(Page().GetDlgItem(row.id)->GetRect(), wxRect(row.x, row.y, row.width, row.height)) << row.id;
    }
    Drain();
    const wxSize client = Frame().GetStatisticClient()->GetClientSize();
    const wxRect page = Page().GetWindowRect();
    EXPECT_EQ(page.GetSize(), wxSize(657, 362));
    EXPECT_EQ(page.x, (client.x - page.width) / 2);
    EXPECT_EQ(page.y, (client.y - page.height) / 2);
}

TEST_F(StartPageTest, CaptionsAndStylesFollowTheTableAndTheVersionTheSettings) {
    struct Caption {
        unsigned id;
        std::wstring caption;
        int style;
    };
    const Caption captions[] = {
        {9506, L"从本地打开", 0}, {9507, L"从设备获取", 0}, {9515, L"从本地打开", 0},
        {9517, L"从设备获取", 0}, {9508, L"帮助文档", 1},   {9514, L"主页", 1},
        {9512, L"统计分析", 2},   {9518, L"录波分析", 2},   {9511, L"软件说明", 2},
    };
    for (const Caption& row : captions) {
        ASSERT_NE(Page().GetButton(row.id), nullptr) << row.id;
        EXPECT_EQ(Page().GetButton(row.id)->GetCaption(), row.caption) << row.id;
        EXPECT_EQ(Page().GetButton(row.id)->GetStyle(), row.style) << row.id;
    }
    EXPECT_EQ(Page().GetButton(9510)->GetStyle(), 3);
    EXPECT_EQ(Page().GetButton(9510)->GetCaption(), CZVResourceManager::GetResourceManager()->LoadString(10064));

    struct Case {
        std::optional<std::string> settings;
        std::wstring version;
    };
    const Case cases[] = {
        {"[Ondrava]\r\nVersion=2.1.0\r\n", L"版本: V2.1.0"},
        {"[Ondrava]\r\nName=x\r\n", L"版本: V1.0.X"},
        {std::nullopt, L"版本: V1.0.X"},
    };
    for (const Case& row : cases) {
        WriteProgramFile("Ondrava.ini", row.settings);
        Restart();
        EXPECT_EQ(Page().GetButton(CFirstDlg::kVersion)->GetCaption(), row.version);
        EXPECT_EQ(Page().GetButton(CFirstDlg::kVersion)->GetStyle(), 4);
    }
}

TEST_F(StartPageTest, CommandButtonsSendTheirCommandsToTheMainWindow) {
    struct Case {
        unsigned button;
        unsigned command;
    };
    const Case cases[] = {
        {9506, kCmdOpenLocal}, {9507, kCmdOpenDevice}, {9515, kCmdOpenWaveLocal}, {9517, kCmdOpenWaveDevice}};
    for (const Case& row : cases) {
        unsigned received = 0;
        Frame().OnCommand(row.command, [&received, &row] { received = row.command; });
        ClickOn(row.button);
        EXPECT_EQ(received, row.command) << row.button;
    }
    // The help link runs the help command (here the manual is missing, which is said).
    WriteProgramFile("Language/Chinese/UserManual.chm", std::nullopt);
    Boxes().Clear();
    ClickOn(CFirstDlg::kHelp);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text.rfind(L"找不到帮助文档：", 0), 0u);
    // Headings and the paragraph do nothing.
    Boxes().Clear();
    for (const unsigned id : {9512u, 9518u, 9511u, 9510u, 9513u}) {
        ClickOn(id);
    }
    EXPECT_TRUE(Boxes().shown.empty());
}

TEST_F(StartPageTest, TheHomePageIsOpenedOnlyWhenItIsAWebAddress) {
    WriteProgramFile("Ondrava.ini", std::string("[Ondrava]\r\nHomepage=file:///etc/passwd\r\n"));
    Boxes().Clear();
    ClickOn(CFirstDlg::kHomePage);
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"主页地址无效，只能打开以 http 或 https 开头的网址：\nfile:///etc/passwd");
    EXPECT_TRUE(CDocumentLauncher::IsWebAddress(CFirstDlg::kDefaultHomePage));
}

// A button drawn on its own.
gfx::Bitmap Drawn(int style, const std::wstring& caption, bool hover, bool down, int width = 98, int height = 40) {
    gfx::Bitmap bitmap(width, height);
    gfx::Context context(bitmap);
    CFirstButton::DrawItem(context, gfx::Rect::FromSize(0, 0, width, height), style, caption, CFirstButton::kCentre,
                           CFirstButton::kCentre, hover, down);
    return bitmap;
}

// Pixels of the whole bitmap in the colour.
int CountColour(const gfx::Bitmap& bitmap, gfx::Color colour) {
    return bitmap.Width() * bitmap.Height() -
           gfxtest::CountOtherThan(bitmap, 0, 0, bitmap.Width(), bitmap.Height(), colour);
}

TEST_F(StartPageTest, EachStyleDrawsItsFaceAndTextColours) {
    struct Case {
        const char* name;
        int style;
        bool hover;
        bool down;
        gfx::Color top;     // the face near the top, in the middle
        gfx::Color bottom;  // the face near the bottom
        gfx::Color text;
    };
    const gfx::Color page{232, 242, 247};
    const Case cases[] = {
        {"push button", 0, false, false, {218, 241, 252}, {108, 199, 242}, {44, 94, 118}},
        {"hovered push button", 0, true, false, {237, 249, 254}, {143, 221, 243}, {62, 117, 172}},
        {"pressed push button", 0, false, true, {75, 186, 239}, {195, 232, 250}, {40, 75, 111}},
        {"link", 1, false, false, page, page, {44, 94, 118}},
        {"hovered link", 1, true, false, page, page, {53, 151, 204}},
        {"heading", 2, false, false, page, page, {44, 94, 118}},
        {"paragraph", 3, false, false, page, page, {44, 94, 118}},
        {"version", 4, true, true, page, page, {44, 94, 118}},
    };
    for (const Case& row : cases) {
        const gfx::Bitmap bitmap = Drawn(row.style, L"从本地打开", row.hover, row.down);
        EXPECT_TRUE(gfxtest::PixelNear(bitmap, 3, 2, row.top, 8)) << row.name;
        EXPECT_TRUE(gfxtest::PixelNear(bitmap, 3, 37, row.bottom, 8)) << row.name;
        EXPECT_GT(CountColour(bitmap, row.text), 0) << row.name << ": no pixel in the text colour";
    }
    // Pressed wins over hovered; other styles draw nothing.
    const gfx::Bitmap pressed = Drawn(0, L"从设备获取", false, true);
    const gfx::Bitmap hoveredAndPressed = Drawn(0, L"从设备获取", true, true);
    for (int y = 0; y < pressed.Height(); ++y) {
        for (int x = 0; x < pressed.Width(); ++x) {
            ASSERT_TRUE(gfxtest::PixelNear(hoveredAndPressed, x, y, pressed.PixelAt(x, y), 0));
        }
    }
    EXPECT_EQ(CountColour(Drawn(5, L"x", false, false), gfx::Color{0, 0, 0, 0}), 98 * 40);
    // The push button's border takes the top and bottom rows.
    const gfx::Bitmap plain = Drawn(0, L"", false, false);
    EXPECT_EQ(plain.PixelAt(49, 0), (gfx::Color{53, 137, 181}));
    EXPECT_EQ(plain.PixelAt(49, 39), (gfx::Color{53, 137, 181}));
}

TEST_F(StartPageTest, ThePressShowsOnlyOnPushButtonsAndLinks) {
    for (const unsigned id : {9506u, 9514u, 9512u, 9510u, 9513u}) {
        wxWindow* button = Page().GetDlgItem(id);
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetEventObject(button);
        button->ProcessWindowEvent(down);
        const bool pressable = id == 9506 || id == 9514;
        EXPECT_EQ(Page().GetButton(id)->IsDown(), pressable ? 1 : 0) << id;
        wxMouseEvent up(wxEVT_LEFT_UP);
        up.SetEventObject(button);
        button->ProcessWindowEvent(up);
        EXPECT_EQ(Page().GetButton(id)->IsDown(), 0) << id;
        wxMouseEvent enter(wxEVT_ENTER_WINDOW);
        enter.SetEventObject(button);
        button->ProcessWindowEvent(enter);
        EXPECT_EQ(Page().GetButton(id)->IsHover(), 1) << id;
        wxMouseEvent leave(wxEVT_LEAVE_WINDOW);
        leave.SetEventObject(button);
        button->ProcessWindowEvent(leave);
        EXPECT_EQ(Page().GetButton(id)->IsHover(), 0) << id;
    }
}

TEST_F(StartPageTest, OneLineCaptionsLongerThanTheirBoxesWidenThem) {
    WriteProgramFile("Language/Language.xml",
                     std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Languages selectedId=\"1\">\n"
                                 "  <Language Id=\"1\" name=\"English\" dirName=\"English\" usPrimaryLanguage=\"9\" "
                                 "usSubLanguage=\"1\"/>\n</Languages>\n"));
    Restart();
    for (const unsigned id : {9512u, 9518u, 9511u, 9508u, 9514u}) {
        const CFirstButton* button = Page().GetButton(id);
        ASSERT_NE(button, nullptr) << id;
        const wxRect box = button->GetWx()->GetRect();
        EXPECT_LE(CFirstButton::CaptionWidth(button->GetCaption(), button->GetStyle()), box.width)
            << id << ": " << platform::WideToUtf8(button->GetCaption());
        EXPECT_LE(box.GetRight(), 657) << id;
    }
    EXPECT_EQ(Page().GetButton(9512)->GetCaption(), L"Statistic Analysis");
    // Links side by side stay apart.
    EXPECT_LT(Page().GetButton(9508)->GetWx()->GetRect().GetRight(), Page().GetButton(9514)->GetWx()->GetRect().x);
}

TEST_F(StartPageTest, EveryTextOfThePageHasItsGlyphs) {
    gfx::Font font;
    font.face = CZVResourceManager::GetResourceManager()->LoadString(10223);
    font.height = -13;
    for (const unsigned id : {32782u, 32820u, 22802u, 6183u, 32761u, 32763u, 6184u, 10064u, 6185u}) {
        const std::wstring text = CZVResourceManager::GetResourceManager()->LoadString(id);
        EXPECT_FALSE(text.empty()) << id;
        EXPECT_EQ(gfx::MissingGlyphCount(text, font), 0) << id << ": " << platform::WideToUtf8(text);
    }
}

}  // namespace
}  // namespace apptest
