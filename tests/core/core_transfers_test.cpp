// Transfer feeding end to end: a tree uploaded and downloaded again through
// events, the engine moving the files, the task monitor writing the log.
#include "core_fixture.h"

#include <QThread>

#include <filesystem>
#include <future>
#include <map>

#include "client-core-manager.h"
#include "core-timing.h"
#include "db-util.h"
#include "kavelin/vardo-core-manager.h"
#include "event-generator.h"
#include "file-op.h"
#include "log-db.h"
#include <openssl/evp.h>

#include "support/temp_dir.h"
#include "task-monitor.h"
#include "transfer-log.h"

namespace fs = std::filesystem;

namespace {

// Files (relative path -> content) and folders of the tree under test.
const std::map<std::string, std::string> kFiles = {
    {"top.txt", "top level"},
    {"zero.bin", ""},
    {"nested/one.txt", "one"},
    {"nested/deeper/two.bin", std::string(200000, 'x') + "end"},
    {"n\xC3\xBCmlaut/\xE6\x96\x87\xE4\xBB\xB6.txt", "non-ascii"},
};
const std::vector<std::string> kFolders = {"nested", "nested/deeper", "empty", "n\xC3\xBCmlaut"};

std::string Sha256File(const std::string& path)
{
    std::string bytes = qm_test::readFile(path);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
    return std::string(reinterpret_cast<char*>(digest), length) + (fs::exists(path) ? "" : "missing");
}

uint64_t MtimeUs(const std::string& path)
{
    FILE_INFO info;
    FSStat(ustring(path), info, true);
    return info.mtime;
}

std::vector<TransferLog> TransferRows()
{
    TransferLogFilter filter;
    std::vector<TransferLog> rows;
    unsigned int total = 0;
    EXPECT_EQ(LogDB::searchLog(filter, rows, total), 0);
    return rows;
}

}  // namespace

class CoreTransfersTest : public CoreTest {
protected:
    CoreTransfersTest()
    {
        GlobalConnecter* hub = GlobalConnecter::getInstance();
        // One sequence of what the monitor reported, in hub order.
        connect_count = QObject::connect(hub, &GlobalConnecter::sigTaskCountChanged, &m_views,
                                         [this](int count) { m_sequence.push_back({-1, count}); });
        connect_refresh = QObject::connect(hub, &GlobalConnecter::sigRefreshPeerPage, &m_views,
                                           [this](uint64_t peer) { m_sequence.push_back({1, static_cast<int>(peer)}); });
        m_task_monitor = new TaskMonitor(nullptr);
        m_task_monitor->moveToThread(&m_task_thread);
        m_task_thread.start();
        m_task_monitor->startService();
    }
    ~CoreTransfersTest() override
    {
        TaskMonitor* monitor = m_task_monitor;
        ThreadRunner* runner = new ThreadRunner();
        runner->moveToThread(&m_task_thread);
        runner->run([monitor, runner] {
            delete monitor;
            runner->deleteLater();
        });
        m_task_thread.quit();
        m_task_thread.wait();
        QObject::disconnect(connect_count);
        QObject::disconnect(connect_refresh);
    }

    void MakeTree(const std::string& root)
    {
        for (const std::string& folder : kFolders)
            fs::create_directories(root + "/" + folder);
        uint64_t mtime = 1600000000000000ull;  // whole seconds: every layer keeps them
        for (const auto& file : kFiles) {
            ASSERT_TRUE(qm_test::writeFile(root + "/" + file.first, file.second));
            FSUTime(ustring(root + "/" + file.first), mtime, mtime);
            mtime += 1000000;
        }
    }
    void ExpectSameTree(const std::string& from, const std::string& to)
    {
        for (const std::string& folder : kFolders)
            EXPECT_TRUE(fs::is_directory(to + "/" + folder)) << folder;
        for (const auto& file : kFiles) {
            EXPECT_EQ(Sha256File(to + "/" + file.first), Sha256File(from + "/" + file.first))
                << file.first;
            EXPECT_EQ(MtimeUs(to + "/" + file.first) / 1000, MtimeUs(from + "/" + file.first) / 1000) << file.first;
        }
    }
    // Waits until the monitor reports an empty store after the files moved.
    bool WaitAllFinished(size_t rows)
    {
        return WaitUntil([&] {
            return TransferRows().size() >= rows && !m_sequence.empty() && m_sequence.back().first == -1 &&
                   m_sequence.back().second == 0;
        }, 120000);
    }

    // A site logged in whose data side never comes up: the tasks stay in the
    // store as they were queued. Its peer id, or 0.
    uint64_t ConnectWithoutDataSide()
    {
        CoreTiming::get().data_wait_ms = 600000;
        SiteInfo request = Request([](SiteInfo& s) { s.transfer_port = 1; });
        if (!ClientCoreManager::getCoreManager()->getNextPeerId(request.peer_id))
            return 0;
        QSignalSpy up(GlobalConnecter::getInstance(), &GlobalConnecter::sigConnectControlChannelSuccess);
        emit m_views.sigConnectSite(request);
        return WaitUntil([&] { return up.count() == 1; }) ? request.peer_id : 0;
    }

    TaskMonitor* m_task_monitor = nullptr;
    QThread m_task_thread;
    std::vector<std::pair<int, int>> m_sequence;  // (-1, count) or (1, peer)
    QMetaObject::Connection connect_count, connect_refresh;
};

TEST_F(CoreTransfersTest, TreeUploadedThenDownloadedIntact)
{
    uint64_t p = ConnectOk();
    ASSERT_NE(p, 0u);
    MakeTree(Local("/tree"));
    EventGenerator generator;
    Event upload;
    ASSERT_EQ(generator.createCopyEventFromPaths(upload, p, QString::fromStdString("0:" + Local("/tree")),
                                                 QString::fromStdString(std::to_string(p) + ":/docs")), 0);
    upload.source_is_dir = true;
    ASSERT_EQ(upload.type, EV_UPLOAD);
    EXPECT_EQ(Run(upload), 0);
    // The empty folder is made on the server by the event itself.
    EXPECT_TRUE(fs::is_directory(Docs("/tree/empty")));
    ASSERT_TRUE(WaitAllFinished(kFiles.size()));
    ExpectSameTree(Local("/tree"), Docs("/tree"));

    Event download;
    fs::create_directories(Local("/down"));
    ASSERT_EQ(generator.createCopyEventFromPaths(download, p, QString::fromStdString(std::to_string(p) + ":/docs/tree"),
                                                 QString::fromStdString("0:" + Local("/down"))), 0);
    download.source_is_dir = true;
    ASSERT_EQ(download.type, EV_DOWNLOAD);
    EXPECT_EQ(Run(download), 0);
    // Every destination folder exists once the event is done, empty ones too.
    for (const std::string& folder : kFolders)
        EXPECT_TRUE(fs::is_directory(Local("/down/tree/" + folder))) << folder;
    ASSERT_TRUE(WaitAllFinished(2 * kFiles.size()));
    ExpectSameTree(Local("/tree"), Local("/down/tree"));

    // One row per file and direction, server paths absolute.
    std::vector<TransferLog> rows = TransferRows();
    EXPECT_EQ(rows.size(), 2 * kFiles.size());
    size_t uploads = 0, downloads = 0;
    for (const TransferLog& row : rows) {
        if (row.type == LOG_UPLOAD) {
            ++uploads;
            EXPECT_EQ(row.path_to.rfind("//docs/tree/", 0), std::string::npos) << row.path_to;
            EXPECT_EQ(row.path_to.rfind("/docs/tree/", 0), 0u) << row.path_to;
        } else {
            ++downloads;
            EXPECT_EQ(row.path_from.rfind("/docs/tree/", 0), 0u) << row.path_from;
        }
        EXPECT_EQ(row.username, "alice");
        EXPECT_EQ(row.ip, "localhost");
    }
    EXPECT_EQ(uploads, kFiles.size());
    EXPECT_EQ(downloads, kFiles.size());
    // The last pass's refresh follows its count; then each pass refreshes a
    // peer at most once.
    EXPECT_TRUE(WaitUntil([&] {
        int refreshes = 0;
        for (const auto& item : m_sequence)
            refreshes += item.first == 1 ? 1 : 0;
        return refreshes >= 2;
    }));
    int refreshes_in_pass = 0;
    int total_refreshes = 0;
    for (const auto& item : m_sequence) {
        if (item.first == -1) {
            refreshes_in_pass = 0;
            continue;
        }
        EXPECT_EQ(static_cast<uint64_t>(item.second), p);
        EXPECT_LE(++refreshes_in_pass, 1);
        ++total_refreshes;
    }
    EXPECT_GE(total_refreshes, 2);
}

TEST_F(CoreTransfersTest, UploadTasksAreQueuedDepthFirstOnePerFile)
{
    // No data connection: the tasks stay in the store in the order they came.
    const uint64_t p = ConnectWithoutDataSide();
    ASSERT_NE(p, 0u);
    MakeTree(Local("/tree"));
    EventGenerator generator;
    Event upload;
    ASSERT_EQ(generator.createCopyEventFromPaths(upload, p, QString::fromStdString("0:" + Local("/tree")),
                                                 QString::fromStdString(std::to_string(p) + ":/docs")), 0);
    upload.source_is_dir = true;
    EXPECT_EQ(Run(upload), 0);

    const std::vector<ResumeInfo> tasks = TasksOf(p);
    ASSERT_EQ(tasks.size(), kFiles.size());
    std::vector<std::string> folders_seen;
    for (const ResumeInfo& task : tasks) {
        std::string from = task.path_from.c_str_utf8();
        std::string to = task.path_to.c_str_utf8();
        ASSERT_EQ(from.rfind(Local("/tree/"), 0), 0u) << from;
        const std::string rel = from.substr(Local("/tree/").size());
        EXPECT_EQ(to, "/docs/tree/" + rel);
        EXPECT_EQ(task.command, C_PUSH);
        EXPECT_EQ(task.total, kFiles.at(rel).size()) << rel;
        EXPECT_EQ(task.mtime % 1000000, 0u) << rel;  // the whole seconds the tree was given
        folders_seen.push_back(rel.find('/') == std::string::npos ? "" : rel.substr(0, rel.rfind('/')));
    }
    // Depth first: when the walk comes back to a folder, everything it saw in
    // between lay inside that folder.
    for (size_t i = 0; i < folders_seen.size(); ++i)
        for (size_t j = i; j-- > 0;)
            if (folders_seen[j] == folders_seen[i]) {
                for (size_t k = j + 1; k < i; ++k) {
                    const std::string& inside = folders_seen[k];
                    bool below = folders_seen[i].empty() ? !inside.empty()
                                                         : inside.rfind(folders_seen[i] + "/", 0) == 0;
                    EXPECT_TRUE(below) << inside << " between two files of '" << folders_seen[i] << "'";
                }
                break;
            }
}

// Downloads carry the size the server listed, for a folder's files and for a
// file downloaded on its own, so that the engine can ask for small files
// ahead of the running ones.
TEST_F(CoreTransfersTest, DownloadTasksCarryTheListedSize)
{
    const uint64_t p = ConnectWithoutDataSide();
    ASSERT_NE(p, 0u);
    MakeTree(Docs("/tree"));
    fs::create_directories(Local("/down"));
    const std::string single = kFiles.begin()->first;
    EventGenerator generator;
    for (const std::string& from : {std::string("/docs/tree"), "/docs/tree/" + single}) {
        Event download;
        ASSERT_EQ(generator.createCopyEventFromPaths(download, p, QString::fromStdString(std::to_string(p) + ":" + from),
                                                     QString::fromStdString("0:" + Local("/down"))),
                  0);
        download.source_is_dir = from == "/docs/tree";
        ASSERT_EQ(download.type, EV_DOWNLOAD);
        EXPECT_EQ(Run(download), 0) << from;
    }

    const std::vector<ResumeInfo> tasks = TasksOf(p);
    ASSERT_EQ(tasks.size(), kFiles.size() + 1);
    for (const ResumeInfo& task : tasks) {
        const std::string from = task.path_from.c_str_utf8();
        ASSERT_EQ(from.rfind("/docs/tree/", 0), 0u) << from;
        EXPECT_EQ(task.command, C_PULL);
        EXPECT_EQ(task.total, kFiles.at(from.substr(std::string("/docs/tree/").size())).size()) << from;
    }
}

TEST(CoreTaskMonitorRow, BuiltFromTaskAndSite)
{
    SiteInfo site;
    site.user_name = "ann";
    site.domain_name = "nas.example";
    struct Row {
        const char* name;
        Command command;
        std::string from, to;
        uint64_t total, elapsed;
        uint32_t type;
        std::string path_from, path_to, file_name;
        uint64_t speed;
    } rows[] = {
        {"download", C_PULL, "share/a/b.txt", "/home/u/dl/b.txt", 5000, 2000, LOG_DOWNLOAD, "/share/a/b.txt",
         "/home/u/dl/b.txt", "b.txt", 2500},
        {"upload", C_PUSH, "/home/u/up/c.txt", "share/x/c.txt", 5000, 0, LOG_UPLOAD, "/home/u/up/c.txt",
         "/share/x/c.txt", "c.txt", 5000000},
        {"server path already absolute", C_PUSH, "/home/u/c.txt", "/share/c.txt", 1, 1, LOG_UPLOAD,
         "/home/u/c.txt", "/share/c.txt", "c.txt", 1000},
        {"no separator", C_PULL, "plain", "/tmp/plain", 0, 10, LOG_DOWNLOAD, "/plain", "/tmp/plain", "plain", 0},
    };
    for (const Row& row : rows) {
        ResumeInfo task;
        task.command = row.command;
        task.path_from = ustring(row.from);
        task.path_to = ustring(row.to);
        task.total = row.total;
        task.elapsed_time = row.elapsed;
        task.start_time = 11;
        task.finish_time = 22;
        TransferLog log = TaskMonitor::buildTransferLog(task, site);
        EXPECT_EQ(log.type, row.type) << row.name;
        EXPECT_EQ(log.path_from, row.path_from) << row.name;
        EXPECT_EQ(log.path_to, row.path_to) << row.name;
        EXPECT_EQ(log.file_name, row.file_name) << row.name;
        EXPECT_EQ(log.avg_speed, row.speed) << row.name;
        EXPECT_EQ(log.username, "ann");
        EXPECT_EQ(log.ip, "nas.example");
        EXPECT_EQ(log.start_time, 11u);
        EXPECT_EQ(log.end_time, 22u);
        EXPECT_EQ(log.file_size, 0u);
    }
}
