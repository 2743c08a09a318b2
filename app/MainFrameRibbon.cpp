// CMainFrame: the ribbon, the command states and the interface styles.
#include <vector>

#include "app/CommandIds.h"
#include "app/CommandRules.h"
#include "app/MainFrame.h"
#include "app/RibbonThemes.h"
#include "waverecord/ui/WaveMainView.h"
#include "app/AppText.h"
#include "core/ZVResourceManager.h"
#include "platform/base/PrivateProfile.h"
#include "platform/ui/Profile.h"

namespace {

struct GroupEntry {
    unsigned id;
    int picture;  // the strip of the buttons' icons
    std::vector<unsigned> commands;
};

struct TabEntry {
    unsigned id;
    std::vector<GroupEntry> groups;
};

// The ribbon's tabs and groups; every caption is the language string of its id.
const std::vector<TabEntry>& RibbonContent() {
    static const std::vector<TabEntry> tabs{
        {32761,
         {{32770, 4132, {kCmdOpenLocal, kCmdOpenDevice, kCmdReselectData}},
          {32771, 4126, {kCmdRecordData, kCmdEventData, kCmdAllData}},
          {32766, 4125, {kCmdExcelReport, kCmdWordReport, kCmdExportData}}}},
        {32763,
         {{32772, 4133, {kCmdOpenWaveLocal, kCmdOpenWaveDevice, kCmdReopenWave}},
          {32921, 211, {kCmdAnalysisSetup, kCmdOriginalView, kCmdStatisticView}},
          {32773, 4140, {22843, 22844, 22845, 22846, 22847, 22848, 22849}},
          {32766, 4125, {kCmdWaveExcelReport, kCmdWaveWordReport, kCmdWaveExportData}}}},
        {32767, {{32768, 4130, {kCmdColorScheme, kCmdLanguage}}, {32769, 4139, {kCmdHelpDocument, kCmdAbout}}}},
    };
    return tabs;
}

constexpr unsigned kApplicationButton = 32760;
constexpr unsigned kApplicationMenu = 200;
constexpr int kApplicationIcon = 4136;
constexpr int kExitIcon = 4138;
constexpr int kHelpIcon = 226;
constexpr unsigned kStyleButton = 204;
constexpr unsigned kStyleMenu = 204;
constexpr int kStyleIcon = 209;
constexpr unsigned kStringInterfaceStyle = 6118;

const wchar_t* const kThemeSection = L"Setting";
const wchar_t* const kThemeKey = L"ZVViewThemeStyle";

using apptext::String;

MenuTemplate Menu(unsigned id) {
    MenuTemplate menu;
    CZVResourceManager::GetResourceManager()->LoadMenu(menu, id);
    return menu;
}

}  // namespace

bool CMainFrame::CreateRibbonBar() {
    m_pRibbonBar = ui::RibbonBar::Create(*this);
    if (!m_pRibbonBar) {
        return false;
    }
    m_pRibbonBar->SetStyle(BaseRibbonStyle());
    m_pRibbonBar->AddTabRowButton(kCmdHelpDocument, kHelpIcon, String(kCmdHelpDocument));
    m_pRibbonBar->AddTabRowMenu(kStyleButton, kStyleIcon, String(kStringInterfaceStyle), Menu(kStyleMenu));
    m_pRibbonBar->SetApplicationButton(kApplicationButton, String(kApplicationButton), kApplicationIcon,
                                       Menu(kApplicationMenu), {{kCmdAppExit, kExitIcon}});
    for (const TabEntry& entry : RibbonContent()) {
        ui::RibbonTabSpec tab{entry.id, String(entry.id), {}};
        for (const GroupEntry& group : entry.groups) {
            ui::RibbonGroupSpec spec{group.id, String(group.id), group.picture, {}};
            for (const unsigned command : group.commands) {
                spec.buttons.push_back({command, String(command)});
            }
            tab.groups.push_back(std::move(spec));
        }
        // A tab that cannot be added is left out with its groups.
        m_pRibbonBar->AddTab(tab);
    }
    m_pRibbonBar->Realize();
    return true;
}

void CMainFrame::InstallCommandStates() {
    for (const CommandRule& rule : CommandRules()) {
        for (unsigned id = rule.firstId; id <= rule.lastId; ++id) {
            OnUpdateCommand(id, [this, &rule, id](ui::CommandUI& item) {
                CommandState state = EvaluateRule(rule, id, CurrentState());
                // A command whose work is not there yet shows disabled.
                if (rule.runsCommand && !HasCommandHandler(id)) {
                    state.enabled = false;
                    state.checked = false;
                }
                item.Enable(state.enabled);
                item.SetCheck(state.checked ? 1 : 0);
            });
        }
    }
}

FrameState CMainFrame::CurrentState() const {
    FrameState state;
    state.statisticPath = !m_StatisticPath.empty();
    state.wavePath = !m_WavePath.empty();
    state.waveShown = m_IsWaveShown != 0;
    state.statisticLoaded = m_IsStatisticLoaded != 0;
    state.viewMode = m_ViewMode;
    state.activeObserver = m_PaneMgr.GetActiveObserver() != nullptr;
    state.otherPaneReady = state.waveShown && m_WaveView->PostToOtherPane();
    state.themeId = m_ThemeId;
    return state;
}

void CMainFrame::OnTheme(unsigned id) {
    if (!m_pRibbonBar) {
        return;
    }
    const auto style = ThemeRibbonStyle(id);
    // An id that names no style leaves the base look and the current theme.
    m_pRibbonBar->SetStyle(style ? *style : BaseRibbonStyle());
    if (!style) {
        return;
    }
    m_ThemeId = id;
    WriteThemeSetting(id);
}

unsigned CMainFrame::ReadThemeSetting() const {
    const std::wstring stored = ui::GetProfileString(kThemeSection, kThemeKey, std::wstring());
    // Read as the run-time library reads a decimal number: blanks and a sign, then
    // the digits up to the first other character, 0 without any.
    return stored.empty() ? m_ThemeId : static_cast<unsigned>(platform::ParseProfileInt(stored));
}

void CMainFrame::WriteThemeSetting(unsigned id) {
    ui::WriteProfileString(kThemeSection, kThemeKey, std::to_wstring(id));
}
