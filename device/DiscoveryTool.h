#pragma once
// CDiscoveryTool: finds the terminals on the local network. It sends the probe
// "are you zvdevice?" once and listens for replies on one UDP socket with one
// receive thread; listening ends by itself after a quiet spell (3 s) or when
// the owner stops it. Also scans the machine's drives for terminal media.
//
// One search exists at a time and its owner ends it: Stop sets the stop flag,
// wakes the socket and joins the thread, so no report reaches the owner after
// Stop returns. A flood of replies ends listening once more devices answered
// than any real network holds. Reports are made on the receive thread: the owner copies what it
// keeps and must not wait for its own thread there (the user-interface thread may
// be the one waiting in Stop).

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "device/ZVDeviceInfo.h"
#include "platform/net/UdpSocket.h"

class IDiscoveryOwner {
public:
    virtual ~IDiscoveryOwner() = default;
    // One per accepted reply (receive thread); the record lives only for the call.
    virtual void OnDeviceFound(const CZVDeviceInfo& device) = 0;
    // Listening ended after the quiet spell, or after too many answers (receive thread).
    virtual void OnDiscoveryEnd() = 0;
    // `limit` devices answered, more than any real network holds: listening ends
    // and further answers are not reported (receive thread, before the end).
    virtual void OnTooManyDevices(std::size_t limit) = 0;
    // The listener could not be started (the thread that called Start).
    virtual void OnDiscoveryFailed() = 0;
};

// Where the probe goes and where replies come. The defaults are the terminals'
// protocol; tests point both ends at the loopback interface.
struct DiscoverySettings {
    net::Ipv4 listenAddress = net::kAnyAddress;
    std::uint16_t listenPort = 5554;
    std::uint16_t probePort = 5555;
    // Empty: the broadcast address of every broadcasting IPv4 interface, each
    // probe sent from that interface's own address.
    std::vector<net::Ipv4> destinations;
    std::chrono::milliseconds quietSpell{3000};
    // Accepted answers after which listening ends: no real network has that many
    // terminals, even each answering on two routes.
    std::size_t maxDevices = 1000;
};

class CDiscoveryTool {
public:
    virtual ~CDiscoveryTool();
    CDiscoveryTool(const CDiscoveryTool&) = delete;
    CDiscoveryTool& operator=(const CDiscoveryTool&) = delete;

    // Ends any earlier search, starts listening for the owner and sends the probe.
    // Nonzero when the probe was sent.
    static int Start(IDiscoveryOwner* owner);
    // Ends the search and waits for its thread (which the wake makes quick); the
    // flag is kept for callers that do not need to wait, who are served the same.
    static void Stop(bool wait);
    // Appends one record per drive that carries a readable marker file; 1 when the
    // drives could be listed.
    static int ScanRemovableDrives(std::vector<CZVDeviceInfo>& devices);

    static void SetSettings(const DiscoverySettings& settings);
    static DiscoverySettings GetSettings();
    // The port the running search listens on (0 when none).
    static std::uint16_t ListenPort();

    // The instance, made on first use.
    static CDiscoveryTool* GetInstance();
    // Starts the listener and the receive thread for the owner; 1 on success.
    int Init(IDiscoveryOwner* owner);
    int CreateListener();
    // 1 when the probe went out on at least one interface.
    int SendProbe(std::string_view text);

private:
    explicit CDiscoveryTool(const DiscoverySettings& settings);
    void ReceiveThread();
    // Whether the reply was reported as a device.
    bool OnDiscoveryReply(std::string_view datagram);
    void EndThread();

    DiscoverySettings m_settings;
    net::UdpSocket m_listener;
    bool m_initialised = false;
    std::atomic<bool> m_stop{false};
    IDiscoveryOwner* m_owner = nullptr;
    std::thread m_thread;
};
