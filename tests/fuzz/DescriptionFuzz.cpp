// The description files of a terminal folder: "recordinfo.cfg", "recordset.ini" and
// "Statistic/statistic.cfg" in any bytes, and under any names (found without
// regard to case), read as every reader of the folder reads them.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/base/Encoding.h"
#include "terminal/BasicInfo.h"
#include "terminal/FolderDescription.h"
#include "terminal/Wiring.h"
#include "tests/fuzz/FuzzFolder.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& folder = fuzz::FuzzFolder::Get();
    folder.Fresh();
    folder.Write(fuzz::SplitNamedFiles(std::string_view(reinterpret_cast<const char*>(data), size), 4));
    const std::filesystem::path& root = folder.Input();

    BasicInfo info;
    const std::wstring recordInfo = TerminalFile(root, L"recordinfo.cfg");
    (void)ReadRecordInfo(recordInfo, info, 0, 0);
    (void)ReadRecordInfo(recordInfo, info, 86400LL * 365 * 300, -1);
    const std::wstring recordSet = TerminalFile(root, L"recordset.ini");
    (void)ReadSysInfor(recordSet, info);
    (void)ReadWiring(recordSet, info);
    const StatisticDescription description = ReadStatisticDescription(TerminalFile(root, L"Statistic/statistic.cfg"));
    (void)SplitItemText(description.itemText);
    (void)ParseItemList(description.itemText);
    return 0;
}
