// Scene of the chart control: the voltage harmonic content ratios of phase L1 over a
// generated day of statistic data, summarised by the harmonic data collector, with
// the maximum, minimum, average and 95 % value of each order as grouped bars.
#include <filesystem>
#include <string>

#include <unistd.h>

#include <wx/window.h>

#include "app/MainFrame.h"
#include "app/controls/ChartContrl.h"
#include "app/controls/ControlTemplate.h"
#include "app/screenshot/Scene.h"
#include "platform/base/Encoding.h"
#include "platform/gfx/Font.h"
#include "platform/ui/Dialog.h"
#include "terminal/HarmDataCollector.h"
#include "terminal/StatCube.h"
#include "tools/gen/ItemFiles.h"

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

DialogTemplateInfo PanelTemplate()
{
    DialogTemplateInfo info;
    info.style = 0x80C800C0;
    info.cx = 100;
    info.cy = 100;
    info.fontFace = L"宋体";
    info.fontSize = 9;
    return info;
}

const screenshot::SceneRegistrar kChart("controls-chart-harmonics", [](screenshot::SceneContext& context) {
    GeneratedFolder folder;
    gen::StatisticFolderOptions options;
    options.items.clear();
    for (std::uint32_t item = 25; item <= 74; ++item) {  // voltage harmonics 1 to 50
        options.items.push_back(item);
    }
    options.records = 288;
    options.timePlot = 300;
    options.realisticValues = true;
    const fs::path itemFolder = folder.path / "Statistic" / "newfiles";
    if (!gen::WriteStatisticFolder(folder.path, options) || !gen::WriteItemFiles(itemFolder, options)) {
        return false;
    }
    CHarmDataCollector collector;
    collector.SetDataFolder(platform::FromPath(itemFolder) + L"/");
    CRecordRange range;
    range.EndBlock = range.BlockNum = options.records;
    collector.SetQuery(range);
    collector.CollectItems(nullptr, {});
    const std::shared_ptr<const CStatCube> cube = collector.GetCube();
    if (!cube) {
        return false;
    }

    ui::Dialog panel(PanelTemplate());
    if (!panel.Create(context.frame)) {
        return false;
    }
    CChartContrl chart;
    chart.Create(&panel, 100, ui::kStyleChild | ui::kStyleVisible, wxRect(0, 0, 720, 360));
    chart.EnableHoverLabels(1);
    controls::BarChart& bars = chart.Chart();
    const gfx::Color colors[] = {{255, 0, 0}, {0, 180, 0}, {0, 0, 255}, {255, 0, 255}};
    for (unsigned kind = 0; kind < 4; ++kind) {
        controls::ChartSeries& series = bars.AddSeries(controls::LoadControlString(6126 + kind), colors[kind]);
        for (std::int32_t order = 1; order < 13; ++order) {  // orders 2 to 13
            CStatValue cell;
            if (FindItemValue(cube.get(), 0, 2, order, 2000, cell) == 0) {
                continue;
            }
            const double values[] = {cell.maximum, cell.minimum, cell.sum / cell.count, cell.percentile95};
            series.points.push_back({std::to_wstring(order + 1), values[kind]});
        }
    }
    bars.Series()[2].labelsVisible = true;
    bars.legendVisible = true;
    bars.valueTitle = {true, controls::LoadControlString(6131) + L"[%](L1)"};
    for (const controls::ChartSeries& series : bars.Series()) {
        if (series.name.empty() || gfx::MissingGlyphCount(series.name, bars.font) != 0) {
            return false;
        }
    }
    if (gfx::MissingGlyphCount(bars.valueTitle.text, bars.font) != 0) {
        return false;
    }
    panel.GetWx()->SetClientSize(wxSize(720, 360));
    panel.ShowWindow(ui::kShow);
    screenshot::Settle();
    const bool saved = screenshot::SaveFromWindow(panel.GetWx(), context.file);
    panel.DestroyWindow();
    return saved;
});

}  // namespace
