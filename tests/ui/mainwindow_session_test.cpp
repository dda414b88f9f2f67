// The main window in whole sessions: logins through the real login window
// against the test file server over TLS, the real peer monitor and engine,
// tabs, reconnects, warning sheets from real failures, closing, drags out
// and the tool windows.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "about-window.h"
#include "central-widget.h"
#include "certificate-chain-dialog.h"
#include "support/certificates.h"
#include "core-timing.h"
#include "dnd_manager.h"
#include "file_manager.h"
#include "shellext_env.h"
#include "client-core-manager.h"
#include "connection-widget.h"
#include "event-generator.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "connection-list-widget.h"
#include "global-setting-page.h"
#include "kavelin/vardo-core-manager.h"
#include "log-page.h"
#include "login-utils.h"
#include "login-widget.h"
#include "mainwindow_session_fixture.h"
#include "login_settings_support.h"
#include "main-client-windows.h"
#include "main-window.h"
#include "queue-page.h"
#include "site-info-manager.h"
#include "site-widget.h"
#include "str_table.h"
#include "support/digest.h"
#include "system-db.h"
#include "tab-button.h"
#include "transfer-button.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"
#include "user-action-cache.h"
#include "vexo_button.h"
#include "vexo_icon_button.h"
#include "vexo_message_sheet.h"
#include "vexo_sheet.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;

using namespace mwtest;

TEST_F(MainWindowSession, LoginsMakeSelectedTabsAndClosingThemSelectsNeighbours)
{
    QSignalSpy removed(GlobalConnecter::getInstance(), &GlobalConnecter::sigRemoveSite);
    const uint64_t first = LoginAs("alice", "secret");
    ASSERT_NE(first, 0u);
    ASSERT_EQ(Tabs(), 1);
    const TabPage tab = Central()->tabPages().at(0);
    EXPECT_EQ(tab.peer_id, first);
    EXPECT_TRUE(tab.btn->isSelected());
    EXPECT_EQ(Central()->pagesContainer()->currentWidget(), tab.page);
    // A typed address has no display name: the tab shows user@host:port.
    EXPECT_EQ(tab.btn->name(), QString("alice@localhost:%1").arg(m_control_port));
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_TRUE(WaitUntil([&] { return QApplication::focusWidget() == tab.page || tab.page->hasFocus(); }, 5000));
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("set_udp") == 1; }));
    vexotest::saveScreenshot(Window(), "mainwindow_one_tab");

    const uint64_t second = LoginAs("alice", "secret");
    const uint64_t third = LoginAs("alice", "secret");
    ASSERT_EQ(Tabs(), 3);
    ASSERT_EQ(Central()->tabPages().at(1).peer_id, second);
    ASSERT_EQ(Central()->tabPages().at(2).peer_id, third);
    EXPECT_TRUE(Central()->tabPages().at(2).btn->isSelected());
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("set_udp") == 3; }));
    vexotest::saveScreenshot(Window(), "mainwindow_three_tabs");

    // The middle one: the tab that moves into its place is selected. The
    // click's later receivers still see the tab: it goes once they are done.
    TabButton* middle = Central()->tabPages().at(1).btn;
    bool seen_after = false;
    QObject::connect(middle, &TabButton::sigCloseButtonClicked, middle,
                     [middle, &seen_after] { seen_after = middle->name().startsWith("alice@"); });
    QTest::mouseClick(middle->closeButton(), Qt::LeftButton);
    EXPECT_TRUE(seen_after);
    ASSERT_EQ(Tabs(), 2);
    EXPECT_EQ(Central()->tabPages().at(1).peer_id, third);
    EXPECT_TRUE(Central()->tabPages().at(1).btn->isSelected());
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).value<uint64_t>(), second);
    // The rightmost: its left neighbour.
    QTest::mouseClick(Central()->tabPages().at(1).btn->closeButton(), Qt::LeftButton);
    ASSERT_EQ(Tabs(), 1);
    EXPECT_TRUE(Central()->tabPages().at(0).btn->isSelected());
    EXPECT_EQ(Central()->pagesContainer()->currentWidget(), Central()->tabPages().at(0).page);
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("close_peer") >= 2; }));

    // The only one: the Task Manager and the main window hide, a login window comes.
    QTest::mouseClick(Central()->transferButton(), Qt::LeftButton);
    ASSERT_NE(Central()->queuePage(), nullptr);
    QPointer<LoginWidget> old_login = m_windows->loginHost().loginWindow();
    QTest::mouseClick(Central()->tabPages().at(0).btn->closeButton(), Qt::LeftButton);
    EXPECT_EQ(Tabs(), 0);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_FALSE(Central()->queuePage()->isVisible());
    ASSERT_NE(m_windows->loginHost().loginWindow(), nullptr);
    EXPECT_NE(m_windows->loginHost().loginWindow(), old_login.data());
    EXPECT_TRUE(m_windows->loginHost().loginWindow()->isVisible());
    EXPECT_EQ(m_windows->loginHost().loginWindow()->size(), QSize(440, 338));
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("close_peer") >= 3; }));
    EXPECT_TRUE(m_responder.seen.isEmpty()) << "no transfer task: no question";
}

TEST_F(MainWindowSession, FailedLoginMakesNoTabButIsAnswered)
{
    QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigAddSiteDone);
    const uint64_t peer = LoginAs("alice", "wrong");
    ASSERT_NE(peer, 0u);
    EXPECT_EQ(added.count(), 1);
    EXPECT_EQ(Tabs(), 0);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(Server().RequestCount("set_udp"), 0);
    ASSERT_EQ(m_responder.seen.size(), 1);  // the login window shows the error
}

// A login that ends after its tab was closed: the site is gone from the
// table, and the window that asked still gets its answer.
TEST_F(MainWindowSession, LoginDoneForAnUnknownPeerMakesNoTab)
{
    QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigAddSiteDone);
    emit GlobalConnecter::getInstance()->sigConnectSiteDone(987654);
    ASSERT_TRUE(WaitUntil([&] { return added.count() == 1; }));
    EXPECT_EQ(added.at(0).at(0).value<uint64_t>(), 987654u);
    EXPECT_EQ(Tabs(), 0);
    EXPECT_FALSE(Window()->isVisible());
}

// A lost site is looked for often and given up on quickly, for this suite only.
class MainWindowReconnect : public MainWindowSession {
protected:
    static void SetUpTestSuite()
    {
        s_heartbeat = CoreTiming::get().heartbeat_ms;
        s_live_limit = CoreTiming::get().live_worker_limit_ms;
        CoreTiming::get().heartbeat_ms = 300;
        CoreTiming::get().live_worker_limit_ms = 1000;
    }
    static void TearDownTestSuite()
    {
        CoreTiming::get().heartbeat_ms = s_heartbeat;
        CoreTiming::get().live_worker_limit_ms = s_live_limit;
    }
    static int s_heartbeat;
    static int s_live_limit;
};
int MainWindowReconnect::s_heartbeat = 0;
int MainWindowReconnect::s_live_limit = 0;

TEST_F(MainWindowReconnect, ServerStoppedMarksTheTabAndALoginAgainReattachesIt)
{
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    const TabPage tab = Central()->tabPages().at(0);
    // The disconnected sheet stays up: the only login again is the one
    // below, none left in flight for the next test's window to meet.
    m_responder.answer = [](const SheetRequest& request) {
        return request.type == VexoMessageSheet::Confirming ? 0 : int(QMessageBox::Ok);
    };
    StopServer();
    ASSERT_TRUE(WaitUntil([&] { return tab.btn->isDisconnected(); }));
    EXPECT_FALSE(tab.btn->certificateButton()->isVisible());
    vexotest::saveScreenshot(Window(), "mainwindow_disconnected_tab");

    // Back on the same ports; the pane logs in again as itself.
    test_server::ServerConfig config = m_config;
    config.port = m_control_port;
    m_control.reset(new test_server::ControlServer(config));
    std::string error;
    ASSERT_EQ(m_control->Start(error), 0) << error;
    m_data.reset(new test_server::DataServer(config.shares));
    ASSERT_EQ(m_data->Start(m_data_port, config.key_path, config.cert_path, error), 0) << error;
    QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigAddSiteDone);
    tab.page->reconnectSite();
    ASSERT_TRUE(WaitUntil([&] { return !tab.btn->isDisconnected(); }));
    EXPECT_EQ(Tabs(), 1);
    EXPECT_EQ(Central()->tabPages().at(0).peer_id, peer);
    EXPECT_EQ(added.count(), 0);
    EXPECT_TRUE(tab.btn->certificateButton()->isVisible());
}

// The pane's own "Close" on its disconnected sheet: the pane goes while its
// button is still in its click, which must not touch freed memory.
TEST_F(MainWindowReconnect, ClosingFromTheDisconnectedSheetRemovesTheTab)
{
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    QPointer<SiteWidget> pane = Central()->tabPages().at(0).page;
    QPointer<TabButton> tab = Central()->tabPages().at(0).btn;
    m_responder.answer = [](const SheetRequest& request) {
        for (const auto& button : request.buttons)
            if (button.first == QMessageBox::Discard && button.second == T(StrTable::button_close))
                return int(QMessageBox::Discard);
        return int(QMessageBox::Ok);
    };
    QSignalSpy removed(GlobalConnecter::getInstance(), &GlobalConnecter::sigRemoveSite);
    // A later receiver of the pane's own signal still finds the pane.
    uint64_t seen_after = 0;
    SiteWidget* raw = pane.data();
    QObject::connect(raw, &SiteWidget::sigCloseSite, raw, [raw, &seen_after] { seen_after = raw->peerId(); });
    StopServer();
    ASSERT_TRUE(WaitUntil([&] { return Tabs() == 0; }))
        << "pane state " << (pane ? pane->reconnectingState() : -1) << ", disconnected sheet "
        << (pane && pane->disconnectedSheet() && pane->disconnectedSheet()->isVisible()) << ", connecting sheet "
        << (pane && pane->connectingSheet() && pane->connectingSheet()->isVisible()) << ", sheets answered "
        << m_responder.seen.size() << (m_responder.seen.isEmpty() ? "" : ", last: ")
        << (m_responder.seen.isEmpty() ? std::string() : m_responder.seen.last().text.toStdString());
    EXPECT_EQ(seen_after, peer);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).value<uint64_t>(), peer);
    ASSERT_TRUE(WaitUntil([&] { return pane.isNull() && tab.isNull(); }));
    EXPECT_FALSE(Window()->isVisible());
}

TEST_F(MainWindowSession, FailedOperationsQueueWarningSheetsInArrivalOrder)
{
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    ASSERT_TRUE(qm_test::writeFile(m_dir.file("ro") + "/<img src=x>", "x"));
    ASSERT_TRUE(qm_test::writeFile(m_dir.file("ro") + "/a&b", "x"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/x.txt"), "x"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/y.txt"), "y"));

    // The first sheet stays open until the other failures have queued
    // behind it; every later one is answered at once.
    int pending_while_open = -1;
    m_responder.answer = [&](const SheetRequest& request) {
        if (m_responder.seen.size() > 1)
            return int(QMessageBox::Ok);
        QPointer<VexoSheet> sheet = request.sheet;
        auto* poll = new QTimer;
        // Open for a few seconds at most: failures that never queue end the
        // wait with what is there, not a hang.
        QElapsedTimer open_for;
        open_for.start();
        QObject::connect(poll, &QTimer::timeout, [this, poll, sheet, open_for, &pending_while_open] {
            if (Window()->pendingErrors().size() < 2 && open_for.elapsed() < 10000)
                return;
            pending_while_open = Window()->pendingErrors().size();
            vexotest::saveScreenshot(Window(), "mainwindow_error_sheet");
            poll->deleteLater();
            if (sheet)
                sheet->done(QMessageBox::Ok);
        });
        poll->start(20);
        return 0;
    };
    QSignalSpy update(GlobalConnecter::getInstance(), &GlobalConnecter::sigHandleEventDoneUpdateUI);
    EventGenerator generator;
    const QString hostile = QStringLiteral("<i>a&b</i>");
    QMap<uint32_t, QString> expected;
    Event e1;
    // The server refuses the read-only share before it looks for the item.
    ASSERT_EQ(generator.createEventFromRename(e1, peer, Selection(peer, "/ro", {hostile}),
                                              QString::number(peer) + ":/ro/z"), 0);
    Event e2;
    ASSERT_EQ(generator.createEventFromRename(e2, peer, Selection(peer, "/docs", {"x.txt"}),
                                              QString::number(peer) + ":/docs/y.txt"), 0);
    Event e3;
    ASSERT_EQ(generator.createEventFromRemove(e3, peer, Selection(peer, "/ro", {"<img src=x>", "a&b"})), 0);
    Event list;
    ASSERT_EQ(generator.createEventFromList(list, peer, QString::number(peer) + ":/docs/missing"), 0);
    expected[Push(e1)] = T(StrTable::error_rename_permission).arg(hostile, QStringLiteral("z")).toHtmlEscaped();
    expected[Push(e2)] = T(StrTable::error_rename_target_exists).arg(QStringLiteral("x.txt"), QStringLiteral("y.txt"));
    expected[Push(e3)] = T(StrTable::error_remove_permission).arg(QStringLiteral("<img src=x>, a&b")).toHtmlEscaped();
    const uint32_t list_id = Push(list);

    ASSERT_TRUE(WaitUntil([&] { return m_responder.seen.size() == 3 && m_done_errors.contains(list_id); }));
    // A failed listing: no sheet, but the panes hear of it.
    EXPECT_TRUE(update.contains(QList<QVariant>{QVariant::fromValue(list_id)}));
    EXPECT_EQ(pending_while_open, 2);
    EXPECT_NE(m_done_errors.value(list_id), 0);
    // The sheets follow the order in which the failures arrived (the
    // fixture's spy hears them before the window does).
    QStringList arrival;
    for (const QList<QVariant>& args : *m_done_spy)
        if (expected.contains(args.at(0).toUInt()))
            arrival << expected.value(args.at(0).toUInt());
    // Each sentence, then on a line of its own the reason the server gave.
    const QString said = QStringLiteral("<br>") + T(StrTable::error_server_reason).arg(QString());
    QStringList shown;
    for (const lstest::SeenSheet& sheet : m_responder.seen) {
        EXPECT_EQ(sheet.type, int(VexoMessageSheet::Warning));
        const int reason_at = sheet.text.indexOf(said);
        EXPECT_GT(reason_at, 0) << sheet.text.toStdString();
        EXPECT_GT(sheet.text.size(), reason_at + said.size()) << "an empty reason";
        shown << sheet.text.left(reason_at);
    }
    EXPECT_EQ(shown, arrival);
    // The real refusals' own words.
    EXPECT_TRUE(m_responder.seen.at(0).text.endsWith(said + QStringLiteral("permission denied on share ro")) ||
                m_responder.seen.at(1).text.endsWith(said + QStringLiteral("permission denied on share ro")))
        << m_responder.seen.at(0).text.toStdString();
    EXPECT_TRUE(Window()->pendingErrors().isEmpty());
}

TEST_F(MainWindowSession, ServerErrorFaultsGiveTheirOwnTexts)
{
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    ASSERT_TRUE(qm_test::writeFile(Docs("/x.txt"), "x"));
    fs::create_directories(Docs("/dst"));
    const struct {
        const char* action;
        uint32_t code;
        int text;
    } rows[] = {
        {"copy", 28674, StrTable::error_copy_diskfull},
        {"copy", 28675, StrTable::error_copy_share_quota},
        {"copy", 28676, StrTable::error_copy_user_quota},
        {"rename", 40962, StrTable::error_move_diskfull},
        {"rename", 40964, StrTable::error_move_user_quota},
    };
    EventGenerator generator;
    for (const auto& row : rows) {
        test_server::Fault fault;
        fault.kind = test_server::Fault::ERROR;
        fault.count = row.code;
        fault.reason = "fault";
        Server().ClearFaults();
        Server().SetFault(row.action, fault);
        const int before = m_responder.seen.size();
        Event event;
        if (std::string(row.action) == "copy")
            ASSERT_EQ(generator.createCopyEventFromPaths(event, peer, QString::number(peer) + ":/docs/x.txt",
                                                         QString::number(peer) + ":/docs/dst"), 0);
        else
            ASSERT_EQ(generator.createEventFromRename(event, peer, Selection(peer, "/docs", {"x.txt"}),
                                                      QString::number(peer) + ":/docs/dst/x.txt"), 0);
        const uint32_t id = Push(event);
        ASSERT_TRUE(WaitDone(id));
        ASSERT_TRUE(WaitUntil([&] { return m_responder.seen.size() == before + 1; })) << row.code;
        const QString second = std::string(row.action) == "copy" ? QStringLiteral("dst") : QStringLiteral("/docs/dst");
        EXPECT_EQ(m_responder.seen.last().text, T(row.text).arg(QStringLiteral("x.txt"), second) + QStringLiteral("<br>") +
                                                    T(StrTable::error_server_reason).arg(QStringLiteral("fault")))
            << row.code;
    }
    Server().ClearFaults();
}

TEST_F(MainWindowSession, DragIntoTheFileManagerDownloadsEveryItem)
{
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    ASSERT_TRUE(qm_test::writeFile(Docs("/one.txt"), std::string(5000, '1')));
    ASSERT_TRUE(qm_test::writeFile(Docs("/two.bin"), std::string(70000, '2')));
    fs::create_directories(Docs("/folder"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/folder/inner.txt"), "inner"));
    fs::create_directories(Local("/drop"));
    fs::create_directories(Local("/drop2"));

    QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferTaskAdded);
    QSignalSpy events(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
    UserActionCache* cache = UserActionCache::getInstance();
    SiteSelectedInfo three = Selection(peer, "/docs", {"one.txt", "two.bin", "folder"});
    three.children[2].type = FT_DIR;
    cache->updateSelectedInfo(peer, three);
    cache->keepDragInfo();
    {
        // The file manager of the bridge's harness takes the drag's marker
        // folder into the drop folder; its copy hook reports where.
        harness::ShellExtEnv env;
        UIPathManager::getInstance()->setPath(QStringLiteral("application_path"), QStringLiteral(QM_STAGE_BIN_DIR));
        DndManager* bridge = DndManager::getInstance();
        bridge->initialize();
        const std::string marker = DndManager::markerFolderPath().toStdString();
        const std::string target = Local("/drop") + "/qzdragfolderQZDF";
        bridge->setDragRunner([&](QDrag*) {
            std::thread explorer([&] {
                harness::FileManager manager;
                if (manager.loadHandlers() == 1)
                    manager.copyFolder(FO_COPY, marker, target);
            });
            explorer.join();
            return Qt::CopyAction;
        });
        bridge->setInnerDrag(true);
        bridge->execDrag();
        bridge->setDragRunner({});
    }
    EXPECT_FALSE(fs::exists(Local("/drop/qzdragfolderQZDF")));
    EXPECT_EQ(events.count(), 3);
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(added.at(0).at(0).toString(), "folder");
    EXPECT_TRUE(added.at(0).at(1).toBool());
    EXPECT_TRUE(added.at(0).at(2).toBool());
    ASSERT_TRUE(WaitUntil([&] {
        return qm_test::sha256OfFile(Local("/drop/one.txt")) == qm_test::sha256OfFile(Docs("/one.txt")) &&
               qm_test::sha256OfFile(Local("/drop/two.bin")) == qm_test::sha256OfFile(Docs("/two.bin")) &&
               qm_test::sha256OfFile(Local("/drop/folder/inner.txt")) == qm_test::sha256OfFile(Docs("/folder/inner.txt"));
    }));

    // One folder: multi false.
    SiteSelectedInfo folder = Selection(peer, "/docs", {"folder"});
    folder.children[0].type = FT_DIR;
    cache->updateSelectedInfo(peer, folder);
    cache->keepDragInfo();
    emit DndManager::getInstance()->sigDndFinished(QString::fromStdString(Local("/drop2")));
    ASSERT_EQ(added.count(), 2);
    EXPECT_TRUE(added.at(1).at(1).toBool());
    EXPECT_FALSE(added.at(1).at(2).toBool());
    // Its download ends here: left running, its listing would fail against
    // the next test's server and that test would meet the warning sheet.
    ASSERT_TRUE(WaitUntil([&] {
        return qm_test::sha256OfFile(Local("/drop2/folder/inner.txt")) ==
               qm_test::sha256OfFile(Docs("/folder/inner.txt"));
    }));

    // No drop folder, or no snapshot: nothing.
    emit DndManager::getInstance()->sigDndFinished(QString());
    cache->updateSelectedInfo(peer, SiteSelectedInfo());
    cache->keepDragInfo();
    emit DndManager::getInstance()->sigDndFinished(QString::fromStdString(Local("/drop2")));
    EXPECT_EQ(added.count(), 2);
    EXPECT_EQ(events.count(), 4);
}

TEST_F(MainWindowSession, ClosingATabWithTransfersAsksFirst)
{
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    ResumeInfo task;
    task.peer_id = peer;
    task.command = C_PUSH;
    task.path_from = Local("/big.bin");
    task.path_to = "/docs/big.bin";
    task.total = 1 << 20;
    task.local_state = ResumeInfo::RI_PAUSED;
    ASSERT_TRUE(ClientCoreManager::getCoreManager()->addInfos({task}));

    m_responder.answer = [](const SheetRequest&) { return int(QMessageBox::Discard); };
    QTest::mouseClick(Central()->tabPages().at(0).btn->closeButton(), Qt::LeftButton);
    ASSERT_EQ(m_responder.seen.size(), 1);
    EXPECT_EQ(m_responder.seen.at(0).text, T(StrTable::close_connection_hint));
    EXPECT_EQ(Tabs(), 1);
    EXPECT_EQ(TaskCount(peer), 1);

    m_responder.answer = [](const SheetRequest&) { return int(QMessageBox::Ok); };
    QTest::mouseClick(Central()->tabPages().at(0).btn->closeButton(), Qt::LeftButton);
    EXPECT_EQ(Tabs(), 0);
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("close_peer") >= 1; }));
}

TEST_F(MainWindowSession, PaneRequestsCloseAndRenameTabs)
{
    const uint64_t a = LoginAs("alice", "secret");
    const uint64_t b = LoginAs("alice", "secret");
    ASSERT_EQ(Tabs(), 2);
    emit GlobalConnecter::getInstance()->sigChangeServerName(a, QStringLiteral("Renamed <b>NAS</b>"));
    ASSERT_TRUE(WaitUntil([&] { return Central()->tabPages().at(0).btn->name() == "Renamed <b>NAS</b>"; }));
    EXPECT_EQ(Central()->tabPages().at(0).btn->nameLabel()->text(), "Renamed <b>NAS</b>");
    // A pane closing itself: no question, the tab goes.
    SiteWidget* pane = Central()->tabPages().at(1).page;
    QPointer<SiteWidget> guard(pane);
    emit pane->sigCloseSite(b);
    ASSERT_TRUE(WaitUntil([&] { return Tabs() == 1; }));
    EXPECT_TRUE(m_responder.seen.isEmpty());
    ASSERT_TRUE(WaitUntil([&] { return guard.isNull(); }));
    EXPECT_EQ(Central()->tabPages().at(0).peer_id, a);
}

TEST_F(MainWindowSession, AcceptedCertificateIsKeptAndAChangedOneIsQuestioned)
{
    const auto shares = m_config.shares;
    StartPaired([&](test_server::ServerConfig& config) {
        config.shares = shares;
        config.cert_path = m_self_cert_file;
        config.key_path = m_self_key_file;
    });
    const uint64_t first = LoginAs("alice", "secret");
    ASSERT_NE(first, 0u);
    ASSERT_EQ(Tabs(), 1);
    ASSERT_EQ(m_responder.seen.size(), 1);
    EXPECT_EQ(m_responder.seen.at(0).text, T(StrTable::msg_ssl_error));
    std::list<ConnectionInfo> rows = SavedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows.front().ssl_allow_untrust);
    EXPECT_FALSE(rows.front().ssl_signature.empty());
    EXPECT_EQ(rows.front().ssl_signature, Site(first).ssl_signature.toStdString());

    // The tab's certificate icon opens the viewer on the site's chain.
    QString shown_subject;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(QApplication::activeModalWidget() != nullptr);
        auto* dialog = qobject_cast<CertificateChainDialog*>(QApplication::activeModalWidget());
        if (dialog) {
            shown_subject = dialog->details()->toPlainText();
            dialog->reject();
        } else {
            QApplication::activeModalWidget()->close();
        }
    });
    QTest::mouseClick(Central()->tabPages().at(0).btn->certificateButton(), Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return !shown_subject.isEmpty(); }, 5000));
    EXPECT_TRUE(shown_subject.contains("localhost")) << shown_subject.toStdString();

    // The next login asks nothing.
    ASSERT_NE(LoginAs("alice", "secret"), 0u);
    EXPECT_EQ(Tabs(), 2);
    EXPECT_EQ(m_responder.seen.size(), 1);

    // The same server with another certificate: the changed-certificate question.
    const std::string other_cert = m_dir.file("other.crt");
    const std::string other_key = m_dir.file("other.key");
    qm_test::makeServerCert("localhost", {"localhost"}, nullptr).writeFiles(other_cert, other_key);
    const unsigned port = m_control_port;
    StartPaired([&](test_server::ServerConfig& config) {
        config.port = port;
        config.shares = shares;
        config.cert_path = other_cert;
        config.key_path = other_key;
    });
    ASSERT_EQ(m_control_port, port);
    LoginAs("alice", "secret");
    // The open tabs may have found their server gone meanwhile (a sheet of
    // their own); the new login asks about the changed certificate.
    QStringList later;
    for (int i = 1; i < m_responder.seen.size(); ++i)
        later << m_responder.seen.at(i).text;
    EXPECT_TRUE(later.contains(T(StrTable::msg_ssl_change))) << later.join(" | ").toStdString();
}

TEST_F(MainWindowSession, ToolWindows)
{
    ConnectionInfo other;
    other.domain_name = "elsewhere";
    other.username = "carol";
    ASSERT_EQ(SystemDB::insertNewConnection(other), 0);
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    CentralWidget* central = Central();

    // Task Manager: a fresh window per opening, also after it hid itself.
    TransferButton* button = central->transferButton();
    QTest::mouseClick(button, Qt::LeftButton);
    QPointer<QueuePage> first = central->queuePage();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(button->isToggled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(central->queuePage(), nullptr);
    EXPECT_FALSE(button->isToggled());
    QTest::mouseClick(button, Qt::LeftButton);
    QPointer<QueuePage> second = central->queuePage();
    ASSERT_TRUE(second);
    second->hide();
    emit GlobalConnecter::getInstance()->sigQueuePageHidden();
    EXPECT_FALSE(button->isToggled());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(second.isNull());
    ASSERT_NE(central->queuePage(), nullptr);
    EXPECT_TRUE(central->queuePage()->isVisible());

    // One Log window, raised again.
    central->logButton()->click();
    QPointer<LogPage> log = central->logPage();
    ASSERT_TRUE(log);
    log->hide();
    central->logButton()->click();
    EXPECT_EQ(central->logPage(), log.data());
    EXPECT_TRUE(log->isVisible());

    // Settings: a new window each time, on the current tab's saved connection.
    central->settingButton()->click();
    QPointer<GlobalSettingPage> settings = central->settingPage();
    ASSERT_TRUE(settings);
    const std::list<ConnectionInfo> rows = SavedRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Site(peer).connection_id, rows.back().id);
    EXPECT_EQ(settings->list()->currentRow(), 1);
    central->settingButton()->click();
    EXPECT_TRUE(settings.isNull());
    ASSERT_NE(central->settingPage(), nullptr);

    // Help and About go to the hub.
    QSignalSpy help(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowHelpWindow);
    QSignalSpy about(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowAboutWindow);
    ASSERT_EQ(central->helpMenu()->actions().size(), 2);
    EXPECT_EQ(central->helpMenu()->actions().at(0)->text(), T(StrTable::action_help));
    central->helpMenu()->actions().at(0)->trigger();
    central->helpMenu()->actions().at(1)->trigger();
    EXPECT_EQ(help.count(), 1);
    EXPECT_EQ(about.count(), 1);
    // The client's answers: each replaces the window of its kind.
    m_windows->showAboutWindow();
    QPointer<AboutWindow> box = m_windows->aboutWindow();
    m_windows->showAboutWindow();
    EXPECT_TRUE(box.isNull());
    EXPECT_NE(m_windows->aboutWindow(), nullptr);
    m_windows->showHelpWindow();
    QPointer<HelpWindow> pages = m_windows->helpWindow();
    ASSERT_TRUE(pages);
    EXPECT_TRUE(pages->isVisible());
    EXPECT_FALSE(pages->currentFile().isEmpty());
    m_windows->showHelpWindow();
    EXPECT_TRUE(pages.isNull());
    EXPECT_NE(m_windows->helpWindow(), nullptr);
}

int main(int argc, char** argv)
{
    return runSessionTests(argc, argv, "qm-mainwindow-session");
}
