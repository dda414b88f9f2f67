// The task store's life cycle, its request dispatcher and its debug dump.
#include "kavelin/vardo-core-manager-impl-default.h"

#include <chrono>
#include <ctime>
#include <string>

#include "file-op.h"
#include "log.h"

namespace {

uint64_t systemNowMs()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count());
}

void setUInt(PObject& object, uint64_t value)
{
    object = static_cast<PObject::integer_type>(value);
}

std::vector<uint64_t> readIds(const PObject& array)
{
    std::vector<uint64_t> ids;
    const PObject::array_type& elements = array.asArray();
    ids.reserve(elements.size());
    for (const PObject& element : elements)
        ids.push_back(element.asUInt64());
    return ids;
}

} // namespace

VardoCoreManagerImplDefault::VardoCoreManagerImplDefault()
    : m_next_resume_id(1), m_next_peer_id(1), m_clock(systemNowMs)
{
    // Calendar seconds as a signed 32-bit value widened with its sign: two
    // stores started in the same second draw the same peer seeds.
    const int32_t seconds = static_cast<int32_t>(std::time(nullptr));
    m_peer_seed_generator.seed(static_cast<uint64_t>(static_cast<int64_t>(seconds)));
}

VardoCoreManagerImplDefault::~VardoCoreManagerImplDefault()
{
    for (const TaskNode& node : m_resume_priority_queue) {
        if (!node.info.temp_path.empty())
            FSRemove(node.info.temp_path);
    }
}

void VardoCoreManagerImplDefault::setClock(std::function<uint64_t()> now_ms)
{
    m_clock = std::move(now_ms);
}

uint64_t VardoCoreManagerImplDefault::now() const
{
    return m_clock();
}

void VardoCoreManagerImplDefault::request(const PObject& request, PObject& response)
{
    if (Logger::IsNeedToLog(Logger::L_DEBUG, "vcm_impl_default_debug")) {
        Logger::tLogLine(Logger::L_DEBUG, "vcm_impl_default_debug", __LINE__,
                         L"[DEBUG] vardo-core-manager-impl-default(%d): request %s\n", request.toPrettyString());
    }
    handle(request, response);
    if (Logger::IsNeedToLog(Logger::L_DEBUG, "vcm_impl_default_debug")) {
        Logger::tLogLine(Logger::L_DEBUG, "vcm_impl_default_debug", __LINE__,
                         L"[DEBUG] vardo-core-manager-impl-default(%d): response %s\n", response.toPrettyString());
    }
}

void VardoCoreManagerImplDefault::handle(const PObject& request, PObject& response)
{
    const std::string action = request["action"].asString();

    if (action == "get_next_peer_id") {
        uint64_t peer_id = 0;
        response["success"] = getNextPeerId(peer_id);
        setUInt(response["next_peer_id"], peer_id);
    } else if (action == "check_peer") {
        response["success"] = checkPeer(request["peer_id"].asUInt64());
    } else if (action == "generate_peer_seed") {
        uint64_t seed = 0;
        const bool success = generatePeerSeed(request["peer_id"].asUInt64(), seed);
        response["success"] = success;
        if (success)
            setUInt(response["seed"], seed);
    } else if (action == "set_peer_seed") {
        response["success"] = setPeerSeed(request["peer_id"].asUInt64(), request["seed"].asUInt64());
    } else if (action == "find_peer_id_by_peer_seed") {
        uint64_t peer_id = 0;
        const bool success = findPeerIdByPeerSeed(request["peer_seed"].asUInt64(), peer_id);
        response["success"] = success;
        if (success)
            setUInt(response["peer_id"], peer_id);
    } else if (action == "remove_peer") {
        response["success"] = removePeer(request["peer_id"].asUInt64());
    } else if (action == "update_disconnected_info") {
        response["success"] = updateDisconnectedInfo(request["peer_id"].asUInt64());
    } else if (action == "reset_peer") {
        response["success"] = resetPeer(request["peer_id"].asUInt64());
    } else if (action == "take_transfer_seed") {
        uint64_t transfer_seed = 0;
        const bool success = takeTransferSeed(request["peer_id"].asUInt64(), transfer_seed);
        response["success"] = success;
        if (success)
            setUInt(response["transfer_seed"], transfer_seed);
    } else if (action == "find_peer_id_by_transfer_seed") {
        uint64_t peer_id = 0;
        const bool success = findPeerIdByTransferSeed(request["transfer_seed"].asUInt64(), peer_id);
        response["success"] = success;
        if (success)
            setUInt(response["peer_id"], peer_id);
    } else if (action == "remove_transfer") {
        response["success"] = removeTransfer(request["transfer_seed"].asUInt64());
    } else if (action == "reserve_tokens_for_transfer") {
        response["success"] =
            reserveTokensForTransfer(request["transfer_seed"].asUInt64(), request["number"].asInt32());
    } else if (action == "take_token") {
        token_t token = 0;
        const bool success = takeToken(request["transfer_seed"].asUInt64(), token);
        response["success"] = success;
        if (success)
            setUInt(response["token"], token);
    } else if (action == "get_token_info_from_token") {
        TokenInfo info;
        const bool success = getTokenInfoFromToken(request["token"].asUInt64(), info);
        response["success"] = success;
        if (success)
            addTokenInfoIntoPObject(info, response["token_info"]);
    } else if (action == "abort_unknown_token") {
        response["success"] = abortUnknownToken(request["token"].asUInt64());
    } else if (action == "has_pending_info") {
        response["success"] = hasPendingInfo(request["transfer_seed"].asUInt64());
    } else if (action == "get_next_waiting_info") {
        ResumeInfo info;
        const bool success =
            getNextWaitingInfo(request["transfer_seed"].asUInt64(), request["concurrent"].asInt32(), info);
        response["success"] = success;
        if (success)
            addResumeInfoIntoPObject(info, response["resume_info"]);
    } else if (action == "get_peer_load") {
        PeerLoad load;
        getPeerLoad(request["peer_id"].asUInt64(), load);
        response["success"] = true;
        setUInt(response["waiting"], load.waiting);
        setUInt(response["running_incomplete"], load.running_incomplete);
        setUInt(response["running_pulls"], load.running_pulls);
    } else if (action == "get_resume_info_from_resume_id") {
        ResumeInfo info;
        const bool success = getResumeInfoFromResumeId(request["resume_id"].asUInt64(), info);
        response["success"] = success;
        if (success)
            addResumeInfoIntoPObject(info, response["resume_info"]);
    } else if (action == "get_resume_info_from_token") {
        ResumeInfo info;
        const bool success = getResumeInfoFromToken(request["token"].asUInt64(), info);
        response["success"] = success;
        if (success)
            addResumeInfoIntoPObject(info, response["resume_info"]);
    } else if (action == "update_info") {
        ResumeInfo info;
        getResumeInfoFromPObject(request["resume_info"], info);
        response["success"] = updateInfo(info);
        setUInt(response["resume_id"], info.resume_id);
    } else if (action == "update_partial_info") {
        response["success"] = updatePartialInfo(request);
    } else if (action == "remove_info") {
        response["success"] = removeInfo(request["resume_id"].asUInt64());
    } else if (action == "consume_done_tasks") {
        std::vector<ResumeInfo> done;
        consumeDoneTasks(done);
        PObject::array_type& forms = response["done_tasks"].asArray();
        forms.resize(done.size());
        for (size_t i = 0; i < done.size(); ++i)
            addResumeInfoIntoPObject(done[i], forms[i]);
        response["success"] = true;
    } else if (action == "adjust_priority") {
        response["success"] = adjustPriority(readIds(request["resume_ids"]), request["is_increase"].asBool(),
                                             request["most"].asBool());
    } else if (action == "get_infos") {
        ResumeFilter filter;
        getResumeFilterFromPObject(request["resume_filter"], filter);
        std::vector<ResumeInfo> infos;
        int total = 0;
        uint64_t download = 0;
        uint64_t upload = 0;
        getInfos(filter, infos, total, download, upload);
        PObject::array_type& forms = response["resume_infos"].asArray();
        forms.resize(infos.size());
        for (size_t i = 0; i < infos.size(); ++i)
            addResumeInfoIntoPObject(infos[i], forms[i]);
        response["total"] = static_cast<int32_t>(total);
        setUInt(response["total_download_speed"], download);
        setUInt(response["total_upload_speed"], upload);
        response["success"] = true;
    } else if (action == "add_infos") {
        for (const PObject& form : request["resume_infos"].asArray()) {
            ResumeInfo info;
            getResumeInfoFromPObject(form, info);
            updateInfo(info);
        }
        response["success"] = true;
    } else if (action == "set_disconnected_peers") {
        m_disconnected_peers = request["peer_ids"].asArray();
        response["success"] = true;
    } else if (action == "get_disconnected_peers") {
        response["peer_ids"] = m_disconnected_peers;
        response["success"] = true;
    } else if (action == "resume_all_info_by_peer_id") {
        resumeAllInfoByPeerId(request["peer_id"].asUInt64());
        response["success"] = true;
    } else if (action == "debug_vcm") {
        debugVCM(response);
    }
}

bool VardoCoreManagerImplDefault::debugVCM(PObject& out) const
{
    setUInt(out["m_next_resume_id"], m_next_resume_id);
    setUInt(out["m_next_peer_id"], m_next_peer_id);

    PObject::array_type& peers = out["m_peer_seed_infos"].asArray();
    for (const auto& entry : m_peer_seed_infos) {
        PObject form;
        setUInt(form["peer_id"], entry.first);
        addPeerSeedInfoIntoPObject(entry.second, form);
        peers.push_back(std::move(form));
    }
    PObject::array_type& transfers = out["m_transfer_seed_infos"].asArray();
    for (const auto& entry : m_transfer_seed_infos) {
        PObject form;
        setUInt(form["transfer_seed"], entry.first);
        addTransferSeedInfoIntoPObject(entry.second, form);
        transfers.push_back(std::move(form));
    }
    PObject::array_type& tokens = out["m_token_table"].asArray();
    for (const auto& entry : m_token_table) {
        PObject form;
        setUInt(form["token"], entry.first);
        addTokenInfoIntoPObject(entry.second, form);
        tokens.push_back(std::move(form));
    }
    PObject::array_type& queue = out["m_resume_priority_queue"].asArray();
    queue.resize(m_resume_priority_queue.size());
    size_t index = 0;
    for (const TaskNode& node : m_resume_priority_queue) {
        addResumeInfoIntoPObject(node.info, queue[index]);
        if (node.handed_over)
            setUInt(queue[index]["handed_over"], 1);
        ++index;
    }
    PObject::array_type& done = out["m_done_tasks"].asArray();
    done.resize(m_done_tasks.size());
    for (size_t i = 0; i < m_done_tasks.size(); ++i)
        addResumeInfoIntoPObject(m_done_tasks[i], done[i]);
    PObject::array_type& aborted = out["m_aborted_token"].asArray();
    for (const auto& entry : m_aborted_token) {
        PObject form;
        setUInt(form["token"], entry.first);
        setUInt(form["add_time"], entry.second);
        aborted.push_back(std::move(form));
    }
    return true;
}
