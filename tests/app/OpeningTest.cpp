// Opening terminal data from the ribbon: the folder checks, the board and data
// selection, the conversion, the load behind the busy indicator and what the frame
// shows afterwards, over generated terminal folders; a conversion that cannot write,
// the harmonic collector stopped by the next open, and the window painting while a
// load runs.
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <set>

#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/statusbr.h>

#include "AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/MainFrame.h"
#include "app/NewDataSelectDlg.h"
#include "app/OndravaApp.h"
#include "app/SelectBoardDlg.h"
#include "core/ZVResourceManager.h"
#include "device/DiscoveryTool.h"
#include "device/RemovableDrives.h"
#include "device/ui/OpenNetDlg.h"
#include "platform/base/Encoding.h"
#include "platform/base/Hourglaze.h"
#include "platform/ui/BusyIndicator.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Profile.h"
#include "platform/ui/RibbonBar.h"
#include "terminal/ComtradeDataManager.h"
#include "terminal/HarmDataCollector.h"
#include "terminal/RecordDataManager.h"
#include "terminal/SOEEventDataManager.h"
#include "terminal/ConvertedFolder.h"
#include "tests/support/TempDir.h"
#include "tools/gen/ComtradeRecord.h"
#include "tools/gen/ItemFiles.h"
#include "tools/gen/SoeFile.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/TerminalMedium.h"
#include "tools/gen/WaveRecord.h"

namespace apptest {
namespace {

namespace fs = std::filesystem;


std::wstring Wide(const fs::path& path) { return platform::FromPath(path); }

// A record of two hours at one minute, with a transient event and two alarm blocks
// inside it, as a terminal of the model writes it.
gen::StatisticFolderOptions Record(const wchar_t* model, std::uint64_t records = 120) {
    gen::StatisticFolderOptions options;
    options.deviceType = model;
    options.records = records;
    options.startYear = 2024;
    options.startMonth = 3;
    options.startDay = 5;
    options.startHour = 8;
    return options;
}

void WriteEvents(const fs::path& folder) {
    gen::ComtradeOptions comtrade;
    comtrade.first = {2024, 3, 5, 8, 45, 0, 0};
    comtrade.trigger = {2024, 3, 5, 8, 45, 0, 100};
    ASSERT_TRUE(gen::WriteComtradeRecord(folder / "COMTRADE/001" / gen::ComtradeRecordName("AB", comtrade.first),
                                         comtrade));
    ASSERT_TRUE(gen::WriteSoeFile(folder / "SOE/K7700.soe", gen::MakeSoeBlocks({2, 3})));
}

void WriteTerminal(const fs::path& folder, const gen::StatisticFolderOptions& options) {
    ASSERT_TRUE(gen::WriteStatisticFolder(folder, options));
    WriteEvents(folder);
}

// A frame started afresh, without the pane layout an earlier row left behind.
void FreshFrame() {
    ui::SendMessage(&Frame(), ui::kMsgClose, kCloseReasonLanguageRestart, 0);
    std::error_code ignored;
    fs::remove(ui::ProfileFile(), ignored);
    Restart();
}

std::string StatisticCfg(const fs::path& folder) { return testsupport::ReadAll(folder / "Statistic/statistic.cfg"); }

class OpeningTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        platform::SetHourglaze(&m_indicator);
        ui::SetPickerResponder([this](const ui::PickerRequest& request) {
            m_pickerTitles.push_back(request.title);
            return m_pick;
        });
        ui::SetDialogResponder([this](ui::Dialog& dialog) { return Answer(dialog); });
    }
    void TearDown() override {
        ui::SetDialogResponder(nullptr);
        ui::SetPickerResponder(nullptr);
        platform::SetHourglaze(App().GetBusyIndicator());
        SetHarmDataCollector(nullptr);
        AppTest::TearDown();
    }

    // In place of the user: the board asked for, and OK on the data selection.
    bool Answer(ui::Dialog& dialog) {
        if (auto* boards = dynamic_cast<CSelectBoardDlg*>(&dialog)) {
            for (wxWindow* child : dialog.GetWx()->GetChildren()) {
                if (auto* radio = dynamic_cast<wxRadioButton*>(child)) {
                    const std::wstring caption = radio->GetLabel().ToStdWstring();
                    m_boards.push_back(caption + (radio->GetValue() ? L"*" : L""));
                    if (caption == m_board) {
                        radio->SetValue(true);
                    }
                }
            }
            boards->OnOK();
            return true;
        }
        if (auto* device = dynamic_cast<COpenNetDlg*>(&dialog)) {
            // The terminal's drive, the record asked for, OK: the record downloads.
            const bool listed = PumpUntil([device] { return device->GetDeviceList().GetItemCount() >= 1; });
            if (listed) {
                device->GetDeviceList().SetSelection(0);
            }
            if (listed && PumpUntil([device] { return device->GetFolderList()->GetItemCount() >= 1; })) {
                wxListCtrl* folders = device->GetFolderList();
                for (long row = 0; row < folders->GetItemCount(); ++row) {
                    if (folders->GetItemText(row).ToStdWstring() == m_record) {
                        device->SelectFolderRows({row});
                        device->OnOK();
                    }
                }
            }
            ++m_deviceDialogs;
            return true;
        }
        if (auto* selection = dynamic_cast<CNewDataSelectDlg*>(&dialog)) {
            ++m_selections;
            m_selectedBlocks = selection->GetRecord().GetBlockCount();
            selection->OnOK();
            return true;
        }
        return false;
    }

    // Opens the folder as the user does: the open button, the folder picker, then
    // whatever the road asks; the posted steps run too.
    void Open(const fs::path& folder, const std::wstring& suffix = L"") {
        Boxes().Clear();
        m_indicator.positions.clear();
        m_indicator.notes.clear();
        m_boards.clear();
        m_selections = 0;
        m_pick = Wide(folder) + suffix;
        ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdOpenLocal));
        Drain();
    }

    std::vector<std::wstring> BoxTexts() const {
        std::vector<std::wstring> texts;
        for (const auto& box : Boxes().shown) {
            texts.push_back(box.text);
        }
        return texts;
    }

    NotingIndicator m_indicator{*App().GetBusyIndicator()};
    std::wstring m_pick;
    std::wstring m_board;
    std::vector<std::wstring> m_pickerTitles;
    std::vector<std::wstring> m_boards;
    int m_selections = 0;
    std::uint64_t m_selectedBlocks = 0;
    int m_deviceDialogs = 0;
    std::wstring m_record;  // the terminal's record downloaded
};

std::set<std::uint32_t> ShownPanes() {
    std::set<std::uint32_t> ids;
    for (std::uint32_t id = 40001; id <= 40012; ++id) {
        if (Frame().GetPaneManager().IsPaneHidden(id) == 0) {
            ids.insert(id);
        }
    }
    return ids;
}

std::set<std::uint32_t> SelectedPanes() {
    std::set<std::uint32_t> ids;
    for (std::uint32_t id = 40001; id <= 40012; ++id) {
        if (Frame().GetPaneManager().GetManager().IsPaneSelected(id)) {
            ids.insert(id);
        }
    }
    return ids;
}

std::wstring StatusText() { return Frame().GetFrame()->GetStatusBar()->GetStatusText(1).ToStdWstring(); }

// The series of the first item (line voltage L1, maxima) the statistic model serves.
std::vector<double> VoltageMaxima() {
    CRecordDataManager series;
    auto* manager = static_cast<IZVDataManager*>(&series);
    Frame().GetStatisticModel().GetData(0, 0, 0, 0, 1, reinterpret_cast<QueryWord>(manager));
    std::vector<double> values;
    for (std::uint64_t i = 0; i < series.GetCount(); ++i) {
        double value = 0.0;
        series.GetValue(static_cast<std::int64_t>(i), &value);
        values.push_back(value);
    }
    return values;
}

class RecordList : public CComtradeDataManager, public IComtradeRecordSink {
public:
    void AddRecord(const CComtradeListItem&) override { ++count; }
    int count = 0;
};

std::uint64_t TransientCount() {
    RecordList list;
    Frame().GetComtradeModel().GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&list)));
    return static_cast<std::uint64_t>(list.count);
}

std::uint64_t AlarmCount() {
    CSOEEventDataManager events;
    Frame().GetSOEModel().GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&events));
    return events.GetCount();
}

TEST_F(OpeningTest, EachKindOfFolderOpensOrIsRefusedWithItsMessage) {
    testsupport::TempDir dir;
    const std::wstring wye = String(6103) + String(10281) + L"   L1  L2  L3  N  " + String(6104);
    const std::wstring delta =
        String(6103) + String(10279) + L"   L1  L2  L3  " + String(6104) + L"，N  " + String(6105);
    const std::wstring emptyRecord = String(10297) + String(10298);

    struct Case {
        const char* row;
        std::function<void(const fs::path&)> write;
        std::wstring suffix;  // added to the folder picked
        std::wstring board;   // the board chosen when asked
        int answer;           // to every question
        std::vector<std::wstring> boxes;
        std::vector<std::wstring> boards;  // offered, "*" marking the one chosen at first
        std::string opened;                // the data folder below the row's, "" for the row's; "-" none
        std::uint64_t records;
        std::wstring status;
        bool converted;
    };
    const auto terminal = [](gen::StatisticFolderOptions options) {
        return [options](const fs::path& folder) { WriteTerminal(folder, options); };
    };
    const auto k7700 = [] {
        gen::StatisticFolderOptions options = Record(L"K7700");
        return options;
    };
    const Case cases[] = {
        {"K7700 needing conversion, its statistic folder picked with a separator", terminal(k7700()),
         L"/Statistic/", L"", ui::kIdYes, {}, {}, "", 120, wye, true},
        {"K7800 converted already, three-wire",
         [](const fs::path& folder) {
             gen::StatisticFolderOptions options = Record(L"PQ-K7800");
             options.preConvert = 1;
             options.wiringCategory = 3;
             options.wiringSubtype = 3;
             WriteTerminal(folder, options);
             ASSERT_TRUE(gen::WriteItemFiles(folder / "Statistic/newfiles", options));
         },
         L"", L"", ui::kIdYes, {}, {}, "", 120, delta, false},
        {"K7900 with two boards, board 2 chosen",
         [](const fs::path& folder) {
             WriteTerminal(folder / "Board1", Record(L"K7900", 60));
             // A board whose name the disk keeps in lower case, and one without data.
             WriteTerminal(folder / "board2", Record(L"K7900", 90));
             fs::create_directories(folder / "Board3");
         },
         L"", L"板卡2", ui::kIdYes, {}, {L"板卡1*", L"板卡2"}, "board2", 90, wye, false},
        {"K7700 of version V1.2.3",
         [](const fs::path& folder) {
             gen::StatisticFolderOptions options = Record(L"K7700");
             options.softwareVersion = L"V1.2.3";
             WriteTerminal(folder, options);
         },
         L"", L"", ui::kIdYes, {String(6109)}, {}, "-", 0, L"", false},
        {"K7700 of version 1.2.4 without V",
         [](const fs::path& folder) {
             gen::StatisticFolderOptions options = Record(L"K7700");
             options.softwareVersion = L"1.2.4";
             options.preConvert = 1;
             WriteTerminal(folder, options);
             ASSERT_TRUE(gen::WriteItemFiles(folder / "Statistic/newfiles", options));
         },
         L"", L"", ui::kIdYes, {}, {}, "", 120, wye, false},
        {"no recordinfo.cfg",
         [](const fs::path& folder) {
             WriteTerminal(folder, Record(L"K7700"));
             fs::remove(folder / "recordinfo.cfg");
         },
         L"", L"", ui::kIdYes, {String(6086)}, {}, "-", 0, L"", false},
        {"unknown device type", terminal(Record(L"K6600")), L"", L"", ui::kIdYes, {String(6394)}, {}, "-", 0, L"",
         false},
        {"BlockCount 0, opened anyway",
         [](const fs::path& folder) {
             gen::StatisticFolderOptions options = Record(L"K7900", 0);
             options.end = gen::DateTime{2024, 3, 5, 10, 0, 0, 0};
             WriteTerminal(folder, options);
         },
         L"", L"", ui::kIdYes, {emptyRecord}, {}, "", 0, wye, false},
        {"BlockCount 0, declined", terminal(Record(L"K7900", 0)), L"", L"", ui::kIdNo, {emptyRecord}, {}, "-", 0,
         L"", false},
        {"statistic data that does not load",
         [](const fs::path& folder) {
             gen::StatisticFolderOptions options = Record(L"K7900");
             options.defect = gen::StatisticDefect::MissingItem;
             WriteTerminal(folder, options);
         },
         L"", L"", ui::kIdYes, {String(10068)}, {}, "-", 0, L"", false},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        FreshFrame();
        const fs::path folder = dir / ("row" + std::to_string(row++));
        c.write(folder);
        const std::string cfgBefore = StatisticCfg(folder);
        Boxes().answer = c.answer;
        m_board = c.board;
        Open(folder, c.suffix);

        EXPECT_EQ(BoxTexts(), c.boxes);
        EXPECT_EQ(m_boards, c.boards);
        EXPECT_EQ(m_pickerTitles.back(), String(10000));
        EXPECT_EQ(Frame().IsStatisticLoaded(), c.opened != "-");
        if (c.converted) {
            EXPECT_TRUE(fs::exists(folder / "Statistic/newfiles/ESIN_VRMS.data"));
            EXPECT_NE(StatisticCfg(folder).find("pre_convert=1"), std::string::npos);
            EXPECT_NE(std::find(m_indicator.notes.begin(), m_indicator.notes.end(), String(6110)),
                      m_indicator.notes.end());
        } else if (c.opened == "-") {
            // Refused before any conversion: the folder is as it was.
            EXPECT_EQ(StatisticCfg(folder), cfgBefore);
            EXPECT_FALSE(fs::exists(folder / "Statistic/newfiles") && !fs::exists(folder / "Statistic/newfiles/ESIN_VRMS.data"));
        }
        if (c.opened == "-") {
            EXPECT_EQ(Frame().GetWindowText(), String(200));
            EXPECT_TRUE(Frame().GetStatisticPath().empty());
            EXPECT_TRUE(ShownPanes().empty());
            EXPECT_EQ(StatusText(), L"");
            EXPECT_FALSE(Frame().IsFolderLocked());
            continue;
        }
        const fs::path opened = c.opened.empty() ? folder : folder / c.opened;
        EXPECT_EQ(m_selections, 1);
        EXPECT_EQ(m_selectedBlocks, c.records);
        EXPECT_EQ(Frame().GetStatisticPath(), Wide(opened));
        EXPECT_EQ(Frame().GetWindowText(), String(200) + L" - [" + Wide(opened) + L"]");
        EXPECT_EQ(StatusText(), c.status);
        EXPECT_EQ(ShownPanes(), (std::set<std::uint32_t>{40006, 40007, 40008, 40009, 40010, 40011, 40012}));
        EXPECT_EQ(SelectedPanes(), std::set<std::uint32_t>{40006});
        EXPECT_TRUE(Frame().IsFolderLocked());

        // Stages named, the indicator kept within 0 to 100 and left at exactly 100.
        for (const unsigned stage : {6106u, 6107u, 6108u}) {
            EXPECT_NE(std::find(m_indicator.notes.begin(), m_indicator.notes.end(), String(stage)),
                      m_indicator.notes.end());
        }
        EXPECT_FALSE(m_indicator.positions.empty());
        EXPECT_EQ(m_indicator.positions.back(), 100.0) << testing::PrintToString(m_indicator.positions);
        for (const double position : m_indicator.positions) {
            EXPECT_GE(position, 0.0);
            EXPECT_LE(position, 100.0);
        }

        const DataSelectInfo& selection = Frame().GetSelection();
        EXPECT_EQ(selection.FirstBlock, 0u);
        EXPECT_EQ(selection.EndBlock, c.records);
        BasicInfo info;
        ASSERT_EQ(Frame().GetStatisticModel().QueryBasicInfo(&info), 1);
        EXPECT_EQ(info.recordCount, c.records);
        const std::vector<double> maxima = VoltageMaxima();
        ASSERT_EQ(maxima.size(), c.records);
        for (std::uint64_t r = 0; r < c.records; r += 17) {
            EXPECT_EQ(maxima[r], gen::StatisticValue(r, 0, 0)) << "record " << r;
        }
        EXPECT_EQ(TransientCount(), 1u);
        EXPECT_EQ(AlarmCount(), 5u);
    }
}

TEST_F(OpeningTest, ADownloadedRecordOpensThroughTheOpeningRoads) {
    testsupport::TempDir dir;
    // A terminal's drive, mounted, and no terminal answering on the network.
    gen::TerminalMediumOptions medium;
    medium.exportRecords = {{"20260301_080000"}};
    medium.waveRecords = {{"20260301_100000"}};
    ASSERT_TRUE(gen::WriteTerminalMedium(dir / "usb", medium));
    SetMountTablePath(
        Wide(dir.Write("mountinfo", "40 1 8:17 / " + (dir / "usb").string() + " rw - vfat /dev/sdz1 rw\n")));
    DiscoverySettings quiet;
    quiet.listenAddress = net::kLoopback;
    quiet.listenPort = 0;
    quiet.destinations = {net::kLoopback};
    quiet.probePort = 9;
    quiet.quietSpell = std::chrono::milliseconds(200);
    CDiscoveryTool::SetSettings(quiet);
    m_pick = Wide(dir / "local");  // the folder the records are copied into

    // The statistic record: downloaded, converted and loaded.
    m_record = L"20260301_080000";
    ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdOpenDevice));
    Drain();
    const fs::path statistic = dir / "local/20260301_080000";
    EXPECT_EQ(m_deviceDialogs, 1);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{});
    EXPECT_EQ(m_selections, 1);
    EXPECT_TRUE(Frame().IsStatisticLoaded());
    EXPECT_EQ(Frame().GetStatisticPath(), Wide(statistic));
    EXPECT_EQ(Frame().GetWindowText(), String(200) + L" - [" + Wide(statistic) + L"]");
    EXPECT_EQ(VoltageMaxima().size(), 20u);
    EXPECT_TRUE(Frame().IsFolderLocked());

    // The waveform record, after the question whether the statistic data may go.
    Boxes().Clear();
    Boxes().answer = ui::kIdYes;
    m_record = L"20260301_100000";
    ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdOpenWaveDevice));
    Drain();
    const fs::path wave = dir / "local/20260301_100000";
    EXPECT_EQ(m_deviceDialogs, 2);
    EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{String(6091)});
    EXPECT_EQ(Frame().IsWaveShown(), 1);
    EXPECT_EQ(Frame().IsStatisticLoaded(), 0);
    EXPECT_EQ(Frame().GetWavePath(), Wide(wave));
    EXPECT_TRUE(Frame().GetStatisticPath().empty());
    EXPECT_EQ(Frame().GetWindowText(), String(200) + L" - [" + Wide(wave) + L"]");
    EXPECT_TRUE(ShownPanes().empty());
    EXPECT_FALSE(Frame().IsFolderLocked());

    CDiscoveryTool::Stop(true);
    CDiscoveryTool::SetSettings(DiscoverySettings{});
    SetMountTablePath(L"");
}

TEST_F(OpeningTest, AWaveformFolderOpensInTheWaveformClient) {
    testsupport::TempDir dir;
    WriteTerminal(dir / "statistic", Record(L"K7900"));
    const gen::WaveRecordOptions record = gen::ThreePhaseWaveRecord(6400, 0.2);
    struct Case {
        const char* row;
        std::function<void(const fs::path&)> write;
        std::wstring board;
        int answer;                     // to the question whether the statistic data may go
        std::vector<std::wstring> boxes;
        std::string opened;             // the record folder below the row's, "" the row's; "-" none
    };
    const Case cases[] = {
        {"a record", [&](const fs::path& folder) { ASSERT_TRUE(gen::WriteWaveRecord(folder, record)); }, L"",
         ui::kIdYes, {String(6091)}, ""},
        {"a record on board 2 of two",
         [&](const fs::path& folder) {
             ASSERT_TRUE(gen::WriteWaveRecord(folder / "Board1", record));
             ASSERT_TRUE(gen::WriteWaveRecord(folder / "Board2", record));
         },
         L"板卡2", ui::kIdYes, {String(6091)}, "Board2"},
        {"statistic data kept", [&](const fs::path& folder) { ASSERT_TRUE(gen::WriteWaveRecord(folder, record)); },
         L"", ui::kIdNo, {String(6091)}, "-"},
        {"no record", [](const fs::path& folder) { fs::create_directories(folder / "Board1"); }, L"", ui::kIdYes,
         {String(6091), String(6102)}, "-"},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        FreshFrame();
        Open(dir / "statistic");
        ASSERT_TRUE(Frame().IsStatisticLoaded());
        const fs::path folder = dir / ("row" + std::to_string(row++));
        c.write(folder);
        Boxes().Clear();
        Boxes().answer = c.answer;
        m_board = c.board;
        m_pick = Wide(folder);
        ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdOpenWaveLocal));
        Drain();
        EXPECT_EQ(BoxTexts(), c.boxes);
        if (c.opened == "-") {
            EXPECT_EQ(Frame().IsWaveShown(), 0);
            EXPECT_TRUE(Frame().GetWavePath().empty());
            // Declined or refused: the statistic data stays shown.
            EXPECT_EQ(Frame().IsStatisticLoaded(), 1);
            EXPECT_FALSE(Frame().GetStatisticPath().empty());
            continue;
        }
        const fs::path opened = c.opened.empty() ? folder : folder / c.opened;
        EXPECT_EQ(Frame().IsWaveShown(), 1);
        EXPECT_EQ(Frame().IsStatisticLoaded(), 0);
        EXPECT_EQ(Frame().GetWavePath(), Wide(opened));
        EXPECT_TRUE(Frame().GetStatisticPath().empty());
        EXPECT_EQ(Frame().GetWindowText(), String(200) + L" - [" + Wide(opened) + L"]");
        EXPECT_TRUE(ShownPanes().empty());
    }
}

// Sets the file system's immutable flag on a folder, so that even root cannot add
// to it; false where the file system or the process cannot.
bool SetImmutable(const fs::path& folder, bool immutable) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

std::map<std::string, std::string> FolderBytes(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files[entry.path().filename().string()] = testsupport::ReadAll(entry.path());
    }
    return files;
}

// A chosen folder whose name cannot be carried (a line break in it, bytes that are not
// text), and a folder whose description file is larger than any terminal writes: a
// message says so, nothing is opened.
TEST_F(OpeningTest, UnusableFolderNamesAndOversizedDescriptionsGetAMessage) {
    testsupport::TempDir dir;
    struct Case {
        const char* row;
        std::wstring name;
        bool oversized;
        std::wstring box;
    };
    const Case cases[] = {
        {"line break in the name", L"two\nlines", false, String(10408)},
        {"bytes that are not text", std::wstring(L"bad") + wchar_t(0xFFFD), false, String(10408)},
        {"recordinfo.cfg of 2 MB", L"large", true, String(10409) + L"recordinfo.cfg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        FreshFrame();
        const fs::path folder = dir.Path() / platform::ToPath(c.name);
        WriteTerminal(folder, Record(L"K7900"));
        if (c.oversized) {
            std::ofstream(folder / "recordinfo.cfg", std::ios::app) << std::string(2 * 1024 * 1024, ';');
        }
        Open(folder);
        EXPECT_EQ(BoxTexts(), std::vector<std::wstring>{c.box});
        EXPECT_EQ(m_selections, 0);
        EXPECT_FALSE(Frame().IsStatisticLoaded());
    }
}

// A folder whose item folder cannot be written (a write-protected card) is converted
// into the user's cache and opened from there, the folder left as it was; the next open
// finds the cache's conversion. Where the cache cannot be written either, the message
// says the folder is read-only (not that memory ran out), and what was shown stays.
TEST_F(OpeningTest, AFolderThatCannotBeWrittenOpensFromTheCache) {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions shownOptions = Record(L"K7900");
    WriteTerminal(dir / "shown", shownOptions);
    Open(dir / "shown");
    ASSERT_TRUE(Frame().IsStatisticLoaded());
    const std::wstring title = Frame().GetWindowText();

    struct Case {
        const char* row;
        bool cacheWritable;
    };
    for (const Case c : {Case{"cache not writable either", false}, Case{"cache writable", true}}) {
        SCOPED_TRACE(c.row);
        // Item files of an earlier conversion, of fewer records than the blocks hold.
        const fs::path folder = dir / (std::string("readonly-") + (c.cacheWritable ? "1" : "0"));
        WriteTerminal(folder, Record(L"K7700"));
        gen::StatisticFolderOptions older = Record(L"K7700", 30);
        const fs::path items = folder / "Statistic/newfiles";
        ASSERT_TRUE(gen::WriteItemFiles(items, older));
        const auto itemsBefore = FolderBytes(items);
        const std::string cfgBefore = StatisticCfg(folder);
        const fs::path cache = platform::ToPath(std::string_view(std::getenv("XDG_CACHE_HOME")));
        fs::create_directories(cache);
        const auto lock = [&](const fs::path& path, bool locked) {
            if (getuid() == 0) {
                return SetImmutable(path, locked);
            }
            fs::permissions(path, locked ? fs::perms::owner_read | fs::perms::owner_exec : fs::perms::owner_all);
            return true;
        };
        if (!lock(items, true) || (!c.cacheWritable && !lock(cache, true))) {
            lock(items, false);
            GTEST_SKIP() << "root on a file system without the immutable flag can write anywhere";
        }
        Boxes().Clear();
        m_selections = 0;
        Open(folder);
        lock(items, false);
        if (!c.cacheWritable) {
            lock(cache, false);
        }
        EXPECT_EQ(FolderBytes(items), itemsBefore);
        EXPECT_EQ(StatisticCfg(folder), cfgBefore);
        if (!c.cacheWritable) {
            ASSERT_EQ(Boxes().shown.size(), 1u);
            EXPECT_EQ(Boxes().shown[0].text, String(10401));
            EXPECT_EQ(Boxes().shown[0].caption, String(6115));
            EXPECT_EQ(m_selections, 0);
            // What was shown before stays shown.
            EXPECT_TRUE(Frame().IsStatisticLoaded());
            EXPECT_EQ(Frame().GetWindowText(), title);
            EXPECT_EQ(Frame().GetStatisticPath(), Wide(dir / "shown"));
            continue;
        }
        EXPECT_TRUE(Boxes().shown.empty());
        EXPECT_EQ(m_selections, 1);
        ASSERT_TRUE(Frame().IsStatisticLoaded());
        EXPECT_EQ(Frame().GetStatisticPath(), Wide(folder));
        EXPECT_EQ(VoltageMaxima().size(), 120u);
        ASSERT_TRUE(converted::CachedItemFolder(folder).has_value());

        // Opened again: from the cache, without a second conversion.
        const auto cachedBefore = FolderBytes(*converted::CachedItemFolder(folder));
        Boxes().Clear();
        Open(folder);
        EXPECT_TRUE(Boxes().shown.empty());
        EXPECT_EQ(VoltageMaxima().size(), 120u);
        EXPECT_EQ(FolderBytes(*converted::CachedItemFolder(folder)), cachedBefore);
    }
}

// A collector that collects until it is told to stop.
class BlockingCollector : public IHarmDataCollector {
public:
    void SetDataFolder(const std::wstring& folder) override { folders.push_back(folder); }
    void SetQuery(const CRecordRange& range) override { ranges.push_back(range); }
    void CollectItems(IDataModel* source, std::stop_token stop) override {
        std::unique_lock lock(m_lock);
        sources.push_back(source);
        ++running;
        m_changed.notify_all();
        m_changed.wait(lock, stop, [] { return false; });
        --running;
        stopped += stop.stop_requested() ? 1 : 0;
        events.push_back("stopped");
    }
    void Clear() override {
        std::lock_guard lock(m_lock);
        events.push_back(running != 0 ? "cleared while collecting" : "cleared");
    }
    bool WaitUntilRunning() {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, std::chrono::seconds(30), [this] { return running != 0; });
    }

    std::vector<std::wstring> folders;
    std::vector<CRecordRange> ranges;
    std::vector<IDataModel*> sources;
    std::vector<std::string> events;
    int running = 0;
    int stopped = 0;

private:
    std::mutex m_lock;
    std::condition_variable_any m_changed;
};

TEST_F(OpeningTest, TheNextOpenStopsTheCollectorAndWaitsForIt) {
    BlockingCollector collector;
    SetHarmDataCollector(&collector);
    testsupport::TempDir dir;
    WriteTerminal(dir / "data", Record(L"K7900"));
    Open(dir / "data");
    ASSERT_TRUE(Frame().IsStatisticLoaded());
    ASSERT_TRUE(collector.WaitUntilRunning());
    EXPECT_TRUE(Frame().IsCollecting());
    ASSERT_EQ(collector.folders.size(), 1u);
    EXPECT_EQ(collector.folders[0], Wide(dir / "data") + L"/Statistic/");
    EXPECT_EQ(collector.ranges[0].EndBlock, 120u);
    EXPECT_EQ(collector.sources[0], static_cast<IDataModel*>(&Frame().GetStatisticModel()));

    collector.events.clear();
    ASSERT_TRUE(Frame().GetRibbonBar()->ClickButton(kCmdReselectData));
    Drain();
    EXPECT_EQ(collector.stopped, 1);
    ASSERT_GE(collector.events.size(), 2u);
    // Stopped and waited for before the store was cleared and the models reloaded.
    EXPECT_EQ(collector.events[0], "stopped");
    EXPECT_EQ(collector.events[1], "cleared");
    ASSERT_TRUE(collector.WaitUntilRunning());
    EXPECT_EQ(collector.folders.size(), 2u);

    // Closing the program stops it too.
    Restart();
    EXPECT_EQ(collector.stopped, 2);
    EXPECT_FALSE(Frame().IsCollecting());
}

TEST_F(OpeningTest, TheWindowPaintsWhileTheLoadRuns) {
    testsupport::TempDir dir;
    WriteTerminal(dir / "data", Record(L"K7900"));
    wxStatusBar* status = Frame().GetFrame()->GetStatusBar();
    std::mutex lock;
    std::condition_variable painted;
    int paints = 0;
    const auto onPaint = [&](wxPaintEvent& event) {
        {
            std::lock_guard guard(lock);
            ++paints;
        }
        painted.notify_all();
        event.Skip();
    };
    status->Bind(wxEVT_PAINT, onPaint);
    // Mid-load the worker waits until the window has painted again.
    bool paintedMidLoad = false;
    m_indicator.onUpdate = [&] {
        if (paintedMidLoad) {
            return;
        }
        std::unique_lock guard(lock);
        const int before = paints;
        ui::PostToUiThread([status] { status->Refresh(); });
        paintedMidLoad = painted.wait_for(guard, std::chrono::seconds(20), [&] { return paints > before; });
    };
    Open(dir / "data");
    m_indicator.onUpdate = nullptr;
    status->Unbind(wxEVT_PAINT, onPaint);
    EXPECT_TRUE(paintedMidLoad);
    EXPECT_TRUE(Frame().IsStatisticLoaded());
}

// The frame object goes while its window is up and its panes hold the views of
// loaded data, as when the process ends without closing it (start-up run again
// does the same): the panes let go of their views without laying anything out.
TEST_F(OpeningTest, TheFrameGoesWithoutAClosingWhileItsPanesHoldViews) {
    testsupport::TempDir dir;
    WriteTerminal(dir / "data", Record(L"K7900"));
    Open(dir / "data");
    ASSERT_TRUE(Frame().IsStatisticLoaded());
    ASSERT_NE(Frame().GetPaneManager().GetView(40006), nullptr);
    ASSERT_TRUE(Frame().IsWindow());

    // At the process's end messages are no longer delivered when the frame goes.
    ui::StopMessageDelivery();
    const bool started = App().InitInstance();
    ui::StartMessageDelivery();
    ASSERT_TRUE(started);
    Drain();
    EXPECT_TRUE(Frame().IsWindow());
    EXPECT_FALSE(Frame().IsStatisticLoaded());
}

// The window manager's close while the load runs behind the busy indicator is not
// lost: nothing is asked meanwhile, the exit question comes once the data is
// there, and Cancel keeps it.
TEST_F(OpeningTest, ACloseDuringTheLoadWaitsForItAndThenAsks) {
    testsupport::TempDir dir;
    WriteTerminal(dir / "data", Record(L"K7900"));
    Boxes().answer = ui::kIdCancel;
    std::optional<std::size_t> boxesDuringLoad;
    m_indicator.onUpdate = [&] {
        if (boxesDuringLoad) {
            return;
        }
        ui::CallOnUiThread([] {
            Frame().GetFrame()->Close();
            return ui::LResult{0};
        });
        boxesDuringLoad = Boxes().shown.size();
    };
    Open(dir / "data");
    m_indicator.onUpdate = nullptr;
    ASSERT_TRUE(boxesDuringLoad);
    EXPECT_EQ(*boxesDuringLoad, 0u) << "asked while the load ran";
    EXPECT_TRUE(PumpUntil([] { return !Boxes().shown.empty(); })) << "the close was lost";
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, L"确定要退出Ondrava电能质量分析软件吗？");
    EXPECT_TRUE(Frame().IsWindow());
    EXPECT_TRUE(Frame().IsStatisticLoaded());
}

}  // namespace
}  // namespace apptest
