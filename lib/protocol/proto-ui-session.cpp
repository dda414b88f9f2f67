// ProtoUI: login and session requests ("auth", "heart_beat", "close_peer",
// "query_server_info").
#include <string>

#include "channel/channel.h"
#include "log.h"
#include "proto-ui-answer.h"
#include "proto-ui-log.h"
#include "protocol/proto-ui.h"
#include "protocol/protocol-builder.h"

namespace {

using namespace proto_ui_answer;

bool ReadUInt32(const PObject& owner, const char* key, uint32_t& out, std::string& why)
{
    uint64_t number = 0;
    if (!ReadNumber(owner, key, UINT32_MAX, number, why))
        return false;
    out = static_cast<uint32_t>(number);
    return true;
}

bool IsMap(const PObject& value, std::string& why)
{
    if (value.isMap())
        return true;
    why = std::string("is ") + KindName(value) + ", not a map";
    return false;
}

// The oldest server build this client speaks to.
const int kMinServerBuild = 1;
const int kServerVersionTooHigh = 16386;
// Padding that every "auth" carries.
const size_t kAuthDummyLength = 9000;
// A closing session should not hold its worker for a full time-out.
const uint32_t kClosePeerTimeout = 5;

}  // namespace

int ProtoUI::Auth(uint64_t& seed, bool is_reconnect)
{
    if (m_user.empty()) {
        SetError(ERROR_INVALID_ARGUMENT, "missing authentication info (user name)");
        return -1;
    }
    if (m_ip.empty()) {
        SetError(ERROR_INVALID_ARGUMENT, "missing server ip address");
        return -1;
    }

    PObject request;
    ProtocolFactory().BuildProtocol("auth", request);
    request["username"] = m_user;
    request["dummy"] = std::string(kAuthDummyLength, 'x');
    if (m_seed != 0)
        request["seed"] = m_seed;
    if (is_reconnect)
        request["is_reconnect"] = true;
    // A further connection of a session presents only the seed; a first
    // login and a reconnection present the password.
    if (m_seed == 0 || is_reconnect) {
        request["password"] = m_password;
        if (!m_otp.empty())
            request["otp"] = m_otp;
    }

    PObject response;
    if (RunProtocol(request, response) != 0)
        return -1;
    if (TakeAnswerError(response))
        return -1;

    // A missing build (or 0) is an old server; a build that is not a
    // positive 32-bit number, or a missing session seed, is not an answer
    // any server gives, and saying "too old" would send the user looking
    // for an update that does not help.
    const PObject& answer = response;
    const PObject& version = answer["server"]["package_version"];
    std::string why;
    uint64_t build = 0;
    m_server_build_version = 0;
    if (!ReadNumber(version, "build", INT32_MAX, build, why)) {
        SetMalformedAnswer("\"server\" / \"package_version\" / " + why);
        return -1;
    }
    uint64_t answer_seed = 0;
    if (m_seed == 0) {
        if (!answer.hasMember("seed")) {
            SetMalformedAnswer("no session \"seed\"");
            return -1;
        }
        if (!ReadNumber(answer, "seed", UINT64_MAX, answer_seed, why)) {
            SetMalformedAnswer(why);
            return -1;
        }
        if (answer_seed == 0) {
            SetMalformedAnswer("the session \"seed\" is 0");
            return -1;
        }
    }
    m_server_build_version = static_cast<int>(build);
    if (m_server_build_version < kMinServerBuild) {
        QM_LOG(Logger::L_ERR, PROTO_UI_COMPONENT,
               L"[ERROR] proto-ui(%d): server build number (%d) is too old, min support version is %d\n",
               m_server_build_version, kMinServerBuild);
        SetProtocolError(kServerVersionTooHigh, "server version too old");
        return -1;
    }
    seed = m_seed != 0 ? m_seed : answer_seed;
    ClearError();
    return 0;
}

int ProtoUI::HeartBeat()
{
    PObject request;
    ProtocolFactory().BuildProtocol("heart_beat", request);
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;
    ClearError();
    return 0;
}

int ProtoUI::ClosePeer()
{
    PObject request;
    ProtocolFactory().BuildProtocol("close_peer", request);
    if (m_channel) {
        m_channel->SetTimeout(kClosePeerTimeout);
        m_connection_timeout = kClosePeerTimeout;
    }
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;
    ClearError();
    return 0;
}

int ProtoUI::QueryServer(ServerInfo& info)
{
    PObject request;
    ProtocolFactory().BuildProtocol("query_server_info", request);
    request["get_all"] = true;
    PObject response;
    if (RunProtocol(request, response) != 0 || TakeAnswerError(response))
        return -1;

    // Read into a copy, so a malformed answer leaves the caller's record as it was.
    const PObject& answer = response;
    ServerInfo read = info;
    std::string why;
    bool ok = ReadText(answer, "database_serial", read.database_id, why) &&
              ReadText(answer, "server_id", read.server_id, why);
    if (ok && answer.hasMember("package_version")) {
        const PObject& package = answer["package_version"];
        const char* const keys[] = {"major", "minor", "build"};
        ok = IsMap(package, why);
        for (size_t i = 0; ok && i < 3; ++i)
            ok = ReadUInt32(package, keys[i], read.package[i], why);
        if (!ok)
            why = "\"package_version\" / " + why;
    }
    if (ok && answer.hasMember("zrm")) {
        const PObject& zrm = answer["zrm"];
        const char* const keys[] = {"major", "minor", "build", "fix"};
        ok = IsMap(zrm, why);
        for (size_t i = 0; ok && i < 4; ++i)
            ok = ReadUInt32(zrm, keys[i], read.zrm[i], why);
        ok = ok && ReadText(zrm, "unique", read.unique, why);
        if (!ok)
            why = "\"zrm\" / " + why;
    }
    if (ok && answer.hasMember("server_alias"))
        ok = ReadText(answer, "server_alias", read.server_alias, why);
    if (!ok) {
        SetMalformedAnswer(why);
        return -1;
    }
    info = read;
    ClearError();
    return 0;
}
