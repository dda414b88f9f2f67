#pragma once

#include <string>

#include "protocol/pobject.h"
#include "server_channel.h"

namespace test_server {

class ControlServer;
struct OpResult;

// One control connection: "encrypt_channel" in the clear, the TLS upgrade,
// then one answer per request until the client closes, sends "close_peer",
// or the server stops.
class ControlSession {
public:
    ControlSession(ControlServer& server, int fd);
    ~ControlSession();
    void Run();

private:
    // The answer to one request (null: send nothing).
    PObject Answer(const std::string& action, const PObject& request);
    PObject Auth(const PObject& request);
    PObject QueryServerInfo() const;
    PObject FileOperation(const std::string& action, const PObject& request) const;
    // Sends the answer as the action's fault rule says; false ends the session.
    // generation: the server's release count before the request was recorded,
    // so a test that releases as soon as it sees the request is not missed.
    // Takes the answer: a large listing is sent, not copied first.
    bool Reply(const std::string& action, const PObject& request, PObject answer, uint64_t generation);
    bool Send(const PObject& object);
    // The answer with "type" set to the action unless it has one.
    static PObject Typed(const std::string& action, PObject answer);
    static PObject ErrorAnswer(uint32_t code, const std::string& reason);
    static PObject FromResult(const OpResult& result, PObject answer);

    ControlServer& m_server;
    int m_fd;
    ServerChannel m_channel;
    bool m_tls = false;
    std::string m_user;  // empty until "auth" succeeds
};

}  // namespace test_server
