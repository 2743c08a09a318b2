// The entry of the program Ondrava. It takes no command line.

#include <clocale>

#include <wx/app.h>
#include <wx/init.h>

#include "app/OndravaApp.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"

int main(int argc, char** argv) {
    // Characters are UTF-8 whatever the user's locale; numbers and everything else
    // stay in the C locale, so that no decimal comma creeps into a file.
    std::setlocale(LC_CTYPE, "C.UTF-8");
    // The Windows font names of the texts map to installed families before anything draws.
    gfx::LoadFontConfig(platform::ProgramFolder());
    wxApp::SetInstance(new COndravaApp);
    return wxEntry(argc, argv);
}
