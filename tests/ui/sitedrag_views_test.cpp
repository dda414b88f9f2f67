// Drag and drop on the real views of a stand-in pane: enter, move, leave and
// drop sent to the viewports with real mime data, as one table of verdicts
// and highlights; the start sequence from the details and icon views with
// the icon view's press rules; the clean-up after every drag; rows removed
// under a highlight; drops into the right folder, judged again where they
// land, and left unaccepted.
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "global-connecter.h"
#include "image_manager.h"
#include "site-drop-rules.h"
#include "site-entry-view-dnd.h"
#include "site-list-icon-widget.h"
#include "sitedrag_support.h"
#include "ui_path_manager.h"
#include "vexoqelt_test_support.h"

Q_DECLARE_METATYPE(DragVerdict)

using namespace sitedrag;

namespace {

enum Over { BACKGROUND, FILE_ROW, FOLDER, DRAGGED, SPECIAL };

// The page at each place: a file, a folder, the dragged folder, then a root
// (root listing) or a shared folder (site top); a folder has none.
SiteFileList pageAt(const QString& place)
{
    SiteFileList rows{fileEntry("f.txt", 3), fileEntry("dir", 0, true), fileEntry("dragged", 0, true)};
    if (place.isEmpty())
        rows << rootEntry("0");
    else if (place.endsWith(':'))
        rows << sharedEntry("share2");
    return rows;
}

}  // namespace

class SiteDragViewsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_RESOURCE_SOURCE_DIR));
        QVERIFY(m_data_dir.isValid());
        UIPathManager::getInstance()->setPath(QStringLiteral("user_data_path"), m_data_dir.path());
        QVERIFY(QDir(m_data_dir.path()).mkdir("qzdragfolderQZDF"));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
        qRegisterMetaType<DragVerdict>();
    }
    void cleanup()
    {
        DndManager::getInstance()->setDragRunner({});
        DndManager::getInstance()->setInnerDrag(false);
    }

    // {icon, details} x {inner, outer} x {root listing, site top, folder} x
    // {background, file, folder, dragged item, root or shared folder}.
    void entryViews_data()
    {
        QTest::addColumn<bool>("details");
        QTest::addColumn<bool>("inner");
        QTest::addColumn<QString>("place");
        QTest::addColumn<int>("over");
        QTest::addColumn<DragVerdict>("verdict");
        const DragVerdict R = DragVerdict::Refuse, A = DragVerdict::Accept, H = DragVerdict::Highlight;
        const QString places[3] = {"", "5:", "5:share/a"};
        const DragVerdict expected[2][3][5] = {
            {{R, R, R, R, R}, {R, R, H, R, H}, {R, R, H, R, R}},  // inner
            {{R, R, R, R, R}, {R, A, H, H, H}, {A, A, H, H, A}},  // outer
        };
        for (int d = 0; d < 2; ++d)
            for (int i = 0; i < 2; ++i)
                for (int p = 0; p < 3; ++p)
                    for (int o = 0; o < 5; ++o) {
                        if (p == 2 && o == SPECIAL)
                            continue;  // no root or shared folder below a site's top
                        QTest::addRow("%s %s place %d over %d", d ? "details" : "icon", i == 0 ? "inner" : "outer",
                                      p, o)
                            << (d == 1) << (i == 0) << places[p] << o << expected[i][p][o];
                    }
    }
    void entryViews()
    {
        QFETCH(bool, details);
        QFETCH(bool, inner);
        QFETCH(QString, place);
        QFETCH(int, over);
        QFETCH(DragVerdict, verdict);
        Pane f;
        f.showPage(place, pageAt(place));
        QAbstractItemView& view = details ? static_cast<QAbstractItemView&>(f.table) : f.list;
        // The dragged folder is the view's selection (row 2).
        view.selectionModel()->select(view.model()->index(2, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        const int row = over == BACKGROUND ? -1 : over == FILE_ROW ? 0 : over == FOLDER ? 1 : over == DRAGGED ? 2 : 3;
        const QPoint pos = row < 0 ? backgroundOf(view) : details ? f.tablePos(row) : f.listPos(row);
        QTemporaryDir tmp;
        std::unique_ptr<QMimeData> mime(inner ? markerMime() : uriListMime({tmp.path()}));
        DndManager::getInstance()->setInnerDrag(inner);

        const Move m = dragOver(view, pos, mime.get());
        QVERIFY(m.entered);
        QCOMPARE(m.accepted, verdict != DragVerdict::Refuse);
        QCOMPARE(m.action, verdict == DragVerdict::Refuse ? Qt::IgnoreAction : Qt::CopyAction);
        QCOMPARE(f.litCount(), verdict == DragVerdict::Highlight ? 1 : 0);
        if (verdict == DragVerdict::Highlight) {
            QVERIFY(details ? f.tableLit(row) : f.listLit(row));
            QCOMPARE(dndOf(view)->dragOverIndex().row(), row);
            if (place == "5:share/a" && over == FOLDER)
                vexotest::saveScreenshot(&view, details ? "sitedrag_details_highlight" : "sitedrag_icon_highlight");
        }
        dragLeave(view);
        QCOMPARE(f.litCount(), 0);
        QVERIFY(!dndOf(view)->dragOverIndex().isValid());
    }

    // The folder tree: the same for inner and outer drags, whatever the pane shows.
    void tree_data()
    {
        QTest::addColumn<bool>("inner");
        QTest::addColumn<int>("over");
        QTest::addColumn<DragVerdict>("verdict");
        const DragVerdict expected[4] = {DragVerdict::Refuse, DragVerdict::Refuse, DragVerdict::Highlight,
                                         DragVerdict::Accept};
        const char* names[4] = {"background", "top-level item", "share", "selected item"};
        for (int i = 0; i < 2; ++i)
            for (int o = 0; o < 4; ++o)
                QTest::addRow("%s over %s", i == 0 ? "inner" : "outer", names[o]) << (i == 0) << o << expected[o];
    }
    void tree()
    {
        QFETCH(bool, inner);
        QFETCH(int, over);
        QFETCH(DragVerdict, verdict);
        Pane f;
        f.pane.deliver("5:", {sharedEntry("share"), sharedEntry("share2")});
        f.tree.expandAll();
        QTreeWidgetItem* share = f.tree.findItemByPath("5:share", false);
        QTreeWidgetItem* share2 = f.tree.findItemByPath("5:share2", false);
        QVERIFY(share && share2);
        f.tree.setCurrentItem(share2);
        QTreeWidgetItem* target = over == 1 ? f.tree.topLevelItem(0) : over == 2 ? share : share2;
        const QPoint pos = over == 0 ? backgroundOf(f.tree) : f.tree.visualItemRect(target).center();
        QTemporaryDir tmp;
        std::unique_ptr<QMimeData> mime(inner ? markerMime() : uriListMime({tmp.path()}));
        DndManager::getInstance()->setInnerDrag(inner);

        const Move m = dragOver(f.tree, pos, mime.get());
        QCOMPARE(m.accepted, verdict != DragVerdict::Refuse);
        QCOMPARE(f.litCount(), verdict == DragVerdict::Highlight ? 1 : 0);
        if (verdict == DragVerdict::Highlight) {
            QCOMPARE(target->background(0).color(), kLit);
            vexotest::saveScreenshot(&f.tree, "sitedrag_tree_highlight");
        }
        dragLeave(f.tree);
        QCOMPARE(f.litCount(), 0);
    }

    void dragsWithoutUrlsAreRefusedAtEntry()
    {
        Pane f;
        f.showPage("5:share/a", pageAt("5:share/a"));
        QMimeData text;
        text.setText("plain text");
        for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&f.table), static_cast<QAbstractItemView*>(&f.list),
                                        static_cast<QAbstractItemView*>(&f.tree)})
            QVERIFY(!dragOver(*view, QPoint(5, 5), &text).entered);
    }

    void highlightFollowsThePointer()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("one", 0, true), fileEntry("two", 0, true)});
        std::unique_ptr<QMimeData> mime(uriListMime({QDir::tempPath()}));
        dragOver(f.table, f.tablePos(1, 0), mime.get());
        QVERIFY(f.tableLit(1));
        dragOver(f.table, f.tablePos(2, 1), mime.get());
        QVERIFY(!f.tableLit(1));
        QVERIFY(f.tableLit(2));
        dragOver(f.table, backgroundOf(f.table), mime.get());
        QCOMPARE(f.litCount(), 0);
        // A redraw of the page forgets the target with its rows.
        dragOver(f.list, f.listPos(2), mime.get());
        QVERIFY(f.listLit(2));
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("one", 0, true), fileEntry("three", 0, true)});
        QCOMPARE(f.litCount(), 0);
        QVERIFY(!dndOf(f.list)->dragOverIndex().isValid());
        // Scrolling (cell widgets may change rows) takes the highlight off.
        SiteFileList many;
        for (int i = 0; i < 100; ++i)
            many << fileEntry(QString("d%1").arg(i), 0, true);
        f.showPage("5:share/a", many);
        dragOver(f.table, f.tablePos(1), mime.get());
        QVERIFY(f.tableLit(1));
        f.table.verticalScrollBar()->setValue(f.table.verticalScrollBar()->maximum());
        QCOMPARE(f.litCount(), 0);
        dragLeave(f.table);
    }

    // A row removed while it is highlighted (a new folder finishing, a tree
    // merge) takes the target with it: the next move or leave touches nothing.
    void removedTargetIsForgotten()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("one", 0, true), fileEntry("two", 0, true)});
        std::unique_ptr<QMimeData> mime(uriListMime({QDir::tempPath()}));

        // A new folder is named while the drag rests on it, then its event
        // ends and takes the row away.
        f.table.selectRow(0);
        emit f.pane.hub.sigStartMkdir();
        QCOMPARE(f.table.rowCount(), 4);
        f.table.slotEndEdit("fresh", false);
        Event mkdir;
        mkdir.type = EV_MKDIR;
        mkdir.peer_id = 5;
        mkdir.parent = "share/a";
        mkdir.names = {"fresh"};
        const unsigned int id = EventManager::getInstance()->pushEvent(mkdir);
        emit f.pane.hub.sigAssignEventId(id);
        dragOver(f.table, f.tablePos(3), mime.get());
        QVERIFY(f.tableLit(3));
        emit f.pane.hub.sigRemoveItemWithEventId(id);
        QCOMPARE(f.table.rowCount(), 3);
        QVERIFY(!dndOf(f.table)->dragOverIndex().isValid());
        QCOMPARE(f.litCount(), 0);
        dragOver(f.table, f.tablePos(1), mime.get());
        QVERIFY(f.tableLit(1));
        dragLeave(f.table);

        dragOver(f.list, f.listPos(2), mime.get());
        QVERIFY(f.listLit(2));
        delete f.list.takeItem(2);
        QVERIFY(!dndOf(f.list)->dragOverIndex().isValid());
        dragLeave(f.list);
        QCOMPARE(f.litCount(), 0);

        f.pane.deliver("5:", {sharedEntry("share"), sharedEntry("gone")});
        f.tree.expandAll();
        QTreeWidgetItem* gone = f.tree.findItemByPath("5:gone", false);
        QVERIFY(gone);
        dragOver(f.tree, f.tree.visualItemRect(gone).center(), mime.get());
        QCOMPARE(gone->background(0).color(), kLit);
        f.pane.deliver("5:", {sharedEntry("share")});
        QVERIFY(!f.tree.findItemByPath("5:gone", false));
        QVERIFY(!dndOf(f.tree)->dragOverIndex().isValid());
        dragLeave(f.tree);
        dragOver(f.tree, backgroundOf(f.tree), mime.get());
        QCOMPARE(f.litCount(), 0);
    }

    // Press and move on a selected row: the selection becomes the drag's
    // source, the drag carries only the marker, and whatever the outcome
    // every view of every pane is clean afterwards.
    void detailsViewStartsTheDrag()
    {
        Pane f, other(6);
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("dir", 0, true), fileEntry("g.txt", 2)});
        other.showPage("6:x", {fileEntry("dir", 0, true)});
        int runs = 0;
        bool inner_during = false;
        QList<QUrl> urls;
        SiteSelectedInfo source;
        uint64_t source_peer = 0;
        DndManager::getInstance()->setDragRunner([&](QDrag* drag) {
            ++runs;
            inner_during = DndManager::getInstance()->isInnerDrag();
            urls = drag->mimeData()->urls();
            UserActionCache::getInstance()->getDragInfo(source_peer, source);
            // The pointer crosses folders of both panes before it is let go elsewhere.
            dragOver(f.table, f.tablePos(1), drag->mimeData());
            dragOver(other.list, other.listPos(0), drag->mimeData());
            return Qt::IgnoreAction;
        });
        QSignalSpy cleaned(DndManager::getInstance(), &DndManager::sigCleanDragStyle);

        QTest::mousePress(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(2));
        moveWithLeft(f.table, f.tablePos(2) + QPoint(1, 0));
        QCOMPARE(runs, 1);
        QVERIFY(inner_during);
        QCOMPARE(urls, QList<QUrl>{QUrl::fromLocalFile(DndManager::markerFolderPath())});
        QCOMPARE(source_peer, uint64_t(5));
        QCOMPARE(source.parent, QStringLiteral("5:share/a"));
        QCOMPARE(int(source.children.size()), 1);
        QCOMPARE(source.children.front().name, QStringLiteral("g.txt"));
        QVERIFY(!DndManager::getInstance()->isInnerDrag());
        QCOMPARE(cleaned.count(), 1);
        QCOMPARE(f.litCount() + other.litCount(), 0);
        QTest::mouseRelease(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(2));

        // Without the left button nothing starts.
        QMouseEvent plain(QEvent::MouseMove, f.tablePos(2), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(f.table.viewport(), &plain);
        QCOMPARE(runs, 1);

        // A shared folder, or a root, is never dragged from any of its cells.
        f.showPage("5:", {sharedEntry("share"), fileEntry("odd.txt", 1)});
        for (int column = 0; column < 4; ++column) {
            QTest::mousePress(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(0, column));
            moveWithLeft(f.table, f.tablePos(0, column) + QPoint(0, 1));
            QTest::mouseRelease(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(0, column));
        }
        f.showPage("", {rootEntry("5"), rootEntry("0")});
        QTest::mousePress(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(1));
        moveWithLeft(f.table, f.tablePos(1) + QPoint(0, 1));
        QCOMPARE(runs, 1);
    }

    void iconViewPressRules()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("dir", 0, true)});
        int runs = 0;
        DndManager::getInstance()->setDragRunner([&](QDrag*) {
            ++runs;
            return Qt::IgnoreAction;
        });
        QWidget* vp = f.list.viewport();
        const QPoint on = f.listPos(0);
        // A press on an unselected entry selects it and starts nothing.
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, on);
        moveWithLeft(f.list, on + QPoint(1, 1));
        QCOMPARE(runs, 0);
        QVERIFY(f.list.item(0)->isSelected());
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, on);
        // Pressed again, now selected: the move drags it, once.
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, on);
        moveWithLeft(f.list, on + QPoint(1, 1));
        moveWithLeft(f.list, on + QPoint(2, 2));
        QCOMPARE(runs, 1);
        QVERIFY(!static_cast<SiteListDnd*>(dndOf(f.list))->canDrag());
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, on);
        // A click on the selected entry, then a press on the background: no drag.
        QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, on);
        QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, backgroundOf(f.list));
        moveWithLeft(f.list, backgroundOf(f.list) - QPoint(3, 3));
        QCOMPARE(runs, 1);
        QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, backgroundOf(f.list) - QPoint(3, 3));
        // The right button never drags.
        f.list.item(1)->setSelected(true);
        QTest::mousePress(vp, Qt::RightButton, Qt::NoModifier, f.listPos(1));
        moveWithLeft(f.list, f.listPos(1) + QPoint(1, 1));
        QCOMPARE(runs, 1);
    }

    // An icon widget moved off its cell goes back to the cell's corner.
    void iconWidgetsStayOnTheirCells()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("dir", 0, true)});
        SiteListIconWidget* tile = f.list.tileOfRow(1);
        QVERIFY(tile);
        const QPoint corner = f.list.visualItemRect(f.list.item(1)).topLeft();
        tile->move(corner + QPoint(7, 9));
        QCOMPARE(tile->pos(), corner);
    }

    // Nothing scrolls by itself while a drag rests near an edge.
    void noAutoScroll()
    {
        Pane f;
        SiteFileList many;
        for (int i = 0; i < 200; ++i)
            many << fileEntry(QString("d%1").arg(i), 0, true);
        f.showPage("5:share/a", many);
        std::unique_ptr<QMimeData> mime(uriListMime({QDir::tempPath()}));
        const QPoint edge(20, f.table.viewport()->height() - 2);
        const QPoint list_edge(20, f.list.viewport()->height() - 2);
        for (int i = 0; i < 5; ++i) {
            dragOver(f.table, edge, mime.get());
            dragOver(f.list, list_edge, mime.get());
            QTest::qWait(60);
        }
        QCOMPARE(f.table.verticalScrollBar()->value(), 0);
        QCOMPARE(f.list.verticalScrollBar()->value(), 0);
        dragLeave(f.table);
        dragLeave(f.list);
    }

    // File-manager drops land in the folder under the cursor or the one on
    // show; the drop is left unaccepted and no highlight stays.
    void fileManagerDropTargets()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("sub dir", 0, true)});
        QTemporaryDir tmp;
        const QString odd = tmp.path() + QStringLiteral("/a b #1 100% é.txt");
        QFile file(odd);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
        QSignalSpy tasks(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferTaskAdded);
        std::unique_ptr<QMimeData> mime(uriListMime({odd}));
        QCOMPARE(mime->urls().front().toLocalFile(), odd);

        struct Case {
            QAbstractItemView* view;
            QPoint pos;
            QString folder;
        };
        const QList<Case> cases = {
            {&f.table, backgroundOf(f.table), "share/a"},
            {&f.table, f.tablePos(0), "share/a"},
            {&f.table, f.tablePos(1, 2), "share/a/sub dir"},
            {&f.list, backgroundOf(f.list), "share/a"},
            {&f.list, f.listPos(1), "share/a/sub dir"},
        };
        for (const Case& c : cases) {
            added.clear();
            QVERIFY(dropAt(*c.view, c.pos, mime.get()));
            QCOMPARE(added.count(), 1);
            const Event e = eventOf(added.first().first());
            QCOMPARE(e.type, EV_UPLOAD);
            QCOMPARE(QString::fromStdString(e.opt_path), c.folder);
            QCOMPARE(QString::fromStdString(e.names.front()), QStringLiteral("a b #1 100% é.txt"));
            QCOMPARE(f.litCount(), 0);
        }
        QCOMPARE(tasks.count(), cases.size());

        // The tree copies into the item under the cursor.
        f.pane.deliver("5:", {sharedEntry("share")});
        f.tree.expandAll();
        added.clear();
        QVERIFY(dropAt(f.tree, f.tree.visualItemRect(f.tree.findItemByPath("5:share", false)).center(), mime.get()));
        QCOMPARE(added.count(), 1);
        QCOMPARE(QString::fromStdString(eventOf(added.first().first()).opt_path), QStringLiteral("share"));

        // Where the move refuses, the drop makes nothing: the root listing,
        // the background of a site's top, a top-level tree item.
        added.clear();
        f.showPage("5:", {sharedEntry("share")});
        QVERIFY(dropAt(f.table, backgroundOf(f.table), mime.get()));
        QVERIFY(dropAt(f.tree, f.tree.visualItemRect(f.tree.topLevelItem(0)).center(), mime.get()));
        f.showPage("", {rootEntry("5"), rootEntry("0")});
        QVERIFY(dropAt(f.list, f.listPos(0), mime.get()));
        QCOMPARE(added.count(), 0);
    }

    // The drop is judged where it lands, not by the last move: rows change
    // under a resting cursor.
    void dropIsJudgedAgain()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("dir", 0, true), fileEntry("x.txt", 1)});
        QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
        f.table.selectRow(2);
        UserActionCache::getInstance()->keepDragInfo();
        std::unique_ptr<QMimeData> mime(markerMime());
        DndManager::getInstance()->setInnerDrag(true);
        QVERIFY(dragOver(f.table, f.tablePos(1), mime.get()).accepted);
        // The folder row now shows a file.
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("now a file", 1), fileEntry("x.txt", 1)});
        QDropEvent drop(f.tablePos(1), Qt::CopyAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(f.table.viewport(), &drop);
        QCOMPARE(added.count(), 0);
        QVERIFY(!DndManager::getInstance()->isInnerDrag());
    }

    // Three rows dragged onto a folder of the same view: three moves into it,
    // no transfer; in the tree, a server's rows dropped on the computer download.
    void innerDropsThroughTheDrag()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("x.txt", 1), fileEntry("dir1", 0, true), fileEntry("y", 2),
                                 fileEntry("target", 0, true)});
        f.pane.deliver("0:", {fileEntry("/", 0, true), fileEntry(QDir::homePath(), 0, true)});
        f.tree.expandAll();
        QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
        QSignalSpy tasks(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferTaskAdded);
        QPoint drop_at = f.tablePos(3);
        QAbstractItemView* drop_on = &f.table;
        bool left_unaccepted = true;
        DndManager::getInstance()->setDragRunner([&](QDrag* drag) {
            left_unaccepted = dropAt(*drop_on, drop_at, drag->mimeData()) && left_unaccepted;
            return Qt::CopyAction;
        });
        for (int row = 0; row < 3; ++row)
            f.table.selectionModel()->select(f.table.model()->index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        QTest::mousePress(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(0));
        moveWithLeft(f.table, f.tablePos(0) + QPoint(2, 0));
        QTest::mouseRelease(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(3));
        QCOMPARE(added.count(), 3);
        QCOMPARE(tasks.count(), 0);
        const QStringList names{"x.txt", "dir1", "y"};
        for (int i = 0; i < 3; ++i) {
            const Event e = eventOf(added.at(i).first());
            QCOMPARE(e.type, EV_RENAME);
            QCOMPARE(QString::fromStdString(e.opt_path), "share/a/target/" + names[i]);
        }

        // Into the computer's home folder in the tree: downloads and one task.
        added.clear();
        drop_on = &f.tree;
        QTreeWidgetItem* home = f.tree.findItemByPath("0:" + QDir::homePath(), false);
        QVERIFY(home);
        drop_at = f.tree.visualItemRect(home).center();
        QTest::mousePress(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(1));
        moveWithLeft(f.table, f.tablePos(1) + QPoint(2, 0));
        QTest::mouseRelease(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, f.tablePos(1));
        QCOMPARE(added.count(), 3);
        QCOMPARE(eventOf(added.first().first()).type, EV_DOWNLOAD);
        QCOMPARE(tasks.count(), 1);
        QCOMPARE(tasks.first().at(0).toString(), QStringLiteral("x.txt"));
        QCOMPARE(tasks.first().at(2).toBool(), true);
        QCOMPARE(f.litCount(), 0);
        QVERIFY(left_unaccepted);
    }

    // Made-up names that got into a page never become a move or a transfer.
    void hostileNamesMakeNothing()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("..", 0, true), fileEntry(".", 0, true), fileEntry("a/b", 0, true),
                                 fileEntry("ok", 0, true)});
        f.pane.deliver("0:", {fileEntry(QDir::homePath(), 0, true)});
        f.tree.expandAll();
        QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
        std::unique_ptr<QMimeData> mime(markerMime());
        // Dragging them: nothing moves into "ok", nothing downloads.
        for (int row = 0; row < 3; ++row)
            f.table.selectionModel()->select(f.table.model()->index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        UserActionCache::getInstance()->keepDragInfo();
        DndManager::getInstance()->setInnerDrag(true);
        QVERIFY(dropAt(f.table, f.tablePos(3), mime.get()));
        DndManager::getInstance()->setInnerDrag(true);
        QVERIFY(dropAt(f.tree, f.tree.visualItemRect(f.tree.findItemByPath("0:" + QDir::homePath(), false)).center(),
                       mime.get()));
        QCOMPARE(added.count(), 0);
        // Dropping onto them: refused while moving, and nothing lands in "..".
        f.table.clearSelection();
        f.table.selectRow(3);
        UserActionCache::getInstance()->keepDragInfo();
        for (int row = 0; row < 3; ++row) {
            DndManager::getInstance()->setInnerDrag(true);
            QVERIFY(!dragOver(f.table, f.tablePos(row), mime.get()).accepted);
            QVERIFY(dropAt(f.table, f.tablePos(row), mime.get()));
        }
        QCOMPARE(added.count(), 0);
    }

    // With the platform's own drag (offscreen it ends at once), the start
    // sequence and the clean-up run the same.
    void realDragEndsClean()
    {
        Pane f;
        f.showPage("5:share/a", {fileEntry("f.txt", 1), fileEntry("dir", 0, true)});
        std::unique_ptr<QMimeData> mime(uriListMime({QDir::tempPath()}));
        dragOver(f.list, f.listPos(1), mime.get());
        QCOMPARE(f.litCount(), 1);
        QSignalSpy finished(DndManager::getInstance(), &DndManager::sigDndFinished);
        f.list.item(0)->setSelected(true);
        QTest::mousePress(f.list.viewport(), Qt::LeftButton, Qt::NoModifier, f.listPos(0));
        moveWithLeft(f.list, f.listPos(0) + QPoint(1, 1));
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().toString(), QString());
        QVERIFY(!DndManager::getInstance()->isInnerDrag());
        QCOMPARE(f.litCount(), 0);
    }

private:
    QTemporaryDir m_data_dir;
};

QTEST_MAIN(SiteDragViewsTest)
#include "sitedrag_views_test.moc"
