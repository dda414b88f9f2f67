// Local processes that are slow, silent or many on the engine's command port
// must not hold the loop that moves every transfer: each command connection
// is served by events of its own, within limits of time and number.
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/transfer_service_test_support.h"
#include "kavelin/transfer-service-impl.h"
#include "kavelin/transfer-service-ipc.h"
#include "protocol/stream-message.h"
#include "support/loopback.h"
#include "support/pacing_relay.h"
#include "transfer_e2e_support.h"

using e2e::Loopback;
using qm_test::PacingRelay;

namespace {

const uint64_t kMiB = 1024 * 1024;

std::string commandBytes(const PObject& cmd)
{
    PStream stream;
    std::string bytes;
    EXPECT_EQ(PStream::ERR_OK, PStreamEncode(stream, cmd, bytes));
    return bytes;
}

// Whether the engine has closed its end of fd, waiting at most timeout_ms.
bool engineClosed(int fd, int timeout_ms)
{
    pollfd pfd{fd, POLLIN, 0};
    if (::poll(&pfd, 1, timeout_ms) != 1)
        return false;
    char byte;
    return ::recv(fd, &byte, 1, MSG_DONTWAIT) <= 0;
}

// Everything the engine writes on fd until it closes it (30 s at most).
std::string readToEnd(int fd)
{
    std::string bytes;
    char buffer[16 * 1024];
    pollfd pfd{fd, POLLIN, 0};
    while (::poll(&pfd, 1, 30000) == 1) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

// A local process that sends a command a byte at a time and never its last
// byte, reconnecting whenever the engine closes it, until told to stop.
class Trickler {
public:
    Trickler(int port, const std::string& bytes, int pause_ms)
        : m_thread([this, port, bytes, pause_ms] { run(port, bytes, pause_ms); })
    {
    }
    ~Trickler() { stop(); }

    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
    }
    // Connections the engine closed on it.
    int closedByEngine() const { return m_closed; }

private:
    void run(int port, const std::string& bytes, int pause_ms)
    {
        while (!m_stop) {
            const int fd = qm_test::connectLoopback(port);
            if (fd < 0)
                return;
            bool cut = false;
            for (size_t i = 0; i + 1 < bytes.size() && !m_stop && !cut; ++i) {
                cut = ::send(fd, &bytes[i], 1, MSG_NOSIGNAL) != 1;
                // The pause watches the connection, so a close is seen at once.
                if (!cut)
                    cut = engineClosed(fd, pause_ms);
            }
            if (!cut && !m_stop)
                cut = engineClosed(fd, 30000);
            if (cut)
                ++m_closed;
            ::close(fd);
        }
    }

    std::atomic<bool> m_stop{false};
    std::atomic<int> m_closed{0};
    std::thread m_thread;
};

// Several tricklers at once, each reconnecting as soon as the engine drops
// it, for as long as a download runs: with a loop that waited on any of them
// the download would stall for good.
TEST(CommandPort, TricklersThatReconnectDoNotStallATransfer)
{
    PacingRelay::Options options;
    options.bytes_per_s = 8 * kMiB;
    options.one_way_delay_ms = 5;
    std::unique_ptr<PacingRelay> relay;
    Loopback loop({"plain", false, false}, 3, 0, 0, std::string(), e2e::SeedSource::Direct,
                  [&](unsigned server_port) {
                      relay.reset(new PacingRelay(server_port, options));
                      return relay->port();
                  });
    ASSERT_TRUE(loop.connected());
    e2e::writeRandomFile(loop.sharePath("big.bin"), 16 * kMiB + 123, 43);
    const int port = loop.clientService().getControlPort();
    const std::string bytes = commandBytes(TransferServiceIpc::setTotalBandwidthCommand(1, 1));

    std::vector<std::unique_ptr<Trickler>> tricklers;
    for (int i = 0; i < 5; ++i)
        tricklers.emplace_back(new Trickler(port, bytes, 50 + 20 * i));
    const std::vector<uint64_t> ids = loop.download({"big.bin"});
    std::vector<ResumeInfo> done;
    const bool finished = loop.waitDone(ids, done, 40000);
    // Each trickler has met the deadline at least once, whatever the
    // download's pace.
    const bool all_dropped = Loopback::waitUntil(
        [&] {
            for (const auto& trickler : tricklers)
                if (trickler->closedByEngine() == 0)
                    return false;
            return true;
        },
        30000);
    for (auto& trickler : tricklers)
        trickler->stop();

    ASSERT_TRUE(finished) << "the download did not finish while commands trickled in";
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
    EXPECT_EQ(e2e::sha256File(loop.sharePath("big.bin")), e2e::sha256File(loop.localPath("big.bin")));
    EXPECT_TRUE(all_dropped) << "the engine keeps unfinished commands past their deadline";

    PObject dump;
    EXPECT_EQ(0, loop.clientService().debugTransferService(dump));
    EXPECT_EQ("client", dump["01. m_side"].asString());
}

class CommandPortTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, engine.service.init(TRANSFER_SIDE_CLIENT, 3363));
        ASSERT_EQ(0, engine.service.startService());
    }
    void TearDown() override { EXPECT_EQ(0, engine.service.stopService()); }

    Engine engine;
};

// A command that arrives in pieces waits for its last piece without holding
// the loop: other commands are answered in between, and so is it at the end.
TEST_F(CommandPortTest, CommandInPiecesIsAnsweredWhileOthersAreServed)
{
    const std::string bytes = commandBytes(TransferServiceIpc::debugTransferServiceCommand());
    const int fd = qm_test::connectLoopback(engine.port());
    ASSERT_GE(fd, 0);
    const size_t third = bytes.size() / 3;
    for (size_t at = 0; at < bytes.size(); at += third) {
        ASSERT_TRUE(qm_test::sendAll(fd, bytes.substr(at, third)));
        if (at + third >= bytes.size())
            break;
        // Answered while the pieced command is open: a loop that waited for
        // it would answer only once the engine had dropped it.
        PObject other;
        ASSERT_EQ(0, engine.service.debugTransferService(other));
        EXPECT_EQ(-1, engine.service.checkConnection(12345)) << "an unknown peer is not ready";
    }
    const std::string answer = readToEnd(fd);
    ::close(fd);
    PStream stream;
    PObject dump;
    ASSERT_EQ(PStream::ERR_OK, PStreamDecode(stream, answer, dump)) << answer.size() << " bytes";
    EXPECT_EQ("client", dump["01. m_side"].asString());
}

// Connections beyond the bound are closed on accept while the ones within it
// stay open; once those are gone, commands are served again.
TEST_F(CommandPortTest, ConnectionsBeyondTheBoundAreClosedAtOnce)
{
    std::vector<int> held;
    for (size_t i = 0; i < TransferServiceImpl::kMaxCommandConnections; ++i) {
        held.push_back(qm_test::connectLoopback(engine.port()));
        ASSERT_GE(held.back(), 0);
    }
    // Accepted after all of them: the listener's queue is first in, first out.
    const int extra = qm_test::connectLoopback(engine.port());
    ASSERT_GE(extra, 0);
    EXPECT_TRUE(engineClosed(extra, 30000));
    ::close(extra);
    int open = 0;
    for (int fd : held) {
        pollfd pfd{fd, POLLIN, 0};
        if (::poll(&pfd, 1, 0) == 0)
            ++open;
    }
    EXPECT_EQ(static_cast<int>(held.size()), open) << "the connections within the bound wait for their command";

    for (int fd : held)
        ::close(fd);
    PObject dump;
    EXPECT_TRUE(Loopback::waitUntil([&] { return engine.service.debugTransferService(dump) == 0; }, 30000));
    EXPECT_EQ("client", dump["01. m_side"].asString());
}

} // namespace
