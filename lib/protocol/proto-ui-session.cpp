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

    const PObject& answer = response;
    m_server_build_version = static_cast<int>(answer["server"]["package_version"]["build"].asUInt32());
    if (m_server_build_version < kMinServerBuild) {
        QM_LOG(Logger::L_ERR, PROTO_UI_COMPONENT,
               L"[ERROR] proto-ui(%d): server build number (%d) is too old, min support version is %d\n",
               m_server_build_version, kMinServerBuild);
        SetProtocolError(kServerVersionTooHigh, "server version too old");
        return -1;
    }
    seed = m_seed != 0 ? m_seed : answer["seed"].asUInt64();
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
    if (m_channel)
        m_channel->SetTimeout(kClosePeerTimeout);
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

    const PObject& answer = response;
    info.database_id = proto_ui_answer::ReadString(answer["database_serial"]);
    info.server_id = proto_ui_answer::ReadString(answer["server_id"]);
    if (answer.hasMember("package_version")) {
        const PObject& package = answer["package_version"];
        info.package[0] = package["major"].asUInt32();
        info.package[1] = package["minor"].asUInt32();
        info.package[2] = package["build"].asUInt32();
    }
    if (answer.hasMember("zrm")) {
        const PObject& zrm = answer["zrm"];
        info.zrm[0] = zrm["major"].asUInt32();
        info.zrm[1] = zrm["minor"].asUInt32();
        info.zrm[2] = zrm["build"].asUInt32();
        info.zrm[3] = zrm["fix"].asUInt32();
        info.unique = proto_ui_answer::ReadString(zrm["unique"]);
    }
    if (answer.hasMember("server_alias"))
        info.server_alias = proto_ui_answer::ReadString(answer["server_alias"]);
    ClearError();
    return 0;
}
