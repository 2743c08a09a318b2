#include "device/DiscoveryReply.h"

#include <algorithm>
#include <charconv>

#include "platform/base/Encoding.h"

namespace {

std::wstring Value(const ReplyPairs& pairs, const std::wstring& key) {
    const auto found = pairs.find(key);
    return found != pairs.end() ? found->second : std::wstring();
}

// A decimal count; anything that is not one reads as 0.
int ParseCount(const std::wstring& text) {
    const std::string narrow = platform::WideToUtf8(text);
    int value = 0;
    const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (error == std::errc::result_out_of_range) {
        return narrow.starts_with('-') ? 0 : kMaxAddressEntries;
    }
    if (error != std::errc() || end == narrow.data()) {
        return 0;
    }
    return value;
}

}  // namespace

ReplyPairs ParseReplyPairs(std::wstring_view text) {
    ReplyPairs pairs;
    while (text.find(L'=') != std::wstring_view::npos) {
        const std::size_t end = text.find(L';');
        if (end == std::wstring_view::npos) {
            break;
        }
        const std::wstring_view piece = text.substr(0, end);
        const std::size_t equals = piece.find(L'=');
        // A piece without "=" (its "=" lies beyond the ";") is no pair: skipped.
        if (equals != std::wstring_view::npos) {
            pairs[std::wstring(piece.substr(0, equals))] = std::wstring(piece.substr(equals + 1));
        }
        text.remove_prefix(end + 1);
    }
    return pairs;
}

int ParseAddressList(const ReplyPairs& pairs, std::vector<DeviceAddressEntry>& entries) {
    const auto count = pairs.find(L"IpCount");
    if (count == pairs.end()) {
        return 0;
    }
    const int n = std::clamp(ParseCount(count->second), 0, kMaxAddressEntries);
    for (int i = 0; i < n; ++i) {
        const std::wstring index = std::to_wstring(i);
        const auto ip = pairs.find(L"ipaddress" + index);
        const auto gateway = pairs.find(L"gateway" + index);
        const auto mask = pairs.find(L"mask" + index);
        if (ip != pairs.end() && gateway != pairs.end() && mask != pairs.end()) {
            entries.push_back({ip->second, gateway->second, mask->second});
        }
    }
    return 1;
}

std::wstring ReplyText(std::string_view datagram) {
    const std::size_t zero = datagram.find('\0');
    return platform::GbkToWide(datagram.substr(0, zero));
}

std::optional<CZVDeviceInfo> DeviceFromReply(std::wstring_view text) {
    const ReplyPairs pairs = ParseReplyPairs(text);
    CZVDeviceInfo device;
    device.m_transport = kTransportNetwork;
    device.m_model = DeviceModelFromText(Value(pairs, L"devtype"));
    if (device.m_model == kModelNone) {
        return std::nullopt;
    }
    std::vector<DeviceAddressEntry> entries;
    ParseAddressList(pairs, entries);
    if (!entries.empty()) {
        device.m_address = entries.front().ip;
    }
    device.SetName(Value(pairs, L"devname"));
    device.SetVersion(Value(pairs, L"version"));
    return device;
}
