// The site pane's parts that need no server: the context menu by type, site
// and kept copy (entries, separators, texts, values, keys, sizes at scale 2)
// and the folder-cache helpers (hostile names, large removals, a folder and
// its own subfolders).
#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

#include "dpi_info.h"
#include "global-connecter.h"
#include "login_settings_support.h"
#include "site-context-menu.h"
#include "site-pane-entries.h"
#include "user-action-cache.h"
#include "vexoqelt_test_support.h"

namespace {

// The entries as drawn: hidden ones left out, separators collapsed as the
// menu collapses them (none first, last or twice in a row).
QString drawn(const QMenu& menu)
{
    QStringList parts;
    for (QAction* action : menu.actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator()) {
            if (!parts.isEmpty() && parts.last() != "|")
                parts << "|";
            continue;
        }
        parts << action->text();
    }
    if (!parts.isEmpty() && parts.last() == "|")
        parts.removeLast();
    return parts.join(", ");
}

SiteSelectedInfo selection(const QString& parent, int children)
{
    SiteSelectedInfo info;
    info.view_mode = VM_TABLE;
    info.parent = parent;
    for (int i = 0; i < children; ++i)
        info.children.append({QStringLiteral("item%1").arg(i), FT_FILE});
    return info;
}

SiteFileList entries(const QStringList& names)
{
    SiteFileList list;
    for (const QString& name : names) {
        SiteFileInfo info;
        info.name = name;
        list.append(info);
    }
    return list;
}

QStringList names(const SiteFileList& list)
{
    QStringList out;
    for (const SiteFileInfo& info : list)
        out << info.name;
    return out;
}

}  // namespace

class SitePaneUnitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lstest::initWidgets(1.0); }

    void menuByType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("shown");
        const QString all_server = "Download to \u2026 (F6), Download to default folder (F4), |, Create Folder (F3), |, "
                                   "Cut (Ctrl+X), Copy (Ctrl+C), Paste (Ctrl+V), Delete (Delete), Rename (F2)";
        QTest::newRow("background, server, nothing kept")
            << int(MENU_BACKGROUND) << "5:/rw" << false << "Create Folder (F3)";
        QTest::newRow("background, server, copy kept")
            << int(MENU_BACKGROUND) << "5:/rw" << true << "Create Folder (F3), |, Paste (Ctrl+V)";
        QTest::newRow("background, computer, copy kept")
            << int(MENU_BACKGROUND) << "0:/tmp" << true << "Create Folder (F3), |, Paste (Ctrl+V)";
        QTest::newRow("single, server, copy kept") << int(MENU_SINGLE_SELECTION) << "5:/rw" << true << all_server;
        QTest::newRow("single, server, nothing kept")
            << int(MENU_SINGLE_SELECTION) << "5:/rw" << false
            << "Download to \u2026 (F6), Download to default folder (F4), |, Create Folder (F3), |, Cut (Ctrl+X), "
               "Copy (Ctrl+C), Delete (Delete), Rename (F2)";
        QTest::newRow("single, computer, copy kept")
            << int(MENU_SINGLE_SELECTION) << "0:/tmp" << true
            << "Create Folder (F3), |, Cut (Ctrl+X), Copy (Ctrl+C), Paste (Ctrl+V), Delete (Delete), Rename (F2)";
        QTest::newRow("multiple, server, copy kept")
            << int(MENU_MULTIPLE_SELECTIONS) << "12:/rw/a" << true
            << "Download to \u2026 (F6), Download to default folder (F4), |, Create Folder (F3), |, Cut (Ctrl+X), "
               "Copy (Ctrl+C), Paste (Ctrl+V), Delete (Delete)";
        QTest::newRow("multiple, computer, nothing kept")
            << int(MENU_MULTIPLE_SELECTIONS) << "0:/tmp" << false
            << "Create Folder (F3), |, Cut (Ctrl+X), Copy (Ctrl+C), Delete (Delete)";
        QTest::newRow("no selection recorded counts as the computer")
            << int(MENU_SINGLE_SELECTION) << "" << false
            << "Create Folder (F3), |, Cut (Ctrl+X), Copy (Ctrl+C), Delete (Delete), Rename (F2)";
    }
    void menuByType()
    {
        QFETCH(int, type);
        QFETCH(QString, parent);
        QFETCH(bool, kept);
        QFETCH(QString, shown);
        UserActionCache* cache = UserActionCache::getInstance();
        // A kept copy of one entry, or a kept empty selection, which keeps nothing.
        cache->updateSelectedInfo(7, selection("7:/kept", kept ? 1 : 0));
        cache->keepCopyInfo(false);
        const int count = type == MENU_MULTIPLE_SELECTIONS ? 2 : type == MENU_SINGLE_SELECTION ? 1 : 0;
        cache->updateSelectedInfo(parent.section(':', 0, 0).toULongLong(), selection(parent, count));

        SiteContextMenu menu;
        menu.changeMenuType(static_cast<SiteMenuType>(type));
        QCOMPARE(drawn(menu), shown);
        QVERIFY(menu.separatorsCollapsible());
        menu.popup(QPoint(40, 40));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        vexotest::saveScreenshot(&menu, QStringLiteral("sitepane_menu_%1").arg(QTest::currentDataTag())
                                            .replace(QRegularExpression("[^a-z]+"), "_"));
        menu.hide();
    }

    void pasteHiddenOnceACutWasPasted()
    {
        UserActionCache* cache = UserActionCache::getInstance();
        cache->updateSelectedInfo(5, selection("5:/rw", 1));
        cache->keepCopyInfo(true);
        SiteContextMenu menu;
        menu.changeMenuType(MENU_BACKGROUND);
        QVERIFY(menu.actionOf(UAT_PASTE)->isVisible());
        cache->cutFinished();
        menu.changeMenuType(MENU_BACKGROUND);
        QVERIFY(!menu.actionOf(UAT_PASTE)->isVisible());
        cache->keepCopyInfo(false);
        menu.changeMenuType(MENU_BACKGROUND);
        QVERIFY(menu.actionOf(UAT_PASTE)->isVisible());
    }

    void entriesSendTheirActionAndHaveNoKeys()
    {
        SiteContextMenu menu;
        QSignalSpy clicked(GlobalConnecter::getInstance(), &GlobalConnecter::sigActionClicked);
        const QList<UserActionType> order{UAT_DOWNLOAD_TO, UAT_DOWNLOAD, UAT_MKDIR, UAT_CUT,
                                          UAT_COPY,        UAT_PASTE,    UAT_REMOVE, UAT_RENAME};
        QList<UserActionType> seen;
        for (QAction* action : menu.actions()) {
            if (action->isSeparator())
                continue;
            QVERIFY(action->shortcut().isEmpty());
            QVERIFY(!action->icon().isNull());
            action->trigger();
            seen << static_cast<UserActionType>(clicked.last().at(0).toInt());
        }
        QCOMPARE(seen, order);
        QCOMPARE(clicked.count(), 8);
    }

    void sizesAtScaleTwo()
    {
        DPIinfo::getInstance()->setScaleForTest(2.0, 1.0);
        {
            SiteContextMenu menu;
            QCOMPARE(menu.minimumWidth(), 200);
            QCOMPARE(menu.style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &menu), 28);
        }
        DPIinfo::getInstance()->setScaleForTest(1.0, 1.0);
        SiteContextMenu menu;
        QCOMPARE(menu.minimumWidth(), 100);
    }

    void unusableNamesDropped_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("in");
        QTest::addColumn<QStringList>("kept");
        QTest::newRow("clean") << "5:/rw" << QStringList{"a", "b c", ".hidden", "..x"}
                               << QStringList{"a", "b c", ".hidden", "..x"};
        QTest::newRow("dots and empty") << "5:/rw" << QStringList{"", ".", "..", "ok"} << QStringList{"ok"};
        QTest::newRow("separators") << "5:/rw" << QStringList{"a/b", "/etc", "c\\d"} << QStringList{"c\\d"};
        QTest::newRow("nul") << "5:/rw" << QStringList{QString("x") + QChar(0) + "y", "z"} << QStringList{"z"};
        // The computer's top level: its folders by clean absolute path.
        QTest::newRow("computer top")
            << "0:" << QStringList{"/", "/home/u", "/media/usb 1", "rel", "", "/a/../b", "//x", "/x/", "/a/./b"}
            << QStringList{"/", "/home/u", "/media/usb 1"};
        QTest::newRow("computer folder") << "0:/home" << QStringList{"/etc", "u"} << QStringList{"u"};
        QTest::newRow("server top") << "5:" << QStringList{"/etc", "docs"} << QStringList{"docs"};
    }
    void unusableNamesDropped()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, in);
        QFETCH(QStringList, kept);
        SiteFileList list = entries(in);
        QCOMPARE(dropUnusableEntries(list, path), in.size() - kept.size());
        QCOMPARE(names(list), kept);
    }

    void removalUsesEveryNameOnceAndKeepsOrder()
    {
        QStringList all;
        for (int i = 0; i < 100000; ++i)
            all << QStringLiteral("entry-%1").arg(i);
        SiteFileList list = entries(all);
        std::list<std::string> gone;
        for (int i = 0; i < 100000; i += 10)
            gone.push_back(QStringLiteral("entry-%1").arg(i).toStdString());
        gone.push_back("not-there");
        QCOMPARE(removeEntriesByName(list, gone), 10000);
        QCOMPARE(list.size(), 90000);
        QCOMPARE(list.first().name, QStringLiteral("entry-1"));
        QCOMPARE(list.at(9).name, QStringLiteral("entry-11"));
        QCOMPARE(list.last().name, QStringLiteral("entry-99999"));
    }

    void folderAndItsSubfolders_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("inside");
        QTest::newRow("itself") << "5:/rw/src" << "5:/rw/src" << true;
        QTest::newRow("itself with slash") << "5:/rw/src" << "5:/rw/src/" << true;
        QTest::newRow("subfolder") << "5:/rw/src" << "5:/rw/src/inner/deep" << true;
        QTest::newRow("server backslash") << "5:/rw/src" << "5:\\rw\\src\\inner" << true;
        QTest::newRow("sibling with the same start") << "5:/rw/src" << "5:/rw/src2" << false;
        QTest::newRow("parent") << "5:/rw/src" << "5:/rw" << false;
        QTest::newRow("other site") << "5:/rw/src" << "6:/rw/src" << false;
        QTest::newRow("computer backslash is a letter") << "0:/tmp/a" << "0:/tmp/a\\b" << false;
        QTest::newRow("computer subfolder") << "0:/tmp/a" << "0:/tmp/a/b" << true;
    }
    void folderAndItsSubfolders()
    {
        QFETCH(QString, folder);
        QFETCH(QString, target);
        QFETCH(bool, inside);
        QCOMPARE(isSameOrInside(folder, target), inside);
    }
};

QTEST_MAIN(SitePaneUnitTest)
#include "sitepane_unit_test.moc"
