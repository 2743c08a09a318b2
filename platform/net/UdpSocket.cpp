#include "platform/net/UdpSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace net {

namespace {

sockaddr_in MakeAddress(Ipv4 address, std::uint16_t port) {
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    result.sin_addr.s_addr = htonl(address);
    return result;
}

void CloseDescriptor(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

}  // namespace

std::string FormatIpv4(Ipv4 address) {
    in_addr value{};
    value.s_addr = htonl(address);
    char text[INET_ADDRSTRLEN] = {};
    return ::inet_ntop(AF_INET, &value, text, sizeof text) != nullptr ? std::string(text) : std::string();
}

std::optional<Ipv4> ParseIpv4(std::string_view text) {
    const std::string copy(text);
    in_addr value{};
    if (::inet_pton(AF_INET, copy.c_str(), &value) != 1) {
        return std::nullopt;
    }
    return ntohl(value.s_addr);
}

UdpSocket::~UdpSocket() { Close(); }

bool UdpSocket::Open(Ipv4 address, std::uint16_t port) {
    Close();
    m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_socket < 0) {
        return false;
    }
    const sockaddr_in local = MakeAddress(address, port);
    int pipeEnds[2] = {-1, -1};
    if (::bind(m_socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        const int error = errno;
        Close();
        errno = error;
        return false;
    }
    m_wakeRead = pipeEnds[0];
    m_wakeWrite = pipeEnds[1];
    return true;
}

bool UdpSocket::SetBroadcast(bool on) {
    const int value = on ? 1 : 0;
    return m_socket >= 0 && ::setsockopt(m_socket, SOL_SOCKET, SO_BROADCAST, &value, sizeof value) == 0;
}

std::uint16_t UdpSocket::LocalPort() const {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (m_socket < 0 || ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return 0;
    }
    return ntohs(local.sin_port);
}

bool UdpSocket::SendTo(Ipv4 address, std::uint16_t port, std::string_view bytes) {
    if (m_socket < 0) {
        return false;
    }
    const sockaddr_in target = MakeAddress(address, port);
    const ssize_t sent = ::sendto(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&target), sizeof target);
    return sent == static_cast<ssize_t>(bytes.size());
}

UdpSocket::Wait UdpSocket::WaitReadable(std::chrono::milliseconds timeout) {
    if (m_socket < 0) {
        return Wait::Failed;
    }
    pollfd watched[2] = {{m_socket, POLLIN, 0}, {m_wakeRead, POLLIN, 0}};
    for (;;) {
        const int ready = ::poll(watched, 2, static_cast<int>(timeout.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            return Wait::Failed;
        }
        if (ready == 0) {
            return Wait::Timeout;
        }
        // A wake wins over a datagram: the owner wants the thread to end.
        if ((watched[1].revents & POLLIN) != 0) {
            return Wait::Woken;
        }
        return (watched[0].revents & POLLIN) != 0 ? Wait::Readable : Wait::Failed;
    }
}

std::optional<std::size_t> UdpSocket::Receive(char* buffer, std::size_t size) {
    if (m_socket < 0) {
        return std::nullopt;
    }
    for (;;) {
        const ssize_t received = ::recv(m_socket, buffer, size, 0);
        if (received < 0 && errno == EINTR) {
            continue;
        }
        if (received < 0) {
            return std::nullopt;
        }
        return static_cast<std::size_t>(received);
    }
}

void UdpSocket::Wake() {
    if (m_wakeWrite >= 0) {
        const char byte = 1;
        // A full pipe already wakes the waiter; nothing more to do then.
        [[maybe_unused]] const ssize_t written = ::write(m_wakeWrite, &byte, 1);
    }
}

void UdpSocket::Close() {
    CloseDescriptor(m_socket);
    CloseDescriptor(m_wakeRead);
    CloseDescriptor(m_wakeWrite);
}

}  // namespace net
