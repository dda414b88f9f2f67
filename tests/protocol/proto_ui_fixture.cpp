#include "proto_ui_fixture.h"

#include <unistd.h>

#include <filesystem>

#include "channel/channel.h"

namespace fs = std::filesystem;

ProtoUIServerTest::ProtoUIServerTest()
{
    qelt_test::Credentials ca = qelt_test::makeCa("Quillmar Test CA");
    m_ca_file = m_dir.file("ca.pem");
    ca.writeFiles(m_ca_file, "");
    m_cert_file = m_dir.file("server.crt");
    m_key_file = m_dir.file("server.key");
    qelt_test::makeServerCert("localhost", {"localhost"}, &ca).writeFiles(m_cert_file, m_key_file);
    m_self_cert_file = m_dir.file("self.crt");
    m_self_key_file = m_dir.file("self.key");
    qelt_test::makeServerCert("localhost", {"localhost"}, nullptr).writeFiles(m_self_cert_file, m_self_key_file);
    Channel::SetVerifyCAPath(m_ca_file);

    for (const char* folder : {"public", "secret", "outside"})
        fs::create_directory(m_dir.file(folder));
    qelt_test::writeFile(m_dir.file("public/readme.txt"), "read me");
    qelt_test::writeFile(m_dir.file("secret/hidden.txt"), "hidden");
    ResetDocs();
    StartServer();
}

ProtoUIServerTest::~ProtoUIServerTest() = default;

void ProtoUIServerTest::ResetDocs()
{
    fs::remove_all(Docs());
    fs::create_directories(Docs("/sub"));
    qelt_test::writeFile(Docs("/a.txt"), "hello");
    qelt_test::writeFile(Docs("/sub/b.bin"), "xyz");
    fs::remove_all(Outside());
    fs::create_directory(Outside());
    qelt_test::writeFile(Outside("/keep.txt"), "keep");
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
