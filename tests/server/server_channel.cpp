#include "server_channel.h"

#include <memory>

#include "bio/ssl_socket.h"

namespace test_server {

namespace {
// The channel's buffer capacity argument; the stream sizes its own buffers.
const size_t kCapacity = 81920;

// TLS 1.2 suites with an ephemeral ECDH key exchange only, so that every
// session has forward secrecy; TLS 1.3 suites all have it and stay as they
// are. The stream itself refuses anything older than TLS 1.2.
const char* const kServerCipherList = "ECDHE+AESGCM:ECDHE+CHACHA20:ECDHE+AES:!aNULL:!eNULL";
}  // namespace

ServerChannel::ServerChannel(const std::string& cert_path, const std::string& key_path)
    : Channel(kCapacity), m_server_cert_path(cert_path), m_server_key_path(key_path)
{
}

int ServerChannel::ConvertToSSLChannel(bool is_server)
{
    if (!is_server)
        return Channel::ConvertToSSLChannel(false);
    if (m_isSSL)
        return ERR_OK;
    if (!m_bio)
        return ERR_IO;
    std::unique_ptr<qelt::SslServerSocket> ssl(new qelt::SslServerSocket);
    if (ssl->setCipherList(kServerCipherList) != 0 || ssl->setCertificate(m_server_cert_path) <= 0 ||
        ssl->setPrivateKey(m_server_key_path) <= 0)
        return ERR_SYS;
    if (m_bio->handoverTo(*ssl) != 0)
        return ERR_IO;
    delete m_bio;
    m_bio = ssl.release();
    m_isSSL = true;
    return ERR_OK;
}

}  // namespace test_server
