#include "device/ZVDeviceInfo.h"

#include <algorithm>

#include "platform/base/Encoding.h"

namespace {

constexpr std::size_t kNameOffset = 8;
constexpr std::size_t kVersionOffset = kNameOffset + kDeviceTextChars * 2;
constexpr std::size_t kReservedOffset = kVersionOffset + kDeviceTextChars * 2;
static_assert(kReservedOffset + kDeviceReservedSize == kDeviceBlockSize);

// Up to the first zero; a field without one ends at its last unit, which is
// then dropped, so every field keeps its terminating zero.
std::wstring TextOf(const std::array<char16_t, kDeviceTextChars>& field) {
    const auto end = std::find(field.begin(), field.end() - 1, u'\0');
    return platform::Utf16ToWide(std::u16string_view(field.data(), static_cast<std::size_t>(end - field.begin())));
}

void SetText(std::array<char16_t, kDeviceTextChars>& field, std::wstring_view text) {
    std::u16string units = platform::WideToUtf16(text);
    if (units.size() > kDeviceTextChars - 1) {
        units.resize(kDeviceTextChars - 1);
        // Never leave half of a surrogate pair at the cut.
        if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) {
            units.pop_back();
        }
    }
    field.fill(u'\0');
    std::copy(units.begin(), units.end(), field.begin());
}

void ReadUnits(const CZVDeviceInfo::Block& block, std::size_t offset, std::array<char16_t, kDeviceTextChars>& field) {
    for (std::size_t i = 0; i < kDeviceTextChars; ++i) {
        field[i] = static_cast<char16_t>(block[offset + 2 * i] | (block[offset + 2 * i + 1] << 8));
    }
}

void WriteUnits(CZVDeviceInfo::Block& block, std::size_t offset, const std::array<char16_t, kDeviceTextChars>& field) {
    for (std::size_t i = 0; i < kDeviceTextChars; ++i) {
        block[offset + 2 * i] = static_cast<std::uint8_t>(field[i] & 0xFF);
        block[offset + 2 * i + 1] = static_cast<std::uint8_t>(field[i] >> 8);
    }
}

}  // namespace

std::int32_t DeviceModelFromText(std::wstring_view text) {
    if (text.find(L"K7700") != std::wstring_view::npos) {
        return kModelK7700;
    }
    if (text.find(L"K7800") != std::wstring_view::npos) {
        return kModelK7800;
    }
    if (text.find(L"K7900") != std::wstring_view::npos) {
        return kModelK7900;
    }
    return kModelNone;
}

void CZVDeviceInfo::FromBlock(const Block& block) {
    m_deviceNumber = 0;
    for (int i = 7; i >= 0; --i) {
        m_deviceNumber = (m_deviceNumber << 8) | block[static_cast<std::size_t>(i)];
    }
    ReadUnits(block, kNameOffset, m_name);
    ReadUnits(block, kVersionOffset, m_version);
    std::copy_n(block.begin() + kReservedOffset, kDeviceReservedSize, m_reserved.begin());
}

CZVDeviceInfo::Block CZVDeviceInfo::ToBlock() const {
    Block block{};
    for (std::size_t i = 0; i < 8; ++i) {
        block[i] = static_cast<std::uint8_t>((m_deviceNumber >> (8 * i)) & 0xFF);
    }
    WriteUnits(block, kNameOffset, m_name);
    WriteUnits(block, kVersionOffset, m_version);
    std::copy(m_reserved.begin(), m_reserved.end(), block.begin() + kReservedOffset);
    return block;
}

std::wstring CZVDeviceInfo::GetName() const { return TextOf(m_name); }
std::wstring CZVDeviceInfo::GetVersion() const { return TextOf(m_version); }
void CZVDeviceInfo::SetName(std::wstring_view name) { SetText(m_name, name); }
void CZVDeviceInfo::SetVersion(std::wstring_view version) { SetText(m_version, version); }

std::wstring FormatDeviceInfoLine(const CZVDeviceInfo& device) {
    if (device.m_transport == kTransportRemovable) {
        return device.GetName() + L" " + std::to_wstring(device.m_deviceNumber);
    }
    return device.GetName() + L" " + device.m_address;
}
