// The relay step shared by the tunnel channels.
#include <openssl/ssl.h>

#include <memory>

#include "bio/ssl_socket.h"
#include "channel/channel.h"
#include "channel_internal.h"
#include "io/socket.h"
#include "vexotunnelclient.h"

int Channel::OpenRelayTunnel(const char* ip, int port, bool via_proxy)
{
    std::unique_ptr<qelt::BufferedIOBase> ssl(m_bio ? CreateSSLSocket(false) : nullptr);
    if (!ssl || m_bio->handoverTo(*ssl) != 0) {
        if (via_proxy)
            QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] proxy_tunnel_channel(%d): Open:: Handover to ssl fail.");
        else
            QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] tunnel_channel(%d): Open:: Handover to ssl fail.");
        return ERR_IO;
    }
    SSL* session = static_cast<qelt::SslSocket*>(ssl.get())->getSsl();
    int rc = VEXOTunnelClientHandshakeOnSocket(session, getNativeHandle(), ip, port, m_timeout, channel_timeout);

    // From here the relay forwards raw TCP: drop the TLS state without a
    // closing alert, which would reach the target as garbage.
    SSL_set_quiet_shutdown(session, 1);
    if (ssl->handoverTo(*m_bio) != 0) {
        QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] channel(%d): Open:: Handover back to plain fail.\n");
        return ERR_IO;
    }
    ssl.reset();
    if (rc != 0) {
        // A positive code is the relay's refusal of the target; a negative
        // one is our own failure (request not sent, answer cut or malformed).
        if (rc > 0)
            QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] channel(%d): relay refused the target, status %d\n",
                   rc);
        else
            QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT, L"[ERROR] channel(%d): relay handshake failed, code %d\n", rc);
        if (via_proxy)
            QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT,
                   L"[ERROR] proxy_tunnel_channel(%d): VEXOTunnelClientHandshake: failed, code: %d\n", rc);
        else
            QM_LOG(Logger::L_ERR, CHANNEL_COMPONENT,
                   L"[ERROR] tunnel_channel(%d): VEXOTunnelClientHandshake: failed, code: %d\n", rc);
        return ERR_IO;
    }
    return ERR_OK;
}
