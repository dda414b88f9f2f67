// The channel's switch to TLS and what it tells about the peer.
#include <memory>

#include "bio/buffered_io.h"
#include "bio/ssl_socket.h"
#include "channel/channel.h"
#include "channel/channel_controller.h"
#include "channel_internal.h"
#include "io/socket.h"

qelt::BufferedIOBase* Channel::CreateSSLSocket(bool is_server)
{
    if (is_server)
        return CreateSSLServer();
    return CreateSSLClient(m_is_allowing_untrust, m_ssl_hostname, m_ssl_signature);
}

qelt::BufferedIOBase* Channel::CreateSSLClient(bool is_allowing_untrust, const std::string& hostname,
                                               const std::string& signature)
{
    qelt::SslClientSocket* ssl = new qelt::SslClientSocket;
    ssl->setVerify(!is_allowing_untrust);
    // A CA file that cannot be loaded leaves an empty trust store: verification then fails.
    if (ssl->setVerifyCa(m_ca_path) != 0 && !is_allowing_untrust)
        QM_LOG(Logger::L_WARNING, CHANNEL_COMPONENT, L"[WARNING] channel(%d): cannot load CA file %s\n", m_ca_path);
    ssl->setVerifyCallback(nullptr);
    ssl->setVerifyHostname(hostname);
    ssl->setVerifySignature(signature);
    return ssl;
}

qelt::BufferedIOBase* Channel::CreateSSLServer()
{
    std::unique_ptr<qelt::SslServerSocket> ssl(new qelt::SslServerSocket);
    if (ssl->setPrivateKey(m_key_path) <= 0 || ssl->setCertificate(m_cert_path) <= 0) {
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] channel(%d): cannot load key %s or certificate %s\n",
               m_key_path, m_cert_path);
        return nullptr;
    }
    return ssl.release();
}

int Channel::ConvertToSSLChannel(bool is_server)
{
    if (m_isSSL) {
        QM_LOG(Logger::L_WARNING, CHANNEL_COMPONENT,
               L"[WARNING] channel(%d): ConvertToSSLChannel: Channel is SSL channel, no need to be converted\n");
        return ERR_OK;
    }
    if (!m_bio)
        return ERR_IO;
    // Bytes already taken from the socket would never reach the TLS layer:
    // the peer spoke before the switch was agreed.
    qelt::BufferedIO* plain = dynamic_cast<qelt::BufferedIO*>(m_bio);
    if (plain && plain->buffered() > 0) {
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT,
               L"[ERROR] channel(%d): ConvertToSSLChannel: %d unread bytes before the handshake\n",
               static_cast<int>(plain->buffered()));
        return ERR_PROTO;
    }
    std::unique_ptr<qelt::BufferedIOBase> ssl(CreateSSLSocket(is_server));
    if (!ssl)
        return ERR_SYS;
    if (m_bio->handoverTo(*ssl) != 0) {
        switch (ssl->error()) {
        case qelt::SslSocket::error_verify:
            return ERR_SSL_VERIFY_FAIL;
        case qelt::SslSocket::error_change:
            return ERR_SSL_CHANGE;
        default:
            return ERR_IO;
        }
    }
    delete m_bio;
    m_bio = ssl.release();
    m_isSSL = true;
    return ERR_OK;
}

int Channel::GetPeerSSLSignature(std::string& signature)
{
    if (qelt::SslClientSocket* ssl = dynamic_cast<qelt::SslClientSocket*>(m_bio))
        ssl->getPeerSSLSignature(signature);
    return ERR_OK;
}

int Channel::GetPeerCertificateChain(std::vector<std::string>& chain)
{
    if (qelt::SslClientSocket* ssl = dynamic_cast<qelt::SslClientSocket*>(m_bio))
        ssl->getPeerCertificateChain(chain);
    return ERR_OK;
}

bool Channel::GetPeerVerified()
{
    qelt::SslClientSocket* ssl = dynamic_cast<qelt::SslClientSocket*>(m_bio);
    if (!ssl) {
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] channel(%d): Get null ssl socket\n");
        return false;
    }
    if (ssl->verifyResult() != 0) {
        QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): SSL verify result get false\n");
        return false;
    }
    if (ssl->verifyHostname() != 0) {
        QM_LOG(Logger::L_DEBUG, CHANNEL_COMPONENT, L"[DEBUG] channel(%d): SSL verify hostname get false\n");
        return false;
    }
    return true;
}
