// ondrava-screenshot: runs the program's start-up under the current display (Xvfb
// in scripts/screenshot.sh), then shoots named scenes, each into <folder>/<scene>.png:
//   ondrava-screenshot <folder>            every registered scene
//   ondrava-screenshot <folder> NAME...    only the named scenes
//   ondrava-screenshot --list              the scene names
// Exit code 0 when every picture asked for was written.

#include <clocale>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/init.h>

#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "app/screenshot/Scene.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"

namespace {

class ScreenshotApp : public COndravaApp {
public:
    ScreenshotApp(wxString folder, std::set<std::string> names) : m_folder(std::move(folder)), m_names(std::move(names)) {}

    bool InitInstance() override {
        // A crash report of an earlier run would cover the windows; answer it unseen.
        ui::SetMessageBoxResponder([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
        wxImage::AddHandler(new wxPNGHandler);
        if (!COndravaApp::InitInstance()) {
            return false;
        }
        ui::PostToUiThread([this] { Shoot(); });
        return true;
    }

    int ExitInstance() override {
        COndravaApp::ExitInstance();
        return m_failed == 0 && m_shot > 0 ? 0 : 1;
    }

private:
    void Shoot() {
        screenshot::Settle();
        CMainFrame* frame = GetMainFrame();
        for (const screenshot::Scene& scene : screenshot::Scenes()) {
            if (!m_names.empty() && m_names.count(scene.name) == 0) {
                continue;
            }
            screenshot::SceneContext context;
            context.frame = frame;
            context.file = m_folder + "/" + wxString::FromUTF8(scene.name) + ".png";
            screenshot::Settle();
            if (scene.shoot(context)) {
                ++m_shot;
                std::printf("%s\n", static_cast<const char*>(context.file.utf8_str()));
            } else {
                ++m_failed;
                std::fprintf(stderr, "scene %s: no picture\n", scene.name.c_str());
            }
        }
        if (frame != nullptr) {
            frame->DestroyWindow();
        }
    }

    wxString m_folder;
    std::set<std::string> m_names;
    int m_shot = 0;
    int m_failed = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const screenshot::Scene& scene : screenshot::Scenes()) {
            std::printf("%s\n", scene.name.c_str());
        }
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [scene...] | --list\n", argv[0]);
        return 2;
    }
    std::set<std::string> names(argv + 2, argv + argc);
    std::setlocale(LC_CTYPE, "C.UTF-8");
    gfx::LoadFontConfig(platform::ProgramFolder());
    wxApp::SetInstance(new ScreenshotApp(wxString::FromUTF8(argv[1]), std::move(names)));
    int noArguments = 1;
    return wxEntry(noArguments, argv);
}
