// ProtoUI: share and file requests ("list_share", "list", "mkdir", "rename",
// "copy", "remove", "set_udp").
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "log.h"
#include "proto-ui-answer.h"
#include "proto-ui-log.h"
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

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(const std::string& text)
{
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* end = p + text.size();
    while (p < end) {
        const unsigned char c = *p++;
        if (c < 0x80)
            continue;
        int more = 0;
        uint32_t code = 0, least = 0;
        if ((c & 0xE0) == 0xC0) {
            more = 1, code = c & 0x1F, least = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            more = 2, code = c & 0x0F, least = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            more = 3, code = c & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (end - p < more)
            return false;
        for (int i = 0; i < more; ++i, ++p) {
            if ((*p & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (*p & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
    }
    return true;
}

// The name's bytes as hex, for a log line that must not carry them raw.
std::string HexBytes(const std::string& text)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (size_t i = 0; i < text.size() && i < 64; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        hex += digits[c >> 4];
        hex += digits[c & 0xF];
    }
    return text.size() > 64 ? hex + "..." : hex;
}

// Why a listed name cannot stand for an item of the folder listed, "" when
// it can. Such an entry is left out of the listing: "", "." and ".." or a
// name holding "/" would steer a later operation or download elsewhere, a
// zero byte would cut the name short, and a name that is not UTF-8 could not
// be shown or asked for again as the server gave it.
std::string UnusableName(const std::string& name)
{
    if (name.empty())
        return "empty";
    if (name == "." || name == "..")
        return "not an item of the folder";
    if (name.find('/') != std::string::npos)
        return "holds a \"/\"";
    if (name.find('\0') != std::string::npos)
        return "holds a zero byte";
    if (!IsValidUtf8(name))
        return "not valid UTF-8";
    return std::string();
}

// Folder flags are 0 or 1 and sizes fit a signed 64-bit file offset: any
// other value is a malformed entry, never a folder or a size taken on trust.
const uint64_t kMaxFlag = 1;
const uint64_t kMaxSize = INT64_MAX;

enum class NodeRead { Taken, Dropped, Malformed };

// One entry of "node_list": Malformed with why for a value of the wrong kind
// or range, Dropped with why for a name that cannot be used.
NodeRead ReadNode(const PObject& entry, ProtoUI::Node& node, std::string& why)
{
    if (!entry.isMap()) {
        why = std::string("is ") + KindName(entry) + ", not a map";
        return NodeRead::Malformed;
    }
    // Read as sent, zero bytes included: the name is judged whole below.
    const bool has_name = entry.hasMember("name");
    if (has_name && !entry["name"].isString()) {
        why = std::string("\"name\" is ") + KindName(entry["name"]) + ", not a string";
        return NodeRead::Malformed;
    }
    node.name = has_name ? entry["name"].asStringRef() : std::string();
    uint64_t is_dir = 0;
    if (!ReadNumber(entry, "is_dir", kMaxFlag, is_dir, why) || !ReadNumber(entry, "mtime", UINT64_MAX, node.mtime, why) ||
        !ReadNumber(entry, "size", kMaxSize, node.size, why))
        return NodeRead::Malformed;
    node.is_dir = is_dir == 1;
    why = UnusableName(node.name);
    return why.empty() ? NodeRead::Taken : NodeRead::Dropped;
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
            std::string reason;
            switch (ReadNode(entry, node, reason)) {
            case NodeRead::Taken:
                nodes.push_back(std::move(node));
                break;
            case NodeRead::Dropped:
                QM_LOG(Logger::L_WARNING, PROTO_UI_COMPONENT,
                       L"[WARNING] proto-ui(%d): node_list entry %s left out: its name (bytes %s) is %s\n",
                       std::to_string(count), HexBytes(node.name), reason);
                break;
            case NodeRead::Malformed:
                malformed = true;
                malformed_index = count;
                why = reason;
                break;
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
    uint64_t answer_is_dir = 0;
    if (!ReadNumber(response, "is_dir", kMaxFlag, answer_is_dir, why) || !ReadList(response, "node_list", why)) {
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
    is_dir = answer_is_dir == 1;
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
