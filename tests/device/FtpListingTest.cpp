// Our reading of FTP listings, and which remote names may become local paths.
#include <gtest/gtest.h>

#include "device/RemoteName.h"
#include "platform/net/FtpListing.h"

namespace {

TEST(FtpListing, ReadsUnixAndDosLines) {
    struct Case {
        const char* line;
        bool entry;
        std::string name;
        bool directory;
        std::uint64_t size;
    };
    const Case cases[] = {
        {"-rw-r--r--   1 owner    group        1234 Dec 10 16:44 statistic1.data", true, "statistic1.data", false, 1234},
        {"drwxr-xr-x   2 owner    group        4096 Mar 01  2025 Board1", true, "Board1", true, 0},
        {"-rw-r--r--   1 owner            99 Mar 01 08:00 no group.bin", true, "no group.bin", false, 99},
        {"-rw-r--r--   1 o g 5 Mar 01 08:00  leading blank", true, " leading blank", false, 5},
        {"-rw-r--r--   1 o g 6000000000 Mar 01 08:00 big.dat", true, "big.dat", false, 6000000000ULL},
        {"12-10-26  04:44PM       <DIR>          EXPORT", true, "EXPORT", true, 0},
        {"12-10-26  04:44PM                 1234 a file.cfg", true, "a file.cfg", false, 1234},
        {"lrwxrwxrwx   1 o g 4 Mar 01 08:00 link -> /etc", false, "", false, 0},
        {"total 12", false, "", false, 0},
        {"drwxr-xr-x   2 o g 4096 Mar 01 08:00 ..", false, "", false, 0},
        {"-rw-r--r--   1 o g 99999999999999999999 Mar 01 08:00 huge", false, "", false, 0},
        {"garbage", false, "", false, 0},
    };
    for (const Case& c : cases) {
        const std::vector<net::FtpEntry> entries = net::ParseFtpListing(std::string(c.line) + "\r\n");
        ASSERT_EQ(c.entry ? 1u : 0u, entries.size()) << c.line;
        if (c.entry) {
            EXPECT_EQ(c.name, entries[0].name) << c.line;
            EXPECT_EQ(c.directory, entries[0].directory) << c.line;
            EXPECT_EQ(c.size, entries[0].size) << c.line;
        }
    }
}

TEST(FtpListing, OneEntryPerLineWithAnyLineEnd) {
    const auto entries = net::ParseFtpListing(
        "-rw-r--r-- 1 o g 1 Mar 01 08:00 a\n-rw-r--r-- 1 o g 2 Mar 01 08:00 b\r\n-rw-r--r-- 1 o g 3 Mar 01 08:00 c");
    ASSERT_EQ(3u, entries.size());
    EXPECT_EQ("c", entries[2].name);
}

TEST(RemoteName, OnlyPlainComponentsAreUsed) {
    struct Case {
        std::wstring name;
        bool safe;
    };
    const Case cases[] = {
        {L"20260301_080000", true}, {L"记录 1.cfg", true},   {L"..a", true},
        {L"", false},               {L".", false},          {L"..", false},
        {L"../x", false},           {L"/etc/passwd", false}, {L"..\\x", false},
        {L"C:\\x", false},          {std::wstring(L"a\0b", 3), false}, {L"a\nb", false},
        {L"a\x7F", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.safe, IsSafeRemoteName(c.name)) << testing::PrintToString(c.name);
    }
}

}  // namespace
