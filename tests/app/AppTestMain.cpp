// The program's tests run with the program's own application object on the main
// thread (under Xvfb in CI), started as the program starts; each test pumps events
// itself where it waits for them.
#include <clocale>
#include <cstdlib>
#include <filesystem>

#include <gtest/gtest.h>

#include <wx/init.h>

#include "AppTestSupport.h"
#include "app/OndravaApp.h"
#include "platform/base/Encoding.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "tests/support/ProgramFolderFixture.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::filesystem::path folder = testsupport::PrepareProgramFolder();
    // The user's profile (theme, pane layout) is the test process's own.
    setenv("XDG_CONFIG_HOME", platform::PathToUtf8(folder / "config").c_str(), 1);
    // Conversions of folders that cannot be written go to the test process's own cache.
    setenv("XDG_CACHE_HOME", platform::PathToUtf8(folder / "cache").c_str(), 1);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    gfx::LoadFontConfig(platform::ProgramFolder());
    // No real message box may wait for a user who is not there.
    apptest::InstallResponder();
    wxApp::SetInstance(new COndravaApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
