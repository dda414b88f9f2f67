// A data connection against a scripted peer on loopback: handshake refusals,
// the connect deadline, the report queue across an abort, bounded restarts.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <set>
#include <string>
#include <thread>

#include <event2/event.h>

#include "kavelin/tcp-helper.h"
#include "kavelin/tcp-passive-helper.h"
#include "kavelin/tcp-report-helper.h"
#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "psocket_stream.h"

namespace {

// The service core as far as one data connection needs it.
class TestController : public TransferController {
public:
    TestController() : m_manager(new VardoCoreManagerImplLock), m_base(event_base_new()) {}
    ~TestController() override { event_base_free(m_base); }

    VardoCoreManager* getManager() override { return &m_manager; }
    event_base* getEventBase() override { return m_base; }
    void pushReport(uint64_t, PObject& report) override
    {
        reports.emplace_back();
        reports.back().swap(report);
    }
    bool popReport(uint64_t, PObject& report) override
    {
        if (reports.empty())
            return false;
        report.swap(reports.front());
        reports.pop_front();
        return true;
    }
    void setSocketPeerId(cross::socket_t, uint64_t) override {}
    void controlPeerWrite(uint64_t, bool, TransferUse) override {}
    void adjustBandwidth(uint64_t, void*, BandwidthType, BandwidthAction) override {}
    uint64_t getUsTimeWait(uint64_t, void*, BandwidthType, uint64_t) override { return 0; }
    bool taskIsStillRunning(uint64_t, token_t) override { return false; }

    // Turns the loop until the condition holds; false after the time-out.
    bool pumpUntil(const std::function<bool()>& condition, int timeout_ms = 20000)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            timeval slice{0, 10000};
            event_base_loopexit(m_base, &slice);
            event_base_dispatch(m_base);
        }
        return true;
    }

    std::deque<PObject> reports;

private:
    VardoCoreManager m_manager;
    event_base* m_base;
};

struct Listener {
    explicit Listener(int backlog = 8)
    {
        fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
        ::listen(fd, backlog);
        socklen_t len = sizeof(addr);
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        port = ntohs(addr.sin_port);
    }
    ~Listener() { ::close(fd); }
    int acceptOne(int timeout_ms = 20000) const
    {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeout_ms) != 1)
            return -1;
        return ::accept(fd, nullptr, nullptr);
    }
    int fd;
    int port;
};

int connectTo(int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(static_cast<uint16_t>(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr));
    return fd;
}

// Blocking object I/O for the scripted peer.
bool readObject(int fd, PObject& out)
{
    PSocketStream stream;
    stream.SetSocket(fd);
    for (;;) {
        if (stream.GetNextAvailibleReceivedObject(out) == PSocketStream::ERR_OK)
            return true;
        if (stream.Recv(65536) != PSocketStream::ERR_OK)
            return false;
    }
}

bool writeObject(int fd, const PObject& object)
{
    PSocketStream stream;
    stream.SetSocket(fd);
    stream.SetSend(object);
    for (;;) {
        PSocketStream::ErrorCode r = stream.Send(65536);
        if (r == PSocketStream::ERR_OK)
            return true;
        if (r != PSocketStream::ERR_WOULD_BLOCK)
            return false;
    }
}

// Bytes the peer sent before it closed (-1 on a read error).
long drainUntilClosed(int fd)
{
    long total = 0;
    char buffer[4096];
    for (;;) {
        ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
        if (n == 0)
            return total;
        if (n < 0)
            return -1;
        total += n;
    }
}

TcpTransfer* clientTransfer(TestController& controller, uint64_t peer_id, bool encrypted)
{
    TcpTransfer* t = new TcpTransfer(&controller);
    t->setTransferSide(TRANSFER_SIDE_CLIENT);
    t->setPeerId(peer_id);
    t->setExpectedUse(TRANSFER_USE_ACTIVE);
    t->setEncrypted(encrypted);
    t->setCompressed(false);
    return t;
}

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

// A report connection accepted from a raw peer.
struct ReportLink {
    explicit ReportLink(TestController& controller) : transfer(new TcpTransfer(&controller))
    {
        transfer->setTransferSide(TRANSFER_SIDE_SERVER);
        transfer->setPeerId(1);
        peer = connectTo(listener.port);
        transfer->accept(listener.fd);
        transfer->changeHelper(TRANSFER_USE_REPORT);
    }
    ~ReportLink() { ::close(peer); }
    Listener listener;
    std::unique_ptr<TcpTransfer> transfer;
    int peer;
};

TEST(TcpReportRole, BatchCutByAnAbortGoesBackToTheQueue)
{
    TestController controller;
    const std::string pad(20000, 'x');
    for (uint64_t token = 1; token <= 250; ++token) {
        PObject report;
        report["token"] = token;
        report["status"] = "done";
        report["pad"] = pad;
        controller.reports.push_back(report);
    }
    ReportLink link(controller);
    int small = 4096;
    setsockopt(link.transfer->getSocket(), SOL_SOCKET, SO_SNDBUF, &small, sizeof(small));
    setsockopt(link.peer, SOL_SOCKET, SO_RCVBUF, &small, sizeof(small));
    // The first batch leaves the queue and stalls on the unread socket.
    ASSERT_TRUE(controller.pumpUntil([&] { return controller.reports.size() == 150; }));
    controller.pumpUntil([] { return false; }, 100);
    link.transfer->abort();

    std::set<uint64_t> tokens;
    for (const PObject& report : controller.reports)
        tokens.insert(report["token"].asUInt64());
    EXPECT_EQ(250u, tokens.size());
}

TEST(TcpReportRole, RefusedTokenRestartsATaskOnlyAFewTimes)
{
    TestController controller;
    VardoCoreManager& store = *controller.getManager();
    ResumeInfo task;
    task.peer_id = 1;
    task.command = C_PUSH;
    task.total = 10;
    task.path_from = "/nonexistent";
    store.updateInfo(task);

    ReportLink link(controller);
    for (int round = 0; round <= TcpReportHelper::kMaxTokenResets; ++round) {
        const token_t token = 1000 + static_cast<token_t>(round);
        ResumeInfo current;
        ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, current));
        current.token = token;
        current.local_state = ResumeInfo::RI_RUNNING;
        current.progress = 5;
        store.updateInfo(current);

        PObject header;
        header["command"] = static_cast<uint32_t>(C_REPORT);
        header["report"]["token"] = token;
        header["report"]["error_code"] = static_cast<uint32_t>(round % 2 ? 9 : 8);
        ASSERT_TRUE(writeObject(link.peer, header));
        ASSERT_TRUE(controller.pumpUntil([&] {
            ResumeInfo info;
            return store.getResumeInfoFromResumeId(task.resume_id, info) &&
                   (info.token != token || info.local_state == ResumeInfo::RI_ERROR);
        }));
        if (round == TcpReportHelper::kMaxTokenResets) {
            ResumeInfo info;
            store.getResumeInfoFromResumeId(task.resume_id, info);
            EXPECT_EQ(ResumeInfo::RI_ERROR, info.local_state);
        } else {
            ResumeInfo info;
            store.getResumeInfoFromResumeId(task.resume_id, info);
            EXPECT_EQ(ResumeInfo::RI_WAITING, info.local_state);
            EXPECT_EQ(0u, info.progress);
            EXPECT_EQ(ProjectVardo::ERR_OK, info.error);
        }
    }
    ResumeInfo last;
    ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, last));
    EXPECT_EQ(ResumeInfo::RI_ERROR, last.local_state);
    EXPECT_EQ(ProjectVardo::ERR_INVALID_TOKEN + (TcpReportHelper::kMaxTokenResets % 2),
              last.error);
}

TEST(TcpReportRole, FragmentsOutsideTheFileAreNotTrusted)
{
    TestController controller;
    VardoCoreManager& store = *controller.getManager();
    ResumeInfo task;
    task.peer_id = 1;
    task.command = C_PUSH;
    task.total = 100;
    task.token = 77;
    task.local_state = ResumeInfo::RI_RUNNING;
    store.updateInfo(task);

    ReportLink link(controller);
    PObject header;
    header["command"] = static_cast<uint32_t>(C_REPORT);
    PObject::array_type& reported = header["report"]["fragments"].asArray();
    const uint64_t ranges[][2] = {{0, 10}, {50, 40}, {90, 101}, {20, 30}, {~0ull - 5, ~0ull}};
    for (const auto& r : ranges) {
        PObject range;
        range["begin"] = r[0];
        range["end"] = r[1];
        reported.push_back(range);
    }
    reported.push_back(PObject("not a range"));
    header["report"]["token"] = static_cast<uint64_t>(77);
    ASSERT_TRUE(writeObject(link.peer, header));
    ASSERT_TRUE(controller.pumpUntil([&] {
        ResumeInfo info;
        return store.getResumeInfoFromResumeId(task.resume_id, info) && !info.fragments.empty();
    }));
    ResumeInfo info;
    ASSERT_TRUE(store.getResumeInfoFromResumeId(task.resume_id, info));
    const std::vector<FileFragment> expected = {{0, 10}, {20, 30}};
    EXPECT_EQ(expected, info.fragments);

    // A flood of ranges is cut to what is kept; the rest is simply sent again.
    PObject flood;
    for (uint64_t i = 0; i < 3 * TcpReportHelper::kMaxReportedFragments; ++i) {
        PObject range;
        range["begin"] = i;
        range["end"] = i + 1;
        flood.asArray().push_back(range);
    }
    EXPECT_EQ(TcpReportHelper::kMaxReportedFragments,
              TcpReportHelper::validFragments(flood, ~0ull).asArray().size());
    EXPECT_TRUE(TcpReportHelper::validFragments(PObject("x"), 10).asArray().empty());
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
