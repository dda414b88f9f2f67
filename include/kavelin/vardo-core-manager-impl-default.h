#pragma once

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <random>
#include <unordered_map>
#include <utility>
#include <vector>

#include "kavelin/resume-info.h"
#include "kavelin/task-index.h"
#include "kavelin/task-list.h"
#include "kavelin/token-info.h"
#include "kavelin/vardo-core-manager-impl.h"
#include "protocol/pobject.h"

typedef std::mt19937_64 random_generator_t;

// A peer's seed and its window of spare transfer seeds.
struct PeerSeedInfo {
    token_t peer_seed = 0;
    random_generator_t transfer_seed_generator;
    std::list<uint64_t> transfer_seeds;  // oldest first
};

// A transfer seed's window of spare tokens.
struct TransferSeedInfo {
    random_generator_t token_generator;
    std::list<uint64_t> tokens;  // oldest first
    uint64_t peer_id = 0;
    bool is_collision = false;
};

void addPeerSeedInfoIntoPObject(const PeerSeedInfo& info, PObject& object);
void addTransferSeedInfoIntoPObject(const TransferSeedInfo& info, PObject& object);

// The engine's in-memory task store: peers and their seeds, transfer seeds and
// tokens, the task list in priority order and the done list. Not thread-safe:
// every call arrives through VardoCoreManagerImplLock, one at a time, and no
// call re-enters the store.
class VardoCoreManagerImplDefault : public VardoCoreManagerImpl {
public:
    typedef TaskList::iterator ResumeInfoIterator;

    // Most fragments a task keeps from a partial update; far more than the
    // resumes of one transfer leave behind.
    static constexpr size_t kMaxFragmentsPerTask = 4096;

    VardoCoreManagerImplDefault();
    // Deletes the temporary files of the tasks still listed.
    ~VardoCoreManagerImplDefault() override;

    // handle() with a debug trace of request and response.
    void request(const PObject& request, PObject& response) override;
    // Dispatches one request map to the store operation its "action" names.
    void handle(const PObject& request, PObject& response);

    // The clock in milliseconds since 1970; tests replace it.
    void setClock(std::function<uint64_t()> now_ms);

    // Peers, seeds and tokens.
    bool getNextPeerId(uint64_t& peer_id);
    bool checkPeer(uint64_t peer_id) const;
    bool generatePeerSeed(uint64_t peer_id, uint64_t& seed);
    bool setPeerSeed(uint64_t peer_id, uint64_t seed);
    bool findPeerIdByPeerSeed(uint64_t peer_seed, uint64_t& peer_id) const;
    bool takeTransferSeed(uint64_t peer_id, uint64_t& transfer_seed);
    bool findPeerIdByTransferSeed(uint64_t transfer_seed, uint64_t& peer_id);
    bool removeTransfer(uint64_t transfer_seed);
    bool reserveTokensForTransfer(uint64_t transfer_seed, int number);
    bool takeToken(uint64_t transfer_seed, token_t& token);
    // A token aborted by the other end within the last 10 s comes back with
    // is_aborted set, once.
    bool getTokenInfoFromToken(token_t token, TokenInfo& info);
    bool abortUnknownToken(token_t token);
    void removePeerTokens(uint64_t peer_id);
    // Drops the peer's seeds and tokens and fails all its tasks into the done list.
    bool removePeer(uint64_t peer_id);
    // Drops the peer's seeds and tokens and clears its tasks for a fresh start.
    bool resetPeer(uint64_t peer_id);
    bool updateDisconnectedInfo(uint64_t peer_id);

    // The task list.
    // Resume id 0 adds the task (the new id is written back); otherwise
    // replaces the stored task of that id.
    bool updateInfo(ResumeInfo& info);
    // Fragments outside the task's size, and those beyond
    // kMaxFragmentsPerTask, are left out. "handed_over" (1) says this end's
    // part of a running task is on the link: an upload's bytes all sent, or
    // a download's request; the task then stops counting against its peer's
    // cap (a download only while it fits the peer's budget of requests out).
    bool updatePartialInfo(const PObject& object);
    bool getResumeInfoFromResumeId(uint64_t resume_id, ResumeInfo& info) const;
    bool getResumeInfoFromToken(token_t token, ResumeInfo& info) const;
    // The peer's first waiting task in list order, marked running, unless the
    // peer already runs `concurrent` unfinished tasks (no cap when <= 0).
    bool getNextWaitingInfo(uint64_t transfer_seed, int concurrent, ResumeInfo& info);
    bool hasPendingInfo(uint64_t transfer_seed) const;
    void getPeerLoad(uint64_t peer_id, PeerLoad& load) const;
    // Appends the filter's page; total and speeds cover every passing task.
    bool getInfos(const ResumeFilter& filter, std::vector<ResumeInfo>& infos, int& total,
                  uint64_t& total_download_speed, uint64_t& total_upload_speed) const;
    bool adjustPriority(const std::vector<uint64_t>& resume_ids, bool is_increase, bool most);
    bool removeInfo(uint64_t resume_id);
    ResumeInfoIterator removeInfo(ResumeInfoIterator position, bool record);
    void processDoneTask(ResumeInfoIterator position);
    bool consumeDoneTasks(std::vector<ResumeInfo>& infos);
    bool resumeAllInfoByPeerId(uint64_t peer_id);
    bool debugVCM(PObject& out) const;

private:
    uint64_t now() const;
    uint64_t generateNewTransferSeedForPeer(uint64_t peer_id);
    uint64_t generateNewTokenForTransfer(uint64_t transfer_seed);
    // Takes every occurrence of token out of the transfer seed's spare window
    // and draws a replacement: the token is in use now.
    void consumeSpareToken(uint64_t transfer_seed, token_t token);
    ResumeInfoIterator findTask(uint64_t resume_id);
    // Runs change on the task and files it again in the indexes.
    template <typename Change> void modifyTask(ResumeInfoIterator position, Change change);
    void moveTask(ResumeInfoIterator task, ResumeInfoIterator before);
    void markHandedOver(ResumeInfoIterator position);
    void indexToken(token_t token, ResumeInfoIterator position);
    // Drops the token's index entry, and its token-table entry with drop_token,
    // only while the index names this task: a token that has moved on to
    // another task stays that task's.
    void unindexToken(token_t token, ResumeInfoIterator position, bool drop_token);
    void addTask(ResumeInfo& info);
    bool replaceTask(ResumeInfo& info);
    static void addElapsed(ResumeInfo& task, bool was_running, uint64_t now_ms);
    // Replaces the task's fragments with the well-formed ranges of the list
    // (within the task's size, at most kMaxFragmentsPerTask); returns how
    // many were left out.
    static size_t readFragments(const PObject& list, ResumeInfo& task);

    uint64_t m_next_resume_id;
    uint64_t m_next_peer_id;
    random_generator_t m_peer_seed_generator;
    std::map<uint64_t, PeerSeedInfo> m_peer_seed_infos;
    std::map<uint64_t, TransferSeedInfo> m_transfer_seed_infos;
    std::map<uint64_t, TokenInfo> m_token_table;
    std::list<std::pair<uint64_t, uint64_t>> m_aborted_token;  // (token, add time ms), oldest first
    std::map<uint64_t, std::list<std::pair<uint64_t, uint64_t>>::iterator> m_aborted_token_index;
    TaskList m_resume_priority_queue;
    std::unordered_map<uint64_t, ResumeInfoIterator> m_resume_token_index;
    std::unordered_map<uint64_t, ResumeInfoIterator> m_resume_id_index;
    std::vector<ResumeInfo> m_done_tasks;
    PObject::array_type m_disconnected_peers;

    TaskIndex m_task_index;
    std::function<uint64_t()> m_clock;
};

template <typename Change>
void VardoCoreManagerImplDefault::modifyTask(ResumeInfoIterator position, Change change)
{
    const ResumeInfo::State state = position->info.local_state;
    const token_t token = position->info.token;
    change(position->info);
    // A task handed over is waiting for the other end's word on that
    // hand-over only: any new state or token starts afresh.
    if (position->info.local_state != state || position->info.token != token)
        position->handed_over = false;
    m_task_index.refile(&*position);
}
