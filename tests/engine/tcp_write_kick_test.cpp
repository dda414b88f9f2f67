// New work for a sending connection runs its write handler in the same turn
// of the loop, and a handler that finds nothing more to send leaves the write
// event disarmed instead of coming back on the next writable wake-up.
#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <memory>

#include <event2/event.h>

#include "kavelin/tcp-transfer.h"
#include "engine/tcp_transfer_test_support.h"
#include "protocol/pobject.h"

namespace {

using namespace tcp_transfer_test;

class CountingTransfer : public TcpTransfer {
public:
    using TcpTransfer::TcpTransfer;
    int handleWrite() override
    {
        ++writes;
        return TcpTransfer::handleWrite();
    }
    int writes = 0;
};

void turnLoopFor(event_base* base, int ms)
{
    timeval slice{0, ms * 1000};
    event_base_loopexit(base, &slice);
    event_base_dispatch(base);
}

bool readable(int fd, int timeout_ms)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, timeout_ms) == 1;
}

TEST(WriteKick, QueuedReportLeavesInTheSameTurnAndTheIdleEventStaysDisarmed)
{
    TestController controller;
    Listener listener;
    const int peer = connectTo(listener.port);
    std::unique_ptr<CountingTransfer> t(new CountingTransfer(&controller));
    t->setTransferSide(TRANSFER_SIDE_SERVER);
    t->setPeerId(1);
    ASSERT_EQ(0, t->accept(listener.fd));
    t->changeHelper(TRANSFER_USE_REPORT);

    // The role's first write finds no report: afterwards the writable socket
    // wakes nobody.
    turnLoopFor(controller.getEventBase(), 20);
    const int idle_writes = t->writes;
    EXPECT_GE(idle_writes, 1);
    turnLoopFor(controller.getEventBase(), 50);
    EXPECT_EQ(idle_writes, t->writes) << "an idle sender woke on the writable socket";

    PObject report;
    report["token"] = static_cast<uint64_t>(7);
    report["status"] = "done";
    controller.reports.push_back(report);
    t->kickWrite();
    // One turn, without waiting for the socket: the batch is out.
    event_base_loop(controller.getEventBase(), EVLOOP_ONCE | EVLOOP_NONBLOCK);
    EXPECT_EQ(idle_writes + 1, t->writes);
    ASSERT_TRUE(readable(peer, 2000));
    PObject item;
    ASSERT_TRUE(readObject(peer, item));
    EXPECT_EQ(static_cast<uint64_t>(C_REPORT), item["command"].asUInt64());
    EXPECT_EQ(7u, item["report"]["token"].asUInt64());
    EXPECT_TRUE(controller.reports.empty());

    // Nothing more queued: no further wake-ups for the writable socket.
    turnLoopFor(controller.getEventBase(), 50);
    EXPECT_EQ(idle_writes + 1, t->writes);
    ::close(peer);
}

}  // namespace
