// A server that goes away in the middle of a download and comes back on the
// same ports, its sessions forgotten: the site is disconnected with its task
// kept as lost, logs in again under the same peer id with a new session, and
// the resumed task finishes the file.
#include "core_fixture.h"

#include <openssl/evp.h>

#include "client-core-manager.h"
#include "event-generator.h"
#include "kavelin/error-code.h"
#include "kavelin/vardo-core-manager.h"
#include "peer-monitor.h"
#include "support/temp_dir.h"

namespace {

std::string Digest(const std::string& path)
{
    std::string bytes = qm_test::readFile(path);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
    return std::string(reinterpret_cast<char*>(digest), length);
}

}  // namespace

class CoreReconnectTest : public CoreTest {
protected:
    static void SetUpTestSuite()
    {
        // The engine's lost peers are looked at often, and a site without a
        // live worker is given up on quickly.
        CoreTiming::get().heartbeat_ms = 300;
        CoreTiming::get().live_worker_limit_ms = 1000;
    }
};

TEST_F(CoreReconnectTest, ServerKilledMidDownloadThenResumed)
{
    std::string content;
    for (int i = 0; i < 150000; ++i)
        content += "0123456789"[i % 10];
    content += std::string(1500000 - content.size(), 'z');
    ASSERT_TRUE(qm_test::writeFile(Docs("/big.bin"), content));
    uint64_t p = ConnectOk([](SiteInfo& s) {
        s.concurrent = 1;
        s.max_download = 200;  // KB/s: slow enough to cut it midway
    });
    ASSERT_NE(p, 0u);

    Event download;
    ASSERT_EQ(EventGenerator().createCopyEventFromPaths(download, p,
                                                        QString::fromStdString(std::to_string(p) + ":/docs/big.bin"),
                                                        QString::fromStdString("0:" + Local())), 0);
    ASSERT_EQ(Run(download), 0);
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<ResumeInfo> tasks = TasksOf(p);
        return tasks.size() == 1 && tasks[0].progress > 0;
    }));

    int disconnects = m_disconnected_spy->count();
    KillServer();
    ASSERT_TRUE(WaitUntil([&] { return m_disconnected_spy->count() > disconnects; }));
    EXPECT_EQ(m_disconnected_spy->at(disconnects).at(0).value<uint64_t>(), p);
    EXPECT_TRUE(m_disconnected_spy->at(disconnects).at(1).toBool());
    // The site stays known, its channel goes, its task is kept as lost.
    EXPECT_TRUE(HasSite(p));
    ASSERT_TRUE(WaitUntil([&] {
        bool gone = false;
        OnMonitor([&](PeerMonitor& monitor) { gone = monitor.channel(p) == nullptr; });
        return gone;
    }));
    ASSERT_TRUE(WaitUntil([&] {
        std::vector<ResumeInfo> tasks = TasksOf(p);
        return tasks.size() == 1 && tasks[0].local_state == ResumeInfo::RI_ERROR &&
               tasks[0].error == ProjectVardo::ERR_CONNECTION_LOST;
    }));

    RestartServer();
    // The restarted server has forgotten the session: the reconnection's
    // seed is refused, and the site logs in afresh (what the pane's error
    // mask does without asking), the engine forgetting the old seeds first.
    SiteInfo again = Site(p);
    again.is_reconnect = true;
    ASSERT_EQ(Connect(again), p);
    ASSERT_EQ(Site(p).site_error, SITE_ERROR_PROTOCOL);
    ASSERT_EQ(Site(p).protocol_error, ProtoUI::ERROR_USER_INVALID_SEED);
    SiteInfo afresh = Site(p);
    afresh.peer_seed = 0;
    afresh.is_reconnect = false;
    ASSERT_EQ(Connect(afresh), p);
    ASSERT_EQ(Site(p).site_error, SITE_ERROR_OK) << Site(p).protocol_error;
    EXPECT_NE(Site(p).peer_seed, again.peer_seed);

    QSignalSpy resumed(GlobalConnecter::getInstance(), &GlobalConnecter::sigResumeDisconnectedJobsDone);
    emit m_views.sigResumeDisconnectedJobs(p);
    ASSERT_TRUE(WaitUntil([&] { return resumed.count() == 1; }));
    EXPECT_EQ(resumed.at(0).at(0).value<uint64_t>(), p);
    ASSERT_TRUE(WaitUntil([&] { return Digest(Local("/big.bin")) == Digest(Docs("/big.bin")); }, 120000));
}
