#include "kavelin/vardo-core-manager.h"

#include "protocol/pobject.h"

namespace {

void setUInt(PObject& object, uint64_t value)
{
    object = static_cast<PObject::integer_type>(value);
}

// A request map naming its action.
PObject makeRequest(const char* action)
{
    PObject request;
    request["action"] = action;
    return request;
}

// A request map naming its action and one unsigned argument.
PObject makeRequest(const char* action, const char* key, uint64_t value)
{
    PObject request = makeRequest(action);
    setUInt(request[key], value);
    return request;
}

// The response is read through the writable index on purpose: a missing key
// reads as 0, false or empty, exactly like an answer that said so.
PObject call(VardoCoreManagerImpl* impl, const PObject& request)
{
    PObject response;
    impl->request(request, response);
    return response;
}

bool succeeded(VardoCoreManagerImpl* impl, const PObject& request)
{
    return call(impl, request)["success"].asBool();
}

// A request answered with "success" and, when it succeeded, one unsigned
// value under out_key; out stays untouched on failure.
bool lookUp(VardoCoreManagerImpl* impl, const PObject& request, const char* out_key, uint64_t& out)
{
    PObject response = call(impl, request);
    const bool success = response["success"].asBool();
    if (success)
        out = response[out_key].asUInt64();
    return success;
}

// A request answered with "success" and, when it succeeded, one task form.
bool lookUpTask(VardoCoreManagerImpl* impl, const PObject& request, ResumeInfo& info)
{
    PObject response = call(impl, request);
    const bool success = response["success"].asBool();
    if (success)
        getResumeInfoFromPObject(response["resume_info"], info);
    return success;
}

} // namespace

VardoCoreManager::VardoCoreManager(VardoCoreManagerImpl* impl) : m_impl(impl)
{
}

VardoCoreManager::~VardoCoreManager()
{
    delete m_impl;
}

bool VardoCoreManager::getNextPeerId(uint64_t& peer_id)
{
    return lookUp(m_impl, makeRequest("get_next_peer_id"), "next_peer_id", peer_id);
}

bool VardoCoreManager::checkPeer(uint64_t peer_id)
{
    return succeeded(m_impl, makeRequest("check_peer", "peer_id", peer_id));
}

bool VardoCoreManager::generatePeerSeed(uint64_t peer_id, uint64_t& seed)
{
    return lookUp(m_impl, makeRequest("generate_peer_seed", "peer_id", peer_id), "seed", seed);
}

bool VardoCoreManager::setPeerSeed(uint64_t peer_id, uint64_t seed)
{
    PObject request = makeRequest("set_peer_seed", "peer_id", peer_id);
    setUInt(request["seed"], seed);
    return succeeded(m_impl, request);
}

bool VardoCoreManager::findPeerIdByPeerSeed(uint64_t peer_seed, uint64_t& peer_id)
{
    return lookUp(m_impl, makeRequest("find_peer_id_by_peer_seed", "peer_seed", peer_seed), "peer_id", peer_id);
}

bool VardoCoreManager::removePeer(uint64_t peer_id)
{
    return succeeded(m_impl, makeRequest("remove_peer", "peer_id", peer_id));
}

bool VardoCoreManager::updateDisconnectedInfo(uint64_t peer_id)
{
    return succeeded(m_impl, makeRequest("update_disconnected_info", "peer_id", peer_id));
}

bool VardoCoreManager::resetPeer(uint64_t peer_id)
{
    return succeeded(m_impl, makeRequest("reset_peer", "peer_id", peer_id));
}

bool VardoCoreManager::takeTransferSeed(uint64_t peer_id, uint64_t& transfer_seed)
{
    return lookUp(m_impl, makeRequest("take_transfer_seed", "peer_id", peer_id), "transfer_seed", transfer_seed);
}

bool VardoCoreManager::findPeerIdByTransferSeed(uint64_t transfer_seed, uint64_t& peer_id)
{
    return lookUp(m_impl, makeRequest("find_peer_id_by_transfer_seed", "transfer_seed", transfer_seed), "peer_id",
                  peer_id);
}

bool VardoCoreManager::removeTransfer(uint64_t transfer_seed)
{
    return succeeded(m_impl, makeRequest("remove_transfer", "transfer_seed", transfer_seed));
}

bool VardoCoreManager::reserveTokensForTransfer(uint64_t transfer_seed, int number)
{
    PObject request = makeRequest("reserve_tokens_for_transfer", "transfer_seed", transfer_seed);
    request["number"] = static_cast<int32_t>(number);
    call(m_impl, request);
    return true;
}

bool VardoCoreManager::takeToken(uint64_t transfer_seed, token_t& token)
{
    return lookUp(m_impl, makeRequest("take_token", "transfer_seed", transfer_seed), "token", token);
}

bool VardoCoreManager::getTokenInfoFromToken(const token_t& token, TokenInfo& info)
{
    PObject response = call(m_impl, makeRequest("get_token_info_from_token", "token", token));
    const bool success = response["success"].asBool();
    if (success)
        getTokenInfoFromPObject(response["token_info"], info);
    return success;
}

bool VardoCoreManager::abortUnknownToken(const token_t& token)
{
    return succeeded(m_impl, makeRequest("abort_unknown_token", "token", token));
}

bool VardoCoreManager::hasPendingInfo(uint64_t transfer_seed)
{
    return succeeded(m_impl, makeRequest("has_pending_info", "transfer_seed", transfer_seed));
}

bool VardoCoreManager::getNextWaitingInfo(uint64_t transfer_seed, int concurrent, ResumeInfo& info)
{
    PObject request = makeRequest("get_next_waiting_info", "transfer_seed", transfer_seed);
    request["concurrent"] = static_cast<int32_t>(concurrent);
    return lookUpTask(m_impl, request, info);
}

bool VardoCoreManager::getPeerLoad(uint64_t peer_id, PeerLoad& load)
{
    PObject response = call(m_impl, makeRequest("get_peer_load", "peer_id", peer_id));
    if (!response["success"].asBool())
        return false;
    load.waiting = response["waiting"].asUInt64();
    load.running_incomplete = response["running_incomplete"].asUInt64();
    load.running_pulls = response["running_pulls"].asUInt64();
    return true;
}

bool VardoCoreManager::getResumeInfoFromResumeId(uint64_t resume_id, ResumeInfo& info)
{
    return lookUpTask(m_impl, makeRequest("get_resume_info_from_resume_id", "resume_id", resume_id), info);
}

bool VardoCoreManager::getResumeInfoFromToken(const token_t& token, ResumeInfo& info)
{
    return lookUpTask(m_impl, makeRequest("get_resume_info_from_token", "token", token), info);
}

bool VardoCoreManager::updateInfo(ResumeInfo& info)
{
    PObject request = makeRequest("update_info");
    addResumeInfoIntoPObject(info, request["resume_info"]);
    PObject response = call(m_impl, request);
    info.resume_id = response["resume_id"].asUInt64();
    return true;
}

bool VardoCoreManager::updatePartialInfo(const PObject& info)
{
    PObject request(info);
    request["action"] = "update_partial_info";
    call(m_impl, request);
    return true;
}

bool VardoCoreManager::removeInfo(uint64_t resume_id)
{
    call(m_impl, makeRequest("remove_info", "resume_id", resume_id));
    return true;
}

namespace {

void readTasks(const PObject& forms, std::vector<ResumeInfo>& infos)
{
    const PObject::array_type& elements = forms.asArray();
    infos.resize(elements.size());
    for (size_t i = 0; i < elements.size(); ++i)
        getResumeInfoFromPObject(elements[i], infos[i]);
}

} // namespace

bool VardoCoreManager::consumeDoneTasks(std::vector<ResumeInfo>& infos)
{
    PObject response = call(m_impl, makeRequest("consume_done_tasks"));
    readTasks(response["done_tasks"], infos);
    return true;
}

bool VardoCoreManager::adjustPriority(const std::vector<uint64_t>& resume_ids, bool is_increase, bool most)
{
    PObject request = makeRequest("adjust_priority");
    PObject::array_type& ids = request["resume_ids"].asArray();
    for (uint64_t resume_id : resume_ids)
        ids.push_back(PObject(static_cast<PObject::integer_type>(resume_id)));
    request["is_increase"] = is_increase;
    request["most"] = most;
    return succeeded(m_impl, request);
}

bool VardoCoreManager::getInfos(const ResumeFilter& filter, std::vector<ResumeInfo>& infos, int& total,
                                uint64_t& total_download_speed, uint64_t& total_upload_speed)
{
    PObject request = makeRequest("get_infos");
    addResumeFilterIntoPObject(filter, request["resume_filter"]);
    PObject response = call(m_impl, request);
    readTasks(response["resume_infos"], infos);
    total = response["total"].asInt32();
    total_download_speed = response["total_download_speed"].asUInt64();
    total_upload_speed = response["total_upload_speed"].asUInt64();
    return true;
}

bool VardoCoreManager::addInfos(const std::vector<ResumeInfo>& infos)
{
    PObject request = makeRequest("add_infos");
    PObject::array_type& forms = request["resume_infos"].asArray();
    forms.resize(infos.size());
    for (size_t i = 0; i < infos.size(); ++i)
        addResumeInfoIntoPObject(infos[i], forms[i]);
    call(m_impl, request);
    return true;
}

bool VardoCoreManager::setDisconnectedPeers(const std::vector<uint64_t>& peer_ids)
{
    PObject request = makeRequest("set_disconnected_peers");
    PObject::array_type& ids = request["peer_ids"].asArray();
    for (uint64_t peer_id : peer_ids)
        ids.push_back(PObject(static_cast<PObject::integer_type>(peer_id)));
    call(m_impl, request);
    return true;
}

bool VardoCoreManager::getDisconnectedPeers(std::vector<uint64_t>& peer_ids)
{
    PObject response = call(m_impl, makeRequest("get_disconnected_peers"));
    peer_ids.clear();
    for (const PObject& peer : response["peer_ids"].asArray())
        peer_ids.push_back(peer.asUInt64());
    return true;
}

bool VardoCoreManager::resumeAllInfoByPeerId(const uint64_t& peer_id)
{
    call(m_impl, makeRequest("resume_all_info_by_peer_id", "peer_id", peer_id));
    return true;
}

bool VardoCoreManager::debugVCM(PObject& out)
{
    PObject response = call(m_impl, makeRequest("debug_vcm"));
    out.swap(response);
    return true;
}
