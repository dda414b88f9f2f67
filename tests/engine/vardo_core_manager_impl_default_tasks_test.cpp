#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "file-op.h"
#include "kavelin/error-code.h"
#include "kavelin/task-index.h"
#include "store_test_support.h"

namespace {

class StoreTasksTest : public ::testing::Test, public StoreWithClock {
protected:
    // A peer with a seed and the transfer seed its connection would use.
    uint64_t connectPeer(uint64_t peer_id)
    {
        store.setPeerSeed(peer_id, 1000 + peer_id);
        return transferSeedWindow(peer_id).front();
    }

    uint64_t next(uint64_t transfer_seed, int concurrent)
    {
        ResumeInfo info;
        return store.getNextWaitingInfo(transfer_seed, concurrent, info) ? info.resume_id : 0;
    }

    std::vector<uint64_t> page(const ResumeFilter& filter, int* total = nullptr)
    {
        std::vector<ResumeInfo> infos;
        int count = 0;
        uint64_t down = 0, up = 0;
        store.getInfos(filter, infos, count, down, up);
        if (total)
            *total = count;
        std::vector<uint64_t> ids;
        for (const ResumeInfo& info : infos)
            ids.push_back(info.resume_id);
        return ids;
    }
};

bool fileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

} // namespace

TEST_F(StoreTasksTest, AddAppendsWithNewIdsAndReplaceKeepsTheId)
{
    EXPECT_EQ(add(1), 1u);
    EXPECT_EQ(add(1), 2u);
    EXPECT_EQ(order(), (std::vector<uint64_t>{1, 2}));

    ResumeInfo changed = task(1);
    changed.path_to = ustring("/new/place");
    changed.update_time = 5;  // the store keeps its own times
    ASSERT_TRUE(store.updateInfo(changed));
    EXPECT_EQ(changed.resume_id, 1u);
    EXPECT_EQ(changed.update_time, now);
    EXPECT_STREQ(task(1).path_to.c_str_utf8(), "/new/place");
    EXPECT_EQ(order(), (std::vector<uint64_t>{1, 2}));

    ResumeInfo unknown;
    unknown.resume_id = 99;
    EXPECT_FALSE(store.updateInfo(unknown));
    EXPECT_EQ(order().size(), 2u);
}

TEST_F(StoreTasksTest, DoneTasksLeaveTheListAndAreConsumedOnce)
{
    const uint64_t seed = connectPeer(1);
    now = 5000000;
    const uint64_t added_done = add(1, C_PUSH, ResumeInfo::RI_DONE);
    EXPECT_EQ(added_done, 1u);
    EXPECT_TRUE(order().empty());
    EXPECT_EQ(add(1), 2u);  // the done task's id stays used

    ResumeInfo running;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, running));
    now += 10;
    ASSERT_TRUE(update(2, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_DONE))));
    ResumeInfo gone;
    EXPECT_FALSE(store.getResumeInfoFromResumeId(2, gone));
    TokenInfo token_info;
    EXPECT_FALSE(store.getTokenInfoFromToken(running.token, token_info));

    std::vector<ResumeInfo> done(3);
    store.consumeDoneTasks(done);
    ASSERT_EQ(done.size(), 2u);
    EXPECT_EQ(done[0].resume_id, 1u);
    EXPECT_EQ(done[0].finish_time, 5000000u);
    EXPECT_EQ(done[0].start_time, 5000000u);
    EXPECT_EQ(done[1].resume_id, 2u);
    EXPECT_EQ(done[1].local_state, ResumeInfo::RI_DONE);
    EXPECT_EQ(done[1].start_time, running.start_time);
    store.consumeDoneTasks(done);
    EXPECT_TRUE(done.empty());
}

// A task that finishes after retries is done, nothing else: the error of a
// failed attempt and a progress short of the file do not stay beside it.
TEST_F(StoreTasksTest, DoneTaskCarriesNoErrorAndTheWholeFile)
{
    connectPeer(1);
    add(1, C_PUSH);
    ASSERT_TRUE(update(1, "total", PObject(static_cast<uint64_t>(3000000))));
    ASSERT_TRUE(update(1, "progress", PObject(static_cast<uint64_t>(2100000))));
    ASSERT_TRUE(update(1, "error", PObject(static_cast<uint32_t>(ProjectVardo::ERR_IO))));
    ASSERT_TRUE(update(1, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_DONE))));
    std::vector<ResumeInfo> done;
    store.consumeDoneTasks(done);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].error, ProjectVardo::ERR_OK);
    EXPECT_EQ(done[0].progress, 3000000u);
}

TEST_F(StoreTasksTest, PartialUpdatesChangeOnlyTheNamedFields)
{
    const uint64_t id = add(1);
    PObject fragments;
    fragments.asArray().resize(2);
    fragments.asArray()[0]["begin"] = 0u;
    fragments.asArray()[0]["end"] = 10u;
    fragments.asArray()[1]["begin"] = 20u;
    fragments.asArray()[1]["end"] = 30u;
    ASSERT_TRUE(update(id, "fragments", fragments));
    ASSERT_TRUE(update(id, "progress", PObject(20u)));
    EXPECT_EQ(task(id).fragments.size(), 2u);
    PObject no_fragments;
    no_fragments.asArray();
    ASSERT_TRUE(update(id, "fragments", no_fragments));
    EXPECT_TRUE(task(id).fragments.empty());
    ASSERT_TRUE(update(id, "token", PObject(77u)));  // not changeable this way
    EXPECT_EQ(task(id).token, 0u);

    PObject without_id;
    without_id["progress"] = 1u;
    EXPECT_FALSE(store.updatePartialInfo(without_id));
    EXPECT_FALSE(update(99, "progress", PObject(1u)));
}

// A fragment list may be the other end's report of what it holds: ranges
// that name no bytes of the file are left out, and so is an endless list.
TEST_F(StoreTasksTest, PartialUpdatesKeepOnlyFragmentsWithinTheFile)
{
    const size_t kMax = VardoCoreManagerImplDefault::kMaxFragmentsPerTask;
    std::vector<FileFragment> endless;
    for (uint64_t i = 0; i < kMax + 10; ++i)
        endless.push_back({i * 2, i * 2 + 1});
    struct Case {
        const char* name;
        std::vector<FileFragment> reported;
        uint64_t new_total;  // 0: the task keeps its 1000 bytes
        std::vector<FileFragment> kept;
    };
    const Case cases[] = {
        {"well-formed ranges kept in order", {{600, 1000}, {0, 10}, {10, 10}}, 0, {{600, 1000}, {0, 10}, {10, 10}}},
        {"reversed range", {{0, 10}, {30, 20}}, 0, {{0, 10}}},
        {"past the file's end", {{0, 10}, {900, 1001}, {2000, 3000}}, 0, {{0, 10}}},
        {"size set in the same update", {{0, 1500}}, 1500, {{0, 1500}}},
        {"endless list cut", endless, 1u << 20, std::vector<FileFragment>(endless.begin(), endless.begin() + kMax)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const uint64_t id = add(1);
        PObject partial;
        partial["resume_id"] = static_cast<PObject::integer_type>(id);
        if (c.new_total != 0)
            partial["total"] = static_cast<PObject::integer_type>(c.new_total);
        PObject::array_type& list = partial["fragments"].asArray();
        for (const FileFragment& f : c.reported) {
            PObject element;
            element["begin"] = static_cast<PObject::integer_type>(f.begin);
            element["end"] = static_cast<PObject::integer_type>(f.end);
            list.push_back(element);
        }
        ASSERT_TRUE(store.updatePartialInfo(partial));
        EXPECT_EQ(task(id).fragments, c.kept);
    }
}

TEST_F(StoreTasksTest, ElapsedTimeGrowsOnlyWhileRunning)
{
    const uint64_t seed = connectPeer(1);
    const uint64_t waiting = add(1);
    const uint64_t running = add(1);
    ASSERT_TRUE(update(waiting, "remote_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_PAUSED))));
    ASSERT_EQ(next(seed, 0), running);

    update(running, "progress", PObject(100u));
    update(waiting, "progress", PObject(0u));
    const uint64_t first = now;
    now += 500;
    update(running, "progress", PObject(200u));
    update(waiting, "progress", PObject(0u));
    const ResumeInfo r = task(running);
    EXPECT_EQ(r.elapsed_time, 500u);
    EXPECT_EQ(r.update_time, now);
    EXPECT_EQ(r.last_update_time, first);
    EXPECT_EQ(r.last_progress, 100u);
    const ResumeInfo w = task(waiting);
    EXPECT_EQ(w.elapsed_time, 0u);
    EXPECT_EQ(w.update_time, now);
    EXPECT_EQ(w.last_update_time, first);
}

TEST_F(StoreTasksTest, SchedulingFollowsListOrderUnderTheCap)
{
    const uint64_t seed = connectPeer(1);
    const uint64_t other_seed = connectPeer(2);
    const uint64_t t1 = add(1);
    const uint64_t foreign = add(2);
    const uint64_t t2 = add(1, C_PULL);
    const uint64_t paused = add(1);
    const uint64_t t3 = add(1);
    update(paused, "remote_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_PAUSED)));

    EXPECT_EQ(next(seed, 2), t1);
    update(t2, "total", PObject(0u));  // a download of unknown size still counts
    EXPECT_EQ(next(seed, 2), t2);
    EXPECT_EQ(next(seed, 2), 0u);      // two running, cap reached
    update(t1, "progress", PObject(1000u));  // complete: no longer counts
    EXPECT_EQ(next(seed, 2), t3);      // the remotely paused task is skipped
    EXPECT_EQ(next(seed, 0), 0u);      // nothing eligible left
    EXPECT_EQ(next(other_seed, 1), foreign);

    ResumeInfo never;
    never.resume_id = 12345;
    EXPECT_FALSE(store.getNextWaitingInfo(seed, 0, never));
    EXPECT_EQ(never.resume_id, 12345u);
}

// A task whose part is on the link waits only for the other end's word and
// gives its slot to the next one; anything that changes its state or token
// takes the mark away. Downloads ride ahead only within the peer's budget of
// requests out, and only when their size is known.
TEST_F(StoreTasksTest, HandedOverTasksGiveTheirSlotToTheNext)
{
    const uint64_t seed = connectPeer(1);
    const PObject yes(static_cast<uint32_t>(1));
    const uint64_t upload = add(1);
    const uint64_t second = add(1);
    const uint64_t unsized = add(1, C_PULL);
    update(unsized, "total", PObject(0u));
    const uint64_t third = add(1);

    EXPECT_EQ(next(seed, 1), upload);
    EXPECT_EQ(next(seed, 1), 0u);
    update(upload, "progress", PObject(999u));  // not yet confirmed
    ASSERT_TRUE(update(upload, "handed_over", yes));
    EXPECT_EQ(task(upload).progress, 999u);     // what is shown stays as it was
    EXPECT_EQ(next(seed, 1), second);
    ASSERT_TRUE(update(second, "handed_over", yes));
    EXPECT_EQ(next(seed, 1), unsized);
    ASSERT_TRUE(update(unsized, "handed_over", yes));  // a download of unknown size keeps its slot
    EXPECT_EQ(next(seed, 1), 0u);
    update(unsized, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_DONE)));
    EXPECT_EQ(next(seed, 1), third);

    // The other end asked for the upload again: back to waiting, then
    // running again, it holds a slot until handed over anew.
    update(third, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_DONE)));
    update(upload, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_WAITING)));
    EXPECT_EQ(next(seed, 1), upload);
    EXPECT_EQ(next(seed, 1), 0u);

    // The counts the data connections plan with follow the same rule:
    // second and upload run, upload holds the only slot.
    update(second, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_RUNNING)));
    const uint64_t download = add(1, C_PULL);
    update(download, "remote_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_PAUSED)));
    PeerLoad load;
    store.getPeerLoad(1, load);
    EXPECT_EQ(load.running_incomplete, 1u);
    EXPECT_EQ(load.waiting, 0u);  // the remotely paused one may not start
    EXPECT_EQ(load.running_pulls, 0u);
    update(download, "remote_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_WAITING)));
    ASSERT_EQ(next(seed, 0), download);
    ASSERT_TRUE(update(download, "handed_over", yes));
    store.getPeerLoad(1, load);
    EXPECT_EQ(load.running_incomplete, 1u);
    EXPECT_EQ(load.running_pulls, 1u);
    store.getPeerLoad(2, load);
    EXPECT_EQ(load.running_incomplete + load.waiting + load.running_pulls, 0u);

    // A waiting task cannot be handed over.
    const uint64_t waiting = add(1);
    ASSERT_TRUE(update(waiting, "handed_over", yes));
    PObject dump;
    store.debugVCM(dump);
    for (const PObject& form : dump["m_resume_priority_queue"].asArray()) {
        const uint64_t id = form["resume_id"].asUInt64();
        EXPECT_EQ(form["handed_over"].asUInt64(), id == second || id == download ? 1u : 0u) << id;
    }
}

TEST_F(StoreTasksTest, DownloadsRideAheadWithinTheBudgetOfRequestsOut)
{
    const uint64_t seed = connectPeer(1);
    const PObject yes(static_cast<uint32_t>(1));
    const size_t kTasks = TaskIndex::kMaxRidingTasks;
    for (size_t i = 0; i < kTasks + 1; ++i)
        add(1, C_PULL);
    for (size_t i = 0; i < kTasks; ++i) {
        const uint64_t id = next(seed, 1);
        ASSERT_NE(id, 0u) << i;
        ASSERT_TRUE(update(id, "handed_over", yes));
    }
    const uint64_t over_count = next(seed, 1);
    ASSERT_NE(over_count, 0u);
    update(over_count, "handed_over", yes);
    EXPECT_EQ(next(seed, 1), 0u);  // the budget is spent: it holds its slot

    // One file received frees one place in the budget.
    update(1, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_DONE)));
    const uint64_t big = add(1, C_PULL);
    const uint64_t small = add(1, C_PULL);
    update(over_count, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_DONE)));
    update(big, "total", PObject(static_cast<uint64_t>(TaskIndex::kMaxRidingFileBytes + 1)));
    EXPECT_EQ(next(seed, 1), big);
    update(big, "handed_over", yes);  // not a small file: keeps its slot
    EXPECT_EQ(next(seed, 1), 0u);
    update(big, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_DONE)));
    EXPECT_EQ(next(seed, 1), small);
    update(small, "handed_over", yes);
    const uint64_t after = add(1);
    EXPECT_EQ(next(seed, 1), after);
}

TEST_F(StoreTasksTest, NoCapWithoutAPositiveConcurrency)
{
    const uint64_t seed = connectPeer(1);
    for (int i = 0; i < 5; ++i)
        add(1);
    for (int i = 0; i < 5; ++i)
        EXPECT_NE(next(seed, i % 2 == 0 ? 0 : -1), 0u);
    EXPECT_TRUE(store.hasPendingInfo(seed) == false);
    add(1);
    EXPECT_TRUE(store.hasPendingInfo(seed));
    EXPECT_FALSE(store.hasPendingInfo(424242));
}

TEST_F(StoreTasksTest, RescheduledTaskKeepsItsTokenUntilItsPeerIsReset)
{
    uint64_t seed = connectPeer(1);
    const uint64_t id = add(1);
    ResumeInfo first;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, first));
    EXPECT_NE(first.token, 0u);
    EXPECT_EQ(first.start_time, now);
    ResumeInfo by_token;
    ASSERT_TRUE(store.getResumeInfoFromToken(first.token, by_token));
    EXPECT_EQ(by_token.resume_id, id);

    store.updateDisconnectedInfo(1);
    EXPECT_EQ(task(id).local_state, ResumeInfo::RI_ERROR);
    store.resumeAllInfoByPeerId(1);
    EXPECT_EQ(task(id).local_state, ResumeInfo::RI_WAITING);
    now += 1000;
    ResumeInfo again;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, again));
    EXPECT_EQ(again.token, first.token);
    EXPECT_EQ(again.start_time, first.start_time);

    store.resetPeer(1);
    store.resumeAllInfoByPeerId(1);
    store.setPeerSeed(1, 0xA6A1);  // logged in again: a new peer seed
    seed = transferSeedWindow(1).front();
    now += 1000;
    ResumeInfo fresh;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, fresh));
    EXPECT_NE(fresh.token, first.token);
    EXPECT_EQ(fresh.start_time, now);
}

TEST_F(StoreTasksTest, ResumeSkipsPausedAndOtherErrors)
{
    const uint64_t lost = add(1);
    const uint64_t paused = add(1);
    const uint64_t failed = add(1);
    store.updateDisconnectedInfo(1);
    update(paused, "local_state", PObject(static_cast<uint32_t>(ResumeInfo::RI_PAUSED)));
    update(failed, "error", PObject(static_cast<uint32_t>(ProjectVardo::ERR_IO)));
    store.resumeAllInfoByPeerId(1);
    EXPECT_EQ(task(lost).local_state, ResumeInfo::RI_WAITING);
    EXPECT_EQ(task(lost).error, ProjectVardo::ERR_CONNECTION_LOST);
    EXPECT_EQ(task(paused).local_state, ResumeInfo::RI_PAUSED);
    EXPECT_EQ(task(failed).local_state, ResumeInfo::RI_ERROR);
}

TEST_F(StoreTasksTest, PagesCountAndSumEveryPassingTask)
{
    std::vector<uint64_t> ids;
    for (int i = 0; i < 12; ++i)
        ids.push_back(add(i % 2 == 0 ? 1 : 2, i < 6 ? C_PULL : C_PUSH));
    const uint64_t aborted = add(1, C_PULL);
    update(aborted, "user_action", PObject(static_cast<uint32_t>(ResumeInfo::UA_ABORT)));

    // Give each task a speed: 1000 bytes over the last 500 ms.
    const uint64_t start = now;
    for (uint64_t id : ids)
        update(id, "progress", PObject(0u));
    update(aborted, "progress", PObject(0u));
    now = start + 500;
    for (uint64_t id : ids)
        update(id, "progress", PObject(1000u));
    update(aborted, "progress", PObject(1000u));

    struct Case {
        const char* name;
        ResumeFilter filter;
        std::vector<uint64_t> expected;
        int total;
        uint64_t down;
        uint64_t up;
    };
    const Case cases[] = {
        {"last page is short", {10, 5, false, {}}, {ids[10], ids[11]}, 12, 6000, 6000},
        {"no limit from the offset", {9, -1, false, {}}, {ids[9], ids[10], ids[11]}, 12, 6000, 6000},
        {"limit 0 still counts", {0, 0, false, {}}, {}, 12, 6000, 6000},
        {"offset past the end", {20, 5, false, {}}, {}, 12, 6000, 6000},
        {"negative offset shortens the page", {-2, 4, false, {}}, {ids[0], ids[1]}, 12, 6000, 6000},
        {"one peer", {1, 2, true, {2}}, {ids[3], ids[5]}, 6, 3000, 3000},
        {"two peers merge in list order", {2, 3, true, {2, 1, 2}}, {ids[2], ids[3], ids[4]}, 12, 6000, 6000},
        {"no peers", {0, -1, true, {}}, {}, 0, 0, 0},
        {"unknown peer", {0, -1, true, {9}}, {}, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<ResumeInfo> infos(5);  // appended to
        int total = -1;
        uint64_t down = 1, up = 1;
        ASSERT_TRUE(store.getInfos(c.filter, infos, total, down, up));
        std::vector<uint64_t> got;
        for (size_t i = 5; i < infos.size(); ++i)
            got.push_back(infos[i].resume_id);
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(total, c.total);
        EXPECT_EQ(down, c.down);
        EXPECT_EQ(up, c.up);
    }

    now += 1001;  // speeds fade once the updates are more than a second old
    std::vector<ResumeInfo> infos;
    int total = 0;
    uint64_t down = 1, up = 1;
    store.getInfos(ResumeFilter(), infos, total, down, up);
    EXPECT_EQ(down + up, 0u);
}

TEST_F(StoreTasksTest, AdjustPriorityMovesSelectedTasksAsABlock)
{
    struct Case {
        const char* name;
        std::vector<uint64_t> ids;  // t1..t5 are resume ids 1..5
        bool up;
        bool most;
        std::vector<uint64_t> expected;
    };
    const Case cases[] = {
        {"up by one", {3, 5}, true, false, {1, 3, 2, 5, 4}},
        {"to the top", {3, 5}, true, true, {3, 5, 1, 2, 4}},
        {"down by one", {1, 3}, false, false, {2, 1, 4, 3, 5}},
        {"to the bottom", {1, 3}, false, true, {2, 4, 5, 1, 3}},
        {"edge task stays", {1, 3}, true, false, {1, 3, 2, 4, 5}},
        {"already at the bottom", {4, 5}, false, false, {1, 2, 3, 4, 5}},
        {"already at the bottom, most", {4, 5}, false, true, {1, 2, 3, 4, 5}},
        {"all at the top", {1, 2, 3, 4, 5}, true, true, {1, 2, 3, 4, 5}},
        {"unknown ids skipped", {42, 4, 43}, true, true, {4, 1, 2, 3, 5}},
        {"first task given twice", {1, 1}, true, false, {1, 2, 3, 4, 5}},
        {"last task given twice", {5, 5}, false, false, {1, 2, 3, 4, 5}},
        {"given out of order", {5, 3}, true, true, {5, 3, 1, 2, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoreWithClock fresh;
        for (int i = 0; i < 5; ++i)
            fresh.add(1);
        EXPECT_TRUE(fresh.store.adjustPriority(c.ids, c.up, c.most));
        EXPECT_EQ(fresh.order(), c.expected);
    }
}

TEST_F(StoreTasksTest, SchedulingAndPagingFollowReorderedTasks)
{
    const uint64_t seed = connectPeer(1);
    for (int i = 0; i < 300; ++i)
        add(i % 3 == 0 ? 1 : 2);
    // Moving task after task into the same spot (just behind task 1)
    // exhausts the room between order keys more than once.
    for (uint64_t id = 300; id > 200; --id)
        store.adjustPriority({1, id}, true, true);
    const std::vector<uint64_t> expected = order();
    std::vector<uint64_t> wanted = {1};
    for (uint64_t id = 201; id <= 300; ++id)
        wanted.push_back(id);
    for (uint64_t id = 2; id <= 200; ++id)
        wanted.push_back(id);
    ASSERT_EQ(expected, wanted);
    EXPECT_EQ(page({0, -1, false, {}}), expected);
    std::vector<uint64_t> peer_one;
    for (uint64_t id : expected) {
        if (task(id).peer_id == 1)
            peer_one.push_back(id);
    }
    EXPECT_EQ(page({5, 10, true, {1}}), std::vector<uint64_t>(peer_one.begin() + 5, peer_one.begin() + 15));
    EXPECT_EQ(next(seed, 0), peer_one.front());
    store.adjustPriority({peer_one.back()}, true, true);
    EXPECT_EQ(next(seed, 0), peer_one.back());
}

TEST_F(StoreTasksTest, RemovingATaskFailsItIntoTheDoneListAndFreesItsToken)
{
    const uint64_t seed = connectPeer(1);
    char dir[] = "/tmp/kavelin-store-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string temp = std::string(dir) + "/part.vexofm";
    std::ofstream(temp) << "partial";

    const uint64_t id = add(1);
    ResumeInfo running;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, running));
    update(id, "temp_path", PObject(temp));
    update(id, "error", PObject(static_cast<uint32_t>(ProjectVardo::ERR_IO)));
    EXPECT_TRUE(store.removeInfo(id));
    EXPECT_TRUE(store.removeInfo(id));  // already gone: still true
    EXPECT_FALSE(fileExists(temp));

    ResumeInfo found;
    EXPECT_FALSE(store.getResumeInfoFromToken(running.token, found));
    TokenInfo token_info;
    EXPECT_FALSE(store.getTokenInfoFromToken(running.token, token_info));
    std::vector<ResumeInfo> done;
    store.consumeDoneTasks(done);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0].local_state, ResumeInfo::RI_FAILED);
    EXPECT_EQ(done[0].remote_state, ResumeInfo::RI_FAILED);
    EXPECT_EQ(done[0].error, ProjectVardo::ERR_IO);
    EXPECT_EQ(done[0].finish_time, now);
    rmdir(dir);
}

TEST_F(StoreTasksTest, RestartedTaskLeavesNoStaleToken)
{
    // The report side restarts a task after a token error by writing it back
    // with no token; the spent token must leave the token table with it.
    const uint64_t seed = connectPeer(1);
    const uint64_t id = add(1);
    ResumeInfo running;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, running));
    const size_t tokens_before = tableSize("m_token_table");

    ResumeInfo restart = task(id);
    restart.token = 0;
    restart.progress = 0;
    restart.local_state = ResumeInfo::RI_WAITING;
    ASSERT_TRUE(store.updateInfo(restart));
    TokenInfo info;
    EXPECT_FALSE(store.getTokenInfoFromToken(running.token, info));
    EXPECT_EQ(tableSize("m_token_table"), tokens_before - 1);
    ResumeInfo found;
    EXPECT_FALSE(store.getResumeInfoFromToken(running.token, found));

    ResumeInfo again;
    ASSERT_TRUE(store.getNextWaitingInfo(seed, 0, again));
    EXPECT_NE(again.token, running.token);
    ASSERT_TRUE(store.getResumeInfoFromToken(again.token, found));
    EXPECT_EQ(found.resume_id, id);
}

TEST_F(StoreTasksTest, TaskAddedWithARemoteTokenConsumesItFromTheWindow)
{
    const uint64_t seed = connectPeer(1);
    const token_t token = tokenWindow(seed).front();
    ResumeInfo incoming;
    incoming.peer_id = 1;
    incoming.command = C_PUSH;
    incoming.token = token;
    incoming.local_state = ResumeInfo::RI_RUNNING;
    ASSERT_TRUE(store.updateInfo(incoming));
    EXPECT_EQ(incoming.start_time, 0u);  // the caller's record keeps its value
    EXPECT_EQ(task(incoming.resume_id).start_time, now);
    const std::vector<uint64_t> window = tokenWindow(seed);
    EXPECT_EQ(window.size(), 3u);
    EXPECT_EQ(std::count(window.begin(), window.end(), token), 0);
    ResumeInfo found;
    ASSERT_TRUE(store.getResumeInfoFromToken(token, found));
    EXPECT_EQ(found.resume_id, incoming.resume_id);
}

TEST(StoreLifetime, DestructionDeletesTemporaryFilesOfQueuedTasksOnly)
{
    char dir[] = "/tmp/kavelin-store-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    const std::string queued = std::string(dir) + "/queued.vexofm";
    const std::string finished = std::string(dir) + "/finished.vexofm";
    std::ofstream(queued) << "q";
    {
        StoreWithClock holder;
        ResumeInfo waiting;
        waiting.command = C_PULL;
        waiting.temp_path = ustring(queued);
        holder.store.updateInfo(waiting);
        ResumeInfo done;
        done.command = C_PULL;
        done.temp_path = ustring(finished);
        done.local_state = ResumeInfo::RI_DONE;
        holder.store.updateInfo(done);
        // A file by the done task's name made after it left the list is
        // not the store's any more.
        std::ofstream(finished) << "f";
    }
    EXPECT_FALSE(fileExists(queued));
    EXPECT_TRUE(fileExists(finished));
    FSRemove(ustring(dir));
}
