// The checks an open command makes on a chosen folder: a data folder, statistic
// files, the data folder one level up, the first "Board" folder, and the version.
#include <filesystem>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "app/DataFolder.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"
#include "tools/gen/DescriptionFiles.h"
#include "tools/gen/StatisticFolder.h"
#include "tools/gen/WaveRecord.h"

namespace {

namespace fs = std::filesystem;

// data/             description files (and Statistic/statistic.cfg), Statistic/sub/
// upper/            a statistic folder whose names are all upper case
// wave/             a raw waveform record (wave.cfg, wave.data)
// boards/           a file "Board0.txt", then data folders "Board1" and "Board2"
// firstEmpty/       "Board1" empty, "Board2" a data folder
// waveBoards/       "board1" holding a waveform record
// empty/
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gen::WriteDescriptionFiles(m_dir / "data", {}));
        fs::create_directories(m_dir / "data/Statistic/sub");
        gen::StatisticFolderOptions upper;
        upper.records = 5;
        upper.nameCase = gen::NameCase::Upper;
        ASSERT_TRUE(gen::WriteStatisticFolder(m_dir / "upper", upper));
        ASSERT_TRUE(gen::WriteWaveRecord(m_dir / "wave", gen::ThreePhaseWaveRecord(12800, 0.2)));
        m_dir.Write("boards/Board0.txt", "not a folder");
        ASSERT_TRUE(gen::WriteDescriptionFiles(m_dir / "boards/Board1", {}));
        ASSERT_TRUE(gen::WriteDescriptionFiles(m_dir / "boards/Board2", {}));
        fs::create_directories(m_dir / "firstEmpty/Board1");
        ASSERT_TRUE(gen::WriteDescriptionFiles(m_dir / "firstEmpty/Board2", {}));
        ASSERT_TRUE(gen::WriteWaveRecord(m_dir / "waveBoards/board1", gen::ThreePhaseWaveRecord(12800, 0.2)));
        fs::create_directories(m_dir / "empty");
    }

    std::wstring Folder(const std::string& relative) const {
        return relative.empty() ? std::wstring() : platform::FromPath(m_dir / relative);
    }

    testsupport::TempDir m_dir;
};

TEST_F(DataFolderTest, DataFoldersAndStatisticFilesAreFoundWithOrWithoutTheSeparator) {
    struct Case {
        std::string folder;
        const wchar_t* suffix;
        bool data;
        bool statistic;
    };
    const Case cases[] = {
        {"data", L"", true, false},     {"data", L"/", true, false}, {"upper", L"", true, false},
        {"wave", L"", false, true},     {"wave", L"/", false, true}, {"empty", L"", false, false},
        {"missing", L"", false, false}, {"", L"", false, false},
    };
    for (const Case& row : cases) {
        const std::wstring folder = Folder(row.folder) + (row.folder.empty() ? L"" : row.suffix);
        EXPECT_EQ(IsDataFolder(folder), row.data) << row.folder << platform::WideToUtf8(row.suffix);
        EXPECT_EQ(HasStatisticFiles(folder), row.statistic) << row.folder << platform::WideToUtf8(row.suffix);
    }
}

TEST_F(DataFolderTest, TheDataFolderIsTheFolderOrTheOneAboveIt) {
    struct Case {
        std::wstring given;
        bool found;
        std::wstring result;  // the folder afterwards
    };
    const std::wstring data = Folder("data");
    const Case cases[] = {
        {data, true, data},
        {data + L"/Statistic", true, data},
        {data + L"/recordinfo.cfg", true, data},  // a file inside the record folder
        {data + L"/Statistic/", true, data},  // a trailing separator still reaches the parent
        {data + L"/Statistic//", true, data},
        {data + L"/Statistic/sub", false, data + L"/Statistic/sub"},  // two levels down
        {Folder("empty"), false, Folder("empty")},
        {L"", false, L""},
    };
    for (const Case& row : cases) {
        std::wstring folder = row.given;
        EXPECT_EQ(FindDataFolder(folder), row.found) << platform::WideToUtf8(row.given);
        EXPECT_EQ(folder, row.result) << platform::WideToUtf8(row.given);
    }
}

TEST_F(DataFolderTest, OnlyTheFirstBoardFolderIsLookedAt) {
    struct Case {
        std::string folder;
        int mode;
        bool found;
    };
    const Case cases[] = {
        {"boards", 0, true},       // the file "Board0.txt" is passed over
        {"firstEmpty", 0, false},  // a later board with data does not count
        {"waveBoards", 1, true},   // any case; mode 1 asks for statistic files
        {"waveBoards", 0, false}, {"boards", 1, false}, {"empty", 0, false}, {"", 0, false},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(FindBoardFolder(Folder(row.folder), row.mode), row.found) << row.folder << " mode " << row.mode;
    }
}

TEST_F(DataFolderTest, EveryBoardWithDataIsOfferedUnderItsOwnName) {
    struct Case {
        std::string folder;
        int mode;
        std::map<int, std::wstring> boards;
    };
    const Case cases[] = {
        {"boards", 0, {{1, L"Board1"}, {2, L"Board2"}}},  // the file "Board0.txt" is passed over
        {"firstEmpty", 0, {{2, L"Board2"}}},             // an empty board is not offered
        {"waveBoards", 1, {{1, L"board1"}}},             // the name as the disk has it
        {"waveBoards", 0, {}},
        {"empty", 0, {}},
        {"", 0, {}},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(FindBoards(Folder(row.folder), row.mode), row.boards) << row.folder << " mode " << row.mode;
    }
}

TEST(Version, ComparesMajorMinorPatchAsNumbers) {
    struct Case {
        const wchar_t* version;
        const wchar_t* minimum;
        int atLeast;
    };
    const Case cases[] = {
        {L"V1.2.10", L"V1.2.4", 1}, {L"V1.10.0", L"V1.9.9", 1},
        {L"V1.2.4", L"V1.2.4", 1},  {L"V1.2.3", L"V1.2.4", 0},
        {L"1.2.4", L"V1.2.4", 1},   {L"1.2.3", L"V1.2.4", 0},  // the "V" may be left out
        {L"X1.2.4", L"V1.2.4", 0},  // nothing read on the left: 0.0.0
        {L"V2", L"V1.9.9", 1},      {L"V1.2", L"V1.2.0", 1},
        {L"v9.9.9", L"V0.0.1", 1},  {L"V 1.2.5", L"V1.2.4", 1},  // a number may follow blanks
        {L"V1.2.x", L"V1.2.0", 1},  {L"", L"", 1},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(IsVersionAtLeast(row.version, row.minimum), row.atLeast)
            << platform::WideToUtf8(row.version) << " vs " << platform::WideToUtf8(row.minimum);
    }
}

}  // namespace
