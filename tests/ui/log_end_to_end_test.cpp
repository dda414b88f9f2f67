// The Log window after a real session: log in to the test server over TLS,
// make a folder, rename, copy, remove, upload and download through the
// application core, then find each as its sentence in the event log and the
// transfers in the file transfer log.
#include <QApplication>
#include <QLabel>
#include <QTableWidget>
#include <QTextDocument>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>

#include "core_fixture.h"
#include "event-generator.h"
#include "log-db.h"
#include "log-page.h"
#include "misc-log-text.h"
#include "misc-log-widget.h"
#include "support/temp_dir.h"
#include "task-monitor.h"
#include "transfer-log-widget.h"
#include "vexo_combo_box.h"
#include "vexo_table_widget.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;

namespace {

Event makeEvent(EventType type, uint64_t peer, const std::string& parent, const std::string& name,
                const std::string& opt_path = "")
{
    Event event;
    event.type = type;
    event.trigger_peer = peer;
    event.peer_id = peer;
    event.opt_peer_id = peer;
    event.parent = parent;
    event.names = {name};
    event.paths = {parent + "/" + name};
    event.opt_path = opt_path;
    return event;
}

size_t transferRows()
{
    TransferLogFilter filter;
    std::vector<TransferLog> rows;
    unsigned int total = 0;
    return LogDB::searchLog(filter, rows, total) == 0 ? rows.size() : 0;
}

QString shown(const QString& rich)
{
    QLabel label;
    label.setTextFormat(Qt::RichText);
    label.setText(rich);
    QTextDocument document;
    document.setHtml(label.text());
    return document.toPlainText();
}

}  // namespace

class LogEndToEndTest : public CoreTest {
protected:
    LogEndToEndTest()
    {
        // The task monitor writes a transfer's rows when its task ends.
        m_task_monitor = new TaskMonitor(nullptr);
        m_task_monitor->moveToThread(&m_task_thread);
        m_task_thread.start();
        m_task_monitor->startService();
    }
    ~LogEndToEndTest() override
    {
        TaskMonitor* monitor = m_task_monitor;
        QMetaObject::invokeMethod(m_task_monitor, [monitor] { monitor->stopService(); }, Qt::BlockingQueuedConnection);
        m_task_thread.quit();
        m_task_thread.wait();
        delete m_task_monitor;
    }

    TaskMonitor* m_task_monitor = nullptr;
    QThread m_task_thread;
};

TEST_F(LogEndToEndTest, EveryOperationShowsAsItsSentence)
{
    const uint64_t p = ConnectOk();
    ASSERT_NE(p, 0u);
    const std::string P = std::to_string(p);
    ASSERT_TRUE(qm_test::writeFile(Docs("/a.txt"), "alpha"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/b.txt"), "beta"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/c.txt"), "gamma"));
    fs::create_directories(Docs("/sub"));
    ASSERT_TRUE(qm_test::writeFile(Local("/up.txt"), "upload me"));
    fs::create_directories(Local("/down"));

    EXPECT_EQ(Run(makeEvent(EV_MKDIR, p, "/docs", "made")), 0);
    EXPECT_EQ(Run(makeEvent(EV_RENAME, p, "/docs", "a.txt", "/docs/renamed.txt")), 0);
    EXPECT_EQ(Run(makeEvent(EV_COPY, p, "/docs", "b.txt", "/docs/sub")), 0);
    EXPECT_EQ(Run(makeEvent(EV_REMOVE, p, "/docs", "c.txt")), 0);
    EventGenerator generator;
    Event upload;
    ASSERT_EQ(generator.createCopyEventFromPaths(upload, p, QString::fromStdString("0:" + Local("/up.txt")),
                                                 QString::fromStdString(P + ":/docs")), 0);
    EXPECT_EQ(Run(upload), 0);
    ASSERT_TRUE(WaitUntil([] { return transferRows() >= 1; }, 10000));
    Event download;
    ASSERT_EQ(generator.createCopyEventFromPaths(download, p, QString::fromStdString(P + ":/docs/renamed.txt"),
                                                 QString::fromStdString("0:" + Local("/down"))), 0);
    EXPECT_EQ(Run(download), 0);
    ASSERT_TRUE(WaitUntil([] { return transferRows() >= 2; }, 10000));
    EXPECT_EQ(qm_test::readFile(Local("/down/renamed.txt")), "alpha");

    LogPage page(nullptr);
    page.show();
    QTableWidget* events = page.miscLogWidget()->table()->getTable();
    QStringList sentences;
    for (int row = 0; row < events->rowCount(); ++row) {
        auto* label = qobject_cast<QLabel*>(events->cellWidget(row, 1));
        ASSERT_NE(label, nullptr);
        sentences.prepend(shown(label->text()));  // oldest first
    }
    ASSERT_EQ(sentences.size(), 7) << sentences.join('\n').toStdString();
    EXPECT_TRUE(sentences[0].startsWith("alice logged in to ")) << sentences[0].toStdString();
    EXPECT_EQ(sentences[1], "alice created folder made.");
    EXPECT_EQ(sentences[2], "alice renamed a.txt to renamed.txt.");
    // The copy names the whole destination as its writer stored it.
    EXPECT_TRUE(sentences[3].startsWith("alice copied b.txt to ") && sentences[3].contains("/docs/sub"))
        << sentences[3].toStdString();
    EXPECT_EQ(sentences[4], "alice deleted c.txt.");
    EXPECT_EQ(sentences[5], "alice uploaded up.txt.");
    EXPECT_EQ(sentences[6], "alice downloaded renamed.txt.");
    vexotest::saveScreenshot(&page, "log_end_to_end_events");

    page.viewSelector()->setCurrentIndex(1);
    QTableWidget* transfers = page.transferLogWidget()->table()->getTable();
    ASSERT_EQ(transfers->rowCount(), 2);
    EXPECT_EQ(transfers->item(0, 2)->text(), "renamed.txt");
    EXPECT_EQ(transfers->item(0, 3)->text(), "Download");
    EXPECT_EQ(transfers->item(1, 2)->text(), "up.txt");
    EXPECT_EQ(transfers->item(1, 3)->text(), "Upload");
    EXPECT_EQ(transfers->item(1, 1)->text(), "alice");
    vexotest::saveScreenshot(&page, "log_end_to_end_transfers");
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vexotest::initLibrary();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
