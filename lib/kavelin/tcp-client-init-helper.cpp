#include "kavelin/tcp-client-init-helper.h"

#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <string>

#include <openssl/bio.h>
#include <openssl/ssl.h>
#include <openssl/x509.h>

#include "kavelin/tcp-transfer.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"

namespace {

const char* const kComponent = "default_component";

} // namespace

TcpClientInitHelper::TcpClientInitHelper(TcpTransfer* transfer)
    : TcpHelper(transfer), m_state(INIT_START)
{
    m_type = TRANSFER_USE_CLIENT_INIT;
}

TcpClientInitHelper::~TcpClientInitHelper()
{
}

bool TcpClientInitHelper::isIdle()
{
    return m_state == INIT_DONE;
}

int TcpClientInitHelper::verifyToken()
{
    return 0;
}

bool TcpClientInitHelper::checkSocket()
{
    const cross::socket_t fd = m_transfer->getSocket();
    int pending = 0;
    socklen_t length = sizeof(pending);
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): Get socket error failed\n");
        return false;
    }
    if (pending != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): Socket error: %d\n", pending);
        return false;
    }
    int one = 1;
    if (setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof(one)) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): set TCP_NODELAY fail, error: %d\n",
               cross::getSocketError());
        return false;
    }
    sockaddr_storage local;
    socklen_t local_length = sizeof(local);
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &local_length) != 0) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): getsockname fail, error: %d\n",
               cross::getSocketError());
        return false;
    }
    if (local.ss_family == AF_INET) {
        int tos = 1;
        if (setsockopt(fd, IPPROTO_IP, IP_TOS, &tos, sizeof(tos)) != 0)
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): set IP_TOS fail, error: %d\n",
                   cross::getSocketError());
    }
    return true;
}

int TcpClientInitHelper::setTcpKeepAlive()
{
    return cross::setTcpKeepAlive(m_transfer->getSocket(), 1800, 20, 3);
}

int TcpClientInitHelper::convertRemoteTransferUse()
{
    uint64_t seed = 0;
    if (!m_transfer->getManager()->takeTransferSeed(m_transfer->getPeerId(), seed) || seed == 0) {
        // Without a seed the other end cannot place the connection; sending
        // an unset seed would only burn a connection on both sides.
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): no transfer seed for peer %llu\n",
               static_cast<unsigned long long>(m_transfer->getPeerId()));
        m_error_code = ProjectVardo::ERR_INVALID_SEED;
        return -1;
    }
    m_transfer->setTransferSeed(seed);
    m_write_header.clear();
    m_write_header["transfer_seed"] = static_cast<uint64_t>(seed);
    m_write_header["command"] = static_cast<uint32_t>(C_SET_USE);
    m_write_header["transfer_use"] = static_cast<int32_t>(m_transfer->getExpectedUse());
    m_write_header["encrypted"] = m_transfer->isEncrypted();
    m_write_header["compressed"] = m_transfer->isCompressed();
    m_write_context.state = TRANSFER_HEADER;
    return 0;
}

bool TcpClientInitHelper::verifySSLSignature()
{
    SSL* ssl = m_transfer->m_ssl;
    if (!ssl)
        return false;
    X509* certificate = SSL_get1_peer_certificate(ssl);
    if (!certificate)
        return false;
    const ASN1_BIT_STRING* signature = nullptr;
    const X509_ALGOR* algorithm = nullptr;
    X509_get0_signature(&signature, &algorithm, certificate);
    std::string text;
    BIO* bio = BIO_new(BIO_s_mem());
    if (bio && signature && X509_signature_dump(bio, signature, 0) > 0) {
        char* data = nullptr;
        long length = BIO_get_mem_data(bio, &data);
        if (data && length > 0)
            text.assign(data, static_cast<size_t>(length));
    }
    BIO_free(bio);
    X509_free(certificate);
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c != '\n')
            compact.push_back(c);
    }
    return !compact.empty() && compact == m_transfer->getSSLSignature();
}

int TcpClientInitHelper::finalize()
{
    if (m_transfer->isEncrypted() && !verifySSLSignature()) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): verify ssl signature failed\n");
        m_error_code = ProjectVardo::ERR_SSL_CHANGED;
        return -1;
    }
    if (attachStreamLayers() < 0)
        return -1;
    m_write_header.clear();
    m_write_header["activate"] = true;
    m_write_context.state = TRANSFER_HEADER;
    m_transfer->controlWrite(true, 0);
    m_state = INIT_ACTIVATE;
    return 0;
}

int TcpClientInitHelper::processHeader()
{
    if (m_state != INIT_WAITING_HANDSHAKE)
        return -1;
    const bool encrypted = m_read_header["encrypted"].asBool();
    if (encrypted && !m_transfer->isEncrypted()) {
        // We opened the connection plain and made no TLS object: the answer
        // asks for a layer we did not offer.
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-client-init-helper(%d): answer asks for TLS on a plain connection\n");
        m_error_code = ProjectVardo::ERR_SYS;
        return -1;
    }
    if (encrypted) {
        m_state = INIT_HANDSHAKING;
    } else if (finalize() < 0) {
        return -1;
    }
    m_transfer->controlWrite(true, 0);
    return 0;
}

int TcpClientInitHelper::handshakeStep()
{
    int r = sslHandshakeStep();
    if (r != 0)
        return r;
    return finalize() < 0 ? -1 : 1;
}

int TcpClientInitHelper::handleWrite()
{
    switch (m_state) {
    case INIT_START: {
        if (m_write_context.state != TRANSFER_HEADER) {
            if (!checkSocket())
                return -1;
            if (setTcpKeepAlive() < 0)
                QM_LOG(Logger::L_ERR, kComponent,
                       L"[ERROR] tcp-client-init-helper(%d): Failed to setTcpKeepAlive (ignore)\n");
            if (convertRemoteTransferUse() < 0)
                return -1;
        }
        int r = TcpHelper::handleWrite();
        if (r < 0)
            return r;
        if (m_write_context.state == TRANSFER_DONE) {
            m_state = INIT_WAITING_HANDSHAKE;
            if (m_transfer->isEncrypted() && createSsl() < 0) {
                QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-client-init-helper(%d): Cannot create ssl socket\n");
                return -1;
            }
        }
        return r;
    }
    case INIT_WAITING_HANDSHAKE:
        m_transfer->controlWrite(false, 0);
        return 0;
    case INIT_HANDSHAKING:
        return handshakeStep();
    case INIT_ACTIVATE: {
        int r = TcpHelper::handleWrite();
        if (r >= 0 && m_write_context.state == TRANSFER_DONE)
            m_state = INIT_DONE;
        return r;
    }
    case INIT_DONE:
    default:
        return TcpHelper::handleWrite();
    }
}

int TcpClientInitHelper::handleRead()
{
    switch (m_state) {
    case INIT_WAITING_HANDSHAKE:
        return readHeader();
    case INIT_HANDSHAKING:
        return handshakeStep();
    case INIT_DONE:
        return TcpHelper::handleRead();
    case INIT_START:
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-client-init-helper(%d): Should not get read in client init start state\n");
        return -1;
    case INIT_ACTIVATE:
        // A TLS 1.3 server may send session tickets right after the
        // handshake; the working role's reads consume them.
        if (m_transfer->isEncrypted())
            return 1;
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-client-init-helper(%d): Should not get read in client init activate state\n");
        return -1;
    default:
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-client-init-helper(%d): Should not get read in client init activate state\n");
        return -1;
    }
}

int TcpClientInitHelper::preAbort()
{
    if (m_write_context.state == TRANSFER_HEADER) {
        handleWrite();
        return -1;
    }
    return 0;
}
