#include "kavelin/resume-info.h"

#include <string>

#include "kavelin/error-code.h"
#include "protocol/pobject.h"

namespace {

void setUInt(PObject& object, uint64_t value)
{
    object = static_cast<PObject::integer_type>(value);
}

// Signed 32-bit fields travel sign-extended and come back as the low bits.
void setInt32(PObject& object, int32_t value)
{
    object = static_cast<PObject::integer_type>(static_cast<int64_t>(value));
}

int32_t readInt32(const PObject& object)
{
    return static_cast<int32_t>(static_cast<uint32_t>(object.asUInt64()));
}

void setPath(PObject& object, const path_t& path)
{
    object = std::string(path.c_str_utf8());
}

} // namespace

ResumeInfo::ResumeInfo()
    : token(0), resume_id(0), peer_id(0), command(static_cast<Command>(0)), is_udp(false),
      mtime(0), total(0), progress(0), update_time(0), last_progress(0), last_update_time(0),
      error(ProjectVardo::ERR_OK), local_state(RI_WAITING), remote_state(RI_WAITING),
      user_action(UA_NONE), start_time(0), finish_time(0), elapsed_time(0)
{
}

void addResumeInfoIntoPObject(const ResumeInfo& info, PObject& object)
{
    // Members go in in key order with an end hint: every page and every
    // batch of tasks passes through here, and a search per key would cost
    // more than the insertion itself.
    PObject form;
    PObject::map_type& members = form.asMap();
    auto put = [&members](const char* key) -> PObject& {
        return members.emplace_hint(members.end(), key, PObject())->second;
    };
    setInt32(put("command"), info.command);
    setUInt(put("elapsed_time"), info.elapsed_time);
    setInt32(put("error"), info.error);
    setUInt(put("finish_time"), info.finish_time);
    PObject::array_type& fragments = put("fragments").asArray();
    fragments.resize(info.fragments.size());
    for (size_t i = 0; i < info.fragments.size(); ++i) {
        PObject::map_type& fragment = fragments[i].asMap();
        setUInt(fragment.emplace_hint(fragment.end(), "begin", PObject())->second, info.fragments[i].begin);
        setUInt(fragment.emplace_hint(fragment.end(), "end", PObject())->second, info.fragments[i].end);
    }
    put("is_udp") = info.is_udp;
    setUInt(put("last_progress"), info.last_progress);
    setUInt(put("last_update_time"), info.last_update_time);
    setInt32(put("local_state"), info.local_state);
    setUInt(put("mtime"), info.mtime);
    setPath(put("path_from"), info.path_from);
    setPath(put("path_to"), info.path_to);
    setUInt(put("peer_id"), info.peer_id);
    setUInt(put("progress"), info.progress);
    setInt32(put("remote_state"), info.remote_state);
    setUInt(put("resume_id"), info.resume_id);
    setUInt(put("start_time"), info.start_time);
    setPath(put("temp_path"), info.temp_path);
    setUInt(put("token"), info.token);
    setUInt(put("total"), info.total);
    setUInt(put("update_time"), info.update_time);
    setInt32(put("user_action"), info.user_action);
    object.swap(form);
}

void getResumeInfoFromPObject(const PObject& object, ResumeInfo& info)
{
    ResumeInfo read;
    read.token = object["token"].asUInt64();
    read.resume_id = object["resume_id"].asUInt64();
    read.peer_id = object["peer_id"].asUInt64();
    read.command = static_cast<Command>(readInt32(object["command"]));
    read.is_udp = object["is_udp"].asBool();
    read.path_from = ustring(object["path_from"].asString());
    read.path_to = ustring(object["path_to"].asString());
    read.temp_path = ustring(object["temp_path"].asString());
    read.mtime = object["mtime"].asUInt64();
    read.total = object["total"].asUInt64();
    read.progress = object["progress"].asUInt64();
    read.update_time = object["update_time"].asUInt64();
    read.last_progress = object["last_progress"].asUInt64();
    read.last_update_time = object["last_update_time"].asUInt64();
    read.error = readInt32(object["error"]);
    read.local_state = static_cast<ResumeInfo::State>(readInt32(object["local_state"]));
    read.remote_state = static_cast<ResumeInfo::State>(readInt32(object["remote_state"]));
    read.user_action = static_cast<ResumeInfo::UserAction>(readInt32(object["user_action"]));
    read.start_time = object["start_time"].asUInt64();
    read.finish_time = object["finish_time"].asUInt64();
    read.elapsed_time = object["elapsed_time"].asUInt64();
    const PObject& fragments = object["fragments"];
    if (fragments.isArray()) {
        const PObject::array_type& elements = fragments.asArray();
        read.fragments.reserve(elements.size());
        for (const PObject& element : elements)
            read.fragments.push_back({element["begin"].asUInt64(), element["end"].asUInt64()});
    }
    info = std::move(read);
}

void addResumeFilterIntoPObject(const ResumeFilter& filter, PObject& object)
{
    PObject form;
    setInt32(form["offset"], filter.offset);
    setInt32(form["limit"], filter.limit);
    if (filter.check_peer_id) {
        // The key's presence is what carries check_peer_id, so write it
        // even for an empty list.
        PObject::array_type& peers = form["peer_ids"].asArray();
        peers.resize(filter.peer_ids.size());
        for (size_t i = 0; i < filter.peer_ids.size(); ++i)
            setUInt(peers[i], filter.peer_ids[i]);
    }
    object.swap(form);
}

void getResumeFilterFromPObject(const PObject& object, ResumeFilter& filter)
{
    ResumeFilter read;
    read.offset = readInt32(object["offset"]);
    read.limit = readInt32(object["limit"]);
    if (object.hasMember("peer_ids")) {
        read.check_peer_id = true;
        for (const PObject& peer : object["peer_ids"].asArray())
            read.peer_ids.push_back(peer.asUInt64());
    }
    filter = std::move(read);
}

uint64_t getResumeInfoEstimatedSpeed(const ResumeInfo& info, uint64_t now_ms)
{
    if (info.update_time == 0 || info.last_update_time == 0 || info.update_time <= info.last_update_time)
        return 0;
    // Unsigned on purpose: an update stamped in the future also gives 0.
    if (now_ms - info.update_time > 1000)
        return 0;
    if (info.progress <= info.last_progress)
        return 0;
    const uint64_t grown = info.progress - info.last_progress;
    if (now_ms - info.last_update_time <= 1000)
        return grown;
    uint64_t window = 1000;
    if (info.total == info.progress)
        window = info.update_time + 1000 - now_ms;
    return grown * window / (info.update_time - info.last_update_time);
}

bool isResumeInfoPassFilter(const ResumeInfo& info, const ResumeFilter& filter)
{
    if (filter.check_peer_id) {
        bool listed = false;
        for (uint64_t peer : filter.peer_ids) {
            if (peer == info.peer_id) {
                listed = true;
                break;
            }
        }
        if (!listed)
            return false;
    }
    return info.user_action != ResumeInfo::UA_ABORT;
}
