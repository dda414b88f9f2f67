#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "fixtures/http_proxy_fixture.h"
#include "fixtures/tcp_listener.h"
#include "proxy_auth.h"
#include "proxy_http.h"
#include "proxy_text.h"

using namespace VexoProxy;

namespace {

// Feeds a canned answer to the answer reader over a socket pair.
int Answer(const std::string& canned, int auth_type, std::string* rest = nullptr)
{
    int fds[2];
    EXPECT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, fds));
    EXPECT_TRUE(channel_test::sendAll(fds[1], canned));
    shutdown(fds[1], SHUT_WR);
    PROXY_TARGET_INFO target = {"10.0.0.1", 3362};
    VEXO_PROXY_AUTH_DATA auth = {"u", "p", "d", "h", auth_type == PROXY_NTLMv2_AUTH, 0, 0, 0};
    int rc = VEXOProxyClientHandleHttpResponse(fds[0], auth_type, &target, &auth);
    if (rest) {
        char buf[256];
        ssize_t n = recv(fds[0], buf, sizeof buf, 0);
        rest->assign(buf, n > 0 ? static_cast<size_t>(n) : 0);
    }
    close(fds[0]);
    close(fds[1]);
    return rc;
}

std::string NtlmOffer(const std::vector<unsigned char>& type2)
{
    std::string encoded;
    ToBase64(type2.data(), type2.size(), encoded);
    return "Proxy-Authenticate: NTLM " + encoded + "\r\n";
}

}  // namespace

TEST(ProxyHttpTest, AnswersDecideByStatus)
{
    const unsigned char challenge[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    std::vector<unsigned char> short_type2 = channel_test::MakeNtlmChallenge(challenge, false);
    short_type2.resize(24);
    std::vector<unsigned char> bad_info = channel_test::MakeNtlmChallenge(challenge, true);
    bad_info[40] = 0xff;  // target information running past the message
    struct Row {
        const char* name;
        std::string canned;
        int auth_type;
        int expect;
    };
    const Row rows[] = {
        {"200 without headers", "HTTP/1.1 200 OK\r\n\r\n", PROXY_NO_AUTH, 0},
        {"407 to no auth", "HTTP/1.1 407 Auth\r\nContent-Length: 0\r\n\r\n", PROXY_NO_AUTH, PROXY_RC_NEED_AUTH},
        {"HTTP/1.0 407", "HTTP/1.0 407 Auth\r\n\r\n", PROXY_NO_AUTH, PROXY_RC_NEED_AUTH},
        {"407 to Basic, no Basic offer", "HTTP/1.1 407 Auth\r\nProxy-Authenticate: NTLM\r\n\r\n", PROXY_BASIC_AUTH,
         PROXY_RC_NEED_AUTH},
        {"407 to Basic offering Basic", "HTTP/1.1 407 Auth\r\nProxy-Authenticate: basic realm=\"p\"\r\n\r\n",
         PROXY_BASIC_AUTH, PROXY_RC_AUTH_REFUSED},
        {"407 offering only a scheme named like Basic",
         "HTTP/1.1 407 Auth\r\nProxy-Authenticate: BasicX realm=\"p\"\r\n\r\n", PROXY_BASIC_AUTH,
         PROXY_RC_NEED_AUTH},
        {"no HTTP prefix", "FOO 200 OK\r\n\r\n", PROXY_NO_AUTH, PROXY_RC_IO},
        {"other status", "HTTP/1.1 502 Bad Gateway\r\n\r\n", PROXY_NO_AUTH, PROXY_RC_UNEXPECTED},
        {"closed mid-headers", "HTTP/1.1 200 OK\r\nVia: x\r\n", PROXY_NO_AUTH, PROXY_RC_IO},
        {"lower-case NTLM offer", "HTTP/1.1 407 Auth\r\nProxy-Authenticate: ntlm AAAA\r\n\r\n", PROXY_NTLMv2_AUTH,
         PROXY_RC_NEED_AUTH},
        // A challenge that cannot be answered is told apart from a proxy that failed.
        {"challenge of 24 bytes", "HTTP/1.1 407 Auth\r\n" + NtlmOffer(short_type2) + "\r\n", PROXY_NTLMv2_AUTH,
         PROXY_RC_BAD_CHALLENGE},
        {"target info past the end", "HTTP/1.1 407 Auth\r\n" + NtlmOffer(bad_info) + "\r\n", PROXY_NTLMv2_AUTH,
         PROXY_RC_BAD_CHALLENGE},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expect, Answer(row.canned, row.auth_type)) << row.name;
}

TEST(ProxyHttpTest, BytesAfterTheAnswerStayInTheSocket)
{
    std::string rest;
    // A 200 answer to CONNECT has no body, whatever its headers say: what follows is the tunnel.
    EXPECT_EQ(0, Answer("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\ntunnel-bytes", PROXY_NO_AUTH, &rest));
    EXPECT_EQ("tunnel-bytes", rest);
    // A 407 body announced in lower case is skipped.
    EXPECT_EQ(PROXY_RC_NEED_AUTH,
              Answer("HTTP/1.1 407 Auth\r\ncontent-length: 5\r\n\r\nbody!next", PROXY_NO_AUTH, &rest));
    EXPECT_EQ("next", rest);
}

TEST(ProxyHttpTest, HeaderNamesIgnoreCase)
{
    HttpHeaderList list;
    list.Add("proxy-authenticate", "Basic realm=x");
    list.Add("PROXY-AUTHENTICATE", "NTLM abc");
    list.Add("Content-Length", "0");
    int first = list.GetNextEntryByKey("Proxy-Authenticate", -1);
    ASSERT_EQ(0, first);
    EXPECT_EQ(1, list.GetNextEntryByKey("Proxy-Authenticate", first));
    EXPECT_EQ(-1, list.GetNextEntryByKey("Proxy-Authenticate", 1));
    ASSERT_NE(nullptr, list.GetValByKey("content-length"));
    EXPECT_EQ("0", *list.GetValByKey("content-length"));
    EXPECT_EQ(nullptr, list.GetValByKey("Content-Type"));
}

TEST(ProxyHttpTest, ReadLineStopsAtTheLineEnd)
{
    int fds[2];
    ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, fds));
    ASSERT_TRUE(channel_test::sendAll(fds[1], "first\r\nsecond-line-too-long\n"));
    char line[12];
    EXPECT_EQ(7, VEXOProxyClientReadOneLine(fds[0], line, sizeof line, 10));
    EXPECT_STREQ("first\r\n", line);
    EXPECT_EQ(-8, VEXOProxyClientReadOneLine(fds[0], line, sizeof line, 10));
    close(fds[0]);
    close(fds[1]);
}
