// Closing sites: one, a silent server, all of two, and none at all.
#include "core_fixture.h"

#include "client-core-manager.h"
#include "control-channel.h"
#include "peer-monitor.h"

class CoreCloseTest : public CoreTest {
protected:
    CoreCloseTest()
    {
        GlobalConnecter* hub = GlobalConnecter::getInstance();
        m_removed.reset(new QSignalSpy(hub, &GlobalConnecter::sigRemoveSiteDone));
        m_all_closed.reset(new QSignalSpy(hub, &GlobalConnecter::sigCloseAllPeersDone));
    }
    bool ChannelOf(uint64_t peer)
    {
        bool has = false;
        OnMonitor([&](PeerMonitor& monitor) { has = monitor.channel(peer) != nullptr; });
        return has;
    }
    std::unique_ptr<QSignalSpy> m_removed, m_all_closed;
};

TEST_F(CoreCloseTest, OneSiteIsClosedOnTheServerAndForgotten)
{
    uint64_t p = ConnectOk();
    emit m_views.sigRemoveSite(p);
    ASSERT_TRUE(WaitUntil([&] { return m_removed->count() == 1; }));
    EXPECT_TRUE(Server().LastRequest("close_peer").isMap());
    EXPECT_FALSE(HasSite(p));
    EXPECT_FALSE(ChannelOf(p));
    EXPECT_EQ(TaskCount(p), 0);
    EXPECT_NE(ClientCoreManager::getTransferService()->checkConnection(p), 0);
    EXPECT_EQ(m_all_closed->count(), 0);
}

TEST_F(CoreCloseTest, SilentServerIsClosedByTheGuard)
{
    uint64_t p = ConnectOk();
    test_server::Fault silent;
    silent.kind = test_server::Fault::DROP;
    Server().SetFault("close_peer", silent);
    emit m_views.sigRemoveSite(p);
    ASSERT_TRUE(WaitUntil([&] { return m_removed->count() == 1; }));
    EXPECT_TRUE(Server().LastRequest("close_peer").isMap());
    EXPECT_FALSE(HasSite(p));
    EXPECT_FALSE(ChannelOf(p));
}

TEST_F(CoreCloseTest, AllOfTwoSites)
{
    uint64_t first = ConnectOk();
    uint64_t second = ConnectOk();
    ASSERT_NE(first, second);
    // One close answer is held back: "all closed" must wait for it.
    test_server::Fault hold_one;
    hold_one.kind = test_server::Fault::HOLD;
    hold_one.count = 1;
    Server().SetFault("close_peer", hold_one);
    emit m_views.sigCloseAllPeers();
    ASSERT_TRUE(WaitUntil([&] { return m_removed->count() == 1 && Server().RequestCount("close_peer") == 2; }));
    EXPECT_FALSE(WaitUntil([&] { return m_all_closed->count() > 0; }, 300)) << "done before the second site";
    EXPECT_TRUE(HasSite(first) != HasSite(second));
    Server().ReleaseHeldAnswers();
    ASSERT_TRUE(WaitUntil([&] { return m_all_closed->count() == 1; }));
    EXPECT_EQ(m_removed->count(), 2);
    EXPECT_FALSE(HasSite(first));
    EXPECT_FALSE(HasSite(second));
    // Nothing more comes.
    EXPECT_FALSE(WaitUntil([&] { return m_all_closed->count() > 1 || m_removed->count() > 2; }, 500));
}

TEST_F(CoreCloseTest, AllWithNoSiteCompletesAtOnce)
{
    emit m_views.sigCloseAllPeers();
    EXPECT_TRUE(WaitUntil([&] { return m_all_closed->count() == 1; }, 5000));
    EXPECT_EQ(m_removed->count(), 0);
}

TEST_F(CoreCloseTest, RemovingASiteWithoutChannelCompletesAtOnce)
{
    uint64_t p = Connect(Request([](SiteInfo& s) { s.password = "wrong"; }));
    ASSERT_TRUE(WaitUntil([&] { return !ChannelOf(p); }));
    emit m_views.sigRemoveSite(p);
    ASSERT_TRUE(WaitUntil([&] { return m_removed->count() == 1; }));
    EXPECT_FALSE(HasSite(p));
    EXPECT_FALSE(Server().LastRequest("close_peer").isMap());
}
