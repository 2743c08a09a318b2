#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <set>
#include <unistd.h>

#include "ConvertTestSupport.h"
#include "platform/base/PrivateProfile.h"

namespace {

namespace fs = std::filesystem;
using converttest::SmallConverter;
using converttest::Terminal;
using converttest::Wide;

std::set<std::string> FolderFileNames(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Runs the conversion with a file-size limit, so that writing an item file fails.
int ConvertWithFileSizeLimit(const Terminal& terminal, CDataTransformManager& converter, rlim_t bytes)
{
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit limit{bytes, old.rlim_max};
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    const int result = terminal.Convert(converter);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    return result;
}

// Every way a conversion fails gives its code, and leaves the previous item files,
// the item folder and statistic.cfg as they were.
TEST(ConvertFailure, GivesItsCodeAndLeavesThePreviousFiles)
{
    using Setup = std::function<void(Terminal&)>;
    struct Case {
        const char* row;
        gen::StatisticDefect defect;
        Setup setup;
        int result;
        rlim_t fileSizeLimit = 0;
    };
    const auto cfg = [](std::function<void(gen::IniDocument&)> edit) {
        return [edit](Terminal& t) { t.EditCfg(edit); };
    };
    const Case cases[] = {
        {"no block folder 001", gen::StatisticDefect::NoBlockFolder, nullptr, 2},
        {"no block files",
         gen::StatisticDefect::None,
         [](Terminal& t) {
             for (const auto& folder : fs::directory_iterator(t.Statistic())) {
                 if (!folder.is_directory() || folder.path().filename() == "newfiles") {
                     continue;
                 }
                 for (const auto& file : fs::directory_iterator(folder.path())) {
                     if (file.path().extension() == ".data") {
                         fs::remove(file.path());
                     }
                 }
             }
         },
         2},
        {"BlockSize does not match the items", gen::StatisticDefect::LayoutMismatch, nullptr, 2},
        {"unknown item id", gen::StatisticDefect::None, cfg([](gen::IniDocument& d) { d.Set(L"cfg", L"Item", L"1,7,25,470"); }), 2},
        {"no BlockSize", gen::StatisticDefect::None, cfg([](gen::IniDocument& d) { d.Remove(L"cfg", L"BlockSize"); }), 2},
        {"no BlockTypeCount", gen::StatisticDefect::None,
         cfg([](gen::IniDocument& d) { d.Remove(L"cfg", L"BlockTypeCount"); }), 5},
        {"records of two blocks: no average for the item files", gen::StatisticDefect::None,
         cfg([](gen::IniDocument& d) { d.Set(L"cfg", L"BlockTypeCount", L"2"); }), 2},
        {"output folder missing", gen::StatisticDefect::None,
         [](Terminal& t) {
             fs::remove_all(t.ItemFolder());
             t.makeItemFolder = false;
         },
         4},
        {"a block file that is a folder", gen::StatisticDefect::None,
         [](Terminal& t) {
             fs::remove(t.Statistic() / "001" / "statistic2.data");
             fs::create_directories(t.Statistic() / "001" / "statistic2.data");
         },
         kConvertNotRegular},
        {"an item file that cannot be written: the disk is full", gen::StatisticDefect::None, nullptr,
         kConvertDiskFull, 100},
    };
    for (const Case& c : cases) {
        gen::StatisticFolderOptions options;
        options.items = {1, 7, 25, 461};
        options.records = 30;
        options.blockCountPerFile = 10;
        options.filesPerFolder = 2;
        options.defect = c.defect;
        Terminal terminal(options);
        terminal.dir.Write("Statistic/newfiles/ESIN_VRMS.data", "previous");
        terminal.dir.Write("Statistic/newfiles/ESIN_OLD.data", "stale");
        if (c.setup) {
            c.setup(terminal);
        }
        const fs::path cfgFile = terminal.Statistic() / "statistic.cfg";
        const std::string cfgBefore = fs::exists(cfgFile) ? testsupport::ReadAll(cfgFile) : "";
        const std::set<std::string> before = FolderFileNames(terminal.Statistic());

        SmallConverter converter(1 << 20, 64);
        const int result = c.fileSizeLimit != 0 ? ConvertWithFileSizeLimit(terminal, converter, c.fileSizeLimit)
                                                : terminal.Convert(converter);
        EXPECT_EQ(result, c.result) << c.row;
        if (fs::exists(terminal.ItemFolder())) {
            EXPECT_EQ(FolderFileNames(terminal.ItemFolder()), (std::set<std::string>{"ESIN_OLD.data", "ESIN_VRMS.data"}))
                << c.row;
            EXPECT_EQ(testsupport::ReadAll(terminal.ItemFolder() / "ESIN_VRMS.data"), "previous") << c.row;
        }
        EXPECT_EQ(FolderFileNames(terminal.Statistic()), before) << c.row << ": no temporary folder stays";
        if (fs::exists(cfgFile)) {
            EXPECT_EQ(testsupport::ReadAll(cfgFile), cfgBefore) << c.row << ": no marker";
        }
    }
}

// A successful conversion replaces the item files that were marked for deletion.
TEST(ConvertFailure, SuccessAfterFailureReplacesTheMarkedFiles)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7};
    options.records = 5;
    Terminal terminal(options);
    terminal.dir.Write("Statistic/newfiles/ESIN_VRMS.data", "previous");
    terminal.dir.Write("Statistic/newfiles/ESIN_OLD.data", "stale");
    terminal.dir.Write("Statistic/newfiles/notes.txt", "kept");
    {
        SmallConverter failing(1 << 20, 64);
        EXPECT_EQ(ConvertWithFileSizeLimit(terminal, failing, 10), kConvertDiskFull);
    }
    EXPECT_EQ(testsupport::ReadAll(terminal.ItemFolder() / "ESIN_VRMS.data"), "previous");
    SmallConverter converter(1 << 20, 64);
    ASSERT_EQ(terminal.Convert(converter), kConvertOk);
    EXPECT_EQ(FolderFileNames(terminal.ItemFolder()),
              (std::set<std::string>{"ESIN_FREQ.data", "ESIN_VRMS.data", "notes.txt"}));
    EXPECT_EQ(converttest::ReadFloats(terminal.ItemFolder() / "ESIN_VRMS.data").size(), 5u * 3 * 4);
}

// Putting the new item files in place: into an item folder that links into another
// file system, and against an item file name taken by a folder, where nothing may
// change when the new files cannot go in.
TEST(ConvertFailure, PutsTheItemFilesInPlaceOrLeavesThePreviousOnes)
{
    struct stat here{};
    struct stat shm{};
    testsupport::TempDir probe;
    const bool otherFileSystem = ::stat(probe.Path().c_str(), &here) == 0 && ::stat("/dev/shm", &shm) == 0 &&
                                 here.st_dev != shm.st_dev && ::access("/dev/shm", W_OK) == 0;
    struct Case {
        const char* row;
        bool linked;
        int result;
        std::set<std::string> files;
    };
    const Case cases[] = {
        {"linked to another file system", true, kConvertOk, {"ESIN_FREQ.data", "ESIN_VRMS.data"}},
        {"a folder named like an item file", false, kConvertIoFailure,
         {"ESIN_FREQ.data", "ESIN_OLD.data", "ESIN_VRMS.data"}},
    };
    for (const Case& c : cases) {
        if (c.linked && !otherFileSystem) {
            continue;  // needs /dev/shm on a file system of its own
        }
        gen::StatisticFolderOptions options;
        options.items = {7, 1};
        options.records = 5;
        Terminal terminal(options);
        std::string target = "/dev/shm/ondrava-items-XXXXXX";
        if (c.linked) {
            ASSERT_NE(::mkdtemp(target.data()), nullptr) << c.row;
            fs::create_symlink(target, terminal.ItemFolder());
        } else {
            terminal.dir.Write("Statistic/newfiles/ESIN_FREQ.data/inside", "x");
        }
        terminal.dir.Write("Statistic/newfiles/ESIN_VRMS.data", "previous");
        terminal.dir.Write("Statistic/newfiles/ESIN_OLD.data", "stale");
        SmallConverter converter(1 << 20, 64);
        EXPECT_EQ(terminal.Convert(converter), c.result) << c.row;
        EXPECT_EQ(FolderFileNames(terminal.ItemFolder()), c.files) << c.row;
        if (c.result == kConvertOk) {
            EXPECT_EQ(converttest::ReadFloats(terminal.ItemFolder() / "ESIN_VRMS.data").size(), 5u * 3 * 4) << c.row;
        } else {
            EXPECT_EQ(testsupport::ReadAll(terminal.ItemFolder() / "ESIN_VRMS.data"), "previous") << c.row;
            EXPECT_EQ(testsupport::ReadAll(terminal.ItemFolder() / "ESIN_OLD.data"), "stale") << c.row;
        }
        EXPECT_EQ(FolderFileNames(terminal.Statistic()), (std::set<std::string>{"001", "newfiles", "statistic.cfg"}))
            << c.row << ": no temporary folder stays";
        if (c.linked) {
            fs::remove_all(target);
        }
    }
}

}  // namespace

namespace {

// The work folders a killed conversion left behind go when the next conversion into
// the same folder starts; only ours, and not those of a conversion still running.
TEST(ConvertFailure, NextRunRemovesTheWorkFoldersOfKilledRuns)
{
    gen::StatisticFolderOptions options;
    options.items = {1, 7};
    options.records = 5;
    Terminal terminal(options);
    const std::string running = ".newfiles.converting-" + std::to_string(::getpid()) + "-a1B2c3";
    const std::vector<std::pair<std::string, bool>> entries = {
        {".newfiles.converting-999999999-a1B2c3", false},  // its process is gone
        {".newfiles.converting-Xy12Zq", false},           // an older version's name
        {running, true},
        {".newfiles.converting-notes", true},              // not a name of ours
        {".other.converting-Xy12Zq", true},
    };
    for (const auto& [name, kept] : entries) {
        terminal.dir.Write("Statistic/" + name + "/ESIN_VRMS.data", std::string(1000, 'x'));
    }
    SmallConverter converter(1 << 20, 64);
    ASSERT_EQ(terminal.Convert(converter), kConvertOk);
    const std::set<std::string> names = FolderFileNames(terminal.Statistic());
    for (const auto& [name, kept] : entries) {
        EXPECT_EQ(names.count(name), kept ? 1u : 0u) << name;
    }
}

}  // namespace
