// The user action cache and its selection record. One scenario per process:
// the cache is process-wide.
#include <gtest/gtest.h>

#include "user-action-cache.h"

namespace {

SiteSelectedInfo Selection(ViewMode mode, const QString& parent, const std::vector<QString>& names)
{
    SiteSelectedInfo info;
    info.view_mode = mode;
    info.parent = parent;
    for (const QString& name : names) {
        NodeInfo node;
        node.name = name;
        node.type = name.endsWith(".txt") ? FT_FILE : FT_DIR;
        info.children.push_back(node);
    }
    return info;
}

}  // namespace

TEST(CoreSelection, RootAndText)
{
    struct Row {
        QString parent;
        bool root;
    } rows[] = {{"", true}, {"12:", true}, {"12:/", false}, {"12:/photos", false}, {"a:", false}};
    for (const Row& row : rows) {
        SiteSelectedInfo info;
        info.parent = row.parent;
        EXPECT_EQ(info.isRoot(), row.root) << row.parent.toStdString();
    }
    EXPECT_EQ(Selection(VM_TREE, "0:/home", {"photos", "a.txt"}).toString(),
              "tree, parent: 0:/home, children: (photos [2], a.txt [1])");
    EXPECT_EQ(Selection(VM_OTHER, "0:/", {}).toString(), "list, parent: 0:/, children: ()");
    EXPECT_EQ(Selection(VM_TABLE, "1:/", {}).toString().left(5), "table");
}

TEST(CoreUserActionCache, FreshCacheHandsOutNothing)
{
    UserActionCache* cache = UserActionCache::getInstance();
    uint64_t peer = 0;
    SiteSelectedInfo info = Selection(VM_LIST, "x", {"y"});
    EXPECT_EQ(cache->getCopyInfo(peer, info), -1);
    EXPECT_EQ(cache->getDragInfo(peer, info), -1);
    EXPECT_EQ(cache->getSelectedInfoBySite(~uint64_t(0), info), -1);
    EXPECT_EQ(cache->getSelectedInfo(peer, info), 0);
    EXPECT_EQ(peer, ~uint64_t(0));
    EXPECT_TRUE(info.children.isEmpty());
    // getSelectedInfo left an empty entry for the no-site id behind.
    EXPECT_EQ(cache->getSelectedInfoBySite(~uint64_t(0), info), 0);
    // The selected site without an entry of its own counts as a tree.
    EXPECT_TRUE(cache->needCatchAction(~uint64_t(0), VM_TREE));
    EXPECT_FALSE(cache->needCatchAction(~uint64_t(0), VM_LIST));
}

TEST(CoreUserActionCache, CopyCutDragAndRename)
{
    UserActionCache* cache = UserActionCache::getInstance();
    uint64_t peer = 0;
    SiteSelectedInfo info;

    cache->updateSelectedInfo(4, Selection(VM_TABLE, "4:/s", {}));
    cache->keepCopyInfo(false);
    EXPECT_EQ(cache->getCopyInfo(peer, info), -1);  // an empty selection is nothing to paste

    cache->updateSelectedInfo(4, Selection(VM_TABLE, "4:/s", {"x", "a.txt", "x"}));
    EXPECT_TRUE(cache->needCatchAction(4, VM_TABLE));
    EXPECT_FALSE(cache->needCatchAction(5, VM_TABLE));
    cache->keepCopyInfo(true);
    cache->keepDragInfo();
    ASSERT_EQ(cache->getCopyInfo(peer, info), 0);
    EXPECT_EQ(peer, 4u);
    cache->cutFinished();
    EXPECT_TRUE(cache->isCutAction());
    EXPECT_EQ(cache->getCopyInfo(peer, info), -1);
    cache->keepCopyInfo(false);
    EXPECT_FALSE(cache->isCutAction());
    ASSERT_EQ(cache->getCopyInfo(peer, info), 0);  // a copy pastes again and again
    ASSERT_EQ(cache->getCopyInfo(peer, info), 0);

    cache->updateSelectedInfo(0, Selection(VM_LIST, "0:/a/x", {"k"}));
    cache->updateSelectedInfo(4, Selection(VM_TABLE, "4:/s", {"x", "a.txt", "x"}));
    cache->renameUserActionInfo(4, "4:/s", "x", "y");
    ASSERT_EQ(cache->getSelectedInfoBySite(4, info), 0);
    EXPECT_EQ(info.children[0].name, "y");
    EXPECT_EQ(info.children[2].name, "x");  // only the first match
    ASSERT_EQ(cache->getCopyInfo(peer, info), 0);
    EXPECT_EQ(info.children[0].name, "y");
    ASSERT_EQ(cache->getDragInfo(peer, info), 0);
    EXPECT_EQ(info.children[0].name, "x");  // a rename never touches the drag
    cache->renameUserActionInfo(0, "0:/a", "x", "z");  // parent 0:/a/x is not 0:/a
    ASSERT_EQ(cache->getSelectedInfoBySite(0, info), 0);
    EXPECT_EQ(info.parent, "0:/a/x");
}
