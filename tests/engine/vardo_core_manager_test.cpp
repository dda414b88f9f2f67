#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
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
