// ondrava-screenshot: runs the program's start-up under the current display (Xvfb
// in scripts/screenshot.sh), then saves the main window (as the screen shows it,
// with its menu and status bar) and the about box (its own window) as PNG files:
//   ondrava-screenshot <folder>   writes <folder>/main-window.png and <folder>/about-box.png
// Exit code 0 when both pictures were written.

#include <clocale>
#include <cstdio>

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/evtloop.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/init.h>
#include <wx/utils.h>
#include <wx/window.h>

#include "app/AboutDlg.h"
#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessageQueue.h"

namespace {

// Lets the windows map and paint: a few rounds of the event loop.
void Settle() {
    wxEventLoopBase* loop = wxEventLoopBase::GetActive();
    for (int round = 0; round < 40; ++round) {
        while (loop != nullptr && loop->Pending()) {
            loop->Dispatch();
        }
        wxTheApp->ProcessPendingEvents();
        wxMilliSleep(10);
    }
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

// The screen holds the whole top-level window; a window's own surface (which a
// dialog is read from) leaves out the frame's menu and status bar.
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

class ScreenshotApp : public COndravaApp {
public:
    explicit ScreenshotApp(wxString folder) : m_folder(std::move(folder)) {}

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
        return m_saved == 2 ? 0 : 1;
    }

private:
    void Shoot() {
        Settle();
        CMainFrame* frame = GetMainFrame();
        if (frame != nullptr && SaveFromScreen(frame->GetWx(), m_folder + "/main-window.png")) {
            ++m_saved;
        }
        CAboutDlg about;
        ui::PostToUiThread([this, &about] {
            Settle();
            if (SaveFromWindow(about.GetWx(), m_folder + "/about-box.png")) {
                ++m_saved;
            }
            about.EndDialog(ui::kIdOk);
        });
        about.DoModal();
        if (frame != nullptr) {
            frame->DestroyWindow();
        }
    }

    wxString m_folder;
    int m_saved = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    std::setlocale(LC_CTYPE, "C.UTF-8");
    gfx::LoadFontConfig(platform::ProgramFolder());
    wxApp::SetInstance(new ScreenshotApp(wxString::FromUTF8(argv[1])));
    int noArguments = 1;
    return wxEntry(noArguments, argv);
}
