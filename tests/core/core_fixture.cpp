#include "core_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <filesystem>
#include <future>

#include "channel/channel.h"
#include "client-core-manager.h"
#include "core-timing.h"
#include "domain-resolver.h"
#include "event-manager.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"
#include "log-db.h"
#include "peer-monitor.h"
#include "site-info-manager.h"
#include "support/certificates.h"
#include "system-db.h"

namespace fs = std::filesystem;

ViewRelay::ViewRelay()
{
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    connect(this, &ViewRelay::sigConnectSite, hub, &GlobalConnecter::sigConnectSite);
    connect(this, &ViewRelay::sigEventAdded, hub, &GlobalConnecter::sigEventAdded);
    connect(this, &ViewRelay::sigRemoveSite, hub, &GlobalConnecter::sigRemoveSite);
    connect(this, &ViewRelay::sigCloseAllPeers, hub, &GlobalConnecter::sigCloseAllPeers);
    connect(this, &ViewRelay::sigResumeDisconnectedJobs, hub, &GlobalConnecter::sigResumeDisconnectedJobs);
}

std::vector<std::string> Names(const SiteFileList& list)
{
    std::vector<std::string> names;
    for (const SiteFileInfo& info : list)
        names.push_back(info.name.toStdString());
    return names;
}

CoreTest::CoreTest() : m_dir("qm-core")
{
    // Short periods so scenarios run in seconds; the logic is the product's.
    CoreTiming& timing = CoreTiming::get();
    timing.channel_tick_ms = 100;
    timing.queue_retry_ms = 100;
    timing.data_wait_ms = 3000;
    timing.close_guard_ms = 3000;
    timing.task_pass_ms = 100;

    qm_test::Credentials ca = qm_test::makeCa("Quillmar Core Test CA");
    m_ca_file = m_dir.file("ca.pem");
    ca.writeFiles(m_ca_file, "");
    m_cert_file = m_dir.file("server.crt");
    m_key_file = m_dir.file("server.key");
    qm_test::makeServerCert("localhost", {"localhost"}, &ca).writeFiles(m_cert_file, m_key_file);
    m_self_cert_file = m_dir.file("self.crt");
    m_self_key_file = m_dir.file("self.key");
    qm_test::makeServerCert("localhost", {"localhost"}, nullptr).writeFiles(m_self_cert_file, m_self_key_file);
    Channel::SetVerifyCAPath(m_ca_file);

    fs::create_directories(Docs());
    fs::create_directories(Local());
    EXPECT_EQ(LogDB::initialize(m_dir.file("log-db.sqlite")), 0);
    EXPECT_EQ(SystemDB::initialize(ustring(m_dir.file("sys-db.sqlite"))), 0);
    setSiteDomainResolver([](const std::string& name, std::vector<std::string>& out) {
        if (name != "localhost")
            return -1;
        out.push_back("127.0.0.1");
        return 0;
    });
    PeerMonitor::setConnectMethodSource([] { return QString("tcp"); });

    TransferService* engine = ClientCoreManager::getTransferService();
    EXPECT_EQ(engine->init(TRANSFER_SIDE_CLIENT, 0), 0);
    EXPECT_EQ(engine->startService(), 0);

    GlobalConnecter* hub = GlobalConnecter::getInstance();
    m_done_spy.reset(new QSignalSpy(hub, &GlobalConnecter::sigHandleEventDone));
    m_connected_spy.reset(new QSignalSpy(hub, &GlobalConnecter::sigConnectSiteDone));
    m_disconnected_spy.reset(new QSignalSpy(hub, &GlobalConnecter::sigSiteDisconnected));
    m_update_spy.reset(new QSignalSpy(hub, &GlobalConnecter::sigUpdatePath));

    StartServer();

    // As the client manager does: built here, then moved to its own thread.
    m_monitor = new PeerMonitor(nullptr);
    m_monitor->moveToThread(&m_monitor_thread);
    m_monitor_context = new ThreadRunner();
    m_monitor_context->moveToThread(&m_monitor_thread);
    m_monitor_thread.start();
}

CoreTest::~CoreTest()
{
    // Deleted on its own thread (it stops and joins every channel's workers),
    // waited for through a promise the thread checker can see.
    PeerMonitor* monitor = m_monitor;
    ThreadRunner* context = m_monitor_context;
    context->run([monitor, context] {
        delete monitor;
        context->deleteLater();
    });
    m_monitor = nullptr;
    m_monitor_thread.quit();
    m_monitor_thread.wait();
    ClientCoreManager::getTransferService()->stopService();
    StopServer();
    setSiteDomainResolver({});
    PeerMonitor::setConnectMethodSource({});
    LogDB::destroy();
    SystemDB::destroy();
}

void CoreTest::StartServer(const std::function<void(test_server::ServerConfig&)>& edit)
{
    StopServer();
    test_server::ServerConfig config;
    config.port = m_control_port;
    config.cert_path = m_cert_file;
    config.key_path = m_key_file;
    config.accounts = {{"alice", "pw", ""}, {"bob", "pw", "123456"}};
    config.shares = {{"docs", Docs(), "rw"}};
    if (edit)
        edit(config);
    m_config = config;
    m_data.reset(new test_server::DataServer(config.shares));
    std::string error;
    ASSERT_EQ(m_data->Start(m_data_port, config.key_path, config.cert_path, error), 0) << error;
    m_data_port = m_data->Port();
    // Through the fixture: a restart brings a new data side under the same control side.
    config.on_session_seed = [this](uint64_t seed) {
        if (m_data)
            m_data->AddSession(seed);
    };
    m_control.reset(new test_server::ControlServer(config));
    ASSERT_EQ(m_control->Start(error), 0) << error;
    m_control_port = m_control->Port();
}

void CoreTest::KillServer()
{
    m_control->Stop();
    m_data->Stop();
    m_data.reset();
}

void CoreTest::RestartServer()
{
    m_data.reset(new test_server::DataServer(m_config.shares));
    std::string error;
    ASSERT_EQ(m_data->Start(m_data_port, m_config.key_path, m_config.cert_path, error), 0) << error;
    ASSERT_EQ(m_control->Restart(error), 0) << error;
    EXPECT_EQ(m_control->Port(), m_control_port);
    EXPECT_EQ(m_data->Port(), m_data_port);
}

void CoreTest::StopServer()
{
    if (m_control)
        m_control->Stop();
    if (m_data)
        m_data->Stop();
    m_control.reset();
    m_data.reset();
}

SiteInfo CoreTest::Request(const std::function<void(SiteInfo&)>& edit)
{
    SiteInfo info;
    info.connection_id = 7;
    info.server_name = "Core Test";
    info.domain_name = "localhost";
    info.user_name = "alice";
    info.password = "pw";
    info.control_port = static_cast<int32_t>(m_control_port);
    info.transfer_port = static_cast<int32_t>(m_data_port);
    info.concurrent = 3;
    if (edit)
        edit(info);
    return info;
}

uint64_t CoreTest::Connect(const SiteInfo& request)
{
    int before = m_connected_spy->count();
    emit m_views.sigConnectSite(request);
    if (!WaitUntil([&] { return m_connected_spy->count() > before; }))
        return 0;
    return m_connected_spy->at(before).at(0).value<uint64_t>();
}

uint64_t CoreTest::ConnectOk(const std::function<void(SiteInfo&)>& edit)
{
    uint64_t peer = Connect(Request(edit));
    EXPECT_NE(peer, 0u);
    EXPECT_EQ(Site(peer).site_error, SITE_ERROR_OK) << "protocol error " << Site(peer).protocol_error;
    return peer;
}

uint32_t CoreTest::Push(Event event)
{
    uint32_t id = EventManager::getInstance()->pushEvent(event);
    emit m_views.sigEventAdded(id);
    return id;
}

bool CoreTest::WaitDone(uint32_t id, int timeout_ms)
{
    return WaitUntil(
        [&] {
            for (const QList<QVariant>& args : *m_done_spy)
                if (args.at(0).toUInt() == id)
                    return true;
            return false;
        },
        timeout_ms);
}

int CoreTest::Run(Event event, uint32_t* id_out)
{
    uint32_t id = Push(event);
    if (id_out)
        *id_out = id;
    EXPECT_TRUE(WaitDone(id)) << event.toString();
    return EventManager::getInstance()->getStatus(id).error;
}

bool CoreTest::WaitUntil(const std::function<bool()>& condition, int timeout_ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > timeout_ms)
            return false;
        // Runs the main loop until something arrives or 20 ms pass, so the
        // condition is looked at again without spinning the processor.
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void CoreTest::OnMonitor(const std::function<void(PeerMonitor&)>& call)
{
    PeerMonitor* monitor = m_monitor;
    m_monitor_context->run([&call, monitor] { call(*monitor); });
}

void ThreadRunner::run(std::function<void()> call)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.emplace_back(std::move(call), done);
    }
    QMetaObject::invokeMethod(this, "runPending", Qt::QueuedConnection);
    finished.wait();
}

void ThreadRunner::runPending()
{
    for (;;) {
        std::pair<std::function<void()>, std::shared_ptr<std::promise<void>>> next;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_pending.empty())
                return;
            next = std::move(m_pending.front());
            m_pending.erase(m_pending.begin());
        }
        next.first();
        next.first = nullptr;
        next.second->set_value();
    }
}

SiteInfo CoreTest::Site(uint64_t peer_id)
{
    SiteInfo info;
    EXPECT_TRUE(SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, info)) << peer_id;
    return info;
}

bool CoreTest::HasSite(uint64_t peer_id)
{
    SiteInfo info;
    return SiteInfoManager::getInstance()->getSiteInfoByPeerId(peer_id, info);
}

std::vector<MiscLog> CoreTest::Rows(uint32_t type)
{
    MiscLogFilter filter;
    if (type != 0)
        filter.log_type = {static_cast<int>(type)};
    std::vector<MiscLog> newest_first;
    unsigned int total = 0;
    EXPECT_EQ(LogDB::searchLog(filter, newest_first, total), 0);
    return std::vector<MiscLog>(newest_first.rbegin(), newest_first.rend());
}

std::vector<ResumeInfo> CoreTest::TasksOf(uint64_t peer_id)
{
    ResumeFilter filter;
    filter.check_peer_id = true;
    filter.peer_ids = {peer_id};
    std::vector<ResumeInfo> tasks;
    int total = 0;
    uint64_t down = 0, up = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, tasks, total, down, up);
    return tasks;
}

int CoreTest::TaskCount(uint64_t peer_id)
{
    ResumeFilter filter;
    filter.limit = 0;
    if (peer_id != 0) {
        filter.check_peer_id = true;
        filter.peer_ids = {peer_id};
    }
    std::vector<ResumeInfo> none;
    int total = 0;
    uint64_t down = 0, up = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, none, total, down, up);
    return total;
}
