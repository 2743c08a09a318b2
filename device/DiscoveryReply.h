#pragma once
// The terminal's answer to the discovery probe: a text of pairs "key=value;".
// Parsing is kept apart from the sockets so that every odd reply can be tried.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/ZVDeviceInfo.h"

// The probe and the reply's limits.
inline constexpr std::string_view kProbeText = "are you zvdevice?";
inline constexpr std::size_t kReplyBufferSize = 1024;
// A terminal has a handful of network interfaces; a larger count is not believed.
inline constexpr int kMaxAddressEntries = 16;

struct DeviceAddressEntry {
    std::wstring ip;
    std::wstring gateway;
    std::wstring mask;
};

using ReplyPairs = std::map<std::wstring, std::wstring>;

// Pairs up to the last ";": a key is the text before the first "=", its value the
// text up to the ";"; a later key replaces an earlier one; a piece without "=" is
// skipped, and text after the last ";" is no pair.
ReplyPairs ParseReplyPairs(std::wstring_view text);

// 1 when "IpCount" is present (else 0); appends the entries whose three keys are
// all present, in index order. The count is bounded to 0..kMaxAddressEntries.
int ParseAddressList(const ReplyPairs& pairs, std::vector<DeviceAddressEntry>& entries);

// The datagram's text: exactly the received bytes, up to the first zero byte,
// from the terminal's code page (CP936).
std::wstring ReplyText(std::string_view datagram);

// The network device a reply describes; nothing when its device type names no
// known model.
std::optional<CZVDeviceInfo> DeviceFromReply(std::wstring_view text);
