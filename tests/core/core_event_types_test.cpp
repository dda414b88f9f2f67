// Every event type through the hub, a control channel and its worker, on a
// logged-in site and on this computer: signals, recorded result, disk and
// general-log rows.
#include "core_fixture.h"

#include <filesystem>

#include "db-util.h"
#include "protocol/proto-ui.h"
#include "event-generator.h"
#include "event-manager.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

Event Make(EventType type, uint64_t trigger, uint64_t peer, const std::string& parent,
           const std::list<std::string>& names, const std::string& opt_path = "")
{
    Event event;
    event.type = type;
    event.trigger_peer = trigger;
    event.peer_id = peer;
    event.opt_peer_id = peer;
    event.parent = parent;
    event.names = names;
    for (const std::string& name : names)
        event.paths.push_back(parent + "/" + name);
    event.opt_path = opt_path;
    return event;
}

}  // namespace

class CoreEventTypesTest : public CoreTest {
protected:
    // The listing of the last sigUpdatePath for that id path.
    bool Listed(const QString& id_path, std::vector<std::string>& names)
    {
        for (const QList<QVariant>& args : *m_update_spy)
            if (args.at(1).toString() == id_path) {
                names = Names(args.at(2).value<SiteFileList>());
                return true;
            }
        return false;
    }
    size_t RowsOf(uint32_t type) { return Rows(type).size(); }
};

TEST_F(CoreEventTypesTest, EveryTypeAsOneTable)
{
    uint64_t p = ConnectOk();
    ASSERT_NE(p, 0u);
    const std::string P = std::to_string(p);
    qm_test::writeFile(Docs("/a.txt"), "hello");
    qm_test::writeFile(Docs("/b.txt"), "bee");
    qm_test::writeFile(Docs("/c.txt"), "sea");
    fs::create_directories(Docs("/sub"));
    qm_test::writeFile(Local("/l.txt"), "local");
    qm_test::writeFile(Local("/m.txt"), "mmm");
    fs::create_directories(Local("/into"));

    struct Row {
        const char* name;
        Event event;
        int expected;  // 0, or a failure (any non-zero when -2)
        std::function<void()> check;
    };
    EventGenerator generator;
    Event root, shares, server_list, local_list;
    generator.createEventFromList(root, p, "");
    generator.createEventFromList(shares, p, QString::fromStdString(P + ":"));
    generator.createEventFromList(server_list, p, QString::fromStdString(P + ":/docs"));
    generator.createEventFromList(local_list, p, QString::fromStdString("0:" + Local()));
    std::vector<Row> rows = {
        {"list pane root", root, 0,
         [&] {
             std::vector<std::string> names;
             ASSERT_TRUE(Listed("", names));
             EXPECT_EQ(names, (std::vector<std::string>{P, "0"}));
         }},
        {"list shares", shares, 0,
         [&] {
             std::vector<std::string> names;
             ASSERT_TRUE(Listed(QString::fromStdString(P + ":"), names));
             EXPECT_EQ(names, (std::vector<std::string>{"docs"}));
         }},
        {"list server folder", server_list, 0,
         [&] {
             std::vector<std::string> names;
             ASSERT_TRUE(Listed(QString::fromStdString(P + ":/docs"), names));
             EXPECT_NE(std::find(names.begin(), names.end(), "a.txt"), names.end());
             EXPECT_NE(std::find(names.begin(), names.end(), "sub"), names.end());
         }},
        {"list local folder", local_list, 0,
         [&] {
             std::vector<std::string> names;
             ASSERT_TRUE(Listed(QString::fromStdString("0:" + Local()), names));
             EXPECT_NE(std::find(names.begin(), names.end(), "l.txt"), names.end());
         }},
        {"mkdir on the server", Make(EV_MKDIR, p, p, "/docs", {"made"}), 0,
         [&] {
             EXPECT_TRUE(fs::is_directory(Docs("/made")));
             EXPECT_EQ(RowsOf(LOG_MKDIR), 1u);
         }},
        {"rename on the server", Make(EV_RENAME, p, p, "/docs", {"a.txt"}, "/docs/renamed.txt"), 0,
         [&] {
             EXPECT_TRUE(fs::exists(Docs("/renamed.txt")));
             EXPECT_FALSE(fs::exists(Docs("/a.txt")));
             EXPECT_EQ(RowsOf(LOG_RENAME), 1u);
         }},
        {"rename onto an existing name", Make(EV_RENAME, p, p, "/docs", {"b.txt"}, "/docs/c.txt"), 40965,
         [&] {
             EXPECT_EQ(qm_test::readFile(Docs("/c.txt")), "sea");
             EXPECT_EQ(qm_test::readFile(Docs("/b.txt")), "bee");
             EXPECT_EQ(RowsOf(LOG_RENAME), 1u);
         }},
        {"rename onto an existing local name", Make(EV_RENAME, p, 0, Local(), {"l.txt"}, Local("/m.txt")), 40965,
         [&] { EXPECT_EQ(qm_test::readFile(Local("/m.txt")), "mmm"); }},
        {"copy on the server", Make(EV_COPY, p, p, "/docs", {"b.txt"}, "/docs/sub"), 0,
         [&] {
             EXPECT_EQ(qm_test::readFile(Docs("/sub/b.txt")), "bee");
             EXPECT_EQ(RowsOf(LOG_COPY), 1u);
         }},
        {"copy on the computer", Make(EV_COPY, p, 0, Local(), {"l.txt"}, Local("/into")), 0,
         [&] { EXPECT_EQ(qm_test::readFile(Local("/into/l.txt")), "local"); }},
        // A failure in the middle is reported although the last copy works.
        {"copy three on the server, the middle one missing",
         Make(EV_COPY, p, p, "/docs", {"c.txt", "gone", "renamed.txt"}, "/docs/sub"), ProtoUI::ERROR_COPY,
         [&] {
             EXPECT_EQ(qm_test::readFile(Docs("/sub/c.txt")), "sea");
             EXPECT_TRUE(fs::exists(Docs("/sub/renamed.txt")));
         }},
        {"remove three on the server, second missing", Make(EV_REMOVE, p, p, "/docs", {"b.txt", "gone", "c.txt"}), -2,
         [&] {
             EXPECT_FALSE(fs::exists(Docs("/b.txt")));
             EXPECT_EQ(RowsOf(LOG_REMOVE), 1u);
         }},
        {"remove three locally, second refused", Make(EV_REMOVE, p, 0, Local(), {"l.txt", "into/l.txt", "m.txt"}), -2,
         [&] {
             // The local helper tries every name; a name holding "/" is refused.
             EXPECT_TRUE(fs::exists(Local("/into/l.txt")));
             EXPECT_FALSE(fs::exists(Local("/l.txt")));
             EXPECT_FALSE(fs::exists(Local("/m.txt")));
         }},
        {"mkdir naming a foreign site", Make(EV_MKDIR, p, p + 1, "/docs", {"foreign"}), -2,
         [&] { EXPECT_FALSE(fs::exists(Docs("/foreign"))); }},
        {"list naming a foreign site", [&] {
             Event e;
             generator.createEventFromList(e, p, QString::fromStdString(std::to_string(p + 1) + ":/docs"));
             return e;
         }(), -2, [] {}},
        {"list with a peer text that is no number", [&] {
             Event e;
             generator.createEventFromList(e, p, "abc:/docs");
             return e;
         }(), -2, [] {}},
        {"unknown type", [&] {
             Event e = Make(EV_MKDIR, p, p, "/docs", {"never"});
             e.type = static_cast<EventType>(42);
             return e;
         }(), -2, [&] { EXPECT_FALSE(fs::exists(Docs("/never"))); }},
    };
    for (Row& row : rows) {
        SCOPED_TRACE(row.name);
        int before_updates = m_update_spy->count();
        int result = Run(row.event);
        if (row.expected == -2)
            EXPECT_NE(result, 0);
        else
            EXPECT_EQ(result, row.expected);
        row.check();
        // Listings come only from list events that succeeded.
        bool listed = row.event.type == EV_LIST && result == 0;
        EXPECT_EQ(m_update_spy->count() - before_updates, listed ? 1 : 0);
    }

    // Set-UDP: sent, then dropped from the table without a completion.
    Event udp;
    generator.createEventFromSetUdp(udp, p);
    int done_before = m_done_spy->count();
    uint32_t id = Push(udp);
    EXPECT_TRUE(WaitUntil([&] {
        Event gone;
        return EventManager::getInstance()->getEvent(id, gone) < 0;
    }));
    EXPECT_TRUE(Server().LastRequest("set_udp").isMap());
    // A listing after it proves the worker is back, and no completion of the set-UDP came.
    EXPECT_EQ(Run(root), 0);
    EXPECT_EQ(m_done_spy->count(), done_before + 1);
}
