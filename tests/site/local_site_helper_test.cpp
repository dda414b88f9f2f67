#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

#include <filesystem>
#include <cstdlib>
#include <map>
#include <string>

#include "local-site-helper.h"
#include "local-volumes.h"
#include "protocol/proto-ui.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

const SiteFileInfo* find(const SiteFileList& list, const QString& name)
{
    for (const SiteFileInfo& info : list)
        if (info.name == name)
            return &info;
    return nullptr;
}

// Every path below root with its kind and, for files, content.
std::map<std::string, std::string> snapshot(const std::string& root)
{
    std::map<std::string, std::string> tree;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(entry.path(), root).string();
        if (entry.is_symlink())
            tree[rel] = "link:" + fs::read_symlink(entry.path()).string();
        else if (entry.is_directory())
            tree[rel] = "dir";
        else
            tree[rel] = "file:" + qm_test::readFile(entry.path().string());
    }
    return tree;
}

class LocalSiteHelperTest : public ::testing::Test {
protected:
    std::string path(const std::string& rel) const { return m_dir.file(rel); }

    qm_test::TempDir m_dir{"qm-site-local"};
    LocalSiteHelper m_helper{nullptr};
};

TEST_F(LocalSiteHelperTest, TopLevelIsTheRootTheHomeAndTheVolumes)
{
    // A home of the test's own, so that it is neither "/" nor a volume.
    const QByteArray old_home = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(path("home")));
    fs::create_directories(path("home"));
    bool is_dir = true;
    SiteFileList list;
    const int listed = m_helper.listNode("", is_dir, list);
    qputenv("HOME", old_home);
    ASSERT_EQ(listed, 0);
    EXPECT_TRUE(is_dir);  // untouched
    ASSERT_GE(list.size(), 2);
    EXPECT_EQ(list[0].name, "/");
    EXPECT_EQ(list[1].name, QString::fromStdString(path("home")));
    QStringList names;
    for (const SiteFileInfo& entry : list) {
        EXPECT_TRUE(entry.is_dir);
        EXPECT_EQ(entry.size, 0u);
        EXPECT_TRUE(entry.mtime.isNull());
        EXPECT_FALSE(entry.is_root || entry.is_shared_folder);
        EXPECT_TRUE(QFileInfo(entry.name).isDir()) << entry.name.toStdString();
        EXPECT_EQ(QDir::cleanPath(entry.name), entry.name);
        EXPECT_FALSE(names.contains(entry.name)) << entry.name.toStdString();
        names << entry.name;
    }
}

TEST(LocalVolumes, OnlyTheVolumesAUserKeepsFilesOn)
{
    struct Case {
        const char* root;
        const char* type;
        const char* device;
        bool shown;
    };
    const Case cases[] = {
        {"/media/ann/USB STICK", "vfat", "/dev/sdb1", true},
        {"/run/media/ann/disk", "exfat", "/dev/sdc1", true},
        {"/mnt/data", "ext4", "/dev/nvme0n1p3", true},
        {"/srv/files", "nfs4", "server:/export", true},
        {"/mnt/share", "cifs", "//server/share", true},
        {"/", "ext4", "/dev/vda", false},  // the root stands first by itself
        {"/proc", "proc", "proc", false},
        {"/sys/fs/cgroup", "cgroup2", "cgroup2", false},
        {"/dev/shm", "tmpfs", "tmpfs", false},
        {"/tmp", "tmpfs", "tmpfs", false},
        {"/mnt/tools", "tmpfs", "tools", false},
        {"/snap/core/1", "squashfs", "/dev/loop3", false},
        {"/boot/efi", "vfat", "/dev/sda1", false},
        {"/run/user/1000/doc", "fuse.portal", "portal", false},
        {"/var/lib/docker/x", "overlay", "overlay", false},
        {"/etc/hosts", "ext4", "/dev/vda", false},
        {"relative", "ext4", "/dev/sdd1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isUserVolume(QString::fromUtf8(c.root), c.type, c.device), c.shown) << c.root;
}

TEST_F(LocalSiteHelperTest, ConvertFromQFileInfoKeepsTheRootSlash)
{
    EXPECT_EQ(convertFromQFileInfo(QFileInfo("/")).name, "/");
    qm_test::writeFile(path("f.txt"), "12345");
    SiteFileInfo f = convertFromQFileInfo(QFileInfo(QString::fromStdString(path("f.txt"))));
    EXPECT_EQ(f.name, "f.txt");
    EXPECT_EQ(f.size, 5u);
    EXPECT_FALSE(f.is_dir);
}

TEST_F(LocalSiteHelperTest, ListsNamesOfEveryKind)
{
    const std::string nfc = "caf\xc3\xa9";
    const std::string nfd = "cafe\xcc\x81";
    const std::string not_utf8 = "bad\xff\xfename";
    const std::string emoji = "\xf0\x9f\x98\x80 smile";
    for (const std::string& name : {nfc, nfd, not_utf8, emoji, std::string("two  spaces "),
                                    std::string("back\\slash")})
        ASSERT_TRUE(qm_test::writeFile(path(name), "x")) << name;
    fs::create_directory(path("sub"));
    qm_test::writeFile(path("sub/big"), std::string(3000, 'b'));
    fs::create_directory_symlink(path("sub"), path("dirlink"));
    fs::create_symlink(path("gone"), path("dangling"));

    bool is_dir = false;
    SiteFileList list{SiteFileInfo()};
    ASSERT_EQ(m_helper.listNode(m_dir.path(), is_dir, list), 0);
    EXPECT_TRUE(is_dir);
    EXPECT_EQ(list.size(), 1 + 9);  // appended after what was there
    list.removeFirst();

    // Both normal forms stay as the disk has them; bytes that are not UTF-8
    // show as replacement characters instead of failing the listing.
    EXPECT_TRUE(find(list, QString::fromUtf8(nfc.c_str())));
    EXPECT_TRUE(find(list, QString::fromUtf8(nfd.c_str())));
    EXPECT_NE(QString::fromUtf8(nfc.c_str()), QString::fromUtf8(nfd.c_str()));
    EXPECT_TRUE(find(list, QString::fromUtf8(emoji.c_str())));
    EXPECT_TRUE(find(list, "two  spaces "));
    EXPECT_TRUE(find(list, "back\\slash"));
    EXPECT_TRUE(find(list, QString::fromUtf8(not_utf8.c_str())));

    const SiteFileInfo* sub = find(list, "sub");
    ASSERT_TRUE(sub);
    EXPECT_TRUE(sub->is_dir);
    EXPECT_EQ(sub->size, 0u);
    EXPECT_TRUE(sub->mtime.isValid());
    EXPECT_LE(std::llabs(sub->mtime.secsTo(QDateTime::currentDateTime())), 120);
    // Links are never folders, so no walk enters them.
    const SiteFileInfo* dirlink = find(list, "dirlink");
    ASSERT_TRUE(dirlink);
    EXPECT_FALSE(dirlink->is_dir);
    ASSERT_TRUE(find(list, "dangling"));
    EXPECT_FALSE(find(list, "dangling")->is_dir);

    SiteFileList inside;
    ASSERT_EQ(m_helper.listNode(path("sub"), is_dir, inside), 0);
    ASSERT_EQ(inside.size(), 1);
    EXPECT_EQ(inside[0].name, "big");
    EXPECT_EQ(inside[0].size, 3000u);

    // A link to a folder is not listed as one.
    SiteFileList via_link;
    ASSERT_EQ(m_helper.listNode(path("dirlink"), is_dir, via_link), 0);
    EXPECT_FALSE(is_dir);
    EXPECT_TRUE(via_link.isEmpty());
}

TEST_F(LocalSiteHelperTest, ListingAFileOrAMissingPath)
{
    qm_test::writeFile(path("f"), "x");
    bool is_dir = true;
    SiteFileList list;
    EXPECT_EQ(m_helper.listNode(path("f"), is_dir, list), 0);
    EXPECT_FALSE(is_dir);
    EXPECT_TRUE(list.isEmpty());

    is_dir = true;
    EXPECT_EQ(m_helper.listNode(path("missing"), is_dir, list), -1);
    EXPECT_TRUE(is_dir);
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(LocalSiteHelperTest, MkdirMakesParents)
{
    EXPECT_EQ(m_helper.mkdir(path("a/b/c")), 0);
    EXPECT_TRUE(fs::is_directory(path("a/b/c")));
    EXPECT_EQ(m_helper.mkdir(path("a/b/c")), 0);
    qm_test::writeFile(path("file"), "x");
    EXPECT_NE(m_helper.mkdir(path("file/sub")), 0);
}

TEST_F(LocalSiteHelperTest, RenameNeverReplaces)
{
    qm_test::writeFile(path("from"), "from");
    qm_test::writeFile(path("taken"), "taken");
    EXPECT_EQ(m_helper.rename(path("from"), path("taken")), ProtoUI::ERROR_RENAME_TARGET_EXISTS);
    EXPECT_EQ(qm_test::readFile(path("from")), "from");
    EXPECT_EQ(qm_test::readFile(path("taken")), "taken");

    // A dangling link is an existing name too.
    fs::create_symlink(path("nowhere"), path("link"));
    EXPECT_EQ(m_helper.rename(path("from"), path("link")), ProtoUI::ERROR_RENAME_TARGET_EXISTS);

    EXPECT_EQ(m_helper.rename(path("from"), path("to")), 0);
    EXPECT_FALSE(fs::exists(path("from")));
    EXPECT_EQ(qm_test::readFile(path("to")), "from");
    EXPECT_EQ(m_helper.rename(path("missing"), path("other")), -1);
}

TEST_F(LocalSiteHelperTest, RemoveGoesOnPastAFailure)
{
    for (const char* name : {"a", "c"})
        qm_test::writeFile(path(name), name);
    fs::create_directories(path("d/inner"));
    // A name too long for any file system fails even for root.
    const std::string too_long(300, 'x');
    EXPECT_EQ(m_helper.remove(m_dir.path(), {"a", too_long, "c"}), -1);
    EXPECT_FALSE(fs::exists(path("a")));
    EXPECT_FALSE(fs::exists(path("c")));

    // A name that is not there counts as removed; a folder goes whole.
    EXPECT_EQ(m_helper.remove(m_dir.path(), {"d", "not-there"}), 0);
    EXPECT_FALSE(fs::exists(path("d")));
}

TEST_F(LocalSiteHelperTest, RemoveRefusesNamesThatLeaveTheFolder)
{
    fs::create_directories(path("parent/child"));
    qm_test::writeFile(path("parent/keep"), "k");
    qm_test::writeFile(path("sibling"), "s");
    const auto before = snapshot(m_dir.path());
    for (const std::string& name : {std::string(), std::string("."), std::string(".."), std::string("child/..")})
        EXPECT_EQ(m_helper.remove(path("parent"), {name}), -1) << "'" << name << "'";
    EXPECT_EQ(snapshot(m_dir.path()), before);
}

TEST_F(LocalSiteHelperTest, CopiesAFileAndAFolderTree)
{
    fs::create_directories(path("src/d1/d2"));
    fs::create_directories(path("src/empty"));
    qm_test::writeFile(path("src/top.txt"), "top");
    qm_test::writeFile(path("src/d1/d2/deep.bin"), std::string(70000, 'z'));
    EXPECT_EQ(m_helper.copy(path("src/top.txt"), path("copy.txt")), 0);
    EXPECT_EQ(qm_test::readFile(path("copy.txt")), "top");

    EXPECT_EQ(m_helper.copy(path("src"), path("dst")), 0);
    EXPECT_EQ(snapshot(path("dst")), snapshot(path("src")));
}

TEST_F(LocalSiteHelperTest, FolderCopyWithAFailedEntryFails)
{
    fs::create_directories(path("src/sub"));
    qm_test::writeFile(path("src/sub/a"), "a");
    qm_test::writeFile(path("src/z"), "z");
    // The destination of sub is taken by a file: its folder cannot be made.
    fs::create_directories(path("dst"));
    qm_test::writeFile(path("dst/sub"), "in the way");
    EXPECT_NE(m_helper.copy(path("src"), path("dst")), 0);
}

TEST_F(LocalSiteHelperTest, FolderCopyOntoOrBelowItselfIsRefused)
{
    fs::create_directories(path("src/sub"));
    qm_test::writeFile(path("src/sub/a"), "a");
    const auto before = snapshot(m_dir.path());
    EXPECT_EQ(m_helper.copy(path("src"), path("src")), -1);
    EXPECT_EQ(m_helper.copy(path("src"), path("src/sub/copy")), -1);
    EXPECT_EQ(m_helper.copy(path("src/"), path("src/new")), -1);
    EXPECT_EQ(m_helper.copy(path("src"), path("src/sub/../copy")), -1);
    EXPECT_EQ(snapshot(m_dir.path()), before);
    // A sibling whose name starts the same is no child.
    EXPECT_EQ(m_helper.copy(path("src"), path("src2")), 0);
}

}  // namespace
