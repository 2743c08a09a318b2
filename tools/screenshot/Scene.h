#pragma once
// Named scenes of the screenshot program. Each area registers its scenes in a file
// of its own under tools/screenshot/ (a static SceneRegistrar), so that adding a
// window's picture never edits another area's scenes. A scene runs on the UI thread
// after the program's start-up, with the main frame shown, and saves its picture as
// <folder>/<name>.png.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>

class CMainFrame;
class wxWindow;

namespace screenshot {

struct SceneContext {
    CMainFrame* frame = nullptr;
    // The file the scene writes: <folder>/<scene name>.png.
    wxString file;
};

// Returns true when the picture was written.
using SceneFunction = std::function<bool(SceneContext&)>;

struct Scene {
    std::string name;
    SceneFunction shoot;
};

// The registered scenes, sorted by name.
std::vector<Scene> Scenes();

struct SceneRegistrar {
    SceneRegistrar(std::string name, SceneFunction shoot);
};

// A temporary folder of a scene's own (made under the system's temporary folder),
// removed with everything in it; an empty path when it could not be made.
class SceneFolder {
public:
    SceneFolder();
    ~SceneFolder();
    SceneFolder(const SceneFolder&) = delete;
    SceneFolder& operator=(const SceneFolder&) = delete;
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Lets the windows map and paint: a few rounds of the event loop.
void Settle();
// A top-level window as the screen shows it (with its menu, ribbon and status bar).
bool SaveFromScreen(wxWindow* window, const wxString& file);
// A window's own surface (a dialog's client area without the frame's decorations).
bool SaveFromWindow(wxWindow* window, const wxString& file);

}  // namespace screenshot
