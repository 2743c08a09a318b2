// The reader of converted item files: a terminal folder (description files and the
// item folder's value files) in any bytes and under any names, read for a query of
// a few records, and every series of its views asked for, the histogram summaries too.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/base/Encoding.h"
#include "terminal/GlobalDataConfig.h"
#include "terminal/HarmHistDataManager.h"
#include "terminal/K7700StatisticAnalysis.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/TerminalRequests.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The item descriptions are the program's own, shipped beside it.
    fuzz::FuzzFolder::Get().ProvideResource("resources/itemInfo.ini");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ControlledInput input =
        fuzz::SplitControl(std::string_view(reinterpret_cast<const char*>(data), size));
    // The flags: the kind of terminal, which tells where the item files lie.
    const auto [first, count, flags] = fuzz::ReadStatisticQuery(input.control);
    GlobalDataConfig::get_mutable_instance().SetKind(flags % 4);

    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    folder.Write(fuzz::SplitNamedFiles(input.files, 12));

    CK7700StatisticAnalysis reader;
    reader.SetQueryParams({first, 0, first + count, 0, count, 0, 0, 0, 0, 0});
    if (reader.LoadFile(platform::FromPath(folder.Input()), 0) == 0) {
        return 0;
    }
    BasicInfo info;
    (void)reader.GetBasicInfo(&info);
    for (std::size_t v = 0; v < info.viewIds.size() && v < 3; ++v) {
        auto owned = fuzz::RequestsOfView(info.viewIds[v], 4);
        std::vector<ItemRequest*> requests;
        for (auto& request : owned) {
            requests.push_back(request.get());
        }
        (void)reader.GetItemData(requests);
        fuzz::CountingManager manager;
        CHarmHistDataManager histogram;
        for (std::uint32_t blockType = 0; blockType <= 3; ++blockType) {
            (void)reader.GetData(4, blockType, 0, 1, info.viewIds[v], reinterpret_cast<QueryWord>(&manager));
            (void)reader.GetData(0, blockType, 1, 0, info.viewIds[v], reinterpret_cast<QueryWord>(&histogram));
        }
    }
    return 0;
}
