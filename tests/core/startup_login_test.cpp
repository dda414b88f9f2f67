// The whole non-widget start-up in this process, then the client manager's
// workers: a site logs in to the test server over TLS, verified against the
// "certs.pem" that start-up wrote from the system's list and $SSL_CERT_FILE.
// Then every peer is closed and the workers stop in order.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "channel/channel.h"
#include "client-manager.h"
#include "config-manager.h"
#include "control_server.h"
#include "data_server.h"
#include "domain-resolver.h"
#include "global-connecter.h"
#include "site-info-manager.h"
#include "startup-sequence.h"
#include "support/certificates.h"
#include "support/temp_dir.h"

namespace {

bool waitUntil(const std::function<bool()>& condition, int timeout_ms = 30000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout_ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

int threadCount()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

class ViewRelay : public QObject {
    Q_OBJECT
public:
    ViewRelay()
    {
        GlobalConnecter* hub = GlobalConnecter::getInstance();
        connect(this, &ViewRelay::sigConnectSite, hub, &GlobalConnecter::sigConnectSite);
        connect(this, &ViewRelay::sigCloseAllPeers, hub, &GlobalConnecter::sigCloseAllPeers);
    }
signals:
    void sigConnectSite(SiteInfo info);
    void sigCloseAllPeers();
};

}  // namespace

TEST(StartupLogin, SiteLogsInVerifiedThroughTheWrittenFileAndWorkersStopInOrder)
{
    qm_test::TempDir dir("qm-startup-login");
    qm_test::Credentials ca = qm_test::makeCa("Startup Login Test CA");
    ca.writeFiles(dir.file("ca.pem"), "");
    qm_test::makeServerCert("localhost", {"localhost"}, &ca).writeFiles(dir.file("server.crt"), dir.file("server.key"));
    setenv("SSL_CERT_FILE", dir.file("ca.pem").c_str(), 1);
    setenv("QUILLMAR_DATA_DIR", dir.file("data").c_str(), 1);
    setenv("QUILLMAR_LOG_DIR", dir.file("log").c_str(), 1);
    QDir().mkpath(QString::fromStdString(dir.file("docs")));

    test_server::ServerConfig config;
    config.port = 0;  // never the demo's port: tests run beside it and each other
    config.cert_path = dir.file("server.crt");
    config.key_path = dir.file("server.key");
    config.accounts = {{"alice", "pw", ""}};
    config.shares = {{"docs", dir.file("docs"), "rw"}};
    test_server::DataServer data(config.shares);
    std::string error;
    ASSERT_EQ(data.Start(0, config.key_path, config.cert_path, error), 0) << error;
    config.on_session_seed = [&data](uint64_t seed) { data.AddSession(seed); };
    test_server::ControlServer control(config);
    ASSERT_EQ(control.Start(error), 0) << error;
    setSiteDomainResolver([](const std::string& name, std::vector<std::string>& out) {
        if (name != "localhost")
            return -1;
        out.push_back("127.0.0.1");
        return 0;
    });

    StartupSequence startup(StartupHooks{});
    ASSERT_TRUE(startup.run());
    EXPECT_EQ(Channel::GetVerifyCAPath(), dir.file("data") + "/certs.pem");
    EXPECT_NE(qm_test::readFile(dir.file("data") + "/certs.pem").find(qm_test::readFile(dir.file("ca.pem"))),
              std::string::npos);
    // The test server's data side speaks TCP only.
    ConfigManager::getInstance()->setValue("connect_method", "tcp");

    const int baseline = threadCount();
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    QSignalSpy connected(hub, &GlobalConnecter::sigConnectSiteDone);
    QSignalSpy all_closed(hub, &GlobalConnecter::sigCloseAllPeersDone);
    ViewRelay views;
    auto manager = std::make_unique<ClientManager>(nullptr);

    SiteInfo request;
    request.connection_id = 1;
    request.server_name = "Startup";
    request.domain_name = "localhost";
    request.user_name = "alice";
    request.password = "pw";
    request.control_port = static_cast<int32_t>(control.Port());
    request.transfer_port = static_cast<int32_t>(data.Port());
    request.concurrent = 2;
    emit views.sigConnectSite(request);
    ASSERT_TRUE(waitUntil([&] { return connected.count() > 0; }));
    const uint64_t peer = connected.at(0).at(0).value<uint64_t>();
    SiteInfo site;
    ASSERT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer, site));
    EXPECT_EQ(site.protocol_error, ProtoUI::ERROR_OK);
    EXPECT_TRUE(site.ssl_verified) << "verified against certs.pem";

    emit views.sigCloseAllPeers();
    ASSERT_TRUE(waitUntil([&] { return all_closed.count() > 0; }));
    manager.reset();
    EXPECT_TRUE(waitUntil([&] { return threadCount() <= baseline; }, 10000))
        << threadCount() << " threads, " << baseline << " before the client manager";
    startup.closeDatabases();
    setSiteDomainResolver({});
    control.Stop();
    data.Stop();
}

#include "startup_login_test.moc"
