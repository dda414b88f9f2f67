// ProtoUI: share and file requests ("list_share", "list", "mkdir", "rename",
// "copy", "remove", "set_udp").
#include <iterator>
#include <string>
#include <vector>

#include "proto-ui-answer.h"
#include "proto-ui-path.h"
#include "protocol/proto-ui.h"
#include "protocol/protocol-builder.h"
#include "protocol/stream.h"

namespace proto_ui_path {

void ParsePath(const std::string& path, std::string& share, std::string& rel_path)
{
    size_t start = path.find_first_not_of('/');
    if (start != std::string::npos) {
        size_t end = path.find('/', start);
        share.assign(path, start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos)
            rel_path.assign(path, end + 1, std::string::npos);
    }
    rel_path.insert(0, 1, '/');
}

}  // namespace proto_ui_path

namespace {

using namespace proto_ui_answer;
using proto_ui_path::ParsePath;

// A name the client can put into a path unchanged: not empty, no "/", not
// "." or "..". (A server that sends "../x" must not steer a later operation
// or download outside the folder listed.)
bool CheckName(const std::string& name, std::string& why)
{
    if (name.empty())
        why = "an empty \"name\"";
    else if (name.find('/') != std::string::npos || name == "." || name == "..")
        why = "the \"name\" '" + name + "' is not a single path segment";
    else
        return true;
    return false;
}

std::string EntryContext(const char* list, size_t index)
{
    return std::string(list) + " entry " + std::to_string(index) + ": ";
}

// One entry of "share_list"; false with why when it is malformed.
bool ReadShare(const PObject& entry, ProtoUI::Share& share, std::string& why)
{
    if (!entry.isMap()) {
        why = std::string("is ") + KindName(entry) + ", not a map";
        return false;
    }
    return ReadText(entry, "name", share.name, why) && CheckName(share.name, why) &&
           ReadText(entry, "mounted_path", share.path, why);
}

// One entry of "node_list"; false with why when it is malformed.
bool ReadNode(const PObject& entry, ProtoUI::Node& node, std::string& why)
{
    if (!entry.isMap()) {
        why = std::string("is ") + KindName(entry) + ", not a map";
        return false;
    }
    return ReadText(entry, "name", node.name, why) && CheckName(node.name, why) &&
           ReadFlag(entry, "is_dir", node.is_dir, why) &&
           ReadNumber(entry, "mtime", UINT64_MAX, node.mtime, why) &&
           ReadNumber(entry, "size", UINT64_MAX, node.size, why);
}

// The entries of "node_list" as they arrive, read at once into nodes: the
// answer never holds a large folder as values. Keeps the first malformed
// entry; a new message (after a "keep_alive") starts afresh.
class NodeCollector : public PStreamArraySink {
public:
    void Begin() override
    {
        nodes.clear();
        count = 0;
        malformed = false;
        why.clear();
    }
    void Take(PObject& entry) override
    {
        if (!malformed) {
            ProtoUI::Node node;
            if (ReadNode(entry, node, why)) {
                nodes.push_back(std::move(node));
            } else {
                malformed = true;
                malformed_index = count;
            }
        }
        ++count;
    }

    std::vector<ProtoUI::Node> nodes;
    size_t count = 0;
    bool malformed = false;
    size_t malformed_index = 0;
    std::string why;
};

}  // namespace

int ProtoUI::ListShare(std::vector<Share>& share_list)
{
    PObject request;
    ProtocolFactory().BuildProtocol("list_share", request);
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;

    // Read whole before anything is handed out: a malformed entry fails the
    // listing rather than leaving the caller a part of it.
    std::string why;
    const PObject::array_type* entries = ReadList(response, "share_list", why);
    if (!entries) {
        SetMalformedAnswer(why);
        return -1;
    }
    std::vector<Share> shares;
    shares.reserve(entries->size());
    for (size_t i = 0; i < entries->size(); ++i) {
        const PObject& entry = (*entries)[i];
        const PObject& priv = entry["priv"];
        if (priv.isString() && priv.asStringRef() == "denied")
            continue;
        Share share;
        if (!ReadShare(entry, share, why)) {
            SetMalformedAnswer(EntryContext("share_list", i) + why);
            return -1;
        }
        shares.push_back(std::move(share));
    }
    share_list.insert(share_list.end(), std::make_move_iterator(shares.begin()),
                      std::make_move_iterator(shares.end()));
    ClearError();
    return 0;
}

int ProtoUI::ListNode(const std::string& path, bool& is_dir, std::vector<Node>& node_list)
{
    std::string share, rel_path;
    ParsePath(path, share, rel_path);

    PObject request;
    ProtocolFactory().BuildProtocol("list", request);
    request["path"] = rel_path;
    if (!share.empty())
        request["share_name"] = share;
    NodeCollector collector;
    PObject response;
    if (RunProtocol(request, response, "node_list", &collector) != 0 || TakeAnswerError(response))
        return -1;

    std::string why;
    bool answer_is_dir = false;
    if (!ReadFlag(response, "is_dir", answer_is_dir, why) || !ReadList(response, "node_list", why)) {
        SetMalformedAnswer(why);
        return -1;
    }
    // A malformed entry fails the whole listing: the caller's list gets
    // nothing of it.
    if (collector.malformed) {
        SetMalformedAnswer(EntryContext("node_list", collector.malformed_index) + collector.why);
        return -1;
    }
    if (node_list.empty()) {
        node_list = std::move(collector.nodes);
    } else {
        node_list.insert(node_list.end(), std::make_move_iterator(collector.nodes.begin()),
                         std::make_move_iterator(collector.nodes.end()));
    }
    is_dir = answer_is_dir;
    ClearError();
    return 0;
}

int ProtoUI::RunSharePathRequest(const char* action, const std::string& path)
{
    std::string share, rel_path;
    ParsePath(path, share, rel_path);
    if (share.empty()) {
        // Callers know this one message for both requests.
        SetError(ERROR_INVALID_ARGUMENT, "missing path to create");
        return -1;
    }
    PObject request;
    ProtocolFactory().BuildProtocol(action, request);
    request["path"] = rel_path;
    request["share"] = share;
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;
    ClearError();
    return 0;
}

int ProtoUI::CreateDir(const std::string& path)
{
    return RunSharePathRequest("mkdir", path);
}

int ProtoUI::Remove(const std::string& path)
{
    return RunSharePathRequest("remove", path);
}

namespace {

// The request of "rename" and "copy": both paths split into share and path.
void AddFromTo(PObject& request, const std::string& path_from, const std::string& path_to)
{
    std::string share_from, rel_from, share_to, rel_to;
    ParsePath(path_from, share_from, rel_from);
    ParsePath(path_to, share_to, rel_to);
    request["path_from"] = rel_from;
    request["path_to"] = rel_to;
    request["share_from"] = share_from;
    request["share_to"] = share_to;
}

}  // namespace

int ProtoUI::Rename(const std::string& path_from, const std::string& path_to)
{
    if (path_from == path_to)
        return 0;
    PObject request;
    ProtocolFactory().BuildProtocol("rename", request);
    AddFromTo(request, path_from, path_to);
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;
    ClearError();
    return 0;
}

int ProtoUI::Copy(const std::string& path_from, const std::string& path_to)
{
    if (path_from == path_to)
        return 0;
    PObject request;
    ProtocolFactory().BuildProtocol("copy", request);
    AddFromTo(request, path_from, path_to);
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;
    ClearError();
    return 0;
}

int ProtoUI::SetUdp(bool encrypted, bool compressed)
{
    PObject request;
    ProtocolFactory().BuildProtocol("set_udp", request);
    request["compressed"] = uint64_t(compressed ? 1 : 0);
    request["encrypted"] = uint64_t(encrypted ? 1 : 0);
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;
    ClearError();
    return 0;
}
