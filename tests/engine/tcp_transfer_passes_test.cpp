// How a data connection paces its passes: file steps run several to a wake-up
// while the socket has bytes and no limit asks to wait, one per wake-up under
// a limit, and a sender whose peer stops reading waits for the socket instead
// of spinning.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <sys/socket.h>
#include <time.h>
#include <string>
#include <thread>

#include "kavelin/tcp-transfer.h"
#include "kavelin/vardo-core-manager.h"
#include "engine/tcp_transfer_test_support.h"
#include "protocol/pobject.h"
#include "support/temp_dir.h"

namespace {

using namespace tcp_transfer_test;

const uint64_t kPeer = 5;

// Counts the steps the rate control is told of, and answers every one with
// the same wait.
class PacedController : public TestController {
public:
    uint64_t getUsTimeWait(uint64_t, void*, BandwidthType, uint64_t bytes) override
    {
        if (bytes > 0)
            ++steps;
        return wait_us;
    }
    uint64_t wait_us = 0;
    int steps = 0;
};

// Counts the wake-ups of each direction.
class CountingTransfer : public TcpTransfer {
public:
    using TcpTransfer::TcpTransfer;
    int handleRead() override
    {
        ++reads;
        return TcpTransfer::handleRead();
    }
    int handleWrite() override
    {
        ++writes;
        return TcpTransfer::handleWrite();
    }
    int reads = 0;
    int writes = 0;
};

std::string patternedContent(size_t size)
{
    std::string content(size, '\0');
    uint32_t x = 12345;
    for (char& c : content) {
        x = x * 1103515245u + 12345u;
        c = static_cast<char>(x >> 24);
    }
    return content;
}

// A download task of this end, running, with its token.
ResumeInfo runningDownload(VardoCoreManager& store, uint64_t total, const std::string& destination)
{
    store.setPeerSeed(kPeer, 0x1234567);
    uint64_t seed = 0;
    EXPECT_TRUE(store.takeTransferSeed(kPeer, seed));
    ResumeInfo task;
    task.peer_id = kPeer;
    task.command = C_PULL;
    task.total = total;
    task.path_from = "/share/source";
    task.path_to = destination;
    store.updateInfo(task);
    ResumeInfo running;
    EXPECT_TRUE(store.getNextWaitingInfo(seed, 1, running));
    return running;
}

// The peer pushes a file to a receiving connection of this end; returns the
// received file's content once the task is reported done.
struct PushCase {
    const char* name;
    uint64_t wait_us;   // what the rate control answers every step
    bool several;       // some wake-up must have run more than one step
};

class ReceivingPasses : public testing::TestWithParam<PushCase> {};

TEST_P(ReceivingPasses, FileArrivesWholeAndStepsFollowTheRateControl)
{
    const PushCase& c = GetParam();
    const size_t kSize = 6u << 20;
    qm_test::TempDir dir("passes");
    const std::string content = patternedContent(kSize);
    ASSERT_TRUE(qm_test::writeFile(dir.file("source"), content));
    const std::string destination = dir.file("destination");

    PacedController controller;
    controller.wait_us = c.wait_us;
    const ResumeInfo running = runningDownload(*controller.getManager(), kSize, destination);

    Listener listener;
    const int peer = connectTo(listener.port);
    std::unique_ptr<CountingTransfer> t(new CountingTransfer(&controller));
    t->setTransferSide(TRANSFER_SIDE_CLIENT);
    t->setPeerId(kPeer);
    t->setExpectedUse(TRANSFER_USE_PASSIVE);
    ASSERT_EQ(0, t->accept(listener.fd));
    t->changeHelper(TRANSFER_USE_PASSIVE);

    PObject header;
    header["token"] = static_cast<uint64_t>(running.token);
    header["command"] = static_cast<uint64_t>(C_PUSH);
    header["mtime"] = static_cast<uint64_t>(0);
    header["offset"] = static_cast<uint64_t>(0);
    header["length"] = static_cast<uint64_t>(kSize);
    header["ea_size"] = 0u;
    header["path"] = destination;
    header["from_path"] = "/share/source";
    PObject::binary_type region;
    region.offset = 0;
    region.length = kSize;
    region.path = dir.file("source");
    PObject file;
    file["file"]["data"] = region;
    bool sent = false;
    std::thread pusher([&] { sent = writeObject(peer, header) && writeObject(peer, file); });

    const bool reported = controller.pumpUntil([&] { return !controller.reports.empty(); });
    pusher.join();
    ASSERT_TRUE(sent);
    ASSERT_TRUE(reported);
    EXPECT_EQ("done", controller.reports.front()["status"].asString());
    EXPECT_TRUE(qm_test::readFile(destination) == content);
    EXPECT_FALSE(t->isAborted());

    ASSERT_GT(controller.steps, 0);
    if (c.several)
        EXPECT_GT(controller.steps, t->reads) << "no wake-up ran more than one step";
    else
        EXPECT_LE(controller.steps, t->reads) << "a wake-up ran on although the rate control asked to wait";
    ::close(peer);
}

INSTANTIATE_TEST_SUITE_P(Limits, ReceivingPasses,
                         testing::Values(PushCase{"unlimited", 0, true}, PushCase{"paced", 200, false}),
                         [](const testing::TestParamInfo<PushCase>& info) { return std::string(info.param.name); });

// A peer that stops reading: once the socket takes no more the sender waits
// for it, then finishes the file when the peer reads again.
TEST(SendingPasses, SenderWaitsForASlowPeerWithoutSpinning)
{
    const size_t kSize = 32u << 20;
    qm_test::TempDir dir("passes");
    ASSERT_TRUE(qm_test::writeFile(dir.file("source"), patternedContent(kSize)));

    PacedController controller;
    VardoCoreManager& store = *controller.getManager();
    store.setPeerSeed(kPeer, 0x1234567);
    uint64_t seed = 0;
    ASSERT_TRUE(store.takeTransferSeed(kPeer, seed));
    ResumeInfo task;
    task.peer_id = kPeer;
    task.command = C_PUSH;
    task.total = kSize;
    task.path_from = dir.file("source");
    task.path_to = "/share/destination";
    store.updateInfo(task);

    Listener listener;
    const int peer = connectTo(listener.port);
    std::unique_ptr<CountingTransfer> t(new CountingTransfer(&controller));
    t->setTransferSide(TRANSFER_SIDE_CLIENT);
    t->setPeerId(kPeer);
    t->setTransferSeed(seed);
    t->setConcurrent(1);
    t->setActivated(true);
    t->setExpectedUse(TRANSFER_USE_ACTIVE);
    ASSERT_EQ(0, t->accept(listener.fd));
    t->changeHelper(TRANSFER_USE_ACTIVE);

    // Until the socket is full: no write wake-up for a while.
    using Clock = std::chrono::steady_clock;
    int last_writes = -1;
    Clock::time_point quiet_since = Clock::now();
    ASSERT_TRUE(controller.pumpUntil([&] {
        if (t->writes != last_writes) {
            last_writes = t->writes;
            quiet_since = Clock::now();
        }
        return Clock::now() - quiet_since > std::chrono::milliseconds(100);
    }));
    ASSERT_FALSE(t->isAborted());

    const int writes_before = t->writes;
    timespec cpu_before{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu_before);
    const Clock::time_point stall_end = Clock::now() + std::chrono::milliseconds(300);
    ASSERT_TRUE(controller.pumpUntil([&] { return Clock::now() > stall_end; }));
    timespec cpu_after{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu_after);
    EXPECT_LE(t->writes - writes_before, 2) << "the sender woke up while the socket took nothing";
    const double cpu_ms = (cpu_after.tv_sec - cpu_before.tv_sec) * 1e3 + (cpu_after.tv_nsec - cpu_before.tv_nsec) / 1e6;
    EXPECT_LT(cpu_ms, 150.0);

    // The peer reads again: the header and the whole payload leave.
    std::atomic<long> drained{0};
    std::thread reader([&] {
        char buffer[65536];
        ssize_t n;
        while ((n = ::recv(peer, buffer, sizeof(buffer), 0)) > 0)
            drained += n;
    });
    ResumeInfo info;
    const bool finished = controller.pumpUntil([&] {
        return drained.load() >= static_cast<long>(kSize) &&
               store.getResumeInfoFromResumeId(task.resume_id, info) && info.progress > 0;
    });
    ::shutdown(peer, SHUT_RD);
    reader.join();
    EXPECT_TRUE(finished) << drained.load() << " bytes read";
    // Only the receiver's word makes the file whole.
    EXPECT_LT(info.progress, kSize);
    EXPECT_FALSE(t->isAborted());
    ::close(peer);
}

}  // namespace
