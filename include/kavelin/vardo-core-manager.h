#pragma once

#include <cstdint>
#include <vector>

#include "kavelin/resume-info.h"
#include "kavelin/token-info.h"
#include "kavelin/vardo-core-manager-impl.h"

class PObject;

// The one door to the engine's task store. Each operation is packed as one
// request map, answered by the implementation object, and unpacked; results
// are copies. Out arguments stay untouched when an operation returns false.
// May be called from any thread; the implementation serialises requests.
class VardoCoreManager {
public:
    // Takes ownership of impl.
    explicit VardoCoreManager(VardoCoreManagerImpl* impl);
    ~VardoCoreManager();
    VardoCoreManager(const VardoCoreManager&) = delete;
    VardoCoreManager& operator=(const VardoCoreManager&) = delete;

    bool getNextPeerId(uint64_t& peer_id);
    bool checkPeer(uint64_t peer_id);
    bool generatePeerSeed(uint64_t peer_id, uint64_t& seed);
    bool setPeerSeed(uint64_t peer_id, uint64_t seed);
    bool findPeerIdByPeerSeed(uint64_t peer_seed, uint64_t& peer_id);
    bool removePeer(uint64_t peer_id);
    bool updateDisconnectedInfo(uint64_t peer_id);
    bool resetPeer(uint64_t peer_id);
    bool takeTransferSeed(uint64_t peer_id, uint64_t& transfer_seed);
    bool findPeerIdByTransferSeed(uint64_t transfer_seed, uint64_t& peer_id);
    bool removeTransfer(uint64_t transfer_seed);
    bool reserveTokensForTransfer(uint64_t transfer_seed, int number);
    bool takeToken(uint64_t transfer_seed, token_t& token);
    bool getTokenInfoFromToken(const token_t& token, TokenInfo& info);
    bool abortUnknownToken(const token_t& token);
    bool hasPendingInfo(uint64_t transfer_seed);
    bool getNextWaitingInfo(uint64_t transfer_seed, int concurrent, ResumeInfo& info);
    // The peer's task counts, without copying its tasks.
    bool getPeerLoad(uint64_t peer_id, PeerLoad& load);
    bool getResumeInfoFromResumeId(uint64_t resume_id, ResumeInfo& info);
    bool getResumeInfoFromToken(const token_t& token, ResumeInfo& info);
    // Always copies the stored resume id back into info (a new task's id).
    bool updateInfo(ResumeInfo& info);
    // info holds "resume_id" and the fields to change.
    bool updatePartialInfo(const PObject& info);
    bool removeInfo(uint64_t resume_id);
    bool consumeDoneTasks(std::vector<ResumeInfo>& infos);
    bool adjustPriority(const std::vector<uint64_t>& resume_ids, bool is_increase, bool most);
    // infos ends up holding exactly the filter's page.
    bool getInfos(const ResumeFilter& filter, std::vector<ResumeInfo>& infos, int& total,
                  uint64_t& total_download_speed, uint64_t& total_upload_speed);
    bool addInfos(const std::vector<ResumeInfo>& infos);
    bool setDisconnectedPeers(const std::vector<uint64_t>& peer_ids);
    bool getDisconnectedPeers(std::vector<uint64_t>& peer_ids);
    bool resumeAllInfoByPeerId(const uint64_t& peer_id);
    // Replaces out with the store's debug dump.
    bool debugVCM(PObject& out);

private:
    VardoCoreManagerImpl* m_impl;
};
