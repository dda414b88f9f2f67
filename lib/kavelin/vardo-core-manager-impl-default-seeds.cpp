// Peers, their seeds, transfer seeds and tokens of the task store.
#include "kavelin/vardo-core-manager-impl-default.h"

#include <algorithm>

#include "kavelin/error-code.h"
#include "log.h"

namespace {

// Both ends refill their windows in the same order, so after every take the
// next draw keeps the two ends' tables in step.
const int kTransferSeedWindow = 10;
const int kTokenWindow = 3;
const uint64_t kAbortedTokenLifetimeMs = 10000;

} // namespace

void addPeerSeedInfoIntoPObject(const PeerSeedInfo& info, PObject& object)
{
    object["peer_seed"] = static_cast<PObject::integer_type>(info.peer_seed);
    if (info.transfer_seeds.empty())
        return;
    PObject::array_type& seeds = object["transfer_seeds"].asArray();
    for (uint64_t seed : info.transfer_seeds)
        seeds.push_back(PObject(static_cast<PObject::integer_type>(seed)));
}

void addTransferSeedInfoIntoPObject(const TransferSeedInfo& info, PObject& object)
{
    object["peer_id"] = static_cast<PObject::integer_type>(info.peer_id);
    object["is_collision"] = info.is_collision;
    if (info.tokens.empty())
        return;
    PObject::array_type& tokens = object["tokens"].asArray();
    for (uint64_t token : info.tokens)
        tokens.push_back(PObject(static_cast<PObject::integer_type>(token)));
}

bool VardoCoreManagerImplDefault::getNextPeerId(uint64_t& peer_id)
{
    peer_id = m_next_peer_id++;
    return true;
}

bool VardoCoreManagerImplDefault::checkPeer(uint64_t peer_id) const
{
    return m_peer_seed_infos.count(peer_id) != 0;
}

bool VardoCoreManagerImplDefault::generatePeerSeed(uint64_t peer_id, uint64_t& seed)
{
    const uint64_t r = m_peer_seed_generator();
    seed = r ^ (peer_id + uint64_t(0x9E3779B9) + (r << 6) + (r >> 2));
    return setPeerSeed(peer_id, seed);
}

bool VardoCoreManagerImplDefault::setPeerSeed(uint64_t peer_id, uint64_t seed)
{
    PeerSeedInfo& peer = m_peer_seed_infos[peer_id];
    peer.peer_seed = seed;
    peer.transfer_seed_generator.seed(seed);
    for (int i = 0; i < kTransferSeedWindow; ++i)
        generateNewTransferSeedForPeer(peer_id);
    return true;
}

bool VardoCoreManagerImplDefault::findPeerIdByPeerSeed(uint64_t peer_seed, uint64_t& peer_id) const
{
    for (const auto& entry : m_peer_seed_infos) {
        if (entry.second.peer_seed == peer_seed) {
            peer_id = entry.first;
            return true;
        }
    }
    return false;
}

uint64_t VardoCoreManagerImplDefault::generateNewTransferSeedForPeer(uint64_t peer_id)
{
    PeerSeedInfo& peer = m_peer_seed_infos[peer_id];
    uint64_t seed;
    for (;;) {
        seed = peer.transfer_seed_generator();
        auto existing = m_transfer_seed_infos.find(seed);
        if (existing == m_transfer_seed_infos.end())
            break;
        existing->second.is_collision = true;
    }
    peer.transfer_seeds.push_back(seed);
    TransferSeedInfo& transfer = m_transfer_seed_infos[seed];
    transfer.peer_id = peer_id;
    transfer.token_generator.seed(seed);
    for (int i = 0; i < kTokenWindow; ++i)
        generateNewTokenForTransfer(seed);
    return seed;
}

uint64_t VardoCoreManagerImplDefault::generateNewTokenForTransfer(uint64_t transfer_seed)
{
    TransferSeedInfo& transfer = m_transfer_seed_infos[transfer_seed];
    uint64_t token;
    for (;;) {
        token = transfer.token_generator();
        auto existing = m_token_table.find(token);
        if (existing == m_token_table.end())
            break;
        existing->second.is_collision = true;
    }
    transfer.tokens.push_back(token);
    TokenInfo& info = m_token_table[token];
    info = TokenInfo();
    info.peer_id = transfer.peer_id;
    info.transfer_seed = transfer_seed;
    return token;
}

void VardoCoreManagerImplDefault::consumeSpareToken(uint64_t transfer_seed, token_t token)
{
    TransferSeedInfo& transfer = m_transfer_seed_infos[transfer_seed];
    transfer.tokens.remove(token);
    generateNewTokenForTransfer(transfer_seed);
}

bool VardoCoreManagerImplDefault::takeTransferSeed(uint64_t peer_id, uint64_t& transfer_seed)
{
    auto peer = m_peer_seed_infos.find(peer_id);
    // A peer record made empty by a lookup has nothing to hand out.
    if (peer == m_peer_seed_infos.end() || peer->second.transfer_seeds.empty())
        return false;
    transfer_seed = peer->second.transfer_seeds.front();
    peer->second.transfer_seeds.pop_front();
    generateNewTransferSeedForPeer(peer_id);
    return true;
}

bool VardoCoreManagerImplDefault::findPeerIdByTransferSeed(uint64_t transfer_seed, uint64_t& peer_id)
{
    auto transfer = m_transfer_seed_infos.find(transfer_seed);
    if (transfer == m_transfer_seed_infos.end())
        return false;
    peer_id = transfer->second.peer_id;
    m_peer_seed_infos[peer_id].transfer_seeds.remove(transfer_seed);
    generateNewTransferSeedForPeer(peer_id);
    return true;
}

bool VardoCoreManagerImplDefault::removeTransfer(uint64_t transfer_seed)
{
    auto transfer = m_transfer_seed_infos.find(transfer_seed);
    if (transfer == m_transfer_seed_infos.end())
        return true;
    // Tokens already handed to tasks stay until their task goes.
    for (uint64_t token : transfer->second.tokens)
        m_token_table.erase(token);
    m_transfer_seed_infos.erase(transfer);
    return true;
}

bool VardoCoreManagerImplDefault::reserveTokensForTransfer(uint64_t transfer_seed, int number)
{
    TransferSeedInfo& transfer = m_transfer_seed_infos[transfer_seed];
    for (int count = static_cast<int>(transfer.tokens.size()); count < number; ++count)
        generateNewTokenForTransfer(transfer_seed);
    return true;
}

bool VardoCoreManagerImplDefault::takeToken(uint64_t transfer_seed, token_t& token)
{
    auto transfer = m_transfer_seed_infos.find(transfer_seed);
    if (transfer == m_transfer_seed_infos.end() || transfer->second.tokens.empty())
        return false;
    token = transfer->second.tokens.front();
    transfer->second.tokens.pop_front();
    generateNewTokenForTransfer(transfer_seed);
    return true;
}

bool VardoCoreManagerImplDefault::getTokenInfoFromToken(token_t token, TokenInfo& info)
{
    auto entry = m_token_table.find(token);
    if (entry == m_token_table.end())
        return false;
    TokenInfo found = entry->second;
    auto aborted = m_aborted_token_index.find(token);
    if (aborted != m_aborted_token_index.end()) {
        found.is_aborted = true;
        m_aborted_token.erase(aborted->second);
        m_aborted_token_index.erase(aborted);
        consumeSpareToken(found.transfer_seed, token);
    }
    info = found;
    return true;
}

bool VardoCoreManagerImplDefault::abortUnknownToken(token_t token)
{
    const uint64_t now_ms = now();
    m_aborted_token.emplace_back(token, now_ms);
    m_aborted_token_index[token] = std::prev(m_aborted_token.end());
    while (!m_aborted_token.empty() && now_ms - m_aborted_token.front().second >= kAbortedTokenLifetimeMs) {
        auto oldest = m_aborted_token.begin();
        // An older mark of a token aborted again must not take the newer
        // mark's index entry with it.
        auto indexed = m_aborted_token_index.find(oldest->first);
        if (indexed != m_aborted_token_index.end() && indexed->second == oldest)
            m_aborted_token_index.erase(indexed);
        m_aborted_token.pop_front();
    }
    return true;
}

void VardoCoreManagerImplDefault::removePeerTokens(uint64_t peer_id)
{
    m_peer_seed_infos.erase(peer_id);
    for (auto it = m_transfer_seed_infos.begin(); it != m_transfer_seed_infos.end();) {
        if (it->second.peer_id == peer_id)
            it = m_transfer_seed_infos.erase(it);
        else
            ++it;
    }
    for (auto it = m_token_table.begin(); it != m_token_table.end();) {
        if (it->second.peer_id == peer_id)
            it = m_token_table.erase(it);
        else
            ++it;
    }
}

bool VardoCoreManagerImplDefault::removePeer(uint64_t peer_id)
{
    removePeerTokens(peer_id);
    for (TaskNode* node : m_task_index.peerTasks(peer_id))
        removeInfo(m_resume_id_index.at(node->info.resume_id), true);
    QM_LOG(Logger::L_INFO, "vcm_impl_default_debug",
           L"[INFO] vardo-core-manager-impl-default-seeds(%d): peer_id %llu is removed\n",
           static_cast<unsigned long long>(peer_id));
    return true;
}

bool VardoCoreManagerImplDefault::resetPeer(uint64_t peer_id)
{
    removePeerTokens(peer_id);
    for (TaskNode* node : m_task_index.peerTasks(peer_id)) {
        ResumeInfoIterator position = m_resume_id_index.at(node->info.resume_id);
        // The peer's tokens are gone from the table already; only the index remains.
        if (position->info.token != 0)
            unindexToken(position->info.token, position, false);
        modifyTask(position, [](ResumeInfo& task) {
            if (task.local_state == ResumeInfo::RI_WAITING || task.local_state == ResumeInfo::RI_RUNNING)
                task.local_state = ResumeInfo::RI_ERROR;
            task.token = 0;
            task.progress = 0;
            task.update_time = 0;
            task.last_progress = 0;
            task.last_update_time = 0;
            task.elapsed_time = 0;
            task.error = ProjectVardo::ERR_CONNECTION_LOST;
            task.fragments.clear();
        });
    }
    QM_LOG(Logger::L_INFO, "vcm_impl_default_debug",
           L"[INFO] vardo-core-manager-impl-default-seeds(%d): peer_id %llu is reseted\n",
           static_cast<unsigned long long>(peer_id));
    return true;
}

bool VardoCoreManagerImplDefault::updateDisconnectedInfo(uint64_t peer_id)
{
    for (TaskNode* node : m_task_index.peerTasks(peer_id)) {
        modifyTask(m_resume_id_index.at(node->info.resume_id), [](ResumeInfo& task) {
            if (task.local_state == ResumeInfo::RI_WAITING || task.local_state == ResumeInfo::RI_RUNNING)
                task.local_state = ResumeInfo::RI_ERROR;
            task.error = ProjectVardo::ERR_CONNECTION_LOST;
        });
    }
    return true;
}
