// How much the application core adds to the work below it. Each pair runs
// the same job through the core (events, hub, worker threads, task store)
// and without it. A run of the core against its baseline should differ by a
// small fraction: listings travel as implicitly shared lists, never copied
// element by element per hop.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "channel/channel.h"
#include "client-core-manager.h"
#include "control_server.h"
#include "core-timing.h"
#include "domain-resolver.h"
#include "event-generator.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "kavelin/list-node-util.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"
#include "log-db.h"
#include "peer-monitor.h"
#include "site-info-manager.h"
#include "support/certificates.h"
#include "support/temp_dir.h"
#include "task-monitor.h"

namespace fs = std::filesystem;

namespace {

const int kFolderEntries = 100000;
const int kTreeFolders = 100;
const int kTreeFilesPerFolder = 100;
const int kFinishedTasks = 10000;

// The server, the client engine and a logged-in site, made once.
struct Setup {
    qm_test::TempDir dir{"qm-core-bench"};
    std::unique_ptr<test_server::ControlServer> server;
    QThread monitor_thread;
    PeerMonitor* monitor = nullptr;
    uint64_t peer = 0;

    Setup()
    {
        // No data connection is ever made (the transfer port is dead) and
        // none is awaited: stored tasks stay waiting, the engine stays idle.
        CoreTiming::get().data_wait_ms = 24 * 3600 * 1000;
        qm_test::Credentials ca = qm_test::makeCa("Core Bench CA");
        ca.writeFiles(dir.file("ca.pem"), "");
        qm_test::makeServerCert("localhost", {"localhost"}, &ca).writeFiles(dir.file("s.crt"), dir.file("s.key"));
        Channel::SetVerifyCAPath(dir.file("ca.pem"));
        fs::create_directories(dir.file("docs/big"));
        for (int i = 0; i < kFolderEntries; ++i)
            std::ofstream(dir.file("docs/big/entry-" + std::to_string(i) + ".dat"));
        for (int f = 0; f < kTreeFolders; ++f) {
            std::string folder = dir.file("local/tree/folder-" + std::to_string(f));
            fs::create_directories(folder);
            for (int i = 0; i < kTreeFilesPerFolder; ++i)
                std::ofstream(folder + "/file-" + std::to_string(i) + ".txt") << "x";
        }
        LogDB::initialize(dir.file("log-db.sqlite"));
        setSiteDomainResolver([](const std::string&, std::vector<std::string>& out) {
            out.push_back("127.0.0.1");
            return 0;
        });

        test_server::ServerConfig config;
        config.port = 0;
        config.cert_path = dir.file("s.crt");
        config.key_path = dir.file("s.key");
        config.accounts = {{"alice", "pw", ""}};
        config.shares = {{"docs", dir.file("docs"), "rw"}};
        server.reset(new test_server::ControlServer(config));
        std::string error;
        if (server->Start(error) != 0)
            throw std::runtime_error(error);

        TransferService* engine = ClientCoreManager::getTransferService();
        engine->init(TRANSFER_SIDE_CLIENT, 0);
        engine->startService();
        monitor = new PeerMonitor(nullptr);
        monitor->moveToThread(&monitor_thread);
        monitor_thread.start();

        SiteInfo site;
        ClientCoreManager::getCoreManager()->getNextPeerId(site.peer_id);
        site.domain_name = "localhost";
        site.user_name = "alice";
        site.password = "pw";
        site.control_port = static_cast<int32_t>(server->Port());
        site.transfer_port = 1;
        site.concurrent = 1;
        peer = site.peer_id;
        bool up = false;
        QObject context;
        QObject::connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectControlChannelSuccess, &context,
                         [&](uint64_t) { up = true; });
        QMetaObject::invokeMethod(GlobalConnecter::getInstance(), "sigConnectSite", Qt::QueuedConnection,
                                  Q_ARG(SiteInfo, site));
        waitFor([&] { return up; });
    }
    ~Setup()
    {
        monitor_thread.quit();
        monitor_thread.wait();
        delete monitor;
        ClientCoreManager::getTransferService()->stopService();
        server->Stop();
        LogDB::destroy();
    }
    static void waitFor(const std::function<bool()>& done)
    {
        while (!done())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    static Setup& get()
    {
        static Setup setup;
        return setup;
    }
};

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void ListingThroughTheCore(benchmark::State& state)
{
    Setup& setup = Setup::get();
    int received = 0;
    QObject context;
    QObject::connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigUpdatePath, &context,
                     [&](uint64_t, QString, SiteFileList list) { received = list.size(); });
    Event list;
    EventGenerator().createEventFromList(list, setup.peer,
                                         QString::fromStdString(std::to_string(setup.peer) + ":/docs/big"));
    for (auto _ : state) {
        received = 0;
        auto start = std::chrono::steady_clock::now();
        uint32_t id = EventManager::getInstance()->pushEvent(list);
        emit GlobalConnecter::getInstance()->sigEventAdded(id);
        Setup::waitFor([&] { return received != 0; });
        state.SetIterationTime(seconds(start));
        EventManager::getInstance()->removeEvent(id);
    }
    state.counters["entries"] = received;
    state.SetItemsProcessed(state.iterations() * kFolderEntries);
}

void ListingProtoUIAlone(benchmark::State& state)
{
    Setup& setup = Setup::get();
    ProtoUI client;
    client.SetServer("127.0.0.1", setup.server->Port());
    client.SetUser("alice", "pw", "");
    client.SetSSL(true, false, "", "");
    client.SetTimeout(60);
    uint64_t seed = 0;
    client.Auth(seed, false);
    size_t received = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        bool is_dir = false;
        std::vector<ProtoUI::Node> nodes;
        client.ListNode("/docs/big", is_dir, nodes);
        received = nodes.size();
        state.SetIterationTime(seconds(start));
    }
    state.counters["entries"] = static_cast<double>(received);
    state.SetItemsProcessed(state.iterations() * kFolderEntries);
}

int storedTasks(uint64_t peer)
{
    ResumeFilter filter;
    filter.limit = 0;
    filter.check_peer_id = true;
    filter.peer_ids = {peer};
    std::vector<ResumeInfo> none;
    int total = 0;
    uint64_t down = 0, up = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, none, total, down, up);
    return total;
}

void UploadTreeThroughTheCore(benchmark::State& state)
{
    Setup& setup = Setup::get();
    const int files = kTreeFolders * kTreeFilesPerFolder;
    Event upload;
    EventGenerator().createCopyEventFromPaths(upload, setup.peer,
                                              QString::fromStdString("0:" + setup.dir.file("local/tree")),
                                              QString::fromStdString(std::to_string(setup.peer) + ":/docs"));
    upload.source_is_dir = true;
    uint32_t done = 0;
    QObject context;
    QObject::connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigHandleEventDone, &context,
                     [&](uint id) { done = id; });
    for (auto _ : state) {
        int before = storedTasks(setup.peer);
        auto start = std::chrono::steady_clock::now();
        uint32_t id = EventManager::getInstance()->pushEvent(upload);
        emit GlobalConnecter::getInstance()->sigEventAdded(id);
        // The worker hands the last tasks over before it reports the event done.
        Setup::waitFor([&] { return done == id; });
        state.SetIterationTime(seconds(start));
        if (storedTasks(setup.peer) != before + files)
            state.SkipWithError("not every task was stored");
        EventManager::getInstance()->removeEvent(id);
    }
    state.SetItemsProcessed(state.iterations() * files);
}

size_t walk(const std::string& path)
{
    std::vector<DIR_ENTRY> entries;
    if (listLocal(std::string(), ustring(path), entries) != 0)
        return 0;
    size_t files = 0;
    for (const DIR_ENTRY& entry : entries)
        files += entry.type == FT_DIR ? walk(path + "/" + entry.name.c_str_utf8()) : 1;
    return files;
}

void WalkTreeWithListLocal(benchmark::State& state)
{
    Setup& setup = Setup::get();
    size_t files = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        files = walk(setup.dir.file("local/tree"));
        state.SetIterationTime(seconds(start));
    }
    state.counters["files"] = static_cast<double>(files);
    state.SetItemsProcessed(state.iterations() * kTreeFolders * kTreeFilesPerFolder);
}

std::vector<ResumeInfo> finishedTasks()
{
    std::vector<ResumeInfo> tasks(kFinishedTasks);
    for (int i = 0; i < kFinishedTasks; ++i) {
        ResumeInfo& task = tasks[i];
        task.peer_id = 1;
        task.command = i % 2 ? C_PULL : C_PUSH;
        task.path_from = ustring("/docs/folder/file-" + std::to_string(i) + ".bin");
        task.path_to = ustring("/home/user/dl/file-" + std::to_string(i) + ".bin");
        task.total = 1000 + i;
        task.elapsed_time = 10 + i % 7;
        task.local_state = ResumeInfo::RI_DONE;
    }
    return tasks;
}

void TaskPassRowByRow(benchmark::State& state)
{
    Setup::get();
    std::vector<ResumeInfo> tasks = finishedTasks();
    SiteInfo site;
    site.user_name = "alice";
    site.domain_name = "localhost";
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (const ResumeInfo& task : tasks)
            LogDB::insertTransferLog(TaskMonitor::buildTransferLog(task, site));
        state.SetIterationTime(seconds(start));
    }
    state.SetItemsProcessed(state.iterations() * kFinishedTasks);
}

void TaskPassOneTransaction(benchmark::State& state)
{
    Setup::get();
    std::vector<ResumeInfo> tasks = finishedTasks();
    SiteInfo site;
    site.user_name = "alice";
    site.domain_name = "localhost";
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        std::vector<TransferLog> rows;
        rows.reserve(tasks.size());
        for (const ResumeInfo& task : tasks)
            rows.push_back(TaskMonitor::buildTransferLog(task, site));
        LogDB::insertTransferLogs(rows);
        state.SetIterationTime(seconds(start));
    }
    state.SetItemsProcessed(state.iterations() * kFinishedTasks);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    for (auto* bench : {
             benchmark::RegisterBenchmark("folder_100k/core_pushEvent_to_listing", ListingThroughTheCore),
             benchmark::RegisterBenchmark("folder_100k/ProtoUI_ListNode_alone", ListingProtoUIAlone),
             benchmark::RegisterBenchmark("tree_10k/core_pushEvent_to_tasks_stored", UploadTreeThroughTheCore),
             benchmark::RegisterBenchmark("tree_10k/listLocal_walk", WalkTreeWithListLocal),
             benchmark::RegisterBenchmark("task_pass_10k/row_by_row", TaskPassRowByRow),
             benchmark::RegisterBenchmark("task_pass_10k/one_transaction", TaskPassOneTransaction),
         })
        bench->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
