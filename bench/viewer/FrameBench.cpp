// Times the waveform control drawing frames off screen: one analog row over 10^8
// samples, a 1920 x 400 pixel waveform, as the viewer's window paints it (the
// control's paint into the window's surface, here a picture kept from frame to
// frame):
//   - zoom frames: every zoom level from the whole record to the closest, centred;
//   - pan frames: 40 steps of 200 pixels at a far, a middle and a close level;
// each beside the same frames of an empty viewer (background and grids only),
// measured in the same run. Target: every frame under 16 ms. The first frame a
// viewer paints also pays one-time set-up (fonts, the drawing library's and the
// allocator's first buffers); it is drawn and reported on its own before the
// timed frames. Run it pinned to one core (taskset -c N).
// Writes nothing to disk; refuses to run without the memory for the samples.
//
//   viewer_frame_bench [SAMPLES]     (default 100000000)

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "bench/viewer/MemorySource.h"
#include "lib/viewer/data/BufferredDataManager.h"
#include "lib/viewer/data/RowItem.h"
#include "lib/viewer/panes/TracelumeCtrl.h"
#include "lib/viewer/panes/TracelumeView.h"
#include "lib/viewer/panes/ViewPlatform.h"

namespace {

using Clock = std::chrono::steady_clock;
using tracelume::CTracelumeCtrl;
using tracelume::CTracelumeView;

constexpr int kWidth = 1920;
constexpr int kHeight = 400;
constexpr int kPanSteps = 40;
constexpr int kPanStep = 200;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

struct Times {
    std::vector<double> frames;
    double Median() {
        if (frames.empty()) {
            return 0;
        }
        std::vector<double> sorted = frames;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
    double Worst() const { return frames.empty() ? 0 : *std::max_element(frames.begin(), frames.end()); }
};

// A viewer without windows whose waveform is kWidth x kHeight pixels.
std::unique_ptr<CTracelumeView> MakeViewer(std::int64_t count) {
    auto view = std::make_unique<CTracelumeView>(nullptr);
    view->Create();
    view->Place(gfx::Rect::FromSize(0, 0, kWidth + view->GetTreeWidth() + CTracelumeView::kSplitterWidth,
                                    kHeight + CTracelumeView::kRulerHeight),
                true);
    view->SetDataLength(static_cast<std::uint32_t>(count), static_cast<std::uint32_t>(count >> 32));
    view->SetSampleRate(10000);
    view->ShowGrid(1, 1);
    return view;
}

// Paints a frame into the surface after each step and times it; a pixel of the
// surface goes into the checksum so nothing is left out.
void Frames(CTracelumeCtrl& wave, gfx::Bitmap& surface, const std::vector<std::function<void()>>& steps, Times& times,
            long& checksum) {
    for (const auto& step : steps) {
        step();
        const auto start = Clock::now();
        {
            gfx::Context dc(surface);
            wave.OnPaint(dc);
        }
        times.frames.push_back(Milliseconds(Clock::now() - start));
        checksum += surface.PixelAt(kWidth / 2, kHeight / 2).r;
    }
}

std::vector<std::function<void()>> ZoomSteps(CTracelumeCtrl& wave) {
    std::vector<std::function<void()>> steps;
    for (int level = wave.GetMinZoomLevel(); level <= wave.GetMaxZoomLevel(); ++level) {
        steps.push_back([&wave, level] {
            wave.SetZoom(level);
            // The middle of the record in the middle of the frame.
            const double middle = static_cast<double>(wave.GetDataLength()) / 2;
            wave.SetScrollPosition(false, tracelume::ToPixels(middle * wave.GetTimePerDivision() / wave.GetRate()) -
                                              kWidth / 2);
        });
    }
    return steps;
}

std::vector<std::function<void()>> PanSteps(CTracelumeCtrl& wave) {
    std::vector<std::function<void()>> steps;
    const int min = wave.GetMinZoomLevel();
    const int max = wave.GetMaxZoomLevel();
    for (const int level : {min + 3, (min + max) / 2, max - 2}) {
        steps.push_back([&wave, level] {
            wave.SetZoom(level);
            wave.SetScrollPosition(false, 0);
        });
        for (int i = 0; i < kPanSteps; ++i) {
            steps.push_back([&wave] { wave.SetScrollPosition(false, wave.GetScrollPosition() + kPanStep); });
        }
    }
    return steps;
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t count = argc > 1 ? std::atoll(argv[1]) : 100000000;
    if (count < kWidth) {
        std::fprintf(stderr, "at least %d samples, please\n", kWidth);
        return 2;
    }
    if (!EnoughMemoryFor(count)) {
        return 1;
    }
    std::printf("making %lld samples...\n", static_cast<long long>(count));
    const std::unique_ptr<ISimpleDataManager> samples = MakeMemorySource(WaveSamples(count));

    std::unique_ptr<CTracelumeView> view = MakeViewer(count);
    const auto buildStart = Clock::now();
    IBufferredDataManager* cache = view->CreateDataManager(samples.get());
    const double build = Milliseconds(Clock::now() - buildStart);
    IRowItem* row = view->AddRow(nullptr);
    IRowItemImp* kind = view->CreateRowImp(tracelume::kRowKindAnalog);
    kind->SetData(cache);
    row->AddImp(kind);
    CLineStyleInfo style;
    style.m_lineColor = 0x0000C8;
    row->SetImpStyle(kind, style);
    view->ZoomAll();
    row->SetHeight(kHeight);
    std::unique_ptr<CTracelumeView> empty = MakeViewer(count);
    empty->AddRow(nullptr)->SetHeight(kHeight);

    CTracelumeCtrl& wave = view->Wave();
    CTracelumeCtrl& reference = empty->Wave();
    if (wave.Width() != kWidth || wave.Height() != kHeight) {
        std::fprintf(stderr, "the waveform is %d x %d pixels\n", wave.Width(), wave.Height());
        return 2;
    }
    // The windows' surfaces.
    gfx::Bitmap surface(kWidth, kHeight);
    gfx::Bitmap referenceSurface(kWidth, kHeight);
    long checksum = 0;
    Times first;
    Times firstReference;
    Frames(wave, surface, {[] {}}, first, checksum);
    Frames(reference, referenceSurface, {[] {}}, firstReference, checksum);
    Times zoom;
    Times zoomReference;
    Times pan;
    Times panReference;
    Frames(wave, surface, ZoomSteps(wave), zoom, checksum);
    Frames(reference, referenceSurface, ZoomSteps(reference), zoomReference, checksum);
    Frames(wave, surface, PanSteps(wave), pan, checksum);
    Frames(reference, referenceSurface, PanSteps(reference), panReference, checksum);

    std::printf("\ncache build of %lld samples: %.0f ms\n", static_cast<long long>(count), build);
    std::printf("\n%d x %d frames       %8s %10s %10s   %s\n", kWidth, kHeight, "frames", "median ms", "worst ms",
                "empty viewer: median / worst ms");
    std::printf("%-20s %8zu %10.2f %10.2f   %.2f / %.2f\n", "first (cold)", first.frames.size(), first.Median(),
                first.Worst(), firstReference.Median(), firstReference.Worst());
    std::printf("%-20s %8zu %10.2f %10.2f   %.2f / %.2f\n", "zoom (every level)", zoom.frames.size(), zoom.Median(),
                zoom.Worst(), zoomReference.Median(), zoomReference.Worst());
    std::printf("%-20s %8zu %10.2f %10.2f   %.2f / %.2f\n", "pan (3 levels)", pan.frames.size(), pan.Median(),
                pan.Worst(), panReference.Median(), panReference.Worst());
    const bool fast = zoom.Worst() < 16 && pan.Worst() < 16;
    std::printf("\nevery frame under 16 ms: %s   (checksum %ld)\n", fast ? "yes" : "NO", checksum);
    view->RemoveAllRows();
    cache->Release();
    return 0;
}
