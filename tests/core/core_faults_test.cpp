// Faults of the peer monitor that must not come back: a second connect of a
// peer that has a channel, and a data connection awaited for a site that was
// removed meanwhile.
#include "core_fixture.h"

#include "client-core-manager.h"
#include "control-channel.h"
#include "event-generator.h"
#include "kavelin/vardo-core-manager.h"
#include "peer-monitor.h"

class CoreFaultsTest : public CoreTest {
protected:
    int DoneCount(uint32_t id)
    {
        int count = 0;
        for (const QList<QVariant>& args : *m_done_spy)
            count += args.at(0).toUInt() == id ? 1 : 0;
        return count;
    }
};

TEST_F(CoreFaultsTest, ConnectingAPeerAgainReplacesItsChannel)
{
    uint64_t p = ConnectOk();
    SiteInfo again = Site(p);
    uint64_t second = Connect(again);
    ASSERT_EQ(second, p);
    EXPECT_EQ(Site(p).site_error, SITE_ERROR_OK);
    // One channel acts: the event runs once.
    Event list;
    EventGenerator().createEventFromList(list, p, QString::fromStdString(std::to_string(p) + ":/docs"));
    int updates = m_update_spy->count();
    uint32_t id = Push(list);
    ASSERT_TRUE(WaitDone(id));
    uint32_t fence = Push(list);
    ASSERT_TRUE(WaitDone(fence));
    EXPECT_EQ(DoneCount(id), 1);
    EXPECT_EQ(m_update_spy->count() - updates, 2);
}

TEST_F(CoreFaultsTest, RemovedSiteAwaitingItsDataConnectionStaysGone)
{
    QSignalSpy removed(GlobalConnecter::getInstance(), &GlobalConnecter::sigRemoveSiteDone);
    SiteInfo request = Request([](SiteInfo& s) { s.transfer_port = 1; });
    ASSERT_TRUE(ClientCoreManager::getCoreManager()->getNextPeerId(request.peer_id));
    const uint64_t p = request.peer_id;
    emit m_views.sigConnectSite(request);
    // The control login succeeds; the data connection never comes.
    ASSERT_TRUE(WaitUntil([&] {
        bool waiting = false;
        OnMonitor([&](PeerMonitor& monitor) {
            ControlChannel* channel = monitor.channel(p);
            waiting = channel && channel->state() == ControlChannel::CONTROL_CHANNEL_AUTH_SUCCESS;
        });
        return waiting;
    }));
    emit m_views.sigRemoveSite(p);
    ASSERT_TRUE(WaitUntil([&] { return removed.count() == 1; }));
    // Past the data wait: no record comes back, no late completion or
    // disconnection is reported for the gone site.
    WaitUntil([] { return false; }, CoreTiming::get().data_wait_ms.load() + 1000);
    EXPECT_FALSE(HasSite(p));
    EXPECT_EQ(m_connected_spy->count(), 0);
    EXPECT_EQ(m_disconnected_spy->count(), 0);
}
