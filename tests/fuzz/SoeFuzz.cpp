// SOE event files: any bytes as "SOE/K7700.soe", read block by block into the event
// list and the alarm list, every row read back and every block's field data asked for.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "platform/base/Encoding.h"
#include "terminal/K7700SOEAnalysis.h"
#include "terminal/SOEEventDataManager.h"
#include "terminal/SOEListItemsMgr.h"
#include "tests/fuzz/FuzzFolder.h"

namespace {

class SceneSink : public IZVDataManager, public ISOESceneSink {
public:
    void SetScene(const std::uint8_t* scene) override { m_first = scene[0]; }

private:
    std::uint8_t m_first = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    folder.Write("SOE/K7700.soe", std::string(reinterpret_cast<const char*>(data), size));

    CK7700SOEAnalysis reader;
    if (reader.LoadFile(platform::FromPath(folder.Input() / "SOE" / "K7700.soe"), 0) == 0) {
        return 0;
    }
    const auto from = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::min());
    const auto to = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    reader.SetQueryParams({0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(from >> 32),
                           static_cast<std::uint32_t>(to), static_cast<std::uint32_t>(to >> 32)});

    CSOEEventDataManager events;
    (void)reader.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&events));
    CSOEListItemsMgr list;
    (void)reader.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(&list));
    (void)reader.GetData(0, 0, 0, 0, 2, reinterpret_cast<QueryWord>(&events));
    (void)reader.GetData(0, 0, 0, 0, 3, reinterpret_cast<QueryWord>(&events));

    SceneSink scene;
    SOERow row;
    for (std::int64_t index = 0; index < static_cast<std::int64_t>(events.GetCount()) && index < 64; ++index) {
        if (events.GetEventAt(index, &row) != 0) {
            (void)reader.GetData(0, 0, row.dataPosition, 0, 1, reinterpret_cast<QueryWord>(&scene));
        }
    }
    (void)list.ToggleAllExpanded();
    list.RebuildVisible();
    for (std::int64_t index = 0; index < static_cast<std::int64_t>(list.GetCount()) && index < 64; ++index) {
        (void)list.GetSoeAt(index, &row);
        (void)list.SetVisible(index);
    }
    (void)reader.GetData(0, 0, reader.GetFileSize(), 0, 1, reinterpret_cast<QueryWord>(&scene));
    return 0;
}
