#include "tests/fuzz/TerminalRequests.h"

namespace fuzz {

std::vector<std::unique_ptr<ItemRequest>> RequestsOfView(std::uint32_t viewId, std::uint32_t lastSubValue) {
    std::vector<std::unique_ptr<ItemRequest>> requests;
    for (std::int32_t order = 0; order <= 2; ++order) {
        for (std::uint32_t phase = 0; phase <= 4; ++phase) {
            for (std::uint32_t blockType = 0; blockType <= 4; ++blockType) {
                for (std::uint32_t subValue = 0; subValue <= lastSubValue; ++subValue) {
                    auto request = std::make_unique<ItemRequest>();
                    request->phase = phase;
                    request->blockType = blockType;
                    request->order = order;
                    request->subValue = subValue;
                    request->viewId = viewId;
                    requests.push_back(std::move(request));
                }
            }
        }
    }
    return requests;
}

}  // namespace fuzz
