// Events, their text form, the event table and the event generator.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <thread>
#include <vector>

#include "event-generator.h"
#include "event-manager.h"

namespace {

SiteSelectedInfo Selection(const QString& parent, const std::vector<QString>& names)
{
    SiteSelectedInfo info;
    info.parent = parent;
    for (const QString& name : names) {
        NodeInfo node;
        node.name = name;
        info.children.push_back(node);
    }
    return info;
}

}  // namespace

TEST(CoreEventText, DefaultRemovalAndLargeNumbers)
{
    EXPECT_EQ(Event().toString(),
              "type: 8, id: 0, parent: , site: 0, names: {}, paths: {}, source_is_dir: 0, opt_site: 0, opt_path: , ");
    Event remove;
    remove.type = EV_REMOVE;
    remove.id = 12;
    remove.peer_id = 3;
    remove.parent = "/share/docs";
    remove.names = {"a.txt", "b.txt"};
    remove.paths = {"/share/docs/a.txt", "/share/docs/b.txt"};
    EXPECT_EQ(remove.toString(),
              "type: 4, id: 12, parent: /share/docs, site: 3, names: {a.txt, b.txt}, "
              "paths: {/share/docs/a.txt, /share/docs/b.txt}, source_is_dir: 0, opt_site: 0, opt_path: , ");
    Event big;
    big.id = 4000000000u;
    big.peer_id = 18446744073709551615ull;
    big.source_is_dir = true;
    std::string text = big.toString();
    EXPECT_NE(text.find("id: 4000000000,"), std::string::npos) << text;
    EXPECT_NE(text.find("site: 18446744073709551615,"), std::string::npos) << text;
    EXPECT_NE(text.find("source_is_dir: 1,"), std::string::npos) << text;
}

TEST(CoreEventTable, IdsCopiesStatusAndRemoval)
{
    EventManager* table = EventManager::getInstance();
    Event event;
    event.type = EV_LIST;
    event.parent = "3:/s";
    uint32_t first = table->pushEvent(event);
    uint32_t second = table->pushEvent(event);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(event.id, 0u);  // the caller's record keeps its own id

    Event read;
    ASSERT_EQ(table->getEvent(second, read), 0);
    EXPECT_EQ(read.id, second);
    EXPECT_EQ(read.parent, "3:/s");

    EventStatus status = table->getStatus(first);
    EXPECT_FALSE(status.running);
    EXPECT_EQ(status.error, 0);
    status.error = 40965;
    table->setStatus(first, status);
    EXPECT_EQ(table->getStatus(first).error, 40965);

    table->removeEvent(first);
    Event untouched;
    untouched.opt_name = "keep";
    EXPECT_EQ(table->getEvent(first, untouched), -1);
    EXPECT_EQ(untouched.opt_name, "keep");
    EXPECT_EQ(table->getStatus(first).error, 0);
    table->removeEvent(first);       // absent: no error
    table->removeEvent(99999999u);   // never pushed

    std::vector<Event> all;
    table->listEvent(all);
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(all.back().id, second);
    table->removeEvent(second);
}

TEST(CoreEventTable, ConcurrentPushesGetDistinctIds)
{
    EventManager* table = EventManager::getInstance();
    std::vector<std::vector<uint32_t>> ids(4);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 500; ++i)
                ids[t].push_back(table->pushEvent(Event()));
        });
    for (std::thread& thread : threads)
        thread.join();
    std::set<uint32_t> unique;
    for (auto& list : ids)
        for (uint32_t id : list) {
            unique.insert(id);
            table->removeEvent(id);
        }
    EXPECT_EQ(unique.size(), 2000u);
}

TEST(CoreEventGenerator, NormalizePathAndName)
{
    struct Row {
        const char* name;
        QString in;
        bool local;
        std::string out;
    } rows[] = {
        {"server doubled and trailing", "/a//b/", false, "/a/b"},
        {"server backslash", "a\\b", false, "a/b"},
        {"server empty", "", false, ""},
        {"local keeps root", "//x///y/", true, "/x/y"},
        {"local backslash is a letter", "/x\\y/z", true, "/x\\y/z"},
        {"local relative", "x/y", true, "x/y"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(EventGenerator::normalizePath(row.in, row.local), row.out) << row.name;
    EXPECT_EQ(EventGenerator::getName("/s/dir/f.txt"), "f.txt");
    EXPECT_EQ(EventGenerator::getName("a\\b"), "b");
    EXPECT_EQ(EventGenerator::getName("a\\b", true), "a\\b");
    EXPECT_EQ(EventGenerator::getName("plain"), "plain");
}

TEST(CoreEventGenerator, CopyUploadDownloadClassification)
{
    EventGenerator generator;
    struct Row {
        const char* name;
        QString from, to;
        int result;
        EventType type;
        uint64_t peer, opt_peer;
        std::string parent, path, opt_path, opt_name;
    } rows[] = {
        {"upload", "0:/home/u/b.txt", "3:/share/dir", 0, EV_UPLOAD, 0, 3, "/home/u", "/home/u/b.txt", "/share/dir", "dir"},
        {"download", "3:/s/f", "0:/tmp/dl/", 0, EV_DOWNLOAD, 3, 0, "/s", "/s/f", "/tmp/dl", "dl"},
        {"server copy", "3:/s/f", "3:/s/g", 0, EV_COPY, 3, 3, "/s", "/s/f", "/s/g", "g"},
        {"local copy", "0:/a", "0:/b", 0, EV_COPY, 0, 0, "", "/a", "/b", "b"},
        {"local name with backslash", "0:/x/a\\b", "3:/s", 0, EV_UPLOAD, 0, 3, "/x", "/x/a\\b", "/s", "s"},
    };
    for (const Row& row : rows) {
        Event event;
        ASSERT_EQ(generator.createCopyEventFromPaths(event, 3, row.from, row.to), row.result) << row.name;
        EXPECT_EQ(event.type, row.type) << row.name;
        EXPECT_EQ(event.trigger_peer, 3u) << row.name;
        EXPECT_EQ(event.peer_id, row.peer) << row.name;
        EXPECT_EQ(event.opt_peer_id, row.opt_peer) << row.name;
        EXPECT_EQ(event.parent, row.parent) << row.name;
        ASSERT_EQ(event.paths.size(), 1u);
        EXPECT_EQ(event.paths.front(), row.path) << row.name;
        EXPECT_EQ(event.opt_path, row.opt_path) << row.name;
        EXPECT_EQ(event.opt_name, row.opt_name) << row.name;
    }
    // Refusals leave the record untouched.
    for (auto pair : {std::make_pair(QString("3:/s/f"), QString("4:/t")),
                      std::make_pair(QString("x:/s/f"), QString("0:/t")),
                      std::make_pair(QString("3:/s/f"), QString(":/t"))}) {
        Event event;
        event.opt_name = "keep";
        EXPECT_EQ(generator.createCopyEventFromPaths(event, 3, pair.first, pair.second), -1);
        EXPECT_EQ(event.type, EV_MAX);
        EXPECT_EQ(event.opt_name, "keep");
    }
}

TEST(CoreEventGenerator, FolderEventsAndTheirRefusals)
{
    EventGenerator generator;
    Event mkdir;
    ASSERT_EQ(generator.createEventFromMkdir(mkdir, 5, Selection("5:/s//docs/", {}), "new"), 0);
    EXPECT_EQ(mkdir.type, EV_MKDIR);
    EXPECT_EQ(mkdir.peer_id, 5u);
    EXPECT_EQ(mkdir.parent, "/s/docs");
    EXPECT_EQ(mkdir.paths.front(), "/s/docs/new");

    Event remove;
    ASSERT_EQ(generator.createEventFromRemove(remove, 5, Selection("0:/tmp/x", {"a", "b\\c"})), 0);
    EXPECT_EQ(remove.peer_id, 0u);
    EXPECT_EQ(remove.names, (std::list<std::string>{"a", "b\\c"}));
    EXPECT_EQ(remove.paths, (std::list<std::string>{"/tmp/x/a", "/tmp/x/b\\c"}));

    Event rename;
    ASSERT_EQ(generator.createEventFromRename(rename, 5, Selection("5:/s/d", {"old"}), "5:/s/other/new"), 0);
    EXPECT_EQ(rename.type, EV_RENAME);
    EXPECT_EQ(rename.paths.front(), "/s/d/old");
    EXPECT_EQ(rename.opt_peer_id, 5u);
    EXPECT_EQ(rename.opt_path, "/s/other/new");
    EXPECT_EQ(rename.opt_name, "new");

    Event list;
    ASSERT_EQ(generator.createEventFromList(list, 5, ""), 0);
    EXPECT_EQ(list.parent, "");
    Event udp;
    ASSERT_EQ(generator.createEventFromSetUdp(udp, 5), 0);
    EXPECT_EQ(udp.type, EV_SETUDP);

    struct Refusal {
        const char* name;
        std::function<int(Event&)> build;
    } refusals[] = {
        {"remove nothing selected", [&](Event& e) { return generator.createEventFromRemove(e, 5, Selection("5:/s", {})); }},
        {"rename empty folder", [&](Event& e) { return generator.createEventFromRename(e, 5, Selection("", {"a"}), "5:/b"); }},
        {"rename onto another peer", [&](Event& e) { return generator.createEventFromRename(e, 5, Selection("5:/s", {"a"}), "0:/tmp/a"); }},
        {"rename new path no number", [&](Event& e) { return generator.createEventFromRename(e, 5, Selection("5:/s", {"a"}), "five:/s/b"); }},
        {"mkdir empty folder", [&](Event& e) { return generator.createEventFromMkdir(e, 5, Selection("", {}), "n"); }},
        {"mkdir peer text no number", [&](Event& e) { return generator.createEventFromMkdir(e, 5, Selection("abc:/s", {}), "n"); }},
        {"mkdir on a foreign site", [&](Event& e) { return generator.createEventFromMkdir(e, 5, Selection("7:/s", {}), "n"); }},
        {"remove empty folder", [&](Event& e) { return generator.createEventFromRemove(e, 5, Selection("", {"a"})); }},
        {"remove on a foreign site", [&](Event& e) { return generator.createEventFromRemove(e, 5, Selection("7:/s", {"a"})); }},
    };
    for (const Refusal& refusal : refusals) {
        Event event;
        EXPECT_EQ(refusal.build(event), -1) << refusal.name;
        EXPECT_EQ(event.type, EV_MAX) << refusal.name;
    }
}
