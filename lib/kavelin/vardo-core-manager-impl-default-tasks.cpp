// The task list of the task store: adding, updating, scheduling, listing,
// reordering and removing tasks.
#include "kavelin/vardo-core-manager-impl-default.h"

#include <algorithm>
#include <iterator>

#include "file-op.h"
#include "kavelin/error-code.h"
#include "log.h"

VardoCoreManagerImplDefault::ResumeInfoIterator VardoCoreManagerImplDefault::findTask(uint64_t resume_id)
{
    auto found = m_resume_id_index.find(resume_id);
    return found == m_resume_id_index.end() ? m_resume_priority_queue.end() : found->second;
}

void VardoCoreManagerImplDefault::indexToken(token_t token, ResumeInfoIterator position)
{
    m_resume_token_index[token] = position;
}

void VardoCoreManagerImplDefault::unindexToken(token_t token, ResumeInfoIterator position, bool drop_token)
{
    auto indexed = m_resume_token_index.find(token);
    if (indexed == m_resume_token_index.end() || indexed->second != position)
        return;
    m_resume_token_index.erase(indexed);
    if (drop_token)
        m_token_table.erase(token);
}

void VardoCoreManagerImplDefault::addElapsed(ResumeInfo& task, bool was_running, uint64_t now_ms)
{
    if (!was_running)
        return;
    if (task.last_update_time == 0)
        task.elapsed_time = now_ms - task.start_time;
    else
        task.elapsed_time += now_ms - task.last_update_time;
}

bool VardoCoreManagerImplDefault::updateInfo(ResumeInfo& info)
{
    if (info.resume_id == 0) {
        addTask(info);
        return true;
    }
    return replaceTask(info);
}

void VardoCoreManagerImplDefault::addTask(ResumeInfo& info)
{
    info.resume_id = m_next_resume_id++;
    ResumeInfoIterator position = m_resume_priority_queue.pushBack(info);
    m_resume_id_index[info.resume_id] = position;
    if (info.token != 0) {
        // A task registered with the token the other end sent: consume the
        // same token from this end's window so both windows stay in step.
        indexToken(info.token, position);
        position->info.start_time = now();
        const uint64_t transfer_seed = m_token_table[info.token].transfer_seed;
        consumeSpareToken(transfer_seed, info.token);
    }
    m_task_index.link(&*position);
    processDoneTask(position);
}

bool VardoCoreManagerImplDefault::replaceTask(ResumeInfo& info)
{
    ResumeInfoIterator position = findTask(info.resume_id);
    if (position == m_resume_priority_queue.end())
        return false;
    const ResumeInfo& stored = position->info;
    if (info.token != stored.token) {
        // The old token is spent: a task restarted with a fresh token (or
        // none) must not leave it behind in the token table.
        if (stored.token != 0)
            unindexToken(stored.token, position, true);
        if (info.token != 0)
            indexToken(info.token, position);
    }
    const uint64_t now_ms = now();
    const bool was_running = stored.local_state == ResumeInfo::RI_RUNNING;
    info.elapsed_time = stored.elapsed_time;
    info.last_progress = stored.progress;
    info.last_update_time = stored.update_time;
    info.update_time = now_ms;
    info.start_time = stored.start_time;
    addElapsed(info, was_running, now_ms);
    modifyTask(position, [&info](ResumeInfo& task) { task = info; });
    processDoneTask(position);
    return true;
}

size_t VardoCoreManagerImplDefault::readFragments(const PObject& list, ResumeInfo& task)
{
    // A list of fragments may be the other end's report of what it holds.
    // A range that is reversed or reaches past the file's size names no
    // bytes of this file, and a list longer than any transfer makes would be
    // copied by every listing; such ranges are left out. Leaving a range out
    // only means its bytes are sent again, never that missing bytes pass for
    // transferred ones.
    const PObject::array_type& elements = list.asArray();
    task.fragments.clear();
    task.fragments.reserve(std::min(elements.size(), kMaxFragmentsPerTask));
    for (const PObject& element : elements) {
        const FileFragment fragment{element["begin"].asUInt64(), element["end"].asUInt64()};
        if (fragment.begin <= fragment.end && fragment.end <= task.total &&
            task.fragments.size() < kMaxFragmentsPerTask)
            task.fragments.push_back(fragment);
    }
    return elements.size() - task.fragments.size();
}

bool VardoCoreManagerImplDefault::updatePartialInfo(const PObject& object)
{
    if (!object.hasMember("resume_id")) {
        QM_LOG(Logger::L_ERR, "vcm_impl_default_debug",
               L"[ERROR] vardo-core-manager-impl-default-tasks(%d): updatePartialInfo has no resume_id\n");
        return false;
    }
    ResumeInfoIterator position = findTask(object["resume_id"].asUInt64());
    if (position == m_resume_priority_queue.end())
        return false;
    const uint64_t now_ms = now();
    size_t dropped = 0;
    modifyTask(position, [&object, now_ms, &dropped](ResumeInfo& task) {
        const bool was_running = task.local_state == ResumeInfo::RI_RUNNING;
        task.last_progress = task.progress;
        task.last_update_time = task.update_time;
        task.update_time = now_ms;
        addElapsed(task, was_running, now_ms);
        if (object.hasMember("peer_id"))
            task.peer_id = object["peer_id"].asUInt64();
        if (object.hasMember("total"))
            task.total = object["total"].asUInt64();
        if (object.hasMember("temp_path"))
            task.temp_path = ustring(object["temp_path"].asString());
        if (object.hasMember("local_state"))
            task.local_state = static_cast<ResumeInfo::State>(object["local_state"].asInt32());
        if (object.hasMember("remote_state"))
            task.remote_state = static_cast<ResumeInfo::State>(object["remote_state"].asInt32());
        if (object.hasMember("user_action"))
            task.user_action = static_cast<ResumeInfo::UserAction>(object["user_action"].asInt32());
        if (object.hasMember("error"))
            task.error = object["error"].asInt32();
        if (object.hasMember("progress"))
            task.progress = object["progress"].asUInt64();
        if (object.hasMember("fragments"))
            dropped = readFragments(object["fragments"], task);
    });
    if (dropped != 0) {
        QM_LOG(Logger::L_WARNING, "vcm_impl_default_debug",
               L"[WARNING] vardo-core-manager-impl-default-tasks(%d): resume_id %llu: %llu fragments left out "
               L"(reversed, past its %llu bytes, or beyond %llu)\n",
               static_cast<unsigned long long>(position->info.resume_id), static_cast<unsigned long long>(dropped),
               static_cast<unsigned long long>(position->info.total),
               static_cast<unsigned long long>(kMaxFragmentsPerTask));
    }
    if (object["handed_over"].asUInt64() != 0)
        markHandedOver(position);
    processDoneTask(position);
    return true;
}

void VardoCoreManagerImplDefault::markHandedOver(ResumeInfoIterator position)
{
    const ResumeInfo& task = position->info;
    if (position->handed_over || task.local_state != ResumeInfo::RI_RUNNING)
        return;
    // An upload's bytes in flight are bounded by the socket; a download's
    // request by the budget of small files asked ahead.
    if (task.command == C_PULL && !m_task_index.mayRide(task.peer_id, task.total))
        return;
    position->handed_over = true;
    m_task_index.refile(&*position);
}

void VardoCoreManagerImplDefault::processDoneTask(ResumeInfoIterator position)
{
    if (position->info.local_state != ResumeInfo::RI_DONE)
        return;
    const uint64_t now_ms = now();
    m_done_tasks.push_back(position->info);
    ResumeInfo& done = m_done_tasks.back();
    // Done is the receiver's word that it holds the whole file: a failure
    // met on the way there is over, and all of it is held.
    done.error = ProjectVardo::ERR_OK;
    done.progress = done.total;
    done.finish_time = now_ms;
    if (done.start_time == 0)
        done.start_time = now_ms;
    removeInfo(position, false);
}

bool VardoCoreManagerImplDefault::removeInfo(uint64_t resume_id)
{
    ResumeInfoIterator position = findTask(resume_id);
    if (position != m_resume_priority_queue.end())
        removeInfo(position, true);
    return true;
}

VardoCoreManagerImplDefault::ResumeInfoIterator
VardoCoreManagerImplDefault::removeInfo(ResumeInfoIterator position, bool record)
{
    if (position == m_resume_priority_queue.end())
        return position;
    const ResumeInfo& task = position->info;
    if (!task.temp_path.empty())
        FSRemove(task.temp_path);
    if (task.token != 0)
        unindexToken(task.token, position, true);
    if (task.resume_id != 0)
        m_resume_id_index.erase(task.resume_id);
    if (record) {
        m_done_tasks.push_back(task);
        ResumeInfo& failed = m_done_tasks.back();
        failed.local_state = ResumeInfo::RI_FAILED;
        failed.remote_state = ResumeInfo::RI_FAILED;
        failed.finish_time = now();
    }
    m_task_index.unlink(&*position);
    return m_resume_priority_queue.erase(position);
}

bool VardoCoreManagerImplDefault::getResumeInfoFromResumeId(uint64_t resume_id, ResumeInfo& info) const
{
    auto found = m_resume_id_index.find(resume_id);
    if (found == m_resume_id_index.end())
        return false;
    info = found->second->info;
    return true;
}

bool VardoCoreManagerImplDefault::getResumeInfoFromToken(token_t token, ResumeInfo& info) const
{
    auto found = m_resume_token_index.find(token);
    if (found == m_resume_token_index.end())
        return false;
    info = found->second->info;
    return true;
}

bool VardoCoreManagerImplDefault::getNextWaitingInfo(uint64_t transfer_seed, int concurrent, ResumeInfo& info)
{
    TransferSeedInfo& transfer = m_transfer_seed_infos[transfer_seed];
    const uint64_t peer_id = transfer.peer_id;
    if (m_resume_priority_queue.empty())
        return false;
    if (concurrent > 0 && m_task_index.runningIncomplete(peer_id) >= static_cast<size_t>(concurrent))
        return false;
    TaskNode* next = m_task_index.firstEligible(peer_id);
    if (!next)
        return false;
    ResumeInfoIterator position = m_resume_id_index.at(next->info.resume_id);
    const uint64_t now_ms = now();
    if (position->info.token == 0) {
        // A window made empty by a lookup has no token to give: the task
        // stays waiting rather than run without one.
        if (transfer.tokens.empty())
            return false;
        const token_t token = transfer.tokens.front();
        transfer.tokens.pop_front();
        generateNewTokenForTransfer(transfer_seed);
        indexToken(token, position);
        modifyTask(position, [token, now_ms](ResumeInfo& task) {
            task.token = token;
            task.start_time = now_ms;
        });
    }
    modifyTask(position, [now_ms](ResumeInfo& task) {
        task.finish_time = 0;
        task.last_update_time = task.update_time;
        task.update_time = now_ms;
        task.local_state = ResumeInfo::RI_RUNNING;
    });
    info = position->info;
    return true;
}

bool VardoCoreManagerImplDefault::hasPendingInfo(uint64_t transfer_seed) const
{
    auto transfer = m_transfer_seed_infos.find(transfer_seed);
    if (transfer == m_transfer_seed_infos.end())
        return false;
    return m_task_index.hasWaiting(transfer->second.peer_id);
}

void VardoCoreManagerImplDefault::getPeerLoad(uint64_t peer_id, PeerLoad& load) const
{
    load.waiting = m_task_index.eligibleCount(peer_id);
    load.running_incomplete = m_task_index.runningIncomplete(peer_id);
    load.running_pulls = m_task_index.runningPulls(peer_id);
}

bool VardoCoreManagerImplDefault::getInfos(const ResumeFilter& filter, std::vector<ResumeInfo>& infos, int& total,
                                           uint64_t& total_download_speed, uint64_t& total_upload_speed) const
{
    const uint64_t now_ms = now();
    const int64_t passing = static_cast<int64_t>(m_task_index.countPassing(filter));
    // Positions i with offset <= i < offset + limit (no upper bound for -1),
    // worked out in 64 bits so that no offset and limit can overflow.
    const int64_t first = std::max<int64_t>(filter.offset, 0);
    int64_t last = passing;
    if (filter.limit != -1)
        last = std::min<int64_t>(last, static_cast<int64_t>(filter.offset) + filter.limit);
    if (last > first) {
        for (const TaskNode* node : m_task_index.pagePassing(filter, first, last))
            infos.push_back(node->info);
    }
    total = static_cast<int>(passing);
    uint64_t download = 0;
    uint64_t upload = 0;
    m_task_index.sumSpeeds(filter, now_ms, download, upload);
    total_download_speed = download;
    total_upload_speed = upload;
    return true;
}

void VardoCoreManagerImplDefault::moveTask(ResumeInfoIterator task, ResumeInfoIterator before)
{
    m_task_index.unlink(&*task);
    m_resume_priority_queue.moveBefore(task, before);
    m_task_index.link(&*task);
}

bool VardoCoreManagerImplDefault::adjustPriority(const std::vector<uint64_t>& resume_ids, bool is_increase, bool most)
{
    if (m_resume_priority_queue.empty())
        return true;
    const ResumeInfoIterator end = m_resume_priority_queue.end();
    if (is_increase) {
        // Tasks before the marker form the block already at the top.
        ResumeInfoIterator marker = m_resume_priority_queue.begin();
        for (uint64_t resume_id : resume_ids) {
            ResumeInfoIterator task = findTask(resume_id);
            if (task == end)
                continue;
            if (task == marker) {
                if (++marker == end)
                    return true;
            } else if (most) {
                moveTask(task, marker);
            } else if (task != m_resume_priority_queue.begin()) {
                moveTask(task, std::prev(task));
            }
        }
        return true;
    }
    // Tasks after the marker form the block already at the bottom.
    ResumeInfoIterator marker = std::prev(end);
    for (auto id = resume_ids.rbegin(); id != resume_ids.rend(); ++id) {
        ResumeInfoIterator task = findTask(*id);
        if (task == end)
            continue;
        if (task == marker) {
            if (marker == m_resume_priority_queue.begin())
                return true;
            --marker;
        } else if (most) {
            moveTask(task, std::next(marker));
        } else if (std::next(task) != end) {
            moveTask(task, std::next(std::next(task)));
        }
    }
    return true;
}

bool VardoCoreManagerImplDefault::consumeDoneTasks(std::vector<ResumeInfo>& infos)
{
    infos.clear();
    infos.swap(m_done_tasks);
    return true;
}

bool VardoCoreManagerImplDefault::resumeAllInfoByPeerId(uint64_t peer_id)
{
    for (TaskNode* node : m_task_index.peerTasks(peer_id)) {
        const ResumeInfo& task = node->info;
        if (task.error != ProjectVardo::ERR_CONNECTION_LOST || task.local_state == ResumeInfo::RI_PAUSED)
            continue;
        modifyTask(m_resume_id_index.at(task.resume_id),
                   [](ResumeInfo& changed) { changed.local_state = ResumeInfo::RI_WAITING; });
    }
    return true;
}
