// Drops end to end: the views of a stand-in pane on a site logged in to the
// test file server over TLS, the application core carrying out what the
// drops make. Files from the file manager land in the share with their
// digests, a folder with its contents; the computer's pane copies; the
// marker makes nothing; rows dropped on a folder move on the server; rows
// dropped on the tree download and upload intact; made-up names in a page
// make nothing; no highlight stays.
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <filesystem>

#include "core_fixture.h"
#include "global-connecter.h"
#include "sitedrag_support.h"
#include "support/digest.h"
#include "support/temp_dir.h"
#include "ui_path_manager.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;
using namespace sitedrag;

namespace {

std::string Bytes(size_t n, char seed)
{
    std::string bytes(n, '\0');
    for (size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(seed + i * 31 + (i >> 7));
    return bytes;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

class SiteDragEndToEndTest : public CoreTest {
protected:
    SiteDragEndToEndTest()
    {
        UIPathManager::getInstance()->setPath(QStringLiteral("user_data_path"), Q(m_dir.path()));
        fs::create_directories(DndManager::markerFolderPath().toStdString());
    }
    ~SiteDragEndToEndTest() override { DndManager::getInstance()->setDragRunner({}); }

    // Waits until the file is there with the digest of `expected`.
    bool Arrives(const std::string& path, const std::string& expected)
    {
        const std::string digest = qm_test::sha256OfFile(expected);
        return !digest.empty() && WaitUntil([&] { return qm_test::sha256OfFile(path) == digest; }, 15000);
    }
    // Every event the views announced is done.
    bool AllDone(const QSignalSpy& added)
    {
        for (const QList<QVariant>& args : added)
            if (!WaitDone(args.first().toUInt()))
                return false;
        return true;
    }
    // Selects the rows, starts the drag in the details view and, inside
    // it, drops on `view` at `pos`.
    void DragRows(Pane& f, const QList<int>& rows, QAbstractItemView& view, const std::function<QPoint()>& pos)
    {
        f.table.clearSelection();
        for (int row : rows)
            f.table.selectionModel()->select(f.table.model()->index(row, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
        DndManager::getInstance()->setDragRunner([&](QDrag* drag) {
            EXPECT_TRUE(dropAt(view, pos(), drag->mimeData()));
            return Qt::CopyAction;
        });
        const QPoint start = f.tablePos(rows.first());
        QTest::mousePress(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, start);
        moveWithLeft(f.table, start + QPoint(2, 0));
        QTest::mouseRelease(f.table.viewport(), Qt::LeftButton, Qt::NoModifier, start + QPoint(2, 0));
    }
};

TEST_F(SiteDragEndToEndTest, FileManagerDropsUploadAndCopy)
{
    const uint64_t p = ConnectOk();
    ASSERT_NE(p, 0u);
    const std::string odd = Local("/up/a b #1 100% \xC3\xA9.bin");
    fs::create_directories(Local("/up/folder/deeper"));
    ASSERT_TRUE(qm_test::writeFile(odd, Bytes(300000, 'a')));
    ASSERT_TRUE(qm_test::writeFile(Local("/up/folder/deeper/inner.txt"), "inner"));
    const QString marker = DndManager::markerFolderPath();

    Pane f(p);
    const QString docs = QString::number(p) + ":docs";
    f.showPage(docs, {});
    QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
    QSignalSpy tasks(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferTaskAdded);

    // The marker alone does nothing.
    std::unique_ptr<QMimeData> only_marker(uriListMime({marker}));
    EXPECT_TRUE(dropAt(f.table, backgroundOf(f.table), only_marker.get()));
    EXPECT_EQ(added.count() + tasks.count(), 0);

    // A file, the marker and a folder: two uploads, one task report.
    std::unique_ptr<QMimeData> three(uriListMime({Q(odd), marker, Q(Local("/up/folder"))}));
    EXPECT_TRUE(dropAt(f.table, backgroundOf(f.table), three.get()));
    ASSERT_EQ(added.count(), 2);
    ASSERT_EQ(tasks.count(), 1);
    EXPECT_EQ(tasks.first().at(0).toString(), QStringLiteral("folder"));
    EXPECT_TRUE(tasks.first().at(1).toBool());
    EXPECT_TRUE(tasks.first().at(2).toBool());
    EXPECT_EQ(eventOf(added.at(0).first()).type, EV_UPLOAD);
    EXPECT_FALSE(eventOf(added.at(0).first()).source_is_dir);
    EXPECT_TRUE(eventOf(added.at(1).first()).source_is_dir);
    EXPECT_TRUE(AllDone(added));
    EXPECT_TRUE(Arrives(Docs("/a b #1 100% \xC3\xA9.bin"), odd));
    EXPECT_TRUE(Arrives(Docs("/folder/deeper/inner.txt"), Local("/up/folder/deeper/inner.txt")));

    // The computer's pane copies, here onto a folder row of the icon view.
    fs::create_directories(Local("/copy/into"));
    added.clear();
    f.showPage("0:" + Q(Local("/copy")), {fileEntry("into", 0, true)});
    std::unique_ptr<QMimeData> one(uriListMime({Q(odd)}));
    EXPECT_TRUE(dropAt(f.list, f.listPos(0), one.get()));
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(eventOf(added.first().first()).type, EV_COPY);
    EXPECT_TRUE(AllDone(added));
    EXPECT_TRUE(Arrives(Local("/copy/into/a b #1 100% \xC3\xA9.bin"), odd));
    EXPECT_EQ(tasks.count(), 2);
    EXPECT_EQ(f.litCount(), 0);
    vexotest::saveScreenshot(&f.list, "sitedrag_end_to_end_copy");
}

TEST_F(SiteDragEndToEndTest, InnerMovesAndTreeTransfers)
{
    const uint64_t p = ConnectOk();
    ASSERT_NE(p, 0u);
    const QString site = QString::number(p);
    const std::string originals = m_dir.file("originals");
    fs::create_directories(originals);
    fs::create_directories(Docs("/box"));
    fs::create_directories(Local("/down"));
    const char* names[] = {"a.bin", "b.txt", "c \xE6\x96\x87.txt"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(qm_test::writeFile(originals + "/" + names[i], Bytes(100000 * (i + 1), char('k' + i))));
        fs::copy_file(originals + "/" + names[i], Docs("/") + names[i]);
    }

    Pane f(p);
    f.pane.deliver(site + ":", {fileEntry("docs", 0, true)});
    f.pane.deliver(site + ":docs", {fileEntry("box", 0, true)});
    f.pane.deliver("0:", {fileEntry(Q(Local("/down")), 0, true)});
    f.tree.expandAll();
    QTreeWidgetItem* down = f.tree.findItemByPath("0:" + Q(Local("/down")), false);
    QTreeWidgetItem* docs_item = f.tree.findItemByPath(site + ":docs", false);
    ASSERT_TRUE(down && docs_item);
    QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
    QSignalSpy tasks(GlobalConnecter::getInstance(), &GlobalConnecter::sigTransferTaskAdded);

    // Three rows onto the folder row "box": three moves on the server.
    f.showPage(site + ":docs", {fileEntry(Q(names[0]), 1), fileEntry(Q(names[1]), 1), fileEntry(Q(names[2]), 1),
                                fileEntry("box", 0, true)});
    DragRows(f, {0, 1, 2}, f.table, [&] { return f.tablePos(3); });
    ASSERT_EQ(added.count(), 3);
    EXPECT_EQ(tasks.count(), 0);
    EXPECT_TRUE(AllDone(added));
    for (const char* name : names) {
        EXPECT_TRUE(Arrives(Docs("/box/") + name, originals + "/" + name)) << name;
        EXPECT_FALSE(fs::exists(Docs("/") + name)) << name;
    }

    // From the server's folder onto the computer's folder in the tree: downloads.
    added.clear();
    f.showPage(site + ":docs/box", {fileEntry(Q(names[0]), 1), fileEntry(Q(names[1]), 1), fileEntry(Q(names[2]), 1)});
    DragRows(f, {0, 2}, f.tree, [&] { return f.tree.visualItemRect(down).center(); });
    ASSERT_EQ(added.count(), 2);
    EXPECT_EQ(eventOf(added.first().first()).type, EV_DOWNLOAD);
    EXPECT_EQ(tasks.count(), 1);
    EXPECT_TRUE(AllDone(added));
    EXPECT_TRUE(Arrives(Local("/down/") + names[0], originals + "/" + names[0]));
    EXPECT_TRUE(Arrives(Local("/down/") + names[2], originals + "/" + names[2]));

    // And back from the computer onto the share in the tree: uploads.
    added.clear();
    f.showPage("0:" + Q(Local("/down")), {fileEntry(Q(names[0]), 1), fileEntry(Q(names[2]), 1)});
    DragRows(f, {0, 1}, f.tree, [&] { return f.tree.visualItemRect(docs_item).center(); });
    ASSERT_EQ(added.count(), 2);
    EXPECT_EQ(eventOf(added.first().first()).type, EV_UPLOAD);
    EXPECT_EQ(tasks.count(), 2);
    EXPECT_TRUE(AllDone(added));
    EXPECT_TRUE(Arrives(Docs("/") + names[0], originals + "/" + names[0]));
    EXPECT_TRUE(Arrives(Docs("/") + names[2], originals + "/" + names[2]));

    EXPECT_FALSE(DndManager::getInstance()->isInnerDrag());
    EXPECT_EQ(f.litCount(), 0);
}

TEST_F(SiteDragEndToEndTest, MadeUpNamesNeverBecomeTransfers)
{
    const uint64_t p = ConnectOk();
    ASSERT_NE(p, 0u);
    const QString site = QString::number(p);
    ASSERT_TRUE(qm_test::writeFile(Docs("/ok.txt"), "ok"));
    fs::create_directories(Local("/down/inside"));
    // The protocol refuses a listing with such names; should any get past
    // it into a page, a drag still makes nothing of them.
    SiteFileList listing{fileEntry("ok.txt", 2)};
    for (const char* name : {"..", ".", "a/b", "../../escape.txt"})
        listing << fileEntry(name, 0, std::string(name) != "../../escape.txt");

    Pane f(p);
    f.pane.deliver("0:", {fileEntry(Q(Local("/down/inside")), 0, true)});
    f.tree.expandAll();
    QTreeWidgetItem* inside = f.tree.findItemByPath("0:" + Q(Local("/down/inside")), false);
    ASSERT_TRUE(inside);
    f.showPage(site + ":docs", listing);
    QSignalSpy added(GlobalConnecter::getInstance(), &GlobalConnecter::sigEventAdded);
    QList<int> rows;
    for (int row = 0; row < listing.size(); ++row)
        rows << row;
    DragRows(f, rows, f.tree, [&] { return f.tree.visualItemRect(inside).center(); });
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(eventOf(added.first().first()).names.front(), "ok.txt");
    EXPECT_TRUE(AllDone(added));
    EXPECT_TRUE(Arrives(Local("/down/inside/ok.txt"), Docs("/ok.txt")));
    // Nothing landed beside the chosen folder.
    int beside = 0;
    for (const auto& entry : fs::directory_iterator(Local("/down")))
        beside += entry.path().filename() != "inside" ? 1 : 0;
    EXPECT_EQ(beside, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vexotest::initLibrary(1.0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
