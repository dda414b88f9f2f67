#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include "kavelin/resume-info.h"
#include "kavelin/task-list.h"

// Derived indexes over the task list that keep scheduling, paging and the
// speed totals independent of the number of tasks. Every change of a listed
// task is framed by unlink() before and link() after, or followed by
// refile(), so the indexes always describe the fields as they are now.
class TaskIndex {
public:
    struct ByOrder {
        bool operator()(const TaskNode* a, const TaskNode* b) const { return a->order < b->order; }
    };
    typedef std::set<TaskNode*, ByOrder> OrderSet;
    // Ordered by list position with ranks, for paging without a walk.
    typedef __gnu_pbds::tree<TaskNode*, __gnu_pbds::null_type, ByOrder, __gnu_pbds::rb_tree_tag,
                             __gnu_pbds::tree_order_statistics_node_update>
        RankedSet;

    void link(TaskNode* node);
    void unlink(TaskNode* node);
    // Files a linked task again after a change of its fields (not of its
    // place in the list): the same as unlink() before the change and link()
    // after it.
    void refile(TaskNode* node);

    // The peer's tasks in list order (a copy, safe to change tasks while walking it).
    std::vector<TaskNode*> peerTasks(uint64_t peer_id) const;
    // First task of the peer in list order that may be scheduled, or null.
    TaskNode* firstEligible(uint64_t peer_id) const;
    size_t runningIncomplete(uint64_t peer_id) const;
    // Waiting tasks of the peer that may be scheduled, and its running downloads.
    size_t eligibleCount(uint64_t peer_id) const;
    size_t runningPulls(uint64_t peer_id) const;
    // Whether one more handed-over download of size bytes may ride ahead of
    // the peer's cap. Over a round trip a small file takes less time to send
    // than its request takes to arrive, so a cap of a few running downloads
    // would leave the link idle most of the time; a budget of requests out
    // keeps it busy, and bounds what the other end is asked ahead of the
    // user's order. Larger files, and files of unknown size (0), keep to the
    // cap the user set.
    bool mayRide(uint64_t peer_id, uint64_t size) const;
    bool hasWaiting(uint64_t peer_id) const;

    // Number of tasks that pass the filter, and the page [first, last) of
    // them in list order.
    size_t countPassing(const ResumeFilter& filter) const;
    std::vector<const TaskNode*> pagePassing(const ResumeFilter& filter, size_t first, size_t last) const;
    // Sums of the estimated speeds of passing tasks at now; only tasks
    // updated within the last second can have one, so only those are looked at.
    void sumSpeeds(const ResumeFilter& filter, uint64_t now_ms, uint64_t& download, uint64_t& upload) const;

    static constexpr size_t kMaxRidingTasks = 512;
    static constexpr uint64_t kMaxRidingFileBytes = 64u << 10;
    static constexpr uint64_t kMaxRidingBytes = 2u << 20;

private:
    struct PeerTasks {
        OrderSet all;
        RankedSet listed;
        OrderSet eligible;
        size_t waiting = 0;
        size_t running_incomplete = 0;
        size_t running_pulls = 0;
        size_t riding = 0;
        uint64_t riding_bytes = 0;
    };

    const PeerTasks* findPeer(uint64_t peer_id) const;
    static TaskIndexState stateOf(const TaskNode& node);
    // Adds the state's counts to the peer's, or takes them away.
    static void count(PeerTasks& peer, const TaskIndexState& state, bool add);
    // Distinct peers of a filter that checks peer ids.
    static std::vector<uint64_t> filterPeers(const ResumeFilter& filter);

    std::unordered_map<uint64_t, PeerTasks> m_peers;
    RankedSet m_listed;
    std::set<std::pair<uint64_t, TaskNode*>> m_by_update_time;
};
