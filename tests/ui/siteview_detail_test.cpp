// The detail pane over a stand-in pane: pages and footers, listings of other
// paths, entering a folder, double-click targets, the context menu's type,
// switching views, and the icon view's handling of rows a page hides.
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include "image_manager.h"
#include "site-context-menu.h"
#include "site-detail-widget.h"
#include "site-list-widget.h"
#include "site-table-widget.h"
#include "siteview_test_pane.h"
#include "ui_path_manager.h"
#include "vexo_paging_bar.h"
#include "vexoqelt_test_support.h"

namespace {
SiteFileList padded(int count)
{
    SiteFileList list;
    for (int i = 0; i < count; ++i)
        list << fileEntry(QStringLiteral("f%1").arg(i, 5, 10, QLatin1Char('0')), static_cast<uint64_t>(i));
    return list;
}

// A context menu that records its type instead of showing itself.
class RecordingMenu : public SiteContextMenu {
public:
    void changeMenuType(SiteMenuType type) override
    {
        SiteContextMenu::changeMenuType(type);
        ++calls;
    }
    int calls = 0;
};
}  // namespace

class SiteViewDetailTest : public QObject {
    Q_OBJECT

    struct Fixture {
        explicit Fixture(uint64_t peer = 0) : pane(peer), detail(&pane.hub, &pane.data, &menu)
        {
            detail.resize(800, 500);
            detail.show();
        }
        TestPane pane;
        RecordingMenu menu;
        SiteDetailWidget detail;
        const SiteFileList& page() { return pane.data.m_filtered_files[pane.data.m_current_path]; }
        void open(const QString& path) { emit pane.hub.sigCurrentPathChanged(path); }
    };

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_RESOURCE_SOURCE_DIR));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
    }
    void cleanupTestCase() { QVERIFY2(vexotest::missingNames().isEmpty(), qPrintable(vexotest::missingNames().join(","))); }

    void paging_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("shownPage");
        QTest::addColumn<int>("pageRows");
        QTest::addColumn<int>("firstIndex");
        QTest::addColumn<QString>("footer");
        QTest::newRow("empty") << 0 << 1 << "" << 1 << 0 << -1 << "0 item(s)";
        QTest::newRow("one") << 1 << 1 << "" << 1 << 1 << 0 << "1 item(s)";
        QTest::newRow("1000") << 1000 << 1 << "" << 1 << 1000 << 0 << "1000 item(s)";
        QTest::newRow("1001 page 2") << 1001 << 2 << "" << 2 << 1 << 1000 << "1001 item(s)";
        QTest::newRow("2500 page 3") << 2500 << 3 << "" << 3 << 500 << 2000 << "2500 item(s)";
        // The first 1200 names carry "_keep"; the keyword matches them only.
        QTest::newRow("2500 page 3, keyword leaves 1200") << 2500 << 3 << "KEEP" << 2 << 200 << 1000 << "1200 item(s)";
    }
    void paging()
    {
        QFETCH(int, rows);
        QFETCH(int, page);
        QFETCH(QString, keyword);
        QFETCH(int, shownPage);
        QFETCH(int, pageRows);
        QFETCH(int, firstIndex);
        QFETCH(QString, footer);
        Fixture f;
        f.open(QStringLiteral("0:/big"));
        SiteFileList list = padded(rows);
        for (int i = 0; i < list.size() && !keyword.isEmpty(); ++i)
            if (i < 1200)
                list[i].name += QStringLiteral("_keep");
        f.pane.deliver(QStringLiteral("0:/big"), list);
        f.detail.pagingModel()->setNowPage(page);
        f.detail.resetPage();
        QCOMPARE(f.detail.pagingModel()->nowPage(), page);
        if (!keyword.isEmpty()) {
            f.pane.data.m_filter.keyword = keyword;
            f.detail.resetPage();
        }
        QCOMPARE(f.detail.pagingModel()->nowPage(), shownPage);
        QCOMPARE(f.page().size(), pageRows);
        if (firstIndex >= 0)
            QCOMPARE(f.page().first().name, list.at(firstIndex).name);
        QCOMPARE(f.detail.footerText(), footer);
        QCOMPARE(f.detail.pagingBar()->itemCount(), footer.section(' ', 0, 0).toInt());
        QTRY_VERIFY_WITH_TIMEOUT(!f.detail.tableView()->isDrawing(), 60000);
        QCOMPARE(f.detail.tableView()->recordCount(), pageRows);
        QCOMPARE(f.detail.listView()->recordCount(), pageRows);
        if (rows == 2500 && keyword.isEmpty())
            vexotest::saveScreenshot(&f.detail, QStringLiteral("siteview_detail_page3"));
    }

    void otherPathAndEntering()
    {
        Fixture f;
        QSignalSpy queries(&f.pane.hub, &SiteConnecter::sigQueryPath);
        f.open(QStringLiteral("0:/a"));
        QCOMPARE(queries.count(), 1);
        QCOMPARE(queries.takeFirst().at(0).toString(), QStringLiteral("0:/a"));
        f.pane.deliver(QStringLiteral("0:/a"), padded(3));
        QTRY_COMPARE(f.detail.tableView()->recordCount(), 3);
        // A listing of another path leaves the page and footer alone.
        f.pane.deliver(QStringLiteral("0:/b"), padded(7));
        QCOMPARE(f.page().size(), 3);
        QCOMPARE(f.detail.footerText(), QStringLiteral("3 item(s)"));
        // Entering a cached folder shows its rows at once, on page 1, with
        // both views' selections cleared, and lists it again.
        f.detail.tableView()->selectAll();
        f.detail.pagingModel()->setNowPage(1);
        f.open(QStringLiteral("0:/b"));
        QCOMPARE(f.page().size(), 7);
        QCOMPARE(f.detail.pagingModel()->nowPage(), 1);
        QVERIFY(f.detail.tableView()->selectionModel()->selectedRows().isEmpty());
        QCOMPARE(queries.count(), 1);
        // The paging bar's refresh lists the current folder again.
        emit f.detail.pagingBar()->sigRefresh();
        QCOMPARE(queries.count(), 2);
        QCOMPARE(queries.at(1).at(0).toString(), QStringLiteral("0:/b"));
        // Switching views twice comes back to the details view.
        emit f.pane.hub.sigChangeView();
        QCOMPARE(f.detail.stack()->currentWidget(), static_cast<QWidget*>(f.detail.listView()));
        vexotest::saveScreenshot(&f.detail, QStringLiteral("siteview_icon_view"));
        emit f.pane.hub.sigChangeView();
        QCOMPARE(f.detail.stack()->currentWidget(), static_cast<QWidget*>(f.detail.tableView()));
    }

    void doubleClickTargets_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("dir");
        QTest::addColumn<bool>("root");
        QTest::addColumn<QString>("target");
        QTest::newRow("computer root") << "" << "0" << true << true << "0:";
        QTest::newRow("site root") << "" << "17" << true << true << "17:";
        QTest::newRow("share below site") << "17:" << "photo" << true << false << "17:photo";
        QTest::newRow("docs in 17:photo") << "17:photo" << "docs" << true << false << "17:photo/docs";
        QTest::newRow("docs in 17:photo/") << "17:photo/" << "docs" << true << false << "17:photo/docs";
        QTest::newRow("computer entry /") << "0:" << "/" << true << false << "0:/";
        QTest::newRow("computer home entry") << "0:" << "/home/alice" << true << false << "0:/home/alice";
        QTest::newRow("file") << "17:photo" << "a.jpg" << false << false << "";
    }
    void doubleClickTargets()
    {
        QFETCH(QString, current);
        QFETCH(QString, name);
        QFETCH(bool, dir);
        QFETCH(bool, root);
        QFETCH(QString, target);
        Fixture f(17);
        f.pane.data.m_current_path = current;
        QSignalSpy paths(&f.pane.hub, &SiteConnecter::sigCurrentPathChanged);
        QSignalSpy actions(GlobalConnecter::getInstance(), &GlobalConnecter::sigActionClicked);
        SiteItemInfo info(name);
        info.setIsDir(dir);
        info.setIsRoot(root);
        emit f.pane.hub.sigItemDoubleClicked(info);
        if (target.isEmpty()) {
            QCOMPARE(paths.count(), 0);
            QCOMPARE(actions.count(), 1);
            QCOMPARE(actions.at(0).at(0).toInt(), static_cast<int>(UAT_DOWNLOAD));
        } else {
            QCOMPARE(paths.count(), 1);
            QCOMPARE(paths.at(0).at(0).toString(), target);
            QCOMPARE(actions.count(), 0);
        }
    }

    void menuTypes_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<int>("children");
        QTest::addColumn<int>("type");  // -1: no menu
        QTest::newRow("top level") << "" << 1 << -1;
        QTest::newRow("site root") << "42:" << 1 << -1;
        QTest::newRow("background") << "42:music" << 0 << int(MENU_BACKGROUND);
        QTest::newRow("single") << "42:music" << 1 << int(MENU_SINGLE_SELECTION);
        QTest::newRow("multiple") << "42:music" << 3 << int(MENU_MULTIPLE_SELECTIONS);
    }
    void menuTypes()
    {
        QFETCH(QString, parent);
        QFETCH(int, children);
        QFETCH(int, type);
        Fixture f(42);
        SiteSelectedInfo info;
        info.view_mode = VM_TABLE;
        info.parent = parent;
        for (int i = 0; i < children; ++i)
            info.children.push_back(NodeInfo{QStringLiteral("n%1").arg(i), FT_FILE});
        UserActionCache::getInstance()->updateSelectedInfo(42, info);
        f.detail.slotCustomContextMenuRequested(QPoint(10, 10));
        if (type < 0) {
            QCOMPARE(f.menu.calls, 0);
        } else {
            QCOMPARE(f.menu.calls, 1);
            QCOMPARE(int(f.menu.menuType()), type);
            f.menu.hide();
        }
    }

    void reloadKeepsTiesInPlace()
    {
        // Equal sizes across a page boundary: a listing in another order
        // must put the same rows on the same page.
        Fixture f;
        f.open(QStringLiteral("0:/ties"));
        f.pane.data.m_filter.sort_column = COL_SIZE;
        SiteFileList list;
        for (int i = 0; i < 1500; ++i)
            list << fileEntry(QStringLiteral("n%1").arg(i, 4, 10, QLatin1Char('0')), 7);
        f.pane.deliver(QStringLiteral("0:/ties"), list);
        const SiteFileList first = f.page();
        std::reverse(list.begin(), list.end());
        f.pane.deliver(QStringLiteral("0:/ties"), list);
        QCOMPARE(f.page().size(), first.size());
        for (int i = 0; i < first.size(); ++i)
            QCOMPARE(f.page().at(i).name, first.at(i).name);
    }

    void hostileNamesReachNoRow()
    {
        Fixture f(17);
        f.open(QStringLiteral("17:photo"));
        SiteFileList list;
        for (const QString& name : {QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
                                    QStringLiteral("n") + QChar(0), QStringLiteral("good"), QStringLiteral("back\\slash")})
            list << fileEntry(name, 1, true);
        f.pane.deliver(QStringLiteral("17:photo"), list);
        QCOMPARE(f.page().size(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!f.detail.tableView()->isDrawing(), 60000);
        QCOMPARE(f.detail.tableView()->recordOfRow(0).getName(), QStringLiteral("good"));
        QCOMPARE(f.detail.footerText(), QStringLiteral("2 item(s)"));
        // The computer's top level keeps its absolute-path entries.
        f.open(QStringLiteral("0:"));
        f.pane.deliver(QStringLiteral("0:"), {fileEntry(QStringLiteral("/"), 0, true), fileEntry(QStringLiteral("/home/alice"), 0, true)});
        QCOMPARE(f.page().size(), 2);
    }

    void iconViewHidesAndDeselects()
    {
        Fixture f;
        f.open(QStringLiteral("0:/x"));
        emit f.pane.hub.sigChangeView();
        f.pane.deliver(QStringLiteral("0:/x"), padded(5));
        SiteListWidget* list = f.detail.listView();
        list->item(1)->setSelected(true);
        list->item(4)->setSelected(true);
        QCOMPARE(f.pane.last_selection.children.size(), 2);
        QCOMPARE(f.pane.last_selection.view_mode, VM_LIST);
        SiteFileList shorter = padded(3);
        f.pane.deliver(QStringLiteral("0:/x"), shorter);
        QVERIFY(list->item(4)->isHidden());
        QCOMPARE(f.pane.last_selection.children.size(), 1);
        list->selectAll();
        QCOMPARE(f.pane.last_selection.children.size(), 3);
        for (const NodeInfo& node : f.pane.last_selection.children)
            QVERIFY(!node.name.isEmpty());
    }
};

QTEST_MAIN(SiteViewDetailTest)
#include "siteview_detail_test.moc"
