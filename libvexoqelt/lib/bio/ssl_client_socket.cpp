#include <arpa/inet.h>
#include <netinet/in.h>

#include <openssl/x509v3.h>

#include "bio/ssl_socket.h"

namespace qelt {

namespace {

const char* const kClientCipherList =
    "AES128-GCM-SHA256:AES128-SHA256:AES128-SHA:AES256-GCM-SHA384:AES256-SHA256:AES256-SHA:"
    "ECDHE-RSA-AES128-GCM-SHA256:ECDHE-RSA-AES128-SHA256:ECDHE-RSA-AES128-SHA:"
    "ECDHE-RSA-AES256-GCM-SHA384:ECDHE-RSA-AES256-SHA384:ECDHE-RSA-AES256-SHA:RC4-MD5";
constexpr size_t kMaxCaPath = 4096;

SSL_CTX* newClientContext()
{
    SSL_CTX* ctx = SSL_CTX_new(TLS_client_method());
    if (ctx && !requireModernTls(ctx)) {
        SSL_CTX_free(ctx);
        return nullptr;
    }
    if (ctx) {
        SSL_CTX_set_options(ctx, SSL_OP_NO_SSLv2 | SSL_OP_NO_SSLv3);
        // Entries this OpenSSL lacks are skipped; TLS 1.3 suites stay at their defaults.
        SSL_CTX_set_cipher_list(ctx, kClientCipherList);
    }
    return ctx;
}

bool isIpAddress(const std::string& host)
{
    unsigned char buf[sizeof(struct in6_addr)];
    return inet_pton(AF_INET, host.c_str(), buf) == 1 || inet_pton(AF_INET6, host.c_str(), buf) == 1;
}

} // namespace

SslClientSocket::SslClientSocket() : SslSocket(newClientContext())
{
}

int SslClientSocket::load(IOBase& io)
{
    if (loadAndHandshake(io, false) != 0)
        return -1;
    if (!m_need_verify) {
        if (verifySignature() != 0) {
            dropConnection();
            m_error = error_change;
            return -1;
        }
    } else if (verifyResult() != 0 || verifyHostname() != 0) {
        dropConnection();
        m_error = error_verify;
        return -1;
    }
    return 0;
}

int SslClientSocket::setVerifyCa(const std::string& path)
{
    if (!m_ssl_ctx || path.empty() || path.size() > kMaxCaPath)
        return -1;
    return SSL_CTX_load_verify_locations(m_ssl_ctx, path.c_str(), nullptr) == 1 ? 0 : -1;
}

void SslClientSocket::setVerifyCallback(int (*cb)(int, X509_STORE_CTX*))
{
    if (m_ssl_ctx)
        SSL_CTX_set_verify(m_ssl_ctx, SSL_VERIFY_NONE, cb);
}

int SslClientSocket::verifySignature() const
{
    if (m_signature.empty())
        return 0;
    std::string peer;
    getPeerSSLSignature(peer);
    return peer == m_signature ? 0 : -1;
}

int SslClientSocket::verifyHostname() const
{
    if (m_hostname.empty())
        return 0;
    X509* cert = m_ssl ? SSL_get0_peer_certificate(m_ssl) : nullptr;
    // A host name is expected, so a peer that shows no certificate can't be it.
    if (!cert)
        return -1;

    // OpenSSL's own matching, as other TLS clients do: an address only
    // against IP subjectAltNames; a name against the DNS subjectAltNames, the
    // subject's common name only when there are none, and a wildcard only as
    // a whole leftmost label over at least two more labels.
    if (m_hostname.find('\0') != std::string::npos)
        return -1;
    if (isIpAddress(m_hostname))
        return X509_check_ip_asc(cert, m_hostname.c_str(), 0) == 1 ? 0 : -1;
    const unsigned flags = X509_CHECK_FLAG_NO_PARTIAL_WILDCARDS;
    return X509_check_host(cert, m_hostname.data(), m_hostname.size(), flags, nullptr) == 1 ? 0 : -1;
}

} // namespace qelt
