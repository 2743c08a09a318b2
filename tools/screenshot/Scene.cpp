#include "tools/screenshot/Scene.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace screenshot {

SceneFolder::SceneFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ondrava-scene.XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) {
        m_path = pattern;
    }
}

SceneFolder::~SceneFolder() {
    std::error_code error;
    if (!m_path.empty()) {
        std::filesystem::remove_all(m_path, error);
    }
}

namespace {

std::vector<Scene>& Registry() {
    static std::vector<Scene> scenes;
    return scenes;
}

bool SavePicture(wxDC& source, const wxRect& rect, const wxString& file) {
    if (rect.IsEmpty()) {
        return false;
    }
    wxBitmap bitmap(rect.GetWidth(), rect.GetHeight(), 24);
    wxMemoryDC memory(bitmap);
    const bool copied = memory.Blit(0, 0, rect.GetWidth(), rect.GetHeight(), &source, rect.GetX(), rect.GetY());
    memory.SelectObject(wxNullBitmap);
    return copied && bitmap.ConvertToImage().SaveFile(file, wxBITMAP_TYPE_PNG);
}

}  // namespace

std::vector<Scene> Scenes() {
    std::vector<Scene> scenes = Registry();
    std::sort(scenes.begin(), scenes.end(), [](const Scene& a, const Scene& b) { return a.name < b.name; });
    return scenes;
}

SceneRegistrar::SceneRegistrar(std::string name, SceneFunction shoot) {
    Registry().push_back({std::move(name), std::move(shoot)});
}

void Settle() {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    for (int round = 0; round < 40; ++round) {
        while (loop != nullptr && loop->Pending()) {
            loop->Dispatch();
        }
        wxTheApp->ProcessPendingEvents();
        // Windows moved to another parent are shown again only when the program is idle.
        wxTheApp->ProcessIdle();
        wxMilliSleep(10);
    }
}

bool SaveFromScreen(wxWindow* window, const wxString& file) {
    wxScreenDC screen;
    return window != nullptr && SavePicture(screen, window->GetScreenRect(), file);
}

bool SaveFromWindow(wxWindow* window, const wxString& file) {
    if (window == nullptr) {
        return false;
    }
    wxWindowDC source(window);
    return SavePicture(source, wxRect(window->GetSize()), file);
}

}  // namespace screenshot
