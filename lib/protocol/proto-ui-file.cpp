// ProtoUI: share and file requests ("list_share", "list", "mkdir", "rename",
// "copy", "remove", "set_udp").
#include <string>
#include <vector>

#include "proto-ui-answer.h"
#include "proto-ui-path.h"
#include "protocol/proto-ui.h"
#include "protocol/protocol-builder.h"

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

namespace proto_ui_answer {

std::string ReadString(const PObject& value)
{
    if (!value.isString())
        return value.asString();
    const std::string& text = value.asStringRef();
    return text.substr(0, text.find('\0'));
}

}  // namespace proto_ui_answer

namespace {

using proto_ui_answer::ReadString;
using proto_ui_path::ParsePath;

}  // namespace

int ProtoUI::ListShare(std::vector<Share>& share_list)
{
    PObject request;
    ProtocolFactory().BuildProtocol("list_share", request);
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;

    const PObject& answer = response;
    for (const PObject& entry : answer["share_list"].asArray()) {
        if (entry["priv"].isString() && entry["priv"].asStringRef() == "denied")
            continue;
        Share share;
        share.name = ReadString(entry["name"]);
        share.path = ReadString(entry["mounted_path"]);
        share_list.push_back(std::move(share));
    }
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
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;

    const PObject& answer = response;
    is_dir = answer["is_dir"].asBool();
    const PObject::array_type& entries = answer["node_list"].asArray();
    node_list.reserve(node_list.size() + entries.size());
    for (const PObject& entry : entries) {
        Node node;
        node.name = ReadString(entry["name"]);
        node.is_dir = entry["is_dir"].asBool();
        node.mtime = entry["mtime"].isInteger() ? entry["mtime"].asUInt32() : 0;
        node.size = entry["size"].isInteger() ? entry["size"].asUInt64() : 0;
        node_list.push_back(std::move(node));
    }
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
