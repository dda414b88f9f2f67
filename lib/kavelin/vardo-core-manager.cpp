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

} // namespace

VardoCoreManager::VardoCoreManager(VardoCoreManagerImpl* impl) : m_impl(impl)
{
}

VardoCoreManager::~VardoCoreManager()
{
    delete m_impl;
}

// The response is read through the writable index on purpose: a missing key
// reads as 0, false or empty, exactly like an answer that said so.

bool VardoCoreManager::getNextPeerId(uint64_t& peer_id)
{
    PObject request = makeRequest("get_next_peer_id");
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        peer_id = response["next_peer_id"].asUInt64();
    return success;
}

bool VardoCoreManager::checkPeer(uint64_t peer_id)
{
    PObject request = makeRequest("check_peer");
    setUInt(request["peer_id"], peer_id);
    PObject response;
    m_impl->request(request, response);
    return response["success"].asBool();
}

bool VardoCoreManager::generatePeerSeed(uint64_t peer_id, uint64_t& seed)
{
    PObject request = makeRequest("generate_peer_seed");
    setUInt(request["peer_id"], peer_id);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        seed = response["seed"].asUInt64();
    return success;
}

bool VardoCoreManager::setPeerSeed(uint64_t peer_id, uint64_t seed)
{
    PObject request = makeRequest("set_peer_seed");
    setUInt(request["peer_id"], peer_id);
    setUInt(request["seed"], seed);
    PObject response;
    m_impl->request(request, response);
    return response["success"].asBool();
}

bool VardoCoreManager::findPeerIdByPeerSeed(uint64_t peer_seed, uint64_t& peer_id)
{
    PObject request = makeRequest("find_peer_id_by_peer_seed");
    setUInt(request["peer_seed"], peer_seed);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        peer_id = response["peer_id"].asUInt64();
    return success;
}

namespace {

bool requestWithPeer(VardoCoreManagerImpl* impl, const char* action, uint64_t peer_id)
{
    PObject request = makeRequest(action);
    setUInt(request["peer_id"], peer_id);
    PObject response;
    impl->request(request, response);
    return response["success"].asBool();
}

} // namespace

bool VardoCoreManager::removePeer(uint64_t peer_id)
{
    return requestWithPeer(m_impl, "remove_peer", peer_id);
}

bool VardoCoreManager::updateDisconnectedInfo(uint64_t peer_id)
{
    return requestWithPeer(m_impl, "update_disconnected_info", peer_id);
}

bool VardoCoreManager::resetPeer(uint64_t peer_id)
{
    return requestWithPeer(m_impl, "reset_peer", peer_id);
}

bool VardoCoreManager::takeTransferSeed(uint64_t peer_id, uint64_t& transfer_seed)
{
    PObject request = makeRequest("take_transfer_seed");
    setUInt(request["peer_id"], peer_id);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        transfer_seed = response["transfer_seed"].asUInt64();
    return success;
}

bool VardoCoreManager::findPeerIdByTransferSeed(uint64_t transfer_seed, uint64_t& peer_id)
{
    PObject request = makeRequest("find_peer_id_by_transfer_seed");
    setUInt(request["transfer_seed"], transfer_seed);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        peer_id = response["peer_id"].asUInt64();
    return success;
}

bool VardoCoreManager::removeTransfer(uint64_t transfer_seed)
{
    PObject request = makeRequest("remove_transfer");
    setUInt(request["transfer_seed"], transfer_seed);
    PObject response;
    m_impl->request(request, response);
    return response["success"].asBool();
}

bool VardoCoreManager::reserveTokensForTransfer(uint64_t transfer_seed, int number)
{
    PObject request = makeRequest("reserve_tokens_for_transfer");
    setUInt(request["transfer_seed"], transfer_seed);
    request["number"] = static_cast<int32_t>(number);
    PObject response;
    m_impl->request(request, response);
    return true;
}

bool VardoCoreManager::takeToken(uint64_t transfer_seed, token_t& token)
{
    PObject request = makeRequest("take_token");
    setUInt(request["transfer_seed"], transfer_seed);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        token = response["token"].asUInt64();
    return success;
}

bool VardoCoreManager::getTokenInfoFromToken(const token_t& token, TokenInfo& info)
{
    PObject request = makeRequest("get_token_info_from_token");
    setUInt(request["token"], token);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        getTokenInfoFromPObject(response["token_info"], info);
    return success;
}

bool VardoCoreManager::abortUnknownToken(const token_t& token)
{
    PObject request = makeRequest("abort_unknown_token");
    setUInt(request["token"], token);
    PObject response;
    m_impl->request(request, response);
    return response["success"].asBool();
}

bool VardoCoreManager::hasPendingInfo(uint64_t transfer_seed)
{
    PObject request = makeRequest("has_pending_info");
    setUInt(request["transfer_seed"], transfer_seed);
    PObject response;
    m_impl->request(request, response);
    return response["success"].asBool();
}

bool VardoCoreManager::getNextWaitingInfo(uint64_t transfer_seed, int concurrent, ResumeInfo& info)
{
    PObject request = makeRequest("get_next_waiting_info");
    setUInt(request["transfer_seed"], transfer_seed);
    request["concurrent"] = static_cast<int32_t>(concurrent);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        getResumeInfoFromPObject(response["resume_info"], info);
    return success;
}

bool VardoCoreManager::getResumeInfoFromResumeId(uint64_t resume_id, ResumeInfo& info)
{
    PObject request = makeRequest("get_resume_info_from_resume_id");
    setUInt(request["resume_id"], resume_id);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        getResumeInfoFromPObject(response["resume_info"], info);
    return success;
}

bool VardoCoreManager::getResumeInfoFromToken(const token_t& token, ResumeInfo& info)
{
    PObject request = makeRequest("get_resume_info_from_token");
    setUInt(request["token"], token);
    PObject response;
    m_impl->request(request, response);
    const bool success = response["success"].asBool();
    if (success)
        getResumeInfoFromPObject(response["resume_info"], info);
    return success;
}

bool VardoCoreManager::updateInfo(ResumeInfo& info)
{
    PObject request = makeRequest("update_info");
    addResumeInfoIntoPObject(info, request["resume_info"]);
    PObject response;
    m_impl->request(request, response);
    info.resume_id = response["resume_id"].asUInt64();
    return true;
}

bool VardoCoreManager::updatePartialInfo(const PObject& info)
{
    PObject request(info);
    request["action"] = "update_partial_info";
    PObject response;
    m_impl->request(request, response);
    return true;
}

bool VardoCoreManager::removeInfo(uint64_t resume_id)
{
    PObject request = makeRequest("remove_info");
    setUInt(request["resume_id"], resume_id);
    PObject response;
    m_impl->request(request, response);
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
    PObject request = makeRequest("consume_done_tasks");
    PObject response;
    m_impl->request(request, response);
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
    PObject response;
    m_impl->request(request, response);
    return response["success"].asBool();
}

bool VardoCoreManager::getInfos(const ResumeFilter& filter, std::vector<ResumeInfo>& infos, int& total,
                                uint64_t& total_download_speed, uint64_t& total_upload_speed)
{
    PObject request = makeRequest("get_infos");
    addResumeFilterIntoPObject(filter, request["resume_filter"]);
    PObject response;
    m_impl->request(request, response);
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
    PObject response;
    m_impl->request(request, response);
    return true;
}

bool VardoCoreManager::setDisconnectedPeers(const std::vector<uint64_t>& peer_ids)
{
    PObject request = makeRequest("set_disconnected_peers");
    PObject::array_type& ids = request["peer_ids"].asArray();
    for (uint64_t peer_id : peer_ids)
        ids.push_back(PObject(static_cast<PObject::integer_type>(peer_id)));
    PObject response;
    m_impl->request(request, response);
    return true;
}

bool VardoCoreManager::getDisconnectedPeers(std::vector<uint64_t>& peer_ids)
{
    PObject request = makeRequest("get_disconnected_peers");
    PObject response;
    m_impl->request(request, response);
    peer_ids.clear();
    for (const PObject& peer : response["peer_ids"].asArray())
        peer_ids.push_back(peer.asUInt64());
    return true;
}

bool VardoCoreManager::resumeAllInfoByPeerId(const uint64_t& peer_id)
{
    requestWithPeer(m_impl, "resume_all_info_by_peer_id", peer_id);
    return true;
}

bool VardoCoreManager::debugVCM(PObject& out)
{
    PObject request = makeRequest("debug_vcm");
    PObject response;
    m_impl->request(request, response);
    out.swap(response);
    return true;
}
