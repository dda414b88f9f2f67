#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/transfer_service_test_support.h"
#include "kavelin/peer-connection.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/transfer-service-impl.h"

namespace {

const uint64_t kPeer = 5;

// A service core without a loop thread: the test calls the tick itself.
// Fake connections are real data connections without a socket, put straight
// into a role, so the pool logic sees every state it sorts by.
class PeerConnectionTest : public testing::Test {
protected:
    PeerConnectionTest() : manager(new VardoCoreManagerImplLock), impl(nullptr, &manager) {}

    PeerConnection& addPeer(TransferSide side = TRANSFER_SIDE_CLIENT)
    {
        impl.addPeer(kPeer, side, CM_AUTO, "127.0.0.1", server.port());
        PeerConnection* peer = impl.getPeerConnection(kPeer);
        peer->setClock([this] { return now; });
        return *peer;
    }

    TcpTransfer* fake(TransferUse use, TransferUse expected, bool encrypted = false)
    {
        TcpTransfer* transfer = new TcpTransfer(impl.getController());
        transfer->setTransferSide(TRANSFER_SIDE_CLIENT);
        transfer->setPeerId(kPeer);
        transfer->setEncrypted(encrypted);
        transfer->setCompressed(false);
        transfer->setExpectedUse(expected);
        transfer->changeHelper(use);
        return transfer;
    }

    // A sending connection in the middle of a header, a receiving one in the
    // middle of a file.
    static void makeBusy(TcpTransfer* transfer)
    {
        if (transfer->getTransferUse() == TRANSFER_USE_ACTIVE)
            transfer->m_write_context.state = TRANSFER_HEADER;
        else
            transfer->m_read_context.state = TRANSFER_FILE;
        ASSERT_FALSE(transfer->isIdle());
    }

    static std::vector<TransferUse> expectedUses(const PeerConnection& peer)
    {
        std::vector<TransferUse> uses;
        for (TcpTransfer* transfer : peer.getTcpTransfers())
            uses.push_back(transfer->getExpectedUse());
        return uses;
    }

    uint32_t now = 1000000;
    SilentListener server;
    VardoCoreManager manager;
    TransferServiceImpl impl;
};

TEST_F(PeerConnectionTest, NewPeerOpensOneConnectionPerUseAndWaitsForTheirHandshakes)
{
    PeerConnection& peer = addPeer();
    peer.adjustTransfers();
    EXPECT_EQ((std::vector<TransferUse>{TRANSFER_USE_ACTIVE, TRANSFER_USE_PASSIVE, TRANSFER_USE_REPORT}),
              expectedUses(peer));
    for (TcpTransfer* transfer : peer.getTcpTransfers())
        EXPECT_TRUE(transfer->isActivated());
    // The handshakes never finish here: later ticks must not pile up more.
    for (int tick = 0; tick < 5; ++tick)
        peer.adjustTransfers();
    EXPECT_EQ(3u, peer.countTcpTransfers());
}

TEST_F(PeerConnectionTest, NoMoreThanFifteenConnectionsPerPeer)
{
    struct Case {
        size_t existing;
        size_t after_tick;
    };
    for (const Case& c : {Case{14, 15}, Case{15, 15}}) {
        SCOPED_TRACE(c.existing);
        PeerConnection& peer = addPeer();
        // Report connections still in their handshake: no use is idle.
        for (size_t i = 0; i < c.existing; ++i)
            peer.addTcpTransfer(fake(TRANSFER_USE_CLIENT_INIT, TRANSFER_USE_REPORT));
        peer.adjustTransfers();
        EXPECT_EQ(c.after_tick, peer.countTcpTransfers());
        impl.removePeerConnection(kPeer);
    }
}

TEST_F(PeerConnectionTest, SurplusIdleConnectionsAreClosedDownToOne)
{
    struct Case {
        const char* name;
        TransferUse use;
        bool one_busy;  // a third connection of the use is busy with a task
        size_t idle_after;
    };
    const std::vector<Case> cases = {
        {"sending", TRANSFER_USE_ACTIVE, false, 1},
        {"receiving", TRANSFER_USE_PASSIVE, false, 1},
        {"report", TRANSFER_USE_REPORT, false, 1},
        // While one connection of the use works, the idle ones are kept.
        {"sending beside a busy one", TRANSFER_USE_ACTIVE, true, 2},
        {"receiving beside a busy one", TRANSFER_USE_PASSIVE, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeerConnection& peer = addPeer();
        TcpTransfer* first = fake(c.use, c.use);
        peer.addTcpTransfer(first);
        peer.addTcpTransfer(fake(c.use, c.use));
        TcpTransfer* busy = nullptr;
        if (c.one_busy) {
            busy = fake(c.use, c.use);
            makeBusy(busy);
            peer.addTcpTransfer(busy);
        }
        peer.adjustTransfers();
        size_t idle_of_use = 0;
        bool busy_kept = false;
        for (TcpTransfer* transfer : peer.getTcpTransfers()) {
            if (transfer == busy)
                busy_kept = true;
            else if (transfer->getTransferUse() == c.use)
                ++idle_of_use;
        }
        EXPECT_EQ(c.idle_after, idle_of_use);
        EXPECT_EQ(c.one_busy, busy_kept);
        EXPECT_EQ(first, peer.getTcpTransfers().front()) << "the oldest stays";
        impl.removePeerConnection(kPeer);
    }
}

// A receiving connection between two files looks idle, but the server may
// be sending a pulled file on it already: while any download of the peer
// is out, surplus receiving connections stay; once none is, they go.
TEST_F(PeerConnectionTest, ReceivingConnectionsStayWhileADownloadIsOut)
{
    PeerConnection& peer = addPeer();
    for (int i = 0; i < 3; ++i)
        peer.addTcpTransfer(fake(TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE));
    ResumeInfo download;
    download.peer_id = kPeer;
    download.command = C_PULL;
    download.local_state = ResumeInfo::RI_RUNNING;
    download.total = 4096;
    download.path_from = "/share/f";
    download.path_to = "/tmp/f";
    manager.updateInfo(download);

    auto receiving = [&] {
        size_t n = 0;
        for (TcpTransfer* transfer : peer.getTcpTransfers())
            n += transfer->getTransferUse() == TRANSFER_USE_PASSIVE ? 1 : 0;
        return n;
    };
    peer.adjustTransfers();
    EXPECT_EQ(3u, receiving());

    PObject finished;
    finished["resume_id"] = static_cast<PObject::integer_type>(download.resume_id);
    finished["local_state"] = static_cast<int32_t>(ResumeInfo::RI_WAITING);
    manager.updatePartialInfo(finished);
    peer.adjustTransfers();
    EXPECT_EQ(1u, receiving());
}

TEST_F(PeerConnectionTest, ReadyOnlyWithIdleSendingReceivingAndReport)
{
    struct Case {
        const char* name;
        std::vector<std::pair<TransferUse, TransferUse>> connections;
        bool ready;
        bool busy;  // the sending and receiving connections work on tasks
    };
    const std::vector<Case> cases = {
        {"all three", {{TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE}, {TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE},
                       {TRANSFER_USE_REPORT, TRANSFER_USE_REPORT}}, true, false},
        {"report in its handshake", {{TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE},
                                     {TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE},
                                     {TRANSFER_USE_CLIENT_INIT, TRANSFER_USE_REPORT}}, false, false},
        {"no receiving connection", {{TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE},
                                     {TRANSFER_USE_REPORT, TRANSFER_USE_REPORT}}, false, false},
        {"nothing", {}, false, false},
        {"sending and receiving busy", {{TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE},
                                        {TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE},
                                        {TRANSFER_USE_REPORT, TRANSFER_USE_REPORT}}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeerConnection& peer = addPeer();
        for (const auto& connection : c.connections) {
            TcpTransfer* transfer = fake(connection.first, connection.second);
            if (c.busy && connection.first != TRANSFER_USE_REPORT)
                makeBusy(transfer);
            peer.addTcpTransfer(transfer);
        }
        EXPECT_EQ(c.ready, peer.checkConnection());
        impl.removePeerConnection(kPeer);
    }
}

TEST_F(PeerConnectionTest, DisconnectedOnlyAfterAMinuteWithoutIdleConnectionOrTraffic)
{
    int transfer_id;
    struct Case {
        const char* name;
        bool idle_connection;
        bool traffic;
        uint32_t seconds;
        bool disconnected;
    };
    const std::vector<Case> cases = {
        {"quiet for a minute", false, false, 60, false},
        {"quiet for longer", false, false, 61, true},
        // Every connection busy, but bytes keep moving.
        {"busy with traffic", false, true, 120, false},
        {"idle connection", true, false, 120, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeerConnection& peer = addPeer();
        if (c.idle_connection)
            peer.addTcpTransfer(fake(TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE));
        peer.adjustBandwidth(&transfer_id, BT_WRITE, BA_REG);
        for (uint32_t elapsed = 0; elapsed < c.seconds; elapsed += 20) {
            now += 20;
            if (c.traffic)
                peer.getUsTimeWait(&transfer_id, BT_WRITE, 65536);
            if (c.idle_connection)
                peer.checkConnection();
        }
        now += c.seconds % 20;
        EXPECT_EQ(c.disconnected, peer.isDisconnected());
        impl.removePeerConnection(kPeer);
    }
}

TEST_F(PeerConnectionTest, SwitchingEncryptionRebuildsThePool)
{
    PeerConnection& peer = addPeer();
    peer.addTcpTransfer(fake(TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE));
    peer.addTcpTransfer(fake(TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE));
    peer.setEncrypted(true);
    peer.checkTransfers();
    EXPECT_EQ((std::vector<TransferUse>{TRANSFER_USE_ACTIVE, TRANSFER_USE_PASSIVE, TRANSFER_USE_REPORT}),
              expectedUses(peer));
    for (TcpTransfer* transfer : peer.getTcpTransfers()) {
        EXPECT_TRUE(transfer->isEncrypted());
        EXPECT_EQ(TRANSFER_USE_CLIENT_INIT, transfer->getTransferUse());
    }
}

TEST_F(PeerConnectionTest, ReportsLeaveInTheOrderTheyCame)
{
    PeerConnection& peer = addPeer();
    PObject report;
    report["token"] = 11u;
    peer.pushReport(report);
    EXPECT_TRUE(report.isNull());
    peer.reportAbort(12, true);
    peer.reportAbort(13, false);

    PObject out;
    ASSERT_TRUE(peer.popReport(out));
    EXPECT_EQ(11u, out["token"].asUInt64());
    ASSERT_TRUE(peer.popReport(out));
    EXPECT_TRUE(out["pause"].asBool());
    EXPECT_EQ(12u, out["token"].asUInt64());
    ASSERT_TRUE(peer.popReport(out));
    EXPECT_TRUE(out["abort"].asBool());
    EXPECT_FALSE(out.hasMember("pause"));
    EXPECT_FALSE(peer.popReport(out));
    EXPECT_EQ(13u, out["token"].asUInt64()) << "an empty queue leaves the argument alone";
}

TEST_F(PeerConnectionTest, EffectiveLimitsBySide)
{
    struct Case {
        const char* name;
        TransferSide side;
        uint64_t local, shared, effective;
    };
    const std::vector<Case> cases = {
        {"server: the smaller", TRANSFER_SIDE_SERVER, 500, 300, 300},
        {"server: no local limit", TRANSFER_SIDE_SERVER, 0, 300, 300},
        {"server: no share", TRANSFER_SIDE_SERVER, 500, 0, 500},
        {"client ignores the share", TRANSFER_SIDE_CLIENT, 500, 300, 500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeerConnection& peer = addPeer(c.side);
        peer.setLocalSpeedLimit(c.local, c.local);
        peer.setSharedSpeedLimit(c.shared, c.shared);
        EXPECT_EQ(c.effective, peer.getOutputLimit());
        EXPECT_EQ(c.effective, peer.getInputLimit());
        EXPECT_EQ(c.effective, peer.getBandwidth(BT_WRITE).getMaxKBps());
        EXPECT_EQ(c.effective, peer.getBandwidth(BT_READ).getMaxKBps());
        impl.removePeerConnection(kPeer);
    }
}

TEST_F(PeerConnectionTest, EveryTaskCountsAsRunningUntilTheMethodIsTcp)
{
    PeerConnection& peer = addPeer();
    EXPECT_TRUE(peer.taskIsStillRunning(77));
    peer.adjustTransfers();
    EXPECT_EQ(CM_TCP, peer.getConnectMethod());
    EXPECT_FALSE(peer.taskIsStillRunning(77));
}

// The other end sends a download's pull header as soon as its handshake is
// done; a sending connection that waited for the tick to be put to use would
// hold every such request up to a second.
TEST_F(PeerConnectionTest, AcceptedConnectionsArePutToUseWhenTheyJoin)
{
    PeerConnection& peer = addPeer(TRANSFER_SIDE_SERVER);
    TcpTransfer* handshaking = fake(TRANSFER_USE_SERVER_INIT, TRANSFER_USE_ACTIVE);
    TcpTransfer* sending = fake(TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE);
    peer.addTcpTransfer(handshaking);
    peer.addTcpTransfer(sending);
    EXPECT_TRUE(handshaking->isActivated());
    EXPECT_TRUE(sending->isActivated());
}

TEST_F(PeerConnectionTest, ServerSidePeersShareTheSystemLimit)
{
    impl.addPeer(1, TRANSFER_SIDE_SERVER, CM_TCP, "", 0);
    impl.addPeer(2, TRANSFER_SIDE_CLIENT, CM_TCP, "", 0);
    EXPECT_EQ(1u, impl.getRateController()->countRegistered());
    impl.removeAllConnections();
    EXPECT_EQ(0u, impl.getRateController()->countRegistered());
}

// The task store always holds the disconnected peers of the last tick: an
// empty list included, and a peer for as long as it stays disconnected.
TEST_F(PeerConnectionTest, EveryTickHandsTheDisconnectedPeersToTheTaskStore)
{
    std::vector<uint64_t> stale = {42};
    manager.setDisconnectedPeers(stale);
    std::vector<uint64_t> peers;
    impl.adjustPeerConnectionTransfers();
    ASSERT_TRUE(manager.getDisconnectedPeers(peers));
    EXPECT_TRUE(peers.empty());

    addPeer();  // its connections never finish their handshakes
    impl.adjustPeerConnectionTransfers();
    manager.getDisconnectedPeers(peers);
    EXPECT_TRUE(peers.empty());
    now += PeerConnection::kDisconnectSeconds + 1;
    for (int tick = 0; tick < 2; ++tick) {
        impl.adjustPeerConnectionTransfers();
        manager.getDisconnectedPeers(peers);
        EXPECT_EQ(std::vector<uint64_t>{kPeer}, peers) << "tick " << tick;
    }
    EXPECT_NE(nullptr, impl.getPeerConnection(kPeer)) << "a disconnected peer stays in the table";

    impl.removePeerConnection(kPeer);
    impl.adjustPeerConnectionTransfers();
    manager.getDisconnectedPeers(peers);
    EXPECT_TRUE(peers.empty());
}

// Calls for a peer the service does not know give neutral results and never
// create the peer.
TEST_F(PeerConnectionTest, CallsForAnUnknownPeerChangeNothing)
{
    const uint64_t kUnknown = 99;
    int transfer_id;
    PObject report;
    report["token"] = 5u;
    PObject kept = report;

    EXPECT_EQ(0u, impl.getUsTimeWait(kUnknown, &transfer_id, BT_WRITE, 1 << 20));
    EXPECT_FALSE(impl.popReport(kUnknown, report));
    EXPECT_EQ(kept, report) << "the argument is left alone";
    EXPECT_FALSE(impl.taskIsStillRunning(kUnknown, 5));
    impl.pushReport(kUnknown, report);
    impl.controlPeerWrite(kUnknown, true, TRANSFER_USE_ACTIVE);
    impl.adjustBandwidth(kUnknown, &transfer_id, BT_READ, BA_REG);
    impl.removePeerConnection(kUnknown);
    impl.setSocketPeerId(12345, kUnknown);

    EXPECT_EQ(nullptr, impl.getPeerConnection(kUnknown));
    PObject dump;
    impl.debugTransferService(dump);
    EXPECT_TRUE(dump["05. peer_connection_table"].asArray().empty());
    EXPECT_TRUE(dump["04. wild_transfers"].asArray().empty());
}

} // namespace
