#include "fs-walk.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/descriptor_exhaustion.h"
#include "foundation/file_op_temp_tree.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> texts(const std::vector<ustring>& paths)
{
    std::vector<std::string> out;
    for (const ustring& p : paths)
        out.push_back(p.c_str_utf8());
    return out;
}

size_t indexOf(const std::vector<std::string>& visits, const std::string& path)
{
    return static_cast<size_t>(std::find(visits.begin(), visits.end(), path) - visits.begin());
}

// Collects visits and can fail on one chosen path.
class RecordingHandler : public TraverseWithExceptionPathHandler {
public:
    int Handle(const ustring& path) override
    {
        visits.push_back(path.c_str_utf8());
        return path == fail_on ? -1 : 0;
    }
    std::vector<std::string> visits;
    ustring fail_on = "never";
};

} // namespace

class FsWalkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("a.txt", "0123456789");
        tree.file("d/b.txt", "01234");
        tree.folder("d/empty");
    }

    std::vector<std::string> walk(int flag, int expected_rc = 0)
    {
        std::vector<ustring> paths;
        PathTraverser traverser;
        traverser.SetBaseDir(tree.root().c_str());
        traverser.setContainer(&paths);
        EXPECT_EQ(TraverseDir(traverser, flag), expected_rc);
        return texts(paths);
    }

    TempTree tree;
};

TEST_F(FsWalkTest, PreOrderHandlesEachFolderBeforeItsEntries)
{
    const std::vector<std::string> visits = walk(0);
    std::vector<std::string> sorted = visits;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (std::vector<std::string>{"", "/a.txt", "/d", "/d/b.txt", "/d/empty"}));
    EXPECT_EQ(visits.front(), "");
    EXPECT_LT(indexOf(visits, "/d"), indexOf(visits, "/d/b.txt"));
    EXPECT_LT(indexOf(visits, "/d"), indexOf(visits, "/d/empty"));
}

TEST_F(FsWalkTest, PostOrderHandlesEachFolderAfterItsEntries)
{
    const std::vector<std::string> visits = walk(DO_DFS);
    ASSERT_EQ(visits.size(), 5u);
    EXPECT_EQ(visits.back(), "");
    EXPECT_GT(indexOf(visits, "/d"), indexOf(visits, "/d/b.txt"));
    EXPECT_GT(indexOf(visits, "/d"), indexOf(visits, "/d/empty"));
}

TEST_F(FsWalkTest, ExceptionsSkipWholeSubtreesByExactRelativePath)
{
    RecordingHandler handler;
    handler.SetBaseDir(tree.root().c_str());
    handler.AddException("/d");
    handler.AddException("a.txt"); // without the leading "/" it matches nothing
    ASSERT_EQ(TraverseDir(handler, 0), 0);
    std::sort(handler.visits.begin(), handler.visits.end());
    EXPECT_EQ(handler.visits, (std::vector<std::string>{"", "/a.txt"}));
}

TEST_F(FsWalkTest, LinksToFoldersAreVisitedButNeverEntered)
{
    tree.link(tree.path("d"), "dlink");
    const std::vector<std::string> visits = walk(0);
    EXPECT_NE(indexOf(visits, "/dlink"), visits.size());
    EXPECT_EQ(indexOf(visits, "/dlink/b.txt"), visits.size());
}

TEST_F(FsWalkTest, SubFolderWalkUsesRelativePaths)
{
    std::vector<ustring> paths;
    PathTraverser traverser;
    traverser.SetBaseDir(tree.root().c_str());
    traverser.setContainer(&paths);
    ASSERT_EQ(TraverseDir("/d", traverser, 0), 0);
    std::vector<std::string> visits = texts(paths);
    std::sort(visits.begin(), visits.end());
    EXPECT_EQ(visits, (std::vector<std::string>{"/d", "/d/b.txt", "/d/empty"}));
}

TEST_F(FsWalkTest, BadBaseFoldersFailWithoutAnyVisit)
{
    const std::string bases[] = {"", tree.path("a.txt"), tree.path("missing"), tree.path("D")};
    for (const std::string& base : bases) {
        SCOPED_TRACE(base);
        RecordingHandler handler;
        handler.SetBaseDir(base.c_str());
        EXPECT_EQ(TraverseDir(handler, 0), -1);
        EXPECT_EQ(TraverseDir(handler, DO_DFS), -1);
        EXPECT_TRUE(handler.visits.empty());
    }

    PathTraverser without_container;
    without_container.SetBaseDir(tree.root().c_str());
    EXPECT_EQ(TraverseDir(without_container, 0), -1);
}

TEST_F(FsWalkTest, EmptyBaseFolderGetsOneVisit)
{
    tree.folder("d/empty");
    RecordingHandler handler;
    handler.SetBaseDir(tree.path("d/empty").c_str());
    EXPECT_EQ(TraverseDir(handler, 0), 0);
    EXPECT_EQ(handler.visits, (std::vector<std::string>{""}));
}

TEST_F(FsWalkTest, FailureStopsTheWalkButPostOrderStillReachesTheFoldersAbove)
{
    RecordingHandler handler;
    handler.SetBaseDir(tree.root().c_str());
    handler.fail_on = "/d/b.txt";
    EXPECT_EQ(TraverseDir(handler, DO_DFS), -1);
    EXPECT_EQ(handler.visits.back(), "");
    EXPECT_NE(indexOf(handler.visits, "/d"), handler.visits.size());

    // Pre-order: a failing folder visit keeps its entries from being visited.
    RecordingHandler pre;
    pre.SetBaseDir(tree.root().c_str());
    pre.fail_on = "/d";
    EXPECT_EQ(TraverseDir(pre, 0), -1);
    EXPECT_EQ(indexOf(pre.visits, "/d/b.txt"), pre.visits.size());
}

// A folder that cannot be opened (here: one descriptor is left, which the
// base folder takes) fails the walk instead of passing for empty.
TEST_F(FsWalkTest, UnreadableFolderFailsTheWalk)
{
    RecordingHandler handler;
    handler.SetBaseDir(tree.root().c_str());
    int rc;
    {
        DescriptorExhaustion exhaustion(1);
        ASSERT_TRUE(exhaustion.limited());
        rc = TraverseDir(handler, 0);
    }
    EXPECT_EQ(rc, -1);
    EXPECT_EQ(indexOf(handler.visits, "/d/b.txt"), handler.visits.size());
}

TEST_F(FsWalkTest, SizeCounterAddsFileSizesOnly)
{
    tree.link(tree.path("a.txt"), "d/link-to-a");
    FolderSizeCounter counter;
    counter.SetBaseDir(tree.root().c_str());
    ASSERT_EQ(TraverseDir(counter, 0), 0);
    EXPECT_EQ(counter.GetSize(), 15u);
}

TEST_F(FsWalkTest, DuplicatorCopiesTheTreeIntoNewAndExistingFolders)
{
    TempTree target;
    target.file("copy/d/b.txt", "stale content that is longer");
    FSDuplicator duplicator;
    duplicator.SetBaseDir(tree.root().c_str());
    duplicator.SetDestinationDir(target.path("deep/copy").c_str());
    ASSERT_EQ(TraverseDir(duplicator, 0), 0);
    EXPECT_EQ(TempTree::read(target.path("deep/copy/a.txt")), "0123456789");
    EXPECT_EQ(TempTree::read(target.path("deep/copy/d/b.txt")), "01234");
    EXPECT_TRUE(fs::is_directory(target.path("deep/copy/d/empty")));

    FSDuplicator onto_existing;
    onto_existing.SetBaseDir(tree.path("d").c_str());
    onto_existing.SetDestinationDir(target.path("copy/d").c_str());
    ASSERT_EQ(TraverseDir(onto_existing, 0), 0);
    EXPECT_EQ(TempTree::read(target.path("copy/d/b.txt")), "01234");
}

TEST_F(FsWalkTest, DuplicatorStopsAtAnUnreadableFile)
{
    tree.link("nowhere", "d/broken");
    TempTree target;
    FSDuplicator duplicator;
    duplicator.SetBaseDir(tree.root().c_str());
    duplicator.SetDestinationDir(target.path("out").c_str());
    EXPECT_EQ(TraverseDir(duplicator, 0), -1);
    EXPECT_TRUE(fs::is_directory(target.path("out/d")));
    EXPECT_FALSE(TempTree::exists(target.path("out/d/broken")));
}

TEST_F(FsWalkTest, RemoverPostOrderRemovesTheWholeTree)
{
    FSRemover remover;
    remover.SetBaseDir(tree.root().c_str());
    EXPECT_EQ(TraverseDir(remover, DO_DFS), 0);
    EXPECT_FALSE(TempTree::exists(tree.root()));
}
