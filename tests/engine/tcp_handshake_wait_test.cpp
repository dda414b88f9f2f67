// A data connection whose TLS handshake waits for a silent peer: it sleeps on
// its read event instead of spinning on the always-writable socket or on
// bytes it cannot take, and it is given up at its handshake deadline, on
// either end.
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <time.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "kavelin/tcp-client-init-helper.h"
#include "kavelin/tcp-helper.h"
#include "kavelin/tcp-server-init-helper.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "engine/tcp_transfer_test_support.h"
#include "support/certificates.h"
#include "support/temp_dir.h"

namespace {

using namespace tcp_transfer_test;

// CPU time of the calling thread, which turns the connection's event loop.
double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TcpHelper::InitState initState(TcpTransfer& t)
{
    if (auto* client = dynamic_cast<TcpClientInitHelper*>(t.getHelper()))
        return client->getState();
    if (auto* server = dynamic_cast<TcpServerInitHelper*>(t.getHelper()))
        return server->getState();
    return TcpHelper::INIT_DONE;
}

class HandshakeWait : public ::testing::Test {
protected:
    static constexpr unsigned int kDeadlineMs = 1500;

    void SetUp() override
    {
        qm_test::Credentials server = qm_test::makeServerCert("data.test", {"data.test"}, nullptr);
        server.writeFiles(m_dir.file("chain.pem"), m_dir.file("key.pem"));
        TcpHelper::setServerCertificatePaths(m_dir.file("key.pem"), m_dir.file("chain.pem"));
    }

    // Pumps the loop until the connection is given up; checks that the wait
    // cost the loop's thread next to no CPU and ended at the deadline while
    // the handshake was still waiting.
    void expectQuietWaitUntilDeadline(TestController& controller, TcpTransfer& t,
                                      std::chrono::steady_clock::time_point started)
    {
        ASSERT_TRUE(controller.pumpUntil([&] { return initState(t) == TcpHelper::INIT_HANDSHAKING || t.isAborted(); }));
        ASSERT_FALSE(t.isAborted()) << "the handshake failed instead of waiting";
        const double cpu_before = threadCpuSeconds();
        const auto waiting_since = std::chrono::steady_clock::now();
        ASSERT_TRUE(controller.pumpUntil([&] { return t.isAborted(); }));
        const double wall = secondsSince(waiting_since);
        const double cpu = threadCpuSeconds() - cpu_before;
        // Not a speed bound: a connection that re-arms its write event while
        // TLS waits for reading burns the whole wall time.
        EXPECT_LT(cpu, 0.3 * wall) << "cpu " << cpu << " s over " << wall << " s";
        EXPECT_EQ(TcpHelper::INIT_HANDSHAKING, initState(t));
        EXPECT_GE(secondsSince(started) * 1000.0, kDeadlineMs - 50.0);
    }

    qm_test::TempDir m_dir{"qm-handshake-wait"};
};

// The accepting end has the use request (valid seed, TLS asked for) and
// answers; the peer then never starts TLS.
TEST_F(HandshakeWait, AcceptingEndSleepsUntilItsDeadline)
{
    const uint64_t kPeer = 9;
    TestController controller;
    controller.getManager()->setPeerSeed(kPeer, 0xABCDEF);
    VardoCoreManager other_end(new VardoCoreManagerImplLock);
    other_end.setPeerSeed(kPeer, 0xABCDEF);
    uint64_t seed = 0;
    ASSERT_TRUE(other_end.takeTransferSeed(kPeer, seed));

    Listener listener;
    const int peer = connectTo(listener.port);
    std::unique_ptr<TcpTransfer> t(new TcpTransfer(&controller));
    t->setTransferSide(TRANSFER_SIDE_SERVER);
    t->setHandshakeTimeout(kDeadlineMs);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(0, t->accept(listener.fd));

    PObject request;
    request["transfer_seed"] = seed;
    request["command"] = static_cast<uint32_t>(C_SET_USE);
    request["transfer_use"] = static_cast<int32_t>(TRANSFER_USE_ACTIVE);
    request["encrypted"] = true;
    request["compressed"] = true;
    ASSERT_TRUE(writeObject(peer, request));

    expectQuietWaitUntilDeadline(controller, *t, started);
    PObject answer;
    ASSERT_TRUE(readObject(peer, answer));
    EXPECT_EQ(1u, answer["encrypted"].asUInt64());
    EXPECT_EQ(0, drainUntilClosed(peer));  // closed, and no TLS byte was sent
    ::close(peer);
}

// The connecting end has its answer asking for TLS and sent its hello; the
// server then never answers it.
TEST_F(HandshakeWait, ConnectingEndSleepsUntilItsDeadline)
{
    TestController controller;
    controller.getManager()->setPeerSeed(5, 0x1234567);
    Listener listener;
    std::unique_ptr<TcpTransfer> t(clientTransfer(controller, 5, true));
    t->setHandshakeTimeout(kDeadlineMs);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(0, t->connect("127.0.0.1", listener.port));
    const int peer = listener.acceptOne();
    ASSERT_GE(peer, 0);

    std::thread server_side([peer] {
        PObject request;
        if (!readObject(peer, request))
            return;
        PObject answer;
        answer["encrypted"] = true;
        writeObject(peer, answer);
    });
    expectQuietWaitUntilDeadline(controller, *t, started);
    server_side.join();
    EXPECT_GT(drainUntilClosed(peer), 0);  // the client hello, then the close
    ::close(peer);
}

// The answer asking for TLS comes with one stray byte behind it, which the
// handshake cannot take: the read pass must still end and leave the loop
// to its deadline, not spin over the byte for ever.
TEST_F(HandshakeWait, ConnectingEndIsNotHeldByAStrayByteAfterTheAnswer)
{
    TestController controller;
    controller.getManager()->setPeerSeed(5, 0x1234567);
    Listener listener;
    std::unique_ptr<TcpTransfer> t(clientTransfer(controller, 5, true));
    t->setHandshakeTimeout(kDeadlineMs);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(0, t->connect("127.0.0.1", listener.port));
    const int peer = listener.acceptOne();
    ASSERT_GE(peer, 0);

    std::thread server_side([peer] {
        PObject request;
        if (!readObject(peer, request))
            return;
        // Corked, so the byte arrives with the answer and lands in the
        // stream's buffer, not in the TLS layer.
        int on = 1;
        setsockopt(peer, IPPROTO_TCP, TCP_CORK, &on, sizeof(on));
        PObject answer;
        answer["encrypted"] = true;
        writeObject(peer, answer);
        const char stray = '/';
        (void)!::write(peer, &stray, 1);
        int off = 0;
        setsockopt(peer, IPPROTO_TCP, TCP_CORK, &off, sizeof(off));
    });
    expectQuietWaitUntilDeadline(controller, *t, started);
    server_side.join();
    ::close(peer);
}

}  // namespace
