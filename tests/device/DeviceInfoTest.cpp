// The device record and its 1544-byte block, the model a text names, the list line.
#include <gtest/gtest.h>

#include "device/ZVDeviceInfo.h"
#include "tools/gen/TerminalMedium.h"

namespace {

CZVDeviceInfo::Block BlockOf(const std::string& bytes) {
    CZVDeviceInfo::Block block{};
    std::copy(bytes.begin(), bytes.end(), block.begin());
    return block;
}

TEST(DeviceInfo, ReadsTheGeneratedBlockFieldByField) {
    CZVDeviceInfo device;
    device.FromBlock(BlockOf(gen::DeviceInfoBlock(0x0102030405060708ULL, L"K7900 电能质量 𝄞", L"V2.0.1")));
    EXPECT_EQ(0x0102030405060708ULL, device.m_deviceNumber);
    EXPECT_EQ(L"K7900 电能质量 𝄞", device.GetName());
    EXPECT_EQ(L"V2.0.1", device.GetVersion());
    EXPECT_EQ(BlockOf(gen::DeviceInfoBlock(0x0102030405060708ULL, L"K7900 电能质量 𝄞", L"V2.0.1")), device.ToBlock());
}

TEST(DeviceInfo, TextsKeepTheirTerminatingZeroAndWholeCharacters) {
    CZVDeviceInfo device;
    device.SetName(std::wstring(300, L'a'));
    EXPECT_EQ(std::wstring(255, L'a'), device.GetName());
    // A character outside the 16-bit plane that would straddle the cut is dropped whole.
    device.SetVersion(std::wstring(254, L'v') + L"𝄞");
    EXPECT_EQ(std::wstring(254, L'v'), device.GetVersion());

    // A block whose name fills all 256 units without a zero still reads 255.
    CZVDeviceInfo::Block block{};
    for (std::size_t i = 0; i < 256; ++i) {
        block[8 + 2 * i] = 'n';
    }
    device.FromBlock(block);
    EXPECT_EQ(std::wstring(255, L'n'), device.GetName());
}

TEST(DeviceInfo, ModelFromText) {
    struct Case {
        const wchar_t* text;
        std::int32_t model;
    };
    const Case cases[] = {
        {L"K7700", kModelK7700},
        {L"K7700 handheld", kModelK7700},
        {L"portable K7800", kModelK7800},
        {L"K7900 rack", kModelK7900},
        {L"K7900/K7700 combo", kModelK7700},  // the K7700 test comes first
        {L"k7800", kModelNone},               // case matters
        {L"", kModelNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.model, DeviceModelFromText(c.text)) << "text " << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(DeviceInfo, ListLineShowsNumberForDrivesAndAddressOtherwise) {
    CZVDeviceInfo device;
    device.SetName(L"K7800");
    device.m_deviceNumber = 7800123456;
    device.m_address = L"192.168.1.20";
    device.m_transport = kTransportRemovable;
    EXPECT_EQ(L"K7800 7800123456", FormatDeviceInfoLine(device));
    device.m_transport = kTransportNetwork;
    EXPECT_EQ(L"K7800 192.168.1.20", FormatDeviceInfoLine(device));
}

}  // namespace
