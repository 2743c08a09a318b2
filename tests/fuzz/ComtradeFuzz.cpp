// COMTRADE records: ".CFG", ".DAT" and ".INF" in any bytes and under any names, read
// by the record parser (every rate section, whole and in chunks) and by the K7700
// reader with its sixteen series.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/Encoding.h"
#include "terminal/ComtradeFile.h"
#include "terminal/K7700ComtradeAnalysis.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/TerminalRequests.h"

namespace {

// Samples read at most per section: enough for every branch, few enough for speed.
constexpr std::uint64_t kMostSamples = 4096;

void ReadSections(CComtradeFile& record) {
    const std::size_t width = static_cast<std::size_t>(std::max(0, record.GetAnalogCount())) +
                              static_cast<std::size_t>(std::max(0, record.GetDigitalCount()));
    if (width == 0 || width > 4096) {
        return;
    }
    for (const CComtradeSampleRate& rate : record.GetSampleRates()) {
        std::vector<float> samples(width * kMostSamples);
        std::uint64_t read = 0;
        (void)record.ReadSamples(rate.rate, samples.data(), kMostSamples, &read);
        std::uint64_t count = 0;
        if (record.BeginSamples(rate.rate, &count)) {
            std::uint64_t total = 0;
            for (std::uint64_t got; total < kMostSamples && (got = record.ReadMore(samples.data(), 100)) != 0;) {
                total += got;
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    folder.Write(fuzz::SplitNamedFiles(std::string_view(reinterpret_cast<const char*>(data), size), 3));
    const std::filesystem::path base = folder.Input() / "rec";

    {
        CComtradeFile record;
        if (record.Open(base) != 0) {
            (void)record.GetSamplesInData();
            ReadSections(record);
        }
    }

    CK7700ComtradeAnalysis reader;
    reader.SetMemoryLimit(std::uint64_t{64} << 20);
    if (reader.LoadFile(platform::FromPath(base), 0) != 0) {
        BasicInfo info;
        (void)reader.GetBasicInfo(&info);
        fuzz::CountingManager manager;
        for (QueryWord series = 0; series <= 17; ++series) {
            (void)reader.GetData(0, 0, 0, 0, series, reinterpret_cast<QueryWord>(&manager));
        }
    }
    return 0;
}
