// Scene of the harmonic histogram frame: the voltage harmonic content ratios of L1,
// L2 and L3 over a generated day of plausible statistic data, summarised by the
// harmonic data collector and read through the statistic model, beside the selection
// panel with which they were chosen.
#include <array>
#include <memory>

#include <wx/frame.h>

#include "controls/ChartContrl.h"
#include "tools/screenshot/Scene.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Frame.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "terminal/HarmDataCollector.h"
#include "tools/gen/ItemFiles.h"
#include "views/DlgHarmMain.h"
#include "views/DlgHarmPanel.h"
#include "views/DlgHarmScrollView.h"
#include "views/VolHarmonicHistogramsFrm.h"

namespace {

using Panel = CHarmPanelState;

// Every text the panel and the charts show has its glyphs, in the panel's font and
// in the charts'.
bool TextsHaveGlyphs(CVolHarmonicHistogramsFrm& frame)
{
    const DialogTemplateInfo* info = frame.Panel()->GetTemplate();
    if (info == nullptr) {
        return false;
    }
    std::wstring texts;
    for (const DialogItemTemplateInfo& item : info->items) {
        texts += item.caption;
    }
    for (const std::wstring& text : frame.PanelState().ListTexts()) {
        texts += text;
    }
    texts += frame.PanelState().OtherOrdersLabel();
    for (std::uint32_t phase = 0; phase < 3; ++phase) {
        const controls::BarChart& chart = frame.ScrollView()->Chart(phase)->GetChart()->Chart();
        texts += chart.valueTitle.text;
        for (const controls::ChartSeries& series : chart.Series()) {
            texts += series.name;
        }
    }
    gfx::Font font;
    font.face = info->fontFace;
    font.height = 12;
    return gfx::MissingGlyphCount(texts, font) == 0 &&
           gfx::MissingGlyphCount(texts, frame.ScrollView()->Chart(0)->GetChart()->Chart().font) == 0;
}

const screenshot::SceneRegistrar kHistograms("harmonic-histograms", [](screenshot::SceneContext& context) {
    screenshot::SceneFolder folder;
    if (folder.Path().empty()) {
        return false;
    }
    gen::StatisticFolderOptions options;
    options.items = {1, 7};
    for (std::uint32_t item = 22; item <= 74; ++item) {  // K factor, voltage THD, DC and harmonics 1 to 50
        options.items.push_back(item);
    }
    options.records = 288;
    options.timePlot = 300;
    options.realisticValues = true;
    const std::filesystem::path itemFolder = folder.Path() / "Statistic" / "newfiles";
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
    if (!gen::WriteStatisticFolder(folder.Path(), options) || !gen::WriteItemFiles(itemFolder, options)) {
        return false;
    }
    CHarmDataCollector collector;
    CGlobalModel model;
    model.SetSummarySource([&collector] { return collector.GetCube(); });
    model.CreateAnalysis(0);
    std::array<std::uint32_t, 14> query{};
    query[2] = query[4] = static_cast<std::uint32_t>(options.records);
    CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                      platform::FromPath(folder.Path())};
    model.OpenData(&request);
    collector.SetDataFolder(platform::FromPath(itemFolder) + L"/");
    CRecordRange range;
    range.EndBlock = range.BlockNum = options.records;
    collector.SetQuery(range);
    collector.CollectItems(&model, {});
    if (!collector.GetCube()) {
        return false;
    }

    ui::Frame host;
    if (!host.Create(CZVResourceManager::GetResourceManager()->LoadString(10234))) {
        return false;
    }
    host.GetFrame()->SetSize(wxRect(0, 0, 1100, 660));
    host.ShowWindow(ui::kShow);
    screenshot::Settle();
    std::unique_ptr<ui::Window> made = CVolHarmonicHistogramsFrm::CreateObject(host.GetClientArea());
    auto* frame = dynamic_cast<CVolHarmonicHistogramsFrm*>(made.get());
    bool saved = false;
    if (frame != nullptr && frame->Panel() != nullptr) {
        frame->m_pDataModel = &model;
        frame->MoveWindow(wxRect(wxPoint(0, 0), host.GetClientArea().GetClientSize()));
        frame->OnUpdate(CVolHarmonicHistogramsFrm::kEventLoaded, 0, 0);
        // Three phases as content ratios, orders 2 to 13 with THD, all four statistics.
        CHarmPanelState& state = frame->PanelState();
        state.OnClick(Panel::kFirstPhase + 1, true);
        state.OnClick(Panel::kFirstPhase + 2, true);
        state.OnClick(Panel::kRatio, true);
        state.OnClick(Panel::kFirstStatistic + 3, true);
        state.OnClick(Panel::kFirstOrder, false);
        for (unsigned order = 13; order < 15; ++order) {
            state.OnClick(Panel::kFirstOrder + order, false);
        }
        state.OnClick(Panel::kThd, true);
        screenshot::Settle();
        bool filled = true;
        for (std::uint32_t phase = 0; phase < 3; ++phase) {
            filled = filled && frame->ScrollView()->Chart(phase)->GetChart()->Chart().Series().size() == 4 &&
                     frame->ScrollView()->Chart(phase)->GetBars().size() == 13;
        }
        saved = filled && TextsHaveGlyphs(*frame) && screenshot::SaveFromWindow(frame->GetWx(), context.file);
    }
    made.reset();
    host.DestroyWindow();
    screenshot::Settle();
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
    return saved;
});

}  // namespace
