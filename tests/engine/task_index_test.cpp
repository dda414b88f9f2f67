// Filing a task again in place after a change must leave the indexes exactly
// as taking it out before the change and putting it back after would.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "kavelin/task-index.h"
#include "kavelin/task-list.h"

namespace {

// The answers of every query the store asks of an index.
struct Answers {
    std::vector<size_t> counts;
    std::vector<bool> flags;
    std::vector<uint64_t> ids;

    bool operator==(const Answers& other) const
    {
        return counts == other.counts && flags == other.flags && ids == other.ids;
    }
};

Answers ask(const TaskIndex& index, uint64_t now_ms)
{
    Answers answers;
    for (uint64_t peer = 1; peer <= 3; ++peer) {
        answers.counts.push_back(index.runningIncomplete(peer));
        answers.counts.push_back(index.eligibleCount(peer));
        answers.counts.push_back(index.runningPulls(peer));
        answers.flags.push_back(index.hasWaiting(peer));
        answers.flags.push_back(index.mayRide(peer, 4096));
        const TaskNode* first = index.firstEligible(peer);
        answers.ids.push_back(first ? first->info.resume_id : 0);
        for (const TaskNode* node : index.peerTasks(peer))
            answers.ids.push_back(node->info.resume_id);
    }
    for (const ResumeFilter& filter : {ResumeFilter(), [] {
             ResumeFilter two;
             two.check_peer_id = true;
             two.peer_ids = {2, 3};
             return two;
         }()}) {
        const size_t passing = index.countPassing(filter);
        answers.counts.push_back(passing);
        for (const TaskNode* node : index.pagePassing(filter, 1, passing))
            answers.ids.push_back(node->info.resume_id);
        uint64_t download = 0, upload = 0;
        index.sumSpeeds(filter, now_ms, download, upload);
        answers.ids.push_back(download);
        answers.ids.push_back(upload);
    }
    return answers;
}

TEST(TaskIndex, RefilingMatchesUnlinkingAndLinkingAgain)
{
    std::mt19937_64 random(2024);
    auto pick = [&random](uint64_t n) { return random() % n; };
    const ResumeInfo::State states[] = {ResumeInfo::RI_WAITING, ResumeInfo::RI_RUNNING, ResumeInfo::RI_PAUSED,
                                        ResumeInfo::RI_ERROR};
    TaskList framed, refiled;
    TaskIndex by_frame, by_refile;
    std::vector<TaskList::iterator> a, b;
    for (uint64_t id = 1; id <= 60; ++id) {
        ResumeInfo task;
        task.resume_id = id;
        task.peer_id = 1 + pick(3);
        task.command = pick(2) ? C_PULL : C_PUSH;
        task.total = pick(3) * 4096;
        a.push_back(framed.pushBack(task));
        b.push_back(refiled.pushBack(task));
        by_frame.link(&*a.back());
        by_refile.link(&*b.back());
    }
    uint64_t now_ms = 1000000;
    for (int step = 0; step < 20000; ++step) {
        const size_t i = pick(a.size());
        now_ms += pick(400);
        // One random change, the same on both copies.
        auto change = [&, what = pick(9), value = random()](TaskNode& node) {
            ResumeInfo& task = node.info;
            switch (what) {
            case 0: task.local_state = states[value % 4]; break;
            case 1: task.remote_state = value % 3 ? ResumeInfo::RI_RUNNING : ResumeInfo::RI_PAUSED; break;
            case 2: task.user_action = value % 5 ? ResumeInfo::UA_NONE : ResumeInfo::UA_ABORT; break;
            case 3: task.progress = value % (task.total + 1); break;
            case 4: task.total = (value % 3) * 4096; break;
            case 5: node.handed_over = !node.handed_over; break;
            case 6: task.command = value % 2 ? C_PULL : C_PUSH; break;
            case 7: task.peer_id = 1 + value % 3; break;
            default:
                task.last_update_time = task.update_time;
                task.last_progress = task.progress;
                task.update_time = now_ms;
                task.progress += value % 500;
                break;
            }
        };
        by_frame.unlink(&*a[i]);
        change(*a[i]);
        by_frame.link(&*a[i]);
        change(*b[i]);
        by_refile.refile(&*b[i]);
        ASSERT_TRUE(ask(by_frame, now_ms) == ask(by_refile, now_ms)) << "step " << step;
    }
}

}  // namespace
