#include "proto_ui_fixture.h"

#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "channel/channel.h"
#include "protocol/stream.h"
#include "support/certificates.h"
#include "support/loopback.h"

namespace fs = std::filesystem;

ProtoUIServerTest::ProtoUIServerTest()
{
    qm_test::Credentials ca = qm_test::makeCa("Quillmar Test CA");
    m_ca_file = m_dir.file("ca.pem");
    ca.writeFiles(m_ca_file, "");
    m_cert_file = m_dir.file("server.crt");
    m_key_file = m_dir.file("server.key");
    qm_test::makeServerCert("localhost", {"localhost"}, &ca).writeFiles(m_cert_file, m_key_file);
    m_self_cert_file = m_dir.file("self.crt");
    m_self_key_file = m_dir.file("self.key");
    qm_test::makeServerCert("localhost", {"localhost"}, nullptr).writeFiles(m_self_cert_file, m_self_key_file);
    Channel::SetVerifyCAPath(m_ca_file);

    for (const char* folder : {"public", "secret", "outside"})
        fs::create_directory(m_dir.file(folder));
    qm_test::writeFile(m_dir.file("public/readme.txt"), "read me");
    qm_test::writeFile(m_dir.file("secret/hidden.txt"), "hidden");
    ResetDocs();
    StartServer();
}

ProtoUIServerTest::~ProtoUIServerTest() = default;

void ProtoUIServerTest::ResetDocs()
{
    fs::remove_all(Docs());
    fs::create_directories(Docs("/sub"));
    qm_test::writeFile(Docs("/a.txt"), "hello");
    qm_test::writeFile(Docs("/sub/b.bin"), "xyz");
    fs::remove_all(Outside());
    fs::create_directory(Outside());
    qm_test::writeFile(Outside("/keep.txt"), "keep");
    fs::create_directory_symlink(Outside(), Docs("/outlink"));
}

void ProtoUIServerTest::StartServer(const std::function<void(test_server::ServerConfig&)>& edit)
{
    m_server.reset();
    test_server::ServerConfig config;
    config.port = 0;
    config.cert_path = m_cert_file;
    config.key_path = m_key_file;
    config.accounts = {{"alice", "pw", ""}, {"bob", "pw", "123456"}};
    config.shares = {{"docs", Docs(), "rw"},
                     {"public", m_dir.file("public"), "ro"},
                     {"secret", m_dir.file("secret"), "denied"}};
    if (edit)
        edit(config);
    m_server.reset(new test_server::ControlServer(config));
    std::string error;
    ASSERT_EQ(m_server->Start(error), 0) << error;
}

void ProtoUIServerTest::Configure(ProtoUI& client, const std::string& user, const std::string& password,
                                  const std::string& otp)
{
    client.SetServer("127.0.0.1", m_server->Port());
    client.SetUser(user, password, otp);
    client.SetSSL(true, false, "", "");
    client.SetTimeout(5);
}

void ProtoUIServerTest::LogIn(ProtoUI& client)
{
    Configure(client);
    uint64_t seed = 0;
    ASSERT_EQ(client.Auth(seed, false), 0) << client.GetLastErrorMessage();
}

ScriptedServer::ScriptedServer(std::vector<std::vector<PObject>> answers) : m_answers(std::move(answers))
{
    int port = 0;
    m_listen_fd = qm_test::listenLoopback(port, 4);
    if (m_listen_fd < 0)
        throw std::runtime_error("scripted server: cannot listen on loopback");
    m_port = static_cast<unsigned>(port);
    m_thread = std::thread(&ScriptedServer::Serve, this);
}

ScriptedServer::~ScriptedServer()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        // Wakes the accept or the read the serving thread may block in.
        ::shutdown(m_listen_fd, SHUT_RDWR);
        if (m_conn_fd >= 0)
            ::shutdown(m_conn_fd, SHUT_RDWR);
    }
    m_thread.join();
    ::close(m_listen_fd);
}

std::vector<PObject> ScriptedServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

void ScriptedServer::Serve()
{
    int fd = ::accept4(m_listen_fd, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0)
        return;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping) {
            ::close(fd);
            return;
        }
        m_conn_fd = fd;
    }
    Channel channel(81920);
    if (channel.Open(fd, true) == ERR_OK) {
        channel.SetTimeout(0);
        // Answers the scripted requests, then reads on until the client leaves.
        for (size_t i = 0;; ++i) {
            PStream stream;
            PObject request;
            if (stream.Recv(channel, request) != PStream::ERR_OK)
                break;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_requests.push_back(request);
            }
            if (i >= m_answers.size())
                continue;
            for (const PObject& answer : m_answers[i])
                stream.Send(channel, answer);
        }
    }
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_conn_fd = -1;
    }
    channel.Close();
}

void ConfigureScripted(ProtoUI& client, const ScriptedServer& server, const std::string& user)
{
    client.SetServer("127.0.0.1", server.Port());
    client.SetUser(user, "pw", "");
    client.SetSSL(false, false, "", "");
    client.SetTimeout(5);
}
