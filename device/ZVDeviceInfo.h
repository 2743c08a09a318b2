#pragma once
// CZVDeviceInfo: one terminal as discovery finds it, on the network or on a
// removable drive. Its first four fields form the 1544-byte device information
// block that a terminal writes as the marker file "jmr_zv.verify" at the root of
// its data medium (little-endian; names in UTF-16LE).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::size_t kDeviceBlockSize = 1544;
inline constexpr std::size_t kDeviceTextChars = 256;  // with the terminating zero
inline constexpr std::size_t kDeviceReservedSize = 512;

// Device models.
inline constexpr std::int32_t kModelNone = 0;
inline constexpr std::int32_t kModelK7700 = 1;
inline constexpr std::int32_t kModelK7800 = 2;
inline constexpr std::int32_t kModelK7900 = 3;

// Transports.
inline constexpr std::int32_t kTransportNone = 0;
inline constexpr std::int32_t kTransportRemovable = 1;
inline constexpr std::int32_t kTransportNetwork = 2;

// The model a device-type text names: "K7700", "K7800", "K7900" searched as
// substrings (case-sensitive) in that order; 0 for none.
std::int32_t DeviceModelFromText(std::wstring_view text);

class CZVDeviceInfo {
public:
    using Block = std::array<std::uint8_t, kDeviceBlockSize>;

    CZVDeviceInfo() = default;

    // The first four fields from a device information block.
    void FromBlock(const Block& block);
    Block ToBlock() const;

    std::uint64_t m_deviceNumber = 0;
    std::wstring m_address;  // dotted IPv4 address, or the drive's root folder
    std::int32_t m_model = kModelNone;
    std::int32_t m_transport = kTransportNone;

    // Texts are kept as the record holds them: at most 255 UTF-16 units.
    std::wstring GetName() const;
    std::wstring GetVersion() const;
    void SetName(std::wstring_view name);
    void SetVersion(std::wstring_view version);

    bool operator==(const CZVDeviceInfo&) const = default;

private:
    std::array<char16_t, kDeviceTextChars> m_name{};
    std::array<char16_t, kDeviceTextChars> m_version{};
    std::array<std::uint8_t, kDeviceReservedSize> m_reserved{};
};

// The line the device list shows: name and device number for a removable drive,
// name and address otherwise.
std::wstring FormatDeviceInfoLine(const CZVDeviceInfo& device);
