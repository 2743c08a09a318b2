#pragma once
// CFirstDlg: the start page the statistic client shows while no data is open
// (dialog 151 of the language resources, a page inside its parent). Over its
// background picture it offers the open commands for statistic data and for
// waveform records, the user manual and the maker's home page, a paragraph about
// the program and its version. Command clicks go to the program's main window.

#include <array>
#include <memory>

#include "app/DocumentLauncher.h"
#include "app/FirstButton.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Dialog.h"

class CFirstDlg : public ui::Dialog {
public:
    CFirstDlg();
    ~CFirstDlg() override;

    bool OnInitDialog() override;

    const CFirstButton* GetButton(unsigned id) const;

    // The home page when "Ondrava.ini" names none.
    static constexpr const wchar_t* kDefaultHomePage = L"https://ondrava.example.com/";

    static constexpr unsigned kTemplateId = 151;
    static constexpr unsigned kStatisticLocal = 9506;
    static constexpr unsigned kStatisticDevice = 9507;
    static constexpr unsigned kWaveLocal = 9515;
    static constexpr unsigned kWaveDevice = 9517;
    static constexpr unsigned kHelp = 9508;
    static constexpr unsigned kHomePage = 9514;
    static constexpr unsigned kStatisticHeading = 9512;
    static constexpr unsigned kWaveHeading = 9518;
    static constexpr unsigned kAboutHeading = 9511;
    static constexpr unsigned kAbout = 9510;
    static constexpr unsigned kVersion = 9513;

private:
    void OnHomePage();

    std::array<CFirstButton, 11> m_Buttons;
    gfx::Bitmap m_Background;
    CDocumentLauncher m_Launcher{this};
};
