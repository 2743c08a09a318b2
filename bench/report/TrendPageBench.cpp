// A trend page of the RTF report: four charts, each of a maximum, a minimum and an
// average curve of 10^6 samples, drawn on the page canvas and finished as a
// metafile, and as PNG at 200 and 300 dpi. Beside it, in the same run: the PNG
// encoding of such a page alone, a blank page (the furniture, and the rasterising
// and encoding of a page with no chart), the rasterising of a white page into a
// bitmap made anew for every page (as every PNG page was once) beside one kept from
// page to page (as now), and one plain pass over the same 12 x 10^6 samples.
// Nothing is written to disk.

#include <benchmark/benchmark.h>

#include <cmath>
#include <deque>
#include <memory>
#include <vector>

#include "platform/base/ProgramFolder.h"
#include "platform/gfx/FontConfig.h"
#include "platform/gfx/Context.h"
#include "platform/gfx/ImageCodec.h"
#include "platform/gfx/Recording.h"
#include "report/ReportPageCanvas.h"
#include "report/ZVTrendPic.h"

namespace {

constexpr std::size_t kSamples = 1'000'000;
constexpr int kCharts = 4;

// The pictures and their curves: plausible voltages with a daily swing and noise.
struct TrendPage {
    std::deque<CZVTrendCurve> curves;
    std::vector<CZVTrendPic> pictures;

    TrendPage()
    {
        static constexpr std::uint32_t kColors[] = {0x0000FF, 0x00B400, 0xFF0000};
        for (int chart = 0; chart < kCharts; ++chart) {
            pictures.emplace_back(L"站点-电压有效值-L" + std::to_wstring(chart + 1), L"[V]", 1772323200,
                                  1772323200 + 3 * static_cast<std::int64_t>(kSamples), 3.0);
        }
        for (int chart = 0; chart < kCharts; ++chart) {
            for (std::uint32_t kind = 0; kind < 3; ++kind) {
                std::vector<float> values(kSamples);
                for (std::size_t i = 0; i < kSamples; ++i) {
                    const double day = std::sin(static_cast<double>(i) * 2.0e-5);
                    const double noise = static_cast<double>((i * 2654435761u + kind * 97u) % 1000u) / 1000.0;
                    values[i] = static_cast<float>(230.0 + 4.0 * day + noise + (1.0 - kind) * 1.5);
                }
                CZVTrendCurve& curve = curves.emplace_back(kind == 0 ? L"最大值" : kind == 1 ? L"最小值" : L"平均值",
                                                           kColors[kind], 1.0f, kind);
                curve.SetValues(values, 0.0f);
                pictures[static_cast<std::size_t>(chart)].UpdateSummary(curve);
            }
        }
    }
    std::vector<const CZVTrendPic*> List() const
    {
        std::vector<const CZVTrendPic*> list;
        for (const CZVTrendPic& picture : pictures) {
            list.push_back(&picture);
        }
        return list;
    }
};

const TrendPage& Page()
{
    static const TrendPage page;
    return page;
}

using Format = CReportPageCanvas::PageFormat;

std::unique_ptr<CReportPageCanvas> MakeCanvas(double dpi, Format format = Format::Png)
{
    static const bool fonts = gfx::LoadFontConfig(platform::ProgramFolder());
    (void)fonts;
    auto canvas = std::make_unique<CReportPageCanvas>(L"", L"", L"最大值", L"最小值", L"平均值", L"95%概率值",
                                                      L"最大值时间");
    canvas->SetPageFormat(format);
    canvas->SetResolution(dpi);
    return canvas;
}

const CPageHeader kHeader{L"趋势图", L"2026/03/01 00:00:00 - 2026/03/12 13:46:40", L"", L"K7700"};

// Trend pages drawn and finished on the canvas, one an iteration; the counter gets
// the size of one page.
void RunTrendPages(benchmark::State& state, CReportPageCanvas& canvas, const char* sizeCounter)
{
    const std::vector<const CZVTrendPic*> pictures = Page().List();
    std::size_t bytes = 0;
    for (auto _ : state) {
        canvas.BeginPage(1, kHeader);
        canvas.DrawTrendPage(pictures, 1, 0);
        bytes = canvas.EndPage().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters[sizeCounter] = static_cast<double>(bytes) / 1024.0;
}

// Argument: dpi.
void BM_TrendPageOfFourCharts(benchmark::State& state)
{
    RunTrendPages(state, *MakeCanvas(static_cast<double>(state.range(0))), "png_kB");
}

void BM_TrendPageOfFourChartsAsMetafile(benchmark::State& state)
{
    RunTrendPages(state, *MakeCanvas(CReportPageCanvas::kDefaultDpi, Format::Metafile), "emf_kB");
}

void BM_BlankPage(benchmark::State& state)
{
    const auto canvas = MakeCanvas(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        canvas->BeginPage(1, kHeader);
        benchmark::DoNotOptimize(canvas->EndPage().size());
    }
}

void BM_BlankPageAsMetafile(benchmark::State& state)
{
    const auto canvas = MakeCanvas(CReportPageCanvas::kDefaultDpi, Format::Metafile);
    for (auto _ : state) {
        canvas->BeginPage(1, kHeader);
        benchmark::DoNotOptimize(canvas->EndPage().size());
    }
}

// A white page rasterised at the resolution, without encoding.
gfx::Recording WhitePage()
{
    gfx::Recording page(CReportPageCanvas::kPageWidth, CReportPageCanvas::kPageHeight);
    page.NewContext()->FillRect(gfx::Rect{0, 0, CReportPageCanvas::kPageWidth, CReportPageCanvas::kPageHeight},
                                gfx::Color{255, 255, 255});
    return page;
}

int PagePixels(double side, double dpi)
{
    return static_cast<int>(side * dpi / CReportPageCanvas::kUnitsPerInch + 0.5);
}

void BM_RasteriseIntoANewBitmap(benchmark::State& state)
{
    const gfx::Recording page = WhitePage();
    const double dpi = static_cast<double>(state.range(0));
    for (auto _ : state) {
        const gfx::Bitmap pixels = page.Render(PagePixels(CReportPageCanvas::kPageWidth, dpi),
                                               PagePixels(CReportPageCanvas::kPageHeight, dpi), gfx::Color{255, 255, 255});
        benchmark::DoNotOptimize(pixels.Surface());
    }
}

void BM_RasteriseIntoAKeptBitmap(benchmark::State& state)
{
    const gfx::Recording page = WhitePage();
    const double dpi = static_cast<double>(state.range(0));
    gfx::Bitmap pixels;
    for (auto _ : state) {
        page.RenderInto(pixels, PagePixels(CReportPageCanvas::kPageWidth, dpi),
                        PagePixels(CReportPageCanvas::kPageHeight, dpi), gfx::Color{255, 255, 255});
        benchmark::DoNotOptimize(pixels.Surface());
    }
}

// The encoding alone, of the finished trend page's pixels.
void BM_PngEncodeOfATrendPage(benchmark::State& state)
{
    const auto canvas = MakeCanvas(static_cast<double>(state.range(0)));
    canvas->BeginPage(1, kHeader);
    canvas->DrawTrendPage(Page().List(), 1, 0);
    const gfx::Bitmap page = gfx::Bitmap::FromPng(canvas->EndPage());
    for (auto _ : state) {
        benchmark::DoNotOptimize(gfx::EncodePng(page, gfx::PngOptions{true, 1}).size());
    }
}

void BM_OnePassOverTheSamples(benchmark::State& state)
{
    const TrendPage& page = Page();
    for (auto _ : state) {
        double sum = 0.0;
        for (const CZVTrendCurve& curve : page.curves) {
            for (const float v : curve.values) {
                sum += v;
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

void Resolutions(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgName("dpi")->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_TrendPageOfFourCharts)->Apply(Resolutions);
BENCHMARK(BM_TrendPageOfFourChartsAsMetafile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngEncodeOfATrendPage)->Apply(Resolutions);
BENCHMARK(BM_BlankPage)->Apply(Resolutions);
BENCHMARK(BM_BlankPageAsMetafile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RasteriseIntoANewBitmap)->Apply(Resolutions);
BENCHMARK(BM_RasteriseIntoAKeptBitmap)->Apply(Resolutions);
BENCHMARK(BM_OnePassOverTheSamples)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
