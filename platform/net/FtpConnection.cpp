#include "platform/net/FtpConnection.h"

#include <cerrno>
#include <mutex>
#include <unistd.h>

#include <curl/curl.h>

#include "platform/net/NetErrors.h"

namespace net {

namespace {

constexpr long kConnectSeconds = 10;
constexpr int kPollMilliseconds = 10;
// Seconds without a byte after which a transfer counts as broken.
constexpr long kStallSeconds = 20;

void InitCurlOnce() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL* Handle(void* handle) { return static_cast<CURL*>(handle); }

struct ListingSink {
    std::string* text;
    std::size_t limit;
};

std::size_t AppendListing(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<ListingSink*>(user);
    const std::size_t bytes = size * count;
    if (sink->text->size() + bytes > sink->limit) {
        return 0;
    }
    sink->text->append(data, bytes);
    return bytes;
}

struct FileSink {
    int descriptor = -1;
    std::uint64_t written = 0;
    int writeErrno = 0;
    const std::atomic<std::int32_t>* cancel = nullptr;
    bool cancelled = false;
};

std::size_t WriteFile(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<FileSink*>(user);
    if (sink->cancel != nullptr && sink->cancel->load() != 0) {
        sink->cancelled = true;
        return 0;
    }
    const std::size_t bytes = size * count;
    std::size_t done = 0;
    while (done < bytes) {
        const ssize_t n = ::write(sink->descriptor, data + done, bytes - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            sink->writeErrno = n < 0 ? errno : ENOSPC;
            return 0;
        }
        done += static_cast<std::size_t>(n);
        sink->written += static_cast<std::uint64_t>(n);
    }
    return bytes;
}

std::size_t Discard(char*, std::size_t size, std::size_t count, void*) { return size * count; }

}  // namespace

FtpConnection::FtpConnection() { InitCurlOnce(); }

FtpConnection::~FtpConnection() { Close(); }

int FtpConnection::Open(Ipv4 host, std::uint16_t port, const std::string& user, const std::string& password) {
    Close();
    m_handle = curl_easy_init();
    m_multi = curl_multi_init();
    if (m_handle == nullptr || m_multi == nullptr) {
        Close();
        return kErrorCannotConnect;
    }
    m_base = "ftp://" + FormatIpv4(host) + ":" + std::to_string(port) + "/";
    m_user = user;
    m_password = password;
    Reset();
    curl_easy_setopt(Handle(m_handle), CURLOPT_URL, m_base.c_str());
    curl_easy_setopt(Handle(m_handle), CURLOPT_NOBODY, 1L);
    const int result = Perform(nullptr);
    if (result != kErrorNone) {
        Close();
    }
    return result;
}

void FtpConnection::Close() {
    if (m_handle != nullptr) {
        curl_easy_cleanup(Handle(m_handle));
        m_handle = nullptr;
    }
    if (m_multi != nullptr) {
        curl_multi_cleanup(static_cast<CURLM*>(m_multi));
        m_multi = nullptr;
    }
}

void FtpConnection::Reset() {
    CURL* curl = Handle(m_handle);
    // Keeps the live control connection; only the options start afresh.
    curl_easy_reset(curl);
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
    // Plain PASV, and the data connection always to the host we logged in to,
    // whatever address the server names in its reply.
    curl_easy_setopt(curl, CURLOPT_FTP_USE_EPSV, 0L);
    curl_easy_setopt(curl, CURLOPT_FTP_SKIP_PASV_IP, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Discard);
}

int FtpConnection::Perform(const std::atomic<std::int32_t>* cancel) {
    CURLM* multi = static_cast<CURLM*>(m_multi);
    CURL* curl = Handle(m_handle);
    m_lastCurlCode = CURLE_OK;
    if (curl_multi_add_handle(multi, curl) != CURLM_OK) {
        return kErrorExtended;
    }
    // Driven here rather than by curl_easy_perform: curl may leave a reply it has
    // already read waiting until its own one-second poll ends, and each transfer
    // would then stall for that second. A short poll also lets a cancel end a
    // transfer that receives nothing.
    int running = 1;
    bool cancelled = false;
    while (running != 0) {
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            break;
        }
        if (running == 0) {
            break;
        }
        if (cancel != nullptr && cancel->load() != 0) {
            cancelled = true;
            break;
        }
        curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
    }
    CURLcode code = CURLE_OK;
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE && message->easy_handle == curl) {
            code = message->data.result;
        }
    }
    curl_multi_remove_handle(multi, curl);
    if (cancelled) {
        return kErrorCancelled;
    }
    m_lastCurlCode = code;
    return ErrorFromCurl(code, 0);
}

std::string FtpConnection::Url(std::string_view path, bool folder) const {
    std::string url = m_base;
    std::size_t start = 0;
    bool first = true;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        const std::string_view segment = path.substr(start, end - start);
        if (!segment.empty()) {
            char* escaped = curl_easy_escape(Handle(m_handle), segment.data(), static_cast<int>(segment.size()));
            if (!first) {
                url += '/';
            }
            url += escaped != nullptr ? escaped : "";
            curl_free(escaped);
            first = false;
        }
        start = end + 1;
    }
    if (folder && !first) {
        url += '/';
    }
    return url;
}

int FtpConnection::List(std::string_view folder, std::string& listing) {
    listing.clear();
    if (m_handle == nullptr) {
        return kErrorConnectionReset;
    }
    Reset();
    const std::string url = Url(folder, true);
    ListingSink sink{&listing, m_limits.bytes};
    curl_easy_setopt(Handle(m_handle), CURLOPT_URL, url.c_str());
    curl_easy_setopt(Handle(m_handle), CURLOPT_WRITEFUNCTION, AppendListing);
    curl_easy_setopt(Handle(m_handle), CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(Handle(m_handle), CURLOPT_TIMEOUT_MS, static_cast<long>(m_limits.time.count()));
    const int result = Perform(nullptr);
    if (m_lastCurlCode == CURLE_WRITE_ERROR) {
        return kErrorListingTooLong;
    }
    return result;
}

int FtpConnection::Download(std::string_view file, int descriptor, const std::atomic<std::int32_t>* cancel,
                            std::uint64_t& received) {
    received = 0;
    if (m_handle == nullptr) {
        return kErrorConnectionReset;
    }
    Reset();
    const std::string url = Url(file, false);
    FileSink sink;
    sink.descriptor = descriptor;
    sink.cancel = cancel;
    CURL* curl = Handle(m_handle);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteFile);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    const int result = Perform(cancel);
    received = sink.written;
    if (sink.cancelled || result == kErrorCancelled) {
        return kErrorCancelled;
    }
    return m_lastCurlCode == CURLE_WRITE_ERROR ? ErrorFromCurl(CURLE_WRITE_ERROR, sink.writeErrno) : result;
}

std::optional<std::int64_t> FtpConnection::ModificationTime(std::string_view file) {
    if (m_handle == nullptr) {
        return std::nullopt;
    }
    Reset();
    const std::string url = Url(file, false);
    CURL* curl = Handle(m_handle);
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(curl, CURLOPT_FILETIME, 1L);
    if (Perform(nullptr) != kErrorNone) {
        return std::nullopt;
    }
    curl_off_t time = -1;
    if (curl_easy_getinfo(curl, CURLINFO_FILETIME_T, &time) != CURLE_OK || time < 0) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(time);
}

}  // namespace net
