// Crash dumps left by earlier runs are named to the user once, after start-up.
#include "AppTestSupport.h"
#include "core/CrashDump.h"
#include "platform/base/Encoding.h"

namespace apptest {
namespace {

using CrashReportTest = AppTest;

TEST_F(CrashReportTest, NamesEachNewDumpOnceInOneMessageBox) {
    // Dumps of earlier runs, and files that are no dumps of this program.
    WriteProgramFile("Ondrava_2026_01_02_03_04_05.dmp", std::string("dump"));
    WriteProgramFile("Ondrava_2026_03_04_05_06_07.dmp", std::string("dump"));
    WriteProgramFile("Other_2026_01_02_03_04_05.dmp", std::string("dump"));
    WriteProgramFile("Ondrava_notes.txt", std::string("text"));
    const std::wstring first = platform::FromPath(ProgramFile("Ondrava_2026_01_02_03_04_05.dmp"));
    const std::wstring second = platform::FromPath(ProgramFile("Ondrava_2026_03_04_05_06_07.dmp"));

    Boxes().Clear();
    Restart();
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text, CCrashDump::ReportText(first) + L"\n" + CCrashDump::ReportText(second));
    EXPECT_EQ(Boxes().shown[0].caption, L"Ondrava");
    EXPECT_EQ(Boxes().shown[0].flags, ui::kMbOk);

    // The next start has nothing new to say; a newer dump alone is named then.
    Boxes().Clear();
    Restart();
    EXPECT_TRUE(Boxes().shown.empty());

    WriteProgramFile("Ondrava_2026_05_06_07_08_09.dmp", std::string("dump"));
    Restart();
    ASSERT_EQ(Boxes().shown.size(), 1u);
    EXPECT_EQ(Boxes().shown[0].text,
              CCrashDump::ReportText(platform::FromPath(ProgramFile("Ondrava_2026_05_06_07_08_09.dmp"))));
}

}  // namespace
}  // namespace apptest
