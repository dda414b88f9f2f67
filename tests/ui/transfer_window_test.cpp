// The Task Manager window and the transfer button, driven as the main
// window's tab area drives them: sizes by mode and scale, Escape, the
// refresh only while shown, and the button's picture by state.
#include <QLabel>
#include <QListWidget>
#include <QMovie>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "full-queue.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "kavelin/error-code.h"
#include "queue-page.h"
#include "simple-queue.h"
#include "top-tool-bar.h"
#include "transfer-button.h"
#include "transfer_test_support.h"
#include "ui_path_manager.h"
#include "vexo_icon_button.h"
#include "vexo_paging_bar.h"
#include "vexoqelt_test_support.h"

using namespace transfertest;

namespace {

QString gifFile()
{
#ifdef QM_STAGE_RESOURCE_DIR
    return QStringLiteral(QM_STAGE_RESOURCE_DIR "/images/bt_queue_ani.gif");
#else
    return QString();
#endif
}

QImage shownImage(TransferButton& button)
{
    return button.label()->pixmap(Qt::ReturnByValue).toImage();
}

QImage stateImage(int type)
{
    return getGlobalImage("bt_queue", type).toImage();
}

}  // namespace

class TransferWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void sizesByModeAndScale_data();
    void sizesByModeAndScale();
    void escapeHidesStopsAndUntoggles();
    void timerReloadsOnlyTheViewOnShow();
    void buttonOpensAndClosesNewSimpleWindows();
    void buttonPictureByState_data();
    void buttonPictureByState();
    void disabledButtonEmitsNothing();
    void screenshotsOfBothModes();
};

void TransferWindowTest::initTestCase()
{
    vexotest::initLibrary();
#ifdef QM_STAGE_RESOURCE_DIR
    UIPathManager::getInstance()->setPath("resource_path", QStringLiteral(QM_STAGE_RESOURCE_DIR));
    QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
#endif
}

void TransferWindowTest::init()
{
    clearStore();
    vexotest::initLibrary(1.0);
    QCursor::setPos(QPoint(2000, 2000));  // away from every widget
}

void TransferWindowTest::sizesByModeAndScale_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QSize>("simple");
    QTest::addColumn<QSize>("full");
    QTest::newRow("1") << 1.0 << QSize(280, 476) << QSize(900, 476);
    QTest::newRow("1.5 truncated") << 1.5 << QSize(420, 714) << QSize(1350, 714);
    QTest::newRow("1.25 truncated") << 1.25 << QSize(350, 595) << QSize(1125, 595);
}

void TransferWindowTest::sizesByModeAndScale()
{
    QFETCH(double, scale);
    QFETCH(QSize, simple);
    QFETCH(QSize, full);
    vexotest::initLibrary(scale);
    QueuePage page;
    page.show();
    QCOMPARE(page.minimumSize(), simple);
    QCOMPARE(page.maximumSize(), simple);
    QCOMPARE(page.stack()->currentWidget(), static_cast<QWidget*>(page.simpleQueue()));
    QTest::mouseClick(page.topToolBar()->windowButton(), Qt::LeftButton);
    QCOMPARE(page.maximumSize(), full);
    QCOMPARE(page.minimumSize(), full);
    QCOMPARE(page.stack()->currentWidget(), static_cast<QWidget*>(page.fullQueue()));
    QTest::mouseClick(page.topToolBar()->windowButton(), Qt::LeftButton);
    QCOMPARE(page.maximumSize(), simple);
}

void TransferWindowTest::escapeHidesStopsAndUntoggles()
{
    TabHost host(gifFile());
    host.button()->show();
    QTest::mouseClick(host.button(), Qt::LeftButton);
    QVERIFY(host.button()->isToggled());
    QueuePage* page = host.page();
    QVERIFY(page && page->isVisible());
    QVERIFY(page->timer()->isActive());
    QCOMPARE(page->timer()->interval(), 1000);

    QSignalSpy hidden(GlobalConnecter::getInstance(), &GlobalConnecter::sigQueuePageHidden);
    QTest::keyClick(page, Qt::Key_Escape);
    QVERIFY(!page->isVisible());
    QCOMPARE(hidden.count(), 1);
    QVERIFY(!page->timer()->isActive());
    QVERIFY(!host.button()->isToggled());
    QCOMPARE(host.page(), page);  // hidden, not deleted

    // The hidden window is not refreshed.
    addTasks(3, 1, C_PULL, "esc");
    page->slotUpdateQueue();
    QCOMPARE(page->simpleQueue()->listWidget()->count(), 0);
}

void TransferWindowTest::timerReloadsOnlyTheViewOnShow()
{
    QueuePage page;
    page.show();
    QCOMPARE(page.simpleQueue()->listWidget()->count(), 0);
    addTasks(2, 1, C_PUSH, "tick");
    QTRY_COMPARE_WITH_TIMEOUT(page.simpleQueue()->listWidget()->count(), 2, 5000);
    // The full view was never on show: the ticks left it alone.
    QCOMPARE(page.fullQueue()->pagingBar()->itemCount(), 0);

    QTest::mouseClick(page.topToolBar()->windowButton(), Qt::LeftButton);
    QCOMPARE(page.fullQueue()->pagingBar()->itemCount(), 2);  // reloaded on its show
    addTasks(1, 1, C_PUSH, "late");
    QTRY_COMPARE_WITH_TIMEOUT(page.fullQueue()->pagingBar()->itemCount(), 3, 5000);
    QCOMPARE(page.simpleQueue()->listWidget()->count(), 2);
}

void TransferWindowTest::buttonOpensAndClosesNewSimpleWindows()
{
    TabHost host(gifFile());
    host.button()->show();
    QTest::mouseClick(host.button(), Qt::LeftButton);
    QPointer<QueuePage> first = host.page();
    QVERIFY(first);
    QTest::mouseClick(first->topToolBar()->windowButton(), Qt::LeftButton);
    QCOMPARE(first->stack()->currentWidget(), static_cast<QWidget*>(first->fullQueue()));

    // A second click closes (deletes) the window and untoggles.
    QTest::mouseClick(host.button(), Qt::LeftButton);
    QVERIFY(first.isNull());
    QVERIFY(!host.button()->isToggled());
    QVERIFY(!host.page());
    // A third opens a new one, in simple mode.
    QTest::mouseClick(host.button(), Qt::LeftButton);
    QVERIFY(host.button()->isToggled());
    QVERIFY(host.page());
    QCOMPARE(host.page()->stack()->currentWidget(), static_cast<QWidget*>(host.page()->simpleQueue()));
    QVERIFY(!host.page()->topToolBar()->isFullMode());
}

void TransferWindowTest::buttonPictureByState_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("toggled");
    QTest::addColumn<bool>("hover");
    QTest::addColumn<bool>("gif");
    QTest::addColumn<bool>("pause");
    QTest::addColumn<int>("image");  // an ImageType, or -1 for the animation
    QTest::newRow("plain") << true << false << false << false << false << 0;
    QTest::newRow("tasks animate") << true << false << false << true << false << -1;
    QTest::newRow("paused look") << true << false << false << true << true << 0;
    QTest::newRow("hover beats animation") << true << false << true << true << false << 1;
    QTest::newRow("toggled never animates") << true << true << false << true << false << 2;
    QTest::newRow("toggled beats hover") << true << true << true << false << false << 2;
    QTest::newRow("disabled beats all") << false << true << true << true << false << 3;
}

void TransferWindowTest::buttonPictureByState()
{
    QFETCH(bool, enabled);
    QFETCH(bool, toggled);
    QFETCH(bool, hover);
    QFETCH(bool, gif);
    QFETCH(bool, pause);
    QFETCH(int, image);
    TabHost host(gifFile());
    TransferButton* button = host.button();
    button->move(100, 100);
    button->show();
    QVERIFY(QTest::qWaitForWindowExposed(button));
    if (hover)
        QCursor::setPos(button->mapToGlobal(button->rect().center()));
    button->setToggled(toggled);
    button->setPause(pause);
    emit GlobalConnecter::getInstance()->sigTaskCountChanged(gif ? 4 : 0);
    button->setEnabled(enabled);
    if (image < 0) {
        QVERIFY(button->isShowingGif());
        QCOMPARE(button->movie()->state(), QMovie::Running);
    } else {
        QVERIFY(!button->isShowingGif());
        QCOMPARE(shownImage(*button), stateImage(image));
    }
}

void TransferWindowTest::disabledButtonEmitsNothing()
{
    TransferButton button;
    button.setAllIcon("bt_queue");
    button.show();
    QSignalSpy clicks(&button, &TransferButton::clicked);
    button.setEnabled(false);
    QTest::mousePress(&button, Qt::LeftButton);
    QCOMPARE(shownImage(button), stateImage(ImageManager::IT_DISABLE));
    QTest::mouseRelease(&button, Qt::LeftButton);
    QCOMPARE(shownImage(button), stateImage(ImageManager::IT_DISABLE));
    QCOMPARE(clicks.count(), 0);
    button.setEnabled(true);
    QTest::mouseClick(&button, Qt::RightButton);  // any button counts
    QCOMPARE(clicks.count(), 1);

    // Without an animation, tasks change nothing; setAllIcon waits for a refresh.
    button.startGif();
    QVERIFY(!button.isShowingGif());
    const QImage before = shownImage(button);
    button.setAllIcon("bt_log");
    QCOMPARE(shownImage(button), before);
    button.setPause(false);
    QCOMPARE(shownImage(button), getGlobalImage("bt_log", 0).toImage());
}

void TransferWindowTest::screenshotsOfBothModes()
{
    using R = ResumeInfo;
    const std::vector<uint64_t> ids = addTasks(5, 1, C_PULL, "shot", [](int i, ResumeInfo& info) {
        info.progress = static_cast<uint64_t>(i + 1) * (1 << 18) / 2;
    });
    const std::vector<uint64_t> up = addTasks(2, 1, C_PUSH, "upload");
    setTaskState(ids[0], R::RI_RUNNING, R::UA_NONE);
    setTaskState(up[0], R::RI_RUNNING, R::UA_NONE);
    setTaskState(ids[1], R::RI_PAUSED, R::UA_NONE);
    setTaskState(ids[2], R::RI_FAILED, R::UA_NONE, ProjectVardo::ERR_NO_PERM);
    setTaskState(ids[3], R::RI_ERROR, R::UA_NONE, ProjectVardo::ERR_NO_SUCH_FILE);
    QueuePage page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QVERIFY(vexotest::saveScreenshot(&page, "transfer_window_simple"));
    QTest::mouseClick(page.topToolBar()->windowButton(), Qt::LeftButton);
    // The paging footer's labels show once the event loop runs.
    QTRY_VERIFY(page.fullQueue()->pagingBar()->footerLabels().value(0) &&
                page.fullQueue()->pagingBar()->footerLabels()[0]->isVisible());
    QVERIFY(vexotest::saveScreenshot(&page, "transfer_window_full"));
    QCOMPARE(vexotest::missingNames(), QStringList());
}

QTEST_MAIN(TransferWindowTest)
#include "transfer_window_test.moc"
