#include "kavelin/task-index.h"

#include <algorithm>
#include <queue>

namespace {

bool isRunningIncomplete(const TaskNode& node)
{
    const ResumeInfo& info = node.info;
    if (info.local_state != ResumeInfo::RI_RUNNING || node.handed_over)
        return false;
    // A download whose size is not known yet is still in progress.
    return info.progress != info.total || (info.command == C_PULL && info.total == 0);
}

bool mayHaveSpeed(const ResumeInfo& info)
{
    return info.update_time != 0 && info.last_update_time != 0 && info.update_time > info.last_update_time &&
           info.progress > info.last_progress;
}

} // namespace

TaskIndexState TaskIndex::stateOf(const TaskNode& node)
{
    const ResumeInfo& info = node.info;
    TaskIndexState state;
    state.linked = true;
    state.peer_id = info.peer_id;
    state.listed = info.user_action != ResumeInfo::UA_ABORT;
    state.waiting = info.local_state == ResumeInfo::RI_WAITING;
    state.eligible = state.waiting && info.remote_state != ResumeInfo::RI_PAUSED;
    state.running_incomplete = isRunningIncomplete(node);
    state.running_pull = info.local_state == ResumeInfo::RI_RUNNING && info.command == C_PULL;
    state.riding = node.handed_over && info.command == C_PULL;
    state.riding_bytes = state.riding ? info.total : 0;
    state.has_speed = mayHaveSpeed(info);
    state.speed_time = info.update_time;
    return state;
}

void TaskIndex::count(PeerTasks& peer, const TaskIndexState& state, bool add)
{
    auto step = [add](size_t& counter, bool on) {
        if (on)
            counter = add ? counter + 1 : counter - 1;
    };
    step(peer.waiting, state.waiting);
    step(peer.running_incomplete, state.running_incomplete);
    step(peer.running_pulls, state.running_pull);
    step(peer.riding, state.riding);
    peer.riding_bytes = add ? peer.riding_bytes + state.riding_bytes : peer.riding_bytes - state.riding_bytes;
}

void TaskIndex::link(TaskNode* node)
{
    node->indexed = stateOf(*node);
    const TaskIndexState& state = node->indexed;
    PeerTasks& peer = m_peers[state.peer_id];
    peer.all.insert(node);
    if (state.listed) {
        peer.listed.insert(node);
        m_listed.insert(node);
    }
    if (state.eligible)
        peer.eligible.insert(node);
    count(peer, state, true);
    if (state.has_speed)
        m_by_update_time.insert({state.speed_time, node});
}

void TaskIndex::unlink(TaskNode* node)
{
    TaskIndexState& state = node->indexed;
    if (!state.linked)
        return;
    auto found = m_peers.find(state.peer_id);
    if (found != m_peers.end()) {
        PeerTasks& peer = found->second;
        peer.all.erase(node);
        if (state.listed)
            peer.listed.erase(node);
        if (state.eligible)
            peer.eligible.erase(node);
        count(peer, state, false);
        if (peer.all.empty())
            m_peers.erase(found);
    }
    if (state.listed)
        m_listed.erase(node);
    if (state.has_speed)
        m_by_update_time.erase({state.speed_time, node});
    state = TaskIndexState();
}

void TaskIndex::refile(TaskNode* node)
{
    const TaskIndexState before = node->indexed;
    auto found = before.linked ? m_peers.find(before.peer_id) : m_peers.end();
    if (found == m_peers.end() || before.peer_id != node->info.peer_id) {
        unlink(node);
        link(node);
        return;
    }
    // Same peer, same place in the list: only the sets whose membership
    // changed are touched, which spares most tree operations of a change.
    PeerTasks& peer = found->second;
    const TaskIndexState after = stateOf(*node);
    if (before.listed != after.listed) {
        if (after.listed) {
            peer.listed.insert(node);
            m_listed.insert(node);
        } else {
            peer.listed.erase(node);
            m_listed.erase(node);
        }
    }
    if (before.eligible != after.eligible) {
        if (after.eligible)
            peer.eligible.insert(node);
        else
            peer.eligible.erase(node);
    }
    count(peer, before, false);
    count(peer, after, true);
    if (before.has_speed != after.has_speed || before.speed_time != after.speed_time) {
        if (before.has_speed)
            m_by_update_time.erase({before.speed_time, node});
        if (after.has_speed)
            m_by_update_time.insert({after.speed_time, node});
    }
    node->indexed = after;
}

const TaskIndex::PeerTasks* TaskIndex::findPeer(uint64_t peer_id) const
{
    auto found = m_peers.find(peer_id);
    return found == m_peers.end() ? nullptr : &found->second;
}

std::vector<TaskNode*> TaskIndex::peerTasks(uint64_t peer_id) const
{
    const PeerTasks* peer = findPeer(peer_id);
    if (!peer)
        return {};
    return std::vector<TaskNode*>(peer->all.begin(), peer->all.end());
}

TaskNode* TaskIndex::firstEligible(uint64_t peer_id) const
{
    const PeerTasks* peer = findPeer(peer_id);
    if (!peer || peer->eligible.empty())
        return nullptr;
    return *peer->eligible.begin();
}

size_t TaskIndex::runningIncomplete(uint64_t peer_id) const
{
    const PeerTasks* peer = findPeer(peer_id);
    return peer ? peer->running_incomplete : 0;
}

size_t TaskIndex::eligibleCount(uint64_t peer_id) const
{
    const PeerTasks* peer = findPeer(peer_id);
    return peer ? peer->eligible.size() : 0;
}

size_t TaskIndex::runningPulls(uint64_t peer_id) const
{
    const PeerTasks* peer = findPeer(peer_id);
    return peer ? peer->running_pulls : 0;
}

bool TaskIndex::mayRide(uint64_t peer_id, uint64_t size) const
{
    if (size == 0 || size > kMaxRidingFileBytes)
        return false;
    const PeerTasks* peer = findPeer(peer_id);
    if (!peer)
        return true;
    return peer->riding < kMaxRidingTasks && peer->riding_bytes <= kMaxRidingBytes - size;
}

bool TaskIndex::hasWaiting(uint64_t peer_id) const
{
    const PeerTasks* peer = findPeer(peer_id);
    return peer && peer->waiting > 0;
}

std::vector<uint64_t> TaskIndex::filterPeers(const ResumeFilter& filter)
{
    std::vector<uint64_t> peers = filter.peer_ids;
    std::sort(peers.begin(), peers.end());
    peers.erase(std::unique(peers.begin(), peers.end()), peers.end());
    return peers;
}

size_t TaskIndex::countPassing(const ResumeFilter& filter) const
{
    if (!filter.check_peer_id)
        return m_listed.size();
    size_t count = 0;
    for (uint64_t peer_id : filterPeers(filter)) {
        if (const PeerTasks* peer = findPeer(peer_id))
            count += peer->listed.size();
    }
    return count;
}

std::vector<const TaskNode*> TaskIndex::pagePassing(const ResumeFilter& filter, size_t first, size_t last) const
{
    std::vector<const TaskNode*> page;
    if (first >= last)
        return page;

    const RankedSet* single = nullptr;
    std::vector<const RankedSet*> sets;
    if (!filter.check_peer_id) {
        single = &m_listed;
    } else {
        for (uint64_t peer_id : filterPeers(filter)) {
            if (const PeerTasks* peer = findPeer(peer_id))
                sets.push_back(&peer->listed);
        }
        if (sets.size() == 1)
            single = sets[0];
    }

    if (single) {
        if (first >= single->size())
            return page;
        page.reserve(std::min(last, single->size()) - first);
        for (auto it = single->find_by_order(first); it != single->end() && first < last; ++it, ++first)
            page.push_back(*it);
        return page;
    }

    // Several peers: merge their ordered sets by list position.
    typedef std::pair<RankedSet::const_iterator, RankedSet::const_iterator> Cursor;
    auto later = [](const Cursor& a, const Cursor& b) { return (*a.first)->order > (*b.first)->order; };
    std::priority_queue<Cursor, std::vector<Cursor>, decltype(later)> heads(later);
    for (const RankedSet* set : sets) {
        if (!set->empty())
            heads.push({set->begin(), set->end()});
    }
    for (size_t rank = 0; rank < last && !heads.empty(); ++rank) {
        Cursor head = heads.top();
        heads.pop();
        if (rank >= first)
            page.push_back(*head.first);
        if (++head.first != head.second)
            heads.push(head);
    }
    return page;
}

void TaskIndex::sumSpeeds(const ResumeFilter& filter, uint64_t now_ms, uint64_t& download, uint64_t& upload) const
{
    const uint64_t since = now_ms >= 1000 ? now_ms - 1000 : 0;
    auto it = m_by_update_time.lower_bound({since, nullptr});
    for (; it != m_by_update_time.end() && it->first <= now_ms; ++it) {
        const ResumeInfo& info = it->second->info;
        if (!isResumeInfoPassFilter(info, filter))
            continue;
        const uint64_t speed = getResumeInfoEstimatedSpeed(info, now_ms);
        if (info.command == C_PULL)
            download += speed;
        else
            upload += speed;
    }
}
