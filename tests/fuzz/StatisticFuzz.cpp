// The statistic trend reader: a terminal folder (description files, numbered block
// folders of ".data" and ".idx" block files) in any bytes and under any names, read
// for a query of a few records, in cache and in streaming mode, and every series
// of its first items asked for.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/base/Encoding.h"
#include "platform/base/MemoryStatus.h"
#include "terminal/ItemViewTable.h"
#include "terminal/K7700ZVViewAnalysis.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/TerminalRequests.h"

namespace {

// A loader told that memory is short, so it reads the block files on demand.
class StreamingLoader : public CDataFileLoader {
protected:
    platform::MemoryStatus QueryMemoryStatus() const override {
        platform::MemoryStatus status;
        status.availablePhysical = 1;
        status.totalPhysical = 100;
        return status;
    }
};

class Reader : public CK7700ZVViewAnalysis {
public:
    Reader(std::uint32_t useDataFiles, bool streaming) : CK7700ZVViewAnalysis(useDataFiles) {
        if (streaming) {
            SetLoader(std::make_unique<StreamingLoader>());
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ControlledInput input =
        fuzz::SplitControl(std::string_view(reinterpret_cast<const char*>(data), size));
    // The flags: whether the ".data" files are read, whether the reader streams.
    const auto [first, count, flags] = fuzz::ReadStatisticQuery(input.control);

    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    folder.Write(fuzz::SplitNamedFiles(input.files, 12));

    Reader reader((flags & 1) != 0 ? 1 : 0, (flags & 2) != 0);
    reader.SetQueryParams({first, 0, first + count, 0, count, 0, 0, 0, 0, 0});
    if (reader.LoadFile(platform::FromPath(folder.Input()), 0) == 0) {
        return 0;
    }
    BasicInfo info;
    (void)reader.GetBasicInfo(&info);
    const std::vector<std::uint32_t> items = reader.GetItems();
    for (std::size_t i = 0; i < items.size() && i < 3; ++i) {
        std::uint32_t view = 0;
        if (ItemToView(items[i], &view) == 0) {
            continue;
        }
        auto owned = fuzz::RequestsOfView(view);
        std::vector<ItemRequest*> requests;
        for (auto& request : owned) {
            requests.push_back(request.get());
        }
        (void)reader.GetItemData(requests);
        fuzz::CountingManager manager;
        for (std::uint32_t blockType = 0; blockType <= 3; ++blockType) {
            (void)reader.GetSeries(4, blockType, 0, 1, view, &manager);
            (void)reader.GetSeries(0, blockType, 1, 0, view, &manager);
        }
    }
    return 0;
}
