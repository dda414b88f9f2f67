// Drag decisions and the events drops make: the move rules of the three
// views as one table, file-manager drops, inner moves and tree transfers,
// and names that must never become an operation.
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "event-manager.h"
#include "site-drop-rules.h"
#include "user-action-cache.h"

Q_DECLARE_METATYPE(DragVerdict)

namespace {

SiteItemInfo record(const QString& name, bool dir, bool root = false, bool shared = false)
{
    SiteItemInfo r(name);
    r.setIsDir(dir);
    r.setIsRoot(root);
    r.setIsSharedFolder(shared);
    return r;
}

Event eventOf(const QVariant& id)
{
    Event e;
    EventManager::getInstance()->getEvent(id.toUInt(), e);
    return e;
}

void keepDrag(uint64_t peer, const QString& parent, const QStringList& names)
{
    SiteSelectedInfo info;
    info.view_mode = VM_TABLE;
    info.parent = parent;
    for (const QString& n : names) {
        NodeInfo node;
        node.name = n;
        node.type = n.startsWith("dir") ? FT_DIR : FT_FILE;
        info.children.push_back(node);
    }
    UserActionCache::getInstance()->updateSelectedInfo(peer, info);
    UserActionCache::getInstance()->keepDragInfo();
}

}  // namespace

class SiteViews2DropTest : public QObject {
    Q_OBJECT
private slots:
    void viewMoves_data()
    {
        QTest::addColumn<bool>("inner");
        QTest::addColumn<QString>("current");
        QTest::addColumn<int>("over");  // 0 background, 1 file, 2 folder, 3 dragged folder, 4 root or shared
        QTest::addColumn<DragVerdict>("verdict");
        const DragVerdict R = DragVerdict::Refuse, A = DragVerdict::Accept, H = DragVerdict::Highlight;
        const QString places[3] = {"", "5:", "5:share/a"};
        // {inner, outer} x {root listing, site top, folder} x {background, file, folder, dragged, root/shared}
        const DragVerdict expected[2][3][5] = {
            // inner: only unselected folders, never at the root listing (no folder there to move into)
            {{R, R, R, R, R}, {R, R, H, R, H}, {R, R, H, R, H}},
            {{R, R, R, R, R}, {R, A, H, H, H}, {A, A, H, H, H}},  // outer
        };
        for (int i = 0; i < 2; ++i)
            for (int p = 0; p < 3; ++p)
                for (int o = 0; o < 5; ++o)
                    QTest::addRow("%s place %d over %d", i == 0 ? "inner" : "outer", p, o)
                        << (i == 0) << places[p] << o << expected[i][p][o];
    }
    void viewMoves()
    {
        QFETCH(bool, inner);
        QFETCH(QString, current);
        QFETCH(int, over);
        QFETCH(DragVerdict, verdict);
        DragTarget t;
        t.has_item = over != 0;
        t.record = over == 1 ? record("f.txt", false)
                 : over == 4 ? record("share", true, current.isEmpty(), !current.isEmpty())
                             : record("dir", true);
        t.selected = over == 3;
        QCOMPARE(decideViewDragMove(inner, current, t), verdict);
    }

    void treeMoves()
    {
        DragTarget t;
        QCOMPARE(decideTreeDragMove(t), DragVerdict::Refuse);
        t.has_item = true;
        t.record = record("5", true, true);
        t.record.setPath("5:");
        QCOMPARE(decideTreeDragMove(t), DragVerdict::Refuse);
        t.record = record("share", true);
        t.record.setPath("5:share");
        QCOMPARE(decideTreeDragMove(t), DragVerdict::Highlight);
        t.selected = true;
        QCOMPARE(decideTreeDragMove(t), DragVerdict::Accept);
        // A target path without a site is refused, not moved into "".
        t.selected = false;
        t.record.setPath("share");
        QCOMPARE(decideTreeDragMove(t), DragVerdict::Refuse);
    }

    void folderJoins_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("joined");
        QTest::newRow("root listing") << "" << "5" << "";
        QTest::newRow("server top") << "5:" << "share" << "5:share";
        QTest::newRow("server top, dots") << "5:" << ".." << "";
        QTest::newRow("server top, separator") << "5:" << "a\\b" << "";
        QTest::newRow("computer top, slash") << "0:" << "/" << "0:/";
        QTest::newRow("computer top, home") << "0:" << "/home/u" << "0:/home/u";
        QTest::newRow("computer top, relative") << "0:" << "home" << "";
        QTest::newRow("computer top, climbing") << "0:" << "/home/../etc" << "";
        QTest::newRow("folder") << "5:share/a" << "b c#%é" << "5:share/a/b c#%é";
        QTest::newRow("computer root folder") << "0:/" << "tmp" << "0:/tmp";
        QTest::newRow("folder, empty") << "0:/tmp" << "" << "";
        QTest::newRow("folder, dot") << "0:/tmp" << "." << "";
        QTest::newRow("folder, slash") << "0:/tmp" << "a/b" << "";
    }
    void folderJoins()
    {
        QFETCH(QString, current);
        QFETCH(QString, name);
        QFETCH(QString, joined);
        QCOMPARE(dropFolderIdPath(current, name), joined);
    }

    void fileManagerDrops()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        const QString odd = tmp.path() + QStringLiteral("/a b #1 100% é.txt");
        QFile f(odd);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(QDir(tmp.path()).mkdir("folder"));
        const QUrl marker = QUrl::fromLocalFile(tmp.path() + "/qzdragfolderQZDF");

        SiteDropHandler h;
        QSignalSpy added(&h, &SiteDropHandler::sigEventAdded);
        QSignalSpy task(&h, &SiteDropHandler::sigTransferTaskAdded);

        // The marker alone, and a web link, make nothing.
        QCOMPARE(h.dropUrls(5, "5:share", {marker}), 0);
        QCOMPARE(h.dropUrls(5, "5:share", {QUrl("https://example.com/x.html")}), 0);
        QCOMPARE(added.count() + task.count(), 0);

        // Percent-encoded as a file manager sends it in text/uri-list.
        const QUrl encoded = QUrl::fromEncoded(QUrl::fromLocalFile(odd).toEncoded());
        QCOMPARE(h.dropUrls(5, "5:share", {encoded, marker, QUrl::fromLocalFile(tmp.path() + "/folder")}), 2);
        QCOMPARE(added.count(), 2);
        QCOMPARE(task.count(), 1);
        const Event first = eventOf(added.at(0).at(0));
        QCOMPARE(first.type, EV_UPLOAD);
        QCOMPARE(QString::fromStdString(first.names.front()), QStringLiteral("a b #1 100% é.txt"));
        QCOMPARE(QString::fromStdString(first.paths.front()), odd);
        QVERIFY(!first.source_is_dir);
        QVERIFY(eventOf(added.at(1).at(0)).source_is_dir);
        QCOMPARE(task.at(0).at(0).toString(), QStringLiteral("folder"));
        QCOMPARE(task.at(0).at(1).toBool(), true);
        QCOMPARE(task.at(0).at(2).toBool(), true);

        // The computer's pane copies.
        QCOMPARE(h.dropUrls(0, "0:" + tmp.path() + "/folder", {QUrl::fromLocalFile(odd)}), 1);
        QCOMPARE(eventOf(added.last().at(0)).type, EV_COPY);
        QCOMPARE(task.last().at(2).toBool(), false);

        // A local path splits only at "/": a "\\" stays in the name, whole,
        // for the upload to refuse with its reason (no folder "a" made).
        const QString backslash = tmp.path() + QStringLiteral("/a\\b:c*?<>|.txt");
        QFile b(backslash);
        QVERIFY(b.open(QIODevice::WriteOnly));
        b.close();
        QCOMPARE(h.dropUrls(5, "5:share", {QUrl::fromLocalFile(backslash)}), 1);
        const Event dropped = eventOf(added.last().at(0));
        QCOMPARE(dropped.type, EV_UPLOAD);
        QCOMPARE(QString::fromStdString(dropped.names.front()), QStringLiteral("a\\b:c*?<>|.txt"));
        QCOMPARE(QString::fromStdString(dropped.paths.front()), backslash);
        QCOMPARE(QString::fromStdString(dropped.parent), tmp.path());
    }

    // Only an absolute local file path without NUL is taken from a drop.
    void droppedUrls_data()
    {
        QTest::addColumn<QUrl>("url");
        QTest::addColumn<QString>("path");
        QTest::newRow("absolute") << QUrl::fromEncoded("file:///tmp/a%20b.txt") << QStringLiteral("/tmp/a b.txt");
        QTest::newRow("localhost") << QUrl::fromEncoded("file://localhost/tmp/a.txt") << QStringLiteral("/tmp/a.txt");
        QTest::newRow("encoded NUL") << QUrl::fromEncoded("file:///tmp/x%00/a.txt") << QString();
        QTest::newRow("raw NUL") << QUrl::fromLocalFile(QStringLiteral("/tmp/x") + QChar(0) + QStringLiteral("/a.txt"))
                                 << QString();
        QTest::newRow("relative") << QUrl::fromEncoded("file:a/b") << QString();
        QTest::newRow("other host") << QUrl::fromEncoded("file://server/share/a.txt") << QString();
        QTest::newRow("web") << QUrl::fromEncoded("https://example.com/x.html") << QString();
        QTest::newRow("ftp") << QUrl::fromEncoded("ftp://example.com/tmp/a.txt") << QString();
        QTest::newRow("data") << QUrl::fromEncoded("data:text/plain,/tmp/a.txt") << QString();
    }

    void droppedUrls()
    {
        QFETCH(QUrl, url);
        QFETCH(QString, path);
        QCOMPARE(droppedLocalPath(url), path);
        if (!path.isEmpty())
            return;
        SiteDropHandler h;
        QSignalSpy added(&h, &SiteDropHandler::sigEventAdded);
        QCOMPARE(h.dropUrls(5, "5:share", {url}), 0);
        QCOMPARE(added.count(), 0);
    }

    void innerMoves()
    {
        SiteDropHandler h;
        QSignalSpy added(&h, &SiteDropHandler::sigEventAdded);
        QSignalSpy task(&h, &SiteDropHandler::sigTransferTaskAdded);
        keepDrag(5, "5:share/a", {"x.txt", "dir1", "y"});
        QCOMPARE(h.dropInnerOnFolder(5, "5:share/a/target"), 3);
        QCOMPARE(task.count(), 0);
        const QStringList names{"x.txt", "dir1", "y"};
        for (int i = 0; i < 3; ++i) {
            const Event e = eventOf(added.at(i).at(0));
            QCOMPARE(e.type, EV_RENAME);
            QCOMPARE(QString::fromStdString(e.opt_path), "share/a/target/" + names[i]);
        }

        // Hostile names never become a move.
        added.clear();
        keepDrag(5, "5:share", {"..", ".", "", "a/b", "ok"});
        QCOMPARE(h.dropInnerOnFolder(5, "5:share/target"), 1);
        QCOMPARE(h.dropInnerOnFolder(5, dropFolderIdPath("5:share", "..")), 0);
        QCOMPARE(added.count(), 1);

        // A drag from another site, or into a folder of another site, moves nothing.
        keepDrag(5, "5:share", {"ok"});
        QCOMPARE(h.dropInnerOnFolder(6, "6:share/target"), 0);
        QCOMPARE(h.dropInnerOnFolder(5, "0:/tmp"), 0);
        // Onto itself: nothing.
        QCOMPARE(h.dropInnerOnFolder(5, "5:share/ok"), 0);
        QCOMPARE(added.count(), 1);
    }

    void treeDrops()
    {
        SiteDropHandler h;
        QSignalSpy added(&h, &SiteDropHandler::sigEventAdded);
        QSignalSpy task(&h, &SiteDropHandler::sigTransferTaskAdded);
        keepDrag(5, "5:share", {"dir1", "f"});
        QCOMPARE(h.dropInnerOnTree("0:/tmp/dest"), 2);
        QCOMPARE(eventOf(added.at(0).at(0)).type, EV_DOWNLOAD);
        QCOMPARE(task.count(), 1);
        QCOMPARE(task.at(0).at(0).toString(), QStringLiteral("dir1"));
        QCOMPARE(task.at(0).at(1).toBool(), true);
        QCOMPARE(task.at(0).at(2).toBool(), true);

        keepDrag(5, "5:share", {"f"});
        QCOMPARE(h.dropInnerOnTree("5:other"), 1);
        QCOMPARE(eventOf(added.last().at(0)).type, EV_RENAME);
        QCOMPARE(task.count(), 1);

        keepDrag(0, "0:/tmp", {"up", ".."});
        QCOMPARE(h.dropInnerOnTree("5:share"), 1);
        QCOMPARE(eventOf(added.last().at(0)).type, EV_UPLOAD);
        // No site in the target path: nothing.
        QCOMPARE(h.dropInnerOnTree("share"), 0);
    }
};

QTEST_MAIN(SiteViews2DropTest)
#include "siteview2_drop_test.moc"
