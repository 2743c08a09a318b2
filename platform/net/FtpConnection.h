#pragma once
// One logged-in FTP connection (passive mode) on libcurl: directory listings,
// file downloads into a local file with a cancel flag, and a file's modification
// time (MDTM). The control connection is kept between calls. Remote paths are
// the server's bytes with "/" between folders, relative to the login folder;
// every segment is escaped for the URL here, so no segment can reach another
// host or another command. Results are the codes of NetErrors.h. One thread at a
// time.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/net/UdpSocket.h"

namespace net {

// Where a listing counts as broken: a terminal lists its folders in moments and in
// far less than this, so a server that takes longer (one that drips its listing or
// never ends it) is cut off.
struct FtpListingLimits {
    std::chrono::milliseconds time{30000};
    std::size_t bytes = std::size_t{16} << 20;
};

class FtpConnection {
public:
    FtpConnection();
    ~FtpConnection();
    FtpConnection(const FtpConnection&) = delete;
    FtpConnection& operator=(const FtpConnection&) = delete;

    // Connects and logs in; 0 when the server accepted the login.
    int Open(Ipv4 host, std::uint16_t port, const std::string& user, const std::string& password);
    void Close();

    // The LIST reply of the folder ("" is the login folder). kErrorTimeout when it
    // took longer than the limit, kErrorListingTooLong when it grew beyond it.
    int List(std::string_view folder, std::string& listing);
    void SetListingLimits(const FtpListingLimits& limits) { m_limits = limits; }

    // Fetches the file into the open descriptor. The cancel flag (may be null) is
    // looked at while the transfer runs; a set flag ends it with
    // kErrorCancelled. received counts the bytes written.
    int Download(std::string_view file, int descriptor, const std::atomic<std::int32_t>* cancel,
                 std::uint64_t& received);

    // The file's modification time as the server reports it (seconds since 1970,
    // the server's MDTM fields read as UTC); nothing when the server gives none.
    std::optional<std::int64_t> ModificationTime(std::string_view file);

private:
    std::string Url(std::string_view path, bool folder) const;
    void Reset();
    int Perform(const std::atomic<std::int32_t>* cancel);

    void* m_handle = nullptr;  // CURL*
    void* m_multi = nullptr;   // CURLM*
    int m_lastCurlCode = 0;
    std::string m_base;        // "ftp://a.b.c.d:port/"
    std::string m_user;
    std::string m_password;
    FtpListingLimits m_limits;
};

}  // namespace net
