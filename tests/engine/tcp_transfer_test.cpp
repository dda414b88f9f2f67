// A data connection against a scripted peer on loopback: handshake refusals
// and exchanges, the handshake deadline, progress write-back, the receiving
// role on the client, and the step and size limits.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>

#include <event2/event.h>

#include "kavelin/tcp-active-helper.h"
#include "kavelin/tcp-helper.h"
#include "kavelin/tcp-passive-helper.h"
#include "kavelin/tcp-report-helper.h"
#include "kavelin/tcp-server-init-helper.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "lz4-processor.h"
#include "psocket_stream.h"
#include "engine/tcp_transfer_test_support.h"
#include "support/temp_dir.h"

namespace {

using namespace tcp_transfer_test;

TEST(TcpTransferHandshake, PeerWithoutSeedSendsNothing)
{
    TestController controller;
    Listener listener;
    std::unique_ptr<TcpTransfer> t(clientTransfer(controller, 5, false));
    ASSERT_EQ(0, t->connect("127.0.0.1", listener.port));
    int peer = listener.acceptOne();
    ASSERT_GE(peer, 0);
    ASSERT_TRUE(controller.pumpUntil([&] { return t->isAborted(); }));
    EXPECT_EQ(ProjectVardo::ERR_INVALID_SEED, t->getLastError());
    EXPECT_EQ(0, drainUntilClosed(peer));
    ::close(peer);
}

TEST(TcpTransferHandshake, TlsAnswerOnAPlainConnectionIsRefused)
{
    TestController controller;
    controller.getManager()->setPeerSeed(5, 0x1234567);
    Listener listener;
    std::unique_ptr<TcpTransfer> t(clientTransfer(controller, 5, false));
    ASSERT_EQ(0, t->connect("127.0.0.1", listener.port));

    PObject request;
    std::thread peer_side([&] {
        int peer = listener.acceptOne();
        if (peer < 0)
            return;
        readObject(peer, request);
        PObject answer;
        answer["encrypted"] = true;
        writeObject(peer, answer);
        drainUntilClosed(peer);
        ::close(peer);
    });
    const bool aborted = controller.pumpUntil([&] { return t->isAborted(); });
    peer_side.join();
    ASSERT_TRUE(aborted);
    EXPECT_EQ(0u, request["encrypted"].asUInt64());
    EXPECT_NE(0u, request["transfer_seed"].asUInt64());
    EXPECT_EQ(static_cast<uint64_t>(TRANSFER_USE_ACTIVE), request["transfer_use"].asUInt64());
}

// A connection that never finishes its handshake is given up, however it
// stalls, even though its peer puts it to use (wakes its writing) at once.
TEST(TcpTransferConnect, HandshakeThatNeverCompletesIsGivenUp)
{
    enum Stall { kNeverAccepted, kAcceptedButSilent };
    for (Stall stall : {kNeverAccepted, kAcceptedButSilent}) {
        SCOPED_TRACE(stall == kNeverAccepted ? "never accepted" : "accepted but silent");
        TestController controller;
        controller.getManager()->setPeerSeed(5, 0x1234567);
        // A listener that never accepts, its queue filled: further connects hang.
        Listener listener(0);
        std::vector<int> fillers;
        if (stall == kNeverAccepted) {
            for (int i = 0; i < 4; ++i) {
                int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
                sockaddr_in addr{};
                addr.sin_family = AF_INET;
                addr.sin_port = htons(static_cast<uint16_t>(listener.port));
                addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
                ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
                fillers.push_back(fd);
            }
        }
        std::unique_ptr<TcpTransfer> t(clientTransfer(controller, 5, false));
        t->setHandshakeTimeout(200);
        ASSERT_EQ(0, t->connect("127.0.0.1", listener.port));
        // What the peer connection does when it puts a new connection to use.
        t->setActivated(true);
        t->controlWrite(true, 0);
        int peer = stall == kAcceptedButSilent ? listener.acceptOne() : -1;
        EXPECT_TRUE(controller.pumpUntil([&] { return t->isAborted(); }));
        EXPECT_EQ(TRANSFER_USE_CLIENT_INIT, t->getTransferUse());
        if (peer >= 0)
            ::close(peer);
        for (int fd : fillers)
            ::close(fd);
    }
}

// The connecting end against a scripted accepting end: use request, answer,
// activation and nothing else; with compression the activation is the first
// compressed message.
TEST(TcpTransferHandshake, ConnectingEndExchangeIsRequestAnswerActivation)
{
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "lz4" : "plain");
        TestController controller;
        controller.getManager()->setPeerSeed(5, 0x1234567);
        Listener listener;
        std::unique_ptr<TcpTransfer> t(clientTransfer(controller, 5, false));
        t->setCompressed(compressed);
        t->setExpectedUse(TRANSFER_USE_REPORT);
        ASSERT_EQ(0, t->connect("127.0.0.1", listener.port));

        PObject request;
        PObject activation;
        bool activation_read = false;
        std::thread peer_side([&] {
            int peer = listener.acceptOne();
            if (peer < 0)
                return;
            readObject(peer, request);
            PObject answer;
            answer["encrypted"] = false;
            writeObject(peer, answer);
            LZ4Decompressor decompressor;
            PSocketStream stream;
            stream.SetSocket(peer);
            if (compressed) {
                decompressor.Initialize(65536);
                stream.SetDecompressor(&decompressor);
            }
            while (!activation_read) {
                if (stream.GetNextAvailibleReceivedObject(activation) == PSocketStream::ERR_OK)
                    activation_read = true;
                else if (stream.Recv(65536) != PSocketStream::ERR_OK)
                    break;
            }
            ::close(peer);
        });
        const bool switched = controller.pumpUntil([&] { return t->getTransferUse() == TRANSFER_USE_REPORT; });
        peer_side.join();
        ASSERT_TRUE(switched);
        EXPECT_EQ(static_cast<uint64_t>(C_SET_USE), request["command"].asUInt64());
        EXPECT_EQ(static_cast<uint64_t>(TRANSFER_USE_REPORT), request["transfer_use"].asUInt64());
        EXPECT_EQ(compressed ? 1u : 0u, request["compressed"].asUInt64());
        EXPECT_EQ(0u, request["encrypted"].asUInt64());
        EXPECT_EQ(t->getTransferSeed(), request["transfer_seed"].asUInt64());
        ASSERT_TRUE(activation_read);
        PObject expected;
        expected["activate"] = true;
        EXPECT_EQ(expected.toString(), activation.toString());
    }
}

// The accepting end of the handshake against a scripted connecting end.
TEST(TcpTransferHandshake, AcceptingEndMirrorsTheUseOrRefusesTheRequest)
{
    const uint64_t kPeerSeed = 0xABCDEF;
    const uint64_t kPeer = 9;
    struct Row {
        const char* name;
        uint64_t command;
        uint64_t use;
        bool known_seed;
        TransferUse expected;  // TRANSFER_USE_UNKNOWN: refused
        ProjectVardo::ErrorCode error;
    };
    const Row rows[] = {
        {"active becomes passive", C_SET_USE, TRANSFER_USE_ACTIVE, true, TRANSFER_USE_PASSIVE, ProjectVardo::ERR_OK},
        {"passive becomes active", C_SET_USE, TRANSFER_USE_PASSIVE, true, TRANSFER_USE_ACTIVE, ProjectVardo::ERR_OK},
        {"report stays report", C_SET_USE, TRANSFER_USE_REPORT, true, TRANSFER_USE_REPORT, ProjectVardo::ERR_OK},
        {"client init use", C_SET_USE, TRANSFER_USE_CLIENT_INIT, true, TRANSFER_USE_UNKNOWN, ProjectVardo::ERR_SYS},
        {"server init use", C_SET_USE, TRANSFER_USE_SERVER_INIT, true, TRANSFER_USE_UNKNOWN, ProjectVardo::ERR_SYS},
        {"use past the range", C_SET_USE, TRANSFER_USE_MAX, true, TRANSFER_USE_UNKNOWN, ProjectVardo::ERR_SYS},
        {"not a use request", C_REPORT, TRANSFER_USE_ACTIVE, true, TRANSFER_USE_UNKNOWN, ProjectVardo::ERR_SYS},
        {"unknown seed", C_SET_USE, TRANSFER_USE_ACTIVE, false, TRANSFER_USE_UNKNOWN, ProjectVardo::ERR_INVALID_SEED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TestController controller;
        controller.getManager()->setPeerSeed(kPeer, kPeerSeed);
        // The connecting end's store derives the same transfer seeds.
        VardoCoreManager other_end(new VardoCoreManagerImplLock);
        other_end.setPeerSeed(kPeer, row.known_seed ? kPeerSeed : kPeerSeed + 1);
        uint64_t seed = 0;
        ASSERT_TRUE(other_end.takeTransferSeed(kPeer, seed));

        Listener listener;
        int peer = connectTo(listener.port);
        std::unique_ptr<TcpTransfer> t(new TcpTransfer(&controller));
        t->setTransferSide(TRANSFER_SIDE_SERVER);
        ASSERT_EQ(0, t->accept(listener.fd));

        PObject request;
        request["transfer_seed"] = seed;
        request["command"] = row.command;
        request["transfer_use"] = row.use;
        request["encrypted"] = false;
        request["compressed"] = false;
        ASSERT_TRUE(writeObject(peer, request));
        if (row.expected == TRANSFER_USE_UNKNOWN) {
            ASSERT_TRUE(controller.pumpUntil([&] { return t->isAborted(); }));
            EXPECT_EQ(row.error, t->getLastError());
            EXPECT_EQ(0, drainUntilClosed(peer));  // nothing is written back
            ::close(peer);
            continue;
        }
        auto* init = dynamic_cast<TcpServerInitHelper*>(t->getHelper());
        ASSERT_NE(nullptr, init);
        ASSERT_TRUE(controller.pumpUntil([&] { return init->getState() == TcpHelper::INIT_ACTIVATE; }));
        EXPECT_EQ(kPeer, t->getPeerId());
        EXPECT_EQ(seed, t->getTransferSeed());
        PObject answer;
        ASSERT_TRUE(readObject(peer, answer));
        PObject expected_answer;
        expected_answer["encrypted"] = false;
        EXPECT_EQ(expected_answer.toString(), answer.toString());

        // Only the presence of "activate" counts.
        PObject activation;
        activation["activate"] = false;
        ASSERT_TRUE(writeObject(peer, activation));
        ASSERT_TRUE(controller.pumpUntil([&] { return t->getTransferUse() == row.expected; }));
        EXPECT_FALSE(t->isAborted());
        ::close(peer);
    }
}

TEST(TcpHelperProgress, RangesMergeAndReachTheStoreOnceASecond)
{
    TestController controller;
    VardoCoreManager& store = *controller.getManager();
    ResumeInfo task;
    task.peer_id = 1;
    task.command = C_PULL;
    task.total = 1000;
    store.updateInfo(task);

    TcpTransfer transfer(&controller);
    transfer.changeHelper(TRANSFER_USE_PASSIVE);
    TcpHelper* role = transfer.getHelper();
    role->getCachedResumeInfo().resume_id = task.resume_id;
    role->getCachedResumeInfo().temp_path = "/tmp/progress-test.vexofm";
    SocketStreamContext& context = transfer.m_read_context;
    auto stored = [&] {
        ResumeInfo info;
        store.getResumeInfoFromResumeId(task.resume_id, info);
        return info;
    };

    role->updateResumeInfoProgress(context, 100, 0, 100, true);
    role->updateResumeInfoProgress(context, 250, 100, 250, true);
    role->updateResumeInfoProgress(context, 500, 400, 500, true);
    EXPECT_EQ((std::vector<FileFragment>{{0, 250}, {400, 500}}), stored().fragments);
    EXPECT_EQ(500u, stored().progress);
    EXPECT_EQ("/tmp/progress-test.vexofm", std::string(stored().temp_path.c_str_utf8()));
    role->updateResumeInfoProgress(context, 480, 450, 480, true);
    EXPECT_EQ((std::vector<FileFragment>{{0, 250}, {400, 500}}), stored().fragments);
    role->updateResumeInfoProgress(context, 999, 300, 200, true);
    EXPECT_EQ(480u, role->getCachedResumeInfo().progress);
    EXPECT_EQ(480u, stored().progress);

    // Within one second only a forced update is published.
    bool same_second = false;
    for (int attempt = 0; attempt < 5 && !same_second; ++attempt) {
        role->updateResumeInfoProgress(context, 600, 500, 600, true);
        const time_t published = context.last_update_time;
        const uint64_t before = stored().progress;
        role->updateResumeInfoProgress(context, 700, 600, 700, false);
        const uint64_t after = stored().progress;
        same_second = time(nullptr) == published;
        if (same_second) {
            EXPECT_EQ(before, after);
            role->updateResumeInfoProgress(context, 800, 700, 800, true);
            EXPECT_EQ(800u, stored().progress);
            EXPECT_EQ((std::vector<FileFragment>{{0, 250}, {400, 800}}), stored().fragments);
        }
    }
    EXPECT_TRUE(same_second);
}

// The sending role starts a push where the receiver's holdings end, and asks
// the receiver first (a push of no bytes at the end of the file) when its
// word is missing: the last push broke, or the record has no hole but the
// receiver never said "done".
TEST(TcpActiveRole, PushStartsAtTheReceiversFirstHoleOrAsks)
{
    struct Exposed : TcpActiveHelper {
        using TcpActiveHelper::TcpActiveHelper;
        const PObject& header() const { return m_write_header; }
    };
    struct Row {
        const char* name;
        uint64_t command;
        uint64_t total;
        std::vector<FileFragment> fragments;
        int32_t error;
        uint64_t offset;
        uint64_t progress;  // what the last push handed to the link
    };
    const int32_t kIo = ProjectVardo::ERR_IO;
    const Row rows[] = {
        {"nothing held", C_PUSH, 1000, {}, 0, 0, 0},
        {"first hole", C_PUSH, 1000, {{0, 400}, {600, 1000}}, 0, 400, 0},
        {"no hole but no done", C_PUSH, 1000, {{0, 1000}}, 0, 1000, 0},
        {"last push broke", C_PUSH, 1000, {{0, 400}}, kIo, 1000, 0},
        {"last push broke, nothing known", C_PUSH, 1000, {}, kIo, 1000, 0},
        {"push cut by a pause", C_PUSH, 1000, {{0, 400}}, 0, 1000, 700},
        {"progress as confirmed", C_PUSH, 1000, {{0, 400}}, 0, 400, 400},
        {"empty file", C_PUSH, 0, {}, 0, 0, 0},
        // A download's record is this end's own holdings.
        {"download after a break", C_PULL, 1000, {{0, 400}}, kIo, 400, 0},
        {"download held whole", C_PULL, 1000, {{0, 1000}}, 0, 1000, 0},
    };
    TestController controller;
    TcpTransfer transfer(&controller);
    Exposed role(&transfer);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ResumeInfo info;
        info.token = 77;
        info.command = static_cast<Command>(row.command);
        info.total = row.total;
        info.fragments = row.fragments;
        info.error = row.error;
        info.progress = row.progress;
        role.makeWriteObjects(info);
        EXPECT_EQ(row.offset, role.header()["offset"].asUInt64());
        EXPECT_EQ(row.total - row.offset, role.header()["length"].asUInt64());
    }
}

// The receiving role on the client: a push for one of our downloads lands in
// the task's temporary file and is renamed when the file is whole, or is
// reported as fragments when a hole remains; other headers are refused.
TEST(TcpPassiveRole, PushedRegionsCompleteOrReportTheirHoles)
{
    const uint64_t kPeer = 5;
    const uint64_t kMtime = 1500000000123456ull;
    struct Row {
        const char* name;
        uint64_t held_end;   // the temporary file already holds [0, held_end)
        uint64_t offset;     // the pushed region: [offset, 1000)
        uint64_t command;
        bool paused;
        bool done;           // renamed and reported "done"
        bool lost;           // the temporary file is gone with its folder
    };
    const Row rows[] = {
        {"whole file", 0, 0, C_PUSH, false, true, false},
        {"resumed after the held bytes", 600, 600, C_PUSH, false, true, false},
        {"region past a hole", 400, 600, C_PUSH, false, false, false},
        {"temporary file lost", 600, 600, C_PUSH, false, false, true},
        {"paused task", 0, 0, C_PUSH, true, false, false},
        {"not a file header", 0, 0, C_REPORT, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        qm_test::TempDir dir("passive-role");
        std::string content(1000, '\0');
        for (size_t i = 0; i < content.size(); ++i)
            content[i] = static_cast<char>('a' + i % 26);
        ASSERT_TRUE(qm_test::writeFile(dir.file("source"), content));
        const std::string destination = dir.file("sub dir/d\xc3\xa9st");

        TestController controller;
        VardoCoreManager& store = *controller.getManager();
        store.setPeerSeed(kPeer, 0x1234567);
        uint64_t seed = 0;
        ASSERT_TRUE(store.takeTransferSeed(kPeer, seed));
        ResumeInfo task;
        task.peer_id = kPeer;
        task.command = C_PULL;
        task.total = 1000;
        task.path_from = "/share/source";
        task.path_to = destination;
        if (row.held_end > 0) {
            std::filesystem::create_directory(dir.file("sub dir"));
            task.temp_path = destination + "-held.vexofm";
            ASSERT_TRUE(qm_test::writeFile(task.temp_path.c_str_utf8(), content.substr(0, row.held_end)));
            task.fragments.push_back({0, row.held_end});
            if (row.lost)
                std::filesystem::remove_all(dir.file("sub dir"));
        }
        store.updateInfo(task);
        ResumeInfo running;
        ASSERT_TRUE(store.getNextWaitingInfo(seed, 1, running));
        if (row.paused) {
            running.local_state = ResumeInfo::RI_PAUSED;
            store.updateInfo(running);
        }

        Listener listener;
        int peer = connectTo(listener.port);
        std::unique_ptr<TcpTransfer> t(new TcpTransfer(&controller));
        t->setTransferSide(TRANSFER_SIDE_CLIENT);
        t->setPeerId(kPeer);
        t->setExpectedUse(TRANSFER_USE_PASSIVE);
        ASSERT_EQ(0, t->accept(listener.fd));
        t->changeHelper(TRANSFER_USE_PASSIVE);

        PObject header;
        header["token"] = static_cast<uint64_t>(running.token);
        header["command"] = row.command;
        header["mtime"] = kMtime;
        header["offset"] = row.offset;
        header["length"] = 1000 - row.offset;
        header["ea_size"] = 0u;
        header["path"] = "/elsewhere/not-the-destination";
        header["from_path"] = "/share/source";
        ASSERT_TRUE(writeObject(peer, header));
        PObject::binary_type region;
        region.offset = row.offset;
        region.length = 1000 - row.offset;
        region.path = dir.file("source");
        PObject file;
        file["file"]["data"] = region;
        ASSERT_TRUE(writeObject(peer, file));

        if (row.command != C_PUSH) {
            ASSERT_TRUE(controller.pumpUntil([&] { return t->isAborted(); }));
            EXPECT_EQ(ProjectVardo::ERR_SYS, t->getLastError());
            ::close(peer);
            continue;
        }
        ASSERT_TRUE(controller.pumpUntil([&] { return !controller.reports.empty(); }));
        const PObject report = controller.reports.front();
        EXPECT_EQ(running.token, report["token"].asUInt64());
        EXPECT_FALSE(qm_test::readFile("/elsewhere/not-the-destination").size());
        if (row.paused) {
            EXPECT_EQ(static_cast<uint64_t>(ProjectVardo::ERR_JOB_PAUSED), report["error_code"].asUInt64());
            // The connection stays for the next header; the refused file's
            // bytes were dropped, not written anywhere.
            ASSERT_TRUE(controller.pumpUntil([&] { return !t->hasMoreToRead(); }));
            EXPECT_FALSE(t->isAborted());
            EXPECT_EQ(1u, std::distance(std::filesystem::directory_iterator(dir.path()),
                                        std::filesystem::directory_iterator()));
            ResumeInfo info;
            ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, info));
            EXPECT_EQ(ResumeInfo::RI_PAUSED, info.local_state);
        } else if (row.done) {
            EXPECT_EQ("done", report["status"].asString());
            EXPECT_EQ(content, qm_test::readFile(destination));
            struct stat st;
            ASSERT_EQ(0, ::stat(destination.c_str(), &st));
            EXPECT_EQ(kMtime / 1000000, static_cast<uint64_t>(st.st_mtim.tv_sec));
            std::vector<ResumeInfo> done;
            store.consumeDoneTasks(done);
            ASSERT_EQ(1u, done.size());
            EXPECT_EQ(ResumeInfo::RI_DONE, done[0].local_state);
        } else {
            // What is held is reported; the missing part is asked for again.
            const std::vector<FileFragment> expected =
                row.lost ? std::vector<FileFragment>{{600, 1000}}
                         : std::vector<FileFragment>{{0, row.held_end}, {600, 1000}};
            std::vector<FileFragment> reported;
            for (const PObject& range : report["fragments"].asArray())
                reported.push_back({range["begin"].asUInt64(), range["end"].asUInt64()});
            EXPECT_EQ(expected, reported);
            EXPECT_EQ("", qm_test::readFile(destination));
            ResumeInfo info;
            ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, info));
            EXPECT_EQ(ResumeInfo::RI_RUNNING, info.local_state);
            const std::string held_bytes = qm_test::readFile(info.temp_path.c_str_utf8());
            ASSERT_EQ(1000u, held_bytes.size());
            EXPECT_EQ(content.substr(600), held_bytes.substr(600));
            EXPECT_EQ(content.substr(0, row.lost ? 0 : row.held_end), held_bytes.substr(0, row.lost ? 0 : row.held_end));
        }
        ::close(peer);
    }
}

TEST(TransferLimits, StepSizeNeverTruncates)
{
    struct Row {
        uint64_t max_speed_kib;
        uint64_t step;
    };
    const Row rows[] = {
        {0, 65536},
        {100, 102400},
        {4194304, 4294967296ull},            // 4 GiB/s: 0 in 32 bits
        {4194305, 4294968320ull},
        {UINT64_MAX, SIZE_MAX},               // saturates instead of wrapping
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.step, transferStepSize(row.max_speed_kib)) << row.max_speed_kib;
}

TEST(TransferLimits, FatTakesFilesUpToItsMaximum)
{
    EXPECT_TRUE(TcpPassiveHelper::fitsOnVolume(4294967294ull, true));
    EXPECT_TRUE(TcpPassiveHelper::fitsOnVolume(4294967295ull, true));
    EXPECT_FALSE(TcpPassiveHelper::fitsOnVolume(4294967296ull, true));
    EXPECT_TRUE(TcpPassiveHelper::fitsOnVolume(1ull << 40, false));
}

}  // namespace

namespace {

// The bytes of one object on the wire.
std::string wireBytes(const PObject& object)
{
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0)
        return std::string();
    std::string bytes;
    std::thread reader([&] {
        char buffer[65536];
        ssize_t n;
        while ((n = ::read(pair[1], buffer, sizeof(buffer))) > 0)
            bytes.append(buffer, static_cast<size_t>(n));
    });
    PSocketStream stream;
    cross::socket_t fd = pair[0];
    stream.SetSocket(fd);
    stream.SetSend(object);
    PSocketStream::ErrorCode r;
    while ((r = stream.Send(65536)) == PSocketStream::ERR_WOULD_BLOCK) {
    }
    stream.ClearState();
    shutdown(pair[0], SHUT_WR);
    reader.join();
    ::close(pair[0]);
    ::close(pair[1]);
    return r == PSocketStream::ERR_OK ? bytes : std::string();
}

}  // namespace

// A download cut by a reset in the middle of the file: what reached the
// temporary file is recorded in the store at once, and only that, so the
// next request starts right after it and no missing byte passes for held.
TEST(TcpPassiveRole, ResetMidFileRecordsWhatIsInTheFile)
{
    const uint64_t kPeer = 5;
    const uint64_t kTotal = 1000000;
    qm_test::TempDir dir("passive-cut");
    std::string content(kTotal, '\0');
    for (size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>(i * 131 % 251 + 1);
    ASSERT_TRUE(qm_test::writeFile(dir.file("source"), content));

    TestController controller;
    VardoCoreManager& store = *controller.getManager();
    store.setPeerSeed(kPeer, 0x7654321);
    uint64_t seed = 0;
    ASSERT_TRUE(store.takeTransferSeed(kPeer, seed));
    ResumeInfo task;
    task.peer_id = kPeer;
    task.command = C_PULL;
    task.path_from = "/share/source";
    task.path_to = dir.file("dest");
    store.updateInfo(task);
    ResumeInfo running;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 1, running));

    Listener listener;
    int peer = connectTo(listener.port);
    std::unique_ptr<TcpTransfer> t(new TcpTransfer(&controller));
    t->setTransferSide(TRANSFER_SIDE_CLIENT);
    t->setPeerId(kPeer);
    t->setExpectedUse(TRANSFER_USE_PASSIVE);
    ASSERT_EQ(0, t->accept(listener.fd));
    t->changeHelper(TRANSFER_USE_PASSIVE);

    PObject header;
    header["token"] = static_cast<uint64_t>(running.token);
    header["command"] = static_cast<uint32_t>(C_PUSH);
    header["mtime"] = 0u;
    header["offset"] = 0u;
    header["length"] = kTotal;
    header["ea_size"] = 0u;
    header["path"] = "/share/source";
    header["from_path"] = "/share/source";
    ASSERT_TRUE(writeObject(peer, header));
    PObject::binary_type region;
    region.offset = 0;
    region.length = kTotal;
    region.path = dir.file("source");
    PObject file;
    file["file"]["data"] = region;
    const std::string bytes = wireBytes(file);
    ASSERT_GT(bytes.size(), kTotal);
    // A third of the file and then a reset, mid-block.
    const size_t cut = 333333;
    ASSERT_EQ(static_cast<ssize_t>(cut), ::send(peer, bytes.data(), cut, MSG_NOSIGNAL));
    ASSERT_TRUE(controller.pumpUntil([&] {
        ResumeInfo info;
        return store.getResumeInfoFromResumeId(task.resume_id, info) && !info.temp_path.empty();
    }));
    linger hard{1, 0};
    setsockopt(peer, SOL_SOCKET, SO_LINGER, &hard, sizeof(hard));
    ::close(peer);
    ASSERT_TRUE(controller.pumpUntil([&] { return t->isAborted(); }));

    ResumeInfo info;
    ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, info));
    EXPECT_EQ(ResumeInfo::RI_WAITING, info.local_state);
    EXPECT_EQ(ProjectVardo::ERR_IO, info.error);
    ASSERT_EQ(1u, info.fragments.size());
    const uint64_t held = info.fragments[0].end;
    EXPECT_EQ(0u, info.fragments[0].begin);
    // Everything that arrived is held, not just the last full block or the
    // last once-a-second update.
    EXPECT_GT(held, cut - 1000);
    EXPECT_LT(held, cut);
    EXPECT_EQ(held, info.progress);
    const std::string in_file = qm_test::readFile(info.temp_path.c_str_utf8());
    ASSERT_GE(in_file.size(), held);
    EXPECT_TRUE(in_file.compare(0, held, content, 0, held) == 0);
    // The client asks again itself: no report goes to the server.
    EXPECT_TRUE(controller.reports.empty());
}
