#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <initializer_list>
#include <string>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "kavelin/vardo-core-manager-impl-default.h"
#include "kavelin/vardo-core-manager-impl-lock.h"
#include "kavelin/vardo-core-manager.h"
#include "protocol/pobject.h"

namespace {

// Answers nothing, like an implementation that does not know the action.
class SilentImpl : public VardoCoreManagerImpl {
public:
    void request(const PObject&, PObject&) override {}
};

ResumeInfo newTask(uint64_t peer_id)
{
    ResumeInfo task;
    task.peer_id = peer_id;
    task.command = C_PUSH;
    task.total = 10;
    return task;
}

} // namespace

TEST(VardoCoreManager, PeersAndDisconnectedPeersThroughTheFront)
{
    VardoCoreManager manager(new VardoCoreManagerImplLock());
    uint64_t id = 0;
    ASSERT_TRUE(manager.getNextPeerId(id));
    EXPECT_EQ(id, 1u);
    ASSERT_TRUE(manager.getNextPeerId(id));
    EXPECT_EQ(id, 2u);

    EXPECT_FALSE(manager.checkPeer(7));
    EXPECT_TRUE(manager.setPeerSeed(7, 0xABCDEF));
    EXPECT_TRUE(manager.checkPeer(7));
    uint64_t transfer_seed = 0, owner = 0;
    ASSERT_TRUE(manager.takeTransferSeed(7, transfer_seed));
    ASSERT_TRUE(manager.findPeerIdByTransferSeed(transfer_seed, owner));
    EXPECT_EQ(owner, 7u);
    token_t token = 0;
    ASSERT_TRUE(manager.takeToken(transfer_seed, token));
    TokenInfo info;
    ASSERT_TRUE(manager.getTokenInfoFromToken(token, info));
    EXPECT_EQ(info.transfer_seed, transfer_seed);
    EXPECT_EQ(info.peer_id, 7u);

    std::vector<uint64_t> peers = {9};
    manager.getDisconnectedPeers(peers);
    EXPECT_TRUE(peers.empty());
    manager.setDisconnectedPeers({3, 5});
    manager.getDisconnectedPeers(peers);
    EXPECT_EQ(peers, (std::vector<uint64_t>{3, 5}));
    manager.setDisconnectedPeers({});
    manager.getDisconnectedPeers(peers);
    EXPECT_TRUE(peers.empty());
}

TEST(VardoCoreManager, TasksThroughTheFront)
{
    VardoCoreManager manager(new VardoCoreManagerImplLock());
    ResumeInfo task = newTask(1);
    ASSERT_TRUE(manager.updateInfo(task));
    EXPECT_EQ(task.resume_id, 1u);
    task.progress = 4;
    ASSERT_TRUE(manager.updateInfo(task));
    EXPECT_EQ(task.resume_id, 1u);
    manager.addInfos({newTask(1), newTask(2), newTask(1)});

    std::vector<ResumeInfo> infos(5);
    int total = 0;
    uint64_t down = 1, up = 1;
    ASSERT_TRUE(manager.getInfos(ResumeFilter{1, 2, false, {}}, infos, total, down, up));
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(infos[0].resume_id, 2u);
    EXPECT_EQ(infos[1].resume_id, 3u);
    EXPECT_EQ(total, 4);

    // "action" in the caller's map is overwritten: this is a partial update.
    PObject partial;
    partial["action"] = "remove_info";
    partial["resume_id"] = static_cast<PObject::integer_type>(1);
    partial["user_action"] = static_cast<uint32_t>(ResumeInfo::UA_PAUSE);
    ASSERT_TRUE(manager.updatePartialInfo(partial));
    ResumeInfo stored;
    ASSERT_TRUE(manager.getResumeInfoFromResumeId(1, stored));
    EXPECT_EQ(stored.user_action, ResumeInfo::UA_PAUSE);
    EXPECT_EQ(stored.progress, 4u);

    manager.adjustPriority({4}, true, true);
    manager.getInfos(ResumeFilter{0, 1, true, {1}}, infos, total, down, up);
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(infos[0].resume_id, 4u);
    EXPECT_EQ(total, 3);

    EXPECT_TRUE(manager.removeInfo(3));
    std::vector<ResumeInfo> done;
    ASSERT_TRUE(manager.consumeDoneTasks(done));
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].resume_id, 3u);
    EXPECT_EQ(done[0].local_state, ResumeInfo::RI_FAILED);

    // Operations that report true whether or not anything changed.
    EXPECT_TRUE(manager.removeInfo(999));
    EXPECT_TRUE(manager.reserveTokensForTransfer(12345, 0));
    EXPECT_TRUE(manager.resumeAllInfoByPeerId(42));
    EXPECT_TRUE(manager.addInfos({}));
    ResumeInfo unknown = newTask(1);
    unknown.resume_id = 777;
    EXPECT_TRUE(manager.addInfos({unknown}));
    manager.getInfos(ResumeFilter(), infos, total, down, up);
    EXPECT_EQ(total, 3);

    PObject dump;
    dump["stale"] = 1u;
    ASSERT_TRUE(manager.debugVCM(dump));
    EXPECT_FALSE(dump.hasMember("stale"));
    EXPECT_FALSE(dump.hasMember("success"));
    EXPECT_EQ(dump["m_resume_priority_queue"].asArray().size(), 3u);
    EXPECT_EQ(dump["m_next_resume_id"].asUInt64(), 5u);
}

TEST(VardoCoreManager, UnknownActionsGetAnEmptyAnswer)
{
    VardoCoreManagerImplDefault store;
    for (const char* action : {"GET_NEXT_PEER_ID", "", "no_such_action"}) {
        PObject request;
        request["action"] = action;
        PObject response;
        store.handle(request, response);
        EXPECT_TRUE(response.isNull()) << action;
    }
    PObject no_action;
    no_action["peer_id"] = 1u;
    PObject response;
    store.handle(no_action, response);
    EXPECT_TRUE(response.isNull());

    // The front reads an empty answer as failure and leaves its outs alone.
    VardoCoreManager manager(new SilentImpl());
    uint64_t id = 55;
    EXPECT_FALSE(manager.getNextPeerId(id));
    EXPECT_EQ(id, 55u);
    ResumeInfo task = newTask(1);
    task.resume_id = 8;
    EXPECT_TRUE(manager.updateInfo(task));
    EXPECT_EQ(task.resume_id, 0u);
    std::vector<ResumeInfo> infos(2);
    int total = 3;
    uint64_t down = 4, up = 5;
    EXPECT_TRUE(manager.getInfos(ResumeFilter(), infos, total, down, up));
    EXPECT_TRUE(infos.empty());
    EXPECT_EQ(total + down + up, 0u);
    PObject dump;
    dump["x"] = 1u;
    manager.debugVCM(dump);
    EXPECT_TRUE(dump.isNull());
}

namespace {

// Remembers the last request and answers with a fixed response.
class RecordingImpl : public VardoCoreManagerImpl {
public:
    void request(const PObject& request, PObject& response) override
    {
        last = request;
        response = answer;
    }
    PObject last;
    PObject answer;
};

PObject requestMap(const char* action, std::initializer_list<std::pair<const char*, uint64_t>> arguments)
{
    PObject map;
    map["action"] = action;
    for (const auto& argument : arguments)
        map[argument.first] = static_cast<PObject::integer_type>(argument.second);
    return map;
}

} // namespace

// Each lookup of the front sends its action with its argument, and copies
// the named answer out only when the answer says success.
TEST(VardoCoreManager, LookupsSendTheirActionAndReadTheirAnswer)
{
    struct Case {
        const char* name;
        PObject expected_request;
        const char* answer_key;
        std::function<bool(VardoCoreManager&, uint64_t&)> call;
    };
    const std::vector<Case> cases = {
        {"next_peer_id", requestMap("get_next_peer_id", {}), "next_peer_id",
         [](VardoCoreManager& m, uint64_t& out) { return m.getNextPeerId(out); }},
        {"generate_peer_seed", requestMap("generate_peer_seed", {{"peer_id", 3}}), "seed",
         [](VardoCoreManager& m, uint64_t& out) { return m.generatePeerSeed(3, out); }},
        {"find_by_peer_seed", requestMap("find_peer_id_by_peer_seed", {{"peer_seed", 4}}), "peer_id",
         [](VardoCoreManager& m, uint64_t& out) { return m.findPeerIdByPeerSeed(4, out); }},
        {"take_transfer_seed", requestMap("take_transfer_seed", {{"peer_id", 5}}), "transfer_seed",
         [](VardoCoreManager& m, uint64_t& out) { return m.takeTransferSeed(5, out); }},
        {"find_by_transfer_seed", requestMap("find_peer_id_by_transfer_seed", {{"transfer_seed", 6}}), "peer_id",
         [](VardoCoreManager& m, uint64_t& out) { return m.findPeerIdByTransferSeed(6, out); }},
        {"take_token", requestMap("take_token", {{"transfer_seed", 7}}), "token",
         [](VardoCoreManager& m, uint64_t& out) { return m.takeToken(7, out); }},
        {"resume_info_by_id", requestMap("get_resume_info_from_resume_id", {{"resume_id", 8}}), "resume_info",
         [](VardoCoreManager& m, uint64_t& out) {
             ResumeInfo info;
             info.resume_id = out;
             const bool ok = m.getResumeInfoFromResumeId(8, info);
             out = info.resume_id;
             return ok;
         }},
        {"resume_info_by_token", requestMap("get_resume_info_from_token", {{"token", 9}}), "resume_info",
         [](VardoCoreManager& m, uint64_t& out) {
             ResumeInfo info;
             info.resume_id = out;
             const bool ok = m.getResumeInfoFromToken(9, info);
             out = info.resume_id;
             return ok;
         }},
        {"next_waiting", requestMap("get_next_waiting_info", {{"transfer_seed", 10}, {"concurrent", 2}}),
         "resume_info", [](VardoCoreManager& m, uint64_t& out) {
             ResumeInfo info;
             info.resume_id = out;
             const bool ok = m.getNextWaitingInfo(10, 2, info);
             out = info.resume_id;
             return ok;
         }},
        {"peer_load", requestMap("get_peer_load", {{"peer_id", 11}}), "running_pulls",
         [](VardoCoreManager& m, uint64_t& out) {
             PeerLoad load;
             load.running_pulls = out;
             const bool ok = m.getPeerLoad(11, load);
             out = load.running_pulls;
             return ok;
         }},
    };
    for (const Case& c : cases) {
        for (bool success : {false, true}) {
            RecordingImpl* impl = new RecordingImpl();
            VardoCoreManager manager(impl);
            impl->answer["success"] = success;
            if (std::string(c.answer_key) == "resume_info")
                impl->answer["resume_info"]["resume_id"] = static_cast<PObject::integer_type>(4242);
            else
                impl->answer[c.answer_key] = static_cast<PObject::integer_type>(4242);
            uint64_t out = 17;
            EXPECT_EQ(c.call(manager, out), success) << c.name;
            EXPECT_EQ(impl->last, c.expected_request) << c.name << ": " << impl->last.toString();
            EXPECT_EQ(out, success ? 4242u : 17u) << c.name;
        }
    }
}

// Calls whose answer is only "success" send their action and arguments.
TEST(VardoCoreManager, SuccessCallsSendTheirActionAndArguments)
{
    struct Case {
        PObject expected_request;
        std::function<bool(VardoCoreManager&)> call;
    };
    const std::vector<Case> cases = {
        {requestMap("check_peer", {{"peer_id", 1}}), [](VardoCoreManager& m) { return m.checkPeer(1); }},
        {requestMap("set_peer_seed", {{"peer_id", 2}, {"seed", 3}}),
         [](VardoCoreManager& m) { return m.setPeerSeed(2, 3); }},
        {requestMap("remove_peer", {{"peer_id", 4}}), [](VardoCoreManager& m) { return m.removePeer(4); }},
        {requestMap("update_disconnected_info", {{"peer_id", 5}}),
         [](VardoCoreManager& m) { return m.updateDisconnectedInfo(5); }},
        {requestMap("reset_peer", {{"peer_id", 6}}), [](VardoCoreManager& m) { return m.resetPeer(6); }},
        {requestMap("remove_transfer", {{"transfer_seed", 7}}),
         [](VardoCoreManager& m) { return m.removeTransfer(7); }},
        {requestMap("abort_unknown_token", {{"token", 8}}),
         [](VardoCoreManager& m) { return m.abortUnknownToken(8); }},
        {requestMap("has_pending_info", {{"transfer_seed", 9}}),
         [](VardoCoreManager& m) { return m.hasPendingInfo(9); }},
    };
    for (const Case& c : cases) {
        for (bool success : {false, true}) {
            RecordingImpl* impl = new RecordingImpl();
            VardoCoreManager manager(impl);
            impl->answer["success"] = success;
            EXPECT_EQ(c.call(manager), success) << c.expected_request.toString();
            EXPECT_EQ(impl->last, c.expected_request) << impl->last.toString();
        }
    }
    // These report true whatever the answer.
    RecordingImpl* impl = new RecordingImpl();
    VardoCoreManager manager(impl);
    EXPECT_TRUE(manager.reserveTokensForTransfer(11, -2));
    PObject reserve = requestMap("reserve_tokens_for_transfer", {{"transfer_seed", 11}});
    reserve["number"] = static_cast<int32_t>(-2);
    EXPECT_EQ(impl->last, reserve);
    EXPECT_TRUE(manager.removeInfo(12));
    EXPECT_EQ(impl->last, requestMap("remove_info", {{"resume_id", 12}}));
    EXPECT_TRUE(manager.resumeAllInfoByPeerId(13));
    EXPECT_EQ(impl->last, requestMap("resume_all_info_by_peer_id", {{"peer_id", 13}}));
}

// Writers add and finish tasks while two connections of one peer schedule
// under a cap and a view polls; run under ThreadSanitizer as well.
TEST(VardoCoreManager, ConcurrentWritersSchedulersAndReaders)
{
    VardoCoreManager manager(new VardoCoreManagerImplLock());
    manager.setPeerSeed(1, 2024);
    uint64_t seeds[2] = {0, 0};
    ASSERT_TRUE(manager.takeTransferSeed(1, seeds[0]));
    ASSERT_TRUE(manager.takeTransferSeed(1, seeds[1]));

    const int kWriters = 2;
    const int kBatches = 20;
    const int kBatchSize = 10;
    const int kTasks = kWriters * kBatches * kBatchSize;
    const int kCap = 3;
    std::atomic<int> added_batches{0};
    std::atomic<bool> writers_done{false};
    std::mutex handed_lock;
    std::multiset<uint64_t> handed;

    std::vector<std::thread> threads;
    for (int w = 0; w < kWriters; ++w) {
        threads.emplace_back([&] {
            for (int b = 0; b < kBatches; ++b) {
                manager.addInfos(std::vector<ResumeInfo>(kBatchSize, newTask(1)));
                ++added_batches;
            }
        });
    }
    // held never exceeds what the store counts as running: it grows after a
    // task is handed out and shrinks before the task is finished.
    std::atomic<int> held{0};
    std::atomic<int> max_held{0};
    for (uint64_t seed : seeds) {
        threads.emplace_back([&, seed] {
            for (;;) {
                std::vector<ResumeInfo> mine;
                ResumeInfo task;
                while (manager.getNextWaitingInfo(seed, kCap, task)) {
                    mine.push_back(task);
                    const int now_held = ++held;
                    int seen = max_held;
                    while (now_held > seen && !max_held.compare_exchange_weak(seen, now_held)) {
                    }
                }
                if (mine.empty()) {
                    std::vector<ResumeInfo> page;
                    int total = 0;
                    uint64_t down = 0, up = 0;
                    manager.getInfos(ResumeFilter(), page, total, down, up);
                    if (writers_done && total == 0)
                        return;
                    std::this_thread::yield();
                    continue;
                }
                for (const ResumeInfo& taken : mine) {
                    {
                        std::lock_guard<std::mutex> guard(handed_lock);
                        handed.insert(taken.resume_id);
                    }
                    --held;
                    PObject finish;
                    finish["resume_id"] = static_cast<PObject::integer_type>(taken.resume_id);
                    finish["progress"] = static_cast<PObject::integer_type>(taken.total);
                    finish["local_state"] = static_cast<uint32_t>(ResumeInfo::RI_DONE);
                    manager.updatePartialInfo(finish);
                }
            }
        });
    }
    std::vector<ResumeInfo> collected;
    threads.emplace_back([&] {
        std::vector<ResumeInfo> done;
        while (!writers_done || collected.size() < static_cast<size_t>(kTasks)) {
            manager.consumeDoneTasks(done);
            collected.insert(collected.end(), done.begin(), done.end());
            std::vector<ResumeInfo> page;
            int total = 0;
            uint64_t down = 0, up = 0;
            manager.getInfos(ResumeFilter{0, 100, true, {1}}, page, total, down, up);
            PObject dump;
            manager.debugVCM(dump);
            if (added_batches == kWriters * kBatches)
                writers_done = true;
        }
    });
    for (std::thread& thread : threads)
        thread.join();

    EXPECT_EQ(handed.size(), static_cast<size_t>(kTasks));
    for (uint64_t id : handed)
        EXPECT_EQ(handed.count(id), 1u) << "task " << id << " handed out twice";
    EXPECT_LE(max_held.load(), kCap);
    ASSERT_EQ(collected.size(), static_cast<size_t>(kTasks));
    std::set<uint64_t> ids;
    for (const ResumeInfo& task : collected) {
        EXPECT_EQ(task.local_state, ResumeInfo::RI_DONE);
        ids.insert(task.resume_id);
    }
    EXPECT_EQ(ids.size(), static_cast<size_t>(kTasks));
}
