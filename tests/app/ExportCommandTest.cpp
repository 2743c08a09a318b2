// The export and report commands of the main frame: without data they say so; the
// spreadsheet report runs end to end on a generated folder through the report
// wizard; the RTF report is made through its writer; the table export writes the
// view in front; and every failure reaches the user with its own message.
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <vector>

#include <wx/button.h>
#include <wx/dialog.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/DockPaneMgr.h"
#include "app/MainFrame.h"
#include "waverecord/ui/WaveMainView.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/LocalTime.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/PaneViewRegistry.h"
#include "platform/ui/Window.h"
#include "report/ReportConfig.h"
#include "terminal/CtrlItem.h"
#include "views/ObserverView.h"
#include "terminal/ZVDataManager.h"
#include "tests/support/TempDir.h"
#include "tests/support/WriteFault.h"
#include "tools/gen/StatisticFolder.h"

namespace {

using apptest::Boxes;
using apptest::FinishWizardWhenItOpens;
using apptest::FolderChoice;
using apptest::Frame;
namespace fs = std::filesystem;

std::wstring Text(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

void Command(unsigned id) {
    ui::SendMessage(&Frame(), ui::kMsgCommand, ui::MakeWParam(id, ui::kNotifyClicked), 0);
    apptest::Drain();
}

std::wstring LastBox() { return Boxes().shown.empty() ? std::wstring() : Boxes().shown.back().text; }

// An RTF writer of the test's own: it writes the file it is given, or fails.
class DocumentReporter : public CBaseReporter {
public:
    int Prepare(std::wstring, std::wstring) override { return prepare; }
    int ReportOutput(const std::wstring& path, int) override {
        if (!write) {
            SetReportName(L"磁盘已满");
            return 0;
        }
        std::ofstream(platform::ToPath(path)) << "{\\rtf1}";
        return 1;
    }
    int prepare = 1;
    bool write = true;
};

class Writers : public IReportWriterFactory {
public:
    class Document : public IReportWriter {
    public:
        CBaseReporter& GetReporter() override { return reporter; }
        DocumentReporter reporter;
    };
    bool CanCreate(ReportWriterKind) const override { return true; }
    std::unique_ptr<IReportWriter> CreateWorkbookWriter() override { return nullptr; }
    std::unique_ptr<IReportWriter> CreatePictureWriter(int, int, int) override { return nullptr; }
    std::unique_ptr<IReportWriter> CreateDocumentWriter(int trend, int event) override {
        sections = {trend, event};
        auto document = std::make_unique<Document>();
        document->reporter.prepare = prepare;
        document->reporter.write = write;
        return document;
    }
    std::array<int, 2> sections{-1, -1};
    int prepare = 1;
    bool write = true;
};

class ExportCommandTest : public apptest::AppTest {
protected:
    // A generated statistic folder opened into the frame's statistic model.
    void OpenGeneratedFolder() {
        gen::StatisticFolderOptions options;
        options.items = {1, 7, 25, 461};
        options.records = 30;
        ASSERT_TRUE(gen::WriteStatisticFolder(data.Path() / "Board1", options));
        const std::int64_t end = *platform::FromLocalTime(2026, 3, 1, 0, 30, 0);
        std::array<std::uint32_t, 14> query = {0, 0, 30, 0, 30, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(end),
                                               static_cast<std::uint32_t>(static_cast<std::uint64_t>(end) >> 32),
                                               0, 0};
        CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                          platform::FromPath(data.Path() / "Board1")};
        Frame().GetStatisticModel().OpenData(&request);
        Frame().SetStatisticPath(platform::FromPath(data.Path() / "Board1"));
        Frame().SetStatisticLoaded(1);
    }

    testsupport::TempDir data;
    testsupport::TempDir output;
};

TEST_F(ExportCommandTest, ReportsWithoutDataSayTheDataAreNotRight) {
    for (const unsigned id : {kCmdExcelReport, kCmdWordReport, kCmdWaveExcelReport, kCmdWaveWordReport}) {
        Boxes().Clear();
        Command(id);
        ASSERT_EQ(Boxes().shown.size(), 1u) << id;
        EXPECT_EQ(LastBox(), Text(6094)) << id;
        EXPECT_EQ(Boxes().shown.back().caption, Text(6093)) << id;
    }
}

TEST_F(ExportCommandTest, ReportsAskedForWithOnlyAWaveformRecordSayTheyNeedStatisticData) {
    Frame().SetWavePath(L"/数据/录波/rec1");
    for (const unsigned id : {kCmdExcelReport, kCmdWordReport, kCmdWaveExcelReport, kCmdWaveWordReport}) {
        Boxes().Clear();
        Command(id);
        ASSERT_EQ(Boxes().shown.size(), 1u) << id;
        EXPECT_EQ(LastBox(), Text(6296)) << id;
    }
    Frame().SetWavePath(L"");
}

TEST_F(ExportCommandTest, SpreadsheetReportIsWrittenThroughTheWizard) {
    OpenGeneratedFolder();
    {
        FolderChoice choice(output.Path());
        Boxes().answer = ui::kIdNo;  // do not open the folder
        FinishWizardWhenItOpens(6096);
        Boxes().Clear();
        Command(kCmdExcelReport);
    }
    ASSERT_EQ(LastBox(), Text(6097)) << "the reporter said: " << platform::WideToUtf8(LastBox());
    EXPECT_EQ(Frame().GetReportResult(), 1);
    const fs::path folder = platform::ToPath(Frame().GetReportPath());
    EXPECT_EQ(folder.parent_path(), output.Path());
    EXPECT_EQ(folder.filename().string().rfind("Board1_", 0), 0u) << folder;
    int workbooks = 0;
    int pictures = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        workbooks += entry.path().extension() == ".xlsx" ? 1 : 0;
        pictures += entry.path().extension() == ".png" ? 1 : 0;
    }
    EXPECT_EQ(workbooks, 1);
    EXPECT_GT(pictures, 0);
    EXPECT_EQ(Boxes().shown.back().caption, Text(6096));
}

TEST_F(ExportCommandTest, RtfReportIsWrittenThroughTheWizard) {
    OpenGeneratedFolder();
    {
        FolderChoice choice(output.Path());
        Boxes().answer = ui::kIdNo;  // do not open the report
        FinishWizardWhenItOpens(6093);
        Boxes().Clear();
        Command(kCmdWordReport);
    }
    ASSERT_EQ(LastBox(), Text(10046)) << "the reporter said: " << platform::WideToUtf8(LastBox());
    EXPECT_EQ(Frame().GetReportResult(), 1);
    const fs::path document = platform::ToPath(Frame().GetReportPath());
    EXPECT_EQ(document.parent_path(), output.Path());
    EXPECT_EQ(document.extension(), ".rtf");
    std::ifstream file(document, std::ios::binary);
    std::string head(5, '\0');
    file.read(head.data(), 5);
    EXPECT_EQ(head, "{\\rtf");
}

TEST_F(ExportCommandTest, SpreadsheetReportIntoAnUnwritableFolderTellsWhy) {
    OpenGeneratedFolder();
    std::ofstream(output.Path() / "file") << "not a folder";
    {
        FolderChoice choice(output.Path() / "file");
        FinishWizardWhenItOpens(6096);
        Boxes().Clear();
        Command(kCmdExcelReport);
    }
    EXPECT_EQ(Frame().GetReportResult(), 0);
    ASSERT_FALSE(Boxes().shown.empty());
    EXPECT_NE(LastBox(), Text(6097)) << "a failure is never shown as success";
    EXPECT_FALSE(LastBox().empty());
}

TEST_F(ExportCommandTest, RtfReportIsMadeThroughItsWriterAndItsFailuresAreTold) {
    OpenGeneratedFolder();
    struct Case {
        const char* name;
        int prepare;
        bool write;
        std::wstring box;
    };
    const Case cases[] = {
        {"written", 1, true, Text(10046)},
        {"output fails", 1, false, L"磁盘已满"},
        {"initialisation fails", 0, true, Text(6294)},
    };
    for (const Case& c : cases) {
        auto writers = std::make_unique<Writers>();
        Writers& made = *writers;
        made.prepare = c.prepare;
        made.write = c.write;
        Frame().SetReportWriters(std::move(writers));
        FolderChoice choice(output.Path());
        Boxes().answer = ui::kIdNo;
        FinishWizardWhenItOpens(6093);
        Boxes().Clear();
        Command(kCmdWordReport);
        EXPECT_EQ(LastBox(), c.box) << c.name;
        EXPECT_EQ(made.sections[0], 0) << c.name << ": the trend charts as the wizard left them";
        if (c.write && c.prepare == 1) {
            EXPECT_TRUE(fs::is_regular_file(platform::ToPath(Frame().GetReportPath()))) << c.name;
            EXPECT_EQ(platform::ToPath(Frame().GetReportPath()).extension(), ".rtf") << c.name;
        }
    }
    apptest::Restart();
}

// A record view of the test's own that offers one series of three values.
class ExportingView : public ui::Window, public IObserverView {
public:
    class Samples : public IZVDataManager {
    public:
        std::uint64_t GetCount() override { return count; }
        bool GetValue(std::int64_t index, double* value) override {
            *value = 230.0 + static_cast<double>(index);
            return index >= 0 && static_cast<std::uint64_t>(index) < count;
        }
        std::uint64_t count = 3;
    };
    int OnUpdate(std::uint32_t, std::uintptr_t, std::uintptr_t) override { return 0; }
    void Release() override { DestroyWindow(); }
    int FillAttributes(ExportSource& request) override {
        request.startTime = L"2026-3-1 0:0:0.0";
        request.interval = 60.0;
        request.managers = {&samples};
        request.keys = {ExportKey{0, 2, -1, 0, 1}};
        return 1;
    }
    // The kind code 0: statistic records.
    std::intptr_t RequestRange(std::uint32_t code, std::uintptr_t, std::intptr_t) override {
        asked = code;
        return 0;
    }
    Samples samples;
    std::uint32_t asked = 0;
};

TEST_F(ExportCommandTest, TableExportWritesTheViewInFrontAndTellsEveryOutcome) {
    // Every pane that can be exported shows the test's view while the panes are made.
    const std::array<unsigned, 8> exportPanes{40002, 40003, 40006, 40007, 40008, 40009, 40010, 40011};
    std::vector<ui::PaneViewFactory> previous;
    std::vector<ExportingView*> views;
    for (const unsigned id : exportPanes) {
        previous.push_back(ui::FindPaneView(id));
        ui::RegisterPaneView(id, [&](ui::Window& host) -> std::unique_ptr<ui::Window> {
            auto made = std::make_unique<ExportingView>();
            if (!made->CreateChild(&host, 0, ui::kStyleChild | ui::kStyleVisible, wxRect())) {
                return nullptr;
            }
            views.push_back(made.get());
            return made;
        });
    }
    Frame().SetStatisticPath(L"/数据/Board1");
    Frame().SetStatisticLoaded(1);

    // No view in front yet.
    {
        FolderChoice choice(output.Path());
        Boxes().Clear();
        Command(kCmdTableExport);
        ASSERT_TRUE(apptest::PumpUntil([] { return !Boxes().shown.empty(); }));
        EXPECT_EQ(LastBox(), Text(6121));
        EXPECT_EQ(Boxes().shown.back().caption, Text(32766));
    }
    Command(kCmdRecordData);
    for (std::size_t i = 0; i < exportPanes.size(); ++i) {
        ui::RegisterPaneView(exportPanes[i], previous[i]);
    }
    ASSERT_FALSE(views.empty());
    Frame().GetPaneManager().SelectPane(40007);

    std::ofstream(output.Path() / "file") << "not a folder";
    struct Case {
        const char* name;
        fs::path folder;
        std::uint64_t count;
        std::wstring box;
        bool diskFull = false;
    };
    const Case cases[] = {
        {"written", output.Path() / "tables", 3, Text(6116)},
        {"no values", output.Path() / "empty", 0, Text(6120)},
        {"unwritable folder", output.Path() / "file", 3, Text(6119)},
        {"full disk", output.Path() / "full", 3, Text(6297), true},
    };
    for (const Case& c : cases) {
        fs::create_directories(c.folder.filename() == "file" ? output.Path() : c.folder);
        for (ExportingView* view : views) {
            view->samples.count = c.count;
        }
        FolderChoice choice(c.folder);
        Boxes().answer = ui::kIdNo;
        Boxes().Clear();
        std::optional<testsupport::WriteFault> full;
        if (c.diskFull) {
            full.emplace(c.folder, testsupport::WriteFault::Kind::DiskFull);
        }
        Command(kCmdExportData);
        ASSERT_TRUE(apptest::PumpUntil([] { return !Boxes().shown.empty(); })) << c.name;
        EXPECT_EQ(LastBox(), c.box) << c.name;
        EXPECT_EQ(Frame().GetTableFolder(), platform::FromPath(c.folder)) << c.name;
    }
    EXPECT_TRUE(std::any_of(views.begin(), views.end(),
                            [](const ExportingView* view) { return view->asked == IObserverView::kQueryKind; }))
        << "the view in front was asked for its kind";
    EXPECT_EQ(apptest::ReadProgramFile("Ondrava.ini").find("StatisticDataPath") != std::string::npos, true)
        << "the chosen folder is kept";
    // The frame lets go of the test's view as the program closes it.
    apptest::Restart();
}

TEST_F(ExportCommandTest, TableExportOfAWaveformRecordGoesToItsWindow) {
    Frame().SetWavePath(L"/数据/录波/rec1");
    Frame().ShowWaveClient(true);
    {
        FolderChoice choice(output.Path());
        Boxes().Clear();
        Command(kCmdWaveExportData);
    }
    // The waveform-record window makes its export folder below the chosen one and
    // tells the outcome itself.
    std::size_t made = 0;
    for (const auto& entry : std::filesystem::directory_iterator(output.Path())) {
        made += entry.is_directory() ? 1 : 0;
    }
    EXPECT_EQ(made, 1u) << "the chosen folder reached the waveform-record window";
    EXPECT_NE(apptest::ReadProgramFile("WaveSystem.ini").find(platform::WideToUtf8(platform::FromPath(output.Path()))),
              std::string::npos)
        << "the chosen folder is kept for waveform records";
    apptest::Restart();
}

}  // namespace
