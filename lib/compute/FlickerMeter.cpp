// Flicker meter of one voltage channel: decimation to 400 samples per second
// behind an anti-alias low-pass, the IIR chain that models lamp, eye and brain
// (high-pass, squaring demodulator, low-pass stages, eye weighting, squaring,
// smoothing), a logarithmic classifier of the instantaneous flicker, and
// Pst/Plt from the classified samples by the percentile formula of
// IEC 61000-4-15.
#include "lib/compute/AntiAliasDecimator.h"
#include "lib/compute/ZvInternal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace zv {
namespace {

constexpr int32_t kClassCount = 16384;
constexpr float kLowestLevel = 0.0001f;
constexpr float kHighestLevel = 6400.0f;
constexpr int32_t kSettling = 24000; // decimated samples
constexpr int32_t kGroup = 16;
constexpr double kGainConstant = 1.2838e6;

// Direct form I filter of order up to 6; history is kept between blocks.
struct Filter {
    int order = 0;
    std::array<double, 7> b{};
    std::array<double, 7> a{}; // a[0] unused (1)
    std::array<double, 7> x{}; // x[k] = input k samples ago
    std::array<double, 7> y{};

    Filter(std::initializer_list<float> bs, std::initializer_list<float> as)
    {
        order = int(as.size());
        std::copy(bs.begin(), bs.end(), b.begin());
        std::copy(as.begin(), as.end(), a.begin() + 1);
    }

    void Restart()
    {
        x.fill(0.0);
        y.fill(0.0);
    }

    void Run(double* values, int count)
    {
        for (int n = 0; n < count; ++n) {
            for (int k = order; k > 0; --k)
                x[k] = x[k - 1];
            x[0] = values[n];
            double out = b[0] * x[0];
            for (int k = 1; k <= order; ++k)
                out += b[k] * x[k] - a[k] * y[k - 1];
            for (int k = order - 1; k > 0; --k)
                y[k] = y[k - 1];
            y[0] = out;
            values[n] = out;
        }
    }
};

// Coefficients designed for 400 samples per second (single-precision values).
Filter HighPass() { return Filter({0.9998466372489929f, -0.9998466372489929f}, {-0.9996932744979858f}); }
Filter LowPassA()
{
    return Filter({0.00017098737589549273f, 0.001025924226269126f, 0.0025648106820881367f, 0.0034197475761175156f,
                   0.0025648106820881367f, 0.001025924226269126f, 0.00017098737589549273f},
                  {-3.880667209625244f, 6.5354509353637695f, -6.049483776092529f, 3.227581024169922f,
                   -0.937389075756073f, 0.11545157432556152f});
}
Filter LowPassB()
{
    return Filter({0.0010516467737033963f, 0.006309880875051022f, 0.01577470265328884f, 0.02103293500840664f,
                   0.01577470265328884f, 0.006309880875051022f, 0.0010516467737033963f},
                  {-2.978529930114746f, 4.136081218719482f, -3.2597641944885254f, 1.517278790473938f,
                   -0.39111724495887756f, 0.043356988579034805f});
}
Filter Weighting()
{
    return Filter({0.009350968524813652f, 0.000328975758748129f, -0.01837296225130558f, -0.000328975758748129f,
                   0.009021992795169353f},
                  {-3.5487539768218994f, 4.714548110961914f, -2.776010274887085f, 0.6103248000144958f});
}
Filter Smoothing() { return Filter({0.004149401560425758f, 0.004149401560425758f}, {-0.9917011857032776f}); }

double GainFor(double mean)
{
    // A channel without voltage (zeroed by the wiring) has nothing to weigh.
    return mean > 0.0 ? kGainConstant / (4.0 * mean * mean * mean * mean) : 0.0;
}

} // namespace
} // namespace zv

struct flicker_meter {
    flicker_meter(int32_t rate, int32_t blockLength)
        : sampleRate(rate), step(std::max(rate / 400, 1)), decimator(rate, step, blockLength),
          decimated(size_t(std::max(blockLength, 0) / step))
    {
    }

    zv::Filter highPass1 = zv::HighPass();
    zv::Filter lowPassA = zv::LowPassA();
    zv::Filter highPass2 = zv::HighPass();
    zv::Filter lowPassB = zv::LowPassB();
    zv::Filter weighting = zv::Weighting();
    zv::Filter smoothing = zv::Smoothing();
    int32_t sampleRate = 0;
    int32_t step = 1;
    zv::AntiAliasDecimator decimator;
    std::vector<double> decimated; // one block at the reduced rate
    int32_t outputSize = ZV_FLICKER_OUTPUT;
    bool started = false;
    int32_t seen = 0;
    // Classifier.
    double ratio = std::pow(double(zv::kHighestLevel) / zv::kLowestLevel, 1.0 / (zv::kClassCount - 1));
    double inverseLogRatio = 1.0 / std::log(ratio);
    std::vector<int32_t> histogram = std::vector<int32_t>(zv::kClassCount, 0);
    std::vector<int64_t> cumulative = std::vector<int64_t>(zv::kClassCount, 0);
    // Long-term accumulation.
    double sumOfCubes = 0.0;
    int32_t pstCount = 0;
    // Normalisation: RMS values are summed in counts of the channel, so that
    // the voltage scale in force (a VT ratio) does not change the result.
    double previousMean = 0.0;
    double mean = 0.0;
    double gain = 0.0;
    double rmsSum = 0.0;
    uint32_t rmsCount = 0;

    // As made: nothing of earlier blocks, the configuration and the memory kept.
    void Restart()
    {
        for (zv::Filter* filter : {&highPass1, &lowPassA, &highPass2, &lowPassB, &weighting, &smoothing})
            filter->Restart();
        decimator.Restart();
        std::fill(decimated.begin(), decimated.end(), 0.0);
        started = false;
        seen = 0;
        std::fill(histogram.begin(), histogram.end(), 0);
        std::fill(cumulative.begin(), cumulative.end(), 0);
        sumOfCubes = 0.0;
        pstCount = 0;
        previousMean = mean = gain = rmsSum = 0.0;
        rmsCount = 0;
    }
};

namespace zv {
namespace {

void Classify(flicker_meter& m, const double* v)
{
    if (m.seen < kSettling) {
        m.seen += kGroup;
        if (m.seen >= kSettling) {
            m.mean = m.rmsCount > 0 ? m.rmsSum / m.rmsCount : 0.0;
            m.previousMean = m.mean;
            m.gain = GainFor(m.mean);
            m.rmsSum = 0.0;
            m.rmsCount = 0;
        }
        return;
    }
    m.started = true;
    const double factor = m.gain / kLowestLevel;
    for (int k = 0; k < kGroup; ++k) {
        const double f = factor * v[k];
        int32_t cls = 0;
        if (f > 1.0) {
            const double position = m.inverseLogRatio * std::log(f);
            cls = position < kClassCount - 1 ? int32_t(position) : kClassCount - 1;
        }
        ++m.histogram[size_t(cls)];
    }
}

double ShortTermFlicker(flicker_meter& m, flicker_record& record)
{
    std::vector<int64_t>& h = m.cumulative;
    std::copy(m.histogram.begin(), m.histogram.end(), h.begin());
    for (int32_t k = kClassCount - 2; k >= 0; --k)
        h[size_t(k)] += h[size_t(k) + 1];
    const int64_t total = h[0];
    if (total == 0)
        return 0.0;
    for (int32_t k = 0; k < kClassCount; ++k) {
        record.points[2 * k] = static_cast<float>(kLowestLevel * std::pow(m.ratio, k));
        record.points[2 * k + 1] = static_cast<float>(double(h[size_t(k)]) / double(total));
    }
    static constexpr double kPercent[15] = {80, 50, 30, 17, 13, 10, 8, 6, 4, 3, 2.2, 1.5, 1, 0.7, 0.1};
    double level[15];
    int32_t c = 0;
    for (int p = 0; p < 15; ++p) {
        const double d = double(total) * kPercent[p] / 100.0;
        const int64_t limit = int64_t(d);
        while (c < kClassCount && h[size_t(c)] >= limit)
            ++c;
        c = std::clamp(c, 1, kClassCount - 1);
        const double lower = double(h[size_t(c) - 1]);
        const double upper = double(h[size_t(c)]);
        const double x = std::fabs(upper - lower) > 1e-15 ? (c - 1) + (d - lower) / (upper - lower) : c - 1;
        level[p] = x >= 1.0 ? kLowestLevel * std::pow(m.ratio, x) : 0.0;
    }
    const double p50s = (level[0] + level[1] + level[2]) / 3.0;
    const double p10s = (level[3] + level[4] + level[5] + level[6] + level[7]) / 5.0;
    const double p3s = (level[8] + level[9] + level[10]) / 3.0;
    const double p1s = (level[11] + level[12] + level[13]) / 3.0;
    const double p01 = level[14];
    const double pst = std::sqrt(0.08 * p50s + 0.28 * p10s + 0.0657 * p3s + 0.0525 * p1s + 0.0314 * p01);
    // A Pst above 100 is a real (very strong) flicker and is kept.
    return pst >= 0.0 ? pst : 0.0;
}

} // namespace

void FlickerBuild(flicker_record& record, rms_record* rms, fluctuation_record* fluctuation, float sampleRate,
                  int32_t blockLength)
{
    record.output_size = ZV_FLICKER_OUTPUT;
    record.output = new float[ZV_FLICKER_OUTPUT]();
    record.point_count = kClassCount;
    record.points = new float[2 * size_t(kClassCount)]();
    record.rms = rms;
    record.fluctuation = fluctuation;
    record.meter = new flicker_meter(static_cast<int32_t>(sampleRate), blockLength);
}

void FlickerRestart(flicker_record& record)
{
    record.pst = record.plt = 0.0f;
    std::fill(record.output, record.output + record.output_size, 0.0f);
    std::fill(record.points, record.points + 2 * size_t(record.point_count), 0.0f);
    record.meter->Restart();
}

void FlickerFree(flicker_record& record)
{
    delete[] record.output;
    delete[] record.points;
    delete record.meter;
    record.output = nullptr;
    record.points = nullptr;
    record.meter = nullptr;
}

void FlickerFeed(flicker_record& record, const int32_t* samples, int32_t count)
{
    flicker_meter& m = *record.meter;
    const rms_record& rms = *record.rms;
    if (rms.window_count > 0 && rms.scale != 0.0f) {
        m.rmsSum += double(rms.rms[0]) / rms.scale;
        ++m.rmsCount;
    }
    const int32_t groups = std::min(count / (m.step * kGroup), int32_t(m.decimated.size()) / kGroup);
    m.decimator.Run(samples, count, m.decimated.data(), groups * kGroup);
    int32_t written = 0;
    double v[kGroup];
    for (int32_t g = 0; g < groups; ++g) {
        std::copy_n(m.decimated.begin() + g * kGroup, kGroup, v);
        m.highPass1.Run(v, kGroup);
        for (double& value : v)
            value *= value;
        m.lowPassA.Run(v, kGroup);
        m.highPass2.Run(v, kGroup);
        m.lowPassB.Run(v, kGroup);
        m.weighting.Run(v, kGroup);
        for (double& value : v)
            value *= value;
        m.smoothing.Run(v, kGroup);
        Classify(m, v);
        for (int k = 0; k < kGroup && written < record.output_size; ++k)
            record.output[written++] = static_cast<float>(m.gain * v[k]);
    }
}

void FlickerClosePeriod(flicker_record& record)
{
    flicker_meter& m = *record.meter;
    if (!m.started) {
        record.pst = 0.0f;
        std::fill(record.points, record.points + 2 * size_t(record.point_count), 0.0f);
        return;
    }
    const double newMean = m.rmsCount > 0 ? m.rmsSum / m.rmsCount : m.mean;
    m.rmsSum = 0.0;
    m.rmsCount = 0;
    m.gain = GainFor(newMean);
    const double oldMean = m.previousMean;
    m.previousMean = newMean;
    m.mean = newMean;

    double pst = ShortTermFlicker(m, record);
    // The period was weighed with the level known at its start; refer it to
    // the level measured over the period itself.
    pst = newMean > 0.0 ? pst * (oldMean / newMean) * (oldMean / newMean) : 0.0;
    record.pst = static_cast<float>(pst);

    ++m.pstCount;
    m.sumOfCubes += pst * pst * pst;
    std::fill(m.histogram.begin(), m.histogram.end(), 0);
    if (m.pstCount == 12) {
        record.plt = static_cast<float>(std::pow(m.sumOfCubes / 12.0, 0.3333333432674408));
        m.pstCount = 0;
        m.sumOfCubes = 0.0;
    }
}

} // namespace zv
