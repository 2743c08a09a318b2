// Replies to the discovery probe: pairs, address entries and the device they make.
#include <gtest/gtest.h>

#include "device/DiscoveryReply.h"

namespace {

TEST(DiscoveryReply, PairsEndAtTheirSemicolon) {
    struct Case {
        const wchar_t* text;
        ReplyPairs pairs;
    };
    const Case cases[] = {
        {L"a=1;b=2;", {{L"a", L"1"}, {L"b", L"2"}}},
        {L"a=1;b=2", {{L"a", L"1"}}},                       // the last pair lacks its ";"
        {L"a=1", {}},                                       // no ";" at all
        {L"a=1;a=3;", {{L"a", L"3"}}},                      // a later key replaces
        {L"k=v=w;", {{L"k", L"v=w"}}},                      // the key ends at the first "="
        {L" a = 1 ;", {{L" a ", L" 1 "}}},                  // nothing trimmed
        {L"junk;devtype=K7700;", {{L"devtype", L"K7700"}}}, // a piece without "=" is no pair
        {L"=v;", {{L"", L"v"}}},
        {L"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.pairs, ParseReplyPairs(c.text)) << "text " << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(DiscoveryReply, AddressEntriesNeedAllThreeKeysAndABoundedCount) {
    struct Case {
        const wchar_t* text;
        int result;
        std::vector<std::wstring> ips;
    };
    const Case cases[] = {
        {L"IpCount=2;ipaddress0=10.0.0.1;gateway0=10.0.0.254;"
         L"ipaddress1=10.0.1.1;gateway1=10.0.1.254;mask1=255.255.255.0;",
         1,
         {L"10.0.1.1"}},
        {L"IpCount=0;ipaddress0=1.1.1.1;gateway0=g;mask0=m;", 1, {}},
        {L"IpCount=abc;ipaddress0=1.1.1.1;gateway0=g;mask0=m;", 1, {}},
        {L"IpCount=-5;ipaddress0=1.1.1.1;gateway0=g;mask0=m;", 1, {}},
        {L"IpCount=4000000000;ipaddress0=1.1.1.1;gateway0=g;mask0=m;", 1, {L"1.1.1.1"}},
        {L"ipaddress0=1.1.1.1;gateway0=g;mask0=m;", 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<DeviceAddressEntry> entries;
        EXPECT_EQ(c.result, ParseAddressList(ParseReplyPairs(c.text), entries)) << testing::PrintToString(std::wstring(c.text));
        std::vector<std::wstring> ips;
        for (const DeviceAddressEntry& entry : entries) {
            ips.push_back(entry.ip);
        }
        EXPECT_EQ(c.ips, ips) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(DiscoveryReply, AnAbsurdCountIsNotWalked) {
    ReplyPairs pairs{{L"IpCount", L"2147483647"}};
    for (int i = 0; i < 40; ++i) {
        pairs[L"ipaddress" + std::to_wstring(i)] = L"10.0.0." + std::to_wstring(i);
        pairs[L"gateway" + std::to_wstring(i)] = L"g";
        pairs[L"mask" + std::to_wstring(i)] = L"m";
    }
    std::vector<DeviceAddressEntry> entries;
    EXPECT_EQ(1, ParseAddressList(pairs, entries));
    EXPECT_EQ(static_cast<std::size_t>(kMaxAddressEntries), entries.size());
}

TEST(DiscoveryReply, DeviceFromReply) {
    const auto device = DeviceFromReply(
        L"respone=ok;devname=Site A;devtype=K7800 portable;version=V1.2.4;IpCount=1;"
        L"ipaddress0=192.168.1.20;gateway0=192.168.1.1;mask0=255.255.255.0;");
    ASSERT_TRUE(device);
    EXPECT_EQ(kModelK7800, device->m_model);
    EXPECT_EQ(kTransportNetwork, device->m_transport);
    EXPECT_EQ(L"Site A", device->GetName());
    EXPECT_EQ(L"V1.2.4", device->GetVersion());
    EXPECT_EQ(L"192.168.1.20", device->m_address);

    // Name only: no version, no address, still reported.
    const auto bare = DeviceFromReply(L"devtype=K7700 extra words;devname=Bare;");
    ASSERT_TRUE(bare);
    EXPECT_EQ(kModelK7700, bare->m_model);
    EXPECT_EQ(L"", bare->GetVersion());
    EXPECT_EQ(L"", bare->m_address);

    EXPECT_FALSE(DeviceFromReply(L"respone=ok;devname=X;"));
    EXPECT_FALSE(DeviceFromReply(L"devtype=K7600;devname=X;"));
}

TEST(DiscoveryReply, DatagramTextUsesExactlyItsLength) {
    // A full reply has no terminator: the text ends with the datagram.
    std::string full = "devtype=K7900;devname=";
    full += std::string(kReplyBufferSize - full.size() - 1, 'n') + ";";
    ASSERT_EQ(kReplyBufferSize, full.size());
    const std::wstring text = ReplyText(full);
    EXPECT_EQ(kReplyBufferSize, text.size());
    EXPECT_EQ(L';', text.back());

    EXPECT_EQ(L"devtype=K7700;", ReplyText(std::string("devtype=K7700;\0garbage", 22)));
    // The terminal's code page.
    EXPECT_EQ(L"devname=站点;", ReplyText("devname=\xD5\xBE\xB5\xE3;"));
}

}  // namespace
