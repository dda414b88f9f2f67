#include "session_support.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>

#include <unistd.h>

#include "support/certificates.h"

namespace session {

UserFolders::UserFolders() : m_root("qm-session")
{
    for (const char* sub : {"data", "log", "local", "home", "registry", "xdg-config", "xdg-data", "xdg-state",
                            "runtime"})
        std::filesystem::create_directories(m_root.file(sub));
    std::filesystem::permissions(m_root.file("runtime"), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    qm_test::writeFile(m_root.file("no-authorities.pem"), "");
}

void UserFolders::exportEnvironment() const
{
    setenv("HOME", m_root.file("home").c_str(), 1);
    setenv("XDG_CONFIG_HOME", m_root.file("xdg-config").c_str(), 1);
    setenv("XDG_DATA_HOME", m_root.file("xdg-data").c_str(), 1);
    setenv("XDG_STATE_HOME", m_root.file("xdg-state").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", m_root.file("runtime").c_str(), 1);
    setenv("QUILLMAR_DATA_DIR", data().c_str(), 1);
    setenv("QUILLMAR_LOG_DIR", log().c_str(), 1);
    setenv("QM_REGISTRY_DIR", m_root.file("registry").c_str(), 1);
    setenv("QM_IPC_SUFFIX", ("-session-" + std::to_string(getpid())).c_str(), 1);
    setenv("SSL_CERT_FILE", m_root.file("no-authorities.pem").c_str(), 1);
    setenv("LANG", "C.UTF-8", 1);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
}

Server::Server() : m_dir("qm-session-server")
{
    m_cert = m_dir.file("server.crt");
    m_key = m_dir.file("server.key");
    qm_test::makeServerCert("localhost", {"localhost"}, nullptr).writeFiles(m_cert, m_key);
    std::filesystem::create_directories(shareFolder());
}

Server::~Server()
{
    kill();
}

bool Server::start()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        test_server::ServerConfig config;
        config.port = 0;
        config.cert_path = m_cert;
        config.key_path = m_key;
        config.accounts = {{"alice", "secret", ""}};
        config.shares = {{"docs", shareFolder(), "rw"}};
        config.on_session_seed = [this](uint64_t seed) {
            if (m_data)
                m_data->AddSession(seed);
        };
        std::string error;
        auto control = std::make_unique<test_server::ControlServer>(config);
        if (control->Start(error) != 0 || control->Port() >= 65535)
            continue;
        auto data = std::make_unique<test_server::DataServer>(config.shares);
        if (data->Start(control->Port() + 1, config.key_path, config.cert_path, error) != 0) {
            control->Stop();
            continue;
        }
        m_port = control->Port();
        m_config = config;
        m_data = std::move(data);
        m_control = std::move(control);
        return true;
    }
    return false;
}

void Server::kill()
{
    if (m_control)
        m_control->Stop();
    if (m_data)
        m_data->Stop();
    m_data.reset();
}

bool Server::restart()
{
    std::string error;
    m_data.reset(new test_server::DataServer(m_config.shares));
    if (m_data->Start(m_port + 1, m_config.key_path, m_config.cert_path, error) != 0)
        return false;
    return m_control->Restart(error) == 0 && m_control->Port() == m_port;
}

std::vector<std::string> unexpectedErrors(const std::string& path, std::vector<std::string> expected)
{
    for (const char* always : {"transfer-service-impl: Bind port ", "transfer-service: service started",
                               "dnd_manager: registry HKLM success"})
        expected.push_back(always);
    std::vector<std::string> lines;
    std::ifstream in(path);
    std::string line;
    // Source line numbers move with every edit: "component(123): " is
    // compared as "component: ".
    const std::regex line_number(R"(\((\d+)\): )");
    while (std::getline(in, line)) {
        if (line.find("[ERROR]") == std::string::npos)
            continue;
        line = std::regex_replace(line, line_number, ": ");
        bool known = false;
        for (const std::string& text : expected)
            known = known || line.find(text) != std::string::npos;
        if (!known)
            lines.push_back(line);
    }
    return lines;
}

}  // namespace session
