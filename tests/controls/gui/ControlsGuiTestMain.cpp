// The controls' window tests run with a real application object on the main thread
// (under Xvfb in CI), with the program folder's resources, pictures and fonts; each
// test pumps events itself where it waits for them.
#include <clocale>

#include <gtest/gtest.h>

#include <wx/debug.h>
#include <wx/init.h>

#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/Application.h"
#include "tests/support/ProgramFolderFixture.h"

namespace {

// A wx assertion is a misuse of the toolkit: it fails the running test.
void FailOnAssert(const wxString& file, int line, const wxString& function, const wxString& condition,
                  const wxString& message) {
    ADD_FAILURE_AT(file.ToStdString(wxConvUTF8).c_str(), line)
        << "wx assertion in " << function.ToStdString(wxConvUTF8) << ": " << condition.ToStdString(wxConvUTF8)
        << " " << message.ToStdString(wxConvUTF8);
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    testsupport::PrepareProgramFolder();
    std::setlocale(LC_CTYPE, "C.UTF-8");
    gfx::LoadFontConfig(platform::ProgramFolder());
    wxSetAssertHandler(FailOnAssert);
    wxApp::SetInstance(new ui::Application);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        return 2;
    }
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
