#include "kavelin/tcp-server-init-helper.h"

#include <openssl/ssl.h>

#include "kavelin/tcp-transfer.h"
#include "kavelin/transfer-service-controller.h"
#include "kavelin/vardo-core-manager.h"
#include "log.h"

namespace {

const char* const kComponent = "default_component";

} // namespace

TcpServerInitHelper::TcpServerInitHelper(TcpTransfer* transfer)
    : TcpHelper(transfer), m_state(INIT_START)
{
    m_type = TRANSFER_USE_SERVER_INIT;
}

TcpServerInitHelper::~TcpServerInitHelper()
{
}

bool TcpServerInitHelper::isIdle()
{
    return m_state == INIT_DONE;
}

int TcpServerInitHelper::setTcpKeepAlive()
{
    return cross::setTcpKeepAlive(m_transfer->getSocket(), 7200, 75, 9);
}

int TcpServerInitHelper::verifyToken()
{
    if (m_state == INIT_ACTIVATE)
        return 0;
    const uint64_t seed = m_read_header["transfer_seed"].asUInt64();
    uint64_t peer_id = 0;
    if (!m_transfer->getManager()->findPeerIdByTransferSeed(seed, peer_id)) {
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-server-init-helper(%d): verify seed %llu failed\n",
               static_cast<unsigned long long>(seed));
        m_error_code = ProjectVardo::ERR_INVALID_SEED;
        return -1;
    }
    m_transfer->setPeerId(peer_id);
    if (!m_transfer->getController()->setSocketPeerId(m_transfer->getSocket(), peer_id)) {
        m_error_code = ProjectVardo::ERR_INVALID_SEED;
        return -1;
    }
    return 0;
}

int TcpServerInitHelper::processHeader()
{
    if (m_state == INIT_ACTIVATE) {
        if (!m_read_header.hasMember("activate")) {
            QM_LOG(Logger::L_ERR, kComponent,
                   L"[ERROR] tcp-server-init-helper(%d): Server init helper dosen't get activate in INIT_ACTIVATE state\n");
            return -1;
        }
        m_state = INIT_DONE;
        return 0;
    }
    const uint64_t command = m_read_header["command"].asUInt64();
    if (command != C_SET_USE) {
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-server-init-helper(%d): Cannot handle command %d in TcpServerInitHelper\n",
               static_cast<int>(command));
        m_error_code = ProjectVardo::ERR_SYS;
        return -1;
    }
    m_transfer->setTransferSeed(m_read_header["transfer_seed"].asUInt64());
    if (setTcpKeepAlive() < 0)
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-server-init-helper(%d): Failed to setTcpKeepAlive (ignore)\n");
    const uint64_t use = m_read_header["transfer_use"].asUInt64();
    switch (use) {
    case TRANSFER_USE_ACTIVE:
        m_transfer->setExpectedUse(TRANSFER_USE_PASSIVE);
        break;
    case TRANSFER_USE_PASSIVE:
        m_transfer->setExpectedUse(TRANSFER_USE_ACTIVE);
        break;
    case TRANSFER_USE_REPORT:
        m_transfer->setExpectedUse(TRANSFER_USE_REPORT);
        break;
    default:
        QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-server-init-helper(%d): Unknown transfer use %d\n",
               static_cast<int>(use));
        m_error_code = ProjectVardo::ERR_SYS;
        return -1;
    }
    m_transfer->setEncrypted(m_read_header["encrypted"].asBool());
    m_transfer->setCompressed(m_read_header["compressed"].asBool());
    m_write_header.clear();
    m_write_header["encrypted"] = m_transfer->isEncrypted();
    m_write_context.state = TRANSFER_HEADER;
    m_transfer->controlWrite(true, 0);
    m_state = INIT_WAITING_HANDSHAKE;
    if (m_transfer->isEncrypted()) {
        if (createSsl() < 0) {
            QM_LOG(Logger::L_ERR, kComponent, L"[ERROR] tcp-server-init-helper(%d): Cannot create ssl socket\n");
            return -1;
        }
        // Tickets would arrive while the other end waits to send its
        // activation; this engine never resumes sessions.
        SSL_set_num_tickets(m_transfer->m_ssl, 0);
    }
    return 0;
}

int TcpServerInitHelper::finalize()
{
    if (attachStreamLayers() < 0)
        return -1;
    m_state = INIT_ACTIVATE;
    return 0;
}

int TcpServerInitHelper::handshakeStep()
{
    int r = sslHandshakeStep();
    if (r != 0)
        return r;
    return finalize() < 0 ? -1 : 1;
}

int TcpServerInitHelper::handleRead()
{
    switch (m_state) {
    case INIT_START:
    case INIT_ACTIVATE:
        return readHeader();
    case INIT_WAITING_HANDSHAKE:
        QM_LOG(Logger::L_ERR, kComponent,
               L"[ERROR] tcp-server-init-helper(%d): TcpServerInitHelper should not read in state INIT_WAITING_HANDSHAKE\n");
        return -1;
    case INIT_HANDSHAKING:
        return handshakeStep();
    case INIT_DONE:
    default:
        return TcpHelper::handleRead();
    }
}

int TcpServerInitHelper::handleWrite()
{
    switch (m_state) {
    case INIT_START:
    case INIT_ACTIVATE:
        m_transfer->controlWrite(false, 0);
        return 0;
    case INIT_WAITING_HANDSHAKE: {
        int r = TcpHelper::handleWrite();
        if (r >= 0 && m_write_context.state == TRANSFER_DONE) {
            if (m_transfer->isEncrypted())
                m_state = INIT_HANDSHAKING;
            else if (finalize() < 0)
                return -1;
        }
        return r;
    }
    case INIT_HANDSHAKING:
        return handshakeStep();
    case INIT_DONE:
    default:
        return TcpHelper::handleWrite();
    }
}
