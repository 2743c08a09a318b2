// Feeds device_context_input eight channels (4 voltages, 4 currents) at 25600
// samples per second, 200 ms per call, with the settings of the record-analysis
// pool (four-wire wiring, half-cycle RMS windows, flicker closed every minute).
// Counters: "realtime" = seconds of signal per CPU second on one core (target:
// at least 1000); "fftw_share" = CPU time of the same eight transforms per block
// run alone through FFTW as the library runs them (real to complex, planner
// estimate), over the CPU time of the whole pipeline. Five repetitions and
// their median: run it pinned to one core (taskset -c N).
// The benchmark writes no files; it still refuses to run on a full disk, like
// every benchmark here, since the harness may write its results.

#include <benchmark/benchmark.h>
#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <numbers>
#include <system_error>
#include <vector>

#include "lib/compute/zv.h"

namespace {

constexpr float kRate = 25600.0f;
constexpr int32_t kPoints = 5120;
constexpr int kDistinctBlocks = 50;
constexpr float kVoltageScale = 0.02410888671875f;
constexpr float kCurrentScale = 0.00043226013076491654f;

double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

bool EnoughDisk(benchmark::State& state)
{
    std::error_code error;
    const auto space = std::filesystem::space(std::filesystem::temp_directory_path(), error);
    if (error || space.available < (64u << 20)) {
        state.SkipWithError("less than 64 MB of free disk");
        return false;
    }
    return true;
}

int16_t Quantise(double v)
{
    return static_cast<int16_t>(std::lround(std::clamp(v, -32768.0, 32767.0)));
}

// Voltages of 230 V with 3rd and 5th harmonics and a slight 8.8 Hz modulation;
// currents of 60 % load lagging 30 degrees with 3rd, 5th and 7th harmonics.
std::vector<int16_t> MakeBlocks(bool voltage)
{
    std::vector<int16_t> blocks(size_t(kDistinctBlocks) * 4 * kPoints);
    const double twoPi = 2.0 * std::numbers::pi;
    for (int b = 0; b < kDistinctBlocks; ++b)
        for (int c = 0; c < 4; ++c)
            for (int n = 0; n < kPoints; ++n) {
                const double t = (double(b) * kPoints + n) / kRate;
                const double shift = -twoPi / 3.0 * c;
                double v;
                if (voltage) {
                    const double a = 230.0 * std::sqrt(2.0) / kVoltageScale * (1.0 + 0.002 * std::sin(twoPi * 8.8 * t));
                    v = c == 3 ? 20.0 * std::sin(twoPi * 150.0 * t)
                               : a * (std::sin(twoPi * 50.0 * t + shift) + 0.03 * std::sin(3 * (twoPi * 50.0 * t + shift)) +
                                      0.02 * std::sin(5 * (twoPi * 50.0 * t + shift)));
                } else {
                    const double a = 6.0 / kCurrentScale;
                    const double phase = twoPi * 50.0 * t + shift - std::numbers::pi / 6.0;
                    v = c == 3 ? 0.1 * a * std::sin(3 * phase)
                               : a * (std::sin(phase) + 0.1 * std::sin(3 * phase) + 0.06 * std::sin(5 * phase) +
                                      0.03 * std::sin(7 * phase));
                }
                blocks[(size_t(b) * 4 + c) * kPoints + n] = Quantise(v);
            }
    return blocks;
}

double FftSecondsFor(int64_t blocks)
{
    float* in = fftwf_alloc_real(kPoints);
    fftwf_complex* out = fftwf_alloc_complex(kPoints / 2 + 1);
    std::memset(in, 0, sizeof(float) * kPoints);
    fftwf_plan plan = fftwf_plan_dft_r2c_1d(kPoints, in, out, FFTW_ESTIMATE);
    for (int n = 0; n < kPoints; ++n)
        in[n] = float(std::sin(0.01 * n) * 10000.0);
    const double start = CpuSeconds();
    for (int64_t b = 0; b < blocks; ++b)
        for (int c = 0; c < 8; ++c)
            fftwf_execute_dft_r2c(plan, in, out);
    const double seconds = CpuSeconds() - start;
    benchmark::DoNotOptimize(out[1][0]);
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
    return seconds;
}

void BM_DeviceContextInput(benchmark::State& state)
{
    if (!EnoughDisk(state))
        return;
    char name[] = "4U4I";
    char device[] = "K7700";
    item_spec items[2] = {{{0, 1, 2, 3}, {0, 1, 2, 3}, name}, {{-1, 0, 0, 0}, {0, 0, 0, 0}, nullptr}};
    device_config config{4, 4, kRate, kPoints, kVoltageScale, kCurrentScale, device, 50, 50, 50, 35, 50, items};
    device_context context{};
    if (device_context_init(&context, &config) != 0) {
        state.SkipWithError("context refused");
        return;
    }
    unsigned char wiring[K7700_CONFIG_BLOCK_SIZE] = {};
    wiring[K7700_CONFIG_WIRING_OFFSET] = 50;
    k7700_config* chain = k7700_config_obj_get();
    k7700_config_init(chain);
    k7700_config_dc(chain, wiring, &context);
    device_context_set_rms_points(&context, kPoints / 10 / 2);

    const std::vector<int16_t> voltages = MakeBlocks(true);
    const std::vector<int16_t> currents = MakeBlocks(false);
    std::vector<int16_t> u(4 * kPoints), i(4 * kPoints);
    int64_t blocks = 0;
    const double start = CpuSeconds();
    for (auto _ : state) {
        const size_t at = size_t(blocks % kDistinctBlocks) * 4 * kPoints;
        std::memcpy(u.data(), voltages.data() + at, u.size() * sizeof(int16_t));
        std::memcpy(i.data(), currents.data() + at, i.size() * sizeof(int16_t));
        benchmark::DoNotOptimize(device_context_input(&context, u.data(), 4 * kPoints, i.data(), 4 * kPoints));
        if (++blocks % 300 == 0)
            device_context_flicker_done(&context);
    }
    const double total = CpuSeconds() - start;
    const double fft = FftSecondsFor(blocks); // after the timed loop: not counted in its time
    state.counters["realtime"] = benchmark::Counter(double(blocks) * 0.2, benchmark::Counter::kIsRate);
    state.counters["fftw_share"] = total > 0.0 ? fft / total : 0.0;
    k7700_config_destroy(chain);
    device_context_destroy(&context);
}

BENCHMARK(BM_DeviceContextInput)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0)
    ->Repetitions(5);

} // namespace

BENCHMARK_MAIN();
