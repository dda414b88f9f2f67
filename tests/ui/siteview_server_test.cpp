// The site views over the test file server's share, through the real pane
// and application core over TLS: a listing in the details view, the icon
// view and the tree; rename and new folder typed into the icon view's
// editor reach the disk and every view; a new folder whose name exists
// fails, takes only its pending row and leaves the listed folder. Shares
// are opened as the views name them, without a leading slash ("5:rw").
#include <QTest>

#include <filesystem>

#include "site-connecter.h"
#include "site-data.h"
#include "site-detail-widget.h"
#include "site-list-icon-widget.h"
#include "site-list-widget.h"
#include "site-table-cells.h"
#include "site-table-widget.h"
#include "site-tree-widget.h"
#include "site-widget.h"
#include "sitepane_fixture.h"
#include "vexo-line-editor.h"
#include "vexo-text-editor.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;

namespace {

QStringList TableNames(SiteTableWidget* table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        if (!table->isRowHidden(row))  // pooled rows stay, hidden
            names << table->recordOfRow(row).getName();
    return names;
}

QStringList ListNames(SiteListWidget* list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        if (!list->item(row)->isHidden())
            names << list->recordOfRow(row).getName();
    return names;
}

class SiteViewServerTest : public SitePaneTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/a.txt"), "alpha"));
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/<font size=7>x.txt"), "bravo"));
        fs::create_directories(Share("rw", "/sub"));
    }

    // Switches the pane's detail area to the icon view and waits for its page.
    static bool ShowIcons(SiteWidget* pane)
    {
        SiteListWidget* list = pane->detail()->listView();
        emit pane->connecter()->sigChangeView();
        return WaitUntil([&] { return !list->isDrawing() && list->isVisible(); });
    }

    // Selects the named tiles as a click would, so the icon view's selection is recorded.
    static bool SelectTiles(SiteWidget* pane, const QStringList& names)
    {
        SiteListWidget* list = pane->detail()->listView();
        list->setFocus();
        list->clearSelection();
        if (names.isEmpty()) {
            SiteSelectedInfo none;
            none.view_mode = VM_LIST;
            none.parent = pane->data()->m_current_path;
            emit pane->connecter()->sigSelectionChanged(none);
            return true;
        }
        for (int row = 0; row < list->count(); ++row)
            if (!list->item(row)->isHidden() && names.contains(list->recordOfRow(row).getName()))
                list->item(row)->setSelected(true);
        uint64_t peer = 0;
        SiteSelectedInfo info;
        UserActionCache::getInstance()->getSelectedInfo(peer, info);
        return info.view_mode == VM_LIST && static_cast<int>(info.children.size()) == names.size();
    }

    // The tree fills folders as they open: opens the folders on the way
    // (only those: the computer's own folders stay shut) until the item shows.
    static QTreeWidgetItem* TreeItem(SiteWidget* pane, const QString& id_path)
    {
        const int colon = id_path.indexOf(QLatin1Char(':'));
        QStringList steps{id_path.left(colon + 1)};
        const QStringList parts = id_path.mid(colon + 1).split(QLatin1Char('/'));
        for (int i = 0; i + 1 < parts.size(); ++i)
            steps << steps.last() + (i == 0 ? QString() : QStringLiteral("/")) + parts.at(i);
        QTreeWidgetItem* item = nullptr;
        WaitUntil([&] {
            for (const QString& step : steps)
                if (QTreeWidgetItem* folder = pane->tree()->findItemByPath(step, false))
                    folder->setExpanded(true);
            item = pane->tree()->findItemByPath(id_path, false);
            return item != nullptr;
        }, 10000);
        return item;
    }

    static bool CommitTile(SiteWidget* pane, const QString& name)
    {
        VexoTextEditor* editor = pane->detail()->listView()->editor();
        if (!editor || !editor->isVisible())
            return false;
        editor->selectAll();
        QTest::keyClicks(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        return true;
    }
};

TEST_F(SiteViewServerTest, AListingShowsInEveryView)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    m_host->showPane(pane->peerId());
    const QString rw = Id(pane, "rw");
    ASSERT_TRUE(Open(pane, rw));
    const QStringList expected{"<font size=7>x.txt", "a.txt", "sub"};
    QStringList table = TableNames(pane->detail()->tableView());
    table.sort();
    EXPECT_EQ(table, expected);
    // Markup in a name shows as typed.
    SiteTableWidget* view = pane->detail()->tableView();
    for (int row = 0; row < view->rowCount(); ++row)
        if (view->recordOfRow(row).getName().startsWith('<') && view->nameCell(row)) {
            EXPECT_EQ(view->nameCell(row)->getInfo().name, QStringLiteral("<font size=7>x.txt"));
        }
    QTreeWidgetItem* sub = TreeItem(pane, Id(pane, "rw/sub"));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->text(0), QStringLiteral("sub"));
    vexotest::saveScreenshot(m_host.get(), QStringLiteral("siteview_server_details"));

    ASSERT_TRUE(ShowIcons(pane));
    QStringList icons = ListNames(pane->detail()->listView());
    icons.sort();
    EXPECT_EQ(icons, expected);
    SiteListWidget* list = pane->detail()->listView();
    for (int row = 0; row < list->count(); ++row)
        if (SiteListIconWidget* tile = list->tileOfRow(row)) {
            EXPECT_EQ(tile->getInfo().name, list->recordOfRow(row).getName());
        }
    vexotest::saveScreenshot(m_host.get(), QStringLiteral("siteview_server_icons"));
}

TEST_F(SiteViewServerTest, IconViewRenameAndNewFolderReachTheDiskAndEveryView)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    m_host->showPane(pane->peerId());
    const QString rw = Id(pane, "rw");
    ASSERT_TRUE(Open(pane, rw));
    ASSERT_TRUE(ShowIcons(pane));
    SiteListWidget* list = pane->detail()->listView();

    ASSERT_TRUE(SelectTiles(pane, {"a.txt"}));
    Action(UAT_RENAME);
    EXPECT_EQ(list->editor()->text(), QStringLiteral("a.txt"));
    ASSERT_TRUE(CommitTile(pane, "c.txt"));
    ASSERT_TRUE(WaitIdle());
    ASSERT_TRUE(WaitUntil([&] { return !list->isDrawing() && !pane->detail()->tableView()->isDrawing(); }));
    EXPECT_FALSE(fs::exists(Share("rw", "/a.txt")));
    EXPECT_EQ(qm_test::readFile(Share("rw", "/c.txt")), "alpha");
    EXPECT_TRUE(ListNames(list).contains("c.txt"));
    EXPECT_FALSE(ListNames(list).contains("a.txt"));
    EXPECT_TRUE(TableNames(pane->detail()->tableView()).contains("c.txt"));

    ASSERT_TRUE(SelectTiles(pane, {}));
    Action(UAT_MKDIR);
    ASSERT_TRUE(CommitTile(pane, "made"));
    ASSERT_TRUE(WaitIdle());
    ASSERT_TRUE(WaitUntil([&] { return ListNames(list).contains("made") && !list->isDrawing(); }));
    EXPECT_TRUE(fs::is_directory(Share("rw", "/made")));
    EXPECT_EQ(ListNames(list).count("made"), 1);
    EXPECT_EQ(list->recordCount(), ListNames(list).size());  // the pending item went
    ASSERT_NE(list->currentItem(), nullptr);
    EXPECT_EQ(list->recordOfRow(list->currentRow()).getName(), QStringLiteral("made"));
    EXPECT_NE(TreeItem(pane, Id(pane, "rw/made")), nullptr);
    vexotest::saveScreenshot(m_host.get(), QStringLiteral("siteview_server_made"));
}

TEST_F(SiteViewServerTest, AFailedNewFolderTakesOnlyItsPendingRow)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    m_host->showPane(pane->peerId());
    const QString rw = Id(pane, "rw");
    ASSERT_TRUE(Open(pane, rw));
    SiteTableWidget* table = pane->detail()->tableView();
    const QStringList before = TableNames(table);

    // Details view: "sub" exists, the server refuses it.
    ASSERT_TRUE(Select(pane, {}));
    Action(UAT_MKDIR);
    VexoLineEditor* editor = table->editor();
    ASSERT_TRUE(editor->isVisible());
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("sub"));
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_TRUE(WaitIdle());
    ASSERT_TRUE(WaitUntil([&] { return m_host->failedErrors().size() == 1; }));
    EXPECT_NE(m_host->failedErrors().first(), 0);
    ASSERT_TRUE(WaitUntil([&] { return !table->isDrawing(); }));
    EXPECT_EQ(TableNames(table), before);
    EXPECT_EQ(table->recordCount(), before.size());
    EXPECT_TRUE(fs::is_directory(Share("rw", "/sub")));

    // Icon view: the same.
    ASSERT_TRUE(ShowIcons(pane));
    SiteListWidget* list = pane->detail()->listView();
    const QStringList icons = ListNames(list);
    ASSERT_TRUE(SelectTiles(pane, {}));
    Action(UAT_MKDIR);
    ASSERT_TRUE(CommitTile(pane, "sub"));
    ASSERT_TRUE(WaitIdle());
    ASSERT_TRUE(WaitUntil([&] { return m_host->failedErrors().size() == 2; }));
    ASSERT_TRUE(WaitUntil([&] { return !list->isDrawing(); }));
    EXPECT_EQ(ListNames(list), icons);
    EXPECT_EQ(list->recordCount(), icons.size());
    EXPECT_NE(TreeItem(pane, Id(pane, "rw/sub")), nullptr);
    vexotest::saveScreenshot(m_host.get(), QStringLiteral("siteview_server_failed_mkdir"));
}

}  // namespace
