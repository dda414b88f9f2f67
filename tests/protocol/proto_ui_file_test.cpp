// ProtoUI's share and file requests against the test file server, and the
// split of client paths.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "proto-ui-path.h"
#include "proto_ui_fixture.h"
#include "protocol/pobject.h"

namespace fs = std::filesystem;

namespace {

TEST(ProtoUIPath, SplitsShareAndPathInside)
{
    struct Case {
        std::string path, share, rel_path;
    };
    const Case cases[] = {
        {"", "", "/"},
        {"/", "", "/"},
        {"/photo", "photo", "/"},
        {"/photo/", "photo", "/"},
        {"/photo/2019/a.jpg", "photo", "/2019/a.jpg"},
        {"photo/a", "photo", "/a"},
        {"//photo//a/", "photo", "//a/"},
        // A line feed is part of a name, not the end of the path.
        {"/photo/a\nb", "photo", "/a\nb"},
        {"/s/x\n/y", "s", "/x\n/y"},
    };
    for (const Case& c : cases) {
        std::string share, rel_path;
        proto_ui_path::ParsePath(c.path, share, rel_path);
        EXPECT_EQ(share, c.share) << c.path;
        EXPECT_EQ(rel_path, c.rel_path) << c.path;
    }
}

class ProtoUIFileTest : public ProtoUIServerTest {
protected:
    void SetUp() override { LogIn(client); }
    ProtoUI client;
};

TEST_F(ProtoUIFileTest, ShareListHidesDeniedSharesAndAppends)
{
    std::vector<ProtoUI::Share> shares = {{"earlier", "/kept"}};
    ASSERT_EQ(client.ListShare(shares), 0) << client.GetLastErrorMessage();
    ASSERT_EQ(shares.size(), 3u);
    EXPECT_EQ(shares[0].name, "earlier");
    EXPECT_EQ(shares[1].name, "docs");
    EXPECT_EQ(shares[1].path, Docs());
    EXPECT_EQ(shares[2].name, "public");
}

TEST_F(ProtoUIFileTest, ListingFoldersAndFiles)
{
    bool is_dir = false;
    std::vector<ProtoUI::Node> nodes;
    ASSERT_EQ(client.ListNode("/", is_dir, nodes), 0) << client.GetLastErrorMessage();
    EXPECT_FALSE(Server().LastRequest("list").hasMember("share_name"));
    EXPECT_EQ(Server().LastRequest("list")["path"].asString(), "/");
    EXPECT_TRUE(is_dir);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_TRUE(nodes[0].is_dir);

    nodes.clear();
    ASSERT_EQ(client.ListNode("/docs/", is_dir, nodes), 0) << client.GetLastErrorMessage();
    EXPECT_TRUE(is_dir);
    std::map<std::string, ProtoUI::Node> by_name;
    for (const ProtoUI::Node& node : nodes)
        by_name[node.name] = node;
    ASSERT_EQ(by_name.size(), 3u);
    EXPECT_EQ(by_name["a.txt"].size, 5u);
    EXPECT_FALSE(by_name["a.txt"].is_dir);
    struct stat st;
    ASSERT_EQ(::stat(Docs("/a.txt").c_str(), &st), 0);
    EXPECT_EQ(by_name["a.txt"].mtime, uint64_t(st.st_mtime));
    EXPECT_TRUE(by_name["sub"].is_dir);
    EXPECT_TRUE(by_name.count("outlink"));

    // A file path lists the file itself; earlier entries stay in front.
    ASSERT_EQ(client.ListNode("/docs/sub/b.bin", is_dir, nodes), 0);
    EXPECT_FALSE(is_dir);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[3].name, "b.bin");
    EXPECT_EQ(nodes[3].size, 3u);
    EXPECT_EQ(Server().LastRequest("list")["share_name"].asString(), "docs");
    EXPECT_EQ(Server().LastRequest("list")["path"].asString(), "/sub/b.bin");
}

// A folder large enough for the server to split its work lists whole:
// every entry once, with its own size, and nothing else.
TEST_F(ProtoUIFileTest, LargeFolderListsEveryEntryOnce)
{
    const int kEntries = 25001;
    ASSERT_EQ(::mkdir(Docs("/many").c_str(), 0755), 0);
    for (int i = 0; i < kEntries; ++i) {
        const std::string path = Docs("/many/f" + std::to_string(i));
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(::ftruncate(fd, i % 97), 0);
        ::close(fd);
    }
    bool is_dir = false;
    std::vector<ProtoUI::Node> nodes;
    ASSERT_EQ(client.ListNode("/docs/many", is_dir, nodes), 0) << client.GetLastErrorMessage();
    EXPECT_TRUE(is_dir);
    ASSERT_EQ(nodes.size(), size_t(kEntries));
    std::vector<bool> seen(kEntries, false);
    for (const ProtoUI::Node& node : nodes) {
        ASSERT_EQ(node.name[0], 'f') << node.name;
        const int i = std::stoi(node.name.substr(1));
        ASSERT_TRUE(i >= 0 && i < kEntries && !seen[i]) << node.name;
        seen[i] = true;
        EXPECT_EQ(node.size, uint64_t(i % 97)) << node.name;
        EXPECT_FALSE(node.is_dir);
    }
}

TEST_F(ProtoUIFileTest, ListingErrorsLeaveTheOutputsAlone)
{
    struct Case {
        const char* path;
        ProtoUI::Error error;
    };
    const Case cases[] = {
        {"/docs/missing", ProtoUI::ERROR_LIST_NODE},
        {"/nosuchshare/x", ProtoUI::ERROR_LIST_NODE},
        {"/secret/", ProtoUI::ERROR_LIST_NODE_NO_PERM},
        {"/docs/../secret", ProtoUI::ERROR_LIST_NODE_NO_PERM},
        {"/docs/outlink", ProtoUI::ERROR_LIST_NODE_NO_PERM},
        {"/docs/outlink/keep.txt", ProtoUI::ERROR_LIST_NODE_NO_PERM},
    };
    for (const Case& c : cases) {
        bool is_dir = true;
        std::vector<ProtoUI::Node> nodes;
        EXPECT_EQ(client.ListNode(c.path, is_dir, nodes), -1) << c.path;
        EXPECT_EQ(client.GetLastError(), c.error) << c.path;
        EXPECT_TRUE(is_dir) << c.path;
        EXPECT_TRUE(nodes.empty()) << c.path;
    }
}

// Each row runs on a fresh tree; `after` checks the folders afterwards.
TEST_F(ProtoUIFileTest, FileOperations)
{
    using Op = std::function<int(ProtoUI&)>;
    struct Case {
        const char* name;
        Op op;
        ProtoUI::Error error;
        std::function<bool()> after;
    };
    auto exists = [](const std::string& path) { return fs::exists(fs::symlink_status(path)); };
    const std::string outside_keep = Outside("/keep.txt");
    const Case cases[] = {
        {"mkdir", [](ProtoUI& c) { return c.CreateDir("/docs/new"); }, ProtoUI::ERROR_OK,
         [&] { return fs::is_directory(Docs("/new")); }},
        {"mkdir existing", [](ProtoUI& c) { return c.CreateDir("/docs/sub"); }, ProtoUI::ERROR_MKDIR, nullptr},
        {"mkdir without parent", [](ProtoUI& c) { return c.CreateDir("/docs/none/new"); }, ProtoUI::ERROR_MKDIR,
         nullptr},
        {"mkdir on denied share", [](ProtoUI& c) { return c.CreateDir("/secret/new"); },
         ProtoUI::ERROR_MKDIR_NO_PERM, nullptr},
        {"mkdir on read-only share", [](ProtoUI& c) { return c.CreateDir("/public/new"); },
         ProtoUI::ERROR_MKDIR_NO_PERM, nullptr},
        {"mkdir through ..", [](ProtoUI& c) { return c.CreateDir("/docs/../escaped"); },
         ProtoUI::ERROR_MKDIR_NO_PERM, [&] { return !exists(Docs("/../escaped")); }},
        {"mkdir through a link out", [](ProtoUI& c) { return c.CreateDir("/docs/outlink/new"); },
         ProtoUI::ERROR_MKDIR_NO_PERM, [&] { return !exists(Outside("/new")); }},
        {"mkdir with a line feed", [](ProtoUI& c) { return c.CreateDir("/docs/a\nb"); }, ProtoUI::ERROR_OK,
         [&] { return fs::is_directory(Docs("/a\nb")) && !exists(Docs("/a")); }},
        {"rename", [](ProtoUI& c) { return c.Rename("/docs/a.txt", "/docs/sub/c.txt"); }, ProtoUI::ERROR_OK,
         [&] { return !exists(Docs("/a.txt")) && qm_test::readFile(Docs("/sub/c.txt")) == "hello"; }},
        {"rename onto existing", [](ProtoUI& c) { return c.Rename("/docs/a.txt", "/docs/sub"); },
         ProtoUI::ERROR_RENAME_TARGET_EXISTS, [&] { return exists(Docs("/a.txt")); }},
        {"rename missing", [](ProtoUI& c) { return c.Rename("/docs/none", "/docs/x"); }, ProtoUI::ERROR_RENAME,
         nullptr},
        {"rename into denied share", [](ProtoUI& c) { return c.Rename("/docs/a.txt", "/secret/a.txt"); },
         ProtoUI::ERROR_RENAME_NO_PERM, [&] { return exists(Docs("/a.txt")); }},
        {"rename out through a link", [](ProtoUI& c) { return c.Rename("/docs/a.txt", "/docs/outlink/a.txt"); },
         ProtoUI::ERROR_RENAME_NO_PERM, [&] { return !exists(Outside("/a.txt")); }},
        {"copy file", [](ProtoUI& c) { return c.Copy("/docs/a.txt", "/docs/sub/a2.txt"); }, ProtoUI::ERROR_OK,
         [&] { return qm_test::readFile(Docs("/sub/a2.txt")) == "hello" && exists(Docs("/a.txt")); }},
        {"copy folder", [](ProtoUI& c) { return c.Copy("/docs/sub", "/docs/sub2"); }, ProtoUI::ERROR_OK,
         [&] { return qm_test::readFile(Docs("/sub2/b.bin")) == "xyz"; }},
        {"copy folder into itself", [](ProtoUI& c) { return c.Copy("/docs/sub", "/docs/sub/inner"); },
         ProtoUI::ERROR_COPY, [&] { return !exists(Docs("/sub/inner")); }},
        {"copy missing", [](ProtoUI& c) { return c.Copy("/docs/none", "/docs/x"); }, ProtoUI::ERROR_COPY, nullptr},
        {"copy onto existing", [](ProtoUI& c) { return c.Copy("/docs/a.txt", "/docs/sub/b.bin"); },
         ProtoUI::ERROR_COPY, [&] { return qm_test::readFile(Docs("/sub/b.bin")) == "xyz"; }},
        {"copy from outside through a link", [](ProtoUI& c) { return c.Copy("/docs/outlink/keep.txt", "/docs/k"); },
         ProtoUI::ERROR_COPY_NO_PERM, [&] { return !exists(Docs("/k")); }},
        {"copy into read-only share", [](ProtoUI& c) { return c.Copy("/docs/a.txt", "/public/a.txt"); },
         ProtoUI::ERROR_COPY_NO_PERM, nullptr},
        {"copy across shares", [](ProtoUI& c) { return c.Copy("/public/readme.txt", "/docs/readme.txt"); },
         ProtoUI::ERROR_OK, [&] { return qm_test::readFile(Docs("/readme.txt")) == "read me"; }},
        {"remove file", [](ProtoUI& c) { return c.Remove("/docs/a.txt"); }, ProtoUI::ERROR_OK,
         [&] { return !exists(Docs("/a.txt")); }},
        {"remove folder", [](ProtoUI& c) { return c.Remove("/docs/sub"); }, ProtoUI::ERROR_OK,
         [&] { return !exists(Docs("/sub")); }},
        {"remove a link out removes only the link", [](ProtoUI& c) { return c.Remove("/docs/outlink"); },
         ProtoUI::ERROR_OK, [&] { return !exists(Docs("/outlink")) && exists(outside_keep); }},
        {"remove missing", [](ProtoUI& c) { return c.Remove("/docs/none"); }, ProtoUI::ERROR_REMOVE, nullptr},
        {"remove on denied share", [](ProtoUI& c) { return c.Remove("/secret/hidden.txt"); },
         ProtoUI::ERROR_REMOVE_NO_PERM, nullptr},
        {"remove a share's folder", [](ProtoUI& c) { return c.Remove("/docs"); }, ProtoUI::ERROR_REMOVE_NO_PERM,
         [&] { return exists(Docs("/a.txt")); }},
        {"remove through ..", [](ProtoUI& c) { return c.Remove("/docs/../public/readme.txt"); },
         ProtoUI::ERROR_REMOVE_NO_PERM, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetDocs();
        int rc = c.op(client);
        EXPECT_EQ(rc, c.error == ProtoUI::ERROR_OK ? 0 : -1);
        EXPECT_EQ(client.GetLastError(), c.error) << client.GetLastErrorMessage();
        if (c.error != ProtoUI::ERROR_OK) {
            EXPECT_EQ(client.GetLastErrorMessage().rfind("protocol error, reason = '", 0), 0u);
        }
        if (c.after) {
            EXPECT_TRUE(c.after());
        }
    }
}

TEST_F(ProtoUIFileTest, ChecksBeforeSending)
{
    for (const char* path : {"", "/"}) {
        EXPECT_EQ(client.CreateDir(path), -1);
        EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_INVALID_ARGUMENT);
        EXPECT_EQ(client.GetLastErrorMessage(), "missing path to create");
        EXPECT_EQ(client.Remove(path), -1);
        EXPECT_EQ(client.GetLastErrorMessage(), "missing path to create");
    }
    EXPECT_TRUE(Server().LastRequest("mkdir").isNull());
    EXPECT_TRUE(Server().LastRequest("remove").isNull());

    // A rename or copy onto itself succeeds at once and keeps the last error.
    EXPECT_EQ(client.Rename("/docs/a.txt", "/docs/a.txt"), 0);
    EXPECT_EQ(client.Copy("/docs/a.txt", "/docs/a.txt"), 0);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_INVALID_ARGUMENT);
    EXPECT_TRUE(Server().LastRequest("rename").isNull());
    EXPECT_TRUE(Server().LastRequest("copy").isNull());
}

TEST_F(ProtoUIFileTest, RequestKeys)
{
    client.Copy("/a/x", "/b/x");
    PObject copy = Server().LastRequest("copy");
    EXPECT_EQ(copy["share_from"].asString(), "a");
    EXPECT_EQ(copy["path_from"].asString(), "/x");
    EXPECT_EQ(copy["share_to"].asString(), "b");
    EXPECT_EQ(copy["path_to"].asString(), "/x");

    client.Rename("", "/a/b");
    PObject rename = Server().LastRequest("rename");
    EXPECT_TRUE(rename["share_from"].isString());
    EXPECT_EQ(rename["share_from"].asString(), "");
    EXPECT_EQ(rename["path_from"].asString(), "/");

    ResetDocs();
    EXPECT_EQ(client.CreateDir("/docs"), -1);  // the share's folder exists
    PObject mkdir = Server().LastRequest("mkdir");
    EXPECT_EQ(mkdir["share"].asString(), "docs");
    EXPECT_EQ(mkdir["path"].asString(), "/");

    // Paths that differ only by a trailing '/' are different paths.
    client.Rename("/docs/a.txt", "/docs/a.txt/");
    EXPECT_EQ(Server().LastRequest("rename")["path_to"].asString(), "/a.txt/");

    ASSERT_EQ(client.SetUdp(true, false), 0);
    PObject udp = Server().LastRequest("set_udp");
    EXPECT_TRUE(udp["compressed"].isInteger());
    EXPECT_EQ(udp["compressed"].asUInt64(), 0u);
    EXPECT_TRUE(udp["encrypted"].isInteger());
    EXPECT_EQ(udp["encrypted"].asUInt64(), 1u);
}

// Answer shapes the test server never sends, from a scripted server.
TEST(ProtoUIScripted, ShareListAnswers)
{
    auto share = [](const PObject& name, const char* path, const char* priv) {
        PObject entry;
        entry["name"] = name;
        if (path)
            entry["mounted_path"] = path;
        if (priv)
            entry["priv"] = priv;
        return entry;
    };
    auto listing = [](std::vector<PObject> entries) {
        PObject answer;
        answer["share_list"] = PObject::array_type(std::move(entries));
        return answer;
    };
    PObject listed = listing({share("hidden", "/v/hidden", "denied"), share("upper", "/v/upper", "Denied"),
                              share("nopriv", "/v/nopriv", nullptr), share("nopath", nullptr, "rw"),
                              // A denied share is skipped before its entry is looked at.
                              share(PObject(uint64_t(7)), "/v/7", "denied")});
    PObject no_list;
    no_list["other"] = 1;
    PObject not_an_array;
    not_an_array["share_list"] = "docs";
    PObject number_path = listing({share(PObject("ok"), nullptr, "rw")});
    number_path["share_list"].asArray()[0]["mounted_path"] = uint64_t(3);
    struct Refused {
        const char* name;
        PObject answer;
        const char* why;  // part of the message
    };
    const Refused refused[] = {
        {"no share_list", no_list, "no \"share_list\""},
        {"share_list not an array", not_an_array, "\"share_list\" is a string, not an array"},
        {"entry not a map", listing({PObject("docs")}), "share_list entry 0: is a string, not a map"},
        {"name an integer", listing({share(PObject(uint64_t(7)), "/v/7", "rw")}), "\"name\" is an integer"},
        {"name with a zero byte", listing({share(PObject(std::string("do\0cs", 5)), "/v", "rw")}), "zero byte"},
        {"no name", listing({share(PObject(), "/v", "rw")}), "\"name\" is null"},
        {"empty name", listing({share(PObject(""), "/v", "rw")}), "empty"},
        {"name with a slash", listing({share(PObject("a/b"), "/v", "rw")}), "single path segment"},
        {"path an integer", number_path, "\"mounted_path\" is an integer"},
    };
    std::vector<std::vector<PObject>> script = {{listed}};
    for (const Refused& r : refused)
        script.push_back({r.answer});
    ScriptedServer server(script);
    ProtoUI client;
    ConfigureScripted(client, server);

    std::vector<ProtoUI::Share> shares = {{"earlier", "/kept"}};
    ASSERT_EQ(client.ListShare(shares), 0) << client.GetLastErrorMessage();
    std::vector<std::pair<std::string, std::string>> got;
    for (const ProtoUI::Share& s : shares)
        got.emplace_back(s.name, s.path);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"earlier", "/kept"}, {"upper", "/v/upper"}, {"nopriv", "/v/nopriv"}, {"nopath", ""}};
    EXPECT_EQ(got, expected);

    // A malformed answer is complete on the wire: it fails the request and
    // adds nothing, and the connection serves the next one.
    for (const Refused& r : refused) {
        SCOPED_TRACE(r.name);
        std::vector<ProtoUI::Share> kept = {{"earlier", "/kept"}};
        EXPECT_EQ(client.ListShare(kept), -1);
        EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL);
        EXPECT_EQ(client.GetLastErrorMessage().rfind("protocol error, malformed answer: ", 0), 0u)
            << client.GetLastErrorMessage();
        EXPECT_NE(client.GetLastErrorMessage().find(r.why), std::string::npos) << client.GetLastErrorMessage();
        ASSERT_EQ(kept.size(), 1u);
        EXPECT_EQ(kept[0].name, "earlier");
    }
    EXPECT_EQ(server.Requests().size(), 1 + std::size(refused));
}

TEST(ProtoUIScripted, NodeListAnswers)
{
    auto node = [](const PObject& name) {
        PObject entry;
        entry["name"] = name;
        entry["is_dir"] = uint64_t(0);
        entry["size"] = uint64_t(3);
        entry["mtime"] = uint64_t(1700000000);
        return entry;
    };
    auto listing = [](std::vector<PObject> entries) {
        PObject answer;
        answer["is_dir"] = uint64_t(1);
        answer["node_list"] = PObject::array_type(std::move(entries));
        return answer;
    };
    auto with = [&node](const char* key, const PObject& value) {
        PObject entry = node(PObject("x"));
        entry[key] = value;
        return entry;
    };
    PObject wide = node(PObject("wide"));
    wide["mtime"] = uint64_t(0x100000005ull);  // past 2106: kept whole, never wrapped
    wide["size"] = (uint64_t(1) << 63) - 1;  // the largest size a file can have
    wide["is_dir"] = uint64_t(1);
    PObject bare;
    bare["name"] = "bare";
    // Names that cannot stand for an item of the folder are left out; the
    // rest of the listing stays.
    PObject nameless;
    nameless["is_dir"] = uint64_t(0);
    std::vector<PObject> entries = {wide};
    for (const std::string& name : {std::string(""), std::string("."), std::string(".."), std::string("../etc/passwd"),
                                    std::string("a/b"), std::string("a\0b", 3), std::string("bad\xff\xfe"),
                                    std::string("\xc0\xaf"), std::string("\xed\xa0\x80")})
        entries.push_back(node(PObject(name)));
    entries.push_back(nameless);
    entries.push_back(bare);
    entries.push_back(node(PObject("\xc3\xa9t\xc3\xa9 \xf0\x9f\x93\x81")));
    PObject listed = listing(entries);

    PObject::buffer_type long_name;
    const std::string long_text(70000, 'n');
    long_name.assign(long_text.data(), static_cast<uint32_t>(long_text.size()));
    PObject text_flag = listing({});
    text_flag["is_dir"] = "yes";
    PObject answer_flag_two = listing({});
    answer_flag_two["is_dir"] = uint64_t(2);
    PObject no_list;
    no_list["is_dir"] = uint64_t(1);
    PObject null_list = no_list;
    null_list["node_list"];
    PObject string_list = no_list;
    string_list["node_list"] = "a.txt";
    struct Refused {
        const char* name;
        PObject answer;
        const char* why;  // part of the message
    };
    const Refused refused[] = {
        {"no node_list", no_list, "no \"node_list\""},
        {"node_list null", null_list, "\"node_list\" is null, not an array"},
        {"node_list a string", string_list, "\"node_list\" is a string, not an array"},
        {"is_dir a string", text_flag, "\"is_dir\" is a string, not an integer"},
        {"entry not a map", listing({node(PObject("ok")), PObject(uint64_t(5))}), "node_list entry 1: is an integer"},
        {"answer is_dir 2", answer_flag_two, "\"is_dir\" is 2, above 1"},
        {"name over 65535 bytes", listing({node(PObject(long_name))}), "\"name\" is a buffer, not a string"},
        {"name an integer", listing({node(PObject(uint64_t(1)))}), "\"name\" is an integer"},
        {"null name", listing({with("name", PObject())}), "\"name\" is null"},
        {"entry is_dir 2", listing({with("is_dir", PObject(uint64_t(2)))}), "\"is_dir\" is 2, above 1"},
        {"entry is_dir 7", listing({with("is_dir", PObject(uint64_t(7)))}), "\"is_dir\" is 7, above 1"},
        {"size 2^63", listing({with("size", PObject(uint64_t(1) << 63))}), "\"size\" is 9223372036854775808, above"},
        {"size 2^64 - 1", listing({with("size", PObject(UINT64_MAX))}), "\"size\" is 18446744073709551615, above"},
        {"size a string", listing({with("size", PObject("12"))}), "\"size\" is a string, not an integer"},
        {"mtime a string", listing({with("mtime", PObject("5"))}), "\"mtime\" is a string, not an integer"},
        {"entry is_dir a string", listing({with("is_dir", PObject("x"))}), "\"is_dir\" is a string"},
    };
    std::vector<std::vector<PObject>> script = {{listed}};
    for (const Refused& r : refused)
        script.push_back({r.answer});
    ScriptedServer server(script);
    ProtoUI client;
    ConfigureScripted(client, server);

    bool is_dir = false;
    std::vector<ProtoUI::Node> nodes(1);
    nodes[0].name = "earlier";
    ASSERT_EQ(client.ListNode("/s/d", is_dir, nodes), 0) << client.GetLastErrorMessage();
    EXPECT_TRUE(is_dir);
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[1].name, "wide");
    EXPECT_TRUE(nodes[1].is_dir);
    EXPECT_EQ(nodes[1].size, (uint64_t(1) << 63) - 1);
    EXPECT_EQ(nodes[1].mtime, 0x100000005ull);
    EXPECT_EQ(nodes[2].name, "bare");
    EXPECT_FALSE(nodes[2].is_dir);
    EXPECT_EQ(nodes[2].size, 0u);
    EXPECT_EQ(nodes[2].mtime, 0u);
    EXPECT_EQ(nodes[3].name, "\xc3\xa9t\xc3\xa9 \xf0\x9f\x93\x81");

    for (const Refused& r : refused) {
        SCOPED_TRACE(r.name);
        bool flag = false;
        std::vector<ProtoUI::Node> kept(1);
        kept[0].name = "earlier";
        EXPECT_EQ(client.ListNode("/s/d", flag, kept), -1);
        EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL);
        EXPECT_EQ(client.GetLastErrorMessage().rfind("protocol error, malformed answer: ", 0), 0u)
            << client.GetLastErrorMessage();
        EXPECT_NE(client.GetLastErrorMessage().find(r.why), std::string::npos) << client.GetLastErrorMessage();
        EXPECT_FALSE(flag) << "is_dir is written on success only";
        ASSERT_EQ(kept.size(), 1u) << "a failed listing adds nothing";
        EXPECT_EQ(kept[0].name, "earlier");
    }
    EXPECT_EQ(server.Requests().size(), 1 + std::size(refused));
}

}  // namespace
