// ProtoUI's request cycle, TLS upgrade and login against the test file server.
#include <sys/socket.h>
#include <unistd.h>

#include <climits>
#include <thread>

#include "proto_ui_fixture.h"
#include "protocol/pobject.h"
#include "support/loopback.h"

namespace {

using test_server::Fault;

Fault MakeFault(Fault::Kind kind, uint32_t count = 0, const std::string& reason = "")
{
    Fault fault;
    fault.kind = kind;
    fault.count = count;
    fault.reason = reason;
    return fault;
}

TEST_F(ProtoUIServerTest, FirstLoginThenSeedLoginThenReconnect)
{
    ProtoUI first;
    Configure(first);
    uint64_t seed = 0;
    ASSERT_EQ(first.Auth(seed, false), 0) << first.GetLastErrorMessage();
    EXPECT_NE(seed, 0u);
    EXPECT_EQ(first.GetServerBuildVersion(), 3000);
    EXPECT_FALSE(first.GetCurrentSSLSignature().empty());
    EXPECT_FALSE(first.GetSSLCertificateChain().empty());
    PObject sent = Server().LastRequest("auth");
    EXPECT_EQ(sent["username"].asString(), "alice");
    EXPECT_EQ(sent["password"].asString(), "pw");
    EXPECT_EQ(sent["dummy"].asString(), std::string(9000, 'x'));
    EXPECT_FALSE(sent.hasMember("seed"));
    EXPECT_FALSE(sent.hasMember("otp"));
    EXPECT_EQ(sent["agent"]["platform"].asString(), "Windows");

    // Later requests ride the same connection.
    EXPECT_EQ(first.HeartBeat(), 0);
    EXPECT_EQ(Server().ConnectionCount(), 1);

    // A further connection of the session presents the seed alone.
    ProtoUI second;
    Configure(second, "alice", "", "");
    second.SetSeed(seed);
    uint64_t got = 0;
    ASSERT_EQ(second.Auth(got, false), 0) << second.GetLastErrorMessage();
    EXPECT_EQ(got, seed);
    sent = Server().LastRequest("auth");
    EXPECT_EQ(sent["seed"].asUInt64(), seed);
    EXPECT_FALSE(sent.hasMember("password"));
    EXPECT_FALSE(sent.hasMember("is_reconnect"));

    // A reconnection presents seed and password.
    ProtoUI third;
    Configure(third);
    third.SetSeed(seed);
    ASSERT_EQ(third.Auth(got, true), 0) << third.GetLastErrorMessage();
    EXPECT_EQ(got, seed);
    sent = Server().LastRequest("auth");
    EXPECT_EQ(sent["is_reconnect"].asUInt64(), 1u);
    EXPECT_EQ(sent["password"].asString(), "pw");
    EXPECT_EQ(sent["seed"].asUInt64(), seed);
}

TEST_F(ProtoUIServerTest, LoginRefusals)
{
    struct Case {
        const char* name;
        const char* user;
        const char* password;
        const char* otp;
        uint64_t seed;
        ProtoUI::Error error;
        const char* reason;
    };
    const Case cases[] = {
        {"wrong password", "alice", "nope", "", 0, ProtoUI::ERROR_USER_PASSWORD, "wrong user name or password"},
        {"unknown user", "mallory", "pw", "", 0, ProtoUI::ERROR_USER_PASSWORD, "wrong user name or password"},
        {"unknown seed", "alice", "", "", 77, ProtoUI::ERROR_USER_INVALID_SEED, "invalid session seed"},
        {"one-time code missing", "bob", "pw", "", 0, ProtoUI::ERROR_USER_OTP_REQUIRED, "one-time code required"},
        {"one-time code wrong", "bob", "pw", "654321", 0, ProtoUI::ERROR_USER_OTP_INVALID, "invalid one-time code"},
        {"one-time code right", "bob", "pw", "123456", 0, ProtoUI::ERROR_OK, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProtoUI client;
        Configure(client, c.user, c.password, c.otp);
        client.SetSeed(c.seed);
        uint64_t seed = 0;
        EXPECT_EQ(client.Auth(seed, false), c.error == ProtoUI::ERROR_OK ? 0 : -1);
        EXPECT_EQ(client.GetLastError(), c.error);
        std::string message = c.error == ProtoUI::ERROR_OK ? "" : std::string("protocol error, reason = '") + c.reason + "'";
        EXPECT_EQ(client.GetLastErrorMessage(), message);
    }
    EXPECT_EQ(Server().LastRequest("auth")["otp"].asString(), "123456");
}

TEST_F(ProtoUIServerTest, AuthChecksItsInputBeforeConnecting)
{
    ProtoUI client;
    uint64_t seed = 5;
    EXPECT_EQ(client.Auth(seed, false), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(client.GetLastErrorMessage(), "missing authentication info (user name)");
    client.SetUser("alice", "pw", "");
    EXPECT_EQ(client.Auth(seed, false), -1);
    EXPECT_EQ(client.GetLastErrorMessage(), "missing server ip address");
    EXPECT_EQ(seed, 5u);
    EXPECT_EQ(Server().ConnectionCount(), 0);
}

TEST_F(ProtoUIServerTest, ServerBuildBelowOneIsRefused)
{
    for (uint32_t build : {0u}) {
        StartServer([build](test_server::ServerConfig& config) { config.build = build; });
        ProtoUI client;
        Configure(client);
        uint64_t seed = 0;
        EXPECT_EQ(client.Auth(seed, false), -1);
        EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL_VERSION_TOO_HIGH);
        EXPECT_EQ(client.GetLastErrorMessage(), "protocol error, reason = 'server version too old'");
    }
}

TEST_F(ProtoUIServerTest, CertificateVerificationAndPinning)
{
    std::string trusted_signature, self_signature;
    {
        ProtoUI probe;
        LogIn(probe);
        trusted_signature = probe.GetCurrentSSLSignature();
        EXPECT_TRUE(probe.GetSSLVerified()) << "CA-signed, and no host name to match";
    }
    struct Case {
        const char* name;
        bool self_signed_server;
        bool verify;
        const char* hostname;
        bool pin_trusted;  // pin the CA-signed certificate's signature
        ProtoUI::Error error;
        bool verified;
    };
    const Case cases[] = {
        {"verified", false, true, "localhost", false, ProtoUI::ERROR_OK, true},
        {"host name mismatch", false, true, "other.example", false, ProtoUI::ERROR_CHANNEL_SSL_VERIFY, false},
        {"untrusted issuer", true, true, "localhost", false, ProtoUI::ERROR_CHANNEL_SSL_VERIFY, false},
        {"pin matches", false, false, "localhost", true, ProtoUI::ERROR_OK, true},
        {"certificate changed", true, false, "localhost", true, ProtoUI::ERROR_CHANNEL_SSL_CHANGE, false},
        {"accepted without pin", true, false, "localhost", false, ProtoUI::ERROR_OK, false},
        {"verification ignores the pin", false, true, "localhost", true, ProtoUI::ERROR_OK, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartServer([&](test_server::ServerConfig& config) {
            if (c.self_signed_server) {
                config.cert_path = m_self_cert_file;
                config.key_path = m_self_key_file;
            }
        });
        ProtoUI client;
        Configure(client);
        client.SetSSL(true, c.verify, c.hostname, c.pin_trusted ? trusted_signature : "");
        uint64_t seed = 0;
        int rc = client.Auth(seed, false);
        EXPECT_EQ(client.GetLastError(), c.error) << client.GetLastErrorMessage();
        if (c.error == ProtoUI::ERROR_OK) {
            EXPECT_EQ(rc, 0);
            EXPECT_EQ(client.GetSSLVerified(), c.verified);
            if (c.self_signed_server)
                self_signature = client.GetCurrentSSLSignature();
        } else {
            EXPECT_EQ(rc, -1);
            EXPECT_EQ(client.GetLastErrorMessage(), "channel error while converting SSL channel");
            // The failed upgrade left no connection and no signature.
            EXPECT_FALSE(client.GetSSLVerified());
            EXPECT_EQ(client.GetCurrentSSLSignature(), "");
            EXPECT_EQ(client.getChannelMtu(), -1);
        }
    }
    EXPECT_NE(self_signature, "");
    EXPECT_NE(self_signature, trusted_signature);
}

TEST_F(ProtoUIServerTest, FailedUpgradeKeepsTheLastSignatureAndReconnectsNextTime)
{
    ProtoUI client;
    LogIn(client);
    std::string signature = client.GetCurrentSSLSignature();
    std::vector<std::string> chain = client.GetSSLCertificateChain();
    // The pin that passed just now; the server then changes its certificate.
    client.Clear();
    StartServer([this](test_server::ServerConfig& config) {
        config.cert_path = m_self_cert_file;
        config.key_path = m_self_key_file;
    });
    Configure(client);
    client.SetSSL(true, false, "", signature);
    EXPECT_EQ(client.HeartBeat(), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_CHANNEL_SSL_CHANGE);
    // Clear empties the signature but not the chain; the failed upgrade changes neither.
    EXPECT_EQ(client.GetCurrentSSLSignature(), "");
    EXPECT_EQ(client.GetSSLCertificateChain(), chain);
    EXPECT_EQ(client.HeartBeat(), -1);
    EXPECT_EQ(Server().ConnectionCount(), 2) << "each request after a failed upgrade connects anew";
}

TEST_F(ProtoUIServerTest, WrongServiceIsRecognised)
{
    StartServer([](test_server::ServerConfig& config) { config.project = "quillmar-file-manager "; });
    ProtoUI client;
    Configure(client);
    EXPECT_EQ(client.HeartBeat(), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL_WRONG_PORT);
    EXPECT_EQ(client.GetLastErrorMessage(), "Cannot get correct project string, assuming it's koralt server.");
    EXPECT_EQ(client.getChannelMtu(), -1);

    // A service that closes without a word.
    qm_test::Listener listener;
    std::thread silent([&listener] {
        int fd = listener.accept();
        if (fd >= 0)
            ::close(fd);
    });
    ProtoUI other;
    Configure(other);
    other.SetServer("127.0.0.1", listener.port());
    EXPECT_EQ(other.HeartBeat(), -1);
    silent.join();
    EXPECT_EQ(other.GetLastError(), ProtoUI::ERROR_PROTOCOL_WRONG_PORT);
    EXPECT_EQ(other.GetLastErrorMessage(), "Cannot get protocol object , assuming it's other service.");
}

TEST_F(ProtoUIServerTest, RefusedConnectionIsAChannelError)
{
    unsigned port;
    {
        qm_test::Listener closed_again;
        port = closed_again.port();
    }
    ProtoUI client;
    Configure(client);
    client.SetServer("127.0.0.1", port);
    EXPECT_EQ(client.HeartBeat(), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_CHANNEL_IO);
    EXPECT_EQ(client.GetLastErrorMessage().rfind("channel error while connecting to server code = ", 0), 0u);
}

TEST_F(ProtoUIServerTest, PlainConnectionWithoutUpgrade)
{
    StartServer([](test_server::ServerConfig& config) { config.allow_plain = true; });
    ProtoUI client;
    Configure(client);
    client.SetSSL(false, false, "", "");
    uint64_t seed = 0;
    ASSERT_EQ(client.Auth(seed, false), 0) << client.GetLastErrorMessage();
    EXPECT_TRUE(Server().LastRequest("encrypt_channel").isNull());
    EXPECT_FALSE(client.GetSSLVerified());
}

TEST_F(ProtoUIServerTest, ServerInformation)
{
    ProtoUI client;
    LogIn(client);
    ProtoUI::ServerInfo info;
    ASSERT_EQ(client.QueryServer(info), 0);
    EXPECT_EQ(info.package[0], 1u);
    EXPECT_EQ(info.package[2], 3000u);
    EXPECT_EQ(info.zrm[0], 7u);
    EXPECT_EQ(info.zrm[3], 3u);
    EXPECT_EQ(info.unique, "quillmar_test");
    EXPECT_EQ(info.server_id, "test-server-0001");
    EXPECT_EQ(info.server_alias, "quillmar-test");
    EXPECT_EQ(info.database_id, "db-test-server-0001");
    EXPECT_EQ(Server().LastRequest("query_server_info")["get_all"].asUInt64(), 1u);
}

TEST_F(ProtoUIServerTest, ClosePeerConnectsWhenNeeded)
{
    ProtoUI client;
    Configure(client);
    EXPECT_EQ(client.ClosePeer(), 0);
    EXPECT_FALSE(Server().LastRequest("close_peer").isNull());
}

TEST_F(ProtoUIServerTest, KeepAliveAnswersAreSkipped)
{
    ProtoUI client;
    LogIn(client);
    Server().SetFault("list", MakeFault(Fault::KEEP_ALIVE, 3));
    bool is_dir = true;
    std::vector<ProtoUI::Node> nodes;
    // The keep-alive maps carry "is_dir" = 1; a file's own answer says 0.
    ASSERT_EQ(client.ListNode("/docs/a.txt", is_dir, nodes), 0) << client.GetLastErrorMessage();
    EXPECT_FALSE(is_dir);
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].name, "a.txt");
    EXPECT_EQ(client.HeartBeat(), 0);
}

// A failed exchange must never let a later request take a stale answer, nor
// reconnect without a login.
TEST_F(ProtoUIServerTest, ConnectionIsNotReusedAfterAFailedExchange)
{
    struct Case {
        const char* name;
        Fault fault;
    };
    const Case cases[] = {
        {"late answer", MakeFault(Fault::HOLD)},
        {"no answer", MakeFault(Fault::DROP)},
        {"closed mid-answer", MakeFault(Fault::CLOSE)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProtoUI client;
        LogIn(client);
        client.Clear();
        Configure(client);
        client.SetTimeout(1);
        uint64_t seed = 0;
        ASSERT_EQ(client.Auth(seed, false), 0);
        int connections = Server().ConnectionCount();

        Server().SetFault("heart_beat", c.fault);
        EXPECT_EQ(client.HeartBeat(), -1);
        EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_CHANNEL_IO);
        EXPECT_EQ(client.GetLastErrorMessage(), "stream error while receiving response");
        Server().ClearFaults();
        Server().ReleaseHeldAnswers();  // the late answer goes out now

        // The late heart_beat answer must not pass for this one.
        ProtoUI::ServerInfo info;
        EXPECT_EQ(client.QueryServer(info), -1);
        EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_CHANNEL_IO);
        EXPECT_EQ(info.server_id, "");
        EXPECT_EQ(Server().ConnectionCount(), connections) << "no silent reconnection";

        // The owner clears the object and logs in again.
        client.Clear();
        LogIn(client);
        EXPECT_EQ(client.QueryServer(info), 0);
        EXPECT_EQ(info.server_id, "test-server-0001");
    }
}

TEST_F(ProtoUIServerTest, ErrorWithoutCodeIsAFailure)
{
    ProtoUI client;
    LogIn(client);
    Server().SetFault("heart_beat", MakeFault(Fault::ERROR_NO_CODE, 0, "broken"));
    EXPECT_EQ(client.HeartBeat(), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL);
    EXPECT_NE(client.GetLastErrorMessage().find("malformed"), std::string::npos);
    EXPECT_NE(client.GetLastErrorMessage().find("'broken'"), std::string::npos);

    Server().SetFault("heart_beat", MakeFault(Fault::ERROR, 0, "zero"));
    EXPECT_EQ(client.HeartBeat(), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL);

    Server().ClearFaults();
    EXPECT_EQ(client.HeartBeat(), 0);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_OK);
}

TEST_F(ProtoUIServerTest, RequestsBeforeLoginAreRefusedByTheServer)
{
    ProtoUI client;
    Configure(client);
    EXPECT_EQ(client.HeartBeat(), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_USER);
    EXPECT_EQ(client.GetLastErrorMessage(), "protocol error, reason = 'not logged in'");
}

// A request the codec refuses whole sends nothing, so the session survives it.
TEST_F(ProtoUIServerTest, RequestTooLongForTheWireKeepsTheConnection)
{
    ProtoUI client;
    LogIn(client);
    int connections = Server().ConnectionCount();
    EXPECT_EQ(client.CreateDir("/docs/" + std::string(70000, 'n')), -1);
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_INVALID_ARGUMENT);
    EXPECT_EQ(client.GetLastErrorMessage(), "stream error while sending request");
    EXPECT_TRUE(Server().LastRequest("mkdir").isNull());
    EXPECT_EQ(client.HeartBeat(), 0) << client.GetLastErrorMessage();
    EXPECT_EQ(Server().ConnectionCount(), connections);
}

TEST(ProtoUIScripted, EncryptAnswerMustNameTheProject)
{
    PObject upper;
    upper["project"] = "QUILLMAR-FILE-MANAGER";
    PObject missing;
    missing["name"] = "quillmar-file-manager";
    PObject number;
    number["project"] = uint64_t(1);
    const std::pair<const char*, PObject> cases[] = {
        {"not a map", PObject("quillmar-file-manager")},
        {"upper case", upper},
        {"no project", missing},
        {"not a string", number},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        ScriptedServer server({{c.second}});
        ProtoUI client;
        ConfigureScripted(client, server);
        client.SetSSL(true, false, "", "");
        EXPECT_EQ(client.HeartBeat(), -1);
        EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_PROTOCOL_WRONG_PORT);
        EXPECT_EQ(client.GetLastErrorMessage(), "Cannot get correct project string, assuming it's koralt server.");
        EXPECT_EQ(client.getChannelMtu(), -1) << "no connection is kept";
        ASSERT_EQ(server.Requests().size(), 1u);
        EXPECT_EQ(server.Requests()[0]["action"].asString(), "encrypt_channel");
    }
}

// Build numbers and answer shapes the test server never sends. A build the
// server could really report (none, or 0) is "too old"; a value no server
// sends, or a missing or unusable session seed, is a malformed answer.
TEST(ProtoUIScripted, AuthAnswers)
{
    auto answer = [](const PObject* build, const PObject* seed) {
        PObject a;
        if (build)
            a["server"]["package_version"]["build"] = *build;
        if (seed)
            a["seed"] = *seed;
        return a;
    };
    const PObject zero(uint64_t(0)), one(uint64_t(1)), int_max(uint64_t(INT32_MAX)),
        high_bit(uint64_t(0x80000000u)), all_ones(uint64_t(0xFFFFFFFFu)), wraps_to_one(uint64_t(0x100000001ull)),
        max64(uint64_t(UINT64_MAX)), text("5"), seed42(uint64_t(42));
    PObject error_and_build = answer(&one, &seed42);
    error_and_build["error"]["code"] = uint64_t(4100);
    error_and_build["error"]["reason"] = "bad";
    const ProtoUI::Error OK = ProtoUI::ERROR_OK, OLD = ProtoUI::ERROR_PROTOCOL_VERSION_TOO_HIGH,
                         BAD = ProtoUI::ERROR_PROTOCOL;
    struct Case {
        const char* name;
        PObject answer;
        uint64_t client_seed;  // SetSeed before Auth
        ProtoUI::Error error;
        int build;  // as GetServerBuildVersion reads it afterwards
    };
    const Case cases[] = {
        {"build 1", answer(&one, &seed42), 0, OK, 1},
        {"largest build", answer(&int_max, &seed42), 0, OK, INT32_MAX},
        {"no build", answer(nullptr, &seed42), 0, OLD, 0},
        {"build 0", answer(&zero, &seed42), 0, OLD, 0},
        {"build as text", answer(&text, &seed42), 0, BAD, 0},
        {"build negative as int32", answer(&high_bit, &seed42), 0, BAD, 0},
        {"build all ones", answer(&all_ones, &seed42), 0, BAD, 0},
        {"build past 32 bits", answer(&wraps_to_one, &seed42), 0, BAD, 0},
        {"build 2^64-1", answer(&max64, &seed42), 0, BAD, 0},
        {"no seed", answer(&one, nullptr), 0, BAD, 0},
        {"seed 0", answer(&one, &zero), 0, BAD, 0},
        {"seed as text", answer(&one, &text), 0, BAD, 0},
        {"seed as text with no build", answer(nullptr, &text), 0, BAD, 0},
        {"a session's own seed needs none back", answer(&one, nullptr), 42, OK, 1},
        {"error beside a valid build", error_and_build, 0, ProtoUI::ERROR_USER_PASSWORD, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server({{c.answer}});
        ProtoUI client;
        ConfigureScripted(client, server);
        client.SetSeed(c.client_seed);
        uint64_t seed = 7;
        int rc = client.Auth(seed, false);
        EXPECT_EQ(client.GetLastError(), c.error) << client.GetLastErrorMessage();
        EXPECT_EQ(client.GetServerBuildVersion(), c.build);
        if (c.error == OK) {
            EXPECT_EQ(rc, 0);
            EXPECT_EQ(seed, 42u);
        } else {
            EXPECT_EQ(rc, -1);
            EXPECT_EQ(seed, 7u);
        }
        if (c.error == OLD) {
            EXPECT_EQ(client.GetLastErrorMessage(), "protocol error, reason = 'server version too old'");
        }
        if (c.error == BAD) {
            EXPECT_EQ(client.GetLastErrorMessage().rfind("protocol error, malformed answer: ", 0), 0u)
                << client.GetLastErrorMessage();
        }
    }
}

TEST(ProtoUIScripted, ServerInformationKeepsWhatTheAnswerLacks)
{
    PObject answer;
    answer["server_id"] = "only-id";
    ScriptedServer server({{answer}});
    ProtoUI client;
    ConfigureScripted(client, server);
    ProtoUI::ServerInfo info;
    info.package[0] = 9;
    info.package[2] = 99;
    info.zrm[3] = 8;
    info.unique = "u";
    info.server_alias = "alias";
    info.database_id = "old";
    ASSERT_EQ(client.QueryServer(info), 0) << client.GetLastErrorMessage();
    EXPECT_EQ(info.server_id, "only-id");
    EXPECT_EQ(info.database_id, "") << "read whether present or not";
    EXPECT_EQ(info.package[0], 9u);
    EXPECT_EQ(info.package[2], 99u);
    EXPECT_EQ(info.zrm[3], 8u);
    EXPECT_EQ(info.unique, "u");
    EXPECT_EQ(info.server_alias, "alias");
}

TEST(ProtoUI, NoConnectionYet)
{
    ProtoUI client;
    EXPECT_EQ(client.getChannelMtu(), -1);
    EXPECT_FALSE(client.GetSSLVerified());
    EXPECT_EQ(client.GetLastError(), ProtoUI::ERROR_OK);
    EXPECT_EQ(client.GetServerBuildVersion(), 0);
}

}  // namespace
