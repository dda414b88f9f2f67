#include <cstring>
#include <strings.h>

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

bool equalsIgnoreCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

// A certificate string as UTF-8; empty when it holds an embedded NUL, which
// would otherwise let "good.example\0.evil" pass as "good.example".
std::string certificateText(const ASN1_STRING* value)
{
    unsigned char* utf8 = nullptr;
    int len = ASN1_STRING_to_UTF8(&utf8, value);
    if (len < 0)
        return std::string();
    std::string text(reinterpret_cast<char*>(utf8), static_cast<size_t>(len));
    OPENSSL_free(utf8);
    if (text.find('\0') != std::string::npos)
        return std::string();
    return text;
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

    X509_NAME* subject = X509_get_subject_name(cert);
    int index = subject ? X509_NAME_get_index_by_NID(subject, NID_commonName, -1) : -1;
    if (index >= 0) {
        std::string cn = certificateText(X509_NAME_ENTRY_get_data(X509_NAME_get_entry(subject, index)));
        if (!cn.empty() && matchHostname(cn, m_hostname))
            return 0;
    }

    auto* names = static_cast<GENERAL_NAMES*>(X509_get_ext_d2i(cert, NID_subject_alt_name, nullptr, nullptr));
    bool matched = false;
    for (int i = 0; names && !matched && i < sk_GENERAL_NAME_num(names); ++i) {
        const GENERAL_NAME* name = sk_GENERAL_NAME_value(names, i);
        if (name->type != GEN_DNS)
            continue;
        std::string dns = certificateText(name->d.dNSName);
        matched = !dns.empty() && matchHostname(dns, m_hostname);
    }
    GENERAL_NAMES_free(names);
    return matched ? 0 : -1;
}

bool SslClientSocket::matchHostname(const std::string& pattern, const std::string& host)
{
    if (!pattern.empty() && pattern[0] == '*') {
        // Only a whole leftmost label is a wildcard ("*.example.org").
        if (pattern.size() < 3 || pattern[1] != '.')
            return false;
        std::string domain = pattern.substr(2);
        if (equalsIgnoreCase(domain, host))
            return true;
        size_t dot = host.find('.');
        if (dot == std::string::npos || dot == 0)
            return false;
        return equalsIgnoreCase(domain, host.substr(dot + 1));
    }
    return equalsIgnoreCase(pattern, host);
}

} // namespace qelt
