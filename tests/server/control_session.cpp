#include "control_session.h"

#include <cstdio>
#include <utility>

#include "control_server.h"
#include "protocol/stream.h"
#include "share_store.h"

namespace test_server {

ControlSession::ControlSession(ControlServer& server, int fd)
    : m_server(server), m_fd(fd), m_channel(server.Config().cert_path, server.Config().key_path)
{
}

ControlSession::~ControlSession()
{
    // Forgotten before closing, so Stop never shuts a reused descriptor.
    m_server.UnregisterSocket(m_fd);
    m_channel.Close();
}

void ControlSession::Run()
{
    if (m_channel.Open(m_fd, true) != ERR_OK)
        return;
    // A session waits for its client as long as it likes; Stop wakes it.
    m_channel.SetTimeout(0);
    for (;;) {
        PStream stream;
        PObject request;
        if (stream.Recv(m_channel, request) != PStream::ERR_OK)
            return;
        const PObject& view = request;
        std::string action = view["action"].asString();
        const uint64_t generation = m_server.ReleaseGeneration();
        m_server.RecordRequest(action, request);
        if (m_server.Config().verbose)
            std::fprintf(stderr, "request %s from %s\n", action.c_str(), m_user.empty() ? "-" : m_user.c_str());

        if (action == "encrypt_channel") {
            if (m_tls)
                return;  // a second upgrade is a confused client
            PObject answer;
            answer["project"] = m_server.Config().project;
            if (!Send(answer) || m_channel.ConvertToSSLChannel(true) != ERR_OK)
                return;
            m_tls = true;
            continue;
        }
        if (!m_tls && !m_server.Config().allow_plain)
            return;  // the control protocol is spoken over TLS only
        if (!Reply(action, request, Answer(action, request), generation))
            return;
        if (action == "close_peer")
            return;
    }
}

bool ControlSession::Send(const PObject& object)
{
    PStream stream;
    return stream.Send(m_channel, object) == PStream::ERR_OK;
}

PObject ControlSession::Typed(const std::string& action, PObject answer)
{
    // The client reads answers until one whose "type" is not "keep_alive":
    // every real answer names its request.
    if (answer.isMap() && !answer.hasMember("type"))
        answer["type"] = action;
    return answer;
}

bool ControlSession::Reply(const std::string& action, const PObject& request, PObject answer,
                          uint64_t generation)
{
    Fault fault = m_server.FaultFor(action, request);
    switch (fault.kind) {
    case Fault::KEEP_ALIVE: {
        PObject keep_alive;
        keep_alive["type"] = "keep_alive";
        for (uint32_t i = 0; i < fault.count; ++i)
            if (!Send(keep_alive))
                return false;
        break;
    }
    case Fault::DELAY:
        if (!m_server.Pause(fault.count))
            return false;
        break;
    case Fault::DROP:
        return true;
    case Fault::HOLD:
        if (fault.count > 0 && m_server.TakeHoldTurn(action) != fault.count)
            break;
        if (!m_server.Hold(generation))
            return false;
        break;
    case Fault::CLOSE:
        // The start of a map, then the end of the connection.
        m_channel.WriteByte(0x42);
        m_channel.FlushWrite(0);
        return false;
    case Fault::ERROR:
        return Send(Typed(action, ErrorAnswer(fault.count, fault.reason)));
    case Fault::ERROR_NO_CODE: {
        PObject bad;
        bad["error"]["reason"] = fault.reason;
        return Send(Typed(action, bad));
    }
    case Fault::REPLACE:
        return Send(fault.answer);
    case Fault::EXTEND_LIST: {
        PObject extended = answer;
        if (extended.isMap() && extended.hasMember("node_list") && fault.answer.isMap() &&
            fault.answer.hasMember("node_list"))
            for (const PObject& entry : fault.answer["node_list"].asArray())
                extended["node_list"].asArray().push_back(entry);
        return Send(Typed(action, extended));
    }
    case Fault::NONE:
        break;
    }
    return Send(Typed(action, std::move(answer)));
}

PObject ControlSession::ErrorAnswer(uint32_t code, const std::string& reason)
{
    PObject answer;
    answer["error"]["code"] = uint64_t(code);
    answer["error"]["reason"] = reason;
    return answer;
}

PObject ControlSession::FromResult(const OpResult& result, PObject answer)
{
    if (!result.ok())
        return ErrorAnswer(result.code, result.reason);
    answer.asMap();  // an empty answer is still a map; Reply names its type
    return answer;
}

PObject ControlSession::Answer(const std::string& action, const PObject& request)
{
    if (action == "auth")
        return Auth(request);
    if (action == "close_peer" || (action == "heart_beat" && !m_user.empty()))
        return FromResult(OpResult(), PObject());
    if (action == "query_server_info")
        return QueryServerInfo();
    if (m_user.empty())
        return ErrorAnswer(CODE_USER, "not logged in");
    if (action == "set_udp")
        return FromResult(OpResult(), PObject());
    return FileOperation(action, request);
}

PObject ControlSession::Auth(const PObject& request)
{
    const ServerConfig& config = m_server.Config();
    std::string user = request["username"].asString();
    const Account* account = nullptr;
    for (const Account& candidate : config.accounts)
        if (candidate.name == user)
            account = &candidate;

    bool has_seed = request.hasMember("seed");
    uint64_t seed = request["seed"].asUInt64();
    if (request.hasMember("password")) {
        if (!account || request["password"].asString() != account->password)
            return ErrorAnswer(CODE_USER_PASSWD, "wrong user name or password");
        if (!account->otp.empty()) {
            if (!request.hasMember("otp"))
                return ErrorAnswer(CODE_USER_OTP_REQUIRED, "one-time code required");
            if (request["otp"].asString() != account->otp)
                return ErrorAnswer(CODE_USER_OTP_INVALID, "invalid one-time code");
        }
        // A reconnection keeps its session seed. A seed this server does not
        // hold (it was restarted meanwhile) is refused: its transfer seeds
        // would start over while the client's go on, so the client must log
        // in afresh for both ends to draw the same ones.
        if (has_seed && seed != 0) {
            if (!m_server.SeedBelongsTo(seed, user))
                return ErrorAnswer(CODE_USER_INVALID_SEED, "invalid session seed");
        } else {
            seed = m_server.IssueSeed(user);
        }
    } else if (!has_seed || !m_server.SeedBelongsTo(seed, user)) {
        return ErrorAnswer(CODE_USER_INVALID_SEED, "invalid session seed");
    }
    m_user = user;

    PObject answer;
    answer["seed"] = seed;
    PObject& version = answer["server"]["package_version"];
    version["major"] = uint64_t(1);
    version["minor"] = uint64_t(0);
    version["build"] = uint64_t(config.build);
    return answer;
}

PObject ControlSession::QueryServerInfo() const
{
    const ServerConfig& config = m_server.Config();
    PObject answer;
    answer["database_serial"] = "db-" + config.server_id;
    answer["server_id"] = config.server_id;
    answer["server_alias"] = config.server_alias;
    PObject& package = answer["package_version"];
    package["major"] = uint64_t(1);
    package["minor"] = uint64_t(0);
    package["build"] = uint64_t(config.build);
    PObject& zrm = answer["zrm"];
    zrm["major"] = uint64_t(7);
    zrm["minor"] = uint64_t(2);
    zrm["build"] = uint64_t(64570);
    zrm["fix"] = uint64_t(3);
    zrm["unique"] = "quillmar_test";
    return answer;
}

PObject ControlSession::FileOperation(const std::string& action, const PObject& request) const
{
    const ShareStore& shares = m_server.Shares();
    if (action == "list_share") {
        PObject answer;
        answer["share_list"] = shares.ListShares();
        return FromResult(OpResult(), answer);
    }
    if (action == "list") {
        PObject answer;
        OpResult result = shares.List(request["share_name"].asString(), request["path"].asString(), answer);
        return FromResult(result, std::move(answer));
    }
    if (action == "mkdir")
        return FromResult(shares.MakeDir(request["share"].asString(), request["path"].asString()), PObject());
    if (action == "remove")
        return FromResult(shares.Remove(request["share"].asString(), request["path"].asString()), PObject());
    if (action == "rename" || action == "copy") {
        std::string share_from = request["share_from"].asString(), path_from = request["path_from"].asString();
        std::string share_to = request["share_to"].asString(), path_to = request["path_to"].asString();
        OpResult result = action == "rename" ? shares.Rename(share_from, path_from, share_to, path_to)
                                             : shares.Copy(share_from, path_from, share_to, path_to);
        return FromResult(result, PObject());
    }
    return ErrorAnswer(CODE_SYSTEM, "unknown action: " + action);
}

}  // namespace test_server
