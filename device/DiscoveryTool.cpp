#include "device/DiscoveryTool.h"

#include <array>

#include "core/CrashDump.h"
#include "device/DiscoveryReply.h"
#include "device/RemovableDrives.h"
#include "platform/net/Ipv4Interfaces.h"

namespace {

// The single search and the settings the next one takes. Start and Stop come
// from the owner's thread; the lock keeps a second caller from racing them.
std::mutex g_lock;
std::unique_ptr<CDiscoveryTool> g_instance;
DiscoverySettings g_settings;

}  // namespace

CDiscoveryTool::CDiscoveryTool(const DiscoverySettings& settings) : m_settings(settings) {}

CDiscoveryTool::~CDiscoveryTool() { EndThread(); }

void CDiscoveryTool::EndThread() {
    m_stop.store(true);
    m_listener.Wake();
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_listener.Close();
    m_initialised = false;
}

CDiscoveryTool* CDiscoveryTool::GetInstance() {
    if (!g_instance) {
        g_instance.reset(new CDiscoveryTool(g_settings));
    }
    return g_instance.get();
}

void CDiscoveryTool::SetSettings(const DiscoverySettings& settings) {
    std::lock_guard lock(g_lock);
    g_settings = settings;
}

DiscoverySettings CDiscoveryTool::GetSettings() {
    std::lock_guard lock(g_lock);
    return g_settings;
}

std::uint16_t CDiscoveryTool::ListenPort() {
    std::lock_guard lock(g_lock);
    return g_instance ? g_instance->m_listener.LocalPort() : 0;
}

int CDiscoveryTool::Start(IDiscoveryOwner* owner) {
    Stop(true);
    std::lock_guard lock(g_lock);
    CDiscoveryTool* tool = GetInstance();
    if (tool == nullptr || owner == nullptr) {
        return 0;
    }
    if (tool->Init(owner) == 0) {
        g_instance.reset();
        owner->OnDiscoveryFailed();
        return 0;
    }
    return tool->SendProbe(kProbeText);
}

void CDiscoveryTool::Stop(bool /*wait*/) {
    std::unique_ptr<CDiscoveryTool> ending;
    {
        std::lock_guard lock(g_lock);
        ending = std::move(g_instance);
    }
    // Joined outside the lock: the thread's last report may still be running.
    ending.reset();
}

int CDiscoveryTool::Init(IDiscoveryOwner* owner) {
    if (owner == nullptr) {
        return 0;
    }
    m_owner = owner;
    if (m_initialised) {
        return 1;
    }
    if (CreateListener() == 0) {
        return 0;
    }
    m_stop.store(false);
    try {
        m_thread = std::thread([this] { ReceiveThread(); });
    } catch (const std::system_error&) {
        m_listener.Close();
        return 0;
    }
    m_initialised = true;
    return 1;
}

int CDiscoveryTool::CreateListener() {
    if (!m_listener.Open(m_settings.listenAddress, m_settings.listenPort) || !m_listener.SetBroadcast(true)) {
        m_listener.Close();
        return 0;
    }
    return 1;
}

int CDiscoveryTool::SendProbe(std::string_view text) {
    if (!m_initialised || text.size() > kReplyBufferSize) {
        return 0;
    }
    struct Route {
        net::Ipv4 from;
        net::Ipv4 to;
    };
    std::vector<Route> routes;
    if (m_settings.destinations.empty()) {
        for (const net::BroadcastInterface& item : net::BroadcastInterfaces()) {
            routes.push_back({item.address, item.broadcast});
        }
    } else {
        for (const net::Ipv4 destination : m_settings.destinations) {
            routes.push_back({net::kAnyAddress, destination});
        }
    }
    int sent = 0;
    for (const Route& route : routes) {
        net::UdpSocket socket;
        if (socket.Open(route.from, 0) && socket.SetBroadcast(true) &&
            socket.SendTo(route.to, m_settings.probePort, text)) {
            sent = 1;
        }
    }
    return sent;
}

void CDiscoveryTool::ReceiveThread() {
    CCrashDump::ThreadGuard guard;
    std::array<char, kReplyBufferSize> buffer{};
    std::size_t reported = 0;
    for (;;) {
        if (m_stop.load()) {
            return;
        }
        const net::UdpSocket::Wait wait = m_listener.WaitReadable(m_settings.quietSpell);
        if (wait == net::UdpSocket::Wait::Woken || m_stop.load()) {
            return;
        }
        if (wait != net::UdpSocket::Wait::Readable) {
            break;
        }
        const std::optional<std::size_t> received = m_listener.Receive(buffer.data(), buffer.size());
        if (!received) {
            break;
        }
        if (OnDiscoveryReply(std::string_view(buffer.data(), *received)) && ++reported >= m_settings.maxDevices) {
            if (!m_stop.load()) {
                m_owner->OnTooManyDevices(m_settings.maxDevices);
            }
            break;
        }
    }
    if (!m_stop.load()) {
        m_owner->OnDiscoveryEnd();
    }
}

bool CDiscoveryTool::OnDiscoveryReply(std::string_view datagram) {
    const std::optional<CZVDeviceInfo> device = DeviceFromReply(ReplyText(datagram));
    if (!device || m_stop.load()) {
        return false;
    }
    m_owner->OnDeviceFound(*device);
    return true;
}

int CDiscoveryTool::ScanRemovableDrives(std::vector<CZVDeviceInfo>& devices) {
    return ScanDrivesForMarkers(devices);
}
