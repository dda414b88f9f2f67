#include <atomic>
#include <thread>

#include "client-core-manager.h"
#include "db-util.h"
#include "kavelin/vardo-core-manager.h"
#include "remote_site_fixture.h"
#include "site-info-manager.h"

namespace {

using test_server::Fault;

// Waits until the server has decoded a request of that action.
bool WaitForRequest(test_server::ControlServer& server, const std::string& action, const std::string& user = "")
{
    for (int i = 0; i < 2000000; ++i) {
        const PObject request = server.LastRequest(action);
        if (!request.isNull() && (user.empty() || request["username"].asString() == user))
            return true;
        std::this_thread::yield();
    }
    return false;
}

TEST_F(RemoteSiteTest, FirstLoginRecordsTheOutcome)
{
    const uint64_t peer = AddSite();
    std::unique_ptr<RemoteSiteHelper> helper = Helper(peer);
    ASSERT_EQ(helper->auth(), 0);

    SiteInfo site = Site(peer);
    EXPECT_NE(site.peer_seed, 0u);
    EXPECT_EQ(site.ip, "127.0.0.1");
    EXPECT_FALSE(site.ssl_signature.isEmpty());
    EXPECT_FALSE(site.certificate_chain.empty());
    EXPECT_TRUE(site.ssl_verified);
    EXPECT_GT(site.control_mtu, 0);
    EXPECT_TRUE(site.support_minimum_bandwidth);  // build 3000
    EXPECT_FALSE(site.is_reconnect);
    EXPECT_EQ(site.site_error, SITE_ERROR_OK);
    EXPECT_EQ(site.connection_id, 42u);
    EXPECT_EQ(site.concurrent, 3);

    // The engine knows the seed as this peer's.
    uint64_t owner = 0;
    EXPECT_TRUE(ClientCoreManager::getCoreManager()->findPeerIdByPeerSeed(site.peer_seed, owner));
    EXPECT_EQ(owner, peer);

    const PObject request = Server().LastRequest("auth");
    EXPECT_EQ(request["password"].asString(), "pw");
    EXPECT_FALSE(request.hasMember("seed"));

    std::vector<MiscLog> rows = Rows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].type, static_cast<uint32_t>(LOG_LOGIN));
    EXPECT_EQ(rows[0].ip, "localhost");
    EXPECT_EQ(rows[0].username, "alice");
    for (const std::string& arg : rows[0].s_arg)
        EXPECT_EQ(arg, "");

    // The helper's later requests go over the same connection.
    SiteFileList list;
    bool is_dir = false;
    EXPECT_EQ(helper->listNode("/docs", is_dir, list), 0);
    EXPECT_EQ(Server().ConnectionCount(), 1);
}

TEST_F(RemoteSiteTest, ServerBuildDecidesMinimumBandwidthSupport)
{
    for (uint32_t build : {156u, 157u}) {
        StartServer([&](test_server::ServerConfig& config) { config.build = build; });
        const uint64_t peer = LoggedInSite();
        EXPECT_EQ(Site(peer).support_minimum_bandwidth, build == 157) << build;
    }
}

struct FailureCase {
    const char* name;
    const char* user;
    const char* password;
    const char* otp;
    ProtoUI::Error error;  // ERROR_OK: the login succeeds
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c)
{
    return out << c.name;
}

class RemoteLoginRefusalTest : public RemoteSiteTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RemoteLoginRefusalTest, RecordsTheProtocolError)
{
    const FailureCase& c = GetParam();
    const uint64_t peer = AddSite([&](SiteInfo& info) {
        info.user_name = c.user;
        info.password = c.password;
        info.otp = c.otp;
    });
    const int result = Helper(peer)->auth();
    SiteInfo site = Site(peer);
    if (c.error == ProtoUI::ERROR_OK) {
        EXPECT_EQ(result, 0);
        EXPECT_NE(site.peer_seed, 0u);
        EXPECT_EQ(Rows(LOG_LOGIN).size(), 1u);
        return;
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(site.site_error, SITE_ERROR_PROTOCOL);
    EXPECT_EQ(site.protocol_error, c.error);
    EXPECT_EQ(site.peer_seed, 0u);
    EXPECT_TRUE(Rows().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Logins, RemoteLoginRefusalTest,
    ::testing::Values(FailureCase{"wrong_password", "alice", "bad", "", ProtoUI::ERROR_USER_PASSWORD},
                      FailureCase{"unknown_user", "mallory", "pw", "", ProtoUI::ERROR_USER_PASSWORD},
                      FailureCase{"otp_missing", "bob", "pw", "", ProtoUI::ERROR_USER_OTP_REQUIRED},
                      FailureCase{"otp_wrong", "bob", "pw", "000000", ProtoUI::ERROR_USER_OTP_INVALID},
                      FailureCase{"otp_right", "bob", "pw", "123456", ProtoUI::ERROR_OK}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(RemoteSiteTest, SelfSignedCertificateIsRefusedUnlessUntrustedIsAllowed)
{
    StartServer([&](test_server::ServerConfig& config) {
        config.cert_path = m_self_cert_file;
        config.key_path = m_self_key_file;
    });
    const uint64_t peer = AddSite();
    EXPECT_EQ(Helper(peer)->auth(), -1);
    EXPECT_EQ(Site(peer).site_error, SITE_ERROR_PROTOCOL);
    EXPECT_EQ(Site(peer).protocol_error, ProtoUI::ERROR_CHANNEL_SSL_VERIFY);

    SiteInfoManager::getInstance()->updateSiteInfo(peer, [](SiteInfo& info) { info.ssl_allow_untrust = true; });
    ASSERT_EQ(Helper(peer)->auth(), 0);
    SiteInfo site = Site(peer);
    EXPECT_FALSE(site.ssl_verified);
    EXPECT_NE(site.peer_seed, 0u);
    EXPECT_FALSE(site.ssl_signature.isEmpty());
}

TEST_F(RemoteSiteTest, ServerRestartedWithAnotherCertificateIsRefused)
{
    const uint64_t peer = LoggedInSite([](SiteInfo& info) { info.ssl_allow_untrust = true; });
    const unsigned port = Server().Port();
    StartServer([&](test_server::ServerConfig& config) {
        config.port = port;  // the same address, another certificate
        config.cert_path = m_self_cert_file;
        config.key_path = m_self_key_file;
    });
    ASSERT_EQ(Server().Port(), port);
    EXPECT_EQ(Helper(peer)->auth(), -1);
    EXPECT_EQ(Site(peer).protocol_error, ProtoUI::ERROR_CHANNEL_SSL_CHANGE);
    EXPECT_EQ(Site(peer).site_error, SITE_ERROR_PROTOCOL);
}

TEST_F(RemoteSiteTest, SeedLoginWritesNoRowAndChangesNothingElse)
{
    const uint64_t peer = LoggedInSite();
    const SiteInfo before = Site(peer);
    std::unique_ptr<RemoteSiteHelper> second = Helper(peer);
    ASSERT_EQ(second->auth(), 0);
    const PObject request = Server().LastRequest("auth");
    EXPECT_EQ(request["seed"].asUInt64(), before.peer_seed);
    EXPECT_FALSE(request.hasMember("password"));

    SiteInfo after = Site(peer);
    EXPECT_EQ(after.peer_seed, before.peer_seed);
    EXPECT_EQ(after.ip, before.ip);
    EXPECT_EQ(after.ssl_signature, before.ssl_signature);
    EXPECT_EQ(after.control_mtu, before.control_mtu);
    EXPECT_EQ(after.certificate_chain, before.certificate_chain);
    EXPECT_EQ(Rows(LOG_LOGIN).size(), 1u);
}

TEST_F(RemoteSiteTest, ReconnectRefreshesSslVerifiedAndClearsTheFlag)
{
    const uint64_t peer = LoggedInSite();
    // A plain seed login leaves the verified flag alone...
    SiteInfoManager::getInstance()->updateSiteInfo(peer, [](SiteInfo& info) { info.ssl_verified = false; });
    ASSERT_EQ(Helper(peer)->auth(), 0);
    EXPECT_FALSE(Site(peer).ssl_verified);

    // ...a reconnect reads it from its new connection.
    SiteInfoManager::getInstance()->updateSiteInfo(peer, [](SiteInfo& info) { info.is_reconnect = true; });
    ASSERT_EQ(Helper(peer)->auth(), 0);
    EXPECT_TRUE(Site(peer).ssl_verified);
    EXPECT_FALSE(Site(peer).is_reconnect);
    const PObject request = Server().LastRequest("auth");
    EXPECT_TRUE(request["is_reconnect"].asBool());
    EXPECT_EQ(request["password"].asString(), "pw");
    EXPECT_EQ(Rows(LOG_LOGIN).size(), 1u);
}

TEST_F(RemoteSiteTest, FailedReconnectKeepsTheReconnectFlag)
{
    const uint64_t peer = LoggedInSite();
    SiteInfoManager::getInstance()->updateSiteInfo(peer, [](SiteInfo& info) {
        info.is_reconnect = true;
        info.password = "changed";
    });
    EXPECT_EQ(Helper(peer)->auth(), -1);
    SiteInfo site = Site(peer);
    EXPECT_TRUE(site.is_reconnect);
    EXPECT_EQ(site.site_error, SITE_ERROR_PROTOCOL);
    EXPECT_EQ(site.protocol_error, ProtoUI::ERROR_USER_PASSWORD);
}

TEST_F(RemoteSiteTest, MissingRecordFailsAndChangesNothing)
{
    uint64_t unknown = 0;
    ASSERT_TRUE(ClientCoreManager::getCoreManager()->getNextPeerId(unknown));
    EXPECT_EQ(Helper(unknown)->auth(), -1);
    SiteInfo info;
    EXPECT_FALSE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(unknown, info));
    EXPECT_EQ(Server().ConnectionCount(), 0);
}

TEST_F(RemoteSiteTest, SecondAddressWinsWhenTheFirstRefusesConnections)
{
    SetAddresses("localhost", {"127.0.0.2", "127.0.0.1"});
    const uint64_t peer = AddSite();
    ASSERT_EQ(Helper(peer)->auth(), 0);
    EXPECT_EQ(Site(peer).ip, "127.0.0.1");
    EXPECT_EQ(Server().ConnectionCount(), 1);
}

TEST_F(RemoteSiteTest, RepeatedAddressIsTriedOnce)
{
    SetAddresses("localhost", {"127.0.0.1", "127.0.0.1", "127.0.0.1"});
    // Every attempt breaks its connection, so each distinct address is tried.
    Server().SetFault("auth", Fault{Fault::CLOSE, 0, "", PObject()});
    const uint64_t peer = AddSite();
    EXPECT_EQ(Helper(peer)->auth(), -1);
    EXPECT_EQ(Site(peer).protocol_error, ProtoUI::ERROR_CHANNEL_IO);
    EXPECT_EQ(Server().ConnectionCount(), 1);
}

TEST_F(RemoteSiteTest, RefusedPasswordEndsTheAddressLoop)
{
    SetAddresses("localhost", {"127.0.0.1", "127.0.0.2", "127.0.0.1"});
    const uint64_t peer = AddSite([](SiteInfo& info) { info.password = "bad"; });
    EXPECT_EQ(Helper(peer)->auth(), -1);
    EXPECT_EQ(Server().ConnectionCount(), 1);
    EXPECT_EQ(Site(peer).protocol_error, ProtoUI::ERROR_USER_PASSWORD);
}

TEST_F(RemoteSiteTest, NameWithoutAddressesRecordsAChannelError)
{
    SetAddresses("localhost", {});
    const uint64_t peer = AddSite();
    EXPECT_EQ(Helper(peer)->auth(), -1);
    EXPECT_EQ(Site(peer).site_error, SITE_ERROR_PROTOCOL);
    EXPECT_EQ(Site(peer).protocol_error, ProtoUI::ERROR_CHANNEL_IO);

    const uint64_t unresolvable = AddSite([](SiteInfo& info) { info.domain_name = "nowhere.invalid"; });
    EXPECT_EQ(Helper(unresolvable)->auth(), -1);
    EXPECT_EQ(Site(unresolvable).protocol_error, ProtoUI::ERROR_CHANNEL_IO);
}

TEST_F(RemoteSiteTest, SeedZeroFromTheServerFailsTheLogin)
{
    PObject answer;
    answer["type"] = "auth";
    answer["seed"] = uint64_t(0);
    answer["server"]["package_version"]["build"] = uint64_t(3000);
    Server().SetFault("auth", Fault{Fault::REPLACE, 0, "", answer});
    const uint64_t peer = AddSite();
    EXPECT_EQ(Helper(peer)->auth(), -1);
    SiteInfo site = Site(peer);
    EXPECT_EQ(site.peer_seed, 0u);
    EXPECT_EQ(site.site_error, SITE_ERROR_PROTOCOL);
    // The control client refuses the answer as malformed; the login would
    // refuse the seed as a mismatch. Either way: a protocol error, no seed.
    EXPECT_EQ(site.protocol_error & ~0xfff, ProtoUI::ERROR_PROTOCOL);
    EXPECT_NE(site.protocol_error, ProtoUI::ERROR_PROTOCOL_WRONG_PORT);
    EXPECT_TRUE(Rows().empty());
    uint64_t owner = 0;
    EXPECT_FALSE(ClientCoreManager::getCoreManager()->findPeerIdByPeerSeed(0, owner));
}

TEST_F(RemoteSiteTest, LoginKeepsSettingsStoredMeanwhileAndDoesNotReviveAClosedSite)
{
    Server().SetFault("auth", Fault{Fault::HOLD, 0, "", PObject()});
    const uint64_t peer = AddSite();
    std::atomic<int> result{1};
    std::thread login([&] { result = Helper(peer)->auth(); });
    ASSERT_TRUE(WaitForRequest(Server(), "auth"));
    // The settings page and the peer monitor store changes while the server thinks.
    SiteInfoManager::getInstance()->updateSiteInfo(peer, [](SiteInfo& info) {
        info.max_upload = 1234;
        info.connection_id = 77;
    });
    Server().ReleaseHeldAnswers();
    login.join();
    ASSERT_EQ(result.load(), 0);
    SiteInfo site = Site(peer);
    EXPECT_EQ(site.max_upload, 1234u);
    EXPECT_EQ(site.connection_id, 77u);
    EXPECT_NE(site.peer_seed, 0u);

    // A site closed during its login stays closed, and no login row is written.
    const uint64_t closing = AddSite([](SiteInfo& info) {
        info.user_name = "bob";
        info.otp = "123456";
    });
    std::thread second([&] { result = Helper(closing)->auth(); });
    ASSERT_TRUE(WaitForRequest(Server(), "auth", "bob"));
    SiteInfoManager::getInstance()->removeSiteInfo(closing);
    Server().ReleaseHeldAnswers();
    second.join();
    EXPECT_EQ(result.load(), -1);
    SiteInfo gone;
    EXPECT_FALSE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(closing, gone));
    EXPECT_EQ(Rows(LOG_LOGIN).size(), 1u);
}

TEST_F(RemoteSiteTest, HelpersOfOneSiteLogInAndListAtOnce)
{
    const uint64_t peer = LoggedInSite();
    const int kWorkers = 4;
    std::atomic<int> failures{0};
    std::vector<std::thread> workers;
    for (int i = 0; i < kWorkers; ++i) {
        workers.emplace_back([&] {
            std::unique_ptr<RemoteSiteHelper> helper = Helper(peer);
            if (helper->auth() != 0) {
                ++failures;
                return;
            }
            for (int round = 0; round < 5; ++round) {
                SiteFileList list;
                bool is_dir = false;
                if (helper->listNode("/docs", is_dir, list) != 0 || !is_dir || list.size() < 2)
                    ++failures;
            }
        });
    }
    for (std::thread& worker : workers)
        worker.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(Server().ConnectionCount(), 1 + kWorkers);
    EXPECT_EQ(Rows(LOG_LOGIN).size(), 1u);
}

}  // namespace
