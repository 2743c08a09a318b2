#include "tests/views/EventViewsTestSupport.h"

#include <limits>

#include "platform/base/Encoding.h"
#include "tools/gen/ComtradeRecord.h"

namespace eventtest {

bool WriteEventFolder(const std::filesystem::path& folder)
{
    gen::ComtradeOptions options;
    options.samples = kSamples;
    options.infFirst = 2;
    options.infSecond = 2;
    // Two records a second apart in "001", with their description files.
    if (gen::WriteComtradeFolder(folder, options, {2}).size() != 2) {
        return false;
    }
    gen::ComtradeOptions swell = options;
    swell.first.second += 1;
    swell.infFirst = 1;
    swell.infSecond = 3;
    if (!gen::WriteComtradeRecord(folder / "COMTRADE" / "001" / gen::ComtradeRecordName("TR", swell.first), swell)) {
        return false;
    }
    gen::ComtradeOptions fast = options;
    fast.sampleRate = 12800.0;
    fast.samples = kFastSamples;
    fast.infFirst = 3;
    fast.infSecond = 1;
    if (!gen::WriteComtradeRecord(folder / "COMTRADE" / "002" / gen::ComtradeRecordName("TR", fast.first), fast)) {
        return false;
    }
    gen::ComtradeOptions bare = options;
    bare.first.minute += 1;
    bare.defect = gen::ComtradeDefect::MissingInf;
    return gen::WriteComtradeRecord(folder / "COMTRADE" / "003" / gen::ComtradeRecordName("TR", bare.first), bare);
}

std::array<std::uint32_t, 14> WholeSelection()
{
    std::array<std::uint32_t, 14> words{};
    const std::int64_t to = std::numeric_limits<std::int64_t>::max();
    words[10] = static_cast<std::uint32_t>(to);
    words[11] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(to) >> 32);
    return words;
}

std::wstring Wide(const std::filesystem::path& path)
{
    return platform::FromPath(path);
}

}  // namespace eventtest
