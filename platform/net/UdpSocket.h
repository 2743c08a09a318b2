#pragma once
// An IPv4 UDP socket that another thread can wake while it waits for a datagram:
// Wake makes a waiting (or the next) WaitReadable return at once, so the owner of
// a receiving thread can end it and join it without closing the socket under it.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace net {

// An IPv4 address in host byte order.
using Ipv4 = std::uint32_t;
inline constexpr Ipv4 kAnyAddress = 0;
inline constexpr Ipv4 kLoopback = 0x7F000001;
inline constexpr Ipv4 kLimitedBroadcast = 0xFFFFFFFF;

std::string FormatIpv4(Ipv4 address);
std::optional<Ipv4> ParseIpv4(std::string_view text);

class UdpSocket {
public:
    UdpSocket() = default;
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    // A new socket bound to the address and port (0: any free port); false and
    // nothing open on failure.
    bool Open(Ipv4 address, std::uint16_t port);
    bool SetBroadcast(bool on);
    // The port the socket is bound to (0 when not open).
    std::uint16_t LocalPort() const;

    // False when the datagram could not be handed to the network.
    bool SendTo(Ipv4 address, std::uint16_t port, std::string_view bytes);

    enum class Wait { Readable, Timeout, Woken, Failed };
    Wait WaitReadable(std::chrono::milliseconds timeout);
    // Receives one datagram into the buffer; its received length (a longer
    // datagram is cut to the buffer), or nothing on failure.
    std::optional<std::size_t> Receive(char* buffer, std::size_t size);
    // Any thread.
    void Wake();
    void Close();

private:
    int m_socket = -1;
    int m_wakeRead = -1;
    int m_wakeWrite = -1;
};

}  // namespace net
