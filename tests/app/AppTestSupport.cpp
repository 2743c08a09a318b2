#include "AppTestSupport.h"

#include <memory>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/stattext.h>

#include "app/MainFrame.h"
#include "app/OndravaApp.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/base/FileSystem.h"
#include "platform/base/ProgramFolder.h"
#include "platform/ui/FilePicker.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Profile.h"
#include "tests/support/TempDir.h"
#include "tests/ui/EventPump.h"
#include "tests/ui/Modal.h"

namespace apptest {

COndravaApp& App() { return static_cast<COndravaApp&>(*wxTheApp); }

CMainFrame& Frame() { return *App().GetMainFrame(); }

bool PumpUntil(const std::function<bool()>& condition) { return uitest::PumpUntil(condition); }

void Drain() {
    auto done = std::make_shared<bool>(false);
    if (ui::PostToUiThread([done] { *done = true; })) {
        PumpUntil([done] { return *done; });
    }
    // Then the program is idle, as the user would see it: update handlers have run.
    wxTheApp->ProcessIdle();
}

MessageBoxes& Boxes() {
    static MessageBoxes boxes;
    return boxes;
}

void InstallResponder() {
    ui::SetMessageBoxResponder([](const ui::MessageBoxRequest& request) {
        Boxes().shown.push_back(request);
        return Boxes().answer;
    });
}

void Restart() {
    if (App().GetMainFrame() != nullptr && Frame().IsWindow()) {
        ui::SendMessage(&Frame(), ui::kMsgClose, kCloseReasonLanguageRestart, 0);
    }
    App().InitInstance();
    Drain();
}

std::filesystem::path ProgramFile(const std::string& relativeUtf8) {
    return platform::ProgramFolder() / platform::ToPath(std::string_view(relativeUtf8));
}

void WriteProgramFile(const std::string& relativeUtf8, const std::optional<std::string>& bytes) {
    const auto file = ProgramFile(relativeUtf8);
    std::error_code error;
    if (!bytes) {
        std::filesystem::remove(file, error);
        return;
    }
    std::filesystem::create_directories(file.parent_path(), error);
    ASSERT_TRUE(platform::AtomicWriteFile(file, *bytes)) << relativeUtf8;
}

std::string ReadProgramFile(const std::string& relativeUtf8) { return testsupport::ReadAll(ProgramFile(relativeUtf8)); }

namespace {

template <class Visit>
void ForEachChild(wxWindow& parent, Visit visit) {
    for (wxWindow* child : parent.GetChildren()) {
        visit(*child);
        ForEachChild(*child, visit);
    }
}

}  // namespace

void WhenModalOpens(std::function<void(wxDialog&)> action) { uitest::WhenModalOpens(std::move(action)); }

std::vector<std::wstring> StaticTexts(wxWindow& dialog) {
    std::vector<std::wstring> texts;
    ForEachChild(dialog, [&](wxWindow& child) {
        if (auto* text = dynamic_cast<wxStaticText*>(&child)) {
            texts.push_back(text->GetLabelText().ToStdWstring());
        }
    });
    return texts;
}

wxChoice* FindChoice(wxWindow& dialog) {
    wxChoice* found = nullptr;
    ForEachChild(dialog, [&](wxWindow& child) {
        if (found == nullptr) {
            found = dynamic_cast<wxChoice*>(&child);
        }
    });
    return found;
}

bool ClickButton(wxWindow& dialog, const std::wstring& label) {
    wxButton* found = nullptr;
    ForEachChild(dialog, [&](wxWindow& child) {
        auto* button = dynamic_cast<wxButton*>(&child);
        if (found == nullptr && button != nullptr && button->GetLabelText().ToStdWstring() == label) {
            found = button;
        }
    });
    if (found == nullptr) {
        return false;
    }
    wxCommandEvent click(wxEVT_BUTTON, found->GetId());
    click.SetEventObject(found);
    found->ProcessWindowEvent(click);
    return true;
}

FolderChoice::FolderChoice(const std::filesystem::path& folder) {
    ui::SetPickerResponder([path = platform::FromPath(folder)](const ui::PickerRequest&) { return path; });
}

FolderChoice::~FolderChoice() { ui::SetPickerResponder({}); }

void FinishWizardWhenItOpens(unsigned finishText, std::function<void(wxDialog&)> before) {
    WhenModalOpens([finishText, before = std::move(before)](wxDialog& dialog) {
        const std::wstring label = CZVResourceManager::GetResourceManager()->LoadString(finishText);
        wxButton* finish = nullptr;
        ForEachChild(dialog, [&](wxWindow& child) {
            auto* button = dynamic_cast<wxButton*>(&child);
            if (finish == nullptr && button != nullptr && button->GetLabel() == label) {
                finish = button;
            }
        });
        ASSERT_NE(finish, nullptr);
        ASSERT_TRUE(PumpUntil([&] { return finish->IsEnabled(); }));
        if (before) {
            before(dialog);
        }
        EXPECT_TRUE(ClickButton(dialog, label));
    });
}

void NotingIndicator::Update(double percent) {
    {
        std::lock_guard lock(m_lock);
        positions.push_back(percent);
    }
    if (onUpdate) {
        onUpdate();
    }
    m_shown.Update(percent);
}

void NotingIndicator::Notify(const std::wstring& text) {
    {
        std::lock_guard lock(m_lock);
        notes.push_back(text);
    }
    m_shown.Notify(text);
}

void AppTest::SetUp() {
    const auto keep = [](const std::string& name) -> std::optional<std::string> {
        return platform::ReadFileBytes(ProgramFile(name));
    };
    m_languageList = keep("Language/Language.xml");
    m_settings = keep("Ondrava.ini");
    Boxes().Clear();
    Boxes().answer = ui::kIdOk;
    // A command that opens a folder or file picker finds the user cancelling it,
    // unless the test answers otherwise.
    ui::SetPickerResponder([](const ui::PickerRequest&) { return std::wstring(); });
    // No theme or pane layout of an earlier test comes back (closing saves them).
    if (App().GetMainFrame() != nullptr && Frame().IsWindow()) {
        ui::SendMessage(&Frame(), ui::kMsgClose, kCloseReasonLanguageRestart, 0);
    }
    std::error_code ignored;
    std::filesystem::remove(ui::ProfileFile(), ignored);
    Restart();
}

void AppTest::TearDown() {
    WriteProgramFile("Language/Language.xml", m_languageList);
    WriteProgramFile("Ondrava.ini", m_settings);
    Boxes().Clear();
    Boxes().answer = ui::kIdOk;
}

std::wstring String(unsigned id) { return CZVResourceManager::GetResourceManager()->LoadString(id); }

}  // namespace apptest
