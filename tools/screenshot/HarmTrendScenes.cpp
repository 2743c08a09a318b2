// Scene of the harmonic trend frame: the current harmonics of a generated day of
// statistic data (plausible values, converted to item files) on phases L1 and L2,
// the panel's preset orders 3, 7, 1 and 5 with the K factor, read through the
// statistic model.
#include <array>
#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include <wx/frame.h>

#include "tools/screenshot/Scene.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Frame.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "tools/gen/ItemFiles.h"
#include "views/HarmTrendItems.h"
#include "views/RecordHarmTrendFrm.h"

namespace {

namespace fs = std::filesystem;

struct GeneratedFolder {
    fs::path path = fs::temp_directory_path() / ("ondrava-harmtrend-scene-" + std::to_string(::getpid()));
    ~GeneratedFolder()
    {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

// Every text the panel and the series show has its glyphs.
bool TextsHaveGlyphs(CHarmTrendPanel& panel)
{
    auto* resources = CZVResourceManager::GetResourceManager();
    gfx::Font font;
    font.face = L"MS Shell Dlg";
    font.height = 12;
    std::wstring texts = resources->LoadString(10082) + panel.OrderCaption();
    for (const CHarmTrendPanel::Entry& entry : panel.Entries()) {
        texts += entry.text;
    }
    for (const std::uint32_t code : {2000u, 3000u, 4000u, 5000u, 24u, 23u}) {
        texts += harmtrend::SeriesName(code, 7, [resources](unsigned id) { return resources->LoadString(id); });
    }
    const DialogTemplateInfo* info = resources->LoadDialogTemplate(CHarmTrendPanel::kTemplateId);
    if (info == nullptr) {
        return false;
    }
    for (const DialogItemTemplateInfo& item : info->items) {
        texts += item.caption;
    }
    return gfx::MissingGlyphCount(texts, font) == 0;
}

const screenshot::SceneRegistrar kTrend("harmonic-trend", [](screenshot::SceneContext& context) {
    GeneratedFolder folder;
    gen::StatisticFolderOptions options;
    options.items = {22, 210, 211};  // K factor, current THD and DC
    for (std::uint32_t item = 212; item <= 261; ++item) {  // current harmonics 1 to 50
        options.items.push_back(item);
    }
    options.records = 288;
    options.timePlot = 300;
    options.realisticValues = true;
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
    if (!gen::WriteStatisticFolder(folder.path, options) ||
        !gen::WriteItemFiles(folder.path / "Statistic" / "newfiles", options)) {
        return false;
    }
    CGlobalModel model;
    CGlobalModel second;
    model.CreateAnalysis(0);
    std::array<std::uint32_t, 14> query{};
    query[2] = query[4] = static_cast<std::uint32_t>(options.records);
    const std::wstring path = platform::FromPath(folder.path);
    CCtrlItem open{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, path};
    model.OpenData(&open);
    second.CreateAnalysis(1);
    CCtrlItem openSecond{ctrl::kSecondStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 0, path};
    second.OpenData(&openSecond);

    ui::Frame host;
    if (!host.Create(CZVResourceManager::GetResourceManager()->LoadString(10082))) {
        return false;
    }
    host.GetFrame()->SetSize(wxRect(0, 0, 1000, 560));
    host.ShowWindow(ui::kShow);
    screenshot::Settle();
    std::unique_ptr<ui::Window> made = CRecordHarmTrendFrm::CreateObject(host.GetClientArea());
    auto* frame = dynamic_cast<CRecordHarmTrendFrm*>(made.get());
    if (frame == nullptr || frame->Viewer() == nullptr || frame->Panel() == nullptr) {
        host.DestroyWindow();
        return false;
    }
    frame->m_pDataModel = &model;
    frame->m_pSecondDataModel = &second;
    frame->MoveWindow(wxRect(wxPoint(0, 0), host.GetClientArea().GetClientSize()));
    frame->OnUpdate(0x8, 0, 0);
    CHarmTrendPanel& panel = frame->Frame().Panel();
    for (std::size_t i = 0; i < panel.Entries().size(); ++i) {
        if (panel.Entries()[i].code == 7000) {
            panel.OnSelectItem(static_cast<int>(i));
        }
    }
    panel.OnPhaseClick(1, true);
    panel.OnKFactorClick(true);
    screenshot::Settle();
    const bool shown = frame->Frame().ShownKeys().size() == 10 && TextsHaveGlyphs(panel);
    const bool saved = shown && screenshot::SaveFromWindow(frame->GetWx(), context.file);
    made.reset();
    host.DestroyWindow();
    screenshot::Settle();
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
    return saved;
});

}  // namespace
