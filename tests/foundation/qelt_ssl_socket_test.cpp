#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include "bio/buffered_io.h"
#include "bio/ssl_bio.h"
#include "bio/ssl_socket.h"
#include "io/file.h"
#include "io/socket.h"
#include "qelt_test_support.h"

using qelt::BufferedIOBase;
using qelt::SslClientSocket;
using qelt::SslServerSocket;
using qelt::SslSocket;

namespace {

// The signature text as the client pins it: lower-case hex bytes joined by ':'.
std::string signatureText(X509* cert)
{
    const ASN1_BIT_STRING* sig = nullptr;
    X509_get0_signature(&sig, nullptr, cert);
    std::string text;
    char hex[4];
    for (int i = 0; i < ASN1_STRING_length(sig); ++i) {
        std::snprintf(hex, sizeof hex, "%02x", ASN1_STRING_get0_data(sig)[i]);
        if (i > 0)
            text += ':';
        text += hex;
    }
    return text;
}

// A TLS server for one connection on a loopback port: optionally reads a
// plain prefix, does the handshake, then runs `session` on the stream.
class TlsServer {
public:
    using Session = std::function<void(SslServerSocket&)>;

    TlsServer(const std::string& certPath, const std::string& keyPath, Session session = {}, size_t plainPrefix = 0)
    {
        m_thread = std::thread([=] {
            int fd = m_listener.accept();
            if (fd < 0)
                return;
            if (plainPrefix > 0) {
                m_prefix.resize(plainPrefix);
                ::recv(fd, m_prefix.data(), plainPrefix, MSG_WAITALL);
            }
            SslServerSocket server;
            server.setCertificate(certPath);
            server.setPrivateKey(keyPath);
            qelt::Socket socket(fd);
            m_handshake = server.load(socket) == 0;
            if (m_handshake && session)
                session(server);
            // Hold the connection until the client is done with it.
            char c;
            while (m_handshake && server.read(&c, 1) == 1) {
            }
            server.unload();
            ::close(fd);
        });
    }
    ~TlsServer() { join(); }
    void join()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

    int port() const { return m_listener.port(); }
    bool handshakeDone() const { return m_handshake; }
    const std::string& prefix() const { return m_prefix; }

private:
    qelt_test::Listener m_listener;
    std::thread m_thread;
    bool m_handshake = false;
    std::string m_prefix;
};

// A connected client descriptor, closed at the end of the scope.
struct ClientConnection {
    explicit ClientConnection(int port) : socket(qelt::Socket::connectIPv4("127.0.0.1", port, 5)) {}
    ~ClientConnection() { socket.close(); }
    qelt::Socket socket;
};

enum class Signer { Ca, OtherCa, Self };
enum class Pin { None, Exact, Uppercase };

struct VerifyCase {
    const char* name;
    const char* commonName;
    std::vector<std::string> dnsNames;
    Signer signer;
    bool verify;
    const char* host;
    Pin pin;
    int expectedError; // error_none = the connection is accepted
    std::vector<std::string> ipAddresses = {};
};

class QeltSslSocket : public ::testing::Test {
protected:
    qelt_test::TempDir dir;
    qelt_test::Credentials ca = qelt_test::makeCa("Quillmar Test CA");
    qelt_test::Credentials otherCa = qelt_test::makeCa("Stranger CA");
    std::string caFile = dir.file("ca.pem");

    void SetUp() override { ca.writeFiles(caFile, ""); }

    qelt_test::Credentials serverCert(const char* cn, const std::vector<std::string>& dns, Signer signer,
                                      const std::string& tag, const std::vector<std::string>& ips = {})
    {
        qm_test::CertRequest request;
        request.common_name = cn;
        request.dns_names = dns;
        request.ip_addresses = ips;
        request.issuer = signer == Signer::Ca ? &ca : signer == Signer::OtherCa ? &otherCa : nullptr;
        qelt_test::Credentials c = qm_test::makeCert(request);
        c.writeFiles(dir.file(tag + ".crt"), dir.file(tag + ".key"));
        return c;
    }
};

TEST_F(QeltSslSocket, ClientChecksCertificateHostNameAndPinnedSignature)
{
    const VerifyCase cases[] = {
        {"common name", "files.test", {}, Signer::Ca, true, "files.test", Pin::None, BufferedIOBase::error_none},
        {"DNS name, any case", "x", {"files.example.org"}, Signer::Ca, true, "FILES.Example.org", Pin::None, BufferedIOBase::error_none},
        {"wildcard", "x", {"*.example.test"}, Signer::Ca, true, "a.example.test", Pin::None, BufferedIOBase::error_none},
        {"wildcard, any case", "x", {"*.example.test"}, Signer::Ca, true, "A.EXAMPLE.TEST", Pin::None, BufferedIOBase::error_none},
        {"wildcard, bare domain", "x", {"*.example.test"}, Signer::Ca, true, "example.test", Pin::None, SslSocket::error_verify},
        {"wildcard, two labels", "x", {"*.example.test"}, Signer::Ca, true, "a.b.example.test", Pin::None, SslSocket::error_verify},
        {"wildcard over one label", "x", {"*.test"}, Signer::Ca, true, "a.test", Pin::None, SslSocket::error_verify},
        {"partial wildcard", "x", {"f*.example.test"}, Signer::Ca, true, "files.example.test", Pin::None, SslSocket::error_verify},
        {"common name ignored beside a DNS name", "files.test", {"other.test"}, Signer::Ca, true, "files.test", Pin::None, SslSocket::error_verify},
        {"longer host", "files.test", {}, Signer::Ca, true, "files.test.evil", Pin::None, SslSocket::error_verify},
        {"IP address", "x", {}, Signer::Ca, true, "127.0.0.1", Pin::None, BufferedIOBase::error_none, {"127.0.0.1"}},
        {"IPv6 address", "x", {}, Signer::Ca, true, "::1", Pin::None, BufferedIOBase::error_none, {"::1"}},
        {"other IP address", "x", {"127.0.0.2"}, Signer::Ca, true, "127.0.0.2", Pin::None, SslSocket::error_verify, {"127.0.0.1"}},
        {"wrong host", "files.test", {"www.files.test"}, Signer::Ca, true, "other.test", Pin::None, SslSocket::error_verify},
        {"untrusted issuer", "files.test", {}, Signer::OtherCa, true, "files.test", Pin::None, SslSocket::error_verify},
        {"self-signed", "files.test", {}, Signer::Self, true, "files.test", Pin::None, SslSocket::error_verify},
        {"trusted, no host expected", "files.test", {}, Signer::Ca, true, "", Pin::None, BufferedIOBase::error_none},
        {"unverified, nothing pinned", "files.test", {}, Signer::Self, false, "", Pin::None, BufferedIOBase::error_none},
        {"unverified, pinned", "files.test", {}, Signer::Self, false, "", Pin::Exact, BufferedIOBase::error_none},
        {"pinned, other letter case", "files.test", {}, Signer::Self, false, "", Pin::Uppercase, SslSocket::error_change},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string tag = "server" + std::to_string(n++);
        qelt_test::Credentials cert = serverCert(c.commonName, c.dnsNames, c.signer, tag, c.ipAddresses);
        std::string signature = signatureText(cert.cert);
        TlsServer server(dir.file(tag + ".crt"), dir.file(tag + ".key"));
        ClientConnection conn(server.port());
        ASSERT_TRUE(conn.socket.isValid());

        SslClientSocket client;
        client.setVerify(c.verify);
        ASSERT_EQ(client.setVerifyCa(caFile), 0);
        client.setVerifyCallback(nullptr);
        client.setVerifyHostname(c.host);
        if (c.pin == Pin::Exact)
            client.setVerifySignature(signature);
        if (c.pin == Pin::Uppercase) {
            std::string upper = signature;
            for (char& ch : upper)
                ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            ASSERT_NE(upper, signature);
            client.setVerifySignature(upper);
        }
        int r = client.load(conn.socket);
        EXPECT_EQ(client.error(), c.expectedError);
        if (c.expectedError != BufferedIOBase::error_none) {
            EXPECT_EQ(r, -1);
            EXPECT_FALSE(client.isGoodToRead()) << "a refused connection is dropped";
            continue;
        }
        ASSERT_EQ(r, 0);
        std::string peerSignature;
        EXPECT_EQ(client.getPeerSSLSignature(peerSignature), 0);
        EXPECT_EQ(peerSignature, signature);
        std::vector<std::string> chain;
        client.getPeerCertificateChain(chain);
        ASSERT_FALSE(chain.empty());
        EXPECT_EQ(chain[0].rfind("-----BEGIN CERTIFICATE-----", 0), 0u);
        EXPECT_EQ(client.verifyResult() == 0, c.signer == Signer::Ca);
    }
}

TEST_F(QeltSslSocket, CarriesDataAndFileRegionsBothWays)
{
    serverCert("files.test", {}, Signer::Ca, "srv");
    const size_t size = 1024 * 1024 + 333;
    TlsServer server(dir.file("srv.crt"), dir.file("srv.key"), [&](SslServerSocket& s) {
        std::string buf(size, '\0');
        size_t got = s.read(buf.data(), size);
        s.write(buf.data(), got);
        s.flush();
        s.unload(); // close_notify, then the socket is closed
    });
    ClientConnection conn(server.port());
    SslClientSocket client;
    client.setVerifyCa(caFile);
    client.setVerifyHostname("files.test");
    ASSERT_EQ(client.load(conn.socket), 0);

    const std::string content = qelt_test::patternBytes(size + 1000, 21);
    qelt_test::writeFile(dir.file("src"), content);
    qelt::File src(::open(dir.file("src").c_str(), O_RDONLY | O_CLOEXEC));
    qelt::File dst(::open(dir.file("dst").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));

    // Small writes, then a region of a file; sendfile leaves nothing behind in the buffer.
    ASSERT_EQ(client.write(content.data() + 500, 10), 10u);
    ASSERT_EQ(client.write(content.data() + 510, 20000), 20000u);
    ASSERT_EQ(client.sendfile(src, 20510, size - 20010), static_cast<int64_t>(size - 20010));

    char first[7];
    ASSERT_EQ(client.read(first, 7), 7u);
    EXPECT_EQ(std::string(first, 7), content.substr(500, 7));
    EXPECT_EQ(client.recvfile(dst, 100, size - 7), static_cast<int64_t>(size - 7));
    EXPECT_TRUE(qelt_test::readFile(dir.file("dst")).substr(100) == content.substr(507, size - 7));

    char more;
    EXPECT_EQ(client.read(&more, 1), 0u);
    EXPECT_FALSE(client.isGoodToRead()) << "the server said goodbye";
    EXPECT_EQ(client.error(), BufferedIOBase::error_none);
    src.close();
    dst.close();
}

TEST_F(QeltSslSocket, PlainStreamHandsOverToTlsAfterItsPendingBytes)
{
    serverCert("files.test", {}, Signer::Ca, "srv");
    TlsServer server(
        dir.file("srv.crt"), dir.file("srv.key"),
        [](SslServerSocket& s) {
            char buf[4];
            if (s.read(buf, 4) == 4) {
                s.write(buf, 4);
                s.flush();
            }
        },
        5);
    ClientConnection conn(server.port());
    qelt::BufferedIO plain;
    ASSERT_EQ(plain.load(conn.socket), 0);
    plain.setTimeout(9);
    ASSERT_EQ(plain.write("HELLO", 5), 5u); // still buffered when the switch comes

    SslClientSocket client;
    client.setVerifyCa(caFile);
    client.setVerifyHostname("files.test");
    ASSERT_EQ(plain.handoverTo(client), 0);
    EXPECT_EQ(client.timeout(), 9u);
    ASSERT_EQ(client.write("ping", 4), 4u);
    char echo[4];
    ASSERT_EQ(client.read(echo, 4), 4u) << "a read sends what was written before it";
    EXPECT_EQ(std::string(echo, 4), "ping");
    client.unload();
    server.join();
    EXPECT_EQ(server.prefix(), "HELLO") << "the plain bytes went out before the handshake";
}

// Leaving TLS for the plain socket (as the relay step does) must not drop
// decrypted bytes still waiting in the TLS stream; and the session tells its
// descriptor like one on OpenSSL's own socket BIO.
TEST_F(QeltSslSocket, TlsToPlainHandoverWaitsForPendingInput)
{
    serverCert("files.test", {}, Signer::Ca, "srv");
    TlsServer server(dir.file("srv.crt"), dir.file("srv.key"), [](SslServerSocket& s) {
        s.write("0123456789", 10); // one record
        s.flush();
    });
    ClientConnection conn(server.port());
    SslClientSocket client;
    client.setVerifyCa(caFile);
    client.setVerifyHostname("files.test");
    ASSERT_EQ(client.load(conn.socket), 0);
    EXPECT_EQ(SSL_get_fd(client.getSsl()), conn.socket.fd());

    char buf[10];
    ASSERT_EQ(client.read(buf, 3), 3u);
    qelt::BufferedIO plain;
    EXPECT_EQ(client.handoverTo(plain), -1);
    EXPECT_EQ(plain.io(), nullptr);
    ASSERT_EQ(client.read(buf, 7), 7u) << "the refused switch kept the session";
    EXPECT_EQ(std::string(buf, 7), "3456789");

    ASSERT_EQ(client.handoverTo(plain), 0);
    EXPECT_EQ(client.getSsl(), nullptr);
    EXPECT_TRUE(plain.isGoodToRead());
    plain.unload();
    server.join();
}

TEST_F(QeltSslSocket, RefusesWhatIsNotASocket)
{
    qelt::File file(::open(caFile.c_str(), O_RDONLY | O_CLOEXEC));
    SslClientSocket client;
    EXPECT_EQ(client.load(file), -1);
    EXPECT_EQ(client.error(), SslSocket::error_invalid_fd);
    SslServerSocket server;
    EXPECT_EQ(server.load(file), -1);
    EXPECT_EQ(server.error(), SslSocket::error_invalid_fd);
    file.close();
    EXPECT_EQ(client.setVerifyCa(dir.file("missing.pem")), -1);
    EXPECT_EQ(client.flush(), -1) << "nothing to flush into";
}

// One handshake of a bare OpenSSL peer limited to the protocol versions
// [lowest, highest]: a server or client of the kind our contexts must refuse.
// Its security level is 0 so that OpenSSL lets it speak TLS 1.0 and 1.1 at all.
class BarePeer {
public:
    BarePeer(bool server, int lowest, int highest, const std::string& certPath = "", const std::string& keyPath = "")
        : m_ctx(SSL_CTX_new(server ? TLS_server_method() : TLS_client_method())), m_server(server)
    {
        SSL_CTX_set_security_level(m_ctx, 0);
        SSL_CTX_set_min_proto_version(m_ctx, lowest);
        SSL_CTX_set_max_proto_version(m_ctx, highest);
        // Static RSA key exchange, which the client's list offers too: an old
        // server fails on its version alone, not for want of a common suite.
        SSL_CTX_set_cipher_list(m_ctx, "AES128-SHA:@SECLEVEL=0");
        if (server) {
            SSL_CTX_use_certificate_file(m_ctx, certPath.c_str(), SSL_FILETYPE_PEM);
            SSL_CTX_use_PrivateKey_file(m_ctx, keyPath.c_str(), SSL_FILETYPE_PEM);
        }
    }
    ~BarePeer() { SSL_CTX_free(m_ctx); }
    BarePeer(const BarePeer&) = delete;
    BarePeer& operator=(const BarePeer&) = delete;

    // The negotiated version (TLS1_VERSION ...), or 0 when the handshake failed.
    int handshake(int fd)
    {
        SSL* ssl = SSL_new(m_ctx);
        // Sends without SIGPIPE: the refusing side may close first.
        BIO* bio = qelt::newSocketBio(fd);
        SSL_set_bio(ssl, bio, bio);
        int version = (m_server ? SSL_accept(ssl) : SSL_connect(ssl)) == 1 ? SSL_version(ssl) : 0;
        SSL_free(ssl);
        ERR_clear_error();
        return version;
    }

private:
    SSL_CTX* m_ctx;
    bool m_server;
};

// TLS 1.0 and 1.1 are refused by both ends, whatever the system's OpenSSL
// configuration would allow; 1.2 and 1.3 still pass.
TEST_F(QeltSslSocket, ProtocolsBelowTls12AreRefused)
{
    qm_test::CertRequest request;
    request.common_name = "files.test";
    request.key_type = qm_test::KeyType::Rsa2048;
    qm_test::makeCert(request).writeFiles(dir.file("rsa.crt"), dir.file("rsa.key"));

    const struct {
        const char* name;
        int version;
        bool accepted;
    } cases[] = {
        {"TLS 1.0", TLS1_VERSION, false},
        {"TLS 1.1", TLS1_1_VERSION, false},
        {"TLS 1.2", TLS1_2_VERSION, true},
        {"TLS 1.3", TLS1_3_VERSION, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        BarePeer oldServer(true, c.version, c.version, dir.file("rsa.crt"), dir.file("rsa.key"));
        {
            // The peer really speaks this version to a client that allows it.
            qelt_test::Listener listener;
            int served = 0;
            std::thread server([&] {
                int fd = listener.accept();
                served = oldServer.handshake(fd);
                ::close(fd);
            });
            BarePeer anyClient(false, TLS1_VERSION, TLS1_3_VERSION);
            int fd = qm_test::connectLoopback(listener.port());
            EXPECT_EQ(anyClient.handshake(fd), c.version);
            ::close(fd);
            server.join();
            EXPECT_EQ(served, c.version);
        }
        {
            qelt_test::Listener listener;
            int served = -1;
            std::thread server([&] {
                int fd = listener.accept();
                served = oldServer.handshake(fd);
                ::close(fd);
            });
            ClientConnection conn(listener.port());
            SslClientSocket client;
            client.setVerify(false);
            int r = client.load(conn.socket);
            client.unload();
            conn.socket.close();
            server.join();
            EXPECT_EQ(r == 0, c.accepted) << "our client against a server of this version only";
            EXPECT_EQ(served != 0, c.accepted);
            if (r == 0) {
                EXPECT_EQ(served, c.version);
            }
        }
        {
            TlsServer server(dir.file("rsa.crt"), dir.file("rsa.key"));
            BarePeer oldClient(false, c.version, c.version);
            int fd = qm_test::connectLoopback(server.port());
            int version = oldClient.handshake(fd);
            ::close(fd);
            server.join();
            EXPECT_EQ(server.handshakeDone(), c.accepted) << "our server against a client of this version only";
            EXPECT_EQ(version, c.accepted ? c.version : 0);
        }
    }
}

// Without a peer certificate a required host name can't have been checked.
TEST(QeltSslHostname, NoPeerCertificateFailsWhenAHostIsExpected)
{
    SslClientSocket client;
    EXPECT_EQ(client.verifyHostname(), 0);
    client.setVerifyHostname("files.test");
    EXPECT_EQ(client.verifyHostname(), -1);
    EXPECT_EQ(client.verifySignature(), 0);
    client.setVerifySignature("ab:cd");
    EXPECT_EQ(client.verifySignature(), -1);
    std::string untouched = "keep";
    client.getPeerSSLSignature(untouched);
    EXPECT_EQ(untouched, "keep");
}

} // namespace
