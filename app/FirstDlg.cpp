#include "app/FirstDlg.h"

#include <algorithm>

#include <wx/window.h>

#include "app/CommandIds.h"
#include "app/ModuleDirectory.h"
#include "core/Ini.h"
#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/PictureStore.h"
#include "platform/ui/Application.h"
#include "platform/ui/MessageQueue.h"

namespace {

constexpr int kBackgroundPicture = 4135;
constexpr int kPageWidth = 657;
constexpr int kCaptionMargin = 4;

struct ButtonEntry {
    unsigned id;
    unsigned caption;  // language string
    int align;
    int lineAlign;
    int style;
    unsigned command;         // sent to the main window on a click; 0 for none
    int x, y, width, height;  // client pixels of the page
};

constexpr int kNear = CFirstButton::kNear;
constexpr int kCentre = CFirstButton::kCentre;
constexpr int kFar = CFirstButton::kFar;

// The data column on the left, the program column on the right.
constexpr ButtonEntry kEntries[] = {
    {CFirstDlg::kStatisticLocal, 32782, kCentre, kCentre, 0, kCmdOpenLocal, 28, 147, 98, 40},
    {CFirstDlg::kStatisticDevice, 32820, kCentre, kCentre, 0, kCmdOpenDevice, 136, 147, 98, 40},
    {CFirstDlg::kWaveLocal, 32782, kCentre, kCentre, 0, kCmdOpenWaveLocal, 28, 244, 98, 40},
    {CFirstDlg::kWaveDevice, 32820, kCentre, kCentre, 0, kCmdOpenWaveDevice, 136, 244, 98, 40},
    {CFirstDlg::kHelp, 22802, kNear, kNear, 1, kCmdHelpDocument, 303, 266, 92, 18},
    {CFirstDlg::kHomePage, 6183, kNear, kNear, 1, 0, 434, 266, 90, 18},
    {CFirstDlg::kStatisticHeading, 32761, kNear, kNear, 2, 0, 30, 127, 100, 18},
    {CFirstDlg::kWaveHeading, 32763, kNear, kNear, 2, 0, 30, 224, 105, 18},
    {CFirstDlg::kAboutHeading, 6184, kNear, kNear, 2, 0, 265, 127, 100, 18},
    {CFirstDlg::kAbout, 10064, kNear, kNear, 3, 0, 265, 153, 380, 99},
    {CFirstDlg::kVersion, 6185, kFar, kNear, 4, 0, 229, 305, 411, 20},
};

using apptext::String;

CIni Settings() { return CIni(GetModuleDirectory() + L"Ondrava.ini"); }

}  // namespace

CFirstDlg::CFirstDlg() : ui::Dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(kTemplateId)) {
    for (const ButtonEntry& entry : kEntries) {
        if (entry.command != 0) {
            const unsigned command = entry.command;
            OnCommand(entry.id, [command] {
                auto* application = dynamic_cast<ui::Application*>(wxTheApp);
                if (ui::Window* main = application != nullptr ? application->GetMainWindow() : nullptr) {
                    ui::SendMessage(main, ui::kMsgCommand, ui::MakeWParam(command, ui::kNotifyClicked), 0);
                }
            });
        }
    }
    OnCommand(kHomePage, [this] { OnHomePage(); });
}

CFirstDlg::~CFirstDlg() = default;

bool CFirstDlg::OnInitDialog() {
    ui::Dialog::OnInitDialog();
    const std::wstring version = Settings().GetString(L"Ondrava", L"Version", L"1.0.X");
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        const ButtonEntry& entry = kEntries[i];
        CFirstButton& button = m_Buttons[i];
        if (!button.SubclassDlgItem(entry.id, *this)) {
            continue;
        }
        std::wstring caption = String(entry.caption);
        if (entry.id == kVersion) {
            caption += L": V" + version;
        }
        button.SetCaption(caption, entry.lineAlign, entry.align);
        button.SetStyle(entry.style);
        // A one-line caption longer than its box (a language with longer words)
        // widens the box to its right, within the page, rather than being cut.
        int width = entry.width;
        if (entry.style == 1 || entry.style == 2) {
            width = std::max(width, std::min(CFirstButton::CaptionWidth(caption, entry.style) + kCaptionMargin,
                                             kPageWidth - entry.x));
        }
        button.GetWx()->SetSize(entry.x, entry.y, width, entry.height);
    }
    // The background picture stretched over the whole page.
    m_Background = gfx::LoadPicture(kBackgroundPicture);
    SetPaintHandler([this](cairo_t* target, int width, int height) {
        const gfx::Bitmap& picture = m_Background;
        gfx::Context context(target);
        if (picture.IsEmpty()) {
            context.FillRect(gfx::Rect::FromSize(0, 0, width, height), gfx::Brush(gfx::Color{232, 242, 247}));
            return;
        }
        context.DrawBitmap(picture, gfx::Rect::FromSize(0, 0, picture.Width(), picture.Height()),
                           gfx::Rect::FromSize(0, 0, width, height));
    });
    return true;
}

const CFirstButton* CFirstDlg::GetButton(unsigned id) const {
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        if (kEntries[i].id == id) {
            return &m_Buttons[i];
        }
    }
    return nullptr;
}

void CFirstDlg::OnHomePage() {
    m_Launcher.OpenWebPage(Settings().GetString(L"Ondrava", L"Homepage", kDefaultHomePage));
}
