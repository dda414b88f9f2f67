// The Task Manager over a real session: logged in to the test file server
// over TLS, uploads and downloads run by the engine behind ClientCoreManager
// under a rate limit and one transfer at a time, so the tasks stay on screen
// while the window polls. Buttons are clicked as a user clicks them.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <filesystem>

#include "action-bar.h"
#include "central-widget.h"
#include "client-core-manager.h"
#include "core_fixture.h"
#include "event-generator.h"
#include "full-queue.h"
#include "image_manager.h"
#include "kavelin/vardo-core-manager.h"
#include "peer-monitor.h"
#include "progress-status-widget.h"
#include "queue-page.h"
#include "simple-queue.h"
#include "support/temp_dir.h"
#include "task-entry.h"
#include "top-tool-bar.h"
#include "transfer-button.h"
#include "transfer_test_support.h"
#include "ui_path_manager.h"
#include "vexo_icon_button.h"
#include "vexo_table_widget.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;

namespace {

std::string Digest(const std::string& path)
{
    std::string bytes = qm_test::readFile(path);
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
    return std::string(reinterpret_cast<char*>(digest), length);
}

std::string Content(size_t size, char seed)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(seed + static_cast<char>((i * 131) % 97));
    return bytes;
}

ResumeInfo Task(uint64_t resume_id)
{
    ResumeInfo info;
    if (!ClientCoreManager::getCoreManager()->getResumeInfoFromResumeId(resume_id, info))
        info.resume_id = 0;
    return info;
}

// Queued tasks in queue order, by file name.
std::vector<ResumeInfo> Queue()
{
    return transfertest::storedTasks();
}

uint64_t IdOf(const std::string& name)
{
    for (const ResumeInfo& info : Queue()) {
        const std::string from = info.path_from.c_str_utf8();
        if (from.size() >= name.size() && from.compare(from.size() - name.size(), name.size(), name) == 0)
            return info.resume_id;
    }
    return 0;
}

uintmax_t FileSize(const std::string& path)
{
    std::error_code error;
    const uintmax_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

}  // namespace

class TransferEndToEndTest : public CoreTest {
protected:
    static void SetUpTestSuite()
    {
        vexotest::initLibrary();
#ifdef QM_STAGE_RESOURCE_DIR
        UIPathManager::getInstance()->setPath("resource_path", QStringLiteral(QM_STAGE_RESOURCE_DIR));
        ImageManager::getInstance()->initialize(0);
#endif
    }
    void SetUp() override { transfertest::clearStore(); }
    void TearDown() override
    {
        m_host.reset();
        // Whatever a test left queued goes before the next test's session.
        for (const ResumeInfo& info : Queue())
            ClientCoreManager::getCoreManager()->removeInfo(info.resume_id);
    }

    // Logs in alice with one transfer at a time, both directions limited (KB/s).
    uint64_t Login(uint64_t kbps)
    {
        return ConnectOk([kbps](SiteInfo& s) {
            s.concurrent = 1;
            s.max_download = kbps;
            s.max_upload = kbps;
        });
    }
    void Download(uint64_t peer, const std::string& server_path)
    {
        Event event;
        ASSERT_EQ(EventGenerator().createCopyEventFromPaths(
                      event, peer, QString::fromStdString(std::to_string(peer) + ":" + server_path),
                      QString::fromStdString("0:" + Local())), 0);
        ASSERT_EQ(Run(event), 0);
    }
    void Upload(uint64_t peer, const std::string& local_name, const std::string& server_folder)
    {
        Event event;
        ASSERT_EQ(EventGenerator().createCopyEventFromPaths(
                      event, peer, QString::fromStdString("0:" + Local("/" + local_name)),
                      QString::fromStdString(std::to_string(peer) + ":" + server_folder)), 0);
        ASSERT_EQ(Run(event), 0);
    }
    // Opens the Task Manager with the main window's own button.
    QueuePage* Open()
    {
        m_host.reset(new CentralWidget);
        m_host->show();
        QTest::mouseClick(m_host->transferButton(), Qt::LeftButton);
        return m_host->queuePage();
    }
    void Click(QueuePage* page, int action)
    {
        QTest::mouseClick(page->topToolBar()->actionBar()->button(action), Qt::LeftButton);
    }
    // Waits for n more reloads of the view on show (each summarises the buttons).
    bool WaitReloads(int n)
    {
        QSignalSpy reloads(GlobalConnecter::getInstance(), &GlobalConnecter::sigUpdateActionBarButton);
        return WaitUntil([&] { return reloads.count() >= n; }, 10000);
    }
    static ProgressStatusWidget* SimpleStatus(QueuePage* page, int row)
    {
        TaskEntry* entry = page->simpleQueue()->entryAt(row);
        return entry ? entry->progressStatus() : nullptr;
    }
    static int SimpleRowOf(QueuePage* page, uint64_t id)
    {
        const std::vector<ResumeInfo>& infos = page->simpleQueue()->resumeInfos();
        for (size_t i = 0; i < infos.size(); ++i)
            if (infos[i].resume_id == id)
                return static_cast<int>(i);
        return -1;
    }

    std::unique_ptr<CentralWidget> m_host;
};

TEST_F(TransferEndToEndTest, DownloadProgressPauseStartAndClear)
{
    const std::string first = Content(300000, 'a');
    ASSERT_TRUE(qm_test::writeFile(Docs("/d0.bin"), first));
    ASSERT_TRUE(qm_test::writeFile(Docs("/d1.bin"), Content(300000, 'b')));
    const uint64_t p = Login(60);
    ASSERT_NE(p, 0u);
    Download(p, "/docs/d0.bin");
    Download(p, "/docs/d1.bin");
    QueuePage* page = Open();
    ASSERT_NE(page, nullptr);

    // A running download: a green bar that moves from one poll to the next.
    const uint64_t d0 = IdOf("d0.bin");
    ASSERT_NE(d0, 0u);
    ASSERT_TRUE(WaitUntil([&] {
        ProgressStatusWidget* status = SimpleStatus(page, SimpleRowOf(page, d0));
        return status && status->currentWidget() != status->statusLabel() && status->progressBar()->value() > 0;
    }));
    ProgressStatusWidget* status = SimpleStatus(page, SimpleRowOf(page, d0));
    EXPECT_EQ(status->progressBar()->property("color").toString(), "green");
    const int before = status->progressBar()->value();
    ASSERT_TRUE(WaitUntil([&] { return status->progressBar()->value() > before; }));

    // Pause: "Paused", and the partial file stops growing.
    page->simpleQueue()->listWidget()->item(SimpleRowOf(page, d0))->setSelected(true);
    Click(page, ActionBar::BA_PAUSE);
    ASSERT_TRUE(WaitUntil([&] { return Task(d0).local_state == ResumeInfo::RI_PAUSED; }));
    ASSERT_TRUE(WaitReloads(1));
    status = SimpleStatus(page, SimpleRowOf(page, d0));
    EXPECT_EQ(status->statusLabel()->text(), "Paused");
    const std::string temp = Task(d0).temp_path.c_str_utf8();
    const uint64_t paused_at = Task(d0).progress;
    const uintmax_t paused_size = FileSize(temp);
    ASSERT_TRUE(WaitReloads(2));
    EXPECT_EQ(Task(d0).progress, paused_at);
    EXPECT_EQ(FileSize(temp), paused_size);
    vexotest::saveScreenshot(page, "transfer_e2e_paused_simple");

    // Clear the one running meanwhile: the task and its partial file go.
    const uint64_t d1 = IdOf("d1.bin");
    ASSERT_NE(d1, 0u);
    ASSERT_TRUE(WaitUntil([&] { return Task(d1).progress > 0 && SimpleRowOf(page, d1) >= 0; }))
        << "d1: state " << Task(d1).local_state << ", " << Task(d1).progress << " of " << Task(d1).total;
    const std::string temp1 = Task(d1).temp_path.c_str_utf8();
    ASSERT_FALSE(temp1.empty());
    page->simpleQueue()->listWidget()->clearSelection();
    page->simpleQueue()->listWidget()->item(SimpleRowOf(page, d1))->setSelected(true);
    Click(page, ActionBar::BA_CLEAR);
    ASSERT_TRUE(WaitUntil([&] { return Task(d1).resume_id == 0; }));
    ASSERT_TRUE(WaitUntil([&] { return !fs::exists(temp1); }));
    EXPECT_FALSE(fs::exists(Local("/d1.bin")));
    EXPECT_EQ(SimpleRowOf(page, d1), -1);

    // Start: it goes on from where it stopped and ends with the server's bytes.
    page->simpleQueue()->listWidget()->clearSelection();
    page->simpleQueue()->listWidget()->item(SimpleRowOf(page, d0))->setSelected(true);
    Click(page, ActionBar::BA_START);
    ASSERT_TRUE(WaitUntil([&] { return Task(d0).local_state == ResumeInfo::RI_RUNNING; }, 60000));
    EXPECT_GE(Task(d0).progress, paused_at);
    ASSERT_TRUE(WaitUntil([&] { return Task(d0).resume_id == 0; }, 60000));
    EXPECT_EQ(Digest(Local("/d0.bin")), Digest(Docs("/d0.bin")));
    EXPECT_TRUE(WaitUntil([&] { return page->simpleQueue()->listWidget()->count() == 0; }));
}

TEST_F(TransferEndToEndTest, UploadsShowBlueAndMoveInTheEngine)
{
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(qm_test::writeFile(Local("/u" + std::to_string(i) + ".bin"), Content(i == 0 ? 300000 : 60000, 'k' + i)));
    const uint64_t p = Login(50);
    ASSERT_NE(p, 0u);
    for (int i = 0; i < 4; ++i)
        Upload(p, "u" + std::to_string(i) + ".bin", "/docs");
    QueuePage* page = Open();
    QTest::mouseClick(page->topToolBar()->windowButton(), Qt::LeftButton);
    FullQueue* full = page->fullQueue();
    QTableWidget* table = full->table()->getTable();

    ASSERT_TRUE(WaitUntil([&] {
        auto* status = qobject_cast<ProgressStatusWidget*>(table->cellWidget(0, FullQueue::COL_STATUS));
        return full->resumeInfos().size() == 4 && status && status->currentWidget() != status->statusLabel();
    }));
    auto* status = qobject_cast<ProgressStatusWidget*>(table->cellWidget(0, FullQueue::COL_STATUS));
    EXPECT_EQ(status->progressBar()->property("color").toString(), "blue");

    // Move the last two to the top: the engine's order changes, they stay selected.
    const uint64_t u2 = IdOf("u2.bin"), u3 = IdOf("u3.bin");
    table->selectRow(2);
    table->selectionModel()->select(table->model()->index(3, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Click(page, ActionBar::BA_MOVETOTOP);
    std::vector<uint64_t> order = transfertest::storedIds();
    ASSERT_GE(order.size(), 2u);
    EXPECT_EQ(order[0], u2);
    EXPECT_EQ(order[1], u3);
    std::vector<uint64_t> selected;
    full->getSelectedResumeIds(selected);
    EXPECT_EQ(selected, std::vector<uint64_t>({u2, u3}));

    ASSERT_TRUE(WaitUntil([&] { return Queue().empty(); }, 120000));
    for (int i = 0; i < 4; ++i) {
        const std::string name = "/u" + std::to_string(i) + ".bin";
        EXPECT_EQ(Digest(Docs(name)), Digest(Local(name))) << name;
    }
}

TEST_F(TransferEndToEndTest, SelectionStaysOnTheTaskWhenTheOneAboveFinishes)
{
    ASSERT_TRUE(qm_test::writeFile(Local("/a.bin"), Content(250000, 'a')));
    ASSERT_TRUE(qm_test::writeFile(Local("/b.bin"), Content(120000, 'b')));
    ASSERT_TRUE(qm_test::writeFile(Local("/c.bin"), Content(120000, 'c')));
    const uint64_t p = Login(60);
    ASSERT_NE(p, 0u);
    for (const char* name : {"a.bin", "b.bin", "c.bin"})
        Upload(p, name, "/docs");
    QueuePage* page = Open();
    const uint64_t a = IdOf("a.bin"), b = IdOf("b.bin"), c = IdOf("c.bin");
    ASSERT_TRUE(WaitUntil([&] { return SimpleRowOf(page, b) == 1; })) << SimpleRowOf(page, a) << " " << Task(a).local_state;
    page->simpleQueue()->listWidget()->item(1)->setSelected(true);
    // A finishes and leaves the queue; B moves into A's row, C into B's.
    ASSERT_TRUE(WaitUntil([&] { return Task(a).resume_id == 0 && SimpleRowOf(page, b) == 0; }, 60000));
    std::vector<uint64_t> selected;
    page->simpleQueue()->getSelectedResumeIds(selected);
    EXPECT_EQ(selected, std::vector<uint64_t>({b}));
    Click(page, ActionBar::BA_CLEAR);
    ASSERT_TRUE(WaitUntil([&] { return Task(b).resume_id == 0; }));
    EXPECT_FALSE(fs::exists(Docs("/b.bin")));
    // C is untouched and ends whole.
    ASSERT_TRUE(WaitUntil([&] { return Task(c).resume_id == 0; }, 60000));
    EXPECT_EQ(Digest(Docs("/c.bin")), Digest(Local("/c.bin")));
}

// A download this computer cannot write (its destination folder is a file
// here) fails with a reason, not "Failed" alone.
TEST_F(TransferEndToEndTest, LocalWriteFailureSaysWhy)
{
    ASSERT_TRUE(qm_test::writeFile(Docs("/blocked.bin"), Content(50000, 'b')));
    ASSERT_TRUE(qm_test::writeFile(Local("/not-a-folder"), "a file where the folder should be"));
    const uint64_t p = Login(0);
    ASSERT_NE(p, 0u);
    QueuePage* page = Open();
    QTest::mouseClick(page->topToolBar()->windowButton(), Qt::LeftButton);
    FullQueue* full = page->fullQueue();
    QTableWidget* table = full->table()->getTable();
    Event event;
    ASSERT_EQ(EventGenerator().createCopyEventFromPaths(
                  event, p, QString::fromStdString(std::to_string(p) + ":/docs/blocked.bin"),
                  QString::fromStdString("0:" + Local("/not-a-folder"))), 0);
    ASSERT_EQ(Run(event), 0);
    const uint64_t id = IdOf("blocked.bin");
    ASSERT_NE(id, 0u);
    auto statusText = [&] {
        const std::vector<ResumeInfo>& infos = full->resumeInfos();
        for (size_t row = 0; row < infos.size(); ++row)
            if (infos[row].resume_id == id)
                if (auto* status = qobject_cast<ProgressStatusWidget*>(table->cellWidget(int(row), FullQueue::COL_STATUS)))
                    return status->message();
        return QString("(no row)");
    };
    EXPECT_TRUE(WaitUntil([&] { return statusText().startsWith("Failed: "); }, 10000)) << statusText().toStdString();
    EXPECT_EQ(statusText(), "Failed: The file could not be read or written.");
    EXPECT_EQ(qm_test::readFile(Local("/not-a-folder")), "a file where the folder should be");
    vexotest::saveScreenshot(page, "transfer_e2e_local_write_failure");
}

TEST_F(TransferEndToEndTest, FailuresAsTheEngineReportsThem)
{
    fs::create_directories(m_dir.file("readonly"));
    StartServer([this](test_server::ServerConfig& config) {
        config.shares.push_back({"ro", m_dir.file("readonly"), "ro"});
    });
    ASSERT_TRUE(qm_test::writeFile(Local("/denied.bin"), Content(50000, 'x')));
    ASSERT_TRUE(qm_test::writeFile(Docs("/first.bin"), Content(150000, 'f')));
    // Too large to be asked for ahead of the one running: they wait their turn.
    ASSERT_TRUE(qm_test::writeFile(Docs("/gone.bin"), Content(100000, 'g')));
    ASSERT_TRUE(qm_test::writeFile(Docs("/long.bin"), Content(900000, 'l')));
    ASSERT_TRUE(qm_test::writeFile(Docs("/paused.bin"), Content(100000, 'p')));
    ASSERT_TRUE(qm_test::writeFile(Docs("/waits.bin"), Content(100000, 'w')));
    const uint64_t p = Login(60);
    ASSERT_NE(p, 0u);
    QueuePage* page = Open();
    QTest::mouseClick(page->topToolBar()->windowButton(), Qt::LeftButton);
    FullQueue* full = page->fullQueue();
    QTableWidget* table = full->table()->getTable();
    auto statusText = [&](uint64_t id) {
        const std::vector<ResumeInfo>& infos = full->resumeInfos();
        for (size_t row = 0; row < infos.size(); ++row) {
            if (infos[row].resume_id == id) {
                auto* status = qobject_cast<ProgressStatusWidget*>(table->cellWidget(int(row), FullQueue::COL_STATUS));
                return status ? status->message() : QString();
            }
        }
        return QString("(no row)");
    };

    Upload(p, "denied.bin", "/ro");
    const uint64_t denied = IdOf("denied.bin");
    ASSERT_NE(denied, 0u);
    ASSERT_TRUE(WaitUntil([&] { return statusText(denied) == "Failed: You don't have enough privilege."; }))
        << statusText(denied).toStdString();

    // The source of a queued download is removed on the server before its turn.
    Download(p, "/docs/first.bin");
    Download(p, "/docs/gone.bin");
    const uint64_t gone = IdOf("gone.bin");
    fs::remove(Docs("/gone.bin"));
    Download(p, "/docs/long.bin");
    Download(p, "/docs/paused.bin");
    Download(p, "/docs/waits.bin");
    ASSERT_TRUE(WaitUntil([&] { return statusText(gone) == "Failed: File does not exist."; }, 60000))
        << statusText(gone).toStdString();

    // The peer lost mid-file, as the peer monitor drops it.
    const uint64_t running = IdOf("long.bin");
    ASSERT_TRUE(WaitUntil([&] { return Task(running).local_state == ResumeInfo::RI_RUNNING && Task(running).progress > 0; }));
    // A paused one beside it for the pictures.
    const uint64_t paused = IdOf("paused.bin");
    table->clearSelection();
    for (size_t row = 0; row < full->resumeInfos().size(); ++row)
        if (full->resumeInfos()[row].resume_id == paused)
            table->selectRow(int(row));
    Click(page, ActionBar::BA_PAUSE);
    EXPECT_EQ(statusText(paused), "Paused");
    EXPECT_EQ(statusText(IdOf("waits.bin")), "Waiting");
    vexotest::saveScreenshot(page, "transfer_e2e_full");
    QTest::mouseClick(page->topToolBar()->windowButton(), Qt::LeftButton);
    vexotest::saveScreenshot(page, "transfer_e2e_simple");
    QTest::mouseClick(page->topToolBar()->windowButton(), Qt::LeftButton);

    OnMonitor([p](PeerMonitor& monitor) { monitor.slotSiteDisconnected(p, true); });
    ASSERT_TRUE(WaitUntil([&] {
        return statusText(running) == "Failed: Disconnected from the server. Please login again.";
    })) << statusText(running).toStdString();
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

