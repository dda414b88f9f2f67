#pragma once
// What the session tests share: fresh folders for one user of the program
// (data, log, registry, home and XDG folders, exported to the environment
// qMain and the program read), and the test file server with its data side
// on the control port + 1, a self-signed certificate made for the run and
// one account.
#include <memory>
#include <string>
#include <vector>

#include "control_server.h"
#include "data_server.h"
#include "support/temp_dir.h"

namespace session {

class UserFolders {
public:
    UserFolders();
    // Points HOME, the XDG folders, QUILLMAR_DATA_DIR, QUILLMAR_LOG_DIR,
    // QM_REGISTRY_DIR, QM_IPC_SUFFIX and SSL_CERT_FILE (an empty bundle: no
    // authority signs the server) at this user's folders.
    void exportEnvironment() const;
    std::string root() const { return m_root.path(); }
    std::string data() const { return m_root.file("data"); }
    std::string log() const { return m_root.file("log"); }
    std::string local() const { return m_root.file("local"); }  // the user's own files

private:
    qm_test::TempDir m_root;
};

class Server {
public:
    Server();
    ~Server();
    // Both sides on a free port pair, serving share "docs" from a folder of
    // its own, user "alice" with password "secret". False when no pair was free.
    bool start();
    // Both sides gone (connections cut); restart() brings them back on their ports.
    void kill();
    bool restart();

    unsigned port() const { return m_port; }
    std::string address() const { return "localhost:" + std::to_string(m_port); }
    std::string shareFolder() const { return m_dir.file("docs"); }
    test_server::ControlServer& control() { return *m_control; }

private:
    qm_test::TempDir m_dir;
    std::string m_cert, m_key;
    test_server::ServerConfig m_config;
    std::unique_ptr<test_server::ControlServer> m_control;
    std::unique_ptr<test_server::DataServer> m_data;
    unsigned m_port = 0;
};

// The "[ERROR]" lines of a log file that hold none of `expected`, each
// written "component: message" (the source line number left out). Every
// start logs some at that level by design: the engine's port search and
// start, the shell extension's registration.
std::vector<std::string> unexpectedErrors(const std::string& path, std::vector<std::string> expected = {});

}  // namespace session
