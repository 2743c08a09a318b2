#include <gtest/gtest.h>

#include "core/ZVFolderInfo.h"

namespace {

TEST(ZVFolderInfo, DisplayAndFolderNamesCarryTheBoard) {
    struct Case {
        const wchar_t* path;
        int board;
        const wchar_t* display;
        const wchar_t* mode0;
        const wchar_t* mode1;
    };
    const Case cases[] = {
        {L"/data/20261209_101500", 0, L"/data/20261209_101500", L"20261209_101500", L"20261209_101500"},
        {L"/data/20261209_101500", 2, L"/data/20261209_101500/Board2", L"20261209_101500--板卡2",
         L"20261209_101500/Board2"},
        {L"/data/rec/", 2, L"/data/rec/Board2", L"rec--板卡2", L"rec/Board2"},
        {L"D:\\data\\rec\\", 12, L"D:\\data\\rec\\Board12", L"rec--板卡12", L"rec/Board12"},
        {L"/data/rec/", 0, L"/data/rec/", L"rec", L"rec"},
    };
    for (const Case& c : cases) {
        const ZVFolderInfo info(c.path, 10, c.board);
        SCOPED_TRACE(testing::Message() << "path " << testing::PrintToString(std::wstring(c.path)) << " board " << c.board);
        EXPECT_EQ(info.GetDisplayName(), c.display);
        EXPECT_EQ(info.GetFolderName(0), c.mode0);
        EXPECT_EQ(info.GetFolderName(1), c.mode1);
    }
    EXPECT_EQ(ZVFolderInfo(L"/a/rec", 1, 3).GetFolderName(2), L"rec");
}

TEST(ZVFolderInfo, CopiesAndAssignmentsTakeEveryField) {
    ZVFolderInfo source(L"/data/rec", 100, 3);
    source.SetCounts(200, 9);
    ZVFolderInfo assigned(L"/other", 1, 0);
    assigned = source;
    const ZVFolderInfo copied(source);
    for (const ZVFolderInfo* info : {static_cast<const ZVFolderInfo*>(&assigned), &copied}) {
        EXPECT_EQ(info->GetPath(), L"/data/rec");
        EXPECT_EQ(info->GetTotalSize(), 200U);
        EXPECT_EQ(info->GetFileCount(), 9U);
        EXPECT_EQ(info->GetBoard(), 3);
    }
    EXPECT_EQ(ZVFolderInfo(L"/x", 5).GetFileCount(), 0U);
}

}  // namespace
