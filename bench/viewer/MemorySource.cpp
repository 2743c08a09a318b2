#include "bench/viewer/MemorySource.h"

#include <cmath>
#include <cstdio>

#include "platform/base/MemoryStatus.h"

namespace {

class CMemorySource final : public ISimpleDataManager {
public:
    explicit CMemorySource(std::vector<std::int64_t> samples) : m_samples(std::move(samples)) {}
    void Release() override {}
    std::int32_t ReservedSlot2(std::uint32_t, std::uint32_t, std::uint32_t) override { return 0; }
    bool GetNext(std::int64_t* index, std::int64_t* position) override {
        if (*index < 0 || static_cast<std::size_t>(*index) >= m_samples.size()) {
            return false;
        }
        *position = m_samples[static_cast<std::size_t>((*index)++)];
        return true;
    }
    bool GetPrev(std::int64_t*, std::int64_t*) override { return false; }
    std::uint64_t GetCount() override { return m_samples.size(); }
    bool GetValue(std::int64_t, double*) override { return false; }

private:
    std::vector<std::int64_t> m_samples;
};

}  // namespace

std::unique_ptr<ISimpleDataManager> MakeMemorySource(std::vector<std::int64_t> samples) {
    return std::make_unique<CMemorySource>(std::move(samples));
}

std::vector<std::int64_t> WaveSamples(std::int64_t count) {
    std::vector<std::int64_t> samples(static_cast<std::size_t>(count));
    std::uint64_t noise = 88172645463325252ull;
    constexpr double kPi = 3.14159265358979323846;
    for (std::int64_t i = 0; i < count; ++i) {
        noise ^= noise << 13;
        noise ^= noise >> 7;
        noise ^= noise << 17;
        const double wave = 0.45 * std::sin(2 * kPi * static_cast<double>(i % 200) / 200.0);
        const double jitter = static_cast<double>(noise % 1000) / 1e5;
        samples[static_cast<std::size_t>(i)] =
            i % 1000003 < 100 ? kNoValuePosition : static_cast<std::int64_t>((0.5 + wave + jitter) * 4294967296.0);
    }
    return samples;
}

bool EnoughMemoryFor(std::int64_t count) {
    const std::uint64_t needed = static_cast<std::uint64_t>(count) * 8 + (std::uint64_t{1} << 30);
    if (platform::GetMemoryStatus().availablePhysical < needed) {
        std::fprintf(stderr, "not enough free memory: %.1f GB needed\n", static_cast<double>(needed) / (1 << 30));
        return false;
    }
    return true;
}
