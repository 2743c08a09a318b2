// The main road as a user walks it, on a desktop with a window manager and with
// real mouse clicks and keys only: the built program started from its program
// folder, a generated folder opened through the folder chooser and the data
// selection, every docking tab clicked, a table exported from a clicked trend
// pane, the RTF and the spreadsheet report made through their wizard, a waveform
// record opened, and the program closed through the window manager with data
// loaded. Beside it, the other ways out: SIGTERM and a lost display.
//
// What is checked is what a user sees: no top-level window but the frame and the
// dialogs the road opens (the X window tree), the ribbon as on the start page (no
// window of a hidden pane over it), the clicked tab in front with its pane's title
// in the caption, whole output files, and the process gone soon after it is told
// to go. A failing step leaves a picture of the screen in the test's folder.

#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/journey/ChildProcess.h"
#include "tests/journey/Desktop.h"
#include "tests/journey/ScreenShot.h"
#include "tests/support/TempDir.h"

namespace journey {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const fs::path kProgramFolder = ONDRAVA_BUILD_PROGRAM_DIR;
constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1000;
// The program's own title, in the default language.
const std::string kFrameTitle = "Ondrava电能质量分析软件";

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Where the test leaves its pictures and logs: its own folder of the build.
fs::path TestFolder() {
    const char* folder = std::getenv("ONDRAVA_PROGRAM_DIR");
    fs::path path = folder != nullptr && *folder != '\0' ? fs::path(folder) : fs::temp_directory_path();
    fs::create_directories(path);
    return path;
}

// The program folder's files that a run of the program writes, as they were before.
class KeptFiles {
public:
    explicit KeptFiles(std::vector<fs::path> files) : m_files(std::move(files)) {
        for (const fs::path& file : m_files) {
            if (fs::exists(file)) {
                m_saved[file] = ReadFile(file);
            }
        }
    }
    ~KeptFiles() {
        for (const fs::path& file : m_files) {
            const auto saved = m_saved.find(file);
            if (saved == m_saved.end()) {
                std::error_code ignored;
                fs::remove(file, ignored);
            } else {
                std::ofstream(file, std::ios::binary | std::ios::trunc) << saved->second;
            }
        }
    }

private:
    std::vector<fs::path> m_files;
    std::map<fs::path, std::string> m_saved;
};

// Every crash dump in the program folder.
std::vector<fs::path> CrashDumps() {
    std::vector<fs::path> dumps;
    for (const auto& entry : fs::directory_iterator(kProgramFolder)) {
        if (entry.path().extension() == ".dmp") {
            dumps.push_back(entry.path());
        }
    }
    return dumps;
}

void Generate(const std::vector<std::string>& arguments, const fs::path& log) {
    ChildProcess generator(kProgramFolder / "ondrava-gen", arguments, {}, log);
    ASSERT_EQ(generator.WaitForExit(60s), 0) << "ondrava-gen " << arguments.front();
}

class Journey : public ::testing::Test {
protected:
    void SetUp() override {
        m_logs = TestFolder();
        for (const fs::path& picture : {m_logs / "failure.png", m_logs / "program.log"}) {
            std::error_code ignored;
            fs::remove(picture, ignored);
        }
        m_desktop = std::make_unique<Desktop>(kScreenWidth, kScreenHeight, m_logs);
    }

    void TearDown() override {
        if (HasFailure() && m_desktop) {
            m_desktop->GrabScreen().Save(m_logs / "failure.png");
        }
        m_program.reset();
        m_desktop.reset();
    }

    void StartProgram() {
        // Its own program folder; the user's settings in a folder of the test's.
        m_program = std::make_unique<ChildProcess>(
            kProgramFolder / "ondrava", std::vector<std::string>{},
            std::vector<std::string>{"DISPLAY=" + m_desktop->DisplayName(), "LANG=C.UTF-8",
                                     "XDG_CONFIG_HOME=" + (m_temp / "config").string(), "ONDRAVA_PROGRAM_DIR=",
                                     "NO_AT_BRIDGE=1"},
            m_logs / "program.log");
        m_frame = m_desktop->WaitForWindow([](const TopWindow& w) { return w.title.rfind(kFrameTitle, 0) == 0; }, 30s);
        ASSERT_TRUE(m_frame) << "the main window never showed";
        // Maximised by the program, drawn once the start page is up.
        ASSERT_TRUE(m_desktop->WaitUntil([&] { return FindIcon(4132, 0).has_value(); }, 30s))
            << "the ribbon never showed its buttons";
        m_frame = m_desktop->FindWindow([&](const TopWindow& w) { return w.id == m_frame->id; });
        ASSERT_TRUE(m_frame);
    }

    // A ribbon button's icon on screen: the square `index` of picture strip `id`.
    std::optional<Rect> FindIcon(int id, int index) {
        const Picture strip = Picture::Load(kProgramFolder / "Pictures" / (std::to_string(id) + ".png"));
        const std::optional<TopWindow> frame =
            m_desktop->FindWindow([](const TopWindow& w) { return w.title.rfind(kFrameTitle, 0) == 0; });
        if (!frame || strip.width == 0) {
            return std::nullopt;
        }
        const Rect ribbon{frame->rect.x, frame->rect.y, frame->rect.width, 140};
        return m_desktop->Grab(ribbon).Find(strip.Square(index));
    }

    void ClickIcon(int id, int index) {
        const std::optional<Rect> icon = FindIcon(id, index);
        ASSERT_TRUE(icon) << "no ribbon button with picture " << id << "/" << index;
        m_desktop->Click(icon->CentreX(), icon->CentreY());
        AwayFromButtons();
    }

    // The mouse rests where it shows no tooltip and highlights nothing.
    void AwayFromButtons() {
        m_desktop->MoveTo(m_frame->rect.Right() - 5, m_frame->rect.Bottom() - 5);
        m_desktop->Settle();
    }

    // Shown top-level windows that are neither the frame nor among the dialogs
    // allowed now (titles), nor tooltips.
    std::vector<std::string> StrayWindows(const std::vector<std::string>& allowed = {}) {
        std::vector<std::string> stray;
        for (const TopWindow& window : m_desktop->ShownWindows()) {
            const bool expected = window.id == m_frame->id || window.type == "TOOLTIP" ||
                                  std::find(allowed.begin(), allowed.end(), window.title) != allowed.end();
            if (!expected) {
                stray.push_back("'" + window.title + "' " + window.type + " at " + std::to_string(window.rect.x) +
                                "," + std::to_string(window.rect.y) + " " + std::to_string(window.rect.width) + "x" +
                                std::to_string(window.rect.height));
            }
        }
        return stray;
    }

    // A new dialog over the frame and the dialogs already up (`open`).
    std::optional<TopWindow> WaitForDialog(const std::string& what, const std::vector<TopWindow>& open = {},
                                           std::chrono::milliseconds limit = 60s) {
        // The busy indicator, which has no title, is no dialog to answer.
        auto dialog = m_desktop->WaitForWindow(
            [&](const TopWindow& w) {
                return w.id != m_frame->id && w.managed && w.type != "TOOLTIP" && !w.title.empty() &&
                       std::none_of(open.begin(), open.end(), [&](const TopWindow& o) { return o.id == w.id; });
            },
            limit);
        EXPECT_TRUE(dialog) << "no dialog for " << what;
        if (dialog) {
            // Keys go to it once its title bar was clicked, as a user makes sure.
            m_desktop->Settle();
            m_desktop->Click(dialog->rect.CentreX(), dialog->rect.y - 8);
            m_desktop->Settle();
        }
        return dialog;
    }

    bool WaitForNoDialog(std::chrono::milliseconds limit = 60s) {
        return m_desktop->WaitUntil(
            [&] {
                return !m_desktop->FindWindow(
                    [&](const TopWindow& w) { return w.id != m_frame->id && w.managed && w.type != "TOOLTIP"; });
            },
            limit);
    }

    // Types a folder into the folder chooser that comes up (over the dialogs `open`)
    // and takes it.
    void ChooseFolder(const fs::path& folder, const std::vector<TopWindow>& open = {}) {
        const std::optional<TopWindow> chooser = WaitForDialog("a folder", open);
        ASSERT_TRUE(chooser);
        std::vector<std::string> allowed{chooser->title};
        for (const TopWindow& dialog : open) {
            allowed.push_back(dialog.title);
        }
        EXPECT_EQ(StrayWindows(allowed), std::vector<std::string>{});
        m_desktop->Key("ctrl+l");
        m_desktop->Type(folder.string() + "/");
        m_desktop->Settle();
        m_desktop->Key("Return");
        ASSERT_TRUE(m_desktop->WaitUntil([&] { return !m_desktop->FindWindow([&](const TopWindow& w) {
                                                  return w.id == chooser->id;
                                              }); },
                                         20s))
            << "the folder chooser did not take " << folder;
    }

    // The ribbon's tab row and its group captions: nothing the program shows or
    // enables changes them.
    std::vector<Rect> RibbonBands(const Rect& openIcon) const {
        return {Rect{m_frame->rect.x, m_frame->rect.y, m_frame->rect.width, openIcon.y - m_frame->rect.y - 6},
                Rect{m_frame->rect.x, openIcon.y + 66, m_frame->rect.width, 10}};
    }

    // The open button, the folder typed into the chooser, OK on the data selection
    // (its buttons are painted in its own grey-blue), and the load.
    void OpenFolder(const fs::path& folder) {
        ASSERT_NO_FATAL_FAILURE(ClickIcon(4132, 0));
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(folder));
        const std::optional<TopWindow> selection = WaitForDialog("the data selection");
        ASSERT_TRUE(selection);
        const std::vector<Rect> buttons =
            FindRunsFromBottom(m_desktop->Grab(selection->rect), selection->rect, Rgb{182, 194, 205}, 30, 2);
        ASSERT_EQ(buttons.size(), 2u) << "the data selection's OK and Cancel";
        m_desktop->Click(buttons[0].CentreX(), buttons[0].y);
        ASSERT_TRUE(WaitForTitleWith(folder)) << "the folder did not load";
    }

    // The frame's title names the folder or record it shows.
    bool WaitForTitleWith(const fs::path& shown) {
        return m_desktop->WaitUntil(
            [&] {
                const auto frame = m_desktop->FindWindow([&](const TopWindow& w) { return w.id == m_frame->id; });
                return frame && frame->title.find(shown.string()) != std::string::npos;
            },
            60s);
    }

    std::vector<TabRow> TabRows() { return FindTabRows(m_desktop->Grab(m_frame->rect)); }

    // Clicks every tab of every row and sees each come to the front with its title
    // in the group's caption; disabled tabs stay behind.
    void ClickEveryTab() {
        std::vector<TabRow> rows = TabRows();
        ASSERT_GE(rows.size(), 1u) << "no tab row on screen";
        for (std::size_t r = 0; r < rows.size(); ++r) {
            for (std::size_t t = 0; t < rows[r].tabs.size(); ++t) {
                const TabRow row = rows[r];
                const Rect caption{row.strip.x, row.strip.y - 18, row.strip.width, 16};
                const ScreenShot before = m_desktop->Grab(m_frame->rect);
                m_desktop->Click(row.tabs[t].CentreX(), row.tabs[t].CentreY());
                AwayFromButtons();
                rows = TabRows();
                const auto now = std::find_if(rows.begin(), rows.end(),
                                              [&](const TabRow& other) { return other.strip.y == row.strip.y &&
                                                                                other.strip.x == row.strip.x; });
                ASSERT_NE(now, rows.end()) << "the tab row at " << row.strip.x << "," << row.strip.y << " went";
                if (row.disabled[t]) {
                    EXPECT_EQ(now->front, row.front) << "a disabled tab came to the front, row " << r << " tab " << t;
                    continue;
                }
                EXPECT_EQ(now->front, static_cast<int>(t)) << "row " << r << " tab " << t << " not in front";
                if (static_cast<int>(t) != row.front) {
                    const ScreenShot after = m_desktop->Grab(m_frame->rect);
                    EXPECT_GT(after.Difference(before, caption), 0.002)
                        << "row " << r << " tab " << t << ": the caption still names the pane before";
                }
            }
        }
    }

    testsupport::TempDir m_temp;
    fs::path m_logs;
    std::unique_ptr<Desktop> m_desktop;
    std::unique_ptr<ChildProcess> m_program;
    std::optional<TopWindow> m_frame;
};

TEST_F(Journey, FromTheStartPageToTheViewsTheReportsAndOut) {
    const KeptFiles kept({kProgramFolder / "Ondrava.ini", kProgramFolder / "OndravaLog.log"});
    const std::vector<fs::path> dumpsBefore = CrashDumps();
    const fs::path data = m_temp / "sample";
    const fs::path wave = m_temp / "wave";
    Generate({"sample", data.string()}, m_logs / "gen.log");
    Generate({"waverecord", wave.string(), "--seconds", "4", "--rate", "6400"}, m_logs / "gen.log");
    for (const char* folder : {"tables", "rtf", "xlsx"}) {
        fs::create_directories(m_temp / folder);
    }
    // The table export's chooser starts in a folder (not in the recent files).
    std::ofstream(kProgramFolder / "Ondrava.ini", std::ios::trunc)
        << "[Position]\nStatisticDataPath=" << m_temp.Path().string() << "\n";

    ASSERT_NO_FATAL_FAILURE(StartProgram());
    const std::optional<Rect> openIcon = FindIcon(4132, 0);
    ASSERT_TRUE(openIcon);
    AwayFromButtons();
    const ScreenShot startPage = m_desktop->Grab(m_frame->rect);
    EXPECT_EQ(StrayWindows(), std::vector<std::string>{}) << "on the start page";

    // Open the folder: chooser, data selection, load.
    ASSERT_NO_FATAL_FAILURE(OpenFolder(data));
    ASSERT_TRUE(WaitForNoDialog());
    AwayFromButtons();
    m_desktop->Settle(1s);
    EXPECT_EQ(StrayWindows(), std::vector<std::string>{}) << "after the load";
    const ScreenShot loaded = m_desktop->Grab(m_frame->rect);
    for (const Rect& band : RibbonBands(*openIcon)) {
        if (loaded.Difference(startPage, band) >= 0.002) {
            ADD_FAILURE() << "the ribbon at " << band.x << "," << band.y << " " << band.width << "x" << band.height
                          << " is not as on the start page after the load (start.png, loaded.png)";
            startPage.Save(m_logs / "start.png");
            loaded.Save(m_logs / "loaded.png");
        }
    }

    // Every pane of all three groups, every tab clicked.
    ASSERT_NO_FATAL_FAILURE(ClickIcon(4126, 2));
    m_desktop->Settle(1s);
    ASSERT_NO_FATAL_FAILURE(ClickEveryTab());
    EXPECT_EQ(StrayWindows(), std::vector<std::string>{}) << "after the tabs";

    // Table export of the power trend, chosen by a click on its tab while another
    // exportable view (the voltage waveform) stands in front of its own group.
    ASSERT_NO_FATAL_FAILURE(ClickIcon(4126, 2));
    m_desktop->Settle(1s);
    std::vector<TabRow> rows = TabRows();
    ASSERT_EQ(rows.size(), 3u);
    const TabRow& trends = rows.back();
    ASSERT_GE(trends.tabs.size(), 2u);
    m_desktop->Click(trends.tabs[1].CentreX(), trends.tabs[1].CentreY());
    AwayFromButtons();
    ASSERT_NO_FATAL_FAILURE(ClickIcon(4125, 2));
    ASSERT_NO_FATAL_FAILURE(ChooseFolder(m_temp / "tables"));
    const std::optional<TopWindow> exported = WaitForDialog("the table export's result");
    ASSERT_TRUE(exported);
    m_desktop->Key("Escape");  // do not open it
    ASSERT_TRUE(WaitForNoDialog());
    std::vector<fs::path> tables;
    for (const auto& entry : fs::directory_iterator(m_temp / "tables")) {
        tables.push_back(entry.path());
    }
    ASSERT_EQ(tables.size(), 1u) << "one table";
    EXPECT_EQ(tables[0].filename().string().rfind("有功功率", 0), 0u)
        << "the power trend's table, not " << tables[0].filename();
    const std::string table = ReadFile(tables[0]);
    EXPECT_GT(std::count(table.begin(), table.end(), '\n'), 100) << "rows of the three days";
    EXPECT_TRUE(table.ends_with("\r\n")) << "the table ends with a whole row";

    // The RTF report and the spreadsheet report through the wizard: its finish
    // button is the one before Cancel, then the output folder.
    const std::pair<int, const char*> reports[] = {{1, "rtf"}, {0, "xlsx"}};
    for (const auto& [button, folder] : reports) {
        ASSERT_NO_FATAL_FAILURE(ClickIcon(4125, button));
        const std::optional<TopWindow> wizard = WaitForDialog(folder);
        ASSERT_TRUE(wizard);
        EXPECT_EQ(StrayWindows({wizard->title}), std::vector<std::string>{});
        const ScreenShot shot = m_desktop->Grab(wizard->rect);
        const std::vector<Rect> buttons =
            FindButtons(shot, wizard->rect.Bottom() - 25, wizard->rect.x, wizard->rect.Right());
        ASSERT_GE(buttons.size(), 2u) << "the wizard's buttons";
        const Rect finish = buttons[buttons.size() - 2];
        m_desktop->Click(finish.CentreX(), finish.CentreY());
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(m_temp / folder, {*wizard}));
        ASSERT_TRUE(WaitForDialog(std::string("the result of the ") + folder + " report", {*wizard}, 180s));
        m_desktop->Key("Escape");  // do not open it
        ASSERT_TRUE(WaitForNoDialog());
    }
    std::vector<fs::path> documents;
    for (const auto& entry : fs::recursive_directory_iterator(m_temp.Path())) {
        if (entry.path().extension() == ".rtf" || entry.path().extension() == ".xlsx") {
            documents.push_back(entry.path());
        }
    }
    ASSERT_EQ(documents.size(), 2u) << "an RTF and a spreadsheet report";
    for (const fs::path& document : documents) {
        const std::string bytes = ReadFile(document);
        if (document.extension() == ".rtf") {
            EXPECT_TRUE(bytes.starts_with("{\\rtf") && bytes.ends_with("}")) << document;
        } else {
            // A zip whose central directory was written to the end.
            EXPECT_TRUE(bytes.starts_with("PK\x03\x04") && bytes.find("PK\x05\x06") != std::string::npos) << document;
        }
    }

    // The waveform record: the ribbon's next tab, its open button, the question
    // whether the statistic data may go (Yes), the analysis, the window.
    const std::optional<Rect> front =
        FindRibbonFrontTab(m_desktop->Grab(m_frame->rect), Rect{m_frame->rect.x, m_frame->rect.y, 400, 24});
    ASSERT_TRUE(front) << "no ribbon tab in front";
    m_desktop->Click(front->Right() + front->width / 2 + 8, front->CentreY());
    AwayFromButtons();
    ASSERT_NO_FATAL_FAILURE(ClickIcon(4133, 0));
    ASSERT_NO_FATAL_FAILURE(ChooseFolder(wave));
    ASSERT_TRUE(WaitForDialog("the question about the statistic data"));
    m_desktop->Key("Return");
    ASSERT_TRUE(WaitForTitleWith(wave)) << "the waveform record did not open";
    ASSERT_TRUE(WaitForNoDialog(180s)) << "the analysis did not end";
    AwayFromButtons();
    m_desktop->Settle(1s);
    ASSERT_TRUE(WaitForNoDialog(180s)) << "the analysis did not end";
    EXPECT_EQ(StrayWindows(), std::vector<std::string>{}) << "with the waveform record";

    // Out through the window manager (Alt+F4 in openbox), the exit question
    // answered OK.
    m_desktop->Key("alt+F4");
    ASSERT_TRUE(WaitForDialog("the exit question"));
    m_desktop->Key("Return");
    EXPECT_TRUE(m_program->WaitForExit(10s)) << "the program still runs 10 s after the close";
    // The terminal stays quiet: no toolkit diagnostics, no warnings.
    std::istringstream output(ReadFile(m_logs / "program.log"));
    for (std::string line; std::getline(output, line);) {
        EXPECT_TRUE(line.find("Debug:") == std::string::npos && line.find("CRITICAL") == std::string::npos &&
                    line.find("WARNING") == std::string::npos && line.find("Warning:") == std::string::npos)
            << "the program said: " << line;
    }
    for (const fs::path& dump : CrashDumps()) {
        if (std::find(dumpsBefore.begin(), dumpsBefore.end(), dump) == dumpsBefore.end()) {
            ADD_FAILURE() << "the program left a crash dump, moved to " << (m_logs / dump.filename());
            fs::rename(dump, m_logs / dump.filename());
        }
    }
}

// The other ways out, with data loaded: SIGTERM (a session's end) and the display
// going away. Either way the program is gone in a few seconds and leaves no dump.
TEST_F(Journey, SigtermAndALostDisplayEndTheProgramWithDataLoaded) {
    const KeptFiles kept({kProgramFolder / "Ondrava.ini", kProgramFolder / "OndravaLog.log"});
    const std::vector<fs::path> dumpsBefore = CrashDumps();
    const fs::path data = m_temp / "sample";
    Generate({"sample", data.string()}, m_logs / "gen.log");
    for (const char* way : {"SIGTERM", "lost display"}) {  // the display last: it goes for good
        ASSERT_NO_FATAL_FAILURE(StartProgram()) << way;
        ASSERT_NO_FATAL_FAILURE(OpenFolder(data)) << way;
        ASSERT_TRUE(WaitForNoDialog()) << way;
        if (std::string(way) == "SIGTERM") {
            m_program->Signal(SIGTERM);
        } else {
            m_desktop->EndServer();
        }
        EXPECT_TRUE(m_program->WaitForExit(10s)) << way << ": the program still runs 10 s after";
    }
    EXPECT_EQ(CrashDumps(), dumpsBefore) << "a crash dump was left";
}

}  // namespace
}  // namespace journey
