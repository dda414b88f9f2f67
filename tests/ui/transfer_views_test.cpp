// The Task Manager's views over the process-wide task store, with tasks put
// into the store as the engine leaves them: the status cell, the simple list,
// the full table with pages and the site filter, the tool bars and the
// actions on a selection.
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QtTest>

#include "action-bar.h"
#include "client-core-manager.h"
#include "full-queue.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "kavelin/error-code.h"
#include "kavelin/vardo-core-manager.h"
#include "progress-status-widget.h"
#include "simple-queue.h"
#include "site-display.h"
#include "site-info-manager.h"
#include "task-entry.h"
#include "top-tool-bar.h"
#include "transfer_test_support.h"
#include "ui_path_manager.h"
#include "vexo_combo_box.h"
#include "vexo_icon_button.h"
#include "vexo_paging_bar.h"
#include "vexo_table_widget.h"
#include "vexoqelt_test_support.h"

using namespace transfertest;

Q_DECLARE_METATYPE(ResumeInfo)

namespace {

ResumeInfo makeInfo(uint64_t id, ResumeInfo::UserAction action, ResumeInfo::State state, int error = 0,
                    Command command = C_PULL)
{
    ResumeInfo info;
    info.resume_id = id;
    info.user_action = action;
    info.local_state = state;
    info.error = error;
    info.command = command;
    info.total = 1000;
    info.progress = 500;
    return info;
}

QStringList comboTexts(QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QStringList visibleNames(FullQueue& view)
{
    QTableWidget* table = view.table()->getTable();
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (!table->isRowHidden(row))
            names << table->item(row, FullQueue::COL_NAME)->text();
    }
    return names;
}

QStringList entryNames(SimpleQueue& view)
{
    QStringList names;
    for (int row = 0; row < view.listWidget()->count(); ++row)
        names << view.entryAt(row)->nameLabel()->text();
    return names;
}

void selectRows(QTableWidget* table, const QList<int>& rows)
{
    QItemSelection selection;
    for (int row : rows)
        selection.select(table->model()->index(row, 0), table->model()->index(row, FullQueue::COL_COUNT - 1));
    table->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

QList<int> selectedRows(QTableWidget* table)
{
    QList<int> rows;
    for (const QModelIndex& index : table->selectionModel()->selectedRows(0))
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::map<int, bool> lastButtons(const QSignalSpy& spy)
{
    return spy.isEmpty() ? std::map<int, bool>() : spy.last().at(0).value<ActionButtonStates>();
}

SiteInfo site(uint64_t peer, const QString& user, const QString& domain)
{
    SiteInfo info;
    info.peer_id = peer;
    info.user_name = user;
    info.domain_name = domain;
    return info;
}

}  // namespace

class TransferViewsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void statusCell_data();
    void statusCell();
    void statusCellSentenceFollowsTheTask();
    void simpleShowsFirstEightAndCountsAll();
    void simpleEntryTexts();
    void simpleShrinkDropsRowsAndTheirSelection();
    void simpleSelectionByRows();
    void fullPagesAndShrinkingQueue();
    void fullColumnsByDirection();
    void fullHeaderTitlesFit();
    void fullSpeedAndRemainingCells();
    void hostileNamesShowLiterally();
    void simpleEntryKeepsEveryDigit();
    void siteFilterAndToolBar();
    void selectionFollowsTasksAcrossReloads();
    void setSelectedMatchesInRowOrder();
    void buttonsFollowSelection();
    void movesReorderStoreAndKeepSelection();
    void startPauseClearReachTheStore();
    void hiddenViewIgnoresButtons();
    void actionBarShowsMapAndReportsClicks();
    void modeButtonFlips();
};

void TransferViewsTest::initTestCase()
{
    vexotest::initLibrary();
#ifdef QM_STAGE_RESOURCE_DIR
    UIPathManager::getInstance()->setPath("resource_path", QStringLiteral(QM_STAGE_RESOURCE_DIR));
    QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
#endif
}

void TransferViewsTest::init()
{
    clearStore();
    QVector<SiteInfo> sites;
    SiteInfoManager::getInstance()->getSiteInfos(sites);
    for (const SiteInfo& info : sites)
        SiteInfoManager::getInstance()->removeSiteInfo(info.peer_id);
}

void TransferViewsTest::statusCell_data()
{
    QTest::addColumn<ResumeInfo>("info");
    QTest::addColumn<bool>("bar");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("color");
    using R = ResumeInfo;
    QTest::newRow("running download") << makeInfo(1, R::UA_NONE, R::RI_RUNNING) << true << "" << "" << "green";
    QTest::newRow("running upload") << makeInfo(1, R::UA_NONE, R::RI_RUNNING, 0, C_PUSH) << true << "" << ""
                                    << "blue";
    QTest::newRow("pause asked while running") << makeInfo(1, R::UA_PAUSE, R::RI_RUNNING) << false << "Paused"
                                                << "paused" << "";
    QTest::newRow("start asked") << makeInfo(1, R::UA_START, R::RI_PAUSED) << false << "Waiting" << "" << "";
    QTest::newRow("paused") << makeInfo(1, R::UA_NONE, R::RI_PAUSED) << false << "Paused" << "paused" << "";
    ResumeInfo fresh = makeInfo(1, R::UA_NONE, R::RI_WAITING);
    fresh.progress = 0;
    QTest::newRow("waiting") << fresh << false << "Waiting" << "" << "";
    fresh.local_state = R::RI_UDP_PENDING;
    QTest::newRow("udp pending") << fresh << false << "Waiting" << "" << "";
    // Waiting again part of the way through (a lost server): its bar stays.
    QTest::newRow("waiting with progress") << makeInfo(1, R::UA_NONE, R::RI_WAITING) << true << "" << "" << "green";
    QTest::newRow("udp pending with progress")
        << makeInfo(1, R::UA_NONE, R::RI_UDP_PENDING, 0, C_PUSH) << true << "" << "" << "blue";
    QTest::newRow("error disk full") << makeInfo(1, R::UA_NONE, R::RI_ERROR, ProjectVardo::ERR_LOCAL_DISKFULL)
                                     << false << "Failed: Insufficient disk space." << "error" << "";
    // Every code the engine gives carries its reason.
    const struct {
        int code;
        const char* reason;
    } reasons[] = {
        {ProjectVardo::ERR_SYS, "The file could not be read or written."},
        {ProjectVardo::ERR_IO, "The connection was interrupted."},
        {ProjectVardo::ERR_INVALID_TOKEN, "The server no longer knows this transfer."},
        {ProjectVardo::ERR_JOB_PAUSED, "The transfer was paused."},
        {ProjectVardo::ERR_NO_PERM, "You don't have enough privilege."},
        {ProjectVardo::ERR_DROP_LARGE, "The data received was larger than allowed."},
        {ProjectVardo::ERR_SSL_CHANGED, "SSL certificate has been changed."},
        {ProjectVardo::ERR_SOURCE_CHANGED, "The file changed while it was being sent."},
    };
    for (const auto& r : reasons)
        QTest::addRow("error code %d", r.code) << makeInfo(1, R::UA_NONE, R::RI_ERROR, r.code) << false
                                               << QString("Failed: ") + r.reason << "error" << "";
    QTest::newRow("error unknown code") << makeInfo(1, R::UA_NONE, R::RI_ERROR, -4) << false << "Failed" << "error"
                                        << "";
    QTest::newRow("error disconnected")
        << makeInfo(1, R::UA_NONE, R::RI_ERROR, ProjectVardo::ERR_CONNECTION_LOST) << false
        << "Failed: Disconnected from the server. Please login again." << "error" << "";
    // A task that ended failed says so, as an error does.
    QTest::newRow("failed no permission") << makeInfo(1, R::UA_NONE, R::RI_FAILED, ProjectVardo::ERR_NO_PERM)
                                          << false << "Failed: You don't have enough privilege." << "error" << "";
    QTest::newRow("done, fresh cell") << makeInfo(1, R::UA_NONE, R::RI_DONE) << false << "" << "" << "";
}

void TransferViewsTest::statusCell()
{
    QFETCH(ResumeInfo, info);
    QFETCH(bool, bar);
    QFETCH(QString, text);
    QFETCH(QString, status);
    QFETCH(QString, color);
    ProgressStatusWidget cell;
    cell.setFullMode(true);
    cell.resize(400, 20);  // wide enough for every sentence
    cell.setTaskInfo(info);
    QCOMPARE(cell.currentWidget() == cell.statusLabel(), !bar);
    if (bar) {
        QCOMPARE(cell.progressBar()->property("color").toString(), color);
        QCOMPARE(cell.progressBar()->value(), 5004);  // (500 + 1) / (1000 + 1)
    } else {
        QCOMPARE(cell.statusLabel()->text(), text);
        QCOMPARE(cell.statusLabel()->toolTip(), text);
        QCOMPARE(cell.statusLabel()->property("status").toString(), status);
    }
}

void TransferViewsTest::statusCellSentenceFollowsTheTask()
{
    using R = ResumeInfo;
    ProgressStatusWidget cell;
    cell.setFullMode(false);
    cell.resize(400, 20);
    cell.show();
    cell.setTaskInfo(makeInfo(7, R::UA_NONE, R::RI_ERROR, ProjectVardo::ERR_NO_SUCH_FILE));
    // The same task running and then done keeps its sentence.
    cell.setTaskInfo(makeInfo(7, R::UA_NONE, R::RI_RUNNING));
    cell.setTaskInfo(makeInfo(7, R::UA_NONE, R::RI_DONE));
    QCOMPARE(cell.statusLabel()->text(), QString("Failed: File does not exist."));
    QCOMPARE(cell.statusLabel()->property("status").toString(), QString());
    // Another task in the reused cell starts without it.
    cell.setTaskInfo(makeInfo(8, R::UA_NONE, R::RI_DONE));
    QCOMPARE(cell.statusLabel()->text(), QString());
    QCOMPARE(cell.statusLabel()->toolTip(), QString());

    // A long sentence is cut to the width, again on resize; the tip keeps it whole.
    const QString whole = "Failed: Disconnected from the server. Please login again.";
    cell.setTaskInfo(makeInfo(9, R::UA_NONE, R::RI_ERROR, ProjectVardo::ERR_CONNECTION_LOST));
    cell.resize(80, 20);
    QVERIFY(cell.statusLabel()->text().endsWith(QChar(0x2026)));
    QVERIFY(cell.statusLabel()->text().size() < whole.size());
    QCOMPARE(cell.statusLabel()->toolTip(), whole);
    cell.resize(600, 20);
    QCOMPARE(cell.statusLabel()->text(), whole);
}

void TransferViewsTest::simpleShowsFirstEightAndCountsAll()
{
    SimpleQueue view;
    view.reloadTasks();
    QCOMPARE(view.listWidget()->count(), 0);
    QCOMPARE(view.footer()->text(), QString("0 item(s)"));

    const std::vector<uint64_t> ids = addTasks(22, 1, C_PULL, "t");
    // Two tasks being aborted count for nothing.
    setTaskState(ids[0], ResumeInfo::RI_WAITING, ResumeInfo::UA_ABORT);
    setTaskState(ids[5], ResumeInfo::RI_WAITING, ResumeInfo::UA_ABORT);
    view.reloadTasks();
    QCOMPARE(entryNames(view), QStringList({"t1.bin", "t2.bin", "t3.bin", "t4.bin", "t6.bin", "t7.bin", "t8.bin",
                                            "t9.bin"}));
    QCOMPARE(view.footer()->text(), QString("20 item(s)"));
    // The refresh creates no widgets once the list has its rows.
    TaskEntry* first = view.entryAt(0);
    view.reloadTasks();
    QCOMPARE(view.entryAt(0), first);
}

void TransferViewsTest::simpleEntryTexts()
{
    addTasks(1, 1, C_PULL, "half", [](int, ResumeInfo& info) {
        info.total = 1 << 20;
        info.progress = 512 << 10;
    });
    addTasks(1, 1, C_PUSH, "empty", [](int, ResumeInfo& info) { info.total = 0; });
    addTasks(1, 1, C_PUSH, "dir", [](int, ResumeInfo& info) { info.path_from = ustring("/home/user/dir/"); });
    addTasks(1, 1, C_PULL, "run", [](int, ResumeInfo& info) {
        info.local_state = ResumeInfo::RI_RUNNING;
        info.update_time = 0;
    });
    SimpleQueue view;
    view.reloadTasks();
    QCOMPARE(view.listWidget()->count(), 4);
    TaskEntry* half = view.entryAt(0);
    QCOMPARE(half->descriptionLabel()->text(), QString("1 MB"));
    QVERIFY(half->toolTip().contains("half0.bin"));
    QVERIFY(half->toolTip().contains("Downloaded: 512 KB / 1 MB"));
    QVERIFY(view.entryAt(1)->toolTip().isEmpty());  // total 0
    QCOMPARE(view.entryAt(1)->descriptionLabel()->text(), QString("0 B"));
    QCOMPARE(view.entryAt(2)->nameLabel()->text(), QString());  // path ends in a separator
    QCOMPARE(view.entryAt(3)->descriptionLabel()->text(), QString());  // running without a record yet
    QVERIFY(view.entryAt(3)->progressStatus()->currentWidget() != view.entryAt(3)->progressStatus()->statusLabel());
}

void TransferViewsTest::simpleShrinkDropsRowsAndTheirSelection()
{
    const std::vector<uint64_t> ids = addTasks(8, 1, C_PUSH, "s");
    SimpleQueue view;
    view.resize(280, 430);
    view.show();
    QSignalSpy buttons(GlobalConnecter::getInstance(), &GlobalConnecter::sigUpdateActionBarButton);
    view.listWidget()->item(1)->setSelected(true);
    view.listWidget()->item(6)->setSelected(true);
    for (size_t i = 3; i < ids.size(); ++i)
        ClientCoreManager::getCoreManager()->removeInfo(ids[i]);
    buttons.clear();
    view.reloadTasks();
    QCOMPARE(view.listWidget()->count(), 3);
    std::vector<uint64_t> selected;
    view.getSelectedResumeIds(selected);
    QCOMPARE(selected, std::vector<uint64_t>({ids[1]}));
    // Summarised again for the one task left selected, out of three.
    QVERIFY(!buttons.isEmpty());
    QCOMPARE(lastButtons(buttons)[ActionBar::BA_CLEAR], true);
    QCOMPARE(lastButtons(buttons)[ActionBar::BA_MOVEUP], true);
}

void TransferViewsTest::simpleSelectionByRows()
{
    const std::vector<uint64_t> ids = addTasks(7, 1, C_PULL, "r");
    SimpleQueue view;
    view.reloadTasks();
    for (int row : {5, 1, 3})
        view.listWidget()->item(row)->setSelected(true);
    std::vector<uint64_t> selected{999};
    view.getSelectedResumeIds(selected);
    QCOMPARE(selected, std::vector<uint64_t>({ids[1], ids[3], ids[5]}));
    view.setSelectedResumeIds({ids[1], ids[3]});
    view.getSelectedResumeIds(selected);
    QCOMPARE(selected, std::vector<uint64_t>({ids[1], ids[3]}));
    // Out of row order the cursor stops at the first id.
    view.setSelectedResumeIds({ids[4], ids[2]});
    view.getSelectedResumeIds(selected);
    QCOMPARE(selected, std::vector<uint64_t>({ids[4]}));
}

void TransferViewsTest::fullPagesAndShrinkingQueue()
{
    FullQueue view;
    view.reloadTasks();
    QCOMPARE(visibleNames(view), QStringList());
    QCOMPARE(view.pagingBar()->footerLabels().size(), 1);
    QCOMPARE(view.pagingBar()->footerLabels()[0]->text(), QString("0 item(s)"));
    QVERIFY(view.table()->getTable()->rowCount() >= 1);  // one hidden row at least

    const std::vector<uint64_t> ids = addTasks(250, 1, C_PULL, "p");
    view.pagingModel()->setNowPage(3);
    view.reloadTasks();
    QStringList page3 = visibleNames(view);
    QCOMPARE(page3.size(), 50);
    QCOMPARE(page3.first(), QString("p200.bin"));
    QCOMPARE(page3.last(), QString("p249.bin"));
    QCOMPARE(view.resumeInfos().size(), size_t(50));
    QCOMPARE(view.pagingBar()->footerLabels()[0]->text(), QString("250 item(s)"));
    QCOMPARE(view.pagingBar()->footerLabels().size(), 3);
    QCOMPARE(view.pagingBar()->footerLabels()[1]->text(), QString("Download 0 B/s"));

    for (size_t i = 150; i < ids.size(); ++i)
        ClientCoreManager::getCoreManager()->removeInfo(ids[i]);
    view.reloadTasks();
    QCOMPARE(view.pagingModel()->nowPage(), 2);
    QStringList page2 = visibleNames(view);
    QCOMPARE(page2.size(), 50);
    QCOMPARE(page2.first(), QString("p100.bin"));
    QCOMPARE(page2.last(), QString("p149.bin"));
}

// Every title of a fixed column shows whole ("Time Remaining" was cut).
void TransferViewsTest::fullHeaderTitlesFit()
{
    FullQueue view;
    view.resize(900, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QHeaderView* header = view.table()->getHeader();
    const QFontMetrics metrics(header->font());
    // The last column takes the spare width and the user may resize it.
    for (int column = 0; column < FullQueue::COL_REMOTE_PATH; ++column) {
        const QString title = view.table()->getTable()->horizontalHeaderItem(column)->text();
        QVERIFY2(header->sectionSize(column) >= metrics.horizontalAdvance(title) + 6, qPrintable(title));
    }
    QVERIFY(vexotest::saveScreenshot(&view, "transfer_full_header"));
}

void TransferViewsTest::fullColumnsByDirection()
{
    addTasks(1, 1, C_PULL, "down", [](int, ResumeInfo& info) {
        info.elapsed_time = 3723999;
        info.total = 2048;
    });
    addTasks(1, 1, C_PUSH, "up");
    FullQueue view;
    view.reloadTasks();
    QTableWidget* table = view.table()->getTable();
    QCOMPARE(table->columnCount(), int(FullQueue::COL_COUNT));
    QCOMPARE(table->item(0, FullQueue::COL_NAME)->text(), QString("down0.bin"));
    QCOMPARE(table->item(0, FullQueue::COL_SIZE)->text(), QString("2 KB"));
    QCOMPARE(table->item(0, FullQueue::COL_ELAPSED)->text(), QString("01:02:03"));
    QCOMPARE(table->item(0, FullQueue::COL_SPEED)->text(), QString("0 B/s"));
    QCOMPARE(table->item(0, FullQueue::COL_LOCAL_PATH)->text(), QString("/home/user/down0.bin"));
    QCOMPARE(table->item(0, FullQueue::COL_REMOTE_PATH)->text(), QString("/docs/down0.bin"));
    QCOMPARE(table->item(1, FullQueue::COL_NAME)->text(), QString("up0.bin"));
    QCOMPARE(table->item(1, FullQueue::COL_LOCAL_PATH)->text(), QString("/home/user/up0.bin"));
    QCOMPARE(table->item(1, FullQueue::COL_REMOTE_PATH)->text(), QString("/docs/up0.bin"));
    auto* down_icon = qobject_cast<QLabel*>(table->cellWidget(0, FullQueue::COL_DIRECTION));
    auto* up_icon = qobject_cast<QLabel*>(table->cellWidget(1, FullQueue::COL_DIRECTION));
    QVERIFY(down_icon && up_icon);
    QCOMPARE(down_icon->pixmap(Qt::ReturnByValue).toImage(), getGlobalImage("icon_download", 0).toImage());
    QCOMPARE(up_icon->pixmap(Qt::ReturnByValue).toImage(), getGlobalImage("icon_upload", 0).toImage());
    QVERIFY(qobject_cast<ProgressStatusWidget*>(table->cellWidget(0, FullQueue::COL_STATUS)));
    QCOMPARE(vexotest::missingNames(), QStringList());
}

void TransferViewsTest::fullSpeedAndRemainingCells()
{
    // As the store keeps them: the last two progress records of running tasks.
    const auto running = [](uint64_t progress, uint64_t last_progress, uint64_t update, uint64_t last_update,
                            uint64_t total) {
        return [=](int, ResumeInfo& info) {
            info.local_state = ResumeInfo::RI_RUNNING;
            info.progress = progress;
            info.last_progress = last_progress;
            info.update_time = update;
            info.last_update_time = last_update;
            info.total = total;
        };
    };
    addTasks(1, 1, C_PULL, "fast", running(3000000, 1000000, 10000, 9000, 10000000));
    addTasks(1, 1, C_PULL, "crawl", running(2, 1, 2000, 1000, 1ull << 40));
    addTasks(1, 1, C_PULL, "nosecond", running(3000, 1000, 10000, 0, 9000));
    FullQueue view;
    view.reloadTasks();
    QTableWidget* table = view.table()->getTable();
    QCOMPARE(table->item(0, FullQueue::COL_SPEED)->text(), QString("1.91 MB/s"));
    QCOMPARE(table->item(0, FullQueue::COL_REMAINING)->text(), QString("00:00:03"));
    // 1 B/s with 2^40 bytes to go: clamped to the int range, not wrapped.
    QCOMPARE(table->item(1, FullQueue::COL_SPEED)->text(), QString("1 B/s"));
    QCOMPARE(table->item(1, FullQueue::COL_REMAINING)->text(), QString("24855 day(s) 03:14:07"));
    QCOMPARE(table->item(2, FullQueue::COL_SPEED)->text(), QString("0 B/s"));
    QCOMPARE(table->item(2, FullQueue::COL_REMAINING)->text(), QString("00:00:00"));
}

void TransferViewsTest::hostileNamesShowLiterally()
{
    const QStringList names = {"<b>bold<i>.txt", "a & b.txt", "100%1.txt", "two\nlines.txt",
                               QString(5000, QChar('x'))};
    for (const QString& name : names) {
        const std::string path = "/docs/" + name.toStdString();
        addTasks(1, 1, C_PULL, "h", [&path](int, ResumeInfo& info) { info.path_from = ustring(path); });
    }
    FullQueue full;
    full.reloadTasks();
    SimpleQueue simple;
    simple.reloadTasks();
    QTableWidget* table = full.table()->getTable();
    for (int row = 0; row < names.size(); ++row) {
        // A line break shows as its picture: the cell stays one line.
        QString shown = names[row];
        shown.replace(QChar('\n'), QChar(0x240A));
        QCOMPARE(table->item(row, FullQueue::COL_NAME)->text(), shown);
        const QString tip = table->item(row, FullQueue::COL_NAME)->toolTip();
        QVERIFY2(!tip.contains("<b>bold"), qPrintable(tip));
        TaskEntry* entry = simple.entryAt(row);
        QCOMPARE(entry->nameLabel()->textFormat(), Qt::PlainText);
        // Elided to the label: never wider than it.
        QVERIFY(entry->nameLabel()->fontMetrics().horizontalAdvance(entry->nameLabel()->text()) <=
                entry->nameLabel()->width());
        QVERIFY(!entry->toolTip().contains("<b>bold"));
    }
    QVERIFY(table->item(0, FullQueue::COL_NAME)->toolTip().contains("&lt;b&gt;"));
    QVERIFY(simple.entryAt(4)->nameLabel()->text().endsWith(QChar(0x2026)));
    QVERIFY(simple.entryAt(0)->nameLabel()->text().startsWith("<b>"));
}

void TransferViewsTest::simpleEntryKeepsEveryDigit()
{
    // A larger font than the entry was laid out for: the speed keeps its
    // digits (right-aligned, a clipped one would read as another number)
    // and the name gives up the room.
    TaskEntry entry;
    QFont large = entry.font();
    large.setPixelSize(22);
    entry.setFont(large);
    ResumeInfo info;
    info.command = C_PULL;
    info.path_from = ustring("/docs/a file with a rather long name.bin");
    info.local_state = ResumeInfo::RI_RUNNING;
    info.user_action = ResumeInfo::UA_NONE;
    info.progress = 125000000;
    info.update_time = 1000;
    info.total = 1ull << 40;
    const int line = entry.nameLabel()->width() + entry.descriptionLabel()->width();
    entry.setResumeInfo(info);
    QLabel* speed = entry.descriptionLabel();
    QCOMPARE(speed->text(), getHumanReadableSize(125000000.0) + QStringLiteral("/s"));
    QVERIFY(speed->fontMetrics().horizontalAdvance(speed->text()) <= speed->width());
    QLabel* name = entry.nameLabel();
    QVERIFY(name->text().endsWith(QChar(0x2026)));
    QVERIFY(name->fontMetrics().horizontalAdvance(name->text()) <= name->width());
    QCOMPARE(name->width() + speed->width(), line);
}

void TransferViewsTest::siteFilterAndToolBar()
{
    SiteInfoManager* sites = SiteInfoManager::getInstance();
    for (SiteInfo info : {site(11, "alice", "nas"), site(12, "alice", "nas"), site(13, "bob", "other"),
                          site(14, "a@b", "nas")})
        sites->setSiteInfo(info);
    addTasks(2, 11, C_PULL, "a11-");
    addTasks(1, 12, C_PUSH, "a12-");
    addTasks(3, 13, C_PULL, "b13-");
    addTasks(1, 14, C_PULL, "x14-");

    TopToolBar bar;
    FullQueue view;  // asks the tool bar to fill its filter
    VexoComboBox* filter = bar.siteFilter();
    QCOMPARE(comboTexts(filter), QStringList({"All Transfers", "alice@nas", "bob@other", "a@b@nas"}));
    view.reloadTasks();
    QCOMPARE(visibleNames(view).size(), 7);

    filter->setCurrentIndex(1);
    QCOMPARE(view.currentDomainUser(), QString("alice@nas"));
    QCOMPARE(visibleNames(view), QStringList({"a11-0.bin", "a11-1.bin", "a12-0.bin"}));
    QCOMPARE(view.pagingBar()->footerLabels()[0]->text(), QString("3 item(s)"));
    filter->setCurrentIndex(3);  // the user name holds "@" itself
    QCOMPARE(visibleNames(view), QStringList({"x14-0.bin"}));

    // bob logs out while his entry is chosen: the entry goes, all transfers show.
    filter->setCurrentIndex(2);
    QCOMPARE(visibleNames(view).size(), 3);
    sites->removeSiteInfo(13);
    emit GlobalConnecter::getInstance()->sigRemoveSiteDone();
    QCOMPARE(comboTexts(filter), QStringList({"All Transfers", "alice@nas", "a@b@nas"}));
    QCOMPARE(filter->currentIndex(), 0);
    QCOMPARE(visibleNames(view).size(), 7);

    // An entry whose site is gone lists every task.
    view.slotTopToolBarItemChanged("bob@other");
    QCOMPARE(visibleNames(view).size(), 7);

    // A new site's entry is added at the end, its text as the server gave it.
    const QString hostile = "<b>%1</b> & \n" + QString(5000, QChar('d'));
    SiteInfo odd = site(15, "carol", hostile);
    sites->setSiteInfo(odd);
    emit GlobalConnecter::getInstance()->sigAddSiteDone(15);
    QCOMPARE(comboTexts(filter), QStringList({"All Transfers", "alice@nas", "a@b@nas", "carol@" + hostile}));
    QCOMPARE(filter->width(), 208);  // fixed: a long name is cut, never widens the bar
    addTasks(1, 15, C_PUSH, "odd");
    filter->setCurrentIndex(3);
    QCOMPARE(visibleNames(view), QStringList({"odd0.bin"}));
}

void TransferViewsTest::selectionFollowsTasksAcrossReloads()
{
    // A above B above C; B is selected; A finishes, so B moves up a row and C
    // into B's old row. The selection stays on B, and Clear aborts B, not C.
    const std::vector<uint64_t> ids = addTasks(3, 1, C_PULL, "abc");
    FullQueue view;
    view.show();
    QTableWidget* table = view.table()->getTable();
    selectRows(table, {1});
    ClientCoreManager::getCoreManager()->removeInfo(ids[0]);
    view.reloadTasks();
    QCOMPARE(selectedRows(table), QList<int>({0}));
    std::vector<uint64_t> selected;
    view.getSelectedResumeIds(selected);
    QCOMPARE(selected, std::vector<uint64_t>({ids[1]}));

    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_CLEAR);
    ResumeInfo b, c;
    QVERIFY(ClientCoreManager::getCoreManager()->getResumeInfoFromResumeId(ids[1], b));
    QVERIFY(ClientCoreManager::getCoreManager()->getResumeInfoFromResumeId(ids[2], c));
    QCOMPARE(b.user_action, ResumeInfo::UA_ABORT);
    QCOMPARE(c.user_action, ResumeInfo::UA_NONE);
    // The aborted task left the listing and the selection.
    QCOMPARE(visibleNames(view), QStringList({"abc2.bin"}));
    QCOMPARE(selectedRows(table), QList<int>());

    // The simple view keeps its selection the same way.
    const std::vector<uint64_t> more = addTasks(3, 1, C_PUSH, "def");
    SimpleQueue simple;
    simple.reloadTasks();
    simple.listWidget()->item(1)->setSelected(true);  // def0, under abc2
    ClientCoreManager::getCoreManager()->removeInfo(ids[2]);
    simple.reloadTasks();
    simple.getSelectedResumeIds(selected);
    QCOMPARE(selected, std::vector<uint64_t>({more[0]}));
}

void TransferViewsTest::setSelectedMatchesInRowOrder()
{
    const std::vector<uint64_t> ids = addTasks(5, 1, C_PULL, "o");
    FullQueue view;
    view.reloadTasks();
    QTableWidget* table = view.table()->getTable();
    view.setSelectedResumeIds({ids[0], ids[1]});
    QCOMPARE(selectedRows(table), QList<int>({0, 1}));
    table->clearSelection();
    view.setSelectedResumeIds({ids[3], ids[1]});
    QCOMPARE(selectedRows(table), QList<int>({3}));
    // A selected hidden row beyond the tasks is not reported.
    selectRows(table, {1, 5});
    std::vector<uint64_t> selected;
    view.getSelectedResumeIds(selected);
    QCOMPARE(selected, std::vector<uint64_t>({ids[1]}));
}

void TransferViewsTest::buttonsFollowSelection()
{
    const std::vector<uint64_t> ids = addTasks(4, 1, C_PULL, "btn");
    setTaskState(ids[0], ResumeInfo::RI_RUNNING, ResumeInfo::UA_NONE);
    setTaskState(ids[1], ResumeInfo::RI_PAUSED, ResumeInfo::UA_NONE);
    setTaskState(ids[2], ResumeInfo::RI_WAITING, ResumeInfo::UA_ABORT);  // not listed
    FullQueue view;
    view.show();
    QSignalSpy buttons(GlobalConnecter::getInstance(), &GlobalConnecter::sigUpdateActionBarButton);
    view.reloadTasks();
    QTableWidget* table = view.table()->getTable();
    QCOMPARE(view.resumeInfos().size(), size_t(3));

    struct Case {
        QList<int> rows;
        bool start, pause, clear, moves;
    };
    const Case cases[] = {
        {{}, false, false, false, false},
        {{0}, false, true, true, true},       // running
        {{1}, true, false, true, true},       // paused
        {{2}, true, true, true, true},        // waiting
        {{0, 1}, true, true, true, true},
        {{0, 1, 2}, true, true, true, false}, // the whole page
    };
    for (const Case& c : cases) {
        selectRows(table, c.rows);
        view.summarizeActionButtonStatus();
        std::map<int, bool> states = lastButtons(buttons);
        QCOMPARE(states.size(), size_t(ActionBar::BA_MAX));
        QCOMPARE(states[ActionBar::BA_START], c.start);
        QCOMPARE(states[ActionBar::BA_PAUSE], c.pause);
        QCOMPARE(states[ActionBar::BA_CLEAR], c.clear);
        for (int move = ActionBar::BA_MOVEUP; move <= ActionBar::BA_MOVETOBOTTOM; ++move)
            QCOMPARE(states[move], c.moves);
    }
}

void TransferViewsTest::movesReorderStoreAndKeepSelection()
{
    const std::vector<uint64_t> ids = addTasks(5, 1, C_PULL, "m");
    FullQueue view;
    view.show();
    QTableWidget* table = view.table()->getTable();
    selectRows(table, {2, 4});
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_MOVETOTOP);
    QCOMPARE(storedIds(), std::vector<uint64_t>({ids[2], ids[4], ids[0], ids[1], ids[3]}));
    QCOMPARE(selectedRows(table), QList<int>({0, 1}));
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_MOVEDOWN);
    QCOMPARE(storedIds(), std::vector<uint64_t>({ids[0], ids[2], ids[4], ids[1], ids[3]}));
    QCOMPARE(selectedRows(table), QList<int>({1, 2}));
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_MOVETOBOTTOM);
    QCOMPARE(storedIds(), std::vector<uint64_t>({ids[0], ids[1], ids[3], ids[2], ids[4]}));
    QCOMPARE(selectedRows(table), QList<int>({3, 4}));
    // A block already at the edge stays.
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_MOVEDOWN);
    QCOMPARE(storedIds(), std::vector<uint64_t>({ids[0], ids[1], ids[3], ids[2], ids[4]}));
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_MOVEUP);
    QCOMPARE(storedIds(), std::vector<uint64_t>({ids[0], ids[1], ids[2], ids[4], ids[3]}));
    QCOMPARE(selectedRows(table), QList<int>({2, 3}));
    // Nothing selected: the store's order stays.
    table->clearSelection();
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_MOVETOTOP);
    QCOMPARE(storedIds(), std::vector<uint64_t>({ids[0], ids[1], ids[2], ids[4], ids[3]}));
    QCOMPARE(selectedRows(table), QList<int>());
}

void TransferViewsTest::startPauseClearReachTheStore()
{
    const std::vector<uint64_t> ids = addTasks(3, 1, C_PUSH, "act");
    SimpleQueue view;
    view.show();
    auto action = [](uint64_t id) {
        ResumeInfo info;
        return ClientCoreManager::getCoreManager()->getResumeInfoFromResumeId(id, info) ? int(info.user_action) : -1;
    };
    view.listWidget()->item(0)->setSelected(true);
    view.listWidget()->item(2)->setSelected(true);
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_PAUSE);
    QCOMPARE(action(ids[0]), int(ResumeInfo::UA_PAUSE));
    QCOMPARE(action(ids[1]), int(ResumeInfo::UA_NONE));
    QCOMPARE(action(ids[2]), int(ResumeInfo::UA_PAUSE));
    QCOMPARE(view.entryAt(0)->progressStatus()->statusLabel()->text(), QString("Paused"));
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_START);
    QCOMPARE(action(ids[0]), int(ResumeInfo::UA_START));
    QCOMPARE(view.entryAt(2)->progressStatus()->statusLabel()->text(), QString("Waiting"));

    // A task that finished since the last reload is gone from the store:
    // the action brings nothing back.
    ClientCoreManager::getCoreManager()->removeInfo(ids[0]);
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_START);
    QCOMPARE(action(ids[0]), -1);
    QCOMPARE(storedIds(), std::vector<uint64_t>({ids[1], ids[2]}));

    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_CLEAR);
    QCOMPARE(action(ids[2]), int(ResumeInfo::UA_ABORT));
    QCOMPARE(entryNames(view), QStringList({"act1.bin"}));
    QCOMPARE(view.footer()->text(), QString("1 item(s)"));
}

void TransferViewsTest::hiddenViewIgnoresButtons()
{
    const std::vector<uint64_t> ids = addTasks(2, 1, C_PULL, "hid");
    SimpleQueue shown;
    FullQueue hidden;  // built, never shown
    shown.show();
    hidden.reloadTasks();
    hidden.setSelectedResumeIds({ids[0]});
    emit GlobalConnecter::getInstance()->sigTransferActionButtonClicked(ActionBar::BA_PAUSE);
    ResumeInfo info;
    QVERIFY(ClientCoreManager::getCoreManager()->getResumeInfoFromResumeId(ids[0], info));
    QCOMPARE(info.user_action, ResumeInfo::UA_NONE);
}

void TransferViewsTest::actionBarShowsMapAndReportsClicks()
{
    ActionBar bar;
    bar.show();
    bar.slotUpdateActionBarButton({{ActionBar::BA_START, true}, {ActionBar::BA_CLEAR, true}, {ActionBar::BA_PAUSE, false}});
    for (int i = 0; i < ActionBar::BA_MAX; ++i)
        QCOMPARE(bar.button(i)->isEnabled(), i == ActionBar::BA_START || i == ActionBar::BA_CLEAR);
    QSignalSpy clicks(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferActionButtonClicked);
    QTest::mouseClick(bar.button(ActionBar::BA_CLEAR), Qt::LeftButton);
    QTest::mouseClick(bar.button(ActionBar::BA_PAUSE), Qt::LeftButton);  // disabled
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks[0].at(0).toInt(), int(ActionBar::BA_CLEAR));
}

void TransferViewsTest::modeButtonFlips()
{
    TopToolBar bar;
    bar.show();
    QSignalSpy modes(&bar, &TopToolBar::sigModeChanged);
    QVERIFY(!bar.siteFilter()->isVisible());
    QTest::mouseClick(bar.windowButton(), Qt::LeftButton);
    QCOMPARE(modes.count(), 1);
    QCOMPARE(modes[0].at(0).toBool(), true);
    QVERIFY(bar.siteFilter()->isVisible());
    QVERIFY(bar.isFullMode());
    QTest::mouseClick(bar.windowButton(), Qt::LeftButton);
    QCOMPARE(modes[1].at(0).toBool(), false);
    QVERIFY(!bar.siteFilter()->isVisible());
}

QTEST_MAIN(TransferViewsTest)
#include "transfer_views_test.moc"
