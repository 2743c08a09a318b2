// ondrava-screenshot: runs the program's start-up under the current display (Xvfb
// in scripts/screenshot.sh), then shoots named scenes, each into <folder>/<scene>.png:
//   ondrava-screenshot <folder>            every registered scene
//   ondrava-screenshot <folder> NAME...    only the named scenes
//   ondrava-screenshot --language <language folder> <folder> [NAME...]
//                                          the same in that language pack
//                                          ("English"), each picture named
//                                          <scene>-<language folder in lower case>.png
//   ondrava-screenshot --list              the scene names
// Exit code 0 when every picture asked for was written. A language given is
// selected in the language list for the run and the earlier choice put back after.

#include <cctype>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>
#include <string>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/init.h>

#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "tools/screenshot/Scene.h"
#include "core/LanguageInfo.h"
#include "core/ZVLanguageList.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"

namespace {

class ScreenshotApp : public COndravaApp {
public:
    ScreenshotApp(wxString folder, std::set<std::string> names, std::string suffix)
        : m_folder(std::move(folder)), m_names(std::move(names)), m_suffix(std::move(suffix)) {}

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
            context.file = m_folder + "/" + wxString::FromUTF8(scene.name + m_suffix) + ".png";
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
    std::string m_suffix;
    int m_shot = 0;
    int m_failed = 0;
};

// The id of the language whose folder has this name (any case); nothing when the
// list has none.
std::optional<std::int32_t> LanguageOfFolder(const std::string& folder) {
    LanguageChoices choices;
    if (!CZVLanguageList::ReadChoices(choices)) {
        return std::nullopt;
    }
    for (const LanguageChoice& choice : choices.items) {
        CLanguageInfo info;
        if (CZVLanguageList::Load(info, choice.id) &&
            platform::NamesEqualNoCase(info.dirName, platform::Utf8ToWide(folder))) {
            return choice.id;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
        for (const screenshot::Scene& scene : screenshot::Scenes()) {
            std::printf("%s\n", scene.name.c_str());
        }
        return 0;
    }
    std::setlocale(LC_CTYPE, "C.UTF-8");
    int first = 1;
    std::string language;
    if (argc >= 3 && std::strcmp(argv[1], "--language") == 0) {
        language = argv[2];
        first = 3;
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: %s [--language <language folder>] <folder> [scene...] | --list\n", argv[0]);
        return 2;
    }
    std::set<std::string> names(argv + first + 1, argv + argc);
    std::string suffix;
    std::optional<std::int32_t> earlier;
    if (!language.empty()) {
        const std::optional<std::int32_t> wanted = LanguageOfFolder(language);
        if (!wanted) {
            std::fprintf(stderr, "no language pack in the folder %s\n", language.c_str());
            return 2;
        }
        LanguageChoices choices;
        if (CZVLanguageList::ReadChoices(choices) && choices.selected >= 0) {
            earlier = choices.items[static_cast<std::size_t>(choices.selected)].id;
        }
        CZVLanguageList::SaveSelectedId(*wanted);
        suffix = "-" + language;
        for (char& c : suffix) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    gfx::LoadFontConfig(platform::ProgramFolder());
    wxApp::SetInstance(new ScreenshotApp(wxString::FromUTF8(argv[first]), std::move(names), suffix));
    int noArguments = 1;
    const int result = wxEntry(noArguments, argv);
    if (earlier) {
        CZVLanguageList::SaveSelectedId(*earlier);
    }
    return result;
}
