// Report configurations: any bytes as an ".rcg" file loaded over a configuration. A
// refused file changes nothing; an accepted one, saved again, loads back the same
// (what the file stores: the parameter rows' memory flag is kept in memory only).

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/Encoding.h"
#include "report/ReportConfig.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

// The configuration a file is loaded over, made once: building one is most of the
// work of a short input.
const CReportConfig& Defaults() {
    static const CReportConfig defaults;
    return defaults;
}

// What the file stores: the memory flag of the parameter rows stays in memory.
void ForgetMemoryFlags(CReportConfig& config) {
    for (CReportParamItem item : config.GetParamPart()) {
        item.memoryFlag = 0;
        config.SetParamItem(item);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    folder.Write("config.rcg", std::string(reinterpret_cast<const char*>(data), size));

    CReportConfig config = Defaults();
    if (config.Load(platform::FromPath(folder.Input() / "config.rcg")) == 0) {
        if (!(config == Defaults())) {
            fuzz::PropertyBroken("report configuration", "a refused file changed the configuration");
        }
        return 0;
    }
    const std::wstring saved = platform::FromPath(folder.Input() / "saved.rcg");
    if (config.Save(saved) == 0) {
        fuzz::PropertyBroken("report configuration", "a loaded configuration cannot be saved");
    }
    CReportConfig again = Defaults();
    if (again.Load(saved) == 0) {
        fuzz::PropertyBroken("report configuration", "a saved configuration does not load back the same");
    }
    ForgetMemoryFlags(config);
    ForgetMemoryFlags(again);
    if (!(again == config)) {
        fuzz::PropertyBroken("report configuration", "a saved configuration does not load back the same");
    }
    return 0;
}
