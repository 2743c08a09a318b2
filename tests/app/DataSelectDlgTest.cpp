// The data selection tells, beside the memory figures, when the chosen stretch will
// be shown from the index files (every tenth record) because the memory available
// cannot hold its block data.
#include <wx/dialog.h>

#include "AppTestSupport.h"
#include "app/NewDataSelectDlg.h"
#include "platform/base/Encoding.h"
#include "platform/ui/MessageQueue.h"
#include "tests/support/TempDir.h"
#include "tools/gen/StatisticFolder.h"

namespace apptest {
namespace {

using DataSelectDlgTest = AppTest;

class MemoryFiguresDlg : public CNewDataSelectDlg {
public:
    explicit MemoryFiguresDlg(platform::MemoryStatus figures) : m_figures(figures) {}

protected:
    platform::MemoryStatus QueryMemory() const override { return m_figures; }

private:
    platform::MemoryStatus m_figures;
};

TEST_F(DataSelectDlgTest, SaysWhenTheStretchIsShownAtTheIndexResolution) {
    testsupport::TempDir dir;
    gen::StatisticFolderOptions options;
    options.deviceType = L"K7900";
    options.records = 1440;
    options.blockCountPerFile = 720;
    ASSERT_TRUE(gen::WriteStatisticFolder(dir.Path(), options));
    const std::uint64_t dataBytes =
        static_cast<std::uint64_t>(gen::BlockSizeOf(options.items)) * options.blockTypeCount * options.records;
    const std::wstring notice = L"所选数据超出可用内存，将以索引数据显示（十分之一分辨率）";
    constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
    // The stretch proposed fits the memory; the user may then widen it to the whole
    // record (`whole`).
    struct Case {
        const char* name;
        platform::MemoryStatus memory;
        bool whole;
        bool told;
    };
    const Case cases[] = {
        {"plenty of memory", {16 * kGiB, 24 * kGiB}, true, false},
        {"less than the data: the stretch proposed", {dataBytes / 2, 2 * dataBytes}, false, false},
        {"less than the data: the whole record chosen", {dataBytes / 2, 2 * dataBytes}, true, true},
        {"little of the machine's memory free", {kGiB, 24 * kGiB}, false, true},
    };
    for (const Case& row : cases) {
        MemoryFiguresDlg dialog(row.memory);
        ASSERT_TRUE(dialog.SetDataPath(platform::FromPath(dir.Path()))) << row.name;
        std::wstring shown;
        WhenModalOpens([&](wxDialog&) {
            if (row.whole) {
                dialog.GetSlider().SetPosition(0.0, 1.0);
                ui::SendMessage(&dialog, kMsgRangeChanged);
            }
            shown = dialog.GetMemoryLabel().GetText();
            dialog.EndDialog(ui::kIdCancel);
        });
        dialog.DoModal();
        EXPECT_EQ(shown.find(notice) != std::wstring::npos, row.told) << row.name << ": " << platform::WideToUtf8(shown);
    }
}

}  // namespace
}  // namespace apptest
