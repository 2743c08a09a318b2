#include "platform/net/Ipv4Interfaces.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace net {

std::vector<BroadcastInterface> BroadcastInterfaces() {
    std::vector<BroadcastInterface> result;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return result;
    }
    for (const ifaddrs* entry = list; entry != nullptr && result.size() < kMaxInterfaces; entry = entry->ifa_next) {
        const unsigned flags = entry->ifa_flags;
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET || (flags & IFF_UP) == 0 ||
            (flags & IFF_LOOPBACK) != 0 || (flags & IFF_BROADCAST) == 0 || entry->ifa_broadaddr == nullptr) {
            continue;
        }
        BroadcastInterface item;
        item.address = ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr.s_addr);
        item.broadcast = ntohl(reinterpret_cast<const sockaddr_in*>(entry->ifa_broadaddr)->sin_addr.s_addr);
        result.push_back(item);
    }
    ::freeifaddrs(list);
    return result;
}

}  // namespace net
