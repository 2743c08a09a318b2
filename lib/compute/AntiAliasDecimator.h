// Decimation of one channel to the flicker meter's rate behind a linear-phase
// low-pass. Keeping every step-th sample alone would fold everything above half
// the reduced rate into the band the lamp model weighs: harmonics would move the
// carrier by their phase and interharmonics would beat with it as flicker.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace zv {

class AntiAliasDecimator {
public:
    // Passes what the meter demodulates (a 50 or 60 Hz carrier with sidebands up to
    // 35 Hz away) and stops everything that the reduced rate could fold, at
    // `sampleRate` reduced by `step`; blocks hold at most `blockLength` samples.
    AntiAliasDecimator(int32_t sampleRate, int32_t step, int32_t blockLength);

    // Filters the block (the history of earlier blocks continues it) and writes the
    // filtered value at every step-th sample, from the first, `outputs` of them.
    void Run(const int32_t* samples, int32_t count, double* out, int32_t outputs);
    // Forgets the earlier blocks.
    void Restart();

private:
    // One FIR low-pass that keeps every step-th of its filtered samples.
    class Stage {
    public:
        Stage(double rate, double passHz, double stopHz, int32_t step, int32_t blockLength);
        // Room for the next block of samples, behind the history of the earlier ones.
        float* Input() { return m_window.data() + m_taps.size() - 1; }
        int32_t Capacity() const { return int32_t(m_window.size() - (m_taps.size() - 1)); }
        // Filters the `count` samples placed at Input() and writes the value at every
        // step-th of them, from the first, `outputs` at most; how many it wrote.
        template <typename Out> int32_t Run(int32_t count, Out* out, int32_t outputs);
        void Restart() { std::fill(m_window.begin(), m_window.end(), 0.0f); }

    private:
        int32_t m_step;
        std::vector<float> m_taps; // symmetric, odd length
        std::vector<float> m_window; // the history (one sample fewer than taps), then the block
    };

    // A large reduction runs in two stages: a short filter for the first, which needs
    // to stop only what folds onto the meter's band, then the sharp one at a rate
    // that makes it short too.
    std::vector<Stage> m_stages;
};

} // namespace zv
