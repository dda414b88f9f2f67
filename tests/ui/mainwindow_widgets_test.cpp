// The main window's parts that need no server: the tab button, the row's
// width sharing, the warning texts, the keys and the F12 pair, the engine
// state dumps, the fly-in and the top frame.
#include <QBoxLayout>
#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGraphicsOpacityEffect>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QMovie>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "central-widget.h"
#include "client-core-manager.h"
#include "egg-window.h"
#include "event-error-text.h"
#include "event.h"
#include "global-connecter.h"
#include "kavelin/transfer-service.h"
#include "kavelin/vardo-core-manager.h"
#include "login_settings_support.h"
#include "main-window-keys.h"
#include "main-client-windows.h"
#include "main-window.h"
#include "resize-image-label.h"
#include "site-widget.h"
#include "tab-button.h"
#include "tab-share-width.h"
#include "transfer-button.h"
#include "ui_path_manager.h"
#include "user-action-cache.h"
#include "vexo_icon_button.h"
#include "vexoqelt_test_support.h"
#include "windows-top-frame.h"

Q_DECLARE_METATYPE(EventType)

class MainWindowWidgetsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void tabButton_data();
    void tabButton();
    void tabButtonBoldMayElide();
    void tabButtonDisconnected();
    void tabButtonSizesAtScale();
    void tabShare_data();
    void tabShare();
    void rowSizesAtScale();
    void tenTabsInANarrowWindow();
    void urlDropOnTheWindowDoesNothing();
    void errorText_data();
    void errorText();
    void keys_data();
    void keys();
    void keysBlocked();
    void keyPair();
    void keyPairWritesTheDumps();
    void dumpFiles();
    void dumpUnwritableFolder();
    void flyIn();
    void flyInRestartAndEmptyStack();
    void resizeImageLabelKeepsAspect();
    void topFrame();
};

void MainWindowWidgetsTest::initTestCase()
{
    // The copy hook's registration and the drag marker folder stay here.
    static QTemporaryDir home;
    qputenv("QM_REGISTRY_DIR", home.filePath(QStringLiteral("registry")).toUtf8());
    UIPathManager::getInstance()->setPath(QStringLiteral("user_data_path"), home.path());
    lstest::initWidgets(1.0);
    TransferService* engine = ClientCoreManager::getTransferService();
    QCOMPARE(engine->init(TRANSFER_SIDE_CLIENT, 0), 0);
    QCOMPARE(engine->startService(), 0);
}

void MainWindowWidgetsTest::cleanupTestCase()
{
    ClientCoreManager::getTransferService()->stopService();
    QVERIFY2(vexotest::missingNames().isEmpty(), qPrintable(vexotest::missingNames().join(',')));
}

void MainWindowWidgetsTest::tabButton_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("max_width");
    QTest::addColumn<bool>("elided");
    QTest::addColumn<int>("min_width");  // -1: the scaled full width

    const QString long_name = QStringLiteral("a-rather-long-server-name.example.org");
    QTest::newRow("empty name") << 1.0 << QString() << 0 << false << 73;
    QTest::newRow("no limit") << 1.0 << long_name << 0 << false << -1;
    QTest::newRow("fits the share") << 1.0 << QStringLiteral("nas") << 300 << false << 300;
    QTest::newRow("wider than the share") << 1.0 << long_name << 120 << true << 120;
    QTest::newRow("wider at 1.25") << 1.25 << long_name << 120 << true << 150;
    QTest::newRow("fits at 1.5") << 1.5 << QStringLiteral("nas") << 201 << false << 301;
    QTest::newRow("markup stays text") << 1.0 << QStringLiteral("<b>x</b>&y") << 0 << false << -1;
}

void MainWindowWidgetsTest::tabButton()
{
    QFETCH(double, scale);
    QFETCH(QString, name);
    QFETCH(int, max_width);
    QFETCH(bool, elided);
    QFETCH(int, min_width);
    lstest::initWidgets(scale);
    TabButton tab(true);
    tab.setName(name);
    const int text = QFontMetrics(tab.nameLabel()->font()).horizontalAdvance(name);
    const int full = static_cast<int>(text / scale) + 73;
    QCOMPARE(tab.getFullWidth(), full);
    tab.setMaxWidth(max_width);
    if (min_width < 0)
        min_width = static_cast<int>(full * scale);
    QCOMPARE(tab.minimumWidth(), min_width);
    QCOMPARE(tab.nameLabel()->textFormat(), Qt::PlainText);
    if (elided) {
        QVERIFY(tab.nameLabel()->text() != name);
        QVERIFY(tab.nameLabel()->text().endsWith(QChar(0x2026)));
    } else {
        QCOMPARE(tab.nameLabel()->text(), name);
    }
    // The tool tip always carries the whole name, escaped.
    if (!name.isEmpty())
        QVERIFY(tab.nameLabel()->toolTip().contains(name.toHtmlEscaped()));
    tab.setMaxWidth(0);
    QCOMPARE(tab.nameLabel()->text(), name);
    QCOMPARE(tab.minimumWidth(), static_cast<int>(full * scale));
    lstest::initWidgets(1.0);
}

void MainWindowWidgetsTest::tabButtonBoldMayElide()
{
    TabButton tab(true);
    tab.setName(QStringLiteral("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM"));
    tab.setSelected(false);
    const int normal = tab.getFullWidth();
    tab.setMaxWidth(normal);
    QCOMPARE(tab.nameLabel()->text(), tab.name());
    tab.setSelected(true);
    QVERIFY(tab.nameLabel()->font().bold());
    QVERIFY(tab.getFullWidth() > normal);
    QVERIFY(tab.nameLabel()->text().endsWith(QChar(0x2026)));
    tab.setSelected(false);
    QCOMPARE(tab.nameLabel()->text(), tab.name());
}

void MainWindowWidgetsTest::tabButtonDisconnected()
{
    TabButton tab(false);
    tab.setName(QStringLiteral("site"));
    tab.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tab));
    QVERIFY(tab.certificateButton()->isVisible());
    QVERIFY(!tab.disconnectedLabel()->isVisible());
    const int width = tab.minimumWidth();
    QSignalSpy certificate(&tab, &TabButton::sigCertificateClicked);
    QSignalSpy close(&tab, &TabButton::sigCloseButtonClicked);
    QSignalSpy clicked(&tab, &TabButton::clicked);
    QTest::mouseClick(tab.certificateButton(), Qt::LeftButton);
    QCOMPARE(certificate.count(), 1);
    tab.setDisconnected(true);
    QVERIFY(!tab.certificateButton()->isVisible());
    QVERIFY(tab.disconnectedLabel()->isVisible());
    QCOMPARE(tab.minimumWidth(), width);
    QTest::mouseClick(tab.closeButton(), Qt::LeftButton);
    QCOMPARE(close.count(), 1);
    QCOMPARE(clicked.count(), 0);
    QTest::mouseClick(&tab, Qt::LeftButton, {}, tab.nameLabel()->geometry().center());
    QCOMPARE(clicked.count(), 1);
}

void MainWindowWidgetsTest::tabButtonSizesAtScale()
{
    lstest::initWidgets(1.25);
    TabButton tab(true);
    tab.setName(QStringLiteral("x"));
    QCOMPARE(tab.height(), 50);
    QCOMPARE(tab.layout()->contentsMargins(), QMargins(17, 0, 3, 0));
    QCOMPARE(tab.certificateButton()->size(), QSize(20, 20));
    QCOMPARE(tab.disconnectedLabel()->size(), QSize(20, 20));
    QCOMPARE(tab.closeButton()->size(), QSize(30, 30));
    auto* row = static_cast<QBoxLayout*>(tab.layout());
    QCOMPARE(row->itemAt(2)->widget()->width(), 7);
    QCOMPARE(row->itemAt(4)->spacerItem()->sizeHint().width(), 12);
    lstest::initWidgets(1.0);
}

void MainWindowWidgetsTest::tabShare_data()
{
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("sum");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("share");
    QTest::newRow("fits") << 700 << 400 << 2 << 0;
    QTest::newRow("exactly fits") << 400 << 400 << 2 << 0;
    QTest::newRow("two too wide") << 500 << 600 << 2 << 250;
    QTest::newRow("odd room") << 501 << 600 << 2 << 250;
    QTest::newRow("ten narrow") << 300 << 1000 << 10 << 80;
    QTest::newRow("room below zero") << -100 << 100 << 1 << 80;
    QTest::newRow("no tabs") << 100 << 0 << 0 << 0;
}

void MainWindowWidgetsTest::tabShare()
{
    QFETCH(int, room);
    QFETCH(int, sum);
    QFETCH(int, count);
    QFETCH(int, share);
    QCOMPARE(tabShareWidth(room, sum, count), share);
}

void MainWindowWidgetsTest::rowSizesAtScale()
{
    lstest::initWidgets(1.25);
    {
        CentralWidget central;
        central.resize(1000, 600);
        central.show();
        QVERIFY(QTest::qWaitForWindowExposed(&central));
        QCOMPARE(central.addButton()->size(), QSize(45, 50));
        QCOMPARE(central.addButton()->parentWidget()->height(), 50);
        QCOMPARE(central.widthForTabs(), 1000 - 350);
        QVERIFY(central.transferButton()->movie());
        QCOMPARE(central.transferButton()->movie()->scaledSize(), QSize(43, 35));
        QCOMPARE(central.logButton()->height(), 35);
        vexotest::saveScreenshot(&central, QStringLiteral("mainwindow_row_scale_125"));
    }
    lstest::initWidgets(1.0);
}

void MainWindowWidgetsTest::tenTabsInANarrowWindow()
{
    CentralWidget central;
    central.resize(1200, 500);
    central.show();
    QVERIFY(QTest::qWaitForWindowExposed(&central));
    for (uint64_t peer = 1; peer <= 10; ++peer) {
        const QString name = QStringLiteral("server-%1.example.org").arg(peer);
        central.insertSite(name, new SiteWidget(peer, 0, name, &central), peer, peer % 2 == 0);
    }
    QCOMPARE(central.tabPages().size(), 10);
    QVERIFY(central.tabPages().last().btn->isSelected());
    vexotest::saveScreenshot(&central, QStringLiteral("mainwindow_ten_tabs"));
    for (const TabPage& tp : central.tabPages())
        QCOMPARE(tp.btn->maxWidth(), (1200 - 280) / 10);

    central.resize(600, 500);
    QCOMPARE(central.widthForTabs(), 320);
    for (const TabPage& tp : central.tabPages()) {
        QCOMPARE(tp.btn->maxWidth(), 80);
        // 7 pixels for the name: at most an ellipsis is left of it.
        QVERIFY(tp.btn->nameLabel()->text().size() <= 1);
        QCOMPARE(tp.btn->minimumWidth(), 80);
    }
    vexotest::saveScreenshot(&central, QStringLiteral("mainwindow_narrow_window"));

    // Two tabs left in a wide window: they fit and get no limit.
    while (central.tabPages().size() > 2)
        central.removeSite(central.tabPages().last(), central.tabPages().size() - 1);
    central.resize(1200, 500);
    for (const TabPage& tp : central.tabPages()) {
        QCOMPARE(tp.btn->maxWidth(), 0);
        QCOMPARE(tp.btn->nameLabel()->text(), tp.btn->name());
    }
    QVERIFY(central.tabPages().last().btn->isSelected());
}

void MainWindowWidgetsTest::urlDropOnTheWindowDoesNothing()
{
    MainWindow window;
    window.resize(800, 500);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy events(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/some-file.txt"))});
    const QPoint at(400, 20);  // the tab row, outside any view
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    QCOMPARE(events.count(), 0);
    QVERIFY(window.centralWidgetOfSites()->tabPages().isEmpty());
}

void MainWindowWidgetsTest::errorText_data()
{
    QTest::addColumn<EventType>("type");
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("opt_name");
    QTest::addColumn<QString>("opt_path");
    QTest::addColumn<QString>("text");

    const QStringList x{QStringLiteral("x.txt")};
    QTest::newRow("mkdir no permission") << EV_MKDIR << 36865 << QStringList{"new"} << "" << ""
                                         << "You do not have permission to create new.";
    QTest::newRow("mkdir other") << EV_MKDIR << -5 << QStringList{"new"} << "" << ""
                                 << "Failed to create directory new.";
    QTest::newRow("rename no permission") << EV_RENAME << 40961 << x << "y.txt" << "/share/y.txt"
                                          << "You do not have permission to rename x.txt to y.txt.";
    QTest::newRow("rename disk full uses move text") << EV_RENAME << 40962 << x << "y.txt" << "/share/y.txt"
                                                     << "Disk full. Failed to move x.txt to y.txt.";
    QTest::newRow("rename share quota") << EV_RENAME << 40963 << x << "y.txt" << "/s/y.txt"
                                        << "Shared folder quota insufficient. Failed to move x.txt to y.txt.";
    QTest::newRow("rename user quota") << EV_RENAME << 40964 << x << "y.txt" << "/s/y.txt"
                                       << "User quota insufficient. Failed to move x.txt to y.txt.";
    QTest::newRow("rename target exists") << EV_RENAME << 40965 << x << "y.txt" << "/s/y.txt"
                                          << "Failed to rename x.txt to y.txt because y.txt already exists.";
    QTest::newRow("rename other") << EV_RENAME << 1 << x << "y.txt" << "/s/y.txt"
                                  << "Failed to rename x.txt to y.txt.";
    QTest::newRow("move no permission") << EV_RENAME << 40961 << x << "x.txt" << "/share/dst/x.txt"
                                        << "You do not have permission to move x.txt to /share/dst.";
    QTest::newRow("move disk full") << EV_RENAME << 40962 << x << "x.txt" << "/share/dst/x.txt"
                                    << "Disk full. Failed to move x.txt to /share/dst.";
    QTest::newRow("move target exists") << EV_RENAME << 40965 << x << "x.txt" << "/share/dst/x.txt"
                                        << "Failed to move x.txt to /share/dst because x.txt already exists.";
    QTest::newRow("move other, no slash") << EV_RENAME << -1 << x << "x.txt" << "dst"
                                          << "Failed to move x.txt to dst.";
    QTest::newRow("remove two") << EV_REMOVE << 24577 << QStringList{"a", "b"} << "" << ""
                                << "You do not have permission to remove a, b.";
    QTest::newRow("remove other") << EV_REMOVE << 7 << QStringList{"a"} << "" << "" << "Failed to remove a.";
    QTest::newRow("copy no permission") << EV_COPY << 28673 << QStringList{"a", "b"} << "dst" << "/s/dst"
                                        << "You do not have permission to copy a, b to dst.";
    QTest::newRow("copy disk full") << EV_COPY << 28674 << x << "dst" << "/s/dst"
                                    << "Disk full. Failed to copy x.txt to dst.";
    QTest::newRow("copy share quota") << EV_COPY << 28675 << x << "dst" << "/s/dst"
                                      << "Shared folder quota insufficient. Failed to copy x.txt to dst.";
    QTest::newRow("copy user quota") << EV_COPY << 28676 << x << "dst" << "/s/dst"
                                     << "User quota insufficient. Failed to copy x.txt to dst.";
    QTest::newRow("copy other") << EV_COPY << 28672 << x << "dst" << "/s/dst" << "Failed to copy x.txt to dst.";
    QTest::newRow("upload") << EV_UPLOAD << 5 << x << "" << "" << "Cannot load information for x.txt.";
    QTest::newRow("download") << EV_DOWNLOAD << 5 << x << "" << "" << "Cannot load information for x.txt.";
    QTest::newRow("upload name refused") << EV_UPLOAD << 4096 << QStringList{"a\\b.txt"} << "" << ""
                                         << "Cannot upload a\\b.txt: a name on the server cannot contain \"\\\".";
    QTest::newRow("download invalid") << EV_DOWNLOAD << 4096 << x << "" << "" << "Cannot load information for x.txt.";
    QTest::newRow("placeholder in a name") << EV_RENAME << 1 << QStringList{"%2"} << "%1" << "/s/%1"
                                           << "Failed to rename %2 to %1.";
    QTest::newRow("listing has none") << EV_LIST << 5 << x << "" << "" << "";
}

void MainWindowWidgetsTest::errorText()
{
    QFETCH(EventType, type);
    QFETCH(int, error);
    QFETCH(QStringList, names);
    QFETCH(QString, opt_name);
    QFETCH(QString, opt_path);
    QFETCH(QString, text);
    Event event;
    event.type = type;
    for (const QString& name : names)
        event.names.push_back(name.toStdString());
    event.opt_name = opt_name.toStdString();
    event.opt_path = opt_path.toStdString();
    QString got;
    QCOMPARE(eventErrorText(event, error, got), !text.isEmpty());
    QCOMPARE(got, text);
}

void MainWindowWidgetsTest::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("action");
    QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << int(UAT_REMOVE);
    QTest::newRow("F2") << int(Qt::Key_F2) << 0 << int(UAT_RENAME);
    QTest::newRow("F3") << int(Qt::Key_F3) << 0 << int(UAT_MKDIR);
    QTest::newRow("F4") << int(Qt::Key_F4) << 0 << int(UAT_DOWNLOAD);
    QTest::newRow("F6") << int(Qt::Key_F6) << 0 << int(UAT_DOWNLOAD_TO);
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << int(UAT_COPY);
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << int(UAT_PASTE);
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << int(UAT_CUT);
    QTest::newRow("F12") << int(Qt::Key_F12) << 0 << -1;
    QTest::newRow("plain C") << int(Qt::Key_C) << 0 << -1;
    QTest::newRow("F5") << int(Qt::Key_F5) << 0 << -1;
}

void MainWindowWidgetsTest::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, action);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(GlobalConnecter::getInstance(), &GlobalConnecter::sigActionClicked);
    QTest::keyClick(&window, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (action < 0) {
        QCOMPARE(spy.count(), 0);
    } else {
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), action);
    }
}

void MainWindowWidgetsTest::keysBlocked()
{
    uint64_t now = 10000;
    MainWindow::setClockForTest([&now] { return now; });
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy actions(GlobalConnecter::getInstance(), &GlobalConnecter::sigActionClicked);
    QSignalSpy egg(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowEggWindow);
    emit GlobalConnecter::getInstance()->sigBlockKeyPress(true);
    for (Qt::Key key : {Qt::Key_Delete, Qt::Key_F2, Qt::Key_F4, Qt::Key_F12, Qt::Key_F12})
        QTest::keyClick(&window, key);
    QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(actions.count(), 0);
    QCOMPARE(egg.count(), 0);
    emit GlobalConnecter::getInstance()->sigBlockKeyPress(false);
    QTest::keyClick(&window, Qt::Key_Delete);
    QCOMPARE(actions.count(), 1);
    MainWindow::setClockForTest({});
}

void MainWindowWidgetsTest::keyPair()
{
    uint64_t now = 50000;
    MainWindow::setClockForTest([&now] { return now; });
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy egg(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowEggWindow);
    QTest::keyClick(&window, Qt::Key_F12);
    now += 499;
    QTest::keyClick(&window, Qt::Key_F12);
    QCOMPARE(egg.count(), 1);
    // A third quick press starts a new pair.
    now += 10;
    QTest::keyClick(&window, Qt::Key_F12);
    QCOMPARE(egg.count(), 1);
    now += 500;
    QTest::keyClick(&window, Qt::Key_F12);
    QCOMPARE(egg.count(), 1);  // too late: a new first press
    now += 1;
    QTest::keyClick(&window, Qt::Key_F12);
    QCOMPARE(egg.count(), 2);
    MainWindow::setClockForTest({});

    // The rule itself, including a clock that steps back.
    uint64_t first = 0;
    QVERIFY(!completesKeyPair(first, 1000));
    QVERIFY(!completesKeyPair(first, 900));
    QCOMPARE(first, uint64_t(900));
    QVERIFY(completesKeyPair(first, 1399));
    QCOMPARE(first, uint64_t(0));
}

void MainWindowWidgetsTest::keyPairWritesTheDumps()
{
    // As the client manager answers the hub's request.
    MainClientWindows windows;
    windows.createMainWindow();
    QObject answer;
    connect(GlobalConnecter::getInstance(), &GlobalConnecter::sigShowEggWindow, &answer,
            [&windows] { windows.generateDebugDump(); });
    QTemporaryDir logs;
    UIPathManager::getInstance()->setPath(QStringLiteral("log_path"), logs.path());
    const QString vcm = logs.filePath(QStringLiteral("vcm.log"));
    const QString tt = logs.filePath(QStringLiteral("tt.log"));
    uint64_t now = 70000;
    MainWindow::setClockForTest([&now] { return now; });
    MainWindow* window = windows.mainWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QTest::keyClick(window, Qt::Key_F12);
    now += 500;
    QTest::keyClick(window, Qt::Key_F12);
    QVERIFY(!QFile::exists(vcm));
    QVERIFY(!QFile::exists(tt));
    now += 499;
    QTest::keyClick(window, Qt::Key_F12);
    QVERIFY(QFile::exists(vcm));
    QVERIFY(QFile::exists(tt));
    MainWindow::setClockForTest({});
}

void MainWindowWidgetsTest::dumpFiles()
{
    QTemporaryDir logs;
    UIPathManager::getInstance()->setPath(QStringLiteral("log_path"), logs.path());
    // A task whose paths hold non-ASCII UTF-8 bytes: they reach the file as they are.
    ResumeInfo task;
    task.peer_id = 77;
    task.command = C_PULL;
    task.path_from = "/docs/Grüße-日本.txt";
    task.path_to = "/tmp/Grüße-日本.txt";
    task.total = 10;
    QVERIFY(ClientCoreManager::getCoreManager()->addInfos({task}));
    const QString vcm = logs.filePath(QStringLiteral("vcm.log"));
    const QString tt = logs.filePath(QStringLiteral("tt.log"));
    for (const QString& path : {vcm, tt}) {
        QFile stale(path);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray(100000, 'z'));
    }
    EggWindow::genDebug();
    EggWindow::genDebug();  // a second request replaces, never appends
    QFile store(vcm);
    QVERIFY(store.open(QIODevice::ReadOnly));
    const QByteArray store_text = store.readAll();
    QVERIFY(!store_text.contains("zzz"));
    QVERIFY(store_text.contains(QByteArray("/docs/Grüße-日本.txt")));
    QFile service(tt);
    QVERIFY(service.open(QIODevice::ReadOnly));
    const QByteArray service_text = service.readAll();
    QVERIFY(!service_text.isEmpty());
    QVERIFY(!service_text.contains("zzz"));
    ResumeFilter filter;
    std::vector<ResumeInfo> infos;
    int total = 0;
    uint64_t down = 0, up = 0;
    ClientCoreManager::getCoreManager()->getInfos(filter, infos, total, down, up);
    for (const ResumeInfo& info : infos)
        ClientCoreManager::getCoreManager()->removeInfo(info.resume_id);
}

void MainWindowWidgetsTest::dumpUnwritableFolder()
{
    // A folder under a plain file cannot exist, whoever runs the test.
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    UIPathManager::getInstance()->setPath(QStringLiteral("log_path"), blocker.fileName() + QStringLiteral("/logs"));
    EggWindow::genDebug();
    QVERIFY(!QFile::exists(blocker.fileName() + QStringLiteral("/logs/vcm.log")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList{QStringLiteral("file")});
}

void MainWindowWidgetsTest::flyIn()
{
    CentralWidget central;
    central.resize(900, 600);
    central.show();
    QVERIFY(QTest::qWaitForWindowExposed(&central));
    auto* pane = new SiteWidget(5, 0, QStringLiteral("pane"), &central);
    central.insertSite(QStringLiteral("pane"), pane, 5, true);
    QTRY_VERIFY(pane->isVisible());

    // Tasks run: the button shows its animation, except while paused.
    emit GlobalConnecter::getInstance()->sigTaskCountChanged(1);
    TransferButton* button = central.transferButton();
    QVERIFY(button->isShowingGif());
    emit GlobalConnecter::getInstance()->sigTransferTaskAdded(QStringLiteral("report.pdf"), false, false);
    QSequentialAnimationGroup* all = central.flyInAnimation();
    QCOMPARE(all->state(), QAbstractAnimation::Running);
    QCOMPARE(all->duration(), 1303);
    all->pause();
    QVERIFY(!button->isShowingGif());

    const QPoint b = button->mapTo(&central, QPoint(0, 0));
    const int bw = button->width();
    const int bh = button->height();
    const int cy = pane->mapTo(&central, pane->getCentralPoint()).y();
    QCOMPARE(central.flightGeometry()->startValue().toRect(),
             QRect(b.x() - qRound((64 - bw) * 0.5), cy - qRound((64 - bh) * 0.5), 64, 64));
    QCOMPARE(central.flightGeometry()->endValue().toRect(),
             QRect(b.x() - qRound((32 - bw) * 0.5), b.y() - qRound((32 - bh) * 0.5), 32, 32));
    const QPoint c = button->mapTo(&central, QPoint((bw - 1) / 2, (bh - 1) / 2));
    QCOMPARE(central.swellGeometry()->startValue().toRect(), QRect(c.x() - 14, c.y() - 17, 28, 34));
    QCOMPARE(central.swellGeometry()->endValue().toRect(), QRect(c.x() - 56, c.y() - 68, 112, 136));

    // Mid-flight: label 1 between its rectangles, label 2 shown but see-through.
    all->setCurrentTime(301);
    auto* effect2 = static_cast<QGraphicsOpacityEffect*>(central.swellLabel()->graphicsEffect());
    QVERIFY(central.flightLabel()->isVisible());
    QVERIFY(central.swellLabel()->isVisible());
    QCOMPARE(effect2->opacity(), 0.0);
    const QRect mid = central.flightLabel()->geometry();
    QVERIFY(mid.width() < 64 && mid.width() > 32);
    vexotest::saveScreenshot(&central, QStringLiteral("mainwindow_flyin_mid_flight"));
    // In the swell: label 2 visible and growing.
    all->setCurrentTime(1100);
    QVERIFY(effect2->opacity() > 0.0);
    QVERIFY(central.swellLabel()->width() > 28);

    QSignalSpy finished(all, &QAbstractAnimation::finished);
    all->resume();
    QVERIFY(finished.wait(3000));
    QVERIFY(!central.flightLabel()->isVisible());
    QVERIFY(!central.swellLabel()->isVisible());
    QVERIFY(button->isShowingGif());
    emit GlobalConnecter::getInstance()->sigTaskCountChanged(0);
    QVERIFY(!button->isShowingGif());
}

void MainWindowWidgetsTest::flyInRestartAndEmptyStack()
{
    CentralWidget central;
    central.resize(800, 500);
    central.show();
    QVERIFY(QTest::qWaitForWindowExposed(&central));
    QSequentialAnimationGroup* all = central.flyInAnimation();
    QSignalSpy finished(all, &QAbstractAnimation::finished);
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    emit hub->sigTransferTaskAdded(QStringLiteral("a.txt"), false, false);
    all->setCurrentTime(700);
    const QPixmap first = central.flightLabel()->storedPixmap();
    emit hub->sigTransferTaskAdded(QStringLiteral("folder"), true, false);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(all->currentTime(), 0);
    QVERIFY(central.flightLabel()->storedPixmap().toImage() != first.toImage());
    // No pane: the flight starts at half the widget's height.
    const int bh = central.transferButton()->height();
    QCOMPARE(central.flightGeometry()->startValue().toRect().top(), qRound(500 * 0.5) - qRound((64 - bh) * 0.5));
    all->setCurrentTime(all->duration());
    QCOMPARE(finished.count(), 1);
    QVERIFY(!central.flightLabel()->isVisible());
}

void MainWindowWidgetsTest::resizeImageLabelKeepsAspect()
{
    QWidget host;
    ResizeImageLabel label(&host);
    QPixmap square(64, 64);
    square.fill(Qt::red);
    label.setPixmap(square);
    label.setGeometry(0, 0, 28, 34);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    QCOMPARE(label.pixmap(Qt::ReturnByValue).size(), QSize(28, 28));
    label.setGeometry(0, 0, 112, 136);
    QCOMPARE(label.pixmap(Qt::ReturnByValue).size(), QSize(112, 112));
    QCOMPARE(label.storedPixmap().size(), QSize(64, 64));
}

void MainWindowWidgetsTest::topFrame()
{
    const struct {
        double scale;
        int height;
    } cases[] = {{1.0, 1}, {1.5, 1}, {1.99, 1}, {2.0, 2}, {2.5, 2}, {3.0, 3}};
    for (const auto& c : cases)
        QCOMPARE(windowsTopFrameHeight(c.scale), c.height);
    QVBoxLayout layout;
    addWindowsTopFrame(&layout);
    QCOMPARE(layout.count(), 0);
}

QTEST_MAIN(MainWindowWidgetsTest)
#include "mainwindow_widgets_test.moc"
