// Listing in the site pane, end to end: the root at once, the folder cache,
// keyword, filter and sort on the cache alone, the current folder chosen
// again, coalesced refreshes for the visible pane only, the two listing
// warnings for the current folder only, hostile names from the server, both
// view modes, and panes closed in the middle of their work.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTest>

#include <filesystem>

#include "event-manager.h"
#include "global-connecter.h"
#include "image_manager.h"
#include "site-connecter.h"
#include "site-context-menu.h"
#include "site-data.h"
#include "site-detail-widget.h"
#include "site-filter-menu.h"
#include "site-sort-menu.h"
#include "site-table-widget.h"
#include "site-widget.h"
#include "sitepane_fixture.h"
#include "str_table.h"
#include "support/temp_dir.h"
#include "vexo_filter_bar.h"
#include "vexo_icon_button.h"
#include "vexo_message_sheet.h"
#include "vexo-line-editor.h"
#include "vexoqelt_test_support.h"

namespace fs = std::filesystem;

namespace {

class SitePaneListingTest : public SitePaneTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/a.txt"), "alpha"));
        ASSERT_TRUE(qm_test::writeFile(Share("rw", "/b.txt"), "bravo"));
        fs::create_directories(Share("rw", "/sub"));
    }

    // Warnings seen so far, by text.
    int Warnings(const QString& text) const
    {
        int n = 0;
        for (const auto& sheet : m_sheets->seen)
            n += sheet.type == VexoMessageSheet::Warning && sheet.text == text ? 1 : 0;
        return n;
    }
};

TEST_F(SitePaneListingTest, RootAtOnceThenKeywordFilterAndSortWorkOnTheCacheAlone)
{
    AddedEvents added;
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    // (The core may announce its own events for the site, such as a UDP setting.)
    ASSERT_GE(added.count(EV_LIST), 1);
    EXPECT_EQ(added.of(EV_LIST).first().parent, "");
    EXPECT_EQ(added.of(EV_LIST).first().trigger_peer, pane->peerId());
    EXPECT_EQ(Cached(pane, ""), (QStringList{"0", QString::number(pane->peerId())}));

    ASSERT_TRUE(Open(pane, Id(pane, "")));
    EXPECT_EQ(Cached(pane, Id(pane, "")), (QStringList{"ro", "rw"}));
    const QString rw = Id(pane, "/rw");
    ASSERT_TRUE(Open(pane, rw));
    EXPECT_EQ(Cached(pane, rw), (QStringList{"a.txt", "b.txt", "sub"}));
    EXPECT_EQ(pane->data()->m_current_path, rw);

    const int lists = added.count(EV_LIST);
    QTest::keyClicks(pane->filterBar()->lineEdit(), "a.");
    EXPECT_EQ(pane->data()->m_filter.keyword, "a.");
    EXPECT_EQ(pane->data()->m_filtered_files.value(rw).size(), 1);
    pane->data()->m_filter.sort_column = COL_SIZE;
    pane->data()->m_filter.sort_asc = false;
    emit pane->sortMenu()->sigSortInfoChanged();
    emit pane->filterMenu()->sigFileFilterChanged();
    EXPECT_EQ(pane->filterBar()->text(), "a.");
    // The folder that is already current, chosen again, resets nothing.
    emit pane->connecter()->sigCurrentPathChanged(rw);
    EXPECT_EQ(pane->data()->m_filter.keyword, "a.");
    EXPECT_EQ(pane->filterBar()->text(), "a.");
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(added.count(EV_LIST), lists);

    // Another folder clears keyword and conditions, keeps the sort.
    ASSERT_TRUE(Open(pane, Id(pane, "/rw/sub")));
    EXPECT_EQ(pane->data()->m_filter.keyword, "");
    EXPECT_EQ(pane->filterBar()->text(), "");
    EXPECT_EQ(pane->data()->m_filter.sort_column, COL_SIZE);
    EXPECT_FALSE(pane->data()->m_filter.sort_asc);
    EXPECT_EQ(added.count(EV_LIST), lists + 1);
}

TEST_F(SitePaneListingTest, ViewButtonSwitchesModesAndBack)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
    QStackedWidget* stack = pane->detail()->stack();
    QWidget* table = stack->currentWidget();
    EXPECT_EQ(table, pane->detail()->tableView());
    vexotest::saveScreenshot(m_host.get(), "sitepane_table_mode");
    QTest::mouseClick(pane->viewButton(), Qt::LeftButton);
    EXPECT_TRUE(pane->isIconView());
    EXPECT_NE(stack->currentWidget(), table);
    vexotest::saveScreenshot(m_host.get(), "sitepane_icon_mode");
    QTest::mouseClick(pane->viewButton(), Qt::LeftButton);
    EXPECT_FALSE(pane->isIconView());
    EXPECT_EQ(stack->currentWidget(), table);
    EXPECT_EQ(pane->viewButton()->currentPixmap().toImage(), getGlobalImage("bt_listview", 0).toImage());
}

TEST_F(SitePaneListingTest, NameCentreAndANewPeer)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    QSignalSpy renamed(pane->connecter(), &SiteConnecter::sigChangeSiteName);
    pane->updateSiteName("Renamed site");
    EXPECT_EQ(pane->data()->m_site_name, "Renamed site");
    EXPECT_EQ(renamed.count(), 1);
    EXPECT_TRUE(pane->detail()->geometry().contains(pane->getCentralPoint()));

    // After a new peer id the pane keeps the new peer's listings only.
    const uint64_t old_peer = pane->peerId();
    const uint64_t new_peer = old_peer + 1000;
    pane->setNewPeerId(new_peer);
    SiteFileList list;
    SiteFileInfo entry;
    entry.name = "n.txt";
    list.append(entry);
    emit GlobalConnecter::getInstance()->sigUpdatePath(old_peer, "old:/x", list);
    emit GlobalConnecter::getInstance()->sigUpdatePath(new_peer, "new:/x", list);
    EXPECT_FALSE(pane->data()->m_file_cache.contains("old:/x"));
    EXPECT_EQ(Cached(pane, "new:/x"), QStringList{"n.txt"});
    pane->setNewPeerId(old_peer);
}

TEST_F(SitePaneListingTest, RefreshesWithinASecondMergeAndAHiddenPaneNeverLists)
{
    SiteWidget* hidden = Login();
    SiteWidget* shown = Login();
    ASSERT_NE(hidden, nullptr);
    ASSERT_NE(shown, nullptr);
    ASSERT_TRUE(Open(shown, Id(shown, "/rw")));
    m_host->showPane(shown->peerId());
    ASSERT_FALSE(hidden->isVisible());

    AddedEvents added;
    GlobalConnecter* hub = GlobalConnecter::getInstance();
    QElapsedTimer clock;
    clock.start();
    emit hub->sigRefreshPeerPage(shown->peerId());
    emit hub->sigRefreshPeerPage(hidden->peerId());
    emit hub->sigRefreshPeerPage(shown->peerId());
    ASSERT_TRUE(WaitUntil([&] { return added.count(EV_LIST) == 1; }));
    EXPECT_GE(clock.elapsed(), 900);
    EXPECT_EQ(added.events.first().trigger_peer, shown->peerId());
    EXPECT_EQ(added.events.first().parent, Id(shown, "/rw").toStdString());
    // A request after the first re-list starts a new one; a merged second
    // request would have come together with the first, so before this one.
    emit hub->sigRefreshPeerPage(shown->peerId());
    ASSERT_TRUE(WaitUntil([&] { return added.count(EV_LIST) == 2; }));
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(added.size(), 2);
    for (const Event& event : added.events)
        EXPECT_EQ(event.trigger_peer, shown->peerId());
}

TEST_F(SitePaneListingTest, ListingErrorsWarnForTheCurrentFolderOnly)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    const QString no_perm = StrTable::LoadStr(StrTable::error_list_node_permission);
    const QString general = StrTable::LoadStr(StrTable::error_list_node_general);
    EXPECT_EQ(no_perm, "You do not have permission to load the directory.");
    EXPECT_EQ(general, "Failed to load this directory.");

    emit pane->connecter()->sigCurrentPathChanged(Id(pane, "/denied"));
    ASSERT_TRUE(WaitUntil([&] { return Warnings(no_perm) == 1; }));

    ASSERT_TRUE(Open(pane, Id(pane, "/rw")));
    test_server::Fault fault;
    fault.kind = test_server::Fault::ERROR;
    fault.count = 32768;  // the general listing error
    fault.reason = "injected";
    Server().SetFault("list", fault);
    // A folder that is not the current one fails silently...
    emit pane->connecter()->sigQueryPath(Id(pane, "/rw/sub"), false);
    ASSERT_TRUE(WaitIdle());
    // ...the current one with the general warning.
    emit pane->connecter()->sigQueryPath(Id(pane, "/rw"), false);
    ASSERT_TRUE(WaitUntil([&] { return Warnings(general) == 1; }));
    ASSERT_TRUE(WaitIdle());
    QCoreApplication::processEvents();
    EXPECT_EQ(Warnings(general), 1);
    EXPECT_EQ(Warnings(no_perm), 1);
    // The failed listing left the cache as it was.
    EXPECT_EQ(Cached(pane, Id(pane, "/rw")), (QStringList{"a.txt", "b.txt", "sub"}));
    Server().ClearFaults();
}

PObject Entry(const std::string& name, bool is_dir)
{
    PObject entry;
    entry["name"] = name;
    entry["is_dir"] = is_dir;
    entry["mtime"] = static_cast<uint64_t>(0);
    entry["size"] = static_cast<uint64_t>(is_dir ? 0 : 1);
    return entry;
}

TEST_F(SitePaneListingTest, HostileNamesReachNeitherTheCacheNorTheDisk)
{
    SiteWidget* pane = Login();
    ASSERT_NE(pane, nullptr);
    fs::create_directories(Share("rw", "/tree"));
    ASSERT_TRUE(qm_test::writeFile(Share("rw", "/tree/ok.txt"), "ok"));
    qm_test::TempDir down("qm-sitepane-down");
    SaveConnection(true, down.path());
    const QString rw = Id(pane, "/rw");
    const QString tree = Id(pane, "/rw/tree");
    ASSERT_TRUE(Open(pane, rw));

    const QString general = StrTable::LoadStr(StrTable::error_list_node_general);
    for (const char* name : {"..", ".", "", "a/b", "../../escape.txt"}) {
        SCOPED_TRACE(name);
        test_server::Fault extend;
        extend.kind = test_server::Fault::EXTEND_LIST;
        extend.answer["node_list"].asArray().push_back(Entry(name, std::string(name) != "../../escape.txt"));
        Server().SetFault("list", extend, "/tree");
        // The hostile entry is left out: the folder loads with the rest, and
        // the name never enters the cache.
        ASSERT_TRUE(Open(pane, tree));
        EXPECT_EQ(Cached(pane, tree), QStringList{"ok.txt"});
        EXPECT_EQ(Warnings(general), 0);
        ASSERT_TRUE(Open(pane, rw));

        // Downloading the folder walks it with the same answer: nothing lands.
        ASSERT_TRUE(Select(pane, {"tree"}));
        Action(UAT_DOWNLOAD);
        ASSERT_TRUE(WaitIdle());
        Server().ClearFaults();
    }
    for (const auto& entry : fs::recursive_directory_iterator(m_dir.path()))
        EXPECT_EQ(entry.path().string().find("escape"), std::string::npos) << entry.path();
    // Only the folder and its one usable file land, inside the destination,
    // once the five downloads of it are done (each passes through a
    // temporary file beside it).
    auto onlyTheUsableFile = [&] {
        for (const auto& entry : fs::recursive_directory_iterator(down.path()))
            if (!entry.is_directory() && entry.path() != down.path() + "/tree/ok.txt")
                return false;
        return qm_test::readFile(down.path() + "/tree/ok.txt") == "ok";
    };
    EXPECT_TRUE(WaitUntil(onlyTheUsableFile));
    for (const auto& entry : fs::recursive_directory_iterator(down.path()))
        EXPECT_TRUE(entry.is_directory() || entry.path() == down.path() + "/tree/ok.txt") << entry.path();
}

TEST_F(SitePaneListingTest, PanesClosedWithSelectionEditorAndPendingEvents)
{
    SiteWidget* first = Login();
    SiteWidget* second = Login();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(Open(first, Id(first, "/rw")));
    ASSERT_TRUE(Open(second, Id(second, "/rw")));
    m_host->showPane(first->peerId());
    ASSERT_TRUE(Select(first, {"a.txt"}));
    Action(UAT_RENAME);
    ASSERT_TRUE(first->detail()->tableView()->editor()->isVisible());
    // Answers held at the server: these events are still out when the panes go.
    test_server::Fault hold;
    hold.kind = test_server::Fault::HOLD;
    Server().SetFault("list", hold);
    emit first->connecter()->sigQueryPath(Id(first, "/rw"), false);
    emit second->connecter()->sigQueryPath(Id(second, "/rw"), false);
    const uint64_t first_peer = first->peerId();
    const int done = m_done_spy->count();
    m_host->closePane(first_peer);
    ASSERT_TRUE(Select(second, {"a.txt", "b.txt"}));
    Action(UAT_MKDIR);
    m_host->closePane(second->peerId());
    Server().ReleaseHeldAnswers();
    Server().ClearFaults();
    // Their results reach nobody; nobody removes the events of closed panes.
    ASSERT_TRUE(WaitUntil([&] { return m_done_spy->count() >= done + 2; }));
    QCoreApplication::processEvents();
    // The pop-up menus have no parent widget: the panes took them along.
    for (QWidget* widget : QApplication::allWidgets()) {
        EXPECT_EQ(qobject_cast<SiteSortMenu*>(widget), nullptr);
        EXPECT_EQ(qobject_cast<SiteFilterMenu*>(widget), nullptr);
        EXPECT_EQ(qobject_cast<SiteContextMenu*>(widget), nullptr);
    }
    std::vector<Event> left;
    EventManager::getInstance()->listEvent(left);
    EXPECT_EQ(left.size(), 2u);
    for (const Event& event : left)
        EventManager::getInstance()->removeEvent(event.id);
    EXPECT_EQ(m_host->pane(first_peer), nullptr);
}

}  // namespace
