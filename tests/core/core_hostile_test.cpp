// A server that is not trusted: listings that would lead a download outside
// its folder or into an endless walk, a file listed as itself, and a
// sub-folder that cannot be listed.
#include "core_fixture.h"

#include <filesystem>
#include <set>

#include "client-core-manager.h"
#include "event-generator.h"
#include "event-handler.h"
#include "kavelin/vardo-core-manager.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

PObject Entry(const std::string& name, bool is_dir)
{
    PObject entry;
    entry["name"] = name;
    entry["is_dir"] = is_dir;
    entry["mtime"] = static_cast<uint64_t>(0);
    entry["size"] = static_cast<uint64_t>(is_dir ? 0 : 1);
    return entry;
}

std::set<std::string> Tree(const std::string& root)
{
    std::set<std::string> paths;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        paths.insert(entry.path().string());
    return paths;
}

}  // namespace

class CoreHostileTest : public CoreTest {
protected:
    Event Download(uint64_t p, const std::string& server_path, const std::string& local_folder)
    {
        Event event;
        EXPECT_EQ(EventGenerator().createCopyEventFromPaths(event, p,
                                                            QString::fromStdString(std::to_string(p) + ":" + server_path),
                                                            QString::fromStdString("0:" + local_folder)), 0);
        return event;
    }
    // Every task of the peer still in the store or finished meanwhile.
    std::vector<ResumeInfo> AllTasks(uint64_t p)
    {
        ResumeFilter filter;
        filter.check_peer_id = true;
        filter.peer_ids = {p};
        std::vector<ResumeInfo> tasks, done;
        int total = 0;
        uint64_t down = 0, up = 0;
        ClientCoreManager::getCoreManager()->getInfos(filter, tasks, total, down, up);
        ClientCoreManager::getCoreManager()->consumeDoneTasks(done);
        tasks.insert(tasks.end(), done.begin(), done.end());
        return tasks;
    }
};

// Names that cannot be an item of the folder are left out of the listing and
// the rest downloads; an entry whose folder flag or size is out of range
// fails the listing. Either way nothing is written outside the destination.
TEST_F(CoreHostileTest, EntriesLeavingTheFolderAreRefused)
{
    uint64_t p = ConnectOk();
    fs::create_directories(Docs("/tree"));
    qm_test::writeFile(Docs("/tree/ok.txt"), "ok");
    fs::create_directories(Local("/down"));
    std::set<std::string> before = Tree(m_dir.path());
    struct Row {
        std::string name;
        bool is_dir;
        bool listed;  // the listing stands, without the entry
    };
    const Row rows[] = {
        {"..", true, true},
        {".", true, true},
        {"", true, true},
        {"a/b", true, true},
        {"../../escape.txt", false, true},
        {"/etc/passwd", true, true},
        {std::string("x\0/../../escape.txt", 19), false, true},
        {std::string("..\0", 3), true, true},
        {"not utf-8 \xff", false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        test_server::Fault extend;
        extend.kind = test_server::Fault::EXTEND_LIST;
        extend.answer["node_list"].asArray().push_back(Entry(row.name, row.is_dir));
        Server().SetFault("list", extend);
        EXPECT_EQ(Run(Download(p, "/docs/tree", Local("/down"))) == 0, row.listed);
        for (const ResumeInfo& task : AllTasks(p)) {
            std::string to = task.path_to.c_str_utf8();
            EXPECT_EQ(to, Local("/down/tree/ok.txt"));
        }
    }
    // Out of range: a folder flag of 7, sizes beyond a file offset.
    const std::pair<const char*, uint64_t> malformed[] = {
        {"is_dir", 7}, {"size", uint64_t(1) << 63}, {"size", UINT64_MAX}};
    for (const auto& [key, value] : malformed) {
        SCOPED_TRACE(key + std::string(" ") + std::to_string(value));
        PObject entry = Entry("odd", false);
        entry[key] = value;
        test_server::Fault extend;
        extend.kind = test_server::Fault::EXTEND_LIST;
        extend.answer["node_list"].asArray().push_back(entry);
        Server().SetFault("list", extend);
        EXPECT_NE(Run(Download(p, "/docs/tree", Local("/down"))), 0);
        for (const ResumeInfo& task : AllTasks(p))
            EXPECT_EQ(std::string(task.path_to.c_str_utf8()), Local("/down/tree/ok.txt"));
    }
    Server().ClearFaults();
    ASSERT_TRUE(WaitUntil([&] { return qm_test::readFile(Local("/down/tree/ok.txt")) == "ok"; }));
    // Nothing was made anywhere but inside the destination folder.
    for (const std::string& path : Tree(m_dir.path())) {
        if (!before.count(path)) {
            EXPECT_EQ(path.rfind(Local("/down"), 0), 0u) << path;
        }
    }
}

TEST_F(CoreHostileTest, AFolderListingItselfEndsAtTheDepthBound)
{
    uint64_t p = ConnectOk();
    fs::create_directories(Local("/down"));
    test_server::Fault loop;
    loop.kind = test_server::Fault::REPLACE;
    loop.answer["type"] = "list";
    loop.answer["is_dir"] = true;
    loop.answer["node_list"].asArray().push_back(Entry("loop", true));
    Server().SetFault("list", loop);
    EXPECT_NE(Run(Download(p, "/docs/loop", Local("/down"))), 0);
    Server().ClearFaults();
    EXPECT_TRUE(AllTasks(p).empty());
    // Every folder made lies inside the destination, none deeper than the bound.
    size_t deepest = 0;
    for (const std::string& path : Tree(Local("/down")))
        deepest = std::max<size_t>(deepest, std::count(path.begin() + Local("/down").size(), path.end(), '/'));
    EXPECT_GT(deepest, 1u);
    EXPECT_LE(deepest, static_cast<size_t>(EventHandler::kMaxWalkDepth) + 2);
    // The worker is free again.
    Event list;
    EventGenerator().createEventFromList(list, p, QString::fromStdString(std::to_string(p) + ":/docs"));
    EXPECT_EQ(Run(list), 0);
}

TEST_F(CoreHostileTest, SingleFileDownloadIsOneTask)
{
    uint64_t p = ConnectOk();
    qm_test::writeFile(Docs("/a.txt"), "single");
    fs::create_directories(Local("/dl"));
    EXPECT_EQ(Run(Download(p, "/docs/a.txt", Local("/dl"))), 0);
    std::vector<ResumeInfo> tasks = AllTasks(p);
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(std::string(tasks[0].path_from.c_str_utf8()), "/docs/a.txt");
    EXPECT_EQ(std::string(tasks[0].path_to.c_str_utf8()), Local("/dl/a.txt"));
    EXPECT_EQ(tasks[0].command, C_PULL);
    ASSERT_TRUE(WaitUntil([&] { return qm_test::readFile(Local("/dl/a.txt")) == "single"; }));
    EXPECT_TRUE(fs::is_regular_file(Local("/dl/a.txt")));
}

TEST_F(CoreHostileTest, AnUnlistableSubFolderIsReportedAndTheWalkGoesOn)
{
    uint64_t p = ConnectOk();
    for (const char* folder : {"a", "m", "z"})
        fs::create_directories(Docs("/tree/") + folder);
    qm_test::writeFile(Docs("/tree/a/one.txt"), "one");
    qm_test::writeFile(Docs("/tree/m/never.txt"), "never");
    qm_test::writeFile(Docs("/tree/z/two.txt"), "two");
    test_server::Fault refuse;
    refuse.kind = test_server::Fault::ERROR;
    refuse.count = 4096;
    refuse.reason = "cannot list";
    Server().SetFault("list", refuse, "/tree/m");
    fs::create_directories(Local("/down"));
    EXPECT_NE(Run(Download(p, "/docs/tree", Local("/down"))), 0);
    std::set<std::string> targets;
    for (const ResumeInfo& task : AllTasks(p))
        targets.insert(task.path_to.c_str_utf8());
    // The folders on either side of the failing one are still fed.
    EXPECT_EQ(targets, (std::set<std::string>{Local("/down/tree/a/one.txt"), Local("/down/tree/z/two.txt")}));
}
