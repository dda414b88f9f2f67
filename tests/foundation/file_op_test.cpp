#include "file-op.h"

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "foundation/file_op_temp_tree.h"

namespace fs = std::filesystem;

namespace {

// A recognisable byte pattern, so a misplaced or missing block shows.
std::string pattern(size_t size)
{
    std::string text(size, '\0');
    for (size_t i = 0; i < size; ++i)
        text[i] = static_cast<char>((i * 131 + i / 4096) & 0xFF);
    return text;
}

struct FileSizeLimit {
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_old_handler = signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        signal(SIGXFSZ, m_old_handler);
    }
    rlimit m_saved;
    sighandler_t m_old_handler;
};

} // namespace

TEST(FileOpStat, DescribesEachKindOfObject)
{
    TempTree tree;
    tree.file("f.txt", "0123456789");
    tree.folder("d");
    tree.link("f.txt", "link");
    tree.link("missing-target", "dangling");
    ASSERT_EQ(mkfifo(tree.path("fifo").c_str(), 0600), 0);

    struct Case {
        const char* name;
        bool exists;
        FILE_TYPE type;
        uint64_t size;
    };
    const Case cases[] = {
        {"f.txt", true, FT_FILE, 10},
        {"d", true, FT_DIR, 0},
        {"link", true, FT_SLINK, 0},     // the link itself, not its target
        {"dangling", true, FT_SLINK, 0},
        {"fifo", true, FT_FIFO, 0},
        {"missing", false, FT_ERR, 0},
        {"f.txt/below", false, FT_ERR, 0}, // a file used as a folder
        {"F.TXT", false, FT_ERR, 0},       // names are exact
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FILE_INFO info;
        ASSERT_EQ(FSStat(tree.path(c.name).c_str(), info, true), 0);
        EXPECT_EQ(info.isExist, c.exists);
        EXPECT_EQ(IsFileExist(tree.path(c.name).c_str(), true), c.exists);
        if (c.exists) {
            EXPECT_EQ(info.type, c.type);
            EXPECT_EQ(info.size, c.size);
        }
    }

    FILE_INFO info;
    EXPECT_EQ(FSStat("", info, true), 0);
    EXPECT_FALSE(info.isExist);
    EXPECT_FALSE(IsFileExist("", false));
}

TEST(FileOpStat, ReportsTheResolvedPathWithoutFollowingTheObject)
{
    TempTree tree;
    tree.file("d/x.txt", "x");
    tree.link(tree.path("d"), "dlink");
    tree.link("x.txt", "d/xlink");
    const std::string real_root = fs::canonical(tree.root()).string();

    FILE_INFO info;
    ASSERT_EQ(FSStat((tree.root() + "/d/./../d//x.txt").c_str(), info, false), 0);
    EXPECT_STREQ(info.path.c_str_utf8(), (real_root + "/d/x.txt").c_str());
    ASSERT_EQ(FSStat((tree.root() + "/d//").c_str(), info, false), 0);
    EXPECT_STREQ(info.path.c_str_utf8(), (real_root + "/d").c_str());

    // A linked folder along the way is resolved, the link at the end is not.
    ASSERT_EQ(FSStat(tree.path("dlink/xlink").c_str(), info, false), 0);
    EXPECT_EQ(info.type, FT_SLINK);
    EXPECT_STREQ(info.path.c_str_utf8(), (real_root + "/d/xlink").c_str());
}

TEST(FileOpStat, EqualityIgnoresOwnerAndMode)
{
    FILE_INFO a;
    a.path = "/p";
    a.size = 3;
    FILE_INFO b = a;
    b.uid = 7;
    b.mode = 0600;
    EXPECT_TRUE(a == b);
    b.mtime = 1;
    EXPECT_TRUE(a != b);
}

TEST(FileOpTime, SetsModificationTimeInMicroseconds)
{
    TempTree tree;
    tree.file("f", "x");
    ASSERT_EQ(FSUTime(tree.path("f").c_str(), 0, 3500000), 0);
    struct stat st;
    ASSERT_EQ(stat(tree.path("f").c_str(), &st), 0);
    EXPECT_EQ(st.st_mtim.tv_sec, 3);
    EXPECT_EQ(st.st_mtim.tv_nsec, 500000000);

    FILE_INFO info;
    ASSERT_EQ(FSStat(tree.path("f").c_str(), info, true), 0);
    EXPECT_EQ(info.mtime, 3500000u);

    EXPECT_EQ(FSUTime(tree.path("missing").c_str(), 0, 0), -1);
    EXPECT_TRUE(FSTimeEqual(5, 5));
    EXPECT_FALSE(FSTimeEqual(5, 6));
}

TEST(FileOpCopy, CopiesAcrossTheBlockBoundaryAndReplacesTheDestination)
{
    TempTree tree;
    const std::string content = pattern(32 * 1024 * 1024 + 12345);
    tree.file("src.bin", content);
    tree.file("dst.bin", pattern(40 * 1024 * 1024)); // longer: must be cut

    ASSERT_EQ(FSCopy(tree.path("src.bin").c_str(), tree.path("dst.bin").c_str(), false), 0);
    EXPECT_TRUE(TempTree::read(tree.path("dst.bin")) == content);
    EXPECT_TRUE(TempTree::exists(tree.path("src.bin")));

    // A move keeps the data and drops the source.
    ASSERT_EQ(FSCopy(tree.path("dst.bin").c_str(), tree.path("moved.bin").c_str(), true), 0);
    EXPECT_FALSE(TempTree::exists(tree.path("dst.bin")));
    EXPECT_TRUE(TempTree::read(tree.path("moved.bin")) == content);

    tree.file("empty", "");
    ASSERT_EQ(FSCopy(tree.path("empty").c_str(), tree.path("empty-copy").c_str(), false), 0);
    EXPECT_EQ(fs::file_size(tree.path("empty-copy")), 0u);
}

TEST(FileOpCopy, CopiesFilesWhoseSizeIsNotKnownInAdvance)
{
    TempTree tree;
    // Generated content reports size 0 but has text.
    ASSERT_EQ(FSCopy("/proc/self/status", tree.path("status").c_str(), false), 0);
    EXPECT_NE(TempTree::read(tree.path("status")).find("Name:"), std::string::npos);
}

TEST(FileOpCopy, RefusesWhatCannotBeCopiedAndKeepsEverythingIntact)
{
    TempTree tree;
    tree.file("src", "source data");
    tree.folder("folder");
    tree.file("folder/inside", "keep");
    ASSERT_EQ(mkfifo(tree.path("fifo").c_str(), 0600), 0);
    tree.link("src", "src-link");

    // Missing source: nothing is created.
    EXPECT_EQ(FSCopy(tree.path("missing").c_str(), tree.path("out").c_str(), false), -1);
    EXPECT_FALSE(TempTree::exists(tree.path("out")));
    // A FIFO would block for ever.
    EXPECT_EQ(FSCopy(tree.path("fifo").c_str(), tree.path("out").c_str(), false), -1);
    EXPECT_FALSE(TempTree::exists(tree.path("out")));
    EXPECT_EQ(FSCopy(tree.path("src").c_str(), tree.path("fifo").c_str(), false), -1);
    EXPECT_TRUE(TempTree::exists(tree.path("fifo")));
    // A folder as destination stays as it was.
    EXPECT_EQ(FSCopy(tree.path("src").c_str(), tree.path("folder").c_str(), true), -1);
    EXPECT_EQ(TempTree::read(tree.path("folder/inside")), "keep");
    EXPECT_TRUE(TempTree::exists(tree.path("src")));
    // Onto itself, directly or through a link: truncating would lose the data.
    EXPECT_EQ(FSCopy(tree.path("src").c_str(), tree.path("src").c_str(), false), -1);
    EXPECT_EQ(FSCopy(tree.path("src").c_str(), tree.path("src-link").c_str(), true), -1);
    EXPECT_EQ(TempTree::read(tree.path("src")), "source data");
}

TEST(FileOpCopy, FullDiskGivesMinusTwoAndLeavesTheDevice)
{
    if (access("/dev/full", W_OK) != 0)
        GTEST_SKIP() << "no /dev/full";
    TempTree tree;
    tree.file("src", pattern(1024 * 1024));
    EXPECT_EQ(FSCopy(tree.path("src").c_str(), "/dev/full", true), -2);
    EXPECT_TRUE(TempTree::exists("/dev/full"));
    EXPECT_TRUE(TempTree::exists(tree.path("src")));
}

TEST(FileOpCopy, FailedWriteRemovesThePartialDestination)
{
    TempTree tree;
    tree.file("src", pattern(3 * 1024 * 1024));
    tree.file("dst", "old content");
    int rc;
    {
        FileSizeLimit limit(1024 * 1024);
        rc = FSCopy(tree.path("src").c_str(), tree.path("dst").c_str(), true);
    }
    EXPECT_EQ(rc, -1);
    EXPECT_FALSE(TempTree::exists(tree.path("dst")));
    EXPECT_EQ(fs::file_size(tree.path("src")), 3u * 1024 * 1024);
}

TEST(FileOpRename, MovesAndReplaces)
{
    TempTree tree;
    tree.file("a", "new");
    tree.file("b", "old");
    tree.file("d/inner", "i");

    EXPECT_EQ(FSRename(tree.path("a").c_str(), tree.path("b").c_str(), true), 0);
    EXPECT_FALSE(TempTree::exists(tree.path("a")));
    EXPECT_EQ(TempTree::read(tree.path("b")), "new");

    EXPECT_EQ(FSRename(tree.path("d").c_str(), tree.path("e").c_str(), true), 0);
    EXPECT_EQ(TempTree::read(tree.path("e/inner")), "i");
}

TEST(FileOpRename, FailuresLeaveBothNames)
{
    TempTree tree;
    tree.file("a", "a");
    tree.file("full/x", "x");

    EXPECT_EQ(FSRename(tree.path("missing").c_str(), tree.path("z").c_str(), true), -1);
    EXPECT_EQ(FSRename(tree.path("A").c_str(), tree.path("z").c_str(), true), -1);
    // A file does not replace a folder.
    EXPECT_EQ(FSRename(tree.path("a").c_str(), tree.path("full").c_str(), true), -1);
    EXPECT_EQ(TempTree::read(tree.path("full/x")), "x");
    EXPECT_EQ(FSRename(tree.path("a").c_str(), tree.path(std::string(300, 'n')).c_str(), true), -100);
    EXPECT_EQ(TempTree::read(tree.path("a")), "a");
}

TEST(FileOpRemove, RemovesFilesAndWholeTreesButNeverLinkTargets)
{
    TempTree tree;
    tree.file("outside/keep.txt", "keep");
    tree.file("t/a.txt", "a");
    tree.file("t/sub/deeper/b.txt", "b");
    tree.folder("t/sub/empty");
    tree.link(tree.path("outside"), "t/sub/to-outside");
    tree.link(tree.path("outside/keep.txt"), "t/file-link");
    ASSERT_EQ(mkfifo(tree.path("t/sub/fifo").c_str(), 0600), 0);
    tree.link(tree.path("outside/keep.txt"), "top-link");

    EXPECT_EQ(FSRemove(tree.path("t").c_str()), 0);
    EXPECT_FALSE(TempTree::exists(tree.path("t")));
    EXPECT_EQ(TempTree::read(tree.path("outside/keep.txt")), "keep");

    // A link on its own goes, its target stays.
    EXPECT_EQ(FSRemove(tree.path("top-link").c_str()), 0);
    EXPECT_FALSE(TempTree::exists(tree.path("top-link")));
    EXPECT_TRUE(TempTree::exists(tree.path("outside/keep.txt")));

    EXPECT_EQ(FSRemove(tree.path("outside/keep.txt").c_str()), 0);
    EXPECT_FALSE(TempTree::exists(tree.path("outside/keep.txt")));
    EXPECT_EQ(FSRemove(tree.path("nothing-here").c_str()), 0);
    EXPECT_EQ(FSRemove(""), -1);
}

TEST(FileOpMkdir, CreatesFoldersAndRefusesOtherObjects)
{
    TempTree tree;
    tree.file("file", "f");
    tree.folder("real");
    tree.link(tree.path("real"), "dir-link");

    struct Case {
        const char* path;
        bool parents;
        int result;
        bool folder_after;
    };
    const Case cases[] = {
        {"new", false, 0, true},
        {"new", false, 0, true},         // already there
        {"file", false, -1, false},      // a file is not a folder
        {"file", true, -1, false},
        {"file/sub", true, -1, false},
        {"a/b/c", false, -1, false},     // missing parents
        {"a/b/c", true, 0, true},
        {"a/b/c/", true, 0, true},
        {"dir-link/inner", true, 0, true}, // a linked folder serves as a folder
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + (c.parents ? " with parents" : ""));
        EXPECT_EQ(FSMKDir(tree.path(c.path).c_str(), c.parents), c.result);
        EXPECT_EQ(fs::is_directory(tree.path(c.path)), c.folder_after);
    }
    EXPECT_EQ(TempTree::read(tree.path("file")), "f");
    EXPECT_EQ(FSMKDir("", false), -1);
    EXPECT_EQ(FSMKDir("", true), -1);
}

TEST(FileOpMkdir, ForcedCreationReplacesFilesButNotLinkedFolders)
{
    TempTree tree;
    tree.file("x/y", "in the way");
    tree.folder("real");
    tree.file("real/keep", "k");
    tree.link(tree.path("real"), "dir-link");

    EXPECT_EQ(FSMKDirP(tree.path("x/y/z").c_str(), nullptr, true, -1, -1, 0), 0);
    EXPECT_TRUE(fs::is_directory(tree.path("x/y/z")));
    EXPECT_EQ(FSMKDirP(tree.path("dir-link/new").c_str(), nullptr, true, -1, -1, 0), 0);
    EXPECT_EQ(TempTree::read(tree.path("real/keep")), "k");
    EXPECT_TRUE(fs::is_directory(tree.path("real/new")));
}

TEST(FileOpMkdir, FromRootCreatesTheLevelsBelowTheRoot)
{
    TempTree tree;
    EXPECT_EQ(FSMKDirFromRoot((tree.root() + "/p/q/r").c_str(), tree.root().c_str()), 0);
    EXPECT_TRUE(fs::is_directory(tree.path("p/q/r")));
    EXPECT_EQ(FSMKDirFromRoot(tree.path("sssssssss/t").c_str(), (tree.root() + "-other").c_str()), -1);
    EXPECT_EQ(FSMKDirFromRoot("/a", "/a/b/c"), -1);
    EXPECT_FALSE(TempTree::exists(tree.path("sssssssss")));
}

TEST(FileOpListing, ReadsEveryEntryWithTypesAndOptionalDetails)
{
    TempTree tree;
    tree.file("f", "12345");
    tree.folder("d");
    tree.link("f", "l");
    ASSERT_EQ(utimensat(AT_FDCWD, tree.path("f").c_str(),
                        std::vector<timespec>{{0, UTIME_OMIT}, {7, 250000000}}.data(), 0),
              0);

    for (int flag : {0, DIR_FLAG_WITH_STAT}) {
        SCOPED_TRACE(flag);
        DIR_HANDLE dh;
        ASSERT_EQ(FSOpenDir(tree.root().c_str(), flag, dh), 0);
        std::set<std::string> names;
        DIR_ENTRY entry;
        int rc;
        while ((rc = FSReadDir(dh, entry)) == 1) {
            names.insert(entry.name.c_str_utf8());
            const std::string name = entry.name.c_str_utf8();
            if (name == "f") {
                EXPECT_EQ(entry.type, FT_FILE);
                EXPECT_EQ(entry.size, flag ? 5u : 0u);
                EXPECT_EQ(entry.mtime, flag ? 7250000u : 0u);
            } else if (name == "d") {
                EXPECT_EQ(entry.type, FT_DIR);
                EXPECT_EQ(entry.size, 0u);
            } else if (name == "l") {
                EXPECT_EQ(entry.type, FT_SLINK);
            }
        }
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(names, (std::set<std::string>{".", "..", "f", "d", "l"}));
        FSCloseDir(dh);
        EXPECT_TRUE(dh.path.empty());
        EXPECT_EQ(FSReadDir(dh, entry), -1);
    }

    DIR_HANDLE missing;
    FSOpenDir(tree.path("nope").c_str(), 1, missing);
    DIR_ENTRY entry;
    EXPECT_EQ(FSReadDir(missing, entry), -1);
    FSCloseDir(missing);
    DIR_HANDLE empty_path;
    FSOpenDir("", 0, empty_path);
    EXPECT_EQ(FSReadDir(empty_path, entry), -1);
}

TEST(FileOpPaths, ParentFolderTable)
{
    struct Case {
        const char* parent;
        const char* child;
        bool expected;
    };
    const Case cases[] = {
        {"a/b", "a/bc", false}, {"a/b", "a/b/c", true}, {"a/b", "a/b", true},
        {"a/b/c", "a/b", false}, {"", "/x", true},     {"", "", true},
        {"", "x", false},       {"a/b", "a/c/d", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FSIsParentFolder(c.parent, c.child), c.expected) << c.parent << " / " << c.child;
}

TEST(FileOpTemp, MakesNewEmptyFilesNamedAfterThePrefix)
{
    TempTree tree;
    const std::string prefix = tree.path("dl.txt");
    ustring first, second;
    ASSERT_EQ(FSMktemp(prefix.c_str(), first), 0);
    ASSERT_EQ(FSMktemp(prefix.c_str(), second), 0);
    EXPECT_NE(std::string(first.c_str_utf8()), std::string(second.c_str_utf8()));
    for (const ustring& made : {first, second}) {
        const std::string name = made.c_str_utf8();
        EXPECT_EQ(name.rfind(prefix + "-", 0), 0u) << name;
        EXPECT_EQ(name.size(), prefix.size() + 1 + 8 + 7) << name;
        EXPECT_EQ(name.substr(name.size() - 7), ".vexofm");
        EXPECT_EQ(fs::file_size(name), 0u);
    }

    ustring chosen;
    ASSERT_EQ(FSCreateTempPath(prefix.c_str(), chosen), 0);
    EXPECT_FALSE(TempTree::exists(chosen.c_str_utf8()));
    EXPECT_EQ(FSMktemp(tree.path("no/such/folder/x").c_str(), chosen), -1);
}

TEST(FileOpProbes, LockedOnlyWhileAnotherHolderLocksTheFile)
{
    TempTree tree;
    tree.file("f", "data");
    EXPECT_FALSE(isFileLocked(tree.path("f").c_str(), FILE_ACCESS_READ | FILE_ACCESS_WRITE));
    EXPECT_TRUE(hasFilePermission(tree.path("f").c_str(), FILE_ACCESS_WRITE));

    const int holder = open(tree.path("f").c_str(), O_RDWR);
    ASSERT_GE(holder, 0);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(fcntl(holder, F_OFD_SETLK, &lock), 0);
    EXPECT_TRUE(isFileLocked(tree.path("f").c_str(), FILE_ACCESS_READ));
    close(holder);
    EXPECT_FALSE(isFileLocked(tree.path("f").c_str(), FILE_ACCESS_READ));

    // A missing file is neither locked nor forbidden: opening fails otherwise.
    EXPECT_FALSE(isFileLocked(tree.path("missing").c_str(), FILE_ACCESS_READ));
    EXPECT_TRUE(hasFilePermission(tree.path("missing").c_str(), FILE_ACCESS_READ));
    EXPECT_FALSE(isMountPoint(tree.root().c_str()));
    EXPECT_FALSE(IsMSDOS(tree.root().c_str()));
    EXPECT_EQ(FSInit(tree.root().c_str()), 0);
    EXPECT_EQ(FSInit(tree.path("missing").c_str()), -1);
}
