#include "bio/ssl_socket.h"

namespace qelt {

namespace {

SSL_CTX* newServerContext()
{
    SSL_CTX* ctx = SSL_CTX_new(TLS_server_method());
    if (ctx && !requireModernTls(ctx)) {
        SSL_CTX_free(ctx);
        return nullptr;
    }
    if (ctx) {
        SSL_CTX_set_options(ctx, SSL_OP_NO_SSLv2 | SSL_OP_NO_SSLv3);
        // Ephemeral ECDH on P-256 first; the others keep modern clients on their defaults.
        SSL_CTX_set1_groups_list(ctx, "P-256:X25519:P-384");
    }
    return ctx;
}

} // namespace

SslServerSocket::SslServerSocket() : SslSocket(newServerContext())
{
}

int SslServerSocket::load(IOBase& io)
{
    return loadAndHandshake(io, true);
}

int SslServerSocket::setCipherList(const std::string& s)
{
    return m_ssl_ctx && SSL_CTX_set_cipher_list(m_ssl_ctx, s.c_str()) == 1 ? 0 : -1;
}

int SslServerSocket::setCertificate(const std::string& path)
{
    return m_ssl_ctx ? SSL_CTX_use_certificate_chain_file(m_ssl_ctx, path.c_str()) : 0;
}

int SslServerSocket::setPrivateKey(const std::string& path)
{
    return m_ssl_ctx ? SSL_CTX_use_PrivateKey_file(m_ssl_ctx, path.c_str(), SSL_FILETYPE_PEM) : 0;
}

} // namespace qelt
