// A site's worker pool: queueing, spares, trimming, heartbeat and retiring.
#include "core_fixture.h"

#include "control-channel.h"
#include "core-timing.h"
#include "event-generator.h"
#include "event-manager.h"
#include "peer-monitor.h"
#include "protocol/proto-ui.h"
#include "site-info-manager.h"

class CorePoolTest : public CoreTest {
protected:
    // Workers of the peer's channel in that state (-1: all).
    int Workers(uint64_t peer, int state)
    {
        int count = 0;
        OnMonitor([&](PeerMonitor& monitor) {
            ControlChannel* channel = monitor.channel(peer);
            if (!channel)
                return;
            if (state >= 0) {
                count = channel->countWorkers(static_cast<EventHandlerState>(state));
                return;
            }
            for (int s = 0; s < HANDLER_STATE_MAX; ++s)
                count += channel->countWorkers(static_cast<EventHandlerState>(s));
        });
        return count;
    }
    Event ServerList(uint64_t peer)
    {
        Event event;
        EventGenerator().createEventFromList(event, peer, QString::fromStdString(std::to_string(peer) + ":/docs"));
        return event;
    }
    Event LocalList(uint64_t peer)
    {
        Event event;
        EventGenerator().createEventFromList(event, peer, QString::fromStdString("0:" + Local()));
        return event;
    }
    bool Done(uint32_t id)
    {
        for (const QList<QVariant>& args : *m_done_spy)
            if (args.at(0).toUInt() == id)
                return true;
        return false;
    }
    void Hold(const std::string& action)
    {
        test_server::Fault hold;
        hold.kind = test_server::Fault::HOLD;
        Server().SetFault(action, hold);
    }
};

TEST_F(CorePoolTest, SecondEventWaitsThenASpareLogsInWithTheSeed)
{
    uint64_t p = ConnectOk();
    ASSERT_EQ(Workers(p, -1), 1);
    uint64_t seed = Site(p).peer_seed;
    Hold("list");
    uint32_t held = Push(ServerList(p));
    ASSERT_TRUE(WaitUntil([&] { return Server().LastRequest("list").isMap(); }));
    uint32_t waiting = Push(LocalList(p));
    // The only worker is busy: the next tick adds a spare, which logs in
    // with the site's seed, and the queue hands it the waiting event.
    ASSERT_TRUE(WaitDone(waiting));
    EXPECT_FALSE(Done(held));
    PObject auth = Server().LastRequest("auth");
    EXPECT_EQ(auth["seed"].asUInt64(), seed);
    EXPECT_FALSE(auth.hasMember("password"));
    EXPECT_EQ(Workers(p, -1), 2);
    Server().ClearFaults();
    Server().ReleaseHeldAnswers();
    ASSERT_TRUE(WaitDone(held));
    EXPECT_EQ(EventManager::getInstance()->getStatus(held).error, 0);
    // Two idle workers now: the surplus one drains, one spare stays.
    EXPECT_TRUE(WaitUntil([&] { return Workers(p, -1) == 1; }));
    EXPECT_EQ(Workers(p, HANDLER_STATE_IDLE), 1);
}

TEST_F(CorePoolTest, IdleSurplusDrainsDownToOne)
{
    uint64_t p = ConnectOk();
    Hold("list");
    std::vector<uint32_t> held;
    for (int i = 0; i < 3; ++i) {
        held.push_back(Push(ServerList(p)));
        // Each held listing keeps one more worker busy before the next comes.
        ASSERT_TRUE(WaitUntil([&] { return Workers(p, HANDLER_STATE_BUSY) == i + 1; }));
    }
    ASSERT_TRUE(WaitUntil([&] { return Workers(p, -1) >= 4; }));  // three busy and a spare
    Server().ClearFaults();
    Server().ReleaseHeldAnswers();
    for (uint32_t id : held)
        ASSERT_TRUE(WaitDone(id));
    int last = Workers(p, -1);
    ASSERT_TRUE(WaitUntil([&] {
        int now = Workers(p, -1);
        EXPECT_GE(now, 1);
        EXPECT_LE(now, last);  // never grows while draining
        last = now;
        return now == 1;
    }));
    EXPECT_EQ(Workers(p, HANDLER_STATE_IDLE), 1);
}

TEST_F(CorePoolTest, HeartbeatOnlyThroughTheSingleIdleWorker)
{
    uint64_t p = ConnectOk();
    Hold("list");
    uint32_t held = Push(ServerList(p));
    ASSERT_TRUE(WaitUntil([&] { return Workers(p, -1) == 2 && Workers(p, HANDLER_STATE_IDLE) == 1; }));
    // One busy worker: nothing goes out.
    OnMonitor([&](PeerMonitor& monitor) { monitor.channel(p)->checkDisconnected(); });
    Server().ClearFaults();
    Server().ReleaseHeldAnswers();
    ASSERT_TRUE(WaitDone(held));
    EXPECT_FALSE(Server().LastRequest("heart_beat").isMap());
    ASSERT_TRUE(WaitUntil([&] { return Workers(p, -1) == 1 && Workers(p, HANDLER_STATE_IDLE) == 1; }));
    // Exactly one idle worker: the heartbeat goes out, and the worker counts
    // as busy from the moment it is handed the heartbeat.
    int busy_at_once = -1;
    OnMonitor([&](PeerMonitor& monitor) {
        monitor.channel(p)->checkDisconnected();
        busy_at_once = monitor.channel(p)->countWorkers(HANDLER_STATE_BUSY);
    });
    EXPECT_EQ(busy_at_once, 1);
    EXPECT_TRUE(WaitUntil([&] { return Server().LastRequest("heart_beat").isMap(); }));
    EXPECT_TRUE(WaitUntil([&] { return Workers(p, HANDLER_STATE_IDLE) == 1; }));
}

TEST_F(CorePoolTest, WorkerCutByTheServerIsRetiredAndReplaced)
{
    uint64_t p = ConnectOk();
    int connections = Server().ConnectionCount();
    test_server::Fault cut;
    cut.kind = test_server::Fault::CLOSE;
    Server().SetFault("list", cut);
    EXPECT_EQ(Run(ServerList(p)), ProtoUI::ERROR_CHANNEL_IO);
    Server().ClearFaults();
    // The broken worker goes; a new one logs in on the next tick.
    ASSERT_TRUE(WaitUntil([&] {
        return Server().ConnectionCount() > connections && Workers(p, HANDLER_STATE_IDLE) == 1 &&
               Workers(p, HANDLER_STATE_QUIT) == 0;
    }));
    EXPECT_EQ(Run(ServerList(p)), 0);
    EXPECT_EQ(m_disconnected_spy->count(), 0);
}

// A request that loses its connection finds out at once whether the server
// is still there: gone, or back but with the session forgotten, the site is
// reported lost then (with the login's error in its record), not after the
// minute a site may go without a live worker.
TEST_F(CorePoolTest, LostServerIsReportedAtTheFirstFailedRequest)
{
    struct Case {
        const char* name;
        bool restart;
        ProtoUI::Error login_error;
    } cases[] = {
        {"server gone", false, ProtoUI::ERROR_CHANNEL_IO},
        {"server restarted", true, ProtoUI::ERROR_USER_INVALID_SEED},
    };
    ASSERT_EQ(CoreTiming::get().live_worker_limit_ms.load(), 60000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint64_t p = ConnectOk();
        const int lost_before = m_disconnected_spy->count();
        KillServer();
        if (c.restart)
            RestartServer();
        EXPECT_EQ(Run(ServerList(p)), ProtoUI::ERROR_CHANNEL_IO);
        ASSERT_TRUE(WaitUntil([&] { return m_disconnected_spy->count() > lost_before; }, 5000));
        EXPECT_EQ(m_disconnected_spy->last().at(0).value<uint64_t>(), p);
        SiteInfo site;
        ASSERT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(p, site));
        EXPECT_EQ(site.protocol_error, c.login_error);
        ASSERT_TRUE(WaitUntil([&] { return Workers(p, -1) == 0; }, 5000)) << "the channel is dropped";
        // Reported once, not on every later tick.
        EXPECT_FALSE(WaitUntil([&] { return m_disconnected_spy->count() > lost_before + 1; }, 500));
        if (!c.restart)
            RestartServer();
    }
}

TEST_F(CorePoolTest, VanishedEventGivesTheWorkerBack)
{
    uint64_t p = ConnectOk();
    // Slow the pool down so that only the one worker can serve.
    CoreTiming::get().channel_tick_ms = 600000;
    WaitUntil([] { return false; }, 300);  // the tick armed before fires once more
    ASSERT_EQ(Workers(p, -1), 1);
    Hold("list");
    uint32_t held = Push(ServerList(p));
    ASSERT_TRUE(WaitUntil([&] { return Server().LastRequest("list").isMap(); }));
    uint32_t vanishing = Push(LocalList(p));
    ASSERT_TRUE(WaitUntil([&] {
        int queued = 0;
        OnMonitor([&](PeerMonitor& monitor) { queued = monitor.channel(p)->queuedEventCount(); });
        return queued == 1;
    }));
    // The view drops it while it waits for the worker.
    EventManager::getInstance()->removeEvent(vanishing);
    Server().ClearFaults();
    Server().ReleaseHeldAnswers();
    ASSERT_TRUE(WaitDone(held));
    // The queue hands the removed id to the worker, which must come back idle.
    ASSERT_TRUE(WaitUntil([&] {
        int queued = 1;
        OnMonitor([&](PeerMonitor& monitor) { queued = monitor.channel(p)->queuedEventCount(); });
        return queued == 0;
    }));
    uint32_t next = Push(LocalList(p));
    EXPECT_TRUE(WaitDone(next, 5000));
    EXPECT_FALSE(Done(vanishing));
    EXPECT_EQ(Workers(p, -1), 1);
}

TEST_F(CorePoolTest, EventsQueuedInADeletedChannelComplete)
{
    uint64_t p = ConnectOk();
    // No retry and no spare before the channel is gone.
    CoreTiming::get().queue_retry_ms = 600000;
    CoreTiming::get().channel_tick_ms = 600000;
    WaitUntil([] { return false; }, 300);  // the tick armed before fires once more
    ASSERT_EQ(Workers(p, -1), 1);
    Hold("list");
    uint32_t held = Push(ServerList(p));
    ASSERT_TRUE(WaitUntil([&] { return Server().LastRequest("list").isMap(); }));
    uint32_t queued = Push(LocalList(p));
    ASSERT_TRUE(WaitUntil([&] {
        int count = 0;
        OnMonitor([&](PeerMonitor& monitor) { count = monitor.channel(p)->queuedEventCount(); });
        return count == 1;
    }));
    Server().ClearFaults();
    Server().ReleaseHeldAnswers();
    ASSERT_TRUE(WaitDone(held));
    OnMonitor([&](PeerMonitor& monitor) { monitor.slotSiteDisconnected(p, true); });
    ASSERT_TRUE(WaitDone(queued));
    EXPECT_EQ(EventManager::getInstance()->getStatus(queued).error, ProtoUI::ERROR_CHANNEL_IO);
}
