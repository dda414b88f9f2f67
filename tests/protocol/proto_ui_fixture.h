#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "control_server.h"
#include "protocol/proto-ui.h"
#include "support/temp_dir.h"

// A test file server on a loopback port with a certificate for "localhost"
// signed by a test CA (the client's verification file), and a share tree:
//   docs   (rw):     a.txt ("hello"), sub/ with b.bin (3 bytes), outlink -> outside/
//   public (ro):     readme.txt
//   secret (denied): hidden.txt
//   outside/ (not shared): keep.txt
// Accounts: alice:pw, and bob:pw who must give the one-time code 123456.
class ProtoUIServerTest : public ::testing::Test {
protected:
    ProtoUIServerTest();
    ~ProtoUIServerTest() override;

    // Starts the server (again) with the default configuration as changed by edit.
    void StartServer(const std::function<void(test_server::ServerConfig&)>& edit = {});
    test_server::ControlServer& Server() { return *m_server; }
    // Server, login and TLS settings of a client with a 5 s time-out.
    void Configure(ProtoUI& client, const std::string& user = "alice", const std::string& password = "pw",
                   const std::string& otp = "");
    // Configure + Auth, asserting success.
    void LogIn(ProtoUI& client);
    // Rebuilds the docs tree as described above.
    void ResetDocs();

    std::string Docs(const std::string& rel = "") const { return m_dir.file("docs") + rel; }
    std::string Outside(const std::string& rel = "") const { return m_dir.file("outside") + rel; }

    qm_test::TempDir m_dir;
    std::string m_ca_file;
    std::string m_cert_file;       // CA-signed, for "localhost"
    std::string m_key_file;
    std::string m_self_cert_file;  // self-signed, for "localhost"
    std::string m_self_key_file;
    std::unique_ptr<test_server::ControlServer> m_server;
};

// A one-connection server that answers the client's requests, in order, with
// the answers a test scripts: for shaping answers the real test server never
// gives (odd kinds, missing keys). It speaks plain, so clients talk to it with
// the TLS upgrade off, except where the script answers "encrypt_channel".
class ScriptedServer {
public:
    // answers[i] goes out, map by map, after the i-th request.
    explicit ScriptedServer(std::vector<std::vector<PObject>> answers);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    unsigned Port() const { return m_port; }
    // The requests decoded so far.
    std::vector<PObject> Requests() const;

private:
    void Serve();

    std::vector<std::vector<PObject>> m_answers;
    int m_listen_fd = -1;
    unsigned m_port = 0;
    std::thread m_thread;
    mutable std::mutex m_mutex;  // guards the two below
    int m_conn_fd = -1;
    bool m_stopping = false;
    std::vector<PObject> m_requests;
};

// A plain client of a ScriptedServer: no TLS upgrade, a 5 s time-out.
void ConfigureScripted(ProtoUI& client, const ScriptedServer& server, const std::string& user = "alice");
