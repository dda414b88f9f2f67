#include <atomic>
#include <filesystem>
#include <thread>

#include <QStringList>

#include "db-util.h"
#include "log-db.h"
#include "remote_site_fixture.h"
#include "share_store.h"
#include "site-entry-name.h"
#include "site-info-manager.h"

namespace fs = std::filesystem;

namespace {

using test_server::Fault;

QStringList names(const SiteFileList& list)
{
    QStringList out;
    for (const SiteFileInfo& info : list)
        out << info.name;
    return out;
}

const SiteFileInfo* find(const SiteFileList& list, const QString& name)
{
    for (const SiteFileInfo& info : list)
        if (info.name == name)
            return &info;
    return nullptr;
}

PObject Node(const std::string& name, bool is_dir = false)
{
    PObject node;
    node["name"] = name;
    node["is_dir"] = uint64_t(is_dir ? 1 : 0);
    node["mtime"] = uint64_t(1418000000);
    node["size"] = uint64_t(7);
    return node;
}

// A logged-in helper of a logged-in site.
class RemoteSiteHelperTest : public RemoteSiteTest {
protected:
    void SetUp() override
    {
        m_peer = LoggedInSite();
        m_helper = Helper(m_peer);
        ASSERT_EQ(m_helper->auth(), 0);
    }

    uint64_t m_peer = 0;
    std::unique_ptr<RemoteSiteHelper> m_helper;
};

TEST_F(RemoteSiteHelperTest, TopLevelListsTheAccessibleShares)
{
    SiteFileInfo existing;
    existing.name = "already here";
    SiteFileList list{existing};
    bool is_dir = false;
    ASSERT_EQ(m_helper->listNode("", is_dir, list), 0);
    EXPECT_FALSE(is_dir);  // untouched
    EXPECT_EQ(names(list), (QStringList{"already here", "docs", "public"}));
    for (int i = 1; i < list.size(); ++i) {
        EXPECT_TRUE(list[i].is_shared_folder);
        EXPECT_TRUE(list[i].is_dir);
        EXPECT_FALSE(list[i].is_root);
        EXPECT_EQ(list[i].size, 0u);
        EXPECT_TRUE(list[i].mtime.isNull());
    }
}

TEST_F(RemoteSiteHelperTest, ListsFoldersAndFiles)
{
    SiteFileList list;
    bool is_dir = false;
    ASSERT_EQ(m_helper->listNode("/docs", is_dir, list), 0);
    EXPECT_TRUE(is_dir);
    const SiteFileInfo* a = find(list, "a.txt");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->size, 5u);
    EXPECT_FALSE(a->is_dir || a->is_shared_folder || a->is_root);
    EXPECT_TRUE(a->mtime.isValid());
    const SiteFileInfo* sub = find(list, "sub");
    ASSERT_TRUE(sub);
    EXPECT_TRUE(sub->is_dir);
    EXPECT_EQ(sub->size, 0u);

    SiteFileList deeper{list};
    ASSERT_EQ(m_helper->listNode("/docs/sub", is_dir, deeper), 0);
    EXPECT_EQ(deeper.size(), list.size() + 1);  // appended
    EXPECT_EQ(deeper.last().name, "b.bin");
    EXPECT_EQ(deeper.last().size, 3u);

    SiteFileList of_file;
    ASSERT_EQ(m_helper->listNode("/docs/a.txt", is_dir, of_file), 0);
    EXPECT_FALSE(is_dir);

    SiteFileList denied;
    EXPECT_EQ(m_helper->listNode("/secret", is_dir, denied), ProtoUI::ERROR_LIST_NODE_NO_PERM);
    EXPECT_TRUE(denied.isEmpty());
}

// Over the wire the control client leaves such entries out of a folder's
// listing and refuses a share list holding one; whatever the layer that stops
// them, a hostile name never reaches the listing.
TEST_F(RemoteSiteHelperTest, ServerNamesThatLeaveTheFolderNeverReachTheListing)
{
    SiteFileInfo existing;
    existing.name = "kept";
    for (const std::string& bad : {std::string(".."), std::string("."), std::string(""), std::string("a/b"),
                                   std::string("/abs"), std::string("nul\0x", 5)}) {
        PObject answer;
        answer["type"] = "list";
        answer["is_dir"] = uint64_t(1);
        PObject::array_type& nodes = answer["node_list"].asArray();
        nodes.push_back(Node("good"));
        nodes.push_back(Node(bad));
        Server().SetFault("list", Fault{Fault::REPLACE, 0, "", answer});
        std::unique_ptr<RemoteSiteHelper> helper = Helper(m_peer);
        ASSERT_EQ(helper->auth(), 0);
        SiteFileList list{existing};
        bool is_dir = false;
        const int result = helper->listNode("/docs", is_dir, list);
        EXPECT_EQ(result, 0) << "the control client leaves '" << bad << "' out, the rest is listed";
        EXPECT_EQ(names(list), (QStringList{"kept", "good"})) << bad;

        PObject shares;
        shares["type"] = "list_share";
        PObject share;
        share["name"] = bad;
        share["mounted_path"] = "/volume1/x";
        share["priv"] = "rw";
        shares["share_list"].asArray().push_back(share);
        Server().SetFault("list_share", Fault{Fault::REPLACE, 0, "", shares});
        SiteFileList top;
        helper->listNode("", is_dir, top);
        EXPECT_TRUE(top.isEmpty()) << bad;
    }
}

TEST(RemoteEntriesTest, NamesOfNoSingleItemAreDropped)
{
    std::vector<ProtoUI::Node> nodes;
    for (const std::string& name : {std::string("good"), std::string(".."), std::string("."), std::string(""),
                                    std::string("a/b"), std::string("/abs"), std::string("nul\0x", 5),
                                    std::string("..."), std::string("dir")}) {
        ProtoUI::Node node;
        node.name = name;
        node.is_dir = name == "dir";
        node.size = 7;
        node.mtime = 1418000000;
        nodes.push_back(node);
    }
    SiteFileInfo existing;
    existing.name = "kept";
    SiteFileList list{existing};
    EXPECT_EQ(appendNodeEntries(nodes, "/docs", list), 6);
    EXPECT_EQ(names(list), (QStringList{"kept", "good", "...", "dir"}));
    EXPECT_EQ(list[1].size, 7u);
    EXPECT_EQ(list[3].size, 0u);  // a folder has no size, whatever the server said
    EXPECT_TRUE(list[3].is_dir);
    EXPECT_EQ(list[1].mtime.toSecsSinceEpoch(), 1418000000);

    std::vector<ProtoUI::Share> shares = {{"ok", "/v/ok"}, {"..", "/v"}, {"x/y", "/v/x"}, {"", "/v/e"},
                                          {std::string("n\0", 2), "/v/n"}};
    SiteFileList top;
    EXPECT_EQ(appendShareEntries(shares, top), 4);
    ASSERT_EQ(names(top), (QStringList{"ok"}));
    EXPECT_TRUE(top[0].is_shared_folder && top[0].is_dir);
    EXPECT_TRUE(top[0].mtime.isNull());
}

TEST_F(RemoteSiteHelperTest, ChangesWriteRowsWithThePathsAsGiven)
{
    ASSERT_EQ(m_helper->mkdir("/docs/new"), 0);
    EXPECT_TRUE(fs::is_directory(Docs("/new")));
    ASSERT_EQ(m_helper->mkdir("docs/plain"), 0);
    EXPECT_TRUE(fs::is_directory(Docs("/plain")));
    ASSERT_EQ(m_helper->rename("/docs/a.txt", "/docs/renamed.txt"), 0);
    EXPECT_TRUE(fs::exists(Docs("/renamed.txt")));
    ASSERT_EQ(m_helper->copy("/docs/renamed.txt", "/public/copy.txt"), ProtoUI::ERROR_COPY_NO_PERM);
    ASSERT_EQ(m_helper->copy("/docs/sub", "/docs/new/sub-copy"), 0);
    EXPECT_EQ(qm_test::readFile(Docs("/new/sub-copy/b.bin")), "xyz");
    ASSERT_EQ(m_helper->remove("/docs", {"plain"}), 0);
    EXPECT_FALSE(fs::exists(Docs("/plain")));

    struct Expected {
        int type;
        std::string first;
        std::string second;
    };
    const std::vector<Expected> expected = {
        {LOG_LOGIN, "", ""},
        {LOG_MKDIR, "/docs/new", ""},
        {LOG_MKDIR, "/docs/plain", ""},
        {LOG_RENAME, "/docs/a.txt", "/docs/renamed.txt"},
        {LOG_COPY, "/docs/sub", "/docs/new/sub-copy"},
        {LOG_REMOVE, "/docs/plain", ""},
    };
    std::vector<MiscLog> rows = Rows();
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].type, static_cast<uint32_t>(expected[i].type)) << i;
        EXPECT_EQ(rows[i].ip, "localhost") << i;
        EXPECT_EQ(rows[i].username, "alice") << i;
        EXPECT_EQ(rows[i].s_arg[0], expected[i].first) << i;
        EXPECT_EQ(rows[i].s_arg[1], expected[i].second) << i;
    }

    // The rows are found again by path.
    MiscLogFilter filter;
    filter.search_string = "/docs/new";
    std::vector<MiscLog> found;
    unsigned int total = 0;
    ASSERT_EQ(LogDB::searchLog(filter, found, total), 0);
    EXPECT_EQ(total, 2u);
}

TEST_F(RemoteSiteHelperTest, RemoveStopsAtTheFirstFailure)
{
    qm_test::writeFile(Docs("/a"), "a");
    qm_test::writeFile(Docs("/c"), "c");
    EXPECT_EQ(m_helper->remove("/docs", {"a", "b", "c"}), ProtoUI::ERROR_REMOVE);
    EXPECT_FALSE(fs::exists(Docs("/a")));
    EXPECT_TRUE(fs::exists(Docs("/c")));
    EXPECT_EQ(Server().LastRequest("remove")["path"].asString(), "/b");
    std::vector<MiscLog> rows = Rows(LOG_REMOVE);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].s_arg[0], "/docs/a");
}

TEST_F(RemoteSiteHelperTest, RemoveRefusesNamesThatLeaveTheFolder)
{
    qm_test::writeFile(Docs("/ok"), "ok");
    for (const std::string& bad : {std::string(""), std::string("."), std::string(".."), std::string("sub/b.bin")}) {
        EXPECT_EQ(m_helper->remove("/docs", {"ok", bad}), ProtoUI::ERROR_INVALID_ARGUMENT) << bad;
    }
    EXPECT_TRUE(fs::exists(Docs("/ok")));
    EXPECT_TRUE(fs::exists(Docs("/sub/b.bin")));
    EXPECT_TRUE(Server().LastRequest("remove").isNull());
    EXPECT_TRUE(Rows(LOG_REMOVE).empty());
}

TEST_F(RemoteSiteHelperTest, RefusedChangesWriteNoRow)
{
    qm_test::writeFile(Docs("/taken"), "t");
    EXPECT_EQ(m_helper->rename("/docs/a.txt", "/docs/taken"), ProtoUI::ERROR_RENAME_TARGET_EXISTS);
    EXPECT_EQ(qm_test::readFile(Docs("/taken")), "t");
    EXPECT_EQ(m_helper->mkdir("/public/new"), ProtoUI::ERROR_MKDIR_NO_PERM);
    EXPECT_FALSE(fs::exists(m_dir.file("public/new")));
    EXPECT_EQ(Rows().size(), 1u);  // the login's
}

TEST_F(RemoteSiteHelperTest, ClosedSiteGetsNoChangeMade)
{
    SiteInfoManager::getInstance()->removeSiteInfo(m_peer);
    EXPECT_EQ(m_helper->mkdir("/docs/late"), -1);
    EXPECT_EQ(m_helper->rename("/docs/a.txt", "/docs/late.txt"), -1);
    EXPECT_EQ(m_helper->copy("/docs/a.txt", "/docs/late.txt"), -1);
    EXPECT_EQ(m_helper->remove("/docs", {"a.txt"}), -1);
    EXPECT_EQ(m_helper->setUdp(), -1);
    for (const char* action : {"mkdir", "rename", "copy", "remove", "set_udp"})
        EXPECT_TRUE(Server().LastRequest(action).isNull()) << action;
    EXPECT_TRUE(fs::exists(Docs("/a.txt")));
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(RemoteSiteHelperTest, SetUdpSendsTheRecordsFlags)
{
    for (bool encrypted : {true, false}) {
        SiteInfoManager::getInstance()->updateSiteInfo(m_peer, [&](SiteInfo& info) {
            info.encrypted = encrypted;
            info.compressed = !encrypted;
        });
        ASSERT_EQ(m_helper->setUdp(), 0);
        const PObject request = Server().LastRequest("set_udp");
        EXPECT_EQ(request["encrypted"].asBool(), encrypted);
        EXPECT_EQ(request["compressed"].asBool(), !encrypted);
    }
    EXPECT_EQ(Rows().size(), 1u);
}

TEST_F(RemoteSiteHelperTest, HeartbeatAfterAServerErrorSucceeds)
{
    EXPECT_EQ(m_helper->mkdir("/public/x"), ProtoUI::ERROR_MKDIR_NO_PERM);
    EXPECT_EQ(m_helper->heartBeat(), 0);
    Server().SetFault("heart_beat", Fault{Fault::ERROR, test_server::CODE_USER_PASSWD, "gone", PObject()});
    EXPECT_EQ(m_helper->heartBeat(), ProtoUI::ERROR_USER_PASSWORD);
    // A failed request leaves the site record's errors alone.
    EXPECT_EQ(Site(m_peer).site_error, SITE_ERROR_OK);
    EXPECT_EQ(Site(m_peer).protocol_error, ProtoUI::ERROR_OK);
}

TEST_F(RemoteSiteHelperTest, CutConnectionKeepsFailing)
{
    Server().SetFault("heart_beat", Fault{Fault::CLOSE, 0, "", PObject()});
    EXPECT_EQ(m_helper->heartBeat(), ProtoUI::ERROR_CHANNEL_IO);
    Server().ClearFaults();
    SiteFileList list;
    bool is_dir = false;
    EXPECT_EQ(m_helper->listNode("/docs", is_dir, list), ProtoUI::ERROR_CHANNEL_IO);
    EXPECT_EQ(m_helper->heartBeat(), ProtoUI::ERROR_CHANNEL_IO);
    EXPECT_TRUE(list.isEmpty());
}

TEST_F(RemoteSiteHelperTest, ClosePeerEndsTheSession)
{
    EXPECT_EQ(m_helper->closePeer(), 0);
    EXPECT_FALSE(Server().LastRequest("close_peer").isNull());
}

TEST_F(RemoteSiteHelperTest, AbortFlagEndsAHeldAnswer)
{
    Server().SetFault("list", Fault{Fault::HOLD, 0, "", PObject()});
    std::atomic<int> result{0};
    std::atomic<bool> done{false};
    std::thread lister([&] {
        SiteFileList list;
        bool is_dir = false;
        result = m_helper->listNode("/docs", is_dir, list);
        done = true;
    });
    for (int i = 0; i < 2000000 && Server().LastRequest("list").isNull(); ++i)
        std::this_thread::yield();
    ASSERT_FALSE(Server().LastRequest("list").isNull());
    EXPECT_FALSE(done.load());
    __atomic_store_n(&m_abort, 1, __ATOMIC_SEQ_CST);
    lister.join();
    EXPECT_NE(result.load(), 0);
    Server().ReleaseHeldAnswers();
}

TEST(SiteEntryNameTest, OnlyNamesOfOneItemPass)
{
    for (const std::string& good : {std::string("a"), std::string("..."), std::string(".profile"),
                                    std::string("a b"), std::string("back\\slash"), std::string("caf\xc3\xa9")})
        EXPECT_TRUE(isPlainEntryName(good)) << good;
    for (const std::string& bad : {std::string(), std::string("."), std::string(".."), std::string("a/b"),
                                   std::string("/"), std::string("nul\0x", 5), std::string(1, '\0')})
        EXPECT_FALSE(isPlainEntryName(bad)) << bad;
}

}  // namespace
