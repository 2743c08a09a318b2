#pragma once
// What the program's tests share: the application object the test process runs
// (the program's own), message boxes answered and recorded in place of the user,
// start-up run again as a restart would, the program folder's settings files, and
// a way to act inside a modal dialog while it runs.

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/Hourglaze.h"
#include "platform/ui/Message.h"
#include "platform/ui/MessageBox.h"

class COndravaApp;
class CMainFrame;
class wxWindow;
class wxDialog;
class wxChoice;

namespace apptest {

COndravaApp& App();
CMainFrame& Frame();

// Runs the user-interface thread's events until the condition holds; false after
// a generous hang guard.
bool PumpUntil(const std::function<bool()>& condition);
// Runs every event queued so far (and what they queue in turn, up to a marker),
// then lets the program be idle once (the ribbon's update handlers run then).
void Drain();

// Message boxes shown since the last Clear, and the answer the next ones get.
struct MessageBoxes {
    std::vector<ui::MessageBoxRequest> shown;
    int answer = ui::kIdOk;
    void Clear() { shown.clear(); }
};
MessageBoxes& Boxes();
// Installs the recording responder (once, from main).
void InstallResponder();

// Closes the frame without a question (the language-restart reason) if it is
// still open, then runs start-up again and lets its queued work run.
void Restart();

std::filesystem::path ProgramFile(const std::string& relativeUtf8);
// Replaces a file of the program folder; nothing removes it.
void WriteProgramFile(const std::string& relativeUtf8, const std::optional<std::string>& bytes);
std::string ReadProgramFile(const std::string& relativeUtf8);

// Queues the action to run once the modal dialog that the next call opens is up.
// The action receives that dialog.
void WhenModalOpens(std::function<void(wxDialog&)> action);
// Texts of the dialog's static controls, in creation order.
std::vector<std::wstring> StaticTexts(wxWindow& dialog);
// The dialog's first drop-down list (null: none).
wxChoice* FindChoice(wxWindow& dialog);
// Presses the dialog's button with this label, as a click does.
bool ClickButton(wxWindow& dialog, const std::wstring& label);

// Answers the folder picker with the folder of the test's choice while it lives.
struct FolderChoice {
    explicit FolderChoice(const std::filesystem::path& folder);
    ~FolderChoice();
};

// Finishes the report wizard the next command opens, on its first page, once its
// Finish button (captioned with the language text `finishText`) may be pressed;
// `before` acts on the open wizard first.
void FinishWizardWhenItOpens(unsigned finishText, std::function<void(wxDialog&)> before = {});

// The busy indicator as the program has it, noting what the workers tell it.
class NotingIndicator : public platform::IHourglaze {
public:
    explicit NotingIndicator(platform::IHourglaze& shown) : m_shown(shown) {}
    void Start(void* owner) override { m_shown.Start(owner); }
    void Update(double percent) override;
    void Increase(double step) override { m_shown.Increase(step); }
    void Notify(const std::wstring& text) override;
    double GetPos() override { return m_shown.GetPos(); }
    void End() override { m_shown.End(); }

    std::vector<double> positions;
    std::vector<std::wstring> notes;
    std::function<void()> onUpdate;  // on the worker, before the indicator moves

private:
    std::mutex m_lock;
    platform::IHourglaze& m_shown;
};

// Every test starts with the shipped settings files, an open frame and pickers the
// user cancels (a test may answer them otherwise), and the
// program folder gets them back afterwards.
class AppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::optional<std::string> m_languageList;
    std::optional<std::string> m_settings;
};

// A text of the loaded language pack.
std::wstring String(unsigned id);

}  // namespace apptest
