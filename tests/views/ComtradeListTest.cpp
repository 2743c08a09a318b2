// The transient-event list's rows from a generated folder: order, side-file texts,
// and the note on a record whose data file is shorter than its configuration.
#include <gtest/gtest.h>

#include <vector>

#include "terminal/ComtradeModel.h"
#include "tests/support/TempDir.h"
#include "tests/views/EventViewsTestSupport.h"
#include "tools/gen/ComtradeRecord.h"
#include "views/data/ComtradeListManager.h"

namespace {

TEST(ComtradeList, RowsInTimeThenPathOrderWithSideFileTexts)
{
    testsupport::TempDir dir;
    ASSERT_TRUE(eventtest::WriteEventFolder(dir.Path()));
    gen::ComtradeOptions cut;
    cut.first.minute += 2;
    cut.infFirst = 2;
    cut.infSecond = 1;
    cut.defect = gen::ComtradeDefect::TruncatedDat;
    ASSERT_TRUE(gen::WriteComtradeRecord(dir / "COMTRADE" / "004" / gen::ComtradeRecordName("TR", cut.first), cut));
    CComtradeModel model;
    model.CreateAnalysis(0);
    auto selection = eventtest::WholeSelection();
    CCtrlItem open{ctrl::kOpenComtrade, reinterpret_cast<std::uintptr_t>(selection.data()), 0,
                   eventtest::Wide(dir.Path())};
    model.OpenData(&open);

    std::vector<CComtradeListRow> rows;
    CComtradeListManager manager(&rows, model.GetRoot());
    model.GetData(0, 0, 0, 0, 0, reinterpret_cast<QueryWord>(static_cast<IZVDataManager*>(&manager)));
    // The listing's own order puts the later record of "001" before "002"'s.
    std::reverse(rows.begin(), rows.end());
    SortComtradeRows(rows);

    struct Case {
        std::wstring name;
        std::wstring kind;
        std::wstring phase;
        std::wstring time;
    };
    const Case expected[] = {
        {L"/COMTRADE/001/TR_20230405_101530_123.CFG", L"电压暂降", L"L2", L"2023-04-05 10:15:30.123"},
        {L"/COMTRADE/002/TR_20230405_101530_123.CFG", L"电压中断", L"L1", L"2023-04-05 10:15:30.123"},
        {L"/COMTRADE/001/TR_20230405_101531_123.CFG", L"电压暂升", L"L3", L"2023-04-05 10:15:31.123"},
        {L"/COMTRADE/003/TR_20230405_101630_123.CFG", L"", L"", L"2023-04-05 10:16:30.123"},
        {L"/COMTRADE/004/TR_20230405_101730_123.CFG", L"电压暂降", L"L1", L"2023-04-05 10:17:30.123 (记录不完整)"},
    };
    ASSERT_EQ(rows.size(), std::size(expected));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, expected[i].name) << "line " << i;
        EXPECT_EQ(ComtradeListCellText(rows[i], 0), expected[i].kind) << "line " << i;
        EXPECT_EQ(ComtradeListCellText(rows[i], 1), expected[i].phase) << "line " << i;
        EXPECT_EQ(ComtradeListCellText(rows[i], 2), expected[i].time) << "line " << i;
    }
    // Out-of-range side-file values leave their cells empty.
    CComtradeListRow odd = rows[0];
    odd.kind = 5;
    odd.phase = 4;
    EXPECT_EQ(ComtradeListCellText(odd, 0), L"");
    EXPECT_EQ(ComtradeListCellText(odd, 1), L"");
    EXPECT_EQ(ComtradeListCellText(odd, 3), L"");
}

}  // namespace
