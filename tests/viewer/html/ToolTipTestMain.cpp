// The balloon window's tests run with an application object on the main thread
// (under Xvfb in CI), with the program's fonts; each test pumps events itself.
#include <clocale>

#include <gtest/gtest.h>

#include <wx/init.h>

#include "platform/gfx/FontConfig.h"
#include "platform/ui/Application.h"
#include "tests/support/ProgramFolderFixture.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    gfx::LoadFontConfig(testsupport::PrepareProgramFolder());
    wxApp::SetInstance(new ui::Application);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
