// The main window in whole sessions: logins through the real login window
// against the test file server over TLS, the real peer monitor and engine,
// tabs, reconnects, warning sheets from real failures, closing, drags out
// and the tool windows.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "about-window.h"
#include "central-widget.h"
#include "core-timing.h"
#include "dnd_manager.h"
#include "client-core-manager.h"
#include "connection-widget.h"
#include "event-generator.h"
#include "event-manager.h"
#include "global-connecter.h"
#include "global-setting-page.h"
#include "kavelin/vardo-core-manager.h"
#include "log-page.h"
#include "login-utils.h"
#include "login-widget.h"
#include "login_settings_server.h"
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

namespace {

QString T(int id) { return StrTable::LoadStr(id); }

class MainWindowSession : public PairedServerTest {
protected:
    MainWindowSession()
    {
        // The real central widget answers every login: no relay.
        GlobalConnecter* hub = GlobalConnecter::getInstance();
        QObject::disconnect(hub, &GlobalConnecter::sigConnectSiteDone, hub, &GlobalConnecter::sigAddSiteDone);
        fs::create_directories(Docs());
        fs::create_directories(m_dir.file("ro"));
        fs::create_directories(m_dir.file("denied"));
        StartPaired([this](test_server::ServerConfig& config) {
            config.shares = {{"docs", Docs(), "rw"}, {"ro", m_dir.file("ro"), "ro"},
                             {"denied", m_dir.file("denied"), "denied"}};
        });
        m_windows.reset(new MainClientWindows);
        m_windows->createMainWindow();
        m_show_main = QObject::connect(hub, &GlobalConnecter::sigShowMainWindow, [this] { m_windows->showMainWindow(); });
        m_show_login = QObject::connect(hub, &GlobalConnecter::sigShowLoginWindow, [this] { m_windows->showLoginWindow(); });
    }
    ~MainWindowSession() override
    {
        QObject::disconnect(m_show_main);
        QObject::disconnect(m_show_login);
        m_windows.reset();
        UserActionCache::getInstance()->keepDragInfo();  // nothing selected: clears the snapshot
    }

    MainWindow* Window() { return m_windows->mainWindow(); }
    CentralWidget* Central() { return Window()->centralWidgetOfSites(); }
    int Tabs() { return Central()->tabPages().size(); }

    // Logs in through a new login window; the peer id, or 0 when the login
    // window did not get its answer.
    uint64_t LoginAs(const QString& user, const QString& password)
    {
        QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigAddSiteDone);
        m_windows->showLoginWindow();
        LoginWidget* login = m_windows->loginHost().loginWindow();
        login->form()->addressBox()->setEditText(Address());
        login->form()->usernameEdit()->setText(user);
        login->form()->passwordEdit()->setText(password);
        login->connectButton()->click();
        if (!WaitUntil([&] { return added.count() >= 1 && !login->isRequestPending(); }))
            return 0;
        return added.at(0).at(0).value<uint64_t>();
    }

    void WaitEventsDone(const std::vector<uint32_t>& ids)
    {
        for (uint32_t id : ids)
            ASSERT_TRUE(WaitDone(id)) << id;
    }

    SiteSelectedInfo Selection(uint64_t peer, const QString& folder, const QStringList& names)
    {
        SiteSelectedInfo selection;
        selection.parent = QString::number(peer) + ":" + folder;
        for (const QString& name : names) {
            NodeInfo node;
            node.name = name;
            node.type = FT_FILE;
            selection.children.append(node);
        }
        return selection;
    }

    lstest::ScriptedResponder m_responder;
    std::unique_ptr<MainClientWindows> m_windows;
    QMetaObject::Connection m_show_main;
    QMetaObject::Connection m_show_login;
};

}  // namespace

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
    EXPECT_TRUE(Central()->tabPages().at(2).btn->isSelected());
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("set_udp") == 3; }));
    vexotest::saveScreenshot(Window(), "mainwindow_three_tabs");

    // The middle one: the tab that moves into its place is selected.
    QTest::mouseClick(Central()->tabPages().at(1).btn->closeButton(), Qt::LeftButton);
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
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("close_peer") == 2; }));

    // The only one: the Task Manager and the main window hide, a login window comes.
    Central()->transferButton()->click();
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
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("close_peer") == 3; }));
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

TEST_F(MainWindowSession, ServerStoppedMarksTheTabAndALoginAgainReattachesIt)
{
    const int heartbeat = CoreTiming::get().heartbeat_ms;
    const int live_limit = CoreTiming::get().live_worker_limit_ms;
    CoreTiming::get().heartbeat_ms = 300;
    CoreTiming::get().live_worker_limit_ms = 1000;
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    const TabPage tab = Central()->tabPages().at(0);
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
    SiteInfo again = Site(peer);
    again.is_reconnect = true;
    const int connected = m_connected_spy->count();
    emit m_views.sigConnectSite(again);
    ASSERT_TRUE(WaitUntil([&] { return !tab.btn->isDisconnected(); }));
    EXPECT_EQ(m_connected_spy->count(), connected + 1);
    EXPECT_EQ(Tabs(), 1);
    EXPECT_EQ(added.count(), 0);
    EXPECT_TRUE(tab.btn->certificateButton()->isVisible());
    CoreTiming::get().heartbeat_ms = heartbeat;
    CoreTiming::get().live_worker_limit_ms = live_limit;
}

TEST_F(MainWindowSession, FailedOperationsQueueWarningSheetsInArrivalOrder)
{
    const uint64_t peer = LoginAs("alice", "secret");
    ASSERT_NE(peer, 0u);
    ASSERT_TRUE(qm_test::writeFile(m_dir.file("ro") + "/<i>a&b</i>", "x"));
    ASSERT_TRUE(qm_test::writeFile(m_dir.file("ro") + "/<img src=x>", "x"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/x.txt"), "x"));
    ASSERT_TRUE(qm_test::writeFile(Docs("/y.txt"), "y"));

    // Every sheet stays open until the test closes it.
    QList<QPointer<VexoSheet>> open;
    m_responder.answer = [&](const SheetRequest& request) {
        open.append(request.sheet);
        return 0;
    };
    QSignalSpy update(GlobalConnecter::getInstance(), &GlobalConnecter::sigHandleEventDoneUpdateUI);
    EventGenerator generator;
    std::vector<uint32_t> ids;
    Event e1;
    ASSERT_EQ(generator.createEventFromRename(e1, peer, Selection(peer, "/ro", {"<i>a&b</i>"}),
                                              QString::number(peer) + ":/ro/z"), 0);
    ids.push_back(Push(e1));
    ASSERT_TRUE(WaitUntil([&] { return m_responder.seen.size() == 1; }));
    Event e2;
    ASSERT_EQ(generator.createEventFromRename(e2, peer, Selection(peer, "/docs", {"x.txt"}),
                                              QString::number(peer) + ":/docs/y.txt"), 0);
    ids.push_back(Push(e2));
    ASSERT_TRUE(WaitDone(ids.back()));
    Event e3;
    ASSERT_EQ(generator.createEventFromRemove(e3, peer, Selection(peer, "/ro", {"<img src=x>", "<i>a&b</i>"})), 0);
    ids.push_back(Push(e3));
    ASSERT_TRUE(WaitDone(ids.back()));
    // A failed listing: no sheet, but the panes hear of it.
    Event list;
    ASSERT_EQ(generator.createEventFromList(list, peer, QString::number(peer) + ":/denied"), 0);
    const uint32_t list_id = Push(list);
    ASSERT_TRUE(WaitDone(list_id));
    ASSERT_TRUE(WaitUntil([&] {
        for (const QList<QVariant>& args : update)
            if (args.at(0).toUInt() == list_id)
                return true;
        return false;
    }));
    EXPECT_NE(EventManager::getInstance()->getStatus(list_id).error, 0);

    // One sheet open, two texts waiting.
    EXPECT_EQ(m_responder.seen.size(), 1);
    EXPECT_EQ(Window()->pendingErrors().size(), 2);
    vexotest::saveScreenshot(Window(), "mainwindow_error_sheet");
    while (m_responder.seen.size() < 3) {
        const int shown = m_responder.seen.size();
        ASSERT_FALSE(open.isEmpty());
        ASSERT_TRUE(open.last());
        open.last()->done(QMessageBox::Ok);
        ASSERT_TRUE(WaitUntil([&] { return m_responder.seen.size() > shown; }));
    }
    open.last()->done(QMessageBox::Ok);
    const QString hostile = QStringLiteral("<i>a&b</i>");
    EXPECT_EQ(m_responder.seen.at(0).type, int(VexoMessageSheet::Warning));
    EXPECT_EQ(m_responder.seen.at(0).text,
              T(StrTable::error_rename_permission).arg(hostile, QStringLiteral("z")).toHtmlEscaped());
    EXPECT_EQ(m_responder.seen.at(1).text,
              T(StrTable::error_rename_target_exists).arg(QStringLiteral("x.txt"), QStringLiteral("y.txt")));
    EXPECT_EQ(m_responder.seen.at(2).text,
              T(StrTable::error_remove_permission).arg(QStringLiteral("<img src=x>, <i>a&b</i>")).toHtmlEscaped());
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
        EXPECT_EQ(m_responder.seen.last().text, T(row.text).arg(QStringLiteral("x.txt"), second)) << row.code;
    }
    Server().ClearFaults();
}

TEST_F(MainWindowSession, CloseAsksThenEverySiteSaysGoodbyeBeforeTheWindowsClose)
{
    ASSERT_NE(LoginAs("alice", "secret"), 0u);
    ASSERT_NE(LoginAs("alice", "secret"), 0u);
    m_responder.answer = [](const SheetRequest&) { return int(QMessageBox::Discard); };
    Window()->close();
    ASSERT_EQ(m_responder.seen.size(), 1);
    EXPECT_EQ(m_responder.seen.at(0).type, int(VexoMessageSheet::Confirming));
    EXPECT_EQ(m_responder.seen.at(0).text, T(StrTable::close_app_hint));
    EXPECT_EQ(m_responder.seen.at(0).ok_text, T(StrTable::button_ok));
    EXPECT_TRUE(Window()->isVisible());
    EXPECT_EQ(Tabs(), 2);

    // Accepted with no other window open: the loop must not end before the
    // sites are closed, and the goodbyes come before the windows close.
    QWidget witness;
    witness.show();
    int goodbyes_at_close = -1;
    struct CloseWatch : QObject {
        std::function<void()> on_close;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Close)
                on_close();
            return false;
        }
    } watch;
    watch.on_close = [&] { goodbyes_at_close = Server().RequestCount("close_peer"); };
    witness.installEventFilter(&watch);
    QSignalSpy last_closed(qApp, &QGuiApplication::lastWindowClosed);
    m_responder.answer = [](const SheetRequest&) { return int(QMessageBox::Ok); };
    m_responder.seen.clear();
    Window()->close();
    ASSERT_EQ(m_responder.seen.size(), 1);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(last_closed.count(), 0) << "the main window's own close must not end the loop";
    ASSERT_TRUE(WaitUntil([&] { return goodbyes_at_close >= 0; }));
    EXPECT_EQ(goodbyes_at_close, 2);
    EXPECT_FALSE(witness.isVisible());
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
    emit DndManager::getInstance()->sigDndFinished(QString::fromStdString(Local("/drop")));
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
    ASSERT_TRUE(WaitUntil([&] { return Server().RequestCount("close_peer") == 1; }));
}

TEST_F(MainWindowSession, PaneRequestsRenamesAndCertificateState)
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
    button->click();
    QPointer<QueuePage> first = central->queuePage();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(button->isToggled());
    button->click();
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(central->queuePage(), nullptr);
    EXPECT_FALSE(button->isToggled());
    button->click();
    QPointer<QueuePage> second = central->queuePage();
    ASSERT_TRUE(second);
    second->hide();
    emit GlobalConnecter::getInstance()->sigQueuePageHidden();
    EXPECT_FALSE(button->isToggled());
    button->click();
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
    m_windows->showAboutWindow();
    QPointer<AboutWindow> box = m_windows->aboutWindow();
    m_windows->showAboutWindow();
    EXPECT_TRUE(box.isNull());
    EXPECT_NE(m_windows->aboutWindow(), nullptr);
}

int main(int argc, char** argv)
{
    // The copy hook's registration and the drag marker folder stay in a
    // folder of this run.
    qm_test::TempDir home("qm-mainwindow-session");
    qputenv("QM_REGISTRY_DIR", QByteArray::fromStdString(home.file("registry")));
    QApplication app(argc, argv);
    UIPathManager::getInstance()->setPath(QStringLiteral("user_data_path"), QString::fromStdString(home.path()));
    registerHubMetaTypes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
