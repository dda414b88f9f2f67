#include <gtest/gtest.h>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <set>
#include <thread>
#include <vector>

#include "engine/transfer_service_test_support.h"
#include "kavelin/error-code.h"
#include "kavelin/transfer-service-ipc.h"

namespace {

const uint64_t kPeer = 7;

class TransferServiceTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(0, engine.service.init(TRANSFER_SIDE_CLIENT, 3363));
        ASSERT_EQ(0, engine.service.startService());
    }
    void TearDown() override { EXPECT_EQ(0, engine.service.stopService()); }

    void addPeer(uint64_t peer_id, int port)
    {
        ASSERT_EQ(0, engine.service.addPeer(peer_id, TRANSFER_SIDE_CLIENT, CM_TCP, "127.0.0.1", port));
    }

    Engine engine;
    SilentListener server;
};

TEST_F(TransferServiceTest, ClientSideDumpShowsOnlyTheControlListener)
{
    EXPECT_GE(engine.port(), 1024);
    PObject dump = engine.dump();
    EXPECT_FALSE(dump.hasMember("success"));
    EXPECT_FALSE(dump.hasMember("error"));
    EXPECT_EQ("client", dump["01. m_side"].asString());
    EXPECT_EQ(0xFFFFFFFFull, dump["02. accepter_socket"]["TCP"].asUInt64());
    EXPECT_TRUE(dump["04. wild_transfers"].asArray().empty());
    EXPECT_TRUE(dump["05. peer_connection_table"].asArray().empty());

    // The static form to the same port gives the same answer.
    PObject again;
    EXPECT_EQ(0, TransferService::debugTransferService(engine.port(), again));
    EXPECT_EQ(dump["03. control_socket"], again["03. control_socket"]);
}

// Exclusive binds: a second engine never shares the first one's port. (It
// need not take a higher one: engines of other test processes free lower
// ports at any time.)
TEST_F(TransferServiceTest, ASecondEngineTakesAnotherPort)
{
    Engine other;
    ASSERT_EQ(0, other.service.init(TRANSFER_SIDE_CLIENT, 0));
    EXPECT_GE(other.port(), 1024);
    EXPECT_NE(other.port(), engine.port());
}

TEST_F(TransferServiceTest, PeerCommandsChangeThePeerTable)
{
    addPeer(kPeer, server.port());
    // A second add_peer keeps the first address; reconnect_peer replaces it.
    ASSERT_EQ(0, engine.service.addPeer(kPeer, TRANSFER_SIDE_CLIENT, CM_TCP, "127.0.0.2", 1));
    PObject peer = engine.peer(kPeer);
    EXPECT_EQ("127.0.0.1", peer["04. m_ip"].asString());
    EXPECT_EQ(server.port(), static_cast<int>(peer["05. m_port"].asInteger()));
    EXPECT_EQ("client", peer["02. m_side"].asString());
    EXPECT_EQ(3u, peer["06. m_max_transfers"].asUInt64());
    EXPECT_EQ(1500u, peer["17. m_mtu"].asUInt64());

    ASSERT_EQ(0, engine.service.setPeer(kPeer, 5, 100, 200, 999, 999, true, true, "AB:CD"));
    ASSERT_EQ(0, engine.service.setPeerMtu(kPeer, 1400));
    peer = engine.peer(kPeer);
    EXPECT_EQ(5u, peer["06. m_max_transfers"].asUInt64());
    EXPECT_EQ(100u, peer["07. m_local_max_output"].asUInt64());
    EXPECT_EQ(200u, peer["08. m_local_max_input"].asUInt64());
    EXPECT_TRUE(peer["15. m_encrypted"].asBool());
    EXPECT_TRUE(peer["16. m_compressed"].asBool());
    EXPECT_EQ(1400u, peer["17. m_mtu"].asUInt64());

    PObject reconnect = TransferServiceIpc::reconnectPeerCommand(kPeer, TRANSFER_SIDE_CLIENT, CM_TCP, "127.0.0.1", 9);
    ASSERT_EQ(0, TransferService::sendCommand(engine.port(), reconnect));
    peer = engine.peer(kPeer);
    EXPECT_EQ(9, static_cast<int>(peer["05. m_port"].asInteger()));
    EXPECT_EQ(3u, peer["06. m_max_transfers"].asUInt64()) << "settings are not carried over";

    // Settings for a peer the engine does not know change nothing.
    ASSERT_EQ(0, engine.service.setPeerMtu(99, 1000));
    ASSERT_EQ(0, engine.service.notifyNew(99));
    EXPECT_EQ(1u, engine.dump()["05. peer_connection_table"].asArray().size());

    PObject answer;
    PObject remove = TransferServiceIpc::removePeerCommand(kPeer, false);
    ASSERT_EQ(0, TransferService::sendCommand(engine.port(), remove, answer));
    EXPECT_EQ(1u, answer["success"].asUInt64());
    EXPECT_TRUE(engine.peer(kPeer).isNull());
}

TEST_F(TransferServiceTest, RemovePeerTellsTheTaskStore)
{
    struct Case {
        const char* name;
        bool remove_info;
    };
    for (const Case& c : {Case{"keep tasks", false}, Case{"drop tasks", true}}) {
        SCOPED_TRACE(c.name);
        addPeer(kPeer, server.port());
        uint64_t waiting = engine.addTask(kPeer);
        uint64_t paused = engine.addTask(kPeer, ResumeInfo::RI_PAUSED);
        ASSERT_EQ(0, engine.service.removePeer(kPeer, c.remove_info));
        engine.dump();  // the engine serves connections in order
        std::vector<ResumeInfo> done;
        engine.manager.consumeDoneTasks(done);
        if (c.remove_info) {
            EXPECT_EQ(2u, done.size());
            EXPECT_EQ(0u, engine.task(waiting).resume_id);
        } else {
            EXPECT_TRUE(done.empty());
            EXPECT_EQ(ResumeInfo::RI_ERROR, engine.task(waiting).local_state);
            EXPECT_EQ(ResumeInfo::RI_PAUSED, engine.task(paused).local_state);
            EXPECT_EQ(ProjectVardo::ERR_CONNECTION_LOST, engine.task(waiting).error);
            EXPECT_EQ(ProjectVardo::ERR_CONNECTION_LOST, engine.task(paused).error);
            engine.manager.removePeer(kPeer);
            engine.manager.consumeDoneTasks(done);
        }
    }
}

TEST_F(TransferServiceTest, AnswersOfWaitingCommands)
{
    addPeer(kPeer, server.port());
    struct Case {
        const char* name;
        PObject cmd;
        int result;
        const char* error;  // expected "error" of the answer, or null
    };
    PObject no_action;
    no_action["peer_id"] = static_cast<PObject::integer_type>(kPeer);
    PObject empty_action = TransferServiceIpc::notifyNewCommand(kPeer);
    empty_action["action"] = "";
    PObject unknown = TransferServiceIpc::notifyNewCommand(kPeer);
    unknown["action"] = "format_disk";
    const std::vector<Case> cases = {
        {"unknown peer is not ready", TransferServiceIpc::checkConnectionCommand(99), -1, "Data channel not ready"},
        {"peer still in its handshakes", TransferServiceIpc::checkConnectionCommand(kPeer), -1,
         "Data channel not ready"},
        {"a command that is not answered", TransferServiceIpc::notifyNewCommand(kPeer), -1, nullptr},
        {"unknown action", unknown, -1, nullptr},
        {"no action", no_action, -1, nullptr},
        {"empty action", empty_action, -1, nullptr},
        {"set_bandwidth is accepted", TransferServiceIpc::setTotalBandwidthCommand(100, 200), -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PObject cmd = c.cmd;
        PObject answer;
        EXPECT_EQ(c.result, TransferService::sendCommand(engine.port(), cmd, answer));
        if (c.error)
            EXPECT_EQ(c.error, answer["error"].asString());
        else
            EXPECT_TRUE(answer.isNull());
    }
    EXPECT_EQ(-1, engine.service.checkConnection(kPeer));
    EXPECT_EQ(1u, engine.dump()["05. peer_connection_table"].asArray().size());
}

TEST_F(TransferServiceTest, UpdateTaskStatusActsOnTheUserAction)
{
    addPeer(kPeer, server.port());
    const uint64_t kLonePeer = 8;  // has tasks but no peer connection

    uint64_t start_connected = engine.addTask(kPeer, ResumeInfo::RI_ERROR);
    engine.setTask(start_connected, "user_action", ResumeInfo::UA_START);
    uint64_t start_lone = engine.addTask(kLonePeer, ResumeInfo::RI_PAUSED);
    engine.setTask(start_lone, "user_action", ResumeInfo::UA_START);
    uint64_t start_running = engine.addTask(kPeer, ResumeInfo::RI_RUNNING);
    engine.setTask(start_running, "user_action", ResumeInfo::UA_START);
    uint64_t pause = engine.addTask(kPeer);
    engine.setTask(pause, "user_action", ResumeInfo::UA_PAUSE);
    uint64_t abort = engine.addTask(kPeer);
    engine.setTask(abort, "user_action", ResumeInfo::UA_ABORT);

    for (uint64_t id : {start_connected, start_lone, start_running, pause, abort, uint64_t(424242)})
        ASSERT_EQ(0, engine.service.updateTaskStatus(id));
    PObject peer = engine.peer(kPeer);

    ResumeInfo task = engine.task(start_connected);
    EXPECT_EQ(ResumeInfo::RI_WAITING, task.local_state);
    EXPECT_EQ(ResumeInfo::RI_WAITING, task.remote_state);
    EXPECT_EQ(ProjectVardo::ERR_OK, task.error);
    EXPECT_EQ(ResumeInfo::UA_NONE, task.user_action);

    task = engine.task(start_lone);
    EXPECT_EQ(ResumeInfo::RI_ERROR, task.local_state);
    EXPECT_EQ(ProjectVardo::ERR_CONNECTION_LOST, task.error);
    EXPECT_EQ(ResumeInfo::UA_NONE, task.user_action);

    task = engine.task(start_running);
    EXPECT_EQ(ResumeInfo::RI_RUNNING, task.local_state);
    EXPECT_EQ(ResumeInfo::UA_NONE, task.user_action);

    task = engine.task(pause);
    EXPECT_EQ(ResumeInfo::RI_PAUSED, task.local_state);
    EXPECT_EQ(ResumeInfo::UA_NONE, task.user_action);

    EXPECT_EQ(0u, engine.task(abort).resume_id);
    std::vector<ResumeInfo> done;
    engine.manager.consumeDoneTasks(done);
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(abort, done[0].resume_id);

    // Tasks without a token abort nothing, but the other side still hears of
    // the pause and the abort, in that order.
    const PObject::array_type& reports = peer["21. report_queue"].asArray();
    ASSERT_EQ(2u, reports.size());
    EXPECT_TRUE(reports[0]["pause"].asBool());
    EXPECT_EQ(0u, reports[0]["token"].asUInt64());
    EXPECT_TRUE(reports[1]["abort"].asBool());
}

// A local client that connects and says nothing must not hold the loop:
// the engine drops it and goes on serving others.
TEST_F(TransferServiceTest, SilentCommandConnectionIsDropped)
{
    int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(engine.port()));
    ASSERT_EQ(0, ::connect(silent, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)));

    PObject dump;
    EXPECT_EQ(0, engine.service.debugTransferService(dump));

    // The engine closed the silent connection. The bound is generous: the
    // engine's own limit is a couple of seconds, the channel's a minute.
    pollfd pfd{silent, POLLIN, 0};
    ASSERT_EQ(1, ::poll(&pfd, 1, 30000));
    char byte;
    EXPECT_EQ(0, ::recv(silent, &byte, 1, 0));
    ::close(silent);
}

TEST_F(TransferServiceTest, CommandWithAFileValueIsRefusedWithoutWritingIt)
{
    namespace fs = std::filesystem;
    auto listing = [] {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(fs::current_path()))
            names.insert(entry.path().filename().string());
        return names;
    };
    const std::set<std::string> before = listing();

    int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(engine.port()));
    ASSERT_EQ(0, ::connect(sock, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)));
    // {"action": <file value announcing 1 TiB>} followed by some of its bytes.
    std::string bytes("\x42\x10\x00\x06" "action" "\x30\x00\x00\x01\x00\x00\x00\x00\x00", 20);
    bytes += std::string(64 * 1024, 'x');
    ASSERT_EQ(static_cast<ssize_t>(bytes.size()), ::send(sock, bytes.data(), bytes.size(), MSG_NOSIGNAL));

    // The engine drops the connection at the file tag instead of reading on.
    pollfd pfd{sock, POLLIN, 0};
    ASSERT_EQ(1, ::poll(&pfd, 1, 30000));
    char byte;
    EXPECT_LE(::recv(sock, &byte, 1, 0), 0);
    ::close(sock);

    PObject dump;
    EXPECT_EQ(0, engine.service.debugTransferService(dump)) << "the engine still takes commands";
    EXPECT_EQ(before, listing()) << "no file was written for the refused value";
}

TEST_F(TransferServiceTest, CommandsFromManyThreadsWhileTheLoopRuns)
{
    const int kThreads = 6;
    const int kRounds = 15;
    std::atomic<int> failures(0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            uint64_t peer_id = 100 + t;
            for (int round = 0; round < kRounds; ++round) {
                if (engine.service.addPeer(peer_id, TRANSFER_SIDE_CLIENT, CM_TCP, "127.0.0.1", server.port()) != 0)
                    ++failures;
                if (engine.service.setPeer(peer_id, round + 1, 0, 0, 0, 0, false, false, "") != 0)
                    ++failures;
                if (engine.service.notifyNew(peer_id) != 0)
                    ++failures;
                PObject dump;
                if (engine.service.debugTransferService(dump) != 0)
                    ++failures;
                if (engine.service.checkConnection(peer_id) != -1)
                    ++failures;
                if (round % 5 == 4 && engine.service.removePeer(peer_id, false) != 0)
                    ++failures;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(0, failures.load());
    EXPECT_TRUE(engine.dump()["05. peer_connection_table"].asArray().empty());
}

// Polls a condition the engine's thread brings about (no signal tells of
// it); false when it still does not hold at the deadline, so that a fault
// fails the test instead of hanging it.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// The process's thread count once it has dropped to at most `expected`. A
// joined thread may still be listed for a moment after the join returns, so
// the count is given time to settle; a leaked thread never goes.
#if defined(__SANITIZE_THREAD__)
const int kSanitizerThreads = 1;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
const int kSanitizerThreads = 1;
#else
const int kSanitizerThreads = 0;
#endif
#else
const int kSanitizerThreads = 0;
#endif

int settledThreads(int expected)
{
    int count = 0;
    for (int attempt = 0; attempt < 2000; ++attempt) {
        count = countProcEntries("/proc/self/task");
        if (count <= expected)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return count;
}

TEST(TransferServiceLifecycleTest, StartAndStopLeaveNothingBehind)
{
    SilentListener server;
    // Before any engine ran: only the threads the process always has.
    const int threads_before = countProcEntries("/proc/self/task");
    // Warm up once: libraries allocate their lasting descriptors on first use,
    // and a thread sanitizer starts its own lasting thread with the first
    // thread of the process.
    {
        Engine engine;
        ASSERT_EQ(0, engine.service.init(TRANSFER_SIDE_CLIENT, 0));
        ASSERT_EQ(0, engine.service.startService());
        ASSERT_EQ(0, engine.service.stopService());
    }
    const int fds = countProcEntries("/proc/self/fd");
    const int threads = settledThreads(threads_before + kSanitizerThreads);
    ASSERT_LE(threads, threads_before + kSanitizerThreads) << "the first engine left threads behind";
    for (int round = 0; round < 20; ++round) {
        Engine engine;
        ASSERT_EQ(0, engine.service.init(TRANSFER_SIDE_CLIENT, 0));
        ASSERT_EQ(0, engine.service.startService());
        EXPECT_TRUE(engine.service.isServiceRunning());
        if (round % 2 == 1) {
            // A peer with data connections in their handshakes.
            ASSERT_EQ(0, engine.service.addPeer(kPeer, TRANSFER_SIDE_CLIENT, CM_TCP, "127.0.0.1", server.port()));
            engine.dump();
        }
        // Even rounds stop right after the start, before the thread's first slice.
        ASSERT_EQ(0, engine.service.stopService());
        EXPECT_FALSE(engine.service.isServiceRunning());
        // The listener stays until the engine is destroyed: the backlog takes
        // a command nobody will handle.
        EXPECT_EQ(0, engine.service.notifyNew(kPeer));
    }
    EXPECT_EQ(fds, countProcEntries("/proc/self/fd"));
    EXPECT_EQ(threads, settledThreads(threads));
}

// The stop asks the engine to drop every peer before the thread ends; the
// data connections are closed then, not when the engine is destroyed.
TEST(TransferServiceLifecycleTest, StopClosesEveryDataConnection)
{
    SilentListener server;
    Engine engine;
    ASSERT_EQ(0, engine.service.init(TRANSFER_SIDE_CLIENT, 0));
    ASSERT_EQ(0, engine.service.startService());
    const int fds_running = countProcEntries("/proc/self/fd");
    // With a seed the connections wait in their handshakes, which the server never answers.
    ASSERT_TRUE(engine.manager.setPeerSeed(kPeer, 0x5eed));
    ASSERT_EQ(0, engine.service.addPeer(kPeer, TRANSFER_SIDE_CLIENT, CM_TCP, "127.0.0.1", server.port()));
    // The first tick opens the peer's connections.
    auto opened = [&] {
        size_t open = 0;
        const PObject peer = engine.peer(kPeer);
        for (const PObject& transfer : peer["20. m_tcp_transfers"].asArray())
            if (!transfer["05. m_abort"].asBool())
                ++open;
        return open;
    };
    ASSERT_TRUE(eventually([&] { return opened() >= 3; })) << opened() << " connections open";
    // At least: the engine may not yet have closed its end of the last command.
    EXPECT_GE(countProcEntries("/proc/self/fd"), fds_running + 3);
    ASSERT_EQ(0, engine.service.stopService());
    EXPECT_EQ(fds_running, countProcEntries("/proc/self/fd"));
}

TEST(TransferServiceLifecycleTest, StopWithoutStartAndCommandsWithoutListener)
{
    Engine engine;
    EXPECT_EQ(0, engine.service.stopService());
    EXPECT_EQ(0, engine.port());
    // Nothing listens: every sender fails at once.
    EXPECT_EQ(-1, engine.service.notifyNew(kPeer));
    EXPECT_EQ(-1, TransferService::notifyNew(-1, kPeer));
    PObject dump;
    EXPECT_EQ(-1, engine.service.debugTransferService(dump));
    // Nothing listens on the local domain socket on this platform either.
    EXPECT_EQ(-1, TransferServiceIpc::notifyNew(kPeer));
    EXPECT_EQ(-1, TransferServiceIpc::reconnectPeer(kPeer, TRANSFER_SIDE_SERVER, CM_TCP, "127.0.0.1", 1));
    EXPECT_EQ(-1, TransferServiceIpc::debugTransferService(dump));
}

// Opens the data listener on a port that was free a moment ago; another
// process may take it in between, so a few are tried. The port, or -1.
int initServerOnFreePort(Engine& engine)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        int port;
        {
            SilentListener probe;
            port = probe.port();
        }
        if (engine.service.init(TRANSFER_SIDE_SERVER, port) == 0)
            return port;
    }
    return -1;
}

TEST(TransferServiceLifecycleTest, ServerSideListensForIPv4AndFailsOnATakenPort)
{
    SilentListener taken;  // IPv4 only, but the port is taken for "::" too
    {
        Engine engine;
        EXPECT_EQ(-1, engine.service.init(TRANSFER_SIDE_SERVER, taken.port()));
        EXPECT_EQ(0, engine.port());
    }

    const int fds = countProcEntries("/proc/self/fd");
    int client = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    {
    Engine engine;
    const int data_port = initServerOnFreePort(engine);
    ASSERT_NE(-1, data_port);
    ASSERT_EQ(0, engine.service.startService());
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(data_port));
    ASSERT_EQ(0, ::connect(client, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)));
    PObject dump;
    // The accept runs on the loop; ask until it shows.
    for (int i = 0; i < 100 && dump["04. wild_transfers"].asArray().empty(); ++i)
        dump = engine.dump();
    EXPECT_EQ("server", dump["01. m_side"].asString());
    EXPECT_NE(0xFFFFFFFFull, dump["02. accepter_socket"]["TCP"].asUInt64());
    EXPECT_EQ(1u, dump["04. wild_transfers"].asArray().size());

    // Connections that close at once are aborted before their handshake; a
    // new one may then be accepted on the same descriptor before the sweep.
    for (int i = 0; i < 20; ++i) {
        int brief = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_EQ(0, ::connect(brief, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)));
        ::close(brief);
        engine.dump();
    }
    // Once every client is gone their connections abort, and a tick sweeps them.
    ::close(client);
    client = -1;
    ASSERT_TRUE(eventually([&] { return engine.dump()["04. wild_transfers"].asArray().empty(); }));
    EXPECT_EQ(0, engine.service.stopService());
    // The engine goes with a connection never bound to a peer still open.
    }
    if (client >= 0)
        ::close(client);
    EXPECT_EQ(fds, countProcEntries("/proc/self/fd"));
}

// A client opens its sending, receiving and report connections at once, and
// many clients may do so together: connects that find the listener's queue
// full are dropped and retried by the client's TCP only a second later. A
// burst must wait in the backlog while the loop is busy (here: not running).
TEST(TransferServiceLifecycleTest, ABurstOfDataConnectsWaitsInTheBacklog)
{
    Engine engine;
    const int data_port = initServerOnFreePort(engine);
    ASSERT_NE(-1, data_port);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(data_port));
    std::vector<pollfd> connects;
    for (int i = 0; i < 8; ++i) {
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        ASSERT_GE(fd, 0);
        int r = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        ASSERT_TRUE(r == 0 || errno == EINPROGRESS);
        connects.push_back({fd, POLLOUT, 0});
    }
    // A dropped connect stays pending far longer than this bound.
    size_t done = 0;
    while (done < connects.size()) {
        int ready = ::poll(connects.data(), connects.size(), 20000);
        ASSERT_GT(ready, 0) << done << " of " << connects.size() << " connects completed";
        done = 0;
        for (pollfd& entry : connects) {
            if (entry.revents & POLLOUT) {
                entry.events = 0;
                ++done;
            }
        }
    }
    for (const pollfd& entry : connects) {
        int error = -1;
        socklen_t length = sizeof(error);
        EXPECT_EQ(0, ::getsockopt(entry.fd, SOL_SOCKET, SO_ERROR, &error, &length));
        EXPECT_EQ(0, error);
        ::close(entry.fd);
    }
}

// The epoll descriptors of the process, by number.
std::set<int> epollDescriptors()
{
    std::set<int> found;
    for (int fd = 0; fd < 1024; ++fd) {
        char link[64], target[64];
        snprintf(link, sizeof(link), "/proc/self/fd/%d", fd);
        ssize_t n = readlink(link, target, sizeof(target) - 1);
        if (n > 0) {
            target[n] = 0;
            if (std::string(target).find("eventpoll") != std::string::npos)
                found.insert(fd);
        }
    }
    return found;
}

// Listening TCP sockets of this process that accept on the given port.
int listenersOnPort(int port)
{
    int count = 0;
    for (int fd = 0; fd < 1024; ++fd) {
        int accepting = 0;
        socklen_t length = sizeof(accepting);
        sockaddr_in addr{};
        socklen_t addr_length = sizeof(addr);
        if (getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &accepting, &length) == 0 && accepting &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &addr_length) == 0 &&
            addr.sin_family == AF_INET && ntohs(addr.sin_port) == port)
            ++count;
    }
    return count;
}

// When the event loop itself fails, the service thread ends, its command
// port is closed, later commands fail without a connection (another
// process's engine may bind the freed port at once) and a stop does not wait
// for an answer that cannot come.
TEST(TransferServiceLifecycleTest, FailedLoopEndsTheThreadWithoutStallingTheStop)
{
    std::set<int> before = epollDescriptors();
    Engine engine;
    std::set<int> after = epollDescriptors();
    int loop_fd = -1;
    for (int fd : after)
        if (!before.count(fd))
            loop_fd = fd;
    ASSERT_NE(-1, loop_fd);
    ASSERT_EQ(0, engine.service.init(TRANSFER_SIDE_CLIENT, 0));
    ASSERT_EQ(0, engine.service.startService());
    const int port = engine.port();
    ASSERT_EQ(1, listenersOnPort(port));

    // Replace the loop's epoll descriptor by one it cannot wait on.
    int null_fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(loop_fd, ::dup2(null_fd, loop_fd));
    ::close(null_fd);
    ASSERT_TRUE(eventually([&] { return !engine.service.isServiceRunning(); }));

    EXPECT_EQ(0, listenersOnPort(port));
    // The freed port may already be another engine's: commands are not sent.
    EXPECT_EQ(-1, engine.port());
    EXPECT_EQ(-1, engine.service.notifyNew(kPeer));

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(0, engine.service.stopService());
    // Generous: a stop that waited for an answer would take a minute.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
}

} // namespace
