// Data connections to a server that fails every handshake: new attempts back
// off, the peer's waiting tasks spend their retry budget on the failures and
// end failed with a lost connection, and a working link resets the backoff.
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <openssl/ssl.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <event2/event.h>

#include "engine/tcp_transfer_test_support.h"
#include "kavelin/error-code.h"
#include "kavelin/peer-connection.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-retry-budget.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/transfer-service-impl.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "support/certificates.h"
#include "support/temp_dir.h"

namespace {

const uint64_t kPeer = 5;

enum class Fault { ResetAtOnce, CloseAfterRequest, ResetAfterRequest, Stall, OldTlsOnly };

struct Row {
    const char* name;
    Fault fault;
    bool encrypted;
};

void PrintTo(const Row& row, std::ostream* os)
{
    *os << row.name;
}

void closeWithReset(int fd)
{
    linger hard{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof(hard));
    ::close(fd);
}

// A data server that fails each connection in one way, on its own thread.
class FaultyServer {
public:
    FaultyServer(Fault fault, const std::string& chain, const std::string& key) : m_fault(fault)
    {
        if (fault == Fault::OldTlsOnly) {
            m_ctx = SSL_CTX_new(TLS_server_method());
            SSL_CTX_set_security_level(m_ctx, 0);
            SSL_CTX_set_min_proto_version(m_ctx, TLS1_VERSION);
            SSL_CTX_set_max_proto_version(m_ctx, TLS1_1_VERSION);
            SSL_CTX_use_certificate_chain_file(m_ctx, chain.c_str());
            SSL_CTX_use_PrivateKey_file(m_ctx, key.c_str(), SSL_FILETYPE_PEM);
        }
        m_thread = std::thread([this] { run(); });
    }
    ~FaultyServer()
    {
        m_stop = true;
        m_thread.join();
        for (int fd : m_held)
            ::close(fd);
        if (m_ctx)
            SSL_CTX_free(m_ctx);
    }
    int port() const { return m_listener.port; }
    int accepted() const { return m_accepted.load(); }

private:
    void run()
    {
        while (!m_stop) {
            const int fd = m_listener.acceptOne(100);
            if (fd < 0)
                continue;
            ++m_accepted;
            serve(fd);
        }
    }

    void serve(int fd)
    {
        if (m_fault == Fault::ResetAtOnce) {
            closeWithReset(fd);
            return;
        }
        PObject request;
        if (!tcp_transfer_test::readObject(fd, request)) {
            ::close(fd);
            return;
        }
        switch (m_fault) {
        case Fault::CloseAfterRequest:
            ::close(fd);
            return;
        case Fault::ResetAfterRequest:
            closeWithReset(fd);
            return;
        case Fault::Stall:
            m_held.push_back(fd);  // says nothing, closes at the end
            return;
        case Fault::OldTlsOnly: {
            PObject answer;
            answer["encrypted"] = true;
            tcp_transfer_test::writeObject(fd, answer);
            SSL* ssl = SSL_new(m_ctx);
            SSL_set_fd(ssl, fd);
            timeval wait{2, 0};
            setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof(wait));
            SSL_accept(ssl);  // fails: the client offers nothing this old
            SSL_free(ssl);
            ::close(fd);
            return;
        }
        default:
            ::close(fd);
            return;
        }
    }

    const Fault m_fault;
    tcp_transfer_test::Listener m_listener;
    SSL_CTX* m_ctx = nullptr;
    std::vector<int> m_held;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_accepted{0};
    std::thread m_thread;
};

class PeerConnectRetry : public testing::TestWithParam<Row> {
protected:
    PeerConnectRetry() : manager(new VardoCoreManagerImplLock), impl(nullptr, &manager)
    {
        qm_test::Credentials server = qm_test::makeServerCert("data.test", {"data.test"}, nullptr);
        server.writeFiles(dir.file("chain.pem"), dir.file("key.pem"));
        manager.setPeerSeed(kPeer, 0xABCDEF);
    }

    PeerConnection& addPeer(int port, bool encrypted)
    {
        impl.addPeer(kPeer, TRANSFER_SIDE_CLIENT, CM_AUTO, "127.0.0.1", port);
        PeerConnection* peer = impl.getPeerConnection(kPeer);
        peer->setClock([this] { return now; });
        peer->setEncrypted(encrypted);
        peer->setHandshakeTimeout(300);
        return *peer;
    }

    uint64_t addTask()
    {
        ResumeInfo task;
        task.peer_id = kPeer;
        task.command = C_PUSH;
        task.local_state = ResumeInfo::RI_WAITING;
        task.total = 1000;
        task.path_from = "/tmp/from";
        task.path_to = "/to";
        manager.updateInfo(task);
        return task.resume_id;
    }

    ResumeInfo task(uint64_t resume_id)
    {
        ResumeInfo found;
        manager.getResumeInfoFromResumeId(resume_id, found);
        return found;
    }

    // One tick of the service: the pool is adjusted, then the loop runs
    // until every connection it opened has ended (each fails quickly here).
    void tick(PeerConnection& peer)
    {
        peer.adjustTransfers();
        event_base* base = impl.getController()->getEventBase();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            bool open = false;
            for (TcpTransfer* transfer : peer.getTcpTransfers())
                open = open || !transfer->isAborted();
            if (!open || std::chrono::steady_clock::now() > until)
                break;
            event_base_loop(base, EVLOOP_ONCE | EVLOOP_NONBLOCK);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ++now;
    }

    uint32_t now = 1000000;
    qm_test::TempDir dir{"qm-connect-retry"};
    VardoCoreManager manager;
    TransferServiceImpl impl;
};

TEST_P(PeerConnectRetry, BacksOffAndFailsTheWaitingTaskWhenTheBudgetIsSpent)
{
    const Row row = GetParam();
    FaultyServer server(row.fault, dir.file("chain.pem"), dir.file("key.pem"));
    PeerConnection& peer = addPeer(server.port(), row.encrypted);
    const uint64_t id = addTask();

    const uint32_t started = now;
    int ticks = 0;
    while (task(id).local_state != ResumeInfo::RI_ERROR && ticks < 200) {
        tick(peer);
        ++ticks;
    }
    const ResumeInfo failed = task(id);
    ASSERT_EQ(ResumeInfo::RI_ERROR, failed.local_state) << "still waiting after " << ticks << " ticks, "
                                                         << server.accepted() << " connections";
    EXPECT_EQ(ProjectVardo::ERR_CONNECTION_LOST, failed.error);
    // One connection per use in each round, and a round per failure the
    // budget allows; the waits between rounds double up to their cap.
    const int rounds = TransferRetryBudget::kMaxStalledFailures;
    EXPECT_LE(server.accepted(), 3 * rounds);
    EXPECT_GE(server.accepted(), rounds);
    uint32_t backoff_total = 0;
    for (uint32_t wait = PeerConnection::kFirstBackoffSeconds, i = 1; i < static_cast<uint32_t>(rounds); ++i) {
        backoff_total += wait;
        wait = std::min(PeerConnection::kMaxBackoffSeconds, 2 * wait);
    }
    EXPECT_GE(now - started, backoff_total);

    // The engine keeps trying, slowly: a minute of ticks adds a handful of
    // connections, not one per use and tick.
    const int before = server.accepted();
    for (int i = 0; i < 60; ++i)
        tick(peer);
    EXPECT_LE(server.accepted() - before, 3 * (60 / static_cast<int>(PeerConnection::kMaxBackoffSeconds) + 1));
}

// A connection that works (here one past its handshake that stays up long
// enough to count) ends the backoff: the next attempt goes at once.
TEST_F(PeerConnectRetry, AWorkingLinkEndsTheBackoff)
{
    FaultyServer server(Fault::ResetAtOnce, dir.file("chain.pem"), dir.file("key.pem"));
    PeerConnection& peer = addPeer(server.port(), false);
    for (int i = 0; i < 3; ++i)
        tick(peer);
    peer.adjustTransfers();  // takes in the last round's failures
    ASSERT_GT(peer.connectBackoffLeft(), 0u);

    TcpTransfer* working = new TcpTransfer(impl.getController());
    working->setTransferSide(TRANSFER_SIDE_CLIENT);
    working->setPeerId(kPeer);
    working->setExpectedUse(TRANSFER_USE_REPORT);
    working->changeHelper(TRANSFER_USE_REPORT);
    peer.addTcpTransfer(working);
    std::this_thread::sleep_for(std::chrono::milliseconds(TcpTransfer::kProvenAfterMs + 100));
    ASSERT_TRUE(working->hasProvenLink());
    peer.adjustTransfers();
    EXPECT_EQ(0u, peer.connectBackoffLeft());
}

const Row kRows[] = {
    {"reset_on_accept", Fault::ResetAtOnce, false},
    {"close_after_request", Fault::CloseAfterRequest, false},
    {"reset_after_request", Fault::ResetAfterRequest, true},
    {"stall_after_request", Fault::Stall, false},
    {"tls_1_0_and_1_1_only", Fault::OldTlsOnly, true},
};

INSTANTIATE_TEST_SUITE_P(Faults, PeerConnectRetry, testing::ValuesIn(kRows),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

}  // namespace
