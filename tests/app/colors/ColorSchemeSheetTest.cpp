// The colour-scheme sheet as the user drives it: every page shows the file's colours
// of its keys, markers follow the difference from the saved colour, default buttons
// and restore change the screen only, a save writes every opened page at once and
// says so only once it worked, the exit question saves only on Yes, and the command
// refuses to open without "color.cfg".
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>

#include "app/MainFrame.h"
#include "app/colors/ColorPages.h"
#include "app/colors/ColorSchemeSheet.h"
#include "app/colors/XTPColorPickerEx.h"
#include "app/colors/XTPPropertyColorSheet.h"
#include "core/ColorPicker.h"
#include "core/LanguagePack.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/PrivateProfile.h"
#include "platform/gfx/Font.h"
#include "platform/ui/ColorChooser.h"
#include "platform/ui/MessageQueue.h"
#include "tests/app/AppTestSupport.h"
#include "tests/ui/Clicks.h"

namespace apptest {
namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | g << 8 | b << 16; }

constexpr unsigned kStringAskSave = 6087;
constexpr unsigned kStringSaved = 6259;
constexpr unsigned kStringSaveFailed = 6090;

// The keys each page edits, in page order.
struct PageKeys {
    const wchar_t* section;
    std::vector<std::wstring> keys;
};

std::vector<std::wstring> Grid(const std::vector<std::wstring>& phases, const std::vector<std::wstring>& statistics) {
    std::vector<std::wstring> keys;
    for (const std::wstring& statistic : statistics) {
        for (const std::wstring& phase : phases) {
            keys.push_back(phase + statistic);
        }
    }
    return keys;
}

const std::vector<PageKeys>& Pages() {
    static const std::vector<PageKeys> pages = {
        {L"Freq", {L"Max", L"Min", L"Avg", L"Cp95"}},
        {L"Unbalance", {L"Max", L"Min", L"Avg", L"Cp95"}},
        {L"V&C", Grid({L"A", L"B", L"C", L"N"}, {L"max", L"min", L"avg", L"cp95"})},
        {L"Fluct&Flicker", Grid({L"A", L"B", L"C"}, {L"max", L"min", L"avg", L"cp95"})},
        {L"Power&Energy", Grid({L"A", L"B", L"C", L"ALL"}, {L"max", L"min", L"avg", L"cp95", L"rms"})},
        {L"Harmonic",
         {L"HARMmax", L"HARMmin", L"HARMavg", L"HARMcp95", L"KF", L"HARM1", L"HARM2", L"HARM3", L"HARM4", L"HARM5",
          L"HARM6"}},
    };
    return pages;
}

// A scheme in which every key's colour, its factory colour and every other key's
// colours differ: the key's n-th position in the file gives RGB(n, 1, 2), its
// factory colour RGB(n, 3, 4).
std::string DistinctScheme() {
    std::string text = "[ColorSchemes]\r\nRed=RGB(200,0,0)\r\nLeaf=RGB(0,100,0)\r\n";
    int n = 1;
    for (const PageKeys& page : Pages()) {
        text += "[" + platform::WideToUtf8(page.section) + "]\r\n";
        for (const std::wstring& key : page.keys) {
            const std::string name = platform::WideToUtf8(key);
            text += name + "=RGB(" + std::to_string(n) + ",1,2)\r\nDefault" + name + "=RGB(" + std::to_string(n) +
                    ",3,4)\r\n";
            ++n;
        }
    }
    return text;
}

// The file's colour of the key, as a page reads it.
std::uint32_t FileColor(const wchar_t* section, const std::wstring& key, bool factory = false) {
    CColorPicker store;
    std::uint32_t color = 0xFFFFFFFF;
    store.Open(section);
    factory ? store.ReadDefaultColor(key, color) : store.ReadColor(key, color);
    return color;
}

// The sheet with its six pages, as the colour-scheme command builds it.
struct SchemeSheet {
    explicit SchemeSheet(CColorPicker::FileAccess access = CColorPicker::DefaultFileAccess())
        : sheet(std::move(access)) {
        pages.AddTo(sheet);
    }
    CXTPPropertyPageEx& Page(int index) { return *dynamic_cast<CXTPPropertyPageEx*>(sheet.GetPage(index)); }
    // Runs the sheet modally; the action runs once it is up.
    int Run(std::function<void()> action) {
        WhenModalOpens([action = std::move(action)](wxDialog&) { action(); });
        return sheet.DoModal();
    }

    CColorPageSet pages;
    CXTPPropertyColorSheet sheet;
};

void Click(wxWindow* button) {
    ASSERT_NE(button, nullptr);
    uitest::PressButton(button);
}

// The user clicks the key's colour button and picks the colour in the chooser.
void Pick(CXTPPropertyPageEx& page, const std::wstring& key, std::uint32_t color) {
    CXTPColorPickerEx* picker = page.FindPicker(key);
    ASSERT_NE(picker, nullptr) << platform::WideToUtf8(key);
    ui::SetColorChooserResponder([color](const ui::ColorChooserRequest&) { return std::optional(color); });
    uitest::ClickWithMouse(picker);
    ui::SetColorChooserResponder(nullptr);
}

bool MarkerShown(CXTPPropertyPageEx& page, const std::wstring& key) {
    const CXTPColorPickerEx* picker = page.FindPicker(key);
    const wxWindow* marker = picker != nullptr ? page.GetDlgItem(picker->GetMarkerId()) : nullptr;
    return marker != nullptr && marker->IsShown();
}

std::uint32_t Shown(CXTPPropertyPageEx& page, const std::wstring& key) {
    const CXTPColorPickerEx* picker = page.FindPicker(key);
    return picker != nullptr ? picker->GetColor() : 0xFFFFFFFF;
}

std::vector<std::wstring> BoxTexts() {
    std::vector<std::wstring> texts;
    for (const ui::MessageBoxRequest& box : Boxes().shown) {
        texts.push_back(box.text);
    }
    return texts;
}

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

class ColorSchemeSheetTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        m_shipped = ReadProgramFile("color.cfg");
    }
    void TearDown() override {
        ui::SetColorChooserResponder(nullptr);
        WriteProgramFile("color.cfg", m_shipped);
        AppTest::TearDown();
    }

    std::string m_shipped;
};

TEST_F(ColorSchemeSheetTest, PagesShowTheFileAndDefaultsAndRestoreChangeOnlyTheScreen) {
    WriteProgramFile("color.cfg", DistinctScheme());
    const std::string before = ReadProgramFile("color.cfg");
    SchemeSheet sheet;
    int result = 0;
    result = sheet.Run([&] {
        ASSERT_EQ(sheet.sheet.GetPageCount(), static_cast<int>(Pages().size()));
        for (int index = 0; index < sheet.sheet.GetPageCount(); ++index) {
            const PageKeys& expected = Pages()[static_cast<std::size_t>(index)];
            ASSERT_TRUE(sheet.sheet.SetActivePage(index)) << index;
            CXTPPropertyPageEx& page = sheet.Page(index);
            ASSERT_EQ(page.GetLayout().section, std::wstring(expected.section));
            for (const std::wstring& key : expected.keys) {
                const std::string row = platform::WideToUtf8(expected.section) + "/" + platform::WideToUtf8(key);
                ASSERT_NE(page.FindPicker(key), nullptr) << row << ": a button in the template's place";
                EXPECT_EQ(Shown(page, key), FileColor(expected.section, key)) << row;
                EXPECT_NE(page.GetDlgItem(page.FindPicker(key)->GetMarkerId()), nullptr) << row << ": its marker";
                EXPECT_FALSE(MarkerShown(page, key)) << row;
            }
            EXPECT_FALSE(page.IsModified());

            // Each default button gives its group the factory colours, and no other key.
            for (const CXTPPropertyPageEx::DefaultGroup& group : page.GetLayout().defaults) {
                Click(page.GetDlgItem(group.commandId));
                for (const std::wstring& key : expected.keys) {
                    const bool inGroup = std::find(group.keys.begin(), group.keys.end(), key) != group.keys.end();
                    const std::string row = std::to_string(group.commandId) + " " + platform::WideToUtf8(key);
                    EXPECT_EQ(Shown(page, key), FileColor(expected.section, key, inGroup)) << row;
                    EXPECT_EQ(MarkerShown(page, key), inGroup) << row;
                }
                EXPECT_TRUE(page.IsModified());
                // Restore shows the file's colours again and hides every marker.
                Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kRestoreButton));
                for (const std::wstring& key : expected.keys) {
                    EXPECT_EQ(Shown(page, key), FileColor(expected.section, key)) << platform::WideToUtf8(key);
                    EXPECT_FALSE(MarkerShown(page, key)) << platform::WideToUtf8(key);
                }
                EXPECT_FALSE(page.IsModified());
            }
        }
        EXPECT_TRUE(ReadProgramFile("color.cfg") == before) << "neither opening pages nor their buttons write";
        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kExitButton));
    });
    EXPECT_EQ(result, ui::kIdCancel);
    EXPECT_TRUE(Boxes().shown.empty()) << "nothing changed: no question";
    EXPECT_FALSE(sheet.sheet.IsSaved());
    EXPECT_TRUE(ReadProgramFile("color.cfg") == before);
}

TEST_F(ColorSchemeSheetTest, AMarkerShowsWhileItsColourDiffersFromTheSavedOne) {
    const std::string before = ReadProgramFile("color.cfg");
    SchemeSheet sheet;
    sheet.Run([&] {
        ASSERT_TRUE(sheet.sheet.SetActivePage(2));
        CXTPPropertyPageEx& page = sheet.Page(2);
        const std::uint32_t amax = Shown(page, L"Amax");
        const std::uint32_t bmin = Shown(page, L"Bmin");

        Pick(page, L"Amax", amax ^ 0x00FF00);
        EXPECT_EQ(Shown(page, L"Amax"), amax ^ 0x00FF00);
        EXPECT_TRUE(MarkerShown(page, L"Amax"));
        EXPECT_FALSE(MarkerShown(page, L"Bmin"));
        EXPECT_TRUE(page.IsModified());

        Pick(page, L"Bmin", bmin ^ 0x0000FF);
        Pick(page, L"Amax", amax);
        EXPECT_FALSE(MarkerShown(page, L"Amax")) << "its saved colour picked again";
        EXPECT_TRUE(page.IsModified()) << "Bmin still differs";
        Pick(page, L"Bmin", bmin);
        EXPECT_FALSE(page.IsModified());

        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kExitButton));
    });
    EXPECT_TRUE(Boxes().shown.empty());
    EXPECT_TRUE(ReadProgramFile("color.cfg") == before);
}

TEST_F(ColorSchemeSheetTest, TheExitQuestionSavesOnlyOnYes) {
    struct Case {
        const char* name;
        int answer;
        bool byTitleBar;
        bool saved;
    };
    const Case cases[] = {
        {"exit button, No", ui::kIdNo, false, false},
        {"exit button, Yes", ui::kIdYes, false, true},
        {"title bar, No", ui::kIdNo, true, false},
        {"title bar, Yes", ui::kIdYes, true, true},
        {"no box could be shown", 0, false, false},
    };
    for (const Case& row : cases) {
        WriteProgramFile("color.cfg", m_shipped);
        Boxes().Clear();
        Boxes().answer = row.answer;
        SchemeSheet sheet;
        const std::uint32_t saved = FileColor(L"Freq", L"Max");
        const int result = sheet.Run([&] {
            Pick(sheet.Page(0), L"Max", saved ^ 0x102030);
            if (row.byTitleBar) {
                sheet.sheet.GetWx()->Close();
            } else {
                Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kExitButton));
            }
        });
        EXPECT_EQ(result, ui::kIdCancel) << row.name;
        ASSERT_FALSE(Boxes().shown.empty()) << row.name;
        EXPECT_EQ(Boxes().shown[0].text, Text(kStringAskSave)) << row.name;
        EXPECT_EQ(Boxes().shown[0].flags & ui::kMbButtonMask, ui::kMbYesNo) << row.name;
        EXPECT_EQ(sheet.sheet.IsSaved(), row.saved) << row.name;
        if (row.saved) {
            EXPECT_EQ(FileColor(L"Freq", L"Max"), saved ^ 0x102030) << row.name;
            EXPECT_EQ(BoxTexts(), (std::vector<std::wstring>{Text(kStringAskSave), Text(kStringSaved)})) << row.name;
        } else {
            EXPECT_TRUE(ReadProgramFile("color.cfg") == m_shipped) << row.name << ": byte for byte";
            EXPECT_EQ(Boxes().shown.size(), 1u) << row.name;
        }
    }
}

TEST_F(ColorSchemeSheetTest, SaveWritesTheOpenedPagesInOneReplaceAndSaysSoOnlyForChanges) {
    // Freq lacks "Min" (it shows as "Red" until written); Harmonic's "KF" names a colour.
    std::string scheme = m_shipped;
    const auto cut = [&scheme](const std::string& line) {
        const std::size_t at = scheme.find(line);
        ASSERT_NE(at, std::string::npos) << line;
        scheme.erase(at, scheme.find('\n', at) + 1 - at);
    };
    cut("Min=RGB(0,112,192)");
    const std::size_t kf = scheme.find("KF=RGB(");
    ASSERT_NE(kf, std::string::npos);
    scheme.replace(kf, scheme.find('\n', kf) - kf, "KF=Leaf");
    const std::size_t schemes = scheme.find("[ColorSchemes]\n");
    ASSERT_NE(schemes, std::string::npos);
    scheme.insert(schemes + 15, "Leaf=RGB(0,100,0)\n");
    WriteProgramFile("color.cfg", scheme);

    int writes = 0;
    CColorPicker::FileAccess access = CColorPicker::DefaultFileAccess();
    access.write = [&writes, write = access.write](const std::filesystem::path& file,
                                                   const std::vector<platform::ProfileEntry>& entries) {
        ++writes;
        return write(file, entries);
    };
    SchemeSheet sheet(std::move(access));
    const std::uint32_t cmax = FileColor(L"V&C", L"Cmax");
    sheet.Run([&] {
        EXPECT_EQ(Shown(sheet.Page(0), L"Min"), Rgb(255, 0, 0)) << "an absent key shows the colour named \"Red\"";
        ASSERT_TRUE(sheet.sheet.SetActivePage(2));
        EXPECT_TRUE(ReadProgramFile("color.cfg") == scheme) << "opening pages writes nothing";

        // Nothing changed: the keys are written again, without a word.
        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kSaveButton));
        EXPECT_EQ(writes, 1);
        EXPECT_TRUE(Boxes().shown.empty());
        EXPECT_FALSE(sheet.sheet.IsSaved());
        EXPECT_TRUE(platform::ProfileGetString(ProgramFile("color.cfg"), L"Freq", L"Min"))
            << "an absent key of an opened page is written at the save";

        Pick(sheet.Page(2), L"Cmax", cmax ^ 0x0F0F0F);
        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kSaveButton));
        EXPECT_EQ(writes, 2) << "one replace of the file per save";
        EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{Text(kStringSaved)});
        EXPECT_TRUE(sheet.sheet.IsSaved());
        EXPECT_FALSE(MarkerShown(sheet.Page(2), L"Cmax")) << "the saved colour is the new one";
        EXPECT_FALSE(sheet.Page(2).IsModified());

        Boxes().Clear();
        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kExitButton));
        EXPECT_TRUE(Boxes().shown.empty()) << "nothing left to save";
    });
    EXPECT_EQ(FileColor(L"V&C", L"Cmax"), cmax ^ 0x0F0F0F);
    EXPECT_EQ(platform::ProfileGetString(ProgramFile("color.cfg"), L"Harmonic", L"KF"), L"Leaf")
        << "a page never opened keeps its keys as they were";
}

TEST_F(ColorSchemeSheetTest, AFailedSaveLeavesTheFileSaysSoAndKeepsTheChanges) {
    const std::string before = ReadProgramFile("color.cfg");
    CColorPicker::FileAccess failing = CColorPicker::DefaultFileAccess();
    failing.write = [](const std::filesystem::path&, const std::vector<platform::ProfileEntry>&) { return false; };
    SchemeSheet sheet(std::move(failing));
    bool openAfterFailedExit = false;
    const std::uint32_t saved = FileColor(L"Freq", L"Avg");
    sheet.Run([&] {
        Pick(sheet.Page(0), L"Avg", saved ^ 0x111111);
        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kSaveButton));
        ASSERT_EQ(BoxTexts(), std::vector<std::wstring>{Text(kStringSaveFailed)});
        EXPECT_EQ(Boxes().shown[0].flags, ui::kMbOk | ui::kMbIconExclamation);
        EXPECT_TRUE(MarkerShown(sheet.Page(0), L"Avg")) << "the change is still unsaved";
        EXPECT_FALSE(sheet.sheet.IsSaved());

        // Yes to the exit question, and the save fails again: the sheet stays.
        Boxes().Clear();
        Boxes().answer = ui::kIdYes;
        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kExitButton));
        EXPECT_EQ(BoxTexts(), (std::vector<std::wstring>{Text(kStringAskSave), Text(kStringSaveFailed)}));
        openAfterFailedExit = sheet.sheet.IsWindow();

        Boxes().answer = ui::kIdNo;
        Click(sheet.sheet.GetButton(CXTPPropertyColorSheet::kExitButton));
    });
    EXPECT_TRUE(openAfterFailedExit);
    EXPECT_FALSE(sheet.sheet.IsSaved());
    EXPECT_TRUE(ReadProgramFile("color.cfg") == before) << "byte for byte";
}

TEST_F(ColorSchemeSheetTest, TheCommandNeedsTheFileAndTellsTheModelsAfterASave) {
    std::vector<std::uint32_t> events;
    const auto tell = [&events](std::uint32_t event) { events.push_back(event); };

    WriteProgramFile("color.cfg", std::nullopt);
    EXPECT_FALSE(ShowColorSchemeSheet(&Frame(), tell));
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{Text(6099)});
    EXPECT_TRUE(events.empty());
    EXPECT_FALSE(std::filesystem::exists(ProgramFile("color.cfg"))) << "the file is never made";

    WriteProgramFile("color.cfg", m_shipped);
    Boxes().Clear();
    std::wstring caption;
    WhenModalOpens([&](wxDialog& dialog) {
        caption = dialog.GetTitle().ToStdWstring();
        ClickButton(dialog, Text(6074));
    });
    EXPECT_FALSE(ShowColorSchemeSheet(&Frame(), tell));
    EXPECT_EQ(caption, Text(6088));
    EXPECT_TRUE(events.empty()) << "nothing saved, nothing to tell";

    Boxes().answer = ui::kIdYes;
    WhenModalOpens([&](wxDialog& dialog) {
        std::vector<std::wstring> labels;
        for (wxWindow* child : dialog.GetChildren()) {
            if (auto* button = dynamic_cast<wxButton*>(child)) {
                labels.push_back(button->GetLabelText().ToStdWstring());
                if (labels.size() == 1) {
                    EXPECT_EQ(button->GetPosition().x, 10) << "restore sits apart at the left";
                }
            }
        }
        EXPECT_EQ(labels, (std::vector<std::wstring>{Text(9996), Text(6073), Text(6074)}));
        // Change the first page's first colour through its button, then leave.
        for (wxWindow* child : dialog.GetChildren()) {
            for (wxWindow* control : child->GetChildren()) {
                if (auto* picker = dynamic_cast<CXTPColorPickerEx*>(control); picker != nullptr && events.empty()) {
                    ui::SetColorChooserResponder([color = picker->GetColor() ^ 0x808080](const ui::ColorChooserRequest&) {
                        return std::optional(color);
                    });
                    Click(picker);
                    ui::SetColorChooserResponder(nullptr);
                    ClickButton(dialog, Text(6074));
                    return;
                }
            }
        }
        ADD_FAILURE() << "no colour button";
    });
    EXPECT_TRUE(ShowColorSchemeSheet(&Frame(), tell));
    EXPECT_EQ(events, std::vector<std::uint32_t>{0x80u});
    EXPECT_TRUE(ReadProgramFile("color.cfg") != m_shipped);
}

// Every text of the sheet, in both languages, in the font it is shown in.
TEST_F(ColorSchemeSheetTest, EveryTextHasAGlyph) {
    const unsigned strings[] = {6087, 6088, 6090, 6099, 6259, 9996, 6073, 6074, 6274, 6144, 6178, 6273};
    const unsigned pages[] = {CFreqColorPage::kTemplateId, CUnbalClrPage::kTemplateId, CVCClrPage::kTemplateId,
                              CFluctColorNewPage::kTemplateId, CPEClrPage::kTemplateId, CHarmColorPage::kTemplateId};
    gfx::Font title;
    title.face = L"仿宋体";
    title.height = 16;
    for (const char* language : {"Chinese", "English"}) {
        CLanguagePack pack;
        ASSERT_TRUE(pack.LoadFile(ProgramFile(std::string("Language/") + language + "/Ondrava.xml"))) << language;
        for (const unsigned id : strings) {
            const std::optional<std::wstring> text = pack.FindString(id);
            ASSERT_TRUE(text && !text->empty()) << language << " " << id;
            EXPECT_EQ(gfx::MissingGlyphCount(*text, title), 0) << language << " " << id;
        }
        for (const unsigned id : pages) {
            const std::optional<DialogTemplateInfo> page = pack.FindDialog(id);
            ASSERT_TRUE(page) << language << " " << id;
            const gfx::Font font = gfx::Font::FromPoints(page->fontFace, page->fontSize);
            EXPECT_EQ(gfx::MissingGlyphCount(page->caption, font), 0) << language << " " << id;
            for (const DialogItemTemplateInfo& item : page->items) {
                EXPECT_EQ(gfx::MissingGlyphCount(item.caption, font), 0)
                    << language << " " << id << ": " << platform::WideToUtf8(item.caption);
            }
        }
    }
}

}  // namespace
}  // namespace apptest
