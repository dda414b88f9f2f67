// Logging a site in through the hub: the peer monitor, the first worker's
// login, the engine peer and its data connection.
#include "core_fixture.h"

#include "client-core-manager.h"
#include "control-channel.h"
#include "core-timing.h"
#include "db-util.h"
#include "event-generator.h"
#include "event-manager.h"
#include "kavelin/transfer-service.h"
#include "peer-monitor.h"

namespace {

bool HasChannel(CoreTest& test, uint64_t peer, std::function<void(const std::function<void(PeerMonitor&)>&)> on)
{
    bool has = false;
    on([&](PeerMonitor& monitor) { has = monitor.channel(peer) != nullptr; });
    (void)test;
    return has;
}

}  // namespace

class CoreLoginTest : public CoreTest {
protected:
    bool ChannelOf(uint64_t peer)
    {
        return HasChannel(*this, peer, [this](const std::function<void(PeerMonitor&)>& f) { OnMonitor(f); });
    }
    bool DisconnectedWith(uint64_t peer, bool reconnect)
    {
        return WaitUntil([&] {
            for (const QList<QVariant>& args : *m_disconnected_spy)
                if (args.at(0).value<uint64_t>() == peer && args.at(1).toBool() == reconnect)
                    return true;
            return false;
        });
    }
};

TEST_F(CoreLoginTest, SucceedsWithACompleteRecordAndOneLoginRow)
{
    uint64_t peer = ConnectOk();
    ASSERT_NE(peer, 0u);
    SiteInfo site = Site(peer);
    EXPECT_EQ(site.protocol_error, ProtoUI::ERROR_OK);
    EXPECT_EQ(site.ip, "127.0.0.1");
    EXPECT_NE(site.peer_seed, 0u);
    EXPECT_FALSE(site.ssl_signature.isEmpty());
    EXPECT_FALSE(site.certificate_chain.empty());
    EXPECT_TRUE(site.ssl_verified);
    EXPECT_GT(site.control_mtu, 0);
    // The engine peer is up with its data connection.
    EXPECT_EQ(ClientCoreManager::getTransferService()->checkConnection(peer), 0);
    EXPECT_TRUE(ChannelOf(peer));
    EXPECT_EQ(Rows(LOG_LOGIN).size(), 1u);
    EXPECT_EQ(m_disconnected_spy->count(), 0);
    EXPECT_EQ(m_connected_spy->count(), 1);
}

// The windows are told of a login as soon as its data connection is up, not
// at the channel tick after it, and list the site's root at once: with the
// tick put out of reach, the login and the listing still complete.
TEST_F(CoreLoginTest, FirstListingFollowsTheLoginWithoutATick)
{
    CoreTiming::get().channel_tick_ms = 600000;
    WaitUntil([] { return false; }, 300);  // the tick armed before fires once more
    uint32_t listing = 0;
    QObject guard;
    QObject::connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectSiteDone, &guard,
                     [&](uint64_t peer) {
                         Event event;
                         EventGenerator().createEventFromList(event, peer,
                                                              QString::fromStdString(std::to_string(peer) + ":/docs"));
                         listing = Push(event);
                     });
    emit m_views.sigConnectSite(Request());
    ASSERT_TRUE(WaitUntil([&] { return listing != 0; }, 10000)) << "no login done without a tick";
    ASSERT_EQ(m_connected_spy->count(), 1);
    const uint64_t peer = m_connected_spy->at(0).at(0).value<uint64_t>();
    EXPECT_EQ(Site(peer).site_error, SITE_ERROR_OK);
    EXPECT_EQ(ClientCoreManager::getTransferService()->checkConnection(peer), 0);
    ASSERT_TRUE(WaitDone(listing, 10000));
    EXPECT_EQ(EventManager::getInstance()->getStatus(listing).error, 0);
    EXPECT_TRUE(WaitUntil([&] { return m_update_spy->count() > 0; }, 10000));
    EXPECT_EQ(m_disconnected_spy->count(), 0);
}

struct LoginFailure {
    const char* name;
    std::function<void(SiteInfo&)> request;
    bool self_signed;
    SiteError site_error;
    ProtoUI::Error protocol_error;  // ERROR_OK: not checked
};

void PrintTo(const LoginFailure& row, std::ostream* out)
{
    *out << row.name;
}

class CoreLoginFailureTest : public CoreLoginTest, public ::testing::WithParamInterface<LoginFailure> {};

TEST_P(CoreLoginFailureTest, EndsDoneThenDisconnected)
{
    const LoginFailure& row = GetParam();
    if (row.self_signed)
        StartServer([this](test_server::ServerConfig& c) {
            c.cert_path = m_self_cert_file;
            c.key_path = m_self_key_file;
        });
    uint64_t peer = Connect(Request(row.request));
    ASSERT_NE(peer, 0u);
    SiteInfo site = Site(peer);
    EXPECT_EQ(site.site_error, row.site_error);
    if (row.protocol_error != ProtoUI::ERROR_OK) {
        EXPECT_EQ(site.protocol_error, row.protocol_error);
    }
    // Done comes first, then the disconnection, and the channel goes.
    EXPECT_TRUE(DisconnectedWith(peer, true));
    EXPECT_TRUE(WaitUntil([&] { return !ChannelOf(peer); }));
    EXPECT_TRUE(HasSite(peer));  // the record stays for a reconnect
    EXPECT_NE(ClientCoreManager::getTransferService()->checkConnection(peer), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CoreLoginFailureTest,
    ::testing::Values(
        LoginFailure{"WrongPassword", [](SiteInfo& s) { s.password = "nope"; }, false, SITE_ERROR_PROTOCOL,
                     ProtoUI::ERROR_OK},
        LoginFailure{"UnresolvableName", [](SiteInfo& s) { s.domain_name = "nowhere.invalid"; }, false,
                     SITE_ERROR_PROTOCOL, ProtoUI::ERROR_CHANNEL_IO},
        LoginFailure{"UntrustedCertificate", {}, true, SITE_ERROR_PROTOCOL, ProtoUI::ERROR_CHANNEL_SSL_VERIFY},
        LoginFailure{"DeadTransferPort", [](SiteInfo& s) { s.transfer_port = 1; }, false, SITE_ERROR_DATA_CHANNEL,
                     ProtoUI::ERROR_OK}),
    [](const ::testing::TestParamInfo<LoginFailure>& info) { return std::string(info.param.name); });

TEST_F(CoreLoginTest, UntrustedCertificateAcceptedWhenAllowed)
{
    StartServer([this](test_server::ServerConfig& c) {
        c.cert_path = m_self_cert_file;
        c.key_path = m_self_key_file;
    });
    uint64_t peer = ConnectOk([](SiteInfo& s) { s.ssl_allow_untrust = true; });
    ASSERT_NE(peer, 0u);
    EXPECT_FALSE(Site(peer).ssl_verified);
    EXPECT_EQ(ClientCoreManager::getTransferService()->checkConnection(peer), 0);
}

// A retry sent the moment a refusal is reported (as the one-time-code
// prompt does) reaches the monitor before the refused attempt's lost-site
// notice has made its way back through the hub. That late notice belongs
// to the refused attempt: the retry must log in and keep its channel.
TEST_F(CoreLoginTest, RetryOvertakingTheRefusalsLostSiteNoticeStillLogsIn)
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    SiteInfo retry = Request();
    uint64_t refused_peer = 0;
    QObject guard;
    QObject::connect(hub, &GlobalConnecter::sigConnectSiteDone, &guard, [&](uint64_t peer) {
        if (refused_peer != 0)
            return;
        refused_peer = peer;
        retry.peer_id = peer;
        emit m_views.sigConnectSite(retry);
    });
    emit m_views.sigConnectSite(Request([](SiteInfo& s) { s.password = "nope"; }));
    ASSERT_TRUE(WaitUntil([&] { return m_connected_spy->count() == 2; }));
    const uint64_t peer = m_connected_spy->at(1).at(0).value<uint64_t>();
    EXPECT_EQ(peer, refused_peer);
    EXPECT_EQ(Site(peer).site_error, SITE_ERROR_OK) << "protocol error " << Site(peer).protocol_error;
    // The refusal's notice has been heard by the monitor by now: it came
    // through the hub before this call is queued behind it.
    ASSERT_TRUE(DisconnectedWith(peer, true));
    EXPECT_TRUE(ChannelOf(peer));
    EXPECT_EQ(ClientCoreManager::getTransferService()->checkConnection(peer), 0);
    EXPECT_EQ(m_disconnected_spy->count(), 1);
    // Only that notice was passed by: a later one still ends the site.
    OnMonitor([](PeerMonitor& monitor) { monitor.slotDisconnectAllPeers(); });
    ASSERT_TRUE(WaitUntil([&] { return m_disconnected_spy->count() == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return !ChannelOf(peer); }));
}
