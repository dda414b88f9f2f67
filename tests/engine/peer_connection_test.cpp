#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/transfer_service_test_support.h"
#include "kavelin/peer-connection.h"
#include "kavelin/tcp-helper.h"
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

    // n tasks of the peer in the store; their resume ids.
    std::vector<uint64_t> addTasks(Command command, ResumeInfo::State state, size_t n)
    {
        std::vector<uint64_t> ids;
        for (size_t i = 0; i < n; ++i, ++files) {
            ResumeInfo task;
            task.peer_id = kPeer;
            task.command = command;
            task.local_state = state;
            task.total = 4096;
            task.path_from = "/share/f" + std::to_string(files);
            task.path_to = "/tmp/f" + std::to_string(files);
            manager.updateInfo(task);
            ids.push_back(task.resume_id);
        }
        return ids;
    }

    // A seed to take tasks with, and fd standing for the server.
    void connectToServer(TcpTransfer* sending, int fd)
    {
        uint64_t seed = 0;
        manager.setPeerSeed(kPeer, 0x5eed);
        ASSERT_TRUE(manager.takeTransferSeed(kPeer, seed));
        sending->setTransferSeed(seed);
        sending->getHelper()->setSocket(static_cast<cross::socket_t>(fd));
    }

    // The sending connection takes the next waiting task and writes its
    // header (a download's request) whole.
    static void sendNext(TcpTransfer* sending)
    {
        ASSERT_GT(sending->getHelper()->handleWrite(), 0);
        ASSERT_EQ(TRANSFER_DONE, sending->m_write_context.state);
    }

    static std::vector<TransferUse> expectedUses(const PeerConnection& peer)
    {
        std::vector<TransferUse> uses;
        for (TcpTransfer* transfer : peer.getTcpTransfers())
            uses.push_back(transfer->getExpectedUse());
        return uses;
    }

    uint32_t now = 1000000;
    int files = 0;
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

// A spare connection costs a handshake to open again: an idle sending or
// receiving one goes only after it has sat idle a while (counted from when it
// joined or was last busy), down to one of the use, or to none beside a busy
// sending one. A second report connection goes at once.
TEST_F(PeerConnectionTest, SpareIdleConnectionsGoOnlyAfterSittingIdle)
{
    struct Case {
        const char* name;
        TransferUse use;
        bool one_busy;  // a third connection of the use works on a task
        bool lingers;
        size_t idle_after;
    };
    const std::vector<Case> cases = {
        {"sending", TRANSFER_USE_ACTIVE, false, true, 1},
        {"receiving", TRANSFER_USE_PASSIVE, false, true, 1},
        {"report", TRANSFER_USE_REPORT, false, false, 1},
        // An idle sending connection holds no task, whatever the others do.
        {"sending beside a busy one", TRANSFER_USE_ACTIVE, true, true, 0},
        // The server may be about to send on an idle receiving connection.
        {"receiving beside a busy one", TRANSFER_USE_PASSIVE, true, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeerConnection& peer = addPeer();
        const uint32_t joined = now;
        TcpTransfer* first = fake(c.use, c.use);
        peer.addTcpTransfer(first);
        peer.addTcpTransfer(fake(c.use, c.use));
        TcpTransfer* busy = nullptr;
        if (c.one_busy) {
            busy = fake(c.use, c.use);
            makeBusy(busy);
            peer.addTcpTransfer(busy);
        }
        auto idleOfUse = [&] {
            size_t n = 0;
            for (TcpTransfer* transfer : peer.getTcpTransfers())
                n += transfer != busy && transfer->getTransferUse() == c.use ? 1 : 0;
            return n;
        };
        if (c.lingers) {
            now = joined + PeerConnection::kSpareIdleSeconds - 1;
            peer.adjustTransfers();
            EXPECT_EQ(2u, idleOfUse()) << "closed within " << PeerConnection::kSpareIdleSeconds << " s of joining";
            now = joined + PeerConnection::kSpareIdleSeconds;
        }
        peer.adjustTransfers();
        EXPECT_EQ(c.idle_after, idleOfUse());
        EXPECT_EQ(c.one_busy, std::count(peer.getTcpTransfers().begin(), peer.getTcpTransfers().end(), busy) == 1);
        if (c.idle_after > 0) {
            EXPECT_EQ(first, peer.getTcpTransfers().front()) << "the oldest stays";
        }
        impl.removePeerConnection(kPeer);
    }
}

// Idle time counts from the last tick that saw the connection busy.
TEST_F(PeerConnectionTest, ASpareLastBusyLateIsKeptLonger)
{
    PeerConnection& peer = addPeer();
    peer.addTcpTransfer(fake(TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE));
    TcpTransfer* spare = fake(TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE);
    peer.addTcpTransfer(spare);
    const uint32_t start = now;
    now = start + 5;
    spare->m_write_context.state = TRANSFER_HEADER;
    peer.adjustTransfers();
    spare->m_write_context.state = TRANSFER_DONE;
    now = start + 5 + PeerConnection::kSpareIdleSeconds - 1;
    peer.adjustTransfers();
    EXPECT_EQ(1, std::count(peer.getTcpTransfers().begin(), peer.getTcpTransfers().end(), spare));
    now = start + 5 + PeerConnection::kSpareIdleSeconds;
    peer.adjustTransfers();
    EXPECT_EQ(0, std::count(peer.getTcpTransfers().begin(), peer.getTcpTransfers().end(), spare));
}

// A receiving connection between two files looks idle, but the server may
// be sending a pulled file on it already: while any download of the peer
// is out, spare receiving connections stay however long they sit idle;
// once none is, they go.
TEST_F(PeerConnectionTest, ReceivingConnectionsStayWhileADownloadIsOut)
{
    PeerConnection& peer = addPeer();
    for (int i = 0; i < 3; ++i)
        peer.addTcpTransfer(fake(TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE));
    const uint64_t download = addTasks(C_PULL, ResumeInfo::RI_RUNNING, 1).front();

    auto receiving = [&] {
        size_t n = 0;
        for (TcpTransfer* transfer : peer.getTcpTransfers())
            n += transfer->getTransferUse() == TRANSFER_USE_PASSIVE ? 1 : 0;
        return n;
    };
    now += 10 * PeerConnection::kSpareIdleSeconds;
    peer.adjustTransfers();
    EXPECT_EQ(3u, receiving());

    PObject finished;
    finished["resume_id"] = static_cast<PObject::integer_type>(download);
    finished["local_state"] = static_cast<int32_t>(ResumeInfo::RI_WAITING);
    manager.updatePartialInfo(finished);
    peer.adjustTransfers();
    EXPECT_EQ(1u, receiving());
}

// A download asked for while the receiving connections sit quiet is asked
// for again after a while (the server may have lost its pull), no more often
// than that; while a receiving connection works, nothing is asked again.
TEST_F(PeerConnectionTest, QuietDownloadsAreAskedForAgain)
{
    PeerConnection& peer = addPeer();
    TcpTransfer* receiving = fake(TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE);
    peer.addTcpTransfer(receiving);
    const uint64_t download = addTasks(C_PULL, ResumeInfo::RI_RUNNING, 1).front();
    ResumeInfo task;
    ASSERT_TRUE(manager.getResumeInfoFromResumeId(download, task));
    task.token = 77;
    manager.updateInfo(task);
    auto state = [&] {
        ResumeInfo info;
        manager.getResumeInfoFromResumeId(download, info);
        return info.local_state;
    };
    auto askedFor = [&] {
        PObject running;
        running["resume_id"] = static_cast<PObject::integer_type>(download);
        running["local_state"] = static_cast<int32_t>(ResumeInfo::RI_RUNNING);
        manager.updatePartialInfo(running);
    };

    peer.adjustTransfers();
    now += PeerConnection::kQuietPullSeconds - 1;
    peer.adjustTransfers();
    EXPECT_EQ(ResumeInfo::RI_RUNNING, state());
    now += 1;
    peer.adjustTransfers();
    EXPECT_EQ(ResumeInfo::RI_WAITING, state());

    askedFor();
    now += 1;
    peer.adjustTransfers();
    EXPECT_EQ(ResumeInfo::RI_RUNNING, state()) << "asked again too soon";
    now += PeerConnection::kQuietPullSeconds;
    peer.adjustTransfers();
    EXPECT_EQ(ResumeInfo::RI_WAITING, state());

    askedFor();
    makeBusy(receiving);
    now += 10 * PeerConnection::kQuietPullSeconds;
    peer.adjustTransfers();
    EXPECT_EQ(ResumeInfo::RI_RUNNING, state());
}

// A sending connection that has sent its requests and waits for their
// files is busy but takes the next task itself, and so does one caught
// writing a small file: another opened then would only be closed again
// unused. Another goes out only while every sending connection has been
// writing one task since an earlier tick and tasks that may start wait.
TEST_F(PeerConnectionTest, AnotherSendingConnectionOnlyWhenWaitingTasksCanStart)
{
    enum Sending { kAwaiting, kWritingOne, kWritingAnotherEachTick };
    struct Case {
        const char* name;
        Sending sending;
        size_t running;
        size_t waiting;
        uint32_t cap;
        bool opens;
    };
    const std::vector<Case> cases = {
        {"requests out, the cap leaves room", kAwaiting, 0, 5, 10, false},
        {"writing one task, tasks wait under the cap", kWritingOne, 1, 2, 3, true},
        {"writing one task, the cap is reached", kWritingOne, 3, 2, 3, false},
        {"writing one task, nothing waits", kWritingOne, 1, 0, 3, false},
        {"writing another task at each tick", kWritingAnotherEachTick, 0, 5, 10, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeerConnection& peer = addPeer();
        peer.setMaxTransfer(static_cast<int>(c.cap));
        TcpTransfer* sending = fake(TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE);
        peer.addTcpTransfer(sending);
        peer.addTcpTransfer(fake(TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE));
        peer.addTcpTransfer(fake(TRANSFER_USE_REPORT, TRANSFER_USE_REPORT));
        peer.adjustTransfers();
        ASSERT_EQ(3u, peer.countTcpTransfers()) << "the pool is whole";

        std::vector<uint64_t> ids = addTasks(C_PUSH, ResumeInfo::RI_RUNNING, c.running);
        const std::vector<uint64_t> waiting = addTasks(C_PULL, ResumeInfo::RI_WAITING, c.waiting);
        ids.insert(ids.end(), waiting.begin(), waiting.end());
        int fds[2] = {-1, -1};
        ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, fds));
        connectToServer(sending, fds[0]);
        // Before each tick: a file taken and its header on the way out.
        auto writeAnother = [&] {
            sending->m_write_context.state = TRANSFER_DONE;
            sendNext(sending);
            sending->m_write_context.state = TRANSFER_HEADER;
        };
        if (c.sending == kAwaiting) {
            for (int i = 0; i < 3; ++i)
                sendNext(sending);
            ASSERT_FALSE(sending->isIdle()) << "the requested files are awaited";
        } else if (c.sending == kWritingOne) {
            makeBusy(sending);
        } else {
            writeAnother();
        }
        ++now;
        peer.adjustTransfers();
        EXPECT_EQ(3u, peer.countTcpTransfers()) << "a connection caught writing at one tick";
        if (c.sending == kWritingAnotherEachTick)
            writeAnother();
        ++now;
        peer.adjustTransfers();
        const std::vector<TransferUse> uses = expectedUses(peer);
        EXPECT_EQ(c.opens ? 2 : 1, std::count(uses.begin(), uses.end(), TRANSFER_USE_ACTIVE));
        EXPECT_EQ(c.opens ? 4u : 3u, uses.size());
        impl.removePeerConnection(kPeer);
        for (uint64_t id : ids)
            manager.removeInfo(id);
        ::close(fds[0]);
        ::close(fds[1]);
    }
}

// The server sends small files back to back on one receiving connection.
// Only when every busy one has been reading one file since an earlier tick
// is another opened, and only for a download beyond those they read, which
// waits at the server for a free connection.
TEST_F(PeerConnectionTest, AnotherReceivingConnectionOnlyForDownloadsTheBusyOnesCannotCarry)
{
    struct Case {
        const char* name;
        size_t busy;
        size_t downloads_out;
        bool opens;
    };
    const std::vector<Case> cases = {
        {"one busy, its download the only one out", 1, 1, false},
        {"two busy, two out", 2, 2, false},
        {"one busy, three out", 1, 3, true},
        {"two busy, three out", 2, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PeerConnection& peer = addPeer();
        peer.addTcpTransfer(fake(TRANSFER_USE_ACTIVE, TRANSFER_USE_ACTIVE));
        peer.addTcpTransfer(fake(TRANSFER_USE_REPORT, TRANSFER_USE_REPORT));
        for (size_t i = 0; i < c.busy; ++i) {
            TcpTransfer* receiving = fake(TRANSFER_USE_PASSIVE, TRANSFER_USE_PASSIVE);
            makeBusy(receiving);
            peer.addTcpTransfer(receiving);
        }
        const std::vector<uint64_t> ids = addTasks(C_PULL, ResumeInfo::RI_RUNNING, c.downloads_out);
        ++now;
        peer.adjustTransfers();
        EXPECT_EQ(2 + c.busy, peer.countTcpTransfers()) << "connections caught busy at one tick";
        ++now;
        peer.adjustTransfers();
        size_t opened = 0;
        for (TcpTransfer* transfer : peer.getTcpTransfers())
            opened += transfer->getTransferUse() == TRANSFER_USE_CLIENT_INIT ? 1 : 0;
        EXPECT_EQ(c.opens ? 1u : 0u, opened);
        if (c.opens) {
            EXPECT_EQ(TRANSFER_USE_PASSIVE, peer.getTcpTransfers().back()->getExpectedUse());
        }
        impl.removePeerConnection(kPeer);
        for (uint64_t id : ids)
            manager.removeInfo(id);
    }
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
    EXPECT_FALSE(impl.setSocketPeerId(12345, kUnknown));

    EXPECT_EQ(nullptr, impl.getPeerConnection(kUnknown));
    PObject dump;
    impl.debugTransferService(dump);
    EXPECT_TRUE(dump["05. peer_connection_table"].asArray().empty());
    EXPECT_TRUE(dump["04. wild_transfers"].asArray().empty());
}

} // namespace
