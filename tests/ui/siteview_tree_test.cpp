// The folder tree over a stand-in pane: both panes' roots, merges, the
// computer's absolute-path entries, findItemByPath, a vanishing current
// folder, lazy expansion, renames and moves rewriting paths and cache keys,
// pending-operation marks, removal of a folder with its marked subfolder,
// and the tree's own in-place rename.
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include "event-manager.h"
#include "image_manager.h"
#include "site-context-menu.h"
#include "site-tree-widget.h"
#include "siteview_test_pane.h"
#include "ui_path_manager.h"
#include "vexoqelt_test_support.h"

namespace {
SiteFileList folders(const QStringList& names)
{
    SiteFileList list;
    for (const QString& name : names)
        list << fileEntry(name, 0, true);
    return list;
}
}  // namespace

class SiteViewTreeTest : public QObject {
    Q_OBJECT

    struct Fixture {
        explicit Fixture(uint64_t peer) : pane(peer, QStringLiteral("Share site")), tree(&pane.hub, &pane.data, &menu)
        {
            tree.resize(236, 400);
            tree.show();
            pane.deliver(QString(), {rootEntry(QString::number(peer)), rootEntry(QStringLiteral("0"))});
        }
        QString text(const QString& path)
        {
            QTreeWidgetItem* item = tree.findItemByPath(path, false);
            return item ? item->text(0) : QStringLiteral("<none>");
        }
        TestPane pane;
        SiteContextMenu menu;
        SiteTreeWidget tree;
    };

private slots:
    void initTestCase()
    {
        vexotest::initLibrary(1.0);
        UIPathManager::getInstance()->setPath(QStringLiteral("resource_path"), QStringLiteral(QM_RESOURCE_SOURCE_DIR));
        QCOMPARE(ImageManager::getInstance()->initialize(0), 0);
    }
    void cleanupTestCase() { QVERIFY2(vexotest::missingNames().isEmpty(), qPrintable(vexotest::missingNames().join(","))); }

    void roots()
    {
        Fixture server(17);
        QCOMPARE(server.tree.topLevelItemCount(), 2);
        QCOMPARE(server.tree.topLevelItem(0)->text(0), QStringLiteral("Share site"));
        QCOMPARE(server.tree.topLevelItem(1)->text(0), QStringLiteral("My Computer"));
        QCOMPARE(server.tree.recordOf(server.tree.topLevelItem(0)).getPath(), QStringLiteral("17:"));
        server.pane.data.m_site_name = QStringLiteral("Renamed");
        emit server.pane.hub.sigChangeSiteName();
        QCOMPARE(server.tree.topLevelItem(0)->text(0), QStringLiteral("Renamed"));
        QCOMPARE(server.tree.topLevelItem(1)->text(0), QStringLiteral("My Computer"));
        Fixture computer(0);
        QCOMPARE(computer.tree.topLevelItemCount(), 1);
        QCOMPARE(computer.tree.topLevelItem(0)->text(0), QStringLiteral("My Computer"));
    }

    void mergesAndComputerPaths()
    {
        Fixture f(17);
        SiteFileList top = folders({QStringLiteral("/"), QStringLiteral("/home/alice")});
        top << fileEntry(QStringLiteral("loose"), 1);
        f.pane.deliver(QStringLiteral("0:"), top);
        QCOMPARE(f.text(QStringLiteral("0:/")), QStringLiteral("/"));
        QCOMPARE(f.text(QStringLiteral("0:/home/alice")), QStringLiteral("/home/alice"));
        QCOMPARE(f.tree.recordOf(f.tree.findItemByPath(QStringLiteral("0:/home/alice"), false)).getPath(),
                 QStringLiteral("0:/home/alice"));
        SiteFileList home = folders({QStringLiteral("docs"), QStringLiteral("Photos"), QStringLiteral("photos"),
                                     QStringLiteral("a\\b")});
        home << fileEntry(QStringLiteral("notes.txt"), 4);
        f.pane.deliver(QStringLiteral("0:/home/alice"), home);
        QTreeWidgetItem* alice = f.tree.findItemByPath(QStringLiteral("0:/home/alice"), false);
        QCOMPARE(alice->childCount(), 4);
        QCOMPARE(f.tree.recordOf(f.tree.findItemByPath(QStringLiteral("0:/home/alice/docs"), false)).getPath(),
                 QStringLiteral("0:/home/alice/docs"));
        // "\" is an ordinary character of the computer's names.
        QCOMPARE(f.text(QStringLiteral("0:/home/alice/a\\b")), QStringLiteral("a\\b"));
        // "/" lists its own children, which do not reach into /home/alice.
        f.pane.deliver(QStringLiteral("0:/"), folders({QStringLiteral("tmp"), QStringLiteral("home")}));
        QCOMPARE(f.text(QStringLiteral("0:/tmp")), QStringLiteral("tmp"));
        QCOMPARE(f.text(QStringLiteral("0:/home/alice/docs")), QStringLiteral("docs"));
        // A later listing: a new folder goes last, a vanished one goes, a
        // child whose name now belongs to a file stays.
        SiteFileList later = folders({QStringLiteral("new"), QStringLiteral("docs"), QStringLiteral("Photos")});
        later << fileEntry(QStringLiteral("photos"), 1);
        f.pane.deliver(QStringLiteral("0:/home/alice"), later);
        QStringList names;
        for (int i = 0; i < alice->childCount(); ++i)
            names << alice->child(i)->text(0);
        QCOMPARE(names, (QStringList{"docs", "Photos", "photos", "new"}));
        // An empty listing empties the folder; records follow the items.
        const int before = f.tree.recordCount();
        f.pane.deliver(QStringLiteral("0:/home/alice"), {});
        QCOMPARE(alice->childCount(), 0);
        QCOMPARE(f.tree.recordCount(), before - 4);
        vexotest::saveScreenshot(&f.tree, QStringLiteral("siteview_tree"));
    }

    // A folder shows an expand arrow until its listing shows it has no
    // sub-folders; a listing with one keeps it.
    void expandArrowOnlyOverSubfolders()
    {
        Fixture f(17);
        f.pane.deliver(QStringLiteral("0:"), folders({QStringLiteral("/"), QStringLiteral("/home/alice")}));
        QTreeWidgetItem* computer = f.tree.topLevelItem(1);
        computer->setExpanded(true);
        QTreeWidgetItem* root = f.tree.findItemByPath(QStringLiteral("0:/"), false);
        QTreeWidgetItem* home = f.tree.findItemByPath(QStringLiteral("0:/home/alice"), false);
        QVERIFY(root && home);
        // The branch area left of an item: one colour when it holds no arrow.
        auto arrowShown = [&f](QTreeWidgetItem* item) {
            const QRect text = f.tree.visualItemRect(item);
            const QRect branch(text.left() - f.tree.indentation(), text.top(), f.tree.indentation(), text.height());
            const QImage image = f.tree.viewport()->grab(branch).toImage();
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (image.pixel(x, y) != image.pixel(0, 0))
                        return true;
            return false;
        };
        QVERIFY(arrowShown(root));
        QVERIFY(arrowShown(home));  // not listed yet: it may hold folders
        SiteFileList files;
        files << fileEntry(QStringLiteral("notes.txt"), 4);
        f.pane.deliver(QStringLiteral("0:/home/alice"), files);
        f.pane.deliver(QStringLiteral("0:/"), folders({QStringLiteral("tmp")}));
        QVERIFY(!arrowShown(home));
        QVERIFY(arrowShown(root));
        vexotest::saveScreenshot(&f.tree, QStringLiteral("siteview_tree_arrows"));
        // A folder made inside later brings the arrow back.
        f.pane.deliver(QStringLiteral("0:/home/alice"), folders({QStringLiteral("made")}));
        QVERIFY(arrowShown(home));
    }

    void findItemByPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::newRow("slash") << "17:photo/docs" << "docs";
        QTest::newRow("backslash") << "17:photo\\docs" << "docs";
        QTest::newRow("trailing") << "17:photo/docs/" << "docs";
        QTest::newRow("double") << "17:photo//docs" << "docs";
        QTest::newRow("top") << "17:" << "Share site";
        QTest::newRow("share") << "17:photo" << "photo";
        QTest::newRow("empty") << "" << "<none>";
        QTest::newRow("no id") << ":photo" << "<none>";
        QTest::newRow("unknown") << "17:photo/nope" << "<none>";
        QTest::newRow("prefix only") << "17:pho" << "<none>";
    }
    void findItemByPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, text);
        Fixture f(17);
        f.pane.deliver(QStringLiteral("17:"), folders({QStringLiteral("photo")}));
        f.pane.deliver(QStringLiteral("17:photo"), folders({QStringLiteral("docs")}));
        QCOMPARE(f.text(path), text);
    }

    void currentFolderAndExpansion()
    {
        Fixture f(17);
        f.pane.deliver(QStringLiteral("17:"), folders({QStringLiteral("photo")}));
        f.pane.deliver(QStringLiteral("17:photo"), folders({QStringLiteral("docs"), QStringLiteral("misc")}));
        QSignalSpy queries(&f.pane.hub, &SiteConnecter::sigQueryPath);
        QSignalSpy paths(&f.pane.hub, &SiteConnecter::sigUpdateCurrentPath);
        // Clicking a folder makes it current and records the selection.
        QTreeWidgetItem* docs = f.tree.findItemByPath(QStringLiteral("17:photo/docs"), false);
        f.tree.setCurrentItem(docs);
        QCOMPARE(f.pane.data.m_current_path, QStringLiteral("17:photo/docs"));
        QCOMPARE(paths.count(), 1);
        QCOMPARE(f.pane.last_selection.view_mode, VM_TREE);
        QCOMPARE(f.pane.last_selection.parent, QStringLiteral("17:photo"));
        QCOMPARE(f.pane.last_selection.children.first().name, QStringLiteral("docs"));
        // The pane's answer expanded it without asking for a listing.
        QCOMPARE(queries.count(), 0);
        // An update for a path not loaded changes nothing.
        emit f.pane.hub.sigUpdateCurrentPath(QStringLiteral("17:photo/docs/deep"));
        QCOMPARE(f.tree.currentItem(), docs);
        // The current folder vanishes: its parent becomes current and is announced.
        f.pane.deliver(QStringLiteral("17:photo"), folders({QStringLiteral("misc")}));
        QCOMPARE(f.tree.currentItem()->text(0), QStringLiteral("photo"));
        QCOMPARE(f.pane.data.m_current_path, QStringLiteral("17:photo"));
        // Each expansion of a collapsed item asks for a listing.
        QTreeWidgetItem* misc = f.tree.findItemByPath(QStringLiteral("17:photo/misc"), false);
        misc->setExpanded(true);
        misc->setExpanded(false);
        misc->setExpanded(true);
        QCOMPARE(queries.count(), 2);
        QCOMPARE(queries.at(0).at(0).toString(), QStringLiteral("17:photo/misc"));
        // A vanished current top-level item leaves no current item.
        f.tree.setCurrentItem(f.tree.topLevelItem(0));
        f.pane.deliver(QString(), {rootEntry(QStringLiteral("0"))});
        QCOMPARE(f.tree.topLevelItemCount(), 1);
        QVERIFY(f.tree.currentItem() == nullptr || f.tree.currentItem() == f.tree.topLevelItem(0));
    }

    void renamesAndMoves()
    {
        Fixture f(17);
        f.pane.deliver(QStringLiteral("17:"), folders({QStringLiteral("photo"), QStringLiteral("other")}));
        f.pane.deliver(QStringLiteral("17:photo"), folders({QStringLiteral("docs")}));
        f.pane.deliver(QStringLiteral("17:photo/docs"), folders({QStringLiteral("x")}));
        f.pane.data.m_file_cache[QStringLiteral("17:photo/docs/x")] = folders({QStringLiteral("y")});
        emit f.pane.hub.sigUpdateSubTreePaths(QStringLiteral("17:photo/docs"), QStringLiteral("papers"),
                                               QStringLiteral("17:photo/papers"));
        QTreeWidgetItem* papers = f.tree.findItemByPath(QStringLiteral("17:photo/papers"), false);
        QVERIFY(papers);
        QCOMPARE(papers->text(0), QStringLiteral("papers"));
        QCOMPARE(f.tree.recordOf(papers).getPath(), QStringLiteral("17:photo/papers"));
        QCOMPARE(f.tree.recordOf(papers->child(0)).getPath(), QStringLiteral("17:photo/papers/x"));
        QVERIFY(!f.pane.data.m_file_cache.contains(QStringLiteral("17:photo/docs")));
        QCOMPARE(f.pane.data.m_file_cache.value(QStringLiteral("17:photo/papers/x")).size(), 1);
        // A move to another folder: paths rewritten, the item moved first.
        emit f.pane.hub.sigUpdateSubTreePaths(QStringLiteral("17:photo/papers"), QStringLiteral("papers"),
                                               QStringLiteral("17:other/papers"));
        QTreeWidgetItem* other = f.tree.findItemByPath(QStringLiteral("17:other"), false);
        QCOMPARE(other->child(0), papers);
        QCOMPARE(f.tree.recordOf(papers->child(0)).getPath(), QStringLiteral("17:other/papers/x"));
        QVERIFY(f.pane.data.m_file_cache.contains(QStringLiteral("17:other/papers/x")));
        // An unknown folder: nothing happens.
        emit f.pane.hub.sigUpdateSubTreePaths(QStringLiteral("17:nope"), QStringLiteral("a"), QStringLiteral("17:a"));
    }

    void hostileNamesMakeNoItem()
    {
        Fixture f(17);
        f.pane.deliver(QStringLiteral("17:"), folders({QStringLiteral("photo")}));
        f.pane.deliver(QStringLiteral("17:photo"),
                       folders({QString(), QStringLiteral("."), QStringLiteral(".."), QStringLiteral("a/b"),
                                QStringLiteral("/abs"), QStringLiteral("n") + QChar(0) + QStringLiteral("x"),
                                QStringLiteral("good")}));
        QTreeWidgetItem* photo = f.tree.findItemByPath(QStringLiteral("17:photo"), false);
        QCOMPARE(photo->childCount(), 1);
        QCOMPARE(f.tree.recordOf(photo->child(0)).getPath(), QStringLiteral("17:photo/good"));
    }

    void marksAndRemoval()
    {
        Fixture f(0);
        f.pane.deliver(QStringLiteral("0:"), folders({QStringLiteral("/tmp")}));
        f.pane.deliver(QStringLiteral("0:/tmp"), folders({QStringLiteral("d")}));
        f.pane.deliver(QStringLiteral("0:/tmp/d"), folders({QStringLiteral("sub")}));
        const int records = f.tree.recordCount();
        Event e;
        e.type = EV_REMOVE;
        e.peer_id = 0;
        e.paths = {"/tmp/d", "/tmp/d/sub"};
        const uint32_t id = EventManager::getInstance()->pushEvent(e);
        emit f.pane.hub.sigAssignEventId(id);
        QCOMPARE(f.tree.recordOf(f.tree.findItemByPath(QStringLiteral("0:/tmp/d/sub"), false)).getEventId(), id);
        // A folder and its marked subfolder go once (the second is gone with the first).
        emit f.pane.hub.sigRemoveItemWithEventId(id);
        QVERIFY(!f.tree.findItemByPath(QStringLiteral("0:/tmp/d"), false));
        QCOMPARE(f.tree.recordCount(), records - 2);
        emit f.pane.hub.sigClearItemEventId(id);
    }

    void renameInTree_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("sent");  // "" : nothing sent
        QTest::newRow("Esc") << "other" << int(Qt::Key_Escape) << "";
        QTest::newRow("Enter unchanged") << "" << int(Qt::Key_Return) << "";
        QTest::newRow("new name") << "papers" << int(Qt::Key_Return) << "papers";
        QTest::newRow("non-ASCII") << QString::fromUtf8("résumé") << int(Qt::Key_Return) << QString::fromUtf8("résumé");
        QTest::newRow("blank") << "  " << int(Qt::Key_Return) << "";
        QTest::newRow("dot") << "." << int(Qt::Key_Return) << "";
        QTest::newRow("dot dot") << ".." << int(Qt::Key_Return) << "";
        QTest::newRow("slash") << "a/b" << int(Qt::Key_Return) << "";
        QTest::newRow("backslash") << "a\\b" << int(Qt::Key_Return) << "";
    }
    void renameInTree()
    {
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, sent);
        Fixture f(17);
        f.pane.deliver(QStringLiteral("17:"), folders({QStringLiteral("photo")}));
        f.pane.deliver(QStringLiteral("17:photo"), folders({QStringLiteral("docs")}));
        QTreeWidgetItem* docs = f.tree.findItemByPath(QStringLiteral("17:photo/docs"), false);
        f.tree.setCurrentItem(docs);
        SiteSelectedInfo tree_selection;
        tree_selection.view_mode = VM_TREE;
        UserActionCache::getInstance()->updateSelectedInfo(17, tree_selection);
        QSignalSpy blocks(GlobalConnecter::getInstance(), &GlobalConnecter::sigBlockKeyPress);
        QSignalSpy renames(&f.pane.hub, &SiteConnecter::sigRenameDone);
        QSignalSpy queries(&f.pane.hub, &SiteConnecter::sigQueryPath);
        emit f.pane.hub.sigStartRename();
        QCOMPARE(blocks.count(), 1);
        QVERIFY(blocks.at(0).at(0).toBool());
        QTRY_VERIFY(f.tree.findChild<QLineEdit*>() != nullptr);
        QLineEdit* editor = f.tree.findChild<QLineEdit*>();
        QCOMPARE(editor->text(), QStringLiteral("docs"));
        if (!typed.isEmpty()) {
            editor->selectAll();
            if (typed.toUtf8() == typed.toLatin1())
                QTest::keyClicks(editor, typed);
            else
                editor->insert(typed);  // QTest types ASCII only
        }
        QTest::keyClick(editor, Qt::Key(key));
        QTRY_COMPARE(blocks.count(), 2);
        QVERIFY(!blocks.at(1).at(0).toBool());
        QVERIFY(!f.tree.signalsBlocked());
        QCOMPARE(renames.count(), sent.isEmpty() ? 0 : 1);
        if (!sent.isEmpty())
            QCOMPARE(renames.at(0).at(0).toString(), sent);
        // The item keeps its name and path until the pane reports the result.
        QCOMPARE(docs->text(0), QStringLiteral("docs"));
        QCOMPARE(f.tree.recordOf(docs).getPath(), QStringLiteral("17:photo/docs"));
        QVERIFY(!(docs->flags() & Qt::ItemIsEditable));
        QCOMPARE(queries.count(), 0);
        if (!sent.isEmpty()) {
            emit f.pane.hub.sigUpdateSubTreePaths(QStringLiteral("17:photo/docs"), sent, QStringLiteral("17:photo/") + sent);
            QCOMPARE(docs->text(0), sent);
            QCOMPARE(f.tree.findItemByPath(QStringLiteral("17:photo/") + sent, false), docs);
        }
        // Without a current item a rename starts nothing.
        f.tree.setCurrentItem(nullptr);
        UserActionCache::getInstance()->updateSelectedInfo(17, tree_selection);
        emit f.pane.hub.sigStartRename();
        QCOMPARE(blocks.count(), 2);
    }

    void newFolderInTree()
    {
        Fixture f(0);
        f.pane.deliver(QStringLiteral("0:"), folders({QStringLiteral("/tmp")}));
        f.pane.deliver(QStringLiteral("0:/tmp"), folders({QStringLiteral("New Folder")}));
        SiteSelectedInfo tree_selection;
        tree_selection.view_mode = VM_TREE;
        UserActionCache::getInstance()->updateSelectedInfo(0, tree_selection);
        // Without a current item nothing starts.
        f.tree.setCurrentItem(nullptr);
        UserActionCache::getInstance()->updateSelectedInfo(0, tree_selection);
        const int records = f.tree.recordCount();
        emit f.pane.hub.sigStartMkdir();
        QCOMPARE(f.tree.recordCount(), records);
        // Under /tmp: a pending "New Folder" beside the listed one.
        QTreeWidgetItem* tmp = f.tree.findItemByPath(QStringLiteral("0:/tmp"), false);
        f.tree.setCurrentItem(tmp);
        UserActionCache::getInstance()->updateSelectedInfo(0, tree_selection);
        QSignalSpy mkdirs(&f.pane.hub, &SiteConnecter::sigMkdirDone);
        emit f.pane.hub.sigStartMkdir();
        QCOMPARE(tmp->childCount(), 2);
        QTRY_VERIFY(f.tree.findChild<QLineEdit*>() != nullptr);
        QLineEdit* editor = f.tree.findChild<QLineEdit*>();
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(mkdirs.count(), 1);
        Event e;
        e.type = EV_MKDIR;
        e.peer_id = 0;
        e.parent = "/tmp";
        e.names = {"New Folder"};
        e.paths = {"/tmp/New Folder"};
        const uint32_t id = EventManager::getInstance()->pushEvent(e);
        emit f.pane.hub.sigAssignEventId(id);
        emit f.pane.hub.sigRemoveItemWithEventId(id);
        QCOMPARE(tmp->childCount(), 1);
        QCOMPARE(tmp->child(0)->text(0), QStringLiteral("New Folder"));
    }
};

QTEST_MAIN(SiteViewTreeTest)
#include "siteview_tree_test.moc"
