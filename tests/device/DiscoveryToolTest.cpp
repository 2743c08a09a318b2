// Discovery on the loopback interface: a UDP responder plays the terminal, the
// probe is sent to it and its replies come back to the tool's listener.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "device/DiscoveryReply.h"
#include "device/DiscoveryTool.h"
#include "platform/base/Encoding.h"
#include "platform/net/UdpSocket.h"

namespace {

using namespace std::chrono_literals;

// Records what the tool reports, from its receive thread.
class RecordingOwner : public IDiscoveryOwner {
public:
    void OnDeviceFound(const CZVDeviceInfo& device) override {
        std::lock_guard lock(m_lock);
        devices.push_back(device);
        m_changed.notify_all();
    }
    void OnDiscoveryEnd() override {
        std::lock_guard lock(m_lock);
        ++ends;
        m_changed.notify_all();
    }
    void OnDiscoveryFailed() override {
        std::lock_guard lock(m_lock);
        ++failures;
    }
    void OnTooManyDevices(std::size_t limit) override {
        std::lock_guard lock(m_lock);
        limits.push_back(limit);
    }
    // False when the condition did not come within a generous limit.
    template <class Condition>
    bool WaitFor(Condition condition) {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, 10s, condition);
    }
    std::size_t DeviceCount() {
        std::lock_guard lock(m_lock);
        return devices.size();
    }

    std::vector<CZVDeviceInfo> devices;
    int ends = 0;
    int failures = 0;
    std::vector<std::size_t> limits;

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
};

// The terminal: receives the probe on a free port and answers to the tool's port.
class Responder {
public:
    Responder() {
        m_socket.Open(net::kLoopback, 0);
    }
    std::uint16_t Port() const { return m_socket.LocalPort(); }
    std::string ReceiveProbe() {
        if (m_socket.WaitReadable(10s) != net::UdpSocket::Wait::Readable) {
            return {};
        }
        char buffer[2048];
        const auto size = m_socket.Receive(buffer, sizeof buffer);
        return size ? std::string(buffer, *size) : std::string();
    }
    bool Reply(std::string_view bytes) { return m_socket.SendTo(net::kLoopback, CDiscoveryTool::ListenPort(), bytes); }

private:
    net::UdpSocket m_socket;
};

class DiscoveryToolTest : public testing::Test {
protected:
    void Configure(std::chrono::milliseconds quietSpell, std::size_t maxDevices = 1000) {
        DiscoverySettings settings;
        settings.listenAddress = net::kLoopback;
        settings.listenPort = 0;
        settings.destinations = {net::kLoopback};
        settings.probePort = responder.Port();
        settings.quietSpell = quietSpell;
        settings.maxDevices = maxDevices;
        CDiscoveryTool::SetSettings(settings);
    }
    void TearDown() override {
        CDiscoveryTool::Stop(true);
        CDiscoveryTool::SetSettings(DiscoverySettings{});
    }

    Responder responder;
    RecordingOwner owner;
};

constexpr std::string_view kReply =
    "respone=ok;devname=Site A;devtype=K7800;version=V1.2.4;IpCount=1;"
    "ipaddress0=127.0.0.1;gateway0=127.0.0.254;mask0=255.0.0.0;";

TEST_F(DiscoveryToolTest, ProbesAndListsTheAnsweringTerminal) {
    Configure(5s);
    ASSERT_EQ(1, CDiscoveryTool::Start(&owner));
    EXPECT_EQ(std::string(kProbeText), responder.ReceiveProbe()) << "17 bytes, no terminating zero";
    ASSERT_TRUE(responder.Reply(kReply));
    ASSERT_TRUE(owner.WaitFor([&] { return !owner.devices.empty(); }));
    const CZVDeviceInfo& device = owner.devices.front();
    EXPECT_EQ(kModelK7800, device.m_model);
    EXPECT_EQ(kTransportNetwork, device.m_transport);
    EXPECT_EQ(L"Site A", device.GetName());
    EXPECT_EQ(L"V1.2.4", device.GetVersion());
    EXPECT_EQ(L"127.0.0.1", device.m_address);
}

TEST_F(DiscoveryToolTest, OddRepliesAreTakenOrDroppedAsTheyRead) {
    Configure(5s);
    ASSERT_EQ(1, CDiscoveryTool::Start(&owner));
    responder.ReceiveProbe();

    struct Case {
        const char* what;
        std::string bytes;
        bool listed;
        std::wstring name;
    };
    std::string oversized = "devtype=K7700;devname=Big;";
    oversized += std::string(1500, 'x');
    std::string full = "devtype=K7900;devname=";
    full += std::string(kReplyBufferSize - full.size() - 1, 'f') + ";";
    const Case cases[] = {
        {"truncated before the name's ';'", "devtype=K7700;devname=Cut", true, L""},
        {"no '=' at all", "hello terminal;", false, L""},
        {"unknown model", "devtype=K7600;devname=Other;", false, L""},
        {"oversized: cut to 1024 bytes", oversized, true, L"Big"},
        {"exactly 1024 bytes, no terminator", full, true, std::wstring(255, L'f')},
    };
    int round = 0;
    for (const Case& c : cases) {
        const std::size_t before = owner.DeviceCount();
        ASSERT_TRUE(responder.Reply(c.bytes)) << c.what;
        // A marker reply after each case: once it is in, the case has been judged.
        const std::wstring marker = L"marker" + std::to_wstring(++round);
        ASSERT_TRUE(responder.Reply("devtype=K7700;devname=" + platform::WideToUtf8(marker) + ";")) << c.what;
        ASSERT_TRUE(owner.WaitFor([&] { return !owner.devices.empty() && owner.devices.back().GetName() == marker; }))
            << c.what;
        const std::size_t added = owner.DeviceCount() - before;
        EXPECT_EQ(c.listed ? 2u : 1u, added) << c.what;
        if (c.listed && added == 2) {
            EXPECT_EQ(c.name, owner.devices[owner.devices.size() - 2].GetName()) << c.what;
        }
    }
}

TEST_F(DiscoveryToolTest, RepliesFromAnotherPortAreTaken) {
    Configure(5s);
    ASSERT_EQ(1, CDiscoveryTool::Start(&owner));
    responder.ReceiveProbe();
    net::UdpSocket other;
    ASSERT_TRUE(other.Open(net::kLoopback, 0));
    ASSERT_TRUE(other.SendTo(net::kLoopback, CDiscoveryTool::ListenPort(), "devtype=K7700;devname=Elsewhere;"));
    ASSERT_TRUE(owner.WaitFor([&] { return !owner.devices.empty(); }));
    EXPECT_EQ(L"Elsewhere", owner.devices.front().GetName());
}

TEST_F(DiscoveryToolTest, ListeningEndsAQuietSpellAfterTheLastReply) {
    Configure(400ms);
    ASSERT_EQ(1, CDiscoveryTool::Start(&owner));
    responder.ReceiveProbe();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(responder.Reply("devtype=K7700;devname=T" + std::to_string(i) + ";"));
        std::this_thread::sleep_for(150ms);
    }
    ASSERT_TRUE(owner.WaitFor([&] { return owner.ends == 1; }));
    EXPECT_EQ(3u, owner.devices.size()) << "every reply came before the end";
}

// A flood of answers from ever new addresses ends listening at the cap, at once and
// said so, however long the flood goes on.
TEST_F(DiscoveryToolTest, AFloodOfAnswersEndsListeningAtTheCap) {
    Configure(std::chrono::hours(1), 5);
    ASSERT_EQ(1, CDiscoveryTool::Start(&owner));
    responder.ReceiveProbe();
    for (int i = 0; i < 50; ++i) {
        responder.Reply("devtype=K7700;devname=F" + std::to_string(i) + ";IpCount=1;ipaddress0=10.0.0." +
                        std::to_string(i) + ";gateway0=10.0.0.254;mask0=255.0.0.0;");
    }
    ASSERT_TRUE(owner.WaitFor([&] { return owner.ends == 1; })) << "the quiet spell is an hour: only the cap ends it";
    EXPECT_EQ(5u, owner.DeviceCount());
    EXPECT_EQ(std::vector<std::size_t>{5}, owner.limits);
}

TEST_F(DiscoveryToolTest, StopEndsTheSearchAtOnceWithoutAnEndReport) {
    // A quiet spell far beyond the test's limit: only the wake can end it.
    Configure(std::chrono::hours(1));
    ASSERT_EQ(1, CDiscoveryTool::Start(&owner));
    responder.ReceiveProbe();
    CDiscoveryTool::Stop(true);
    EXPECT_EQ(0u, CDiscoveryTool::ListenPort());
    EXPECT_EQ(0, owner.ends);
    // A second search starts after the first has gone.
    ASSERT_EQ(1, CDiscoveryTool::Start(&owner));
    EXPECT_EQ(std::string(kProbeText), responder.ReceiveProbe());
}

TEST_F(DiscoveryToolTest, AListenerThatCannotBindReportsFailure) {
    net::UdpSocket taken;
    ASSERT_TRUE(taken.Open(net::kLoopback, 0));
    DiscoverySettings settings;
    settings.listenAddress = net::kLoopback;
    settings.listenPort = taken.LocalPort();
    settings.destinations = {net::kLoopback};
    settings.probePort = responder.Port();
    CDiscoveryTool::SetSettings(settings);
    EXPECT_EQ(0, CDiscoveryTool::Start(&owner));
    EXPECT_EQ(1, owner.failures);
    EXPECT_EQ(0u, CDiscoveryTool::ListenPort());
}

}  // namespace
