// Drives the task store's request dispatcher with a sequence of arbitrary
// decoded request maps, then checks that its indexes still agree with the
// task list itself: the listing, the per-task lookups and the totals.
// Temporary paths are blanked first, since the store deletes the files its
// tasks name; token reservations are capped so a request stays cheap.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "kavelin/resume-info.h"
#include "kavelin/vardo-core-manager-impl-default.h"
#include "log.h"
#include "protocol/pobject.h"
#include "protocol/stream.h"
#include "pstream_memory_channel.h"

namespace {

const char* const kActions[] = {
    "get_next_peer_id", "check_peer", "generate_peer_seed", "set_peer_seed", "find_peer_id_by_peer_seed",
    "remove_peer", "update_disconnected_info", "reset_peer", "take_transfer_seed",
    "find_peer_id_by_transfer_seed", "remove_transfer", "reserve_tokens_for_transfer", "take_token",
    "get_token_info_from_token", "abort_unknown_token", "has_pending_info", "get_next_waiting_info",
    "get_resume_info_from_resume_id", "get_resume_info_from_token", "update_info", "update_partial_info",
    "remove_info", "consume_done_tasks", "adjust_priority", "get_infos", "add_infos",
    "set_disconnected_peers", "get_disconnected_peers", "resume_all_info_by_peer_id", "debug_vcm",
};
const size_t kActionCount = sizeof kActions / sizeof kActions[0];

// The writable asMap() and asArray() turn any other kind into an empty
// container, so each is reached only for a value of its own kind.
void scrub(PObject& value)
{
    if (value.isMap()) {
        for (auto& member : value.asMap()) {
            if (member.first == "temp_path")
                member.second = "";
            else if (member.first == "number" && member.second.asInt32() > 64)
                member.second = 64;
            else
                scrub(member.second);
        }
    } else if (value.isArray()) {
        for (PObject& element : value.asArray())
            scrub(element);
    }
}

void checkConsistent(VardoCoreManagerImplDefault& store)
{
    PObject dump;
    store.debugVCM(dump);
    std::vector<uint64_t> listed;
    for (const PObject& form : dump["m_resume_priority_queue"].asArray()) {
        ResumeInfo task;
        getResumeInfoFromPObject(form, task);
        ResumeInfo found;
        if (!store.getResumeInfoFromResumeId(task.resume_id, found) || found.resume_id != task.resume_id)
            std::abort();
        if (task.token != 0 && store.getResumeInfoFromToken(task.token, found) && found.token != task.token)
            std::abort();
        if (task.user_action != ResumeInfo::UA_ABORT)
            listed.push_back(task.resume_id);
    }
    ResumeFilter everything;
    std::vector<ResumeInfo> page;
    int total = 0;
    uint64_t download = 0, upload = 0;
    store.getInfos(everything, page, total, download, upload);
    if (static_cast<size_t>(total) != listed.size() || page.size() != listed.size())
        std::abort();
    for (size_t i = 0; i < page.size(); ++i)
        if (page[i].resume_id != listed[i])
            std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Logger::Destroy();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryChannel channel(std::string(reinterpret_cast<const char*>(data), size));
    PStream stream;
    uint64_t now = 1700000000000ull;
    VardoCoreManagerImplDefault store;
    store.setClock([&now] { return now; });
    for (int step = 0; step < 64; ++step) {
        // One byte picks the action (so the fuzzer need not spell it) and
        // moves the clock; the request map follows.
        uint8_t control = 0;
        if (channel.Read(reinterpret_cast<char*>(&control), 1) != 0)
            break;
        now += (control >> 5) * 700u;
        PObject request;
        if (stream.Discard(channel, request) != PStream::ERR_OK)
            break;
        scrub(request);
        if (!request.hasMember("action"))
            request["action"] = kActions[control % kActionCount];
        PObject response;
        store.handle(request, response);
        checkConsistent(store);
    }
    return 0;
}
