#include <openssl/ssl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <string>

#include "channel/proxy_tunnel_channel.h"
#include "channel/tunnel_channel.h"
#include "fixtures/channel_exercise.h"
#include "fixtures/echo_target.h"
#include "fixtures/http_proxy_fixture.h"
#include "fixtures/relay_fixture.h"
#include "vexotunnelclient.h"

using namespace channel_test;

namespace {

TunnelInfo MakeTunnelInfo(int port)
{
    TunnelInfo info;
    info.use_tunnel = true;
    info.tunnel_ip = "127.0.0.1";
    info.tunnel_port = static_cast<uint16_t>(port);
    return info;
}

// Runs the tunnel handshake by itself over a bare TLS connection to the relay.
int HandshakeWithRelay(int relay_port, int target_port)
{
    int fd = connectLoopback(relay_port);
    if (fd < 0)
        return INT_MIN;
    SSL_CTX* ctx = SSL_CTX_new(TLS_client_method());
    SSL* ssl = SSL_new(ctx);
    SSL_set_fd(ssl, fd);
    struct timeval slice = {1, 0};
    int rc = SSL_connect(ssl) == 1 ? VEXOTunnelClientHandshake(ssl, "127.0.0.1", target_port, slice, 60) : INT_MIN;
    SSL_free(ssl);
    SSL_CTX_free(ctx);
    close(fd);
    return rc;
}

}  // namespace

TEST(TunnelChannelTest, RelayForwardsToTheTargetAfterTheHandshake)
{
    EchoTarget target;
    RelayFixture relay(RelayConfig{});
    TunnelChannel ch(MakeTunnelInfo(relay.Port()));
    ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));

    std::vector<RelayRequest> requests = relay.Requests();
    ASSERT_EQ(1u, requests.size());
    const RelayRequest& r = requests[0];
    EXPECT_EQ("GET /vexo-tunnel HTTP/1.1\r\n", r.request_line);
    EXPECT_EQ(kVexoTunnelRelayHost, r.host_header);
    EXPECT_EQ("QuillmarTunnel", r.upgrade);
    EXPECT_EQ("127.0.0.1", r.target_host);
    EXPECT_EQ(std::to_string(target.Port()), r.target_port);
    EXPECT_TRUE(r.token_ok);
    EXPECT_EQ("127.0.0.1:" + std::to_string(target.Port()), r.token_plaintext);

    // Plain bytes first (no TLS framing from the relay hop), then end-to-end TLS.
    ExerciseIntegersAndBlocks(ch);
    StartTls(ch, target.Cert().cert_path);
    ExerciseIntegersAndBlocks(ch);
    ExerciseFileRegions(ch, target.Dir(), 3 * 1024 * 1024 + 7, true);
}

struct RelayRefusal {
    const char* name;
    RelayConfig::Answer answer;
    int status;
    int handshake;               // what the handshake itself returns
    const char* raw_status = "";  // kRawStatus: the header's value as sent
};

// Names the row in test listings instead of a dump of its bytes.
void PrintTo(const RelayRefusal& c, std::ostream* os) { *os << c.name; }

class TunnelRefusalTest : public ::testing::TestWithParam<RelayRefusal> {};

TEST_P(TunnelRefusalTest, OpenFails)
{
    const RelayRefusal& c = GetParam();
    EchoTarget target;
    RelayConfig config{c.answer, c.status};
    config.raw_status = c.raw_status;
    RelayFixture relay(config);
    TunnelChannel ch(MakeTunnelInfo(relay.Port()));
    EXPECT_EQ(ERR_IO, ch.Open("127.0.0.1", target.Port()));
    ch.Close();
    // The cause the channel logs: the relay's status, or the client's own
    // failure code, negative, for an answer without a usable status.
    EXPECT_EQ(c.handshake, HandshakeWithRelay(relay.Port(), target.Port()));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TunnelRefusalTest,
    ::testing::Values(RelayRefusal{"BadTarget401", RelayConfig::kStatus, VEXOTUNNEL_ERR_BAD_TARGET, 401},
                      RelayRefusal{"ConnFailed402", RelayConfig::kStatus, VEXOTUNNEL_ERR_CONN_FAILED, 402},
                      RelayRefusal{"ConnTimeout403", RelayConfig::kStatus, VEXOTUNNEL_ERR_CONN_TIMEOUT, 403},
                      RelayRefusal{"LowercaseHeader401", RelayConfig::kLowercaseStatus, 401, 401},
                      RelayRefusal{"AnswerWithoutStatus", RelayConfig::kNoStatus, 0, VEXOTUNNEL_ERR_NO_STATUS},
                      RelayRefusal{"ClosedBeforeStatus", RelayConfig::kCloseBeforeStatus, 0,
                                   VEXOTUNNEL_ERR_NO_STATUS},
                      // Refusals outside the known four are still refusals.
                      RelayRefusal{"HighestStatus", RelayConfig::kRawStatus, 0, 999, "999"},
                      RelayRefusal{"StatusWithBlanks", RelayConfig::kRawStatus, 0, 401, "401 \t"},
                      // 2^32 cut to an int would be 0: acceptance.
                      RelayRefusal{"StatusBeyond32Bits", RelayConfig::kRawStatus, 0, VEXOTUNNEL_ERR_BAD_STATUS,
                                   "4294967296"},
                      RelayRefusal{"StatusBeyondRange", RelayConfig::kRawStatus, 0, VEXOTUNNEL_ERR_BAD_STATUS, "1000"},
                      // A negative status would pass for the client's own write failure.
                      RelayRefusal{"NegativeStatus", RelayConfig::kRawStatus, 0, VEXOTUNNEL_ERR_BAD_STATUS, "-402"},
                      RelayRefusal{"SignedZero", RelayConfig::kRawStatus, 0, VEXOTUNNEL_ERR_BAD_STATUS, "+0"},
                      RelayRefusal{"NotANumber", RelayConfig::kRawStatus, 0, VEXOTUNNEL_ERR_BAD_STATUS, "ok"},
                      RelayRefusal{"ZeroThenText", RelayConfig::kRawStatus, 0, VEXOTUNNEL_ERR_BAD_STATUS, "0 ok"},
                      RelayRefusal{"EmptyStatus", RelayConfig::kRawStatus, 0, VEXOTUNNEL_ERR_BAD_STATUS, ""}),
    [](const ::testing::TestParamInfo<RelayRefusal>& info) { return std::string(info.param.name); });

// Only an HTTP answer that accepts the upgrade (101 or 2xx) with exactly one
// well-formed status of 0 opens the tunnel; each other answer is refused with
// a cause of its own.
TEST(TunnelChannelTest, AnswerIsAcceptedOnlyWithAnAcceptingStatusLineAndOneZeroStatus)
{
    const struct {
        const char* name;
        const char* answer;
        int handshake;
    } rows[] = {
        {"101 upgrade", "HTTP/1.1 101 Switching Protocols\r\nX-Target-Status: 0\r\n\r\n", 0},
        {"200", "HTTP/1.1 200 OK\r\nX-Target-Status: 0\r\n\r\n", 0},
        {"204, no reason", "HTTP/1.0 204\r\nX-Target-Status: 0\r\n\r\n", 0},
        {"200 with a refusal", "HTTP/1.1 200 OK\r\nX-Target-Status: 402\r\n\r\n", 402},
        {"403 with status 0", "HTTP/1.1 403 Forbidden\r\nX-Target-Status: 0\r\n\r\n", VEXOTUNNEL_ERR_HTTP_REFUSED},
        {"407 with status 0", "HTTP/1.1 407 Proxy Authentication Required\r\nX-Target-Status: 0\r\n\r\n",
         VEXOTUNNEL_ERR_HTTP_REFUSED},
        {"100", "HTTP/1.1 100 Continue\r\nX-Target-Status: 0\r\n\r\n", VEXOTUNNEL_ERR_HTTP_REFUSED},
        {"code of four digits", "HTTP/1.1 2000 OK\r\nX-Target-Status: 0\r\n\r\n", VEXOTUNNEL_ERR_HTTP_REFUSED},
        {"status header first", "X-Target-Status: 0\r\n\r\n", VEXOTUNNEL_ERR_HTTP_REFUSED},
        {"not HTTP", "ICY 200 OK\r\nX-Target-Status: 0\r\n\r\n", VEXOTUNNEL_ERR_HTTP_REFUSED},
        {"refusal then zero", "HTTP/1.1 200 OK\r\nX-Target-Status: 401\r\nX-Target-Status: 0\r\n\r\n",
         VEXOTUNNEL_ERR_REPEATED_STATUS},
        {"zero twice", "HTTP/1.1 200 OK\r\nX-Target-Status: 0\r\nx-target-status: 0\r\n\r\n",
         VEXOTUNNEL_ERR_REPEATED_STATUS},
        {"malformed then zero", "HTTP/1.1 200 OK\r\nX-Target-Status: zero\r\nX-Target-Status: 0\r\n\r\n",
         VEXOTUNNEL_ERR_REPEATED_STATUS},
        {"no status", "HTTP/1.1 200 OK\r\nUpgrade: QuillmarTunnel\r\n\r\n", VEXOTUNNEL_ERR_NO_STATUS},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EchoTarget target;
        RelayConfig config{RelayConfig::kRawAnswer};
        config.raw_status = row.answer;
        {
            RelayFixture relay(config);
            EXPECT_EQ(row.handshake, HandshakeWithRelay(relay.Port(), target.Port()));
        }
        RelayFixture relay(config);
        TunnelChannel ch(MakeTunnelInfo(relay.Port()));
        if (row.handshake == 0) {
            ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
            ExerciseIntegersAndBlocks(ch);
        } else {
            EXPECT_EQ(ERR_IO, ch.Open("127.0.0.1", target.Port()));
        }
    }
}

TEST(TunnelChannelTest, LowercaseStatusHeaderIsRead)
{
    EchoTarget target;
    RelayFixture relay(RelayConfig{RelayConfig::kLowercaseStatus, 0});
    TunnelChannel ch(MakeTunnelInfo(relay.Port()));
    ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
    ExerciseIntegersAndBlocks(ch);
}

TEST(TunnelChannelTest, HeaderLinesLongerThanTheLineBufferAreSkippedWhole)
{
    // A line of 1023 bytes fills the line buffer exactly; longer ones spill
    // their LF, CR LF or more. The spilled tail must not pass for the end of
    // the answer, nor leave the status and the empty line in the stream.
    for (size_t padding : {size_t(1010), size_t(1011), size_t(1012), size_t(3000)}) {
        SCOPED_TRACE(padding);
        EchoTarget target;
        {
            RelayFixture refusing(RelayConfig{RelayConfig::kStatus, VEXOTUNNEL_ERR_CONN_TIMEOUT, padding});
            TunnelChannel ch(MakeTunnelInfo(refusing.Port()));
            EXPECT_EQ(ERR_IO, ch.Open("127.0.0.1", target.Port()));
        }
        RelayFixture relay(RelayConfig{RelayConfig::kStatus, 0, padding});
        TunnelChannel ch(MakeTunnelInfo(relay.Port()));
        ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
        ExerciseIntegersAndBlocks(ch);
    }
}

TEST(TunnelChannelTest, MissingTargetOrOversizedHostFails)
{
    RelayFixture relay(RelayConfig{});
    {
        TunnelChannel ch(MakeTunnelInfo(relay.Port()));
        EXPECT_EQ(ERR_IO, ch.Open(nullptr, 3362));
        EXPECT_EQ(ERR_IO, ch.Open("127.0.0.1", -1));
        EXPECT_TRUE(ch.IsClosed());
    }
    {
        TunnelChannel ch(MakeTunnelInfo(relay.Port()));
        std::string host(1500, 'h');
        EXPECT_EQ(ERR_IO, ch.Open(host.c_str(), 3362));
    }
    for (const RelayRequest& r : relay.Requests())
        EXPECT_TRUE(r.target_host.empty()) << "no request may name a target";
}

TEST(ProxyTunnelChannelTest, ProxyThenRelayThenTarget)
{
    EchoTarget target;
    RelayFixture relay(RelayConfig{});
    ProxyConfig config;
    config.auth = ProxyConfig::kBasic;
    config.user = "bob";
    config.password = "pw";
    HttpProxyFixture proxy(config);
    ProxyInfo proxy_info;
    proxy_info.proxy_ip = "127.0.0.1";
    proxy_info.proxy_port = static_cast<uint16_t>(proxy.Port());
    proxy_info.user_name = "bob";
    proxy_info.password = "pw";
    proxy_info.auth_type = ProxyInfo::AUTH_BASIC;
    ProxyTunnelChannel ch(proxy_info, MakeTunnelInfo(relay.Port()));
    ASSERT_EQ(ERR_OK, ch.Open("127.0.0.1", target.Port()));
    ASSERT_EQ(1u, proxy.Accepted().size());
    ASSERT_EQ(1u, relay.Requests().size());
    EXPECT_EQ("127.0.0.1:" + std::to_string(target.Port()), relay.Requests()[0].token_plaintext);
    StartTls(ch, target.Cert().cert_path);
    ExerciseIntegersAndBlocks(ch);
    ExerciseFileRegions(ch, target.Dir(), 2 * 1024 * 1024 + 1, false);
}

TEST(ProxyTunnelChannelTest, RefusedProxyCredentialsAreReportedAsSuch)
{
    RelayFixture relay(RelayConfig{});
    ProxyConfig config;
    config.auth = ProxyConfig::kBasic;
    config.user = "bob";
    config.password = "pw";
    HttpProxyFixture proxy(config);
    ProxyInfo proxy_info;
    proxy_info.proxy_ip = "127.0.0.1";
    proxy_info.proxy_port = static_cast<uint16_t>(proxy.Port());
    proxy_info.user_name = "bob";
    proxy_info.password = "not-pw";
    proxy_info.auth_type = ProxyInfo::AUTH_BASIC;
    ProxyTunnelChannel ch(proxy_info, MakeTunnelInfo(relay.Port()));
    EXPECT_EQ(ERR_PROXY_AUTH_REFUSED, ch.Open("127.0.0.1", 3362));
    EXPECT_TRUE(relay.Requests().empty());
}

TEST(ProxyTunnelChannelTest, RelayRefusalThroughProxyFails)
{
    EchoTarget target;
    RelayFixture relay(RelayConfig{RelayConfig::kStatus, VEXOTUNNEL_ERR_CONN_FAILED});
    HttpProxyFixture proxy(ProxyConfig{});
    ProxyInfo proxy_info;
    proxy_info.proxy_ip = "127.0.0.1";
    proxy_info.proxy_port = static_cast<uint16_t>(proxy.Port());
    proxy_info.auth_type = ProxyInfo::AUTH_NONE;
    ProxyTunnelChannel ch(proxy_info, MakeTunnelInfo(relay.Port()));
    EXPECT_EQ(ERR_IO, ch.Open("127.0.0.1", target.Port()));
}
