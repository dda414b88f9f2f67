#include <gtest/gtest.h>

#include <algorithm>
#include <cstdarg>
#include <iterator>
#include <cwchar>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "channel/proxy_channel.h"
#include "fixtures/channel_exercise.h"
#include "fixtures/echo_target.h"
#include "fixtures/http_proxy_fixture.h"
#include "fixtures/tcp_listener.h"
#include "vexoproxyclient.h"

using namespace channel_test;

namespace {

ProxyInfo MakeProxyInfo(int port, ProxyInfo::AuthType type, const std::string& password = "s3cret-Pw")
{
    ProxyInfo info;
    info.use_proxy = true;
    info.proxy_ip = "127.0.0.1";
    info.proxy_port = static_cast<uint16_t>(port);
    info.user_name = "alice";
    info.password = password;
    info.domain = "Corp";
    info.host = "ws01";
    info.auth_type = type;
    return info;
}

ProxyConfig MakeConfig(ProxyConfig::Auth auth)
{
    ProxyConfig config;
    config.auth = auth;
    config.user = "alice";
    config.password = "s3cret-Pw";
    config.domain = "Corp";
    return config;
}

}  // namespace

TEST(ProxyChannelTest, ConvertAuthType)
{
    const std::pair<int, int> rows[] = {
        {ProxyInfo::AUTH_AUTO, PROXY_AUTO_AUTH},     {ProxyInfo::AUTH_NONE, PROXY_NO_AUTH},
        {ProxyInfo::AUTH_BASIC, PROXY_BASIC_AUTH},   {ProxyInfo::AUTH_NTLMv1, PROXY_NTLM_AUTH},
        {ProxyInfo::AUTH_NTLMv2, PROXY_NTLMv2_AUTH}, {5, PROXY_AUTO_AUTH},
        {-1, PROXY_AUTO_AUTH},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.second, ProxyChannel::ConvertAuthType(row.first)) << "auth type " << row.first;
}

struct ProxyPathCase {
    const char* name;
    ProxyConfig::Auth proxy_auth;
    bool lowercase_headers;
    ProxyInfo::AuthType client_auth;
    const char* accepted;  // the scheme the proxy let through
};

// Names the row in test listings instead of a dump of its bytes.
void PrintTo(const ProxyPathCase& c, std::ostream* os) { *os << c.name; }

class ProxyPathTest : public ::testing::TestWithParam<ProxyPathCase> {};

TEST_P(ProxyPathTest, ReachesTheTargetThroughTheProxy)
{
    const ProxyPathCase& c = GetParam();
    EchoTarget target;
    ProxyConfig config = MakeConfig(c.proxy_auth);
    config.lowercase_headers = c.lowercase_headers;
    HttpProxyFixture proxy(config);
    ProxyChannel ch(MakeProxyInfo(proxy.Port(), c.client_auth));
    ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
    StartTls(ch, target.Cert().cert_path);
    ExerciseIntegersAndBlocks(ch);
    ExerciseFileRegions(ch, target.Dir(), 2 * 1024 * 1024 + 5, true);
    ch.Close();
    // The tunnel that carried our bytes is the one of the expected scheme.
    EXPECT_EQ(std::vector<std::string>{c.accepted}, proxy.WaitForUsed(1));
}

INSTANTIATE_TEST_SUITE_P(
    AuthMethods, ProxyPathTest,
    ::testing::Values(ProxyPathCase{"NoAuth", ProxyConfig::kNone, false, ProxyInfo::AUTH_NONE, "None"},
                      ProxyPathCase{"Basic", ProxyConfig::kBasic, false, ProxyInfo::AUTH_BASIC, "Basic"},
                      ProxyPathCase{"NtlmV1", ProxyConfig::kNtlm, false, ProxyInfo::AUTH_NTLMv1, "NTLMv1"},
                      ProxyPathCase{"NtlmV2", ProxyConfig::kNtlm, false, ProxyInfo::AUTH_NTLMv2, "NTLMv2"},
                      ProxyPathCase{"NtlmV2LowercaseHeaders", ProxyConfig::kNtlm, true, ProxyInfo::AUTH_NTLMv2,
                                    "NTLMv2"},
                      ProxyPathCase{"AutoPrefersNoAuth", ProxyConfig::kNone, false, ProxyInfo::AUTH_AUTO, "None"},
                      ProxyPathCase{"AutoPrefersBasicOverNtlm", ProxyConfig::kBasicOrNtlm, false,
                                    ProxyInfo::AUTH_AUTO, "Basic"},
                      ProxyPathCase{"AutoFallsBackToNtlm", ProxyConfig::kNtlm, false, ProxyInfo::AUTH_AUTO,
                                    "NTLMv1"}),
    [](const ::testing::TestParamInfo<ProxyPathCase>& info) { return std::string(info.param.name); });

TEST(ProxyChannelTest, AutomaticModeKeepsOnlyTheWinner)
{
    EchoTarget target;
    HttpProxyFixture proxy(MakeConfig(ProxyConfig::kBasicOrNtlm));
    ProxyChannel ch(MakeProxyInfo(proxy.Port(), ProxyInfo::AUTH_AUTO));
    ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
    // Basic, NTLMv1 and NTLMv2 all got through; only the Basic tunnel carries our bytes.
    EXPECT_EQ(3u, proxy.Accepted().size());
    ExerciseIntegersAndBlocks(ch);
    ch.Close();
    EXPECT_EQ(std::vector<std::string>{"Basic"}, proxy.WaitForUsed(1));
}

struct RefusalCase {
    const char* name;
    ProxyConfig::Auth proxy_auth;
    bool always_reject;
    ProxyInfo::AuthType client_auth;
    const char* password;
    int expect;  // what Open tells the caller
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }

class ProxyRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(ProxyRefusalTest, OpenFails)
{
    const RefusalCase& c = GetParam();
    EchoTarget target;
    ProxyConfig config = MakeConfig(c.proxy_auth);
    config.always_reject = c.always_reject;
    HttpProxyFixture proxy(config);
    ProxyChannel ch(MakeProxyInfo(proxy.Port(), c.client_auth, c.password));
    EXPECT_EQ(c.expect, ch.Open("127.0.0.1", target.Port()));
    EXPECT_TRUE(proxy.Accepted().empty());
    EXPECT_TRUE(ch.IsClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ProxyRefusalTest,
    ::testing::Values(
        RefusalCase{"NoAuthAgainstBasicProxy", ProxyConfig::kBasic, false, ProxyInfo::AUTH_NONE, "s3cret-Pw",
                    ERR_PROXY_AUTH_REQUIRED},
        RefusalCase{"WrongBasicPassword", ProxyConfig::kBasic, false, ProxyInfo::AUTH_BASIC, "wrong",
                    ERR_PROXY_AUTH_REFUSED},
        RefusalCase{"WrongNtlmV1Password", ProxyConfig::kNtlm, false, ProxyInfo::AUTH_NTLMv1, "wrong",
                    ERR_PROXY_AUTH_REFUSED},
        RefusalCase{"WrongNtlmV2Password", ProxyConfig::kNtlm, false, ProxyInfo::AUTH_NTLMv2, "wrong",
                    ERR_PROXY_AUTH_REFUSED},
        RefusalCase{"NtlmAnswered407Twice", ProxyConfig::kNtlm, true, ProxyInfo::AUTH_NTLMv2, "s3cret-Pw",
                    ERR_PROXY_AUTH_REFUSED},
        RefusalCase{"BasicAgainstNtlmProxy", ProxyConfig::kNtlm, false, ProxyInfo::AUTH_BASIC, "s3cret-Pw",
                    ERR_PROXY_AUTH_REQUIRED},
        RefusalCase{"AutoWithWrongPassword", ProxyConfig::kBasicOrNtlm, false, ProxyInfo::AUTH_AUTO, "wrong",
                    ERR_PROXY_AUTH_REFUSED},
        RefusalCase{"AutoWithWrongPasswordNtlmOnly", ProxyConfig::kNtlm, false, ProxyInfo::AUTH_AUTO, "wrong",
                    ERR_PROXY_AUTH_REFUSED}),
    [](const ::testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

// A proxy whose challenge carries no target information: NTLMv1 and the
// automatic choice get through, NTLMv2 cannot answer it and says so.
TEST(ProxyChannelTest, ChallengeWithoutTargetInformation)
{
    EchoTarget target;
    ProxyConfig config = MakeConfig(ProxyConfig::kNtlm);
    config.ntlm_target_info = false;
    HttpProxyFixture proxy(config);
    {
        ProxyChannel ch(MakeProxyInfo(proxy.Port(), ProxyInfo::AUTH_NTLMv2));
        EXPECT_EQ(ERR_PROXY_AUTH_REQUIRED, ch.Open("127.0.0.1", target.Port()));
    }
    for (ProxyInfo::AuthType type : {ProxyInfo::AUTH_NTLMv1, ProxyInfo::AUTH_AUTO}) {
        ProxyChannel ch(MakeProxyInfo(proxy.Port(), type));
        ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port())) << "auth type " << type;
        ExerciseIntegersAndBlocks(ch);
    }
    EXPECT_EQ((std::vector<std::string>{"NTLMv1", "NTLMv1"}), proxy.WaitForUsed(2));
}

// A 49-byte challenge laid out as squid's test NTLM helper sends it: the
// target name's offset (0xaaaaaaae) lies far outside the message, and no
// target information is announced.
std::vector<unsigned char> SquidHelperChallenge(const unsigned char challenge[8])
{
    std::vector<unsigned char> m(49, 0);
    const unsigned char head[] = {'N', 'T', 'L', 'M', 'S', 'S', 'P', 0, 0x02, 0x00, 0x00, 0x00,
                                  0x0c, 0x00, 0x0c, 0x00, 0xae, 0xaa, 0xaa, 0xaa,  // target name: 12 bytes at 0xaaaaaaae
                                  0x05, 0x82, 0x02, 0x00};  // Unicode, request target, NTLM, always sign, domain
    std::copy(std::begin(head), std::end(head), m.begin());
    std::copy(challenge, challenge + 8, m.begin() + 24);
    m[48] = 'x';
    return m;
}

TEST(ProxyChannelTest, ChallengeIsJudgedOnlyByTheFieldsTheClientReads)
{
    EchoTarget target;
    {
        ProxyConfig config = MakeConfig(ProxyConfig::kNtlm);
        config.ntlm_challenge = SquidHelperChallenge;
        HttpProxyFixture proxy(config);
        for (ProxyInfo::AuthType type : {ProxyInfo::AUTH_NTLMv1, ProxyInfo::AUTH_AUTO}) {
            ProxyChannel ch(MakeProxyInfo(proxy.Port(), type));
            ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port())) << "auth type " << type;
            ExerciseIntegersAndBlocks(ch);
        }
        EXPECT_EQ((std::vector<std::string>{"NTLMv1", "NTLMv1"}), proxy.WaitForUsed(2));
        ProxyChannel v2(MakeProxyInfo(proxy.Port(), ProxyInfo::AUTH_NTLMv2));
        EXPECT_EQ(ERR_PROXY_AUTH_REQUIRED, v2.Open("127.0.0.1", target.Port())) << "no target information";
    }
    // A challenge that really cannot be answered is named as such, never
    // taken for a proxy that is down (ERR_IO) or for a demand (automatic mode).
    const struct {
        const char* name;
        std::vector<unsigned char> (*make)(const unsigned char challenge[8]);
    } unusable[] = {
        {"challenge cut short",
         [](const unsigned char c[8]) {
             std::vector<unsigned char> m = SquidHelperChallenge(c);
             m.resize(30);
             return m;
         }},
        {"not a type-2 message",
         [](const unsigned char c[8]) {
             std::vector<unsigned char> m = SquidHelperChallenge(c);
             m[8] = 3;
             return m;
         }},
        {"target information outside, NTLMv2 only",
         [](const unsigned char c[8]) {
             std::vector<unsigned char> m = SquidHelperChallenge(c);
             m[22] |= 0x80;  // announces target information
             m[40] = 16;     // 16 bytes at offset 48: past the end
             m[44] = 48;
             return m;
         }},
    };
    for (const auto& row : unusable) {
        SCOPED_TRACE(row.name);
        ProxyConfig config = MakeConfig(ProxyConfig::kNtlm);
        config.ntlm_challenge = row.make;
        HttpProxyFixture proxy(config);
        const bool v1_reads_it = std::string(row.name).find("NTLMv2") == std::string::npos;
        for (ProxyInfo::AuthType type : {ProxyInfo::AUTH_NTLMv1, ProxyInfo::AUTH_NTLMv2, ProxyInfo::AUTH_AUTO}) {
            ProxyChannel ch(MakeProxyInfo(proxy.Port(), type));
            const int expect = v1_reads_it || type == ProxyInfo::AUTH_NTLMv2 ? ERR_PROXY_BAD_CHALLENGE : ERR_OK;
            EXPECT_EQ(expect, ch.Open("127.0.0.1", target.Port())) << "auth type " << type;
        }
    }
}

TEST(ProxyChannelTest, ProxyThatRefusesTheConnectionFails)
{
    int closed_port;
    {
        TcpListener gone([](int) {});
        closed_port = gone.Port();
    }
    // A proxy that is down is not a password problem: every method, the
    // automatic one included, reports the plain connection failure.
    for (ProxyInfo::AuthType type : {ProxyInfo::AUTH_BASIC, ProxyInfo::AUTH_NTLMv2, ProxyInfo::AUTH_AUTO}) {
        ProxyChannel ch(MakeProxyInfo(closed_port, type));
        EXPECT_EQ(ERR_IO, ch.Open("127.0.0.1", 9)) << "auth type " << type;
    }
    // The function interface too: a refused connect is a failure, not a socket.
    EXPECT_EQ(-1, VEXOProxyConnect("127.0.0.1", static_cast<uint16_t>(closed_port)));
    PROXY_SERVER_INFO server = {"127.0.0.1", static_cast<uint16_t>(closed_port)};
    PROXY_TARGET_INFO target = {"127.0.0.1", 9};
    PROXY_AUTH_INFO auth = {"alice", "pw", "", "", PROXY_AUTO_AUTH};
    EXPECT_EQ(-2, VEXOProxyTunnelOpen(&server, &target, &auth));
}

namespace {

std::mutex g_log_lock;
std::wstring g_log;

void CaptureLog(int, const vexochar*, const vexochar* format, ...)
{
    wchar_t line[16384];
    va_list args;
    va_start(args, format);
    int n = vswprintf(line, sizeof line / sizeof line[0], format, args);
    va_end(args);
    std::lock_guard<std::mutex> guard(g_log_lock);
    g_log += n >= 0 ? std::wstring(line) : std::wstring(L"<unformattable>") + format;
}

}  // namespace

TEST(ProxyChannelTest, CredentialsNeverReachTheLog)
{
    EchoTarget target;
    HttpProxyFixture proxy(MakeConfig(ProxyConfig::kBasicOrNtlm));
    VEXOProxyInitLogger(CaptureLog);
    for (ProxyInfo::AuthType type : {ProxyInfo::AUTH_BASIC, ProxyInfo::AUTH_NTLMv1, ProxyInfo::AUTH_NTLMv2}) {
        ProxyChannel ch(MakeProxyInfo(proxy.Port(), type));
        ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
    }
    PROXY_SERVER_INFO server = {"127.0.0.1", static_cast<uint16_t>(proxy.Port())};
    std::string target_address = "127.0.0.1";
    PROXY_TARGET_INFO target_info = {target_address.c_str(), static_cast<uint16_t>(target.Port())};
    PROXY_AUTH_INFO auth = {"alice", "s3cret-Pw", "Corp", "ws01", PROXY_BASIC_AUTH};
    int fd = VEXOProxyTunnelOpen(&server, &target_info, &auth);
    EXPECT_GE(fd, 0);
    VEXOProxyTunnelClose(fd);
    VEXOProxyInitLogger(nullptr);

    std::lock_guard<std::mutex> guard(g_log_lock);
    EXPECT_FALSE(g_log.empty());
    EXPECT_EQ(std::wstring::npos, g_log.find(L"s3cret-Pw"));
    // Nor any authorization token that went over the wire (Base64 of user:password, NTLM messages).
    for (const std::string& token : proxy.AuthorizationsSeen()) {
        std::string value = token.substr(token.find(' ') + 1);
        EXPECT_EQ(std::wstring::npos, g_log.find(std::wstring(value.begin(), value.end()))) << token;
    }
}
