#pragma once
// The IPv4 interfaces of this machine that can broadcast: each with its own
// address and its broadcast address. A terminal answers only probes that reach its
// network, and a host with several interfaces (or whose name resolves to the
// loopback address) must probe each network on its own.

#include <vector>

#include "platform/net/UdpSocket.h"

namespace net {

struct BroadcastInterface {
    Ipv4 address = 0;
    Ipv4 broadcast = 0;
};

// Interfaces that are up, not loopback and have a broadcast address, in the
// system's order, at most kMaxInterfaces of them.
inline constexpr std::size_t kMaxInterfaces = 32;
std::vector<BroadcastInterface> BroadcastInterfaces();

}  // namespace net
