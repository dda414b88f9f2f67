// The test server's end of a control connection offers TLS 1.3 and, in
// TLS 1.2, only suites with an ephemeral ECDH key exchange.
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "bio/ssl_bio.h"
#include "fixtures/tcp_listener.h"
#include "fixtures/test_cert.h"
#include "server_channel.h"

using namespace channel_test;

namespace {

struct Offer {
    const char* name;
    int lowest;
    int highest;
    const char* ciphers;  // TLS 1.2 and older; TLS 1.3 suites stay at OpenSSL's defaults
    bool accepted;
};

void PrintTo(const Offer& c, std::ostream* os) { *os << c.name; }

// The client's own list, as it offers it in TLS 1.2.
const char* const kClientList =
    "AES128-GCM-SHA256:AES128-SHA256:AES128-SHA:AES256-GCM-SHA384:AES256-SHA256:AES256-SHA:"
    "ECDHE-RSA-AES128-GCM-SHA256:ECDHE-RSA-AES128-SHA256:ECDHE-RSA-AES128-SHA:"
    "ECDHE-RSA-AES256-GCM-SHA384:ECDHE-RSA-AES256-SHA384:ECDHE-RSA-AES256-SHA:RC4-MD5";

class ServerChannelTlsTest : public ::testing::TestWithParam<Offer> {
protected:
    TempDir m_dir;
    // RSA, so that a server willing to use RSA key exchange could.
    TestCert m_cert = MakeSelfSignedCert(m_dir.path(), "server", "localhost");
};

TEST_P(ServerChannelTlsTest, OffersOnlySuitesWithForwardSecrecy)
{
    const Offer& c = GetParam();
    std::atomic<int> server_result{1};
    std::unique_ptr<TcpListener> listener(new TcpListener([&](int fd) {
        test_server::ServerChannel channel(m_cert.cert_path, m_cert.key_path);
        if (channel.Open(fd, true) != ERR_OK) {
            close(fd);
            server_result = -100;
            return;
        }
        server_result = channel.ConvertToSSLChannel(true);
        channel.Close();
    }));

    SSL_CTX* ctx = SSL_CTX_new(TLS_client_method());
    SSL_CTX_set_security_level(ctx, 0);  // lets OpenSSL offer the old protocols at all
    SSL_CTX_set_min_proto_version(ctx, c.lowest);
    SSL_CTX_set_max_proto_version(ctx, c.highest);
    ASSERT_EQ(1, SSL_CTX_set_cipher_list(ctx, c.ciphers));
    int fd = connectLoopback(listener->Port());
    ASSERT_GE(fd, 0);
    SSL* ssl = SSL_new(ctx);
    BIO* bio = qelt::newSocketBio(fd);  // no SIGPIPE when the server hangs up first
    SSL_set_bio(ssl, bio, bio);
    const bool connected = SSL_connect(ssl) == 1;
    std::string suite = connected ? SSL_CIPHER_get_name(SSL_get_current_cipher(ssl)) : "";
    int version = connected ? SSL_version(ssl) : 0;
    if (connected)
        SSL_shutdown(ssl);
    SSL_free(ssl);
    SSL_CTX_free(ctx);
    ERR_clear_error();
    close(fd);
    listener.reset();  // joins the server's thread

    EXPECT_EQ(c.accepted, connected) << suite;
    EXPECT_EQ(c.accepted, server_result == ERR_OK) << server_result;
    if (!connected)
        return;
    EXPECT_GE(version, TLS1_2_VERSION);
    if (version == TLS1_2_VERSION) {
        EXPECT_EQ(0u, suite.rfind("ECDHE-", 0)) << suite;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Offers, ServerChannelTlsTest,
    ::testing::Values(
        Offer{"Tls13", TLS1_3_VERSION, TLS1_3_VERSION, "DEFAULT", true},
        Offer{"Tls12Ecdhe", TLS1_2_VERSION, TLS1_2_VERSION, "ECDHE-RSA-AES128-GCM-SHA256", true},
        Offer{"Tls12ClientListPicksEcdhe", TLS1_2_VERSION, TLS1_2_VERSION, kClientList, true},
        Offer{"Tls12RsaKeyExchange", TLS1_2_VERSION, TLS1_2_VERSION,
              "AES128-GCM-SHA256:AES256-GCM-SHA384:AES128-SHA256:AES128-SHA:AES256-SHA", false},
        Offer{"Tls12FiniteFieldDhe", TLS1_2_VERSION, TLS1_2_VERSION, "DHE-RSA-AES128-GCM-SHA256", false},
        Offer{"Tls11", TLS1_1_VERSION, TLS1_1_VERSION, "ECDHE-RSA-AES128-SHA:AES128-SHA:@SECLEVEL=0", false},
        Offer{"Tls10", TLS1_VERSION, TLS1_VERSION, "ECDHE-RSA-AES128-SHA:AES128-SHA:@SECLEVEL=0", false}),
    [](const ::testing::TestParamInfo<Offer>& info) { return std::string(info.param.name); });

}  // namespace
