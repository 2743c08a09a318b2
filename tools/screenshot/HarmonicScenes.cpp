// Scene of the harmonic bar chart: the voltage harmonic content ratios, THD and DC of
// phase L1 over a generated day of statistic data, summarised by the harmonic data
// collector and read through the statistic model, with the maximum, minimum, average
// and 95 % value of each as grouped bars.
#include <array>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <wx/window.h>

#include "app/MainFrame.h"
#include "controls/ChartContrl.h"
#include "tools/screenshot/Scene.h"
#include "core/ZVResourceManager.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "terminal/CtrlItem.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/GlobalModel.h"
#include "terminal/HarmDataCollector.h"
#include "tools/gen/ItemFiles.h"
#include "views/DlgHarmMain.h"

namespace {

namespace fs = std::filesystem;

// The folder the scene generates, removed when the scene ends.
struct GeneratedFolder {
    fs::path path = fs::temp_directory_path() / ("ondrava-chart-scene-" + std::to_string(::getpid()));
    ~GeneratedFolder()
    {
        std::error_code error;
        fs::remove_all(path, error);
    }
};

const screenshot::SceneRegistrar kChart("harmonic-bars", [](screenshot::SceneContext& context) {
    GeneratedFolder folder;
    gen::StatisticFolderOptions options;
    options.items.clear();
    for (std::uint32_t item = 23; item <= 74; ++item) {  // voltage THD, DC and harmonics 1 to 50
        options.items.push_back(item);
    }
    options.records = 288;
    options.timePlot = 300;
    options.realisticValues = true;
    const fs::path itemFolder = folder.path / "Statistic" / "newfiles";
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::K7700);
    if (!gen::WriteStatisticFolder(folder.path, options) || !gen::WriteItemFiles(itemFolder, options)) {
        return false;
    }
    CHarmDataCollector collector;
    CGlobalModel model;
    model.SetSummarySource([&collector] { return collector.GetCube(); });
    model.CreateAnalysis(0);
    std::array<std::uint32_t, 14> query{};
    query[2] = query[4] = static_cast<std::uint32_t>(options.records);
    CCtrlItem request{ctrl::kOpenStatistic, reinterpret_cast<std::uintptr_t>(query.data()), 100,
                      platform::FromPath(folder.path)};
    model.OpenData(&request);
    collector.SetDataFolder(platform::FromPath(itemFolder) + L"/");
    CRecordRange range;
    range.EndBlock = range.BlockNum = options.records;
    collector.SetQuery(range);
    collector.CollectItems(&model, {});
    if (!collector.GetCube()) {
        return false;
    }

    // Orders 2 to 13 as ratios of L1, with THD and DC, all four statistics.
    CHarmSelection selection;
    selection.itemId = 2000;
    for (std::uint32_t bar = 3; bar < 28; ++bar) {
        selection.bars.push_back(bar);
    }
    selection.bars.insert(selection.bars.end(), {0, 1, 2});
    for (std::uint32_t bar = 4; bar <= 15; ++bar) {
        selection.ticked[bar] = 1;
    }
    selection.ticked[0] = selection.ticked[1] = 1;
    selection.valueType = 1;
    selection.showMaximum = selection.showMinimum = selection.showAverage = selection.showCp95 = 1;
    selection.thdItemId = 24;
    selection.dcItemId = 25;
    selection.kfItemId = 23;

    CDlgHarmMain dialog(CZVResourceManager::GetResourceManager()->LoadDialogTemplate(CDlgHarmMain::kTemplateId));
    if (!dialog.Create(context.frame)) {
        return false;
    }
    dialog.GetWx()->SetClientSize(wxSize(760, 360));
    dialog.Fill(&selection, &model);
    GlobalDataConfig::get_mutable_instance().SetKind(CGlobalDataConfig::Unknown);
    const controls::BarChart& chart = dialog.GetChart()->Chart();
    if (chart.Series().size() != 4 || dialog.GetBars().size() != 14) {
        return false;
    }
    for (const controls::ChartSeries& series : chart.Series()) {
        if (series.name.empty() || gfx::MissingGlyphCount(series.name, chart.font) != 0) {
            return false;
        }
    }
    if (gfx::MissingGlyphCount(chart.valueTitle.text, chart.font) != 0) {
        return false;
    }
    dialog.ShowWindow(ui::kShow);
    screenshot::Settle();
    const bool saved = screenshot::SaveFromWindow(dialog.GetWx(), context.file);
    dialog.DestroyWindow();
    return saved;
});

}  // namespace
