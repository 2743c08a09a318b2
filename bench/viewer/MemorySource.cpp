#include "bench/viewer/MemorySource.h"

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
