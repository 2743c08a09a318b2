// Replies to the discovery probe: any datagram, as the receiving thread hands it on,
// read into a device. A device it gives names a known model, came over the network,
// has the address of an entry the reply holds, and keeps texts that fit their record.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "device/DiscoveryReply.h"
#include "device/ZVDeviceInfo.h"
#include "platform/base/Encoding.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The receiving thread never hands on more than its buffer holds.
    if (size > kReplyBufferSize) {
        return 0;
    }
    const std::wstring text = ReplyText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::optional<CZVDeviceInfo> device = DeviceFromReply(text);
    if (!device) {
        return 0;
    }
    if (device->m_model < kModelK7700 || device->m_model > kModelK7900 || device->m_transport != kTransportNetwork) {
        fuzz::PropertyBroken("discovery reply", "a device of no known model or transport");
    }
    std::vector<DeviceAddressEntry> entries;
    ParseAddressList(ParseReplyPairs(text), entries);
    if (entries.empty() ? !device->m_address.empty() : device->m_address != entries.front().ip) {
        fuzz::PropertyBroken("discovery reply", "the address is not the reply's first entry");
    }
    for (const std::wstring& field : {device->GetName(), device->GetVersion()}) {
        if (platform::WideToUtf16(field).size() >= kDeviceTextChars) {
            fuzz::PropertyBroken("discovery reply", "a text longer than its record field");
        }
    }
    (void)FormatDeviceInfoLine(*device);
    return 0;
}
